#include "support/WindowProbe.h"

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

std::string TextOf(HWND window)
{
    int length = GetWindowTextLengthA(window);
    std::string text(length + 1, '\0');
    int copied = GetWindowTextA(window, &text[0], length + 1);
    text.resize(copied > 0 ? copied : 0);
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

std::vector<COLORREF> CapturePixels(const RECT& rect)
{
    int width = rect.right - rect.left;
    int height = rect.bottom - rect.top;
    std::vector<COLORREF> pixels;
    if (width <= 0 || height <= 0 || static_cast<long long>(width) * height > 4 * 1024 * 1024)
        return pixels;
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
        BitBlt(memory, 0, 0, width, height, screen, rect.left, rect.top, SRCCOPY);
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

void DescribeSplash(HWND window, SplashRecord& splash)
{
    splash.seen = true;
    splash.window = window;
    splash.style = static_cast<DWORD>(GetWindowLongA(window, GWL_STYLE));
    splash.exStyle = static_cast<DWORD>(GetWindowLongA(window, GWL_EXSTYLE));
    splash.classStyle = static_cast<DWORD>(GetClassLongA(window, GCL_STYLE));
    GetWindowRect(window, &splash.rect);
    // Give the launcher's synchronous paint a moment to reach the screen.
    Sleep(100);
    splash.pixels = CapturePixels(splash.rect);
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
    for (;;) {
        bool ended = WaitForSingleObject(process.hProcess, 10) == WAIT_OBJECT_0;
        bool splashVisible = false;
        for (HWND window : WindowsOfProcess(process.dwProcessId)) {
            if (!IsWindowVisible(window))
                continue;
            std::string windowClass = ClassOf(window);
            if (windowClass == kSplashWindowClass) {
                splashVisible = true;
                if (!result.splash.seen)
                    DescribeSplash(window, result.splash);
            }
        }
        for (HWND window : WindowsOfProcess(process.dwProcessId)) {
            if (!IsWindowVisible(window) || ClassOf(window) != "#32770" || answered.count(window))
                continue;
            MessageBoxRecord box;
            box.caption = TextOf(window);
            box.text = TextOf(GetDlgItem(window, 0xFFFF));
            box.owner = GetWindow(window, GW_OWNER);
            box.ownerClass = box.owner ? ClassOf(box.owner) : "";
            box.splashVisible = splashVisible;
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
