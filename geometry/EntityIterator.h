// Walks the members of one marked set of a drawing database. The position
// lives in the database, one per set: two iterators over the same set share
// it, so a loop over a set must not start a second iteration of that set.
#pragma once

#include "geometry/REGDatabase.h"

class CEntityIterator
{
public:
    CEntityIterator(CREGDatabase* pDatabase, int set) : m_pDatabase(pDatabase), m_nSet(set) {}

    CEntity* GetFirst() { return m_pDatabase ? m_pDatabase->GetFirstInSet(m_nSet) : nullptr; }
    CEntity* GetNext() { return m_pDatabase ? m_pDatabase->GetNextInSet(m_nSet) : nullptr; }

    // Clears the set, then marks every entity matching the ids into it.
    void SelectTypes(int category, int kind, int group)
    {
        Clear();
        AddMatching(category, kind, group);
    }
    void AddMatching(int category, int kind, int group)
    {
        if (m_pDatabase)
            m_pDatabase->MarkEntities(TEST_NONE, ACTION_ADD, 0, 0, 0, 0, category, kind, group,
                                      m_nSet, nullptr, nullptr);
    }
    void Clear()
    {
        if (m_pDatabase)
            m_pDatabase->ClearSet(m_nSet);
    }

private:
    CREGDatabase* m_pDatabase;
    int m_nSet;
};
