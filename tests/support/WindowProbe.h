#pragma once
#include <windows.h>

#include <string>
#include <vector>

// Starts a program and watches its windows while it runs: every message box
// is recorded and answered with OK, and the first visible splash window is
// described, so that end-to-end tests can see what a user would see.
struct MessageBoxRecord
{
    std::string caption;
    std::string text;
    HWND owner = nullptr;
    std::string ownerClass;
    bool splashVisible = false; // a splash window was on screen when the box was read
};

struct SplashRecord
{
    bool seen = false;
    DWORD style = 0;
    DWORD exStyle = 0;
    DWORD classStyle = 0;
    RECT rect = {};
    HWND window = nullptr;
    std::vector<COLORREF> pixels; // screen contents of the window, row by row
};

struct LaunchOptions
{
    std::string commandLine;          // the whole line, program path included
    std::string workingDirectory;     // empty: the probe's own
    std::vector<std::string> environment; // NAME=VALUE entries that override the probe's own
    DWORD timeoutMs = 60000;
};

struct LaunchResult
{
    bool started = false;
    bool timedOut = false;
    DWORD exitCode = 0;
    std::vector<MessageBoxRecord> boxes;
    SplashRecord splash;
};

LaunchResult RunAndProbe(const LaunchOptions& options);

// "path" args..., with the program path quoted.
std::string QuotedCommandLine(const std::string& program, const std::string& arguments);

const char kSplashWindowClass[] = "SplashScreenWindow";
