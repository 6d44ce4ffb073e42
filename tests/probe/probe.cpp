// probe BATCHFILE: runs the batch's cases one at a time and writes, per case, what a person at the screen would
// have met: the message boxes (each answered with OK), the splash window and its pixels, a timeout, the exit code.
// Only Win32 and the C runtime: the ARM64 build has no C++ library.
#include <windows.h>
#include <shellapi.h>
#include <stdio.h>
#include <stdlib.h>
#include <string.h>
#include <wchar.h>

namespace {

// The text a case's result is written into, grown as it goes.
class Text {
public:
    Text() = default;
    Text(const Text&) = delete;
    ~Text() { free(data_); }
    Text& Append(const void* bytes, size_t size)
    {
        if (length_ + size + 1 > capacity_)
            data_ = static_cast<char*>(realloc(data_, capacity_ = (length_ + size + 1) * 2));
        memcpy(data_ + length_, bytes, size), data_[length_ += size] = 0;
        return *this;
    }
    Text& operator+=(const char* text) { return Append(text, strlen(text)); }
    bool operator==(const Text& other) const { return length_ == other.length_ && !memcmp(data_, other.data_, length_); }
    void Swap(Text& other)
    {
        char* data = data_;
        size_t length = length_, capacity = capacity_;
        data_ = other.data_, length_ = other.length_, capacity_ = other.capacity_;
        other.data_ = data, other.length_ = length, other.capacity_ = capacity;
    }
    void Clear() { length_ = 0; }
    const char* Data() const { return data_; }
    size_t Length() const { return length_; }

private:
    char* data_ = nullptr;
    size_t length_ = 0, capacity_ = 0;
};

// The items of a list, each ending in a NUL, one after another in the batch's buffer.
struct List {
    wchar_t* first = nullptr;
    int count = 0;
    wchar_t* Next(wchar_t* item) const { return item + wcslen(item) + 1; }
};

// Cuts the text into its items in place; an empty text holds no items.
List Split(wchar_t* text, wchar_t separator)
{
    List list = {text, *text ? 1 : 0};
    for (wchar_t* at = text; (at = wcschr(at, separator)); *at++ = 0) ++list.count;
    return list;
}

struct RegistryValue { wchar_t *key, *name; DWORD type; BYTE* data; DWORD size; };
// A case is one line of the batch, its fields in this order: apart by \x1e, a list's items by \x1f.
struct Case {
    wchar_t *id, *out, *line, *cwd, *output, *timeoutMs, *cover;
    List env, clear;
    RegistryValue* values;
    int valueCount;
};

// Bytes as hex digits: texts (as UTF-16) and pixels pass whole, whatever they hold.
void AppendHex(Text& text, const void* data, size_t size)
{
    for (const unsigned char* byte = static_cast<const unsigned char*>(data); size--; ++byte)
        text.Append(&"0123456789abcdef"[*byte >> 4], 1).Append(&"0123456789abcdef"[*byte & 15], 1);
}

// The batch read whole and cut into cases in place; its buffers live as long as the probe.
bool ReadBatch(const wchar_t* path, Case*& cases, int& count)
{
    const struct { const wchar_t* name; DWORD type; } types[] = {{L"sz", REG_SZ}, {L"expand", REG_EXPAND_SZ},
        {L"dword", REG_DWORD}, {L"binary", REG_BINARY}};
    HANDLE file = CreateFileW(path, GENERIC_READ, FILE_SHARE_READ, nullptr, OPEN_EXISTING, 0, nullptr);
    DWORD size = file == INVALID_HANDLE_VALUE ? 0 : GetFileSize(file, nullptr), read = 0;
    char* bytes = static_cast<char*>(malloc(size + 1));
    bool whole = size && ReadFile(file, bytes, size, &read, nullptr) && read == size;
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    wchar_t* text = static_cast<wchar_t*>(malloc((size + 1) * sizeof(wchar_t)));
    text[whole ? MultiByteToWideChar(CP_UTF8, 0, bytes, int(size), text, int(size)) : 0] = 0;
    free(bytes);
    if (!whole || text[wcslen(text) - 1] != L'\n') return false;
    text[wcslen(text) - 1] = 0;
    List lines = Split(text, L'\n');
    cases = static_cast<Case*>(calloc(lines.count, sizeof(Case))), count = lines.count;
    wchar_t* line = lines.first;
    for (Case* c = cases; c < cases + count; ++c) {
        wchar_t* field[10];
        List fields = Split(line, L'\x1e');
        if (fields.count != 10) return false;
        field[0] = fields.first;
        for (int i = 1; i < 10; ++i) field[i] = fields.Next(field[i - 1]);
        line = fields.Next(field[9]); // the next line, found before the lists are cut
        *c = {field[0], field[1], field[2], field[3], field[4], field[5], field[6], Split(field[7], L'\x1f'),
              Split(field[8], L'\x1f'), nullptr, 0};
        List values = Split(field[9], L'\x1f');
        c->values = static_cast<RegistryValue*>(calloc(values.count + 1, sizeof(RegistryValue)));
        wchar_t* value = values.first;
        for (wchar_t* after; c->valueCount < values.count; value = after) {
            after = value + wcslen(value) + 1; // before the value is cut into key|name|type|the bytes, in hex
            List part = Split(value, L'|');
            if (part.count != 4) return false;
            RegistryValue& v = c->values[c->valueCount++];
            v.key = part.first, v.name = part.Next(v.key);
            wchar_t *type = part.Next(v.name), *hex = part.Next(type);
            const auto* known = types;
            while (known < types + 4 && wcscmp(known->name, type)) ++known;
            if (known == types + 4) return false;
            v.type = known->type, v.data = reinterpret_cast<BYTE*>(hex), v.size = DWORD(wcslen(hex) / 2);
            for (DWORD i = 0; i < v.size; ++i) { // the bytes overwrite the digits they were read from
                wchar_t digits[] = {hex[2 * i], hex[2 * i + 1], 0};
                v.data[i] = BYTE(wcstoul(digits, nullptr, 16));
            }
        }
    }
    return true;
}

// Clears the case's keys, then writes the given values: the case's before its run, none after it.
void SetRegistry(const Case& c, const RegistryValue* values, int count)
{
    int cleared = 0;
    for (wchar_t* key = c.clear.first; cleared++ < c.clear.count; key = c.clear.Next(key))
        RegDeleteTreeW(HKEY_LOCAL_MACHINE, key);
    for (const RegistryValue* value = values; value < values + count; ++value)
        if (RegSetKeyValueW(HKEY_LOCAL_MACHINE, value->key, value->name, value->type, value->data, value->size))
            fprintf(stderr, "probe: cannot write HKLM\\%ls\n", value->key);
}

// The window manager's copy, as hex digits: WM_GETTEXT across processes fails under Wine for texts of tens of
// kilobytes.
void AppendTextOf(Text& text, HWND window)
{
    static wchar_t buffer[1 << 18];
    int length = InternalGetWindowText(window, buffer, 1 << 18);
    AppendHex(text, buffer, (length > 0 ? length : 0) * sizeof(wchar_t));
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

void DescribeBox(Text& result, HWND box, HWND splash)
{
    HWND owner = GetWindow(box, GW_OWNER);
    result += "box ";
    AppendTextOf(result, box);
    result += "\t";
    AppendTextOf(result, GetDlgItem(box, 0xFFFF));
    (result += "\t") += !owner ? "none" : owner == splash ? "splash" : "other";
    char id[16];
    const char* separator = "\t";
    for (HWND button = nullptr; (button = FindWindowExW(box, button, L"Button", nullptr)); separator = ",")
        sprintf(id, "%s%d", separator, GetDlgCtrlID(button)), result += id;
    ((result += "\t") += splash && IsWindowVisible(splash) ? "1" : "0") += "\n";
}

// The "pixels" line of the part of the rectangle that lies on the screen (nothing else can be read); empty if none.
void ScreenPixels(const RECT& window, Text& pixels)
{
    RECT screen = {0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN)}, r;
    pixels.Clear();
    if (!IntersectRect(&r, &window, &screen)) return;
    int width = r.right - r.left, height = r.bottom - r.top;
    HDC screenDC = GetDC(nullptr), memoryDC = CreateCompatibleDC(screenDC);
    HBITMAP bitmap = CreateCompatibleBitmap(screenDC, width, height);
    HGDIOBJ previous = SelectObject(memoryDC, bitmap);
    BitBlt(memoryDC, 0, 0, width, height, screenDC, r.left, r.top, SRCCOPY);
    SelectObject(memoryDC, previous); // a bitmap still selected into a DC cannot be read
    BITMAPINFOHEADER header = {sizeof(header), width, -height, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
    size_t size = size_t(width) * height * 4;
    unsigned char* bgrx = static_cast<unsigned char*>(malloc(size));
    int rows = GetDIBits(memoryDC, bitmap, 0, height, bgrx, reinterpret_cast<BITMAPINFO*>(&header), 0);
    DeleteObject(bitmap), DeleteDC(memoryDC), ReleaseDC(nullptr, screenDC);
    char head[64];
    sprintf(head, "pixels %ld %ld %ld %ld ", r.left, r.top, r.right, r.bottom);
    if (rows == height) // B, G, R and an unused byte each
        pixels += head, AppendHex(pixels, bgrx, size), pixels += "\n";
    free(bgrx);
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
void CaptureSplash(DWORD processId, HWND splash, bool cover, Text& pixels)
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
    Text again;
    ScreenPixels(r, pixels);
    for (int read = 1; read < 5 && !(again == pixels); ++read, pixels.Swap(again)) {
        Sleep(MoveBoxesOff(processId, r) ? 300 : 100);
        ScreenPixels(r, again);
    }
}

// The child inherits the probe's environment changed by the case's `env` lines (NAME alone removes it),
// and without `stdout` no standard handles, as from a double click.
bool Start(const Case& c, PROCESS_INFORMATION& process)
{
    SECURITY_ATTRIBUTES inheritable = {sizeof(inheritable), nullptr, TRUE};
    STARTUPINFOW startup = {};
    startup.cb = sizeof(startup), startup.dwFlags = STARTF_USESTDHANDLES;
    if (*c.output) // standard input stays null
        startup.hStdOutput = startup.hStdError = CreateFileW(c.output, GENERIC_WRITE,
            FILE_SHARE_READ | FILE_SHARE_WRITE, &inheritable, CREATE_ALWAYS, 0, nullptr);
    wchar_t* own = GetEnvironmentStringsW();
    wchar_t* change = c.env.first;
    for (int i = 0; i < c.env.count; ++i, change = c.env.Next(change)) {
        wchar_t* equals = wcschr(change + 1, L'=');
        if (equals) *equals = 0;
        SetEnvironmentVariableW(change, equals ? equals + 1 : nullptr);
        if (equals) *equals = L'=';
    }
    bool started = false; // a loaded Wine now and then fails a start with ERROR_INTERNAL_ERROR; that is not the case
    for (int tries = 0; !started && tries < 3 && (!tries || GetLastError() == ERROR_INTERNAL_ERROR); ++tries)
        started = startup.hStdOutput != INVALID_HANDLE_VALUE && CreateProcessW(nullptr, c.line, nullptr, nullptr,
            *c.output != 0, 0, nullptr, *c.cwd ? c.cwd : nullptr, &startup, &process);
    if (!started) fprintf(stderr, "probe: case %ls did not start (error %lu)\n", c.id, GetLastError());
    SetEnvironmentStringsW(own), FreeEnvironmentStringsW(own);
    if (startup.hStdOutput && startup.hStdOutput != INVALID_HANDLE_VALUE) CloseHandle(startup.hStdOutput);
    return started;
}

void RunCase(const Case& c, Text& result)
{
    PROCESS_INFORMATION process = {};
    SetRegistry(c, c.values, c.valueCount);
    if (!Start(c, process)) {
        SetRegistry(c, nullptr, 0), result += "started 0\n";
        return;
    }
    result += "started 1\n";
    Text pixels;
    HWND recorded[kMaxWindows], splash = nullptr; // a box is told once, however often it shows
    int recordedCount = 0;
    RECT rect = {};
    DWORD start = GetTickCount(), splashSeen = 0, exitCode = 0, style = 0, exStyle = 0, classStyle = 0;
    bool captured = false, responds = false, timedOut = false;
    for (bool ended = false; !ended;) {
        ended = WaitForSingleObject(process.hProcess, 10) == WAIT_OBJECT_0;
        HWND splashes[kMaxWindows], boxes[kMaxWindows];
        if (!splash && VisibleWindowsOf(process.dwProcessId, L"SplashScreenWindow", splashes)) {
            splash = splashes[0], splashSeen = GetTickCount(), GetWindowRect(splash, &rect); // at first sight
            style = GetWindowLongW(splash, GWL_STYLE), exStyle = GetWindowLongW(splash, GWL_EXSTYLE);
            classStyle = GetClassLongW(splash, GCL_STYLE);
        }
        int boxCount = VisibleWindowsOf(process.dwProcessId, L"#32770", boxes), firstFresh = recordedCount;
        for (int i = 0; i < boxCount; ++i) {
            int seen = 0;
            while (seen < recordedCount && recorded[seen] != boxes[i]) ++seen;
            if (seen == recordedCount && recordedCount < kMaxWindows)
                recorded[recordedCount++] = boxes[i], DescribeBox(result, boxes[i], splash);
        }
        // The launcher now waits in a box, or has had half a second to paint.
        if (splash && !captured && !ended && IsWindowVisible(splash) &&
            (recordedCount > firstFresh || GetTickCount() - splashSeen >= 500)) {
            captured = true;
            CaptureSplash(process.dwProcessId, splash, !wcscmp(c.cover, L"1"), pixels);
            responds = SendMessageTimeoutW(splash, WM_NULL, 0, 0, SMTO_ABORTIFHUNG, 2000, nullptr);
        }
        for (int i = firstFresh; i < recordedCount; ++i)
            PostMessageW(recorded[i], WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED), LPARAM(GetDlgItem(recorded[i], IDOK)));
        if ((timedOut = !ended && GetTickCount() - start >= wcstoul(c.timeoutMs, nullptr, 10)))
            TerminateProcess(process.hProcess, 0xDEAD), WaitForSingleObject(process.hProcess, 5000), ended = true;
    }
    GetExitCodeProcess(process.hProcess, &exitCode);
    FILETIME times[4]; // creation and exit as the system recorded them, for the benchmarks
    GetProcessTimes(process.hProcess, &times[0], &times[1], &times[2], &times[3]);
    auto ticks = [](const FILETIME& t) { return (ULONGLONG(t.dwHighDateTime) << 32) | t.dwLowDateTime; };
    CloseHandle(process.hThread), CloseHandle(process.hProcess), SetRegistry(c, nullptr, 0);
    char line[192];
    sprintf(line, "splash %08lx %08lx %08lx %ld %ld %ld %ld %d\n", style, exStyle, classStyle,
             rect.left, rect.top, rect.right, rect.bottom, responds ? 1 : 0);
    if (splash) result += line, result.Append(pixels.Data(), pixels.Length());
    sprintf(line, "timedout %d\nexit %lu\nelapsed %llu\nmetrics %d %d\n", timedOut ? 1 : 0, exitCode,
             (ticks(times[1]) - ticks(times[0])) / 10, GetSystemMetrics(SM_CXFULLSCREEN),
             GetSystemMetrics(SM_CYFULLSCREEN));
    result += line;
}

bool WriteResult(const wchar_t* path, const Text& result)
{
    HANDLE file = CreateFileW(path, GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
    DWORD written = 0;
    bool whole = file != INVALID_HANDLE_VALUE && WriteFile(file, result.Data(), DWORD(result.Length()), &written,
                                                           nullptr) && written == result.Length();
    if (file != INVALID_HANDLE_VALUE) CloseHandle(file);
    return whole;
}

} // namespace

int main()
{
    int argc = 0, count = 0;
    wchar_t** argv = CommandLineToArgvW(GetCommandLineW(), &argc);
    Case* cases = nullptr;
    if (argc != 2 || !ReadBatch(argv[1], cases, count))
        return fprintf(stderr, "usage: probe BATCHFILE (a readable batch of well-formed cases)\n"), 2;
    int unwritten = 0;
    for (const Case* c = cases; c < cases + count; ++c) {
        Text result;
        RunCase(*c, result);
        if (!WriteResult(c->out, result))
            fprintf(stderr, "probe: cannot write the result of case %ls\n", c->id), ++unwritten;
    }
    return unwritten ? 1 : 0;
}
