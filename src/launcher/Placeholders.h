#pragma once
#include "framework/String.h"

// Expands %EXEDIR% (the executable's directory, without a final "\"),
// %EXEFILE% (its full path) and %NAME% of any environment variable in a
// configured value. Names match regardless of case. A name that is not
// defined stays as written, its percent signs included, and its closing sign
// may open the next name. A value without '%' comes back unchanged.
CString ExpandPlaceholders(const CString& value, const CString& modulePath);
