#include "jvm/JvmHooks.h"

#include "framework/Guards.h"
#include "jvm/JvmMessages.h"
#include "launcher/ErrorReport.h"
#include "launcher/LaunchLog.h"
#include "launcher/LogMessages.h"

#include <stdarg.h>
#include <stdio.h>

namespace {

// The hooks may run on any of the JVM's threads.
SRWLOCK g_lock = SRWLOCK_INIT;
bool g_creating = false;
HWND g_owner = nullptr;
CString g_printed;

const int kMostPrintedLines = 20;

// The JVM's format is meant for its own C runtime; msvcrt reads the same
// conversions.
CString FormatJvmText(const char* format, va_list arguments)
{
    va_list counting;
    va_copy(counting, arguments);
    int length = _vscprintf(format, counting);
    va_end(counting);
    if (length <= 0)
        return CString();
    AutoFreeMemory buffer(AllocateMemory(length + 1));
    char* text = static_cast<char*>(buffer.Get());
    int written = _vsnprintf(text, length + 1, format, arguments);
    return CString(text, written < 0 ? length : written);
}

// Standard error is the launch log when there is one, the console of the
// console build, or nothing at all.
jint JNICALL PrintFromJvm(FILE*, const char* format, va_list arguments)
{
    CString text = FormatJvmText(format, arguments);
    DWORD written = 0;
    WriteFile(GetStdHandle(STD_ERROR_HANDLE), text.GetText(), static_cast<DWORD>(text.GetLength()), &written,
              nullptr);
    AcquireSRWLockExclusive(&g_lock);
    if (g_creating)
        g_printed += text;
    ReleaseSRWLockExclusive(&g_lock);
    return text.GetLength();
}

// The JVM calls this instead of ending the process itself, and expects it
// not to return.
void JNICALL ExitFromJvm(jint code)
{
    AcquireSRWLockExclusive(&g_lock);
    bool creating = g_creating;
    HWND owner = g_owner;
    CString printed = g_printed;
    ReleaseSRWLockExclusive(&g_lock);
    if (creating) {
        ReportError(owner, CreationFailureText(printed));
        code = -1;
    }
    // The log stays open: other threads of the JVM may still hold the C
    // runtime's locks, and the process's end closes everything anyway.
    LogLine(LogMessages::kExitCode, static_cast<int>(code));
    ExitProcess(static_cast<UINT>(code));
}

} // namespace

void FillJvmHookOptions(JavaVMOption* options)
{
    // Declared writable by JNI, but only read.
    options[0].optionString = const_cast<char*>("vfprintf");
    options[0].extraInfo = reinterpret_cast<void*>(PrintFromJvm);
    options[1].optionString = const_cast<char*>("exit");
    options[1].extraInfo = reinterpret_cast<void*>(ExitFromJvm);
}

void BeginJvmCreation(HWND owner)
{
    AcquireSRWLockExclusive(&g_lock);
    g_creating = true;
    g_owner = owner;
    ReleaseSRWLockExclusive(&g_lock);
}

CString EndJvmCreation()
{
    AcquireSRWLockExclusive(&g_lock);
    CString printed = g_printed;
    g_printed.Empty();
    g_creating = false;
    g_owner = nullptr;
    ReleaseSRWLockExclusive(&g_lock);
    return printed;
}

// The JVM's reason for giving up comes last; what it printed before that
// (a list of flags, say) would only push the reason off the screen.
CString CreationFailureText(const CString& printed)
{
    CString text;
    text.Format(Messages::kJniException, Messages::kCreateJavaVM);
    int start = printed.GetLength();
    for (int lines = 0; start > 0; --start) {
        if (printed[start - 1] == '\n' && start < printed.GetLength() && ++lines >= kMostPrintedLines)
            break;
    }
    return text + printed.Mid(start);
}
