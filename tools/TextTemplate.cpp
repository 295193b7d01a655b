#include "tools/TextTemplate.h"

void CTextTemplate::SetTemplate(const CString& text)
{
    m_strTemplate = text;
    ParseNames();
}

void CTextTemplate::ParseNames()
{
    m_names.RemoveAll();
    int from = 0;
    for (;;) {
        const int open = m_strTemplate.Find("<<", from);
        if (open < 0)
            return;
        const int close = m_strTemplate.Find(">>", open + 1);
        if (close < 0)
            return;
        m_names.Add(m_strTemplate.Mid(open + 2, close - open - 2));
        from = close;
    }
}
