// New DEM Simulation: every point seeder becomes a moving element, every data
// collector a fixed wall (in 2D), and the model's stored steps become the
// document's disc results.
#include "discs/DiscServices.h"

#include <algorithm>
#include <climits>
#include <cmath>
#include "discs/DemModel.h"
#include "discs/DiscEnt.h"
#include "framework/FileDialog.h"
#include "model/DocumentDependencies.h"
#include "controls/WorkingDlg.h"

namespace {

const char kNoElements[] = "No elements added\n(add a point seeder, for example)";
const char kBadSeeder[] = "Every point seeder needs a mass and a radius above zero\nfor a DEM simulation.";

// Asks for the geometry file of a 3-D run; empty when the user cancels.
CString AskGeometryFile()
{
    CFileDialog dlg(TRUE, nullptr, nullptr, OFN_HIDEREADONLY | OFN_FILEMUSTEXIST | OFN_PATHMUSTEXIST,
                    "Geometry Files (*.txt;*.geo)|*.txt;*.geo|All Files (*.*)|*.*||");
    if (dlg.DoModal() != IDOK)
        return CString();
    return dlg.GetPathName();
}

}  // namespace

void RunDemSimulation(CTalusimDoc* doc, const char* geometryPath)
{
    CREGDatabase& db = *doc->GetDatabase();
    CDiscParameters& block = doc->GetDiscParameters();
    const bool flat = block.Is2DSimulation();
    auto seeders = CollectAs<CTalusimRaker>(db, ID_ANY_CATEGORY, KIND_SEEDER, GROUP_POINT_SEEDER);
    if (seeders.empty()) {
        AfxMessageBox(kNoElements);
        return;
    }
    CDemModel model;
    model.SetUnits(doc->IsMetric());
    if (!flat) {
        CString path = geometryPath ? CString(geometryPath) : AskGeometryFile();
        if (path.IsEmpty())
            return;
        model.ReadGeometry(static_cast<const char*>(path));
    }
    for (CTalusimRaker* s : seeders) {
        if (s->GetVertexCount() < 1)
            continue;
        const CPolyVertex p = s->GetVertex(0);
        double mass, massSd, vx, vy, vxSd, vySd, w, wSd;
        s->GetMass(mass, massSd);
        s->GetVelocity(vx, vy, vxSd, vySd);
        s->GetAngularVelocity(w, wSd);
        const double radius = s->GetRadiusMean();
        if (!(mass > 0.0) || !(radius > 0.0) || !std::isfinite(mass) || !std::isfinite(radius)) {
            AfxMessageBox(kBadSeeder);
            return;
        }
        if (flat)
            model.AddDisk(p.x, p.y, radius, mass, vx, vy, w);
        else
            model.AddSphere(p.x, p.y, 0.0, radius, mass, vx, vy, 0.0, w, 0.0, 0.0);
    }
    if (flat) {
        for (auto* c : CollectAs<CTalusimBarrier>(db, ID_ANY_CATEGORY, KIND_BARRIER, GROUP_COLLECTOR)) {
            const CVector2D a = c->GetStartPoint(), b = c->GetEndPoint();
            model.AddWall(a.x, a.y, b.x, b.y);
        }
    }

    auto* results = new CDiscEnt;
    model.m_pResults = results;
    model.SetTiming(0.01, block.GetEndTime());

    int* runFlag = doc->GetDiscRunFlag();
    *runFlag = 1;
    bool finished;
    {
        CWaitCursor wait;
        CWorkingDlg working(runFlag, "Calculating paths...", "");
        // One set of discs runs through time: the bar counts time steps, not rocks.
        working.GetFirstBar().SetRockLabel(FALSE);
        const int steps = static_cast<int>(std::min<long long>(model.GetTotalSteps(), INT_MAX));
        model.SetProgress([&working, &model, runFlag, steps](int percent) {
            working.SetProgress(percent, model.GetStepCount(), steps);
            working.PumpMessages();
            return *runFlag == 1;
        });
        finished = model.Run();
        working.Close();
    }
    *runFlag = 0;
    // A cancelled run leaves the results of the run before it as they were.
    if (!finished) {
        delete results;
        if (doc->GetDiscEntity() == nullptr)
            block.SetFrameCount(-1);
        doc->UpdateAllViews(nullptr);
        return;
    }
    if (CEntity* old = doc->GetDiscEntity()) {
        doc->SetDiscEntity(nullptr);
        db.DeleteEntity(old, true);
    }
    block.SetFrameCount(model.GetFrameCount());
    block.SetCurrentStep(0);
    results->SetViewSettings(block);
    results->SetDisplayMode(block.GetDisplayMode());
    results->SetSkipCount(block.GetSkipCount());
    results->SetCurrentStep(0);
    doc->SetDiscEntity(results);
    db.AddEntity(results, true);
    doc->SetModifiedFlag();
    doc->UpdateAllViews(nullptr);
}
