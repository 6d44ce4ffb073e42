#pragma once
#include "framework/WideString.h"

// A growable array of UTF-16 texts in insertion order. The list owns them.
class CWideStringList
{
public:
    CWideStringList();
    ~CWideStringList();

    void Append(const wchar_t* text, int length);
    int GetCount() const { return m_count; }
    // The index must lie inside the list.
    const CWideString& operator[](int index) const { return *m_items[index]; }
    int Find(const wchar_t* text) const;
    void RemoveAt(int index);
    void RemoveAll();

private:
    CWideStringList(const CWideStringList&) = delete;
    CWideStringList& operator=(const CWideStringList&) = delete;

    CWideString** m_items;
    int m_count;
    int m_capacity;
};
