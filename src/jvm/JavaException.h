#pragma once
#include <windows.h>

#include "framework/String.h"
#include "jvm/Jni.h"

// Whether the error box of a failure that Java reports as an exception also
// shows that exception's text. Set once from the configuration.
void SetJavaExceptionTextShown(bool shown);

// The exception's class and message, then its first stack frames: at most
// about twenty lines, as fits in a message box. Called once the exception
// has been described; a call that fails inside only shortens the text.
CString JavaExceptionText(JNIEnv* env, jthrowable exception);

// Describes the pending exception (the JVM prints it whole, to standard error)
// and shows one error box with the launcher's message, if any, followed by the
// exception's text when that is shown. Without either there is no box.
void ReportJavaException(JNIEnv* env, HWND owner, const char* message = "");
