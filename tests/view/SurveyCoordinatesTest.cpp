// A slope at survey coordinates (eastings around 512,000, northings around
// 5,000,000) in the slope view: drawn, ruled, gridded, picked, edited, zoomed
// and printed where it is.
#include "tests/view/SlopeViewTestSupport.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

#include "model/InteractionModes.h"

namespace {

const COLORREF kSlopeColour = RGB(255, 0, 0);
const COLORREF kGridColour = RGB(0, 0, 255);

// A 32-bit white bitmap in a memory DC.
struct Canvas {
    Canvas(int width, int height) : w(width), h(height)
    {
        dc.CreateCompatibleDC(nullptr);
        BITMAPINFO bi{};
        bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
        bi.bmiHeader.biWidth = w;
        bi.bmiHeader.biHeight = -h;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        bitmap = ::CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
        old = ::SelectObject(dc.GetSafeHdc(), bitmap);
        ::PatBlt(dc.GetSafeHdc(), 0, 0, w, h, WHITENESS);
    }
    ~Canvas()
    {
        ::SelectObject(dc.GetSafeHdc(), old);
        ::DeleteObject(bitmap);
    }
    COLORREF At(int x, int y) const
    {
        const DWORD p = static_cast<const DWORD*>(bits)[y * w + x];
        return RGB((p >> 16) & 0xFF, (p >> 8) & 0xFF, p & 0xFF);
    }
    // The box of the pixels of one colour; empty when there are none.
    CRect InkOf(COLORREF colour) const
    {
        ::GdiFlush();
        CRect box(w, h, -1, -1);
        for (int y = 0; y < h; ++y)
            for (int x = 0; x < w; ++x)
                if (At(x, y) == colour) {
                    box.left = std::min<LONG>(box.left, x);
                    box.top = std::min<LONG>(box.top, y);
                    box.right = std::max<LONG>(box.right, x);
                    box.bottom = std::max<LONG>(box.bottom, y);
                }
        return box;
    }
    bool HasColourNear(COLORREF colour, CPoint p, int radius) const
    {
        ::GdiFlush();
        for (int y = std::max<int>(0, p.y - radius); y <= std::min<int>(h - 1, p.y + radius); ++y)
            for (int x = std::max<int>(0, p.x - radius); x <= std::min<int>(w - 1, p.x + radius); ++x)
                if (At(x, y) == colour)
                    return true;
        return false;
    }
    CDC dc;
    int w, h;
    HBITMAP bitmap = nullptr;
    HGDIOBJ old = nullptr;
    void* bits = nullptr;
};

struct DrawnText {
    std::string text;
    CPoint at;
};

// The texts drawn into an enhanced metafile and their reference points.
std::vector<DrawnText> TextsOf(HENHMETAFILE emf)
{
    std::vector<DrawnText> texts;
    ::EnumEnhMetaFile(
        nullptr, emf,
        [](HDC, HANDLETABLE*, const ENHMETARECORD* record, int, LPARAM data) -> int {
            auto* out = reinterpret_cast<std::vector<DrawnText>*>(data);
            if (record->iType == EMR_EXTTEXTOUTW) {
                const auto* t = reinterpret_cast<const EMREXTTEXTOUTW*>(record);
                const auto* chars =
                    reinterpret_cast<const WCHAR*>(reinterpret_cast<const BYTE*>(record) + t->emrtext.offString);
                std::string s;
                for (DWORD i = 0; i < t->emrtext.nChars; ++i)
                    s += static_cast<char>(chars[i]);
                out->push_back({s, CPoint(t->emrtext.ptlReference.x, t->emrtext.ptlReference.y)});
            } else if (record->iType == EMR_EXTTEXTOUTA) {
                const auto* t = reinterpret_cast<const EMREXTTEXTOUTA*>(record);
                out->push_back({std::string(reinterpret_cast<const char*>(record) + t->emrtext.offString,
                                            t->emrtext.nChars),
                                CPoint(t->emrtext.ptlReference.x, t->emrtext.ptlReference.y)});
            }
            return 1;
        },
        &texts, nullptr);
    return texts;
}

class SurveySlopeTest : public SlopeViewTest
{
protected:
    void SetUp() override
    {
        SlopeViewTest::SetUp();
        if (HasFatalFailure())
            return;
        CTalusimSlopeType* material = doc->GetFirstMaterial();
        ASSERT_NE(material, nullptr);
        material->SetColour(kSlopeColour);
        // A cliff between the second and third vertex, talus below it.
        for (auto [x, y] : {std::pair{512000.0, 5000300.0}, {512150.0, 5000220.0}, {512160.0, 5000120.0},
                            {512345.0, 5000050.0}})
            doc->GetSlope()->AddVertexWithMaterial(x, y, material);
        doc->GetSlope()->Show();
        doc->GetSlope()->MakeSelectable();
        doc->GetDatabase()->SetGridState(GRID_HIDE);
        view->OnZoomAll();
    }

    CViewContext* Context() const { return view->GetViewContext(); }
    CPoint Device(double x, double y) const { return Context()->WorldToDevice(x, y); }

    void DrawClient(Canvas& canvas)
    {
        view->OnPrepareDC(&canvas.dc);
        view->OnDraw(&canvas.dc);
    }

    CRect Client() const
    {
        CRect client;
        view->GetClientRect(&client);
        return client;
    }
};

}  // namespace

TEST_F(SurveySlopeTest, SlopeIsDrawnWhereItsVerticesAre)
{
    const CRect client = Client();
    const CPoint first = Device(512000, 5000300), last = Device(512345, 5000050);
    ASSERT_TRUE(client.PtInRect(first));
    ASSERT_TRUE(client.PtInRect(last));
    Canvas canvas(client.Width(), client.Height());
    DrawClient(canvas);
    const CRect ink = canvas.InkOf(kSlopeColour);
    ASSERT_GE(ink.right, ink.left) << "no slope drawn";
    EXPECT_NEAR(ink.left, first.x, 2);
    EXPECT_NEAR(ink.right, last.x, 2);
    EXPECT_NEAR(ink.top, first.y, 2);
    EXPECT_NEAR(ink.bottom, last.y, 2);
    EXPECT_TRUE(canvas.HasColourNear(kSlopeColour, Device(512150, 5000220), 2));
    EXPECT_TRUE(canvas.HasColourNear(kSlopeColour, Device(512160, 5000120), 2));

    // Zoomed out two notches about the centre, the last vertex is still drawn where it maps.
    view->SendMessage(WM_MOUSEWHEEL, MAKEWPARAM(0, -240), MAKELPARAM(600, 400));
    const CPoint zoomed = Device(512345, 5000050);
    ASSERT_TRUE(client.PtInRect(zoomed));
    EXPECT_NE(zoomed, last);
    Canvas after(client.Width(), client.Height());
    DrawClient(after);
    EXPECT_TRUE(after.HasColourNear(kSlopeColour, zoomed, 2));
    EXPECT_NEAR(after.InkOf(kSlopeColour).right, zoomed.x, 2);
}

TEST_F(SurveySlopeTest, RulersNumberTheTicksWhereTheyAre)
{
    CAxesEnt* rulers = doc->GetRulers();
    ASSERT_NE(rulers, nullptr);
    CClientDC screen(view);
    HDC meta = ::CreateEnhMetaFileA(screen.GetSafeHdc(), nullptr, nullptr, nullptr);
    CDC dc;
    dc.m_hDC = dc.m_hAttribDC = meta;
    rulers->Draw(&dc, Context());
    dc.m_hDC = dc.m_hAttribDC = nullptr;
    HENHMETAFILE emf = ::CloseEnhMetaFile(meta);
    const std::vector<DrawnText> labels = TextsOf(emf);
    ::DeleteEnhMetaFile(emf);

    std::vector<double> eastings, northings;
    for (const DrawnText& label : labels) {
        char* end = nullptr;
        const double value = std::strtod(label.text.c_str(), &end);
        ASSERT_EQ(*end, '\0') << label.text;
        // Whole numbers in full: six significant digits would print two
        // northings 25 m apart alike.
        char whole[32];
        snprintf(whole, sizeof whole, "%.0f", value);
        EXPECT_EQ(label.text, whole);
        if (value < 1e6) {
            eastings.push_back(value);
            EXPECT_NEAR(label.at.x, Device(value, 5000000).x, 1) << label.text;
        } else {
            northings.push_back(value);
            EXPECT_NEAR(label.at.y, Device(512000, value).y, 1) << label.text;
        }
    }
    ASSERT_GE(eastings.size(), 3u);
    ASSERT_GE(northings.size(), 2u);
    for (size_t i = 1; i < eastings.size(); ++i)
        EXPECT_GT(eastings[i], eastings[i - 1]);
    for (size_t i = 1; i < northings.size(); ++i)
        EXPECT_GT(northings[i], northings[i - 1]);
    EXPECT_GE(eastings.back(), 512300.0);
}

TEST_F(SurveySlopeTest, GridLinesLieOnTheirCoordinates)
{
    CREGDatabase* db = doc->GetDatabase();
    db->SetGridSpacing(50, 50);
    db->SetGridStyle(GRID_LINES);
    db->SetGridColour(kGridColour);
    db->SetGridState(GRID_SHOW);
    const CRect client = Client();
    Canvas canvas(client.Width(), client.Height());
    DrawClient(canvas);
    // Above the talus, away from the slope and the rulers.
    const CPoint crossing = Device(512300, 5000250);
    ASSERT_TRUE(client.PtInRect(crossing));
    EXPECT_EQ(canvas.At(crossing.x, crossing.y), kGridColour);
    EXPECT_EQ(canvas.At(crossing.x, crossing.y - 10), kGridColour);
    EXPECT_EQ(canvas.At(crossing.x + 10, crossing.y), kGridColour);
    const CPoint cell = Device(512325, 5000275);
    EXPECT_EQ(canvas.At(cell.x, cell.y), RGB(255, 255, 255));
}

TEST_F(SurveySlopeTest, VertexIsPickedAndMoved)
{
    // The data tip over the last vertex names it with its coordinates.
    const CPoint last = Device(512345, 5000050);
    view->SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE);
    frame->SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0, SWP_NOSIZE | SWP_NOMOVE);
    CPoint screen = last;
    view->ClientToScreen(&screen);
    ::SetCursorPos(screen.x, screen.y);
    NMTTDISPINFOA info{};
    info.hdr.hwndFrom = view->GetToolTipWindow();
    info.hdr.code = TTN_NEEDTEXTA;
    view->SendMessage(WM_NOTIFY, 0, reinterpret_cast<LPARAM>(&info));
    ASSERT_NE(info.lpszText, nullptr);
    EXPECT_STREQ(info.lpszText, "Vertex: 4\n(x,y)= (512345.000, 5000050.000)");

    // Selected with a window round it, moved from the vertex by 30 pixels right and 20 up.
    doc->BeginMoveVertices();
    ASSERT_EQ(doc->GetMode(), MODE_MOVE_VERTICES_SELECT);
    Drag(last.x - 15, last.y - 15, last.x + 15, last.y + 15);
    Key(VK_RETURN);
    ASSERT_EQ(doc->GetMode(), MODE_MOVE_VERTICES_BASE);
    Click(last.x, last.y);
    ASSERT_EQ(doc->GetMode(), MODE_MOVE_VERTICES_TARGET);
    Click(last.x + 30, last.y - 20);
    EXPECT_EQ(doc->GetMode(), MODE_IDLE);
    const std::vector<CVector2D> v = SlopeVertices();
    ASSERT_EQ(v.size(), 4u);
    const double metres = Context()->PixelsToWorldLength(1);
    EXPECT_NEAR(v[3].x, 512345 + 30 * metres, 0.002);
    EXPECT_NEAR(v[3].y, 5000050 + 20 * metres, 0.002);
    EXPECT_EQ(v[2].x, 512160.0);
    EXPECT_EQ(v[2].y, 5000120.0);
}

TEST_F(SurveySlopeTest, PrintedPageShowsTheSlope)
{
    CClientDC screen(view);
    Canvas sheet(screen.GetDeviceCaps(HORZRES), screen.GetDeviceCaps(VERTRES));
    sheet.dc.m_bPrinting = TRUE;
    CPrintInfo info;
    view->OnBeginPrinting(&sheet.dc, &info);
    view->OnPrepareDC(&sheet.dc, &info);
    view->OnPrint(&sheet.dc, &info);
    view->OnEndPrinting(&sheet.dc, &info);
    const CRect ink = sheet.InkOf(kSlopeColour);
    ASSERT_GE(ink.right, ink.left) << "no slope printed";
    // Its whole width and height, not a point or a line where it was pulled in.
    EXPECT_GT(ink.Width(), 200);
    EXPECT_GT(ink.Height(), 100);
}

// A 1 km slope segment seen through a 1 m x 0.5 m window, its far end 450,000
// pixels off the view: the line and the edge of the ground band under it are
// drawn where the segment truly runs, not bent towards a limited end point.
TEST_F(SlopeViewTest, LongSegmentKeepsItsDirectionAtHighZoom)
{
    const COLORREF ground = RGB(0, 160, 0);
    CTalusimSlopeType* material = doc->GetFirstMaterial();
    ASSERT_NE(material, nullptr);
    material->SetColour(kSlopeColour);
    CTalusimSlope* slope = doc->GetSlope();
    for (auto [x, y] : {std::pair{512000.0, 5000300.0}, {513000.0, 5000000.0}, {513100.0, 5000000.0}})
        slope->AddVertexWithMaterial(x, y, material);
    slope->Show();
    slope->SetFillOptions(ground, HS_BDIAGONAL, 5.0);
    slope->SetFillMode(true, false);
    doc->GetDatabase()->SetGridState(GRID_HIDE);

    // A quarter of the way down the segment, 600 pixels to the metre.
    CRect client;
    view->GetClientRect(&client);
    ASSERT_EQ(client.Width(), 600);
    CViewContext* vc = view->GetViewContext();
    vc->SetWorldWindow(512249.5, 5000225.25, 512250.5, 5000224.75);
    Canvas canvas(client.Width(), client.Height());
    view->OnPrepareDC(&canvas.dc);
    view->OnDraw(&canvas.dc);

    // The segment's own line on the device, from its ends in doubles.
    const CPoint origin = vc->GetDeviceOrigin();
    const CClipPoint a = vc->WorldToDeviceOffset(512000, 5000300), b = vc->WorldToDeviceOffset(513000, 5000000);
    ASSERT_GT(b.x + origin.x, 400000.0);
    for (int x : {80, 200, 300, 400, 550}) {
        const double t = (x - origin.x - a.x) / (b.x - a.x);
        const int y = static_cast<int>(std::lround(origin.y + a.y + t * (b.y - a.y)));
        ASSERT_GT(y, 10);
        ASSERT_LT(y, client.Height() - 10);
        EXPECT_TRUE(canvas.HasColourNear(kSlopeColour, CPoint(x, y), 2)) << "no slope at x = " << x << ", y = " << y;
        EXPECT_EQ(canvas.At(x, y + 5), ground) << "x = " << x;
        EXPECT_EQ(canvas.At(x, y - 5), RGB(255, 255, 255)) << "x = " << x;
    }
}

// A 1 m segment and a 1 km one that crosses it 3 mm from its upper end: the
// crossing is seen as well at survey coordinates as at the origin, whether the
// 1 m segment would be a new slope segment or a barrier.
TEST_F(SlopeViewTest, CrossingsAreSeenAtAnyOffset)
{
    InstalledPromptLine prompt;
    auto type = [&](const CVector2D& p) {
        prompt.line.typed.push_back(p);
        Key(VK_RETURN);
    };
    for (const CVector2D o : {CVector2D(0, 0), CVector2D(512000, 5000000)}) {
        SCOPED_TRACE(testing::Message() << "offset " << o.x << ", " << o.y);
        auto at = [&](double x, double y) { return CVector2D(o.x + x, o.y + y); };
        // 150 pixels to the metre: no typed point lands on a vertex nearby.
        view->GetViewContext()->SetWorldWindow(o.x - 2, o.y + 1.3, o.x + 2, o.y - 1.3);

        // The last fixed vertex at o: a segment to o + (1, 0) would cross the first one.
        ViewMessageBoxes vertexBoxes;
        doc->BeginDefineSlope();
        for (const CVector2D& p : {at(0.5, 0.003), at(300.5, -1000), at(0, 0)})
            type(p);
        ASSERT_EQ(SlopeVertices().size(), 4u);   // with the vertex that follows the mouse
        EXPECT_TRUE(vertexBoxes.texts.empty());
        type(at(1, 0));
        EXPECT_EQ(vertexBoxes.texts.size(), 1u);
        EXPECT_EQ(SlopeVertices().size(), 4u);
        Key(VK_RETURN);
        doc->DeleteSlope();

        // A barrier standing at o on a short first segment, its end at o + (1, 0)
        // beyond the long segment that comes back up to o + (0.5, 0.003).
        ViewMessageBoxes barrierBoxes;
        doc->BeginDefineSlope();
        for (const CVector2D& p : {at(-0.3, 0.3), at(0.3, -0.3), at(300.5, -1000), at(0.5, 0.003)})
            type(p);
        Key(VK_RETURN);
        ASSERT_EQ(doc->GetMode(), MODE_IDLE);
        ASSERT_EQ(SlopeVertices().size(), 4u);
        doc->OnAddBarrier();
        type(at(0, 0));
        ASSERT_EQ(doc->GetMode(), MODE_ADD_BARRIER_SECOND);
        EXPECT_TRUE(barrierBoxes.texts.empty());
        type(at(1, 0));
        EXPECT_EQ(barrierBoxes.texts.size(), 1u);
        EXPECT_EQ(doc->GetMode(), MODE_ADD_BARRIER_SECOND);
        Key(VK_ESCAPE);
        doc->DeleteSlope();
    }
}
