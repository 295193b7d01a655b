// The text box: a block of text at its anchor (control point 0, the box's
// top-left corner before rotation), optionally in a filled and framed box,
// turned by whole degrees. A text with placeholders ("<<name>>") is a data
// label: a leader runs from the text to control point 1, with an arrow head
// there. The contour label is a text box seen only in its own view.
#pragma once

#include "tools/Measure.h"
#include "tools/TextTemplate.h"

class CToolTextBox : public CMeasure
{
    DECLARE_DYNAMIC(CToolTextBox)

public:
    CToolTextBox();

    int GetCursorAt(CViewContext* pView, POINT p) override;
    bool PickGrip(CViewContext* pView, POINT p) override;
    void GetDeviceRect(CRect& out, CViewContext* pView, CWnd* pWnd) override;
    void Draw(CDC* pDC, CViewContext* pView) override;
    // Seen and picked in every view.
    bool QueryOption(CPickRequest* pRequest, CViewContext* pView, int code) override;
    bool CrossesRect(double top, double left, double bottom, double right, CViewContext* pView,
                     CWnd* pWnd) override;
    void ApplyCommonStyle(const CToolCommonStyle& style) override;
    void ApplyDimensionText(int rotation, int, int, int) override;
    bool CanSetLineWeight() const override { return false; }
    bool CanSetLineColour() const override { return false; }
    bool CanSetHeadArrow() const override { return false; }
    bool IsShapeTool() const override { return false; }
    void SetText(const CString& text) override;

    CString GetDisplayText() const { return m_strText; }
    int GetLastPlaceholderIndex() const { return m_template.GetLastNameIndex(); }
    bool HasPlaceholders() const { return GetLastPlaceholderIndex() >= 0; }
    const CTextTemplate& GetTemplate() const { return m_template; }
    // The text's box as four world corners, turned with the text; false
    // without a view whose window can measure it.
    bool GetTextOutline(CViewContext* pView, CVectorArray& outline);

protected:
    // The text's device rectangle laid out at the anchor, on the window of the view.
    bool LayoutOnWindow(CViewContext* pView, CWnd* pWnd, int escapement, CRect& rect);
    // Only a data label has a leader; a plain text is never hit on one.
    bool LeaderShown() const { return HasPlaceholders() && (m_bExteriorLine || IsEditing()); }

    CTextTemplate m_template;
};

class CToolContourLabels : public CToolTextBox
{
    DECLARE_DYNAMIC(CToolContourLabels)

public:
    CToolContourLabels();

    // Seen and picked only in its own view, as any other tool.
    bool QueryOption(CPickRequest* pRequest, CViewContext* pView, int code) override
    {
        return CMeasure::QueryOption(pRequest, pView, code);
    }
};
