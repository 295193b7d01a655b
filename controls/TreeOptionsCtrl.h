// CTreeOptionsCtrl: a tree whose items are check boxes. A click anywhere on an
// item's row but its expand button, or the space bar on the selected item,
// ticks or clears it; the tree itself expands, selects and scrolls as usual.
// An item's image says what it is: 0 unchecked, 1 checked, 4 and 5 the same
// disabled.
#pragma once

#include "framework/CommonControls.h"
#include "framework/ImageList.h"

class CTreeOptionsCtrl : public CTreeCtrl
{
public:
    CTreeOptionsCtrl() = default;

    // A new check-box item under parent (null: at the root), after the last.
    HTREEITEM InsertCheckBox(LPCSTR text, HTREEITEM parent, BOOL checked);
    // Ticks or clears the item (a disabled box becomes an enabled one).
    virtual BOOL SetCheckBox(HTREEITEM item, BOOL checked);
    // False when the item's image cannot be read.
    BOOL GetCheckBox(HTREEITEM item, BOOL& checked) const;
    BOOL IsCheckBox(HTREEITEM item) const;
    BOOL GetCheckBoxEnable(HTREEITEM item, BOOL& enabled) const;

    // Pictures of the boxes: twelve 16 x 16 images, magenta transparent.
    static constexpr UINT kStateBitmapId = 5010;

protected:
    void PreSubclassWindow() override;
    afx_msg void OnLButtonDown(UINT flags, CPoint point);
    afx_msg void OnChar(UINT ch, UINT repeat, UINT flags);
    DECLARE_MESSAGE_MAP()

private:
    // Flips an enabled check box; false for anything else.
    bool Toggle(HTREEITEM item);
    int Image(HTREEITEM item, bool& ok) const;

    CImageList m_ilStates;
    UINT m_nStateBitmapId = kStateBitmapId;
};
