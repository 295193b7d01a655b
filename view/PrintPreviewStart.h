// Starting the print preview of a slope or graph view.
#pragma once

class CView;

// Checks the page settings, then shows the view's pages in the program's
// preview window (the framework's own when the program has none). False when
// the preview could not start; the user has been told then.
bool StartPrintPreview(CView* view);
