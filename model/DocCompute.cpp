// The compute driver: from the document's model to computed rock paths.
//
// It seeds the one random sequence, sets the engine up from the project
// settings, checks the slope and everything handed to the engine, throws the
// rocks one by one with starting conditions sampled from the seeders, and
// shows progress with Cancel in the Working dialog.
#include "model/DocumentDependencies.h"

#include <cfloat>
#include <cmath>
#include <exception>
#include <tuple>
#include <utility>
#include <vector>

#include "engine/Random.h"
#include "engine/RandomVariables.h"
#include "framework/MessageBox.h"
#include "geometry/SegmentRecords.h"
#include "model/ComputeProgress.h"
#include "model/RunSeeders.h"
#include "res/resource.h"
#include "model/SlopeViewServices.h"

namespace
{
constexpr double MIN_SEGMENT_LENGTH = 0.001;
constexpr double MIN_BARRIER_LENGTH = 0.001;
constexpr double MIN_MASS = 0.001;
constexpr int FIXED_SEED = 190274;

// A computation pumps messages while it runs; nothing reached through them
// may start a second one on top of it.
bool s_bComputing = false;

struct ComputingGuard
{
    ComputingGuard() { s_bComputing = true; }
    ~ComputingGuard() { s_bComputing = false; }
};

// The document keeps its database sorted as entities arrive; sorting after
// every rock path would cost a pass over the whole drawing per rock. The run
// sorts once at its end, and the database sorts itself again afterwards.
struct SortOnceAtEnd
{
    explicit SortOnceAtEnd(CREGDatabase& db) : m_db(db) { m_db.SetAutoSort(false); }
    ~SortOnceAtEnd() { m_db.SetAutoSort(true); }
    CREGDatabase& m_db;
};

// Runs its action when the scope is left by an exception, before whoever
// catches the exception reports it.
template <class Action>
class OnUnwind
{
public:
    explicit OnUnwind(Action action) : m_action(std::move(action)), m_exceptions(std::uncaught_exceptions()) {}
    ~OnUnwind()
    {
        if (std::uncaught_exceptions() > m_exceptions)
            m_action();
    }
    OnUnwind(const OnUnwind&) = delete;
    OnUnwind& operator=(const OnUnwind&) = delete;

private:
    Action m_action;
    int m_exceptions;
};

void ShowExclamation(const CString& text)
{
    AfxMessageBox(text, MB_ICONEXCLAMATION);
}

bool Within(double v, double lo, double hi)
{
    return v >= lo && v <= hi;
}

// What the engine refuses of a slope material, named for the user. Only
// asked after the engine refused one, to tell which value it was.
CString DescribeBadMaterialValue(double rn, double rt, double phi)
{
    CString text;
    if (!Within(rn, 0.0, 1.0))
        text.Format("Rn mean %g (it must lie between 0 and 1)", rn);
    else if (!Within(rt, 0.0, 1.0))
        text.Format("Rt mean %g (it must lie between 0 and 1)", rt);
    else if (!Within(phi, 0.0, 90.0))
        text.Format("friction angle mean %g (it must lie between 0 and 90 degrees)", phi);
    else
        text = "values the calculation cannot use";
    return text;
}

CString DescribeBadBarrierValue(double capacity, double rn, double rt)
{
    CString text;
    if (!(capacity >= 0.0))
        text.Format("capacity %g (it must not be negative)", capacity);
    else if (!Within(rn, 0.0, 1.0))
        text.Format("Rn mean %g (it must lie between 0 and 1)", rn);
    else if (!Within(rt, 0.0, 1.0))
        text.Format("Rt mean %g (it must lie between 0 and 1)", rt);
    else
        text = "values the calculation cannot use";
    return text;
}

CString EntityName(const CEntity* e)
{
    return e->GetName();
}

// Hands the slope and its materials to the engine, left to right. 0 when the
// engine took every vertex; otherwise the engine's refusal, with the message
// for the user in error.
int TransferSlope(CTalusimDoc& doc, CString* error)
{
    CTalusimDocEngine* engine = doc.GetEngine();
    CTalusimSlope* slope = doc.GetSlope();
    if (engine == nullptr || slope == nullptr)
        return ENGINE_NO_SLOPE;
    engine->ClearSlope();
    const int m = slope->GetSlopeVertexCount();
    if (m < 1)
        return ENGINE_NO_SLOPE;
    CPolyVertex first, last;
    slope->GetSlopeVertex(first, 0);
    slope->GetSlopeVertex(last, m - 1);
    const bool reversed = first.x > last.x;
    const bool zeroFriction = doc.GetFrictionAngleMode() == 2;

    for (int step = 0; step < m; ++step)
    {
        const int i = reversed ? m - 1 - step : step;
        CPolyVertex v;
        slope->GetSlopeVertex(v, i);
        int result;
        if (step == 0)
        {
            // The start point carries no material.
            result = engine->AddSlopeSegment(v.x, v.y, 0, 0, 0, 0, 0, 0, 0);
        }
        else
        {
            // Segment i is the one that ends at vertex i.
            const int segment = reversed ? i + 1 : i;
            CTalusimSlopeType* material = slope->GetSegmentMaterial(segment);
            if (material == nullptr)
            {
                if (error != nullptr)
                    error->Format("Unable to perform calculations.\nThe slope segment that ends at vertex %d has "
                                  "no material.",
                                  segment);
                return ENGINE_INVALID_PARAMETER;
            }
            const double phiMean = zeroFriction ? 0.0 : material->GetFrictionAngleMean();
            const double phiSd = zeroFriction ? 0.0 : material->GetFrictionAngleStdDev();
            result = engine->AddSlopeSegment(v.x, v.y, material->GetRnMean(), material->GetRnStdDev(),
                                             material->GetRtMean(), material->GetRtStdDev(), phiMean, phiSd,
                                             material->GetRoughnessStdDev());
            if (result == ENGINE_INVALID_PARAMETER && error != nullptr)
                error->Format("Unable to perform calculations.\nThe material \"%s\" of the slope segment that "
                              "ends at vertex %d has an invalid %s.",
                              static_cast<LPCSTR>(EntityName(material)), segment,
                              static_cast<LPCSTR>(DescribeBadMaterialValue(material->GetRnMean(),
                                                                           material->GetRtMean(), phiMean)));
        }
        if (result != ENGINE_OK)
        {
            if (error != nullptr && error->IsEmpty())
            {
                if (result == ENGINE_OUT_OF_MEMORY)
                    *error = "Unable to allocate memory";
                else
                    error->Format("Unable to perform calculations.\nVertex %d of the slope cannot be used "
                                  "(engine result %d).",
                                  i, result);
            }
            return result;
        }
    }
    return ENGINE_OK;
}

// What the Barrier Editor can change about the barriers and collectors; a
// run's results are thrown away only when some of it changed.
using BarrierState = std::tuple<CEntity*, CString, double, double, double, double, double, bool, int, double,
                                double, double, double, bool>;

std::vector<BarrierState> SnapshotBarriers(CTalusimDoc& doc)
{
    std::vector<BarrierState> out;
    for (CTalusimBarrier* b : CollectAs<CTalusimBarrier>(*doc.GetDatabase(), 20, KIND_BARRIER, 21))
        out.emplace_back(b, EntityName(b), b->GetX1(), b->GetY1(), b->GetX2(), b->GetY2(), b->GetCapacity(),
                         b->HasInfiniteCapacity(), b->GetElasticity(), b->GetRnMean(), b->GetRnStdDev(),
                         b->GetRtMean(), b->GetRtStdDev(), b->IsLengthCheckSkipped());
    return out;
}

void ShowRunSummary(int invalidSlopes, bool sampledSlopes, int invalidMasses, int timeOuts, int unfollowable)
{
    if (sampledSlopes && invalidSlopes > 0)
    {
        CString text;
        text.Format("%d invalid slopes were created when the samples were generated.\nDecreasing the standard "
                    "deviations or increasing vertex separation may correct this problem",
                    invalidSlopes);
        AfxMessageBox(text, MB_OK);
    }
    if (invalidMasses > 0)
    {
        CString text;
        text.Format("%d invalid values for mass were created when the samples were generated.\n(samples generated "
                    "for the mass that are smaller than %g are considered invalid)\nDecreasing the standard "
                    "deviation for the mass may correct this problem.",
                    invalidMasses, MIN_MASS);
        AfxMessageBox(text, MB_OK);
    }
    // One report for all the rocks that ran out of steps, not one per rock.
    if (timeOuts > 0)
        AfxMessageBox(IDS_TIME_OUT, MB_OK);
    // A rock the engine could not follow has no path and no result (one it
    // lost part-way keeps what it got): the user hears how many, and why,
    // instead of reading garbage as a result.
    if (unfollowable > 0)
    {
        CString text;
        text.Format("%d rocks could not be computed: a value sampled for them (start point, velocity, mass or "
                    "angular velocity) was not a finite number, or too large for their flight to be computed.\n"
                    "They are not part of the results (one lost part-way ends where it was lost). Decreasing the "
                    "means or standard deviations of the seeders may correct this problem.",
                    unfollowable);
        AfxMessageBox(text, MB_OK);
    }
}
} // namespace

void CTalusimDoc::OnCompute()
{
    RunSimulation(TRUE);
}

void CTalusimDoc::SetOuterProgress(BOOL active, int index, int total)
{
    m_bWizardActive = active != FALSE;
    m_nWizardIndex = index;
    m_nWizardTotal = total;
}

bool CTalusimDoc::RunSimulation(BOOL showProgress, CRunSummary* summary)
{
    if (s_bComputing || m_pEngine == nullptr || m_pSlope == nullptr)
        return false;
    ComputingGuard computing;

    // One random sequence per computation, seeded as the project asks.
    switch (m_nRandomMode)
    {
    case RANDOM_TIME:
        SeedRandom(static_cast<unsigned int>(::GetTickCount()));
        break;
    case RANDOM_FIXED:
        SeedRandom(FIXED_SEED);
        break;
    case RANDOM_USER:
        SeedRandom(static_cast<unsigned int>(m_nRandomSeed));
        break;
    default:
        break;
    }

    ResetSeederProbability();

    // The engine's settings; a value it refuses stops the run.
    m_pEngine->SetDocument(this);
    if (m_bMetric)
        m_pEngine->SetMetricUnits();
    else
        m_pEngine->SetImperialUnits();
    if (m_pEngine->SetMinimumVelocity(m_dMinimumVelocity) != ENGINE_OK)
    {
        CString text;
        text.Format("Unable to perform calculations.\nThe minimum velocity %g is invalid: it must not be negative.",
                    m_dMinimumVelocity);
        ShowExclamation(text);
        return false;
    }
    switch (m_nEngineVariant)
    {
    case 2401: m_pEngine->SetSlidingVariant(); break;
    case 2402: m_pEngine->SetSlidingVariant21(); break;
    case 2403: m_pEngine->SetSlidingVariant22(); break;
    case 2404: m_pEngine->SetSlidingVariant23(); break;
    default: break;
    }
    m_pEngine->SetFrictionFromRt(m_nFrictionAngleMode == 1);
    m_pEngine->SetOptions(m_bConsiderAngularVelocity, m_bScaleRnByVelocity, false, m_bScaleRnByMass,
                          m_dRnVelocityConstant, m_dRnMassConstant);

    // The model must be one the engine can run; the user is told why not.
    if (ValidateSlope(TRUE))
        return false;
    if (CollectEntities(m_database, CAT_PLACED, KIND_SEEDER, 21).empty())
        return false;
    if (m_nLocations < 2)
    {
        CString text;
        text.Format("Unable to perform calculations.\nThe number of analysis locations (%d) must be at least 2.",
                    m_nLocations);
        ShowExclamation(text);
        return false;
    }

    // Sampling moves the slope's vertices; they are put back at the end.
    m_pSlope->SaveVertices();

    CString error;
    if (TransferSlope(*this, &error) != ENGINE_OK)
    {
        ShowExclamation(error);
        return false;
    }
    if (TransferBarriersToEngine())
        return false;

    PrepareResults(TRUE);

    CString title;
    title.LoadString(IDS_CALCULATING_PATHS);
    int run = 1;
    CComputeProgress progress(showProgress != FALSE, &run, title, m_bWizardActive, m_nWizardIndex,
                              m_nWizardTotal);

    SetModifiedFlag(TRUE);
    const CRunSeeders seeders(*this);
    const SortOnceAtEnd sorting(m_database);
    // A failure inside the loop (out of memory included) ends the run where it
    // is; before it is reported the run puts back what it changed.
    CVector2D rockStart(DBL_MAX, DBL_MAX);
    const CTalusimRockPath* const pathBefore = m_pCurrentRockPath;
    const OnUnwind failed([&]() noexcept { EndFailedRun(rockStart, pathBefore); });
    int invalidSlopes = 0;
    int invalidMasses = 0;
    int timeOuts = 0;
    int unfollowable = 0;
    const unsigned rocks = m_nRocks > 0 ? static_cast<unsigned>(m_nRocks) : 0u;

    for (unsigned k = 0; k < rocks && run != 0 && !progress.IsQuitting(); ++k)
    {
        bool slopeValid = true;
        if (m_bGenerateSlopeSamples)
        {
            SampleSlopeVertices();
            if (ValidateSlope(FALSE) || TransferSlope(*this, nullptr) != ENGINE_OK)
            {
                slopeValid = false;
                ++invalidSlopes;
            }
        }

        CVector2D start(0.0, 0.0), velocity(0.0, 0.0);
        double mass = 0.0, angularVelocity = 0.0;
        SampleRockStart(start, velocity, mass, angularVelocity);
        const bool massValid = mass >= MIN_MASS;
        if (!massValid)
            ++invalidMasses;
        if (!slopeValid || !massValid)
            continue;

        ReserveRockFiling();
        rockStart = start;
        auto* path = new CTalusimRockPath;
        path->SetColour(m_crPathColour);
        path->SetAltColour(m_crFilteredPathColour);
        path->UseStore(&m_pathSegments);
        m_pCurrentRockPath = path;
        m_database.AddEntity(path, false);

        // Cancel is noticed here: this rock is still thrown, the next is not.
        progress.BeforeRock(k, rocks);

        m_pEngine->SetRockStart(start.x, start.y, velocity.x, velocity.y, mass, angularVelocity);
        const int result = m_pEngine->Run();
        if (result == ENGINE_TIME_LIMIT)
            ++timeOuts;
        if (result == ENGINE_INVALID_PARAMETER)
            ++unfollowable;
        if (result == ENGINE_NO_SLOPE || result == ENGINE_OUT_OF_MEMORY || result == ENGINE_NO_ROCK_START ||
            result == ENGINE_SLOPE_NOT_LEFT_TO_RIGHT || result == ENGINE_INVALID_PARAMETER)
        {
            // The engine refused this rock (or could not follow it): no path to
            // keep. One it lost part-way has reported pieces, and passages and
            // hits that point to it: it stays, ending at its last piece.
            const bool filed = GetRockPathCount() > 0 && m_rockPaths[GetRockPathCount() - 1] == path;
            const CVector2D last = path->GetLastPoint();
            if (!filed && last.x != DBL_MAX)
            {
                RecordEndPoint(last.x, last.y);
            }
            else if (!filed)
            {
                m_database.DeleteEntity(path, false);
                m_pCurrentRockPath = GetRockPathCount() > 0 ? m_rockPaths[GetRockPathCount() - 1] : nullptr;
            }
        }
        if (result == ENGINE_OUT_OF_MEMORY)
        {
            progress.Close();
            AfxMessageBox("Unable to allocate memory", MB_OK);
            break;
        }
    }
    const bool quitting = progress.IsQuitting();

    // A cancelled or stopped run ends like a finished one: the rocks thrown so
    // far stay, the slope is put back and the views are brought up to date.
    progress.Close();
    FocusCommandLine();

    m_pSlope->RestoreVertices();

    // A quitting application gets no more questions; a caller that runs many
    // computations collects their reports and tells the user once.
    CRunSummary report{invalidSlopes, m_bGenerateSlopeSamples, invalidMasses, timeOuts};
    report.unfollowable = unfollowable;
    if (summary != nullptr)
        summary->Add(report);
    else if (!quitting)
        ReportRunSummary(report);

    // The views are brought up to date once, now.
    OnSimulationFinished();
    m_database.SortEntities(72);
    UpdateAllViews(nullptr, 0, nullptr);
    return true;
}

void CTalusimDoc::ReserveRockFiling()
{
    // An array keeps its room when it shrinks (only emptying it lets go).
    const int n = m_endPoints.GetSize();
    if (n == 0 || m_rockPaths.GetSize() != n)
        return;
    m_endPoints.SetSize(n + 1);
    m_endPoints.SetSize(n);
    m_rockPaths.SetSize(n + 1);
    m_rockPaths.SetSize(n);
}

void CTalusimDoc::EndFailedRun(const CVector2D& start, const CTalusimRockPath* pathBefore) noexcept
{
    // The rock being thrown keeps the pieces it got and ends at the last of
    // them (at its start when it has none), like a rock the engine stopped:
    // its passages and hits point to it already. A path the drawing never
    // took in is no rock at all.
    try
    {
        CTalusimRockPath* path = m_pCurrentRockPath;
        const int filed = GetRockPathCount();
        if (path != nullptr && path != pathBefore && (filed == 0 || m_rockPaths[filed - 1] != path))
        {
            bool drawn = false;
            for (int i = 0; i < m_database.GetEntityCount() && !drawn; ++i)
                drawn = m_database.GetEntityAt(i) == path;
            CVector2D end = path->GetLastPoint();
            if (end.x == DBL_MAX)
                end = start;
            if (drawn && end.x != DBL_MAX)
            {
                RecordEndPoint(end.x, end.y);
            }
            else if (!drawn)
            {
                delete path;
                m_pCurrentRockPath = filed > 0 ? m_rockPaths[filed - 1] : nullptr;
            }
        }
    }
    catch (...)
    {
        // Memory too short even for that: the path stays as the failure left it.
    }
    try
    {
        m_pSlope->RestoreVertices();
        m_database.SortEntities(72);
        UpdateAllViews(nullptr, 0, nullptr);
    }
    catch (...)
    {
    }
}

void CTalusimDoc::ReportRunSummary(const CRunSummary& run)
{
    ShowRunSummary(run.invalidSlopes, run.sampledSlopes, run.invalidMasses, run.timeOuts, run.unfollowable);
}

BOOL CTalusimDoc::ValidateSlope(BOOL report)
{
    CTalusimSlope* slope = m_pSlope;
    if (slope == nullptr)
        return TRUE;
    const int n = slope->GetLastVertexIndex();
    if (n < 1)
        return TRUE;

    std::vector<CPolyVertex> v(static_cast<size_t>(n) + 1);
    for (int i = 0; i <= n; ++i)
        slope->GetSlopeVertex(v[static_cast<size_t>(i)], i);

    for (int i = 1; i <= n; ++i)
    {
        const CPolyVertex& a = v[static_cast<size_t>(i - 1)];
        const CPolyVertex& b = v[static_cast<size_t>(i)];
        if (!(std::hypot(b.x - a.x, b.y - a.y) >= MIN_SEGMENT_LENGTH))
        {
            if (report)
            {
                CString text;
                text.Format(IDS_SEGMENT_TOO_SHORT, MIN_SEGMENT_LENGTH, i);
                ShowExclamation(text);
            }
            return TRUE;
        }
    }

    if (!(std::fabs(v[0].x - v[static_cast<size_t>(n)].x) >= MIN_SEGMENT_LENGTH))
    {
        if (report)
        {
            CString text;
            text.Format(IDS_ENDS_TOO_CLOSE, MIN_SEGMENT_LENGTH);
            ShowExclamation(text);
        }
        return TRUE;
    }

    // Neither end vertex may lie under the slope: a rock started above the
    // slope must meet it from above.
    CSegmentIntersector upFromFirst, upFromLast;
    upFromFirst.SetSegmentB(v[0].x, v[0].y, v[0].x, v[0].y + 100.0);
    upFromLast.SetSegmentB(v[static_cast<size_t>(n)].x, v[static_cast<size_t>(n)].y, v[static_cast<size_t>(n)].x,
                           v[static_cast<size_t>(n)].y + 100.0);
    for (int j = 2; j <= n - 1; ++j)
    {
        const CPolyVertex& a = v[static_cast<size_t>(j - 1)];
        const CPolyVertex& b = v[static_cast<size_t>(j)];
        upFromFirst.SetSegmentA(a.x, a.y, b.x, b.y);
        upFromLast.SetSegmentA(a.x, a.y, b.x, b.y);
        if (upFromFirst.Compute() || upFromLast.Compute())
        {
            if (report)
                AfxMessageBox(IDS_END_BELOW_SLOPE, MB_OK);
            return TRUE;
        }
    }

    if (slope->IsSelfIntersecting())
    {
        if (report)
            AfxMessageBox(IDS_SEGMENTS_CROSS, MB_OK);
        return TRUE;
    }

    // A segment without a material cannot be handed to the engine.
    for (int i = 1; i <= n; ++i)
    {
        if (slope->GetSegmentMaterial(i) == nullptr)
        {
            if (report)
            {
                CString text;
                text.Format("Unable to perform calculations.\nThe slope segment that ends at vertex %d has no "
                            "material.\nAssign a material to it in the Slope Editor.",
                            i);
                ShowExclamation(text);
            }
            return TRUE;
        }
    }
    return FALSE;
}

void CTalusimDoc::TransferSlopeToEngine()
{
    TransferSlope(*this, nullptr);
}

BOOL CTalusimDoc::TransferBarriersToEngine()
{
    if (m_pEngine == nullptr)
        return FALSE;
    m_pEngine->ClearBarriers();
    for (CTalusimBarrier* b : CollectAs<CTalusimBarrier>(m_database, 20, KIND_BARRIER, 21))
    {
        if (CheckBarrierLength(b))
            return TRUE;
        const bool collector = b->IsLengthCheckSkipped();
        const int result = m_pEngine->AddBarrier(b->GetX1(), b->GetY1(), b->GetX2(), b->GetY2(), b->GetCapacity(), b,
                                                 collector, b->GetRnMean(), b->GetRnStdDev(), b->GetRtMean(),
                                                 b->GetRtStdDev(), b->HasInfiniteCapacity());
        if (result == ENGINE_OK)
            continue;
        // A barrier the engine refused would let rocks pass where the user drew it.
        CString text;
        if (result == ENGINE_OUT_OF_MEMORY)
            text = "Unable to allocate memory";
        else
            text.Format("Unable to perform calculations.\nThe %s \"%s\" has an invalid %s.",
                        collector ? "data collector" : "barrier", static_cast<LPCSTR>(EntityName(b)),
                        static_cast<LPCSTR>(DescribeBadBarrierValue(b->GetCapacity(), b->GetRnMean(),
                                                                    b->GetRtMean())));
        ShowExclamation(text);
        return TRUE;
    }
    return FALSE;
}

BOOL CTalusimDoc::CheckBarrierLength(CTalusimBarrier* pBarrier)
{
    if (pBarrier == nullptr || pBarrier->IsLengthCheckSkipped())
        return FALSE;
    const double length = std::hypot(pBarrier->GetX2() - pBarrier->GetX1(), pBarrier->GetY2() - pBarrier->GetY1());
    if (length >= MIN_BARRIER_LENGTH)
        return FALSE;
    CString text;
    text.Format(IDS_BARRIER_TOO_SHORT, MIN_BARRIER_LENGTH);
    if (AfxMessageBox(text, MB_YESNO | MB_ICONEXCLAMATION) == IDYES)
    {
        const std::vector<BarrierState> before = SnapshotBarriers(*this);
        SlopeViewServices().RunBarrierEditor(this, pBarrier);
        // Results are thrown away only when the editor changed something.
        if (SnapshotBarriers(*this) != before)
        {
            ClearRockPaths();
            UpdateAllViews(nullptr, 0, nullptr);
        }
    }
    return TRUE;
}

void CTalusimDoc::PrepareResults(BOOL withEngine)
{
    // Exactly one record per location: fewer locations than last time leave
    // no stale records behind.
    const int n = m_nLocations > 0 ? m_nLocations : 0;
    m_locationMaxima.SetSize(n);
    m_distributions.SetSize(n);
    TakeSampleRoom();
    if (withEngine && m_pEngine != nullptr)
        m_pEngine->ClearLocations();
    if (m_pSlope == nullptr)
        return;

    CVector2D upperLeft, lowerRight;
    GetSlopeExtents(upperLeft, lowerRight);
    const double left = upperLeft.x;
    const double right = lowerRight.x;
    const double step = n > 1 ? (right - left) / (n - 1) : 0.0;
    const double top = upperLeft.y;
    const double bottom = lowerRight.y;
    for (int i = 0; i < n; ++i)
    {
        // The last location sits exactly on the slope's right end, where
        // rounding could otherwise put it just off the slope.
        const double x = (i == n - 1 && n > 1) ? right : left + i * step;
        m_locationMaxima[i].SetLocation(x);
        m_locationMaxima[i].SetSlopeHeight(m_pSlope->GetHeightAt(x));
        if (withEngine && m_pEngine != nullptr)
            m_pEngine->AddLocation(x, top + 100.0, x, bottom - 10.0, i);
    }
    if (withEngine && m_pEngine != nullptr)
    {
        // Catches every rock that leaves the slope downwards.
        m_pEngine->AddLocation(left - 1000.0, bottom - 10.0, right + 1000.0, bottom - 10.0, -1);
    }
}

void CTalusimDoc::SampleSlopeVertices()
{
    CTalusimSlope* slope = m_pSlope;
    if (slope == nullptr)
        return;
    // Every rock samples around the drawn slope, not around the previous sample.
    slope->RestoreVertices();
    const int n = slope->GetLastVertexIndex();
    for (int i = 0; i <= n; ++i)
    {
        CPolyVertex v;
        slope->GetSlopeVertex(v, i);
        CNormalVariable xs(v.x, v.auxA, -DBL_MAX, DBL_MAX);
        const double x = xs.Sample();
        CNormalVariable ys(v.y, v.auxB, -DBL_MAX, DBL_MAX);
        const double y = ys.Sample();
        slope->SetSlopeVertex(i, x, y);
    }
}

void CTalusimDoc::OpenSlopeEditorAt(const CVector2D& point, int pickKind)
{
    CTalusimSlope* slope = m_pSlope;
    int kind = PICK_NONE;
    int index = -1;
    if (slope != nullptr && pickKind == PICK_VERTEX)
    {
        // The vertex at the picked point (the view snaps a vertex pick onto it).
        for (int i = 0; i < slope->GetSlopeVertexCount(); ++i)
        {
            if (slope->GetVertexPoint(i).ApproxEqual(point))
            {
                kind = PICK_VERTEX;
                index = i;
                break;
            }
        }
    }
    else if (slope != nullptr && pickKind == PICK_SEGMENT)
    {
        kind = PICK_SEGMENT;
        index = slope->FindNearestSegment(point.x, point.y, false);
    }
    RunSlopeEditor(kind, index);
}

