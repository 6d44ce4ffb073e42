#pragma once
#include <windows.h>

#include <string>
#include <vector>

// Starts a program and watches its windows while it runs: every message box
// is recorded and answered with OK, and the first visible splash window is
// described, so that end-to-end tests can see what a user would see. The
// splash's pixels are read while the launcher waits in a message box (or
// half a second after it appeared), with the boxes moved off the splash.
struct MessageBoxRecord
{
    std::string caption;
    std::string text;
    HWND owner = nullptr;
    std::string ownerClass;
    bool splashVisible = false; // a splash window was still on screen when the box was answered
    std::string fileAtBox;      // LaunchOptions::fileToRead as the box appeared
};

struct SplashRecord
{
    bool seen = false;
    DWORD style = 0;
    DWORD exStyle = 0;
    DWORD classStyle = 0;
    bool classStyleRead = false; // GetClassLongA answered for the other process's window
    RECT rect = {};
    HWND window = nullptr;
    bool pixelsCaptured = false;
    std::vector<COLORREF> pixels; // screen contents of the window, row by row, read with
                                  // every message box of the process moved out of the way
};

struct LaunchOptions
{
    std::string commandLine;          // the whole line, program path included
    std::string workingDirectory;     // empty: the probe's own
    std::vector<std::string> environment; // NAME=VALUE entries that override the probe's own
    std::string fileToRead;           // read whenever a message box appears
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
