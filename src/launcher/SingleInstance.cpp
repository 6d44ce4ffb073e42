#include "launcher/IniFile.h"
#include "launcher/JavaLauncher.h"
#include "launcher/LaunchLog.h"
#include "launcher/LogMessages.h"

namespace {

// The holder may still show its splash or start its JVM: its window gets a
// few seconds to appear.
const DWORD kWindowWaitMs = 5000;
const DWORD kPollMs = 100;

struct WindowSearch
{
    DWORD process;
    HWND found;
};

// The window the user would pick from the taskbar: visible, unowned, and no
// tool window, which leaves out the splash.
BOOL CALLBACK NoteMainWindow(HWND window, LPARAM context)
{
    WindowSearch& search = *reinterpret_cast<WindowSearch*>(context);
    DWORD process = 0;
    GetWindowThreadProcessId(window, &process);
    if (process != search.process || !IsWindowVisible(window) || GetWindow(window, GW_OWNER) ||
        (GetWindowLongW(window, GWL_EXSTYLE) & WS_EX_TOOLWINDOW))
        return TRUE;
    search.found = window;
    return FALSE;
}

HWND FindMainWindow(DWORD process)
{
    WindowSearch search = { process, nullptr };
    if (process)
        EnumWindows(NoteMainWindow, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// The asynchronous call cannot hang on a holder that is busy.
void Activate(HWND window)
{
    if (IsIconic(window))
        ShowWindowAsync(window, SW_RESTORE);
    SetForegroundWindow(window);
}

} // namespace

// With "Single Instance", a second start of the application starts no JVM:
// it brings the running instance's window forward and ends with 0. A holder
// that ends while this start waits leaves the claim to it.
bool CJavaLauncher::ClaimInstance(int& exitCode)
{
    CString iniPath, modulePath, single, name;
    if (!GetIniFilePath(iniPath) || !GetModulePath(modulePath))
        return false;
    const CString section(IniNames::kApplicationSection);
    ReadIniString(iniPath, section, CString(IniNames::kSingleInstanceKey), single);
    if (lstrcmpiA(single, "true") != 0)
        return true;
    ReadIniString(iniPath, section, CString(IniNames::kInstanceNameKey), name);
    if (name.IsEmpty())
        name = modulePath;
    for (DWORD start = GetTickCount();; Sleep(kPollMs)) {
        if (m_instanceClaim.Claim(name)) {
            LogLine(LogMessages::kInstanceClaimed, name);
            return true;
        }
        DWORD holder = m_instanceClaim.GetHolder();
        HWND window = FindMainWindow(holder);
        if (window || GetTickCount() - start >= kWindowWaitMs) {
            if (window)
                Activate(window);
            LogLine(window ? LogMessages::kInstanceActivated : LogMessages::kInstanceWithoutWindow, name,
                    static_cast<int>(holder));
            exitCode = 0;
            return false;
        }
    }
}
