#include "formats/DxfExportSelection.h"

#include "geometry/REGDatabase.h"
#include "model/TalusimDoc.h"

namespace {

struct RowIds
{
    int category, kind, group;
};

constexpr RowIds kRows[DXF_EXPORT_ROWS] = {
    {ID_ANY_CATEGORY, KIND_SLOPE, ID_ANY_GROUP},
    {CAT_PLACED, KIND_BARRIER, GROUP_BARRIER},
    {CAT_PLACED, KIND_BARRIER, GROUP_COLLECTOR},
    {ID_ANY_CATEGORY, KIND_SEEDER, ID_ANY_GROUP},
    {CAT_PATH_PASSES, KIND_ROCK_PATH, ID_ANY_GROUP},
    {ID_ANY_CATEGORY, KIND_ROCK_PATH, ID_ANY_GROUP},
};

} // namespace

void GetDxfExportOffers(const CREGDatabase& db, BOOL offers[DXF_EXPORT_ROWS])
{
    for (int row = 0; row < DXF_EXPORT_ROWS; ++row) {
        const RowIds& ids = kRows[row];
        offers[row] = row == DXF_EXPORT_SLOPE || db.AnyEntityMatches(ids.category, ids.kind, ids.group);
    }
}

void MarkDxfExportEntities(CREGDatabase& db, int set, const BOOL checked[DXF_EXPORT_ROWS])
{
    db.ClearSet(set);
    for (int row = 0; row < DXF_EXPORT_ROWS; ++row) {
        if (!checked[row])
            continue;
        const RowIds& ids = kRows[row];
        db.MarkEntities(TEST_NONE, ACTION_ADD, 0, 0, 0, 0, ids.category, ids.kind, ids.group, set, nullptr,
                        nullptr);
    }
}
