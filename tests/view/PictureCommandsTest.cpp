// Pictures in the slope view as a user places and scales them: Picture from
// file (chosen, cancelled, damaged), Scale Picture by four clicks and the
// Scale Image dialog with its messages for points too close.
#include "tests/view/SlopeViewTestSupport.h"

#include <string>

#include "model/InteractionModes.h"
#include "res/dialogs-view.h"
#include "res/resource.h"
#include "support/BitmapFile.h"
#include "support/FileDialogAnswer.h"
#include "support/InstalledTools.h"
#include "support/WhenShown.h"
#include "tools/ToolImage.h"
#include "tools/ToolServices.h"
#include "view/ScaleImageDlg.h"

namespace {

struct PictureCmdUI : CCmdUI {
    int enabled = -1, checked = -1;
    void Enable(BOOL on) override { enabled = on ? 1 : 0; }
    void SetCheck(int check) override { checked = check; }
};

std::string Picture(const char* name) { return std::string(CLASTOR_TEST_DATA) + "/images/" + name; }

struct Coordinates {
    std::string ax, ay, bx, by;
};

void TypeCoordinates(HWND dialog, const Coordinates& c)
{
    ::SetDlgItemTextA(dialog, IDC_SCALE_A_X, c.ax.c_str());
    ::SetDlgItemTextA(dialog, IDC_SCALE_A_Y, c.ay.c_str());
    ::SetDlgItemTextA(dialog, IDC_SCALE_B_X, c.bx.c_str());
    ::SetDlgItemTextA(dialog, IDC_SCALE_B_Y, c.by.c_str());
}

// The colour of a pixel of a 24-bit bitmap file.
COLORREF PixelOf(const BitmapFile& file, int x, int y)
{
    const size_t stride = (static_cast<size_t>(file.width) * 3 + 3) / 4 * 4;
    const auto* p =
        reinterpret_cast<const BYTE*>(file.bytes.data() + file.offset + stride * (file.height - 1 - y) + 3 * x);
    return RGB(p[2], p[1], p[0]);
}

std::string ItemText(HWND dialog, int id)
{
    char text[128] = {};
    ::GetDlgItemTextA(dialog, id, text, sizeof text);
    return text;
}

}  // namespace

class PictureCommandsTest : public SlopeViewTest
{
protected:
    InstalledTools tools;
    InstalledPromptLine prompt;
    ViewMessageBoxes boxes;

    void Command(UINT id) { view->SendMessage(WM_COMMAND, MAKEWPARAM(id, 0), 0); }
    PictureCmdUI StateOf(UINT id)
    {
        PictureCmdUI ui;
        ui.m_nID = id;
        ui.DoUpdate(view, FALSE);
        return ui;
    }
    std::vector<CToolImage*> Pictures()
    {
        std::vector<CToolImage*> out;
        CREGDatabase* db = doc->GetDatabase();
        for (int i = 0; i < db->GetEntityCount(); ++i)
            if (auto* t = dynamic_cast<CToolImage*>(db->GetEntityAt(i)))
                out.push_back(t);
        return out;
    }
    CToolImage* PlacePicture(const char* name)
    {
        AnsweredFileDialog answer(Picture(name));
        Command(ID_TOOL_PICTURE);
        auto all = Pictures();
        return all.empty() ? nullptr : all.back();
    }
};

TEST(ScaleImageDialog, PointsTooCloseKeepTheDialogOpen)
{
    const struct {
        Coordinates typed;
        const char* message;   // null: the dialog closes with OK
    } cases[] = {
        {{"0", "0", "0.0005", "10"}, "Points are too close horizontally"},
        {{"0", "0", "10", "-0.0009"}, "Points are too close vertically"},
        {{"5", "5", "5", "5"}, "Points are too close horizontally"},
        // A corner that is not a finite number would place the picture nowhere.
        {{"nan", "0", "10", "10"}, "Please enter a number."},
        {{"0", "0", "inf", "10"}, "Please enter a number."},
        {{"0", "1e999", "10", "10"}, "Please enter a number."},
        {{"1.5", "2", "-3", "4.25"}, nullptr},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.typed.bx + " " + c.typed.by);
        ViewMessageBoxes boxes;
        CScaleImageDlg dialog;
        dialog.m_strImageSize = "Width: 16  Height: 16";
        bool stayed = false;
        std::string size;
        INT_PTR result;
        {
            WhenShown answer([&] {
                HWND shown = ::FindWindowA(nullptr, "Scale Image");
                ASSERT_NE(shown, nullptr);
                size = ItemText(shown, IDC_SCALE_IMAGE_SIZE);
                EXPECT_EQ(ItemText(shown, IDOK), "Scale");
                TypeCoordinates(shown, c.typed);
                ::SendMessageA(shown, WM_COMMAND, IDOK, 0);
                if (c.message == nullptr)
                    return;
                stayed = ::IsWindow(shown) && ::IsWindowVisible(shown);
                ::SendMessageA(shown, WM_COMMAND, IDCANCEL, 0);
            });
            result = dialog.DoModal();
        }
        EXPECT_EQ(size, "Width: 16  Height: 16");
        if (c.message != nullptr) {
            EXPECT_TRUE(stayed);
            EXPECT_EQ(result, IDCANCEL);
            ASSERT_EQ(boxes.texts.size(), 1u);
            EXPECT_EQ(boxes.texts[0], c.message);
        } else {
            EXPECT_EQ(result, IDOK);
            EXPECT_TRUE(boxes.texts.empty());
            EXPECT_DOUBLE_EQ(dialog.m_ax, 1.5);
            EXPECT_DOUBLE_EQ(dialog.m_ay, 2.0);
            EXPECT_DOUBLE_EQ(dialog.m_bx, -3.0);
            EXPECT_DOUBLE_EQ(dialog.m_by, 4.25);
        }
    }
}

TEST_F(PictureCommandsTest, PictureFromFileIsCentredAndLeavesNothingWhenNotLoaded)
{
    // Cancelled: no tool, no message.
    {
        AnsweredFileDialog cancel("");
        Command(ID_TOOL_PICTURE);
    }
    EXPECT_TRUE(Pictures().empty());
    EXPECT_EQ(doc->GetCurrentTool(), nullptr);
    EXPECT_TRUE(boxes.texts.empty());
    // A damaged file: reported, and no invisible tool stays behind.
    EXPECT_EQ(PlacePicture("damaged.jpg"), nullptr);
    EXPECT_TRUE(Pictures().empty());
    EXPECT_EQ(doc->GetCurrentTool(), nullptr);
    ASSERT_EQ(boxes.texts.size(), 1u);
    EXPECT_EQ(boxes.texts[0], "Unable to load image file: " + Picture("damaged.jpg"));

    CToolImage* picture = PlacePicture("quad.gif");
    ASSERT_NE(picture, nullptr);
    EXPECT_EQ(doc->GetCurrentTool(), nullptr) << "the picture is finished";
    EXPECT_TRUE(picture->IsSelectable());
    EXPECT_EQ(picture->GetGroupId(), ToolGroupOf(view));
    // Its 16 pixels centred in the client area.
    CRect client;
    view->GetClientRect(&client);
    CViewContext* vc = view->GetViewContext();
    const CPoint corner = vc->WorldToDevice(picture->GetStartPoint());
    EXPECT_EQ(corner, CPoint((client.Width() - 16) / 2, (client.Height() - 16) / 2));
    EXPECT_EQ(vc->WorldToDevice(picture->GetEndPoint()), corner + CSize(16, 16));
}

TEST_F(PictureCommandsTest, ScalePictureByFourClicksAndTheDialog)
{
    EXPECT_EQ(StateOf(ID_TOOL_SCALE_PICTURE).enabled, 0) << "no picture is the current entity";
    CToolImage* picture = PlacePicture("quad.bmp");
    ASSERT_NE(picture, nullptr);
    view->UpdateWindow();
    // The picture's 16 by 16 pixels from its corner; a click on it makes it current.
    const CPoint d0 = view->GetViewContext()->WorldToDevice(picture->GetStartPoint());
    Click(d0.x + 8, d0.y + 8);
    ASSERT_EQ(doc->GetMode(), MODE_EDIT_TOOL_SELECT);
    ASSERT_EQ(doc->GetCurrentEntity(), picture);
    EXPECT_EQ(StateOf(ID_TOOL_SCALE_PICTURE).enabled, 1);

    // Escape on the way leaves everything as it was.
    Command(ID_TOOL_SCALE_PICTURE);
    EXPECT_EQ(doc->GetMode(), MODE_IMAGE_OLD_TOP_LEFT);
    EXPECT_EQ(StateOf(ID_TOOL_SCALE_PICTURE).checked, 1);
    EXPECT_TRUE(picture->IsScaling());
    Click(d0.x + 2, d0.y + 2);
    EXPECT_EQ(doc->GetMode(), MODE_IMAGE_OLD_BOTTOM_RIGHT);
    EXPECT_TRUE(picture->IsScaling());
    Key(VK_ESCAPE);
    EXPECT_EQ(doc->GetMode(), MODE_IDLE);
    EXPECT_FALSE(picture->IsScaling());
    const CVector2D p0 = picture->GetStartPoint();

    Click(d0.x + 8, d0.y + 8);
    ASSERT_EQ(doc->GetCurrentEntity(), picture);
    Command(ID_TOOL_SCALE_PICTURE);
    Click(d0.x + 2, d0.y + 2);     // old A: 2 pixels into the picture each way
    Click(d0.x + 14, d0.y + 14);   // old B: 14 pixels in
    Click(100, 100);   // new A
    EXPECT_EQ(doc->GetMode(), MODE_IMAGE_NEW_BOTTOM_RIGHT);
    std::string shownA, shownSize;
    {
        WhenShown answer([&] {
            HWND dialog = ::FindWindowA(nullptr, "Scale Image");
            ASSERT_NE(dialog, nullptr);
            shownA = ItemText(dialog, IDC_SCALE_A_X) + " " + ItemText(dialog, IDC_SCALE_A_Y);
            shownSize = ItemText(dialog, IDC_SCALE_IMAGE_SIZE);
            TypeCoordinates(dialog, {"10", "30", "40", "10"});
            ::SendMessageA(dialog, WM_COMMAND, IDOK, 0);
        });
        Click(300, 200);   // new B: the dialog opens
    }
    const CVector2D newA = World(100, 100);
    EXPECT_NEAR(std::stod(shownA.substr(0, shownA.find(' '))), newA.x, 1e-9);
    EXPECT_NEAR(std::stod(shownA.substr(shownA.find(' ') + 1)), newA.y, 1e-9);
    EXPECT_EQ(shownSize, "Width: 16  Height: 16");
    EXPECT_EQ(doc->GetMode(), MODE_IDLE);
    EXPECT_FALSE(picture->IsScaling());
    EXPECT_TRUE(boxes.texts.empty());
    // Old A sat at 1/8 of the box each way, old B at 7/8: they land on (10, 30) and (40, 10).
    const CVector2D q0 = picture->GetStartPoint(), q1 = picture->GetEndPoint();
    EXPECT_NE(q0.x, p0.x);
    const double w = q1.x - q0.x, h = q0.y - q1.y;
    EXPECT_NEAR(q0.x + w / 8, 10, 1e-9);
    EXPECT_NEAR(q0.y - h / 8, 30, 1e-9);
    EXPECT_NEAR(q0.x + w * 7 / 8, 40, 1e-9);
    EXPECT_NEAR(q0.y - h * 7 / 8, 10, 1e-9);
    EXPECT_EQ(picture->GetImageScaleStyle(), CToolImage::kStretched);
}

TEST_F(PictureCommandsTest, PicturesAppearInTheExportedImage)
{
    CToolImage* picture = PlacePicture("quad.gif");
    ASSERT_NE(picture, nullptr);
    const CPoint d0 = view->GetViewContext()->WorldToDevice(picture->GetStartPoint());
    char folder[MAX_PATH];
    ::GetTempPathA(MAX_PATH, folder);
    const std::string bmp = std::string(folder) + "slope-view-picture.bmp";
    {
        AnsweredFileDialog answer(bmp);
        Command(ID_EXPORT_IMAGE);
    }
    BitmapFile exported;
    ASSERT_TRUE(exported.Read(bmp));
    ASSERT_EQ(exported.bits, 24);
    EXPECT_EQ(PixelOf(exported, d0.x + 4, d0.y + 4), RGB(255, 0, 0));
    EXPECT_EQ(PixelOf(exported, d0.x + 12, d0.y + 4), RGB(0, 255, 0));
    EXPECT_EQ(PixelOf(exported, d0.x + 4, d0.y + 12), RGB(0, 0, 255));
    EXPECT_EQ(PixelOf(exported, d0.x + 12, d0.y + 12), RGB(255, 255, 0));
    EXPECT_TRUE(exported.White(d0.x + 20, d0.y + 20));
    ::DeleteFileA(bmp.c_str());
}
