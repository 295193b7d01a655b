// The document's side of the disc runs: the display state the time-step
// player reads and changes, and the commands that the disc-element programs
// carry out through their services.
#include "model/DocumentDependencies.h"

#include <algorithm>

#include "model/MainFrameServices.h"
#include "model/DiscResultsKind.h"
#include "model/DiscRunServices.h"
#include "model/DiscRunSnapshot.h"
#include "model/InteractionModes.h"

namespace {

bool IsDiscDisplayMode(int mode)
{
    return mode == CDiscParameters::DISPLAY_ONE_STEP || mode == CDiscParameters::DISPLAY_ALL_DISCS
           || mode == CDiscParameters::DISPLAY_ALL_PATHS;
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
    // Frames are numbered from 0, the start, to the frame count - 1, where
    // the run ended, whether the discs were independent or not.
    const int last = frames - 1;
    endTime = GetDiscStepTime(last);
    return last;
}

double CTalusimDoc::GetDiscStepTime(int step) const
{
    const int frames = m_discParameters.GetFrameCount();
    if (frames == -1 || step <= 0)
        return 0.0;
    double perFrame = 0.0, finalTime = 0.0;
    if (m_pDiscEntity && DiscRunServices().GetFrameTiming(m_pDiscEntity, perFrame, finalTime))
        return step >= frames - 1 ? finalTime : std::min(step * perFrame, finalTime);
    // Results of an older file: their steps spread evenly over the end time.
    const int last = frames - 1;
    return last < 1 ? 0.0 : step * m_discParameters.GetEndTime() / last;
}

void CTalusimDoc::SetDiscStep(int step)
{
    if (!m_pDiscEntity)
        return;
    // The shown step, the display mode, the skip count and the view settings
    // are saved with the disc results: changing them changes the document.
    if (step != m_discParameters.GetCurrentStep())
        SetModifiedFlag();
    m_discParameters.SetCurrentStep(step);
    DiscRunServices().ApplyDisplay(m_pDiscEntity, m_discParameters.GetDisplayMode(), m_discParameters.GetSkipCount(),
                                   step);
    UpdateAllViews(nullptr, 0, m_pDiscEntity);
}

void CTalusimDoc::SetDiscDisplayMode(int mode)
{
    if (!IsDiscDisplayMode(mode))
        return;
    const bool changed = mode != m_discParameters.GetDisplayMode();
    m_discParameters.SetDisplayMode(mode);
    if (!m_pDiscEntity)
        return;
    if (changed)
        SetModifiedFlag();
    DiscRunServices().ApplyDisplay(m_pDiscEntity, mode, m_discParameters.GetSkipCount(),
                                   m_discParameters.GetCurrentStep());
    UpdateAllViews(nullptr, 0, m_pDiscEntity);
}

void CTalusimDoc::SetDiscSkip(int n)
{
    if (n < 0)
        return;
    const bool changed = n != m_discParameters.GetSkipCount();
    m_discParameters.SetSkipCount(n);
    if (!m_pDiscEntity)
        return;
    if (changed)
        SetModifiedFlag();
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
    if (!m_pDiscEntity)
        return;
    const CDiscParameters before = GetDiscViewSettings();
    DiscRunServices().SetViewSettings(m_pDiscEntity, block);
    // The contacts switch and the labels shown are saved in the document's
    // block, which the file writes and gives back to the results on opening.
    m_discParameters.SetShowContacts(block.GetShowContacts());
    m_discParameters.SetLabelMode(block.GetLabelMode());
    if (block.GetShowContacts() != before.GetShowContacts() || block.GetLabelMode() != before.GetLabelMode())
        SetModifiedFlag();
}

CTalusimRockPath* CTalusimDoc::AddDiscRockPath()
{
    auto* path = new CTalusimRockPath;
    path->SetColour(m_crPathColour);
    path->SetAltColour(m_crFilteredPathColour);
    path->UseStore(&m_pathSegments);
    m_database.AddEntity(path, false);
    return path;
}

CDiscRunSnapshot CTalusimDoc::TakeDiscRunSnapshot()
{
    CDiscRunSnapshot s;
    s.rockPaths = static_cast<int>(m_rockPaths.GetSize());
    s.endPoints = static_cast<int>(m_endPoints.GetSize());
    s.maxima.assign(m_locationMaxima.GetData(), m_locationMaxima.GetData() + m_locationMaxima.GetSize());
    s.distributions = static_cast<int>(m_distributions.GetSize());
    for (int i = std::max(m_nLocations, 0); i < s.distributions; ++i)
        s.droppedDistributions.push_back(m_distributions[i]);
    for (CTalusimBarrier* b : CollectAs<CTalusimBarrier>(m_database, ID_ANY_CATEGORY, KIND_BARRIER, ID_ANY_GROUP))
        s.hits.emplace_back(b, b->MarkHits());
    s.parameters = m_discParameters;
    s.discEntity = m_pDiscEntity;
    s.settledDiscs = m_settledDiscs;
    s.currentRockPath = m_pCurrentRockPath;
    s.modified = IsModified() != FALSE;
    return s;
}

void CTalusimDoc::RestoreDiscRunSnapshot(CDiscRunSnapshot& before, const std::vector<CTalusimRockPath*>& added)
{
    // Nothing may point at the added paths once they are gone: the hits
    // filed under them are the ones since the snapshot. Their pieces stay in
    // the store until the results are next cleared.
    for (auto& [barrier, mark] : before.hits)
        barrier->RewindHits(mark);
    m_pCurrentRockPath = before.currentRockPath;
    m_rockPaths.SetSize(before.rockPaths);
    m_endPoints.SetSize(before.endPoints);
    for (CTalusimRockPath* path : added)
        m_database.DeleteEntity(path, false);

    m_locationMaxima.SetSize(static_cast<int>(before.maxima.size()));
    std::copy(before.maxima.begin(), before.maxima.end(), m_locationMaxima.GetData());
    // Records the run's locations added give their room back; those it
    // dropped come back.
    KeepSampleRoom(before.distributions);
    m_distributions.SetSize(before.distributions);
    const int firstDropped = before.distributions - static_cast<int>(before.droppedDistributions.size());
    for (size_t k = 0; k < before.droppedDistributions.size(); ++k)
        m_distributions[firstDropped + static_cast<int>(k)].Swap(before.droppedDistributions[k]);

    m_discParameters = before.parameters;
    m_pDiscEntity = before.discEntity;
    m_settledDiscs = std::move(before.settledDiscs);
    SetModifiedFlag(before.modified ? TRUE : FALSE);
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
