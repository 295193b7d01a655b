// The rock-fall engine: the path of one rock down a two-dimensional slope.
// It keeps its own compact copy of the model (slope vertices with their
// materials, barrier and collector lines, analysis lines), throws one rock per
// Run and reports everything it finds through five virtual callbacks; it keeps
// no results and knows nothing of windows.
#pragma once

#include <cfloat>
#include <chrono>
#include <vector>

#include "engine/EngineGeometry.h"
#include "engine/FlightParabola.h"
#include "engine/LinesByX.h"
#include "engine/RandomVariables.h"

class CTalusimBarrier;   // the model's barrier or collector; only its pointer is kept

// Kinds of contacts, links and impact entries.
enum : int
{
    ENGINE_KIND_NONE = 0,
    ENGINE_KIND_BARRIER = 8,
    ENGINE_KIND_SEGMENT = 9,
    ENGINE_KIND_END_WALL = 10,
    ENGINE_KIND_TOP = 12,
    ENGINE_KIND_AIR = -100,
};

// Corner codes at the ends of slope segments and barriers.
enum : int
{
    CORNER_PASS = 14,          // a sliding rock goes on past the corner
    CORNER_END = 15,           // a sliding rock's path ends here
    CORNER_BARRIER_END = 16,   // a barrier stands here; the path ends against it
    CORNER_BARRIER_BOUNCE = 17 // a barrier stands here; the rock bounces off it
};

// Result codes of the set-up operations and of Run.
enum : int
{
    ENGINE_OK = 0,
    ENGINE_NO_SLOPE = 1,
    ENGINE_INVALID_PARAMETER = 2,
    ENGINE_OUT_OF_MEMORY = 3,
    ENGINE_DUPLICATE_VERTEX = 4,
    ENGINE_NO_ROCK_START = 6,
    ENGINE_TIME_LIMIT = 7,
    ENGINE_SLOPE_NOT_LEFT_TO_RIGHT = 8,
};

// Common head of the slope-vertex and line records.
struct CEngineElement
{
    CNormalVariable Rn{0.0, 0.0, -DBL_MAX, DBL_MAX};
    CNormalVariable Rt{0.0, 0.0, -DBL_MAX, DBL_MAX};
    int previousLinkKind = -1;
    int previousLinkIndex = -1;
    int nextLinkKind = -1;
    int nextLinkIndex = -1;
    int slidingCount = 0;
    int startCorner = CORNER_PASS;
    int endCorner = CORNER_PASS;
};

// One slope vertex; vertex i >= 1 carries the material of the segment from
// vertex i-1 to vertex i.
struct CEngineVertex : CEngineElement
{
    double x = 0.0;
    double y = 0.0;
    CNormalVariable phi{0.0, 0.0, 0.0, 90.0};            // friction angle, degrees
    CNormalVariable roughness{0.0, 0.0, -90.0, 90.0};    // degrees
};

// A barrier, a data collector or an analysis line.
struct CEngineLine : CEngineElement
{
    bool infiniteCapacity = true;
    double x1 = DBL_MAX, y1 = DBL_MAX, x2 = DBL_MAX, y2 = DBL_MAX;
    double capacity = DBL_MAX;
    bool collector = false;    // the rock passes and is only recorded
    int id = -1;               // analysis lines: the caller's location index
    CTalusimBarrier* entity = nullptr;
};

// The moving rock. Contact (-100, -100) is "in the air".
struct CRockState
{
    double x = 0.0, y = 0.0;
    double vx = 0.0, vy = 0.0;
    double mass = 0.0;
    double omega = 0.0;        // angular velocity, radians per second
    double dx = 0.0, dy = 0.0; // last placement offset
    int contactKind = ENGINE_KIND_AIR;
    int contactIndex = ENGINE_KIND_AIR;
};

// One crossing of the current flight parabola with a line of the model.
struct CImpactEntry
{
    int kind;
    int index;
    double time;
    bool second;   // the later of two crossings of the same line
};

class CTalusimEngine
{
public:
    CTalusimEngine();
    virtual ~CTalusimEngine();

    CTalusimEngine(const CTalusimEngine&) = delete;
    CTalusimEngine& operator=(const CTalusimEngine&) = delete;

    // Set-up, in the order the compute driver calls it.
    void SetDocument(void* context) { m_context = context; }
    void SetMetricUnits();
    void SetImperialUnits();
    int SetMinimumVelocity(double v);
    void SetSlidingVariant() { m_variant = 20; }
    void SetSlidingVariant21() { m_variant = 21; }
    void SetSlidingVariant22() { m_variant = 22; }
    void SetSlidingVariant23() { m_variant = 23; }
    void SetFrictionFromRt(bool flag) { m_frictionFromRt = flag; }
    void SetOptions(bool angularVelocityModel, bool scaleRnByVelocity, bool reserved,
                    bool scaleRnByMass, double K, double C);

    void ClearSlope();
    int AddSlopeSegment(double x, double y, double RnMean, double RnSd, double RtMean, double RtSd,
                        double phiMean, double phiSd, double roughnessSd);
    void ClearBarriers();
    int AddBarrier(double x1, double y1, double x2, double y2, double capacity, CTalusimBarrier* entity,
                   bool collector, double RnMean, double RnSd, double RtMean, double RtSd,
                   bool infiniteCapacity);
    void ClearLocations();
    int AddLocation(double x1, double y1, double x2, double y2, int id);

    void SetRockStart(double x, double y, double vx, double vy, double mass, double angularVelocity);
    int Run();

    double GetGravity() const { return m_gravity; }
    bool IsMetric() const { return m_metric; }

    // A rock still moving after this many steps is stopped and Run returns 7.
    // A step count rather than the clock, so that a fixed seed gives the same
    // paths on every machine and under any load.
    static constexpr long MAX_STEPS_PER_ROCK = 200000;
    // Wall-clock safety net far above any sane run; it only guards against a
    // machine so slow that the step cap alone would freeze the program.
    static constexpr int SAFETY_SECONDS_PER_ROCK = 60;
    // Two segments meeting at a vertex form one straight run when they point
    // the same way and the sine of the turn between them is below this (about
    // 0.06 degrees): it absorbs the rounding of typed, imported and saved
    // coordinates to the millimetre on pieces a few metres long, while a crest
    // of a tenth of a degree still throws a sliding rock into the air.
    static constexpr double STRAIGHT_RUN_TOLERANCE = 1e-3;

protected:
    // The five reports of a run; the base class ignores them.
    virtual void OnFlightSegment(void* context, double x0, double y0, double x1, double y1,
                                 double vx0, double vy0, double g, double mass, double t);
    virtual void OnLocationPassage(void* context, double x, double y, double vx, double vy,
                                   double mass, int locationIndex, int locationId, double omega);
    virtual void OnSlidingSegment(void* context, double x0, double y0, double x1, double y1,
                                  double vx0, double vy0, double vx1, double vy1, double g,
                                  double mass);
    virtual void OnBarrierImpact(void* context, double x, double y, double vx, double vy,
                                 double mass, int lineIndex, CTalusimBarrier* entity, double omega);
    virtual void OnEndPoint(void* context, double x, double y);

    // Links, corner codes, barrier attachments and the model region; redone
    // only after the slope or the barriers changed. Returns 0 or 3.
    int PrepareModel();

    // 14 when A -> B -> C turns clockwise or runs straight; otherwise 15 when
    // the angle at B is 90 degrees or less, else 14.
    static int ClassifyCorner(double ax, double ay, double bx, double by, double cx, double cy);

    // One step: a flight with its impact, or one sliding move. False when the
    // rock's path has ended (it stopped, left the model or hit nothing more).
    bool SimulateRock(CRockState& state);
    void ComputeImpact(CRockState& state, int index, int kind);

    // Sliding result: whether the path goes on, and the barrier corner met.
    struct SlideResult
    {
        bool goesOn;
        int corner;        // 16 or 17 when the move ended at a barrier corner, else 0
        int barrierIndex;
    };
    SlideResult SlideOnSlope(CRockState& state);
    bool SlideOnBarrier(CRockState& state);

    // The analysis locations and data collectors crossed by a flight from
    // start lasting duration, and by a straight piece from (x0, y0) to
    // (x1, y1), reported in list order.
    void ReportFlightCrossings(const CRockState& start, double duration);
    void ReportPieceCrossings(const CRockState& state, double x0, double y0, double x1, double y1,
                              double startSpeed, double factor, bool uphill, double dirX, double dirY);

    // Accessors for the records, in slope and array order.
    const std::vector<CEngineVertex>& GetVertices() const { return m_vertices; }
    const std::vector<CEngineLine>& GetBarriers() const { return m_barriers; }
    const enginegeo::CModelRegion& GetRegion() const { return m_region; }
    double GetTop() const { return m_top; }

private:
    void PrepareLinksAndCorners();
    void AttachBarriers();
    void BuildRegion();
    void PlaceStartPoint(CRockState& state) const;
    // False for a rock start the flight and impact formulas cannot follow: a
    // value that is no finite number, or values so large that the rock's
    // energies overflow on its way down the model.
    bool CanFollow(const CRockState& state) const;
    // The line a flight ends on: the earliest crossing in the air, or the
    // first crossing after the one back through the contact's own line.
    struct FlightTarget
    {
        CImpactEntry entry;
        double x, y;
    };
    enum { TARGET_FOUND, TARGET_NONE, TARGET_CANNOT_LEAVE };
    int FindTarget(const CRockState& state, FlightTarget& target) const;
    const CParabolaLine* LineOf(int kind, int index) const;
    int FirstSegmentEndingAtOrAfter(double x) const;
    int LastSegmentStartingAtOrBefore(double x) const;
    void PrepareLines();
    void PrepareStraightRuns();
    int NearestSegment(double x, double y) const;
    double DrawFrictionAngle(int segment);
    bool SameFriction(int a, int b) const;
    bool PastSafetyNet() const;

    int m_variant = 20;
    bool m_frictionFromRt = false;
    bool m_metric = true;
    double m_C = 100.0;
    double m_K = 10.0;
    bool m_reserved = false;
    bool m_angularModel = false;
    bool m_scaleRnByVelocity = false;
    bool m_scaleRnByMass = false;
    double m_minimumVelocity = 0.22;
    double m_gravity = 9.80665;
    std::chrono::steady_clock::time_point m_runStart;
    int m_startMode = 0;
    CRockState m_initial;
    void* m_context = nullptr;
    double m_topMargin = 100.0;

    std::vector<CEngineVertex> m_vertices;
    std::vector<CEngineLine> m_barriers;
    std::vector<CEngineLine> m_locations;

    // Built from the slope once, reused by every rock until the slope changes.
    enginegeo::CModelRegion m_region;
    double m_top = 0.0;
    double m_bottom = 0.0;   // the lowest slope vertex
    bool m_prepared = false;
    // Every line a flight can meet, prepared for the parabola solver: slope
    // segment j, barrier k, analysis line i, the two end walls and the top.
    std::vector<CParabolaLine> m_segmentLines;
    std::vector<CParabolaLine> m_barrierLines;
    std::vector<CParabolaLine> m_locationLines;
    CParabolaLine m_leftWall{}, m_rightWall{}, m_topLine{};
    // The locations and the collectors by x: a piece of path looks only at
    // those within its own x range.
    CLinesByX m_locationsByX;
    CLinesByX m_collectorsByX;
    // Per slope segment j: its length and inclination, for sliding.
    struct SegmentShape
    {
        double length, thetaDeg, sinTheta, cosTheta;
    };
    std::vector<SegmentShape> m_segmentShapes;
    // Straight runs: m_straightAt[v] tells whether the segments on both sides
    // of vertex v continue each other; segment j belongs to the run of
    // segments m_runFirst[j] .. m_runLast[j].
    std::vector<char> m_straightAt;
    std::vector<int> m_runFirst, m_runLast;
    // The rock's radius depends on its mass only: kept for the last mass seen.
    double m_radiusMass = -1.0;
    double m_radius = 0.0;
    bool m_locationsPrepared = false;
    bool m_slopeRunsRight = false;   // no segment runs right to left
};
