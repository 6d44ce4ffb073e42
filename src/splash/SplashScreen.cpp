#include "splash/SplashScreen.h"

#include "framework/Module.h"
#include "framework/WindowClass.h"
#include "splash/BitmapFile.h"

namespace {

CWindowClass g_splashWindowClass("SplashScreenWindow", CS_DBLCLKS | CS_SAVEBITS | CS_DROPSHADOW,
                                 reinterpret_cast<HBRUSH>(static_cast<INT_PTR>(COLOR_WINDOW + 1)));

SIZE GetBitmapSize(HGDIOBJ bitmap)
{
    BITMAP description = {};
    GetObjectA(bitmap, sizeof(description), &description);
    SIZE size = { description.bmWidth, description.bmHeight };
    return size;
}

// Integer division truncates toward zero, so a bitmap larger than the
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

// Null when the file is missing, cut off or not a bitmap.
HGDIOBJ LoadBitmapFile(const char* fileName)
{
    CString path;
    if (!GetBitmapFilePath(fileName, path) || !IsCompleteBitmapFile(path))
        return nullptr;
    return LoadImageA(g_module.GetInstance(), path, IMAGE_BITMAP, 0, 0, LR_LOADFROMFILE | LR_CREATEDIBSECTION);
}

} // namespace

CSplashScreen::CSplashScreen()
{
}

// The bitmap goes with its member; a window still up goes with the base.
CSplashScreen::~CSplashScreen()
{
}

HWND CSplashScreen::Create(const char* bitmapFileName, bool shadow)
{
    m_bitmap.Reset(LoadBitmapFile(bitmapFileName));
    if (!m_bitmap.Get())
        return nullptr;
    ATOM windowClass = RegisterWindowClass(shadow);
    if (!windowClass)
        return nullptr;
    return CreateBoundWindow(WS_EX_TOPMOST | WS_EX_TOOLWINDOW, windowClass, WS_POPUP,
                             CentreOnScreen(GetBitmapSize(m_bitmap.Get())));
}

// Some systems refuse the drop shadow; the splash is then shown without it.
ATOM CSplashScreen::RegisterWindowClass(bool shadow)
{
    ATOM windowClass = g_splashWindowClass.Register(shadow ? 0 : CS_DROPSHADOW);
    if (!windowClass && shadow)
        windowClass = g_splashWindowClass.Register(CS_DROPSHADOW);
    return windowClass;
}

LRESULT CSplashScreen::OnPaint(UINT, WPARAM, LPARAM, bool&)
{
    AutoEndPaint paint(m_hWnd);
    AutoDeleteDC memory(CreateCompatibleDC(paint.GetPaintDC()));
    SIZE size = GetBitmapSize(m_bitmap.Get());
    ScopedSelectObject selection(memory, m_bitmap.Get());
    BitBlt(paint.GetPaintDC(), 0, 0, size.cx, size.cy, memory, 0, 0, SRCCOPY);
    return 0;
}

// The bitmap covers the whole window, so erasing first would only flicker.
LRESULT CSplashScreen::OnEraseBackground(UINT, WPARAM, LPARAM, bool&)
{
    return 1;
}
