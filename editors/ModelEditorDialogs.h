// Simple working forms of the editors of the model objects: materials,
// barriers, data collectors and the slope's vertices. Each lists its objects
// on the left and shows the selected one's fields on the right; the dialog
// edits copies, so OK writes every object back at once and Cancel leaves the
// model exactly as it was.
#pragma once

#include <vector>
#include "framework/Dialog.h"
#include "framework/String.h"

class CTalusimDoc;
class CTalusimSlope;
class CTalusimSlopeType;
class CTalusimBarrier;

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

class CMaterialEditorDlg : public CListEditorDlg
{
public:
    CMaterialEditorDlg();
    // The replacement material is the first built-in one; kept for deleting,
    // which this form does not offer yet.
    void SetData(CTalusimDoc* document, CTalusimSlope* slope, CTalusimSlopeType* defaultMaterial);
    void SetInitialMaterial(CTalusimSlopeType* material);
    void SetFrictionAngleEnabled(bool on) { m_frictionEnabled = on; }

    struct Values {
        CString name;
        double rnMean = 0, rnSd = 0, rtMean = 0, rtSd = 0, frictionMean = 0, frictionSd = 0, roughnessSd = 0;
    };
    Values m_values;  // the fields' side of the exchange

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    int GetObjectCount() const override { return static_cast<int>(m_objects.size()); }
    CString GetObjectLabel(int i) const override { return m_copies[i].name; }
    void TakeFields() override { m_copies[m_current] = m_values; }
    void ShowFields() override;
    void ApplyAll() override;

private:
    CTalusimDoc* m_document = nullptr;
    CTalusimSlope* m_slope = nullptr;
    CTalusimSlopeType* m_defaultMaterial = nullptr;
    CTalusimSlopeType* m_initialMaterial = nullptr;
    bool m_frictionEnabled = true;
    std::vector<CTalusimSlopeType*> m_objects;
    std::vector<Values> m_copies;
};

class CBarrierEditorDlg : public CListEditorDlg
{
public:
    CBarrierEditorDlg();
    void SetDocument(CTalusimDoc* document) { m_document = document; }
    void SetInitialBarrier(CTalusimBarrier* barrier) { m_initialBarrier = barrier; }

    struct Values {
        CString name;
        double capacity = 0;
        int infinite = 1;
        int response = 2156;  // 2156 inelastic, 2157 elastic, 2158 custom
        double rnMean = 0, rnSd = 0, rtMean = 0, rtSd = 0;
    };
    Values m_values;

protected:
    BOOL OnInitDialog() override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void DoDataExchange(CDataExchange* pDX) override;
    int GetObjectCount() const override { return static_cast<int>(m_objects.size()); }
    CString GetObjectLabel(int i) const override { return m_copies[i].name; }
    void TakeFields() override { m_copies[m_current] = m_values; }
    void ShowFields() override;
    void ApplyAll() override;
    void EnableFields(bool on) override;

private:
    void UpdateResponseControls();
    void SetResponse(int response);
    CTalusimDoc* m_document = nullptr;
    CTalusimBarrier* m_initialBarrier = nullptr;
    std::vector<CTalusimBarrier*> m_objects;
    std::vector<Values> m_copies;
};

class CDataCollectorEditorDlg : public CListEditorDlg
{
public:
    CDataCollectorEditorDlg();
    void SetDocument(CTalusimDoc* document) { m_document = document; }
    void SetInitialCollector(CTalusimBarrier* collector) { m_initialCollector = collector; }

    struct Values {
        CString name;
        double x1 = 0, y1 = 0, x2 = 0, y2 = 0;
    };
    Values m_values;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    int GetObjectCount() const override { return static_cast<int>(m_objects.size()); }
    CString GetObjectLabel(int i) const override { return m_copies[i].name; }
    void TakeFields() override { m_copies[m_current] = m_values; }
    void ShowFields() override { m_values = m_copies[m_current]; }
    void ApplyAll() override;

private:
    CTalusimDoc* m_document = nullptr;
    CTalusimBarrier* m_initialCollector = nullptr;
    std::vector<CTalusimBarrier*> m_objects;
    std::vector<Values> m_copies;
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
