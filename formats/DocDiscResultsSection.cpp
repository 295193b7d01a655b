// The DISC_RESULTS section of the text file: the disc parameters, then the
// disc results as the disc-element programs write and read them.
#include "model/DocumentDependencies.h"

#include "model/DiscResultsKind.h"
#include "formats/DocumentTextFile.h"
#include "model/DiscRunServices.h"

void CTalusimDoc::WriteDiscResultsSection(CDocumentTextWriter& file, int /*version*/)
{
    const CDiscParameters& b = m_discParameters;
    file.Line("* Disc Parameters");
    file.Values(' ', b.m_integerA, b.m_code, b.m_integerB, b.m_reserved1, b.m_integerC, b.m_reserved2, b.m_realA,
                b.m_realB, int{b.m_flagA}, int{b.m_flagB}, int{b.m_flagC}, b.GetLabelMode());
    DiscRunServices().WriteResultsText(m_pDiscEntity, file);
}

bool CTalusimDoc::ReadDiscResultsSection(CDocumentTextReader& file, int version)
{
    if (version < 1 || version > 2)
        return false;
    // One set of disc results per document.
    if (!CollectEntities(m_database, ID_ANY_CATEGORY, DISC_RESULTS_KIND, ID_ANY_GROUP).empty())
        return false;
    double v[12];
    if (!file.ReadFields("iiiiiirriiii", v))
        return false;
    CDiscParameters b;
    b.m_integerA = static_cast<int>(v[0]);
    b.m_code = static_cast<int>(v[1]);
    b.m_integerB = static_cast<int>(v[2]);
    b.m_reserved1 = static_cast<int>(v[3]);
    b.m_integerC = static_cast<int>(v[4]);
    b.m_reserved2 = static_cast<int>(v[5]);
    b.m_realA = v[6];
    b.m_realB = v[7];
    b.m_flagA = v[8] != 0 ? 1 : 0;
    b.m_flagB = v[9] != 0 ? 1 : 0;
    b.m_flagC = v[10] != 0 ? 1 : 0;
    b.SetLabelMode(static_cast<int>(v[11]));
    CEntity* entity = DiscRunServices().ReadResultsText(file, version);
    if (!entity)
        return false;
    DiscRunServices().SetViewSettings(entity, b);
    m_discParameters = b;
    m_database.AddEntity(entity, false);
    return true;
}
