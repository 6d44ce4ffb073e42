#include "support/TestJvm.h"
#include "support/TestDirectory.h"

#include <cstdlib>
#include <sstream>

std::string TestJvmPath()
{
    return HostPathToWindows(TEST_JVM_PATH);
}

std::string TestJvmWithoutCreatePath()
{
    return HostPathToWindows(TEST_JVM_WITHOUT_CREATE_PATH);
}

std::string TestJvmWithoutDefaultArgsPath()
{
    return HostPathToWindows(TEST_JVM_WITHOUT_DEFAULT_ARGS_PATH);
}

std::vector<std::string> ReadTestJvmLog(const std::string& path)
{
    return LogLines(ReadWholeFile(path));
}

std::vector<std::string> LogLines(const std::string& text)
{
    std::vector<std::string> lines;
    std::istringstream stream(text);
    for (std::string line; std::getline(stream, line);)
        lines.push_back(line);
    return lines;
}

std::vector<std::string> LogValues(const std::vector<std::string>& log, const std::string& key)
{
    std::vector<std::string> values;
    for (const std::string& line : log) {
        if (line.compare(0, key.size() + 1, key + "=") == 0)
            values.push_back(line.substr(key.size() + 1));
    }
    return values;
}

int LogIndex(const std::vector<std::string>& log, const std::string& line)
{
    for (size_t i = 0; i < log.size(); ++i) {
        if (log[i] == line)
            return static_cast<int>(i);
    }
    return -1;
}

namespace {

// Undoes the log's escaping (\\ and \xHH), giving back the exact bytes.
std::string UnescapeLogText(const std::string& text)
{
    std::string bytes;
    for (size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\\' && i + 1 < text.size() && text[i + 1] == '\\') {
            bytes += '\\';
            ++i;
        } else if (text[i] == '\\' && i + 3 < text.size() && text[i + 1] == 'x') {
            bytes += static_cast<char>(std::strtoul(text.substr(i + 2, 2).c_str(), nullptr, 16));
            i += 3;
        } else {
            bytes += text[i];
        }
    }
    return bytes;
}

// The values of the numbered records key[0], key[1], ... in log order.
std::vector<std::string> NumberedValues(const std::vector<std::string>& log, const std::string& key)
{
    std::vector<std::string> values;
    for (const std::string& line : log) {
        std::string prefix = key + "[" + std::to_string(values.size()) + "]=";
        if (line.compare(0, prefix.size(), prefix) == 0)
            values.push_back(UnescapeLogText(line.substr(prefix.size())));
    }
    return values;
}

} // namespace

std::vector<std::string> OptionsOfCreation(const std::vector<std::string>& log)
{
    return NumberedValues(log, "create.option");
}

std::vector<std::string> ArgumentsOfMain(const std::vector<std::string>& log)
{
    return NumberedValues(log, "main.arg");
}
