#include "framework/String.h"
#include "framework/Memory.h"

#include <stdarg.h>

struct CString::Header
{
    volatile LONG references;
    int length;
    int capacity;
};

namespace {

// The shared empty buffer, laid out like Header followed by the text. Its
// count never reaches zero, so it is never freed.
struct StaticEmpty
{
    volatile LONG references;
    int length;
    int capacity;
    char text[1];
};
StaticEmpty g_emptyString = { 0x40000000, 0, 0, { 0 } };

char* EmptyText() { return g_emptyString.text; }

bool IsEmptyBuffer(const char* text) { return text == g_emptyString.text; }

int TextLength(const char* text)
{
    return text ? lstrlenA(text) : 0;
}

// Appends the signed decimal text of a value to a small buffer.
int FormatDecimal(int value, char* out)
{
    char digits[12];
    int count = 0;
    unsigned int magnitude = value < 0 ? 0u - static_cast<unsigned int>(value) : static_cast<unsigned int>(value);
    do {
        digits[count++] = static_cast<char>('0' + magnitude % 10);
        magnitude /= 10;
    } while (magnitude != 0);
    int length = 0;
    if (value < 0)
        out[length++] = '-';
    while (count > 0)
        out[length++] = digits[--count];
    out[length] = '\0';
    return length;
}

} // namespace

CString::Header* CString::GetHeader() const
{
    return reinterpret_cast<Header*>(m_text) - 1;
}

CString::CString() : m_text(EmptyText()) {}

CString::CString(const char* text) : m_text(EmptyText())
{
    AssignCopy(text, TextLength(text));
}

CString::CString(const char* text, int length) : m_text(EmptyText())
{
    AssignCopy(text, length > 0 ? length : 0);
}

CString::CString(const wchar_t* wideText) : CString(wideText, wideText ? lstrlenW(wideText) : 0) {}

CString::CString(const wchar_t* wideText, int length) : m_text(EmptyText())
{
    if (!wideText || length <= 0)
        return;
    int size = WideCharToMultiByte(CP_ACP, 0, wideText, length, nullptr, 0, nullptr, nullptr);
    if (size <= 0)
        return;
    PrepareToWrite(size);
    WideCharToMultiByte(CP_ACP, 0, wideText, length, m_text, size, nullptr, nullptr);
    m_text[size] = '\0';
    GetHeader()->length = size;
}

CString::CString(const CString& other) : m_text(other.m_text)
{
    if (!IsEmptyBuffer(m_text))
        InterlockedIncrement(&GetHeader()->references);
}

CString::~CString()
{
    Release();
}

void CString::Release()
{
    if (!IsEmptyBuffer(m_text) && InterlockedDecrement(&GetHeader()->references) == 0)
        FreeMemory(GetHeader());
    m_text = EmptyText();
}

CString& CString::operator=(const CString& other)
{
    if (m_text != other.m_text) {
        char* shared = other.m_text;
        if (!IsEmptyBuffer(shared))
            InterlockedIncrement(&(reinterpret_cast<Header*>(shared) - 1)->references);
        Release();
        m_text = shared;
    }
    return *this;
}

CString& CString::operator=(const char* text)
{
    AssignCopy(text, TextLength(text));
    return *this;
}

CString& CString::operator+=(const CString& other)
{
    CString keep(other); // other may be this very string
    Append(keep.m_text, keep.GetLength());
    return *this;
}

CString& CString::operator+=(const char* text)
{
    Append(text, TextLength(text));
    return *this;
}

CString& CString::operator+=(char ch)
{
    Append(&ch, 1);
    return *this;
}

int CString::GetLength() const
{
    return IsEmptyBuffer(m_text) ? 0 : GetHeader()->length;
}

bool CString::IsEmpty() const
{
    return GetLength() == 0;
}

void CString::Empty()
{
    Release();
}

// Makes m_text a buffer of our own with room for newLength characters,
// keeping the current text (up to newLength).
void CString::PrepareToWrite(int newLength)
{
    int oldLength = GetLength();
    bool ownBuffer = !IsEmptyBuffer(m_text) && GetHeader()->references == 1;
    if (ownBuffer && GetHeader()->capacity >= newLength)
        return;
    int capacity = newLength;
    if (ownBuffer && capacity < GetHeader()->capacity * 2)
        capacity = GetHeader()->capacity * 2;
    Header* header = static_cast<Header*>(AllocateMemory(sizeof(Header) + capacity + 1));
    header->references = 1;
    header->capacity = capacity;
    int keep = oldLength < newLength ? oldLength : newLength;
    char* text = reinterpret_cast<char*>(header + 1);
    CopyMemory(text, m_text, keep);
    text[keep] = '\0';
    header->length = keep;
    Release();
    m_text = text;
}

void CString::AssignCopy(const char* text, int length)
{
    if (length == 0) {
        Release();
        return;
    }
    // text may point into our own buffer; take a private copy first.
    CString source;
    source.PrepareToWrite(length);
    CopyMemory(source.m_text, text, length);
    source.m_text[length] = '\0';
    source.GetHeader()->length = length;
    *this = source;
}

void CString::Append(const char* text, int length)
{
    if (length == 0)
        return;
    int oldLength = GetLength();
    if (!IsEmptyBuffer(m_text) && text >= m_text && text <= m_text + oldLength) {
        CString copy(text, length); // appending a piece of ourselves
        Append(copy.m_text, length);
        return;
    }
    PrepareToWrite(oldLength + length);
    CopyMemory(m_text + oldLength, text, length);
    m_text[oldLength + length] = '\0';
    GetHeader()->length = oldLength + length;
}

int CString::Find(char ch, int start) const
{
    int length = GetLength();
    if (start < 0)
        start = 0;
    const char* position = m_text;
    // Walk from the beginning so that a start inside a double-byte character
    // cannot make its trail byte look like a character of its own.
    while (*position && position - m_text < start)
        position = CharNextA(position);
    for (; position - m_text < length && *position; position = CharNextA(position)) {
        if (*position == ch)
            return static_cast<int>(position - m_text);
    }
    return -1;
}

int CString::ReverseFind(char ch) const
{
    int found = -1;
    for (const char* position = m_text; *position; position = CharNextA(position)) {
        if (*position == ch)
            found = static_cast<int>(position - m_text);
    }
    return found;
}

CString CString::Left(int count) const
{
    return Mid(0, count);
}

CString CString::Mid(int start) const
{
    return Mid(start, GetLength());
}

CString CString::Mid(int start, int count) const
{
    int length = GetLength();
    if (start < 0)
        start = 0;
    if (start > length)
        start = length;
    if (count < 0)
        count = 0;
    if (count > length - start)
        count = length - start;
    if (start == 0 && count == length)
        return *this;
    return CString(m_text + start, count);
}

void CString::Replace(char oldChar, char newChar)
{
    if (Find(oldChar) < 0)
        return;
    PrepareToWrite(GetLength());
    for (char* position = m_text; *position; position = CharNextA(position)) {
        if (*position == oldChar)
            *position = newChar;
    }
}

void CString::Format(const char* format, ...)
{
    CString result;
    va_list arguments;
    va_start(arguments, format);
    const char* run = format;
    const char* position = format;
    while (*position) {
        if (*position != '%') {
            ++position;
            continue;
        }
        result.Append(run, static_cast<int>(position - run));
        char specifier = position[1];
        if (specifier == 's') {
            const char* text = va_arg(arguments, const char*);
            result += text ? text : "(null)";
        } else if (specifier == 'd') {
            char digits[16];
            result.Append(digits, FormatDecimal(va_arg(arguments, int), digits));
        } else if (specifier == '%') {
            result += '%';
        } else {
            // Not a conversion this type knows: keep the text as written.
            result.Append(position, specifier ? 2 : 1);
        }
        position += specifier ? 2 : 1;
        run = position;
    }
    result.Append(run, static_cast<int>(position - run));
    va_end(arguments);
    *this = result;
}

bool CString::Equals(const char* text) const
{
    return lstrcmpA(m_text, text ? text : "") == 0;
}

CString operator+(const CString& left, const CString& right)
{
    CString result(left);
    result += right;
    return result;
}

CString operator+(const CString& left, const char* right)
{
    CString result(left);
    result += right;
    return result;
}

CString operator+(const char* left, const CString& right)
{
    CString result(left);
    result += right;
    return result;
}
