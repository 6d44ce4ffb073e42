#pragma once
#include "framework/String.h"

// The splash bitmap's file, checked before the system's image loader sees it.

// The full path of a bitmap name taken relative to the current directory.
// The loader would otherwise also search the executable's directory and the
// PATH for a relative name. False when no path can be formed.
bool GetBitmapFilePath(const char* fileName, CString& fullPath);

// True when the file starts like a BMP file and is long enough for the pixels
// its headers announce. The loader reads a cut-off file past its end instead
// of refusing it.
bool IsCompleteBitmapFile(const char* path);
