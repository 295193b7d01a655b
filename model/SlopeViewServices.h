// What the document asks of the slope view and of the dialogs that edit the
// model. The view subsystem installs the real dialogs; until then each dialog
// answers Cancel, which leaves the model as it was.
#pragma once

#include <windows.h>
#include "framework/String.h"
#include "model/TalusimDoc.h"

class CView;
class CWnd;

class CEntity;
class CTalusimDoc;
class CTalusimSlope;
class CTalusimSlopeType;
class CTalusimBarrier;

// Slope Editor (10018): vertex table and segment materials.
struct CSlopeEditorData {
    CTalusimDoc* document = nullptr;
    CTalusimSlope* slope = nullptr;
    int pickKind = PICK_NONE;  // or PICK_VERTEX, PICK_SEGMENT
    int index = -1;
    bool generateSamples = false;  // in and out
    bool metric = true;
};

// Grid Settings (10015).
struct CGridSettingsData {
    COLORREF colour = 0;
    int style = 8;  // 8 lines, 9 dots, 10 small crosses
    bool on = false;
    double spacingX = 1.0;
    double spacingY = 1.0;
};

// Define Initial Conditions (10022): each value a mean and a standard deviation.
struct CInitialConditionsData {
    CString massUnit;
    CString velocityUnit;
    bool considerAngularVelocity = true;
    double massMean = 10.0, massStdDev = 0.0;
    double vxMean = 0.0, vxStdDev = 0.0;
    double vyMean = 0.0, vyStdDev = 0.0;
    double radiusMean = 0.0, radiusStdDev = 0.0;
    double angularMean = 0.0, angularStdDev = 0.0;
};

// Project Settings (10020).
struct CProjectSettingsData {
    int seed = 190274;
    int randomChoice = 3350;  // 3350 time, 3351 fixed seed, 3352 user seed
    int frictionAngleMode = 0;
    double rnVelocityConstant = 9.144;
    double rnMassConstant = 1000.0;
    int considerAngularVelocity = 1;
    int scaleRnByVelocity = 0;
    int scaleRnByMass = 0;
    int rocks = 50;
    int divisions = 50;
    int seederProbability = 2149;
    double minimumVelocity = 0.1;
    COLORREF pathColour = RGB(255, 0, 0);
    COLORREF filteredPathColour = RGB(0, 255, 255);
    CString velocityUnit;
    CString massUnit;
    bool equalLocked = false;
    bool byLengthLocked = false;
};

// Display Options (10034).
struct CDisplayOptionsData {
    COLORREF pathColour = RGB(255, 0, 0);
    COLORREF filteredPathColour = RGB(0, 255, 255);
    COLORREF fillColour = 0;
    int hatchPattern = 0;
    double fillLength = 1.0;
    CString lengthUnit;
    int fillMode = 0;  // 0 none, 1 fill, 2 hatch
};

class CSlopeViewServices
{
public:
    virtual ~CSlopeViewServices() = default;

    // True for a slope view (CTalusimView).
    virtual bool IsSlopeView(CView* /*view*/) { return false; }
    // Clears the flag the view keeps while its context menu is up.
    virtual void ClearContextMenuFlag(CView* /*view*/) {}

    // The modal editors; each returns IDOK or IDCANCEL.
    virtual INT_PTR RunDataCollectorEditor(CTalusimDoc*, CEntity* /*initial*/) { return IDCANCEL; }
    virtual INT_PTR RunBarrierEditor(CTalusimDoc*, CTalusimBarrier* /*initial*/) { return IDCANCEL; }
    virtual INT_PTR RunMaterialEditor(CTalusimDoc*, CTalusimSlope*, CTalusimSlopeType* /*defaultMaterial*/,
                                      CTalusimSlopeType* /*initial*/, bool /*frictionAngleEnabled*/)
    {
        return IDCANCEL;
    }
    virtual INT_PTR RunSlopeEditor(CSlopeEditorData&) { return IDCANCEL; }
    // Snap (10017): modes 29 none, 30 grid, 31 vertex.
    virtual INT_PTR RunSnapDialog(int& /*snapMode*/) { return IDCANCEL; }
    virtual INT_PTR RunGridSettings(CGridSettingsData&) { return IDCANCEL; }
    virtual INT_PTR RunInitialConditions(CInitialConditionsData&) { return IDCANCEL; }
    virtual INT_PTR RunProjectSettings(CProjectSettingsData&) { return IDCANCEL; }
    // Units (10028): metric or imperial.
    virtual INT_PTR RunUnits(bool& /*metric*/) { return IDCANCEL; }
    virtual INT_PTR RunDisplayOptions(CDisplayOptionsData&) { return IDCANCEL; }
};

inline CSlopeViewServices& DefaultSlopeViewServices()
{
    static CSlopeViewServices defaults;
    return defaults;
}

inline CSlopeViewServices*& SlopeViewServicesSlot()
{
    static CSlopeViewServices* installed = &DefaultSlopeViewServices();
    return installed;
}

inline CSlopeViewServices& SlopeViewServices()
{
    return *SlopeViewServicesSlot();
}

// Null puts the do-nothing services back. Returns the previous ones.
inline CSlopeViewServices* InstallSlopeViewServices(CSlopeViewServices* services)
{
    CSlopeViewServices* previous = SlopeViewServicesSlot();
    SlopeViewServicesSlot() = services ? services : &DefaultSlopeViewServices();
    return previous;
}
