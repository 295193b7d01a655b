// The Barrier Editor: the placed barriers in a sorted list, the selected
// one's name, energy capacity, "Perform like a data collector" and response
// to impact beside it, and Copy (the table as tab-separated text). Every
// barrier saves its state on opening: Done forgets the copies, Cancel puts
// every barrier back as it was.
#pragma once

#include "editors/ListEditorDialog.h"
#include "model/TalusimBarrier.h"

class CTalusimDoc;

class CBarrierEditorDlg : public CListEditorDialog
{
public:
    CBarrierEditorDlg();
    void SetDocument(CTalusimDoc* document);
    void SetInitialBarrier(CTalusimBarrier* barrier) { SetInitialObject(barrier); }

    // The table as Copy puts it on the clipboard.
    CString TableText() const override;
    static CString ResponseText(const CTalusimBarrier& barrier);

    // The fields' side of the exchange.
    double m_capacity = 0;
    CString m_name;
    double m_rnMean = 0, m_rnSd = 0, m_rtSd = 0, m_rtMean = 0;
    BYTE m_infinite = 1;
    BYTE m_likeCollector = 0;
    int m_response = CTalusimBarrier::kInelastic;

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

private:
    void SetResponse(int response);
    void UpdateResponseControls();

    CTalusimDoc* m_document = nullptr;
};
