// Windows platform definitions for the JNI headers. A Java runtime on Windows
// calls and is called through JNI with the __stdcall convention; on 32-bit x86
// that differs from the compiler's default, so it must be spelled out.
#ifndef _JAVASOFT_JNI_MD_H_
#define _JAVASOFT_JNI_MD_H_

#define JNIEXPORT __declspec(dllexport)
#define JNIIMPORT __declspec(dllimport)
#define JNICALL __stdcall

typedef long jint;
typedef long long jlong;
typedef signed char jbyte;

#endif
