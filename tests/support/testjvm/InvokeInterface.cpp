// Creation, the JavaVM functions the launcher uses, and the application's
// main method. Declared __stdcall in their own text for the same reason as
// the JNIEnv functions.
#include "Behaviour.h"
#include "Log.h"
#include "Machine.h"

#include <winternl.h>

#include <cstdio>
#include <vector>

namespace testjvm {
namespace {

Machine g_machine;

// The process's open handles, from the system's handle table (Wine's
// GetProcessHandleCount always answers 0). -1 when the table is not to be had.
long CountOwnHandles()
{
    struct Entry
    {
        USHORT processId; // low half of the owner's id; the high half is 0 for these ids
        USHORT creatorIndex;
        UCHAR objectType;
        UCHAR attributes;
        USHORT handle;
        PVOID object;
        ACCESS_MASK access;
    };
    const ULONG kSystemHandleInformation = 16;
    std::vector<char> table(1 << 20);
    ULONG needed = 0;
    while (NtQuerySystemInformation(static_cast<SYSTEM_INFORMATION_CLASS>(kSystemHandleInformation), table.data(),
                                    static_cast<ULONG>(table.size()), &needed) != 0) {
        if (table.size() >= (64u << 20))
            return -1;
        table.resize(table.size() * 2);
    }
    ULONG count = *reinterpret_cast<const ULONG*>(table.data());
    const Entry* entries = reinterpret_cast<const Entry*>(table.data() + sizeof(void*));
    const USHORT self = static_cast<USHORT>(GetCurrentProcessId());
    long own = 0;
    for (ULONG i = 0; i < count; ++i)
        own += entries[i].processId == self ? 1 : 0;
    return own;
}

std::string Hex(unsigned long value)
{
    char text[16];
    std::snprintf(text, sizeof(text), "0x%08lX", value);
    return text;
}

// Versions a Java 17 machine accepts in JNI_CreateJavaVM.
bool IsSupportedVersion(jint version)
{
    switch (version) {
    case JNI_VERSION_1_2: case JNI_VERSION_1_4: case JNI_VERSION_1_6: case JNI_VERSION_1_8:
    case JNI_VERSION_9: case JNI_VERSION_10:
        return true;
    default:
        return false;
    }
}

// Records the request as given; returns the first option a machine that
// must not ignore unknown options would refuse: one that is no option at
// all because it does not start with '-' (an empty text included).
const char* LogInitArgs(const JavaVMInitArgs* args)
{
    Log("create.version=" + Hex(static_cast<unsigned long>(args->version)));
    Log("create.nOptions=" + std::to_string(args->nOptions));
    Log("create.ignoreUnrecognized=" + std::to_string(args->ignoreUnrecognized));
    const char* refused = nullptr;
    for (jint i = 0; i < args->nOptions; ++i) {
        const JavaVMOption& option = args->options[i];
        std::string index = "create.option[" + std::to_string(i) + "]";
        Log(index + "=" + Escape(option.optionString ? option.optionString : "(null)"));
        if (option.extraInfo)
            Log(index + ".extraInfo=set");
        if (!refused && (!option.optionString || option.optionString[0] != '-'))
            refused = option.optionString ? option.optionString : "";
    }
    return refused;
}

jint Refuse(JavaVM** vm, void** env, jint result)
{
    Log("create.result=" + std::to_string(result));
    bool leave = CurrentBehaviour().createLeavesPointers;
    *vm = leave ? &g_machine.vm : nullptr;
    *env = leave ? &g_machine.env : nullptr;
    return result;
}

DWORD WINAPI RunApplicationThread(LPVOID milliseconds)
{
    Sleep(static_cast<DWORD>(reinterpret_cast<INT_PTR>(milliseconds)));
    Log("appthread.end");
    return 0;
}

void StartApplicationThread(Machine& machine, long milliseconds)
{
    HANDLE thread = CreateThread(nullptr, 0, RunApplicationThread,
                                 reinterpret_cast<LPVOID>(static_cast<INT_PTR>(milliseconds)), 0, nullptr);
    if (!thread)
        Fail("cannot start the application thread");
    machine.applicationThreads.push_back(thread);
    Log("appthread.start");
}

jint __stdcall DetachCurrentThread(JavaVM* vm)
{
    Machine& machine = TheMachine();
    if (vm != &machine.vm || !machine.created || machine.destroyed)
        Fail("DetachCurrentThread called without a live virtual machine");
    if (!machine.attached || GetCurrentThreadId() != machine.attachedThread)
        Fail("DetachCurrentThread called on a thread that is not attached");
    jint result = CurrentBehaviour().detachResult;
    Log("localrefs.peak=" + std::to_string(machine.heap.PeakLocalRefs()));
    Log("detach=" + std::to_string(result));
    if (result == JNI_OK) {
        machine.attached = false;
        machine.heap.ForgetLocalRefs();
    }
    return result;
}

// Like Java's DestroyJavaVM, returns only when the application's other
// threads have ended.
jint __stdcall DestroyJavaVM(JavaVM* vm)
{
    Machine& machine = TheMachine();
    if (vm != &machine.vm)
        Fail("DestroyJavaVM called with a JavaVM pointer this machine never handed out");
    if (!machine.created)
        Fail("DestroyJavaVM called on a virtual machine whose creation failed");
    if (machine.destroyed)
        Fail("DestroyJavaVM called twice");
    Log("destroy.begin");
    Log(std::string("destroy.splash=") + SplashState());
    for (HANDLE thread : machine.applicationThreads) {
        WaitForSingleObject(thread, INFINITE);
        CloseHandle(thread);
    }
    machine.applicationThreads.clear();
    Log("utfchars.unreleased=" + std::to_string(machine.heap.HeldUtfChars()));
    machine.destroyed = true;
    machine.attached = false;
    Log("destroy.end");
    return JNI_OK;
}

} // namespace

Machine& TheMachine()
{
    return g_machine;
}

void FillInvokeTable(JNIInvokeInterface_& table)
{
    FillWithUnexpectedEntries(table);
    table.DestroyJavaVM = DestroyJavaVM;
    table.DetachCurrentThread = DetachCurrentThread;
}

jint CreateMachine(JavaVM** vm, void** env, const JavaVMInitArgs* args)
{
    // Java makes one machine per process, and the launcher asks once.
    if (g_machine.created)
        Fail("JNI_CreateJavaVM called again after a machine was created");

    ReadBehaviour();
    FillNativeTable(g_machine.nativeTable);
    FillInvokeTable(g_machine.invokeTable);
    g_machine.env.functions = &g_machine.nativeTable;
    g_machine.vm.functions = &g_machine.invokeTable;

    const char* refused = LogInitArgs(args);
    // What the launcher holds open when it creates the machine: a launch that
    // leaked a registry key per runtime would show it here.
    Log("handles.atcreation=" + std::to_string(CountOwnHandles()));
    if (!IsSupportedVersion(args->version))
        return Refuse(vm, env, JNI_EVERSION);
    if (refused && !args->ignoreUnrecognized) {
        Log("create.unrecognized=" + Escape(refused));
        return Refuse(vm, env, JNI_ERR);
    }
    if (CurrentBehaviour().createResult != JNI_OK)
        return Refuse(vm, env, CurrentBehaviour().createResult);

    g_machine.created = true;
    g_machine.attached = true;
    g_machine.attachedThread = GetCurrentThreadId();
    *vm = &g_machine.vm;
    *env = &g_machine.env;
    Log("create.result=0");
    return JNI_OK;
}

void RunMain(Machine& machine, Object* mainClass, Object* arguments)
{
    const Behaviour& behaviour = CurrentBehaviour();
    Log("main.class=" + Escape(mainClass->name));
    Log(std::string("main.splash=") + SplashState());
    if (!arguments) {
        Log("main.args=null");
    } else {
        Log("main.argc=" + std::to_string(arguments->elements.size()));
        for (size_t i = 0; i < arguments->elements.size(); ++i) {
            Object* argument = arguments->elements[i];
            Log("main.arg[" + std::to_string(i) + "]=" + (argument ? Escape(argument->bytes) : "(null)"));
        }
    }
    if (behaviour.appThreadMs >= 0)
        StartApplicationThread(machine, behaviour.appThreadMs);
    if (behaviour.mainSleepMs > 0)
        Sleep(static_cast<DWORD>(behaviour.mainSleepMs));
    if (behaviour.mainExits) {
        Log("main.exit=" + std::to_string(behaviour.mainExitCode));
        ExitProcess(static_cast<UINT>(behaviour.mainExitCode));
    }
    if (!behaviour.mainThrows.empty()) {
        Log("main.throw=" + Escape(behaviour.mainThrows));
        machine.heap.Throw(behaviour.mainThrows, "thrown by main");
        return;
    }
    Log("main.return");
}

} // namespace testjvm
