#include "model/DocumentDependencies.h"

#include "model/MainFrameServices.h"
#include "model/DiscResultsKind.h"
#include "model/DocumentFormatServices.h"
#include "model/InteractionModes.h"
#include "res/resource.h"
#include "tools/DrawingToolServices.h"

IMPLEMENT_DYNCREATE(CTalusimDoc, CDocument)

namespace {

const char kMemoryMessage[] =
    "Unable to allocate enough memory\nclose all applications and restart your computer\n"
    "If the problem persists contact technical support";

struct DefaultMaterial {
    int group;
    UINT nameId;
    const char* name;
    COLORREF colour;
    double rnMean;
    double rtMean;
};

const DefaultMaterial kDefaultMaterials[] = {
    {2117, 12012, "Clean hard bedrock [default]", RGB(128, 128, 128), 0.53, 0.99},
    {2118, 12011, "Asphalt [default]", RGB(0, 0, 0), 0.40, 0.90},
    {2119, 12008, "Bedrock outcrops [default]", RGB(192, 192, 192), 0.35, 0.85},
    {2120, 12009, "Talus Cover [default]", RGB(160, 160, 164), 0.32, 0.82},
    {2121, 12007, "Talus with vegetation [default]", RGB(192, 220, 192), 0.32, 0.80},
    {2122, 12010, "Soil with vegetation [default]", RGB(0, 255, 0), 0.30, 0.80},
};

// The grid is drawn after the model (placed objects, rock paths) and before
// what is drawn over the drawing: the marker line, the tools and the rulers.
const int kGridDrawLevel = 2200;

// The location graphs that describe the slope as a whole.
const int kLocationGraphKinds[] = {2901, 2902, 2903, 2904, 2905, 2906, 2940,
                                   2941, 2942, 2943, 2944, 2945, 2946};

}  // namespace

std::vector<CEntity*> CollectEntities(CREGDatabase& db, int category, int kind, int group)
{
    std::vector<CEntity*> out;
    for (int i = 0; i < db.GetEntityCount(); ++i) {
        CEntity* e = db.GetEntityAt(i);
        if (e && e->MatchesIds(category, kind, group))
            out.push_back(e);
    }
    return out;
}

CTalusimDoc::CTalusimDoc()
{
    m_database.SetDocument(this);
    m_database.SetDefaultContextMenu(6002, 3);
    m_database.SetCursorMode(118);
    m_database.SetGridState(GRID_HIDE);
    m_database.SetGridDrawLevel(kGridDrawLevel);
    m_database.SetAutoSort(true);
    m_database.SetClipboardFormat(CLIP_BITMAP, 1);
    m_database.DefineFilter(1, ID_ANY_CATEGORY, KIND_MATERIAL, ID_ANY_GROUP, true);
    m_database.DefineFilter(2, CAT_PLACED, KIND_SEEDER, ID_ANY_GROUP, true);
    m_database.DefineFilter(3, CAT_PLACED, KIND_BARRIER, GROUP_BARRIER, true);
    m_database.DefineFilter(4, CAT_PLACED, KIND_BARRIER, GROUP_COLLECTOR, true);
}

CTalusimDoc::~CTalusimDoc()
{
    delete m_pEngine;
    m_pEngine = nullptr;
}

void CTalusimDoc::RedrawEntity(CEntity* pEntity)
{
    UpdateAllViews(nullptr, 0, pEntity);
}

void CTalusimDoc::RedrawFollowingMouse(CEntity* pEntity)
{
    UpdateAllViews(nullptr, HINT_FOLLOWS_MOUSE, pEntity);
}

void CTalusimDoc::FocusCommandLine()
{
    MainFrameServices().FocusCommandLine();
}

void CTalusimDoc::CreateDefaultMaterials()
{
    for (const auto& d : kDefaultMaterials) {
        auto* m = new CTalusimSlopeType;
        CString name;
        if (!name.LoadString(d.nameId))
            name = d.name;
        m->SetGroupId(d.group);
        m->SetName(name);
        m->SetColour(d.colour);
        m->SetRnMean(d.rnMean);
        m->SetRnStdDev(0.04);
        m->SetRtMean(d.rtMean);
        m->SetRtStdDev(0.04);
        m->SetFrictionAngleMean(30.0);
        m->SetFrictionAngleStdDev(2.0);
        m->StoreDefaultValues();
        m_database.AddEntity(m, true);
    }
}

CTalusimSlopeType* CTalusimDoc::GetFirstMaterial()
{
    for (auto* m : CollectAs<CTalusimSlopeType>(m_database, ID_ANY_CATEGORY, KIND_MATERIAL, ID_ANY_GROUP))
        if (m->HasDefaultValues())
            return m;
    return nullptr;
}

// The objects of a session that are never stored: the engine, the rulers, the
// marker line and the current tool.
bool CTalusimDoc::CreateSessionObjects()
{
    if (!m_pEngine) {
        m_pEngine = new CTalusimDocEngine;
        m_pEngine->SetDocument(this);
    }
    m_pRulers = new CAxesEnt;
    m_pRulers->SetCategoryId(CAT_RULERS);
    m_database.AddEntity(m_pRulers, true);
    m_pMarkerLine = new CTalusimMarkerLine;
    m_pMarkerLine->Hide();
    m_database.AddEntity(m_pMarkerLine, true);
    // Drawing tools come from their own subsystem; without it there is no
    // current tool, which every tool operation tolerates.
    m_pCurrentTool = DrawingToolServices().CreateTool(TOOL_MEASURE);
    if (m_pCurrentTool) {
        m_pCurrentTool->MakeUnselectable();
        // The marker shows nothing until it is moved: both its points at one place.
        DrawingToolServices().SetControlPoint(m_pCurrentTool, 0, 0.0, 0.0);
        DrawingToolServices().SetControlPoint(m_pCurrentTool, 1, 0.0, 0.0);
        m_database.AddEntity(m_pCurrentTool, false);
    }
    return m_pMarkerLine != nullptr;
}

BOOL CTalusimDoc::OnNewDocument()
{
    if (!CDocument::OnNewDocument())
        return FALSE;
    CreateDefaultMaterials();
    m_nSeederProbability = SEEDER_EQUAL;
    m_nRocks = 50;
    m_nLocations = 51;
    m_dMinimumVelocity = 0.1;
    m_pSlope = new CTalusimSlope;
    m_pReferencePoint = new C2DPoint;
    if (!m_pSlope || !m_pReferencePoint) {
        AfxMessageBox(kMemoryMessage);
        return FALSE;
    }
    m_pSlope->Hide();
    m_database.AddEntity(m_pSlope, true);
    m_pReferencePoint->SetPoint(15.0, 2.0);
    m_pReferencePoint->Hide();
    m_database.AddEntity(m_pReferencePoint, true);
    if (!CreateSessionObjects()) {
        AfxMessageBox(kMemoryMessage);
        return FALSE;
    }
    return TRUE;
}

// Everything a failed open may have added goes, so that no half-read model
// stays behind in the document.
void CTalusimDoc::DiscardContents()
{
    m_rockPaths.RemoveAll();
    m_endPoints.RemoveAll();
    m_locationMaxima.RemoveAll();
    m_distributions.RemoveAll();
    m_sampleRoom.clear();
    m_wizardItems.clear();
    m_strWizardText.Empty();
    m_database.DeleteAllEntities();
    m_pathSegments.Release();
    m_pSlope = nullptr;
    m_pReferencePoint = nullptr;
    m_pRulers = nullptr;
    m_pMarkerLine = nullptr;
    m_pCurrentTool = nullptr;
    m_pCurrentEntity = nullptr;
    m_pPendingBarrier = nullptr;
    m_pPendingCollector = nullptr;
    m_pPendingSeeder = nullptr;
    m_pDiscEntity = nullptr;
    m_pCurrentRockPath = nullptr;
}

BOOL CTalusimDoc::OnOpenDocument(LPCSTR lpszPathName)
{
    // CRSP slope files are known by their extension, before anything is read.
    CDocumentFormatServices& formats = DocumentFormatServices();
    if (formats.IsCrspPath(lpszPathName))
        return formats.OpenCrspDocument(*this, lpszPathName);
    bool notText = false;
    if (!formats.ReadTextDocument(*this, lpszPathName, &notText)) {
        DiscardContents();
        // Only a file that is no sectioned text at all may be an older archive;
        // a text file that failed part-way has already said why.
        if (!notText || !CDocument::OnOpenDocument(lpszPathName)) {
            DiscardContents();
            return FALSE;
        }
        // A document has one slope, and its file keeps one: a second would be
        // drawn but never saved, and the document's own left unwritten.
        if (const size_t slopes = CollectEntities(m_database, ID_ANY_CATEGORY, KIND_SLOPE, ID_ANY_GROUP).size();
            slopes > 1) {
            CString message;
            message.Format("Unable to load file\n%s\nThe file holds %d slopes; a document has only one.",
                           lpszPathName, static_cast<int>(slopes));
            AfxMessageBox(message);
            DiscardContents();
            return FALSE;
        }
        ClearResults();
    } else {
        // The paths read take the document's colours, as computed ones do;
        // those of an older archive keep the colours stored with them.
        ApplyPathColours();
    }
    m_database.SetDefaultContextMenu(6002, 3);
    m_pPendingCollector = nullptr;
    m_pPendingBarrier = nullptr;
    m_pSlope = nullptr;
    m_pReferencePoint = nullptr;
    CloseUntouchedDocuments(this);

    auto slopes = CollectAs<CTalusimSlope>(m_database, ID_ANY_CATEGORY, KIND_SLOPE, ID_ANY_GROUP);
    m_pSlope = slopes.empty() ? nullptr : slopes.front();
    auto points = CollectAs<C2DPoint>(m_database, ID_ANY_CATEGORY, KIND_POINT, ID_ANY_GROUP);
    m_pReferencePoint = points.empty() ? nullptr : points.front();
    if (!m_pReferencePoint) {
        m_pReferencePoint = new C2DPoint;
        m_pReferencePoint->SetPoint(15.0, 2.0);
        m_pReferencePoint->Hide();
        m_database.AddEntity(m_pReferencePoint, true);
    }
    auto discs = CollectEntities(m_database, ID_ANY_CATEGORY, DISC_RESULTS_KIND, ID_ANY_GROUP);
    m_pDiscEntity = discs.empty() ? nullptr : discs.front();
    if (!m_pSlope || !CreateSessionObjects()) {
        AfxMessageBox("Unable to load file");
        DiscardContents();
        return FALSE;
    }
    m_pSlope->SetSampleSlopeFlag(m_bGenerateSlopeSamples);
    if (m_locationMaxima.GetSize() != (int)m_distributions.GetSize())
        ClearResults();
    // What was just read is what the file holds.
    SetModifiedFlag(FALSE);
    return TRUE;
}

// A document opened from a CRSP file is saved under a name of its own: Save
// would otherwise write this program's format over the CRSP file.
BOOL CTalusimDoc::DoFileSave()
{
    if (!DocumentFormatServices().IsCrspPath(GetPathName()))
        return CDocument::DoFileSave();
    const CString crspPath = GetPathName();
    CString proposed = crspPath.Left(crspPath.ReverseFind('.')) + ".cla";
    m_strPathName = proposed;  // what the Save As dialog proposes
    if (DoSave(nullptr))
        return TRUE;
    m_strPathName = crspPath;
    return FALSE;
}

BOOL CTalusimDoc::OnSaveDocument(LPCSTR lpszPathName)
{
    SetMode(MODE_IDLE);
    return DocumentFormatServices().WriteTextDocument(*this, lpszPathName) ? TRUE : FALSE;
}

// The older archive is only ever read, by the framework's open.
void CTalusimDoc::Serialize(CArchive& ar)
{
    DocumentFormatServices().ReadLegacyArchive(*this, ar);
}

void CTalusimDoc::OnCloseDocument()
{
    MainFrameServices().HideTimeStepDialogIfNoDocument();
    // The player must never keep a document that is gone.
    MainFrameServices().ForgetTimeStepDocument(this);
    CDocument::OnCloseDocument();
}

void CTalusimDoc::SetModifiedFlag(BOOL bModified)
{
    CDocument::SetModifiedFlag(bModified);
    POSITION pos = GetFirstViewPosition();
    while (pos) {
        CView* pView = GetNextView(pos);
        if (!pView)
            continue;
        if (CFrameWnd* pFrame = pView->GetParentFrame())
            pFrame->OnUpdateFrameTitle(TRUE);
        if (MainFrameServices().IsReportViewer(pView))
            MainFrameServices().ForceUpdateReportViewer(pView);
    }
}

void CTalusimDoc::DeleteSlope()
{
    if (!m_pSlope)
        return;
    RedrawEntity(m_pSlope);
    ClearResults();
    for (int kind : kLocationGraphKinds)
        MainFrameServices().ToggleChartView(kind, nullptr, false);
    m_pSlope->Hide();
    m_pSlope->ClearSlope();
}

void CTalusimDoc::HideMarkerLine()
{
    if (m_pMarkerLine)
        m_pMarkerLine->Hide();
}

void CTalusimDoc::ShowMarkerLine(const CVector2D& p1, const CVector2D& p2)
{
    if (!m_pMarkerLine)
        return;
    m_pMarkerLine->Show();
    m_pMarkerLine->SetPoints(p1.x, p1.y, p2.x, p2.y);
}

void CTalusimDoc::CloseUntouchedDocuments(CDocument* keep)
{
    CWinApp* app = AfxGetApp();
    if (!app)
        return;
    std::vector<CDocument*> untouched;
    POSITION tpos = app->GetFirstDocTemplatePosition();
    while (tpos) {
        CDocTemplate* t = app->GetNextDocTemplate(tpos);
        POSITION dpos = t ? t->GetFirstDocPosition() : nullptr;
        while (dpos) {
            CDocument* d = t->GetNextDoc(dpos);
            if (d && d != keep && d->GetPathName().IsEmpty() && !d->IsModified()) {
                // Drawings are work too, kept in no document file.
                auto* talusim = dynamic_cast<CTalusimDoc*>(d);
                if (talusim == nullptr || !talusim->HasChangedDrawings())
                    untouched.push_back(d);
            }
        }
    }
    // Closed after the walk: closing removes the document from its template's list.
    for (CDocument* d : untouched)
        d->OnCloseDocument();
}

