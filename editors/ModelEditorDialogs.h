// The simple working form of the Slope Editor: the slope's vertices listed on
// the left, the selected one's fields on the right. The dialog edits copies,
// so OK writes every vertex back at once and Cancel leaves the slope exactly
// as it was. (The material, barrier and collector editors have files of
// their own.)
#pragma once

#include <vector>
#include "framework/Dialog.h"
#include "framework/String.h"

class CTalusimDoc;
class CTalusimSlope;
class CTalusimSlopeType;

// The editors' common part: a list of objects whose selected one shows in the
// fields. A selection change first takes the fields in; when they are refused
// the selection stays where it was.
class CListEditorDlg : public CDialog
{
public:
    explicit CListEditorDlg(UINT id, int listId) : CDialog(id), m_listId(listId) {}
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
    void OnOK() override;

protected:
    virtual int GetObjectCount() const = 0;
    virtual CString GetObjectLabel(int i) const = 0;
    // Between the fields and the copy of object m_current.
    virtual void TakeFields() = 0;
    virtual void ShowFields() = 0;
    // Writes every copy back to its object.
    virtual void ApplyAll() = 0;
    virtual void EnableFields(bool on);

    int m_current = -1;
    int m_initial = 0;
    std::vector<int> m_fieldIds;

private:
    void Select(int index);
    bool TakeCurrent();
    int m_listId;
};

class CSlopeEditorDlg : public CListEditorDlg
{
public:
    static constexpr int kPickVertex = 2153;
    static constexpr int kPickSegment = 2154;
    static constexpr int kPickNone = 2155;

    CSlopeEditorDlg();
    // The pick is kept only when its kind names a vertex or a segment and its
    // index lies within the slope.
    void SetData(CTalusimDoc* document, CTalusimSlope* slope, int pickKind, int index);
    int m_generateSamples = 0;  // in and out
    bool m_metric = true;

    struct Values {
        double x = 0, y = 0;
        int material = -1;  // index into the sorted materials; -1 none
    };
    Values m_values;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    int GetObjectCount() const override { return static_cast<int>(m_copies.size()); }
    CString GetObjectLabel(int i) const override;
    void TakeFields() override { m_copies[m_current] = m_values; }
    void ShowFields() override;
    void ApplyAll() override;

private:
    CTalusimDoc* m_document = nullptr;
    CTalusimSlope* m_slope = nullptr;
    int m_pickKind = kPickNone;
    int m_pickIndex = -1;
    std::vector<CTalusimSlopeType*> m_materials;  // sorted by name
    std::vector<Values> m_copies;
};
