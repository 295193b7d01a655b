// Saves what a view shows as an image file: a JPEG or Windows bitmap of the
// view's client area, or an enhanced or Windows metafile of its drawing.
// Made on the stack by a view's Export Image command: ChooseFile asks for the
// file, Export writes it.
#pragma once

#include <windows.h>
#include "framework/String.h"

class CFile;
class CPalette;
class CView;

enum ImageFileFormat {
    IMAGE_FORMAT_NONE = 0,
    IMAGE_FORMAT_JPEG = 1,
    IMAGE_FORMAT_BMP = 2,
    IMAGE_FORMAT_EMF = 3,
    IMAGE_FORMAT_WMF = 4,
};

class CViewImageExporter
{
public:
    explicit CViewImageExporter(CView* pView);
    virtual ~CViewImageExporter();
    CViewImageExporter(const CViewImageExporter&) = delete;
    CViewImageExporter& operator=(const CViewImageExporter&) = delete;

    // Offer the two metafile formats (the default).
    void SetAllowMetafiles(BOOL allow) { m_allowMetafiles = allow ? 1 : 0; }
    // Copy the window's pixels instead of drawing the view anew (for a view
    // whose picture is a child window).
    void SetCopyFromScreen(BOOL copy) { m_copyFromScreen = copy ? 1 : 0; }

    // The Save As dialog: the chosen format, 0 when cancelled or when the
    // file's extension names no format offered.
    int ChooseFile();
    // Writes the chosen file; false when it could not be written.
    BOOL Export();

    // What the user is told when the chosen file's kind is none that can be
    // written, and when a file could not be written.
    static CString UnknownKindText(BOOL metafiles);
    static CString NotWrittenText(LPCSTR path);

    int GetFormat() const { return m_format; }
    LPCSTR GetPath() const { return m_path; }

    // A 24-bit packed DIB of the bitmap in fixed global memory, null on failure
    // or for BI_BITFIELDS; the caller frees it.
    HGLOBAL BitmapToDib(HBITMAP bitmap, DWORD compression, CPalette* pPalette);
    // Writes the DIB as a bitmap file; 0 for no DIB or an unknown header. A
    // file error is thrown on.
    static BOOL WriteDib(CFile& file, HGLOBAL dib);
    // Bytes of the colour table and entries in it.
    static WORD GetPaletteSize(const BITMAPINFOHEADER* header);
    static WORD GetColourCount(const BITMAPINFOHEADER* header);

private:
    BOOL ExportRaster();
    BOOL ExportEnhancedMetafile();
    BOOL ExportWindowsMetafile();
    // The view's drawing recorded into an enhanced metafile, in a file when
    // a path is given; null on failure.
    HENHMETAFILE RecordEnhancedMetafile(LPCSTR path);

    CView* m_pView;
    CPalette* m_pPalette = nullptr;
    COLORREF m_background = RGB(255, 255, 255);
    char m_path[MAX_PATH] = {};
    BYTE m_allowMetafiles = 1;
    BYTE m_fillBackground = 1;
    BYTE m_copyFromScreen = 0;
    int m_format = IMAGE_FORMAT_NONE;
};
