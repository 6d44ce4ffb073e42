#include "framework/AnsiPath.h"
#include "framework/DiskFile.h"
#include "framework/Guards.h"
#include "launcher/Arguments.h"
#include "launcher/JavaLauncher.h"
#include "launcher/LaunchLog.h"
#include "launcher/LogMessages.h"
#include "launcher/Placeholders.h"

namespace {

const char kOptionsExtension[] = "vmoptions";
const wchar_t kEnvironmentOptions[] = L"JDK_JAVA_OPTIONS";
const DWORD kLongestVariable = 32767;
const DWORD kLargestOptionsFile = 16 * 1024 * 1024;
const char kUtf8Mark[] = "\xEF\xBB\xBF";

// Why a file that is there gives no options; a missing file needs no reason.
const char kDirectory[] = "a directory";
const char kUnreadable[] = "not a file that can be read";
const char kTooLarge[] = "larger than 16 MiB";
const char kNotText[] = "not UTF-8 text";

// The buffer holds the longest value a variable may have; unset and empty
// give nothing.
bool ReadVariable(const wchar_t* name, wchar_t* buffer, int& length)
{
    DWORD read = GetEnvironmentVariableW(name, buffer, kLongestVariable + 1);
    length = static_cast<int>(read);
    return read > 0 && read <= kLongestVariable;
}

// One option per line, taken whole after its blanks are cut; blank lines and
// comments give none. A line ends at LF, CR LF or a lone CR, whichever editor
// wrote it. A NUL is no part of text: a file with one is more likely UTF-16
// than UTF-8.
bool DecodeLines(const char* bytes, int count, CWideStringList& lines)
{
    if (count >= 3 && bytes[0] == kUtf8Mark[0] && bytes[1] == kUtf8Mark[1] && bytes[2] == kUtf8Mark[2]) {
        bytes += 3;
        count -= 3;
    }
    for (int i = 0; i < count; ++i) {
        if (bytes[i] == '\0')
            return false;
    }
    int length = MultiByteToWideChar(CP_UTF8, MB_ERR_INVALID_CHARS, bytes, count, nullptr, 0);
    if (length == 0 && count > 0)
        return false;
    AutoFreeMemory buffer(AllocateMemory((length + 1) * sizeof(wchar_t)));
    wchar_t* text = static_cast<wchar_t*>(buffer.Get());
    MultiByteToWideChar(CP_UTF8, 0, bytes, count, text, length);
    for (int start = 0; start < length;) {
        int end = start;
        while (end < length && text[end] != L'\n' && text[end] != L'\r')
            ++end;
        int first = start, last = end;
        while (first < last && IsBlank(text[first]))
            ++first;
        while (last > first && IsBlank(text[last - 1]))
            --last;
        if (first < last && text[first] != L'#')
            lines.Append(text + first, last - first);
        start = end + 1;
    }
    return true;
}

// False with the reason when the file is there but gives no text, and with
// no reason when it is missing.
bool ReadOptionLines(const char* path, CWideStringList& lines, const char*& reason)
{
    reason = nullptr;
    DWORD attributes = GetFileAttributesA(path);
    DWORD error = GetLastError();
    if (attributes == INVALID_FILE_ATTRIBUTES && (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND))
        return false;
    if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
        reason = kDirectory;
        return false;
    }
    AutoCloseHandle file(OpenDiskFile(path, GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE, OPEN_EXISTING));
    LARGE_INTEGER size;
    if (!file.IsValid() || !GetFileSizeEx(file, &size)) {
        reason = kUnreadable;
        return false;
    }
    if (size.QuadPart > kLargestOptionsFile) {
        reason = kTooLarge;
        return false;
    }
    DWORD count = static_cast<DWORD>(size.QuadPart), read = 0;
    AutoFreeMemory bytes(TryAllocateMemory(count));
    if (!bytes.Get() || !ReadFile(file, bytes.Get(), count, &read, nullptr) || read != count) {
        reason = kUnreadable;
        return false;
    }
    if (!DecodeLines(static_cast<const char*>(bytes.Get()), static_cast<int>(count), lines)) {
        reason = kNotText;
        return false;
    }
    return true;
}

// HotSpot reads options in the ANSI code page. A character the code page
// lacks would arrive as '?' or a look-alike and silently change the option;
// only a value after '=' that names an existing file or directory can still
// pass whole, by its short form.
bool ToAnsiOption(const wchar_t* text, int length, CString& option)
{
    if (ConvertToAnsi(text, length, option))
        return true;
    int equals = 0;
    while (equals < length && text[equals] != L'=')
        ++equals;
    CString name, value;
    DWORD error = 0;
    if (equals == length || !ConvertToAnsi(text, equals + 1, name) || !GetAnsiShortForm(text + equals + 1, value, error))
        return false;
    option = name + value;
    return true;
}

} // namespace

// The installer owns the INI file and the next update overwrites it, so an
// administrator adds options beside the executable, a user in the profile,
// and anyone through the variable Java's own launcher reads. They follow the
// INI file's options in that order: in the JVM the later one wins.
bool CJavaLauncher::ReadUserOptions()
{
    CString iniPath, modulePath;
    if (!GetIniFilePath(iniPath) || !GetModulePath(modulePath))
        return false;
    CString stem = iniPath.Left(iniPath.ReverseFind('.') + 1);
    AppendOptionsFile(stem + kOptionsExtension, modulePath);

    AutoFreeMemory buffer(AllocateMemory((kLongestVariable + 1) * sizeof(wchar_t)));
    wchar_t* value = static_cast<wchar_t*>(buffer.Get());
    int length = 0;
    CString profile;
    if (ReadVariable(L"APPDATA", value, length) && ToAnsiPath(value, profile)) {
        CString name = stem.Mid(stem.ReverseFind('\\') + 1);
        name = name.Left(name.GetLength() - 1);
        AppendOptionsFile(profile + "\\" + name + "\\" + name + "." + kOptionsExtension, modulePath);
    }

    CWideStringList options;
    if (ReadVariable(kEnvironmentOptions, value, length))
        SplitArguments(value, length, options);
    AppendUserOptions(options, CString(kEnvironmentOptions), modulePath);
    return true;
}

void CJavaLauncher::AppendOptionsFile(const CString& path, const CString& modulePath)
{
    CWideStringList lines;
    const char* reason = nullptr;
    if (!ReadOptionLines(path, lines, reason)) {
        if (reason)
            LogLine(LogMessages::kOptionsFileSkipped, path, reason);
        else
            LogLine(LogMessages::kOptionsFileMissing, path);
        return;
    }
    LogLine(LogMessages::kOptionsFileRead, path);
    AppendUserOptions(lines, path, modulePath);
}

// Placeholders expand after the conversion, as they do in the INI file's
// options, which are ANSI text from the start.
void CJavaLauncher::AppendUserOptions(const CWideStringList& options, const CString& source,
                                      const CString& modulePath)
{
    for (int i = 0; i < options.GetCount(); ++i) {
        CString option;
        if (!ToAnsiOption(options.GetText(i), options.GetLength(i), option)) {
            LogLine(LogMessages::kUserOptionSkipped, source, CString(options.GetText(i)));
            continue;
        }
        option = ExpandPlaceholders(option, modulePath);
        LogLine(LogMessages::kUserOption, source, option);
        m_vmOptions.Append(option);
    }
}
