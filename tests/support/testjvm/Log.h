#pragma once
#include <string>

namespace testjvm {

// Appends one line to the file named by TESTJVM_LOG (nothing when unset).
// The file is opened for each line so that nothing is lost when the
// application ends the process from inside main.
void Log(const std::string& line);

// Bytes as one log line: printable ASCII stays, a backslash is doubled and
// every other byte is written \xHH, so tests can compare bytes exactly.
std::string Escape(const std::string& bytes);

// A misuse of the virtual machine, or a call it does not implement: logged
// as "fatal=...", printed, and the process ends with kFatalExitCode.
[[noreturn]] void Fail(const std::string& what);
const unsigned kFatalExitCode = 70;

} // namespace testjvm
