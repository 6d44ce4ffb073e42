// Whole launches of the real executable with a private runtime beside it
// whose bin\client\jvm.dll is the stand-in virtual machine.
#include "support/Expectations.h"
#include "support/ShippedApp.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

const char kIni[] =
    "[Class Path]\r\n"
    "Class Path=C:\\My App\\lib\\app.jar;lib\\caf\xE9.jar\r\n"
    "[Java Runtime Environment]\r\n"
    "Main Class=com.example.Main\r\n"
    "Virtual Machine Parameters=-Xmx64m \"-Dapp.home=C:\\My App\"\r\n"
    "Minimum Version=any\r\n"
    "Maximum Version=any\r\n";

const DWORD kFailed = 0xFFFFFFFF;

// Each line is in the log, after the one before it.
void ExpectInOrder(const std::vector<std::string>& log, const std::vector<std::string>& lines)
{
    int previous = -1;
    for (const std::string& line : lines) {
        int found = LogIndex(log, line);
        EXPECT_LT(previous, found) << line;
        previous = found;
    }
}

class JvmHostingLaunch : public testing::Test
{
protected:
    void SetUp() override
    {
        m_app.WriteIni(kIni);
        m_app.AddPrivateRuntime();
    }

    ShippedApp m_app;
};

} // namespace

// The creation record is JNI 1.2 with unknown options refused and exactly the
// configured options; main gets the arguments byte for byte. Forty more show
// that no local reference is kept per argument: JNI promises native code 16.
TEST_F(JvmHostingLaunch, RunsMainWithTheConfiguredOptionsAndTheCommandLineArguments)
{
    std::string commandLine = "-nosplash \"quoted argument\" say\"hi\" \"\" caf\xE9 C:\\dir\\ /nosplash";
    std::vector<std::string> arguments = { "-nosplash", "quoted argument", "say\"hi\"", "", "caf\xE9", "C:\\dir\\", "/nosplash" };
    for (int i = 0; i < 40; ++i) {
        arguments.push_back("argument" + std::to_string(i));
        commandLine += " " + arguments.back();
    }
    ExpectCleanLaunch(m_app.Launch(commandLine));

    std::vector<std::string> log = m_app.Log();
    EXPECT_EQ((std::vector<std::string>{ "create.version=0x00010002", "create.nOptions=3", "create.ignoreUnrecognized=0" }),
              std::vector<std::string>(log.begin(), log.begin() + std::min<size_t>(3, log.size())));
    EXPECT_EQ((std::vector<std::string>{ "-Djava.class.path=C:\\My App\\lib\\app.jar;lib\\caf\xE9.jar", "-Xmx64m",
                                         "-Dapp.home=C:\\My App" }),
              OptionsOfCreation(log));
    // Three header lines, the options without extraInfo, and the result.
    EXPECT_EQ(7, std::count_if(log.begin(), log.end(), [](const std::string& line) { return line.rfind("create.", 0) == 0; }));
    EXPECT_EQ(std::vector<std::string>{ "0" }, LogValues(log, "create.result"));
    EXPECT_EQ(std::vector<std::string>{ "com/example/Main" }, LogValues(log, "main.class"));
    EXPECT_EQ(arguments, ArgumentsOfMain(log));
    std::vector<std::string> peak = LogValues(log, "localrefs.peak");
    ASSERT_EQ(1u, peak.size());
    EXPECT_LE(std::stoi(peak[0]), 16);
}

TEST_F(JvmHostingLaunch, AProgramPathAloneGivesMainAnEmptyArray)
{
    ExpectCleanLaunch(m_app.Launch(""));
    EXPECT_EQ(std::vector<std::string>{ "0" }, LogValues(m_app.Log(), "main.argc"));
}

// Double-byte characters of code page 932, one with a backslash as its
// second byte, reach main as the same bytes.
TEST_F(JvmHostingLaunch, DoubleByteArgumentsReachMainUnchangedCp932)
{
    ExpectCleanLaunch(m_app.Launch("\x93\xFA\x96\x7B \"\x83\x5C\x83\x74\x83\x67 x\""));
    EXPECT_EQ((std::vector<std::string>{ "\x93\xFA\x96\x7B", "\x83\x5C\x83\x74\x83\x67 x" }), ArgumentsOfMain(m_app.Log()));
}

// The thread detaches after main, and DestroyJavaVM, which waits for the
// application's other threads, comes after that.
TEST_F(JvmHostingLaunch, TheProcessLivesUntilTheApplicationsThreadsHaveEnded)
{
    ExpectCleanLaunch(m_app.Launch("", { "TESTJVM_APP_THREAD_MS=700" }));
    std::vector<std::string> log = m_app.Log();
    ExpectInOrder(log, { "main.return", "detach=0", "destroy.begin", "destroy.end" });
    ExpectInOrder(log, { "main.return", "appthread.end", "destroy.end" });
}

TEST_F(JvmHostingLaunch, AnApplicationThatEndsTheProcessKeepsItsExitCode)
{
    LaunchResult result = m_app.Launch("", { "TESTJVM_MAIN_EXIT_CODE=7" });
    EXPECT_EQ(7u, result.exitCode);
    EXPECT_TRUE(result.boxes.empty());
}

// Lines that must come before the message are read from the log as it stood
// when the box appeared. DestroyJavaVM must run exactly when a machine was
// created: the stand-in ends the process with code 70 when asked to destroy
// one whose creation it refused, even if it left its pointers behind.
TEST_F(JvmHostingLaunch, EachFailureShowsItsMessageOrNone)
{
    const std::string jvm = m_app.AppDirectory() + "bin\\client\\jvm.dll";
    const std::string noMain = "TESTJVM_CLASSES_WITHOUT_MAIN=com/example/Main";
    const std::string lookup = "getstaticmethodid=com/example/Main.main([Ljava/lang/String;)V";
    struct Row
    {
        const char* name;
        std::string library; // empty: a text file in its place
        std::vector<std::string> environment;
        DWORD exitCode;
        std::string message; // empty: no message box
        bool created, mainRuns;
        std::vector<std::string> logged; // in this order
    } rows[] = {
        { "not an image", "", {}, kFailed, LoadFailed(jvm), false, false, {} },
        { "no JNI_CreateJavaVM", TestJvmWithoutCreatePath(), {}, kFailed,
          "Windows exception: cannot find CreateJavaVM JNI (errno = 127).\n", false, false, {} },
        { "no JNI_GetDefaultJavaVMInitArgs", TestJvmWithoutDefaultArgsPath(), {}, kFailed,
          "Windows exception: cannot find CreateJavaVM JNI (errno = 127).\n", false, false, {} },
        { "creation refused, pointers left behind", TestJvmPath(),
          { "TESTJVM_CREATE_RESULT=-1", "TESTJVM_CREATE_LEAVES_POINTERS=1" }, kFailed, kCreationRefused, false, false,
          { "create.result=-1" } },
        { "main class missing", TestJvmPath(), { "TESTJVM_CLASSES=com/example/Other" }, kFailed,
          "Could not find the main class com/example/Main.\n", true, false,
          { "findclass=com/example/Main", "describe=java.lang.NoClassDefFoundError: com/example/Main" } },
        { "main method missing, silently", TestJvmPath(),
          { "TESTJVM_CLASSES=", noMain, "TESTJVM_SILENT_MISSING_METHOD=1" }, kFailed,
          "No main method found in specified class.\n", true, false, { lookup } },
        { "main method missing, with an exception", TestJvmPath(), { "TESTJVM_CLASSES=", noMain }, kFailed, "", true,
          false, { lookup, "describe=java.lang.NoSuchMethodError: main", "destroy.begin" } },
        { "class name not made into a Java string", TestJvmPath(), { "TESTJVM_OUT_OF_MEMORY_AT=1" }, kFailed,
          "Failed to load Main Class: com/example/Main.\n", true, false, {} },
        { "class name characters not available", TestJvmPath(), { "TESTJVM_UTF_CHARS_FAIL=1" }, kFailed, "", true,
          false, { "describe=java.lang.OutOfMemoryError: GetStringUTFChars", "destroy.begin" } },
        { "argument array not built", TestJvmPath(), { "TESTJVM_OUT_OF_MEMORY_AT=3" }, kFailed, "", true, false,
          { "findclass=com/example/Main", "describe=java.lang.OutOfMemoryError: Java heap space", "destroy.begin" } },
        { "main throws", TestJvmPath(), { "TESTJVM_MAIN_THROWS=java/lang/IllegalStateException" }, 0, "", true, true,
          { "main.throw=java/lang/IllegalStateException", "describe=java.lang.IllegalStateException: thrown by main",
            "detach=0", "destroy.begin" } },
        { "detach fails", TestJvmPath(), { "TESTJVM_DETACH_RESULT=-1" }, kFailed, "", true, true,
          { "main.return", "detach=-1", "destroy.begin" } },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        if (row.library.empty())
            m_app.Directory().WriteFile("bin\\client\\jvm.dll", "not a library");
        else
            m_app.AddPrivateRuntime(row.library);
        LaunchResult result = m_app.Launch("a b", row.environment);
        const std::vector<std::string> log = m_app.Log();
        if (row.message.empty()) {
            ASSERT_TRUE(result.started);
            EXPECT_FALSE(result.timedOut);
            EXPECT_EQ(row.exitCode, result.exitCode);
            EXPECT_TRUE(result.boxes.empty()) << result.boxes[0].text;
            ExpectInOrder(log, row.logged);
        } else {
            ExpectOnlyMessage(result, row.message);
            if (result.boxes.size() == 1)
                ExpectInOrder(LogLines(result.boxes[0].fileAtBox), row.logged);
        }
        EXPECT_EQ(row.created, LogIndex(log, "destroy.end") >= 0);
        if (row.created)
            EXPECT_EQ(std::vector<std::string>{ "0" }, LogValues(log, "utfchars.unreleased"));
        EXPECT_EQ(row.mainRuns, !LogValues(log, "main.class").empty());
    }
}
