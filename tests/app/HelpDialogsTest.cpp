// The Help menu's information dialogs, opened by their commands in the
// running program: what they show, where their links lead (through a
// stand-in for the shell) and the support report's copy and mail.
#include <string>

#include "ShellFixture.h"
#include "app/MakerContact.h"
#include "app/TechSupportDlg.h"
#include "app/WhatsNewDlg.h"
#include "res/dialogs-help.h"
#include "res/resource.h"
#include "support/LinkShellRecorder.h"
#include "support/WhenShown.h"

namespace {

std::string ItemText(HWND dialog, int id) {
    char text[8192] = {};
    ::GetDlgItemTextA(dialog, id, text, sizeof(text));
    return text;
}

std::string WindowText(HWND wnd) {
    char text[512] = {};
    ::GetWindowTextA(wnd, text, sizeof(text));
    return text;
}

// The colour and underline the dialog gives one of its labels.
struct LabelLook {
    COLORREF text;
    bool underlined;
};
LabelLook AskLook(HWND dialog, int id) {
    HDC screen = ::GetDC(nullptr);
    HDC dc = ::CreateCompatibleDC(screen);
    ::ReleaseDC(nullptr, screen);
    ::SendMessageA(dialog, WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc),
                   reinterpret_cast<LPARAM>(::GetDlgItem(dialog, id)));
    LOGFONTA lf{};
    ::GetObjectA(::GetCurrentObject(dc, OBJ_FONT), sizeof(lf), &lf);
    LabelLook look{::GetTextColor(dc), lf.lfUnderline != 0};
    ::DeleteDC(dc);
    return look;
}

void ClickLabel(HWND dialog, int id) {
    HWND label = ::GetDlgItem(dialog, id);
    ::SendMessageA(label, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(1, 1));
    ::SendMessageA(label, WM_LBUTTONUP, 0, MAKELPARAM(1, 1));
}

// Runs a Help command as the menu does and hands the dialog it shows to
// check; the check's last act closes it.
template <class Check>
void WithDialogOf(CWnd* frame, UINT command, Check check) {
    bool shown = false;
    WhenShown act([&] {
        HWND dialog = ::GetActiveWindow();
        char cls[32] = {};
        ::GetClassNameA(dialog, cls, sizeof(cls));
        shown = std::string(cls) == "#32770";
        if (shown) check(dialog);
        ::SendMessageA(dialog, WM_COMMAND, IDOK, 0);
    });
    frame->SendMessage(WM_COMMAND, command);
    EXPECT_TRUE(shown);
}

// Undoes PercentEncode: what a mail program puts into the message.
std::string Decode(const std::string& text) {
    std::string out;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size()) {
            out += static_cast<char>(std::stoi(text.substr(i + 1, 2), nullptr, 16));
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

} // namespace

TEST_F(ShellTest, TheHelpMenuOffersItsInformationDialogs) {
    Idle();
    for (UINT command : {ID_APP_ABOUT, ID_HELP_WHATS_NEW, ID_HELP_TECHNICAL_SUPPORT}) {
        HMENU bar = ::GetMenu(frame->m_hWnd);
        HMENU help = nullptr;
        for (int i = 0; i < ::GetMenuItemCount(bar) && help == nullptr; ++i)
            if (HMENU sub = ::GetSubMenu(bar, i); ::GetMenuState(sub, command, MF_BYCOMMAND) != static_cast<UINT>(-1))
                help = sub;
        ASSERT_NE(help, nullptr) << command;
        frame->SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(help), 0);
        EXPECT_FALSE(::GetMenuState(help, command, MF_BYCOMMAND) & MF_GRAYED) << command;
    }
}

TEST_F(ShellTest, AboutShowsTheVersionAndLinksTheMakersSiteAndMailbox) {
    LinkShellRecorder shell(42);
    WithDialogOf(frame, ID_APP_ABOUT, [&](HWND dialog) {
        EXPECT_EQ(WindowText(dialog), "About Clastor");
        EXPECT_EQ(ItemText(dialog, IDC_INFO_VERSION), "Clastor Version " + std::string(app->m_strVersion));
        EXPECT_EQ(ItemText(dialog, IDC_ABOUT_BUILD_DATE), std::string("Build date: ") + MakerContact::BuildDate());
        EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(dialog, IDC_INFO_ICON)));
        EXPECT_EQ(ItemText(dialog, IDC_ABOUT_WEB), MakerContact::kWebSite);
        EXPECT_EQ(ItemText(dialog, IDC_ABOUT_MAIL), MakerContact::kSupportMail);
        for (int id : {IDC_ABOUT_WEB, IDC_ABOUT_MAIL}) {
            LabelLook look = AskLook(dialog, id);
            EXPECT_EQ(look.text, RGB(0, 0, 255)) << id;
            EXPECT_TRUE(look.underlined) << id;
        }
        ClickLabel(dialog, IDC_ABOUT_WEB);
        ClickLabel(dialog, IDC_ABOUT_MAIL);
        EXPECT_EQ(AskLook(dialog, IDC_ABOUT_WEB).text, RGB(128, 0, 128));
    });
    EXPECT_EQ(LinkShellRecorder::opened,
              (std::vector<std::string>{MakerContact::kWebSite, std::string("mailto:") + MakerContact::kSupportMail}));
}

TEST_F(ShellTest, WhatsNewListsTheReleaseNotesNewestFirst) {
    const std::string notes = static_cast<LPCSTR>(CWhatsNewDlg::ReleaseNotes());
    WithDialogOf(frame, ID_HELP_WHATS_NEW, [&](HWND dialog) {
        EXPECT_EQ(WindowText(dialog), "What's New in Clastor Version " + std::string(app->m_strVersion));
        EXPECT_EQ(ItemText(dialog, IDC_INFO_VERSION), "Clastor Version " + std::string(app->m_strVersion));
        EXPECT_EQ(ItemText(dialog, IDC_WHATS_NEW_TEXT), notes);
        EXPECT_FALSE(::IsWindowVisible(::GetDlgItem(dialog, IDC_INFO_ICON)));
    });
    const std::string first = "New in version 4.037\r\n*************************************\r\n"
                              "1) In certain cases, rocks that were sliding uphill AND\r\n"
                              "   off the end of a segment, would cause problems.\r\n"
                              "  (e.g. if a rock bounced off a barrier, and traveled up slope)\r\n"
                              "  This is fixed. (rocks sliding downhill were not effected)\r\n"
                              "\r\n";
    EXPECT_EQ(notes.substr(0, first.size()), first);
    // Every version once, newest first, each under its line of 37 asterisks
    // and after an empty line.
    size_t at = 0;
    for (const char* version : {"4.037", "4.036", "4.035", "4.034", "4.03", "4.02", "4.01", "4.0", "3.01", "3.0",
                                "2.02", "2.01"}) {
        const std::string head = std::string("New in version ") + version + "\r\n" + std::string(37, '*') + "\r\n";
        size_t found = notes.find(head, at);
        ASSERT_NE(found, std::string::npos) << version;
        EXPECT_TRUE(found == 0 || notes.compare(found - 4, 4, "\r\n\r\n") == 0) << version;
        EXPECT_EQ(notes.compare(found + head.size(), 3, "1) "), 0) << version;
        at = found + head.size();
    }
    EXPECT_EQ(notes.substr(notes.size() - 4), "\r\n\r\n");
}

TEST_F(ShellTest, TechnicalSupportReportIsCopiedAndMailedWhole) {
    LinkShellRecorder shell(42);
    std::string report;
    WithDialogOf(frame, ID_HELP_TECHNICAL_SUPPORT, [&](HWND dialog) {
        EXPECT_EQ(WindowText(dialog), "Technical Support");
        report = ItemText(dialog, IDC_SUPPORT_REPORT);
        EXPECT_EQ(ItemText(dialog, IDC_SUPPORT_MAIL), MakerContact::kSupportMail);
        ::SendMessageA(dialog, WM_COMMAND, IDC_SUPPORT_COPY, 0);
        ClickLabel(dialog, IDC_SUPPORT_MAIL);
    });
    EXPECT_EQ(report.rfind("Program: Clastor\r\nVersion: " + std::string(app->m_strVersion) + " Build Date: " +
                               MakerContact::BuildDate() + "\r\n",
                           0),
              0u)
        << report;
    EXPECT_NE(report.find("\r\nTotal Physical Memory: "), std::string::npos);
    EXPECT_NE(report.find("\r\nScreen resolution: "), std::string::npos);

    // The clipboard holds exactly the report.
    ASSERT_TRUE(::OpenClipboard(nullptr));
    HANDLE data = ::GetClipboardData(CF_TEXT);
    std::string copied = data != nullptr ? static_cast<const char*>(::GlobalLock(data)) : "";
    if (data != nullptr) ::GlobalUnlock(data);
    ::CloseClipboard();
    EXPECT_EQ(copied, report);

    // The mail carries it too, encoded so the address stays one piece.
    ASSERT_EQ(LinkShellRecorder::opened.size(), 1u);
    const std::string link = LinkShellRecorder::opened[0];
    const std::string head = std::string("mailto:") + MakerContact::kSupportMail + "?subject=Technical_Support&body=";
    ASSERT_EQ(link.rfind(head, 0), 0u) << link;
    const std::string body = link.substr(head.size());
    EXPECT_EQ(body.find_first_of(" \r\n&?#"), std::string::npos) << body;
    EXPECT_EQ(Decode(body), report);
}
