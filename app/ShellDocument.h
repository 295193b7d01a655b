// The document of the shell's templates until the slope document is part of
// the program: an empty document that opens, saves and closes like any other.
#pragma once

#include "framework/Document.h"

class CShellDocument : public CDocument {
    DECLARE_DYNCREATE(CShellDocument)
};
