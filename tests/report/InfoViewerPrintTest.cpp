// Printing the report to the session's PDF printer, a report of many
// paragraphs printed to its end, and a page too small to hold a line.
#include "ReportTestSupport.h"

#include <fstream>
#include <set>

#include "framework/AfxRes.h"
#include "support/PrintedPdf.h"

namespace {

// The PDF the printer writes after `before` was taken; empty when none came.
std::string NewPdf(const std::string& folder, const std::set<std::string>& before) {
    for (int i = 0; i < 300; ++i) {
        for (const std::string& name : PdfFiles(folder))
            if (before.count(name) == 0) {
                std::string pdf;
                for (int j = 0; j < 100; ++j) {
                    pdf = ReadWhole(folder + name);
                    if (pdf.find("%%EOF") != std::string::npos) break;
                    ::Sleep(100);
                }
                return pdf;
            }
        ::Sleep(100);
    }
    return std::string();
}

}  // namespace

// Leaves printed-report.pdf for the check that reads its text with the system's PDF tools.
TEST_F(ReportWindowTest, PrintsTheReportToTheDefaultPrinter)
{
    ::DeleteFileA("printed-report.pdf");
    const std::string folder = PrintFolder();
    if (folder.empty() || !HaveDefaultPrinter()) GTEST_SKIP() << "no PDF printer in this session";
    const std::set<std::string> before = PdfFiles(folder);
    ReportMessageBoxes boxes;
    viewer->SendMessage(WM_COMMAND, ID_FILE_PRINT_DIRECT, 0);
    EXPECT_TRUE(boxes.texts.empty()) << boxes.texts.front();
    const std::string pdf = NewPdf(folder, before);
    ASSERT_FALSE(pdf.empty()) << "no PDF appeared in " << folder;
    EXPECT_EQ(pdf.compare(0, 5, "%PDF-"), 0);
    EXPECT_GE(CountPdfPages(pdf), 1);
    std::ofstream("printed-report.pdf", std::ios::binary) << pdf;
}

TEST_F(ReportWindowTest, APageTooSmallForALineStopsThePrintout)
{
    if (!HaveDefaultPrinter()) GTEST_SKIP() << "no printer in this session";
    // Margins that leave two pixels of height.
    services.services.fixedPage = RECT{100, 100, 400, 102};
    ReportMessageBoxes boxes;
    viewer->SendMessage(WM_COMMAND, ID_FILE_PRINT_DIRECT, 0);
    ASSERT_EQ(boxes.texts.size(), 1u);
    EXPECT_NE(boxes.texts[0].find("too small for a line of text"), std::string::npos);
}

// The page formatting answers in the control's own character positions, as
// the system's control does where it formats pages itself: a paragraph end is
// one character, where the text's length as a window text counts two. The
// printout ends where the text ends: no page is asked for past the end, and
// the job is not taken for a page too small for a line.
TEST_F(ReportWindowTest, AReportOfManyParagraphsPrintsToItsEnd)
{
    CReportRichEdit& edit = viewer->GetRichEdit();
    std::string text;
    for (int i = 1; i <= 200; ++i)
        text += "Paragraph " + std::to_string(i) + " of a long report\r\n";
    edit.SetWindowText(text.c_str());
    const long characters = edit.GetTextLengthEx(GTL_NUMCHARS | GTL_PRECISE);
    ASSERT_GT(characters, 0);
    EXPECT_EQ(edit.GetTextLength(), characters + 200);  // 200 paragraph ends

    // The whole text on one tall page: the formatting ends at the control's count.
    HDC screen = ::GetDC(nullptr);
    FORMATRANGE range{};
    range.hdc = range.hdcTarget = screen;
    range.rcPage = range.rc = RECT{0, 0, 10 * 1440, 1000 * 1440};
    range.chrg = CHARRANGE{0, -1};
    EXPECT_EQ(edit.FormatRange(&range, FALSE), characters);
    edit.FormatRange(nullptr, FALSE);
    ::ReleaseDC(nullptr, screen);

    if (!HaveDefaultPrinter()) GTEST_SKIP() << "no printer in this session";
    const std::string folder = PrintFolder();
    const std::set<std::string> before = folder.empty() ? std::set<std::string>() : PdfFiles(folder);
    ReportMessageBoxes boxes;
    viewer->SendMessage(WM_COMMAND, ID_FILE_PRINT_DIRECT, 0);
    EXPECT_TRUE(boxes.texts.empty()) << boxes.texts.front();
    if (folder.empty()) return;
    const std::string pdf = NewPdf(folder, before);
    ASSERT_FALSE(pdf.empty()) << "no PDF appeared in " << folder;
    EXPECT_GE(CountPdfPages(pdf), 2);
}
