#pragma once
#include "framework/String.h"

// UTF-16 text as Windows and Java keep it, for the texts that must reach Java
// whole: a character the ANSI code page cannot hold would become '?' in a
// CString. Owns its buffer; not copyable, so each text has one owner.
class CWideString
{
public:
    CWideString(const wchar_t* text, int length);
    // The ANSI text converted with the ANSI code page.
    explicit CWideString(const CString& ansiText);
    ~CWideString();

    const wchar_t* GetText() const { return m_text; }
    int GetLength() const { return m_length; }
    bool Equals(const wchar_t* text) const;

private:
    CWideString(const CWideString&) = delete;
    CWideString& operator=(const CWideString&) = delete;

    wchar_t* m_text;
    int m_length;
};
