// probe --identity EXE: prints the executable's version block and icon sizes as Windows reads them.
// probe BATCHFILE: runs the batch's cases one at a time and writes, per case, what a person at the screen would
// have met: the message boxes (each answered with OK), the splash window and its pixels, a timeout, the exit code.
#include <windows.h>
#include <cstdio>
#include <fstream>
#include <map>
#include <set>
#include <string>
#include <vector>

namespace {

using std::string, std::wstring;

struct RegistryValue { wstring key, name; DWORD type; string data; };
// A case is one line of the batch, its fields in this order: apart by \x1e, a list's items by \x1f.
struct Case {
    wstring id, out, line, cwd, output, timeoutMs, cover, second;
    std::vector<wstring> env, clear;
    std::vector<RegistryValue> values;
};

// Bytes as hex digits: texts (as UTF-16) and pixels pass whole, whatever they hold.
string Hex(const void* data, size_t size)
{
    string hex;
    for (const unsigned char* byte = static_cast<const unsigned char*>(data); size--; ++byte)
        hex += {"0123456789abcdef"[*byte >> 4], "0123456789abcdef"[*byte & 15]};
    return hex;
}
string Hex(const wstring& text) { return Hex(text.data(), text.size() * sizeof(wchar_t)); }

std::vector<wstring> Split(const wstring& text, wchar_t separator) // an empty text holds no items
{
    std::vector<wstring> items;
    for (size_t start = 0, end = 0; !text.empty() && end != wstring::npos; start = end + 1)
        end = text.find(separator, start), items.push_back(text.substr(start, end - start));
    return items;
}

bool ReadBatch(const wchar_t* path, std::vector<Case>& cases)
{
    const std::map<wstring, DWORD> types = {{L"sz", REG_SZ}, {L"expand", REG_EXPAND_SZ}, {L"dword", REG_DWORD},
        {L"binary", REG_BINARY}};
    std::ifstream batch(path, std::ios::binary);
    for (string line; std::getline(batch, line);) {
        wstring text(line.size(), L'\0');
        text.resize(MultiByteToWideChar(CP_UTF8, 0, line.data(), int(line.size()), &text[0], int(text.size())));
        std::vector<wstring> f = Split(text, L'\x1e');
        if (f.size() != 11) return false;
        cases.push_back({f[0], f[1], f[2], f[3], f[4], f[5], f[6], f[10], Split(f[7], L'\x1f'), Split(f[8], L'\x1f'), {}});
        for (const wstring& value : Split(f[9], L'\x1f')) { // key|name|type|the bytes to store, in hex
            std::vector<wstring> part = Split(value, L'|');
            if (part.size() != 4 || !types.count(part[2])) return false;
            string data;
            for (size_t i = 0; i + 1 < part[3].size(); i += 2)
                data += char(wcstoul(part[3].substr(i, 2).c_str(), nullptr, 16));
            cases.back().values.push_back({part[0], part[1], types.at(part[2]), data});
        }
    }
    return batch.eof();
}

// Clears the case's keys, then writes the given values: the case's before its run, none after it.
void SetRegistry(const Case& c, const std::vector<RegistryValue>& values)
{
    for (const wstring& key : c.clear) RegDeleteTreeW(HKEY_LOCAL_MACHINE, key.c_str());
    for (const RegistryValue& value : values)
        if (RegSetKeyValueW(HKEY_LOCAL_MACHINE, value.key.c_str(), value.name.c_str(), value.type, value.data.data(),
                            DWORD(value.data.size())))
            fprintf(stderr, "probe: cannot write HKLM\\%ls\n", value.key.c_str());
}

// The window manager's copy: WM_GETTEXT across processes fails under Wine for texts of tens of kilobytes.
wstring TextOf(HWND window)
{
    wstring text(1 << 18, L'\0');
    int length = InternalGetWindowText(window, &text[0], int(text.size()));
    return text.substr(0, length > 0 ? length : 0);
}

// A window that goes during the walk ends it early; the next poll sees the rest.
std::vector<HWND> VisibleWindowsOf(DWORD processId, const wchar_t* className)
{
    std::vector<HWND> found;
    DWORD owner = 0;
    for (HWND window = nullptr; (window = FindWindowExW(nullptr, window, className, nullptr));)
        if (GetWindowThreadProcessId(window, &owner) && owner == processId && IsWindowVisible(window))
            found.push_back(window);
    return found;
}

string DescribeBox(HWND box, HWND splash)
{
    HWND owner = GetWindow(box, GW_OWNER);
    string buttons, ownerName = !owner ? "none" : owner == splash ? "splash" : "other";
    for (HWND button = nullptr; (button = FindWindowExW(box, button, L"Button", nullptr));)
        buttons += (buttons.empty() ? "" : ",") + std::to_string(GetDlgCtrlID(button));
    return "box " + Hex(TextOf(box)) + "\t" + Hex(TextOf(GetDlgItem(box, 0xFFFF))) + "\t" + ownerName + "\t" +
           buttons + "\t" + (splash && IsWindowVisible(splash) ? "1" : "0") + "\n";
}

// The "pixels" line of the part of the rectangle that lies on the screen (nothing else can be read); empty if none.
string ScreenPixels(const RECT& window)
{
    RECT screen = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}, r;
    if (!IntersectRect(&r, &window, &screen)) return "";
    int width = r.right - r.left, height = r.bottom - r.top;
    HDC screenDC = GetDC(nullptr), memoryDC = CreateCompatibleDC(screenDC);
    HBITMAP bitmap = CreateCompatibleBitmap(screenDC, width, height);
    HGDIOBJ previous = SelectObject(memoryDC, bitmap);
    BitBlt(memoryDC, 0, 0, width, height, screenDC, r.left, r.top, SRCCOPY);
    SelectObject(memoryDC, previous); // a bitmap still selected into a DC cannot be read
    BITMAPINFOHEADER header = {sizeof(header), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    std::vector<unsigned char> bgrx(size_t(width) * height * 4);
    int rows = GetDIBits(memoryDC, bitmap, 0, height, bgrx.data(), reinterpret_cast<BITMAPINFO*>(&header), 0);
    DeleteObject(bitmap), DeleteDC(memoryDC), ReleaseDC(nullptr, screenDC);
    char head[64];
    snprintf(head, sizeof(head), "pixels %ld %ld %ld %ld ", r.left, r.top, r.right, r.bottom);
    return rows == height ? head + Hex(bgrx.data(), bgrx.size()) + "\n" : ""; // B, G, R and an unused byte each
}

// Boxes over the splash go off the screen but stay open: the launcher's modal loop repaints what they uncovered.
bool MoveBoxesOff(DWORD processId, const RECT& splash)
{
    bool moved = false;
    RECT boxRect, overlap;
    for (HWND box : VisibleWindowsOf(processId, L"#32770"))
        if (GetWindowRect(box, &boxRect) && IntersectRect(&overlap, &boxRect, &splash))
            moved |= SetWindowPos(box, nullptr, GetSystemMetrics(SM_CXVIRTUALSCREEN) + 100, 0, 0, 0,
                                  SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE) != 0;
    return moved;
}

// With `cover` a black window of the probe lies over the splash first: what the splash shows
// afterwards is what it repainted. Paint may come late, or a box meanwhile: read till two reads agree.
string CaptureSplash(DWORD processId, HWND splash, bool cover)
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
    string pixels = ScreenPixels(r), again;
    for (int read = 1; read < 5 && again != pixels; ++read, pixels.swap(again)) {
        Sleep(MoveBoxesOff(processId, r) ? 300 : 100);
        again = ScreenPixels(r);
    }
    return pixels;
}

// The child inherits the probe's environment changed by the case's `env` lines (NAME alone removes it),
// and without `stdout` no standard handles, as from a double click.
bool Start(const Case& c, PROCESS_INFORMATION& process)
{
    SECURITY_ATTRIBUTES inheritable = {sizeof(inheritable), nullptr, TRUE};
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup), startup.dwFlags = STARTF_USESTDHANDLES;
    if (!c.output.empty()) // standard input stays null
        startup.hStdOutput = startup.hStdError = CreateFileW(c.output.c_str(), GENERIC_WRITE,
            FILE_SHARE_READ | FILE_SHARE_WRITE, &inheritable, CREATE_ALWAYS, 0, nullptr);
    wchar_t* own = GetEnvironmentStringsW();
    for (const wstring& change : c.env) {
        size_t equals = change.find(L'=', 1);
        SetEnvironmentVariableW(change.substr(0, equals).c_str(), equals == wstring::npos ? 0 : &change[equals + 1]);
    }
    wstring line = c.line + L'\0';
    bool started = false; // a loaded Wine now and then fails a start with ERROR_INTERNAL_ERROR; that is not the case
    for (int tries = 0; !started && tries < 3 && (!tries || GetLastError() == ERROR_INTERNAL_ERROR); ++tries)
        started = startup.hStdOutput != INVALID_HANDLE_VALUE && CreateProcessW(nullptr, &line[0], nullptr, nullptr,
            !c.output.empty(), 0, nullptr, c.cwd.empty() ? nullptr : c.cwd.c_str(), &startup, &process);
    if (!started) fprintf(stderr, "probe: case %ls did not start (error %lu)\n", c.id.c_str(), GetLastError());
    SetEnvironmentStringsW(own), FreeEnvironmentStringsW(own);
    if (startup.hStdOutput && startup.hStdOutput != INVALID_HANDLE_VALUE) CloseHandle(startup.hStdOutput);
    return started;
}

// With `second` ("<ms>\x1f<line>\x1f<env changes>..."), another start with the case's surroundings that many ms
// after the first or once the first ended, whichever comes first; its exit code is told, and one that hangs is ended.
bool StartSecond(const Case& c, DWORD elapsed, bool ended, PROCESS_INFORMATION& second)
{
    std::vector<wstring> field = Split(c.second, L'\x1f');
    if (second.hProcess || field.size() < 2 || (!ended && elapsed < wcstoul(field[0].c_str(), nullptr, 10)))
        return false;
    Case again = c;
    again.line = field[1], again.output.clear(), again.env.insert(again.env.end(), field.begin() + 2, field.end());
    return Start(again, second);
}

string EndSecond(const Case& c, PROCESS_INFORMATION& second)
{
    DWORD exitCode = 0;
    if (!second.hProcess) return "";
    if (WaitForSingleObject(second.hProcess, wcstoul(c.timeoutMs.c_str(), nullptr, 10)) != WAIT_OBJECT_0)
        TerminateProcess(second.hProcess, 0xDEAD), WaitForSingleObject(second.hProcess, 5000);
    GetExitCodeProcess(second.hProcess, &exitCode), CloseHandle(second.hThread), CloseHandle(second.hProcess);
    return "second " + std::to_string(exitCode) + "\n";
}

string RunCase(const Case& c)
{
    PROCESS_INFORMATION process = {}, second = {};
    SetRegistry(c, c.values);
    if (!Start(c, process))
        return SetRegistry(c, {}), "started 0\n";
    string result = "started 1\n", pixels;
    std::set<HWND> recorded; // a box is told once, however often it shows
    HWND splash = nullptr;
    RECT rect = {};
    DWORD start = GetTickCount(), splashSeen = 0, exitCode = 0, style = 0, exStyle = 0, classStyle = 0;
    bool captured = false, responds = false, timedOut = false;
    for (bool ended = false; !ended;) {
        ended = WaitForSingleObject(process.hProcess, 10) == WAIT_OBJECT_0;
        StartSecond(c, GetTickCount() - start, ended, second);
        std::vector<HWND> splashes = VisibleWindowsOf(process.dwProcessId, L"SplashScreenWindow"), fresh;
        if (!splash && !splashes.empty()) { // style, place and layering at first sight
            splash = splashes.front(), splashSeen = GetTickCount(), GetWindowRect(splash, &rect);
            style = GetWindowLongW(splash, GWL_STYLE), exStyle = GetWindowLongW(splash, GWL_EXSTYLE);
            classStyle = GetClassLongW(splash, GCL_STYLE);
        }
        for (HWND box : VisibleWindowsOf(process.dwProcessId, L"#32770"))
            if (recorded.insert(box).second) fresh.push_back(box), result += DescribeBox(box, splash);
        // The launcher now waits in a box, or has had half a second to paint.
        if (splash && !captured && !ended && IsWindowVisible(splash) &&
            (!fresh.empty() || GetTickCount() - splashSeen >= 500)) {
            captured = true;
            pixels = CaptureSplash(process.dwProcessId, splash, c.cover == L"1");
            responds = SendMessageTimeoutW(splash, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, nullptr);
        }
        for (HWND box : fresh)
            PostMessageW(box, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), LPARAM(GetDlgItem(box, IDOK)));
        if ((timedOut = !ended && GetTickCount() - start >= wcstoul(c.timeoutMs.c_str(), nullptr, 10)))
            TerminateProcess(process.hProcess, 0xDEAD), WaitForSingleObject(process.hProcess, 5000), ended = true;
    }
    GetExitCodeProcess(process.hProcess, &exitCode);
    FILETIME times[4]; // creation and exit as the system recorded them, for the benchmarks
    GetProcessTimes(process.hProcess, &times[0], &times[1], &times[2], &times[3]);
    auto ticks = [](const FILETIME& t) { return (ULONGLONG(t.dwHighDateTime) << 32) | t.dwLowDateTime; };
    CloseHandle(process.hThread), CloseHandle(process.hProcess), result += EndSecond(c, second), SetRegistry(c, {});
    char line[192];
    snprintf(line, sizeof(line), "splash %08lx %08lx %08lx %ld %ld %ld %ld %d\n", style, exStyle, classStyle,
             rect.left, rect.top, rect.right, rect.bottom, responds ? 1 : 0);
    if (splash) result += line + pixels;
    snprintf(line, sizeof(line), "timedout %d\nexit %lu\nelapsed %llu\nmetrics %d %d\n", timedOut ? 1 : 0, exitCode,
             (ticks(times[1]) - ticks(times[0])) / 10, GetSystemMetrics(SM_CXFULLSCREEN),
             GetSystemMetrics(SM_CYFULLSCREEN));
    return result + line;
}

// What Windows reads of an executable: its version numbers, texts (as UTF-16 in hex) and icon group 128's sizes.
int DescribeIdentity(const wchar_t* file)
{
    std::vector<char> block(GetFileVersionInfoSizeW(file, nullptr));
    VS_FIXEDFILEINFO* fixed = nullptr;
    wchar_t* text = nullptr;
    UINT length = 0;
    if (block.empty() || !GetFileVersionInfoW(file, 0, DWORD(block.size()), block.data()) ||
        !VerQueryValueW(block.data(), L"\\", reinterpret_cast<void**>(&fixed), &length))
        return fprintf(stderr, "probe: %ls has no version block\n", file), 1;
    printf("numbers %lx %lx %lx %lx\n", fixed->dwFileVersionMS, fixed->dwFileVersionLS, fixed->dwProductVersionMS,
           fixed->dwProductVersionLS);
    for (const wchar_t* name : {L"CompanyName", L"FileDescription", L"FileVersion", L"InternalName", L"LegalCopyright",
                                L"OriginalFilename", L"ProductName", L"ProductVersion"})
        if (VerQueryValueW(block.data(), (L"\\StringFileInfo\\040904b0\\" + wstring(name)).c_str(),
                           reinterpret_cast<void**>(&text), &length))
            printf("%ls %s\n", name, Hex(wstring(text)).c_str());
    HMODULE image = LoadLibraryExW(file, nullptr, LOAD_LIBRARY_AS_DATAFILE | LOAD_LIBRARY_AS_IMAGE_RESOURCE);
    HRSRC group = image ? FindResourceW(image, MAKEINTRESOURCEW(128), RT_GROUP_ICON) : nullptr;
    const BYTE* entries = group ? static_cast<const BYTE*>(LockResource(LoadResource(image, group))) : nullptr;
    string sizes; // of the 14-byte entries after a 6-byte header; a width of 0 stands for 256
    for (int i = 0; entries && i < entries[4] + 256 * entries[5]; ++i)
        sizes += (sizes.empty() ? "" : " ") + std::to_string(entries[6 + 14 * i] ? entries[6 + 14 * i] : 256);
    printf("icons %s\n", sizes.c_str());
    if (image)
        FreeLibrary(image);
    return 0;
}

} // namespace

int wmain(int argc, wchar_t** argv)
{
    if (argc == 3 && wstring(argv[1]) == L"--identity")
        return DescribeIdentity(argv[2]);
    std::vector<Case> cases;
    if (argc != 2 || !ReadBatch(argv[1], cases))
        return fprintf(stderr, "usage: probe BATCHFILE (a readable batch of well-formed cases)\n"), 2;
    int unwritten = 0;
    for (const Case& c : cases)
        if (!(std::ofstream(c.out.c_str(), std::ios::binary) << RunCase(c)).flush())
            fprintf(stderr, "probe: cannot write the result of case %ls\n", c.id.c_str()), ++unwritten;
    return unwritten ? 1 : 0;
}
