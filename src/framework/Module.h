#pragma once
#include <windows.h>

// The application module: the executable's instance handle, the thread that
// started the launch, and the lock that guards process-wide registrations
// such as window classes. One static instance lives for the whole process.
class CApplicationModule
{
public:
    CApplicationModule();
    ~CApplicationModule();

    HRESULT Init(HINSTANCE instance);
    void Term();

    HINSTANCE GetInstance() const { return m_instance; }
    DWORD GetMainThreadId() const { return m_mainThreadId; }

    void Lock() { EnterCriticalSection(&m_lock); }
    void Unlock() { LeaveCriticalSection(&m_lock); }

private:
    CApplicationModule(const CApplicationModule&) = delete;
    CApplicationModule& operator=(const CApplicationModule&) = delete;

    HINSTANCE m_instance;
    DWORD m_mainThreadId;
    CRITICAL_SECTION m_lock;
};

extern CApplicationModule g_module;

class CModuleLock
{
public:
    explicit CModuleLock(CApplicationModule& module) : m_module(module) { m_module.Lock(); }
    ~CModuleLock() { m_module.Unlock(); }
    CModuleLock(const CModuleLock&) = delete;
    CModuleLock& operator=(const CModuleLock&) = delete;

private:
    CApplicationModule& m_module;
};
