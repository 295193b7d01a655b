#include "controls/OptionCheckListBox.h"

IMPLEMENT_DYNAMIC(COptionCheckListBox, CCheckListBox)

COptionCheckListBox::COptionCheckListBox() : m_nChecked(-10)
{
    for (bool& b : m_abOption)
        b = true;
}

COptionCheckListBox::~COptionCheckListBox() = default;

void COptionCheckListBox::CountChecked()
{
    m_nChecked = 0;
    for (int row = 0; row < kRows; ++row) {
        m_abOption[row] = GetCheck(row) == 1;
        if (m_abOption[row])
            ++m_nChecked;
    }
}

LRESULT COptionCheckListBox::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    const LRESULT result = CCheckListBox::WindowProc(message, wParam, lParam);
    if (message == WM_LBUTTONDOWN || message == WM_LBUTTONDBLCLK)
        CountChecked();
    return result;
}
