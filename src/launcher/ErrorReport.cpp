#include "launcher/ErrorReport.h"
#include "framework/String.h"

namespace {

void ShowErrorBox(HWND owner, const char* text)
{
    MessageBoxA(owner, text, nullptr, MB_OK | MB_ICONERROR);
}

ErrorDisplay g_display = ShowErrorBox;

} // namespace

ErrorDisplay SetErrorDisplay(ErrorDisplay display)
{
    ErrorDisplay previous = g_display;
    g_display = display ? display : ShowErrorBox;
    return previous;
}

void ReportError(HWND owner, const char* text)
{
    g_display(owner, text);
}

void ReportFormattedError(HWND owner, const char* format, const char* text)
{
    CString message;
    message.Format(format, text);
    g_display(owner, message);
}

void ReportFormattedErrorCode(HWND owner, const char* format, const char* text, int number)
{
    CString message;
    message.Format(format, text, number);
    g_display(owner, message);
}
