// What the document asks of the disc-element programs: the disc results
// entity (its view settings and display state), the DEM run and the disc
// runs. Their owner installs the real services; until then the document
// holds no disc results of its own and their commands stay grey.
#pragma once

#include "model/ResultRecords.h"

class CDocumentTextReader;
class CDocumentTextWriter;
class CEntity;
class CTalusimDoc;

class CDiscRunServices
{
public:
    virtual ~CDiscRunServices() = default;

    // The view-settings block of a disc results entity; false when the entity
    // is none.
    virtual bool GetViewSettings(CEntity* /*entity*/, CDiscParameters& /*block*/) { return false; }
    virtual void SetViewSettings(CEntity* /*entity*/, const CDiscParameters& /*block*/) {}
    // Hands the document's display state (mode, skip count, current step) to
    // the entity.
    virtual void ApplyDisplay(CEntity* /*entity*/, int /*mode*/, int /*skip*/, int /*step*/) {}
    // The entity's display state, states and contacts in the document's text
    // file, and a new entity read back from there (null when the lines do not
    // hold one).
    virtual void WriteResultsText(CEntity* /*entity*/, CDocumentTextWriter& /*file*/) {}
    // `version` is the section's: the frame timing came with version 2.
    virtual CEntity* ReadResultsText(CDocumentTextReader& /*file*/, int /*version*/) { return nullptr; }
    // The spacing of the entity's frames and the time of its last frame;
    // false when it has none (results of an older file).
    virtual bool GetFrameTiming(CEntity* /*entity*/, double& /*secondsPerFrame*/, double& /*finalTime*/)
    {
        return false;
    }

    // New DEM Simulation.
    virtual bool CanRunDem() { return false; }
    virtual void RunDem(CTalusimDoc* /*document*/) {}
    // Disc Setup and Throw Discs.
    virtual bool CanThrowDiscs() { return false; }
    virtual void EditDiscParameters(CTalusimDoc* /*document*/) {}
    virtual void ThrowDiscs(CTalusimDoc* /*document*/) {}
};

inline CDiscRunServices& DefaultDiscRunServices()
{
    static CDiscRunServices defaults;
    return defaults;
}

inline CDiscRunServices*& DiscRunServicesSlot()
{
    static CDiscRunServices* installed = &DefaultDiscRunServices();
    return installed;
}

inline CDiscRunServices& DiscRunServices()
{
    return *DiscRunServicesSlot();
}

inline CDiscRunServices* InstallDiscRunServices(CDiscRunServices* services)
{
    CDiscRunServices* previous = DiscRunServicesSlot();
    DiscRunServicesSlot() = services ? services : &DefaultDiscRunServices();
    return previous;
}
