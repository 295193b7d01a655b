#include "app/ShellDocument.h"

IMPLEMENT_DYNCREATE(CShellDocument, CDocument)
