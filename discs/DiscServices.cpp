#include "discs/DiscServices.h"

#include <memory>
#include "discs/DiscEnt.h"
#include "discs/DiscSetupDlg.h"
#include "discs/ThrowDiscs.h"
#include "model/DiscRunServices.h"
#include "model/TalusimDoc.h"

namespace {

class CDiscServices final : public CDiscRunServices
{
public:
    bool GetViewSettings(CEntity* entity, CDiscParameters& block) override
    {
        auto* disc = dynamic_cast<CDiscEnt*>(entity);
        if (!disc)
            return false;
        block = disc->GetViewSettings();
        return true;
    }
    void SetViewSettings(CEntity* entity, const CDiscParameters& block) override
    {
        if (auto* disc = dynamic_cast<CDiscEnt*>(entity))
            disc->SetViewSettings(block);
    }
    void ApplyDisplay(CEntity* entity, int mode, int skip, int step) override
    {
        if (auto* disc = dynamic_cast<CDiscEnt*>(entity)) {
            disc->SetDisplayMode(mode);
            disc->SetSkipCount(skip);
            disc->SetCurrentStep(step);
        }
    }
    void WriteResultsText(CEntity* entity, CDocumentTextWriter& file) override
    {
        if (auto* disc = dynamic_cast<CDiscEnt*>(entity))
            disc->WriteText(file);
    }
    CEntity* ReadResultsText(CDocumentTextReader& file, int version) override
    {
        auto disc = std::make_unique<CDiscEnt>();
        if (!disc->ReadText(file, version >= 2))
            return nullptr;
        return disc.release();
    }
    bool GetFrameTiming(CEntity* entity, double& secondsPerFrame, double& finalTime) override
    {
        auto* disc = dynamic_cast<CDiscEnt*>(entity);
        if (!disc || !disc->HasFrameTiming())
            return false;
        secondsPerFrame = disc->GetFrameSeconds();
        finalTime = disc->GetFinalTime();
        return true;
    }
    bool CanRunDem() override { return true; }
    void RunDem(CTalusimDoc* document) override { RunDemSimulation(document); }
    void EditDiscParameters(CTalusimDoc* document) override { ::EditDiscParameters(document); }
    bool CanThrowDiscs() override { return true; }
    void ThrowDiscs(CTalusimDoc* document) override { ::ThrowDiscs(document); }
};

}  // namespace

void InstallDiscServices()
{
    static CDiscServices services;
    // Naming the class links its registration, so that archives holding disc
    // results can be read.
    static const CRuntimeClass* const registered = RUNTIME_CLASS(CDiscEnt);
    (void)registered;
    InstallDiscRunServices(&services);
}
