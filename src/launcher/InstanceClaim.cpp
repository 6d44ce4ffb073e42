#include "launcher/InstanceClaim.h"

#include <lmcons.h>

namespace {

// Kernel object names stop at MAX_PATH and take no backslash, an executable's
// path may be longer and has several: the names carry a hash of the text.
// Upper case makes C:\Apps\App.exe and c:\apps\app.exe one application, and
// the user's name keeps another user's instance in the same session apart.
void HashedNames(const CString& name, wchar_t* claimName, wchar_t* recordName)
{
    int length = MultiByteToWideChar(CP_ACP, 0, name, name.GetLength(), nullptr, 0);
    AutoFreeMemory buffer(AllocateMemory((length + 1) * sizeof(wchar_t)));
    wchar_t* text = static_cast<wchar_t*>(buffer.Get());
    MultiByteToWideChar(CP_ACP, 0, name, name.GetLength(), text, length);
    CharUpperBuffW(text, static_cast<DWORD>(length));
    wchar_t user[UNLEN + 1] = L"";
    DWORD userLength = UNLEN + 1;
    GetUserNameW(user, &userLength);

    unsigned long long hash = 14695981039346656037ULL; // FNV-1a over the UTF-16 units
    for (int i = 0; i < length; ++i)
        hash = (hash ^ text[i]) * 1099511628211ULL;
    for (const wchar_t* unit = user; *unit; ++unit)
        hash = (hash ^ *unit) * 1099511628211ULL;
    unsigned long high = static_cast<unsigned long>(hash >> 32), low = static_cast<unsigned long>(hash);
    wsprintfW(claimName, L"Local\\JavaApplicationInstance-%08lX%08lX", high, low);
    wsprintfW(recordName, L"Local\\JavaApplicationInstance-%08lX%08lX-holder", high, low);
}

} // namespace

CInstanceClaim::CInstanceClaim() : m_held(false)
{
    m_claimName[0] = m_recordName[0] = L'\0';
}

CInstanceClaim::~CInstanceClaim()
{
    if (m_held)
        ReleaseMutex(m_mutex);
}

// A mutex left by a process that ended counts as abandoned and is owned by
// the next one that waits for it: that is the stale claim given up.
bool CInstanceClaim::Claim(const CString& name)
{
    if (!m_mutex.IsValid()) {
        HashedNames(name, m_claimName, m_recordName);
        m_mutex.Reset(CreateMutexW(nullptr, FALSE, m_claimName));
        if (!m_mutex.IsValid())
            return true;
    }
    DWORD wait = WaitForSingleObject(m_mutex, 0);
    m_held = wait == WAIT_OBJECT_0 || wait == WAIT_ABANDONED;
    if (m_held)
        RecordHolder();
    return m_held || wait == WAIT_FAILED;
}

void CInstanceClaim::RecordHolder()
{
    m_record.Reset(CreateFileMappingW(INVALID_HANDLE_VALUE, nullptr, PAGE_READWRITE, 0, sizeof(DWORD), m_recordName));
    void* view = m_record.IsValid() ? MapViewOfFile(m_record, FILE_MAP_WRITE, 0, 0, sizeof(DWORD)) : nullptr;
    if (!view)
        return;
    *static_cast<volatile DWORD*>(view) = GetCurrentProcessId();
    UnmapViewOfFile(view);
}

DWORD CInstanceClaim::GetHolder() const
{
    AutoCloseHandle record(OpenFileMappingW(FILE_MAP_READ, FALSE, m_recordName));
    void* view = record.IsValid() ? MapViewOfFile(record, FILE_MAP_READ, 0, 0, sizeof(DWORD)) : nullptr;
    if (!view)
        return 0;
    DWORD holder = *static_cast<volatile DWORD*>(view);
    UnmapViewOfFile(view);
    return holder;
}
