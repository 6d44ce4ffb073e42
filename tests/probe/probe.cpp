// probe --identity EXE NAME...: prints the executable's version numbers, texts and icon sizes as Windows reads them.
// probe BATCHFILE: runs the batch's cases one at a time and writes, per case, what a person at the screen would
// have met: the message boxes (each answered with OK), the splash window and its pixels, a timeout, the exit code.
#include <windows.h>
#include <shellapi.h>
#include <stdio.h>
#include <stdlib.h>

#include "framework/String.h" // no C++ library: the ARM64 build has none

namespace {

// The batch is UTF-16: per case NUL-ended fields, then lists of NUL-ended items that one more NUL ends (see run.py).
wchar_t* Take(wchar_t*& at) { wchar_t* item = at; at += wcslen(at) + 1; return item; }
struct Case { wchar_t *id, *out, *line, *cwd, *output, *timeoutMs, *cover, *env, *second, *clear, *values; };

// Bytes as hex digits: texts (as UTF-16) and pixels pass whole, whatever they hold.
CString Hex(const void* data, size_t size)
{
    CString hex;
    for (const unsigned char* byte = static_cast<const unsigned char*>(data); size--; ++byte)
        (hex += "0123456789abcdef"[*byte >> 4]) += "0123456789abcdef"[*byte & 15];
    return hex;
}

// The batch read whole, and zeros after it that end any list; null if it cannot be read.
wchar_t* ReadBatch(const wchar_t* path, wchar_t*& end)
{
    HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    DWORD size = file == INVALID_HANDLE_VALUE ? 0 : GetFileSize(file, nullptr), read = 0;
    wchar_t* batch = static_cast<wchar_t*>(calloc(size / 2 + 16, sizeof(wchar_t)));
    bool whole = size && ReadFile(file, batch, size, &read, nullptr) && read == size;
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    return end = batch + size / 2, whole ? batch : nullptr;
}

// The case that starts at `at`, whose texts stay in the batch; `at` moves on to the next one.
Case NextCase(wchar_t*& at)
{
    Case c = {Take(at), Take(at), Take(at), Take(at), Take(at), Take(at), Take(at), at, nullptr, nullptr, nullptr};
    while (*Take(at)) {} // the fields in order, then the lists
    for (c.second = at; *Take(at);) {}
    for (c.clear = at; *Take(at);) {}
    for (c.values = at; *at;) // a name or the bytes may be empty, never a key
        Take(at), Take(at), Take(at), Take(at);
    return ++at, c;
}

// Clears the case's keys, then writes its values when it is about to run: none are left after it.
void SetRegistry(const Case& c, bool values)
{
    for (wchar_t* at = c.clear; *at;) RegDeleteTreeW(HKEY_LOCAL_MACHINE, Take(at));
    auto digit = [](wchar_t d) { return d <= L'9' ? d - L'0' : d - L'a' + 10; };
    for (wchar_t* at = c.values; values && *at;) {
        wchar_t *key = Take(at), *name = Take(at), *type = Take(at), *hex = Take(at);
        DWORD size = DWORD(wcslen(hex) / 2);
        BYTE* data = reinterpret_cast<BYTE*>(hex); // each byte overwrites digits already read
        for (DWORD i = 0; i < size; ++i) data[i] = BYTE(digit(hex[2 * i]) << 4 | digit(hex[2 * i + 1]));
        if (RegSetKeyValueW(HKEY_LOCAL_MACHINE, key, name, wcstoul(type, nullptr, 10), data, size))
            fprintf(stderr, "probe: cannot write HKLM\\%ls\n", key);
    }
}

// The window manager's copy, in hex: WM_GETTEXT across processes fails under Wine for texts of tens of kilobytes.
CString HexTextOf(HWND window)
{
    static wchar_t text[1 << 18];
    int length = InternalGetWindowText(window, text, 1 << 18);
    return Hex(text, (length > 0 ? length : 0) * sizeof(wchar_t));
}

// A window that goes during the walk ends it early; the next poll sees the rest.
const int kMaxWindows = 64;
int VisibleWindowsOf(DWORD processId, const wchar_t* className, HWND (&found)[kMaxWindows])
{
    int count = 0;
    DWORD owner = 0;
    for (HWND window = nullptr; count < kMaxWindows && (window = FindWindowExW(nullptr, window, className, nullptr));)
        if (GetWindowThreadProcessId(window, &owner) && owner == processId && IsWindowVisible(window))
            found[count++] = window;
    return count;
}

CString DescribeBox(HWND box, HWND splash)
{
    HWND owner = GetWindow(box, GW_OWNER);
    CString buttons;
    char id[16];
    for (HWND button = nullptr; (button = FindWindowExW(box, button, L"Button", nullptr));)
        sprintf(id, buttons.IsEmpty() ? "%d" : ",%d", GetDlgCtrlID(button)), buttons += id;
    return "box " + HexTextOf(box) + "\t" + HexTextOf(GetDlgItem(box, 0xFFFF)) + "\t" +
           (!owner ? "none" : owner == splash ? "splash" : "other") + "\t" + buttons + "\t" +
           (splash && IsWindowVisible(splash) ? "1" : "0") + "\n";
}

// The "pixels" line of the part of the rectangle that lies on the screen (nothing else can be read); empty if none.
CString ScreenPixels(const RECT& window)
{
    static unsigned char bgrx[1 << 24]; // B, G, R and an unused byte each, of up to a 2048 x 2048 screen
    RECT screen = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}, r;
    if (!IntersectRect(&r, &window, &screen) || (r.right - r.left) * (r.bottom - r.top) * 4 > int(sizeof(bgrx))) return "";
    int width = r.right - r.left, height = r.bottom - r.top;
    HDC screenDC = GetDC(nullptr), memoryDC = CreateCompatibleDC(screenDC);
    HBITMAP bitmap = CreateCompatibleBitmap(screenDC, width, height);
    HGDIOBJ previous = SelectObject(memoryDC, bitmap);
    BitBlt(memoryDC, 0, 0, width, height, screenDC, r.left, r.top, SRCCOPY);
    SelectObject(memoryDC, previous); // a bitmap still selected into a DC cannot be read
    BITMAPINFOHEADER header = {sizeof(header), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    int rows = GetDIBits(memoryDC, bitmap, 0, height, bgrx, reinterpret_cast<BITMAPINFO*>(&header), 0);
    DeleteObject(bitmap), DeleteDC(memoryDC), ReleaseDC(nullptr, screenDC);
    char head[64];
    sprintf(head, "pixels %ld %ld %ld %ld ", r.left, r.top, r.right, r.bottom);
    return rows == height ? head + Hex(bgrx, size_t(width) * height * 4) + "\n" : "";
}

// Boxes over the splash go off the screen but stay open: the launcher's modal loop repaints what they uncovered.
bool MoveBoxesOff(DWORD processId, const RECT& splash)
{
    bool moved = false;
    RECT boxRect, overlap;
    HWND boxes[kMaxWindows];
    for (int i = 0, count = VisibleWindowsOf(processId, L"#32770", boxes); i < count; ++i)
        if (GetWindowRect(boxes[i], &boxRect) && IntersectRect(&overlap, &boxRect, &splash))
            moved |= SetWindowPos(boxes[i], nullptr, GetSystemMetrics(SM_CXVIRTUALSCREEN) + 100, 0, 0, 0,
                                  SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE) != 0;
    return moved;
}

// With `cover` a black window of the probe lies over the splash first: what the splash shows
// afterwards is what it repainted. Paint may come late, or a box meanwhile: read till two reads agree.
CString CaptureSplash(DWORD processId, HWND splash, bool cover)
{
    RECT r;
    GetWindowRect(splash, &r);
    Sleep(MoveBoxesOff(processId, r) ? 300 : 0);
    if (cover) {
        HWND window = CreateWindowExW(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, L"Static", L"", WS_POPUP | WS_VISIBLE |
            SS_BLACKRECT, r.left, r.top, r.right - r.left, r.bottom - r.top, nullptr, nullptr, nullptr, nullptr);
        UpdateWindow(window); // painted without a message loop of the probe's own
        Sleep(300), DestroyWindow(window), Sleep(300);
    }
    CString pixels = ScreenPixels(r), again;
    for (int read = 1; read < 5 && !again.Equals(pixels); ++read) {
        Sleep(MoveBoxesOff(processId, r) ? 300 : 100);
        again = pixels, pixels = ScreenPixels(r);
    }
    return pixels;
}

// The child inherits the probe's environment changed by the case's `env` lines (NAME alone removes it),
// and without `stdout` no standard handles, as from a double click. A second start (its delay, command line and
// all its env lines, see StartSecond) has no standard handles either.
bool Start(const Case& c, PROCESS_INFORMATION& process, wchar_t* second = nullptr)
{
    SECURITY_ATTRIBUTES inheritable = {sizeof(inheritable), nullptr, TRUE};
    STARTUPINFOW startup = {};
    wchar_t none[] = L"", *line = c.line, *output = c.output, *env = c.env;
    if (second) Take(second), line = Take(second), output = none, env = second; // past its delay
    startup.cb = sizeof(startup), startup.dwFlags = STARTF_USESTDHANDLES;
    if (*output) // standard input stays null
        startup.hStdOutput = startup.hStdError = CreateFileW(output, GENERIC_WRITE,
            FILE_SHARE_READ | FILE_SHARE_WRITE, &inheritable, CREATE_ALWAYS, 0, nullptr);
    wchar_t* own = GetEnvironmentStringsW();
    for (wchar_t* at = env; *at;) { // the name ends at the = for good: each list is set once
        wchar_t *change = Take(at), *equals = wcschr(change + 1, L'=');
        SetEnvironmentVariableW(change, equals ? (*equals = 0, equals + 1) : nullptr);
    }
    bool started = false; // a loaded Wine now and then fails a start with ERROR_INTERNAL_ERROR; that is not the case
    for (int tries = 0; !started && tries < 3 && (!tries || GetLastError() == ERROR_INTERNAL_ERROR); ++tries)
        started = startup.hStdOutput != INVALID_HANDLE_VALUE && CreateProcessW(nullptr, line, nullptr, nullptr,
            *output != 0, 0, nullptr, *c.cwd ? c.cwd : nullptr, &startup, &process);
    if (!started) fprintf(stderr, "probe: case %ls did not start (error %lu)\n", c.id, GetLastError());
    SetEnvironmentStringsW(own), FreeEnvironmentStringsW(own);
    if (startup.hStdOutput && startup.hStdOutput != INVALID_HANDLE_VALUE) CloseHandle(startup.hStdOutput);
    return started;
}

// With a `second` start (its delay in ms, command line and env lines), another start with the case's surroundings
// that many ms after the first or once the first ended, whichever comes first; its exit code is told, and one that
// hangs is ended.
void StartSecond(const Case& c, DWORD elapsed, bool ended, PROCESS_INFORMATION& second)
{
    if (!second.hProcess && *c.second && (ended || elapsed >= wcstoul(c.second, nullptr, 10)))
        Start(c, second, c.second);
}

CString EndSecond(const Case& c, PROCESS_INFORMATION& second)
{
    DWORD exitCode = 0;
    char line[32];
    if (!second.hProcess) return "";
    if (WaitForSingleObject(second.hProcess, wcstoul(c.timeoutMs, nullptr, 10)) != WAIT_OBJECT_0)
        TerminateProcess(second.hProcess, 0xDEAD), WaitForSingleObject(second.hProcess, 5000);
    GetExitCodeProcess(second.hProcess, &exitCode), CloseHandle(second.hThread), CloseHandle(second.hProcess);
    return sprintf(line, "second %lu\n", exitCode), line;
}

CString RunCase(const Case& c)
{
    PROCESS_INFORMATION process = {}, second = {};
    SetRegistry(c, true);
    if (!Start(c, process))
        return SetRegistry(c, false), "started 0\n";
    CString result = "started 1\n", pixels;
    HWND recorded[kMaxWindows], splash = nullptr; // a box is told once, however often it shows
    int recordedCount = 0;
    RECT rect = {};
    DWORD start = GetTickCount(), splashSeen = 0, exitCode = 0, style = 0, exStyle = 0, classStyle = 0;
    bool captured = false, responds = false, timedOut = false;
    for (bool ended = false; !ended;) {
        ended = WaitForSingleObject(process.hProcess, 10) == WAIT_OBJECT_0;
        StartSecond(c, GetTickCount() - start, ended, second);
        HWND splashes[kMaxWindows], boxes[kMaxWindows];
        if (!splash && VisibleWindowsOf(process.dwProcessId, L"SplashScreenWindow", splashes)) { // style, place,
            splash = splashes[0], splashSeen = GetTickCount(), GetWindowRect(splash, &rect);
            style = GetWindowLongW(splash, GWL_STYLE), exStyle = GetWindowLongW(splash, GWL_EXSTYLE);
            classStyle = GetClassLongW(splash, GCL_STYLE); // layering: at first sight
        }
        int boxCount = VisibleWindowsOf(process.dwProcessId, L"#32770", boxes), fresh = recordedCount;
        for (int i = 0, seen = 0; i < boxCount; ++i, seen = 0) {
            while (seen < recordedCount && recorded[seen] != boxes[i]) ++seen;
            if (seen == recordedCount && recordedCount < kMaxWindows)
                recorded[recordedCount++] = boxes[i], result += DescribeBox(boxes[i], splash);
        }
        // The launcher now waits in a box, or has had half a second to paint.
        if (splash && !captured && !ended && IsWindowVisible(splash) &&
            (recordedCount > fresh || GetTickCount() - splashSeen >= 500)) {
            captured = true;
            pixels = CaptureSplash(process.dwProcessId, splash, *c.cover == L'1');
            responds = SendMessageTimeoutW(splash, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, nullptr);
        }
        for (HWND* box = recorded + fresh; box < recorded + recordedCount; ++box)
            PostMessageW(*box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), LPARAM(GetDlgItem(*box, IDOK)));
        if ((timedOut = !ended && GetTickCount() - start >= wcstoul(c.timeoutMs, nullptr, 10)))
            TerminateProcess(process.hProcess, 0xDEAD), WaitForSingleObject(process.hProcess, 5000), ended = true;
    }
    GetExitCodeProcess(process.hProcess, &exitCode);
    FILETIME times[4]; // creation and exit as the system recorded them, for the benchmarks
    GetProcessTimes(process.hProcess, &times[0], &times[1], &times[2], &times[3]);
    auto ticks = [](const FILETIME& t) { return (ULONGLONG(t.dwHighDateTime) << 32) | t.dwLowDateTime; };
    CloseHandle(process.hThread), CloseHandle(process.hProcess), result += EndSecond(c, second), SetRegistry(c, false);
    char line[192];
    sprintf(line, "splash %08lx %08lx %08lx %ld %ld %ld %ld %d\n", style, exStyle, classStyle,
             rect.left, rect.top, rect.right, rect.bottom, responds ? 1 : 0);
    if (splash) result += line + pixels;
    sprintf(line, "timedout %d\nexit %lu\nelapsed %llu\nmetrics %d %d\n", timedOut ? 1 : 0, exitCode,
             (ticks(times[1]) - ticks(times[0])) / 10, GetSystemMetrics(SM_CXFULLSCREEN),
             GetSystemMetrics(SM_CYFULLSCREEN));
    return result + line;
}

// What Windows reads of an executable: version numbers, the named texts (UTF-16 in hex), icon group 128's sizes.
int DescribeIdentity(const wchar_t* file, wchar_t** names, int count)
{
    HMODULE image = LoadLibraryExW(file, nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    auto resource = [image](const wchar_t* type, int id) {
        HRSRC found = image ? FindResourceW(image, MAKEINTRESOURCEW(id), type) : nullptr;
        return found ? static_cast<const BYTE*>(LockResource(LoadResource(image, found))) : nullptr;
    };
    // version.dll is loaded when asked for: the ARM64 kit has no import library for it.
    auto query = reinterpret_cast<BOOL(WINAPI*)(const void*, const wchar_t*, void**, UINT*)>(
        reinterpret_cast<void*>(GetProcAddress(LoadLibraryW(L"version.dll"), "VerQueryValueW")));
    const BYTE *block = resource(RT_VERSION, 1), *entries = resource(RT_GROUP_ICON, 128);
    VS_FIXEDFILEINFO* fixed = nullptr;
    wchar_t *text = nullptr, path[256];
    UINT length = 0;
    if (!block || !query || !query(block, L"\\", reinterpret_cast<void**>(&fixed), &length))
        return fprintf(stderr, "probe: %ls has no version block\n", file), 1;
    printf("numbers %lx %lx %lx %lx\n", fixed->dwFileVersionMS, fixed->dwFileVersionLS, fixed->dwProductVersionMS,
           fixed->dwProductVersionLS);
    for (int i = 0; i < count && wcslen(names[i]) < 200; ++i)
        if (query(block, wcscat(wcscpy(path, L"\\StringFileInfo\\040904b0\\"), names[i]), (void**)&text, &length))
            printf("%ls %s\n", names[i], Hex(text, wcslen(text) * sizeof(wchar_t)).GetText());
    printf("icons "); // of the 14-byte entries after a 6-byte header; a width of 0 stands for 256
    for (int i = 0; entries && i < entries[4] + 256 * entries[5]; ++i)
        printf(i ? " %d" : "%d", entries[6 + 14 * i] ? entries[6 + 14 * i] : 256);
    return printf("\n"), 0;
}

} // namespace

int main()
{
    int argc = 0, unwritten = 0;
    wchar_t **argv = CommandLineToArgvW(GetCommandLineW(), &argc), *end = nullptr;
    if (argc >= 3 && !wcscmp(argv[1], L"--identity"))
        return DescribeIdentity(argv[2], argv + 3, argc - 3);
    wchar_t* batch = argc == 2 ? ReadBatch(argv[1], end) : nullptr;
    if (!batch)
        return fprintf(stderr, "usage: probe BATCHFILE (a readable batch of well-formed cases)\n"), 2;
    for (wchar_t* at = batch; at < end;) {
        Case c = NextCase(at);
        CString result = RunCase(c);
        FILE* file = _wfopen(c.out, L"wb");
        bool whole = file && fwrite(result.GetText(), 1, result.GetLength(), file) == size_t(result.GetLength());
        if (!file || fclose(file) || !whole)
            fprintf(stderr, "probe: cannot write the result of case %ls\n", c.id), ++unwritten;
    }
    return unwritten ? 1 : 0;
}
