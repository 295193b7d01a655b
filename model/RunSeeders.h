// The placed seeders of a document, gathered once for a whole computation.
//
// Every rock asks for a seeder, and the drawing database grows by one rock
// path per rock; walking the database for every rock would make a long
// computation slower with every rock it throws. Nothing can add or remove a
// seeder while a computation runs (its windows are disabled), so one list
// serves all its rocks.
#pragma once

#include <vector>

class CTalusimDoc;
class CTalusimRaker;

class CRunSeeders
{
public:
    explicit CRunSeeders(CTalusimDoc& doc);
    ~CRunSeeders();

    CRunSeeders(const CRunSeeders&) = delete;
    CRunSeeders& operator=(const CRunSeeders&) = delete;

    // The list gathered for a computation of this document, or null when
    // none runs.
    static const std::vector<CTalusimRaker*>* For(const CTalusimDoc* doc);

private:
    const CTalusimDoc* m_doc;
    std::vector<CTalusimRaker*> m_seeders;
    CRunSeeders* m_previous;
    static inline CRunSeeders* s_active = nullptr;
};
