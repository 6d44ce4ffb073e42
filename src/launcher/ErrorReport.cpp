#include "launcher/ErrorReport.h"
#include "framework/String.h"

namespace {

// No caption: the system shows its own word for "Error", in the user's language.
void ShowErrorBox(HWND owner, const char* text)
{
    MessageBoxA(owner, text, nullptr, MB_OK | MB_ICONERROR);
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
