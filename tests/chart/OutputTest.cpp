#include "ChartTestSupport.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <fstream>
#include <iterator>
#include <memory>
#include <string>

#include "tests/support/JpegFile.h"

using namespace charttest;

namespace {

constexpr int kWidth = 400, kHeight = 260;
constexpr COLORREF kSeries = 0x800000;

std::string ReadFile(const std::string& path) {
    std::ifstream in(path, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>());
}

void WriteFile(const std::string& path, const std::string& content) {
    std::ofstream(path, std::ios::binary) << content;
}

// Bars at x = 1, 3, 5, 7 with counts 4, 8, 2, 6 on fixed axes [0, 8] x [0, 8].
class OutputTest : public ::testing::Test {
protected:
    void SetUp() override {
        window = std::make_unique<ChartWindow>(kWidth, kHeight);
        chart = XrtCreate();
        ASSERT_TRUE(ApplyGraphWindowSetUp(chart));
        ASSERT_EQ(XrtAttachWindow(chart, window->Handle()), 1);
        XrtSetValues(chart, 20736, 2, 0);
        SetDouble(chart, 1814, 0);
        SetDouble(chart, 1811, 8);
        SetDouble(chart, 1815, 0);
        SetDouble(chart, 1812, 8);
        XrtSetPropString(chart, 3332, "Header");
        XrtDataStyle style{kSeries, 4, kSeries};
        XrtSetNthDataStyle(chart, 0, &style);
        data = XrtDataCreate(1, 1, 4);
        XrtDataSetXData(data, 0, x, 4, 0);
        XrtDataSetYData(data, 0, y, 4, 0);
        XrtSetValues(chart, 768, static_cast<const void*>(data), 0);
    }
    void TearDown() override {
        XrtDestroy(chart);
        XrtDataDestroy(data);
        for (const char* f : {"chart.jpg", "chart.bmp", "chart.emf", "chart.wmf", "kept.bmp"}) DeleteFileA(f);
    }

    const double x[4] = {1, 3, 5, 7};
    const double y[4] = {4, 8, 2, 6};
    std::unique_ptr<ChartWindow> window;
    XrtHandle chart = nullptr;
    XrtDataHandle data = nullptr;
};

TEST_F(OutputTest, JpegReadsBackAtTheWindowsSize) {
    ASSERT_EQ(XrtSaveImageAsJpeg(chart, "chart.jpg", 100, 0, 0, 0), 1);
    JpegFile jpeg;
    ASSERT_TRUE(jpeg.Read("chart.jpg"));
    EXPECT_EQ(jpeg.width, kWidth);
    EXPECT_EQ(jpeg.height, kHeight);
    EXPECT_EQ(jpeg.components, 3);
    EXPECT_EQ(XrtSaveImageAsJpeg(chart, "chart.jpg", 0, 0, 0, 0), 0);
    EXPECT_EQ(XrtSaveImageAsJpeg(chart, "chart.jpg", 100, 1, 0, 0), 0);
    EXPECT_EQ(XrtSaveImageAsJpeg(chart, "no-such-folder\\chart.jpg", 100, 0, 0, 0), 0);
}

TEST_F(OutputTest, BmpHoldsTheChartAtTheWindowsSize) {
    ASSERT_EQ(XrtDrawToFile(chart, "chart.bmp", 1), 1);
    const std::string file = ReadFile("chart.bmp");
    ASSERT_GT(file.size(), sizeof(BITMAPFILEHEADER) + sizeof(BITMAPINFOHEADER));
    BITMAPFILEHEADER fh;
    BITMAPINFOHEADER ih;
    std::memcpy(&fh, file.data(), sizeof fh);
    std::memcpy(&ih, file.data() + sizeof fh, sizeof ih);
    EXPECT_EQ(fh.bfType, 0x4D42);
    EXPECT_EQ(fh.bfSize, file.size());
    EXPECT_EQ(ih.biWidth, kWidth);
    EXPECT_EQ(std::abs(ih.biHeight), kHeight);
    EXPECT_EQ(ih.biBitCount, 24);
    // Windows itself loads it, and a pixel in the tallest bar has the series colour.
    HBITMAP loaded = static_cast<HBITMAP>(LoadImageA(nullptr, "chart.bmp", IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE));
    ASSERT_NE(loaded, nullptr);
    HDC dc = CreateCompatibleDC(nullptr);
    HGDIOBJ old = SelectObject(dc, loaded);
    const PlotEdges edges = ReadPlotEdges(chart, kWidth);
    const int column = static_cast<int>(std::lround(edges.left + 3.0 / 8 * (edges.right - edges.left)));
    EXPECT_EQ(GetPixel(dc, column, kHeight / 2), kSeries);
    SelectObject(dc, old);
    DeleteDC(dc);
    DeleteObject(loaded);
}

int CALLBACK CollectRecords(HDC, HANDLETABLE*, const ENHMETARECORD* record, int, LPARAM list) {
    reinterpret_cast<std::vector<std::vector<uint8_t>>*>(list)->emplace_back(
        reinterpret_cast<const uint8_t*>(record), reinterpret_cast<const uint8_t*>(record) + record->nSize);
    return 1;
}

std::vector<std::vector<uint8_t>> Records(HENHMETAFILE metafile) {
    std::vector<std::vector<uint8_t>> records;
    EnumEnhMetaFile(nullptr, metafile, CollectRecords, &records, nullptr);
    return records;
}

TEST_F(OutputTest, EmfRecordsHoldTheBars) {
    ASSERT_EQ(XrtDrawToFile(chart, "chart.emf", 3), 1);
    HENHMETAFILE metafile = GetEnhMetaFileA("chart.emf");
    ASSERT_NE(metafile, nullptr);
    ENHMETAHEADER header;
    GetEnhMetaFileHeader(metafile, sizeof header, &header);
    EXPECT_EQ(header.rclBounds.right - header.rclBounds.left + 1, kWidth);

    const PlotEdges edges = ReadPlotEdges(chart, kWidth);
    auto column = [&](double v) { return edges.left + v / 8 * (edges.right - edges.left); };
    std::vector<RECTL> bars;
    for (const auto& r : Records(metafile)) {
        const auto* record = reinterpret_cast<const EMRRECTANGLE*>(r.data());
        if (record->emr.iType != EMR_RECTANGLE) continue;
        const RECTL& box = record->rclBox;
        // Bars are the rectangles whose middle lies on a data x.
        for (double v : x)
            if (std::fabs((box.left + box.right - 1) / 2.0 - column(v)) <= 1.5) bars.push_back(box);
    }
    ASSERT_EQ(bars.size(), 4u);
    // 100 % wide: each bar spans the 2 units between bin edges.
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_NEAR(bars[i].left, column(x[i] - 1), 1.0) << i;
        EXPECT_NEAR(bars[i].right - 1, column(x[i] + 1), 1.0) << i;
    }
    // Heights in proportion to the counts, from a common base.
    const double unit = (bars[0].bottom - bars[0].top) / 4.0;
    for (size_t i = 0; i < 4; ++i) {
        EXPECT_EQ(bars[i].bottom, bars[0].bottom);
        EXPECT_NEAR(bars[i].bottom - bars[i].top, unit * y[i], 1.5) << i;
    }
    DeleteEnhMetaFile(metafile);
}

TEST_F(OutputTest, EmfOfALineHoldsOnePolylineThroughEveryPoint) {
    XrtSetValues(chart, 20736, 1, 0);
    ASSERT_EQ(XrtDrawToFile(chart, "chart.emf", 3), 1);
    HENHMETAFILE metafile = GetEnhMetaFileA("chart.emf");
    ASSERT_NE(metafile, nullptr);
    const PlotEdges edges = ReadPlotEdges(chart, kWidth);
    int polylines = 0;
    for (const auto& r : Records(metafile)) {
        const auto* record = reinterpret_cast<const EMR*>(r.data());
        std::vector<POINT> points;
        if (record->iType == EMR_POLYLINE16) {
            const auto* p = reinterpret_cast<const EMRPOLYLINE16*>(r.data());
            for (DWORD i = 0; i < p->cpts; ++i) points.push_back(POINT{p->apts[i].x, p->apts[i].y});
        } else if (record->iType == EMR_POLYLINE) {
            const auto* p = reinterpret_cast<const EMRPOLYLINE*>(r.data());
            for (DWORD i = 0; i < p->cptl; ++i) points.push_back(POINT{p->aptl[i].x, p->aptl[i].y});
        } else {
            continue;
        }
        if (points.size() != 4) continue;
        ++polylines;
        for (size_t i = 0; i < 4; ++i)
            EXPECT_NEAR(points[i].x, edges.left + x[i] / 8 * (edges.right - edges.left), 1.0) << i;
        // y grows downwards: the 8 is highest, the 2 lowest.
        EXPECT_LT(points[1].y, points[0].y);
        EXPECT_GT(points[2].y, points[3].y);
        EXPECT_NEAR(points[0].y - points[1].y, 2 * (points[2].y - points[0].y) / 1.0, 2.0);
    }
    EXPECT_EQ(polylines, 1);
    DeleteEnhMetaFile(metafile);
}

TEST_F(OutputTest, WmfIsAPlaceableMetafileOfTheChart) {
    ASSERT_EQ(XrtDrawToFile(chart, "chart.wmf", 2), 1);
    const std::string file = ReadFile("chart.wmf");
    ASSERT_GT(file.size(), 22u);
    uint32_t key;
    std::memcpy(&key, file.data(), 4);
    EXPECT_EQ(key, 0x9AC6CDD7u);
    uint16_t words[11];
    std::memcpy(words, file.data(), 22);
    uint16_t checksum = 0;
    for (int i = 0; i < 10; ++i) checksum ^= words[i];
    EXPECT_EQ(checksum, words[10]);
    EXPECT_EQ(static_cast<int16_t>(words[5]) - static_cast<int16_t>(words[3]), kWidth);
    EXPECT_EQ(static_cast<int16_t>(words[6]) - static_cast<int16_t>(words[4]), kHeight);
    HMETAFILE metafile = SetMetaFileBitsEx(static_cast<UINT>(file.size() - 22),
                                           reinterpret_cast<const BYTE*>(file.data() + 22));
    ASSERT_NE(metafile, nullptr);
    DeleteMetaFile(metafile);
}

TEST_F(OutputTest, AFailedWriteKeepsTheOldFile) {
    WriteFile("kept.bmp", "old content");
    EXPECT_EQ(XrtDrawToFile(chart, "kept.bmp", 7), 0);  // no such format
    SetWindowPos(window->Handle(), nullptr, 0, 0, 0, 0, SWP_NOZORDER | SWP_NOMOVE);
    for (int format : {1, 2, 3}) EXPECT_EQ(XrtDrawToFile(chart, "kept.bmp", format), 0) << format;
    EXPECT_EQ(XrtSaveImageAsJpeg(chart, "kept.bmp", 100, 0, 0, 0), 0);
    EXPECT_EQ(ReadFile("kept.bmp"), "old content");
    // Nothing left behind in the folder either.
    WIN32_FIND_DATAA found;
    HANDLE search = FindFirstFileA("xrt*.tmp", &found);
    EXPECT_EQ(search, INVALID_HANDLE_VALUE);
    if (search != INVALID_HANDLE_VALUE) FindClose(search);
}

TEST_F(OutputTest, ClipboardGetsTheFormatsAskedFor) {
    struct Case {
        int formats;
        bool bitmap, metafile;
    };
    for (const Case& c : {Case{1, true, false}, Case{2, false, true}, Case{3, true, true}}) {
        ASSERT_EQ(XrtDrawToClipboard(chart, c.formats), 1) << c.formats;
        EXPECT_EQ(IsClipboardFormatAvailable(CF_DIB) != 0, c.bitmap) << c.formats;
        EXPECT_EQ(IsClipboardFormatAvailable(CF_ENHMETAFILE) != 0, c.metafile) << c.formats;
    }
    ASSERT_TRUE(OpenClipboard(nullptr));
    HGLOBAL dib = GetClipboardData(CF_DIB);
    ASSERT_NE(dib, nullptr);
    const auto* header = static_cast<const BITMAPINFOHEADER*>(GlobalLock(dib));
    EXPECT_EQ(header->biWidth, kWidth);
    EXPECT_EQ(std::abs(header->biHeight), kHeight);
    GlobalUnlock(dib);
    HENHMETAFILE metafile = static_cast<HENHMETAFILE>(GetClipboardData(CF_ENHMETAFILE));
    EXPECT_NE(metafile, nullptr);
    EmptyClipboard();
    CloseClipboard();
    EXPECT_EQ(XrtDrawToClipboard(chart, 0), 0);
    EXPECT_EQ(XrtDrawToClipboard(chart, 4), 0);
}

}  // namespace
