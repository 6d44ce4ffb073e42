#pragma once
#include <windows.h>

#include "framework/String.h"

// The splash picture drawn for a display scale, named as Java's own splash
// screen names them: the file's name with "@2x" or "@150pct" before its
// extension (splash@2x.png). Of the configured file and those that exist
// beside it, the one meant for the scale nearest the display's; on a tie
// the larger, since reducing a picture loses less than enlarging it.
// pictureDpi receives the DPI the chosen file is meant for.
CString FindScaledImageFile(const CString& fileName, UINT displayDpi, UINT& pictureDpi);
