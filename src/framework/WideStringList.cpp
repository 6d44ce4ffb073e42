#include "framework/WideStringList.h"
#include "framework/Memory.h"

CWideStringList::CWideStringList() : m_items(nullptr), m_count(0), m_capacity(0) {}

CWideStringList::~CWideStringList()
{
    RemoveAll();
}

void CWideStringList::Append(const wchar_t* text, int length)
{
    if (m_count == m_capacity) {
        int capacity = m_capacity ? m_capacity * 2 : 4;
        CWideString** items = static_cast<CWideString**>(AllocateMemory(capacity * sizeof(CWideString*)));
        CopyMemory(items, m_items, m_count * sizeof(CWideString*));
        FreeMemory(m_items);
        m_items = items;
        m_capacity = capacity;
    }
    m_items[m_count++] = new CWideString(text, length);
}

int CWideStringList::Find(const wchar_t* text) const
{
    for (int i = 0; i < m_count; ++i) {
        if (m_items[i]->Equals(text))
            return i;
    }
    return -1;
}

void CWideStringList::RemoveAt(int index)
{
    if (index < 0 || index >= m_count)
        return;
    delete m_items[index];
    for (int i = index; i + 1 < m_count; ++i)
        m_items[i] = m_items[i + 1];
    --m_count;
}

void CWideStringList::RemoveAll()
{
    for (int i = 0; i < m_count; ++i)
        delete m_items[i];
    FreeMemory(m_items);
    m_items = nullptr;
    m_count = 0;
    m_capacity = 0;
}
