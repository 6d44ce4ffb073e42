#pragma once
#include <string>
#include <vector>

// The stand-in jvm.dll of tests/support/testjvm and what it logged.

// The built libraries, as Windows paths: the full one, and the variants
// that lack JNI_CreateJavaVM or JNI_GetDefaultJavaVMInitArgs.
std::string TestJvmPath();
std::string TestJvmWithoutCreatePath();
std::string TestJvmWithoutDefaultArgsPath();

// The log, one record per line; empty when there is no file.
std::vector<std::string> ReadTestJvmLog(const std::string& path);
std::vector<std::string> LogLines(const std::string& text);

// The values of the lines "key=value" for one key, in log order.
std::vector<std::string> LogValues(const std::vector<std::string>& log, const std::string& key);

// Position of the first line equal to the given one, or -1.
int LogIndex(const std::vector<std::string>& log, const std::string& line);

// The option texts JNI_CreateJavaVM was given, in order, unescaped to their bytes.
std::vector<std::string> OptionsOfCreation(const std::vector<std::string>& log);

// The arguments main received, as bytes, or nothing if main was not called.
std::vector<std::string> ArgumentsOfMain(const std::vector<std::string>& log);
