#pragma once
#include "framework/String.h"

// The launcher hands paths to ANSI functions (the profile reader, the file
// tests, LoadLibraryA), which see only what the ANSI code page can hold and
// stop at MAX_PATH. A path beyond either limit is replaced by its short
// (8.3) form, which names the same file in plain characters and fits.

// The text in the ANSI code page, when every character converts to itself;
// false when one would become '?' or a look-alike.
bool ConvertToAnsi(const wchar_t* text, int length, CString& ansiText);

// The short form of an existing path, in the ANSI code page. False with the
// Windows error code when the system gives none, or when even the short
// form holds a character the code page lacks (ERROR_NO_UNICODE_TRANSLATION).
bool GetAnsiShortForm(const wchar_t* path, CString& shortPath, DWORD& error);

// A directory read as UTF-16 (a registry value, an environment variable),
// as it is when the code page holds it, otherwise by its short form.
bool ToAnsiPath(const wchar_t* path, CString& ansiPath);
