#pragma once
#include <windows.h>

#include "framework/String.h"
#include "jvm/Jni.h"

// The JNI invocation interface lets the host take over the JVM's printing
// (option "vfprintf") and its ending of the process, by System.exit (option
// "exit") or by giving up (option "abort"). A GUI process has nowhere for the
// JVM to print, and a JVM that gives up while it starts ends the process
// itself; with the hooks the launcher can still tell the user why, and the
// launch log gets its last line.
const int kJvmHookOptionCount = 3;

// Fills kJvmHookOptionCount options, to follow the configured ones.
void FillJvmHookOptions(JavaVMOption* options);

// Brackets JNI_CreateJavaVM. In between, what the JVM prints is also kept,
// and a JVM that gives up shows the creation failure's box, with the owner
// given, and exits with -1. The end hands back what was kept.
void BeginJvmCreation(HWND owner);
CString EndJvmCreation();

// The text of the box for a failed creation: the launcher's message followed
// by the last lines the JVM printed while it tried.
CString CreationFailureText(const CString& printed);
