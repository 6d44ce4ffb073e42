#include "framework/WindowClass.h"
#include "framework/Module.h"
#include "framework/WindowObject.h"

CWindowClass::CWindowClass(const char* name, UINT style, HBRUSH background)
    : m_name(name), m_style(style), m_background(background), m_atom(0), m_instance(nullptr),
      m_registeredHere(false)
{
}

// Runs among the static destructors at exit, when the module and its lock
// may already be gone and only one thread is left, so it takes no lock.
CWindowClass::~CWindowClass()
{
    UnregisterOwnClass();
}

ATOM CWindowClass::Register(UINT omittedStyle)
{
    CModuleLock lock(g_module);
    if (m_atom)
        return m_atom;
    HINSTANCE instance = g_module.GetInstance();
    WNDCLASSEXA description = {};
    description.cbSize = sizeof(description);
    // GetClassInfoExA answers with the atom of an existing registration.
    ATOM existing = static_cast<ATOM>(GetClassInfoExA(instance, m_name, &description));
    if (existing) {
        m_atom = existing;
        return m_atom;
    }
    description = {};
    description.cbSize = sizeof(description);
    description.style = m_style & ~omittedStyle;
    description.lpfnWndProc = CWindowObject::StartWindowProc;
    description.hInstance = instance;
    description.hCursor = LoadCursorA(nullptr, IDC_ARROW);
    description.hbrBackground = m_background;
    description.lpszClassName = m_name;
    m_atom = RegisterClassExA(&description);
    m_registeredHere = m_atom != 0;
    m_instance = instance;
    return m_atom;
}

void CWindowClass::UnregisterOwnClass()
{
    if (m_registeredHere)
        UnregisterClassA(MAKEINTATOM(m_atom), m_instance);
    m_atom = 0;
    m_registeredHere = false;
}
