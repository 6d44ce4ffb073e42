#include "splash/SplashThread.h"

#include "splash/SplashScreen.h"

namespace {

// Waits for an object while handling the messages other threads send to
// this one. The launch thread may own windows (a Java application's main
// method can create them on it), and the splash thread's window changes can
// send to those; a plain wait would deadlock.
void WaitHandlingSentMessages(DWORD count, const HANDLE* objects)
{
    MSG message;
    while (MsgWaitForMultipleObjects(count, objects, FALSE, INFINITE, QS_SENDMESSAGE) == WAIT_OBJECT_0 + count)
        PeekMessageA(&message, nullptr, 0, 0, PM_NOREMOVE | PM_QS_SENDMESSAGE);
}

} // namespace

CSplashThread::CSplashThread() : m_shadow(false), m_timeoutSeconds(0), m_windowReady(nullptr), m_window(nullptr)
{
}

CSplashThread::~CSplashThread()
{
    Close();
}

HWND CSplashThread::Start(const CString& imageFileName, bool shadow, UINT timeoutSeconds)
{
    m_imageFileName = imageFileName;
    m_shadow = shadow;
    m_timeoutSeconds = timeoutSeconds;
    AutoCloseHandle windowReady(CreateEventA(nullptr, TRUE, FALSE, nullptr));
    if (!windowReady.IsValid())
        return nullptr;
    m_windowReady = windowReady;
    m_thread.Reset(CreateThread(nullptr, 0, ThreadProc, this, 0, nullptr));
    if (!m_thread.IsValid())
        return nullptr;
    // A thread that ends without signalling has no window to offer.
    HANDLE waited[] = { windowReady, m_thread };
    WaitHandlingSentMessages(2, waited);
    m_windowReady = nullptr;
    return m_window;
}

void CSplashThread::Close()
{
    if (!m_thread.IsValid())
        return;
    if (m_window)
        PostMessageA(m_window, WM_CLOSE, 0, 0);
    HANDLE waited[] = { m_thread };
    WaitHandlingSentMessages(1, waited);
    m_thread.Reset(nullptr);
    m_window = nullptr;
}

DWORD WINAPI CSplashThread::ThreadProc(void* self)
{
    static_cast<CSplashThread*>(self)->Run();
    return 0;
}

// The decoder needs COM, and its objects are all released before the
// apartment is left. The loop ends when the window is destroyed.
void CSplashThread::Run()
{
    AutoCoUninitialize com(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED));
    CSplashScreen splash;
    HWND window = com.IsInitialized() ? splash.Create(m_imageFileName, m_shadow) : nullptr;
    if (window)
        splash.Show(m_timeoutSeconds);
    m_window = window;
    SetEvent(m_windowReady);
    if (!window)
        return;
    MSG message;
    while (GetMessageA(&message, nullptr, 0, 0) > 0)
        DispatchMessageA(&message);
}
