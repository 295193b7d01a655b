#!/usr/bin/env bash
# Draws the toolbar strips, menu bitmaps, cursors and document icons of res/
# with ImageMagick, and writes res/toolbars.rc2, the button lists that go with
# the strips. Run it after changing a toolbar below; its output is committed, so
# a build needs no ImageMagick.
#
# Toolbar strips are 16 x 15 pixels per button, 16 colours (4 bits per pixel)
# on the light grey 0xC0C0C0 background: the owner-drawn menus map exactly those
# bitmaps to the user's button colours.
set -euo pipefail
here=$(cd "$(dirname "$0")/.." && pwd)
res=$here/res
work=$(mktemp -d)
trap 'rm -rf "$work"' EXIT

# The 16 standard colours every glyph is reduced to.
convert -size 1x1 xc:black xc:'#800000' xc:'#008000' xc:'#808000' xc:'#000080' xc:'#800080' \
        xc:'#008080' xc:'#C0C0C0' xc:'#808080' xc:red xc:lime xc:yellow xc:blue xc:fuchsia \
        xc:aqua xc:white +append "$work/palette.png"

# ---------------------------------------------------------------------------
# Glyph parts: ImageMagick drawing options on a 16 x 15 canvas. A button's
# picture is a list of parts joined by '+', drawn in order.
# ---------------------------------------------------------------------------
declare -A P
P[blank]=""
# Documents and files
P[page]='-stroke black -fill white -draw "polygon 3,1 10,1 13,4 13,14 3,14" -draw "polyline 10,1 10,4 13,4"'
P[lines]='-stroke navy -draw "line 5,6 11,6" -draw "line 5,8 11,8" -draw "line 5,10 11,10" -draw "line 5,12 9,12"'
P[folder]='-stroke black -fill yellow -draw "polygon 1,3 5,3 6,4 13,4 13,13 1,13" -fill olive -draw "polygon 1,13 3,7 15,7 13,13"'
P[floppy]='-stroke black -fill navy -draw "rectangle 1,1 14,13" -fill white -draw "rectangle 3,1 12,6" -fill "#C0C0C0" -draw "rectangle 4,9 11,13" -stroke navy -draw "line 8,10 8,12"'
P[printer]='-stroke black -fill white -draw "rectangle 4,1 11,5" -fill "#C0C0C0" -draw "rectangle 1,6 14,11" -fill white -draw "rectangle 4,9 11,14" -stroke lime -draw "point 12,7"'
P[copy]='-stroke black -fill white -draw "rectangle 1,1 8,9" -draw "rectangle 6,5 13,13" -stroke navy -draw "line 8,8 11,8" -draw "line 8,10 11,10"'
P[book]='-stroke black -fill navy -draw "polygon 2,2 8,3 8,14 2,13" -fill blue -draw "polygon 8,3 14,2 14,13 8,14" -stroke white -draw "line 10,5 12,5" -draw "line 10,7 12,7"'
P[question]='-stroke none -fill navy -font DejaVu-Sans-Bold -pointsize 13 -draw "text 4,13 \"?\""'
P[letterT]='-stroke none -fill maroon -font DejaVu-Sans-Bold -pointsize 9 -draw "text 9,14 \"T\""'
P[letterA]='-stroke none -fill black -font DejaVu-Serif-Bold -pointsize 11 -draw "text 4,12 \"A\""'
P[textbox]='-stroke navy -fill white -draw "rectangle 1,1 14,13"'
P[dxf]='-stroke none -fill maroon -font DejaVu-Sans-Bold -pointsize 6 -draw "text 1,14 \"DXF\""'
P[rtf]='-stroke none -fill blue -font DejaVu-Sans-Bold -pointsize 6 -draw "text 1,14 \"RTF\""'
P[txt]='-stroke none -fill black -font DejaVu-Sans-Bold -pointsize 6 -draw "text 1,14 \"TXT\""'
P[xl]='-stroke black -fill white -draw "rectangle 1,1 14,13" -stroke green -draw "line 1,5 14,5" -draw "line 1,9 14,9" -draw "line 6,1 6,13" -draw "line 10,1 10,13" -stroke none -fill green -font DejaVu-Sans-Bold -pointsize 8 -draw "text 2,12 \"X\""'
P[exit]='-stroke black -fill "#808080" -draw "rectangle 2,1 9,14" -stroke red -draw "line 8,7 15,7" -draw "polyline 12,4 15,7 12,10"'
P[cascade]='-stroke black -fill white -draw "rectangle 1,1 9,8" -draw "rectangle 4,4 12,11" -draw "rectangle 7,7 14,14" -fill navy -draw "rectangle 7,7 14,8"'
P[tile]='-stroke black -fill white -draw "rectangle 1,1 14,6" -draw "rectangle 1,8 14,13" -fill navy -draw "rectangle 1,1 14,2" -draw "rectangle 1,8 14,9"'
# The model
P[slope]='-stroke black -fill none -draw "polyline 0,14 4,12 7,8 10,7 15,2"'
P[vertices]='-stroke black -fill white -draw "rectangle 3,11 5,13" -draw "rectangle 6,7 8,9" -draw "rectangle 9,6 11,8"'
P[grid]='-stroke "#808080" -draw "line 0,4 15,4" -draw "line 0,9 15,9" -draw "line 5,0 5,14" -draw "line 10,0 10,14"'
P[table]='-stroke black -fill white -draw "rectangle 1,1 14,13" -stroke "#808080" -draw "line 1,5 14,5" -draw "line 1,9 14,9" -draw "line 6,1 6,13" -fill navy -stroke navy -draw "rectangle 1,1 14,4"'
P[rock]='-stroke black -fill maroon -draw "circle 11,10 13,10"'
P[path]='-stroke blue -fill none -draw "polyline 1,13 2,8 4,4 6,2 8,2 10,4 11,7"'
P[point_seeder]='-stroke blue -fill blue -draw "circle 4,4 6,4"'
P[line_seeder]='-stroke blue -draw "line 1,5 9,1" -fill blue -draw "rectangle 0,4 2,6" -draw "rectangle 8,0 10,2"'
P[barrier]='-stroke navy -strokewidth 2 -draw "line 9,1 9,10"'
P[collector]='-stroke teal -strokewidth 2 -draw "line 3,1 3,3" -draw "line 3,5 3,7" -draw "line 3,9 3,11"'
P[swatch]='-stroke black -fill olive -draw "rectangle 2,2 13,12" -stroke yellow -draw "line 2,9 9,2" -draw "line 5,12 13,4" -draw "line 9,12 13,8"'
P[wizard]='-stroke black -draw "line 3,13 10,6" -stroke yellow -fill yellow -draw "polygon 11,1 12,4 15,5 12,6 11,9 10,6 7,5 10,4"'
P[settings]='-stroke black -fill "#808080" -draw "circle 7,7 12,7" -fill "#C0C0C0" -draw "circle 7,7 9,7" -stroke black -strokewidth 2 -draw "line 7,0 7,2" -draw "line 7,12 7,14" -draw "line 0,7 2,7" -draw "line 12,7 14,7"'
P[units]='-stroke black -fill yellow -draw "rectangle 1,5 14,10" -stroke black -draw "line 4,5 4,7" -draw "line 7,5 7,8" -draw "line 10,5 10,7" -draw "line 13,5 13,8"'
P[snap]='-stroke red -fill none -draw "rectangle 5,4 10,9" -stroke black -draw "line 7,0 7,14" -draw "line 0,7 15,7"'
P[display]='-stroke black -fill white -draw "rectangle 1,1 14,11" -stroke red -draw "polyline 2,10 6,5 9,7 13,2" -stroke black -draw "line 5,13 10,13"'
# Badges, drawn over a base part
P[add]='-stroke green -strokewidth 2 -draw "line 12,9 12,14" -draw "line 10,11 15,11"'
P[del]='-stroke red -strokewidth 2 -draw "line 10,9 14,13" -draw "line 14,9 10,13"'
P[move]='-stroke black -fill black -draw "line 12,8 12,14" -draw "line 9,11 15,11" -draw "polygon 12,7 11,8 13,8" -draw "polygon 15,11 14,10 14,12"'
P[edit]='-stroke black -fill yellow -draw "polygon 9,13 14,8 15,9 10,14" -stroke black -draw "point 8,14"'
P[pick]='-stroke black -fill white -draw "polygon 8,6 8,14 10,12 12,15 13,14 11,11 14,11"'
P[check]='-stroke green -strokewidth 2 -draw "polyline 9,10 11,13 15,7"'
P[undo]='-stroke navy -fill none -draw "arc 5,3 14,12 180,360" -draw "line 14,8 14,10" -fill navy -draw "polygon 3,7 7,7 5,10"'
P[cancel]='-stroke red -strokewidth 2 -draw "line 3,3 12,12" -draw "line 12,3 3,12"'
P[all]='-stroke none -fill black -font DejaVu-Sans-Bold -pointsize 12 -draw "text 4,14 \"*\""'
P[invert]='-stroke black -fill black -draw "line 9,9 15,9" -draw "line 9,13 15,13" -draw "polygon 15,9 13,8 13,10" -draw "polygon 9,13 11,12 11,14"'
# Viewing
P[lens]='-stroke black -fill white -draw "circle 6,6 10,6" -strokewidth 2 -draw "line 9,9 14,14"'
P[lens_plus]='-stroke black -draw "line 4,6 8,6" -draw "line 6,4 6,8"'
P[lens_minus]='-stroke black -draw "line 4,6 8,6"'
P[lens_all]='-stroke blue -fill none -draw "rectangle 3,3 9,9"'
P[lens_window]='-stroke red -fill none -draw "rectangle 0,0 15,14" -stroke none'
P[updown]='-stroke black -fill black -draw "line 13,1 13,7" -draw "polygon 13,0 11,2 15,2" -draw "polygon 13,8 11,6 15,6"'
P[pan]='-stroke black -fill black -draw "line 7,1 7,13" -draw "line 1,7 13,7" -draw "polygon 7,0 5,3 9,3" -draw "polygon 7,14 5,11 9,11" -draw "polygon 0,7 3,5 3,9" -draw "polygon 14,7 11,5 11,9"'
P[left]='-stroke black -fill black -draw "polygon 2,7 8,2 8,12" -draw "rectangle 8,5 13,9"'
P[right]='-stroke black -fill black -draw "polygon 13,7 7,2 7,12" -draw "rectangle 2,5 7,9"'
P[up]='-stroke black -fill black -draw "polygon 7,1 2,7 12,7" -draw "rectangle 5,7 9,13"'
P[down]='-stroke black -fill black -draw "polygon 7,13 2,7 12,7" -draw "rectangle 5,1 9,7"'
P[limits]='-stroke black -draw "polyline 1,4 1,1 4,1" -draw "polyline 11,1 14,1 14,4" -draw "polyline 1,10 1,13 4,13" -draw "polyline 11,13 14,13 14,10" -stroke blue -fill none -draw "rectangle 4,4 11,10"'
P[ruler]='-stroke black -fill yellow -draw "rectangle 0,8 15,14" -draw "line 2,8 2,11" -draw "line 5,8 5,10" -draw "line 8,8 8,12" -draw "line 11,8 11,10" -draw "line 14,8 14,11" -fill yellow -draw "rectangle 0,0 4,8"'
P[gray]='-stroke black -fill black -draw "rectangle 1,2 5,12" -fill "#808080" -draw "rectangle 5,2 10,12" -fill white -draw "rectangle 10,2 14,12"'
P[image]='-stroke black -fill aqua -draw "rectangle 1,2 14,12" -stroke green -fill green -draw "polygon 1,12 5,7 9,10 11,8 14,11 14,12" -stroke yellow -fill yellow -draw "circle 11,5 12,5"'
P[split]='-stroke black -fill white -draw "rectangle 1,1 14,13" -draw "line 1,7 14,7" -stroke red -draw "polyline 2,6 5,3 8,4 12,2" -stroke black -draw "polyline 2,13 6,11 9,9 13,8"'
P[markers]='-stroke red -fill none -draw "polyline 1,12 5,6 9,8 14,2" -stroke black -fill white -draw "rectangle 0,11 2,13" -draw "rectangle 4,5 6,7" -draw "rectangle 8,7 10,9" -draw "rectangle 13,1 15,3"'
# Graphs
P[axes]='-stroke black -fill none -draw "polyline 1,0 1,13 15,13"'
P[hist]='-stroke black -draw "rectangle 3,8 5,13" -draw "rectangle 6,3 8,13" -draw "rectangle 9,6 11,13" -draw "rectangle 12,10 14,13"'
P[env]='-stroke none -draw "polygon 2,13 2,6 5,3 8,5 11,4 14,9 14,13"'
P[endpts]='-stroke black -draw "rectangle 3,11 4,12" -draw "rectangle 6,10 7,12" -draw "rectangle 8,7 9,12" -draw "rectangle 10,9 11,12" -draw "rectangle 13,11 14,12"'
P[c_height]='-fill green'
P[c_total]='-fill fuchsia'
P[c_trans]='-fill purple'
P[c_rot]='-fill maroon'
P[c_vel]='-fill olive'
P[c_rvel]='-fill teal'
P[c_x]='-fill blue'
P[c_y]='-fill navy'
P[funnel]='-stroke black -fill yellow -draw "polygon 1,1 14,1 9,7 9,13 6,14 6,7"'
P[funnel_blue]='-stroke black -fill blue -draw "polygon 1,1 14,1 9,7 9,13 6,14 6,7"'
P[equals]='-stroke black -strokewidth 2 -draw "line 10,10 15,10" -draw "line 10,13 15,13"'
P[impact]='-stroke navy -strokewidth 2 -draw "line 13,7 13,14"'
P[stats]='-stroke red -fill none -draw "polyline 2,12 4,11 6,6 8,2 10,6 12,11 14,12"'
# Drawing tools
P[measure]='-stroke black -draw "line 1,10 14,10" -draw "line 1,7 1,13" -draw "line 14,7 14,13" -fill black -draw "polygon 2,10 5,8 5,12" -draw "polygon 13,10 10,8 10,12"'
P[arrow]='-stroke black -strokewidth 2 -draw "line 2,13 11,4" -stroke black -strokewidth 1 -fill black -draw "polygon 14,1 8,3 12,7"'
P[rectangle]='-stroke blue -fill white -draw "rectangle 1,3 14,12"'
P[circle]='-stroke blue -fill white -draw "ellipse 7,7 6,5 0,360"'
P[line]='-stroke blue -draw "line 1,13 14,2"'
P[axis]='-stroke black -fill none -draw "polyline 2,0 2,12 15,12" -draw "line 0,3 2,3" -draw "line 0,7 2,7" -draw "line 6,12 6,14" -draw "line 10,12 10,14"'
P[scale]='-stroke red -fill red -draw "line 3,3 12,12" -draw "polygon 1,1 5,2 2,5" -draw "polygon 14,14 10,13 13,10"'
P[eraser]='-stroke black -fill fuchsia -draw "polygon 1,10 7,4 12,9 6,14" -fill white -draw "polygon 7,4 10,1 15,6 12,9"'
# Discrete elements
P[discs]='-stroke black -fill "#808080" -draw "circle 4,10 7,10" -draw "circle 10,10 13,10" -draw "circle 7,5 10,5"'
P[throw]='-stroke blue -fill blue -draw "line 1,2 7,8" -draw "polygon 9,10 8,6 5,9"'
P[clock]='-stroke black -fill white -draw "circle 7,7 13,7" -draw "line 7,7 7,3" -draw "line 7,7 10,9"'
# Help and the web
P[globe]='-stroke navy -fill aqua -draw "circle 7,7 13,7" -fill none -draw "ellipse 7,7 3,6 0,360" -draw "line 1,7 13,7" -draw "line 7,1 7,13"'
P[download]='-stroke green -fill green -draw "rectangle 6,1 9,7" -draw "polygon 3,7 12,7 7,12" -stroke black -draw "line 2,14 13,14"'
P[mail]='-stroke black -fill white -draw "rectangle 1,3 14,12" -draw "polyline 1,3 7,8 14,3"'
P[news]='-stroke black -fill yellow -draw "polygon 7,0 9,5 14,5 10,8 12,13 7,10 2,13 4,8 0,5 5,5"'
P[support]='-stroke black -fill white -draw "circle 7,5 10,5" -fill blue -draw "polygon 2,14 3,10 11,10 12,14"'

# draw NAME SPEC: one 16 x 15 button picture from SPEC (parts joined by '+').
draw() {
  local out=$1 spec=$2 args="" part
  IFS='+' read -ra parts <<<"$spec"
  for part in "${parts[@]}"; do
    [[ -v P[$part] ]] || { echo "unknown glyph part '$part'" >&2; exit 1; }
    args+=" ${P[$part]}"
  done
  eval convert -size 16x15 xc:"'#C0C0C0'" +antialias -strokewidth 1 "$args" "'$out'"
}

# ---------------------------------------------------------------------------
# Toolbars: resource id name, bitmap file, then SYMBOL:glyph or SEP per button.
# ---------------------------------------------------------------------------
toolbars=(
"IDR_TOOLBAR_STANDARD standard
 ID_FILE_NEW:page ID_FILE_OPEN:folder ID_FILE_SAVE:floppy SEP ID_EDIT_COPY:copy SEP
 ID_FILE_PRINT:printer ID_FILE_PRINT_PREVIEW:page+lens SEP ID_COMPUTE:slope+path+rock
 ID_CLEAR_ROCK_PATHS:slope+path+del SEP ID_INFO_VIEWER:page+lines SEP ID_APP_ABOUT:question"
"IDR_TOOLBAR_ZOOM zoom
 ID_VIEW_ZOOM_IN:lens+lens_plus ID_VIEW_ZOOM_OUT:lens+lens_minus ID_VIEW_ZOOM_ALL:lens+lens_all
 ID_VIEW_ZOOM_WINDOW:lens_window+lens ID_VIEW_ZOOM_MOUSE:lens+updown ID_VIEW_PAN:pan SEP
 ID_VIEW_LIMITS:limits ID_VIEW_RULER:ruler ID_VIEW_GRAYSCALE:gray"
"IDR_TOOLBAR_GEOMETRY geometry
 ID_DEFINE_SLOPE:slope+vertices ID_INSERT_VERTEX:slope+vertices+add ID_MOVE_VERTICES:slope+vertices+move
 ID_DELETE_VERTICES:slope+vertices+del ID_SLOPE_EDITOR:table SEP
 ID_ADD_POINT_SEEDER:slope+point_seeder+add ID_ADD_LINE_SEEDER:slope+line_seeder+add ID_DELETE_SEEDER:slope+point_seeder+del SEP
 ID_ADD_BARRIER:slope+barrier+add ID_MOVE_BARRIER_VERTEX:slope+barrier+move ID_DELETE_BARRIER:slope+barrier+del SEP
 ID_ADD_DATA_COLLECTOR:slope+collector+add ID_MOVE_DATA_COLLECTOR:slope+collector+move ID_DELETE_DATA_COLLECTOR:slope+collector+del"
"IDR_TOOLBAR_MATERIALS materials
 ID_MATERIAL_COMBO_PLACEHOLDER:blank SEP ID_ASSIGN_MATERIAL:slope+swatch+pick ID_MATERIAL_EDITOR:swatch+edit
 ID_MATERIAL_WIZARD:swatch+wizard"
"IDR_TOOLBAR_GRAPH graph
 ID_GRAPH_HEIGHT_DISTRIBUTION:axes+c_height+hist ID_GRAPH_TOTAL_ENERGY_DISTRIBUTION:axes+c_total+hist
 ID_GRAPH_TRANS_ENERGY_DISTRIBUTION:axes+c_trans+hist ID_GRAPH_ROT_ENERGY_DISTRIBUTION:axes+c_rot+hist
 ID_GRAPH_TRANS_VELOCITY_DISTRIBUTION:axes+c_vel+hist ID_GRAPH_ROT_VELOCITY_DISTRIBUTION:axes+c_rvel+hist SEP
 ID_GRAPH_ENDPOINTS:axes+c_x+endpts SEP
 ID_GRAPH_HEIGHT_ENVELOPE:axes+c_height+env ID_GRAPH_TOTAL_ENERGY_ENVELOPE:axes+c_total+env
 ID_GRAPH_TRANS_ENERGY_ENVELOPE:axes+c_trans+env ID_GRAPH_ROT_ENERGY_ENVELOPE:axes+c_rot+env
 ID_GRAPH_TRANS_VELOCITY_ENVELOPE:axes+c_vel+env ID_GRAPH_ROT_VELOCITY_ENVELOPE:axes+c_rvel+env SEP
 ID_BARRIER_COLLECTOR_GRAPHS:axes+c_x+hist+impact SEP
 ID_FILTER_BY_VALUE:funnel+equals ID_FILTER_BY_IMPACT:funnel+impact ID_FILTER_BY_PICKING:funnel+pick
 ID_REMOVE_FILTER:funnel+del ID_FILTERED_PATHS_ONLY:funnel_blue"
"IDR_TOOLBAR_TOOLS tools
 ID_TOOL_MEASURE:measure ID_TOOL_TEXT_BOX:textbox+letterA ID_TOOL_ARROW:arrow ID_TOOL_RECTANGLE:rectangle
 ID_TOOL_CIRCLE:circle ID_TOOL_LINE:line ID_TOOL_AXIS:axis ID_TOOL_PICTURE:image ID_TOOL_SCALE_PICTURE:image+scale SEP
 ID_TOOL_DELETE_DRAWINGS:eraser ID_TOOL_DELETE_ALL_DRAWINGS:eraser+all"
"IDR_TOOLBAR_DISCRETE_ELEMENTS discrete
 ID_DISC_PARAMETERS:discs+settings ID_DISC_THROW:discs+throw ID_DISC_TIME_STEP:clock ID_DEM_NEW_SIMULATION:slope+discs"
"IDR_TOOLBAR_CONTEXT_IMAGES context
 ID_CONTEXT_EDIT_COLLECTOR:slope+collector+edit ID_CONTEXT_MOVE_COLLECTOR:slope+collector+move
 ID_CONTEXT_DELETE_COLLECTOR:slope+collector+del ID_CONTEXT_COLLECTOR_FILTER_BY_IMPACT:funnel+impact
 ID_COLLECTOR_GRAPH_TOTAL_ENERGY:axes+c_total+hist ID_COLLECTOR_GRAPH_TRANS_ENERGY:axes+c_trans+hist
 ID_COLLECTOR_GRAPH_ROT_ENERGY:axes+c_rot+hist ID_COLLECTOR_GRAPH_Y_IMPACT:axes+c_y+hist
 ID_COLLECTOR_GRAPH_X_IMPACT:axes+c_x+hist ID_COLLECTOR_GRAPH_TRANS_VELOCITY:axes+c_vel+hist
 ID_COLLECTOR_GRAPH_ROT_VELOCITY:axes+c_rvel+hist
 ID_CONTEXT_EDIT_BARRIER:slope+barrier+edit ID_CONTEXT_MOVE_BARRIER_VERTEX:slope+barrier+move
 ID_CONTEXT_DELETE_BARRIER:slope+barrier+del ID_CONTEXT_BARRIER_FILTER_BY_IMPACT:funnel+impact
 ID_BARRIER_GRAPH_TOTAL_ENERGY:axes+c_total+hist ID_BARRIER_GRAPH_TRANS_ENERGY:axes+c_trans+hist
 ID_BARRIER_GRAPH_ROT_ENERGY:axes+c_rot+hist ID_BARRIER_GRAPH_Y_IMPACT:axes+c_y+hist
 ID_BARRIER_GRAPH_X_IMPACT:axes+c_x+hist ID_BARRIER_GRAPH_TRANS_VELOCITY:axes+c_vel+hist
 ID_BARRIER_GRAPH_ROT_VELOCITY:axes+c_rvel+hist
 ID_CONTEXT_EDIT_SEEDER:slope+point_seeder+edit ID_CONTEXT_DELETE_SEEDER:slope+point_seeder+del
 ID_CONTEXT_ASSIGN_MATERIAL:slope+swatch+pick ID_CONTEXT_EDIT_SLOPE_GEOMETRY:table+edit
 ID_CONTEXT_MODIFY_MATERIAL:swatch+edit
 ID_CONTEXT_DELETE_TOOL:eraser ID_CONTEXT_FORMAT_TOOL:rectangle+edit ID_CONTEXT_DELETE_TEXT:textbox+letterA+del
 ID_CONTEXT_FORMAT_TEXT:textbox+letterA+edit ID_CONTEXT_EDIT_TEXT:textbox+letterA+edit
 ID_CONTEXT_DELETE_ALL_DRAWINGS:eraser+all
 ID_CONTEXT_PROJECT_SETTINGS:settings ID_CONTEXT_GRAYSCALE:gray ID_CONTEXT_EXPORT_IMAGE:image+floppy
 ID_CONTEXT_RULER:ruler ID_SNAP_VERTEX:slope+vertices+snap ID_SNAP_GRID:grid+snap ID_SNAP_NONE:snap+del
 ID_EVENT_DONE:check ID_EVENT_UNDO:undo ID_EVENT_CANCEL:cancel ID_EVENT_SELECTED:pick+check ID_EVENT_ALL:all
 ID_EVENT_RESELECT_BASE_POINT:pick+undo
 ID_GRAPH_SPLIT_VIEW:split ID_CONTEXT_GRAPH_GRAYSCALE:gray ID_GRAPH_MARKERS:markers
 ID_GRAPH_CHART_PROPERTIES:axes+c_height+hist+edit ID_CONTEXT_STATISTICS:axes+stats ID_GRAPH_COPY_RAW_DATA:copy
 ID_CONTEXT_CHART_IN_EXCEL:xl ID_REPORT_SAVE_RTF:floppy+rtf ID_REPORT_SAVE_TXT:floppy+txt"
"IDR_TOOLBAR_MENU_IMAGES menus
 ID_FILE_SAVE_AS:floppy+edit ID_IMPORT_DXF:folder+dxf ID_IMPORT_CRSP:folder+slope ID_IMPORT_MATERIALS:folder+swatch
 ID_EXPORT_DXF:floppy+dxf ID_EXPORT_MATERIALS:floppy+swatch ID_EXPORT_IMAGE:image+floppy ID_FILE_PAGE_SETUP:page+settings
 ID_FILE_PRINT_SETUP:printer+settings ID_PROJECT_SETTINGS:settings ID_DISPLAY_OPTIONS:display ID_GRID_SETTINGS:grid+edit
 ID_SNAP_SETTINGS:snap ID_UNITS:units ID_DELETE_ENTIRE_SLOPE:slope+cancel ID_BARRIER_EDITOR:slope+barrier+edit
 ID_COLLECTOR_EDITOR:slope+collector+edit ID_GRAPH_ENVELOPE:axes+c_x+env ID_GRAPH_DISTRIBUTION:axes+c_x+hist
 ID_INVERT_FILTER:funnel+invert ID_GRAPH_STATISTICS:axes+stats ID_GRAPH_CHART_IN_EXCEL:xl
 ID_TOOLS_FILE_OPEN:folder+letterT ID_TOOLS_FILE_SAVE:floppy+letterT ID_VIEW_PAN_LEFT:left ID_VIEW_PAN_RIGHT:right
 ID_VIEW_PAN_UP:up ID_VIEW_PAN_DOWN:down ID_VIEW_3D:discs"
"IDR_TOOLBAR_HELP_IMAGES help
 ID_HELP_TUTORIAL_MANUAL:book ID_HELP_DETERMINING_INPUT_PARAMETERS:book+edit
 ID_HELP_VERIFY_ANGULAR_VELOCITY:book+check ID_HELP_VERIFY_ENVELOPES:book+check ID_HELP_VERIFY_PROBABILITY:book+check
 ID_HELP_VERIFY_PROJECTILE:book+check ID_HELP_VERIFY_SLIDING:book+check ID_HELP_VERIFY_THEORY:book+check
 ID_HELP_HOME_PAGE:globe ID_HELP_FREE_UPDATES:download ID_HELP_FAQ:globe+question ID_HELP_CONTACT:mail
 ID_HELP_CHECK_PRODUCT_UPDATES:globe+download ID_HELP_CHECK_MAKER_UPDATES:download ID_HELP_CHECK_UPDATES_AUTOMATICALLY:clock+download
 ID_HELP_WHATS_NEW:news ID_HELP_TECHNICAL_SUPPORT:support ID_WINDOW_CASCADE:cascade ID_WINDOW_TILE_HORZ:tile
 ID_APP_EXIT:exit"
)

# strip FILE PICTURES...: join button pictures left to right into a 16-colour BMP.
strip() {
  local out=$1; shift
  convert "$@" +append +dither -remap "$work/palette.png" -type Palette BMP3:"$out"
  file "$out" | grep -q ' x 4,' || { echo "$out is not a 16-colour bitmap" >&2; exit 1; }
}

mkdir -p "$res/toolbars" "$res/bitmaps" "$res/cursors" "$res/icons"
rc=$res/toolbars.rc2
{
  echo "// Toolbars: button lists (WORD version 1, button width, height, count, then"
  echo "// the command of each button, 0 for a separator) and their bitmap strips."
  echo "// Written by scripts/make-toolbar-bitmaps.sh; change the toolbars there."
} >"$rc"
for entry in "${toolbars[@]}"; do
  read -r id name buttons <<<"$(echo $entry)"
  pictures=() ids=()
  n=0
  for button in $buttons; do
    if [ "$button" = SEP ]; then ids+=(0); continue; fi
    sym=${button%%:*} spec=${button#*:}
    ids+=("$sym")
    draw "$work/$name-$n.png" "$spec"
    pictures+=("$work/$name-$n.png")
    n=$((n + 1))
  done
  strip "$res/toolbars/$name.bmp" "${pictures[@]}"
  {
    echo
    echo "$id BITMAP \"toolbars/$name.bmp\""
    echo "$id RT_TOOLBAR_RESOURCE"
    echo "BEGIN"
    echo "    1, 16, 15, ${#ids[@]},"
    printf '    %s,\n' "${ids[@]}" | sed '$ s/,$//'
    echo "END"
  } >>"$rc"
done

# Pictures of the two help popups.
draw "$work/manuals.png" book && strip "$res/bitmaps/manuals.bmp" "$work/manuals.png"
draw "$work/web.png" globe && strip "$res/bitmaps/web.bmp" "$work/web.png"

# Cursors: 32 x 32, black with a white outline on transparent, and a hot spot.
# ImageMagick writes an icon; a cursor differs only in its type word and in
# the hot spot held where an icon keeps planes and bit count.
cursor() {
  local out=$1 hx=$2 hy=$3; shift 3
  convert -size 32x32 xc:none +antialias "$@" "$work/cursor.png"
  convert "$work/cursor.png" -define icon:auto-resize=32 ICO:"$out"
  printf '\x02\x00' | dd of="$out" bs=1 seek=2 conv=notrunc status=none
  printf "$(printf '\\x%02x\\x00\\x%02x\\x00' "$hx" "$hy")" | dd of="$out" bs=1 seek=10 conv=notrunc status=none
}
cross='-stroke white -strokewidth 3 -draw "line 15,2 15,28" -draw "line 2,15 28,15" -stroke black -strokewidth 1 -draw "line 15,2 15,28" -draw "line 2,15 28,15"'
eval cursor "'$res/cursors/pick.cur'" 15 15 "$cross" -stroke black -fill none -draw "'rectangle 12,12 18,18'"
eval cursor "'$res/cursors/zoom.cur'" 11 11 -stroke white -strokewidth 3 -fill none -draw "'circle 11,11 19,11'" -draw "'line 17,17 28,28'" \
  -stroke black -strokewidth 1 -fill white -draw "'circle 11,11 18,11'" -strokewidth 2 -draw "'line 17,17 27,27'" -strokewidth 1 \
  -draw "'line 8,11 14,11'" -draw "'line 11,5 11,9'" -draw "'line 11,13 11,17'"
eval cursor "'$res/cursors/pan.cur'" 15 15 -stroke white -strokewidth 3 -draw "'line 15,3 15,27'" -draw "'line 3,15 27,15'" \
  -stroke black -strokewidth 1 -fill black -draw "'line 15,3 15,27'" -draw "'line 3,15 27,15'" \
  -draw "'polygon 15,1 11,6 19,6'" -draw "'polygon 15,29 11,24 19,24'" -draw "'polygon 1,15 6,11 6,19'" -draw "'polygon 29,15 24,11 24,19'"
eval cursor "'$res/cursors/select.cur'" 15 15 -stroke white -strokewidth 3 -fill none -draw "'rectangle 10,10 20,20'" \
  -stroke black -strokewidth 1 -draw "'rectangle 10,10 20,20'"
eval cursor "'$res/cursors/snap-on.cur'" 15 15 "$cross" -stroke red -fill none -draw "'circle 15,15 21,15'"
eval cursor "'$res/cursors/snap-off.cur'" 15 15 "$cross"

# Icons of a document and of the report window, 32 x 32 and 16 x 16.
convert -size 32x32 xc:none +antialias -stroke black -fill white -draw "polygon 5,1 20,1 27,8 27,30 5,30" \
  -draw "polyline 20,1 20,8 27,8" -stroke black -strokewidth 2 -fill none -draw "polyline 6,28 11,24 15,17 20,15 26,9" \
  -stroke maroon -fill maroon -strokewidth 1 -draw "circle 21,23 24,23" -stroke blue -fill none -draw "polyline 8,12 11,9 14,9 17,12 19,18" \
  -define icon:auto-resize=32,16 "$res/icons/document.ico"
convert -size 32x32 xc:none +antialias -stroke black -fill white -draw "polygon 5,1 20,1 27,8 27,30 5,30" \
  -draw "polyline 20,1 20,8 27,8" -stroke navy -draw "line 9,8 17,8" -draw "line 9,12 23,12" -draw "line 9,16 23,16" \
  -draw "line 9,20 23,20" -draw "line 9,24 19,24" -define icon:auto-resize=32,16 "$res/icons/report.ico"

# Icons of dialog buttons: the grid styles (solid lines, small crosses, dots),
# the material editor's Table and Tutorial buttons, and the page orientations.
icon() {
  local out=$1; shift
  convert -size 32x32 xc:none +antialias "$@" -define icon:auto-resize=32,16 "$out"
}
icon "$res/icons/grid-lines.ico" -stroke black -strokewidth 2 -draw "line 2,8 30,8" -draw "line 2,16 30,16" \
  -draw "line 2,24 30,24" -draw "line 8,2 8,30" -draw "line 16,2 16,30" -draw "line 24,2 24,30"
icon "$res/icons/grid-crosses.ico" -stroke black -strokewidth 2 -draw "line 5,8 11,8" -draw "line 8,5 8,11" \
  -draw "line 21,8 27,8" -draw "line 24,5 24,11" -draw "line 5,24 11,24" -draw "line 8,21 8,27" \
  -draw "line 21,24 27,24" -draw "line 24,21 24,27"
icon "$res/icons/grid-dots.ico" -stroke black -fill black -draw "rectangle 7,7 9,9" -draw "rectangle 15,7 17,9" \
  -draw "rectangle 23,7 25,9" -draw "rectangle 7,15 9,17" -draw "rectangle 15,15 17,17" -draw "rectangle 23,15 25,17" \
  -draw "rectangle 7,23 9,25" -draw "rectangle 15,23 17,25" -draw "rectangle 23,23 25,25"
icon "$res/icons/book.ico" -stroke black -fill navy -draw "polygon 3,5 16,7 16,29 3,27" -fill blue \
  -draw "polygon 16,7 29,5 29,27 16,29" -stroke white -draw "line 19,11 26,10" -draw "line 19,15 26,14" -draw "line 19,19 26,18"
icon "$res/icons/portrait.ico" -stroke black -fill white -draw "rectangle 7,2 24,29" -stroke "#808080" \
  -draw "line 10,7 21,7" -draw "line 10,11 21,11" -draw "line 10,15 21,15" -draw "line 10,19 18,19"
icon "$res/icons/landscape.ico" -stroke black -fill white -draw "rectangle 2,7 29,24" -stroke "#808080" \
  -draw "line 6,11 25,11" -draw "line 6,15 25,15" -draw "line 6,19 20,19"

# Check-box pictures of the option trees: twelve 16 x 16 images, magenta
# transparent; 0 unchecked, 1 checked, 4 and 5 the same disabled. The others
# are not used and repeat the first ones.
checkbox() {
  local out=$1 face=$2 mark=$3
  local args=(-size 16x16 xc:fuchsia +antialias -stroke "#808080" -fill "$face" -draw "rectangle 1,1 13,13")
  [ -n "$mark" ] && args+=(-stroke "$mark" -strokewidth 2 -fill none -draw "polyline 4,7 6,10 11,4")
  convert "${args[@]}" "$out"
}
checkbox "$work/cb0.png" white ""
checkbox "$work/cb1.png" white black
checkbox "$work/cb4.png" "#C0C0C0" ""
checkbox "$work/cb5.png" "#C0C0C0" "#808080"
strip "$res/bitmaps/checkboxes.bmp" "$work"/cb0.png "$work"/cb1.png "$work"/cb0.png "$work"/cb1.png \
  "$work"/cb4.png "$work"/cb5.png "$work"/cb4.png "$work"/cb5.png "$work"/cb0.png "$work"/cb1.png \
  "$work"/cb4.png "$work"/cb5.png

# Splash picture shown over the frame at start-up.
# The slope falls from left to right, as the program draws slopes; the rock's
# path stays above the ground and the rock comes to rest on it, below the text.
convert -size 360x200 gradient:'#000080'-'#008080' +antialias \
  -stroke none -fill '#808080' -draw "polygon 0,200 0,95 60,100 110,140 200,160 360,180 360,200" \
  -stroke white -strokewidth 2 -fill none -draw "polyline 0,95 60,100 110,140 200,160 360,180" \
  -stroke yellow -strokewidth 1 -fill none \
  -draw "polyline 62,96 80,91 100,97 118,135 140,127 165,139 185,150 215,151 245,160 252,160" \
  -stroke maroon -fill maroon -draw "circle 258,160 264,160" \
  -stroke none -fill white -font DejaVu-Sans-Bold -pointsize 40 -draw "text 24,50 'Clastor'" \
  -font DejaVu-Sans -pointsize 14 -draw "text 26,74 'Rock-fall simulation on slope profiles'" \
  -font DejaVu-Sans -pointsize 12 -draw "text 26,185 'Brevantics'" \
  +dither -colors 256 -type Palette -compress none BMP3:"$res/bitmaps/splash.bmp"

echo "written: $rc, res/toolbars, res/bitmaps, res/cursors, res/icons"
