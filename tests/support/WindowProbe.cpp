#include "support/WindowProbe.h"
#include "support/TestDirectory.h"

#include <algorithm>
#include <map>
#include <set>

namespace {

std::string ClassOf(HWND window)
{
    char name[256] = "";
    GetClassNameA(window, name, sizeof(name));
    return name;
}

// Read from the window manager's copy of the text: asking the other process
// with WM_GETTEXT fails under Wine for texts of tens of kilobytes.
std::string TextOf(HWND window)
{
    std::wstring wide(64 * 1024, L'\0');
    int length = InternalGetWindowText(window, &wide[0], static_cast<int>(wide.size()));
    if (length <= 0)
        return "";
    int size = WideCharToMultiByte(CP_ACP, 0, wide.data(), length, nullptr, 0, nullptr, nullptr);
    std::string text(size, '\0');
    WideCharToMultiByte(CP_ACP, 0, wide.data(), length, &text[0], size, nullptr, nullptr);
    return text;
}

std::vector<HWND> WindowsOfProcess(DWORD processId)
{
    struct Search { DWORD processId; std::vector<HWND> found; } search = { processId, {} };
    EnumWindows([](HWND window, LPARAM parameter) -> BOOL {
        auto* search = reinterpret_cast<Search*>(parameter);
        DWORD owner = 0;
        GetWindowThreadProcessId(window, &owner);
        if (owner == search->processId)
            search->found.push_back(window);
        return TRUE;
    }, reinterpret_cast<LPARAM>(&search));
    return search.found;
}

// The screen's pixels inside the rectangle, row by row. Parts that lie off
// the screen read as black: the screen cannot be read there.
std::vector<COLORREF> CapturePixels(const RECT& rect)
{
    int width = rect.right - rect.left;
    int height = rect.bottom - rect.top;
    std::vector<COLORREF> pixels;
    if (width <= 0 || height <= 0 || static_cast<long long>(width) * height > 4 * 1024 * 1024)
        return pixels;
    RECT screenRect = { 0, 0, GetSystemMetrics(SM_CXSCREEN), GetSystemMetrics(SM_CYSCREEN) };
    RECT onScreen;
    if (!IntersectRect(&onScreen, &rect, &screenRect))
        return std::vector<COLORREF>(static_cast<size_t>(width) * height, 0);
    HDC screen = GetDC(nullptr);
    HDC memory = CreateCompatibleDC(screen);
    BITMAPINFO info = {};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    void* bits = nullptr;
    HBITMAP bitmap = CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
    if (bitmap) {
        HGDIOBJ previous = SelectObject(memory, bitmap);
        // Wine's screen reads fail whole when the source leaves the screen.
        BitBlt(memory, onScreen.left - rect.left, onScreen.top - rect.top, onScreen.right - onScreen.left,
               onScreen.bottom - onScreen.top, screen, onScreen.left, onScreen.top, SRCCOPY);
        GdiFlush();
        const DWORD* source = static_cast<const DWORD*>(bits);
        pixels.reserve(static_cast<size_t>(width) * height);
        for (int i = 0; i < width * height; ++i) {
            DWORD bgr = source[i];
            pixels.push_back(RGB((bgr >> 16) & 0xFF, (bgr >> 8) & 0xFF, bgr & 0xFF));
        }
        SelectObject(memory, previous);
        DeleteObject(bitmap);
    }
    DeleteDC(memory);
    ReleaseDC(nullptr, screen);
    return pixels;
}

// Styles and place are read at first sight; the pixels come later, once the
// launcher has had time to paint (see CaptureSplashPixels).
void DescribeSplash(HWND window, SplashRecord& splash)
{
    splash.seen = true;
    splash.window = window;
    splash.style = static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE));
    splash.exStyle = static_cast<DWORD>(GetWindowLongA(window, GWL_EXSTYLE));
    SetLastError(0);
    splash.classStyle = static_cast<DWORD>(GetClassLongA(window, GCL_STYLE));
    splash.classStyleRead = GetLastError() == 0;
    GetWindowRect(window, &splash.rect);
}

std::vector<HWND> VisibleMessageBoxes(DWORD processId)
{
    std::vector<HWND> boxes;
    for (HWND window : WindowsOfProcess(processId)) {
        if (IsWindowVisible(window) && ClassOf(window) == "#32770")
            boxes.push_back(window);
    }
    return boxes;
}

// Moves the process's message boxes off the screen where they cover the
// splash; true if one was moved. The box stays open and keeps the launcher
// in its modal loop, which repaints what the box uncovered.
bool MoveBoxesOffSplash(DWORD processId, const RECT& splashRect)
{
    bool moved = false;
    for (HWND box : VisibleMessageBoxes(processId)) {
        RECT boxRect, overlap;
        GetWindowRect(box, &boxRect);
        if (!IntersectRect(&overlap, &boxRect, &splashRect))
            continue;
        int offScreen = GetSystemMetrics(SM_CXVIRTUALSCREEN) + 100;
        SetWindowPos(box, nullptr, offScreen, 0, 0, 0, SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
        moved = true;
    }
    return moved;
}

// Reads what the screen shows where the splash is, with no box in the way.
void CaptureSplashPixels(DWORD processId, SplashRecord& splash)
{
    for (int attempt = 0; attempt < 5; ++attempt) {
        bool moved = MoveBoxesOffSplash(processId, splash.rect);
        Sleep(moved ? 300 : 100);
        splash.pixels = CapturePixels(splash.rect);
        // A busy machine may repaint late: read until two reads agree.
        for (int read = 0; read < 5; ++read) {
            Sleep(100);
            std::vector<COLORREF> again = CapturePixels(splash.rect);
            if (again == splash.pixels)
                break;
            splash.pixels = again;
        }
        if (!MoveBoxesOffSplash(processId, splash.rect))
            break;
    }
    splash.pixelsCaptured = true;
}

std::vector<char> EnvironmentBlock(const std::vector<std::string>& overrides)
{
    std::map<std::string, std::string> variables; // keyed by upper-case name
    std::map<std::string, std::string> spelling;
    auto put = [&](const std::string& entry) {
        size_t equals = entry.find('=', 1);
        if (equals == std::string::npos)
            return;
        std::string name = entry.substr(0, equals), key = name;
        std::transform(key.begin(), key.end(), key.begin(), ::toupper);
        variables[key] = entry.substr(equals + 1);
        spelling[key] = name;
    };
    char* current = GetEnvironmentStringsA();
    for (const char* entry = current; *entry; entry += strlen(entry) + 1)
        put(entry);
    FreeEnvironmentStringsA(current);
    for (const std::string& entry : overrides)
        put(entry);
    std::vector<char> block;
    for (const auto& variable : variables) {
        std::string entry = spelling[variable.first] + "=" + variable.second;
        block.insert(block.end(), entry.begin(), entry.end());
        block.push_back('\0');
    }
    block.push_back('\0');
    return block;
}

} // namespace

std::string QuotedCommandLine(const std::string& program, const std::string& arguments)
{
    std::string line = "\"" + program + "\"";
    if (!arguments.empty())
        line += " " + arguments;
    return line;
}

LaunchResult RunAndProbe(const LaunchOptions& options)
{
    LaunchResult result;
    std::vector<char> commandLine(options.commandLine.begin(), options.commandLine.end());
    commandLine.push_back('\0');
    std::vector<char> environment = EnvironmentBlock(options.environment);
    STARTUPINFOA startup = { sizeof(startup) };
    PROCESS_INFORMATION process = {};
    if (!CreateProcessA(nullptr, commandLine.data(), nullptr, nullptr, FALSE, 0, environment.data(),
                        options.workingDirectory.empty() ? nullptr : options.workingDirectory.c_str(),
                        &startup, &process))
        return result;
    result.started = true;

    std::set<HWND> answered;
    DWORD started = GetTickCount();
    DWORD splashFirstSeen = 0;
    for (;;) {
        bool ended = WaitForSingleObject(process.hProcess, 10) == WAIT_OBJECT_0;
        HWND splash = nullptr;
        for (HWND window : WindowsOfProcess(process.dwProcessId)) {
            if (IsWindowVisible(window) && ClassOf(window) == kSplashWindowClass)
                splash = window;
        }
        if (splash && !result.splash.seen) {
            DescribeSplash(splash, result.splash);
            splashFirstSeen = GetTickCount();
        }
        std::vector<HWND> newBoxes;
        for (HWND box : VisibleMessageBoxes(process.dwProcessId)) {
            if (!answered.count(box))
                newBoxes.push_back(box);
        }
        // A box means the launcher waits in its modal loop: a good moment to
        // read the splash. Without one, give its paint half a second.
        if (splash && !result.splash.pixelsCaptured && !ended &&
            (!newBoxes.empty() || GetTickCount() - splashFirstSeen > 500))
            CaptureSplashPixels(process.dwProcessId, result.splash);
        for (HWND window : newBoxes) {
            MessageBoxRecord box;
            box.caption = TextOf(window);
            box.text = TextOf(GetDlgItem(window, 0xFFFF));
            box.owner = GetWindow(window, GW_OWNER);
            box.ownerClass = box.owner ? ClassOf(box.owner) : "";
            box.splashVisible = splash && IsWindowVisible(splash);
            if (!options.fileToRead.empty())
                box.fileAtBox = ReadWholeFile(options.fileToRead);
            result.boxes.push_back(box);
            answered.insert(window);
            PostMessageA(window, WM_COMMAND, MAKEWPARAM(IDOK, BN_CLICKED),
                         reinterpret_cast<LPARAM>(GetDlgItem(window, IDOK)));
        }
        if (ended)
            break;
        if (GetTickCount() - started > options.timeoutMs) {
            result.timedOut = true;
            TerminateProcess(process.hProcess, 0xDEAD);
            WaitForSingleObject(process.hProcess, 5000);
            break;
        }
    }
    GetExitCodeProcess(process.hProcess, &result.exitCode);
    CloseHandle(process.hThread);
    CloseHandle(process.hProcess);
    return result;
}
