// What the editor and settings dialogs share: a test hook that runs once the
// dialog shows, the help key swallowed, and the exchange of numbers and names
// that refuses what the model cannot hold.
#pragma once

#include "framework/DataExchange.h"
#include "framework/Dialog.h"
#include "framework/String.h"

class CEditorDialog : public CDialog
{
public:
    explicit CEditorDialog(UINT id) : CDialog(id) {}
    BOOL OnInitDialog() override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    // Tests drive the dialogs with this: it runs once each dialog shows.
    using Script = void (*)(CDialog& dialog);
    static inline Script s_script = nullptr;

protected:
    void EnableItem(int id, bool on) const;
    bool IsChecked(int id) const;
    void Check(int id, bool on) const;
};

// A number typed into an edit; NaN and infinities are refused, as they would
// compare unequal to everything and poison every result.
void ExchangeReal(CDataExchange* pDX, int id, double& value);
void ExchangeReal(CDataExchange* pDX, int id, double& value, double low, double high);
// The largest standard deviation a model value may be given: beyond it a
// sampled value (a seeder's velocity or mass above all) would leave the
// computation nothing it can follow. Typed coordinates end at COORDINATE_LIMIT.
inline constexpr double STDDEV_LIMIT = 1e9;
// A standard deviation: a finite number from 0 to STDDEV_LIMIT, refused
// outside with the range message, as the means beside it are. A field that is
// not the user's to set (greyed) is exchanged unchecked: it keeps its value.
void ExchangeStdDev(CDataExchange* pDX, int id, double& value, bool checked = true);
// A coordinate typed for the model: within plus or minus COORDINATE_LIMIT.
void ExchangeCoordinate(CDataExchange* pDX, int id, double& value);
// A name the document file can store (not empty, no leading "*", one line),
// of at most maxChars characters.
void ExchangeName(CDataExchange* pDX, int id, CString& name, int maxChars);

// Runs a dialog that keeps its values in m_data: they go in, and after OK the
// dialog's values come back out.
template <class Dialog, class Data>
INT_PTR RunWithData(Data& data)
{
    Dialog dialog;
    dialog.m_data = data;
    const INT_PTR result = dialog.DoModal();
    if (result == IDOK)
        data = dialog.m_data;
    return result;
}
