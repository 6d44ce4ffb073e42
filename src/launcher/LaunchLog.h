#pragma once
#include <windows.h>

#include "framework/StandardOutput.h"
#include "framework/String.h"

// The launch log: a file the configuration may name, to which each launch
// appends its own block, and which also receives what the JVM and the
// application write to standard output and error. Nothing about it may stop
// or change a launch: a file that cannot be opened is simply no log.
class CLaunchLog
{
public:
    CLaunchLog();
    ~CLaunchLog();

    // Opens the file for appending and redirects standard output and error
    // to it; only a file on a disk is taken.
    void Open(const char* path);
    void Close();
    bool IsOpen() const { return m_file != INVALID_HANDLE_VALUE; }

    // Appends the text as whole lines in one write, so that lines of two
    // launches writing at once never mix; a text of several lines gets its
    // continuation lines indented.
    void Write(const char* text);

private:
    CLaunchLog(const CLaunchLog&) = delete;
    CLaunchLog& operator=(const CLaunchLog&) = delete;

    HANDLE m_file;
    CStandardOutputRedirection m_redirection;
};

extern CLaunchLog g_launchLog;

// Lines of the launch log, formatted as the error channel formats its texts.
// They do nothing while no log is open.
void LogLine(const char* text);
void LogLine(const char* format, const char* text);
void LogLine(const char* format, int number);
void LogLine(const char* format, const char* text, int number);
void LogLine(const char* format, const char* text, const char* more);

// The last line of the launch's block; closes the log.
void EndLaunchLog(int exitCode);
