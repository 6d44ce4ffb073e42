#include "launcher/ErrorReport.h"
#include "framework/String.h"
#include "launcher/LaunchLog.h"
#include "launcher/LogMessages.h"

namespace {

// No caption: the system shows its own word for "Error", in the user's language.
// The splash hides once the application's window is up; a box then stands
// on its own rather than belong to a window the user cannot see. The log gets
// the text before the box appears, so it is there even when the user ends the
// process instead of closing the box.
void ShowErrorBox(HWND owner, const char* text)
{
    LogLine(LogMessages::kErrorBox, text);
    MessageBoxA(owner && IsWindowVisible(owner) ? owner : nullptr, text, nullptr, MB_OK | MB_ICONERROR);
}

} // namespace

void ReportError(HWND owner, const char* text)
{
    ShowErrorBox(owner, text);
}

void ReportFormattedError(HWND owner, const char* format, const char* text)
{
    CString message;
    message.Format(format, text);
    ShowErrorBox(owner, message);
}

void ReportFormattedErrorCode(HWND owner, const char* format, const char* text, int number)
{
    CString message;
    message.Format(format, text, number);
    ShowErrorBox(owner, message);
}
