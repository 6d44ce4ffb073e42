#pragma once
#include <windows.h>

// Base of the framework's windows. Each window is bound to its C++ object
// from its first message to its last; every message goes to the object's
// message map first, and what the map leaves goes to DefWindowProcA.
//
// A window's creation parameter is free for the caller, so the object being
// created travels in a record of the creating thread instead: the class's
// procedure, StartWindowProc, takes it on the window's first message (for an
// overlapped window that is WM_GETMINMAXINFO, before WM_NCCREATE) and binds
// the two.
class CWindowObject
{
public:
    CWindowObject();

    // The virtual operations, in this slot order.
    virtual bool ProcessWindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam,
                                      LRESULT& result, DWORD mapId) = 0;
    virtual ~CWindowObject();
    virtual WNDPROC GetWindowProc();
    // Called after the window's last message, once the object is unbound.
    virtual void OnFinalMessage(HWND window);

    // Null until the window's first message and again after its last.
    HWND GetHandle() const { return m_hWnd; }

    // The procedure that framework window classes are registered with.
    static LRESULT CALLBACK StartWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

protected:
    // CreateWindowExA for the module's instance, bound to this object.
    HWND CreateBoundWindow(DWORD exStyle, ATOM windowClass, DWORD style, const RECT& rect);
    LRESULT CallDefaultProc(UINT message, WPARAM wParam, LPARAM lParam);

    static LRESULT CALLBACK WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam);

    HWND m_hWnd;
    WNDPROC m_defaultProc;

private:
    CWindowObject(const CWindowObject&) = delete;
    CWindowObject& operator=(const CWindowObject&) = delete;

    void Bind(HWND window);
    void Unbind();
};

// The message map, written in the class declaration:
//     BEGIN_MSG_MAP(CMyWindow)
//         MESSAGE_HANDLER(WM_PAINT, OnPaint)
//     END_MSG_MAP()
// with handlers LRESULT OnPaint(UINT, WPARAM, LPARAM, bool& handled). A
// handler that clears `handled` passes the message on. Only map 0 exists.
#define BEGIN_MSG_MAP(className)                                                                  \
public:                                                                                           \
    bool ProcessWindowMessage(HWND window, UINT message, WPARAM wParam, LPARAM lParam,           \
                              LRESULT& result, DWORD mapId) override                             \
    {                                                                                             \
        (void)window;                                                                             \
        (void)message;                                                                            \
        (void)wParam;                                                                             \
        (void)lParam;                                                                             \
        if (mapId != 0)                                                                           \
            return false;

#define MESSAGE_HANDLER(messageId, handler)                                                       \
        if (message == (messageId)) {                                                             \
            bool handled = true;                                                                  \
            result = handler(message, wParam, lParam, handled);                                   \
            if (handled)                                                                          \
                return true;                                                                      \
        }

#define END_MSG_MAP()                                                                             \
        (void)result;                                                                             \
        return false;                                                                             \
    }
