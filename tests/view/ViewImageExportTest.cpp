// Image export of the slope view: the Save As dialog as the user answers it,
// the files written in each format read back, and the pixel conversions that
// the JPEG writer uses.
#include "tests/view/SlopeViewTestSupport.h"

#include <cstring>

#include "res/resource.h"
#include "tests/support/FileDialogAnswer.h"
#include "tests/support/BitmapFile.h"
#include "tests/support/JpegFile.h"
#include "tests/support/TempFiles.h"
#include "view/DibJpeg.h"
#include "view/ViewImageExporter.h"

namespace {

std::string TempImage(const char* extension)
{
    return FreshTempPath(std::string("clastor-export-test.") + extension);
}

// A packed 2 x 2 DIB of the given bit count: header, table, rows.
struct SmallDib {
    std::vector<BYTE> bytes;
    SmallDib(WORD bits, std::initializer_list<RGBQUAD> table, std::initializer_list<BYTE> bottomRow,
             std::initializer_list<BYTE> topRow)
    {
        BITMAPINFOHEADER h{};
        h.biSize = sizeof(h);
        h.biWidth = 2;
        h.biHeight = 2;
        h.biPlanes = 1;
        h.biBitCount = bits;
        h.biClrUsed = static_cast<DWORD>(table.size());
        bytes.resize(sizeof(h));
        std::memcpy(bytes.data(), &h, sizeof(h));
        for (const RGBQUAD& q : table) {
            const BYTE* b = reinterpret_cast<const BYTE*>(&q);
            bytes.insert(bytes.end(), b, b + 4);
        }
        for (const auto& row : {bottomRow, topRow}) {
            std::vector<BYTE> padded(row);
            padded.resize((padded.size() + 3) / 4 * 4, 0);
            bytes.insert(bytes.end(), padded.begin(), padded.end());
        }
    }
    const BITMAPINFOHEADER* Header() const { return reinterpret_cast<const BITMAPINFOHEADER*>(bytes.data()); }
};

}  // namespace

TEST(DibConversion, LevelsPixelsAndRefusals)
{
    const std::pair<unsigned, BYTE> levels[] = {{0, 0}, {1, 16}, {2, 24}, {15, 128}, {30, 248}, {31, 255}};
    for (const auto& [level, expected] : levels)
        EXPECT_EQ(Expand555(level), expected) << level;

    const RGBQUAD red{0, 0, 255, 0}, blue{255, 0, 0, 0}, grey{80, 80, 80, 0};
    struct Case {
        const char* name;
        SmallDib dib;
        BYTE topLeft[3];
        BYTE bottomRight[3];
    };
    const Case cases[] = {
        // Row data bottom row first, as the format stores it.
        {"1 bit", SmallDib(1, {red, blue}, {0x40}, {0x80}), {0, 0, 255}, {0, 0, 255}},
        {"4 bits", SmallDib(4, {red, blue, grey}, {0x02}, {0x10}), {0, 0, 255}, {80, 80, 80}},
        {"8 bits", SmallDib(8, {red, blue, grey}, {0, 2}, {1, 0}), {0, 0, 255}, {80, 80, 80}},
        // 0x7FFF is white, 0x0421 level 1 in each colour, 0x7C00 pure red.
        {"16 bits", SmallDib(16, {}, {0x00, 0x7C, 0x21, 0x04}, {0xFF, 0x7F, 0, 0}), {255, 255, 255}, {16, 16, 16}},
        {"24 bits", SmallDib(24, {}, {0, 0, 0, 10, 20, 30}, {1, 2, 3, 0, 0, 0}), {3, 2, 1}, {30, 20, 10}},
        {"32 bits", SmallDib(32, {}, {0, 0, 0, 0, 10, 20, 30, 0}, {1, 2, 3, 0, 0, 0, 0, 0}), {3, 2, 1}, {30, 20, 10}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        BYTE top[6] = {}, bottom[6] = {};
        BYTE* rows[2] = {top, bottom};
        CString error;
        ASSERT_TRUE(ConvertDibRows(c.dib.Header(), 6, rows, &error));
        EXPECT_EQ(std::vector<BYTE>(top, top + 3), std::vector<BYTE>(c.topLeft, c.topLeft + 3));
        EXPECT_EQ(std::vector<BYTE>(bottom + 3, bottom + 6), std::vector<BYTE>(c.bottomRight, c.bottomRight + 3));
    }

    CString error;
    BYTE row[6];
    BYTE* rows[2] = {row, row};
    EXPECT_FALSE(ConvertDibRows(SmallDib(2, {}, {0}, {0}).Header(), 6, rows, &error));
    EXPECT_EQ(std::string(error), "Invalid bitmap bit count");
    EXPECT_FALSE(ConvertDibRows(nullptr, 6, rows, &error));
    EXPECT_EQ(std::string(error), "Invalid input data");
    EXPECT_FALSE(ConvertDibRows(SmallDib(24, {}, {0}, {0}).Header(), 0, rows, &error));
    EXPECT_EQ(std::string(error), "Invalid input data");
}

TEST(DibConversion, JpegFilesAndTheirErrors)
{
    const SmallDib dib(24, {}, {0, 0, 255, 0, 0, 255}, {0, 0, 255, 0, 0, 255});
    const std::string path = TempImage("jpg");
    for (int quality : {-1, 101}) {
        CString error;
        EXPECT_FALSE(SaveDibAsJpeg(dib.Header(), quality, path.c_str(), &error)) << quality;
        EXPECT_EQ(std::string(error), "Invalid input data");
    }
    CString error;
    EXPECT_FALSE(SaveDibAsJpeg(dib.Header(), 90, "Z:\\no such folder\\x.jpg", &error));
    EXPECT_EQ(std::string(error), "Cannot open Z:\\no such folder\\x.jpg");
    // A bit count the converter refuses leaves no half-written file.
    EXPECT_FALSE(SaveDibAsJpeg(SmallDib(2, {}, {0}, {0}).Header(), 90, path.c_str(), &error));
    EXPECT_EQ(std::string(error), "Invalid bitmap bit count");
    EXPECT_FALSE(FileExists(path));

    ASSERT_TRUE(SaveDibAsJpeg(dib.Header(), 100, path.c_str(), nullptr));
    JpegFile jpeg;
    ASSERT_TRUE(jpeg.Read(path));
    EXPECT_EQ(jpeg.width, 2);
    EXPECT_EQ(jpeg.height, 2);
    EXPECT_GT(jpeg.firstPixel[0], 240);  // red
    EXPECT_LT(jpeg.firstPixel[2], 15);
    ::DeleteFileA(path.c_str());
}

TEST_F(SlopeViewTest, ExportImageWritesWhatTheViewShowsInEachFormat)
{
    ViewMessageBoxes boxes;
    DrawSlope({{100, 100}, {500, 400}, {1000, 600}});
    CRect client;
    view->GetClientRect(&client);

    {
        // Cancel writes nothing and says nothing.
        AnsweredFileDialog answer("");
        view->SendMessageA(WM_COMMAND, ID_EXPORT_IMAGE, 0);
        EXPECT_EQ(FileDialogAnswer::filter,
                  "JPEG (*.jpg)|*.jpg|Windows Bitmap (*.bmp)|*.bmp|Windows Enhanced Metafile (*.emf)|*.emf|"
                  "Windows Metafile (*.wmf)|*.wmf|");
        // Saving is to a new file: it need not exist; an old one is replaced only on the user's word.
        EXPECT_FALSE(FileDialogAnswer::flags & OFN_FILEMUSTEXIST);
        EXPECT_TRUE(FileDialogAnswer::flags & OFN_OVERWRITEPROMPT);
        EXPECT_TRUE(boxes.texts.empty());
    }

    const std::string bmp = TempImage("bmp");
    {
        AnsweredFileDialog answer(bmp);
        view->SendMessageA(WM_COMMAND, ID_EXPORT_IMAGE, 0);
    }
    BitmapFile picture;
    ASSERT_TRUE(picture.Read(bmp));
    EXPECT_EQ(picture.width, client.Width());
    EXPECT_EQ(picture.height, client.Height());
    EXPECT_EQ(picture.bits, 24);
    EXPECT_TRUE(picture.InkNear(300, 250));   // on the slope's first segment
    EXPECT_TRUE(picture.InkNear(750, 500));   // on its second
    EXPECT_TRUE(picture.White(700, 150));     // above it, empty
    HANDLE loaded = ::LoadImageA(nullptr, bmp.c_str(), IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE);
    EXPECT_NE(loaded, nullptr);
    if (loaded)
        ::DeleteObject(loaded);

    const std::string jpg = TempImage("jpg");
    {
        AnsweredFileDialog answer(jpg);
        view->SendMessageA(WM_COMMAND, ID_CONTEXT_EXPORT_IMAGE, 0);
    }
    JpegFile jpeg;
    ASSERT_TRUE(jpeg.Read(jpg));
    EXPECT_EQ(jpeg.width, client.Width());
    EXPECT_EQ(jpeg.height, client.Height());

    const std::string emf = TempImage("emf");
    {
        AnsweredFileDialog answer(emf);
        view->SendMessageA(WM_COMMAND, ID_EXPORT_IMAGE, 0);
    }
    HENHMETAFILE enhanced = ::GetEnhMetaFileA(emf.c_str());
    ASSERT_NE(enhanced, nullptr);
    ENHMETAHEADER header{};
    ::GetEnhMetaFileHeader(enhanced, sizeof(header), &header);
    EXPECT_GT(header.rclFrame.right, 0);
    EXPECT_GT(header.rclFrame.bottom, 0);
    EXPECT_GT(header.nRecords, 10u);
    ::DeleteEnhMetaFile(enhanced);

    const std::string wmf = TempImage("wmf");
    {
        AnsweredFileDialog answer(wmf);
        view->SendMessageA(WM_COMMAND, ID_EXPORT_IMAGE, 0);
    }
    HMETAFILE windows = ::GetMetaFileA(wmf.c_str());
    ASSERT_NE(windows, nullptr);
    EXPECT_GT(::GetMetaFileBitsEx(windows, 0, nullptr), 100u);
    ::DeleteMetaFile(windows);

    EXPECT_TRUE(boxes.texts.empty());
    for (const std::string& p : {bmp, jpg, emf, wmf})
        ::DeleteFileA(p.c_str());
}

TEST_F(SlopeViewTest, ExportImageSaysWhenNothingCanBeWritten)
{
    ViewMessageBoxes boxes;
    DrawSlope({{100, 100}, {500, 400}});

    // A kind of file that cannot be written: nothing is, and the user is told which can.
    const std::string png = TempImage("png");
    {
        AnsweredFileDialog answer(png);
        view->SendMessageA(WM_COMMAND, ID_EXPORT_IMAGE, 0);
    }
    EXPECT_FALSE(FileExists(png));
    ASSERT_EQ(boxes.texts.size(), 1u);
    EXPECT_NE(boxes.texts[0].find(".bmp"), std::string::npos);

    // A folder that does not exist: the failure is reported, not passed over.
    boxes.texts.clear();
    {
        AnsweredFileDialog answer("Z:\\no such folder\\slope.bmp");
        view->SendMessageA(WM_COMMAND, ID_EXPORT_IMAGE, 0);
    }
    ASSERT_EQ(boxes.texts.size(), 1u);
    EXPECT_EQ(boxes.texts[0], "The image could not be written to Z:\\no such folder\\slope.bmp.");

    // Without metafiles (as for a graph) the metafile kinds are neither offered nor written.
    CViewImageExporter exporter(view);
    exporter.SetAllowMetafiles(FALSE);
    const std::string emf = TempImage("emf");
    AnsweredFileDialog answer(emf);
    EXPECT_EQ(exporter.ChooseFile(), IMAGE_FORMAT_NONE);
    EXPECT_EQ(FileDialogAnswer::filter, "JPEG (*.jpg)|*.jpg|Windows Bitmap (*.bmp)|*.bmp|");
    EXPECT_FALSE(exporter.Export());
    EXPECT_FALSE(FileExists(emf));
}
