// Throw Discs: the disc program runs once per rock on the case written from
// the document, under the Working dialog, and every frame it stores goes into
// a new disc results entity.
#include "discs/ThrowDiscs.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <filesystem>
#include <ostream>
#include <streambuf>
#include "dem/Disc.h"
#include "dem/DiscModel.h"
#include "discs/DiscCaseWriter.h"
#include "discs/DiscEnt.h"
#include "discs/DiscFrameSampler.h"
#include "discs/DiscPathPieces.h"
#include "geometry/Geometry.h"
#include "model/DiscRunSnapshot.h"
#include "model/DocumentDependencies.h"
#include "controls/WorkingDlg.h"
#include "res/dialogs-compute.h"
#include "res/resource.h"

namespace {

// The first throw whose case goes nowhere, set by tests only; 0: none.
int g_caseFailureFrom = 0;

// The console of an automatic run goes nowhere.
class NullBuffer : public std::streambuf
{
protected:
    int overflow(int c) override { return c; }
};

class WorkingProgress final : public IDiscProgress
{
public:
    explicit WorkingProgress(CWorkingDlg& dlg) : m_dlg(dlg) {}
    void SetSecondaryProgress(int percent, int step, int total) override
    {
        m_dlg.SetSecondaryProgress(percent, step, total);
    }
    void PumpMessages() override { m_dlg.PumpMessages(); }

private:
    CWorkingDlg& m_dlg;
};

// What the receiver needs to know of the model: gravity in the document's
// units, the barriers a disc may strike and where the slope ends.
struct ThrowModel {
    double gravity = 9.81;
    std::vector<CTalusimBarrier*> barriers;
    double left = 0, right = 0, lowest = 0;
};

// The document and its new entity as the disc program reaches them. Every
// thrown disc is one rock of the document: a rock path of its own follows
// its frames, the hits it makes on barriers and collectors are filed under
// that path, and once the run is complete its end point is recorded, once,
// where the disc came to be. A disc carried into later throws (dependent
// discs) keeps its path.
class DocumentReceiver final : public IDiscDocument
{
public:
    DocumentReceiver(CTalusimDoc& doc, CDiscFrameSampler& frames, const ThrowModel& model)
        : m_doc(doc), m_frames(frames), m_model(model)
    {
    }

    // Before each throw: its first `newDiscs` balls are new discs; with
    // `carry` the balls after them are the discs of the previous throw, in
    // that throw's order (the order of the settled list).
    void BeginThrow(int newDiscs, bool carry, int throwIndex)
    {
        std::vector<int> balls(static_cast<size_t>(newDiscs), -1);
        if (carry)
            balls.insert(balls.end(), m_throwDiscs.begin(), m_throwDiscs.end());
        m_throwDiscs.swap(balls);
        m_throwIndex = throwIndex;
    }
    // After the last throw of a completed run: how many discs were still
    // moving on the slope then, and how many had left it (past its ends or
    // below its lowest point). End points are kept where the discs were, as
    // a rock's that ran out of steps is, and the paths of the discs still
    // moving on the slope are marked. A run that covered no time leaves
    // every disc where it was thrown from, still to move.
    struct Ends {
        int moving = 0, left = 0;
    };
    Ends RecordEndPoints(bool coveredTime)
    {
        Ends ends;
        for (Disc& d : m_discs) {
            if (d.path->GetSegmentUpperBound() < 0)
                d.path->AddStraightSegment(d.endX, d.endY, d.endX, d.endY, 0.0, m_model.gravity);
            d.moving = d.moving || !coveredTime;
            const bool left = d.moving && (d.endX < m_model.left || d.endX > m_model.right || d.endY < m_model.lowest);
            d.path->SetStillMoving(d.moving && !left);
            ends.moving += d.moving && !left ? 1 : 0;
            ends.left += left ? 1 : 0;
            m_doc.SetCurrentRockPath(d.path);
            m_doc.RecordEndPoint(d.endX, d.endY);
        }
        m_doc.SetCurrentRockPath(nullptr);
        return ends;
    }
    int DiscCount() const { return static_cast<int>(m_discs.size()); }
    // The rock paths the run added, in the order the discs were thrown.
    std::vector<CTalusimRockPath*> Paths() const
    {
        std::vector<CTalusimRockPath*> paths;
        for (const Disc& d : m_discs)
            paths.push_back(d.path);
        return paths;
    }

    bool IsDiscRunActive() override { return m_doc.IsDiscRunActive(); }
    void AddDiscFrame(const DiscFrame& f) override
    {
        // Each disc has a track of its own, numbered in the order the discs
        // were thrown, from 1.
        Disc& d = DiscOf(f.ball - m_throwIndex);
        m_frames.Add(static_cast<int>(&d - m_discs.data()) + 1, f);
        // The path follows the disc a quarter radius at a time.
        d.piece = f.radius / 4;
        d.radius = f.radius;
    }
    void RecordDiscStep(int ball, double x0, double y0, double vx0, double vy0, double x1, double y1, double vx1,
                        double vy1, double mass, double w) override
    {
        Disc& d = DiscOf(ball);
        m_doc.SetCurrentRockPath(d.path);
        m_doc.RecordDiscStep(x0, y0, vx0, vy0, x1, y1, vx1, vy1, mass, w);
        if (!d.started)
            d.Start(x0, y0);
        double endX, endY;
        if (d.pieces.Add(x1, y1, endX, endY))
            d.LineTo(endX, endY, m_model.gravity);
        StrikeBarriers(d, x1, y1, vx1, vy1, mass, w);
    }
    void DiscFramesComplete() override {}
    void ClearSettledDiscs() override { m_doc.GetSettledDiscs().clear(); }
    void AddSettledDisc(const double properties[15]) override
    {
        std::array<double, 16> record{};
        for (int k = 1; k <= 15; ++k)
            record[static_cast<size_t>(k)] = properties[k - 1];
        m_doc.GetSettledDiscs().push_back(record);
    }
    void RecordEndPoint(int ball, double x, double y) override
    {
        Disc& d = DiscOf(ball);
        if (!d.started)
            d.Start(x, y);
        double pendingX, pendingY;
        if (d.pieces.Pending(pendingX, pendingY))
            d.LineTo(pendingX, pendingY, m_model.gravity);
        if (x != d.lastX || y != d.lastY)
            d.LineTo(x, y, m_model.gravity);
        d.Start(x, y);
        // The disc program hands every ball's final state just before its
        // end point, in ball order.
        const auto& settled = m_doc.GetSettledDiscs();
        if (ball >= 1 && static_cast<size_t>(ball) <= settled.size())
            d.moving = IsMoving(settled[static_cast<size_t>(ball - 1)]);
    }

private:
    // A disc has stopped when it is slower than the speed at which Compute
    // stops a rock and nothing but its supports' balance acts on it: a disc
    // at rest in mid-air is about to fall.
    bool IsMoving(const std::array<double, 16>& state) const
    {
        const double speed = std::hypot(state[5], state[6]);
        const double acceleration = std::hypot(state[8], state[9]);
        return !(speed < m_doc.GetMinimumVelocity()) || !(acceleration < m_model.gravity / 2);
    }

    struct Disc;
    // A disc strikes a barrier when it comes to touch it (its centre within
    // a radius of the barrier's line): the barrier files one hit where it
    // was struck, with the disc's velocity as it arrived, as Compute's rocks
    // file theirs. While the disc stays against the barrier - resting,
    // rolling along it, or trembling as it settles - that is the same hit; a
    // new one needs the disc to have left by a tenth of its radius.
    void StrikeBarriers(Disc& d, double x, double y, double vx, double vy, double mass, double w)
    {
        for (size_t k = 0; k < m_model.barriers.size(); ++k) {
            CTalusimBarrier& b = *m_model.barriers[k];
            double qx = 0, qy = 0, unused = 0;
            NearestPointOnSegment(b.GetX1(), b.GetY1(), b.GetX2(), b.GetY2(), x, y, unused, qx, qy);
            const double distance = std::hypot(x - qx, y - qy);
            const int barrier = static_cast<int>(k);
            auto at = std::find(d.touching.begin(), d.touching.end(), barrier);
            if (at == d.touching.end()) {
                if (distance < d.radius) {
                    d.touching.push_back(barrier);
                    m_doc.RecordImpact(qx, qy, vx, vy, mass, w, &b);
                }
            } else if (distance > 1.1 * d.radius) {
                d.touching.erase(at);
            }
        }
    }

    struct Disc {
        CTalusimRockPath* path = nullptr;
        bool started = false;
        bool moving = false;
        double lastX = 0, lastY = 0;   // where the path's last piece ends
        double endX = 0, endY = 0;
        double piece = 0;
        double radius = 0;
        std::vector<int> touching;     // the barriers it is against
        // Straight pieces within a tenth of the radius of the disc's way.
        CDiscPathPieces pieces;
        void Start(double x, double y)
        {
            started = true;
            lastX = endX = x;
            lastY = endY = y;
            pieces.Start(x, y, piece, 0.4 * piece);
        }
        void LineTo(double x, double y, double gravity)
        {
            path->AddStraightSegment(lastX, lastY, x, y, 0.0, gravity);
            lastX = x;
            lastY = y;
        }
    };
    Disc& DiscOf(int ball)
    {
        const size_t i = ball > 0 ? static_cast<size_t>(ball - 1) : 0;
        if (i >= m_throwDiscs.size())
            m_throwDiscs.resize(i + 1, -1);
        int& index = m_throwDiscs[i];
        if (index < 0) {
            index = static_cast<int>(m_discs.size());
            m_discs.emplace_back().path = m_doc.AddDiscRockPath();
        }
        return m_discs[static_cast<size_t>(index)];
    }

    CTalusimDoc& m_doc;
    CDiscFrameSampler& m_frames;
    const ThrowModel& m_model;
    std::vector<Disc> m_discs;         // every disc of the run, in the order they were thrown
    std::vector<int> m_throwDiscs;     // per ball of the present throw, its disc
    int m_throwIndex = 0;
};

bool Refuse(const std::string& reason, std::string* error)
{
    if (error)
        *error = reason;
    AfxMessageBox(("The discs could not be thrown:\n" + reason).c_str());
    return false;
}

// One message for the discs that had not come to rest when the time ran
// out, as Compute reports its rocks that ran out of steps: those that left
// the slope (a longer time would not bring them back) apart from those still
// moving on it.
void ReportDiscsNotAtRest(int moving, int left, int discs, double endTime)
{
    CString text;
    if (left > 0) {
        text.Format("Discs that left the slope (past its ends or below its lowest point): %d of %d.\nTheir end "
                    "points are where they were when the time to finish (%g s) was reached.",
                    left, discs, endTime);
    }
    if (moving > 0) {
        CString still;
        still.Format("Discs still moving when the time to finish (%g s) was reached: %d of %d.\nTheir end points "
                     "are where they were then; a longer time to finish lets them come to rest.",
                     endTime, moving, discs);
        text = text.IsEmpty() ? still : text + "\n\n" + still;
    }
    if (!text.IsEmpty())
        AfxMessageBox(text, MB_OK);
}

}  // namespace

void SetThrowDiscsCaseFailureForTest(int throwNumber)
{
    g_caseFailureFrom = throwNumber;
}

bool ThrowDiscs(CTalusimDoc* doc, std::string* error, size_t maxStoredStates)
{
    CREGDatabase& db = *doc->GetDatabase();
    CDiscParameters& block = doc->GetDiscParameters();
    const int rocks = doc->GetRockCount();
    // Everything that can refuse the run is asked before any result goes:
    // a refused run leaves the document as it was.
    CDiscCaseWriter writer(*doc, CDiscCaseLimits{disc::kMaxWalls, disc::kMaxBalls});
    if (!writer.Check(rocks))
        return Refuse(writer.Error(), error);
    // Every run gets a folder of its own: no other run or document can leave
    // a case there for this one to read.
    const std::string folder = CreateDiscRunFolder();
    if (folder.empty())
        return Refuse("Unable to make a folder for the disc program's files.", error);

    CString title;
    title.LoadString(IDS_CALCULATING_PATHS);
    CString text;
    text.Format("Rock %d of %d", 1, rocks);
    int* runFlag = doc->GetDiscRunFlag();

    // A run that fails leaves the document as it was: what the run changes
    // is kept until it ends, and the earlier disc results stay in the
    // drawing until then.
    CDiscRunSnapshot before = doc->TakeDiscRunSnapshot();
    block.SetFrameCount(0);
    block.SetCurrentStep(0);
    doc->PrepareResults(FALSE);
    doc->GetSettledDiscs().clear();
    auto* results = new CDiscEnt;
    doc->SetDiscEntity(results);
    block.m_reserved1 = 0;
    block.m_reserved2 = 0;
    // Crossings of the collectors are recorded as the discs move through
    // them; a barrier files a hit when a disc strikes it (the discs do not
    // cross barriers).
    db.ClearSet(SET_WORK2);
    db.MarkKind(KIND_BARRIER, SET_WORK2);
    std::vector<CTalusimBarrier*> crossings;
    ThrowModel model;
    for (CEntity* e = db.GetFirstInSet(SET_WORK2); e != nullptr; e = db.GetNextInSet(SET_WORK2))
        if (auto* line = dynamic_cast<CTalusimBarrier*>(e))
            (line->GetGroupId() == GROUP_BARRIER ? model.barriers : crossings).push_back(line);
    doc->SetDiscCrossings(&crossings);
    model.gravity = CDiscUnits::Of(doc->IsMetric()).gravity;
    CTalusimSlope* slope = doc->GetSlope();
    model.left = model.lowest = HUGE_VAL;
    model.right = -HUGE_VAL;
    for (int i = 0; i < slope->GetVertexCount(); ++i) {
        const CPolyVertex v = slope->GetVertex(i);
        model.left = std::min(model.left, v.x);
        model.right = std::max(model.right, v.x);
        model.lowest = std::min(model.lowest, v.y);
    }
    *runFlag = 1;

    std::string failure;
    std::vector<CTalusimRockPath*> added;
    int seederCount = 0;
    DocumentReceiver::Ends ends;
    int discs = 0;
    {
        CWorkingDlg working(runFlag, title, text);
        WorkingProgress progress(working);
        // Independent throws share one time line; dependent ones follow each other.
        const double endTime = block.GetEndTime();
        CDiscFrameSampler frames(*results, block.IsIndependent() ? endTime : endTime * rocks, maxStoredStates);
        DocumentReceiver receiver(*doc, frames, model);
        NullBuffer nothing;
        std::ostream quiet(&nothing);
        CDisc disc;
        int frameCount = 0;
        int previousStart = 0;
        for (int i = 0; i < rocks && *runFlag == 1; ++i) {
            CDiscCase written;
            const bool unwritable = g_caseFailureFrom > 0 && i + 1 >= g_caseFailureFrom;
            if (!writer.Write(unwritable ? (std::filesystem::path(folder) / "missing").string() : folder, written)) {
                failure = writer.Error();
                break;
            }
            seederCount = static_cast<int>(written.seederRadii.size());
            const int total = disc.m_context.frameTotal;
            disc.m_context.Reset();
            disc.m_context.frameTotal = total;
            working.SetProgress((i + 1) * 100 / rocks, i + 1, rocks);
            // The message line names the rock being thrown, as the bar does.
            text.Format("Rock %d of %d", i + 1, rocks);
            working.SetDlgItemText(IDC_WORKING_MESSAGE, text);
            working.PumpMessages();
            if (*runFlag != 1)
                break;
            disc.m_context.frameCounter = i == 0 ? &frameCount : nullptr;
            disc.m_context.plotInterval = 1;
            disc.m_context.document = &receiver;
            disc.m_context.interactive = 0;
            disc.m_context.progress = &progress;
            disc.m_context.endTime = block.GetEndTime();
            disc.m_context.folder = folder;
            disc.m_context.in = nullptr;
            disc.m_context.out = &quiet;
            if (block.IsIndependent()) {
                // Each throw's discs keep tracks of their own, however many
                // seeders there are.
                disc.m_context.throwIndex = i * seederCount;
                disc.m_context.frameStart = 0;
            } else {
                disc.m_context.throwIndex = 0;
                if (i > 0) {
                    disc.m_context.frameStart = disc.m_context.frameTotal;
                    frameCount += disc.m_context.frameTotal - previousStart;
                    previousStart = disc.m_context.frameStart;
                }
            }
            receiver.BeginThrow(seederCount, !block.IsIndependent(), disc.m_context.throwIndex);
            frames.BeginThrow(block.IsIndependent() ? 0.0 : endTime * i);
            if (!disc.Run() && *runFlag == 1) {
                failure = disc.m_context.error.empty() ? "The disc program stopped." : disc.m_context.error;
                break;
            }
        }
        frames.Finish();
        block.SetFrameCount(results->GetFrameCount());
        if (*runFlag == 1 && failure.empty()) {
            ends = receiver.RecordEndPoints(block.GetEndTime() > 0);
            discs = receiver.DiscCount();
        }
        added = receiver.Paths();
        working.Close();
    }
    std::error_code ec;
    std::filesystem::remove_all(folder, ec);

    const bool cancelled = *runFlag != 1;
    *runFlag = 0;
    doc->SetDiscCrossings(nullptr);
    db.ClearSet(SET_WORK2);
    if (!failure.empty()) {
        // The new results were never the drawing's; the earlier ones are
        // still there.
        delete results;
        doc->RestoreDiscRunSnapshot(before, added);
        doc->UpdateAllViews(nullptr);
        if (error)
            *error = failure;
        AfxMessageBox(("The discs could not be thrown:\n" + failure).c_str());
        return false;
    }
    // The new disc results take the place of the earlier ones.
    db.DeleteMatching(ID_ANY_CATEGORY, CDiscEnt::KIND_ID, ID_ANY_GROUP, true);
    results->SetViewSettings(block);
    results->SetDisplayMode(block.GetDisplayMode());
    results->SetSkipCount(block.GetSkipCount());
    results->SetCurrentStep(0);
    db.AddEntity(results, false);
    doc->UpdateAllViews(nullptr);
    if (cancelled) {
        // A cancelled run leaves no disc results and no rock paths.
        doc->ClearRockPaths();
        return false;
    }
    doc->SetModifiedFlag();
    ReportDiscsNotAtRest(ends.moving, ends.left, discs, block.GetEndTime());
    return true;
}
