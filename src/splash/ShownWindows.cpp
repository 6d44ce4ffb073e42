#include "splash/ShownWindows.h"

namespace {

struct Search
{
    HWND splash;
    ShownWindows found;
};

// Owner chains are short; the bound only keeps a strange one from holding
// the splash's thread.
bool IsOwnedBy(HWND window, HWND owner)
{
    HWND current = GetWindow(window, GW_OWNER);
    for (int depth = 0; current && depth < 64; ++depth, current = GetWindow(current, GW_OWNER)) {
        if (current == owner)
            return true;
    }
    return false;
}

BOOL CALLBACK NoteShownWindow(HWND window, LPARAM context)
{
    Search& search = *reinterpret_cast<Search*>(context);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (window == search.splash || process != GetCurrentProcessId() || !IsWindowVisible(window))
        return TRUE;
    if (IsOwnedBy(window, search.splash))
        search.found.ownedBySplash = true;
    else
        search.found.application = true;
    return TRUE;
}

} // namespace

ShownWindows FindShownWindows(HWND splash)
{
    Search search = { splash, { false, false } };
    EnumWindows(NoteShownWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}
