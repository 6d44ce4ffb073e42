#include "framework/StandardOutput.h"

#include <fcntl.h>
#include <io.h>

namespace {

const int kOutput = 1;
const int kError = 2;

// The runtime makes every copy it takes inheritable: a program the
// application starts would keep the file open long after the launch ended.
int KeptFromChildren(int descriptor)
{
    if (descriptor >= 0)
        SetHandleInformation(reinterpret_cast<HANDLE>(_get_osfhandle(descriptor)), HANDLE_FLAG_INHERIT, 0);
    return descriptor;
}

// The runtime closes the handle a descriptor held when another replaces it,
// so the original is kept as a copy and put back from that copy.
void RestoreDescriptor(int saved, int descriptor)
{
    if (saved >= 0) {
        _dup2(saved, descriptor);
        _close(saved);
    } else {
        _close(descriptor);
    }
}

} // namespace

CStandardOutputRedirection::CStandardOutputRedirection()
    : m_redirected(false), m_previousOutput(nullptr), m_previousError(nullptr), m_savedOutput(-1), m_savedError(-1)
{
}

CStandardOutputRedirection::~CStandardOutputRedirection()
{
    Restore();
}

void CStandardOutputRedirection::Redirect(HANDLE file)
{
    if (m_redirected)
        return;
    m_previousOutput = GetStdHandle(STD_OUTPUT_HANDLE);
    m_previousError = GetStdHandle(STD_ERROR_HANDLE);
    m_savedOutput = KeptFromChildren(_dup(kOutput));
    m_savedError = KeptFromChildren(_dup(kError));

    // Binary: the bytes a JVM writes reach the file unchanged.
    HANDLE copy = nullptr;
    if (DuplicateHandle(GetCurrentProcess(), file, GetCurrentProcess(), &copy, 0, FALSE, DUPLICATE_SAME_ACCESS)) {
        int descriptor = _open_osfhandle(reinterpret_cast<intptr_t>(copy), _O_BINARY);
        if (descriptor >= 0) {
            _dup2(descriptor, kOutput);
            _dup2(descriptor, kError);
            _close(descriptor);
            KeptFromChildren(kOutput);
            KeptFromChildren(kError);
        } else {
            CloseHandle(copy);
        }
    }
    SetStdHandle(STD_OUTPUT_HANDLE, file);
    SetStdHandle(STD_ERROR_HANDLE, file);
    m_redirected = true;
}

void CStandardOutputRedirection::Restore()
{
    if (!m_redirected)
        return;
    RestoreDescriptor(m_savedOutput, kOutput);
    RestoreDescriptor(m_savedError, kError);
    SetStdHandle(STD_OUTPUT_HANDLE,
                 m_savedOutput >= 0 ? reinterpret_cast<HANDLE>(_get_osfhandle(kOutput)) : m_previousOutput);
    SetStdHandle(STD_ERROR_HANDLE,
                 m_savedError >= 0 ? reinterpret_cast<HANDLE>(_get_osfhandle(kError)) : m_previousError);
    m_savedOutput = -1;
    m_savedError = -1;
    m_redirected = false;
}
