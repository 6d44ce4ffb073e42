#include "splash/SplashScreen.h"

#include "framework/Guards.h"
#include "framework/WindowClass.h"
#include "splash/ScaledImageFile.h"
#include "splash/ShownWindows.h"
#include "splash/SplashScale.h"

namespace {

CWindowClass g_splashWindowClass("SplashScreenWindow", CS_DBLCLKS | CS_SAVEBITS | CS_DROPSHADOW,
                                 reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1)));

// Often enough that the splash leaves almost with the application's first
// window appearing, seldom enough to cost nothing.
const UINT kWatchTimer = 1;
const UINT kWatchIntervalMs = 100;
const UINT kTimeoutTimer = 2;
const UINT kMaxTimeoutSeconds = USER_TIMER_MAXIMUM / 1000;

// Integer division truncates toward zero, so a picture larger than the
// screen area gets a negative corner and still sits centred.
RECT CentreOnScreen(SIZE size)
{
    RECT rect;
    rect.left = (GetSystemMetrics(SM_CXFULLSCREEN) - size.cx) / 2;
    rect.top = (GetSystemMetrics(SM_CYFULLSCREEN) - size.cy) / 2;
    rect.right = rect.left + size.cx;
    rect.bottom = rect.top + size.cy;
    return rect;
}

} // namespace

CSplashScreen::CSplashScreen() : m_layered(false), m_timedOut(false)
{
}

// The picture goes with its member; a window still up goes with the base.
CSplashScreen::~CSplashScreen()
{
}

// Drawn at the monitor's scale, as every program aware of it is; without a
// file made for that scale the picture is scaled to it. A file made for the
// scale that cannot be shown leaves the configured one, scaled.
HWND CSplashScreen::Create(const char* imageFileName, bool shadow)
{
    const UINT dpi = GetSplashDpi();
    UINT pictureDpi = kUnscaledDpi;
    CString shownFileName = FindScaledImageFile(imageFileName, dpi, pictureDpi);
    if (!m_image.Load(shownFileName, pictureDpi, dpi) &&
        (shownFileName.Equals(imageFileName) || !m_image.Load(imageFileName, kUnscaledDpi, dpi)))
        return nullptr;
    // The class shadow follows the window's rectangle, not the picture's
    // shape: a see-through picture carries its own shadow if it wants one.
    m_layered = m_image.IsTranslucent();
    ATOM windowClass = RegisterWindowClass(shadow && !m_layered);
    if (!windowClass)
        return nullptr;
    return CreateBoundWindow(WS_EX_TOPMOST | WS_EX_TOOLWINDOW | (m_layered ? WS_EX_LAYERED : 0), windowClass,
                             WS_POPUP, CentreOnScreen(m_image.GetSize()));
}

// Some systems refuse the drop shadow; the splash is then shown without it.
ATOM CSplashScreen::RegisterWindowClass(bool shadow)
{
    ATOM windowClass = g_splashWindowClass.Register(shadow ? 0 : CS_DROPSHADOW);
    if (!windowClass && shadow)
        windowClass = g_splashWindowClass.Register(CS_DROPSHADOW);
    return windowClass;
}

void CSplashScreen::Show(UINT timeoutSeconds)
{
    if (m_layered) {
        ShowTranslucent();
        m_image.Release();
    }
    ShowWindow(m_hWnd, SW_SHOWNORMAL);
    UpdateWindow(m_hWnd);
    SetTimer(m_hWnd, kWatchTimer, kWatchIntervalMs, nullptr);
    if (timeoutSeconds) {
        UINT seconds = timeoutSeconds < kMaxTimeoutSeconds ? timeoutSeconds : kMaxTimeoutSeconds;
        SetTimer(m_hWnd, kTimeoutTimer, seconds * 1000, nullptr);
    }
}

// A layered window keeps its own copy of what it shows and repaints itself
// from it, so the picture is not needed after this.
void CSplashScreen::ShowTranslucent()
{
    AutoReleaseDC screen(nullptr);
    AutoDeleteDC memory(CreateCompatibleDC(screen));
    ScopedSelectObject selection(memory, m_image.GetBitmap());
    RECT rect;
    GetWindowRect(m_hWnd, &rect);
    POINT position = { rect.left, rect.top };
    POINT origin = { 0, 0 };
    SIZE size = m_image.GetSize();
    BLENDFUNCTION blend = { AC_SRC_OVER, 0, 255, AC_SRC_ALPHA };
    UpdateLayeredWindow(m_hWnd, screen, &position, &size, memory, &origin, 0, &blend, ULW_ALPHA);
}

LRESULT CSplashScreen::OnPaint(UINT, WPARAM, LPARAM, bool&)
{
    AutoEndPaint paint(m_hWnd);
    if (m_layered)
        return 0;
    AutoDeleteDC memory(CreateCompatibleDC(paint.GetPaintDC()));
    SIZE size = m_image.GetSize();
    ScopedSelectObject selection(memory, m_image.GetBitmap());
    BitBlt(paint.GetPaintDC(), 0, 0, size.cx, size.cy, memory, 0, 0, SRCCOPY);
    return 0;
}

// The picture covers the whole window, so erasing first would only flicker.
LRESULT CSplashScreen::OnEraseBackground(UINT, WPARAM, LPARAM, bool&)
{
    return 1;
}

// An error box owned by the splash keeps it up: hiding the owner of a box
// the user has not answered yet would leave the box without its context.
LRESULT CSplashScreen::OnTimer(UINT, WPARAM timer, LPARAM, bool&)
{
    if (timer == kTimeoutTimer) {
        KillTimer(m_hWnd, kTimeoutTimer);
        m_timedOut = true;
    }
    ShownWindows shown = FindShownWindows(m_hWnd);
    if ((m_timedOut || shown.application) && !shown.ownedBySplash)
        StepAside();
    return 0;
}

// The window stays, hidden, until the launch ends: later error boxes then
// meet a hidden owner and go without one, instead of meeting a handle that
// no longer names a window.
void CSplashScreen::StepAside()
{
    KillTimer(m_hWnd, kWatchTimer);
    KillTimer(m_hWnd, kTimeoutTimer);
    ShowWindow(m_hWnd, SW_HIDE);
    m_image.Release();
}

LRESULT CSplashScreen::OnDestroy(UINT, WPARAM, LPARAM, bool&)
{
    PostQuitMessage(0);
    return 0;
}
