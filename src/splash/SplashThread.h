#pragma once
#include <windows.h>

#include "framework/Guards.h"
#include "framework/String.h"

// The thread that owns the splash window and runs its message loop, so that
// the splash repaints and answers the system while the launch thread is busy
// creating the virtual machine or running the application's main method.
class CSplashThread
{
public:
    CSplashThread();
    ~CSplashThread();

    // Starts the thread and returns once it has shown the splash window, or
    // found that it cannot: the window, or null (and the thread is ending).
    HWND Start(const CString& imageFileName, bool shadow, UINT timeoutSeconds);

    // Closes the window and waits until the thread has ended.
    void Close();

private:
    CSplashThread(const CSplashThread&) = delete;
    CSplashThread& operator=(const CSplashThread&) = delete;

    static DWORD WINAPI ThreadProc(void* self);
    void Run();

    CString m_imageFileName;
    bool m_shadow;
    UINT m_timeoutSeconds;
    HANDLE m_windowReady;
    HWND m_window;
    AutoCloseHandle m_thread;
};
