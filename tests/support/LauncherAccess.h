#pragma once
#include "launcher/ErrorReport.h"
#include "launcher/JavaLauncher.h"

#include <string>
#include <vector>

// Collects what the error channel would have shown, instead of showing it.
class ErrorRecorder
{
public:
    struct Report { HWND owner; std::string text; };
    ErrorRecorder() { s_reports.clear(); m_previous = SetErrorDisplay(&Record); }
    ~ErrorRecorder() { SetErrorDisplay(m_previous); }
    const std::vector<Report>& Reports() const { return s_reports; }

private:
    static void Record(HWND owner, const char* text) { s_reports.push_back({ owner, text }); }
    static inline std::vector<Report> s_reports;
    ErrorDisplay m_previous;
};
