// The grid's OLE drop target: it forwards drags over the grid's window to the
// grid and refuses everything else. It never asks the system to auto-scroll.
#pragma once

#include "framework/OleData.h"

class CGridCtrl;

class CGridDropTarget : public COleDropTarget {
public:
    CGridDropTarget() = default;

    // Succeeds once, and only for a grid.
    BOOL Register(CGridCtrl* grid);
    void Revoke() override;
    BOOL IsRegistered() const { return m_bRegistered; }

    DROPEFFECT OnDragEnter(CWnd* wnd, COleDataObject* data, DWORD keyState, CPoint point) override;
    DROPEFFECT OnDragOver(CWnd* wnd, COleDataObject* data, DWORD keyState, CPoint point) override;
    BOOL OnDrop(CWnd* wnd, COleDataObject* data, DROPEFFECT effect, CPoint point) override;
    void OnDragLeave(CWnd* wnd) override;
    DROPEFFECT OnDragScroll(CWnd* wnd, DWORD keyState, CPoint point) override;

private:
    bool IsGridWindow(CWnd* wnd) const;
    CGridCtrl* m_pGrid = nullptr;
    BOOL m_bRegistered = FALSE;
};
