#include "tools/PictureImage.h"

#include "framework/DC.h"
#include "framework/File.h"

void CPictureImage::Release()
{
    if (m_pPicture != nullptr) {
        m_pPicture->Release();
        m_pPicture = nullptr;
    }
}

bool CPictureImage::LoadFromFile(LPCSTR path)
{
    Release();
    if (path == nullptr || *path == '\0')
        return false;
    CFile file;
    if (!file.Open(path, CFile::modeRead | CFile::shareDenyWrite))
        return false;
    // The whole file goes into one moveable block that the stream owns: the
    // decoder seeks back and forth in it.
    const DWORD length = file.GetLength();
    if (length == 0)
        return false;
    HGLOBAL block = ::GlobalAlloc(GMEM_MOVEABLE, length);
    if (block == nullptr)
        return false;
    void* bytes = ::GlobalLock(block);
    UINT read = 0;
    try {
        read = bytes != nullptr ? file.Read(bytes, length) : 0;
    } catch (CFileException* e) {
        e->Delete();
        read = 0;
    }
    if (bytes != nullptr)
        ::GlobalUnlock(block);
    file.Close();
    IStream* stream = nullptr;
    if (read != length || FAILED(::CreateStreamOnHGlobal(block, TRUE, &stream))) {
        ::GlobalFree(block);
        return false;
    }
    IPicture* picture = nullptr;
    const HRESULT hr = ::OleLoadPicture(stream, static_cast<LONG>(length), FALSE, IID_IPicture,
                                        reinterpret_cast<void**>(&picture));
    stream->Release();
    if (FAILED(hr) || picture == nullptr) {
        if (picture != nullptr)
            picture->Release();
        return false;
    }
    // A picture without an area would be drawn nowhere and picked nowhere.
    OLE_XSIZE_HIMETRIC width = 0;
    OLE_YSIZE_HIMETRIC height = 0;
    if (FAILED(picture->get_Width(&width)) || FAILED(picture->get_Height(&height)) || width <= 0 || height <= 0) {
        picture->Release();
        return false;
    }
    m_pPicture = picture;
    return true;
}

CSize CPictureImage::GetPixelSize(CDC* pDC)
{
    if (m_pPicture == nullptr)
        return m_lastSize = CSize(0, 0);
    OLE_XSIZE_HIMETRIC width = 0;
    OLE_YSIZE_HIMETRIC height = 0;
    m_pPicture->get_Width(&width);
    m_pPicture->get_Height(&height);
    CSize size(width, height);
    if (pDC != nullptr) {
        pDC->HIMETRICtoDP(&size);
    } else {
        HWND desktop = ::GetDesktopWindow();
        CDC screen;
        screen.Attach(::GetDC(desktop));
        screen.HIMETRICtoDP(&size);
        ::ReleaseDC(desktop, screen.Detach());
    }
    return m_lastSize = size;
}

void CPictureImage::Render(CDC* pDC, const CRect& rect, LPCRECT bounds)
{
    if (m_pPicture == nullptr || pDC == nullptr)
        return;
    CRect target = rect;
    if (target.IsRectEmpty()) {
        const CSize size = GetPixelSize(pDC);
        target = CRect(rect.left, rect.top, rect.left + size.cx, rect.top + size.cy);
    }
    OLE_XSIZE_HIMETRIC width = 0;
    OLE_YSIZE_HIMETRIC height = 0;
    m_pPicture->get_Width(&width);
    m_pPicture->get_Height(&height);
    // HIMETRIC runs upwards: the source starts at the bottom with a negative
    // height so that the picture is not drawn upside down.
    m_pPicture->Render(pDC->GetSafeHdc(), target.left, target.top, target.Width(), target.Height(), 0, height,
                       width, -height, bounds);
}
