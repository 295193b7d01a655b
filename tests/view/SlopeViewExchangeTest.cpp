// The view's import commands: the open dialog as the user answers it, and the
// document's slope afterwards.
#include "tests/view/SlopeViewTestSupport.h"

#include <cstring>
#include "framework/FileDialog.h"
#include "res/resource.h"

namespace {

struct OpenDialogAnswer {
    static inline std::string pick;
    static inline std::string filter;
    static inline DWORD flags = 0;
    static INT_PTR Answer(CCommonDialog* pDialog)
    {
        auto* dialog = static_cast<CFileDialog*>(pDialog);
        filter.clear();
        for (const char* f = dialog->m_ofn.lpstrFilter; f && *f; f += std::strlen(f) + 1)
            filter += std::string(f) + "|";
        flags = dialog->m_ofn.Flags;
        if (pick.empty())
            return IDCANCEL;
        dialog->SetPathName(pick.c_str());
        return IDOK;
    }
};

std::string Fixture(const char* name) { return std::string(CLASTOR_TEST_DATA) + "/" + name; }

}  // namespace

TEST_F(SlopeViewTest, ImportCommandsReplaceTheSlopeFromTheChosenFile)
{
    ViewMessageBoxes boxes;
    AfxCommonDialogHook previous = AfxSetCommonDialogHook(&OpenDialogAnswer::Answer);
    struct Case { UINT command; const char* file; const char* filter; };
    const Case cases[] = {
        {ID_IMPORT_CRSP, "crsp/three-cells-metric.csp",
         "CRSP Files (*.csp)|*.csp|CRSP Files (*.dat)|*.dat|All Files (*.*)|*.*|"},
        {ID_IMPORT_DXF, "dxf/library_slope.dxf", "DXF Files (*.dxf)|*.dxf|All Files (*.*)|*.*|"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        // Import is offered only while there is no slope.
        doc->DeleteSlope();
        doc->SetModifiedFlag(FALSE);
        // Cancel leaves the document alone.
        OpenDialogAnswer::pick.clear();
        view->SendMessageA(WM_COMMAND, c.command, 0);
        EXPECT_FALSE(doc->IsModified());
        EXPECT_EQ(OpenDialogAnswer::filter, c.filter);
        EXPECT_TRUE(OpenDialogAnswer::flags & OFN_FILEMUSTEXIST);

        OpenDialogAnswer::pick = Fixture(c.file);
        view->SendMessageA(WM_COMMAND, c.command, 0);
        EXPECT_TRUE(doc->IsModified());
        ASSERT_NE(doc->GetSlope(), nullptr);
        EXPECT_GE(doc->GetSlope()->GetVertexCount(), 2);
    }
    EXPECT_TRUE(boxes.texts.empty());
    AfxSetCommonDialogHook(previous);
}

