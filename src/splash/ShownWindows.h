#pragma once
#include <windows.h>

// What this process shows on screen besides the splash window: the visible
// top-level windows of the process, told apart by whether the splash owns
// them (directly or through other owned windows), as the launcher's error
// boxes are owned, or not, as the application's own windows are.
struct ShownWindows
{
    bool application;
    bool ownedBySplash;
};

ShownWindows FindShownWindows(HWND splash);
