#include "framework/Guards.h"
#include "framework/LibraryLoading.h"
#include "jre/JvmLibrary.h"
#include "jvm/JvmHooks.h"
#include "jvm/JvmMessages.h"
#include "launcher/ErrorReport.h"
#include "launcher/JavaLauncher.h"
#include "launcher/LaunchLog.h"
#include "launcher/LogMessages.h"
#include "launcher/Messages.h"

namespace {

// GetProcAddress yields a generic address; the export's real type is the
// one the JNI invocation interface publishes.
template <class Function>
Function ToFunction(FARPROC address)
{
    return reinterpret_cast<Function>(reinterpret_cast<void*>(address));
}

// Both exports get the same text: for the user either one means that the
// file is not a usable Java virtual machine.
void ReportMissingExport(HWND owner, DWORD error)
{
    ReportFormattedErrorCode(owner, Messages::kWindowsException, Messages::kCreateJavaVMNotFound,
                             static_cast<int>(error));
}

// The option array lives only for the creation call: the virtual machine
// keeps nothing of it, and the texts it points at stay owned by the list.
jint CallCreateJavaVM(CreateJavaVMFunction createJavaVM, const CStringList& vmOptions,
                      JavaVM** javaVM, JNIEnv** jniEnv)
{
    int count = vmOptions.GetCount();
    AutoFreeMemory optionBlock(AllocateMemory(sizeof(JavaVMOption) * (count + kJvmHookOptionCount)));
    JavaVMOption* options = static_cast<JavaVMOption*>(optionBlock.Get());
    for (int i = 0; i < count; ++i) {
        // Declared writable by JNI, but only read.
        options[i].optionString = const_cast<char*>(vmOptions[i].GetText());
        options[i].extraInfo = nullptr;
    }
    FillJvmHookOptions(options + count);

    JavaVMInitArgs initArgs;
    initArgs.version = JNI_VERSION_1_2;
    initArgs.nOptions = count + kJvmHookOptionCount;
    initArgs.options = options;
    initArgs.ignoreUnrecognized = JNI_FALSE; // a mistyped option must stop the launch
    return createJavaVM(javaVM, reinterpret_cast<void**>(jniEnv), &initArgs);
}

} // namespace

// The module handle is not kept: a created virtual machine cannot be
// unloaded, so the library stays mapped until the process ends.
//
// Runtimes carry their C runtime DLLs in bin\, one level above jvm.dll,
// where the system would not look for jvm.dll's imports. Only this load
// searches bin\: the programs the application starts must find their own
// C runtime, not an older copy of the runtime's.
bool CJavaLauncher::LoadJvmLibrary()
{
    DWORD error = ERROR_SUCCESS;
    HMODULE library = LoadLibraryWithDependencies(m_jvmLibraryPath, GetRuntimeBinDirectory(m_jvmLibraryPath), error);
    if (!library) {
        ReportFormattedErrorCode(m_splashWindow, Messages::kLoadJvmLibrary, m_jvmLibraryPath,
                                 static_cast<int>(error));
        return false;
    }

    m_pfnCreateJavaVM = ToFunction<CreateJavaVMFunction>(GetProcAddress(library, "JNI_CreateJavaVM"));
    if (!m_pfnCreateJavaVM) {
        ReportMissingExport(m_splashWindow, GetLastError());
        return false;
    }

    // Never called, but a library without it is not taken for a Java VM.
    m_pfnGetDefaultJavaVMInitArgs = ToFunction<GetDefaultJavaVMInitArgsFunction>(
        GetProcAddress(library, "JNI_GetDefaultJavaVMInitArgs"));
    if (!m_pfnGetDefaultJavaVMInitArgs) {
        ReportMissingExport(m_splashWindow, GetLastError());
        return false;
    }
    LogLine(LogMessages::kJvmLoaded, m_jvmLibraryPath);
    return true;
}

// What the JVM printed while it refused is the user's best clue, so it
// follows the launcher's own message in the box.
bool CJavaLauncher::CreateJavaVM()
{
    for (int i = 0; i < m_vmOptions.GetCount(); ++i)
        LogLine(LogMessages::kJvmOption, m_vmOptions[i]);
    if (!m_mainClass.IsEmpty())
        LogLine(LogMessages::kMainClass, m_mainClass);
    for (int i = 0; i < m_programArguments.GetCount(); ++i)
        LogLine(LogMessages::kArgument, CString(m_programArguments.GetText(i)));
    BeginJvmCreation(m_splashWindow);
    jint result = CallCreateJavaVM(m_pfnCreateJavaVM, m_vmOptions, &m_javaVM, &m_jniEnv);
    CString printed = EndJvmCreation();
    LogLine(LogMessages::kJvmCreated, static_cast<int>(result));
    if (result == JNI_OK)
        return true;

    // After a refusal JNI promises nothing about the pointers; whatever the
    // library left there must not reach DestroyJavaVM in the teardown.
    m_javaVM = nullptr;
    m_jniEnv = nullptr;
    ReportError(m_splashWindow, CreationFailureText(printed));
    return false;
}
