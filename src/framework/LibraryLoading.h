#pragma once
#include <windows.h>

#include "framework/String.h"

// Loads a library (by its full path) whose imports are looked for in its own
// directory, then in the given one, then in System32: never in the
// executable's directory or the current one, where a stray copy of a system
// DLL in a folder the user can write would win. The extra directory serves
// this one load only; neither the process's later loads nor its child
// processes search it. Null with the Windows error code on failure.
HMODULE LoadLibraryWithDependencies(const CString& path, const CString& dependencyDirectory, DWORD& error);
