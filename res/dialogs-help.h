// The Help menu's information dialogs and the ids of their controls.
#pragma once

#define IDD_ABOUT                       10001 // About box
#define IDD_WHATS_NEW                   10002 // release notes
#define IDD_TECH_SUPPORT                10006 // report of the program and computer for support

#define IDC_INFO_ICON                   8009  // where the program icon is drawn (hidden)
#define IDC_INFO_VERSION                16340 // program name and version
#define IDC_ABOUT_BUILD_DATE            16351
#define IDC_ABOUT_MAIL                  16103 // link to the support mailbox
#define IDC_ABOUT_WEB                   16104 // link to the maker's web site
#define IDC_WHATS_NEW_TEXT              16350 // the release notes
#define IDC_SUPPORT_REPORT              16258 // the report
#define IDC_SUPPORT_MAIL                16313 // link mailing the report to support
#define IDC_SUPPORT_COPY                16222 // copies the report to the clipboard
