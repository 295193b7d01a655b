#include "formats/ExtraFileInfo.h"

#include "geometry/ArchiveNumbers.h"

IMPLEMENT_SERIAL(CTalusimExtraFileInfo, CEntity, VERSIONABLE_SCHEMA | 4)

CTalusimExtraFileInfo::CTalusimExtraFileInfo()
{
    SetKindId(kKindId);
    SetCategoryId(kCategoryId);
    MakeUnselectable();
    Hide();
}

CTalusimExtraFileInfo::~CTalusimExtraFileInfo() = default;

void CTalusimExtraFileInfo::Serialize(CArchive& ar)
{
    if (ar.IsStoring())
        AfxThrowNotSupportedException();
    // The schema of this record, taken before the base class reads its part.
    const UINT schema = ar.GetObjectSchema();
    CEntity::Serialize(ar);
    BYTE metric, frictionMode, legacy, angular, byVelocity, byMass;
    ar >> metric >> frictionMode >> legacy >> angular;
    ar >> m_nEngineVariant;
    ReadFinite(ar, m_dRnVelocityConstant);
    ar >> byVelocity >> byMass;
    ReadFinite(ar, m_dRnMassConstant);
    m_bMetric = metric != 0;
    m_nFrictionAngleMode = frictionMode;
    m_bLegacyFlag = legacy != 0;
    m_bConsiderAngularVelocity = angular != 0;
    m_bScaleRnByVelocity = byVelocity != 0;
    m_bScaleRnByMass = byMass != 0;
    // A friction-angle mode or engine variant this program does not know is
    // kept as read; the document then keeps its own setting (IsKnown...).
    int count = 0;
    ar >> count;
    // Every record takes at least the counts of its arrays: a count that the
    // bytes left cannot hold is a damaged file, and nothing is sized by it.
    if (count < 0)
        AfxThrowArchiveException(CArchiveException::generic);
    ar.CheckCount(static_cast<ULONGLONG>(count), schema >= 4 ? 12 : 6);
    m_samples.SetSize(count);
    for (int i = 0; i < count; ++i) {
        if (schema >= 4)
            m_samples[i].Serialize(ar);
        else
            m_samples[i].SerializeLegacyArrays(ar);
    }
}
