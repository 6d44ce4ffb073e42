#pragma once
#include <windows.h>

#include "framework/String.h"
#include "framework/StringList.h"

// Read-only access to the registry. Keys are opened without a view flag, so
// each build of the launcher sees the runtimes of its own bitness.

// Opens the key for reading; on failure the handle is set to null.
bool OpenRegistryKey(HKEY root, const char* path, HKEY* key);

// Appends the names of all subkeys, in the registry's order. A null key, or
// a listing that stops early, simply gives fewer names.
void EnumRegistrySubkeys(HKEY key, CStringList& names);

// A path value's data as text, up to its first NUL or, without one, whole.
// A string value is read as UTF-16 and given in the ANSI code page or, where
// that cannot hold it, by its short form; data of another type is taken as
// ANSI bytes. Fails for a null key, a missing value, one with no data at
// all, or a path without an ANSI form; the path is changed only on success.
bool ReadRegistryPath(HKEY key, const wchar_t* valueName, CString& path);
