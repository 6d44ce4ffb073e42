#pragma once
#include <windows.h>

#include "framework/String.h"
#include "jvm/Jni.h"

// Whether the error box of a failure that Java reports as an exception also
// shows that exception's text. Set once from the configuration.
void SetJavaExceptionTextShown(bool shown);

// The exception's one line, its class and message as Throwable.toString
// gives them; the text adds its first stack frames: at most about twenty
// lines, as fits in a message box. A pending exception is cleared first; a
// call that fails inside only shortens the text.
CString JavaExceptionLine(JNIEnv* env, jthrowable exception);
CString JavaExceptionText(JNIEnv* env, jthrowable exception);

// The text of the pending exception when that is shown, else empty. The
// exception stays pending, for the detach to hand it to the thread's
// uncaught-exception handler.
CString PendingExceptionText(JNIEnv* env);

// Describes the pending exception (the JVM prints it whole, to standard error)
// and shows one error box with the launcher's message, if any, followed by the
// exception's text when that is shown. Without either there is no box. A
// message that does not tell the whole failure needs the exception's line,
// which then follows it even when texts are not shown.
void ReportJavaException(JNIEnv* env, HWND owner, const char* message = "", bool lineNeeded = false);
