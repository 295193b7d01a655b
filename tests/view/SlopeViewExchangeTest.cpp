// The view's import commands: the open dialog as the user answers it, and the
// document's slope afterwards.
#include "tests/view/SlopeViewTestSupport.h"

#include <cstring>
#include "tests/support/FileDialogAnswer.h"
#include "res/resource.h"

namespace {

std::string Fixture(const char* name) { return std::string(CLASTOR_TEST_DATA) + "/" + name; }

}  // namespace

TEST_F(SlopeViewTest, ImportCommandsReplaceTheSlopeFromTheChosenFile)
{
    ViewMessageBoxes boxes;
    AfxCommonDialogHook previous = AfxSetCommonDialogHook(&FileDialogAnswer::Answer);
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
        FileDialogAnswer::pick.clear();
        view->SendMessageA(WM_COMMAND, c.command, 0);
        EXPECT_FALSE(doc->IsModified());
        EXPECT_EQ(FileDialogAnswer::filter, c.filter);
        EXPECT_TRUE(FileDialogAnswer::flags & OFN_FILEMUSTEXIST);

        // The view looks far away; the import brings the new slope into view.
        view->GetViewContext()->SetWorldOrigin(1000, 1000);
        FileDialogAnswer::pick = Fixture(c.file);
        view->SendMessageA(WM_COMMAND, c.command, 0);
        EXPECT_TRUE(doc->IsModified());
        ASSERT_NE(doc->GetSlope(), nullptr);
        const CTalusimSlope& slope = *doc->GetSlope();
        ASSERT_GE(slope.GetVertexCount(), 2);
        CRect client;
        view->GetClientRect(&client);
        client.InflateRect(1, 1);
        for (int i : {0, slope.GetVertexCount() - 1}) {
            const CPolyVertex v = slope.GetVertex(i);
            EXPECT_TRUE(client.PtInRect(view->GetViewContext()->WorldToDevice(v.x, v.y))) << "vertex " << i;
        }
    }
    EXPECT_TRUE(boxes.texts.empty());
    AfxSetCommonDialogHook(previous);
}

