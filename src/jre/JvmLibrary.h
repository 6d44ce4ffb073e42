#pragma once
#include "framework/String.h"

// True when a directory search finds an entry at the path. Any entry counts,
// a directory included: only its presence is asked for.
bool FileExists(const CString& path);

// The full path of the first virtual machine library that the runtime in the
// directory (ending in "\") carries among the known places, or an empty text.
CString FindJvmLibrary(const CString& jreDirectory);

// The runtime's bin directory, without its trailing "\", for a library path
// that FindJvmLibrary gave: every candidate lies one directory below it.
CString GetRuntimeBinDirectory(const CString& jvmLibraryPath);
