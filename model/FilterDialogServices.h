// The result dialogs of the compute side that the document opens: the two rock
// path filters and the Material Wizard. Their owner installs the real dialogs;
// until then each answers Cancel and changes nothing.
#pragma once

#include <windows.h>
#include "framework/String.h"

class CView;
class CWnd;

class CTalusimDoc;
class CTalusimBarrier;
class CREGDatabase;

// Filter Rock Paths (10032).
struct CFilterPathsData {
    bool filterExists = false;           // in
    int mode = 0;                        // 0 discard and apply, 1 narrow, 2 add
    bool endAbove = false;               // end point x above X
    double endAboveX = 0.0;
    bool endBelow = false;               // end point x below X
    double endBelowX = 0.0;
    bool largestAbove = false;           // largest x above X
    double largestAboveX = 0.0;
    bool smallestBelow = false;          // smallest x below X
    double smallestBelowX = 0.0;
};

class CFilterDialogServices
{
public:
    virtual ~CFilterDialogServices() = default;
    virtual INT_PTR RunFilterPaths(CFilterPathsData&) { return IDCANCEL; }
    // Filter by Impact (10033): applies its filter itself on OK.
    virtual INT_PTR RunFilterByImpact(CREGDatabase*, CTalusimDoc*, CTalusimBarrier* /*initial*/,
                                      bool /*filterExists*/)
    {
        return IDCANCEL;
    }
    // Material Wizard (10031).
    virtual INT_PTR RunMaterialWizard(CREGDatabase*, CTalusimDoc*) { return IDCANCEL; }
};

inline CFilterDialogServices& DefaultFilterDialogServices()
{
    static CFilterDialogServices defaults;
    return defaults;
}

inline CFilterDialogServices*& FilterDialogServicesSlot()
{
    static CFilterDialogServices* installed = &DefaultFilterDialogServices();
    return installed;
}

inline CFilterDialogServices& FilterDialogServices()
{
    return *FilterDialogServicesSlot();
}

inline CFilterDialogServices* InstallFilterDialogServices(CFilterDialogServices* services)
{
    CFilterDialogServices* previous = FilterDialogServicesSlot();
    FilterDialogServicesSlot() = services ? services : &DefaultFilterDialogServices();
    return previous;
}
