#include "framework/WideStringList.h"
#include "framework/Memory.h"

#include <windows.h>

CWideStringList::CWideStringList() : m_items(nullptr), m_count(0), m_capacity(0) {}

CWideStringList::~CWideStringList()
{
    RemoveAll();
}

void CWideStringList::Append(const wchar_t* text, int length)
{
    if (m_count == m_capacity) {
        int capacity = m_capacity ? m_capacity * 2 : 4;
        Entry** items = static_cast<Entry**>(AllocateMemory(capacity * sizeof(Entry*)));
        CopyMemory(items, m_items, m_count * sizeof(Entry*));
        FreeMemory(m_items);
        m_items = items;
        m_capacity = capacity;
    }
    Entry* entry = static_cast<Entry*>(AllocateMemory(sizeof(Entry) + length * sizeof(wchar_t)));
    entry->length = length;
    CopyMemory(entry->text, text, length * sizeof(wchar_t));
    entry->text[length] = L'\0';
    m_items[m_count++] = entry;
}

int CWideStringList::Find(const wchar_t* text) const
{
    for (int i = 0; i < m_count; ++i) {
        if (lstrcmpW(m_items[i]->text, text) == 0)
            return i;
    }
    return -1;
}

void CWideStringList::RemoveAll()
{
    for (int i = 0; i < m_count; ++i)
        FreeMemory(m_items[i]);
    FreeMemory(m_items);
    m_items = nullptr;
    m_count = 0;
    m_capacity = 0;
}
