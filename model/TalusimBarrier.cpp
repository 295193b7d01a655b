#include "model/TalusimBarrier.h"

#include <algorithm>
#include <cmath>
#include "geometry/ArchiveNumbers.h"
#include "geometry/Geometry.h"
#include "model/EntityOptions.h"
#include "model/TalusimRockPath.h"

IMPLEMENT_SERIAL(CTalusimBarrier, CLine, VERSIONABLE_SCHEMA | 2)

namespace {
constexpr int kBarrierMenu = 6002;
constexpr int kCollectorSubmenu = 1;
constexpr int kBarrierSubmenu = 5;
constexpr int kOldRecordSize = 48;   // the records of an array the format no longer fills
constexpr double kHitTolerance = 1e-4;
}  // namespace

CTalusimBarrier::CTalusimBarrier()
{
    SetPoints(2.0, 1.0, 20.0, 10.0);
    SetKindId(kKindId);
    SetColour(128);
    SetLineWidth(2);
    SetSelectStyle(PS_DASH);
    SetCategoryId(kCategoryPlaced);
    SetGroupId(kGroupCollector);
    SetContextMenu(kBarrierMenu, kCollectorSubmenu);
    std::fill(std::begin(m_graphMin), std::end(m_graphMin), DBL_MAX);
    std::fill(std::begin(m_graphMax), std::end(m_graphMax), -DBL_MAX);
}

CTalusimBarrier* CTalusimBarrier::NewOfGroup(const CString& name, int category, int group)
{
    auto* line = new CTalusimBarrier;
    line->SetName(name);
    line->SetCategoryId(category);
    line->SetSkipLengthCheck(group == kGroupCollector);
    line->SetGroupId(group);
    if (group == kGroupBarrier)
        line->SetColour(RGB(0, 128, 0));
    return line;
}

// ---------------------------------------------------------------------------
// Properties

void CTalusimBarrier::SetCustomCoefficients(double rnMean, double rnSd, double rtMean, double rtSd)
{
    m_rnMean = rnMean;
    m_rnSd = rnSd;
    m_rtMean = rtMean;
    m_rtSd = rtSd;
}

bool CTalusimBarrier::IsNotVertical() const
{
    return std::fabs(GetX2() - GetX1()) * 50 > std::fabs(GetY2() - GetY1());
}

bool CTalusimBarrier::IsNotHorizontal() const
{
    return std::fabs(GetY2() - GetY1()) * 50 > std::fabs(GetX2() - GetX1());
}

int CTalusimBarrier::GetContextSubmenu()
{
    switch (GetGroupId()) {
    case kGroupBarrier: return kBarrierSubmenu;
    case kGroupCollector: return kCollectorSubmenu;
    default: return -1;
    }
}

// ---------------------------------------------------------------------------
// Editor support

void CTalusimBarrier::SaveState()
{
    m_saved = 1;
    m_savedState.infiniteCapacity = m_infiniteCapacity;
    m_savedState.capacity = m_capacity;
    m_savedState.name = GetName();
    m_savedState.skipLengthCheck = m_skipLengthCheck;
    m_savedState.elasticity = m_elasticity;
    m_savedState.rnMean = m_rnMean;
    m_savedState.rtMean = m_rtMean;
    m_savedState.rnSd = m_rnSd;
    m_savedState.rtSd = m_rtSd;
}

void CTalusimBarrier::RestoreState()
{
    if (!m_saved)
        return;
    m_infiniteCapacity = m_savedState.infiniteCapacity;
    m_capacity = m_savedState.capacity;
    SetName(m_savedState.name);
    m_skipLengthCheck = m_savedState.skipLengthCheck;
    m_elasticity = m_savedState.elasticity;
    m_rnMean = m_savedState.rnMean;
    m_rtMean = m_savedState.rtMean;
    m_rnSd = m_savedState.rnSd;
    m_rtSd = m_savedState.rtSd;
}

// ---------------------------------------------------------------------------
// Hits

int CTalusimBarrier::GraphSlot(int kind)
{
    switch (kind) {
    case kGraphImpactY: return 1;
    case kGraphTranslationalEnergy: return 2;
    case kGraphRotationalEnergy: return 3;
    case kGraphTotalEnergy: return 4;
    case kGraphVelocity: return 5;
    case kGraphAngularVelocity: return 6;
    default: return 0;   // kGraphImpactX and any other kind
    }
}

int CTalusimBarrier::SetGraphShown(int kind, int on)
{
    const int slot = GraphSlot(kind);
    m_graphShown[slot] = on > 0 ? 1 : 0;
    return slot;
}

void CTalusimBarrier::UpdateRange(int kind, double value)
{
    const int slot = GraphSlot(kind);
    m_graphMin[slot] = std::min(m_graphMin[slot], value);
    m_graphMax[slot] = std::max(m_graphMax[slot], value);
}

void CTalusimBarrier::AddHit(double x, double y, double velocity, double angularVelocity,
                             double translationalEnergy, double rotationalEnergy, double mass,
                             CTalusimRockPath* path, double vx, double vy, bool checkDuplicate)
{
    if (!path)
        return;
    CBarrierHit hit;
    hit.Set(x, y, velocity, angularVelocity, translationalEnergy, rotationalEnergy, mass, path, vx, vy,
            path->GetSegmentUpperBound());

    if (checkDuplicate && m_hits.GetSize() > 0) {
        // The engine may report one crossing from two consecutive pieces of
        // the path: same path, next piece, same point, same direction.
        const CBarrierHit& last = m_hits[m_hits.GetUpperBound()];
        const int step = hit.GetSegmentIndex() - last.GetSegmentIndex();
        const double t = ScaledTolerancePts(GetStartPoint(), GetEndPoint(), kHitTolerance);
        if (last.GetRockPath() == path && (step == 0 || step == 1) &&
            PointsCoincide(x, y, last.GetX(), last.GetY(), t) && last.GetVx() * vx >= 0 &&
            last.GetVy() * vy >= 0)
            return;
    }

    m_hits.Add(hit);
    UpdateRange(kGraphTranslationalEnergy, translationalEnergy);
    UpdateRange(kGraphRotationalEnergy, rotationalEnergy);
    UpdateRange(kGraphTotalEnergy, translationalEnergy + rotationalEnergy);
    UpdateRange(kGraphVelocity, velocity);
    UpdateRange(kGraphAngularVelocity, angularVelocity);
}

void CTalusimBarrier::AddHit(const CBarrierHit& values, bool checkDuplicate)
{
    AddHit(values.GetX(), values.GetY(), values.GetVelocity(), values.GetAngularVelocity(),
           values.GetTranslationalEnergy(), values.GetRotationalEnergy(), values.GetMass(), values.GetRockPath(),
           values.GetVx(), values.GetVy(), checkDuplicate);
}

void CTalusimBarrier::ClearHits()
{
    m_hits.RemoveAll();
    std::fill(std::begin(m_graphMin), std::end(m_graphMin), DBL_MAX);
    std::fill(std::begin(m_graphMax), std::end(m_graphMax), -DBL_MAX);
}

int CTalusimBarrier::GetHitUpperBound(bool filteredOnly) const
{
    if (!filteredOnly)
        return m_hits.GetUpperBound();
    int count = 0;
    for (int i = 0; i < m_hits.GetSize(); ++i) {
        const CTalusimRockPath* path = m_hits[i].GetRockPath();
        if (path && path->IsSelectedByFilter())
            ++count;
    }
    return count - 1;
}

CBarrierHit CTalusimBarrier::GetFirstHit()
{
    m_hitIndex = 0;
    return GetNextHit();
}

CBarrierHit CTalusimBarrier::GetNextHit()
{
    // The index may come from a file: anything outside the list ends the walk.
    if (m_hitIndex < 0 || m_hitIndex >= m_hits.GetSize())
        return CBarrierHit();
    return m_hits[m_hitIndex++];
}

CTalusimBarrier::HitsMark CTalusimBarrier::MarkHits() const
{
    HitsMark mark;
    mark.count = static_cast<int>(m_hits.GetSize());
    std::copy(std::begin(m_graphMin), std::end(m_graphMin), mark.graphMin);
    std::copy(std::begin(m_graphMax), std::end(m_graphMax), mark.graphMax);
    return mark;
}

void CTalusimBarrier::RewindHits(const HitsMark& mark)
{
    if (mark.count < m_hits.GetSize())
        m_hits.SetSize(mark.count);
    std::copy(std::begin(mark.graphMin), std::end(mark.graphMin), m_graphMin);
    std::copy(std::begin(mark.graphMax), std::end(mark.graphMax), m_graphMax);
}

void CTalusimBarrier::CopyHits(CArray<CBarrierHit, const CBarrierHit&>& out) const
{
    out.Copy(m_hits);
}

// ---------------------------------------------------------------------------
// Entity operations

void CTalusimBarrier::get_data_tip_text(double, double, int, CViewContext*, CString& text)
{
    if (!IsSelectable())
        return;
    if (IsBarrier()) {
        text = "Barrier";
        CString line;
        switch (m_elasticity) {
        case kInelastic: text += "\nInelastic"; break;
        case kElastic: text += "\nElastic"; break;
        case kCustom:
            line.Format("\n(Rn,Rt)= %.2f, %.2f", m_rnMean, m_rtMean);
            text += line;
            break;
        default: break;
        }
        text += "\nCapacity: ";
        if (HasInfiniteCapacity()) {
            text += "Infinite";
        } else {
            line.Format("%g", m_capacity);
            text += line;
        }
    } else {
        text = "Data Collector";
    }
    CString name;
    name.Format("\nName: %s", static_cast<LPCSTR>(GetName()));
    text += name;
}

bool CTalusimBarrier::QueryOption(CPickRequest*, CViewContext* pView, int)
{
    return AnswersPickInView(pView, false);
}

CString CTalusimBarrier::GetExportPartLayer(int)
{
    switch (GetGroupId()) {
    case kGroupBarrier: return CString("BARRIER");
    case kGroupCollector: return CString("COLLECTOR");
    default: return CString("ERROR");
    }
}

// ---------------------------------------------------------------------------
// Archive

void CTalusimBarrier::Serialize(CArchive& ar)
{
    const UINT schema = ar.IsLoading() ? ar.GetObjectSchema() : 2;
    CLine::Serialize(ar);
    if (ar.IsStoring()) {
        ar.WriteCount(0);   // an array of old impact records, always empty now
        ar << m_capacity << m_rnMean << m_rtMean << m_rnSd << m_rtSd;
        ar << m_elasticity;
        for (int i = 0; i < 4; ++i)
            ar << 0.0;
        ar << m_hitIndex << m_reservedNumber;
        ar << m_reservedFlag << m_skipLengthCheck;
        for (int i = 0; i < 4; ++i)
            ar << m_skipLengthCheck;
        ar << m_infiniteCapacity;
        return;
    }
    const DWORD oldRecords = ar.ReadCount();
    ar.CheckCount(oldRecords, kOldRecordSize);
    for (DWORD i = 0; i < oldRecords; ++i) {
        BYTE record[kOldRecordSize];
        if (ar.Read(record, kOldRecordSize) != kOldRecordSize)
            AfxThrowArchiveException(CArchiveException::endOfFile);
    }
    ReadFinite(ar, m_capacity, m_rnMean, m_rtMean, m_rnSd, m_rtSd);
    ar >> m_elasticity;
    for (int i = 0; i < 4; ++i) {
        double ignored;
        ar >> ignored;
    }
    ar >> m_hitIndex >> m_reservedNumber;
    BYTE flag = 0;
    ar >> m_reservedFlag >> flag;
    m_skipLengthCheck = flag != 0 ? 1 : 0;
    for (int i = 0; i < 4; ++i)
        ar >> flag;
    if (schema >= 2) {
        ar >> flag;
        m_infiniteCapacity = flag != 0 ? 1 : 0;
    } else {
        m_infiniteCapacity = 1;
    }
}
