// The drawing tools' dialogs and the ids of their controls.
#pragma once

#define IDD_FORMAT_TOOL                 10029 // "Format Tool": the style of one drawing tool
#define IDC_FT_HEAD_X                   16224
#define IDC_FT_TAIL_X                   16226
#define IDC_FT_TAIL_Y                   16228
#define IDC_FT_HEAD_Y                   16230
#define IDC_FT_FILL                     16232
#define IDC_FT_WEIGHT                   16234
#define IDC_FT_HATCH_LIST               16236
#define IDC_FT_HATCH                    16238
#define IDC_FT_APPLY                    16241
#define IDC_FT_TAIL_LABEL               16251
#define IDC_FT_FONT                     16253
#define IDC_FT_COLOR_LABEL              16255
#define IDC_FT_FILL_GROUP               16259
#define IDC_FT_AXIS_GROUP               16260
#define IDC_FT_ARROW_GROUP              16263
#define IDC_FT_AT_TAIL                  16265
#define IDC_FT_AT_HEAD                  16267
#define IDC_FT_DEFAULT                  16271
#define IDC_FT_ARC                      16273
#define IDC_FT_ARC_TO                   16274
#define IDC_FT_ARC_FROM                 16275
#define IDC_FT_TO_LABEL                 16276
#define IDC_FT_WEIGHT_LABEL             16277
#define IDC_FT_ARC_GROUP                16278
#define IDC_FT_DEGREES_FROM             16279
#define IDC_FT_DEGREES_TO               16280
#define IDC_FT_FROM_LABEL               16281
#define IDC_FT_CUSTOM_SPACING           16282
#define IDC_FT_X_SPACING                16283
#define IDC_FT_Y_SPACING                16284
#define IDC_FT_X_SPACING_LABEL          16285
#define IDC_FT_Y_SPACING_LABEL          16286
#define IDC_FT_TOP                      16314
#define IDC_FT_LEFT                     16315
#define IDC_FT_RIGHT                    16316
#define IDC_FT_BOTTOM                   16317
#define IDC_FT_LOCAL                    16320
#define IDC_FT_GLOBAL                   16321
#define IDC_FT_HEAD_LABEL               16322
#define IDC_FT_CCW_LABEL                16323
#define IDC_FT_IMAGE_GROUP              16324
#define IDC_FT_TRANSPARENT              16325
#define IDC_FT_ALPHA                    16326
#define IDC_FT_ALPHA_PERCENT            16327
#define IDC_FT_ALPHA_SPIN               16328
#define IDC_FT_PERCENT_LABEL            16329
#define IDC_FT_LOCK                     16330
#define IDC_FT_SCALING_LABEL            16331
#define IDC_FT_SCALING                  16332
#define IDC_FT_LINE_GROUP               16333
#define IDC_FT_BEHIND                   16339
#define IDC_FT_FILL_COLOUR              16344
#define IDC_FT_LINE_COLOUR              16345
#define IDC_FT_TRANSPARENT_COLOUR       16349

#define IDD_ADD_TEXT                    10007 // "Add Text": a text box's text, typed or from auto-text
#define IDC_AT_LEFT_MARKER              16069
#define IDC_AT_RIGHT_MARKER             16071
#define IDC_AT_TEXT                     16145
#define IDC_AT_GRAB_ENTER               16243
#define IDC_AT_INSERT                   16245
#define IDC_AT_TREE                     16248
