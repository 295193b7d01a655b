// Set-up, validation and the run loop of the engine.
#include "engine/TalusimEngine.h"

#include <algorithm>
#include <cmath>
#include <new>

#include "geometry/Constants.h"

namespace
{
// Closed-interval test that also refuses NaN.
bool Within(double v, double lo, double hi)
{
    return v >= lo && v <= hi;
}
} // namespace

CTalusimEngine::CTalusimEngine()
{
    m_vertices.reserve(20);
    m_barriers.reserve(12);
    m_locations.reserve(50);
}

CTalusimEngine::~CTalusimEngine() = default;

void CTalusimEngine::SetMetricUnits()
{
    m_metric = true;
    m_gravity = 9.80665;
    m_radiusMass = -1.0;
}

void CTalusimEngine::SetImperialUnits()
{
    m_metric = false;
    m_gravity = 32.0;
    m_radiusMass = -1.0;
}

int CTalusimEngine::SetMinimumVelocity(double v)
{
    if (!(v >= 0.0))
        return ENGINE_INVALID_PARAMETER;
    m_minimumVelocity = v;
    return ENGINE_OK;
}

void CTalusimEngine::SetOptions(bool angularVelocityModel, bool scaleRnByVelocity, bool reserved,
                                bool scaleRnByMass, double K, double C)
{
    m_angularModel = angularVelocityModel;
    m_scaleRnByVelocity = scaleRnByVelocity;
    m_reserved = reserved;
    m_scaleRnByMass = scaleRnByMass;
    m_K = K;
    m_C = C;
}

void CTalusimEngine::ClearSlope()
{
    m_vertices.clear();
    m_prepared = false;
}

int CTalusimEngine::AddSlopeSegment(double x, double y, double RnMean, double RnSd, double RtMean,
                                    double RtSd, double phiMean, double phiSd, double roughnessSd)
{
    if (!Within(phiMean, 0.0, 90.0) || !Within(RnMean, 0.0, 1.0) || !Within(RtMean, 0.0, 1.0))
        return ENGINE_INVALID_PARAMETER;
    if (!m_vertices.empty() && m_vertices.back().x == x && m_vertices.back().y == y)
        return ENGINE_DUPLICATE_VERTEX;
    try
    {
        CEngineVertex v;
        v.x = x;
        v.y = y;
        v.Rn.Set(RnMean, RnSd, 0.0, 1.0);
        v.Rt.Set(RtMean, RtSd, 0.0, 1.0);
        v.phi.Set(phiMean, phiSd, 0.0, 90.0);
        if (!m_vertices.empty())
            v.roughness.Set(0.0, roughnessSd, -90.0, 90.0);
        m_vertices.push_back(v);
    }
    catch (const std::bad_alloc&)
    {
        return ENGINE_OUT_OF_MEMORY;
    }
    m_prepared = false;
    return ENGINE_OK;
}

void CTalusimEngine::ClearBarriers()
{
    m_barriers.clear();
    m_prepared = false;
}

int CTalusimEngine::AddBarrier(double x1, double y1, double x2, double y2, double capacity,
                               CTalusimBarrier* entity, bool collector, double RnMean, double RnSd,
                               double RtMean, double RtSd, bool infiniteCapacity)
{
    if (!(capacity >= 0.0) || !Within(RnMean, 0.0, 1.0) || !Within(RtMean, 0.0, 1.0))
        return ENGINE_INVALID_PARAMETER;
    try
    {
        CEngineLine line;
        line.infiniteCapacity = infiniteCapacity;
        line.x1 = x1;
        line.y1 = y1;
        line.x2 = x2;
        line.y2 = y2;
        line.capacity = capacity;
        line.collector = collector;
        line.entity = entity;
        line.Rn.Set(RnMean, RnSd, 0.0, 1.0);
        line.Rt.Set(RtMean, RtSd, 0.0, 1.0);
        m_barriers.push_back(line);
    }
    catch (const std::bad_alloc&)
    {
        return ENGINE_OUT_OF_MEMORY;
    }
    m_prepared = false;
    return ENGINE_OK;
}

void CTalusimEngine::ClearLocations()
{
    m_locations.clear();
    m_locationsPrepared = false;
}

int CTalusimEngine::AddLocation(double x1, double y1, double x2, double y2, int id)
{
    try
    {
        CEngineLine line;
        line.x1 = x1;
        line.y1 = y1;
        line.x2 = x2;
        line.y2 = y2;
        line.id = id;
        m_locations.push_back(line);
        m_locationsPrepared = false;
    }
    catch (const std::bad_alloc&)
    {
        return ENGINE_OUT_OF_MEMORY;
    }
    return ENGINE_OK;
}

void CTalusimEngine::SetRockStart(double x, double y, double vx, double vy, double mass,
                                  double angularVelocity)
{
    m_initial.x = x;
    m_initial.y = y;
    m_initial.vx = vx;
    m_initial.vy = vy;
    m_initial.mass = mass;
    m_initial.omega = angularVelocity;
    m_startMode = 1;
}

int CTalusimEngine::PrepareModel()
{
    try
    {
        if (!m_prepared)
        {
            PrepareLinksAndCorners();
            AttachBarriers();
            BuildRegion();
            PrepareLines();
            m_prepared = true;
        }
        if (!m_locationsPrepared)
        {
            m_locationLines.resize(m_locations.size());
            for (size_t i = 0; i < m_locations.size(); ++i)
            {
                const CEngineLine& l = m_locations[i];
                m_locationLines[i].Set(l.x1, l.y1, l.x2, l.y2);
            }
            m_locationsByX.Build(m_locationLines);
            m_locationsPrepared = true;
        }
    }
    catch (const std::bad_alloc&)
    {
        m_region.Clear();
        m_prepared = false;
        return ENGINE_OUT_OF_MEMORY;
    }
    return ENGINE_OK;
}

void CTalusimEngine::PrepareLines()
{
    const int n = static_cast<int>(m_vertices.size()) - 1;
    m_segmentLines.resize(n);
    m_segmentShapes.resize(n);
    m_slopeRunsRight = true;
    for (int j = 0; j < n; ++j)
    {
        const double dx = m_vertices[j + 1].x - m_vertices[j].x;
        const double dy = m_vertices[j + 1].y - m_vertices[j].y;
        if (dx < 0.0)
            m_slopeRunsRight = false;
        m_segmentLines[j].Set(m_vertices[j].x, m_vertices[j].y, m_vertices[j + 1].x, m_vertices[j + 1].y);
        const double length = std::sqrt(dx * dx + dy * dy);
        const double theta = std::acos(std::fabs(dx) / length);
        m_segmentShapes[j] = {length, theta * RAD_TO_DEG, std::sin(theta),
                              std::cos(theta)};
    }
    PrepareStraightRuns();
    m_barrierLines.resize(m_barriers.size());
    for (size_t k = 0; k < m_barriers.size(); ++k)
    {
        const CEngineLine& b = m_barriers[k];
        m_barrierLines[k].Set(b.x1, b.y1, b.x2, b.y2);
    }
    std::vector<char> collectors(m_barriers.size());
    for (size_t k = 0; k < m_barriers.size(); ++k)
        collectors[k] = m_barriers[k].collector;
    m_collectorsByX.Build(m_barrierLines, &collectors);
    m_leftWall.Set(m_vertices[0].x, m_vertices[0].y, m_vertices[0].x, m_top);
    m_rightWall.Set(m_vertices[n].x, m_vertices[n].y, m_vertices[n].x, m_top);
    m_topLine.Set(m_vertices[0].x, m_top, m_vertices[n].x, m_top);
}

void CTalusimEngine::PrepareStraightRuns()
{
    const int n = static_cast<int>(m_vertices.size()) - 1;
    m_straightAt.assign(n + 1, 0);
    for (int v = 1; v < n; ++v)
    {
        const double ax = m_vertices[v].x - m_vertices[v - 1].x, ay = m_vertices[v].y - m_vertices[v - 1].y;
        const double bx = m_vertices[v + 1].x - m_vertices[v].x, by = m_vertices[v + 1].y - m_vertices[v].y;
        const double la = std::sqrt(ax * ax + ay * ay), lb = std::sqrt(bx * bx + by * by);
        if (la == 0.0 || lb == 0.0)
            continue;
        const double dot = ax * bx + ay * by;
        const double cross = ax * by - ay * bx;
        m_straightAt[v] = dot > 0.0 && std::fabs(cross / (la * lb)) < STRAIGHT_RUN_TOLERANCE;
    }
    m_runFirst.resize(n);
    m_runLast.resize(n);
    for (int j = 0; j < n; ++j)
        m_runFirst[j] = j > 0 && m_straightAt[j] ? m_runFirst[j - 1] : j;
    for (int j = n - 1; j >= 0; --j)
        m_runLast[j] = j + 1 < n && m_straightAt[j + 1] ? m_runLast[j + 1] : j;
}

bool CTalusimEngine::PastSafetyNet() const
{
    return std::chrono::steady_clock::now() - m_runStart >= std::chrono::seconds(SAFETY_SECONDS_PER_ROCK);
}

int CTalusimEngine::Run()
{
    m_runStart = std::chrono::steady_clock::now();

    if (m_vertices.size() < 2)
        return ENGINE_NO_SLOPE;
    if (m_vertices.front().x > m_vertices.back().x)
        return ENGINE_SLOPE_NOT_LEFT_TO_RIGHT;

    const int prepared = PrepareModel();
    if (prepared != ENGINE_OK)
        return prepared;

    for (CEngineVertex& v : m_vertices)
        v.slidingCount = 0;
    for (CEngineLine& b : m_barriers)
        b.slidingCount = 0;

    if (m_startMode != 1)
        return ENGINE_NO_ROCK_START;

    // A rock the engine cannot follow is refused before anything is
    // reported: its path would be garbage (every crossing lost, the end point
    // where it began, velocities beyond the doubles in the results).
    CRockState state = m_initial;
    if (!CanFollow(state))
        return ENGINE_INVALID_PARAMETER;
    PlaceStartPoint(state);
    state.contactKind = ENGINE_KIND_AIR;
    state.contactIndex = ENGINE_KIND_AIR;

    // The loop ends when two steps in a row leave the rock at or below the
    // minimum speed (or past the step cap), or at once when the path ends.
    long steps = 0;
    bool timedOut = false;
    bool previousFailed = false;
    for (;;)
    {
        if (!SimulateRock(state))
            break;
        ++steps;
        // The clock is only read now and then: it is a safety net, not the rule.
        if ((steps & 4095) == 0 && PastSafetyNet())
            timedOut = true;
        if (steps >= MAX_STEPS_PER_ROCK)
            timedOut = true;
        const double speed = std::sqrt(state.vx * state.vx + state.vy * state.vy);
        const bool passes = speed > m_minimumVelocity && !timedOut;
        if (passes)
        {
            previousFailed = false;
            continue;
        }
        if (previousFailed)
            break;
        previousFailed = true;
    }

    // From inside the model a flight always meets one of its lines; a first
    // flight that meets none could not be computed (its numbers overflowed).
    // Neither it nor a rock whose state stopped being finite has an end point.
    const bool noFlight = steps == 0 && state.contactKind == ENGINE_KIND_NONE;
    if (noFlight || !std::isfinite(state.x) || !std::isfinite(state.y))
        return ENGINE_INVALID_PARAMETER;
    OnEndPoint(m_context, state.x, state.y);
    return timedOut ? ENGINE_TIME_LIMIT : ENGINE_OK;
}

bool CTalusimEngine::CanFollow(const CRockState& state) const
{
    const double values[] = {state.x, state.y, state.vx, state.vy, state.mass, state.omega};
    for (double v : values)
        if (!std::isfinite(v))
            return false;
    // The largest energy the rock can carry: what it starts with and what
    // falling through the whole model adds. The rotational impact model
    // multiplies it by the radius squared; that product must stay a number.
    const double m = std::fabs(state.mass);
    const double r = std::cbrt(3.0 * m / (4.0 * PI * RockDensity(m_metric)));
    const double inertia = 0.4 * m * r * r;
    const double drop = std::max(0.0, m_top - std::min(m_bottom, state.y));
    const double speed2 = state.vx * state.vx + state.vy * state.vy + 2.0 * m_gravity * drop;
    const double energy = inertia * state.omega * state.omega + m * speed2;
    return std::isfinite(r * r * energy) && std::isfinite(inertia + m * r * r);
}

void CTalusimEngine::OnFlightSegment(void*, double, double, double, double, double, double, double,
                                     double, double)
{
}

void CTalusimEngine::OnLocationPassage(void*, double, double, double, double, double, int, int, double)
{
}

void CTalusimEngine::OnSlidingSegment(void*, double, double, double, double, double, double, double,
                                      double, double, double)
{
}

void CTalusimEngine::OnBarrierImpact(void*, double, double, double, double, double, int,
                                     CTalusimBarrier*, double)
{
}

void CTalusimEngine::OnEndPoint(void*, double, double)
{
}
