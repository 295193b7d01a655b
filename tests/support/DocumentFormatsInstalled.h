// The document's file formats as the program installs them at start, for every
// test of a program that opens or saves a document: installed once, before
// the first test runs, and left in place.
#pragma once

#include "formats/DocumentFormats.h"

inline const bool g_documentFormatsInstalled = (InstallDocumentFormats(), true);
