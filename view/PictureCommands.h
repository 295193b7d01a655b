// Pictures in a view: placing one from a file and scaling it to two pairs of
// points. The slope view and the graph view share these; each passes itself,
// the view context its drawing is mapped through and its client area.
#pragma once

#include "framework/Rect.h"

class CTalusimDoc;
class CView;
class CViewContext;

// Picture from file: the document makes an image tool for the view, the user
// chooses the file, and the picture is placed with its pixel size centred in
// the area. A file not chosen or not loaded leaves no tool behind. True when
// a picture was placed.
bool PlacePictureFromFile(CTalusimDoc* pDoc, CView* pView, CViewContext* pContext, const CRect& area);

// Whether Scale Picture can start: the document's current entity is a picture.
bool CanScalePicture(const CTalusimDoc* pDoc);
// Scale Picture: enters the first scale stage (or leaves it when it is the
// mode) and shows the picture's scale markers.
void BeginScalePicture(CTalusimDoc* pDoc);

// The events of the four scale stages: each click sets the stage's point on
// the current picture (old A, old B, new A, new B); after the fourth the Scale
// Image dialog takes the world coordinates A and B should get. Escape ends it.
void ProcessScalePicture(CTalusimDoc* pDoc, CView* pView, CViewContext* pContext, int event, int x, int y);
