#include "framework/WindowObject.h"
#include "framework/Module.h"

namespace {

// An object whose window is being created, waiting for the window's first
// message. Records live on the creating thread's stack and are chained in
// one list guarded by the module's lock, so that every thread finds its own.
struct PendingCreation
{
    CWindowObject* object;
    DWORD threadId;
    PendingCreation* next;
};

PendingCreation* g_pendingCreations = nullptr;

void Unlink(PendingCreation* record)
{
    for (PendingCreation** link = &g_pendingCreations; *link; link = &(*link)->next) {
        if (*link == record) {
            *link = record->next;
            return;
        }
    }
}

// Announces the object for the duration of one CreateWindowExA. The record
// goes away with the call even when the window never got a message.
class AutoUnlinkPendingCreation
{
public:
    explicit AutoUnlinkPendingCreation(CWindowObject* object)
    {
        m_record.object = object;
        m_record.threadId = GetCurrentThreadId();
        CModuleLock lock(g_module);
        m_record.next = g_pendingCreations;
        g_pendingCreations = &m_record;
    }
    ~AutoUnlinkPendingCreation()
    {
        CModuleLock lock(g_module);
        Unlink(&m_record);
    }
    AutoUnlinkPendingCreation(const AutoUnlinkPendingCreation&) = delete;
    AutoUnlinkPendingCreation& operator=(const AutoUnlinkPendingCreation&) = delete;

private:
    PendingCreation m_record;
};

// The newest record of this thread belongs to the innermost creation, which
// is the one whose window is receiving its first message.
CWindowObject* TakePendingObject()
{
    CModuleLock lock(g_module);
    DWORD threadId = GetCurrentThreadId();
    for (PendingCreation* record = g_pendingCreations; record; record = record->next) {
        if (record->threadId == threadId) {
            Unlink(record);
            return record->object;
        }
    }
    return nullptr;
}

} // namespace

CWindowObject::CWindowObject() : m_hWnd(nullptr), m_defaultProc(DefWindowProcA)
{
}

// A window must not outlive its object while bound to it: the messages of
// its destruction would reach a half-destroyed object. So it is unbound
// first, and then destroyed with only the default procedure behind it.
CWindowObject::~CWindowObject()
{
    HWND window = m_hWnd;
    if (!window)
        return;
    Unbind();
    SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_defaultProc));
    DestroyWindow(window);
}

WNDPROC CWindowObject::GetWindowProc()
{
    return WindowProc;
}

void CWindowObject::OnFinalMessage(HWND)
{
}

HWND CWindowObject::CreateBoundWindow(DWORD exStyle, ATOM windowClass, DWORD style, const RECT& rect)
{
    AutoUnlinkPendingCreation pending(this);
    return CreateWindowExA(exStyle, MAKEINTATOM(windowClass), nullptr, style, rect.left, rect.top,
                           rect.right - rect.left, rect.bottom - rect.top, nullptr, nullptr,
                           g_module.GetInstance(), nullptr);
}

LRESULT CWindowObject::CallDefaultProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    return CallWindowProcA(m_defaultProc, m_hWnd, message, wParam, lParam);
}

void CWindowObject::Bind(HWND window)
{
    m_hWnd = window;
    SetWindowLongPtrA(window, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(this));
    SetWindowLongPtrA(window, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(GetWindowProc()));
}

void CWindowObject::Unbind()
{
    SetWindowLongPtrA(m_hWnd, GWLP_USERDATA, 0);
    m_hWnd = nullptr;
}

LRESULT CALLBACK CWindowObject::StartWindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    CWindowObject* object = TakePendingObject();
    if (!object) // a window of a framework class created outside the framework
        return DefWindowProcA(window, message, wParam, lParam);
    object->Bind(window);
    return object->GetWindowProc()(window, message, wParam, lParam);
}

LRESULT CALLBACK CWindowObject::WindowProc(HWND window, UINT message, WPARAM wParam, LPARAM lParam)
{
    CWindowObject* object = reinterpret_cast<CWindowObject*>(GetWindowLongPtrA(window, GWLP_USERDATA));
    if (!object)
        return DefWindowProcA(window, message, wParam, lParam);
    LRESULT result = 0;
    if (!object->ProcessWindowMessage(window, message, wParam, lParam, result, 0))
        result = object->CallDefaultProc(message, wParam, lParam);
    if (message == WM_NCDESTROY) {
        // The object may delete itself in the hook, so nothing touches it after.
        object->Unbind();
        object->OnFinalMessage(window);
    }
    return result;
}
