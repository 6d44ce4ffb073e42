#include "launcher/Arguments.h"
#include "launcher/JavaLauncher.h"

#include <windows.h>

void SplitArguments(const CString& text, CStringList& list)
{
    const int length = text.GetLength();
    if (length == 0)
        return;
    int position = 0;
    for (;;) {
        if (text[position] == '"') {
            int closingQuote = text.Find('"', position + 1);
            if (closingQuote < 0) {
                list.Append(text.Mid(position + 1));
                return;
            }
            list.Append(text.Mid(position + 1, closingQuote - position - 1));
            position = closingQuote + 1;
        } else {
            int space = text.Find(' ', position);
            if (space < 0) {
                list.Append(text.Mid(position));
                return;
            }
            list.Append(text.Mid(position, space - position));
            position = space;
        }
        // A space is never part of a double-byte character, so bytes will do.
        while (position < length && text[position] == ' ')
            ++position;
        if (position >= length)
            return;
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
