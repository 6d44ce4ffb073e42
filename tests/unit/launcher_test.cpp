#include "support/LauncherAccess.h"

#include <gtest/gtest.h>

#include <string>

TEST(CJavaLauncher, RecognisesOnlyTheExactSplashSwitches)
{
    struct Row { std::vector<const char*> arguments; bool splashWanted; } rows[] = {
        { {}, true },
        { { "-nosplash" }, false },
        { { "a", "/nosplash" }, false },
        { { "/nosplash", "-nosplash" }, false },
        { { "-NOSPLASH" }, true },
        { { "--nosplash" }, true },
        { { "/NoSplash" }, true },
        { { "-nosplash=1" }, true },
        { { " -nosplash" }, true },
    };
    for (const Row& row : rows) {
        CJavaLauncher launcher;
        CJavaLauncherTestAccess access(launcher);
        for (const char* argument : row.arguments)
            access.ProgramArguments().Append(argument);
        EXPECT_EQ(row.splashWanted, launcher.IsSplashWanted()) << (row.arguments.empty() ? "" : row.arguments[0]);
    }
}

namespace {
int g_destroyCalls;
jint JNICALL RecordDestroy(JavaVM*)
{
    ++g_destroyCalls;
    return JNI_OK;
}
} // namespace

TEST(CJavaLauncher, TeardownDestroysTheVirtualMachineOnlyWhenItExists)
{
    JNIInvokeInterface_ functions = {};
    functions.DestroyJavaVM = RecordDestroy;
    JavaVM vm = { &functions };

    g_destroyCalls = 0;
    {
        CJavaLauncher launcher;
    }
    EXPECT_EQ(0, g_destroyCalls);
    {
        CJavaLauncher launcher;
        CJavaLauncherTestAccess(launcher).JavaVMPointer() = &vm;
    }
    EXPECT_EQ(1, g_destroyCalls);
}

TEST(CJavaLauncher, GetModulePathGivesTheRunningExecutable)
{
    CJavaLauncher launcher;
    CString path;
    ASSERT_TRUE(launcher.GetModulePath(path));
    char expected[MAX_PATH];
    GetModuleFileNameA(nullptr, expected, MAX_PATH);
    EXPECT_STREQ(expected, path);
}

TEST(ErrorChannel, FormatsAndOwnsEachReport)
{
    ErrorRecorder recorder;
    HWND owner = reinterpret_cast<HWND>(0x1234);
    ReportError(owner, "Main class was not specified in INI file.");
    ReportFormattedError(nullptr, "Could not find the main class %s.\n", "com/example/Main");
    ReportFormattedErrorCode(owner, "Windows exception: %s (errno = %d).\n", "failed to get the module path", 122);
    ASSERT_EQ(3u, recorder.Reports().size());
    EXPECT_EQ("Main class was not specified in INI file.", recorder.Reports()[0].text);
    EXPECT_EQ(owner, recorder.Reports()[0].owner);
    EXPECT_EQ("Could not find the main class com/example/Main.\n", recorder.Reports()[1].text);
    EXPECT_EQ(nullptr, recorder.Reports()[1].owner);
    EXPECT_EQ("Windows exception: failed to get the module path (errno = 122).\n", recorder.Reports()[2].text);
}
