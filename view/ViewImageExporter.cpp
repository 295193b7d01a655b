#include "view/ViewImageExporter.h"

#include <cctype>
#include <cstdlib>
#include <cstring>
#include <vector>

#include "framework/DC.h"
#include "framework/Exception.h"
#include "framework/File.h"
#include "framework/FileDialog.h"
#include "framework/Gdi.h"
#include "framework/View.h"
#include "framework/Wnd.h"
#include "view/DibJpeg.h"

namespace {

constexpr char kFilterWithMetafiles[] =
    "JPEG (*.jpg)|*.jpg|Windows Bitmap (*.bmp)|*.bmp|Windows Enhanced Metafile (*.emf)|*.emf|"
    "Windows Metafile (*.wmf)|*.wmf||";
constexpr char kFilterRasterOnly[] = "JPEG (*.jpg)|*.jpg|Windows Bitmap (*.bmp)|*.bmp||";
constexpr int kJpegQuality = 100;

// The packed DIB of a global block, locked for as long as this lives.
class LockedDib
{
public:
    explicit LockedDib(HGLOBAL dib)
        : m_dib(dib), m_header(dib ? static_cast<BITMAPINFOHEADER*>(::GlobalLock(dib)) : nullptr)
    {
    }
    ~LockedDib()
    {
        if (m_header != nullptr)
            ::GlobalUnlock(m_dib);
    }
    LockedDib(const LockedDib&) = delete;
    LockedDib& operator=(const LockedDib&) = delete;
    BITMAPINFOHEADER* get() const { return m_header; }

private:
    HGLOBAL m_dib;
    BITMAPINFOHEADER* m_header;
};

DWORD Stride(LONG width, WORD bitCount)
{
    return ((static_cast<DWORD>(width) * bitCount + 31) / 32) * 4;
}

}  // namespace

CViewImageExporter::CViewImageExporter(CView* pView) : m_pView(pView) {}

CViewImageExporter::~CViewImageExporter()
{
    delete m_pPalette;
}

int CViewImageExporter::ChooseFile()
{
    // A file to save into need not exist yet; an existing one is replaced
    // only when the user agrees.
    const DWORD flags = OFN_HIDEREADONLY | OFN_PATHMUSTEXIST | OFN_OVERWRITEPROMPT;
    CFileDialog dialog(FALSE, "jpg", nullptr, flags, m_allowMetafiles ? kFilterWithMetafiles : kFilterRasterOnly,
                       m_pView);
    m_format = IMAGE_FORMAT_NONE;
    if (dialog.DoModal() != IDOK)
        return m_format;
    CString extension = dialog.GetFileExt();
    extension.MakeLower();
    const CString path = dialog.GetPathName();
    ::lstrcpynA(m_path, path, MAX_PATH);
    if (extension == "jpg")
        m_format = IMAGE_FORMAT_JPEG;
    else if (extension == "bmp")
        m_format = IMAGE_FORMAT_BMP;
    else if (extension == "emf" && m_allowMetafiles)
        m_format = IMAGE_FORMAT_EMF;
    else if (extension == "wmf" && m_allowMetafiles)
        m_format = IMAGE_FORMAT_WMF;
    return m_format;
}

CString CViewImageExporter::UnknownKindText(BOOL metafiles)
{
    return metafiles ? "Images are saved as JPEG (.jpg), Windows Bitmap (.bmp), Windows Enhanced Metafile (.emf) "
                       "or Windows Metafile (.wmf) files."
                     : "Images are saved as JPEG (.jpg) or Windows Bitmap (.bmp) files.";
}

CString CViewImageExporter::NotWrittenText(LPCSTR path)
{
    return CString("The image could not be written to ") + path + ".";
}

BOOL CViewImageExporter::Export()
{
    if (m_pView == nullptr || m_pView->GetSafeHwnd() == nullptr || m_path[0] == '\0')
        return FALSE;
    CWaitCursor wait;
    switch (m_format) {
    case IMAGE_FORMAT_JPEG:
    case IMAGE_FORMAT_BMP: return ExportRaster();
    case IMAGE_FORMAT_EMF: return ExportEnhancedMetafile();
    case IMAGE_FORMAT_WMF: return ExportWindowsMetafile();
    default: return FALSE;
    }
}

BOOL CViewImageExporter::ExportRaster()
{
    CRect client;
    m_pView->GetClientRect(&client);
    if (client.Width() <= 0 || client.Height() <= 0)
        return FALSE;
    CClientDC clientDC(m_pView);
    CDC memoryDC;
    CBitmap bitmap;
    if (!memoryDC.CreateCompatibleDC(&clientDC) ||
        !bitmap.CreateCompatibleBitmap(&clientDC, client.Width(), client.Height()))
        return FALSE;
    CBitmap* oldBitmap = memoryDC.SelectObject(&bitmap);
    memoryDC.SetMapMode(MM_TEXT);

    CPalette* oldPalette = nullptr;
    bool paletteMade = false;
    if (memoryDC.GetDeviceCaps(RASTERCAPS) & RC_PALETTE) {
        if (m_pPalette == nullptr) {
            m_pPalette = new CPalette;
            m_pPalette->CreateHalftonePalette(&memoryDC);
            paletteMade = true;
        }
        oldPalette = memoryDC.SelectPalette(m_pPalette, FALSE);
        memoryDC.RealizePalette();
    }

    if (m_fillBackground)
        memoryDC.FillSolidRect(&client, m_background);
    if (m_copyFromScreen)
        memoryDC.BitBlt(0, 0, client.Width(), client.Height(), &clientDC, 0, 0, SRCCOPY);
    else
        m_pView->OnDraw(&memoryDC);

    if (oldPalette != nullptr)
        memoryDC.SelectPalette(oldPalette, FALSE);
    memoryDC.SelectObject(oldBitmap);

    BOOL written = FALSE;
    if (HGLOBAL dib = BitmapToDib(bitmap, BI_RGB, m_pPalette)) {
        if (m_format == IMAGE_FORMAT_JPEG) {
            LockedDib header(dib);
            CString error;
            written = SaveDibAsJpeg(header.get(), kJpegQuality, m_path, &error);
        } else {
            try {
                CFile file(m_path, CFile::modeCreate | CFile::modeWrite);
                written = WriteDib(file, dib);
                file.Close();
            } catch (CException* e) {
                e->Delete();
                written = FALSE;
            }
        }
        ::GlobalFree(dib);
    }
    if (paletteMade) {
        delete m_pPalette;
        m_pPalette = nullptr;
    }
    return written;
}

HENHMETAFILE CViewImageExporter::RecordEnhancedMetafile(LPCSTR path)
{
    CRect client;
    m_pView->GetClientRect(&client);
    CClientDC clientDC(m_pView);
    // The frame in hundredths of a millimetre of the reference device, so
    // that the picture plays back at the size it has on screen.
    const int mmWide = clientDC.GetDeviceCaps(HORZSIZE), pxWide = clientDC.GetDeviceCaps(HORZRES);
    const int mmHigh = clientDC.GetDeviceCaps(VERTSIZE), pxHigh = clientDC.GetDeviceCaps(VERTRES);
    if (pxWide <= 0 || pxHigh <= 0)
        return nullptr;
    const CRect frame(0, 0, ::MulDiv(client.Width(), mmWide * 100, pxWide),
                      ::MulDiv(client.Height(), mmHigh * 100, pxHigh));
    CMetaFileDC metafile;
    if (!metafile.CreateEnhanced(&clientDC, path, &frame, "Clastor\0\0"))
        return nullptr;
    metafile.SetAttribDC(metafile.m_hDC);
    m_pView->OnDraw(&metafile);
    return metafile.CloseEnhanced();
}

BOOL CViewImageExporter::ExportEnhancedMetafile()
{
    HENHMETAFILE metafile = RecordEnhancedMetafile(m_path);
    if (metafile == nullptr)
        return FALSE;
    ::DeleteEnhMetaFile(metafile);
    return TRUE;
}

BOOL CViewImageExporter::ExportWindowsMetafile()
{
    HENHMETAFILE enhanced = RecordEnhancedMetafile(nullptr);
    if (enhanced == nullptr)
        return FALSE;
    BOOL written = FALSE;
    CClientDC clientDC(m_pView);
    const UINT size = ::GetWinMetaFileBits(enhanced, 0, nullptr, MM_TEXT, clientDC.m_hDC);
    if (size > 0) {
        std::vector<BYTE> bits(size);
        if (::GetWinMetaFileBits(enhanced, size, bits.data(), MM_TEXT, clientDC.m_hDC) == size) {
            if (HMETAFILE inMemory = ::SetMetaFileBitsEx(size, bits.data())) {
                if (HMETAFILE onDisk = ::CopyMetaFileA(inMemory, m_path)) {
                    written = TRUE;
                    ::DeleteMetaFile(onDisk);
                }
                ::DeleteMetaFile(inMemory);
            }
        }
    }
    ::DeleteEnhMetaFile(enhanced);
    return written;
}

HGLOBAL CViewImageExporter::BitmapToDib(HBITMAP bitmap, DWORD compression, CPalette* pPalette)
{
    if (bitmap == nullptr || compression == BI_BITFIELDS)
        return nullptr;
    HPALETTE palette = pPalette != nullptr && pPalette->GetSafeHandle() != nullptr
                           ? static_cast<HPALETTE>(pPalette->GetSafeHandle())
                           : static_cast<HPALETTE>(::GetStockObject(DEFAULT_PALETTE));
    BITMAP info{};
    if (::GetObjectA(bitmap, sizeof(info), &info) == 0)
        return nullptr;

    BITMAPINFOHEADER header{};
    header.biSize = sizeof(BITMAPINFOHEADER);
    header.biWidth = info.bmWidth;
    header.biHeight = info.bmHeight;
    header.biPlanes = 1;
    header.biBitCount = 24;
    header.biCompression = compression;
    header.biSizeImage = Stride(info.bmWidth, 24) * static_cast<DWORD>(info.bmHeight);

    HDC screen = ::GetDC(nullptr);
    HPALETTE oldPalette = ::SelectPalette(screen, palette, FALSE);
    ::RealizePalette(screen);

    HGLOBAL dib = ::GlobalAlloc(GMEM_FIXED, header.biSize);
    bool ok = dib != nullptr;
    if (ok) {
        auto* h = static_cast<BITMAPINFOHEADER*>(dib);
        *h = header;
        // The header only, for the size the bits take.
        ok = ::GetDIBits(screen, bitmap, 0, static_cast<UINT>(h->biHeight), nullptr,
                         reinterpret_cast<BITMAPINFO*>(h), DIB_RGB_COLORS) != 0;
        if (ok && h->biSizeImage == 0) {
            h->biSizeImage = Stride(h->biWidth, h->biBitCount) * static_cast<DWORD>(h->biHeight);
            if (compression != BI_RGB)
                h->biSizeImage = h->biSizeImage * 3 / 2;
        }
        // No colour table at 24 bits: the bits follow the header.
        const SIZE_T total = h->biSize + GetPaletteSize(h) + h->biSizeImage;
        if (ok) {
            HGLOBAL larger = ::GlobalReAlloc(dib, total, GMEM_MOVEABLE);
            ok = larger != nullptr;
            if (ok)
                dib = larger;
        }
        if (ok) {
            auto* full = static_cast<BITMAPINFOHEADER*>(::GlobalLock(dib));
            ok = full != nullptr &&
                 ::GetDIBits(screen, bitmap, 0, static_cast<UINT>(full->biHeight),
                             reinterpret_cast<BYTE*>(full) + full->biSize + GetPaletteSize(full),
                             reinterpret_cast<BITMAPINFO*>(full), DIB_RGB_COLORS) != 0;
            if (full != nullptr)
                ::GlobalUnlock(dib);
        }
    }
    if (!ok && dib != nullptr) {
        ::GlobalFree(dib);
        dib = nullptr;
    }
    ::SelectPalette(screen, oldPalette, FALSE);
    ::ReleaseDC(nullptr, screen);
    return dib;
}

WORD CViewImageExporter::GetColourCount(const BITMAPINFOHEADER* header)
{
    if (header == nullptr)
        return 0;
    if (header->biClrUsed != 0)
        return static_cast<WORD>(header->biClrUsed);
    switch (header->biBitCount) {
    case 1: return 2;
    case 4: return 16;
    case 8: return 256;
    default: return 0;
    }
}

WORD CViewImageExporter::GetPaletteSize(const BITMAPINFOHEADER* header)
{
    if (header == nullptr)
        return 0;
    // A core header's table has three bytes an entry.
    const WORD entrySize = header->biSize == sizeof(BITMAPCOREHEADER) ? sizeof(RGBTRIPLE) : sizeof(RGBQUAD);
    return static_cast<WORD>(GetColourCount(header) * entrySize);
}

BOOL CViewImageExporter::WriteDib(CFile& file, HGLOBAL dib)
{
    LockedDib locked(dib);
    BITMAPINFOHEADER* header = locked.get();
    if (header == nullptr || header->biSize != sizeof(BITMAPINFOHEADER))
        return FALSE;
    const DWORD table = GetPaletteSize(header);
    DWORD image;
    if (header->biCompression == BI_RLE8 || header->biCompression == BI_RLE4) {
        image = header->biSizeImage;
    } else {
        image = Stride(header->biWidth, header->biBitCount) * static_cast<DWORD>(std::abs(header->biHeight));
        header->biSizeImage = image;
    }
    BITMAPFILEHEADER fileHeader{};
    fileHeader.bfType = 0x4D42;  // "BM"
    fileHeader.bfOffBits = sizeof(BITMAPFILEHEADER) + header->biSize + table;
    fileHeader.bfSize = fileHeader.bfOffBits + image;
    file.Write(&fileHeader, sizeof(fileHeader));
    file.Write(header, header->biSize + table + image);
    return TRUE;
}
