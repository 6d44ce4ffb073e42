#pragma once
#include "Heap.h"

#include <windows.h>

#include <vector>

namespace testjvm {

// The one virtual machine of the process.
struct Machine
{
    JNINativeInterface_ nativeTable;
    JNIInvokeInterface_ invokeTable;
    JNIEnv env;
    JavaVM vm;

    bool created = false;
    bool destroyed = false;
    bool attached = false;
    DWORD attachedThread = 0;
    long byteArraysMade = 0;
    Heap heap;
    std::vector<HANDLE> applicationThreads;
};

Machine& TheMachine();

// Checks made on entry to every JNIEnv function: the environment is this
// machine's, used on the attached thread while the machine is alive, and -
// unless the function is one JNI allows then - no exception is pending.
enum class WhilePending { Forbidden, Allowed };
Machine& EnterNative(JNIEnv* env, const char* function, WhilePending whilePending = WhilePending::Forbidden);

void FillNativeTable(JNINativeInterface_& table);
void FillInvokeTable(JNIInvokeInterface_& table);
void FillWithUnexpectedEntries(JNINativeInterface_& table);
void FillWithUnexpectedEntries(JNIInvokeInterface_& table);

// The body of the exported JNI_CreateJavaVM.
jint CreateMachine(JavaVM** vm, void** env, const JavaVMInitArgs* args);

// The static main of a class the behaviour lists: records what it was
// given and then does what it was told to.
void RunMain(Machine& machine, Object* mainClass, Object* arguments);

// "visible" when a visible top-level window of the splash class belongs to
// this process, else "absent".
const char* SplashState();

} // namespace testjvm
