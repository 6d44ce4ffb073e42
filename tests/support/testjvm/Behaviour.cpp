#include "Behaviour.h"

#include <windows.h>

#include <cstdlib>

namespace testjvm {
namespace {

Behaviour g_behaviour;

bool ReadVariable(const char* name, std::string& value)
{
    DWORD size = GetEnvironmentVariableA(name, nullptr, 0);
    if (size == 0)
        return false;
    value.assign(size, '\0');
    DWORD length = GetEnvironmentVariableA(name, &value[0], size);
    value.resize(length);
    return true;
}

long ReadNumber(const char* name, long fallback)
{
    std::string text;
    return ReadVariable(name, text) && !text.empty() ? std::strtol(text.c_str(), nullptr, 0) : fallback;
}

std::set<std::string> ReadNames(const char* name)
{
    std::set<std::string> names;
    std::string text;
    ReadVariable(name, text);
    size_t start = 0;
    while (start <= text.size()) {
        size_t end = text.find(';', start);
        if (end == std::string::npos)
            end = text.size();
        if (end > start)
            names.insert(text.substr(start, end - start));
        start = end + 1;
    }
    return names;
}

} // namespace

void ReadBehaviour()
{
    Behaviour behaviour;
    ReadVariable("TESTJVM_LOG", behaviour.logPath);
    behaviour.createResult = ReadNumber("TESTJVM_CREATE_RESULT", 0);
    behaviour.createLeavesPointers = ReadNumber("TESTJVM_CREATE_LEAVES_POINTERS", 0) != 0;
    behaviour.classesWithMain = ReadNames("TESTJVM_CLASSES");
    behaviour.classesWithoutMain = ReadNames("TESTJVM_CLASSES_WITHOUT_MAIN");
    behaviour.silentMissingMethod = ReadNumber("TESTJVM_SILENT_MISSING_METHOD", 0) != 0;
    behaviour.outOfMemoryAt = ReadNumber("TESTJVM_OUT_OF_MEMORY_AT", 0);
    behaviour.utfCharsFail = ReadNumber("TESTJVM_UTF_CHARS_FAIL", 0) != 0;
    ReadVariable("TESTJVM_MAIN_THROWS", behaviour.mainThrows);
    behaviour.mainSleepMs = ReadNumber("TESTJVM_MAIN_SLEEP_MS", 0);
    behaviour.appThreadMs = ReadNumber("TESTJVM_APP_THREAD_MS", -1);
    std::string exitCode;
    behaviour.mainExits = ReadVariable("TESTJVM_MAIN_EXIT_CODE", exitCode) && !exitCode.empty();
    behaviour.mainExitCode = std::strtoul(exitCode.c_str(), nullptr, 0);
    behaviour.detachResult = ReadNumber("TESTJVM_DETACH_RESULT", 0);
    g_behaviour = behaviour;
}

const Behaviour& CurrentBehaviour()
{
    return g_behaviour;
}

} // namespace testjvm
