#pragma once
#include "framework/String.h"

// Expands %EXEDIR% (the executable's directory, without a final "\"),
// %EXEFILE% (its full path) and %NAME% of any environment variable in a
// configured value. Names match regardless of case. A name that is not
// defined stays as written, its percent signs included, and its closing sign
// may open the next name. A value without '%' comes back unchanged.
//
// Variables are read in UTF-16: one holding a full path the ANSI code page
// cannot hold (a profile directory such as C:\Users\Łukasz) expands to that
// path's short (8.3) form, which names the same place in plain characters.
CString ExpandPlaceholders(const CString& value, const CString& modulePath);
