// The Data Collector Editor: the placed data collectors in a sorted list, the
// selected one's name and end points beside it; Add, Delete and Copy (the
// table as tab-separated text). Every change reaches the document on Done
// only: Cancel puts every collector back, removes the added ones and keeps
// the deleted ones (and their graph windows).
#pragma once

#include <vector>
#include "editors/ListEditorDialog.h"
#include "model/TalusimBarrier.h"

class CTalusimDoc;

class CDataCollectorEditorDlg : public CListEditorDialog
{
public:
    CDataCollectorEditorDlg();
    void SetDocument(CTalusimDoc* document);
    void SetInitialCollector(CTalusimBarrier* collector) { SetInitialObject(collector); }

    // The table as Copy puts it on the clipboard.
    CString TableText() const override;

    // The fields' side of the exchange.
    double m_x2 = 0, m_y2 = 0;
    CString m_name;
    double m_x1 = 0, m_y1 = 0;

protected:
    BOOL OnInitDialog() override;
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void OnOK() override;
    void OnCancel() override;

    void ResetList() override;
    void ApplyToObject(CEntity* object) override;
    void ShowObject(CEntity* object) override;
    void EnableControls(BOOL enable) override;
    CEntity* CreateObject() override;
    void DeleteForGood(CEntity* object) override;

private:
    struct Saved {
        CTalusimBarrier* collector;
        CString name;
        double x1, y1, x2, y2;
    };
    std::vector<CTalusimBarrier*> Listed() const;

    CTalusimDoc* m_document = nullptr;
    std::vector<Saved> m_saved;
};
