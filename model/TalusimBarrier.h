// Barriers and data collectors: straight lines on the slope section. A
// barrier is hit by rocks and answers with its own restitution and energy
// capacity; a collector lets rocks pass and only records them. Both keep
// their impacts in arrival order and the running range of each graphed value.
#pragma once

#include <cfloat>
#include "geometry/Line.h"
#include "model/ResultRecords.h"

class CTalusimBarrier : public CLine
{
    DECLARE_SERIAL(CTalusimBarrier)
public:
    static constexpr int kKindId = 2101;
    static constexpr int kGroupBarrier = 2161;
    static constexpr int kGroupCollector = 2162;
    static constexpr int kCategoryPlaced = 2133;

    // Response to an impact.
    static constexpr int kInelastic = 2156;   // Rn = Rt = 0
    static constexpr int kElastic = 2157;     // Rn = Rt = 1
    static constexpr int kCustom = 2158;

    // Barrier and collector graph kinds.
    static constexpr int kGraphTranslationalEnergy = 3140;
    static constexpr int kGraphRotationalEnergy = 3141;
    static constexpr int kGraphTotalEnergy = 3142;
    static constexpr int kGraphVelocity = 3143;
    static constexpr int kGraphAngularVelocity = 3144;
    static constexpr int kGraphImpactX = 3145;
    static constexpr int kGraphImpactY = 3146;
    static constexpr int kGraphSlots = 7;

    CTalusimBarrier();
    // A new line of kGroupBarrier or kGroupCollector with what its group
    // takes: a barrier is drawn green and must be long enough to stand, a
    // collector may be of any length.
    static CTalusimBarrier* NewOfGroup(const CString& name, int category, int group);

    bool IsBarrier() const { return GetGroupId() == kGroupBarrier; }
    bool IsCollector() const { return GetGroupId() == kGroupCollector; }

    // ---- properties -----------------------------------------------------------
    void SetElasticity(int elasticity) { m_elasticity = elasticity; }
    int GetElasticity() const { return m_elasticity; }
    void SetCustomCoefficients(double rnMean, double rnSd, double rtMean, double rtSd);
    double GetRnMean() const { return m_rnMean; }
    double GetRtMean() const { return m_rtMean; }
    double GetRnStdDev() const { return m_rnSd; }
    double GetRtStdDev() const { return m_rtSd; }
    void SetInfiniteCapacity(bool b) { m_infiniteCapacity = b ? 1 : 0; }
    bool HasInfiniteCapacity() const { return m_infiniteCapacity != 0; }
    void SetCapacity(double capacity) { m_capacity = capacity; }
    double GetCapacity() const { return m_capacity; }
    void SetSkipLengthCheck(bool b) { m_skipLengthCheck = b ? 1 : 0; }
    bool IsLengthCheckSkipped() const { return m_skipLengthCheck != 0; }
    // Which impact coordinate the graphs plot: |dx| * 50 > |dy|, |dy| * 50 > |dx|.
    bool IsNotVertical() const;
    bool IsNotHorizontal() const;

    // ---- editor support --------------------------------------------------------
    void SaveState();
    // Puts the saved fields back (the name included) when a state was saved.
    void RestoreState();
    void DiscardSavedState() { m_saved = 0; }

    // ---- hits --------------------------------------------------------------------
    // Records one impact of the rock on path; nothing without a path. With
    // checkDuplicate, a repeat of the last hit (the engine reporting one
    // crossing twice) is dropped.
    void AddHit(double x, double y, double velocity, double angularVelocity, double translationalEnergy,
                double rotationalEnergy, double mass, CTalusimRockPath* path, double vx, double vy,
                bool checkDuplicate);
    // The same from a record holding those values (its segment index and
    // compare kind are not used).
    void AddHit(const CBarrierHit& values, bool checkDuplicate);
    void ClearHits();
    // Count - 1; with filteredOnly, of the hits whose path the filter selected.
    int GetHitUpperBound(bool filteredOnly) const;
    // The empty marker (IsValid false) ends the iteration.
    CBarrierHit GetFirstHit();
    CBarrierHit GetNextHit();
    void CopyHits(CArray<CBarrierHit, const CBarrierHit&>& out) const;
    // The hits as they stand, to go back to: hits are only ever added after
    // the ones there are, so the count and the graph ranges say it all.
    struct HitsMark {
        int count = 0;
        double graphMin[kGraphSlots] = {};
        double graphMax[kGraphSlots] = {};
    };
    HitsMark MarkHits() const;
    // Drops the hits added since the mark and puts its graph ranges back.
    void RewindHits(const HitsMark& mark);
    double GetGraphMinimum(int kind) const { return m_graphMin[GraphSlot(kind)]; }
    double GetGraphMaximum(int kind) const { return m_graphMax[GraphSlot(kind)]; }
    // Returns the kind's slot.
    int SetGraphShown(int kind, int on);
    bool IsGraphShown(int kind) const { return m_graphShown[GraphSlot(kind)] != 0; }
    static int GraphSlot(int kind);

    // ---- entity operations ----------------------------------------------------
    void Serialize(CArchive& ar) override;
    int GetContextSubmenu() override;
    void get_data_tip_text(double x, double y, int n, CViewContext* pView, CString& text) override;
    bool QueryOption(CPickRequest* pRequest, CViewContext* pView, int code) override;
    CString GetExportPartLayer(int part) override;

private:
    void UpdateRange(int kind, double value);

    struct SavedState {
        BYTE infiniteCapacity = 1;
        double capacity = 0.0;
        CString name;
        BYTE skipLengthCheck = 0;
        int elasticity = kInelastic;
        double rnMean = 0.0, rtMean = 0.0, rnSd = 0.0, rtSd = 0.0;
    };

    BYTE m_saved = 0;
    BYTE m_infiniteCapacity = 1;
    BYTE m_skipLengthCheck = 0;
    BYTE m_reservedFlag = 1;
    BYTE m_graphShown[kGraphSlots] = {0, 0, 0, 0, 0, 0, 0};
    int m_hitIndex = 0;
    int m_elasticity = kInelastic;
    int m_reservedNumber = 10;
    double m_capacity = 0.0;
    double m_rnMean = 0.0;
    double m_rtMean = 0.0;
    double m_rnSd = 0.0;
    double m_rtSd = 0.0;
    double m_graphMin[kGraphSlots];
    double m_graphMax[kGraphSlots];
    CArray<CBarrierHit, const CBarrierHit&> m_hits;
    SavedState m_savedState;
};
