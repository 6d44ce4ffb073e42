#include "framework/WideString.h"
#include "framework/Memory.h"

namespace {

wchar_t* AllocateText(int length)
{
    wchar_t* text = static_cast<wchar_t*>(AllocateMemory((length + 1) * sizeof(wchar_t)));
    text[length] = L'\0';
    return text;
}

} // namespace

CWideString::CWideString(const wchar_t* text, int length)
    : m_text(AllocateText(length > 0 ? length : 0)), m_length(length > 0 ? length : 0)
{
    CopyMemory(m_text, text, m_length * sizeof(wchar_t));
}

CWideString::CWideString(const CString& ansiText) : m_text(nullptr), m_length(0)
{
    int length = ansiText.IsEmpty()
        ? 0 : MultiByteToWideChar(CP_ACP, 0, ansiText, ansiText.GetLength(), nullptr, 0);
    m_text = AllocateText(length);
    if (length > 0)
        m_length = MultiByteToWideChar(CP_ACP, 0, ansiText, ansiText.GetLength(), m_text, length);
}

CWideString::~CWideString()
{
    FreeMemory(m_text);
}

bool CWideString::Equals(const wchar_t* text) const
{
    return lstrcmpW(m_text, text ? text : L"") == 0;
}
