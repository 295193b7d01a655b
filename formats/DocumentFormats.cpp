#include "formats/DocumentFormats.h"

#include "model/DocumentDependencies.h"
#include "model/DocumentFormatServices.h"

namespace {

class CDocumentFormats : public CDocumentFormatServices
{
public:
    bool ReadTextDocument(CTalusimDoc& doc, LPCSTR path, bool* notText) override
    {
        return doc.ReadTextDocument(path, notText);
    }
    bool WriteTextDocument(CTalusimDoc& doc, LPCSTR path) override { return doc.WriteTextDocument(path); }
    void ReadLegacyArchive(CTalusimDoc& doc, CArchive& ar) override { doc.ReadLegacyArchive(ar); }
    bool IsCrspPath(LPCSTR path) override { return CTalusimDoc::IsCrspPath(path); }
    BOOL OpenCrspDocument(CTalusimDoc& doc, LPCSTR path) override { return doc.OpenCrspDocument(path); }
    bool ImportMaterialsFrom(CTalusimDoc& doc, LPCSTR path) override { return doc.ImportMaterialsFrom(path); }
    bool ExportMaterialsTo(CTalusimDoc& doc, LPCSTR path) override { return doc.ExportMaterialsTo(path); }
};

}  // namespace

void InstallDocumentFormats()
{
    static CDocumentFormats formats;
    InstallDocumentFormatServices(&formats);
}
