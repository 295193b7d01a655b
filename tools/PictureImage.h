// CPictureImage: one picture decoded by the system's OLE picture service
// (JPEG and GIF files for the image tool), its pixel size and its drawing.
#pragma once

#include <windows.h>
#include <ocidl.h>
#include <olectl.h>
#include "framework/Rect.h"

class CDC;

class CPictureImage
{
public:
    CPictureImage() = default;
    ~CPictureImage() { Release(); }
    CPictureImage(const CPictureImage&) = delete;
    CPictureImage& operator=(const CPictureImage&) = delete;

    // Decodes a file. The held picture is let go first; false when the file
    // cannot be opened or read or holds no picture the service can decode, in
    // which case nothing is held afterwards.
    bool LoadFromFile(LPCSTR path);
    void Release();
    bool IsLoaded() const { return m_pPicture != nullptr; }

    // The picture's size in device pixels of a device context (of the desktop
    // window without one); (0, 0) without a picture.
    CSize GetPixelSize(CDC* pDC = nullptr);
    // Draws the picture into a device rectangle (its own pixel size at the
    // rectangle's top-left when the rectangle is empty), the right way up.
    void Render(CDC* pDC, const CRect& rect, LPCRECT bounds = nullptr);

private:
    IPicture* m_pPicture = nullptr;
    CSize m_lastSize{0, 0};
};
