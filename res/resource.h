// Numeric ids of the program's resources, shared by clastor.rc and the code.
//
// The numbers are fixed: documents, the registry and the other windows refer to
// them, and many double as interaction-mode, prompt or control codes elsewhere.
// Ids that belong to a dialog template (its controls) live with that dialog.
#pragma once

// ---------------------------------------------------------------------------
// Frame, document templates and their shared resources.
// One id names the menu, accelerator table, icon, string and toolbar of a frame
// or template, as the document/view classes load them together.
// ---------------------------------------------------------------------------
#define IDR_MAINFRAME                   6000  // main frame: menu without a document, Standard toolbar, icon
#define IDR_SLOPE_TEMPLATE              6001  // slope view template: menu, document icon, document strings
#define IDR_CONTEXT_MENU                6002  // context menus of the slope and graph views (popups by index)
#define IDR_GRAPH_TEMPLATE              6004  // graph view template: menu, document strings
#define IDR_REPORT_TEMPLATE             6013  // report viewer (and placeholder 3-D) template: menu, icon, accelerators
#define IDR_REPORT_CONTEXT_MENU         6014  // right-click menu of the report's rich-edit control

// Toolbars (a TOOLBAR custom resource and a bitmap strip of the same id each).
// The frame docks the first six; the others only lend their pictures to menus,
// and 6010 serves the discrete-element commands.
#define RT_TOOLBAR_RESOURCE             241   // resource type of a toolbar button list
#define IDR_TOOLBAR_STANDARD            6000
#define IDR_TOOLBAR_MATERIALS           6003
#define IDR_TOOLBAR_GRAPH               6005
#define IDR_TOOLBAR_ZOOM                6006
#define IDR_TOOLBAR_CONTEXT_IMAGES      6008  // pictures of the context-menu commands
#define IDR_TOOLBAR_GEOMETRY            6009
#define IDR_TOOLBAR_DISCRETE_ELEMENTS   6010
#define IDR_TOOLBAR_TOOLS               6012
#define IDR_TOOLBAR_MENU_IMAGES         6015  // pictures of editor and file commands
#define IDR_TOOLBAR_HELP_IMAGES         6016  // pictures of help, web and window commands

// Print preview's bar of buttons (a dialog bar, laid out here as it belongs to
// no single view: the slope and the graph views both preview with it).
#define IDD_PREVIEW_BAR                 10024

// Popup positions inside IDR_CONTEXT_MENU.
#define CONTEXT_POPUP_ALL_ENTITIES      0
#define CONTEXT_POPUP_COLLECTORS        1
#define CONTEXT_POPUP_SLOPE             2
#define CONTEXT_POPUP_DEFAULT           3
#define CONTEXT_POPUP_RAKER             4
#define CONTEXT_POPUP_ANGLE             5
#define CONTEXT_POPUP_DRAWING           6
#define CONTEXT_POPUP_EX_DRAWING        7
#define CONTEXT_POPUP_ZOOM_DONE         8
#define CONTEXT_POPUP_ZOOM_CANCEL       9
#define CONTEXT_POPUP_DEL_BARR_COL      10
#define CONTEXT_POPUP_MOVE              11
#define CONTEXT_POPUP_RESELECT          12
#define CONTEXT_POPUP_SLOPE_DEL         13
#define CONTEXT_POPUP_MAT_PAINT         14
#define CONTEXT_POPUP_EDIT_TOOLS        15
#define CONTEXT_POPUP_TEXT_TOOLS        16
#define CONTEXT_POPUP_DELETING          17
#define CONTEXT_POPUP_CHART             18
#define CONTEXT_POPUP_RULER             19
#define CONTEXT_POPUP_COUNT             20

// ---------------------------------------------------------------------------
// Bitmaps, icons and cursors.
// ---------------------------------------------------------------------------
#define IDB_SPLASH                      5002  // picture shown over the frame at start-up
#define IDB_MANUALS                     5008  // picture of the "&Manuals" popup item
#define IDB_WEB                         5009  // picture of the "Brevantics on the &Web" popup item
#define IDB_CHECKBOXES                  5010  // check-box pictures of the option trees (16 x 16, magenta transparent)

#define IDI_DOCUMENT                    IDR_SLOPE_TEMPLATE   // icon of a Clastor document
#define IDI_REPORT                      IDR_REPORT_TEMPLATE  // icon of the report viewer's frame
#define IDI_GRID_LINES                  8000  // grid style buttons: solid lines,
#define IDI_GRID_CROSSES                8002  //   small crosses,
#define IDI_GRID_DOTS                   8003  //   dots
#define IDI_BOOK                        8006  // the material editor's Table and Tutorial buttons
#define IDI_PORTRAIT                    8007  // page orientations in page setup
#define IDI_LANDSCAPE                   8008

#define IDC_CURSOR_PICK_POINT           16000 // picking a point
#define IDC_CURSOR_ZOOM_DYNAMIC         16001 // zooming with the mouse
#define IDC_CURSOR_PAN                  16002 // panning
#define IDC_CURSOR_SELECT               16003 // selecting objects
#define IDC_CURSOR_SNAP_ON              16004 // picking with snapping on
#define IDC_CURSOR_SNAP_OFF             16075 // picking without snapping, inserting, scaling a picture

// ---------------------------------------------------------------------------
// Commands of the class library's standard set. The framework may define the
// same names with the same values; the guards keep one definition.
// ---------------------------------------------------------------------------
#ifndef ID_FILE_NEW
#define ID_FILE_NEW                     57600
#endif
#ifndef ID_FILE_OPEN
#define ID_FILE_OPEN                    57601
#endif
#ifndef ID_FILE_CLOSE
#define ID_FILE_CLOSE                   57602
#endif
#ifndef ID_FILE_SAVE
#define ID_FILE_SAVE                    57603
#endif
#ifndef ID_FILE_SAVE_AS
#define ID_FILE_SAVE_AS                 57604
#endif
#ifndef ID_FILE_PAGE_SETUP
#define ID_FILE_PAGE_SETUP              57605
#endif
#ifndef ID_FILE_PRINT_SETUP
#define ID_FILE_PRINT_SETUP             57606
#endif
#ifndef ID_FILE_PRINT
#define ID_FILE_PRINT                   57607
#endif
#ifndef ID_FILE_PRINT_DIRECT
#define ID_FILE_PRINT_DIRECT            57608
#endif
#ifndef ID_FILE_PRINT_PREVIEW
#define ID_FILE_PRINT_PREVIEW           57609
#endif
#ifndef ID_FILE_MRU_FILE1
#define ID_FILE_MRU_FILE1               57616
#endif
#ifndef ID_FILE_MRU_FILE2
#define ID_FILE_MRU_FILE2               57617
#endif
#ifndef ID_FILE_MRU_FILE3
#define ID_FILE_MRU_FILE3               57618
#endif
#ifndef ID_FILE_MRU_FILE4
#define ID_FILE_MRU_FILE4               57619
#endif
#ifndef ID_EDIT_CLEAR
#define ID_EDIT_CLEAR                   57632
#endif
#ifndef ID_EDIT_COPY
#define ID_EDIT_COPY                    57634
#endif
#ifndef ID_EDIT_CUT
#define ID_EDIT_CUT                     57635
#endif
#ifndef ID_EDIT_PASTE
#define ID_EDIT_PASTE                   57637
#endif
#ifndef ID_EDIT_SELECT_ALL
#define ID_EDIT_SELECT_ALL              57642
#endif
#ifndef ID_EDIT_UNDO
#define ID_EDIT_UNDO                    57643
#endif
#ifndef ID_WINDOW_NEW
#define ID_WINDOW_NEW                   57648
#endif
#ifndef ID_WINDOW_ARRANGE
#define ID_WINDOW_ARRANGE               57649
#endif
#ifndef ID_WINDOW_CASCADE
#define ID_WINDOW_CASCADE               57650
#endif
#ifndef ID_WINDOW_TILE_HORZ
#define ID_WINDOW_TILE_HORZ             57651
#endif
#ifndef ID_WINDOW_TILE_VERT
#define ID_WINDOW_TILE_VERT             57652
#endif
#ifndef ID_APP_ABOUT
#define ID_APP_ABOUT                    57664
#endif
#ifndef ID_APP_EXIT
#define ID_APP_EXIT                     57665
#endif
#ifndef ID_VIEW_TOOLBAR
#define ID_VIEW_TOOLBAR                 59392
#endif
#ifndef ID_VIEW_STATUS_BAR
#define ID_VIEW_STATUS_BAR              59393
#endif
#ifndef ID_INDICATOR_NUM
#define ID_INDICATOR_NUM                59138
#endif
#ifndef AFX_ID_PREVIEW_CLOSE
#define AFX_ID_PREVIEW_CLOSE            58112
#endif
#ifndef AFX_ID_PREVIEW_PRINT
#define AFX_ID_PREVIEW_PRINT            58116
#endif
#ifndef AFX_ID_PREVIEW_NEXT
#define AFX_ID_PREVIEW_NEXT             58114
#endif
#ifndef AFX_ID_PREVIEW_PREV
#define AFX_ID_PREVIEW_PREV             58115
#endif
#ifndef AFX_ID_PREVIEW_ZOOMIN
#define AFX_ID_PREVIEW_ZOOMIN           58117
#endif
#ifndef AFX_ID_PREVIEW_ZOOMOUT
#define AFX_ID_PREVIEW_ZOOMOUT          58118
#endif
#ifndef AFX_IDS_APP_TITLE
#define AFX_IDS_APP_TITLE               57344
#endif
#ifndef AFX_IDS_IDLEMESSAGE
#define AFX_IDS_IDLEMESSAGE             57345
#endif
#ifndef AFX_IDP_COMMAND_FAILURE
#define AFX_IDP_COMMAND_FAILURE         61705
#endif

// ---------------------------------------------------------------------------
// Commands of the program (menus, toolbars, accelerators, context menus).
// ID_CONTEXT_... are the context-menu twins of menu commands: they act on the
// object under the last right click, or clear the view's context-menu state.
// ---------------------------------------------------------------------------
#define ID_MATERIAL_COMBO_PLACEHOLDER           44000
#define ID_TOOL_MEASURE                         44001
#define ID_VIEW_ZOOM_IN                         44002
#define ID_VIEW_ZOOM_OUT                        44003
#define ID_VIEW_ZOOM_WINDOW                     44004
#define ID_VIEW_ZOOM_ALL                        44005
#define ID_BARRIER_EDITOR                       44007
#define ID_GRID_SETTINGS                        44008
#define ID_MATERIAL_EDITOR                      44009
#define ID_ADD_DATA_COLLECTOR                   44012
#define ID_ADD_VERTICAL_BARRIER                 44013
#define ID_CONTEXT_EDIT_BARRIER                 44014
#define ID_CONTEXT_DELETE_COLLECTOR             44015
#define ID_COMPUTE                              44017
#define ID_CONTEXT_MOVE_COLLECTOR               44018
#define ID_MOVE_DATA_COLLECTOR                  44019
#define ID_VIEW_ZOOM_TOOLBAR                    44021
#define ID_DELETE_DATA_COLLECTOR                44022
#define ID_DELETE_VERTICES                      44023
#define ID_INSERT_VERTEX                        44024
#define ID_MOVE_VERTICES                        44025
#define ID_VIEW_ZOOM_MOUSE                      44026
#define ID_DELETE_ENTIRE_SLOPE                  44027
#define ID_VIEW_PAN                             44028
#define ID_BARRIER_COLLECTOR_GRAPHS             44030
#define ID_SNAP_SETTINGS                        44031
#define ID_SLOPE_EDITOR                         44032
#define ID_DEFINE_SLOPE                         44033
#define ID_CLEAR_ROCK_PATHS                     44034
#define ID_PROJECT_SETTINGS                     44035
#define ID_VIEW_GRAPH_TOOLBAR                   44038
#define ID_GRAPH_TRANS_ENERGY_ENVELOPE          44039
#define ID_GRAPH_HEIGHT_ENVELOPE                44040
#define ID_GRAPH_ENDPOINTS                      44041
#define ID_COLLECTOR_GRAPH_X_IMPACT             44042
#define ID_COLLECTOR_GRAPH_Y_IMPACT             44043
#define ID_GRAPH_TRANS_VELOCITY_ENVELOPE        44044
#define ID_ADD_POINT_SEEDER                     44045
#define ID_ADD_LINE_SEEDER                      44047
#define ID_DELETE_SEEDER                        44048
#define ID_VIEW_MATERIALS_TOOLBAR               44049
#define ID_CONTEXT_DELETE_SEEDER                44054
#define ID_CONTEXT_ASSIGN_MATERIAL              44055
#define ID_CONTEXT_MODIFY_MATERIAL              44056
#define ID_HELP_HOME_PAGE                       44057
#define ID_HELP_CONTACT                         44058
#define ID_DELETE_BARRIER                       44060
#define ID_ADD_BARRIER                          44061
#define ID_CONTEXT_EDIT_SEEDER                  44062
#define ID_CONTEXT_DELETE_BARRIER               44063
#define ID_COLLECTOR_EDITOR                     44064
#define ID_CONTEXT_EDIT_COLLECTOR               44065
#define ID_GRAPH_SPLIT_VIEW                     44066
#define ID_SNAP_VERTEX                          44068
#define ID_SNAP_GRID                            44069
#define ID_SNAP_NONE                            44070
#define ID_GRAPH_COPY_RAW_DATA                  44072
#define ID_EVENT_DONE                           44075
#define ID_EVENT_UNDO                           44076
#define ID_CONTEXT_EDIT_SLOPE_GEOMETRY          44077
#define ID_MOVE_BARRIER_VERTEX                  44078
#define ID_CONTEXT_MOVE_BARRIER_VERTEX          44081
#define ID_IMPORT_DXF                           44082
#define ID_ASSIGN_MATERIAL                      44083
#define ID_VIEW_GEOMETRY_TOOLBAR                44085
#define ID_EVENT_CANCEL                         44086
#define ID_VIEW_AUTO_ARRANGE                    44087
#define ID_CONTEXT_PROJECT_SETTINGS             44089
#define ID_EVENT_SELECTED                       44090
#define ID_EVENT_ALL                            44091
#define ID_EVENT_RESELECT_BASE_POINT            44092
#define ID_DISC_READ_FILE                       44093
#define ID_DISC_WRITE_FILE                      44094
#define ID_DISC_PARAMETERS                      44095
#define ID_DISC_THROW                           44096
#define ID_DISC_TIME_STEP                       44097
#define ID_VIEW_RULER                           44104
#define ID_VIEW_PAN_LEFT                        44105
#define ID_VIEW_PAN_RIGHT                       44106
#define ID_VIEW_PAN_UP                          44107
#define ID_VIEW_PAN_DOWN                        44108
#define ID_HELP_WHATS_NEW                       44111
#define ID_GRAPH_HEIGHT_DISTRIBUTION            44113
#define ID_GRAPH_TRANS_ENERGY_DISTRIBUTION      44114
#define ID_GRAPH_TRANS_VELOCITY_DISTRIBUTION    44115
#define ID_GRAPH_CHART_PROPERTIES               44116
#define ID_UNITS                                44117
#define ID_HELP_FAQ                             44118
#define ID_HELP_FREE_UPDATES                    44119
#define ID_TOOL_TEXT_BOX                        44120
#define ID_TOOL_ARROW                           44121
#define ID_TOOL_DELETE_DRAWINGS                 44122
#define ID_CONTEXT_DELETE_TOOL                  44123
#define ID_CONTEXT_DELETE_TEXT                  44124
#define ID_CONTEXT_EDIT_TEXT                    44125
#define ID_VIEW_TOOLS_TOOLBAR                   44127
#define ID_TOOL_DELETE_ALL_DRAWINGS             44128
#define ID_CONTEXT_DELETE_ALL_DRAWINGS          44129
#define ID_GRAPH_MARKERS                        44130
#define ID_CONTEXT_GRAYSCALE                    44132
#define ID_VIEW_GRAYSCALE                       44133
#define ID_EXPORT_IMAGE                         44134
#define ID_CONTEXT_EXPORT_IMAGE                 44135
#define ID_VIEW_LIMITS                          44137
#define ID_IMPORT_CRSP                          44138
#define ID_GRAPH_STATISTICS                     44139
#define ID_CONTEXT_STATISTICS                   44141
#define ID_INFO_VIEWER                          44142
#define ID_VIEW_PAGE_UP                         44143
#define ID_VIEW_PAGE_DOWN                       44144
#define ID_IMPORT_MATERIALS                     44145
#define ID_EXPORT_MATERIALS                     44146
#define ID_MATERIAL_WIZARD                      44147
#define ID_TOOL_RECTANGLE                       44148
#define ID_TOOL_CIRCLE                          44149
#define ID_TOOL_LINE                            44150
#define ID_TOOL_AXIS                            44151
#define ID_TOOLS_FILE_SAVE                      44152
#define ID_TOOLS_FILE_OPEN                      44153
#define ID_GRAPH_ROT_VELOCITY_ENVELOPE          44154
#define ID_GRAPH_ROT_VELOCITY_DISTRIBUTION      44155
#define ID_GRAPH_ROT_ENERGY_ENVELOPE            44156
#define ID_GRAPH_TOTAL_ENERGY_ENVELOPE          44157
#define ID_GRAPH_ROT_ENERGY_DISTRIBUTION        44158
#define ID_GRAPH_TOTAL_ENERGY_DISTRIBUTION      44159
#define ID_HELP_TECHNICAL_SUPPORT               44162
#define ID_CONTEXT_FORMAT_TOOL                  44163
#define ID_CONTEXT_RULER                        44164
#define ID_CONTEXT_GRAPH_GRAYSCALE              44165
#define ID_GRAPH_CHART_IN_EXCEL                 44166
#define ID_CONTEXT_CHART_IN_EXCEL               44167
#define ID_REPORT_SAVE_RTF                      44168
#define ID_REPORT_SAVE_TXT                      44169
#define ID_FILTER_BY_VALUE                      44170
#define ID_FILTER_BY_PICKING                    44171
#define ID_REMOVE_FILTER                        44172
#define ID_FILTER_BY_IMPACT                     44173
#define ID_FILTERED_PATHS_ONLY                  44174
#define ID_EXPORT_DXF                           44175
#define ID_CONTEXT_COLLECTOR_FILTER_BY_IMPACT   44176
#define ID_CONTEXT_BARRIER_FILTER_BY_IMPACT     44177
#define ID_COLLECTOR_GRAPH_ROT_VELOCITY         44178
#define ID_COLLECTOR_GRAPH_TRANS_VELOCITY       44179
#define ID_COLLECTOR_GRAPH_ROT_ENERGY           44180
#define ID_COLLECTOR_GRAPH_TRANS_ENERGY         44181
#define ID_COLLECTOR_GRAPH_TOTAL_ENERGY         44182
#define ID_BARRIER_GRAPH_TOTAL_ENERGY           44183
#define ID_BARRIER_GRAPH_TRANS_ENERGY           44184
#define ID_BARRIER_GRAPH_ROT_ENERGY             44185
#define ID_BARRIER_GRAPH_TRANS_VELOCITY         44186
#define ID_BARRIER_GRAPH_ROT_VELOCITY           44187
#define ID_BARRIER_GRAPH_Y_IMPACT               44188
#define ID_BARRIER_GRAPH_X_IMPACT               44189
#define ID_CONTEXT_FORMAT_TEXT                  44190
#define ID_DISPLAY_OPTIONS                      44191
#define ID_GRAPH_ENVELOPE                       44192
#define ID_GRAPH_DISTRIBUTION                   44193
#define ID_TOOL_PICTURE                         44194
#define ID_TOOL_SCALE_PICTURE                   44195
#define ID_DEM_NEW_SIMULATION                   44196
#define ID_INVERT_FILTER                        44197
#define ID_VIEW_3D                              44198
#define ID_HELP_CHECK_PRODUCT_UPDATES           44199
#define ID_HELP_CHECK_MAKER_UPDATES             44200
#define ID_HELP_CHECK_UPDATES_AUTOMATICALLY     44201
#define ID_HELP_TUTORIAL_MANUAL                 44202
#define ID_HELP_VERIFY_ANGULAR_VELOCITY         44203
#define ID_HELP_VERIFY_ENVELOPES                44204
#define ID_HELP_VERIFY_PROBABILITY              44205
#define ID_HELP_VERIFY_PROJECTILE               44206
#define ID_HELP_VERIFY_SLIDING                  44207
#define ID_HELP_VERIFY_THEORY                   44208
#define ID_HELP_DETERMINING_INPUT_PARAMETERS    44222

// ---------------------------------------------------------------------------
// Status bar panes; each pane's id is also the string that sizes it.
// ---------------------------------------------------------------------------
#define ID_INDICATOR_SNAP               44210 // "VERTEX SNAP"
#define ID_INDICATOR_COORDINATES        44211
#define IDS_BLANK                       44212 // a single tab: blank pane and blank prompt
#define ID_INDICATOR_GRID               44213 // "GRID"
#define IDS_GRID_SNAP                   44214
#define IDS_NO_SNAPPING                 44215
#define ID_INDICATOR_ROCKS              44216

// ---------------------------------------------------------------------------
// Strings.
// ---------------------------------------------------------------------------
// Messages
#define IDS_INVALID_SLOPE_VERTEX        12000
#define IDS_DELETE_ENTIRE_SLOPE         12006
#define IDS_SLOPE_PROFILE               12041 // slope view's window text
#define IDS_CALCULATING_PATHS           12043 // title of the progress dialog
#define IDS_DISCRETE_SEEDER_EXISTS      12050
#define IDS_TIME_OUT                    12051
#define IDS_DELETE_ALL_BARRIERS         12054
#define IDS_SEGMENT_TOO_SHORT           12055
#define IDS_BARRIER_TOO_SHORT           12056
#define IDS_INVALID_BARRIER_END         12057
#define IDS_ENDS_TOO_CLOSE              12060
#define IDS_END_BELOW_SLOPE             12061
#define IDS_SEGMENTS_CROSS              12062

// Toolbar titles (captions when floating)
#define IDS_TOOLBAR_ZOOM                12004
#define IDS_TOOLBAR_MATERIALS           12005
#define IDS_TOOLBAR_GRAPH               12032
#define IDS_TOOLBAR_STANDARD            12033
#define IDS_TOOLBAR_GEOMETRY            12066
#define IDS_TOOLBAR_TOOLS               12071

// Names of the built-in materials
#define IDS_MATERIAL_TALUS_VEGETATION   12007
#define IDS_MATERIAL_BEDROCK_OUTCROPS   12008
#define IDS_MATERIAL_TALUS_COVER        12009
#define IDS_MATERIAL_SOIL_VEGETATION    12010
#define IDS_MATERIAL_ASPHALT            12011
#define IDS_MATERIAL_CLEAN_BEDROCK      12012

// Pick prompts kept under their own string ids (prompt code in brackets)
#define IDS_PROMPT_ZOOM_WINDOW          12013 // [1015]
#define IDS_PROMPT_PAN                  12015 // [1017]
#define IDS_PROMPT_ZOOM_DYNAMIC         12016 // [1018]
#define IDS_PROMPT_DELETE_COLLECTORS    12017 // [1020]
#define IDS_PROMPT_DELETE_VERTICES      12018 // [1019]
#define IDS_PROMPT_INSERT_VERTEX        12022 // [1007]
#define IDS_PROMPT_SELECT_VERTICES      12023 // [1013]
#define IDS_PROMPT_BASE_POINT           12024 // [1008, 1010]
#define IDS_PROMPT_TARGET_POINT         12025 // [1011, 1012]
#define IDS_PROMPT_DEFINE_SLOPE         12026 // [1005]
#define IDS_PROMPT_COLLECTOR_FIRST      12027 // [1006]
#define IDS_PROMPT_COLLECTOR_SECOND     12028 // [1001]
#define IDS_PROMPT_SELECT_COLLECTORS    12031 // [1009]
#define IDS_PROMPT_DELETE_SEEDERS       12046 // [1014]
#define IDS_PROMPT_POINT_SEEDER         12047 // [1002]
#define IDS_PROMPT_SEEDER_FIRST         12048 // [1003]
#define IDS_PROMPT_SEEDER_NEXT          12049 // [1004]
#define IDS_PROMPT_BARRIER_FIRST        12053 // [1021]
#define IDS_PROMPT_DELETE_BARRIERS      12058 // [1023]
#define IDS_PROMPT_MOVE_BARRIER         12059 // [1024]
#define IDS_PROMPT_BARRIER_SECOND       12063 // [1022, 1025]
#define IDS_PROMPT_ASSIGN_MATERIAL      12067 // [1026]

// Prompts without a string id of their own are stored under their prompt code,
// so that every prompt code can be turned into text by the string table:
// 1016 and 1027 to 1048 (pick prompts), 1240 to 1256 (field help; 1244 to 1249
// are empty and have no entry). Code 1000 is IDS_BLANK.
#define IDS_PROMPT_FIRST                1000
#define IDS_PROMPT_LAST                 1048
#define IDS_FIELD_HELP_FIRST            1240
#define IDS_FIELD_HELP_LAST             1256
