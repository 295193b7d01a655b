#include "model/TalusimSlopeType.h"

#include "geometry/ArchiveNumbers.h"

IMPLEMENT_SERIAL(CTalusimSlopeType, CEntity, VERSIONABLE_SCHEMA | 5)

namespace {

// The exact-compare rule of the model's setters. A NaN compares unequal to
// everything, itself included, so a stored NaN can always be replaced.
bool Assign(double& member, double value)
{
    if (member == value)
        return false;
    member = value;
    return true;
}

}  // namespace

CTalusimSlopeType::CTalusimSlopeType()
{
    SetKindId(kKindId);
    Hide();   // the slope draws materials, the database never does
    SetLineStyle(PS_SOLID);
    SetSelectStyle(3);
    SetLineWidth(2);
}

bool CTalusimSlopeType::SetRnMean(double v) { return Assign(m_rnMean, v); }
bool CTalusimSlopeType::SetRtMean(double v) { return Assign(m_rtMean, v); }
bool CTalusimSlopeType::SetFrictionAngleMean(double v) { return Assign(m_frictionMean, v); }
bool CTalusimSlopeType::SetRnStdDev(double v) { return Assign(m_rnStdDev, v); }
bool CTalusimSlopeType::SetRtStdDev(double v) { return Assign(m_rtStdDev, v); }
bool CTalusimSlopeType::SetFrictionAngleStdDev(double v) { return Assign(m_frictionStdDev, v); }
bool CTalusimSlopeType::SetRoughnessStdDev(double v) { return Assign(m_roughnessStdDev, v); }

void CTalusimSlopeType::StoreDefaultValues()
{
    m_hasDefaultValues = 1;
    m_defaults[0] = m_rnMean;
    m_defaults[1] = m_rnStdDev;
    m_defaults[2] = m_rtMean;
    m_defaults[3] = m_rtStdDev;
    m_defaults[4] = m_frictionMean;
    m_defaults[5] = m_frictionStdDev;
    m_defaultColour = GetColour();
}

void CTalusimSlopeType::RestoreDefaultValues()
{
    m_rnMean = m_defaults[0];
    m_rnStdDev = m_defaults[1];
    m_rtMean = m_defaults[2];
    m_rtStdDev = m_defaults[3];
    m_frictionMean = m_defaults[4];
    m_frictionStdDev = m_defaults[5];
    SetColour(m_defaultColour);
}

void CTalusimSlopeType::Serialize(CArchive& ar)
{
    const UINT schema = ar.IsLoading() ? ar.GetObjectSchema() : 5;
    CEntity::Serialize(ar);
    double* current[6] = {&m_rnMean, &m_rnStdDev, &m_rtMean, &m_rtStdDev, &m_frictionMean, &m_frictionStdDev};
    bool hasDefaults = m_hasDefaultValues != 0;
    bool sampleSlope = m_sampleSlope != 0;
    if (ar.IsStoring()) {
        for (double* v : current)
            ar << *v;
        for (double v : m_defaults)
            ar << v;
    } else {
        for (double* v : current)
            ReadFinite(ar, *v);
        for (double& v : m_defaults)
            ReadFinite(ar, v);
    }
    SerializeColour(ar, m_defaultColour);
    SerializeFlag(ar, hasDefaults);
    if (ar.IsStoring() || schema >= 3) {
        SerializeColour(ar, m_pathColour);
        SerializeFlag(ar, sampleSlope);
    }
    if (ar.IsStoring())
        ar << m_roughnessStdDev;
    else if (schema >= 4)
        ReadFinite(ar, m_roughnessStdDev);
    if (ar.IsLoading()) {
        m_hasDefaultValues = hasDefaults ? 1 : 0;
        m_sampleSlope = sampleSlope ? 1 : 0;
        m_oldSchema = schema < 5 ? 1 : 0;
    }
}
