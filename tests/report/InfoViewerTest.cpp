// The report window: its report, rebuilt only when the document changes,
// copied, saved and titled as a user sees it.
#include "ReportTestSupport.h"

#include "model/TalusimBarrier.h"
#include "model/TalusimSlopeType.h"
#include "report/InfoViewerFrame.h"
#include "support/FileDialogAnswer.h"
#include "support/TempFiles.h"
#include "res/resource.h"

namespace {

std::string ClipboardText() {
    std::string text;
    if (!::OpenClipboard(nullptr)) return text;
    if (HANDLE data = ::GetClipboardData(CF_TEXT)) {
        if (const char* p = static_cast<const char*>(::GlobalLock(data))) text = p;
        ::GlobalUnlock(data);
    }
    ::CloseClipboard();
    return text;
}

// The files of a folder whose names start with a prefix.
int CountFiles(const std::string& folder, const char* pattern) {
    int n = 0;
    WIN32_FIND_DATAA found{};
    HANDLE h = ::FindFirstFileA((folder + pattern).c_str(), &found);
    if (h == INVALID_HANDLE_VALUE) return 0;
    do ++n;
    while (::FindNextFileA(h, &found));
    ::FindClose(h);
    return n;
}

}  // namespace

TEST_F(ReportWindowTest, ShowsTheDocumentsReportAndRebuildsItOnlyWhenTheDocumentChanges)
{
    const std::string text = Text();
    EXPECT_EQ(text.rfind("Clastor Analysis Information\n\nDocument Name\n\nslope.cla\n\nProject Settings\n", 0), 0u)
        << text;
    EXPECT_NE(text.find("\nData Collector name: Collector001\nStart Point: 40, 19\nEnd  Point: 40, 34"),
              std::string::npos);
    EXPECT_TRUE(viewer->IsReportCurrent());
    EXPECT_TRUE(viewer->GetRtf().IsEmpty());

    // An ordinary update keeps the text; the modified flag (either way) rebuilds it.
    auto barriers = EntitiesOf<CTalusimBarrier>(*doc, CAT_PLACED, KIND_BARRIER, GROUP_BARRIER);
    ASSERT_EQ(barriers.size(), 1u);
    barriers[0]->SetName("Rockfall net");
    doc->UpdateAllViews(nullptr);
    EXPECT_EQ(Text().find("Rockfall net"), std::string::npos);
    CReportRichEdit& edit = viewer->GetRichEdit();
    edit.SendMessage(EM_LINESCROLL, 0, 12);
    const LRESULT first = edit.SendMessage(EM_GETFIRSTVISIBLELINE);
    EXPECT_GT(first, 0);
    doc->SetModifiedFlag(FALSE);
    EXPECT_NE(Text().find("Barrier name: Rockfall net"), std::string::npos);
    EXPECT_EQ(edit.SendMessage(EM_GETFIRSTVISIBLELINE), first);
    // The text is replaced, not added to.
    EXPECT_EQ(Text().find("Clastor Analysis Information", 1), std::string::npos);
}

TEST_F(ReportWindowTest, NamesWithRtfCharactersAndAccentsShowAsTyped)
{
    auto materials = EntitiesOf<CTalusimSlopeType>(*doc, ID_ANY_CATEGORY, KIND_MATERIAL, ID_ANY_GROUP);
    ASSERT_FALSE(materials.empty());
    materials[0]->SetName("Granite {weathered} \\ d\xe9j\xe0 vu }}");
    doc->SetTitle("Pente {est}\\\xc9t\xe9.cla");
    doc->SetModifiedFlag(TRUE);
    const std::string text = Text();
    EXPECT_NE(text.find("\nPente {est}\\\xc9t\xe9.cla\n"), std::string::npos) << text;
    EXPECT_NE(text.find("Segment 1, Material: Granite {weathered} \\ d\xe9j\xe0 vu }}\n"), std::string::npos);
    EXPECT_NE(text.find("Material name: Granite {weathered} \\ d\xe9j\xe0 vu }}\nCoefficient of Normal"),
              std::string::npos);
    // Nothing after the names was lost.
    EXPECT_NE(text.find("End  Point: 40, 34"), std::string::npos);
}

TEST_F(ReportWindowTest, CopyTakesTheSelectionOrTheWholeReport)
{
    CReportRichEdit& edit = viewer->GetRichEdit();
    edit.SetSel(0, 0);
    viewer->SendMessage(WM_COMMAND, ID_EDIT_COPY, 0);
    const std::string all = Trimmed(ClipboardText());
    EXPECT_EQ(all.rfind("Clastor Analysis Information\n\nDocument Name\n", 0), 0u) << all.substr(0, 80);
    EXPECT_NE(all.find("End  Point: 40, 34"), std::string::npos);
    long start = -1, end = -1;
    edit.GetSel(start, end);
    EXPECT_EQ(start, 0);
    EXPECT_EQ(end, 0);

    ASSERT_TRUE(Select("Clastor"));
    long selStart = 0, selEnd = 0;
    edit.GetSel(selStart, selEnd);
    edit.SendMessage(WM_COMMAND, ID_EDIT_COPY, 0);  // the context menu's command reaches the control
    EXPECT_EQ(ClipboardText(), "Clastor");
    edit.GetSel(start, end);
    EXPECT_EQ(start, selStart);
    EXPECT_EQ(end, selEnd);
}

TEST_F(ReportWindowTest, SavesRichAndPlainText)
{
    ReportMessageBoxes boxes;
    const std::string rtfPath = FreshTempPath("clastor-report.rtf");
    const std::string txtPath = FreshTempPath("clastor-report.txt");
    ASSERT_TRUE(viewer->WriteReportFile(rtfPath.c_str(), TRUE));
    const std::string rtf = ReadBytes(rtfPath.c_str());
    EXPECT_EQ(rtf.rfind("{\\rtf", 0), 0u);
    EXPECT_NE(rtf.find("Data Collector name: Collector001"), std::string::npos);

    // Plain text: the whole report without a selection, with CR LF line ends.
    viewer->GetRichEdit().SetSel(0, 0);
    ASSERT_TRUE(viewer->WriteReportFile(txtPath.c_str(), FALSE));
    const std::string txt = ReadBytes(txtPath.c_str());
    EXPECT_NE(txt.find(" Clastor Analysis Information \r\n"), std::string::npos);
    EXPECT_EQ(Trimmed(txt).rfind("Clastor Analysis Information\n\nDocument Name\n\nslope.cla\n", 0), 0u);
    EXPECT_NE(txt.find("End  Point: 40, 34"), std::string::npos);
    // Only the selection when there is one; rich text is always everything.
    ASSERT_TRUE(Select("Clastor"));
    ASSERT_TRUE(viewer->WriteReportFile(txtPath.c_str(), FALSE));
    EXPECT_EQ(ReadBytes(txtPath.c_str()), "Clastor");
    ASSERT_TRUE(viewer->WriteReportFile(rtfPath.c_str(), TRUE));
    EXPECT_NE(ReadBytes(rtfPath.c_str()).find("Collector001"), std::string::npos);
    EXPECT_TRUE(boxes.texts.empty());
    ::DeleteFileA(rtfPath.c_str());
    ::DeleteFileA(txtPath.c_str());
}

TEST_F(ReportWindowTest, SaveDialogProposesTheDocumentsName)
{
    AnsweredFileDialog answer("");  // the user cancels
    viewer->SendMessage(WM_COMMAND, ID_REPORT_SAVE_TXT, 0);
    EXPECT_EQ(FileDialogAnswer::initialName, "Clastor.txt");  // never saved
    EXPECT_EQ(FileDialogAnswer::defaultExtension, "txt");
    EXPECT_EQ(FileDialogAnswer::filter, "Text File (*.txt)|*.txt|All Files (*.*)|*.*|");
    EXPECT_TRUE(FileDialogAnswer::flags & OFN_OVERWRITEPROMPT);
    doc->SetPathName("C:\\data\\slope.cla", FALSE);
    viewer->SendMessage(WM_COMMAND, ID_REPORT_SAVE_RTF, 0);
    EXPECT_EQ(FileDialogAnswer::initialName, "C:\\data\\slope.rtf");
    EXPECT_EQ(FileDialogAnswer::filter, "Rich Text File (*.rtf)|*.rtf|All Files (*.*)|*.*|");

    // Picked in the dialog: written there.
    const std::string path = FreshTempPath("clastor-picked.txt");
    FileDialogAnswer::pick = path;
    viewer->GetRichEdit().SendMessage(WM_COMMAND, ID_REPORT_SAVE_TXT, 0);
    EXPECT_NE(ReadBytes(path.c_str()).find("Document Name"), std::string::npos);
    ::DeleteFileA(path.c_str());
}

TEST_F(ReportWindowTest, AFailedSaveIsReportedAndLeavesNoHalfFile)
{
    ReportMessageBoxes boxes;
    char temp[MAX_PATH];
    ::GetTempPathA(MAX_PATH, temp);
    const std::string folder = std::string(temp) + "clastor-report-save\\";
    ::CreateDirectoryA(folder.c_str(), nullptr);

    // A folder that does not exist.
    const std::string missing = folder + "no such folder\\report.rtf";
    EXPECT_FALSE(viewer->WriteReportFile(missing.c_str(), TRUE));
    ASSERT_EQ(boxes.texts.size(), 1u);
    EXPECT_NE(boxes.texts[0].find("could not be saved"), std::string::npos);
    EXPECT_NE(boxes.texts[0].find(missing), std::string::npos);
    EXPECT_FALSE(FileExists(missing));

    // An old report that cannot be replaced (another program has it open)
    // keeps its content; no temporary file stays.
    const std::string old = folder + "old.txt";
    WriteBytes(old.c_str(), "old report");
    HANDLE held = ::CreateFileA(old.c_str(), GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    ASSERT_NE(held, INVALID_HANDLE_VALUE);
    EXPECT_FALSE(viewer->WriteReportFile(old.c_str(), FALSE));
    ::CloseHandle(held);
    EXPECT_EQ(boxes.texts.size(), 2u);
    EXPECT_EQ(ReadBytes(old.c_str()), "old report");
    EXPECT_EQ(CountFiles(folder, "*.tmp"), 0);
    EXPECT_EQ(CountFiles(folder, "*"), 3);  // ".", ".." and old.txt
    ::DeleteFileA(old.c_str());
    ::RemoveDirectoryA(folder.c_str());
}

TEST(InfoViewerFrame, TitleNamesDocumentWindowViewAndChange)
{
    EXPECT_EQ(CInfoViewerFrame::FormatTitle("slope.cla", -1, "InfoViewer", false), "slope.cla - InfoViewer");
    EXPECT_EQ(CInfoViewerFrame::FormatTitle("slope.cla", 2, "InfoViewer", true), "slope.cla:2 - InfoViewer*");
    EXPECT_EQ(CInfoViewerFrame::FormatTitle("slope.cla", 0, "", false), "slope.cla");
}
