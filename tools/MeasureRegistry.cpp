// CMeasure's default style per kind in the registry: one key per kind under
// the tool's registry base path, binary values named as in the tools file.
// Every value read goes through the member's setter, so a value out of its
// range leaves the tool's own style in place.
#include "tools/Measure.h"

#include "framework/RegistryAccess.h"
#include "framework/Gdi.h"

namespace {

constexpr REGSAM kAllAccess = 0xF003F;

} // namespace

void CMeasure::LoadStyleFromRegistry()
{
    if (m_strRegistryBase.IsEmpty() || m_strKeyName.IsEmpty())
        return;
    CRegistryAccess reg;
    if (!reg.SetKey(m_strRegistryBase + m_strKeyName, FALSE, kAllAccess))
        return;
    auto flag = [&](LPCSTR name, bool current) { return reg.ReadInt(name, current ? 1 : 0) > 0; };
    SetPenLineStyle(reg.ReadInt("pen_line_style", m_nPenStyle));
    m_bTextOutline = flag("text_outline", m_bTextOutline);
    m_crText = reg.ReadColour("color_of_text", m_crText);
    SetDimTextFlag(reg.ReadInt("dim_text_flag", m_nDimTextFlag));
    m_bDimensionUnits = flag("is_dimension_units", m_bDimensionUnits);
    m_bExteriorLine = flag("is_exterior_line", m_bExteriorLine);
    m_nRotation = reg.ReadInt("rotation_degrees_ccw", m_nRotation);
    m_nConvertToInches = reg.ReadInt("convert_to_inches", m_nConvertToInches);
    SetNumDecimalPlaces(reg.ReadInt("num_decimal_places", m_nDecimals));
    m_bSwapArrows = flag("swap_arrows", m_bSwapArrows);
    m_bBehindTextLine = flag("is_behind_text_line", m_bBehindTextLine);
    m_bExtensionLine = flag("is_extension_line", m_bExtensionLine);
    m_bPrimaryLine = flag("is_dimension_primary_line", m_bPrimaryLine);
    SetImageBehindGeometry(flag("image_behind_geometry", m_bImageBehind));
    SetImageScaleStyle(reg.ReadInt("image_scale_style", m_nImageScaleStyle));
    SetLocked(flag("move_locked", IsLocked()));
    m_bTransparent = flag("transparent", m_bTransparent);
    m_bAlpha = flag("alpha", m_bAlpha);
    SetAlphaPercent(reg.ReadInt("alpha_percent", m_nAlphaPercent));
    m_crTransparent = reg.ReadColour("transparent_color", m_crTransparent);
    SetAxisSpacing(reg.ReadDouble("x_axis_spacing", m_dXSpacing), reg.ReadDouble("y_axis_spacing", m_dYSpacing));
    m_bAxisSpacing = flag("is_axis_spacing", m_bAxisSpacing);
    m_dArcBegin = reg.ReadDouble("arc_begin", m_dArcBegin);
    m_dArcEnd = reg.ReadDouble("arc_end", m_dArcEnd);
    m_bIsArc = flag("is_arc", m_bIsArc);
    m_bIsCircle = flag("is_circle", m_bIsCircle);
    m_bArrowAtHead = flag("arrow_at_head", m_bArrowAtHead);
    m_bArrowAtTail = flag("arrow_at_tail", m_bArrowAtTail);
    m_bAxisLeft = flag("axis_left", m_bAxisLeft);
    m_bAxisRight = flag("axis_right", m_bAxisRight);
    m_bAxisTop = flag("axis_top", m_bAxisTop);
    m_bAxisBottom = flag("axis_bottom", m_bAxisBottom);
    m_bAxisGlobalCoords = flag("axis_global_coords", m_bAxisGlobalCoords);
    m_bHatched = flag("is_hatched_interior", m_bHatched);
    SetHatchStyleIndex(reg.ReadInt("hatch_style_index", m_nHatchStyle));
    SetIsFilled(flag("is_filled", m_bFilled));
    m_crFill = reg.ReadColour("fill_color", m_crFill);
    SetLineWeight(reg.ReadInt("line_weight", m_nLineWeight));
    m_crColour = reg.ReadColour("entity_color", m_crColour);

    CFont stored;
    if (!reg.ReadFont("arrow_head_font", &stored))
        return;
    LOGFONTA font{};
    if (stored.GetLogFont(&font) != (int)sizeof font)
        return;
    int size = reg.ReadInt("font_pt_size", -font.lfHeight);
    if (!IsPlausiblePointSize(size)) {
        int current = 0;
        LOGFONTA unused{};
        m_textStyle.GetFont(current, unused);
        size = current;
    }
    font.lfHeight = size * 10;
    CFont pointFont;
    if (pointFont.CreatePointFontIndirect(&font))
        pointFont.GetLogFont(&font);
    m_textStyle.SetFont(size, font);
}

void CMeasure::SaveStyleToRegistry()
{
    if (m_strRegistryBase.IsEmpty() || m_strKeyName.IsEmpty())
        return;
    CRegistryAccess reg;
    if (!reg.SetKey(m_strRegistryBase + m_strKeyName, TRUE, kAllAccess))
        return;
    // Each value stands on its own: a failed write leaves the others written.
    reg.WriteInt("pen_line_style", m_nPenStyle);
    reg.WriteInt("text_outline", m_bTextOutline ? 1 : 0);
    reg.WriteColour("color_of_text", m_crText);
    reg.WriteInt("rotation_degrees_ccw", m_nRotation);
    reg.WriteInt("dim_text_flag", m_nDimTextFlag);
    reg.WriteInt("is_dimension_units", m_bDimensionUnits ? 1 : 0);
    reg.WriteInt("is_exterior_line", m_bExteriorLine ? 1 : 0);
    reg.WriteInt("convert_to_inches", m_nConvertToInches);
    reg.WriteInt("num_decimal_places", m_nDecimals);
    reg.WriteInt("swap_arrows", m_bSwapArrows ? 1 : 0);
    reg.WriteInt("is_behind_text_line", m_bBehindTextLine ? 1 : 0);
    reg.WriteInt("is_extension_line", m_bExtensionLine ? 1 : 0);
    reg.WriteInt("is_dimension_primary_line", m_bPrimaryLine ? 1 : 0);
    reg.WriteInt("image_behind_geometry", m_bImageBehind ? 1 : 0);
    reg.WriteInt("image_scale_style", m_nImageScaleStyle);
    reg.WriteInt("move_locked", IsLocked() ? 1 : 0);
    reg.WriteInt("transparent", m_bTransparent ? 1 : 0);
    reg.WriteInt("alpha", m_bAlpha ? 1 : 0);
    reg.WriteInt("alpha_percent", m_nAlphaPercent);
    reg.WriteColour("transparent_color", m_crTransparent);
    reg.WriteDouble("x_axis_spacing", m_dXSpacing);
    reg.WriteDouble("y_axis_spacing", m_dYSpacing);
    reg.WriteInt("is_axis_spacing", m_bAxisSpacing ? 1 : 0);
    reg.WriteDouble("arc_begin", m_dArcBegin);
    reg.WriteDouble("arc_end", m_dArcEnd);
    reg.WriteInt("is_arc", m_bIsArc ? 1 : 0);
    reg.WriteInt("is_circle", m_bIsCircle ? 1 : 0);
    reg.WriteInt("arrow_at_head", m_bArrowAtHead ? 1 : 0);
    reg.WriteInt("arrow_at_tail", m_bArrowAtTail ? 1 : 0);
    reg.WriteInt("axis_left", m_bAxisLeft ? 1 : 0);
    reg.WriteInt("axis_right", m_bAxisRight ? 1 : 0);
    reg.WriteInt("axis_top", m_bAxisTop ? 1 : 0);
    reg.WriteInt("axis_bottom", m_bAxisBottom ? 1 : 0);
    reg.WriteInt("axis_global_coords", m_bAxisGlobalCoords ? 1 : 0);
    reg.WriteInt("is_hatched_interior", m_bHatched ? 1 : 0);
    reg.WriteInt("hatch_style_index", m_nHatchStyle);
    reg.WriteInt("is_filled", m_bFilled ? 1 : 0);
    reg.WriteColour("fill_color", m_crFill);
    reg.WriteInt("line_weight", m_nLineWeight);
    reg.WriteColour("entity_color", m_crColour);
    if (!HasStoredFont(m_nType))
        return;
    int size = 0;
    LOGFONTA font{};
    m_textStyle.GetFont(size, font);
    reg.WriteInt("font_pt_size", size);
    CFont* pFont = m_textStyle.GetFontObject();
    if (pFont->GetSafeHandle() == nullptr)
        pFont->CreateFontIndirect(&font);
    reg.WriteFont("arrow_head_font", pFont);
}
