// Virtual machine hosting, driven through CJavaLauncher::Run against the
// stand-in jvm.dll, which logs what it was asked and takes its behaviour
// from environment variables read at each JNI_CreateJavaVM.
#include "launcher/Arguments.h"
#include "support/LauncherAccess.h"
#include "support/TestDirectory.h"
#include "support/TestJvm.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <utility>
#include <vector>

namespace {

typedef std::vector<std::pair<std::string, std::string>> Environment;

struct Report
{
    HWND owner;
    std::string text;
    std::vector<std::string> logSoFar; // what the virtual machine had logged when it was shown
};

// Records reports together with the log as it stood at that moment, so a
// test can tell whether an exception was described before the message.
class ReportRecorder
{
public:
    explicit ReportRecorder(const std::string& logPath)
    {
        s_logPath = logPath;
        s_reports.clear();
        m_previous = SetErrorDisplay(&Record);
    }
    ~ReportRecorder() { SetErrorDisplay(m_previous); }
    const std::vector<Report>& Reports() const { return s_reports; }

private:
    static void Record(HWND owner, const char* text) { s_reports.push_back({ owner, text, ReadTestJvmLog(s_logPath) }); }
    static inline std::string s_logPath;
    static inline std::vector<Report> s_reports;
    ErrorDisplay m_previous;
};

struct Launch
{
    std::string library = TestJvmPath();
    std::string classPath = "app.jar";
    std::string vmParameters;
    std::string mainClass = "com/example/Main";
    std::vector<std::string> arguments;
    Environment environment;
};

struct Outcome
{
    int exitCode = 0;
    std::vector<Report> reports;
    std::vector<std::string> logAfterRun; // before the launcher's teardown
    std::vector<std::string> log;         // after it
};

const HWND kSplashWindow = reinterpret_cast<HWND>(static_cast<INT_PTR>(0x5A5A0));

class JvmHosting : public testing::Test
{
protected:
    void SetUp() override { ResetEnvironment(); }
    void TearDown() override { ResetEnvironment(); }

    void ResetEnvironment()
    {
        for (size_t i = 0; i < kTestJvmVariableCount; ++i)
            SetEnvironmentVariableA(kTestJvmVariables[i], nullptr);
        SetEnvironmentVariableA("TESTJVM_LOG", LogPath().c_str());
        SetEnvironmentVariableA("TESTJVM_CLASSES", "com/example/Main");
        DeleteFileA(LogPath().c_str());
    }

    std::string LogPath() const { return m_directory.Path() + "jvm.log"; }

    // Fills the launcher as the configuration would (the class-path option,
    // then the parameters cut like the configuration's), runs it, and
    // lets its destructor do the teardown.
    Outcome Run(const Launch& launch)
    {
        ResetEnvironment();
        for (const auto& variable : launch.environment)
            SetEnvironmentVariableA(variable.first.c_str(), variable.second.c_str());
        Outcome outcome;
        {
            ReportRecorder recorder(LogPath());
            {
                CJavaLauncher launcher;
                CJavaLauncherTestAccess access(launcher);
                access.JvmLibraryPath() = launch.library.c_str();
                access.VmOptions().Append(CString(("-Djava.class.path=" + launch.classPath).c_str()));
                SplitArguments(CString(launch.vmParameters.c_str()), access.VmOptions());
                access.MainClass() = launch.mainClass.c_str();
                for (const std::string& argument : launch.arguments)
                    access.ProgramArguments().Append(CString(argument.c_str(), static_cast<int>(argument.size())));
                access.SplashWindow() = kSplashWindow;
                outcome.exitCode = launcher.Run();
                outcome.logAfterRun = ReadTestJvmLog(LogPath());
            }
            outcome.reports = recorder.Reports();
        }
        outcome.log = ReadTestJvmLog(LogPath());
        return outcome;
    }

    TestDirectory m_directory;
};

std::vector<std::string> CreationRecords(const std::vector<std::string>& log)
{
    std::vector<std::string> records;
    for (const std::string& line : log) {
        if (line.compare(0, 7, "create.") == 0)
            records.push_back(line);
    }
    return records;
}

} // namespace

TEST_F(JvmHosting, HandsTheOptionsToTheVirtualMachineInListOrderWithJni12AndNoIgnoring)
{
    struct Row
    {
        const char* name;
        std::string classPath;
        std::string vmParameters;
        std::vector<std::string> options;
    } rows[] = {
        { "class path alone", "app.jar", "", { "-Djava.class.path=app.jar" } },
        { "class path with spaces and semicolons is one option", "C:\\My App\\a.jar;C:\\My App\\lib\\b.jar", "",
          { "-Djava.class.path=C:\\My App\\a.jar;C:\\My App\\lib\\b.jar" } },
        { "parameters follow left to right, a quoted one whole", "app.jar",
          "-Xmx256m \"-Dapp.home=C:\\My App\" -Dapp.mode=full",
          { "-Djava.class.path=app.jar", "-Xmx256m", "-Dapp.home=C:\\My App", "-Dapp.mode=full" } },
        { "a class path in the parameters comes after the launcher's own", "app.jar", "-Djava.class.path=other.jar",
          { "-Djava.class.path=app.jar", "-Djava.class.path=other.jar" } },
        { "a quote inside a parameter stays", "app.jar", "-Dapp.title=say\"hi\" -Xss1m",
          { "-Djava.class.path=app.jar", "-Dapp.title=say\"hi\"", "-Xss1m" } },
        { "bytes beyond ASCII reach the VM unchanged", "C:\\Caf\xE9\\app.jar", "-Dname=\x93\xFA\x96\x7B",
          { "-Djava.class.path=C:\\Caf\xE9\\app.jar", "-Dname=\x93\xFA\x96\x7B" } },
    };
    for (const Row& row : rows) {
        Launch launch;
        launch.classPath = row.classPath;
        launch.vmParameters = row.vmParameters;
        Outcome outcome = Run(launch);
        EXPECT_EQ(0, outcome.exitCode) << row.name;
        EXPECT_TRUE(outcome.reports.empty()) << row.name;
        std::vector<std::string> head(outcome.log.begin(), outcome.log.begin() + std::min<size_t>(3, outcome.log.size()));
        EXPECT_EQ((std::vector<std::string>{ "create.version=0x00010002",
                                             "create.nOptions=" + std::to_string(row.options.size()),
                                             "create.ignoreUnrecognized=0" }),
                  head)
            << row.name;
        EXPECT_EQ(row.options, OptionsOfCreation(outcome.log)) << row.name;
        // Exactly the options, each without extra information, and created.
        EXPECT_EQ(3 + row.options.size() + 1, CreationRecords(outcome.log).size()) << row.name;
        EXPECT_EQ(std::vector<std::string>{ "0" }, LogValues(outcome.log, "create.result")) << row.name;
    }
}

TEST_F(JvmHosting, AnEmptyOptionIsPassedAndItsRefusalReported)
{
    Launch launch;
    launch.vmParameters = "\"\" -Xms16m";
    Outcome outcome = Run(launch);
    EXPECT_EQ((std::vector<std::string>{ "-Djava.class.path=app.jar", "", "-Xms16m" }), OptionsOfCreation(outcome.log));
    EXPECT_EQ(std::vector<std::string>{ "" }, LogValues(outcome.log, "create.unrecognized"));
    EXPECT_EQ(-1, outcome.exitCode);
    ASSERT_EQ(1u, outcome.reports.size());
    EXPECT_EQ("JNI exception: failed to create the Java VM.\n", outcome.reports[0].text);
    EXPECT_EQ(-1, LogIndex(outcome.log, "destroy.begin"));
}

TEST_F(JvmHosting, PassesTheProgramArgumentsToMainByteForByte)
{
    std::vector<std::string> many;
    for (int i = 0; i < 40; ++i)
        many.push_back("argument" + std::to_string(i));
    struct Row
    {
        const char* name;
        std::vector<std::string> arguments;
    } rows[] = {
        { "no arguments give an empty array", {} },
        { "plain", { "one", "two" } },
        { "the splash switches are passed on", { "-nosplash", "/nosplash", "-NOSPLASH" } },
        { "spaces, an empty argument and a quote inside", { "with space", "", "say \"hi\"" } },
        { "bytes beyond ASCII and control bytes", { "caf\xE9", "\x93\xFA\x96\x7B", "\x81\x5C", "tab\there", "\x7F\xFF" } },
        { "an embedded backslash", { "C:\\dir\\", "\\\\server\\share" } },
        { "many", many },
    };
    for (const Row& row : rows) {
        Launch launch;
        launch.arguments = row.arguments;
        Outcome outcome = Run(launch);
        EXPECT_EQ(0, outcome.exitCode) << row.name;
        EXPECT_TRUE(outcome.reports.empty()) << row.name;
        EXPECT_EQ(std::vector<std::string>{ "com/example/Main" }, LogValues(outcome.log, "main.class")) << row.name;
        EXPECT_EQ(std::vector<std::string>{ std::to_string(row.arguments.size()) }, LogValues(outcome.log, "main.argc"))
            << row.name;
        EXPECT_EQ(row.arguments, ArgumentsOfMain(outcome.log)) << row.name;
        // JNI promises native code only 16 local references.
        std::vector<std::string> peak = LogValues(outcome.log, "localrefs.peak");
        ASSERT_EQ(1u, peak.size()) << row.name;
        EXPECT_LE(std::stoi(peak[0]), 16) << row.name;
    }
}

TEST_F(JvmHosting, EachFailureEndsTheLaunchWithItsOwnMessageOrNone)
{
    const std::string missingLibrary = m_directory.Path() + "missing\\jvm.dll";
    const std::string notAnImage = m_directory.WriteFile("text\\jvm.dll", "This is not a DLL.\r\n");
    const std::vector<std::string> mainRan = { "main.return", "detach=0", "destroy.begin" };
    struct Row
    {
        const char* name;
        std::string library;
        Environment environment;
        std::vector<std::string> arguments;
        int exitCode;
        std::string message; // empty: no message at all
        bool created;        // the VM exists and must be destroyed exactly once
        bool mainRuns;
        std::vector<std::string> logged; // lines that must appear, in this order
    } rows[] = {
        { "library missing", missingLibrary, {}, {}, -1,
          "Failed to load Java VM library: " + missingLibrary + " (errno = 126).\n", false, false, {} },
        { "library not an image", notAnImage, {}, {}, -1,
          "Failed to load Java VM library: " + notAnImage + " (errno = 193).\n", false, false, {} },
        { "no JNI_CreateJavaVM export", TestJvmWithoutCreatePath(), {}, {}, -1,
          "Windows exception: cannot find CreateJavaVM JNI (errno = 127).\n", false, false, {} },
        { "no JNI_GetDefaultJavaVMInitArgs export", TestJvmWithoutDefaultArgsPath(), {}, {}, -1,
          "Windows exception: cannot find CreateJavaVM JNI (errno = 127).\n", false, false, {} },
        { "creation refused", TestJvmPath(), { { "TESTJVM_CREATE_RESULT", "-6" } }, {}, -1,
          "JNI exception: failed to create the Java VM.\n", false, false, { "create.result=-6" } },
        { "creation refused, pointers left behind", TestJvmPath(),
          { { "TESTJVM_CREATE_RESULT", "-1" }, { "TESTJVM_CREATE_LEAVES_POINTERS", "1" } }, {}, -1,
          "JNI exception: failed to create the Java VM.\n", false, false, { "create.result=-1" } },
        { "main class missing", TestJvmPath(), { { "TESTJVM_CLASSES", "com/example/Other" } }, {}, -1,
          "Could not find the main class com/example/Main.\n", true, false,
          { "findclass=com/example/Main", "describe=java.lang.NoClassDefFoundError: com/example/Main", "destroy.begin" } },
        { "main method missing, exception pending", TestJvmPath(),
          { { "TESTJVM_CLASSES", "" }, { "TESTJVM_CLASSES_WITHOUT_MAIN", "com/example/Main" } }, {}, -1, "", true, false,
          { "getstaticmethodid=com/example/Main.main([Ljava/lang/String;)V", "describe=java.lang.NoSuchMethodError: main",
            "destroy.begin" } },
        { "main method missing, no exception", TestJvmPath(),
          { { "TESTJVM_CLASSES", "" }, { "TESTJVM_CLASSES_WITHOUT_MAIN", "com/example/Main" },
            { "TESTJVM_SILENT_MISSING_METHOD", "1" } }, {}, -1,
          "No main method found in specified class.\n", true, false,
          { "getstaticmethodid=com/example/Main.main([Ljava/lang/String;)V", "destroy.begin" } },
        { "class name not made into a Java string", TestJvmPath(), { { "TESTJVM_OUT_OF_MEMORY_AT", "1" } }, {}, -1,
          "Failed to load Main Class: com/example/Main.\n", true, false, { "destroy.begin" } },
        { "class name characters not available", TestJvmPath(), { { "TESTJVM_UTF_CHARS_FAIL", "1" } }, {}, -1, "",
          true, false, { "describe=java.lang.OutOfMemoryError: GetStringUTFChars", "destroy.begin" } },
        { "argument array not built", TestJvmPath(), { { "TESTJVM_OUT_OF_MEMORY_AT", "3" } }, { "a", "b" }, -1, "",
          true, false, { "findclass=com/example/Main", "describe=java.lang.OutOfMemoryError: Java heap space",
                  "destroy.begin" } },
        { "main throws", TestJvmPath(), { { "TESTJVM_MAIN_THROWS", "java/lang/IllegalStateException" } }, {}, 0, "",
          true, true, { "main.throw=java/lang/IllegalStateException",
                  "describe=java.lang.IllegalStateException: thrown by main", "detach=0", "destroy.begin" } },
        { "detach fails", TestJvmPath(), { { "TESTJVM_DETACH_RESULT", "-1" } }, {}, -1, "", true, true,
          { "main.return", "detach=-1", "destroy.begin" } },
        { "main throws and detach fails", TestJvmPath(),
          { { "TESTJVM_MAIN_THROWS", "java/lang/Error" }, { "TESTJVM_DETACH_RESULT", "-2" } }, {}, -1, "", true, true,
          { "describe=java.lang.Error: thrown by main", "detach=-2", "destroy.begin" } },
        { "success, for contrast", TestJvmPath(), {}, {}, 0, "", true, true, mainRan },
    };
    for (const Row& row : rows) {
        Launch launch;
        launch.library = row.library;
        launch.environment = row.environment;
        launch.arguments = row.arguments;
        Outcome outcome = Run(launch);
        EXPECT_EQ(row.exitCode, outcome.exitCode) << row.name;
        if (row.message.empty()) {
            EXPECT_TRUE(outcome.reports.empty()) << row.name << ": " << outcome.reports[0].text;
        } else {
            EXPECT_EQ(1u, outcome.reports.size()) << row.name;
            if (outcome.reports.size() == 1) {
                EXPECT_EQ(row.message, outcome.reports[0].text) << row.name;
                EXPECT_EQ(kSplashWindow, outcome.reports[0].owner) << row.name;
            }
        }

        int position = -1;
        for (const std::string& line : row.logged) {
            int found = LogIndex(outcome.log, line);
            EXPECT_LT(position, found) << row.name << ": " << line;
            position = found;
        }
        EXPECT_EQ(row.created ? 1u : 0u, LogValues(outcome.log, "destroy.splash").size()) << row.name;
        if (row.created)
            EXPECT_EQ(std::vector<std::string>{ "0" }, LogValues(outcome.log, "utfchars.unreleased")) << row.name;
        EXPECT_EQ(row.mainRuns, !LogValues(outcome.log, "main.class").empty()) << row.name;
    }
}

TEST_F(JvmHosting, TheMissingMainClassIsDescribedBeforeItsMessage)
{
    Launch launch;
    launch.environment = { { "TESTJVM_CLASSES", "" } };
    Outcome outcome = Run(launch);
    ASSERT_EQ(1u, outcome.reports.size());
    EXPECT_NE(-1, LogIndex(outcome.reports[0].logSoFar, "describe=java.lang.NoClassDefFoundError: com/example/Main"));
}

TEST_F(JvmHosting, DestroysTheVirtualMachineInTheTeardownAfterMainAndItsThreads)
{
    Launch launch;
    launch.environment = { { "TESTJVM_MAIN_SLEEP_MS", "200" }, { "TESTJVM_APP_THREAD_MS", "500" } };
    Outcome outcome = Run(launch);
    EXPECT_EQ(0, outcome.exitCode);
    // Run returns once main has returned and the thread detached; the
    // virtual machine goes only with the launcher.
    EXPECT_NE(-1, LogIndex(outcome.logAfterRun, "main.return"));
    EXPECT_NE(-1, LogIndex(outcome.logAfterRun, "detach=0"));
    EXPECT_EQ(-1, LogIndex(outcome.logAfterRun, "destroy.begin"));
    EXPECT_LT(LogIndex(outcome.log, "detach=0"), LogIndex(outcome.log, "destroy.begin"));
    EXPECT_EQ(1u, LogValues(outcome.log, "destroy.splash").size());
    // The application thread outlives main; the teardown waits for it.
    EXPECT_LT(LogIndex(outcome.log, "main.return"), LogIndex(outcome.log, "appthread.end"));
    EXPECT_LT(LogIndex(outcome.log, "appthread.end"), LogIndex(outcome.log, "destroy.end"));
}
