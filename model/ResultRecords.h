// The plain records that hold the results of a computation: what passed each
// horizontal analysis location, the envelope there, one impact on a barrier
// or collector, and the display settings of a disc-element run.
#pragma once

#include <cfloat>
#include <memory>
#include <vector>
#include "framework/Afx.h"
#include "geometry/Vector2D.h"

class CTalusimRockPath;

// Distribution kinds, shared with the graphs.
enum DistributionKind {
    DIST_BOUNCE_HEIGHT = 2901,
    DIST_TOTAL_ENERGY = 2902,           // translational + rotational, computed
    DIST_TRANSLATIONAL_ENERGY = 2903,
    DIST_ROTATIONAL_ENERGY = 2904,
    DIST_VELOCITY = 2905,
    DIST_ANGULAR_VELOCITY = 2906,
};

// Every rock that passed one horizontal location, in the order they passed.
//
// A location collects a passage from nearly every rock, tens of thousands in
// a computation: the passages are kept in chunks that never move, so adding
// one never copies the others. The chunks grow with what the location holds,
// each as large as all before it, up to a block; then a block at a time. A
// location that few rocks pass takes a few kilobytes, not a block.
class CDistributionSamples
{
public:
    CDistributionSamples() = default;
    // A copy takes the room its passages need, no more.
    CDistributionSamples(const CDistributionSamples& other);
    CDistributionSamples& operator=(const CDistributionSamples& other);
    // What is moved from is left empty.
    CDistributionSamples(CDistributionSamples&& other) noexcept;
    CDistributionSamples& operator=(CDistributionSamples&& other) noexcept;

    void ClearAll();
    // Empty, but keeps the chunks: the next computation fills the same
    // memory instead of asking the system for fresh pages.
    void Empty();
    void Swap(CDistributionSamples& other) noexcept;
    // How many samples fit without taking more memory.
    size_t GetCapacity() const;
    void AddSample(double height, double translationalEnergy, double rotationalEnergy,
                   double velocity, double angularVelocity, CTalusimRockPath* path);

    // -1 for a kind that is not a distribution.
    int GetCount(int kind) const;
    // DBL_MAX for a kind that is not a distribution; i must be in range.
    double GetValue(int i, int kind) const;
    // Null when the record was read from an archive, which keeps no paths.
    CTalusimRockPath* GetRockPath(int i) const;
    // Both stay DBL_MAX for an unknown kind or no sample.
    void GetRange(double& min, double& max, int kind) const;

    // Each value in an array of its own, a count and the values, as the class
    // library's arrays are written, then the paths' array.
    void Serialize(CArchive& ar);
    // The older three-array form: read and dropped, written empty.
    void SerializeLegacyArrays(CArchive& ar);

    // Passages a block holds (768 kB). A location that fills blocks takes one
    // allocation per 16,384 passages, its pages touched only as passages fill
    // them; before that it grows through chunks of 64, 64, 128, ... 8,192
    // passages (a block's worth together), so that one few rocks pass takes a
    // few kilobytes.
    static constexpr size_t kBlockPassages = 16384;
    static constexpr size_t kFirstChunkPassages = 64;

private:
    struct Passage
    {
        double height;
        double angularVelocity;
        double velocity;
        double rotationalEnergy;
        double translationalEnergy;
        CTalusimRockPath* path;
    };

    // Chunks 0 to 8 grow up to a block; the rest are blocks.
    static constexpr size_t kGrowingChunks = 9;
    // The chunk that holds passage i, and its place there.
    static size_t ChunkOf(size_t i, size_t& place);
    static size_t ChunkPassages(size_t chunk);
    const Passage& At(size_t i) const;
    Passage& At(size_t i);
    // The place of one more passage, counted and with its room taken, for
    // the caller to construct the passage in.
    void* Append();
    // Stores or loads one value of every passage as one array.
    void SerializeColumn(CArchive& ar, double Passage::*member);

    std::vector<std::unique_ptr<Passage[]>> m_chunks;
    size_t m_count = 0;
};

// An array of samples records goes into an archive record by record.
void SerializeElements(CArchive& ar, CDistributionSamples* pElements, int nCount);

// The largest values of the rocks that passed one horizontal location.
class CLocationEnvelope
{
public:
    CLocationEnvelope() = default;

    bool IsLocationSet() const { return m_empty == 0; }
    void SetLocation(double x);
    void SetSlopeHeight(double h) { m_slopeHeight = h; }

    // Each keeps the larger value; a value equal to the stored one changes nothing.
    void UpdateMaxHeight(double h);
    void UpdateMaxVelocities(double v, double w);
    void UpdateMaxEnergies(double translational, double rotational);

    void Set(int empty, double maxHeight, double slopeHeight, double location, double maxVelocity,
             double maxAngularVelocity, double maxTranslationalEnergy, double maxRotationalEnergy,
             double maxTotalEnergy);

    int GetEmptyFlag() const { return m_empty; }
    double GetLocation() const { return m_location; }
    double GetMaxHeight() const { return m_maxHeight; }
    double GetSlopeHeight() const { return m_slopeHeight; }
    double GetMaxVelocity() const { return m_maxVelocity; }
    double GetMaxAngularVelocity() const { return m_maxAngularVelocity; }
    double GetMaxTranslationalEnergy() const { return m_maxTranslationalEnergy; }
    double GetMaxRotationalEnergy() const { return m_maxRotationalEnergy; }
    double GetMaxTotalEnergy() const { return m_maxTotalEnergy; }

private:
    int m_empty = 1;
    double m_maxHeight = -DBL_MAX;
    double m_slopeHeight = -DBL_MAX;
    double m_location = DBL_MAX;
    double m_maxVelocity = 0.0;
    double m_maxAngularVelocity = 0.0;
    double m_maxTranslationalEnergy = 0.0;
    double m_maxRotationalEnergy = 0.0;
    double m_maxTotalEnergy = 0.0;
};

// What an impact table sorts by.
enum HitCompareKind {
    HIT_TOTAL_ENERGY = 2800,
    HIT_TRANSLATIONAL_ENERGY = 2801,
    HIT_ROTATIONAL_ENERGY = 2802,
    HIT_VELOCITY = 2803,
    HIT_ANGULAR_VELOCITY = 2804,
    HIT_Y = 2805,
};

// One impact on a barrier or one crossing of a collector, held by value. A
// default record is the empty marker that ends an iteration.
class CBarrierHit
{
public:
    CBarrierHit() = default;

    void SetEmpty() { m_empty = 1; }
    bool IsValid() const { return m_empty == 0; }

    // Every value; the compare kind stays.
    void Set(double x, double y, double velocity, double angularVelocity, double translationalEnergy,
             double rotationalEnergy, double mass, CTalusimRockPath* path, double vx, double vy,
             int segmentIndex);

    double GetX() const { return m_x; }
    double GetY() const { return m_y; }
    double GetMass() const { return m_mass; }
    double GetVelocity() const { return m_velocity; }
    double GetAngularVelocity() const { return m_angularVelocity; }
    double GetTranslationalEnergy() const { return m_translationalEnergy; }
    double GetRotationalEnergy() const { return m_rotationalEnergy; }
    double GetTotalEnergy() const { return m_translationalEnergy + m_rotationalEnergy; }
    double GetVx() const { return m_v.x; }
    double GetVy() const { return m_v.y; }
    int GetSegmentIndex() const { return m_segmentIndex; }
    CTalusimRockPath* GetRockPath() const { return m_rockPath; }

    int GetCompareKind() const { return m_compareKind; }
    void SetCompareKind(int kind) { m_compareKind = kind; }
    // True when other's value of this record's compare kind is strictly
    // greater; false for an unknown kind.
    bool IsLessThan(const CBarrierHit& other) const;

private:
    int m_compareKind = HIT_TOTAL_ENERGY;
    int m_segmentIndex = 0;
    double m_x = 0.0;
    double m_y = 0.0;
    double m_mass = 0.0;
    CVector2D m_v{0.0, 0.0};
    BYTE m_empty = 1;
    CTalusimRockPath* m_rockPath = nullptr;
    double m_velocity = 0.0;
    double m_angularVelocity = 0.0;
    double m_translationalEnergy = 0.0;
    double m_rotationalEnergy = 0.0;
};

// Display settings of a disc-element run, copied as a whole (48 bytes of
// twelve 32-bit words, laid out as the disc-element entity keeps them).
class CDiscParameters
{
public:
    // Label mode bits: which values label each element when the results are drawn.
    enum { LABEL_POSITION = 1, LABEL_VELOCITY = 2, LABEL_ACCELERATION = 4, LABEL_ENERGY = 8 };
    // Display modes: one time step of the discs, every step's discs, or the discs' paths.
    enum { DISPLAY_ONE_STEP = 2190, DISPLAY_ALL_DISCS = 2191, DISPLAY_ALL_PATHS = 2192 };

    CDiscParameters();

    // Back to the defaults; real B and flag A keep their values.
    void Reset();

    int GetLabelMode() const { return m_labelMode; }
    // Takes 0, 1, 2, 4, 8 and 15 only; anything else leaves the mode.
    void SetLabelMode(int mode);

    // What the disc runs keep in the block, by name.
    int GetSkipCount() const { return m_integerA; }
    void SetSkipCount(int n) { m_integerA = n; }
    int GetDisplayMode() const { return m_code; }
    void SetDisplayMode(int mode) { m_code = mode; }
    int GetCurrentStep() const { return m_integerB; }
    void SetCurrentStep(int step) { m_integerB = step; }
    // -1 while there are no disc results.
    int GetFrameCount() const { return m_integerC; }
    void SetFrameCount(int n) { m_integerC = n; }
    double GetEndTime() const { return m_realB; }
    void SetEndTime(double t) { m_realB = t; }
    bool IsIndependent() const { return m_flagA != 0; }
    void SetIndependent(bool b) { m_flagA = b ? 1 : 0; }
    bool Is2DSimulation() const { return m_flagB != 0; }
    void Set2DSimulation(bool b) { m_flagB = b ? 1 : 0; }
    bool GetShowContacts() const { return m_flagC != 0; }
    void SetShowContacts(bool b) { m_flagC = b ? 1 : 0; }

    int m_integerA = 0;
    int m_code = 2190;
    int m_integerB = -1;
    int m_reserved1 = 0;
    int m_integerC = -1;
    int m_reserved2 = 0;
    double m_realA = 0.0;
    double m_realB = 4.0;
    BYTE m_flagA = 1;
    BYTE m_flagB = 1;
    BYTE m_flagC = 1;

private:
    int m_labelMode = 0;
};
