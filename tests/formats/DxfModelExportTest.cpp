#include <gtest/gtest.h>
#include <fstream>
#include <string>
#include <vector>
#include "framework/Afx.h"
#include "geometry/REGDatabase.h"
#include "formats/DxfDatabaseExport.h"
#include "formats/DxfExportSelection.h"
#include "model/TalusimBarrier.h"
#include "model/TalusimRaker.h"
#include "model/TalusimRockPath.h"
#include "model/TalusimSlope.h"

namespace {

CTalusimRockPath* StraightPath(int category, double x0, double y0, double x1, double y1)
{
    auto* path = new CTalusimRockPath;
    path->SetCategoryId(category);
    path->AddStraightSegment(x0, y0, x1, y1, 0.0, 9.81);
    return path;
}

std::vector<std::string> PolylineLayers(const char* path)
{
    std::vector<std::string> layers;
    CStdioFile file(path, CFile::modeRead | CFile::typeText);
    CString line, code, value;
    while (file.ReadString(line)) {
        if (line != "POLYLINE")
            continue;
        file.ReadString(code);
        file.ReadString(value);
        layers.emplace_back(value);
    }
    return layers;
}

} // namespace

// Leaves written_model.dxf and written_model.txt in the working directory for
// the independent reader (see CMakeLists.txt), as the DXF writer test does.
TEST(DxfModelExport, EveryKindOfObjectOnItsLayer)
{
    CREGDatabase db;
    auto* slope = new CTalusimSlope;
    slope->AddVertexWithMaterial(0, 20, nullptr);
    slope->AddVertexWithMaterial(20, 0, nullptr);
    slope->RecalcExtents();
    db.AddEntity(slope, false);
    auto* seeder = new CTalusimRaker;
    seeder->AddVertex(CPolyVertex(3, 4));
    seeder->SetGroupId(CTalusimRaker::kGroupPointSeeder);
    seeder->RecalcExtents();
    db.AddEntity(seeder, false);
    auto* barrier = new CTalusimBarrier;
    barrier->SetPoints(12, 3, 12, 6);
    barrier->SetGroupId(CTalusimBarrier::kGroupBarrier);
    db.AddEntity(barrier, false);
    auto* collector = new CTalusimBarrier;
    collector->SetPoints(15, 1, 15, 4);
    db.AddEntity(collector, false);
    db.AddEntity(StraightPath(CTalusimRockPath::kCategorySelected, 1, 19, 6, 12), false);
    db.AddEntity(StraightPath(CTalusimRockPath::kCategoryOrdinary, 2, 18, 4, 16), false);

    BOOL rows[DXF_EXPORT_ROWS];
    GetDxfExportOffers(db, rows);
    EXPECT_EQ(std::vector<BOOL>(rows, rows + DXF_EXPORT_ROWS), std::vector<BOOL>(DXF_EXPORT_ROWS, TRUE));
    MarkDxfExportEntities(db, SET_WORK, rows);
    CDxfDatabaseExport exporter(&db, SET_WORK);
    exporter.SetPathName("written_model.dxf");
    ASSERT_TRUE(exporter.Export());

    // A point seeder is a cross of two strokes; every path is written once.
    EXPECT_EQ(PolylineLayers("written_model.dxf"),
              (std::vector<std::string>{"SLOPE", "SEEDER", "SEEDER", "BARRIER", "COLLECTOR", "SELECTED_PATHS",
                                        "ALL_PATHS"}));

    // What the file must hold: the extents of (0, 0)-(20, 20) widened by one
    // per cent; silver is colour 254, blue 5, dark red 14, cyan 4, red 1; a
    // straight path piece is 21 times its start and then its end.
    std::ofstream expected("written_model.txt");
    expected << "extents -0.2 -0.2 20.2 20.2\n"
             << "SLOPE 254 0 20 20 0\n"
             << "SEEDER 5 2.5 4 3.5 4\n"
             << "SEEDER 5 3 3.5 3 4.5\n"
             << "BARRIER 14 12 3 12 6\n"
             << "COLLECTOR 14 15 1 15 4\n";
    expected << "SELECTED_PATHS 4";
    for (int i = 0; i < 21; ++i)
        expected << " 1 19";
    expected << " 6 12\nALL_PATHS 1";
    for (int i = 0; i < 21; ++i)
        expected << " 2 18";
    expected << " 4 16\n";
    EXPECT_TRUE(expected.good());
}
