#include "launcher/Arguments.h"
#include "launcher/JavaLauncher.h"

#include <windows.h>

namespace {

// The first occurrence of the character at or after the position, stepping
// over whole characters of the ANSI code page; the end when there is none.
const char* FindCharacter(const char* position, const char* end, char wanted)
{
    while (position < end && *position != wanted)
        position = CharNextA(position);
    return position < end ? position : end;
}

} // namespace

// One pass over the text: each token is found from where the last one ended,
// so a line of many tokens costs no more than its length.
void SplitArguments(const CString& text, CStringList& list)
{
    const char* position = text;
    const char* end = position + text.GetLength();
    while (position < end) {
        const char* tokenEnd;
        if (*position == '"') {
            ++position;
            tokenEnd = FindCharacter(position, end, '"');
            list.Append(CString(position, static_cast<int>(tokenEnd - position)));
            if (tokenEnd == end)
                return;
            position = tokenEnd + 1;
        } else {
            tokenEnd = FindCharacter(position, end, ' ');
            list.Append(CString(position, static_cast<int>(tokenEnd - position)));
            position = tokenEnd;
        }
        // A space is never part of a double-byte character, so bytes will do.
        while (position < end && *position == ' ')
            ++position;
    }
}

void SplitCommandLine(const CString& commandLine, CStringList& arguments)
{
    CString line(commandLine);
    line.Trim();
    const int programPath = arguments.GetCount();
    SplitArguments(line, arguments);
    arguments.RemoveAt(programPath);
}

void CJavaLauncher::ReadProgramArguments()
{
    SplitCommandLine(CString(GetCommandLineA()), m_programArguments);
}
