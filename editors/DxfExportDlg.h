#pragma once
// The DXF Export dialog: which kinds of model objects go into the file.

#include "controls/OptionCheckListBox.h"
#include "framework/Dialog.h"
#include "formats/DxfExportSelection.h"

class CDxfExportDlg : public CDialog
{
public:
    enum { IDD = 10008 };

    explicit CDxfExportDlg(CWnd* pParentWnd = nullptr);
    ~CDxfExportDlg() override;

    // The rows' flags (DxfExportRow order): set before DoModal, 1 for a row
    // that can be exported; after "Select File..." 1 for each checked row.
    COptionCheckListBox m_options;

protected:
    BOOL OnInitDialog() override;
    void OnOK() override;
};
