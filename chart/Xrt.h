// Clastor's chart component: a small GDI chart of one data series (bars or a
// line) with a header, axis titles, fixed or automatic axis bounds, fonts,
// colours and point markers. It draws into a window of the class
// "OlectraChart2D", into any device context, into BMP, WMF, EMF and JPEG files
// and onto the clipboard.
//
// The interface is C-style: opaque handles, integer property ids, and 1 for
// success / 0 for failure. Every call accepts a null or already destroyed
// handle and then fails without touching anything. Like every window, the
// chart belongs to the user interface thread: call it from there only.
//
// Properties are set with XrtSetValues(chart, id, value, 0); a double is passed
// as its two 32-bit halves, XrtSetValues(chart, id, low, high, 0). Texts go
// through XrtSetPropString. The trailing 0 ends the argument list.
#pragma once

#include <windows.h>

// Opaque handles.
typedef struct XrtChart* XrtHandle;
typedef struct XrtDataSet* XrtDataHandle;

// Property ids. Each one holds a 32-bit integer unless noted.
enum XrtPropertyId {
    // Kept for the caller; they do not change the drawing.
    XRT_RESERVED_257 = 257,
    XRT_RESERVED_2305 = 2305,
    XRT_RESERVED_3328 = 3328,
    XRT_RESERVED_3330 = 3330,
    XRT_RESERVED_3333 = 3333,
    XRT_RESERVED_3840 = 3840,
    XRT_RESERVED_3841 = 3841,
    XRT_RESERVED_17152 = 17152,
    XRT_RESERVED_20225 = 20225,

    // Colours (COLORREF).
    XRT_BACKGROUND_COLOR = 512,      // the whole window
    XRT_PLOT_AREA_COLOR = 514,       // inside the axes
    XRT_GRID_COLOR = 522,            // grid lines

    XRT_DATA = 768,                  // the attached data set (XrtDataHandle, or 0 for none)

    XRT_BORDER_WIDTH = 1547,         // width of the chart area's shadow, pixels
    XRT_BORDER_STYLE = 19200,        // 0 no frame, 1 frame, 2 frame and shadow
    XRT_PLOT_AREA_FRAME = 265,       // 1: frame drawn around the plot area

    // Axis bounds (doubles). Setting one fixes it: its automatic flag clears.
    XRT_X_MAX = 1811,
    XRT_Y_MAX = 1812,
    XRT_X_MIN = 1814,
    XRT_Y_MIN = 1815,
    // 1: the bound follows the data; 0: the value set above is used.
    XRT_X_MIN_AUTO = 3623,
    XRT_Y_MIN_AUTO = 3624,
    XRT_X_MAX_AUTO = 3626,
    XRT_Y_MAX_AUTO = 3627,

    // Fonts, as texts "Face,points[,Bold][,Italic]", e.g. "Arial,8,Bold".
    XRT_AXIS_FONT = 2048,            // tick labels
    XRT_HEADER_FONT = 2049,
    XRT_AXIS_TITLE_FONT = 2050,

    XRT_BAR_WIDTH_PERCENT = 2311,    // bar width in percent of the spacing of the x values

    // Layout, in pixels, read only (XrtGetValues). The plot area's first
    // pixel inside its frame is at x = chart area inset + plot left inset + 1,
    // its last at x = width - (chart area inset + plot right inset + border width) - 2.
    XRT_CHART_AREA_INSET = 2816,
    XRT_PLOT_LEFT_INSET = 2825,
    XRT_PLOT_RIGHT_INSET = 2826,

    XRT_TICK_SPACING = 2827,         // smallest distance between neighbouring ticks, pixels

    // Texts: XrtSetPropString, or XrtSetValues with a char pointer (0 for none).
    XRT_X_TITLE = 3072,
    XRT_Y_TITLE = 3073,
    // Header lines: XrtSetValues with a null-terminated array of char
    // pointers (0 for none), or XrtSetPropString with lines split at '\n'.
    XRT_HEADER_LINES = 3332,

    // Automatic-layout flags, kept for the caller; the layout is always automatic.
    XRT_AUTO_3584 = 3584, XRT_AUTO_3585 = 3585, XRT_AUTO_3586 = 3586, XRT_AUTO_3587 = 3587,
    XRT_AUTO_3588 = 3588, XRT_AUTO_3589 = 3589, XRT_AUTO_3590 = 3590, XRT_AUTO_3591 = 3591,
    XRT_AUTO_3592 = 3592, XRT_AUTO_3593 = 3593, XRT_AUTO_3594 = 3594, XRT_AUTO_3595 = 3595,
    XRT_AUTO_3597 = 3597, XRT_AUTO_3598 = 3598, XRT_AUTO_3608 = 3608, XRT_AUTO_3617 = 3617,
    XRT_AUTO_3619 = 3619, XRT_AUTO_3620 = 3620, XRT_AUTO_3621 = 3621, XRT_AUTO_3622 = 3622,
    XRT_AUTO_3637 = 3637, XRT_AUTO_3638 = 3638,

    XRT_GRID_LINES = 17668,          // 0 none, 1 at the x ticks, 2 at the y ticks, 3 both

    XRT_CHART_TYPE = 20736,          // XRT_TYPE_LINE or XRT_TYPE_BAR
};

enum { XRT_TYPE_LINE = 1, XRT_TYPE_BAR = 2 };

// Point shapes of a data style.
enum { XRT_POINT_NONE = 1, XRT_POINT_DOT = 2, XRT_POINT_BOX = 3, XRT_POINT_TRIANGLE = 4,
       XRT_POINT_DIAMOND = 5 };

// How a series is drawn. A line series is drawn in `color` with markers of
// shape `point` in `pcolor`; a bar series is filled with `color` and edged with
// `pcolor` (the point shape does not apply to bars).
struct XrtDataStyle {
    COLORREF color;
    int point;
    COLORREF pcolor;
};

// Data layout of XrtDataCreate: every set has its own x values.
enum { XRT_DATA_GENERAL = 1 };

// XrtDrawToDC's drawing kind and fit: the whole chart, laid out for the rectangle.
enum { XRT_DRAW_CHART = 3, XRT_FIT_RECT = 4 };

// XrtDrawToFile's formats.
enum { XRT_FILE_BMP = 1, XRT_FILE_WMF = 2, XRT_FILE_EMF = 3 };

// XrtDrawToClipboard's formats: a device-independent bitmap (CF_DIB), an
// enhanced metafile (CF_ENHMETAFILE), or both.
enum { XRT_CLIP_BITMAP = 1, XRT_CLIP_METAFILE = 2, XRT_CLIP_BOTH = 3 };

// The window class the chart paints itself in; registered when the program starts.
#define XRT_WINDOW_CLASS "OlectraChart2D"

// Chart lifetime. A chart attached to a window repaints it whenever a
// property, the style or the attached data changes, and takes its size for
// files and the clipboard from the window's client area.
XrtHandle XrtCreate(void);
int XrtAttachWindow(XrtHandle chart, HWND window);
void XrtDestroy(XrtHandle chart);

// Properties. A double is passed as its two 32-bit halves: memcpy it into
// two unsigned ints, the low-order half first. Unknown ids, values of the wrong
// kind and read-only ids fail.
int XrtSetValues(XrtHandle chart, int id, int value, int end);
int XrtSetValues(XrtHandle chart, int id, const void* value, int end);
int XrtSetValues(XrtHandle chart, int id, unsigned low, unsigned high, int end);
int XrtGetValues(XrtHandle chart, int id, int* value, int end);
int XrtSetPropString(XrtHandle chart, int id, const char* text);

// Data sets: `format` XRT_DATA_GENERAL, `sets` 1, `points` 0 or more. The
// values are copied; destroying a set detaches it from every chart using it.
XrtDataHandle XrtDataCreate(int format, int sets, int points);
void XrtDataDestroy(XrtDataHandle data);
// Copies `count` values to points first .. first + count - 1 of `set`; null
// values remove the set's x (or y) values, and the series is not drawn.
int XrtDataSetXData(XrtDataHandle data, int set, const double* values, int count, int first);
int XrtDataSetYData(XrtDataHandle data, int set, const double* values, int count, int first);
int XrtDataGetNPoints(XrtDataHandle data, int set);
// The set's values (XrtDataGetNPoints of them), or null when there are none.
// Valid until the values change or the data set is destroyed.
const double* XrtDataGetXData(XrtDataHandle data, int set);
const double* XrtDataGetYData(XrtDataHandle data, int set);

// The style of series `n` (only 0 exists): a copy the caller may change and
// hand back with XrtSetNthDataStyle. Null for a bad handle or index.
XrtDataStyle* XrtGetNthDataStyle(XrtHandle chart, int n);
int XrtSetNthDataStyle(XrtHandle chart, int n, const XrtDataStyle* style);

// Output. The chart is laid out for the target's size in logical units, with
// fonts sized for the screen, so a DC mapped to screen-sized logical units
// (as for printing) gets the screen's proportions.
int XrtDrawToDC(XrtHandle chart, HDC dc, int kind, int fit, int x, int y, int width, int height);
// Files and the clipboard take the size of the attached window's client area.
int XrtDrawToFile(XrtHandle chart, const char* path, int format);
// `quality` 1..100; the three last arguments are reserved and must be 0.
int XrtSaveImageAsJpeg(XrtHandle chart, const char* path, int quality, int reserved1,
                       int reserved2, int reserved3);
int XrtDrawToClipboard(XrtHandle chart, int formats);
