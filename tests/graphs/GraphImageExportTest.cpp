// A graph window saved as an image: in split view the window as it shows,
// otherwise the chart in any of the four kinds, read back from the files.
#include "tests/graphs/GraphWindowSupport.h"

#include <cstring>

#include "res/resource.h"
#include "tests/support/BitmapFile.h"
#include "tests/support/FileDialogAnswer.h"
#include "tests/support/JpegFile.h"
#include "tests/support/TempFiles.h"

TEST_F(GraphWindowTest, ExportImageWritesTheSplitWindowOrTheChart)
{
    MakeSlope();
    Compute();
    CTalusimOlectraView* view = Open(DIST_BOUNCE_HEIGHT);
    ASSERT_NE(view, nullptr);
    ASSERT_TRUE(view->IsSplit());
    SizeClient(view, 600, 500);
    Idle();
    MessageBoxRecorder boxes;

    // Split view: chart and slope panel together, as raster images only.
    const std::string split = FreshTempPath("clastor-graph-split.bmp");
    {
        AnsweredFileDialog answer(split);
        view->SendMessage(WM_COMMAND, ID_EXPORT_IMAGE);
    }
    EXPECT_EQ(FileDialogAnswer::filter, "JPEG (*.jpg)|*.jpg|Windows Bitmap (*.bmp)|*.bmp|");
    BitmapFile picture;
    ASSERT_TRUE(picture.Read(split));
    EXPECT_EQ(picture.width, 600);
    EXPECT_EQ(picture.height, 500);
    EXPECT_GT(picture.InkedPixels(0, 200), 1000);    // the chart
    EXPECT_GT(picture.InkedPixels(300, 500), 200);   // the slope under it
    const std::string splitMetafile = FreshTempPath("clastor-graph-split.emf");
    {
        AnsweredFileDialog answer(splitMetafile);
        view->SendMessage(WM_COMMAND, ID_CONTEXT_EXPORT_IMAGE);
    }
    EXPECT_FALSE(FileExists(splitMetafile));
    ASSERT_EQ(boxes.texts.size(), 1u);
    EXPECT_EQ(boxes.texts[0], "Images are saved as JPEG (.jpg) or Windows Bitmap (.bmp) files.");

    // The chart alone writes itself in every kind.
    boxes.texts.clear();
    view->SetSplitView(false);
    Idle();
    CRect chart;
    view->GetChart().GetClientRect(&chart);
    for (const char* kind : {"jpg", "bmp", "emf", "wmf"}) {
        SCOPED_TRACE(kind);
        const std::string path = FreshTempPath(std::string("clastor-graph.") + kind);
        {
            AnsweredFileDialog answer(path);
            view->SendMessage(WM_COMMAND, ID_EXPORT_IMAGE);
        }
        EXPECT_FALSE(FileDialogAnswer::flags & OFN_FILEMUSTEXIST);
        const std::string k = kind;
        if (k == "jpg") {
            JpegFile jpeg;
            ASSERT_TRUE(jpeg.Read(path));
            EXPECT_EQ(jpeg.width, chart.Width());
            EXPECT_EQ(jpeg.height, chart.Height());
        } else if (k == "bmp") {
            BitmapFile bmp;
            ASSERT_TRUE(bmp.Read(path));
            EXPECT_EQ(bmp.width, chart.Width());
        } else if (k == "emf") {
            HENHMETAFILE emf = ::GetEnhMetaFileA(path.c_str());
            EXPECT_NE(emf, nullptr);
            ::DeleteEnhMetaFile(emf);
        } else {
            // The chart writes a placeable metafile: a 22-byte header that
            // gives its size, then the metafile itself.
            const std::string bytes = ReadBytes(path.c_str());
            ASSERT_GT(bytes.size(), 22u);
            DWORD key = 0;
            std::memcpy(&key, bytes.data(), 4);
            EXPECT_EQ(key, 0x9AC6CDD7u);
            HMETAFILE wmf = ::SetMetaFileBitsEx(static_cast<UINT>(bytes.size() - 22),
                                                reinterpret_cast<const BYTE*>(bytes.data() + 22));
            EXPECT_NE(wmf, nullptr);
            ::DeleteMetaFile(wmf);
        }
        ::DeleteFileA(path.c_str());
    }
    EXPECT_TRUE(boxes.texts.empty());

    // A kind no one writes, and a folder that is not there, are both reported.
    const std::string png = FreshTempPath("clastor-graph.png");
    for (const std::string& path : {png, std::string("Z:\\no such folder\\graph.bmp")}) {
        AnsweredFileDialog answer(path);
        view->SendMessage(WM_COMMAND, ID_EXPORT_IMAGE);
    }
    EXPECT_FALSE(FileExists(png));
    ASSERT_EQ(boxes.texts.size(), 2u);
    EXPECT_NE(boxes.texts[0].find("(.wmf)"), std::string::npos);
    EXPECT_EQ(boxes.texts[1], "The image could not be written to Z:\\no such folder\\graph.bmp.");
    ::DeleteFileA(split.c_str());
}
