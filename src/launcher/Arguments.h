#pragma once
#include "framework/StringList.h"
#include "framework/WideStringList.h"

// Cuts a line into tokens and appends them to the list. Only the space
// separates; a double quote counts only at the start of a token and there is
// no escape character, so Windows paths with backslashes pass unchanged.
void SplitArguments(const CString& text, CStringList& list);
void SplitArguments(const wchar_t* text, int length, CWideStringList& list);

// Space, tab, line feed, vertical tab, form feed and carriage return.
bool IsBlank(wchar_t character);

// The program arguments of a whole command line, by the same rules: trimmed,
// split, and without the program's own path in front.
void SplitCommandLine(const wchar_t* commandLine, CWideStringList& arguments);
