// A text with placeholder names between "<<" and ">>": the text box keeps
// its text as one, and a text with names becomes a data label.
#pragma once

#include "framework/Array.h"
#include "framework/String.h"

class CTextTemplate
{
public:
    // Stores the text and finds its names.
    void SetTemplate(const CString& text);
    const CString& GetTemplate() const { return m_strTemplate; }
    // The names in order of appearance; a name may be empty.
    const CStringArray& GetNames() const { return m_names; }
    int GetLastNameIndex() const { return (int)m_names.GetSize() - 1; }

private:
    void ParseNames();

    CString m_strTemplate;
    CStringArray m_names;
};
