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

// The log stays open: other threads of the JVM may still hold the C
// runtime's locks, and the process's end closes everything anyway.
[[noreturn]] void EndProcess(int code)
{
    LogLine(LogMessages::kExitCode, code);
    ExitProcess(static_cast<UINT>(code));
}

// System.exit and Runtime.halt: the application's own decision, even when
// made before the machine is up (an agent's premain, a system class loader).
// The JVM expects the hook not to return.
void JNICALL ExitFromJvm(jint code)
{
    EndProcess(static_cast<int>(code));
}

// The JVM gives up: while it starts, after printing why; later, on a fatal
// error, after which it writes its crash dump and ends the process with 1.
void JNICALL AbortFromJvm()
{
    AcquireSRWLockExclusive(&g_lock);
    bool creating = g_creating;
    HWND owner = g_owner;
    CString printed = g_printed;
    ReleaseSRWLockExclusive(&g_lock);
    if (!creating) {
        LogLine(LogMessages::kExitCode, 1);
        return;
    }
    ReportError(owner, CreationFailureText(printed));
    EndProcess(-1);
}

} // namespace

void FillJvmHookOptions(JavaVMOption* options)
{
    // Declared writable by JNI, but only read.
    options[0].optionString = const_cast<char*>("vfprintf");
    options[0].extraInfo = reinterpret_cast<void*>(PrintFromJvm);
    options[1].optionString = const_cast<char*>("exit");
    options[1].extraInfo = reinterpret_cast<void*>(ExitFromJvm);
    options[2].optionString = const_cast<char*>("abort");
    options[2].extraInfo = reinterpret_cast<void*>(AbortFromJvm);
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
