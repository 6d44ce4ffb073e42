#pragma once
#include <windows.h>

// The error channel: every failure the user is told of goes through one of
// these, and each shows exactly one modal error box with the system's default
// caption, its text also going to the launch log. They return when the box
// has been closed.
void ReportError(HWND owner, const char* text);
void ReportFormattedError(HWND owner, const char* format, const char* text);
void ReportFormattedErrorCode(HWND owner, const char* format, const char* text, int number);
