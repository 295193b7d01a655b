// The print job of a view: the page loop between StartDoc and EndDoc, the
// abort procedure with its Cancel window, and the targets the pages go to.
// The printer is one target; an export or a test gives its own, so the same
// loop can be driven onto a memory or metafile DC.
#pragma once

#include "framework/DC.h"
#include "framework/View.h"

class CPrintTarget
{
public:
    virtual ~CPrintTarget() = default;
    // The DC every page is drawn on; IsPrinting() is true on it.
    virtual CDC& GetDC() = 0;
    // Each returns false when the job cannot go on.
    virtual bool StartDoc(LPCSTR title);
    virtual bool StartPage();
    virtual bool EndPage();
    virtual bool EndDoc();
    virtual void AbortDoc();
};

// A printer DC handle taken over from the print dialog (deleted with the target).
class CPrinterTarget : public CPrintTarget
{
public:
    explicit CPrinterTarget(HDC printer);
    ~CPrinterTarget() override;
    CDC& GetDC() override { return m_dc; }
    // Shows the Cancel window and hooks the abort procedure before the job starts.
    bool StartDoc(LPCSTR title) override;
    bool EndPage() override;
    bool EndDoc() override;
    void AbortDoc() override;

private:
    void CloseCancelWindow();
    CDC m_dc;
    HWND m_hCancel = nullptr;
};

// Runs the view's page loop on the target: OnBeginPrinting, StartDoc, for each
// page OnPrepareDC and, while the view wants more, StartPage, OnPrint, EndPage;
// then EndDoc (or AbortDoc after a failure or the user's Cancel) and
// OnEndPrinting. True when every page went out.
bool AfxPrintPages(CView& view, CPrintInfo& info, CPrintTarget& target, LPCSTR title);

// The user's Cancel in the printing window; the loop stops after the page in hand.
void AfxRequestPrintAbort();
bool AfxIsPrintAborted();
