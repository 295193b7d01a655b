// The commands the document handles, and when their menu entries are enabled
// or checked.
#include "model/DocumentDependencies.h"

#include "model/InteractionModes.h"
#include "res/resource.h"

namespace {

struct ChartCommand {
    UINT id;
    int kind;
};

const ChartCommand kChartCommands[] = {
    {ID_GRAPH_HEIGHT_DISTRIBUTION, 2901},       {ID_GRAPH_TOTAL_ENERGY_DISTRIBUTION, 2902},
    {ID_GRAPH_TRANS_ENERGY_DISTRIBUTION, 2903}, {ID_GRAPH_ROT_ENERGY_DISTRIBUTION, 2904},
    {ID_GRAPH_TRANS_VELOCITY_DISTRIBUTION, 2905}, {ID_GRAPH_ROT_VELOCITY_DISTRIBUTION, 2906},
    {ID_GRAPH_ENDPOINTS, 2940},                 {ID_GRAPH_HEIGHT_ENVELOPE, 2941},
    {ID_GRAPH_TOTAL_ENERGY_ENVELOPE, 2942},     {ID_GRAPH_TRANS_ENERGY_ENVELOPE, 2943},
    {ID_GRAPH_ROT_ENERGY_ENVELOPE, 2944},       {ID_GRAPH_TRANS_VELOCITY_ENVELOPE, 2945},
    {ID_GRAPH_ROT_VELOCITY_ENVELOPE, 2946},
};

}  // namespace

BEGIN_MESSAGE_MAP(CTalusimDoc, CDocument)
    ON_COMMAND(ID_COLLECTOR_EDITOR, OnCollectorEditor)
    ON_UPDATE_COMMAND_UI(ID_COLLECTOR_EDITOR, OnUpdateModeIdle)
    ON_COMMAND(ID_BARRIER_EDITOR, OnBarrierEditor)
    ON_UPDATE_COMMAND_UI(ID_BARRIER_EDITOR, OnUpdateBarrierEditor)
    ON_COMMAND(ID_MATERIAL_EDITOR, OnMaterialEditor)
    ON_UPDATE_COMMAND_UI(ID_MATERIAL_EDITOR, OnUpdateModeIdle)
    ON_COMMAND(ID_SLOPE_EDITOR, OnSlopeEditor)
    ON_UPDATE_COMMAND_UI(ID_SLOPE_EDITOR, OnUpdateSlopeEditor)
    ON_COMMAND(ID_SNAP_SETTINGS, OnSnap)
    ON_COMMAND(ID_GRID_SETTINGS, OnGridSettings)
    ON_COMMAND(ID_DELETE_ENTIRE_SLOPE, OnDeleteEntireSlope)
    ON_UPDATE_COMMAND_UI(ID_DELETE_ENTIRE_SLOPE, OnUpdateDeleteEntireSlope)
    ON_COMMAND(ID_ADD_VERTICAL_BARRIER, OnAddVerticalBarrier)
    ON_UPDATE_COMMAND_UI(ID_ADD_VERTICAL_BARRIER, OnUpdateAlwaysDisabled)
    ON_UPDATE_COMMAND_UI(ID_ADD_DATA_COLLECTOR, OnUpdateAddDataCollector)
    ON_UPDATE_COMMAND_UI(ID_ADD_POINT_SEEDER, OnUpdateAddPointSeeder)
    ON_UPDATE_COMMAND_UI(ID_ADD_LINE_SEEDER, OnUpdateAddLineSeeder)
    ON_UPDATE_COMMAND_UI(ID_DEFINE_SLOPE, OnUpdateDefineSlope)
    ON_UPDATE_COMMAND_UI(ID_IMPORT_DXF, OnUpdateImport)
    ON_UPDATE_COMMAND_UI(ID_IMPORT_CRSP, OnUpdateImport)
    ON_UPDATE_COMMAND_UI(ID_FILE_SAVE, OnUpdateAlwaysEnabled)
    ON_UPDATE_COMMAND_UI(ID_FILE_SAVE_AS, OnUpdateAlwaysEnabled)
    ON_COMMAND(ID_CLEAR_ROCK_PATHS, OnClearRockPathsCommand)
    ON_UPDATE_COMMAND_UI(ID_CLEAR_ROCK_PATHS, OnUpdateClearRockPaths)
    ON_COMMAND(ID_PROJECT_SETTINGS, OnProjectSettingsCommand)
    ON_COMMAND(ID_IMPORT_MATERIALS, OnImportMaterials)
    ON_COMMAND(ID_EXPORT_MATERIALS, OnExportMaterials)
    ON_COMMAND(ID_COMPUTE, OnCompute)
    ON_UPDATE_COMMAND_UI(ID_COMPUTE, OnUpdateCompute)
    ON_COMMAND(ID_BARRIER_COLLECTOR_GRAPHS, OnBarrierCollectorGraphs)
    ON_UPDATE_COMMAND_UI(ID_BARRIER_COLLECTOR_GRAPHS, OnUpdateBarrierCollectorGraphs)
    ON_COMMAND_EX(ID_GRAPH_HEIGHT_DISTRIBUTION, OnChart)
    ON_COMMAND_EX(ID_GRAPH_TOTAL_ENERGY_DISTRIBUTION, OnChart)
    ON_COMMAND_EX(ID_GRAPH_TRANS_ENERGY_DISTRIBUTION, OnChart)
    ON_COMMAND_EX(ID_GRAPH_ROT_ENERGY_DISTRIBUTION, OnChart)
    ON_COMMAND_EX(ID_GRAPH_TRANS_VELOCITY_DISTRIBUTION, OnChart)
    ON_COMMAND_EX(ID_GRAPH_ROT_VELOCITY_DISTRIBUTION, OnChart)
    ON_COMMAND_EX(ID_GRAPH_ENDPOINTS, OnChart)
    ON_COMMAND_EX(ID_GRAPH_HEIGHT_ENVELOPE, OnChart)
    ON_COMMAND_EX(ID_GRAPH_TOTAL_ENERGY_ENVELOPE, OnChart)
    ON_COMMAND_EX(ID_GRAPH_TRANS_ENERGY_ENVELOPE, OnChart)
    ON_COMMAND_EX(ID_GRAPH_ROT_ENERGY_ENVELOPE, OnChart)
    ON_COMMAND_EX(ID_GRAPH_TRANS_VELOCITY_ENVELOPE, OnChart)
    ON_COMMAND_EX(ID_GRAPH_ROT_VELOCITY_ENVELOPE, OnChart)
    ON_COMMAND(ID_GRAPH_ENVELOPE, OnGraphEnvelope)
    ON_UPDATE_COMMAND_UI(ID_GRAPH_ENVELOPE, OnUpdateGraphCreate)
    ON_COMMAND(ID_GRAPH_DISTRIBUTION, OnGraphDistribution)
    ON_UPDATE_COMMAND_UI(ID_GRAPH_DISTRIBUTION, OnUpdateGraphCreate)
    ON_COMMAND(ID_UNITS, OnUnits)
    ON_COMMAND(ID_INFO_VIEWER, OnInfoViewer)
    ON_COMMAND(ID_MATERIAL_WIZARD, OnMaterialWizard)
    ON_UPDATE_COMMAND_UI(ID_MATERIAL_WIZARD, OnUpdateCompute)
    ON_COMMAND(ID_DISPLAY_OPTIONS, OnDisplayOptions)
    ON_UPDATE_COMMAND_UI(ID_DISPLAY_OPTIONS, OnUpdateDisplayOptions)
    ON_COMMAND(ID_FILTER_BY_VALUE, OnFilterByValue)
    ON_COMMAND(ID_FILTER_BY_IMPACT, OnFilterByImpactCommand)
    ON_COMMAND(ID_REMOVE_FILTER, RemoveFilter)
    ON_COMMAND(ID_INVERT_FILTER, OnInvertFilter)
    ON_UPDATE_COMMAND_UI(ID_INVERT_FILTER, OnUpdateInvertFilter)
    ON_COMMAND(ID_FILTERED_PATHS_ONLY, OnFilteredPathsOnly)
    ON_COMMAND(ID_DISC_PARAMETERS, OnDiscParameters)
    ON_UPDATE_COMMAND_UI(ID_DISC_PARAMETERS, OnUpdateDiscParameters)
    ON_COMMAND(ID_DISC_THROW, OnThrowDiscs)
    ON_UPDATE_COMMAND_UI(ID_DISC_THROW, OnUpdateThrowDiscs)
    ON_COMMAND(ID_DISC_TIME_STEP, OnTimeStep)
    ON_UPDATE_COMMAND_UI(ID_DISC_TIME_STEP, OnUpdateTimeStep)
    ON_UPDATE_COMMAND_UI(ID_DISC_READ_FILE, OnUpdateAlwaysDisabled)
    ON_UPDATE_COMMAND_UI(ID_DISC_WRITE_FILE, OnUpdateAlwaysDisabled)
    ON_COMMAND(ID_DEM_NEW_SIMULATION, OnNewDemSimulation)
    ON_UPDATE_COMMAND_UI(ID_DEM_NEW_SIMULATION, OnUpdateNewDemSimulation)
END_MESSAGE_MAP()

BOOL CTalusimDoc::OnChart(UINT id)
{
    for (const auto& c : kChartCommands) {
        if (c.id == id) {
            ShowChart(c.kind);
            return TRUE;
        }
    }
    return FALSE;
}

void CTalusimDoc::OnUpdateModeIdle(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_nMode == MODE_IDLE);
}

void CTalusimDoc::OnUpdateBarrierEditor(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(CanEditBarriers());
}

void CTalusimDoc::OnUpdateSlopeEditor(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_nMode == MODE_IDLE && GetSlopeVertexCount() > 1);
}

void CTalusimDoc::OnUpdateDeleteEntireSlope(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(GetSlopeVertexCount() > 1);
}

void CTalusimDoc::OnUpdateAlwaysDisabled(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(FALSE);
}

void CTalusimDoc::OnUpdateAlwaysEnabled(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(TRUE);
}

void CTalusimDoc::OnUpdateAddDataCollector(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(IsMode(MODE_ADD_COLLECTOR_FIRST) ? 1 : 0);
}

void CTalusimDoc::OnUpdateAddPointSeeder(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(m_nMode == MODE_ADD_POINT_SEEDER ? 1 : 0);
}

void CTalusimDoc::OnUpdateAddLineSeeder(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(IsMode(MODE_ADD_LINE_SEEDER_FIRST) ? 1 : 0);
}

void CTalusimDoc::OnUpdateDefineSlope(CCmdUI* pCmdUI)
{
    pCmdUI->SetCheck(m_nMode == MODE_DEFINE_SLOPE ? 1 : 0);
}

void CTalusimDoc::OnUpdateImport(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_nMode == MODE_IDLE && GetSlopeVertexCount() == 0);
}

void CTalusimDoc::OnUpdateClearRockPaths(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_nMode == MODE_IDLE
                   && (!CollectEntities(m_database, ID_ANY_CATEGORY, KIND_ROCK_PATH, ID_ANY_GROUP).empty()
                       || m_pDiscEntity != nullptr));
}

void CTalusimDoc::OnUpdateCompute(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_nMode == MODE_IDLE && GetSlopeVertexCount() > 1 && HasPlacedObjects(KIND_SEEDER, ID_ANY_GROUP));
}

void CTalusimDoc::OnUpdateBarrierCollectorGraphs(CCmdUI* pCmdUI)
{
    const bool objects = HasPlacedObjects(KIND_BARRIER, ID_ANY_GROUP);
    const bool results = !CollectEntities(m_database, ID_ANY_CATEGORY, KIND_ROCK_PATH, ID_ANY_GROUP).empty()
                         || m_pDiscEntity != nullptr;
    pCmdUI->Enable(objects && results);
}

void CTalusimDoc::OnUpdateGraphCreate(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_locationMaxima.GetSize() > 0);
}

void CTalusimDoc::OnUpdateDisplayOptions(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_pSlope != nullptr);
}

void CTalusimDoc::OnUpdateInvertFilter(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(AnyPathPassesFilter());
}

