// What the document asks of the graph views and the graph dialogs. The graph
// subsystem installs the real ones; until then there are no graph views and
// the dialogs answer Cancel.
#pragma once

#include <windows.h>
#include "framework/String.h"

class CView;
class CWnd;

class CEntity;
class CTalusimDoc;

class CGraphServices
{
public:
    virtual ~CGraphServices() = default;

    // True for a graph view (CTalusimOlectraView).
    virtual bool IsGraphView(CView* /*view*/) { return false; }
    // True when the graph view shows the kind and, except for kinds 2901-2906
    // and 2940-2946, that object.
    virtual bool IsShowing(CView* /*view*/, int /*kind*/, CEntity* /*object*/) { return false; }
    virtual void ClearContextMenuFlag(CView* /*view*/) {}
    // Renews the axis titles from the document's unit labels.
    virtual void SetAxisTitles(CView* /*view*/) {}
    // Graph dialog (10019): barrier and collector graphs; it opens them itself.
    virtual INT_PTR RunGraphSelect(CTalusimDoc* /*document*/) { return IDCANCEL; }
    // Create Graph (10035): mode 0 envelope, 1 distribution; the kind out.
    virtual INT_PTR RunCreateGraph(int /*mode*/, int& /*kind*/) { return IDCANCEL; }
};

inline CGraphServices& DefaultGraphServices()
{
    static CGraphServices defaults;
    return defaults;
}

inline CGraphServices*& GraphServicesSlot()
{
    static CGraphServices* installed = &DefaultGraphServices();
    return installed;
}

inline CGraphServices& GraphServices()
{
    return *GraphServicesSlot();
}

// Null puts the do-nothing services back. Returns the previous ones.
inline CGraphServices* InstallGraphServices(CGraphServices* services)
{
    CGraphServices* previous = GraphServicesSlot();
    GraphServicesSlot() = services ? services : &DefaultGraphServices();
    return previous;
}
