// The report writer: line types to RTF paragraphs of a viewer, and to nested
// check boxes of a tree.
#include "ReportTestSupport.h"

#include <functional>

#include "controls/TreeOptionsCtrl.h"
#include "framework/WinApp.h"
#include "report/AnalysisReport.h"

namespace {

// The printing and file tests ask the application for its printer and name.
class CReportTestApp : public CWinApp {
public:
    CReportTestApp() : CWinApp("Clastor") {}
};
CReportTestApp theApp;

// A writer run by hand, line by line.
class CLineWriter : public CReportWriter {
public:
    void ToViewer(CInfoViewer* viewer) { BeginViewer(viewer); }
    void ToTree() { BeginTree(); }
};

// A tree as the Add Text dialog has it: a dialog's tree taken over by the control.
struct HostedTree {
    HostedTree() {
        host.CreateEx(0, nullptr, "host", WS_OVERLAPPEDWINDOW, 0, 0, 300, 300, nullptr, nullptr);
        HWND made = ::CreateWindowExA(0, WC_TREEVIEWA, "", WS_CHILD | WS_VISIBLE | TVS_HASBUTTONS | TVS_HASLINES,
                                      0, 0, 280, 260, host.GetSafeHwnd(), reinterpret_cast<HMENU>(40),
                                      ::GetModuleHandleA(nullptr), nullptr);
        tree.SubclassWindow(made);
    }
    ~HostedTree() { host.DestroyWindow(); }
    // The tree as indented lines: two blanks a level, "[x]" for a ticked box.
    std::string Outline() {
        std::string out;
        std::function<void(HTREEITEM, int)> walk = [&](HTREEITEM item, int depth) {
            for (; item != nullptr; item = tree.GetNextSiblingItem(item)) {
                BOOL checked = FALSE;
                tree.GetCheckBox(item, checked);
                out += std::string(2 * depth, ' ') + (checked ? "[x] " : "") +
                       static_cast<LPCSTR>(tree.GetItemText(item)) + "\n";
                walk(tree.GetChildItem(item), depth + 1);
            }
        };
        walk(tree.GetRootItem(), 0);
        return out;
    }
    CWnd host;
    CTreeOptionsCtrl tree;
};

}  // namespace

TEST(ReportWriter, EachLineTypeIsOneStyledParagraph)
{
    CInfoViewer viewer;
    CLineWriter writer;
    writer.ToViewer(&viewer);
    viewer.BeginRtf();
    writer.WriteLine("Title", 3);
    writer.WriteLine("Section", 4);
    writer.WriteLine("Sub", 5);
    writer.WriteLine("Body", 2);
    writer.WriteLine("more", 1);
    writer.WriteLine("never", 6);
    writer.WriteLine("never", 0);
    const std::string rtf = static_cast<LPCSTR>(viewer.GetRtf());
    EXPECT_EQ(rtf.rfind("{\\rtf1\\ansi\\deff0\\deftab720{\\fonttbl{\\f0\\farial Arial;}}\n"
                        "{\\colortbl\\red0\\green0\\blue0;}\n\\deflang1033\\plain\\f3\\fs14     ",
                        0),
              0u);
    const std::string body = rtf.substr(rtf.find("\n\\par"));
    EXPECT_EQ(body,
              "\n\\par\\plain\\f3\\fs14     \\plain\\f3\\fs36\\b\\i Title \\b0\\i0"
              "\n\\par\\plain\\f3\\fs14     \\plain\\f3\\fs24\\b\\ul Section \\b0\\ul0"
              "\n\\par\\plain\\f3\\fs14     \\plain\\f3\\fs20\\ul Sub \\ul0"
              "\n\\par\\plain\\f3\\fs14     \\plain\\f3\\fs20 Body "
              "\n\\plain\\f3\\fs20 more ");
    EXPECT_EQ(ParseReport(rtf), (std::vector<ReportLine>{{3, "Title"}, {4, "Section"}, {5, "Sub"}, {2, "Body"},
                                                         {1, "more"}}));
}

TEST(ReportWriter, TypedTextCannotBreakTheStream)
{
    CInfoViewer viewer;
    viewer.BeginRtf();
    viewer.AddParagraph("a\\b {c} \xe9t\xe9\tx", 10, TRUE, FALSE, FALSE, FALSE);
    const std::string rtf = static_cast<LPCSTR>(viewer.GetRtf());
    EXPECT_NE(rtf.find(" a\\\\b \\{c\\} \\'e9t\\'e9\\tab x "), std::string::npos) << rtf;
}

TEST(ReportWriter, TreeNestsLinesUnderTheirHeadings)
{
    HostedTree hosted;
    ASSERT_NE(hosted.tree.GetSafeHwnd(), nullptr);
    CLineWriter writer;
    writer.SetTreeControl(&hosted.tree);
    writer.ToTree();
    writer.WriteLine("orphan", 2);          // before any section: at the root
    writer.WriteLine("Report title", 3);    // no item
    writer.WriteLine("Section A", 4);
    writer.WriteLine("", 2);                // blank separators make no item
    writer.WriteLine("a line", 2);
    writer.WriteLine("Sub 1", 5);
    writer.WriteLine("one", 2);
    writer.WriteLine("continued", 1);       // no item
    writer.WriteLine("Sub 2", 5, TRUE);
    writer.WriteLine("two", 2, TRUE);
    writer.WriteLine("Section B", 4);
    writer.WriteLine("under B", 2);         // under the section, not under Sub 2
    writer.WriteLine("", 5);
    EXPECT_EQ(hosted.Outline(),
              "orphan\n"
              "Section A\n"
              "  a line\n"
              "  Sub 1\n"
              "    one\n"
              "  [x] Sub 2\n"
              "    [x] two\n"
              "Section B\n"
              "  under B\n");
}

TEST(ReportWriter, AnalysisReportFillsTheTreeTheAddTextDialogShows)
{
    HostedTree hosted;
    auto doc = OpenExample();
    CAnalysisReport report;
    report.SetTreeControl(&hosted.tree);
    report.WriteToTree();  // no document or database yet: nothing
    EXPECT_EQ(hosted.Outline(), "");
    report.SetDocument(doc.get());
    report.SetDatabase(doc->GetDatabase());
    report.WriteToTree();
    const std::string outline = hosted.Outline();
    EXPECT_EQ(outline.rfind("Document Name\n  slope.cla\nProject Settings\n  Units: Metric\n", 0), 0u) << outline;
    EXPECT_EQ(outline.find("Clastor Analysis Information"), std::string::npos);
    EXPECT_NE(outline.find("Slope\n  Segment 1, Material: Clean hard bedrock [default]\n"
                           "    Start Point: X mean=0 std dev=0  Y mean=40 std dev=0\n"
                           "    End Point: X mean=20 std dev=0  Y mean=31 std dev=0\n"
                           "  Segment 2,"),
              std::string::npos)
        << outline;
    EXPECT_NE(outline.find("Data Collectors\n  Data Collector name: "), std::string::npos) << outline;
}
