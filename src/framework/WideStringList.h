#pragma once

// A growable array of UTF-16 texts in insertion order, for texts that must
// reach Java whole: a character the ANSI code page cannot hold would become
// '?' in a CString. The list owns copies of its texts.
class CWideStringList
{
public:
    CWideStringList();
    ~CWideStringList();

    void Append(const wchar_t* text, int length);
    int GetCount() const { return m_count; }
    // The index must lie inside the list; the text ends in a NUL.
    const wchar_t* GetText(int index) const { return m_items[index]->text; }
    int GetLength(int index) const { return m_items[index]->length; }
    int Find(const wchar_t* text) const;
    void RemoveAll();

private:
    CWideStringList(const CWideStringList&) = delete;
    CWideStringList& operator=(const CWideStringList&) = delete;

    struct Entry
    {
        int length;
        wchar_t text[1];
    };

    Entry** m_items;
    int m_count;
    int m_capacity;
};
