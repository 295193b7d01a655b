#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "framework/DC.h"
#include "framework/Print.h"
#include "framework/View.h"

namespace {

// Records the print hooks and draws a black square on every page.
class CPagesView : public CView
{
public:
    void OnDraw(CDC*) override {}
    void OnBeginPrinting(CDC*, CPrintInfo*) override { calls.push_back("begin"); }
    void OnEndPrinting(CDC*, CPrintInfo*) override { calls.push_back("end"); }
    void OnPrint(CDC* pDC, CPrintInfo* pInfo) override
    {
        calls.push_back("print " + std::to_string(pInfo->m_nCurPage));
        printing = printing && pDC->IsPrinting();
        RECT r{10, 10, 60, 60};
        ::FillRect(pDC->GetSafeHdc(), &r, static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
    }
    std::vector<std::string> calls;
    bool printing = true;
};

// Pages go to a memory bitmap; each finished page is checked for ink.
class CMemoryTarget : public CPrintTarget
{
public:
    CMemoryTarget()
    {
        m_dc.CreateCompatibleDC(nullptr);
        BITMAPINFO bi{};
        bi.bmiHeader.biSize = sizeof(bi.bmiHeader);
        bi.bmiHeader.biWidth = 100;
        bi.bmiHeader.biHeight = -100;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        m_bitmap = ::CreateDIBSection(nullptr, &bi, DIB_RGB_COLORS, reinterpret_cast<void**>(&m_bits), nullptr, 0);
        m_old = ::SelectObject(m_dc.GetSafeHdc(), m_bitmap);
    }
    ~CMemoryTarget() override
    {
        ::SelectObject(m_dc.GetSafeHdc(), m_old);
        ::DeleteObject(m_bitmap);
    }
    CDC& GetDC() override { return m_dc; }
    bool StartDoc(LPCSTR title) override
    {
        events.push_back(std::string("doc ") + title);
        return true;
    }
    bool StartPage() override
    {
        std::fill(m_bits, m_bits + 100 * 100, 0x00FFFFFFu);
        events.push_back("page");
        return true;
    }
    bool EndPage() override
    {
        int ink = 0;
        for (int i = 0; i < 100 * 100; ++i)
            ink += (m_bits[i] & 0xFFFFFF) == 0;
        inkPerPage.push_back(ink);
        events.push_back("end page");
        return failAtPage == 0 || static_cast<int>(inkPerPage.size()) < failAtPage;
    }
    bool EndDoc() override
    {
        events.push_back("end doc");
        return true;
    }
    void AbortDoc() override { events.push_back("abort"); }

    std::vector<std::string> events;
    std::vector<int> inkPerPage;
    int failAtPage = 0;

private:
    CDC m_dc;
    HBITMAP m_bitmap = nullptr;
    HGDIOBJ m_old = nullptr;
    DWORD* m_bits = nullptr;
};

}  // namespace

TEST(PrintLoop, PrintsEveryPageBetweenStartAndEndDoc)
{
    CPagesView view;
    CMemoryTarget target;
    CPrintInfo info;
    info.SetMaxPage(3);
    EXPECT_TRUE(AfxPrintPages(view, info, target, "slope"));
    EXPECT_EQ(view.calls, (std::vector<std::string>{"begin", "print 1", "print 2", "print 3", "end"}));
    EXPECT_EQ(target.events, (std::vector<std::string>{"doc slope", "page", "end page", "page", "end page", "page",
                                                       "end page", "end doc"}));
    // 50 x 50 black pixels on each page.
    EXPECT_EQ(target.inkPerPage, (std::vector<int>{2500, 2500, 2500}));
    EXPECT_TRUE(view.printing);
}

TEST(PrintLoop, ViewWithoutPageCountPrintsOnePage)
{
    CPagesView view;
    CMemoryTarget target;
    CPrintInfo info;
    EXPECT_TRUE(AfxPrintPages(view, info, target, "one"));
    EXPECT_EQ(target.inkPerPage.size(), 1u);
}

TEST(PrintLoop, FailedPageAbortsTheJobAndStillEndsPrinting)
{
    CPagesView view;
    CMemoryTarget target;
    target.failAtPage = 2;
    CPrintInfo info;
    info.SetMaxPage(5);
    EXPECT_FALSE(AfxPrintPages(view, info, target, "x"));
    EXPECT_EQ(target.inkPerPage.size(), 2u);
    EXPECT_EQ(target.events.back(), "abort");
    EXPECT_EQ(view.calls.back(), "end");
}

TEST(PrintLoop, PageRangeFromTheDialog)
{
    CPagesView view;
    CMemoryTarget target;
    CPrintInfo info;
    info.SetMaxPage(9);
    info.m_pd.Flags |= PD_PAGENUMS;
    info.m_pd.nFromPage = 4;
    info.m_pd.nToPage = 5;
    EXPECT_TRUE(AfxPrintPages(view, info, target, "x"));
    EXPECT_EQ(view.calls, (std::vector<std::string>{"begin", "print 4", "print 5", "end"}));
}
