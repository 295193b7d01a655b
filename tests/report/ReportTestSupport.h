// Shared by the report tests: the example document with a known model, the
// services the document asks of its report windows, a report window on a
// document, and the report's RTF read back as typed lines.
#pragma once

#include <gtest/gtest.h>

#include <memory>
#include <regex>
#include <string>
#include <vector>

#include "model/MainFrameServices.h"
#include "framework/Frame.h"
#include "framework/MessageBox.h"
#include "model/DocumentDependencies.h"
#include "report/InfoViewer.h"
#include "report/ReportViewerLink.h"
#include "tests/support/DocumentFormatsInstalled.h"

// The document's requests reach the report windows, as the shell's frame passes them.
class CReportServices : public CMainFrameServices {
public:
    bool IsReportViewer(CView* view) override { return ReportViewerLink::IsReportViewer(view); }
    void ForceUpdateReportViewer(CView* view) override { ReportViewerLink::ForceUpdate(view); }
    void WriteAnalysisReport(CView* viewer, CTalusimDoc* document) override {
        ReportViewerLink::WriteAnalysisReport(viewer, document);
    }
    // A page of a fixed size in pixels (left, top, right, bottom), when set.
    bool LayoutTextPage(CDC*, RECT& page, bool) override {
        if (fixedPage.right <= 0) return false;
        page = fixedPage;
        return true;
    }
    RECT fixedPage{0, 0, 0, 0};
};

struct InstalledReportServices {
    InstalledReportServices() { previous = InstallMainFrameServices(&services); }
    ~InstalledReportServices() { InstallMainFrameServices(previous); }
    CReportServices services;
    CMainFrameServices* previous = nullptr;
};

struct ReportMessageBoxes {
    static inline std::vector<std::string> texts;
    static int Hook(LPCSTR text, UINT) {
        texts.emplace_back(text != nullptr ? text : "");
        return IDOK;
    }
    ReportMessageBoxes() {
        texts.clear();
        previous = AfxSetMessageBoxHook(&Hook);
    }
    ~ReportMessageBoxes() { AfxSetMessageBoxHook(previous); }
    AfxMessageBoxHook previous = nullptr;
};

inline std::string ExamplePath(const char* name) {
    return std::string(CLASTOR_TEST_DATA) + "/../../examples/" + name;
}

// The example with a line seeder, a barrier and two collectors, titled slope.cla.
inline std::unique_ptr<CTalusimDoc> OpenExample() {
    auto doc = std::make_unique<CTalusimDoc>();
    doc->m_bAutoDelete = FALSE;
    EXPECT_TRUE(doc->OnOpenDocument(ExamplePath("line-seeder-barrier-collectors.cla").c_str()));
    doc->SetTitle("slope.cla");
    return doc;
}

template <class T>
std::vector<T*> EntitiesOf(CTalusimDoc& doc, int category, int kind, int group) {
    return CollectAs<T>(*doc.GetDatabase(), category, kind, group);
}

// One paragraph of the report as the writer asked for it.
struct ReportLine {
    int type = 0;  // 1 continuation ... 5 sub-heading, 0 a style no type gives
    std::string text;
    bool operator==(const ReportLine& o) const { return type == o.type && text == o.text; }
};

inline std::ostream& operator<<(std::ostream& out, const ReportLine& line) {
    return out << line.type << " \"" << line.text << "\"";
}

// Reads the paragraphs back from the stream the viewer assembled.
inline std::vector<ReportLine> ParseReport(const std::string& rtf) {
    std::vector<ReportLine> lines;
    static const std::regex paragraph(
        "\n(\\\\par\\\\plain\\\\f3\\\\fs14     )?\\\\plain\\\\f3\\\\fs([0-9]+)(\\\\b)?(\\\\i)?(\\\\ul)? (.*?) "
        "(\\\\b0)?(\\\\i0)?(\\\\ul0)?(?=\n|$)");
    for (auto it = std::sregex_iterator(rtf.begin(), rtf.end(), paragraph); it != std::sregex_iterator(); ++it) {
        const std::smatch& m = *it;
        const bool par = m[1].matched, bold = m[3].matched, italic = m[4].matched, underline = m[5].matched;
        const int half = std::stoi(m[2].str());
        int type = 0;
        if (!par && half == 20 && !bold && !italic && !underline) type = 1;
        else if (par && half == 20 && !bold && !italic && !underline) type = 2;
        else if (par && half == 36 && bold && italic && !underline) type = 3;
        else if (par && half == 24 && bold && !italic && underline) type = 4;
        else if (par && half == 20 && !bold && !italic && underline) type = 5;
        lines.push_back(ReportLine{type, m[6].str()});
    }
    return lines;
}

// A report window on a document, in a plain frame, after its first update.
class ReportWindowTest : public ::testing::Test {
protected:
    void SetUp() override {
        doc = OpenExample();
        CCreateContext context;
        context.m_pNewViewClass = RUNTIME_CLASS(CInfoViewer);
        context.m_pCurrentDoc = doc.get();
        frame = new CFrameWnd;
        ASSERT_TRUE(frame->Create(nullptr, "Report", WS_OVERLAPPEDWINDOW, CRect(0, 0, 640, 480), nullptr, nullptr, 0,
                                  &context));
        frame->InitialUpdateFrame(doc.get(), TRUE);
        viewer = dynamic_cast<CInfoViewer*>(frame->GetActiveView());
        ASSERT_NE(viewer, nullptr);
    }
    void TearDown() override {
        if (frame != nullptr) frame->DestroyWindow();
        doc.reset();
    }
    // The control's text, one paragraph a line, each without the blanks
    // around it that the report's paragraph style sets (the leading blank
    // paragraph included).
    std::string Text() {
        CString text;
        viewer->GetRichEdit().GetWindowText(text);
        return Trimmed(static_cast<LPCSTR>(text));
    }
    static std::string Trimmed(const std::string& s) {
        std::string out, line;
        auto flush = [&](bool end) {
            const size_t a = line.find_first_not_of(' '), b = line.find_last_not_of(' ');
            out += a == std::string::npos ? std::string() : line.substr(a, b - a + 1);
            if (!end) out += '\n';
            line.clear();
        };
        for (size_t i = 0; i < s.size(); ++i) {
            if (s[i] == '\r' || s[i] == '\n') {
                if (s[i] == '\r' && i + 1 < s.size() && s[i + 1] == '\n') ++i;
                flush(false);
            } else {
                line += s[i];
            }
        }
        flush(true);
        return out.substr(out.find_first_not_of('\n') == std::string::npos ? out.size() : out.find_first_not_of('\n'));
    }
    // Selects the first occurrence of a text in the control; false when it is not there.
    bool Select(const char* what) {
        FINDTEXTEXA find{};
        find.chrg.cpMin = 0;
        find.chrg.cpMax = -1;
        find.lpstrText = what;
        if (viewer->GetRichEdit().SendMessage(EM_FINDTEXTEX, FR_DOWN | FR_MATCHCASE, reinterpret_cast<LPARAM>(&find)) < 0)
            return false;
        viewer->GetRichEdit().SetSel(find.chrgText.cpMin, find.chrgText.cpMax);
        return true;
    }

    InstalledReportServices services;
    std::unique_ptr<CTalusimDoc> doc;
    CFrameWnd* frame = nullptr;
    CInfoViewer* viewer = nullptr;
};
