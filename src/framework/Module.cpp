#include "framework/Module.h"

CApplicationModule g_module;

CApplicationModule::CApplicationModule()
    : m_instance(nullptr), m_mainThreadId(0), m_initialized(false)
{
    InitializeCriticalSection(&m_lock);
}

CApplicationModule::~CApplicationModule()
{
    Term();
    DeleteCriticalSection(&m_lock);
}

HRESULT CApplicationModule::Init(HINSTANCE instance)
{
    m_instance = instance;
    m_mainThreadId = GetCurrentThreadId();
    m_initialized = true;
    return S_OK;
}

void CApplicationModule::Term()
{
    m_initialized = false;
}
