#include <gtest/gtest.h>
#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>
#include "DatabaseTestSupport.h"
#include "framework/Gdi.h"
#include "geometry/AxesEnt.h"
#include "geometry/ExtentsAccumulator.h"
#include "geometry/Line.h"
#include "geometry/Polygon.h"

namespace {

const COLORREF kBlue = 0xFF0000;
const COLORREF kRed = 0x0000FF;

// Scale 1: world (x, y) is device (x, 200 - y).
struct Scene
{
    Scene() : canvas(200, 200)
    {
        SetScaledView(vc, 200, 200, 1);
        db.SetGridState(GRID_HIDE);
    }
    void Draw() { db.DrawEntities(canvas.DC(), &vc, DRAW_SCREEN); }
    MemoryCanvas canvas;
    CViewContext vc;
    CREGDatabase db;
};

CPolyLine* AddPolyline(CREGDatabase& db, std::initializer_list<CVector2D> points)
{
    CPolyLine* p = new CPolyLine;
    for (const CVector2D& v : points)
        p->AddPoint(v.x, v.y);
    p->SetVertexTicks(false);
    db.AddEntity(p, false);
    return p;
}

int CountColour(MemoryCanvas& canvas, int x0, int y0, int x1, int y1, COLORREF colour)
{
    int n = 0;
    for (int y = y0; y < y1; ++y)
        for (int x = x0; x < x1; ++x)
            n += canvas.Pixel(x, y) == colour ? 1 : 0;
    return n;
}

// The records of an enhanced metafile, by type, with the texts drawn.
struct MetafileRecords
{
    std::vector<DWORD> types;
    std::vector<std::string> texts;
    int Count(DWORD type) const
    {
        int n = 0;
        for (DWORD t : types)
            n += t == type ? 1 : 0;
        return n;
    }
};

int CALLBACK CollectRecord(HDC, HANDLETABLE*, const ENHMETARECORD* record, int, LPARAM data)
{
    MetafileRecords* out = reinterpret_cast<MetafileRecords*>(data);
    out->types.push_back(record->iType);
    if (record->iType == EMR_EXTTEXTOUTW) {
        const EMREXTTEXTOUTW* t = reinterpret_cast<const EMREXTTEXTOUTW*>(record);
        const WCHAR* chars = reinterpret_cast<const WCHAR*>(
            reinterpret_cast<const BYTE*>(record) + t->emrtext.offString);
        std::string s;
        for (DWORD i = 0; i < t->emrtext.nChars; ++i)
            s += (char)chars[i];
        out->texts.push_back(s);
    } else if (record->iType == EMR_EXTTEXTOUTA) {
        const EMREXTTEXTOUTA* t = reinterpret_cast<const EMREXTTEXTOUTA*>(record);
        const char* chars = reinterpret_cast<const char*>(record) + t->emrtext.offString;
        out->texts.push_back(std::string(chars, t->emrtext.nChars));
    }
    return 1;
}

MetafileRecords Records(HENHMETAFILE h)
{
    MetafileRecords out;
    ::EnumEnhMetaFile(nullptr, h, CollectRecord, &out, nullptr);
    return out;
}

HENHMETAFILE DrawToMetafile(CREGDatabase& db, CViewContext& vc)
{
    CMetaFileDC mf;
    const CRect frame(0, 0, 5000, 5000);
    if (!mf.CreateEnhanced(nullptr, nullptr, &frame, "test\0\0"))
        return nullptr;
    db.DrawEntities(&mf, &vc, DRAW_METAFILE);
    return mf.CloseEnhanced();
}

} // namespace

TEST(Drawing, LinesAndCircles)
{
    Scene s;
    CLine* line = new CLine;
    line->SetPoints(10, 190, 100, 190);
    s.db.AddEntity(line, false);
    s.Draw();
    EXPECT_EQ(s.canvas.Pixel(50, 10), 0u);
    EXPECT_EQ(s.canvas.Pixel(50, 11), 0xFFFFFFu);
    // Selected: the inverting highlight runs over the line.
    line->AddToSet(24);
    s.Draw();
    EXPECT_NE(s.canvas.CountNonWhite(10, 10, 100, 11), 90);
}

TEST(Drawing, WindowTestsByEntityType)
{
    Scene s;
    CProbe* inside = new CProbe(10, 20, 20, 10);
    CProbe* outside = new CProbe(1000, 1010, 1010, 1000);
    CProbe* rulers = new CProbe(1000, 1010, 1010, 1000);
    rulers->SetEntityType(51);
    CProbe* other = new CProbe(10, 20, 20, 10);
    other->SetEntityType(55);
    CProbe* hidden = new CProbe(10, 20, 20, 10);
    hidden->Hide();
    CProbe* locked = new CProbe(10, 20, 20, 10);
    locked->MakeUnselectable();
    // Just outside the clip box but within the 33-pixel margin.
    CProbe* margin = new CProbe(220, 10, 225, 5);
    for (CProbe* p : {inside, outside, rulers, other, hidden, locked, margin})
        s.db.AddEntity(p, false);
    inside->SetCategoryId(2133);
    s.Draw();
    EXPECT_EQ(inside->draws, 1);
    EXPECT_EQ(inside->drawCategory, 2133);
    EXPECT_EQ(s.vc.GetDrawCategory(), 20);   // restored
    EXPECT_EQ(outside->draws, 0);
    EXPECT_EQ(rulers->draws, 1);
    EXPECT_EQ(other->draws, 0);
    EXPECT_EQ(hidden->draws, 0);
    EXPECT_EQ(locked->draws, 0);
    EXPECT_EQ(margin->draws, 1);
    EXPECT_EQ(s.vc.GetDC(), nullptr);

    // The metafile mode has no window: everything visible is drawn.
    HENHMETAFILE h = DrawToMetafile(s.db, s.vc);
    ASSERT_NE(h, nullptr);
    ::DeleteEnhMetaFile(h);
    EXPECT_EQ(outside->draws, 1);
    EXPECT_EQ(other->draws, 0);
}

namespace {

// Checks, when drawn, whether the grid line at device x = 10 is already there.
class CGridWitness : public CProbe
{
public:
    CGridWitness(MemoryCanvas* canvas, int category)
        : CProbe(0, 200, 200, 0, category), m_canvas(canvas) {}
    void Draw(CDC* pDC, CViewContext* pView) override
    {
        CProbe::Draw(pDC, pView);
        gridBefore = m_canvas->Pixel(10, 50) != 0xFFFFFF;
    }
    bool gridBefore = false;

private:
    MemoryCanvas* m_canvas;
};

} // namespace

TEST(Drawing, GridGoesBetweenTheCategories)
{
    Scene s;
    s.db.SetGridDrawLevel(2200);
    s.db.SetGridState(GRID_SHOW);
    s.db.SetGridStyle(GRID_LINES);
    s.db.SetGridSpacing(10, 10);
    s.db.SetAutoSort(true);
    CGridWitness* under = new CGridWitness(&s.canvas, 2200);
    CGridWitness* over = new CGridWitness(&s.canvas, 2300);
    s.db.AddEntity(over, false);
    s.db.AddEntity(under, false);
    s.Draw();
    EXPECT_FALSE(under->gridBefore);
    EXPECT_TRUE(over->gridBefore);
    EXPECT_NE(s.canvas.Pixel(10, 50), 0xFFFFFFu);

    // Everything at or below the level: the grid comes last.
    Scene t;
    t.db.SetGridDrawLevel(2200);
    t.db.SetGridState(GRID_SHOW);
    t.db.SetGridStyle(GRID_LINES);
    t.db.SetGridSpacing(10, 10);
    CGridWitness* only = new CGridWitness(&t.canvas, 2133);
    t.db.AddEntity(only, false);
    t.Draw();
    EXPECT_FALSE(only->gridBefore);
    EXPECT_NE(t.canvas.Pixel(10, 50), 0xFFFFFFu);
}

TEST(Drawing, GridIsSkippedWhenTooDense)
{
    struct Case { double spacing; int style; bool drawn; };
    const Case cases[] = {
        {5, GRID_DOTS, false}, {6, GRID_DOTS, true}, {5, GRID_LINES, false},
        {6, GRID_CROSSES, true}, {20, GRID_LINES, true},
    };
    for (const Case& c : cases) {
        Scene s;
        s.db.SetGridState(GRID_SHOW);
        s.db.SetGridSpacing(c.spacing, c.spacing);
        s.db.SetGridStyle(c.style);
        s.Draw();
        EXPECT_EQ(s.canvas.CountNonWhite(0, 0, 200, 200) > 0, c.drawn)
            << c.spacing << " " << c.style;
    }
    // Dots: one pixel per node; crosses: a plus of three by three.
    Scene dots;
    dots.db.SetGridState(GRID_SHOW);
    dots.db.SetGridSpacing(10, 10);
    dots.Draw();
    EXPECT_EQ(dots.canvas.Pixel(10, 10), 0u);
    EXPECT_EQ(dots.canvas.Pixel(11, 10), 0xFFFFFFu);
    Scene crosses;
    crosses.db.SetGridState(GRID_SHOW);
    crosses.db.SetGridSpacing(10, 10);
    crosses.db.SetGridStyle(GRID_CROSSES);
    crosses.Draw();
    EXPECT_EQ(crosses.canvas.CountNonWhite(8, 8, 13, 13), 5);

    // The lattice starts one cell outside the top-left corner.
    CREGGrid grid;
    CViewContext vc;
    SetScaledView(vc, 200, 200, 10);
    MemoryCanvas canvas(200, 200);
    grid.SetStyle(GRID_LINES);
    grid.Draw(canvas.DC(), &vc, -3.5, 2.0, 5, -5);
    // startY = 3, one row above the top edge 2: the vertical lines run from
    // world y 3 down, device y 170 at 10 pixels per unit.
    EXPECT_EQ(canvas.Pixel(10, 175), 0u);          // world (1, 2.5)
    EXPECT_EQ(canvas.Pixel(10, 165), 0xFFFFFFu);   // world (1, 3.5)
    EXPECT_EQ(canvas.Pixel(15, 170), 0u);          // the row y = 3
}

TEST(Drawing, PolylineLooks)
{
    Scene s;
    CPolyLine* p = AddPolyline(s.db, {{10, 190}, {60, 190}, {110, 190}, {160, 190}});
    p->SetSelectColour(kRed);
    s.Draw();
    EXPECT_GT(CountColour(s.canvas, 10, 10, 160, 11, kBlue), 140);

    // A gap leaves segment 2 empty.
    CPolyVertex v = p->GetVertex(2);
    v.segmentVisible = false;
    p->SetVertex(2, v);
    Scene g;
    CPolyLine* q = AddPolyline(g.db, {{10, 190}, {60, 190}, {110, 190}, {160, 190}});
    q->SetVertex(2, v);
    g.Draw();
    EXPECT_EQ(g.canvas.CountNonWhite(62, 10, 109, 11), 0);
    EXPECT_GT(g.canvas.CountNonWhite(112, 10, 159, 11), 40);

    // The selected look: white underlay, dotted selection pen; no blue left.
    Scene sel;
    CPolyLine* r = AddPolyline(sel.db, {{10, 190}, {60, 190}, {110, 190}});
    r->SetSelectColour(kRed);
    r->AddToSet(24);
    sel.Draw();
    EXPECT_EQ(CountColour(sel.canvas, 10, 10, 110, 11, kBlue), 0);
    EXPECT_GT(CountColour(sel.canvas, 10, 10, 110, 11, kRed), 20);

    // One vertex: nothing at all.
    Scene one;
    CPolyLine* single = AddPolyline(one.db, {{50, 150}});
    single->SetVertexTicks(true);
    single->AddToSet(24);
    one.Draw();
    EXPECT_EQ(one.canvas.CountNonWhite(0, 0, 200, 200), 0);

    // Vertex ticks in the second colour; a vertex between two gaps has none.
    Scene ticks;
    CPolyLine* t = AddPolyline(ticks.db, {{10, 150}, {60, 150}, {110, 150}, {160, 150}});
    t->SetVertexTicks(true);
    t->SetAltColour(kRed);
    CPolyVertex gap = t->GetVertex(2);
    gap.segmentVisible = false;
    t->SetVertex(2, gap);
    gap = t->GetVertex(3);
    gap.segmentVisible = false;
    t->SetVertex(3, gap);
    ticks.Draw();
    EXPECT_EQ(ticks.canvas.Pixel(60, 48), kRed);    // vertex 1 (segment 1 visible)
    EXPECT_NE(ticks.canvas.Pixel(110, 48), kRed);   // vertex 2 between two gaps
}

TEST(Drawing, ColourModesAndMarkedParts)
{
    Scene s;
    CPolyLine* p = AddPolyline(s.db, {{10, 190}, {60, 190}, {110, 190}});
    p->SetSelectColour(kRed);
    p->SetSelectStyle(PS_SOLID);
    s.vc.SetColourMode(COLOUR_GREY);
    s.Draw();
    EXPECT_EQ(s.canvas.Pixel(30, 10), 0x1C1C1Cu);   // trunc(255 x 0.11) = 28

    // Marked segments keep the raw selection colour in every mode.
    p->MarkSegmentsInRect(16, 200, 0, 0, 200, 12, SEGMENTS_ALL);
    s.Draw();
    EXPECT_EQ(s.canvas.Pixel(30, 10), kRed);

    // Corners of a marked vertex follow the mode: the selection colour in grey.
    Scene c;
    CPolyLine* q = AddPolyline(c.db, {{10, 150}, {100, 150}, {100, 60}});
    q->SetSelectColour(kRed);
    q->SetSelectStyle(PS_SOLID);
    q->MarkVerticesInRect(16, 151, 99, 149, 101);
    c.vc.SetColourMode(COLOUR_GREY);
    c.Draw();
    EXPECT_EQ(c.canvas.Pixel(80, 50), 0x4C4C4Cu);   // the last third before the vertex
    EXPECT_EQ(c.canvas.Pixel(30, 50), 0x1C1C1Cu);   // the rest of the segment
}

TEST(Drawing, BackBufferAndCache)
{
    Scene s;
    CLine* line = new CLine;
    line->SetPoints(10, 190, 100, 190);
    s.db.AddEntity(line, false);
    EXPECT_TRUE(s.db.IsDrawCacheStale());
    s.db.Draw(s.canvas.DC(), &s.vc);
    EXPECT_FALSE(s.db.IsDrawCacheStale());
    EXPECT_EQ(s.canvas.Pixel(50, 10), 0u);
    line->SetPoints(10, 150, 100, 150);
    s.db.Draw(s.canvas.DC(), &s.vc);   // the whole clip box is repainted
    EXPECT_EQ(s.canvas.Pixel(50, 10), 0xFFFFFFu);
    EXPECT_EQ(s.canvas.Pixel(50, 50), 0u);
    s.db.ResetDrawCache();
    EXPECT_TRUE(s.db.IsDrawCacheStale());

    CViewContext fresh;   // not initialised: nothing is drawn
    MemoryCanvas other(50, 50);
    s.db.Draw(other.DC(), &fresh);
    EXPECT_EQ(other.CountNonWhite(0, 0, 50, 50), 0);
}

TEST(Drawing, MetafileRecordsAndLabels)
{
    Scene s;
    CPolyLine* p = AddPolyline(s.db, {{0, 0}, {1, 1}, {2, 2}, {3, 3}, {1.5, 2}});
    p->SetShowVertexNumbers(true);
    p->SetLabelVertices(true);
    s.vc.SetShowLabels(true);
    HENHMETAFILE h = DrawToMetafile(s.db, s.vc);
    ASSERT_NE(h, nullptr);
    const MetafileRecords records = Records(h);
    ::DeleteEnhMetaFile(h);
    EXPECT_GE(records.Count(EMR_LINETO), 4);
    bool found = false;
    for (const std::string& t : records.texts)
        found = found || t == "4, (1.500, 2.000)";
    EXPECT_TRUE(found);
    EXPECT_EQ(records.texts.size(), 5u);

    // Labels below three points are not drawn at all.
    s.vc.SetLabelFont("Arial", 2);
    h = DrawToMetafile(s.db, s.vc);
    EXPECT_TRUE(Records(h).texts.empty());
    ::DeleteEnhMetaFile(h);

    // Marked vertices are labelled a second time on top, with their
    // coordinates when the vertex labels are on.
    s.vc.SetLabelFont("Arial", 9);
    s.vc.SetShowLabels(false);
    s.vc.SetShowVertexLabels(true);
    p->SetShowVertexNumbers(false);
    p->MarkVerticesInRect(16, 1.5, 0.5, 0.5, 1.5);
    h = DrawToMetafile(s.db, s.vc);
    const MetafileRecords marked = Records(h);
    ::DeleteEnhMetaFile(h);
    ASSERT_EQ(marked.texts.size(), 2u);
    EXPECT_EQ(marked.texts[0], "(1.000, 1.000)");
    EXPECT_EQ(marked.texts[1], "(1.000, 1.000)");
}

namespace {

// The clipboard is shared by every program of the session, and other tests
// may use it at the same time: a copy and its read-back are tried again when
// another program came in between.
template <class Copy, class Read> bool CopyAndRead(HWND hWnd, Copy copy, Read read)
{
    for (int attempt = 0; attempt < 50; ++attempt) {
        if (copy() && ::OpenClipboard(hWnd)) {
            const bool ok = read();
            ::CloseClipboard();
            if (ok)
                return true;
        }
        ::Sleep(20);
    }
    return false;
}

} // namespace

TEST(Drawing, ClipboardCopies)
{
    TestWindow window(200, 150);
    Scene s;
    s.vc.SetDeviceExtent(200, 150);
    CLine* line = new CLine;
    line->SetPoints(10, 190, 100, 190);
    s.db.AddEntity(line, false);
    s.db.SetGridState(GRID_SHOW);
    auto copy = [&]() { return s.db.CopyToClipboard(window.Wnd(), &s.vc); };

    s.db.SetClipboardFormat(CLIP_METAFILE, 5);
    EXPECT_FALSE(s.db.CopyToClipboard(nullptr, &s.vc));
    MetafileRecords records;
    ASSERT_TRUE(CopyAndRead(window.Handle(), copy, [&]() {
        HENHMETAFILE h = (HENHMETAFILE)::GetClipboardData(CF_ENHMETAFILE);
        if (h)
            records = Records(h);
        return h != nullptr;
    }));
    EXPECT_EQ(s.db.GetGridState(), GRID_SHOW);
    // One line: the grid's thousands of dots are not in the copy.
    EXPECT_EQ(records.Count(EMR_LINETO), 1);
    EXPECT_FALSE(s.vc.IsClipboardRender());

    s.db.SetClipboardFormat(CLIP_BITMAP, 2);
    BITMAP info = {};
    ASSERT_TRUE(CopyAndRead(window.Handle(), copy, [&]() {
        HBITMAP bitmap = (HBITMAP)::GetClipboardData(CF_BITMAP);
        return bitmap && ::GetObjectA(bitmap, sizeof info, &info) != 0;
    }));
    EXPECT_EQ(s.vc.GetDeviceExtent(), CSize(200, 150));   // restored
    EXPECT_EQ(info.bmWidth, 400);
    EXPECT_EQ(info.bmHeight, 300);
    s.db.SetClipboardFormat(71, 1);   // ignored
    EXPECT_EQ(s.db.GetClipboardFormat(), CLIP_BITMAP);

    std::string text;
    ASSERT_TRUE(CopyAndRead(window.Handle(),
        [&]() { return s.db.CopyTextToClipboard(window.Wnd(), "a\tb\r\n1\t2"); },
        [&]() {
            HANDLE h = ::GetClipboardData(CF_TEXT);
            if (!h)
                return false;
            text = static_cast<const char*>(::GlobalLock(h));
            ::GlobalUnlock(h);
            return true;
        }));
    EXPECT_EQ(text, "a\tb\r\n1\t2");

    // A clipboard held by another thread: every copy reports failure.
    HANDLE opened = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
    HANDLE release = ::CreateEventA(nullptr, TRUE, FALSE, nullptr);
    struct Holder { HANDLE opened, release; bool ok; } holder = {opened, release, false};
    HANDLE thread = ::CreateThread(nullptr, 0, [](LPVOID p) -> DWORD {
        Holder* h = static_cast<Holder*>(p);
        for (int attempt = 0; attempt < 50 && !h->ok; ++attempt) {
            h->ok = ::OpenClipboard(nullptr) != FALSE;
            if (!h->ok)
                ::Sleep(20);
        }
        ::SetEvent(h->opened);
        ::WaitForSingleObject(h->release, 10000);
        if (h->ok)
            ::CloseClipboard();
        return 0;
    }, &holder, 0, nullptr);
    ::WaitForSingleObject(opened, 10000);
    ASSERT_TRUE(holder.ok);
    EXPECT_FALSE(s.db.CopyTextToClipboard(window.Wnd(), "x"));
    EXPECT_FALSE(s.db.CopyToClipboard(window.Wnd(), &s.vc));
    s.db.SetClipboardFormat(CLIP_METAFILE, 1);
    EXPECT_FALSE(s.db.CopyToClipboard(window.Wnd(), &s.vc));
    EXPECT_EQ(s.db.GetGridState(), GRID_SHOW);
    ::SetEvent(release);
    ::WaitForSingleObject(thread, 10000);
    ::CloseHandle(thread);
    ::CloseHandle(opened);
    ::CloseHandle(release);
}

TEST(Rulers, TickSteps)
{
    double lo = 0, hi = 10, step = 0;
    NiceTickStepPreferred(lo, hi, step, 4);
    EXPECT_EQ(step, 5);
    EXPECT_EQ(lo, 0);
    EXPECT_EQ(hi, 20);
    lo = hi = 0;
    NiceTickStepPreferred(lo, hi, step, 5);
    EXPECT_DOUBLE_EQ(lo, -1e-9);
    EXPECT_DOUBLE_EQ(hi, 1e-9);
    EXPECT_DOUBLE_EQ(step, 4e-10);
    lo = -3.7;
    hi = 12.2;
    NiceTickStepPreferred(lo, hi, step, 4);
    EXPECT_EQ(step, 5);
    EXPECT_EQ(lo, -5);
    EXPECT_EQ(hi, 15);
    lo = 0.013;
    hi = 0.051;
    NiceTickStepPreferred(lo, hi, step, 4);
    // 0.01 reaches only 0.05: the next candidate, 0.02, covers 0 to 0.08.
    EXPECT_DOUBLE_EQ(step, 0.02);
    EXPECT_DOUBLE_EQ(lo, 0);
    EXPECT_DOUBLE_EQ(hi, 0.08);

    lo = 0;
    hi = 10;
    NiceTickStep(lo, hi, step, 10);
    EXPECT_EQ(step, 1.5);
    EXPECT_EQ(hi, 15);
    lo = -7;
    hi = 33;
    NiceTickStep(lo, hi, step, 4);
    EXPECT_EQ(step, 15);
    EXPECT_EQ(lo, -15);
    EXPECT_EQ(hi, 45);
}

TEST(Rulers, BandsAndTicks)
{
    CAxesEnt rulers;
    EXPECT_EQ(rulers.GetEntityType(), 51);
    EXPECT_FALSE(rulers.IsSelectable());
    CExtentsAccumulator acc;
    EXPECT_FALSE(rulers.AddToExtents(&acc));
    rulers.SetStyle(99);
    EXPECT_EQ(rulers.GetStyle(), 98);
    EXPECT_EQ(rulers.GetRulerSize(nullptr), CSize(0, 0));

    TestWindow window(300, 200);
    HDC screen = ::GetDC(window.Handle());
    const int dpiX = ::GetDeviceCaps(screen, LOGPIXELSX), dpiY = ::GetDeviceCaps(screen, LOGPIXELSY);
    ::ReleaseDC(window.Handle(), screen);
    EXPECT_EQ(rulers.GetRulerSize(window.Wnd()), CSize((int)(dpiX * 0.19), (int)(dpiY * 0.19)));

    MemoryCanvas canvas(300, 200);
    CViewContext vc;
    SetScaledView(vc, 300, 200, 1);
    rulers.Draw(canvas.DC(), &vc);
    const int band = (int)(dpiX * 0.19);
    const COLORREF face = ::GetSysColor(COLOR_BTNFACE);
    EXPECT_GT(CountColour(canvas, 0, 0, band, 200, face), band * 200 / 2);
    EXPECT_GT(CountColour(canvas, band, 200 - band, 300, 200, face), (300 - band) * band / 2);
    EXPECT_EQ(canvas.Pixel(150, 100), 0xFFFFFFu);   // the drawing area stays
    // Ticks and labels mark the bands (inside their edges).
    // World y 0..200 in two intervals of 200: no label falls strictly inside
    // the band, and the seven inner ticks of the imperial pattern show, one
    // pixel thick: 2 + 3 + 2 + 4 + 2 + 3 + 2 pixels.
    const int inBand = (band - 2) * 178 - CountColour(canvas, 1, 1, band - 1, 179, face);
    EXPECT_EQ(inBand, 18);
    const int across = (300 - band - 2) * (band - 3) -
                       CountColour(canvas, band + 1, 200 - band + 2, 299, 199, face);
    EXPECT_GT(across, 20);
    CVector2D lo, hi, step;
    int counts[2];
    ASSERT_TRUE(rulers.ComputeRulerTicks(canvas.DC(), &vc, lo, hi, step, counts));
    EXPECT_EQ(counts[0], std::max(1, (int)(300 * 1.4 / dpiX)));
    EXPECT_LE(lo.x, 0);
    EXPECT_GT(hi.x, 300);

    // Grey mode: white bands.
    MemoryCanvas grey(300, 200);
    ::PatBlt(grey.DC()->GetSafeHdc(), 0, 0, 300, 200, BLACKNESS);
    vc.SetColourMode(COLOUR_GREY);
    rulers.SetShowRulers(true);
    rulers.Draw(grey.DC(), &vc);
    EXPECT_GT(CountColour(grey, 0, 0, band, 200, 0xFFFFFF), band * 200 / 2);
    EXPECT_EQ(grey.Pixel(150, 100), 0u);

    // Fixed spacing.
    rulers.SetFixedSpacing(true, 50);
    ASSERT_TRUE(rulers.ComputeRulerTicks(canvas.DC(), &vc, lo, hi, step, counts));
    EXPECT_EQ(step, CVector2D(50, 50));
    EXPECT_EQ(lo.x, 0);
}

TEST(Rulers, RepaintForgetsCoveredCursorMarks)
{
    CAxesEnt rulers;
    CViewContext vc;
    SetScaledView(vc, 200, 100, 1);
    MemoryCanvas canvas(200, 100);
    CPoint last(50, 40);
    // The whole canvas is repainted: both marks are gone.
    rulers.ForgetCoveredCursorMarks(last, canvas.DC(), &vc);
    EXPECT_EQ(last, CPoint(INT_MAX, INT_MAX));
    // A repaint clipped away from both marks keeps them.
    CPoint kept(50, 40);
    ::IntersectClipRect(canvas.DC()->GetSafeHdc(), 150, 0, 160, 10);
    rulers.ForgetCoveredCursorMarks(kept, canvas.DC(), &vc);
    EXPECT_EQ(kept, CPoint(50, 40));
}

// A ruler number is drawn whole inside its band or not at all. The bands of
// a 300 x 200 view stand at (50, 50) on a larger white page; the world moves
// four pixels at a time through two labelled intervals, so that numbers
// meet every end of both bands, and nothing dark may land outside the view.
TEST(Rulers, NumbersStayWithinTheBands)
{
    CAxesEnt rulers;
    rulers.SetMetric(true);
    auto darkOutside = [](MemoryCanvas& canvas) {
        int n = 0;
        for (int y = 0; y < 300; ++y)
            for (int x = 0; x < 400; ++x) {
                if (x >= 50 && x < 350 && y >= 50 && y < 250)
                    continue;
                const COLORREF c = canvas.Pixel(x, y);
                n += GetRValue(c) < 0x60 && GetGValue(c) < 0x60 && GetBValue(c) < 0x60 ? 1 : 0;
            }
        return n;
    };
    for (int step = 0; step < 100; ++step) {
        MemoryCanvas canvas(400, 300);
        CViewContext vc;
        vc.SetDeviceOrigin(50, 50);
        vc.SetDeviceExtent(300, 200);
        vc.SetWorldOrigin(-1.0 * step, 50 + 1.0 * step);   // 4 pixels a unit
        vc.SetWorldExtent(75, 50);
        rulers.Draw(canvas.DC(), &vc);
        EXPECT_EQ(darkOutside(canvas), 0) << "step " << step;
    }
}

TEST(Drawing, SegmentsOutsideTheRepaintAreaAreSkippedCorrectly)
{
    Scene s;
    // Two segments far to the left (skipped), then one from there into the
    // canvas, which must start at its own first point, then one inside.
    AddPolyline(s.db, {{-500, 150}, {-500, 120}, {-400, 120}, {100, 120}, {100, 20}});
    // And one crossing the canvas with both ends outside, on opposite sides.
    AddPolyline(s.db, {{-1000, 60}, {1000, 60}});
    s.Draw();
    EXPECT_EQ(s.canvas.Pixel(0, 80), kBlue);
    EXPECT_EQ(s.canvas.Pixel(50, 80), kBlue);
    EXPECT_EQ(s.canvas.Pixel(100, 150), kBlue);
    EXPECT_EQ(s.canvas.Pixel(50, 140), kBlue);
    EXPECT_EQ(s.canvas.Pixel(199, 140), kBlue);
    // x 0..99 at y 80, y 80..179 at x 100, the whole row y 140, one pixel shared.
    EXPECT_EQ(s.canvas.CountNonWhite(0, 0, 200, 200), 100 + 100 + 200 - 1);
}

namespace {

// Every point an enhanced metafile hands to the device in moves, lines,
// polylines and polygons.
std::vector<POINT> RecordedPoints(HENHMETAFILE h)
{
    std::vector<POINT> points;
    ::EnumEnhMetaFile(
        nullptr, h,
        [](HDC, HANDLETABLE*, const ENHMETARECORD* r, int, LPARAM data) -> int {
            auto* out = reinterpret_cast<std::vector<POINT>*>(data);
            auto add = [&](const POINTL& p) { out->push_back(POINT{p.x, p.y}); };
            switch (r->iType) {
            case EMR_MOVETOEX: add(reinterpret_cast<const EMRMOVETOEX*>(r)->ptl); break;
            case EMR_LINETO: add(reinterpret_cast<const EMRLINETO*>(r)->ptl); break;
            case EMR_POLYLINE:
            case EMR_POLYGON: {
                const auto* p = reinterpret_cast<const EMRPOLYLINE*>(r);
                for (DWORD i = 0; i < p->cptl; ++i)
                    add(p->aptl[i]);
                break;
            }
            case EMR_POLYLINE16:
            case EMR_POLYGON16: {
                const auto* p = reinterpret_cast<const EMRPOLYLINE16*>(r);
                for (DWORD i = 0; i < p->cpts; ++i)
                    out->push_back(POINT{p->apts[i].x, p->apts[i].y});
                break;
            }
            default: break;
            }
            return 1;
        },
        &points, nullptr);
    return points;
}

} // namespace

// A 1 km segment through a 2 m x 1 m window, its ends 500,000 pixels off the
// device: the line, the polyline (plain and selected) and the view context's
// own drawing hand the device only points on the segment's true line.
TEST(Drawing, LongSegmentsKeepTheirDirectionAtAnyZoom)
{
    CViewContext vc;
    vc.SetDeviceOrigin(0, 0);
    vc.SetDeviceExtent(2000, 1000);
    vc.SetWorldWindow(499, 150.5, 501, 149.5);
    CREGDatabase db;
    db.SetGridState(GRID_HIDE);
    CLine* line = new CLine;
    line->SetPoints(0, 0, 1000, 300);
    db.AddEntity(line, false);
    AddPolyline(db, {{0, 0}, {1000, 300}});
    AddPolyline(db, {{1000, 300}, {0, 0}})->AddToSet(24);

    CMetaFileDC mf;
    const CRect frame(0, 0, 5000, 5000);
    ASSERT_TRUE(mf.CreateEnhanced(nullptr, nullptr, &frame, "test\0\0"));
    db.DrawEntities(&mf, &vc, DRAW_METAFILE);
    vc.SetDC(&mf);
    vc.DrawLine(CVector2D(0, 0), CVector2D(1000, 300));
    CArray<CVector2D, const CVector2D&> path;
    for (const CVector2D& p : {CVector2D(0, 0), CVector2D(500, 150), CVector2D(1000, 300)})
        path.Add(p);
    vc.DrawPolyline(path);
    vc.SetDC(nullptr);
    HENHMETAFILE h = mf.CloseEnhanced();
    ASSERT_NE(h, nullptr);
    const std::vector<POINT> points = RecordedPoints(h);
    ::DeleteEnhMetaFile(h);

    const CClipPoint a = vc.WorldToDeviceOffset(0, 0), b = vc.WorldToDeviceOffset(1000, 300);
    ASSERT_GT(b.x, 400000.0);
    const double length = std::hypot(b.x - a.x, b.y - a.y);
    ASSERT_GE(points.size(), 8u);
    bool reachesFar = false;
    for (const POINT& p : points) {
        const double off = ((b.x - a.x) * (p.y - a.y) - (b.y - a.y) * (p.x - a.x)) / length;
        EXPECT_LE(std::fabs(off), 1.5) << "(" << p.x << ", " << p.y << ")";
        EXPECT_LE(std::abs(p.x), 300000);
        EXPECT_LE(std::abs(p.y), 300000);
        reachesFar = reachesFar || std::abs(p.x) >= 299000;
    }
    // The part drawn runs to the edge of what a device is given, not short of it.
    EXPECT_TRUE(reachesFar);
}

// The ground under a slope is cut as a polygon: what lies on the device is
// filled as before, and a polygon reaching far off keeps its edges' lines.
TEST(Drawing, PolygonsAreCutToTheDeviceAsAWhole)
{
    CViewContext vc;
    vc.SetDeviceOrigin(0, 0);
    vc.SetDeviceExtent(200, 200);
    vc.SetWorldWindow(-1, 1, 1, -1);   // 100 pixels to the unit
    std::vector<POINT> out;
    const CVector2D inside[] = {{-0.5, -0.5}, {0.5, -0.5}, {0, 0.5}};
    vc.MapPolygon(inside, 3, out);
    ASSERT_EQ(out.size(), 3u);
    EXPECT_EQ(CPoint(out[2]), vc.WorldToDevice(0, 0.5));
    // A band 1 unit deep under a 10,000-unit slope: cut to the widened device,
    // its top edge still on the line y = 0.1 x.
    const CVector2D band[] = {{-5000, -500}, {5000, 500}, {5000, -10000}, {-5000, -10000}};
    vc.MapPolygon(band, 4, out);
    ASSERT_GE(out.size(), 3u);
    const CClipPoint p = vc.WorldToDeviceOffset(-5000, -500), q = vc.WorldToDeviceOffset(5000, 500);
    int onTop = 0;
    for (const POINT& d : out) {
        EXPECT_LE(std::abs(d.x), 300000);
        EXPECT_LE(std::abs(d.y), 300000);
        const double off =
            ((q.x - p.x) * (d.y - p.y) - (q.y - p.y) * (d.x - p.x)) / std::hypot(q.x - p.x, q.y - p.y);
        onTop += std::fabs(off) <= 1.5 ? 1 : 0;
    }
    // Where the top edge leaves the widened device on either side.
    EXPECT_GE(onTop, 2);
    const CVector2D away[] = {{5000, 5000}, {6000, 5000}, {6000, 6000}};
    vc.MapPolygon(away, 3, out);
    EXPECT_TRUE(out.empty());
}
