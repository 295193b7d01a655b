// Page formatting of a rich edit control for printing, for systems whose
// control does not do it itself (EM_FORMATRANGE answering nothing). The text
// and its character formats are read from the control; each paragraph is
// wrapped at blanks into lines, each line as high as its tallest font, and
// lines are placed until the page is full.
#include "framework/RichEdit.h"

#include <algorithm>
#include <string>
#include <vector>

namespace {

// A stretch of text in one character format.
struct Run {
    long start = 0;  // index in the control
    std::string text;
    CHARFORMAT2A format{};
};

bool SameFormat(const CHARFORMAT2A& a, const CHARFORMAT2A& b) {
    return a.dwEffects == b.dwEffects && a.yHeight == b.yHeight && a.crTextColor == b.crTextColor &&
           strcmp(a.szFaceName, b.szFaceName) == 0;
}

// The control's text from `from` on, cut into runs of one format, and the
// paragraph ends among them (as runs of "\r").
std::vector<Run> ReadRuns(HWND edit, long from, long length) {
    std::vector<Run> runs;
    if (from >= length) return runs;
    std::string text(static_cast<size_t>(length - from) + 1, '\0');
    TEXTRANGEA range{{from, length}, text.data()};
    const long got = static_cast<long>(::SendMessageA(edit, EM_GETTEXTRANGE, 0, reinterpret_cast<LPARAM>(&range)));
    text.resize(static_cast<size_t>(std::max(0L, got)));
    // The formats are read through the selection, which is put back after.
    CHARRANGE saved{};
    ::SendMessageA(edit, EM_EXGETSEL, 0, reinterpret_cast<LPARAM>(&saved));
    const LRESULT firstLine = ::SendMessageA(edit, EM_GETFIRSTVISIBLELINE, 0, 0);
    ::SendMessageA(edit, EM_HIDESELECTION, TRUE, FALSE);
    for (size_t i = 0; i < text.size(); ++i) {
        CHARRANGE one{from + static_cast<long>(i), from + static_cast<long>(i) + 1};
        ::SendMessageA(edit, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&one));
        CHARFORMAT2A format{};
        format.cbSize = sizeof(format);
        ::SendMessageA(edit, EM_GETCHARFORMAT, SCF_SELECTION, reinterpret_cast<LPARAM>(&format));
        const bool paragraphEnd = text[i] == '\r' || text[i] == '\n';
        if (runs.empty() || paragraphEnd || runs.back().text == "\r" || !SameFormat(runs.back().format, format)) {
            runs.push_back(Run{one.cpMin, std::string(), format});
        }
        runs.back().text += paragraphEnd ? '\r' : text[i];
    }
    ::SendMessageA(edit, EM_EXSETSEL, 0, reinterpret_cast<LPARAM>(&saved));
    ::SendMessageA(edit, EM_HIDESELECTION, FALSE, FALSE);
    const LRESULT nowFirst = ::SendMessageA(edit, EM_GETFIRSTVISIBLELINE, 0, 0);
    ::SendMessageA(edit, EM_LINESCROLL, 0, firstLine - nowFirst);
    return runs;
}

HFONT MakeFont(const CHARFORMAT2A& f, int dpiY) {
    LOGFONTA lf{};
    lf.lfHeight = -MulDiv(f.yHeight > 0 ? f.yHeight : 200, dpiY, 1440);
    lf.lfWeight = (f.dwEffects & CFE_BOLD) ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = (f.dwEffects & CFE_ITALIC) ? TRUE : FALSE;
    lf.lfUnderline = (f.dwEffects & CFE_UNDERLINE) ? TRUE : FALSE;
    lf.lfCharSet = DEFAULT_CHARSET;
    lstrcpynA(lf.lfFaceName, f.szFaceName[0] != '\0' ? f.szFaceName : "Arial", LF_FACESIZE);
    return ::CreateFontIndirectA(&lf);
}

// A piece of one run placed on a line.
struct Piece {
    const Run* run;
    size_t offset, count;
    int x, width;
};

} // namespace

BOOL AfxRichEditFormatsPages() {
    static const BOOL supported = [] {
        if (!AfxInitRichEdit2()) return FALSE;
        HWND probe = ::CreateWindowExA(0, "RichEdit20A", "ab", WS_POPUP | ES_MULTILINE, 0, 0, 100, 100, nullptr,
                                       nullptr, nullptr, nullptr);
        if (probe == nullptr) return FALSE;
        HDC screen = ::GetDC(nullptr);
        FORMATRANGE fr{};
        fr.hdc = fr.hdcTarget = screen;
        fr.rcPage = fr.rc = RECT{0, 0, 14400, 14400};
        fr.chrg = CHARRANGE{0, -1};
        const LRESULT next = ::SendMessageA(probe, EM_FORMATRANGE, FALSE, reinterpret_cast<LPARAM>(&fr));
        ::SendMessageA(probe, EM_FORMATRANGE, FALSE, 0);
        ::ReleaseDC(nullptr, screen);
        ::DestroyWindow(probe);
        return next > 0 ? TRUE : FALSE;
    }();
    return supported;
}

long CRichEditCtrl::FormatRange(FORMATRANGE* fr, BOOL display) {
    if (fr == nullptr || AfxRichEditFormatsPages())
        return static_cast<long>(SendMessage(EM_FORMATRANGE, display, reinterpret_cast<LPARAM>(fr)));
    return AfxFormatRichEditRange(m_hWnd, fr, display);
}

long AfxFormatRichEditRange(HWND edit, FORMATRANGE* fr, BOOL display) {
    if (edit == nullptr || fr == nullptr) return 0;
    HDC target = fr->hdcTarget != nullptr ? fr->hdcTarget : fr->hdc;
    const int dpiX = std::max(1, ::GetDeviceCaps(target, LOGPIXELSX));
    const int dpiY = std::max(1, ::GetDeviceCaps(target, LOGPIXELSY));
    const int left = MulDiv(fr->rc.left, dpiX, 1440), right = MulDiv(fr->rc.right, dpiX, 1440);
    const int top = MulDiv(fr->rc.top, dpiY, 1440), bottom = MulDiv(fr->rc.bottom, dpiY, 1440);
    // The end in the control's own positions, as the control's formatting
    // answers: a paragraph end is one character (a window text's length
    // counts it as two).
    GETTEXTLENGTHEX how{GTL_NUMCHARS | GTL_PRECISE, CP_ACP};
    const long length = static_cast<long>(::SendMessageA(edit, EM_GETTEXTLENGTHEX, reinterpret_cast<WPARAM>(&how), 0));
    long end = fr->chrg.cpMax < 0 ? length : std::min<long>(fr->chrg.cpMax, length);
    const long from = std::max<long>(0, fr->chrg.cpMin);
    if (from >= end || right <= left) return from;
    const std::vector<Run> runs = ReadRuns(edit, from, end);
    if (runs.empty()) return from;
    const int tab = std::max(1, MulDiv(720, dpiX, 1440));

    // Fonts of the runs, made once.
    std::vector<HFONT> fonts;
    for (const Run& r : runs) fonts.push_back(MakeFont(r.format, dpiY));
    HGDIOBJ oldFont = ::SelectObject(target, fonts[0]);
    HDC out = fr->hdc;
    int oldMode = 0;
    HGDIOBJ oldOutFont = nullptr;
    if (display && out != nullptr) {
        oldMode = ::SetBkMode(out, TRANSPARENT);
        oldOutFont = ::SelectObject(out, fonts[0]);
    }
    auto widthOf = [&](size_t run, size_t offset, size_t count, int x) {
        ::SelectObject(target, fonts[run]);
        int w = 0;
        const std::string& t = runs[run].text;
        for (size_t i = offset; i < offset + count; ++i) {
            if (t[i] == '\t') {
                w = ((x - left + w) / tab + 1) * tab - (x - left);
            } else {
                SIZE s{};
                ::GetTextExtentPoint32A(target, &t[i], 1, &s);
                w += s.cx;
            }
        }
        return w;
    };
    auto heightOf = [&](size_t run, int& ascent) {
        ::SelectObject(target, fonts[run]);
        TEXTMETRICA tm{};
        ::GetTextMetricsA(target, &tm);
        ascent = tm.tmAscent;
        return tm.tmHeight;
    };

    long next = from;  // first character not yet placed
    int y = top;
    size_t run = 0, offset = 0;
    bool pageFull = false;
    while (run < runs.size() && !pageFull) {
        // One line: pieces until the width is used up or the paragraph ends.
        std::vector<Piece> line;
        int x = left, lineHeight = 0, lineAscent = 0;
        size_t breakRun = run, breakOffset = offset;  // after the last blank placed
        bool haveBreak = false, paragraphEnd = false;
        size_t r = run, o = offset;
        while (r < runs.size()) {
            const std::string& t = runs[r].text;
            if (t == "\r") {
                int ascent = 0;
                const int h = heightOf(r, ascent);
                lineHeight = std::max(lineHeight, h);
                lineAscent = std::max(lineAscent, ascent);
                paragraphEnd = true;
                ++r;
                o = 0;
                break;
            }
            int ascent = 0;
            const int h = heightOf(r, ascent);
            // Characters of this run while they fit.
            size_t count = 0;
            int w = 0;
            bool full = false;
            while (o + count < t.size()) {
                const int cw = widthOf(r, o + count, 1, x + w);
                if (x + w + cw > right && !(line.empty() && count == 0)) {
                    full = true;
                    break;
                }
                w += cw;
                ++count;
                if (t[o + count - 1] == ' ' || t[o + count - 1] == '\t') {
                    haveBreak = true;
                    breakRun = r;
                    breakOffset = o + count;
                }
            }
            if (count > 0) {
                line.push_back(Piece{&runs[r], o, count, x, w});
                lineHeight = std::max(lineHeight, h);
                lineAscent = std::max(lineAscent, ascent);
                x += w;
            }
            if (full) {
                // Wrap after the last blank when there is one on the line.
                if (haveBreak) {
                    while (!line.empty() && (line.back().run - runs.data() > static_cast<long>(breakRun) ||
                                             (line.back().run - runs.data() == static_cast<long>(breakRun) &&
                                              line.back().offset >= breakOffset)))
                        line.pop_back();
                    if (!line.empty() && line.back().run - runs.data() == static_cast<long>(breakRun))
                        line.back().count = breakOffset - line.back().offset;
                    r = breakRun;
                    o = breakOffset;
                    if (o >= runs[r].text.size()) {
                        ++r;
                        o = 0;
                    }
                } else {
                    o += count;
                }
                break;
            }
            ++r;
            o = 0;
        }
        if (lineHeight == 0) {
            int ascent = 0;
            lineHeight = heightOf(std::min(run, runs.size() - 1), ascent);
            lineAscent = ascent;
        }
        if (y + lineHeight > bottom) {
            pageFull = true;
            break;
        }
        if (display && out != nullptr) {
            for (const Piece& p : line) {
                const size_t index = static_cast<size_t>(p.run - runs.data());
                ::SelectObject(out, fonts[index]);
                ::SetTextColor(out, (p.run->format.dwEffects & CFE_AUTOCOLOR) ? RGB(0, 0, 0) : p.run->format.crTextColor);
                int ascent = 0;
                heightOf(index, ascent);
                // Tabs are spaces between pieces: draw the text between them.
                int px = p.x;
                size_t start = p.offset;
                for (size_t i = p.offset; i <= p.offset + p.count; ++i) {
                    if (i == p.offset + p.count || p.run->text[i] == '\t') {
                        if (i > start)
                            ::TextOutA(out, px, y + lineAscent - ascent, &p.run->text[start], static_cast<int>(i - start));
                        if (i < p.offset + p.count) {
                            px += widthOf(index, start, i - start + 1, px);
                            start = i + 1;
                        }
                    }
                }
            }
        }
        y += lineHeight;
        run = r;
        offset = o;
        next = run < runs.size() ? runs[run].start + static_cast<long>(offset) : end;
        (void)paragraphEnd;
    }
    if (display && out != nullptr) {
        ::SelectObject(out, oldOutFont);
        ::SetBkMode(out, oldMode);
    }
    ::SelectObject(target, oldFont);
    for (HFONT f : fonts) ::DeleteObject(f);
    return next;
}
