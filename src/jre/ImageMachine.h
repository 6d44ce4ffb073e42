#pragma once
#include "framework/String.h"

// True when the library file is a Windows image built for the machine this
// launcher runs as; a 32-bit jvm.dll cannot load into the 64-bit launcher,
// nor the reverse. A file that cannot be read as an image is false.
bool IsImageForThisMachine(const CString& libraryPath);
