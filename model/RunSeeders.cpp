#include "model/RunSeeders.h"

#include "model/DocumentDependencies.h"

CRunSeeders::CRunSeeders(CTalusimDoc& doc)
    : m_doc(&doc),
      m_seeders(CollectAs<CTalusimRaker>(*doc.GetDatabase(), CAT_PLACED, KIND_SEEDER, ID_ANY_GROUP)),
      m_previous(s_active)
{
    s_active = this;
}

CRunSeeders::~CRunSeeders()
{
    s_active = m_previous;
}

const std::vector<CTalusimRaker*>* CRunSeeders::For(const CTalusimDoc* doc)
{
    for (const CRunSeeders* r = s_active; r != nullptr; r = r->m_previous)
        if (r->m_doc == doc)
            return &r->m_seeders;
    return nullptr;
}

