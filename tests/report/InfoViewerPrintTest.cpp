// Printing the report to the session's PDF printer, and a page too small to
// hold a line.
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
