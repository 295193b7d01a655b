// A packed device-independent bitmap written as a JPEG file through libjpeg.
#pragma once

#include <windows.h>
#include "framework/String.h"

// The 8-bit level of a 5-bit colour level of a 16-bit pixel: 0 stays 0, 31
// becomes 255, the levels between spread evenly.
BYTE Expand555(unsigned level);

// Fills the rows (top row first) with the DIB's pixels as red, green, blue
// bytes. Bit counts 1, 4, 8 (through the colour table), 16 (5-5-5), 24 and 32
// are read. False with a reason in *error (when given) otherwise.
bool ConvertDibRows(const BITMAPINFOHEADER* dib, int rowBytes, BYTE** rows, CString* error);

// Writes the DIB as a baseline JPEG of the given quality (0..100) to path.
// False with a reason in *error (when given) otherwise; a file the library
// could not finish is removed.
bool SaveDibAsJpeg(const BITMAPINFOHEADER* dib, int quality, LPCSTR path, CString* error);
