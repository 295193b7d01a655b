// The document's side of the disc runs: the display state the time-step
// player reads and changes, and the commands that the disc-element programs
// carry out through their services.
#include "model/DocumentDependencies.h"

#include "app/MainFrameServices.h"
#include "model/DiscRunServices.h"
#include "model/InteractionModes.h"

namespace {

bool IsDiscDisplayMode(int mode)
{
    return mode == 2190 || mode == 2191 || mode == 2192;
}

}  // namespace

int CTalusimDoc::GetDiscPlayback(int& first, int& current, double& endTime, int& mode) const
{
    first = 0;
    current = m_discParameters.GetCurrentStep();
    mode = m_discParameters.GetDisplayMode();
    const int frames = m_discParameters.GetFrameCount();
    if (frames == -1) {
        endTime = 0.0;
        return 0;
    }
    endTime = m_discParameters.GetEndTime();
    return m_discParameters.IsIndependent() ? frames - 2 : frames - 1;
}

void CTalusimDoc::SetDiscStep(int step)
{
    if (!m_pDiscEntity)
        return;
    m_discParameters.SetCurrentStep(step);
    DiscRunServices().ApplyDisplay(m_pDiscEntity, m_discParameters.GetDisplayMode(), m_discParameters.GetSkipCount(),
                                   step);
    UpdateAllViews(nullptr, 0, m_pDiscEntity);
}

void CTalusimDoc::SetDiscDisplayMode(int mode)
{
    if (!IsDiscDisplayMode(mode))
        return;
    m_discParameters.SetDisplayMode(mode);
    if (!m_pDiscEntity)
        return;
    DiscRunServices().ApplyDisplay(m_pDiscEntity, mode, m_discParameters.GetSkipCount(),
                                   m_discParameters.GetCurrentStep());
    UpdateAllViews(nullptr, 0, m_pDiscEntity);
}

void CTalusimDoc::SetDiscSkip(int n)
{
    if (n < 0)
        return;
    m_discParameters.SetSkipCount(n);
    if (!m_pDiscEntity)
        return;
    DiscRunServices().ApplyDisplay(m_pDiscEntity, m_discParameters.GetDisplayMode(), n,
                                   m_discParameters.GetCurrentStep());
    UpdateAllViews(nullptr, 0, m_pDiscEntity);
}

CDiscParameters CTalusimDoc::GetDiscViewSettings()
{
    CDiscParameters block;
    if (m_pDiscEntity)
        DiscRunServices().GetViewSettings(m_pDiscEntity, block);
    return block;
}

void CTalusimDoc::SetDiscViewSettings(const CDiscParameters& block)
{
    if (m_pDiscEntity)
        DiscRunServices().SetViewSettings(m_pDiscEntity, block);
}

void CTalusimDoc::OnDiscParameters()
{
    DiscRunServices().EditDiscParameters(this);
}

void CTalusimDoc::OnThrowDiscs()
{
    DiscRunServices().ThrowDiscs(this);
}

void CTalusimDoc::OnTimeStep()
{
    MainFrameServices().ShowTimeStepDialog(this);
}

void CTalusimDoc::OnNewDemSimulation()
{
    DiscRunServices().RunDem(this);
}

void CTalusimDoc::OnUpdateDiscParameters(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(DiscRunServices().CanThrowDiscs() || DiscRunServices().CanRunDem());
}

void CTalusimDoc::OnUpdateThrowDiscs(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(DiscRunServices().CanThrowDiscs() && m_nMode == MODE_IDLE && GetSlopeVertexCount() > 1
                   && !CollectEntities(m_database, ID_ANY_CATEGORY, KIND_SEEDER, ID_ANY_GROUP).empty());
}

void CTalusimDoc::OnUpdateTimeStep(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(m_discParameters.GetFrameCount() != -1);
}

void CTalusimDoc::OnUpdateNewDemSimulation(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(DiscRunServices().CanRunDem() && m_nMode == MODE_IDLE);
}
