#include "model/ResultRecords.h"

#include <bit>
#include <new>
#include <utility>
#include "geometry/ArchiveNumbers.h"

// ---------------------------------------------------------------------------
// CDistributionSamples

CDistributionSamples::CDistributionSamples(const CDistributionSamples& other)
{
    for (size_t i = 0; i < other.m_count; ++i)
        ::new (Append()) Passage(other.At(i));
}

CDistributionSamples& CDistributionSamples::operator=(const CDistributionSamples& other)
{
    if (this != &other) {
        CDistributionSamples copy(other);
        Swap(copy);
    }
    return *this;
}

CDistributionSamples::CDistributionSamples(CDistributionSamples&& other) noexcept
    : m_chunks(std::move(other.m_chunks)), m_count(std::exchange(other.m_count, 0))
{
    other.m_chunks.clear();
}

CDistributionSamples& CDistributionSamples::operator=(CDistributionSamples&& other) noexcept
{
    CDistributionSamples taken(std::move(other));
    Swap(taken);
    return *this;
}

void CDistributionSamples::ClearAll()
{
    CDistributionSamples none;
    Swap(none);
}

void CDistributionSamples::Empty()
{
    m_count = 0;
}

void CDistributionSamples::Swap(CDistributionSamples& other) noexcept
{
    m_chunks.swap(other.m_chunks);
    std::swap(m_count, other.m_count);
}

size_t CDistributionSamples::GetCapacity() const
{
    size_t room = 0;
    for (size_t k = 0; k < m_chunks.size(); ++k)
        room += ChunkPassages(k);
    return room;
}

// Chunk 0 holds passages [0, 64), chunk k from 1 to 8 [64 << (k - 1), 64 << k),
// then each block of 16,384 a chunk of its own.
size_t CDistributionSamples::ChunkOf(size_t i, size_t& place)
{
    static_assert(kFirstChunkPassages << (kGrowingChunks - 2) == kBlockPassages / 2);
    if (i < kBlockPassages) {
        const size_t k = static_cast<size_t>(std::bit_width(i / kFirstChunkPassages));
        place = k == 0 ? i : i - (kFirstChunkPassages << (k - 1));
        return k;
    }
    place = i % kBlockPassages;
    return kGrowingChunks - 1 + i / kBlockPassages;
}

size_t CDistributionSamples::ChunkPassages(size_t chunk)
{
    if (chunk == 0)
        return kFirstChunkPassages;
    return chunk < kGrowingChunks ? kFirstChunkPassages << (chunk - 1) : kBlockPassages;
}

const CDistributionSamples::Passage& CDistributionSamples::At(size_t i) const
{
    size_t place = 0;
    const size_t k = ChunkOf(i, place);
    return m_chunks[k][place];
}

CDistributionSamples::Passage& CDistributionSamples::At(size_t i)
{
    size_t place = 0;
    const size_t k = ChunkOf(i, place);
    return m_chunks[k][place];
}

void* CDistributionSamples::Append()
{
    size_t place = 0;
    const size_t k = ChunkOf(m_count, place);
    // A chunk is taken whole when its first passage comes (a chunk kept from
    // an earlier computation serves again); its pages are touched only as
    // passages fill them.
    if (k == m_chunks.size())
        m_chunks.push_back(std::make_unique_for_overwrite<Passage[]>(ChunkPassages(k)));
    ++m_count;
    return &m_chunks[k][place];
}

void CDistributionSamples::AddSample(double height, double translationalEnergy, double rotationalEnergy,
                                     double velocity, double angularVelocity, CTalusimRockPath* path)
{
    const Passage* p =
        ::new (Append()) Passage{height, angularVelocity, velocity, rotationalEnergy, translationalEnergy, path};
    // The next rock writes here again only after a whole throw: fetch its
    // place now, so that the write does not wait for memory then. (Past a
    // chunk's end the address may be no passage's: a prefetch never faults.)
    __builtin_prefetch(p + 2, 1);
}

int CDistributionSamples::GetCount(int kind) const
{
    switch (kind) {
    case DIST_BOUNCE_HEIGHT:
    case DIST_TOTAL_ENERGY:
    case DIST_TRANSLATIONAL_ENERGY:
    case DIST_ROTATIONAL_ENERGY:
    case DIST_VELOCITY:
    case DIST_ANGULAR_VELOCITY: return static_cast<int>(m_count);
    default: return -1;
    }
}

double CDistributionSamples::GetValue(int i, int kind) const
{
    const Passage& p = At(static_cast<size_t>(i));
    switch (kind) {
    case DIST_BOUNCE_HEIGHT: return p.height;
    case DIST_TOTAL_ENERGY: return p.translationalEnergy + p.rotationalEnergy;
    case DIST_TRANSLATIONAL_ENERGY: return p.translationalEnergy;
    case DIST_ROTATIONAL_ENERGY: return p.rotationalEnergy;
    case DIST_VELOCITY: return p.velocity;
    case DIST_ANGULAR_VELOCITY: return p.angularVelocity;
    default: return DBL_MAX;
    }
}

CTalusimRockPath* CDistributionSamples::GetRockPath(int i) const
{
    return i >= 0 && static_cast<size_t>(i) < m_count ? At(static_cast<size_t>(i)).path : nullptr;
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

void CDistributionSamples::SerializeColumn(CArchive& ar, double Passage::*member)
{
    if (ar.IsStoring()) {
        ar.WriteCount(static_cast<DWORD>(m_count));
        for (size_t i = 0; i < m_count; ++i)
            ar << At(i).*member;
        return;
    }
    const DWORD n = ar.ReadCount();
    // A count the rest of the archive cannot hold fails before any memory is taken.
    ar.CheckCount(n, sizeof(double));
    // The first array gives the passages; every later one must have as many,
    // or the values of one passage would not belong together.
    if (member == &Passage::height) {
        ClearAll();
        for (DWORD i = 0; i < n; ++i)
            ::new (Append()) Passage{};
    } else if (n != m_count) {
        ClearAll();
        AfxThrowArchiveException(CArchiveException::generic);
    }
    for (size_t i = 0; i < m_count; ++i)
        ReadFinite(ar, At(i).*member);
}

void CDistributionSamples::Serialize(CArchive& ar)
{
    SerializeColumn(ar, &Passage::height);
    SerializeColumn(ar, &Passage::angularVelocity);
    SerializeColumn(ar, &Passage::velocity);
    SerializeColumn(ar, &Passage::rotationalEnergy);
    SerializeColumn(ar, &Passage::translationalEnergy);
    // The path array goes as 4 bytes per element, the width of a pointer in
    // the files this format comes from. No value written there can be resolved
    // again, so zeros are written and a loaded record holds no paths.
    if (ar.IsStoring()) {
        ar.WriteCount(static_cast<DWORD>(m_count));
        for (size_t i = 0; i < m_count; ++i)
            ar << static_cast<DWORD>(0);
        return;
    }
    const DWORD n = ar.ReadCount();
    ar.CheckCount(n, 4);
    for (DWORD i = 0; i < n; ++i) {
        DWORD ignored;
        ar >> ignored;
    }
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
