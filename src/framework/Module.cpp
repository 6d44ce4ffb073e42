#include "framework/Module.h"

CApplicationModule g_module;

CApplicationModule::CApplicationModule()
    : m_instance(nullptr), m_mainThreadId(0)
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
    return S_OK;
}

void CApplicationModule::Term()
{
    m_instance = nullptr;
    m_mainThreadId = 0;
}
