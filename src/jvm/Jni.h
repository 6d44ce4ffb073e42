#pragma once
// The JNI declarations, with a compile-time guard on the calling convention:
// nothing that runs on a 64-bit test machine would notice if a 32-bit build
// called the virtual machine with the wrong one.
#include <jni.h>

static_assert(sizeof(jint) == 4, "jint must be 32 bits");
static_assert(sizeof(jlong) == 8, "jlong must be 64 bits");

#if defined(__i386__)
namespace jni_check {
template <class A, class B> struct SameType { static const bool value = false; };
template <class A> struct SameType<A, A> { static const bool value = true; };
typedef jclass(__stdcall* StdcallFindClass)(JNIEnv*, const char*);
typedef jclass(__cdecl* CdeclFindClass)(JNIEnv*, const char*);
static_assert(!SameType<StdcallFindClass, CdeclFindClass>::value,
              "the compiler must tell calling conventions apart for this check to mean anything");
static_assert(SameType<decltype(JNINativeInterface_::FindClass), StdcallFindClass>::value,
              "JNI function-table entries must use __stdcall in the 32-bit build");
typedef jint(__stdcall* StdcallDestroyJavaVM)(JavaVM*);
static_assert(SameType<decltype(JNIInvokeInterface_::DestroyJavaVM), StdcallDestroyJavaVM>::value,
              "JNI invocation-interface entries must use __stdcall in the 32-bit build");
} // namespace jni_check
#endif

typedef jint(JNICALL* CreateJavaVMFunction)(JavaVM** javaVM, void** jniEnv, void* initArgs);
typedef jint(JNICALL* GetDefaultJavaVMInitArgsFunction)(void* initArgs);
