// The Scale Image dialog: the world coordinates that the two points picked on
// a picture (A and B) should get, with the picture's pixel size for reference.
// The caller sets the four coordinates and the size text before DoModal and
// reads the coordinates after OK ("Scale").
#pragma once

#include "framework/Dialog.h"
#include "framework/String.h"

class CScaleImageDlg : public CDialog
{
public:
    explicit CScaleImageDlg(CWnd* pParent = nullptr);

    double m_ax = 0.0;
    double m_ay = 0.0;
    double m_bx = 0.0;
    double m_by = 0.0;
    CString m_strImageSize;

    // Closer than this on an axis, two points give no scale.
    static constexpr double kMinSpan = 0.001;
    static constexpr LPCSTR kTooCloseHorizontally = "Points are too close horizontally";
    static constexpr LPCSTR kTooCloseVertically = "Points are too close vertically";

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnOK() override;
    afx_msg BOOL OnHelpInfo(HELPINFO*) { return TRUE; }
    DECLARE_MESSAGE_MAP()
};
