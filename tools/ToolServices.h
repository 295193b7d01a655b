// The drawing tools' answers to what the document asks of them: making a
// tool of a kind, feeding it points and text, its style dialog and the tools
// file. The program installs them before the first document is made.
#pragma once

#include "tools/DrawingToolServices.h"

class CToolServices : public CDrawingToolServices
{
public:
    CEntity* CreateTool(int type) override;
    void SetRegistryBase(CEntity* tool, LPCSTR path) override;
    void LoadStyleFromRegistry(CEntity* tool) override;
    void SetDocumentOption(CEntity* tool, bool metric) override;
    void SetShiftConstrain(CEntity* tool, bool held) override;
    void SetControlPoint(CEntity* tool, int index, double x, double y) override;
    void SetText(CEntity* tool, LPCSTR text) override;
    void FinishTool(CEntity* tool) override;
    void ClearImageScaling(CEntity* tool) override;
    INT_PTR RunFormatTool(CEntity* tool, CDocument* doc, CREGDatabase* database) override;
    bool SaveOrLoadToolsFile(CWnd* parent, CREGDatabase* database, bool save, bool metric) override;
    bool LoadToolsFile(CWnd* parent, CREGDatabase* database, LPCSTR path, bool metric) override;
    std::string ToolsFileText(CWnd* view, CREGDatabase* database, bool metric) override;
};

// Installs the tools' services in place of any others.
void InstallToolServices();
