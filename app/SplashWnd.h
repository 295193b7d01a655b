// CSplashWnd: the picture shown over the main frame at start-up, for 2.5
// seconds or until the first key or mouse button.
#pragma once

#include "framework/Gdi.h"
#include "framework/Wnd.h"

class CSplashWnd : public CWnd {
    DECLARE_DYNAMIC(CSplashWnd)
public:
    ~CSplashWnd() override;

    static void EnableSplash(BOOL bEnable = TRUE) { s_bSplashEnabled = bEnable; }
    static void ShowSplash(CWnd* pParentWnd);
    static BOOL FilterAppMessage(MSG* pMsg);
    static void HideSplash();
    static CSplashWnd* GetSplash() { return s_pSplashWnd; }

    BOOL Create(CWnd* pParentWnd);
    void PostNcDestroy() override;

    static BOOL s_bSplashEnabled;
    static CSplashWnd* s_pSplashWnd;

protected:
    CBitmap m_bitmap;

    afx_msg int OnCreate(LPCREATESTRUCTA lpcs);
    afx_msg void OnPaint();
    afx_msg void OnTimer(UINT_PTR nIDEvent);
    DECLARE_MESSAGE_MAP()
};
