// The one document class: it owns the drawing database that holds the whole
// model (materials, slope, seeders, barriers and collectors, rock paths, the
// rulers, the reference point, the marker line, the drawing tools), the
// project settings, the results of the last computation and the interaction
// mode. Its neighbours above (main frame, views, dialogs, tools) are reached
// through the services of app/, view/, graphs/ and tools/, never directly.
#pragma once

#include <array>
#include <cfloat>
#include <functional>
#include <map>
#include <string>
#include <unordered_map>
#include <vector>
#include "framework/Afx.h"
#include "framework/Array.h"
#include "framework/CmdTarget.h"
#include "framework/Document.h"
#include "framework/View.h"
#include "framework/Frame.h"
#include "framework/WinApp.h"
#include "framework/DocTemplate.h"
#include "framework/MessageBox.h"
#include "geometry/REGDatabase.h"
#include "geometry/Vector2D.h"
#include "model/PathSegmentStore.h"
#include "model/ResultRecords.h"

class CEntity;
class CPolyLine;
class C2DPoint;
class CAxesEnt;
class CTalusimSlopeType;
class CTalusimSlope;
class CTalusimRaker;
class CTalusimBarrier;
class CTalusimRockPath;
class CTalusimMarkerLine;
class CTalusimDocEngine;
class CDocumentTextReader;
class CDocumentTextWriter;
struct CDiscRunSnapshot;

// Entity ids the document uses: categories, kinds and groups.
enum DocumentEntityIds {
    CAT_PLACED = 2133,
    CAT_PENDING = 2132,
    CAT_PATH_PASSES = 2164,
    CAT_PATH_NOT_FILTERED = 2165,
    CAT_BARRIER_MOVING = 2168,
    CAT_RULERS = 2205,
    KIND_BARRIER = 2101,
    KIND_SLOPE = 2103,
    KIND_MATERIAL = 2104,
    KIND_ROCK_PATH = 2105,
    KIND_SEEDER = 2151,
    KIND_POINT = 3,
    GROUP_BARRIER = 2161,
    GROUP_COLLECTOR = 2162,
    GROUP_POINT_SEEDER = 2169,
    GROUP_LINE_SEEDER = 2170,
    RANDOM_TIME = 3350,
    RANDOM_FIXED = 3351,
    RANDOM_USER = 3352,
    SEEDER_EQUAL = 2149,
    SEEDER_BY_LENGTH = 2150,
    ELASTICITY_INELASTIC = 2156,
    ELASTICITY_ELASTIC = 2157,
    ELASTICITY_CUSTOM = 2158,
    PICK_VERTEX = 2153,
    PICK_SEGMENT = 2154,
    PICK_NONE = 2155,
};

// What a computation tells the user at its end: rocks that could not be
// thrown (a sampled slope or mass the model refuses) and rocks that ran out
// of steps.
struct CRunSummary {
    int invalidSlopes = 0;
    bool sampledSlopes = false;
    int invalidMasses = 0;
    int timeOuts = 0;
    int unfollowable = 0;   // rocks the engine could not follow
    void Add(const CRunSummary& run)
    {
        unfollowable += run.unfollowable;
        invalidSlopes += run.invalidSlopes;
        sampledSlopes = sampledSlopes || run.sampledSlopes;
        invalidMasses += run.invalidMasses;
        timeOuts += run.timeOuts;
    }
};

// One observation of the Material Wizard.
struct CWizardItem {
    double value = 0.0;
    int code = 0;
};

class CTalusimDoc : public CDocument
{
    DECLARE_DYNCREATE(CTalusimDoc)
public:
    CTalusimDoc();
    ~CTalusimDoc() override;

    // ---- lifecycle ---------------------------------------------------------
    BOOL OnNewDocument() override;
    BOOL OnOpenDocument(LPCSTR lpszPathName) override;
    BOOL OnSaveDocument(LPCSTR lpszPathName) override;
    BOOL DoFileSave() override;
    void OnCloseDocument() override;
    BOOL IsModified() override { return CDocument::IsModified(); }
    void SetModifiedFlag(BOOL bModified = TRUE) override;
    // Closing asks for the document, then for every window whose drawings
    // changed since they were loaded or saved (their tools file is separate).
    BOOL SaveModified() override;
    BOOL CanCloseFrame(CFrameWnd* pFrame) override;
    void SetPathName(LPCSTR lpszPathName, BOOL bAddToMRU = TRUE) override;
    void OnChangedViewList() override;

    void CreateDefaultMaterials();
    void DeleteSlope();
    CTalusimSlopeType* GetFirstMaterial();
    CTalusimSlope* GetSlope() const { return m_pSlope; }
    CREGDatabase* GetDatabase() { return &m_database; }
    C2DPoint* GetReferencePoint() const { return m_pReferencePoint; }
    CTalusimMarkerLine* GetMarkerLine() const { return m_pMarkerLine; }
    CAxesEnt* GetRulers() const { return m_pRulers; }
    CEntity* GetCurrentTool() const { return m_pCurrentTool; }
    CTalusimDocEngine* GetEngine() const { return m_pEngine; }
    void HideMarkerLine();
    void ShowMarkerLine(const CVector2D& p1, const CVector2D& p2);
    static void CloseUntouchedDocuments(CDocument* keep);
    // Redraws one entity in every view (null: everything).
    void RedrawEntity(CEntity* pEntity);
    // The update hint of what only follows the mouse (rubber bands, the
    // reference point, vertices and objects dragged live): no result and no
    // graph changes with it, so the graph windows need not be rebuilt.
    static constexpr LPARAM HINT_FOLLOWS_MOUSE = 1;
    void RedrawFollowingMouse(CEntity* pEntity);

    // ---- interaction modes --------------------------------------------------
    int GetMode() const { return m_nMode; }
    int GetPreviousMode() const { return m_nPreviousMode; }
    int SetMode(int mode);
    static bool IsEquivalentMode(int a, int b);
    bool IsMode(int mode) const { return IsEquivalentMode(mode, m_nMode); }
    void OnModeChanged(int oldMode, int newMode);
    void LeaveMode(int oldMode, int newMode);
    void EnterMode(int oldMode, int newMode);
    static int GetNextToolStage(int mode);
    static int GetFirstToolStage(int mode);
    int BeginTransientMode(int mode);
    int EndTransientMode();
    bool HasTransientMode() const { return m_nSavedMode != 2108; }
    // The prompt text last shown for a mode (what the prompt line shows).
    const CString& GetPromptText() const { return m_strPrompt; }

    // ---- text format ---------------------------------------------------------
    // The document's file formats (this section and the file exchange below)
    // are defined in formats/; the document's own open, save, archive and
    // materials commands reach them through model/DocumentFormatServices.h.
    // False when the file was refused; `legacy` tells whether the first line
    // was no section header (the legacy reader may try the file then).
    bool ReadTextDocument(LPCSTR path, bool* pNotText = nullptr);
    bool WriteTextDocument(LPCSTR path);
    bool ReadNextDataLine(CDocumentTextReader& file, std::string& line);
    void WriteGeneralSection(CDocumentTextWriter& file, int version);
    bool ReadGeneralSection(CDocumentTextReader& file, int version);
    void WriteResultsSection(CDocumentTextWriter& file, int version);
    bool ReadResultsSection(CDocumentTextReader& file, int version);
    void WriteWizardSection(CDocumentTextWriter& file, int version);
    bool ReadWizardSection(CDocumentTextReader& file, int version);
    void WriteSeedersSection(CDocumentTextWriter& file, int version);
    bool ReadSeedersSection(CDocumentTextReader& file, int version);
    void WriteMaterialsSection(CDocumentTextWriter& file, int version);
    bool ReadMaterialsSection(CDocumentTextReader& file, int version);
    void WriteSlopeSection(CDocumentTextWriter& file, int version);
    bool ReadSlopeSection(CDocumentTextReader& file, int version);
    void WriteRockPathsSection(CDocumentTextWriter& file, int version);
    bool ReadRockPathsSection(CDocumentTextReader& file, int version);
    void WriteCollectorsSection(CDocumentTextWriter& file, int version);
    bool ReadCollectorsSection(CDocumentTextReader& file, int version);
    void WriteBarriersSection(CDocumentTextWriter& file, int version);
    bool ReadBarriersSection(CDocumentTextReader& file, int version);
    // Disc results: written only when the document holds them.
    bool HasDiscResultsToWrite() const { return m_pDiscEntity != nullptr; }
    void WriteDiscResultsSection(CDocumentTextWriter& file, int version);
    bool ReadDiscResultsSection(CDocumentTextReader& file, int version);
    // Settings the other sections have no place for, each written only when
    // it differs from a new document's (DocSettingsSections.cpp).
    bool HasSlopeSamplingToWrite() const { return m_bGenerateSlopeSamples; }
    void WriteSlopeSamplingSection(CDocumentTextWriter& file, int version);
    bool ReadSlopeSamplingSection(CDocumentTextReader& file, int version);
    bool HasSnapAndGridToWrite() const;
    void WriteSnapAndGridSection(CDocumentTextWriter& file, int version);
    bool ReadSnapAndGridSection(CDocumentTextReader& file, int version);
    // The Disc Setup's settings, when no disc results carry them.
    bool HasDiscSettingsToWrite() const;
    void WriteDiscSettingsSection(CDocumentTextWriter& file, int version);
    bool ReadDiscSettingsSection(CDocumentTextReader& file, int version);
    CTalusimSlopeType* FindMaterialByFileId(int id);
    CTalusimRockPath* FindRockPathByFileId(int id);
    CTalusimSlopeType* CreateOrUpdateMaterial(const CString& name, COLORREF colour, double rnMean, double rnSd,
                                              double rtMean, double rtSd, double frictionMean,
                                              double frictionSd, double roughnessSd, int fileId);
    // A name the text file can carry: not empty, no leading "*", not the
    // section trailer, on one line.
    static bool IsStorableName(const CString& name);

    // ---- editing commands ------------------------------------------------------
    void OnCollectorEditor();
    void OnBarrierEditor();
    void OnMaterialEditor();
    void OnSlopeEditor();
    void OnSnap();
    // The quick snap commands (menu, toolbar, status bar, command line): the
    // snap mode is saved with the document, so a change marks it modified.
    // SNAP_CYCLE steps to the next mode.
    void ChangeSnapMode(int mode);
    void OnGridSettings();
    void ShowSnapSettings() { OnSnap(); }
    void ShowGridSettings() { OnGridSettings(); }
    void OnDeleteEntireSlope();
    void OnAddVerticalBarrier() { SetMode(2106); }
    void OnAddDataCollector();
    void OnAddBarrier();
    void OnAddLineSeeder();
    void EditCollectors(CTalusimBarrier* pInitial);
    void EditMaterial(CTalusimSlopeType* pInitial);
    void EditMaterialAtPoint(double x, double y);
    void RunSlopeEditor(int pickKind, int index);
    void BeginDefineSlope();
    void BeginDeleteVertices();
    void BeginMoveVertices();
    void StepMoveVertices();
    void FinishVertexDeletion();
    void DeleteSelectedBarriers();
    void DeleteSelectedCollectors();
    void DeleteSelectedSeeders();
    void CloseBarrierGraphs(CEntity* pObject);
    // Deletes a barrier or collector with its impact-graph windows.
    void DeleteBarrier(CEntity* pObject);
    void ResetSeederProbability();
    void MoveReferencePoint(double x, double y);
    void HideReferencePoint();
    void TrackSeederPoint(double x, double y) { MoveReferencePoint(x, y); }
    void SetVertexMoveBasePoint(double x, double y);
    void SetVertexMoveTargetPoint(double x, double y);
    void SetCollectorMoveBasePoint(double x, double y);
    void SetCollectorMoveTargetPoint(double x, double y);
    void TrackBarrierStart(double x, double y) { TrackLineStart(m_pPendingBarrier, x, y); }
    void TrackCollectorStart(double x, double y) { TrackLineStart(m_pPendingCollector, x, y); }
    void TrackBarrierEnd(double x, double y) { TrackLineEnd(m_pPendingBarrier, x, y); }
    void TrackCollectorEnd(double x, double y) { TrackLineEnd(m_pPendingCollector, x, y); }
    void TrackLineSeederStart(double x, double y);
    void AddLineSeederVertex(double x, double y);
    void TrackLineSeederEnd(double x, double y);
    void BackupSlopeVertices();
    void PlacePendingCollector();
    void PlacePendingBarrier();
    void AddPointSeederAt(double x, double y);
    void FinishLineSeeder();
    void AppendSlopeVertex(double x, double y);
    bool CanAppendSlopeVertex(double x, double y);
    bool CanAppendSegmentAcrossBarriers(const CVector2D& a, const CVector2D& b);
    bool CanPlaceBarrierAt(double x, double y);
    void TrackSlopeVertex(double x, double y);
    void RemoveLastSlopeVertex();
    void RemoveLastSeederVertex();
    void MoveSelectedVertices();
    void MoveSelectedEntities();
    bool MoveSelectedBarrierTo(double x, double y);
    void AssignMaterialToSegments(int test, double top, double left, double bottom, double right);
    void RestoreSegmentMaterials();
    CTalusimBarrier* GetPendingCollector() const { return m_pPendingCollector; }
    CTalusimBarrier* GetPendingBarrier() const { return m_pPendingBarrier; }
    CTalusimRaker* GetPendingSeeder() const { return m_pPendingSeeder; }
    // Update rules of the editing commands.
    bool CanEditBarriers();
    bool CanUseVertexCommands();
    bool HasPlacedObjects(int kind, int group);

    // ---- results, graphs, filters, units, tools --------------------------------
    void ClearResults() { ClearRockPaths(); }
    void ClearRockPaths();
    void ShowProjectSettings();
    void OnBarrierCollectorGraphs();
    void OnGraphEnvelope();
    void OnGraphDistribution();
    void OnUnits();
    void SetMetric(bool metric);
    void OnInfoViewer();
    void WriteAnalysisReport(CView* pViewer);
    void OnMaterialWizard();
    void OnDisplayOptions();
    void OnFilterByValue();
    void OnFilterByImpact(CTalusimBarrier* pInitial = nullptr);
    void RemoveFilter();
    // Marks the rock paths that match as filtered, combined with those
    // already filtered by the mode: 0 discard them first, 1 narrow them, 2
    // add to them. The drawing is sorted again; redrawing is the caller's.
    void ApplyRockPathFilter(int mode, bool filterExists, const std::function<bool(const CTalusimRockPath&)>& matches);
    void OnInvertFilter();
    void OnFilteredPathsOnly() { SetShowAllPaths(!m_bShowFilteredOut); }
    void SetShowAllPaths(bool show);
    bool GetShowAllPaths() const { return m_bShowFilteredOut; }
    void ShowChart(int kind) const;

    CVector2D GetFirstEndPoint(bool& passes);
    CVector2D GetNextEndPoint(bool& passes);
    int CountEndPoints(bool filteredOnly);
    bool IsFilteredOnlyActive();
    bool AnyPathPassesFilter();
    const CLocationEnvelope& GetFirstLocationMaxima();
    const CLocationEnvelope& GetNextLocationMaxima();
    int GetEnvelopeCount() const { return (int)m_locationMaxima.GetSize(); }
    int GetLastDistributionIndex() const { return (int)m_distributions.GetSize() - 1; }
    CDistributionSamples* GetDistribution(int i);
    void GetSlopeExtents(CVector2D& topLeft, CVector2D& bottomRight) const;
    int GetLocationCount() const { return m_nLocations; }
    int GetSlopeVertexCount() const;
    int GetRandomMode() const { return m_nRandomMode; }
    int GetRandomSeed() const { return m_nRandomSeed; }
    int GetFrictionAngleMode() const { return m_nFrictionAngleMode; }
    double GetMinimumVelocity() const { return m_dMinimumVelocity; }
    bool GetConsiderAngularVelocity() const { return m_bConsiderAngularVelocity; }
    bool GetGenerateSlopeSamples() const { return m_bGenerateSlopeSamples; }
    bool GetScaleRnByVelocity(double& k) const { k = m_dRnVelocityConstant; return m_bScaleRnByVelocity; }
    bool GetScaleRnByMass(double& c) const { c = m_dRnMassConstant; return m_bScaleRnByMass; }
    int GetSeederProbability() const { return m_nSeederProbability; }
    COLORREF GetPathColour() const { return m_crPathColour; }
    COLORREF GetFilteredPathColour() const { return m_crFilteredPathColour; }
    bool IsMetric() const { return m_bMetric; }
    CString GetLengthUnitLabel() const;
    CString GetMassUnitLabel() const;
    CString GetVelocityUnitLabel() const;
    CString GetEnergyUnitLabel() const;
    CString GetAngularVelocityUnitLabel() const;
    CVector2D SnapToSlope(double x, double y);
    CVector2D SnapToSlopeSegment(double x, double y, int* pSegment);
    CDiscParameters& GetDiscParameters() { return m_discParameters; }
    CEntity* GetDiscEntity() const { return m_pDiscEntity; }
    // ---- disc results and their player ---------------------------------------
    // The entity is the database's; the document only points at it.
    void SetDiscEntity(CEntity* entity) { m_pDiscEntity = entity; }
    bool HasDiscEntity() const { return m_pDiscEntity != nullptr; }
    // The last step index the player may show (first is always 0: the start;
    // the last: where the run ended) and, in endTime, the time of that last
    // step; 0 and an end time of 0 without disc results.
    int GetDiscPlayback(int& first, int& current, double& endTime, int& mode) const;
    // The simulated time, seconds, of the frame that a step shows.
    double GetDiscStepTime(int step) const;
    void SetDiscStep(int step);
    void SetDiscDisplayMode(int mode);
    int GetDiscSkip() const { return m_discParameters.GetSkipCount(); }
    void SetDiscSkip(int n);
    CDiscParameters GetDiscViewSettings();
    void SetDiscViewSettings(const CDiscParameters& block);
    // 1 while a disc run goes on; the Working dialog's Cancel clears it.
    int* GetDiscRunFlag() { return &m_nDiscRunFlag; }
    bool IsDiscRunActive() const { return m_nDiscRunFlag == 1; }
    // The discs a throw left at rest, one record of their fifteen properties
    // (elements 1 to 15) each, in ball-file order.
    std::vector<std::array<double, 16>>& GetSettledDiscs() { return m_settledDiscs; }
    // A new rock path for one thrown disc, coloured and stored as the
    // computed paths are, in the database; its end point and the hits it
    // makes are filed under it.
    CTalusimRockPath* AddDiscRockPath();
    // What a disc run may change of the results, taken before it starts; a
    // run that fails hands it back with the rock paths it added (they are
    // the database's and are deleted, with the hits filed under them), and
    // the document is as it was.
    CDiscRunSnapshot TakeDiscRunSnapshot();
    void RestoreDiscRunSnapshot(CDiscRunSnapshot& before, const std::vector<CTalusimRockPath*>& added);
    void OnDiscParameters();
    void OnThrowDiscs();
    void OnTimeStep();
    void OnNewDemSimulation();
    const CString& GetWizardText() const { return m_strWizardText; }
    void SetWizardText(const CString& text) { m_strWizardText = text; }
    int AddWizardItem(const CWizardItem& item);
    void ClearWizardItems() { m_wizardItems.clear(); }
    int GetWizardItemCount() const { return (int)m_wizardItems.size(); }
    const CWizardItem& GetWizardItem(int i) const { return m_wizardItems[static_cast<size_t>(i)]; }
    int GetRockPathCount() const { return (int)m_rockPaths.GetSize(); }
    CTalusimRockPath* GetRockPath(int i) const { return m_rockPaths[i]; }
    int GetEndPointCount() const { return (int)m_endPoints.GetSize(); }
    CVector2D GetEndPoint(int i) const { return m_endPoints[i]; }
    const CLocationEnvelope& GetLocationMaxima(int i) const { return m_locationMaxima[i]; }

    // Drawing tools.
    void CreateTool(int type);
    void SetToolStartPoint(double x, double y);
    void SetToolEndPoint(double x, double y);
    void DragToolEndPoint(double x, double y);
    void SetToolShiftConstrain(bool held);
    void SetToolOwner(CWnd* pView);
    void SetToolSelectable(bool selectable);
    void SetToolText(LPCSTR text);
    void FinishCurrentTool();
    // Takes the unfinished tool out of the drawing (a picture whose file was not loaded).
    void DeleteCurrentTool();
    void SetToolView(CView* pView) { m_pToolView = pView; }
    bool IsToolView(CView* pView) const { return m_pToolView == pView; }
    void SetReferencePoint(double x, double y) { MoveReferencePoint(x, y); }
    void MoveReferenceMarker(double x, double y) { MoveReferencePoint(x, y); }
    CEntity* GetCurrentEntity() const { return m_pCurrentEntity; }
    void SetCurrentEntity(CEntity* pEntity) { m_pCurrentEntity = pEntity; }
    void BeginEntityDrag(const CVector2D& point);
    void DragEntityBy(const CVector2D& point);
    void SnapshotCurrentEntity();
    void RestoreCurrentEntity();
    bool EndAllEditing();
    void DeleteEditingEntities();
    void EditToolFormat(CEntity* pEntity);
    void OnSaveToolsFile(CWnd* pParent);
    void OnOpenToolsFile(CWnd* pParent);
    void LoadToolsFile(CWnd* pParent, LPCSTR path);
    // Whether the drawings of a window differ from what its tools file got
    // or gave last (a window never saved or loaded counts as having had none,
    // so deleting drawings is a change like adding them), and whether any
    // window's do.
    bool DrawingsChanged(CWnd* pView);
    bool HasChangedDrawings();

    // Settings setters used by the settings dialogs' owners and the tests.
    void SetRocks(int rocks) { m_nRocks = rocks; }
    void SetLocations(int locations) { m_nLocations = locations; }
    void SetGenerateSlopeSamples(bool b) { m_bGenerateSlopeSamples = b; }

    // ---- compute (the engine callbacks and the compute driver) -----------------
    CTalusimRockPath* GetCurrentRockPath() const { return m_pCurrentRockPath; }
    void SetCurrentRockPath(CTalusimRockPath* path) { m_pCurrentRockPath = path; }
    void RecordEndPoint(double x, double y);
    void RecordImpact(double x, double y, double vx, double vy, double mass, double angularVelocity,
                      CTalusimBarrier* pBarrier);
    void RecordLocationPassage(double x, double y, double vx, double vy, double mass, int location,
                               double angularVelocity);
    double RotationalEnergy(double mass, double angularVelocity) const;
    void RecordDiscStep(double x0, double y0, double vx0, double vy0, double x1, double y1, double vx1,
                        double vy1, double mass, double angularVelocity);
    // The barriers and collectors whose crossings RecordDiscStep files: a
    // disc run hands those of the second work set (SET_WORK2) once (null when
    // it ends), so that no step looks them up among every entity, rock paths
    // included. Without a
    // list the set is read at every step.
    void SetDiscCrossings(const std::vector<CTalusimBarrier*>* lines) { m_pDiscCrossings = lines; }
    void SampleRockStart(CVector2D& start, CVector2D& velocity, double& mass, double& angularVelocity);
    CTalusimRaker* ChooseSeeder();
    void OnCompute();
    // False when the model was refused before any rock was thrown; the user
    // has been told why. With a summary, what the run would tell the user at
    // its end is added to it instead, for a caller that runs many.
    bool RunSimulation(BOOL showProgress, CRunSummary* summary = nullptr);
    static void ReportRunSummary(const CRunSummary& summary);
    BOOL ValidateSlope(BOOL report);
    void TransferSlopeToEngine();
    BOOL TransferBarriersToEngine();
    BOOL CheckBarrierLength(CTalusimBarrier* pBarrier);
    void PrepareResults(BOOL withEngine);
    void SampleSlopeVertices();
    void SetRockCount(int rocks) { m_nRocks = rocks; }
    int GetRockCount() const { return m_nRocks; }
    void SetOuterProgress(BOOL active, int index, int total);
    // Histogram scales of the distribution graphs.
    double GetDistributionMaximum(int kind);
    void ComputeHistogramMaxCount(int kind, int bins, double& maxValue, double& maxCount);
    void OnSimulationFinished() {}
    void OpenSlopeEditorAt(const CVector2D& point, int pickKind);

    // ---- file exchange: materials file, CRSP slopes, legacy archives ---------
    // Materials file (".clm"): the commands ask for a file; the rest works on
    // an open reader or writer. Reading keeps the materials completed before
    // an error and tells how many it took.
    void OnExportMaterials();
    void OnImportMaterials();
    bool ExportMaterialsTo(LPCSTR path);
    bool ImportMaterialsFrom(LPCSTR path);
    void WriteMaterialsFile(CDocumentTextWriter& file);
    int ReadMaterialsFile(CDocumentTextReader& file);
    // CRSP slope files: the whole file is read and checked before the slope
    // is touched; false (with a message shown) leaves the document as it was.
    bool ImportCrsp(LPCSTR path);
    static bool IsCrspPath(LPCSTR path);
    BOOL OpenCrspDocument(LPCSTR path);
    // Reading the older archive format (it is never written): the framework's
    // open calls Serialize, which hands the archive to ReadLegacyArchive.
    void Serialize(CArchive& ar) override;
    void ReadLegacyArchive(CArchive& ar);
    void SyncLegacySettings(bool storing);
    void ApplyExtraFileInfo();
    void DeleteDrawingTools();
    void CheckResultArrays();

protected:
    // Update handlers of the commands.
    void OnUpdateModeIdle(CCmdUI* pCmdUI);
    void OnUpdateBarrierEditor(CCmdUI* pCmdUI);
    void OnUpdateSlopeEditor(CCmdUI* pCmdUI);
    void OnUpdateDeleteEntireSlope(CCmdUI* pCmdUI);
    void OnUpdateAlwaysDisabled(CCmdUI* pCmdUI);
    void OnUpdateAddDataCollector(CCmdUI* pCmdUI);
    void OnUpdateAddPointSeeder(CCmdUI* pCmdUI);
    void OnUpdateAddLineSeeder(CCmdUI* pCmdUI);
    void OnUpdateDefineSlope(CCmdUI* pCmdUI);
    void OnUpdateImport(CCmdUI* pCmdUI);
    void OnUpdateAlwaysEnabled(CCmdUI* pCmdUI);
    void OnUpdateClearRockPaths(CCmdUI* pCmdUI);
    void OnUpdateCompute(CCmdUI* pCmdUI);
    void OnUpdateBarrierCollectorGraphs(CCmdUI* pCmdUI);
    void OnUpdateGraphCreate(CCmdUI* pCmdUI);
    void OnUpdateDisplayOptions(CCmdUI* pCmdUI);
    void OnUpdateInvertFilter(CCmdUI* pCmdUI);
    void OnUpdateFilteredPathsOnly(CCmdUI* pCmdUI);
    void OnUpdateDiscParameters(CCmdUI* pCmdUI);
    void OnUpdateThrowDiscs(CCmdUI* pCmdUI);
    void OnUpdateTimeStep(CCmdUI* pCmdUI);
    void OnUpdateNewDemSimulation(CCmdUI* pCmdUI);
    BOOL OnChart(UINT id);
    void OnClearRockPathsCommand() { ClearRockPaths(); }
    void OnProjectSettingsCommand() { ShowProjectSettings(); }
    void OnFilterByImpactCommand() { OnFilterByImpact(nullptr); }
    DECLARE_MESSAGE_MAP()

private:
    // Lifecycle helpers.
    bool CreateSessionObjects();
    void ResetForOpen();
    // Leaves nothing of a failed open behind.
    void DiscardContents();
    CTalusimBarrier* CreatePendingCollector();
    CTalusimBarrier* CreatePendingBarrier();
    // The pending barrier or collector follows the mouse: its start point
    // before the first click, its end point after it.
    void TrackLineStart(CTalusimBarrier* line, double x, double y);
    void TrackLineEnd(CTalusimBarrier* line, double x, double y);
    // Deletes the selected barriers or collectors and closes their graph
    // windows; true when there was a selection.
    bool DeleteSelectedLines();
    // Keeps a base or target point of a move and shows the reference point there.
    void MarkMovePoint(CVector2D& point, double x, double y);
    // A slope or line seeder being drawn ends in a vertex that follows the mouse.
    void MoveRubberBandVertex(CPolyLine* line, double x, double y);
    CTalusimRaker* CreatePendingSeeder();
    // Turns an add mode off when it (or a later stage of it) is on, else on; true when on now.
    bool ToggleAddMode(int mode);
    bool AskBarrierQuestion(bool markModified);
    void DeletePlacedBarriers();
    int CountPlaced(int kind, int group);
    void ApplyPathColours();
    void RenumberForSave();
    void FocusCommandLine();
    bool WriteSections(CDocumentTextWriter& file);

public:
    // Settings and state, in the order the document has always kept them.
    int m_nRandomSeed = 190274;
    int m_nRandomMode = 3350;
    int m_nSavedMode = 2108;
    bool m_bShowFilteredOut = true;
    CEntity* m_pCurrentEntity = nullptr;
    CEntity* m_pCurrentTool = nullptr;
    CAxesEnt* m_pRulers = nullptr;
    // The pieces of the computed rock paths; declared before the drawing so
    // that it outlives the paths that point into it.
    CPathSegmentStore m_pathSegments;
    CREGDatabase m_database;
    bool m_bWizardActive = false;
    int m_nWizardIndex = -1;
    int m_nWizardTotal = -1;
    bool m_bMetric = true;
    // A rock reports many passages with the same mass: its moment of inertia
    // is kept for the next one.
    mutable double m_inertiaMass = -1.0;
    mutable double m_inertia = 0.0;
    mutable bool m_inertiaMetric = true;
    BYTE m_nFrictionAngleMode = 0;
    bool m_bLegacyFlag = true;
    int m_nEngineVariant = 2401;
    bool m_bConsiderAngularVelocity = true;
    double m_dRnVelocityConstant = 9.144;
    bool m_bScaleRnByVelocity = false;
    bool m_bScaleRnByMass = false;
    double m_dRnMassConstant = 1000.0;
    CDiscParameters m_discParameters;
    CLocationEnvelope m_overallMaxima;
    CTalusimMarkerLine* m_pMarkerLine = nullptr;
    CTalusimRockPath* m_pCurrentRockPath = nullptr;
    const std::vector<CTalusimBarrier*>* m_pDiscCrossings = nullptr;
    CTalusimBarrier* m_pPendingCollector = nullptr;
    CTalusimBarrier* m_pPendingBarrier = nullptr;
    CTalusimDocEngine* m_pEngine = nullptr;
    CTalusimSlope* m_pSlope = nullptr;
    C2DPoint* m_pReferencePoint = nullptr;
    CTalusimRaker* m_pPendingSeeder = nullptr;
    CEntity* m_pDiscEntity = nullptr;
    int m_nDiscRunFlag = 0;
    std::vector<std::array<double, 16>> m_settledDiscs;
    CView* m_pToolView = nullptr;
    CVector2D m_vertexMoveTarget{DBL_MAX, DBL_MAX};
    CVector2D m_vertexMoveBase{DBL_MAX, DBL_MAX};
    CVector2D m_entityMoveBase{DBL_MAX, DBL_MAX};
    CVector2D m_entityMoveTarget{DBL_MAX, DBL_MAX};
    int m_nSeederProbability = 2149;
    int m_nMode = 2108;
    int m_nPreviousMode = 2108;
    int m_nEndPointCursor = 0;
    int m_nMaximaCursor = 0;
    int m_nRocks = 50;
    int m_nLocations = 51;
    double m_dMinimumVelocity = 0.1;
    bool m_bGenerateSlopeSamples = false;
    COLORREF m_crPathColour = RGB(255, 0, 0);
    COLORREF m_crFilteredPathColour = RGB(0, 255, 255);
    CArray<CTalusimRockPath*, CTalusimRockPath*> m_rockPaths;
    CArray<CVector2D, const CVector2D&> m_endPoints;
    CArray<CLocationEnvelope, const CLocationEnvelope&> m_locationMaxima;
    CArray<CDistributionSamples, const CDistributionSamples&> m_distributions;
    // The emptied sample records of the last cleared results, room and all:
    // a computation fills megabytes of samples, and memory given back to the
    // system costs a page fault per page when the next computation takes it.
    std::vector<CDistributionSamples> m_sampleRoom;
    std::vector<CWizardItem> m_wizardItems;
    CString m_strWizardText;

private:
    // Moves the room of the sample records (from `first` on) into
    // m_sampleRoom and back.
    void KeepSampleRoom(int first = 0);
    void TakeSampleRoom();
    // Room for one more end point and its path, so that filing the next rock
    // takes no memory: a run that fails part-way can still end that rock.
    void ReserveRockFiling();
    // A run unwound by a failure: the rock it was throwing (a path other than
    // the one current before the run, started at `start`) ends where it got
    // to, and the user's slope comes back.
    void EndFailedRun(const CVector2D& start, const CTalusimRockPath* pathBefore) noexcept;

    std::string DrawingsText(CWnd* pView);
    void RememberDrawings(CWnd* pView);
    bool SaveDrawings(CWnd* pView);
    // Offers Save Tools File for each changed window (of one frame, or all);
    // false when the user cancels or a save does not happen.
    BOOL SaveChangedDrawings(CFrameWnd* pOnly);
    // The tools-file text of each window's drawings at their last save or
    // load, by the window's drawing group (never its address, which a later
    // window may get).
    std::map<int, std::string> m_savedDrawings;

    CString m_strPrompt;
    // Rock paths by their number in the file being read (first one wins).
    std::unordered_map<int, CTalusimRockPath*> m_pathsByFileId;
};
