// A material: the contact properties that a slope segment gives to a rock
// landing on it (restitution Rn and Rt, friction angle, roughness), each as a
// normal distribution. Materials live in the drawing database but are never
// drawn: the slope draws each segment with its material's pen. The entity
// name is the material name, the line colour its colour.
#pragma once

#include "geometry/Entity.h"

class CTalusimSlopeType : public CEntity
{
    DECLARE_SERIAL(CTalusimSlopeType)
public:
    static constexpr int kKindId = 2104;

    CTalusimSlopeType();

    double GetRnMean() const { return m_rnMean; }
    double GetRnStdDev() const { return m_rnStdDev; }
    double GetRtMean() const { return m_rtMean; }
    double GetRtStdDev() const { return m_rtStdDev; }
    double GetFrictionAngleMean() const { return m_frictionMean; }
    double GetFrictionAngleStdDev() const { return m_frictionStdDev; }
    double GetRoughnessStdDev() const { return m_roughnessStdDev; }

    // Each is false and changes nothing when the value equals the stored one
    // exactly; a NaN equals nothing, so it can always be replaced.
    bool SetRnMean(double v);
    bool SetRtMean(double v);
    bool SetFrictionAngleMean(double v);
    bool SetRnStdDev(double v);
    bool SetRtStdDev(double v);
    bool SetFrictionAngleStdDev(double v);
    bool SetRoughnessStdDev(double v);

    // Factory values of a built-in material (roughness has none).
    void StoreDefaultValues();
    // Does not look at the flag: the caller decides when it applies.
    void RestoreDefaultValues();
    bool HasDefaultValues() const { return m_hasDefaultValues != 0; }
    void ClearDefaultValues() { m_hasDefaultValues = 0; }

    int GetFileId() const { return m_fileId; }
    void SetFileId(int id) { m_fileId = id; }

    // Document settings carried only by the legacy archive format.
    COLORREF GetPathColour() const { return m_pathColour; }
    void SetPathColour(COLORREF c) { m_pathColour = c; }
    bool GetSampleSlopeFlag() const { return m_sampleSlope != 0; }
    void SetSampleSlopeFlag(bool b) { m_sampleSlope = b ? 1 : 0; }
    // Set when the material was read from an archive older than schema 5.
    bool IsOldSchema() const { return m_oldSchema != 0; }

    void Serialize(CArchive& ar) override;

private:
    COLORREF m_pathColour = RGB(255, 0, 0);
    BYTE m_sampleSlope = 0;
    BYTE m_oldSchema = 1;
    int m_fileId = 0;
    double m_roughnessStdDev = 0.0;
    double m_rnMean = 0.0;
    double m_rnStdDev = 0.0;
    double m_rtMean = 0.0;
    double m_rtStdDev = 0.0;
    double m_frictionMean = 0.0;
    double m_frictionStdDev = 0.0;
    BYTE m_hasDefaultValues = 0;
    COLORREF m_defaultColour = 0;
    // Rn mean, Rn sd, Rt mean, Rt sd, friction angle mean, friction angle sd.
    double m_defaults[6] = {0, 0, 0, 0, 0, 0};
};
