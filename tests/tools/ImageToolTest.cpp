// The image tool: a small picture of each format (four coloured quadrants,
// 16 by 16 pixels) loaded and drawn with its pixels checked, damaged files
// refused, natural and stretched drawing, transparency and opacity, scaling
// to four points, and the picture's trip through the tools file.
#include <gtest/gtest.h>

#include <cstdlib>
#include <string>
#include <vector>
#include "framework/FileDialog.h"
#include "framework/MessageBox.h"
#include "framework/Wnd.h"
#include "geometry/REGDatabase.h"
#include "support/FileDialogAnswer.h"
#include "tests/tools/DrawingCanvas.h"
#include "tools/PictureImage.h"
#include "tools/ToolImage.h"
#include "tools/ToolsFile.h"
#include "tests/framework/WindowTestSupport.h"

using namespace tooltest;

namespace {

constexpr COLORREF kRed = RGB(255, 0, 0), kGreen = RGB(0, 255, 0), kBlue = RGB(0, 0, 255),
                   kYellow = RGB(255, 255, 0), kWhite = RGB(255, 255, 255);

std::string Picture(const char* name) { return std::string(CLASTOR_TEST_DATA) + "/images/" + name; }

// JPEG is lossy: a colour within a few steps on each channel counts.
::testing::AssertionResult Near(COLORREF actual, COLORREF expected, int tolerance = 12)
{
    const int d[3] = {std::abs(GetRValue(actual) - GetRValue(expected)),
                      std::abs(GetGValue(actual) - GetGValue(expected)),
                      std::abs(GetBValue(actual) - GetBValue(expected))};
    if (d[0] <= tolerance && d[1] <= tolerance && d[2] <= tolerance)
        return ::testing::AssertionSuccess();
    char text[80];
    snprintf(text, sizeof text, "colour %06lx, expected %06lx", actual, expected);
    return ::testing::AssertionFailure() << text;
}

// The quadrants of the picture drawn into a device box: red, green / blue, yellow.
void ExpectQuadrants(const Canvas& canvas, const CRect& box)
{
    const int w = box.Width(), h = box.Height();
    EXPECT_TRUE(Near(canvas.Pixel(box.left + w / 4, box.top + h / 4), kRed));
    EXPECT_TRUE(Near(canvas.Pixel(box.left + 3 * w / 4, box.top + h / 4), kGreen));
    EXPECT_TRUE(Near(canvas.Pixel(box.left + w / 4, box.top + 3 * h / 4), kBlue));
    EXPECT_TRUE(Near(canvas.Pixel(box.left + 3 * w / 4, box.top + 3 * h / 4), kYellow));
    EXPECT_EQ(canvas.Pixel(box.left - 2, box.top - 2), kWhite);
    EXPECT_EQ(canvas.Pixel(box.right + 2, box.bottom + 2), kWhite);
}

void ExpectPoint(const CVector2D& p, double x, double y)
{
    EXPECT_NEAR(p.x, x, 1e-9);
    EXPECT_NEAR(p.y, y, 1e-9);
}

// A folder of its own in the temporary directory, emptied and removed at the end.
struct TempFolder {
    explicit TempFolder(const char* name)
    {
        char dir[MAX_PATH];
        ::GetTempPathA(MAX_PATH, dir);
        path = std::string(dir) + name;
        ::CreateDirectoryA(path.c_str(), nullptr);
    }
    ~TempFolder()
    {
        for (const std::string& f : files)
            ::DeleteFileA(f.c_str());
        ::RemoveDirectoryA(path.c_str());
    }
    std::string File(const char* name)
    {
        files.push_back(path + "\\" + name);
        return files.back();
    }
    std::string path;
    std::vector<std::string> files;
};

} // namespace

TEST(ImageTool, EachFormatLoadsAndDrawsTheRightWayUp)
{
    const struct {
        const char* file;
        bool picture;
    } cases[] = {
        {"quad.bmp", false}, {"quad.jpg", true}, {"quad.gif", true}, {"quad-upper.JPG", true}, {"quad.jpeg", true},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.file);
        MessageBoxRecorder messages;
        CToolImage tool;
        tool.SetImageScaleStyle(CToolImage::kNaturalSize);
        ASSERT_TRUE(tool.LoadImageFile(false, Picture(c.file).c_str()));
        EXPECT_TRUE(messages.texts.empty());
        EXPECT_TRUE(tool.AcceptAfterRead());
        EXPECT_EQ(tool.IsPicture(), c.picture);
        // Transparency and opacity are for bitmaps only.
        EXPECT_EQ(tool.IsBlendAllowed(), !c.picture);
        EXPECT_EQ(tool.GetImageSize(), CSize(16, 16));

        Canvas canvas(100, 100);
        CViewContext vc;
        SetUnitView(vc, 100);
        tool.SetStartPoint(CVector2D(20, 80));
        tool.Draw(canvas.DC(), &vc);
        ExpectQuadrants(canvas, CRect(20, 20, 36, 36));
        // At its own size the box follows the picture.
        ExpectPoint(tool.GetEndPoint(), 36, 64);
    }
}

TEST(ImageTool, DamagedAndUnknownFilesAreRefused)
{
    for (const char* name : {"damaged.jpg", "damaged.gif", "damaged.bmp", "missing.gif"}) {
        SCOPED_TRACE(name);
        const std::string path = Picture(name);
        {
            MessageBoxRecorder messages;
            CToolImage tool;
            EXPECT_FALSE(tool.LoadImageFile(false, path.c_str()));
            EXPECT_FALSE(tool.HasImage());
            EXPECT_FALSE(tool.AcceptAfterRead());
            EXPECT_EQ(tool.GetImageSize(), CSize(0, 0));
            ASSERT_EQ(messages.texts.size(), 1u);
            EXPECT_EQ(messages.texts[0], "Unable to load image file: " + path);
            // Nothing is drawn for a tool without a picture.
            Canvas canvas(50, 50);
            CViewContext vc;
            SetUnitView(vc, 50);
            tool.SetStartPoint(CVector2D(5, 45));
            tool.SetEndPoint(CVector2D(45, 5));
            tool.Draw(canvas.DC(), &vc);
            EXPECT_EQ(canvas.Count(kWhite), 50 * 50);
        }
        MessageBoxRecorder quiet;
        CToolImage tool;
        EXPECT_FALSE(tool.LoadImageFile(true, path.c_str()));
        EXPECT_TRUE(quiet.texts.empty());
    }
    // A failed load after a good one keeps no stale picture.
    CPictureImage holder;
    EXPECT_EQ(holder.GetPixelSize(), CSize(0, 0));
    ASSERT_TRUE(holder.LoadFromFile(Picture("quad.gif").c_str()));
    EXPECT_EQ(holder.GetPixelSize(), CSize(16, 16));
    EXPECT_FALSE(holder.LoadFromFile(Picture("damaged.gif").c_str()));
    EXPECT_FALSE(holder.IsLoaded());
    EXPECT_EQ(holder.GetPixelSize(), CSize(0, 0));
}

TEST(ImageTool, StretchedFillsTheBoxNaturalKeepsThePixelSize)
{
    for (const char* name : {"quad.bmp", "quad.gif"}) {
        SCOPED_TRACE(name);
        CToolImage tool;
        ASSERT_TRUE(tool.LoadImageFile(true, Picture(name).c_str()));
        CViewContext vc;
        SetUnitView(vc, 100);
        // A box of 40 by 20 pixels from device (10, 10).
        tool.SetStartPoint(CVector2D(10, 90));
        tool.SetEndPoint(CVector2D(50, 70));
        EXPECT_EQ(tool.GetImageScaleStyle(), CToolImage::kStretched);
        {
            Canvas canvas(100, 100);
            tool.Draw(canvas.DC(), &vc);
            ExpectQuadrants(canvas, CRect(10, 10, 50, 30));
            ExpectPoint(tool.GetEndPoint(), 50, 70);
        }
        // Its anchor dragged past the far corner: still drawn in the box the handles show.
        tool.SetStartPoint(CVector2D(60, 60));
        {
            Canvas canvas(100, 100);
            tool.Draw(canvas.DC(), &vc);
            ExpectQuadrants(canvas, CRect(50, 30, 60, 40));
        }
        tool.SetStartPoint(CVector2D(10, 90));
        tool.SetImageScaleStyle(CToolImage::kNaturalSize);
        Canvas canvas(100, 100);
        tool.Draw(canvas.DC(), &vc);
        ExpectQuadrants(canvas, CRect(10, 10, 26, 26));
        EXPECT_EQ(canvas.Pixel(45, 15), kWhite);
        ExpectPoint(tool.GetEndPoint(), 26, 74);
    }
}

TEST(ImageTool, AChosenStretchedPictureTakesItsSizeOnce)
{
    FileDialogAnswer::shown = 0;
    CToolImage tool;
    {
        AnsweredFileDialog cancel("");
        EXPECT_FALSE(tool.LoadImageFile(false));
    }
    EXPECT_EQ(FileDialogAnswer::shown, 1);
    EXPECT_EQ(FileDialogAnswer::defaultExtension, "bmp");
    EXPECT_EQ(FileDialogAnswer::initialName, "*.bmp;*.jpg;*.gif");
    EXPECT_EQ(FileDialogAnswer::filter, "Image Files (*.bmp,*.jpg,*.gif)|*.bmp;*.jpg;*.gif|All Files (*.*)|*.*|");
    EXPECT_TRUE(FileDialogAnswer::flags & OFN_FILEMUSTEXIST);
    EXPECT_TRUE(tool.GetImagePathName().IsEmpty());

    const std::string path = Picture("quad.gif");
    {
        AnsweredFileDialog answer(path);
        ASSERT_TRUE(tool.LoadImageFile(false));
    }
    EXPECT_STREQ(tool.GetImageFileName(), "quad.gif");
    EXPECT_EQ(std::string(tool.GetImagePathName()), path);
    EXPECT_TRUE(tool.IsFitOnce());
    CViewContext vc;
    SetUnitView(vc, 100);
    tool.SetStartPoint(CVector2D(10, 90));
    Canvas canvas(100, 100);
    tool.Draw(canvas.DC(), &vc);
    ExpectPoint(tool.GetEndPoint(), 26, 74);
    EXPECT_FALSE(tool.IsFitOnce());
    // Stretched from then on.
    tool.SetEndPoint(CVector2D(50, 70));
    Canvas wider(100, 100);
    tool.Draw(wider.DC(), &vc);
    ExpectQuadrants(wider, CRect(10, 10, 50, 30));
}

TEST(ImageTool, TransparentColourAndConstantAlphaOnBitmapsOnly)
{
    auto drawn = [](CToolImage& tool) {
        auto canvas = std::make_unique<Canvas>(50, 50);
        CViewContext vc;
        SetUnitView(vc, 50);
        tool.SetStartPoint(CVector2D(10, 40));
        tool.Draw(canvas->DC(), &vc);
        return canvas;
    };
    CToolImage bitmap;
    bitmap.SetImageScaleStyle(CToolImage::kNaturalSize);
    ASSERT_TRUE(bitmap.LoadImageFile(true, Picture("quad.bmp").c_str()));
    bitmap.SetTransparent(true);
    bitmap.SetTransparentColor(kRed);
    {
        auto canvas = drawn(bitmap);
        EXPECT_EQ(canvas->Pixel(14, 14), kWhite) << "the key colour is left out";
        EXPECT_EQ(canvas->Pixel(22, 14), kGreen);
    }
    bitmap.SetTransparent(false);
    bitmap.SetAlpha(true);
    // Constant alpha = percent x 255 / 100, truncated: 127 for 50 %, over white.
    const struct {
        int percent;
        COLORREF red, green;
    } alphas[] = {
        {50, RGB(255, 128, 128), RGB(128, 255, 128)},
        {100, kRed, kGreen},
    };
    for (const auto& a : alphas) {
        SCOPED_TRACE(a.percent);
        bitmap.SetAlphaPercent(a.percent);
        auto canvas = drawn(bitmap);
        EXPECT_TRUE(Near(canvas->Pixel(14, 14), a.red, 2));
        EXPECT_TRUE(Near(canvas->Pixel(22, 14), a.green, 2));
    }
    CToolImage picture;
    picture.SetImageScaleStyle(CToolImage::kNaturalSize);
    ASSERT_TRUE(picture.LoadImageFile(true, Picture("quad.gif").c_str()));
    picture.SetTransparent(true);
    picture.SetTransparentColor(kRed);
    EXPECT_EQ(drawn(picture)->Pixel(14, 14), kRed);
    picture.SetTransparent(false);
    picture.SetAlpha(true);
    picture.SetAlphaPercent(50);
    EXPECT_EQ(drawn(picture)->Pixel(14, 14), kRed);
}

TEST(ImageTool, ScaledSoThatTwoPickedPointsLandOnTheirTargets)
{
    CViewContext vc;
    SetUnitView(vc, 100);
    CToolImage tool;
    tool.SetImageScaleStyle(CToolImage::kNaturalSize);
    ASSERT_TRUE(tool.LoadImageFile(true, Picture("quad.bmp").c_str()));
    tool.SetStartPoint(CVector2D(10, 90));
    tool.FitToImage(&vc);
    ExpectPoint(tool.GetEndPoint(), 26, 74);

    // A and B picked on the picture, then their new places.
    tool.SetScalePoint(0, CPoint(12, 14), &vc);   // world (12, 86)
    tool.SetScalePoint(1, CPoint(20, 22), &vc);   // world (20, 78)
    tool.SetScalePoint(2, CPoint(60, 40), &vc);
    tool.SetScalePoint(3, CPoint(70, 50), &vc);
    CVector2D a, b;
    tool.GetScaleTargets(&vc, a, b);
    ExpectPoint(a, 60, 60);
    ExpectPoint(b, 70, 50);
    // Picking B again forgets the new places.
    tool.SetScalePoint(1, CPoint(20, 22), &vc);
    EXPECT_TRUE(tool.IsScalePointSet(1));
    EXPECT_FALSE(tool.IsScalePointSet(2));
    EXPECT_FALSE(tool.IsScalePointSet(3));
    tool.SetScalePoint(4, CPoint(0, 0), &vc);   // no such point: ignored

    // Spans below a thousandth on an axis leave the picture as it was.
    const struct {
        CVector2D a, b;
    } tooClose[] = {
        {{100, 200}, {100.0005, 184}},
        {{100, 200}, {116, 200.0009}},
    };
    for (const auto& c : tooClose) {
        EXPECT_FALSE(tool.ScaleToPoints(c.a, c.b, &vc));
        ExpectPoint(tool.GetStartPoint(), 10, 90);
        ExpectPoint(tool.GetEndPoint(), 26, 74);
    }
    ASSERT_TRUE(tool.ScaleToPoints(CVector2D(100, 200), CVector2D(116, 184), &vc));
    EXPECT_EQ(tool.GetImageScaleStyle(), CToolImage::kStretched);
    // A sat 1/8 of the width in and 1/4 of the height down, B at 5/8 and 3/4:
    // the new box puts them on their targets.
    const CVector2D p0 = tool.GetStartPoint(), p1 = tool.GetEndPoint();
    const double w = p1.x - p0.x, h = p0.y - p1.y;
    EXPECT_NEAR(p0.x + w / 8, 100, 1e-9);
    EXPECT_NEAR(p0.y - h / 4, 200, 1e-9);
    EXPECT_NEAR(p0.x + w * 5 / 8, 116, 1e-9);
    EXPECT_NEAR(p0.y - h * 3 / 4, 184, 1e-9);

    // Two picked points on one vertical line give no horizontal scale.
    CToolImage flat;
    ASSERT_TRUE(flat.LoadImageFile(true, Picture("quad.bmp").c_str()));
    flat.SetStartPoint(CVector2D(10, 90));
    flat.SetEndPoint(CVector2D(26, 74));
    flat.SetScalePoint(0, CPoint(12, 14), &vc);
    flat.SetScalePoint(1, CPoint(12, 22), &vc);
    EXPECT_FALSE(flat.ScaleToPoints(CVector2D(0, 0), CVector2D(10, 10), &vc));
    ExpectPoint(flat.GetEndPoint(), 26, 74);
}

TEST(ImageTool, AtItsOwnSizeThePictureIsGrabbedAnywhereOnIt)
{
    CViewContext vc;
    SetUnitView(vc, 100);
    CToolImage tool;
    tool.SetImageScaleStyle(CToolImage::kNaturalSize);
    ASSERT_TRUE(tool.LoadImageFile(true, Picture("quad.gif").c_str()));
    // The box left elsewhere: the picture's own pixels from the anchor count.
    tool.SetStartPoint(CVector2D(20, 80));
    tool.SetEndPoint(CVector2D(90, 10));
    const struct {
        POINT p;
        bool on;
    } points[] = {{{20, 20}, true}, {{28, 28}, true}, {{35, 35}, true}, {{37, 28}, false}, {{60, 60}, false}};
    for (const auto& c : points) {
        SCOPED_TRACE(testing::Message() << c.p.x << "," << c.p.y);
        EXPECT_EQ(tool.GetCursorAt(&vc, c.p), c.on ? 32646 : 32512);
        EXPECT_EQ(tool.PickGrip(&vc, c.p), c.on);
        if (c.on)
            EXPECT_EQ(tool.GetGripIndex(), 2147483647);
    }
    CRect area;
    tool.GetDeviceRect(area, &vc, nullptr);
    EXPECT_EQ(area, CRect(20 - 33, 20 - 33, 36 + 33, 36 + 33));
    EXPECT_TRUE(tool.HitTestInView(&vc, 30, 70, 1));
    EXPECT_FALSE(tool.HitTestInView(&vc, 80, 20, 1));
}

TEST(ImageTool, ScaleMarkersShowWhileScaling)
{
    CViewContext vc;
    SetUnitView(vc, 100);
    CToolImage tool;
    ASSERT_TRUE(tool.LoadImageFile(true, Picture("quad.gif").c_str()));
    tool.SetStartPoint(CVector2D(10, 90));
    tool.SetEndPoint(CVector2D(60, 40));
    tool.SetScalePoint(0, CPoint(30, 30), &vc);
    const COLORREF magenta = RGB(255, 0, 255);
    Canvas plain(100, 100);
    tool.Draw(plain.DC(), &vc);
    EXPECT_EQ(plain.Count(magenta), 0);
    tool.SetScaling(true);
    Canvas marked(100, 100);
    tool.Draw(marked.DC(), &vc);
    EXPECT_GT(marked.Count(magenta), 4 * 20);
    EXPECT_EQ(marked.Pixel(30 + 13, 30), magenta) << "the marker's edge, 13 pixels out";
}

TEST(ImageTool, ToolsFileFindsThePictureBesideTheFile)
{
    MessageBoxRecorder messages;
    TempFolder first("clastor-image-first"), second("clastor-image-second");
    const std::string picture = first.File("pic.gif");
    ASSERT_TRUE(::CopyFileA(Picture("quad.gif").c_str(), picture.c_str(), FALSE));
    CWnd view;
    CREGDatabase db;
    auto* tool = new CToolImage;
    {
        AnsweredFileDialog answer(picture);
        ASSERT_TRUE(tool->LoadImageFile(false));
    }
    tool->SetStartPoint(CVector2D(1.25, 9.5));
    tool->SetEndPoint(CVector2D(7.75, 2.5));
    tool->SetTransparent(true);
    tool->SetTransparentColor(RGB(1, 2, 3));
    tool->SetAlphaPercent(35);
    tool->SetGroupId(ToolGroupOf(&view));
    db.AddEntity(tool, false);
    CToolsFile file;
    file.SetFilter("Clastor Tools File(*.clt)|*.clt|All Files (*.*)|*.*||");
    file.SetToolKindId(2181);
    file.SetRegistryBase("Software\\Brevantics\\Clastor\\EditTools\\");
    file.SetDatabase(&db);
    const std::string text = file.Write(&view);
    EXPECT_NE(text.find("Bitmap\n"), std::string::npos);
    EXPECT_NE(text.find("*file_name\npic.gif\n*path_name\n" + picture + "\n"), std::string::npos);

    // The tools file and its picture move together to another folder; the
    // picture's full path then names nothing, and the current directory is
    // neither folder.
    const std::string moved = second.File("pic.gif");
    const std::string tools = second.File("tools.clt");
    ASSERT_TRUE(::MoveFileA(picture.c_str(), moved.c_str()));
    ASSERT_TRUE(CToolsFile::WriteFileText(tools.c_str(), text));
    CREGDatabase read;
    ASSERT_TRUE(file.LoadFromPath(&view, &read, tools.c_str()));
    EXPECT_TRUE(messages.texts.empty());
    ASSERT_EQ(read.GetEntityCount(), 1);
    auto* back = dynamic_cast<CToolImage*>(read.GetEntityAt(0));
    ASSERT_NE(back, nullptr);
    EXPECT_TRUE(back->IsPicture());
    EXPECT_STREQ(back->GetImageFileName(), "pic.gif");
    EXPECT_EQ(std::string(back->GetImagePathName()), picture);
    EXPECT_EQ(back->GetImageScaleStyle(), CToolImage::kStretched);
    EXPECT_TRUE(back->GetTransparent());
    EXPECT_EQ(back->GetTransparentColor(), RGB(1, 2, 3));
    EXPECT_EQ(back->GetAlphaPercent(), 35);
    ExpectPoint(back->GetStartPoint(), 1.25, 9.5);
    ExpectPoint(back->GetEndPoint(), 7.75, 2.5);
    // A copy loads the same picture.
    CToolImage copy;
    ASSERT_TRUE(copy.CopyFrom(*back));
    EXPECT_TRUE(copy.HasImage());

    // A version 3 file, the first with pictures, reads the same picture and style.
    std::string older = "*\n3\n*\n1\n*\n";
    back->WriteEntity(older, 3);
    older += "*END FILE";
    ASSERT_TRUE(CToolsFile::WriteFileText(tools.c_str(), older));
    CREGDatabase third;
    ASSERT_TRUE(file.LoadFromPath(&view, &third, tools.c_str()));
    ASSERT_EQ(third.GetEntityCount(), 1);
    auto* old = dynamic_cast<CToolImage*>(third.GetEntityAt(0));
    ASSERT_NE(old, nullptr);
    EXPECT_TRUE(old->HasImage());
    EXPECT_EQ(old->GetTransparentColor(), RGB(1, 2, 3));
    ExpectPoint(old->GetEndPoint(), 7.75, 2.5);
    EXPECT_TRUE(messages.texts.empty());

    // Found nowhere: reported with both places, and left out of the drawing.
    ASSERT_TRUE(::DeleteFileA(moved.c_str()));
    CREGDatabase none;
    ASSERT_TRUE(file.LoadFromPath(&view, &none, tools.c_str()));
    EXPECT_EQ(none.GetEntityCount(), 0);
    ASSERT_EQ(messages.texts.size(), 1u);
    EXPECT_EQ(messages.texts[0], "Unable to load image file: " + second.path + "\\pic.gif" +
                                     "\nTried to load from same location as the tools file\nand from: " + picture);
}
