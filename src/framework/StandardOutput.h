#pragma once
#include <windows.h>

// Points the process's standard output and error at a file while redirected.
// Two views must follow: the Win32 handles, which a C runtime loaded later
// (the one a JVM brings) reads when it starts, and descriptors 1 and 2 of the
// C runtime already running here (msvcrt), which took its handles when the
// process started and never looks again; a JVM that shares that runtime
// writes through them.
class CStandardOutputRedirection
{
public:
    CStandardOutputRedirection();
    ~CStandardOutputRedirection();

    void Redirect(HANDLE file);
    void Restore();

private:
    CStandardOutputRedirection(const CStandardOutputRedirection&) = delete;
    CStandardOutputRedirection& operator=(const CStandardOutputRedirection&) = delete;

    bool m_redirected;
    HANDLE m_previousOutput;
    HANDLE m_previousError;
    // Copies of the runtime's own descriptors 1 and 2, or -1 where the
    // process had none (a GUI process started without standard handles).
    int m_savedOutput;
    int m_savedError;
};
