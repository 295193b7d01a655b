#include "model/ResultRecords.h"

#include <type_traits>

// ---------------------------------------------------------------------------
// CDistributionSamples

CDistributionSamples::CDistributionSamples() = default;

CDistributionSamples::CDistributionSamples(const CDistributionSamples& other)
{
    *this = other;
}

CDistributionSamples& CDistributionSamples::operator=(const CDistributionSamples& other)
{
    if (this != &other) {
        m_heights.Copy(other.m_heights);
        m_angularVelocities.Copy(other.m_angularVelocities);
        m_velocities.Copy(other.m_velocities);
        m_rotationalEnergies.Copy(other.m_rotationalEnergies);
        m_translationalEnergies.Copy(other.m_translationalEnergies);
        m_rockPaths.Copy(other.m_rockPaths);
    }
    return *this;
}

void CDistributionSamples::ClearAll()
{
    m_heights.RemoveAll();
    m_angularVelocities.RemoveAll();
    m_velocities.RemoveAll();
    m_rotationalEnergies.RemoveAll();
    m_translationalEnergies.RemoveAll();
    m_rockPaths.RemoveAll();
}

void CDistributionSamples::AddSample(double height, double translationalEnergy, double rotationalEnergy,
                                     double velocity, double angularVelocity, CTalusimRockPath* path)
{
    // A location collects a sample from nearly every rock. The arrays' own
    // step stops at 1024 elements, which at tens of thousands of samples
    // means copying every array again and again; from that size on each
    // growth doubles them instead.
    const int n = m_heights.GetSize();
    if (n >= kDoublingFrom && (n & (n - 1)) == 0) {
        m_heights.SetSize(n, n);
        m_angularVelocities.SetSize(n, n);
        m_velocities.SetSize(n, n);
        m_rotationalEnergies.SetSize(n, n);
        m_translationalEnergies.SetSize(n, n);
        m_rockPaths.SetSize(n, n);
    }
    m_heights.Add(height);
    m_angularVelocities.Add(angularVelocity);
    m_velocities.Add(velocity);
    m_rotationalEnergies.Add(rotationalEnergy);
    m_translationalEnergies.Add(translationalEnergy);
    m_rockPaths.Add(path);
}

int CDistributionSamples::GetCount(int kind) const
{
    switch (kind) {
    case DIST_BOUNCE_HEIGHT: return m_heights.GetSize();
    case DIST_TOTAL_ENERGY:
    case DIST_TRANSLATIONAL_ENERGY: return m_translationalEnergies.GetSize();
    case DIST_ROTATIONAL_ENERGY: return m_rotationalEnergies.GetSize();
    case DIST_VELOCITY: return m_velocities.GetSize();
    case DIST_ANGULAR_VELOCITY: return m_angularVelocities.GetSize();
    default: return -1;
    }
}

double CDistributionSamples::GetValue(int i, int kind) const
{
    switch (kind) {
    case DIST_BOUNCE_HEIGHT: return m_heights[i];
    case DIST_TOTAL_ENERGY: return m_translationalEnergies[i] + m_rotationalEnergies[i];
    case DIST_TRANSLATIONAL_ENERGY: return m_translationalEnergies[i];
    case DIST_ROTATIONAL_ENERGY: return m_rotationalEnergies[i];
    case DIST_VELOCITY: return m_velocities[i];
    case DIST_ANGULAR_VELOCITY: return m_angularVelocities[i];
    default: return DBL_MAX;
    }
}

CTalusimRockPath* CDistributionSamples::GetRockPath(int i) const
{
    return i >= 0 && i < m_rockPaths.GetSize() ? m_rockPaths[i] : nullptr;
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
    m_heights.Serialize(ar);
    m_angularVelocities.Serialize(ar);
    m_velocities.Serialize(ar);
    m_rotationalEnergies.Serialize(ar);
    m_translationalEnergies.Serialize(ar);
    // The path array goes as 4 bytes per element, the width of a pointer in
    // the files this format comes from. No value written there can be resolved
    // again, so zeros are written and a loaded record holds no paths.
    if (ar.IsStoring()) {
        const int n = m_rockPaths.GetSize();
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
    const int count = m_heights.GetSize();
    if (m_angularVelocities.GetSize() != count || m_velocities.GetSize() != count ||
        m_rotationalEnergies.GetSize() != count || m_translationalEnergies.GetSize() != count) {
        ClearAll();
        AfxThrowArchiveException(CArchiveException::generic);
    }
    m_rockPaths.RemoveAll();
    m_rockPaths.SetSize(count);   // every element null
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
