#pragma once
#include "framework/String.h"

// A directory (ending in "\") is a runtime home when it holds bin\java.dll.
bool IsJreDirectory(const CString& directory);
