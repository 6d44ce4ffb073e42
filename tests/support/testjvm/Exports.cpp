// The library's exports, compiled once per variant: TESTJVM_WITHOUT_CREATE
// and TESTJVM_WITHOUT_DEFAULT_ARGS leave one of them out, for the launcher's
// check that a library is a Java VM. The convention is written out as
// __stdcall here, not taken from JNICALL, so that our jni_md.h is checked
// against it in the 32-bit build; the link drops the @n decoration so the
// names are the plain ones a Java VM exports.
#define _JNI_IMPLEMENTATION_
#include "Behaviour.h"
#include "Log.h"
#include "Machine.h"

extern "C" {

#ifndef TESTJVM_WITHOUT_CREATE
__declspec(dllexport) jint __stdcall JNI_CreateJavaVM(JavaVM** vm, void** env, void* args)
{
    return testjvm::CreateMachine(vm, env, static_cast<const JavaVMInitArgs*>(args));
}
#endif

#ifndef TESTJVM_WITHOUT_DEFAULT_ARGS
// Must exist, must never be called: the launcher fills in its own arguments.
__declspec(dllexport) jint __stdcall JNI_GetDefaultJavaVMInitArgs(void*)
{
    testjvm::ReadBehaviour();
    testjvm::Fail("JNI_GetDefaultJavaVMInitArgs called");
}
#endif

} // extern "C"
