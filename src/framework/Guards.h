#pragma once
#include <windows.h>
#include <objbase.h>
#include "framework/Memory.h"

// Non-copyable owners of Win32 handles. Each is named for what its
// destructor does, so a reader sees at the point of acquisition how the
// handle is given back on every path.

class AutoRegCloseKey
{
public:
    AutoRegCloseKey() : m_key(nullptr) {}
    ~AutoRegCloseKey() { if (m_key) RegCloseKey(m_key); }
    HKEY* operator&() { return &m_key; }
    operator HKEY() const { return m_key; }
    AutoRegCloseKey(const AutoRegCloseKey&) = delete;
    AutoRegCloseKey& operator=(const AutoRegCloseKey&) = delete;

private:
    HKEY m_key;
};

class AutoCloseHandle
{
public:
    explicit AutoCloseHandle(HANDLE handle = nullptr) : m_handle(handle) {}
    ~AutoCloseHandle() { Reset(nullptr); }
    bool IsValid() const { return m_handle && m_handle != INVALID_HANDLE_VALUE; }
    // Takes ownership of another handle, closing the one held.
    void Reset(HANDLE handle)
    {
        if (IsValid())
            CloseHandle(m_handle);
        m_handle = handle;
    }
    operator HANDLE() const { return m_handle; }
    AutoCloseHandle(const AutoCloseHandle&) = delete;
    AutoCloseHandle& operator=(const AutoCloseHandle&) = delete;

private:
    HANDLE m_handle;
};

class AutoFindClose
{
public:
    explicit AutoFindClose(HANDLE search) : m_search(search) {}
    ~AutoFindClose() { if (m_search != INVALID_HANDLE_VALUE) FindClose(m_search); }
    bool IsValid() const { return m_search != INVALID_HANDLE_VALUE; }
    AutoFindClose(const AutoFindClose&) = delete;
    AutoFindClose& operator=(const AutoFindClose&) = delete;

private:
    HANDLE m_search;
};

class AutoFreeLibrary
{
public:
    explicit AutoFreeLibrary(HMODULE module) : m_module(module) {}
    ~AutoFreeLibrary() { if (m_module) FreeLibrary(m_module); }
    operator HMODULE() const { return m_module; }
    AutoFreeLibrary(const AutoFreeLibrary&) = delete;
    AutoFreeLibrary& operator=(const AutoFreeLibrary&) = delete;

private:
    HMODULE m_module;
};

class AutoDeleteDC
{
public:
    explicit AutoDeleteDC(HDC dc) : m_dc(dc) {}
    ~AutoDeleteDC() { if (m_dc) DeleteDC(m_dc); }
    operator HDC() const { return m_dc; }
    AutoDeleteDC(const AutoDeleteDC&) = delete;
    AutoDeleteDC& operator=(const AutoDeleteDC&) = delete;

private:
    HDC m_dc;
};

class AutoDeleteObject
{
public:
    explicit AutoDeleteObject(HGDIOBJ object = nullptr) : m_object(object) {}
    ~AutoDeleteObject() { if (m_object) DeleteObject(m_object); }
    HGDIOBJ Get() const { return m_object; }
    // Takes ownership of another object, deleting the one held unless it is the same.
    void Reset(HGDIOBJ object)
    {
        if (object == m_object)
            return;
        if (m_object)
            DeleteObject(m_object);
        m_object = object;
    }
    AutoDeleteObject(const AutoDeleteObject&) = delete;
    AutoDeleteObject& operator=(const AutoDeleteObject&) = delete;

private:
    HGDIOBJ m_object;
};

class ScopedSelectObject
{
public:
    ScopedSelectObject(HDC dc, HGDIOBJ object) : m_dc(dc), m_previous(SelectObject(dc, object)) {}
    ~ScopedSelectObject() { if (m_previous && m_previous != HGDI_ERROR) SelectObject(m_dc, m_previous); }
    ScopedSelectObject(const ScopedSelectObject&) = delete;
    ScopedSelectObject& operator=(const ScopedSelectObject&) = delete;

private:
    HDC m_dc;
    HGDIOBJ m_previous;
};

// BeginPaint on construction; EndPaint on every way out of the handler.
class AutoEndPaint
{
public:
    explicit AutoEndPaint(HWND window) : m_window(window), m_paint() { BeginPaint(window, &m_paint); }
    ~AutoEndPaint() { EndPaint(m_window, &m_paint); }
    HDC GetPaintDC() const { return m_paint.hdc; }
    AutoEndPaint(const AutoEndPaint&) = delete;
    AutoEndPaint& operator=(const AutoEndPaint&) = delete;

private:
    HWND m_window;
    PAINTSTRUCT m_paint;
};

class AutoFreeMemory
{
public:
    explicit AutoFreeMemory(void* block) : m_block(block) {}
    ~AutoFreeMemory() { FreeMemory(m_block); }
    void* Get() const { return m_block; }
    AutoFreeMemory(const AutoFreeMemory&) = delete;
    AutoFreeMemory& operator=(const AutoFreeMemory&) = delete;

private:
    void* m_block;
};

// GetDC on construction; ReleaseDC on every way out.
class AutoReleaseDC
{
public:
    explicit AutoReleaseDC(HWND window) : m_window(window), m_dc(GetDC(window)) {}
    ~AutoReleaseDC() { if (m_dc) ReleaseDC(m_window, m_dc); }
    operator HDC() const { return m_dc; }
    AutoReleaseDC(const AutoReleaseDC&) = delete;
    AutoReleaseDC& operator=(const AutoReleaseDC&) = delete;

private:
    HWND m_window;
    HDC m_dc;
};

// A COM interface pointer, released when the guard goes.
template <class Interface>
class AutoRelease
{
public:
    AutoRelease() : m_interface(nullptr) {}
    ~AutoRelease() { if (m_interface) m_interface->Release(); }
    Interface** operator&() { return &m_interface; }
    Interface* operator->() const { return m_interface; }
    Interface* Get() const { return m_interface; }
    AutoRelease(const AutoRelease&) = delete;
    AutoRelease& operator=(const AutoRelease&) = delete;

private:
    Interface* m_interface;
};

// The thread's COM apartment, entered on construction and left on every way
// out, but only when entering it succeeded.
class AutoCoUninitialize
{
public:
    explicit AutoCoUninitialize(HRESULT initialization) : m_initialized(SUCCEEDED(initialization)) {}
    ~AutoCoUninitialize() { if (m_initialized) CoUninitialize(); }
    bool IsInitialized() const { return m_initialized; }
    AutoCoUninitialize(const AutoCoUninitialize&) = delete;
    AutoCoUninitialize& operator=(const AutoCoUninitialize&) = delete;

private:
    bool m_initialized;
};
