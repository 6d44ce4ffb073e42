// Whole launches of the real executable with a private runtime beside it
// whose bin\client\jvm.dll is the stand-in virtual machine.
#include "support/TestDirectory.h"
#include "support/TestJvm.h"
#include "support/WindowProbe.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

const char kIni[] =
    "[Class Path]\r\n"
    "Class Path=C:\\My App\\lib\\app.jar;lib\\util.jar\r\n"
    "[Java Runtime Environment]\r\n"
    "Main Class=com.example.Main\r\n"
    "Virtual Machine Parameters=-Xmx64m \"-Dapp.home=C:\\My App\"\r\n"
    "Minimum Version=any\r\n"
    "Maximum Version=any\r\n";

class JvmHostingLaunch : public testing::Test
{
protected:
    // The application directory as shipped: App.exe, App.ini, and a private
    // runtime (bin\java.dll is only looked for, never loaded).
    void SetUp() override
    {
        m_exe = m_directory.CopyLauncher("App.exe");
        m_directory.WriteFile("App.ini", kIni);
        m_directory.WriteFile("bin\\java.dll", "only its presence matters");
        UseJvm(TestJvmPath());
    }

    void UseJvm(const std::string& library)
    {
        std::string target = m_directory.MakeDirectory("bin\\client") + "jvm.dll";
        ASSERT_TRUE(CopyFileA(library.c_str(), target.c_str(), FALSE)) << library;
    }

    LaunchResult Launch(const std::string& arguments, const std::vector<std::string>& environment = {})
    {
        DeleteFileA(LogPath().c_str());
        LaunchOptions options;
        options.commandLine = QuotedCommandLine(m_exe, arguments);
        options.workingDirectory = m_directory.Path();
        options.environment = { "TESTJVM_LOG=" + LogPath(), "TESTJVM_CLASSES=com/example/Main" };
        options.environment.insert(options.environment.end(), environment.begin(), environment.end());
        return RunAndProbe(options);
    }

    std::string LogPath() const { return m_directory.Path() + "jvm.log"; }
    std::vector<std::string> Log() const { return ReadTestJvmLog(LogPath()); }

    TestDirectory m_directory;
    std::string m_exe;
};

} // namespace

TEST_F(JvmHostingLaunch, RunsMainWithTheConfiguredOptionsAndTheCommandLineArguments)
{
    LaunchResult result = Launch("-nosplash \"quoted argument\" say\"hi\" \"\" caf\xE9 /nosplash");
    ASSERT_TRUE(result.started);
    EXPECT_FALSE(result.timedOut);
    EXPECT_EQ(0u, result.exitCode);
    EXPECT_TRUE(result.boxes.empty());

    std::vector<std::string> log = Log();
    EXPECT_EQ(std::vector<std::string>{ "3" }, LogValues(log, "create.nOptions"));
    EXPECT_EQ((std::vector<std::string>{ "-Djava.class.path=C:\\My App\\lib\\app.jar;lib\\util.jar", "-Xmx64m",
                                         "-Dapp.home=C:\\My App" }),
              OptionsOfCreation(log));
    EXPECT_EQ(std::vector<std::string>{ "com/example/Main" }, LogValues(log, "main.class"));
    EXPECT_EQ((std::vector<std::string>{ "-nosplash", "quoted argument", "say\"hi\"", "", "caf\xE9", "/nosplash" }),
              ArgumentsOfMain(log));
    EXPECT_NE(-1, LogIndex(log, "destroy.end"));
}

TEST_F(JvmHostingLaunch, AProgramPathAloneGivesMainAnEmptyArray)
{
    LaunchResult result = Launch("");
    EXPECT_EQ(0u, result.exitCode);
    EXPECT_EQ(std::vector<std::string>{ "0" }, LogValues(Log(), "main.argc"));
}

// Double-byte characters of code page 932, one with a backslash as its
// second byte, reach main as the same bytes.
TEST_F(JvmHostingLaunch, DoubleByteArgumentsReachMainUnchangedCp932)
{
    LaunchResult result = Launch("\x93\xFA\x96\x7B \"\x83\x5C\x83\x74\x83\x67 x\"");
    EXPECT_EQ(0u, result.exitCode);
    EXPECT_EQ((std::vector<std::string>{ "\x93\xFA\x96\x7B", "\x83\x5C\x83\x74\x83\x67 x" }), ArgumentsOfMain(Log()));
}

TEST_F(JvmHostingLaunch, TheProcessLivesUntilTheApplicationsThreadsHaveEnded)
{
    LaunchResult result = Launch("", { "TESTJVM_APP_THREAD_MS=700" });
    EXPECT_EQ(0u, result.exitCode);
    std::vector<std::string> log = Log();
    EXPECT_LT(LogIndex(log, "main.return"), LogIndex(log, "appthread.end"));
    EXPECT_LT(LogIndex(log, "appthread.end"), LogIndex(log, "destroy.end"));
}

TEST_F(JvmHostingLaunch, AnApplicationThatEndsTheProcessKeepsItsExitCode)
{
    LaunchResult result = Launch("", { "TESTJVM_MAIN_EXIT_CODE=7" });
    EXPECT_EQ(7u, result.exitCode);
    EXPECT_TRUE(result.boxes.empty());
}

TEST_F(JvmHostingLaunch, EachFailureShowsItsMessageAndExitsMinusOne)
{
    const std::string jvm = m_directory.Path() + "bin\\client\\jvm.dll";
    struct Row
    {
        const char* name;
        std::string library; // empty: a text file in its place
        std::vector<std::string> environment;
        std::string message; // empty: no message box
    } rows[] = {
        { "not an image", "", {}, "Failed to load Java VM library: " + jvm + " (errno = 193).\n" },
        { "no JNI_CreateJavaVM", TestJvmWithoutCreatePath(), {},
          "Windows exception: cannot find CreateJavaVM JNI (errno = 127).\n" },
        { "no JNI_GetDefaultJavaVMInitArgs", TestJvmWithoutDefaultArgsPath(), {},
          "Windows exception: cannot find CreateJavaVM JNI (errno = 127).\n" },
        { "creation refused", TestJvmPath(), { "TESTJVM_CREATE_RESULT=-1" },
          "JNI exception: failed to create the Java VM.\n" },
        { "main class missing", TestJvmPath(), { "TESTJVM_CLASSES=com/example/Other" },
          "Could not find the main class com/example/Main.\n" },
        { "main method missing, silently", TestJvmPath(),
          { "TESTJVM_CLASSES=", "TESTJVM_CLASSES_WITHOUT_MAIN=com/example/Main", "TESTJVM_SILENT_MISSING_METHOD=1" },
          "No main method found in specified class.\n" },
        { "main method missing, with an exception", TestJvmPath(),
          { "TESTJVM_CLASSES=", "TESTJVM_CLASSES_WITHOUT_MAIN=com/example/Main" }, "" },
        { "detach fails", TestJvmPath(), { "TESTJVM_DETACH_RESULT=-1" }, "" },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        if (row.library.empty())
            m_directory.WriteFile("bin\\client\\jvm.dll", "not a library");
        else
            UseJvm(row.library);
        LaunchResult result = Launch("a b", row.environment);
        ASSERT_TRUE(result.started);
        EXPECT_FALSE(result.timedOut);
        EXPECT_EQ(0xFFFFFFFFu, result.exitCode);
        if (row.message.empty()) {
            EXPECT_TRUE(result.boxes.empty());
        } else {
            ASSERT_EQ(1u, result.boxes.size());
            EXPECT_EQ("Error", result.boxes[0].caption);
            EXPECT_EQ(row.message, result.boxes[0].text);
            EXPECT_EQ(nullptr, result.boxes[0].owner);
        }
    }
}
