// Throw Discs: the disc program runs once per rock on the case written from
// the document, under the Working dialog, and every frame it stores goes into
// a new disc results entity.
#include "discs/ThrowDiscs.h"

#include <cmath>
#include <cstdio>
#include <filesystem>
#include <ostream>
#include <streambuf>
#include "dem/Disc.h"
#include "dem/DiscModel.h"
#include "discs/DiscCaseWriter.h"
#include "discs/DiscEnt.h"
#include "model/DocumentDependencies.h"
#include "model/WorkingDlg.h"
#include "res/dialogs-compute.h"
#include "res/resource.h"

namespace {

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

// The document and its new entity as the disc program reaches them. Every
// thrown disc is one rock of the document: a rock path of its own follows
// its frames, the hits it makes on barriers and collectors are filed under
// that path, and once the run is complete its end point is recorded, once,
// where the disc came to be. A disc carried into later throws (dependent
// discs) keeps its path.
class DocumentReceiver final : public IDiscDocument
{
public:
    DocumentReceiver(CTalusimDoc& doc, CDiscEnt& results) : m_doc(doc), m_results(results) {}

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
    // After the last throw of a completed run.
    void RecordEndPoints()
    {
        for (Disc& d : m_discs) {
            if (d.path->GetSegmentUpperBound() < 0)
                d.path->AddStraightSegment(d.endX, d.endY, d.endX, d.endY, 0.0, kGravity);
            m_doc.SetCurrentRockPath(d.path);
            m_doc.RecordEndPoint(d.endX, d.endY);
        }
        m_doc.SetCurrentRockPath(nullptr);
    }

    bool IsDiscRunActive() override { return m_doc.IsDiscRunActive(); }
    void AddDiscFrame(const DiscFrame& f) override
    {
        m_results.AddStateWithMotion(f.ball, f.frame, f.x, f.y, f.theta, f.radius, f.vx, f.vy, f.ax, f.ay, f.mass);
        // A piece of the path for every quarter radius travelled.
        DiscOf(f.ball - m_throwIndex).piece = f.radius / 4;
    }
    void RecordDiscStep(int ball, double x0, double y0, double vx0, double vy0, double x1, double y1, double vx1,
                        double vy1, double mass, double w) override
    {
        Disc& d = DiscOf(ball);
        m_doc.SetCurrentRockPath(d.path);
        m_doc.RecordDiscStep(x0, y0, vx0, vy0, x1, y1, vx1, vy1, mass, w);
        if (!d.started)
            d.Start(x0, y0);
        if (std::hypot(x1 - d.lastX, y1 - d.lastY) >= d.piece)
            d.LineTo(x1, y1);
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
        if (x != d.lastX || y != d.lastY)
            d.LineTo(x, y);
        d.endX = x;
        d.endY = y;
    }

private:
    static constexpr double kGravity = 9.81;
    struct Disc {
        CTalusimRockPath* path = nullptr;
        bool started = false;
        double lastX = 0, lastY = 0;   // where the path's last piece ends
        double endX = 0, endY = 0;
        double piece = 0;
        void Start(double x, double y)
        {
            started = true;
            lastX = endX = x;
            lastY = endY = y;
        }
        void LineTo(double x, double y)
        {
            path->AddStraightSegment(lastX, lastY, x, y, 0.0, kGravity);
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
    CDiscEnt& m_results;
    std::vector<Disc> m_discs;         // every disc of the run, in the order they were thrown
    std::vector<int> m_throwDiscs;     // per ball of the present throw, its disc
    int m_throwIndex = 0;
};

}  // namespace

bool ThrowDiscs(CTalusimDoc* doc, std::string* error)
{
    CREGDatabase& db = *doc->GetDatabase();
    CDiscParameters& block = doc->GetDiscParameters();
    const int rocks = doc->GetRockCount();
    // Every run gets a folder of its own: no other run or document can leave
    // a case there for this one to read.
    const std::string folder = CreateDiscRunFolder();
    if (folder.empty()) {
        const char* message = "Unable to make a folder for the disc program's files.";
        if (error)
            *error = message;
        AfxMessageBox(message);
        return false;
    }

    CString title;
    title.LoadString(IDS_CALCULATING_PATHS);
    CString text;
    text.Format("Rock %d of %d", 1, rocks);
    int* runFlag = doc->GetDiscRunFlag();

    // The earlier results go before the new run starts.
    block.SetFrameCount(0);
    block.SetCurrentStep(0);
    doc->PrepareResults(FALSE);
    doc->GetSettledDiscs().clear();
    if (CEntity* old = doc->GetDiscEntity()) {
        doc->SetDiscEntity(nullptr);
        db.DeleteEntity(old, true);
    }
    db.DeleteMatching(ID_ANY_CATEGORY, CDiscEnt::KIND_ID, ID_ANY_GROUP, true);
    auto* results = new CDiscEnt;
    doc->SetDiscEntity(results);
    block.m_reserved1 = 0;
    block.m_reserved2 = 0;
    // Crossings of the barriers and collectors are recorded as the discs move.
    db.ClearSet(26);
    db.MarkKind(KIND_BARRIER, 26);
    *runFlag = 1;

    std::string failure;
    int seederCount = 0;
    {
        CWorkingDlg working(runFlag, title, text);
        WorkingProgress progress(working);
        DocumentReceiver receiver(*doc, *results);
        NullBuffer nothing;
        std::ostream quiet(&nothing);
        CDisc disc;
        CDiscCaseWriter writer(*doc, CDiscCaseLimits{disc::kMaxWalls, disc::kMaxBalls});
        int frameCount = 0;
        int previousStart = 0;
        for (int i = 0; i < rocks && *runFlag == 1; ++i) {
            CDiscCase written;
            if (!writer.Write(folder, written)) {
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
            if (!disc.Run() && *runFlag == 1) {
                failure = disc.m_context.error.empty() ? "The disc program stopped." : disc.m_context.error;
                break;
            }
        }
        block.SetFrameCount(frameCount);
        if (*runFlag == 1 && failure.empty())
            receiver.RecordEndPoints();
        working.Close();
    }
    std::error_code ec;
    std::filesystem::remove_all(folder, ec);

    const bool cancelled = *runFlag != 1;
    *runFlag = 0;
    db.ClearSet(26);
    results->SetViewSettings(block);
    results->SetDisplayMode(block.GetDisplayMode());
    results->SetSkipCount(block.GetSkipCount());
    results->SetCurrentStep(0);
    db.AddEntity(results, false);
    doc->UpdateAllViews(nullptr);
    if (cancelled || !failure.empty()) {
        // A run that did not finish leaves no disc results and no rock paths.
        doc->ClearRockPaths();
        if (!failure.empty()) {
            if (error)
                *error = failure;
            AfxMessageBox(("The discs could not be thrown:\n" + failure).c_str());
        }
        return false;
    }
    doc->SetModifiedFlag();
    return true;
}
