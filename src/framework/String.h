#pragma once
#include <windows.h>

// The launcher's text type: 8-bit text in the ANSI code page. Copies share one
// reference-counted buffer; a shared buffer is copied before it is changed, and
// every empty string points at the same static empty buffer.
class CString
{
public:
    CString();
    CString(const char* text);
    CString(const char* text, int length);
    // Wide text in the ANSI code page; a character it lacks becomes what the
    // system makes of it.
    explicit CString(const wchar_t* wideText);
    CString(const wchar_t* wideText, int length);
    CString(const CString& other);
    ~CString();

    CString& operator=(const CString& other);
    CString& operator=(const char* text);
    CString& operator+=(const CString& other);
    CString& operator+=(const char* text);
    CString& operator+=(char ch);

    int GetLength() const;
    bool IsEmpty() const;
    const char* GetText() const { return m_text; }
    operator const char*() const { return m_text; }
    char operator[](int index) const { return m_text[index]; }

    // Searches step over whole characters of the ANSI code page, so the trail
    // byte of a double-byte character never matches. Both return -1 if absent.
    int Find(char ch, int start = 0) const;
    int ReverseFind(char ch) const;
    // True when the last whole character is the given one.
    bool EndsWith(char ch) const { return !IsEmpty() && ReverseFind(ch) == GetLength() - 1; }

    // Negative positions and counts count as 0; counts are cut to the length.
    CString Left(int count) const;
    CString Mid(int start) const;
    CString Mid(int start, int count) const;

    void Replace(char oldChar, char newChar);
    void Empty();

    // printf-style with "%s", "%d" and "%%"; unlike wvsprintfA, never truncated.
    void Format(const char* format, ...);

    bool Equals(const char* text) const;

private:
    struct Header;
    Header* GetHeader() const;
    void Release();
    void AssignCopy(const char* text, int length);
    void Append(const char* text, int length);
    void PrepareToWrite(int newLength);

    char* m_text;
};

CString operator+(const CString& left, const CString& right);
CString operator+(const CString& left, const char* right);
CString operator+(const char* left, const CString& right);
