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

// The value's data as text, up to its first NUL or, without one, whole.
// Fails for a null key, a missing value or one with no data at all; the
// text is changed only on success.
bool ReadRegistryString(HKEY key, const char* valueName, CString& text);
