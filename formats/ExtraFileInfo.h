// The project settings record of the older archive format: the document's
// settings travelled in the drawing database as this hidden entity. Reading a
// file moves them into the document and deletes the record.
#pragma once

#include "framework/Array.h"
#include "geometry/Entity.h"
#include "model/ResultRecords.h"

class CTalusimExtraFileInfo : public CEntity
{
    DECLARE_SERIAL(CTalusimExtraFileInfo)
public:
    static constexpr int kKindId = 2601;
    static constexpr int kCategoryId = 2206;

    CTalusimExtraFileInfo();
    ~CTalusimExtraFileInfo() override;

    // Reading only: the program never writes this format, so storing throws.
    void Serialize(CArchive& ar) override;

    // Codes that other versions of the program may have written: the
    // document takes only those it knows and keeps its own setting otherwise.
    bool IsKnownFrictionAngleMode() const { return m_nFrictionAngleMode <= 2; }
    bool IsKnownEngineVariant() const { return m_nEngineVariant >= 2401 && m_nEngineVariant <= 2404; }

    bool m_bMetric = true;
    BYTE m_nFrictionAngleMode = 0;
    bool m_bLegacyFlag = true;
    bool m_bConsiderAngularVelocity = true;
    int m_nEngineVariant = 2401;
    double m_dRnVelocityConstant = 9.144;
    bool m_bScaleRnByVelocity = false;
    bool m_bScaleRnByMass = false;
    double m_dRnMassConstant = 1000.0;
    // The document's samples when a record is made from a document (not owned).
    const CArray<CDistributionSamples, const CDistributionSamples&>* m_pSourceSamples = nullptr;
    CArray<CDistributionSamples, const CDistributionSamples&> m_samples;
};
