#include "formats/DxfFile.h"

#include <array>
#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdlib>
#include <new>
#include "framework/Exception.h"
#include "framework/File.h"

namespace {

bool IsBlank(const char* p)
{
    while (*p == ' ' || *p == '\t')
        ++p;
    return *p == '\0';
}

} // namespace

CDxfFile::CDxfFile(CStdioFile* pFile, void* pOwnerData) : m_pFile(pFile), m_pOwnerData(pOwnerData)
{
}

CDxfFile::~CDxfFile() = default;

// ---------------------------------------------------------------------------
// Group pairs

bool CDxfFile::ReadTextLine(CString& strLine)
{
    if (!m_pFile->ReadString(strLine))
        return false;
    ++m_nLine;
    // A last line ended by a lone carriage return keeps it; no value ends in one.
    const int n = strLine.GetLength();
    if (n > 0 && strLine[n - 1] == '\r')
        strLine = strLine.Left(n - 1);
    return true;
}

void CDxfFile::Fail(const CString& strWhy)
{
    if (m_strReadError.IsEmpty())
        m_strReadError.Format("Line %ld of the DXF file: %s", m_nLine, static_cast<LPCSTR>(strWhy));
    m_bAtEnd = true;
    m_bPairPending = false;
}

// A decimal number filling the whole value, spaces around it allowed.
bool CDxfFile::ParseNumber(const CString& strValue, double& value)
{
    const char* text = strValue;
    char* stop = nullptr;
    errno = 0;
    const double v = std::strtod(text, &stop);
    if (stop == text || !IsBlank(stop) || !std::isfinite(v)) {
        CString why;
        why.Format("a number is expected for group %d, not \"%s\".", m_nCode, text);
        Fail(why);
        return false;
    }
    value = v;
    return true;
}

bool CDxfFile::ParseInteger(const CString& strValue, long long& value)
{
    const char* text = strValue;
    char* stop = nullptr;
    errno = 0;
    const long long v = std::strtoll(text, &stop, 10);
    if (stop == text || !IsBlank(stop) || errno == ERANGE) {
        CString why;
        why.Format("a whole number is expected for group %d, not \"%s\".", m_nCode, text);
        Fail(why);
        return false;
    }
    value = v;
    return true;
}

// The next pair; false at the EOF marker, at the end of the file and after a
// fault. The pair stays in m_nCode and m_strValue for UnreadPair.
bool CDxfFile::ReadPair(int& nCode, CString& strValue)
{
    if (m_bPairPending) {
        m_bPairPending = false;
        nCode = m_nCode;
        strValue = m_strValue;
        return true;
    }
    if (m_bAtEnd)
        return false;
    CString codeLine;
    if (!ReadTextLine(codeLine)) {
        if (m_nLine == 0) {
            m_strReadError = "The DXF file is empty.";
            m_bAtEnd = true;
        } else {
            Fail("the file ends before its EOF marker.");
        }
        return false;
    }
    const char* text = codeLine;
    char* stop = nullptr;
    errno = 0;
    const long code = std::strtol(text, &stop, 10);
    if (stop == text || !IsBlank(stop) || errno == ERANGE || code < INT_MIN || code > INT_MAX) {
        CString why;
        why.Format("a group code is expected, not \"%s\".", text);
        Fail(why);
        return false;
    }
    m_nCode = static_cast<int>(code);
    if (!ReadTextLine(m_strValue)) {
        CString why;
        why.Format("the file ends before the value of group %d.", m_nCode);
        Fail(why);
        return false;
    }
    if (m_nCode == 0 && m_strValue == "EOF") {
        m_bAtEnd = true;
        return false;
    }
    nCode = m_nCode;
    strValue = m_strValue;
    return true;
}

int CDxfFile::NextEntity()
{
    int code;
    CString value;
    while (ReadPair(code, value)) {
        if (code != 0)
            continue;
        if (value == "LINE" || value == "POLYLINE" || value == "LWPOLYLINE") {
            if (m_nState == 1) {
                // A POLYLINE ends at any entity that is not one of its own.
                UnreadPair();
                return entOther;
            }
            return value == "LINE" ? entLine : value == "POLYLINE" ? entPolyline : entLwPolyline;
        }
        if (m_nState == 1) {
            if (value == "VERTEX")
                return entVertex;
            if (value == "SEQEND")
                return entSeqEnd;
            UnreadPair();
            return entOther;
        }
    }
    return entEnd;
}

template <class Take>
bool CDxfFile::ReadBody(Take take)
{
    int code;
    CString value;
    while (ReadPair(code, value)) {
        if (code == 0) {
            UnreadPair();
            return true;
        }
        if (!take(code, value))
            return false;
    }
    return true;
}

void CDxfFile::SkipBody()
{
    ReadBody([](int, const CString&) { return true; });
}

// ---------------------------------------------------------------------------
// Entity bodies. A layer group missing from an entity leaves the caller's default.

bool CDxfFile::ReadLineBody(CVector2D& a, CVector2D& b, CString& strLayer)
{
    bool have[4] = {false, false, false, false};
    double v[4] = {0, 0, 0, 0};
    const bool read = ReadBody([&](int code, const CString& value) {
        const int slot = code == 10 ? 0 : code == 20 ? 1 : code == 11 ? 2 : code == 21 ? 3 : -1;
        if (slot >= 0) {
            if (!ParseNumber(value, v[slot]))
                return false;
            have[slot] = true;
        } else if (code == 8) {
            strLayer = value;
        }
        return true;
    });
    if (!read)
        return false;
    a = CVector2D(v[0], v[1]);
    b = CVector2D(v[2], v[3]);
    return have[0] && have[1] && have[2] && have[3] && m_strReadError.IsEmpty();
}

bool CDxfFile::ReadPolylineBody(CString& strLayer, bool& bClosed)
{
    const bool read = ReadBody([&](int code, const CString& value) {
        if (code == 8) {
            strLayer = value;
        } else if (code == 70) {
            long long flags;
            if (!ParseInteger(value, flags))
                return false;
            bClosed = (flags & 1) != 0;
        }
        return true;
    });
    return read && m_strReadError.IsEmpty();
}

// Group 70 of a vertex holds the vertex's own flags, not the polyline's.
bool CDxfFile::ReadVertexBody(CVector2D& p, CString& strLayer)
{
    bool haveX = false, haveY = false;
    const bool read = ReadBody([&](int code, const CString& value) {
        if (code == 10) {
            if (!ParseNumber(value, p.x))
                return false;
            haveX = true;
        } else if (code == 20) {
            if (!ParseNumber(value, p.y))
                return false;
            haveY = true;
        } else if (code == 8) {
            strLayer = value;
        }
        return true;
    });
    return read && haveX && haveY && m_strReadError.IsEmpty();
}

// The vertices are appended as they come, never sized by group 90: the count
// only limits how many are taken. A 20 without its 10 makes no vertex.
void CDxfFile::ReadLwPolyline()
{
    m_lwCoords.clear();
    m_nLwVertexCount = 0;
    m_bLwClosed = 0;
    m_strLwLayer = "0";
    m_nLwNext = 0;
    double x = 0;
    bool haveX = false;
    ReadBody([&](int code, const CString& value) {
        switch (code) {
        case 8:
            m_strLwLayer = value;
            break;
        case 10:
            if (!ParseNumber(value, x))
                return false;
            haveX = true;
            break;
        case 20: {
            double y;
            if (!ParseNumber(value, y))
                return false;
            const size_t vertices = m_lwCoords.size() / 2;
            if (haveX && (m_nLwVertexCount <= 0 || vertices < static_cast<size_t>(m_nLwVertexCount))) {
                m_lwCoords.push_back(x);
                m_lwCoords.push_back(y);
            }
            haveX = false;
            break;
        }
        case 70: {
            long long flags;
            if (!ParseInteger(value, flags))
                return false;
            m_bLwClosed = (flags & 1) ? 1 : 0;
            break;
        }
        case 90: {
            long long count;
            if (!ParseInteger(value, count))
                return false;
            m_nLwVertexCount = count > 0 && count <= INT_MAX ? static_cast<int>(count) : 0;
            break;
        }
        default:
            break;
        }
        return true;
    });
}

// ---------------------------------------------------------------------------
// Segments

int CDxfFile::ReadSegment(double& x1, double& y1, double& x2, double& y2, CString& strLayer)
{
    for (;;) {
        if (m_nState == 2) {
            const size_t vertices = m_lwCoords.size() / 2;
            const size_t i = m_nLwNext++;
            x1 = m_lwCoords[2 * i];
            y1 = m_lwCoords[2 * i + 1];
            x2 = m_lwCoords[2 * i + 2];
            y2 = m_lwCoords[2 * i + 3];
            strLayer = m_strLwLayer;
            if (m_nLwNext + 1 >= vertices)
                m_nState = 0;
            return 1;
        }

        if (m_nState == 1) {
            const int kind = NextEntity();
            if (kind == entVertex) {
                CVector2D p(0, 0);
                CString vertexLayer = m_strPolyLayer;
                if (!ReadVertexBody(p, vertexLayer))
                    continue;  // a vertex without its point is left out
                if (m_nPolyVertices++ == 0) {
                    m_polyStart = m_polyLast = p;
                    continue;
                }
                x1 = m_polyLast.x;
                y1 = m_polyLast.y;
                x2 = p.x;
                y2 = p.y;
                strLayer = m_nPolyVertices == 2 ? m_strPolyLayer : vertexLayer;
                m_polyLast = p;
                return 1;
            }
            m_nState = 0;
            if (kind == entSeqEnd) {
                SkipBody();
                if (m_bPolyClosed && m_nPolyVertices >= 2) {
                    x1 = m_polyLast.x;
                    y1 = m_polyLast.y;
                    x2 = m_polyStart.x;
                    y2 = m_polyStart.y;
                    strLayer = m_strPolyLayer;
                    return 1;
                }
            }
            // Without its SEQEND a POLYLINE ends where the next entity or the
            // file begins, and a closed one is not closed by guesswork.
            continue;
        }

        switch (NextEntity()) {
        case entEnd:
            return 0;
        case entLine: {
            CVector2D a, b;
            CString layer = "0";
            if (!ReadLineBody(a, b, layer))
                continue;
            x1 = a.x;
            y1 = a.y;
            x2 = b.x;
            y2 = b.y;
            strLayer = layer;
            return 1;
        }
        case entPolyline:
            m_strPolyLayer = "0";
            m_bPolyClosed = false;
            m_nPolyVertices = 0;
            if (ReadPolylineBody(m_strPolyLayer, m_bPolyClosed))
                m_nState = 1;
            continue;
        case entLwPolyline:
            ReadLwPolyline();
            if (m_strReadError.IsEmpty() && m_lwCoords.size() >= 4) {
                if (m_bLwClosed) {
                    const double x0 = m_lwCoords[0], y0 = m_lwCoords[1];
                    m_lwCoords.push_back(x0);
                    m_lwCoords.push_back(y0);
                }
                m_nLwNext = 0;
                m_nState = 2;
            }
            continue;
        default:
            continue;
        }
    }
}

// ---------------------------------------------------------------------------
// Polylines

void CDxfFile::BuildStore()
{
    m_store.clear();
    m_nHandOut = 0;
    m_bStoreBuilt = true;
    try {
        std::vector<CDxfSegment> segments;
        CDxfSegment s;
        while (ReadSegment(s.from.x, s.from.y, s.to.x, s.to.y, s.layer))
            segments.push_back(s);
        if (m_strReadError.IsEmpty())
            m_store = ChainDxfSegments(segments);
    } catch (const std::bad_alloc&) {
        m_store.clear();
        m_strReadError = "There is not enough memory to read the DXF file.";
    } catch (CMemoryException* e) {
        e->Delete();
        m_store.clear();
        m_strReadError = "There is not enough memory to read the DXF file.";
    }
}

int CDxfFile::GetNextPolyline(const CVector2D*& pPoints, int& nSegments, CString& strLayer, bool& bClosed,
                              bool bBuildAndRelease)
{
    if (bBuildAndRelease && !m_bStoreBuilt)
        BuildStore();
    if (m_nHandOut < m_store.size()) {
        const CDxfPolyline& polyline = m_store[m_nHandOut++];
        pPoints = polyline.points.data();
        nSegments = static_cast<int>(polyline.points.size()) - 1;
        strLayer = polyline.layer;
        bClosed = polyline.closed;
        return 1;
    }
    m_nHandOut = 0;
    if (bBuildAndRelease) {
        m_store.clear();
        m_store.shrink_to_fit();
        m_bStoreBuilt = false;
    }
    return 0;
}

// ---------------------------------------------------------------------------
// Writing

void CDxfFile::WriteLines(std::initializer_list<LPCSTR> lines)
{
    for (LPCSTR line : lines) {
        m_pFile->WriteString(line);
        m_pFile->WriteString("\n");
    }
}

void CDxfFile::WriteNumber(double value)
{
    CString text;
    text.Format("%.16g\n", value);
    m_pFile->WriteString(text);
}

void CDxfFile::WriteInteger(int value)
{
    CString text;
    text.Format("%6d\n", value);
    m_pFile->WriteString(text);
}

void CDxfFile::WriteHeader(double xmin, double ymin, double xmax, double ymax)
{
    WriteLines({"  0", "SECTION", "  2", "HEADER", "  9", "$EXTMIN", " 10"});
    WriteNumber(xmin);
    WriteLines({" 20"});
    WriteNumber(ymin);
    WriteLines({" 30", "0.0", "  9", "$EXTMAX", " 10"});
    WriteNumber(xmax);
    WriteLines({" 20"});
    WriteNumber(ymax);
    WriteLines({" 30", "0.0", "  0", "ENDSEC"});
}

void CDxfFile::WriteTables()
{
    WriteLines({"  0", "SECTION", "  2", "TABLES"});
    WriteLines({"  0", "TABLE", "  2", "LTYPE", " 70", "     1", "  0", "LTYPE", "  2", "CONTINUOUS",
                " 70", "    64", "  3", "Solid line", " 72", "    65", " 73", "     0", " 40", "0.0",
                "  0", "ENDTAB"});
    WriteLines({"  0", "TABLE", "  2", "LAYER", " 70", "     2", "  0", "LAYER", "  2", "0", " 70",
                "     0", " 62", "     7", "  6", "CONTINUOUS", "  0", "ENDTAB"});
    WriteLines({"  0", "TABLE", "  2", "STYLE", " 70", "     1", "  0", "STYLE", "  2", "STANDARD",
                " 70", "     0", " 40", "0.0", " 41", "1.0", " 50", "0.0", " 71", "     0", " 42", "0.2",
                "  3", "txt", "  4", "", "  0", "ENDTAB"});
    WriteLines({"  0", "ENDSEC"});
}

void CDxfFile::BeginEntities()
{
    WriteLines({"  0", "SECTION", "  2", "ENTITIES"});
}

void CDxfFile::WritePolyline(const CVector2D* pPoints, int nCount, COLORREF colour, LPCSTR lpszLayer)
{
    if (!pPoints || nCount < 2)
        return;
    const int c = NearestColourIndex(colour);
    WriteLines({"  0", "POLYLINE", "  8", lpszLayer, " 62"});
    WriteInteger(c);
    WriteLines({" 40", "0", " 41", "0", " 66", "     1"});
    for (int i = 0; i < nCount; ++i) {
        WriteLines({"  0", "VERTEX", "  8", lpszLayer, " 62"});
        WriteInteger(c);
        WriteLines({" 10"});
        WriteNumber(pPoints[i].x);
        WriteLines({" 20"});
        WriteNumber(pPoints[i].y);
        WriteLines({" 30", "0"});
    }
    WriteLines({"  0", "SEQEND", "  8", lpszLayer});
}

void CDxfFile::WriteEnd()
{
    WriteLines({"  0", "ENDSEC", "  0", "EOF"});
}

// ---------------------------------------------------------------------------
// Colours

namespace {

using Rgb = std::array<int, 3>;

// The DXF colour numbers: eight named colours and two greys, 24 hues in steps
// of 15 degrees from red over yellow, green, cyan and blue to magenta (each a
// full colour and its pale tint at five brightness levels), and six greys.
std::array<Rgb, 256> MakeColourTable()
{
    std::array<Rgb, 256> t{};
    const Rgb named[10] = {{0, 0, 0},     {255, 0, 0},   {255, 255, 0},   {0, 255, 0},     {0, 255, 255},
                           {0, 0, 255},   {255, 0, 255}, {255, 255, 255}, {65, 65, 65},    {128, 128, 128}};
    for (int i = 0; i < 10; ++i)
        t[i] = named[i];
    const int levels[5] = {255, 189, 129, 104, 79};
    for (int hue = 0; hue < 24; ++hue) {
        // The rising or falling channel of the hue's sextant, in quarters.
        const int sextant = hue / 4, quarter = hue % 4;
        const int up = 255 * quarter / 4, down = 255 * (4 - quarter) / 4;
        Rgb full{};
        switch (sextant) {
        case 0: full = {255, up, 0}; break;
        case 1: full = {down, 255, 0}; break;
        case 2: full = {0, 255, up}; break;
        case 3: full = {0, down, 255}; break;
        case 4: full = {up, 0, 255}; break;
        default: full = {255, 0, down}; break;
        }
        Rgb pale{};
        for (int k = 0; k < 3; ++k)
            pale[k] = static_cast<int>(std::lround(170.0 + full[k] / 3.0));
        for (int level = 0; level < 5; ++level) {
            Rgb dimFull{}, dimPale{};
            for (int k = 0; k < 3; ++k) {
                dimFull[k] = static_cast<int>(std::lround(full[k] * levels[level] / 255.0));
                dimPale[k] = static_cast<int>(std::lround(pale[k] * levels[level] / 255.0));
            }
            t[10 + 10 * hue + 2 * level] = dimFull;
            t[11 + 10 * hue + 2 * level] = dimPale;
        }
    }
    const int greys[6] = {51, 80, 105, 130, 190, 255};
    for (int i = 0; i < 6; ++i)
        t[250 + i] = {greys[i], greys[i], greys[i]};
    return t;
}

} // namespace

int CDxfFile::NearestColourIndex(COLORREF colour)
{
    static const std::array<Rgb, 256> table = MakeColourTable();
    const int r = GetRValue(colour), g = GetGValue(colour), b = GetBValue(colour);
    int best = 0;
    long bestDistance = LONG_MAX;
    for (int i = 0; i < 256; ++i) {
        const long dr = r - table[i][0], dg = g - table[i][1], db = b - table[i][2];
        const long d = dr * dr + dg * dg + db * db;
        if (d < bestDistance) {
            bestDistance = d;
            best = i;
        }
    }
    return best;
}
