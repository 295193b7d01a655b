// Data offered on the clipboard and dropped on a window through OLE.
#include <gtest/gtest.h>

#include <cstring>
#include <string>

#include "framework/OleData.h"
#include "framework/Wnd.h"

namespace {

HGLOBAL TextMemory(const char* text) {
    size_t n = std::strlen(text) + 1;
    HGLOBAL h = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_SHARE, n);
    std::memcpy(::GlobalLock(h), text, n);
    ::GlobalUnlock(h);
    return h;
}

std::string TextOf(HGLOBAL h) {
    std::string s(static_cast<const char*>(::GlobalLock(h)));
    ::GlobalUnlock(h);
    return s;
}

struct OleSession {
    OleSession() { ::OleInitialize(nullptr); }
    ~OleSession() { ::OleUninitialize(); }
};

class CCountedSource : public COleDataSource {
public:
    static inline int alive = 0;
    CCountedSource() { ++alive; }
    ~CCountedSource() override { --alive; }
};

} // namespace

TEST(OleDataTest, ClipboardTakesTheSourceAndGivesTheDataBack) {
    OleSession ole;
    auto* source = new CCountedSource;
    source->CacheGlobalData(CF_TEXT, TextMemory("1\t2\r\n3\t4\r\n"));
    source->SetClipboard(); // the clipboard owns it now

    COleDataObject data;
    ASSERT_TRUE(data.AttachClipboard());
    EXPECT_TRUE(data.IsDataAvailable(CF_TEXT));
    EXPECT_FALSE(data.IsDataAvailable(CF_BITMAP));
    HGLOBAL text = data.GetGlobalData(CF_TEXT);
    ASSERT_NE(text, nullptr);
    EXPECT_EQ(TextOf(text), "1\t2\r\n3\t4\r\n");
    ::GlobalFree(text);
    data.Release();

    // Other programs see plain clipboard text.
    ASSERT_TRUE(::OpenClipboard(nullptr));
    HANDLE plain = ::GetClipboardData(CF_TEXT);
    ASSERT_NE(plain, nullptr);
    EXPECT_EQ(TextOf(plain), "1\t2\r\n3\t4\r\n");
    ::CloseClipboard();

    // A new clipboard content lets go of the old source.
    auto* next = new CCountedSource;
    next->CacheGlobalData(CF_TEXT, TextMemory("x"));
    next->SetClipboard();
    EXPECT_EQ(CCountedSource::alive, 1);
    COleDataSource::FlushClipboard();
    EXPECT_EQ(CCountedSource::alive, 0);
}

namespace {

class CTestDropTarget : public COleDropTarget {
public:
    std::string dropped;
    CPoint lastPoint;
    int left = 0;
    DROPEFFECT OnDragEnter(CWnd*, COleDataObject* data, DWORD keys, CPoint point) override {
        lastPoint = point;
        if (!data->IsDataAvailable(CF_TEXT)) return DROPEFFECT_NONE;
        return (keys & MK_CONTROL) ? DROPEFFECT_COPY : DROPEFFECT_MOVE;
    }
    DROPEFFECT OnDragOver(CWnd* wnd, COleDataObject* data, DWORD keys, CPoint point) override {
        return OnDragEnter(wnd, data, keys, point);
    }
    DROPEFFECT OnDragScroll(CWnd*, DWORD keys, CPoint) override {
        return (keys & MK_CONTROL) ? DROPEFFECT_COPY : DROPEFFECT_MOVE; // never scrolls
    }
    BOOL OnDrop(CWnd*, COleDataObject* data, DROPEFFECT, CPoint) override {
        HGLOBAL h = data->GetGlobalData(CF_TEXT);
        if (h == nullptr) return FALSE;
        dropped = TextOf(h);
        ::GlobalFree(h);
        return TRUE;
    }
    void OnDragLeave(CWnd*) override { ++left; }
};

} // namespace

TEST(OleDataTest, ADropTargetSeesTheOfferedDataInClientCoordinates) {
    OleSession ole;
    CWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, "drop", WS_OVERLAPPEDWINDOW, 100, 100, 200, 200, nullptr, nullptr));
    CTestDropTarget target;
    ASSERT_TRUE(target.Register(&wnd));
    COleDataSource source;
    source.CacheGlobalData(CF_TEXT, TextMemory("dragged"));

    // Play the system's part of a drag over the window.
    LPDROPTARGET system = target.GetDropTargetInterface();
    CPoint client(10, 20);
    wnd.ClientToScreen(&client);
    POINTL at{client.x, client.y};
    DWORD effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    ASSERT_EQ(system->DragEnter(source.GetDataObject(), MK_LBUTTON | MK_CONTROL, at, &effect), S_OK);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_COPY));
    EXPECT_EQ(target.lastPoint, CPoint(10, 20));
    effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    system->DragOver(MK_LBUTTON, at, &effect);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_MOVE));
    effect = DROPEFFECT_COPY | DROPEFFECT_MOVE;
    system->Drop(source.GetDataObject(), 0, at, &effect);
    EXPECT_EQ(effect, static_cast<DWORD>(DROPEFFECT_MOVE));
    EXPECT_EQ(target.dropped, "dragged");

    // A drag that leaves without dropping.
    effect = DROPEFFECT_COPY;
    system->DragEnter(source.GetDataObject(), MK_LBUTTON, at, &effect);
    system->DragLeave();
    EXPECT_EQ(target.left, 1);
    target.Revoke();
    wnd.DestroyWindow();
}
