#include "model/ResultRecords.h"

#include <type_traits>

// ---------------------------------------------------------------------------
// CDistributionSamples

namespace {
int Count(const std::vector<double>& values)
{
    return static_cast<int>(values.size());
}

void SerializeValues(CArchive& ar, std::vector<double>& values)
{
    if (ar.IsStoring()) {
        ar.WriteCount(static_cast<DWORD>(values.size()));
        SerializeElements(ar, values.data(), Count(values));
        return;
    }
    const DWORD n = ar.ReadCount();
    // A count the rest of the archive cannot hold fails before any memory is taken.
    ar.CheckCount(n, sizeof(double));
    values.resize(n);
    SerializeElements(ar, values.data(), static_cast<int>(n));
}
}  // namespace

void CDistributionSamples::ClearAll()
{
    CDistributionSamples none;
    Swap(none);
}

void CDistributionSamples::Empty()
{
    m_heights.clear();
    m_angularVelocities.clear();
    m_velocities.clear();
    m_rotationalEnergies.clear();
    m_translationalEnergies.clear();
    m_rockPaths.clear();
}

void CDistributionSamples::Swap(CDistributionSamples& other) noexcept
{
    m_heights.swap(other.m_heights);
    m_angularVelocities.swap(other.m_angularVelocities);
    m_velocities.swap(other.m_velocities);
    m_rotationalEnergies.swap(other.m_rotationalEnergies);
    m_translationalEnergies.swap(other.m_translationalEnergies);
    m_rockPaths.swap(other.m_rockPaths);
}

void CDistributionSamples::AddSample(double height, double translationalEnergy, double rotationalEnergy,
                                     double velocity, double angularVelocity, CTalusimRockPath* path)
{
    m_heights.push_back(height);
    m_angularVelocities.push_back(angularVelocity);
    m_velocities.push_back(velocity);
    m_rotationalEnergies.push_back(rotationalEnergy);
    m_translationalEnergies.push_back(translationalEnergy);
    m_rockPaths.push_back(path);
}

int CDistributionSamples::GetCount(int kind) const
{
    switch (kind) {
    case DIST_BOUNCE_HEIGHT: return Count(m_heights);
    case DIST_TOTAL_ENERGY:
    case DIST_TRANSLATIONAL_ENERGY: return Count(m_translationalEnergies);
    case DIST_ROTATIONAL_ENERGY: return Count(m_rotationalEnergies);
    case DIST_VELOCITY: return Count(m_velocities);
    case DIST_ANGULAR_VELOCITY: return Count(m_angularVelocities);
    default: return -1;
    }
}

double CDistributionSamples::GetValue(int i, int kind) const
{
    switch (kind) {
    case DIST_BOUNCE_HEIGHT: return m_heights[static_cast<size_t>(i)];
    case DIST_TOTAL_ENERGY:
        return m_translationalEnergies[static_cast<size_t>(i)] + m_rotationalEnergies[static_cast<size_t>(i)];
    case DIST_TRANSLATIONAL_ENERGY: return m_translationalEnergies[static_cast<size_t>(i)];
    case DIST_ROTATIONAL_ENERGY: return m_rotationalEnergies[static_cast<size_t>(i)];
    case DIST_VELOCITY: return m_velocities[static_cast<size_t>(i)];
    case DIST_ANGULAR_VELOCITY: return m_angularVelocities[static_cast<size_t>(i)];
    default: return DBL_MAX;
    }
}

CTalusimRockPath* CDistributionSamples::GetRockPath(int i) const
{
    return i >= 0 && static_cast<size_t>(i) < m_rockPaths.size() ? m_rockPaths[static_cast<size_t>(i)] : nullptr;
}

void CDistributionSamples::GetRange(double& min, double& max, int kind) const
{
    min = DBL_MAX;
    max = DBL_MAX;
    const int n = GetCount(kind);
    if (n <= 0)
        return;
    min = max = GetValue(0, kind);
    for (int i = 1; i < n; ++i) {
        const double v = GetValue(i, kind);
        if (v < min)
            min = v;
        if (v > max)
            max = v;
    }
}

void CDistributionSamples::Serialize(CArchive& ar)
{
    SerializeValues(ar, m_heights);
    SerializeValues(ar, m_angularVelocities);
    SerializeValues(ar, m_velocities);
    SerializeValues(ar, m_rotationalEnergies);
    SerializeValues(ar, m_translationalEnergies);
    // The path array goes as 4 bytes per element, the width of a pointer in
    // the files this format comes from. No value written there can be resolved
    // again, so zeros are written and a loaded record holds no paths.
    if (ar.IsStoring()) {
        const int n = static_cast<int>(m_rockPaths.size());
        ar.WriteCount(static_cast<DWORD>(n));
        for (int i = 0; i < n; ++i)
            ar << static_cast<DWORD>(0);
        return;
    }
    const DWORD n = ar.ReadCount();
    ar.CheckCount(n, 4);
    for (DWORD i = 0; i < n; ++i) {
        DWORD ignored;
        ar >> ignored;
    }
    // Element i of every array belongs to one passage: arrays of different
    // lengths would send the readers past the end of the shorter ones.
    const size_t count = m_heights.size();
    if (m_angularVelocities.size() != count || m_velocities.size() != count ||
        m_rotationalEnergies.size() != count || m_translationalEnergies.size() != count) {
        ClearAll();
        AfxThrowArchiveException(CArchiveException::generic);
    }
    m_rockPaths.assign(count, nullptr);
}

void CDistributionSamples::SerializeLegacyArrays(CArchive& ar)
{
    for (int i = 0; i < 3; ++i) {
        CArray<double, double> dropped;
        dropped.Serialize(ar);
    }
    if (ar.IsLoading())
        ClearAll();
}

void SerializeElements(CArchive& ar, CDistributionSamples* pElements, int nCount)
{
    for (int i = 0; i < nCount; ++i)
        pElements[i].Serialize(ar);
}

// ---------------------------------------------------------------------------
// CLocationEnvelope

void CLocationEnvelope::SetLocation(double x)
{
    m_location = x;
    m_empty = 0;
}

void CLocationEnvelope::UpdateMaxHeight(double h)
{
    if (h > m_maxHeight)
        m_maxHeight = h;
}

void CLocationEnvelope::UpdateMaxVelocities(double v, double w)
{
    if (v > m_maxVelocity)
        m_maxVelocity = v;
    if (w > m_maxAngularVelocity)
        m_maxAngularVelocity = w;
}

void CLocationEnvelope::UpdateMaxEnergies(double translational, double rotational)
{
    if (translational > m_maxTranslationalEnergy)
        m_maxTranslationalEnergy = translational;
    if (rotational > m_maxRotationalEnergy)
        m_maxRotationalEnergy = rotational;
    const double total = translational + rotational;
    if (total > m_maxTotalEnergy)
        m_maxTotalEnergy = total;
}

void CLocationEnvelope::Set(int empty, double maxHeight, double slopeHeight, double location,
                            double maxVelocity, double maxAngularVelocity, double maxTranslationalEnergy,
                            double maxRotationalEnergy, double maxTotalEnergy)
{
    m_empty = empty;
    m_maxHeight = maxHeight;
    m_slopeHeight = slopeHeight;
    m_location = location;
    m_maxVelocity = maxVelocity;
    m_maxAngularVelocity = maxAngularVelocity;
    m_maxTranslationalEnergy = maxTranslationalEnergy;
    m_maxRotationalEnergy = maxRotationalEnergy;
    m_maxTotalEnergy = maxTotalEnergy;
}

// ---------------------------------------------------------------------------
// CBarrierHit

void CBarrierHit::Set(double x, double y, double velocity, double angularVelocity,
                      double translationalEnergy, double rotationalEnergy, double mass,
                      CTalusimRockPath* path, double vx, double vy, int segmentIndex)
{
    m_x = x;
    m_y = y;
    m_velocity = velocity;
    m_angularVelocity = angularVelocity;
    m_translationalEnergy = translationalEnergy;
    m_rotationalEnergy = rotationalEnergy;
    m_mass = mass;
    m_rockPath = path;
    m_v = CVector2D(vx, vy);
    m_segmentIndex = segmentIndex;
    m_empty = 0;
}

bool CBarrierHit::IsLessThan(const CBarrierHit& other) const
{
    switch (m_compareKind) {
    case HIT_TOTAL_ENERGY: return other.GetTotalEnergy() > GetTotalEnergy();
    case HIT_TRANSLATIONAL_ENERGY: return other.m_translationalEnergy > m_translationalEnergy;
    case HIT_ROTATIONAL_ENERGY: return other.m_rotationalEnergy > m_rotationalEnergy;
    case HIT_VELOCITY: return other.m_velocity > m_velocity;
    case HIT_ANGULAR_VELOCITY: return other.m_angularVelocity > m_angularVelocity;
    case HIT_Y: return other.m_y > m_y;
    default: return false;
    }
}

// ---------------------------------------------------------------------------
// CDiscParameters

// The record travels as one 48-byte block between the document and the
// disc-element entity.
static_assert(sizeof(CDiscParameters) == 48, "the disc parameter block is 48 bytes");
static_assert(std::is_trivially_copyable_v<CDiscParameters>, "the block is copied whole");

CDiscParameters::CDiscParameters()
{
    Reset();
}

void CDiscParameters::Reset()
{
    m_code = 2190;
    m_integerB = -1;
    m_realA = 0.0;
    m_integerA = 0;
    m_integerC = -1;
    m_flagB = 1;
    m_flagC = 1;
    SetLabelMode(0);
}

void CDiscParameters::SetLabelMode(int mode)
{
    switch (mode) {
    case 0: case 1: case 2: case 4: case 8: case 15:
        m_labelMode = mode;
        break;
    default:
        break;
    }
}
