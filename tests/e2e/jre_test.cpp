#include "support/Expectations.h"
#include "support/LauncherAccess.h"
#include "support/ShippedApp.h"
#include "support/TestDirectory.h"
#include "support/TestRegistryKey.h"
#include "support/WindowProbe.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// Whole launches that end in the runtime selection or just after it. Which
// runtime was chosen shows in the message naming its directory: runtimes
// here carry bin\java.dll or a registry entry but no jvm.dll, unless a case
// wants the selection to succeed.
//
// These cases write the runtimes' key under HKEY_LOCAL_MACHINE of the test
// prefix; tests/CMakeLists.txt runs them alone so no other launch reads it.

namespace {

const char kMinimumKey[] = "Minimum Version";
const char kMaximumKey[] = "Maximum Version";

bool RuntimesKeyExists()
{
    HKEY key = nullptr;
    if (RegOpenKeyExA(HKEY_LOCAL_MACHINE, kRuntimesKey, 0, KEY_READ, &key) != ERROR_SUCCESS)
        return false;
    RegCloseKey(key);
    return true;
}

} // namespace

class JreSelection : public testing::Test
{
protected:
    // Writes App.ini with the version bounds (a null bound leaves its key out).
    void WriteConfiguration(const char* minimum, const char* maximum)
    {
        std::string ini = "[Class Path]\r\nClass Path=app.jar\r\n[Java Runtime Environment]\r\nMain Class=app.Main\r\n";
        if (minimum)
            ini += std::string(kMinimumKey) + "=" + minimum + "\r\n";
        if (maximum)
            ini += std::string(kMaximumKey) + "=" + maximum + "\r\n";
        m_directory.WriteFile("App.ini", ini);
    }

    // Runs the executable and returns the text of the one error box it shows.
    std::string LaunchForMessage(const std::string& exePath, const std::vector<std::string>& environment = {})
    {
        LaunchOptions options;
        options.commandLine = QuotedCommandLine(exePath, "-nosplash");
        options.workingDirectory = m_directory.Path();
        options.environment = environment;
        LaunchResult result = RunAndProbe(options);
        EXPECT_TRUE(result.started);
        EXPECT_FALSE(result.timedOut);
        EXPECT_EQ(0xFFFFFFFFu, result.exitCode);
        if (result.boxes.size() != 1) {
            ADD_FAILURE() << result.boxes.size() << " message boxes instead of one";
            return "";
        }
        return result.boxes[0].text;
    }

    std::string LaunchApp() { return LaunchForMessage(m_directory.Path() + "App.exe"); }

    void SetUp() override { m_directory.CopyLauncher("App.exe"); }

    TestDirectory m_directory;
};

// The bounds admit no runtime that exists, the registered usable one neither:
// a message naming a private directory shows that the private runtime was
// taken before the registry was asked and without a range test.
TEST_F(JreSelection, APrivateRuntimeWinsOverTheRegistryWithoutARangeTest)
{
    TestRegistryKey runtimes(HKEY_LOCAL_MACHINE, kRuntimesKey);
    ASSERT_NE(nullptr, runtimes.Handle()) << "the test prefix must not hold the runtimes' key already";
    std::string installed = m_directory.MakeDirectory("installed");
    m_directory.WriteFile("installed\\bin\\java.dll", "");
    m_directory.WriteFile("installed\\bin\\client\\jvm.dll", "");
    ASSERT_TRUE(runtimes.SetString("1.5.0_06", "JavaHome", installed));
    WriteConfiguration("9", "9.1");

    m_directory.WriteFile("jre\\bin\\java.dll", "any file");
    EXPECT_EQ(NoJvm(m_directory.Path() + "jre\\"), LaunchApp()) << "jre\\ holds a runtime";

    m_directory.WriteFile("jre\\bin\\client\\jvm.dll", "");
    m_directory.WriteFile("bin\\java.dll", "any file");
    EXPECT_EQ(NoJvm(m_directory.Path()), LaunchApp()) << "the application's own directory comes before jre\\";

    m_directory.WriteFile("bin\\server\\jvm.dll", "");
    EXPECT_EQ(LoadFailed(m_directory.Path() + "bin\\server\\jvm.dll"), LaunchApp())
        << "a private runtime with a jvm.dll is selected";
}

TEST_F(JreSelection, AJreSubdirectoryWithoutJavaDllIsIgnored)
{
    TestRegistryKey runtimes(HKEY_LOCAL_MACHINE, kRuntimesKey);
    ASSERT_NE(nullptr, runtimes.Handle()) << "the test prefix must not hold the runtimes' key already";
    std::string installed = m_directory.MakeDirectory("installed");
    ASSERT_TRUE(runtimes.SetString("1.5", "JavaHome", installed));
    m_directory.WriteFile("jre\\bin\\client\\jvm.dll", "");
    m_directory.WriteFile("bin\\client\\jvm.dll", "");
    WriteConfiguration("1.4", "any");

    EXPECT_EQ(NoJvm(installed), LaunchApp());

    m_directory.WriteFile("installed\\bin\\hotspot\\jvm.dll", "");
    EXPECT_EQ(LoadFailed(installed + "bin\\hotspot\\jvm.dll"), LaunchApp())
        << "an installed runtime with a jvm.dll is selected";
}

// Each subkey names its own home, so the message tells which one was chosen.
TEST_F(JreSelection, TheRegistrySearchTakesTheHighestVersionInTheRange)
{
    TestRegistryKey runtimes(HKEY_LOCAL_MACHINE, kRuntimesKey);
    ASSERT_NE(nullptr, runtimes.Handle()) << "the test prefix must not hold the runtimes' key already";
    for (const char* subkey : { "1.4", "1.4.2_03", "1.5", "1.5.0_06" })
        ASSERT_TRUE(runtimes.SetString(subkey, "JavaHome", m_directory.Path() + "home-" + subkey));

    // chosen: the subkey whose home is named; otherwise the requirement text.
    struct Row { const char* minimum; const char* maximum; const char* chosen; const char* requirement; } rows[] = {
        { "1.4", "any", "1.5.0_06", nullptr },
        { "any", "1.4", "1.4.2_03", nullptr },
        { "1.6", "any", nullptr, "minimum 1.6" },
        { "any", "any", "1.5.0_06", nullptr },
        { "1.4", "1.5", "1.5.0_06", nullptr },
        { "1.4", "1.4.2", "1.4.2_03", nullptr },
        { "1.5", "1.5.0.5", "1.5", nullptr },
        { "1.4.2.3", "1.4.2.3", "1.4.2_03", nullptr },
        { "1.4.2.4", "1.4.2.4", nullptr, "version 1.4.2.4 is required" },
        { "1.4.1", "1.4.1", nullptr, "between 1.4.1 and 1.4.1" },
        { "any", "1.3", nullptr, "maximum 1.3" },
        { "1.5", "1.4", nullptr, "between 1.5 and 1.4" },
        // An unset upper bound reads as no bound, in the text and in the search alike.
        { nullptr, nullptr, "1.5.0_06", nullptr },
        { "1.4.2", "", "1.5.0_06", nullptr },
        { nullptr, "1.4.2", "1.4.2_03", nullptr },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::string(row.minimum ? row.minimum : "(unset)") + " to " + (row.maximum ? row.maximum : "(unset)"));
        WriteConfiguration(row.minimum, row.maximum);
        std::string expected = row.chosen ? NoJvm(m_directory.Path() + "home-" + row.chosen + "\\") : NotFound(row.requirement);
        EXPECT_EQ(expected, LaunchApp());
    }
}

TEST_F(JreSelection, AmongEqualVersionsTheFirstEnumeratedWins)
{
    TestRegistryKey runtimes(HKEY_LOCAL_MACHINE, kRuntimesKey);
    ASSERT_NE(nullptr, runtimes.Handle()) << "the test prefix must not hold the runtimes' key already";
    for (const char* subkey : { "1.5.0", "1.5", "1.05", "1.4" })
        ASSERT_TRUE(runtimes.SetString(subkey, "JavaHome", m_directory.Path() + "home-" + subkey));

    std::string first;
    char name[260];
    for (DWORD index = 0; first.empty(); ++index) {
        DWORD length = sizeof name;
        ASSERT_EQ(ERROR_SUCCESS, RegEnumKeyExA(runtimes.Handle(), index, name, &length, nullptr, nullptr, nullptr, nullptr));
        if (std::string(name) != "1.4")
            first = name;
    }
    WriteConfiguration("any", "any");
    EXPECT_EQ(NoJvm(m_directory.Path() + "home-" + first + "\\"), LaunchApp());
}

// A name without digits reads as 0.0.0.0, which never beats the start value.
TEST_F(JreSelection, SubkeysWithoutAVersionAreNeverChosen)
{
    TestRegistryKey runtimes(HKEY_LOCAL_MACHINE, kRuntimesKey);
    ASSERT_NE(nullptr, runtimes.Handle()) << "the test prefix must not hold the runtimes' key already";
    WriteConfiguration("any", "any");
    EXPECT_EQ(NotFound("latest version"), LaunchApp()) << "a key without subkeys";

    for (const char* subkey : { "CurrentVersion", "beta" })
        ASSERT_TRUE(runtimes.SetString(subkey, "JavaHome", m_directory.Path() + "home-" + subkey));
    EXPECT_EQ(NotFound("latest version"), LaunchApp());
}

// No fallback to a lower runtime: the highest one in range is broken.
TEST_F(JreSelection, AChosenSubkeyWithoutJavaHomeGivesNotFound)
{
    struct Row { const char* description; DWORD type; std::string bytes; } rows[] = {
        { "no JavaHome value", REG_NONE, "" },
        { "JavaHome without data", REG_SZ, "" },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.description);
        TestRegistryKey runtimes(HKEY_LOCAL_MACHINE, kRuntimesKey);
        ASSERT_NE(nullptr, runtimes.Handle()) << "the test prefix must not hold the runtimes' key already";
        ASSERT_TRUE(runtimes.SetString("1.4", "JavaHome", m_directory.Path() + "home-1.4"));
        if (row.type == REG_NONE)
            ASSERT_TRUE(runtimes.SetString("1.5", "Description", "no home"));
        else
            ASSERT_TRUE(runtimes.SetValue("1.5", "JavaHome", row.type, row.bytes));
        WriteConfiguration("1.4", "any");
        EXPECT_EQ(NotFound("minimum 1.4"), LaunchApp());
    }
}

// The home gets exactly one trailing backslash, whatever form the value has.
TEST_F(JreSelection, TheJavaHomeValueBecomesADirectoryEndingInABackslash)
{
    struct Row { DWORD type; std::string bytes; std::string directory; } rows[] = {
        { REG_SZ, std::string("C:\\Program Files\\Java\\j2re1.4.2_03") + '\0', "C:\\Program Files\\Java\\j2re1.4.2_03\\" },
        { REG_SZ, std::string("C:\\Java\\j2re1.5.0_06\\") + '\0', "C:\\Java\\j2re1.5.0_06\\" },
        { REG_SZ, std::string(1, '\0'), "\\" },
        { REG_BINARY, "C:\\Java\\stored without NUL", "C:\\Java\\stored without NUL\\" },
    };
    WriteConfiguration("any", "any");
    for (const Row& row : rows) {
        SCOPED_TRACE(row.directory);
        TestRegistryKey runtimes(HKEY_LOCAL_MACHINE, kRuntimesKey);
        ASSERT_NE(nullptr, runtimes.Handle()) << "the test prefix must not hold the runtimes' key already";
        ASSERT_TRUE(runtimes.SetValue("1.4.2_03", "JavaHome", row.type, row.bytes));
        EXPECT_EQ(NoJvm(row.directory), LaunchApp());
    }
}

TEST_F(JreSelection, WithoutAnyRuntimeTheMessageDescribesTheRequiredVersions)
{
    ASSERT_FALSE(RuntimesKeyExists()) << "the test prefix must not hold the runtimes' key";
    struct Row { const char* minimum; const char* maximum; const char* requirement; } rows[] = {
        { "any", "any", "latest version" },
        { nullptr, nullptr, "latest version" },
        { "any", "1.5", "maximum 1.5" },
        { "1.4", "any", "minimum 1.4" },
        { "1.4", nullptr, "minimum 1.4" },
        { "1.4.2.3", "1.4.2.3", "version 1.4.2.3 is required" },
        { "1.4", "1.5", "between 1.4 and 1.5" },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.requirement);
        WriteConfiguration(row.minimum, row.maximum);
        EXPECT_EQ(NotFound(row.requirement), LaunchApp());
    }
}

// The search called in this process, for what no message shows: the version
// kept with the chosen runtime. It lives here because it reads the same key.
TEST(RegistrySearch, KeepsTheVersionOfTheChosenSubkey)
{
    TestRegistryKey runtimes(HKEY_LOCAL_MACHINE, kRuntimesKey);
    ASSERT_NE(nullptr, runtimes.Handle()) << "the test prefix must not hold the runtimes' key already";
    for (const char* subkey : { "1.4", "1.4.2_03", "1.5", "1.5.0_06" })
        ASSERT_TRUE(runtimes.SetString(subkey, "JavaHome", std::string("C:\\home-") + subkey));

    struct Row { JavaVersion minimum; JavaVersion maximum; JavaVersion version; const char* directory; } rows[] = {
        { JavaVersion(1, 4, 0, 0), JavaVersion::Highest(), JavaVersion(1, 5, 0, 6), "C:\\home-1.5.0_06\\" },
        { JavaVersion::Zero(), JavaVersion(1, 4, 65535, 65535), JavaVersion(1, 4, 2, 3), "C:\\home-1.4.2_03\\" },
        { JavaVersion(1, 6, 0, 0), JavaVersion::Highest(), JavaVersion::Zero(), "" },
    };
    for (const Row& row : rows) {
        CJavaLauncher launcher;
        CJavaLauncherTestAccess access(launcher);
        access.MinVersion() = row.minimum;
        access.MaxVersion() = row.maximum;
        CString directory;
        launcher.FindRegistryJre(directory);
        SCOPED_TRACE(row.directory);
        EXPECT_STREQ(row.directory, directory);
        EXPECT_TRUE(row.version == access.JreVersion()) << access.JreVersion().ToText().GetText();
    }
}

// Run under code page 932 (see tests/CMakeLists.txt). 0x95 0x5C is one
// character (U+8868) whose trail byte is a backslash: a byte-wise search for
// the last separator would cut the path inside it.
TEST_F(JreSelection, DoubleByteNamesEndingInByte5CKeepTheirPathsWholeCp932)
{
    ASSERT_EQ(932u, GetACP()) << "this case needs LC_ALL=ja_JP.UTF-8";
    const std::vector<std::string> codePage932 = { "LC_ALL=ja_JP.UTF-8" };
    const std::string doubleByte = "\x95\x5c";

    // Renamed through the wide API: the test's own helpers split paths byte-wise.
    std::string exe = m_directory.Path() + "App" + doubleByte + ".exe";
    std::wstring directory(m_directory.Path().begin(), m_directory.Path().end());
    ASSERT_TRUE(MoveFileW((directory + L"App.exe").c_str(), (directory + L"App\u8868.exe").c_str()));
    WriteConfiguration("any", "any");
    ASSERT_TRUE(MoveFileW((directory + L"App.ini").c_str(), (directory + L"App\u8868.ini").c_str()));
    m_directory.WriteFile("bin\\java.dll", "");
    EXPECT_EQ(NoJvm(m_directory.Path()), LaunchForMessage(exe, codePage932)) << "the private runtime beside the exe";

    // A registry home ending in that character still needs its separator.
    DeleteFileA((m_directory.Path() + "bin\\java.dll").c_str());
    TestRegistryKey runtimes(HKEY_LOCAL_MACHINE, kRuntimesKey);
    ASSERT_NE(nullptr, runtimes.Handle()) << "the test prefix must not hold the runtimes' key already";
    std::string home = m_directory.Path() + "Java" + doubleByte;
    ASSERT_TRUE(runtimes.SetString("1.6", "JavaHome", home));
    EXPECT_EQ(NoJvm(home + "\\"), LaunchForMessage(exe, codePage932));
}
