#include "launcher/Arguments.h"
#include "launcher/JavaLauncher.h"

#include <windows.h>

namespace {

// ANSI text steps over whole characters of the code page, so the trail byte
// of a double-byte character never counts as a quote or a space. In UTF-16
// neither can be half of a surrogate pair, so one unit is one step.
const char* NextCharacter(const char* position) { return CharNextA(position); }
const wchar_t* NextCharacter(const wchar_t* position) { return position + 1; }

void AppendToken(CStringList& list, const char* text, int length) { list.Append(CString(text, length)); }
void AppendToken(CWideStringList& list, const wchar_t* text, int length) { list.Append(text, length); }

// The first occurrence of the character at or after the position; the end
// when there is none.
template <class Char>
const Char* FindCharacter(const Char* position, const Char* end, Char wanted)
{
    while (position < end && *position != wanted)
        position = NextCharacter(position);
    return position < end ? position : end;
}

// One pass over the text, the same rules for both kinds of text: each token
// is found from where the last one ended, so a line of many tokens costs no
// more than its length.
template <class Char, class List>
void SplitText(const Char* position, const Char* end, List& list)
{
    while (position < end) {
        const Char* tokenEnd;
        if (*position == Char('"')) {
            ++position;
            tokenEnd = FindCharacter(position, end, Char('"'));
            AppendToken(list, position, static_cast<int>(tokenEnd - position));
            if (tokenEnd == end)
                return;
            position = tokenEnd + 1;
        } else {
            tokenEnd = FindCharacter(position, end, Char(' '));
            AppendToken(list, position, static_cast<int>(tokenEnd - position));
            position = tokenEnd;
        }
        // A space is never part of a longer character, so units will do.
        while (position < end && *position == Char(' '))
            ++position;
    }
}

} // namespace

// White space as Windows classifies it: beside the ASCII blanks, the
// no-break space and the other spaces of Unicode, which a user may paste
// at the end of a shortcut's arguments.
bool IsBlank(wchar_t character)
{
    WORD type = 0;
    return GetStringTypeW(CT_CTYPE1, &character, 1, &type) && (type & C1_SPACE);
}

void SplitArguments(const CString& text, CStringList& list)
{
    const char* position = text;
    SplitText(position, position + text.GetLength(), list);
}

void SplitArguments(const wchar_t* text, int length, CWideStringList& list)
{
    SplitText(text, text + length, list);
}

// The wide line keeps every character the user typed; the ANSI line would
// turn some into '?' and others into look-alikes such as a plain quote,
// which could move the token boundaries.
void SplitCommandLine(const wchar_t* commandLine, CWideStringList& arguments)
{
    const wchar_t* start = commandLine;
    const wchar_t* end = start + lstrlenW(start);
    while (start < end && IsBlank(*start))
        ++start;
    while (end > start && IsBlank(end[-1]))
        --end;
    CWideStringList tokens;
    SplitText(start, end, tokens);
    for (int i = 1; i < tokens.GetCount(); ++i) // the first is the program's path
        arguments.Append(tokens.GetText(i), tokens.GetLength(i));
}

void CJavaLauncher::ReadProgramArguments()
{
    SplitCommandLine(GetCommandLineW(), m_programArguments);
}
