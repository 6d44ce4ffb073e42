#pragma once
#include <windows.h>

// A window class of the framework's windows, described by a static object
// and registered for the module on first use, once per process. Its windows
// are bound to their objects by CWindowObject::StartWindowProc. What this
// object registered it unregisters when it is destroyed at process exit.
class CWindowClass
{
public:
    CWindowClass(const char* name, UINT style, HBRUSH background);
    ~CWindowClass();

    // Returns the class atom, registering the class with its style less the
    // omitted bits unless it is registered already; a class of this name
    // that the module registered elsewhere is used as it is. 0 on failure,
    // and a later call tries again.
    ATOM Register(UINT omittedStyle = 0);

private:
    CWindowClass(const CWindowClass&) = delete;
    CWindowClass& operator=(const CWindowClass&) = delete;

    void UnregisterOwnClass();

    const char* m_name;
    UINT m_style;
    HBRUSH m_background;
    ATOM m_atom;
    HINSTANCE m_instance;
    bool m_registeredHere;
};
