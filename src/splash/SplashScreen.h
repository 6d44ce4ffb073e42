#pragma once
#include <windows.h>

#include "framework/Guards.h"
#include "framework/WindowObject.h"

// The splash window: the configured bitmap, alone in a borderless, topmost
// window at the centre of the screen. It is decoration only: it takes no
// input and reports no failure, and a bitmap that cannot be loaded means no
// window at all, since nothing else would give the window a size.
class CSplashScreen : public CWindowObject
{
public:
    CSplashScreen();
    ~CSplashScreen() override;

    // Loads the bitmap and creates the window, hidden. Null when the bitmap
    // cannot be loaded or the window cannot be created.
    HWND Create(const char* bitmapFileName, bool shadow);

    BEGIN_MSG_MAP(CSplashScreen)
        MESSAGE_HANDLER(WM_PAINT, OnPaint)
        MESSAGE_HANDLER(WM_ERASEBKGND, OnEraseBackground)
    END_MSG_MAP()

    LRESULT OnPaint(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);
    LRESULT OnEraseBackground(UINT message, WPARAM wParam, LPARAM lParam, bool& handled);

private:
    static ATOM RegisterWindowClass(bool shadow);

    AutoDeleteObject m_bitmap;
};
