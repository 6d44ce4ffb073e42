#pragma once
#include <set>
#include <string>

namespace testjvm {

// What the test virtual machine does, read from the environment when
// JNI_CreateJavaVM is called:
//
//   TESTJVM_LOG                   file that receives the log lines
//   TESTJVM_CREATE_RESULT         result of JNI_CreateJavaVM (default 0)
//   TESTJVM_CREATE_LEAVES_POINTERS=1  a refused creation still writes the
//                                 VM and env pointers, as JNI allows
//   TESTJVM_CLASSES               ';'-separated classes with a main method
//   TESTJVM_CLASSES_WITHOUT_MAIN  ';'-separated classes without one
//   TESTJVM_SILENT_MISSING_METHOD=1  GetStaticMethodID fails without a
//                                 pending exception
//   TESTJVM_OUT_OF_MEMORY_AT=n    the n-th NewByteArray (from 1) fails
//                                 with OutOfMemoryError
//   TESTJVM_UTF_CHARS_FAIL=1      GetStringUTFChars fails with
//                                 OutOfMemoryError
//   TESTJVM_MAIN_THROWS           exception class (slash form) thrown by main
//   TESTJVM_MAIN_SLEEP_MS         main sleeps this long before returning
//   TESTJVM_APP_THREAD_MS         main starts an application thread that
//                                 runs this long; DestroyJavaVM waits for it
//   TESTJVM_MAIN_EXIT_CODE        main ends the process with this code, as
//                                 System.exit does
//   TESTJVM_DETACH_RESULT         result of DetachCurrentThread (default 0)
struct Behaviour
{
    std::string logPath;
    long createResult = 0;
    bool createLeavesPointers = false;
    std::set<std::string> classesWithMain;
    std::set<std::string> classesWithoutMain;
    bool silentMissingMethod = false;
    long outOfMemoryAt = 0;
    bool utfCharsFail = false;
    std::string mainThrows;
    long mainSleepMs = 0;
    long appThreadMs = -1; // no application thread
    bool mainExits = false;
    unsigned long mainExitCode = 0;
    long detachResult = 0;
};

void ReadBehaviour();
const Behaviour& CurrentBehaviour();

} // namespace testjvm
