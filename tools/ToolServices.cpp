#include "tools/ToolServices.h"

#include "tools/FormatToolDlg.h"
#include "tools/Measure.h"
#include "tools/ToolFactory.h"
#include "tools/ToolImage.h"
#include "tools/ToolsFile.h"

namespace {

CMeasure* Tool(CEntity* entity) { return dynamic_cast<CMeasure*>(entity); }

void Configure(CToolsFile& file, bool metric)
{
    file.SetFilter("Clastor Tools File(*.clt)|*.clt|All Files (*.*)|*.*||");
    file.SetDefaultExtension("clt");
    file.SetOption(metric);
    file.SetToolKindId(kToolKindId);
    file.SetRegistryBase(kToolRegistryBase);
}

} // namespace

CEntity* CToolServices::CreateTool(int type) { return CreateToolOfType(type); }

void CToolServices::SetRegistryBase(CEntity* tool, LPCSTR path)
{
    if (CMeasure* t = Tool(tool))
        t->SetRegistryBase(path);
}

void CToolServices::LoadStyleFromRegistry(CEntity* tool)
{
    if (CMeasure* t = Tool(tool))
        t->LoadStyleFromRegistry();
}

void CToolServices::SetDocumentOption(CEntity* tool, bool metric)
{
    if (CMeasure* t = Tool(tool))
        t->SetDocumentOption(metric);
}

void CToolServices::SetShiftConstrain(CEntity* tool, bool held)
{
    if (CMeasure* t = Tool(tool))
        t->SetShiftConstrain(held);
}

void CToolServices::SetControlPoint(CEntity* tool, int index, double x, double y)
{
    CMeasure* t = Tool(tool);
    if (t == nullptr)
        return;
    const CVector2D p(x, y);
    if (index == 0)
        t->SetStartPoint(p);
    else if (index == 1)
        t->SetEndPoint(p);
    else if (index == 2)
        t->SetThirdPoint(p);
}

void CToolServices::SetText(CEntity* tool, LPCSTR text)
{
    if (CMeasure* t = Tool(tool))
        t->SetText(text);
}

void CToolServices::FinishTool(CEntity* tool)
{
    if (CMeasure* t = Tool(tool))
        t->OnPlaced();
}

void CToolServices::ClearImageScaling(CEntity* tool)
{
    if (auto* image = dynamic_cast<CToolImage*>(tool))
        image->SetScaling(false);
}

INT_PTR CToolServices::RunFormatTool(CEntity* tool, CDocument* doc, CREGDatabase* database)
{
    CMeasure* t = Tool(tool);
    if (t == nullptr)
        return IDCANCEL;
    CFormatToolDlg dialog;
    dialog.SetTool(t);
    dialog.SetDocument(doc, database);
    return dialog.DoModal();
}

bool CToolServices::SaveOrLoadToolsFile(CWnd* parent, CREGDatabase* database, bool save, bool metric)
{
    CToolsFile file;
    Configure(file, metric);
    return file.SaveOrLoad(parent, database, save);
}

bool CToolServices::LoadToolsFile(CWnd* parent, CREGDatabase* database, LPCSTR path, bool metric)
{
    CToolsFile file;
    Configure(file, metric);
    return file.LoadFromPath(parent, database, path);
}

std::string CToolServices::ToolsFileText(CWnd* view, CREGDatabase* database, bool metric)
{
    CToolsFile file;
    Configure(file, metric);
    file.SetDatabase(database);
    return file.TextOf(view);
}

void InstallToolServices()
{
    static CToolServices services;
    InstallDrawingToolServices(&services);
}
