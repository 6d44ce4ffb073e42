#pragma once
#include "framework/String.h"

// A growable array of CString in insertion order. The list owns its entries.
class CStringList
{
public:
    CStringList();
    ~CStringList();

    void Append(const CString& text);
    int GetCount() const { return m_count; }
    // The index must lie inside the list.
    const CString& operator[](int index) const { return m_items[index]; }
    int Find(const char* text) const;
    void RemoveAt(int index);
    void RemoveAll();

private:
    CStringList(const CStringList&) = delete;
    CStringList& operator=(const CStringList&) = delete;

    CString* m_items;
    int m_count;
    int m_capacity;
};
