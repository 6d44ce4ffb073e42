#pragma once
#include <string>
#include <vector>

// The stand-in jvm.dll of tests/support/testjvm and what it logged.

// The built libraries, as Windows paths: the full one, and the variants
// that lack JNI_CreateJavaVM or JNI_GetDefaultJavaVMInitArgs.
std::string TestJvmPath();
std::string TestJvmWithoutCreatePath();
std::string TestJvmWithoutDefaultArgsPath();

// The environment variables through which a test tells the stand-in what to
// do (see testjvm/Behaviour.h); clearing them all gives its defaults.
extern const char* const kTestJvmVariables[];
extern const size_t kTestJvmVariableCount;

// The log, one record per line; empty when there is no file.
std::vector<std::string> ReadTestJvmLog(const std::string& path);

// Undoes the log's escaping (\\ and \xHH), giving back the exact bytes.
std::string UnescapeLogText(const std::string& text);

// The values of the lines "key=value" for one key, in log order.
std::vector<std::string> LogValues(const std::vector<std::string>& log, const std::string& key);

// Position of the first line equal to the given one, or -1.
int LogIndex(const std::vector<std::string>& log, const std::string& line);

// The raw option texts JNI_CreateJavaVM was given, in order.
std::vector<std::string> OptionsOfCreation(const std::vector<std::string>& log);

// The raw arguments main received, or nothing if main was not called.
std::vector<std::string> ArgumentsOfMain(const std::vector<std::string>& log);
