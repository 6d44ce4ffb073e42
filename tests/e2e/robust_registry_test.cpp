// Registries with many runtimes, long names and JavaHome values of every
// type and size: the launch either runs or ends with the message that fits.
// These cases write the runtimes' key under HKEY_LOCAL_MACHINE and run alone.
#include "support/Expectations.h"
#include "support/LauncherAccess.h"
#include "support/ShippedApp.h"
#include "support/TestRegistryKey.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class RobustRegistry : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_TRUE(m_runtimes.Handle()) << "the runtimes' key must not exist before the test";
        m_app.WriteIni(std::string(kMinimalIni) + "Minimum Version=any\r\nMaximum Version=any\r\n");
        m_runtimeHome = m_app.Directory().MakeDirectory("runtime");
        std::string jvm = m_app.Directory().MakeDirectory("runtime\\bin\\client") + "jvm.dll";
        ASSERT_TRUE(CopyFileA(TestJvmPath().c_str(), jvm.c_str(), FALSE));
    }

    LaunchResult Launch() { return m_app.Launch("-nosplash"); }

    TestRegistryKey m_runtimes{ HKEY_LOCAL_MACHINE, kRuntimesKey };
    ShippedApp m_app;
    std::string m_runtimeHome;
};

} // namespace

TEST_F(RobustRegistry, AThousandRuntimesYieldTheHighestAndLeaveNoHandleOpen)
{
    ASSERT_TRUE(m_runtimes.SetString("1.8.0_999", "JavaHome", m_runtimeHome));
    ExpectCleanLaunch(Launch());
    const std::vector<std::string> handlesWithOne = LogValues(m_app.Log(), "handles.atcreation");

    for (int update = 0; update < 999; ++update)
        ASSERT_TRUE(m_runtimes.CreateSubkey("1.8.0_" + std::to_string(update)));
    // Only the highest can start; any other choice ends in "not found".
    ExpectCleanLaunch(Launch());
    EXPECT_EQ(std::vector<std::string>{ "-nosplash" }, ArgumentsOfMain(m_app.Log()));
    ASSERT_EQ(1u, handlesWithOne.size());
    EXPECT_EQ(handlesWithOne, LogValues(m_app.Log(), "handles.atcreation"));
}

TEST_F(RobustRegistry, ASubkeyNameOfTheLongestLengthIsRead)
{
    std::string name = "1.9.0_" + std::string(249, 'x');
    ASSERT_EQ(255u, name.size());
    ASSERT_TRUE(m_runtimes.SetString("1.8", "JavaHome", "C:\\not chosen"));
    ASSERT_TRUE(m_runtimes.SetString(name, "JavaHome", m_runtimeHome));
    ExpectCleanLaunch(Launch());
}

TEST_F(RobustRegistry, JavaHomeOfAnyTypeOrSizeEndsInAMessageOrALaunch)
{
    // Close to the longest text a window can hold (32,767 characters).
    const std::string longHome = "C:\\" + std::string(32600, 'h');
    const std::string missing = m_app.Directory().Path() + "no such runtime";
    struct Row { const char* name; DWORD type; std::string data; std::string message; } rows[] = {
        { "REG_DWORD", REG_DWORD, std::string("A\0\0\0", 4), NoJvm("A\\") },
        { "REG_BINARY without NUL", REG_BINARY, m_runtimeHome.substr(0, m_runtimeHome.size() - 1), "" },
        { "REG_EXPAND_SZ is not expanded", REG_EXPAND_SZ, std::string("%SystemRoot%\\java\0", 18), NoJvm("%SystemRoot%\\java\\") },
        { "empty text", REG_SZ, std::string("\0", 1), NoJvm("\\") },
        { "32,600 characters long", REG_SZ, longHome + '\0', NoJvm(longHome + "\\") },
        { "a directory that does not exist", REG_SZ, missing + '\0', NoJvm(missing + "\\") },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ASSERT_TRUE(m_runtimes.SetValue("1.8.0_20", "JavaHome", row.type, row.data));
        LaunchResult result = Launch();
        ASSERT_TRUE(result.started);
        EXPECT_FALSE(result.timedOut);
        if (row.message.empty()) {
            ExpectCleanLaunch(result);
            continue;
        }
        EXPECT_EQ(0xFFFFFFFFu, result.exitCode);
        ASSERT_EQ(1u, result.boxes.size());
        EXPECT_EQ(row.message.size(), result.boxes[0].text.size());
        EXPECT_TRUE(row.message == result.boxes[0].text) << result.boxes[0].text.substr(0, 200);
    }
}

// A message naming a 32 KiB directory is longer than a window's text can
// be, so what the box would show is checked where it is built.
TEST_F(RobustRegistry, AJavaHomeOf32KiBIsNamedWholeInTheMessage)
{
    const std::string home = "C:\\" + std::string(32 * 1024 - 4, 'h'); // 32 KiB with its NUL
    ASSERT_TRUE(m_runtimes.SetString("1.8.0_20", "JavaHome", home));
    ErrorRecorder errors;
    CJavaLauncher launcher;
    EXPECT_FALSE(launcher.SelectJre());
    ASSERT_EQ(1u, errors.Reports().size());
    EXPECT_TRUE(NoJvm(home + "\\") == errors.Reports()[0].text) << errors.Reports()[0].text.size();
}
