// CMeasure's block of the drawing-tools file: written at a version, read at
// any version from 1 to 7. Groups newer than the file's version keep the
// defaults of that version's reader.
#include "tools/Measure.h"

#include <cstdio>
#include "framework/Gdi.h"
#include "tools/ToolsFile.h"

namespace {

constexpr LPCSTR kNoFile = "NO_FILE_LOADED";
constexpr LPCSTR kNoPath = "NO_PATH_LOADED";
constexpr LPCSTR kNoText = "NO TEXT";

class CBlockWriter
{
public:
    explicit CBlockWriter(std::string& out) : m_out(out) {}

    void Line(LPCSTR text)
    {
        m_out += text;
        m_out += '\n';
    }
    void Value(LPCSTR label, int value)
    {
        Line(label);
        Line(std::to_string(value).c_str());
    }
    void Flag(LPCSTR label, bool value) { Value(label, value ? 1 : 0); }
    void Number(LPCSTR label, double value)
    {
        Line(label);
        Line(FormatToolNumber(value).c_str());
    }
    void Point(LPCSTR label, const CVector2D& p)
    {
        if (label)
            Line(label);
        Line((FormatToolNumber(p.x) + " " + FormatToolNumber(p.y)).c_str());
    }
    void Colour(LPCSTR label, COLORREF c)
    {
        Line(label);
        char text[40];
        snprintf(text, sizeof text, "%d %d %d", (int)GetRValue(c), (int)GetGValue(c), (int)GetBValue(c));
        Line(text);
    }
    void Text(LPCSTR label, const CString& value)
    {
        Line(label);
        Line(value);
    }

private:
    std::string& m_out;
};

CString NameOrSentinel(const CString& name, LPCSTR sentinel)
{
    return name.IsEmpty() ? CString(sentinel) : name;
}

CString SentinelOrName(const std::string& line, LPCSTR sentinel)
{
    return line == sentinel ? CString() : CString(line.c_str());
}

} // namespace

void CMeasure::WriteEntity(std::string& out, int version)
{
    CBlockWriter w(out);
    w.Line("*START ENTITY");
    const LPCSTR word = KindWord(m_nType);
    w.Line(word ? word : "Measure");
    if (version >= 7) {
        w.Value("* pen_line_style", m_nPenStyle);
        w.Flag("* text_outline", m_bTextOutline);
        w.Colour("* text_color", m_crText);
    }
    if (version >= 6) {
        w.Value("* rotation_degrees_ccw", m_nRotation);
        w.Value("* dim_text_flag", m_nDimTextFlag);
        w.Flag("* is_dimension_units", m_bDimensionUnits);
        w.Flag("* is_exterior_line", m_bExteriorLine);
    }
    if (version >= 5) {
        w.Value("* convert_to_inches", m_nConvertToInches);
        w.Flag("* swap_arrows", m_bSwapArrows);
        w.Value("* num_decimal_places", m_nDecimals);
        w.Flag("* is_behind_text_line", m_bBehindTextLine);
    }
    if (version >= 4) {
        w.Flag("* is_extension_line", m_bExtensionLine);
        w.Flag("* is_dimension_primary_line", m_bPrimaryLine);
        w.Value("* dimension_style", m_nDimensionStyle);
        w.Value("* current_num_vertices", GetVertexCount());
        for (int i = 2; i < GetVertexCount(); ++i)
            w.Point(nullptr, GetVertexPoint(i));
    }
    if (version >= 3) {
        w.Flag("* image_behind_geometry", m_bImageBehind);
        // An empty name is written as its sentinel; the tool keeps its empty name.
        w.Text("*file_name", NameOrSentinel(m_strImageFile, kNoFile));
        w.Text("*path_name", NameOrSentinel(m_strImagePath, kNoPath));
        w.Colour("* fill_color", m_crTransparent);
        w.Value("* image_scale_style", m_nImageScaleStyle);
        w.Flag("* move_locked", IsLocked());
        w.Flag("* transparent", m_bTransparent);
        w.Flag("* alpha", m_bAlpha);
        w.Value("* alpha_percent", m_nAlphaPercent);
    }
    if (version >= 2) {
        w.Number("* x_axis_spacing", m_dXSpacing);
        w.Number("* y_axis_spacing", m_dYSpacing);
        w.Flag("* is_axis_spacing", m_bAxisSpacing);
    }
    w.Number("* arc_begin", m_dArcBegin);
    w.Number("* arc_end", m_dArcEnd);
    w.Flag("* is_arc", m_bIsArc);
    w.Flag("* is_circle", m_bIsCircle);
    w.Flag("* arrow_at_head", m_bArrowAtHead);
    w.Flag("* arrow_at_tail", m_bArrowAtTail);
    w.Flag("* axis_left", m_bAxisLeft);
    w.Flag("* axis_right", m_bAxisRight);
    w.Flag("* axis_top", m_bAxisTop);
    w.Flag("* axis_bottom", m_bAxisBottom);
    w.Flag("* axis_global_coords", m_bAxisGlobalCoords);
    w.Flag("* is_hatched_interior", m_bHatched);
    w.Value("* hatch_style_index", m_nHatchStyle);
    w.Flag("* is_filled", m_bFilled);
    w.Value("* line_weight", m_nLineWeight);
    w.Colour("* fill_color", m_crFill);
    w.Colour("* entity_color", m_crColour);
    w.Point("* start", GetStartPoint());
    w.Point("* end", GetEndPoint());
    int size = 12, weight = FW_NORMAL;
    bool italic = false;
    CString face = "Arial";
    if (HasStoredFont(m_nType)) {
        LOGFONTA font{};
        m_textStyle.GetFont(size, font);
        weight = font.lfWeight;
        italic = font.lfItalic != 0;
        CFont* pFont = m_textStyle.GetFontObject();
        if (pFont->GetSafeHandle() == nullptr)
            pFont->CreateFontIndirect(&font);
        LOGFONTA actual{};
        if (pFont->GetSafeHandle() != nullptr && pFont->GetLogFont(&actual))
            face = actual.lfFaceName;
        else
            face = font.lfFaceName;
    }
    w.Value("* font_size", size);
    w.Value("* font_weight", weight);
    w.Flag("* font_italic", italic);
    w.Text("* font_name", face);
    // One line per line of the text; the line ends are those of the file.
    int lines = 1;
    for (int i = 0; i < m_strText.GetLength(); ++i)
        lines += m_strText[i] == '\n' ? 1 : 0;
    w.Value("*number of lines in entity_text", lines);
    if (m_strText.IsEmpty()) {
        w.Line(kNoText);
    } else {
        std::string line;
        for (int i = 0; i <= m_strText.GetLength(); ++i) {
            const char c = i < m_strText.GetLength() ? m_strText[i] : '\n';
            if (c == '\n') {
                w.Line(line.c_str());
                line.clear();
            } else if (c != '\r') {
                line += c;
            }
        }
    }
    w.Line("*END ENTITY");
    w.Line("*");
}

bool CMeasure::ReadEntity(CToolsTextReader& in, int version)
{
    // Version 7 group. Files older than a group never had its flags: the text
    // frame and the outline were always drawn, so they read as shown.
    int penStyle = 0;
    bool outline = true;
    unsigned long textColour = 0;
    // Version 6 group.
    int rotation = 0, dimTextFlag = 0;
    bool units = false, exterior = true;
    // Version 5 group.
    int toInches = 0, decimals = 0;
    bool swap = false, behindText = false;
    // Version 4 group.
    bool extension = false, primary = false;
    int dimensionStyle = 12101;
    CVectorArray extra;
    // Version 3 group.
    bool behind = false, locked = false, transparent = false, alpha = false;
    CString fileName, pathName;
    unsigned long transparentColour = 0xFFFFFF;
    int scaleStyle = 12202, alphaPercent = 20;
    // Version 2 group.
    double xSpacing = 1.0, ySpacing = 1.0;
    bool customSpacing = false;

    if (version >= 7) {
        if (!in.ReadInt(penStyle) || !in.ReadFlag(outline) || !in.ReadColour(textColour))
            return false;
    }
    if (version >= 6) {
        int u = 0, e = 0;
        if (!in.ReadInt(rotation) || !in.ReadInt(dimTextFlag) || !in.ReadInt(u) || !in.ReadInt(e))
            return false;
        units = u > 0;
        exterior = e > 0;
    }
    if (version >= 5) {
        if (!in.ReadInt(toInches) || !in.ReadFlag(swap) || !in.ReadInt(decimals) || !in.ReadFlag(behindText))
            return false;
    }
    if (version >= 4) {
        int count = 0;
        if (!in.ReadFlag(extension) || !in.ReadFlag(primary) || !in.ReadInt(dimensionStyle) || !in.ReadInt(count))
            return false;
        for (int i = 2; i < count; ++i) {
            double x = 0, y = 0;
            if (!in.ReadPoint(x, y))
                return false;
            extra.Add(CVector2D(x, y));
        }
    }
    if (version >= 3) {
        std::string file, path;
        if (!in.ReadFlag(behind) || !in.ReadLine(file) || !in.ReadLine(path) ||
            !in.ReadColour(transparentColour) || !in.ReadInt(scaleStyle) || !in.ReadFlag(locked) ||
            !in.ReadFlag(transparent) || !in.ReadFlag(alpha) || !in.ReadInt(alphaPercent))
            return false;
        fileName = SentinelOrName(file, kNoFile);
        pathName = SentinelOrName(path, kNoPath);
    }
    if (version >= 2) {
        if (!in.ReadDouble(xSpacing) || !in.ReadDouble(ySpacing) || !in.ReadFlag(customSpacing))
            return false;
    }
    CToolCommonStyle c;
    unsigned long fill = 0, line = 0;
    std::string face;
    if (!in.ReadDouble(c.arcBegin) || !in.ReadDouble(c.arcEnd) || !in.ReadFlag(c.isArc) ||
        !in.ReadFlag(c.isCircle) || !in.ReadFlag(c.arrowAtHead) || !in.ReadFlag(c.arrowAtTail) ||
        !in.ReadFlag(c.axisLeft) || !in.ReadFlag(c.axisRight) || !in.ReadFlag(c.axisTop) ||
        !in.ReadFlag(c.axisBottom) || !in.ReadFlag(c.globalCoords) || !in.ReadFlag(c.hatched) ||
        !in.ReadInt(c.hatchIndex) || !in.ReadFlag(c.filled) || !in.ReadInt(c.lineWeight) ||
        !in.ReadColour(fill) || !in.ReadColour(line) || !in.ReadPoint(c.start.x, c.start.y) ||
        !in.ReadPoint(c.end.x, c.end.y) || !in.ReadInt(c.fontSize) || !in.ReadInt(c.fontWeight) ||
        !in.ReadFlag(c.fontItalic) || !in.ReadLine(face))
        return false;
    c.fillColour = fill;
    c.lineColour = line;
    c.fontName = face.c_str();
    int lines = 0;
    if (!in.ReadInt(lines))
        return false;
    std::string text;
    for (int i = 0; i < lines; ++i) {
        std::string l;
        if (!in.NextRawLine(l))
            return false;
        if (i > 0)
            text += "\r\n";
        text += l;
    }
    c.text = lines == 1 && text == kNoText ? CString() : CString(text.c_str());

    ApplyCommonStyle(c);
    ApplyAxisSpacing(xSpacing, ySpacing, customSpacing);
    ApplyImageStyle(fileName, pathName, scaleStyle, locked, transparent, alpha, transparentColour,
                    alphaPercent, behind);
    ApplyDimensionVertices(extra, extension, primary, dimensionStyle);
    ApplyDimensionFormat(toInches, swap, decimals, behindText);
    ApplyDimensionText(rotation, dimTextFlag, units ? 1 : 0, exterior ? 1 : 0);
    ApplyTextStyle(penStyle, outline, textColour);
    return true;
}
