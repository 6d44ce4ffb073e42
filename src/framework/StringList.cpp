#include "framework/StringList.h"

CStringList::CStringList() : m_items(nullptr), m_count(0), m_capacity(0) {}

CStringList::~CStringList()
{
    RemoveAll();
}

void CStringList::Append(const CString& text)
{
    if (m_count == m_capacity) {
        int capacity = m_capacity ? m_capacity * 2 : 1;
        CString* items = new CString[capacity];
        for (int i = 0; i < m_count; ++i)
            items[i] = m_items[i];
        delete[] m_items;
        m_items = items;
        m_capacity = capacity;
    }
    m_items[m_count++] = text;
}

int CStringList::Find(const char* text) const
{
    for (int i = 0; i < m_count; ++i) {
        if (m_items[i].Equals(text))
            return i;
    }
    return -1;
}

void CStringList::RemoveAt(int index)
{
    if (index < 0 || index >= m_count)
        return;
    for (int i = index; i + 1 < m_count; ++i)
        m_items[i] = m_items[i + 1];
    m_items[--m_count].Empty();
}

void CStringList::RemoveAll()
{
    delete[] m_items;
    m_items = nullptr;
    m_count = 0;
    m_capacity = 0;
}
