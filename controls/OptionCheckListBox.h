#pragma once
// A check list of six option rows that keeps a flag per row and the number of
// checked rows, counted after every click and on demand.

#include "framework/StdControls.h"

class COptionCheckListBox : public CCheckListBox
{
    DECLARE_DYNAMIC(COptionCheckListBox)
public:
    enum { kRows = 6 };

    COptionCheckListBox();
    ~COptionCheckListBox() override;

    // Reads the check of rows 0 to 5 into the flags; a row counts only when
    // its check is 1 (a missing row or an indeterminate box does not).
    void CountChecked();

    int m_nChecked;              // -10 until the first count
    bool m_abOption[kRows];      // all true until the first count

protected:
    // A click or a double click toggles a row's box first, then counts; a
    // change by the keyboard waits for the next click or count.
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;
};
