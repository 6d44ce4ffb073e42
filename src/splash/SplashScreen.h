#pragma once
#include <windows.h>

#include "framework/WindowObject.h"
#include "splash/SplashImage.h"

// The splash window: the configured picture, alone in a borderless, topmost
// window at the centre of the screen. It is decoration only: it takes no
// input and reports no failure, and a picture that cannot be loaded means no
// window at all, since nothing else would give the window a size. A picture
// with transparent parts is shown through its alpha channel.
//
// Once shown, it steps aside by itself (hides) as soon as the application
// shows a window of its own, or when its time is up; never while a window it
// owns, such as an error box, is on screen. Its destruction ends the message
// loop of its thread.
class CSplashScreen : public CWindowObject
{
public:
    CSplashScreen();
    ~CSplashScreen() override;

    // Loads the picture and creates the window, hidden. Null when the
    // picture cannot be loaded or the window cannot be created.
    HWND Create(const char* imageFileName, bool shadow);

    // Shows the window and starts watching for the moment to step aside;
    // a timeout of 0 seconds means none.
    void Show(UINT timeoutSeconds);

    BEGIN_MSG_MAP(CSplashScreen)
        MESSAGE_HANDLER(WM_PAINT, OnPaint)
        MESSAGE_HANDLER(WM_ERASEBKGND, OnEraseBackground)
        MESSAGE_HANDLER(WM_TIMER, OnTimer)
        MESSAGE_HANDLER(WM_DESTROY, OnDestroy)
    END_MSG_MAP()

    LRESULT OnPaint(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    LRESULT OnEraseBackground(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    LRESULT OnTimer(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    LRESULT OnDestroy(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);

private:
    static ATOM RegisterWindowClass(bool shadow);
    void ShowTranslucent();
    void StepAside();

    CSplashImage m_image;
    bool m_layered;
    bool m_timedOut;
};
