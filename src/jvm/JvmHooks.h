#pragma once
#include <windows.h>

#include "framework/String.h"
#include "jvm/Jni.h"

// The JNI invocation interface lets the host take over two things from the
// JVM: its printing (option "vfprintf") and its ending of the process (option
// "exit"). A GUI process has nowhere for the JVM to print, and a JVM that gives
// up while it starts ends the process itself; with the hooks the launcher can
// still tell the user why, and the launch log gets its last line.
const int kJvmHookOptionCount = 2;

// Fills kJvmHookOptionCount options, to follow the configured ones.
void FillJvmHookOptions(JavaVMOption* options);

// Brackets JNI_CreateJavaVM. In between, what the JVM prints is also kept,
// and a JVM that ends the process shows the creation failure's box, with
// the owner given, and exits with -1. The end hands back what was kept.
void BeginJvmCreation(HWND owner);
CString EndJvmCreation();

// The text of the box for a failed creation: the launcher's message followed
// by the last lines the JVM printed while it tried.
CString CreationFailureText(const CString& printed);
