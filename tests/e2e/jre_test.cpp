#include "support/Expectations.h"
#include "support/ShippedApp.h"
#include "support/TestRegistryKey.h"

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

// The INI with these version bounds; a null bound leaves its key out.
void WriteBounds(const ShippedApp& app, const char* minimum, const char* maximum)
{
    std::string ini = kMinimalIni;
    if (minimum)
        ini += std::string("Minimum Version=") + minimum + "\r\n";
    if (maximum)
        ini += std::string("Maximum Version=") + maximum + "\r\n";
    app.WriteIni(ini);
}

} // namespace

class JreSelection : public testing::Test
{
protected:
    void SetUp() override
    {
        ASSERT_NE(nullptr, m_runtimes.Handle()) << "the test prefix must not hold the runtimes' key already";
    }

    LaunchResult Launch() const { return m_app.Launch("-nosplash"); }
    std::string Home(const std::string& subkey) const { return m_app.AppDirectory() + "home-" + subkey; }

    ShippedApp m_app;
    TestRegistryKey m_runtimes{ HKEY_LOCAL_MACHINE, kRuntimesKey };
};

// The bounds admit no runtime that exists, the registered usable one neither:
// a message naming a private directory shows that the private runtime was
// taken before the registry was asked and without a range test.
TEST_F(JreSelection, APrivateRuntimeWinsOverTheRegistryWithoutARangeTest)
{
    const std::string path = m_app.AppDirectory();
    m_app.Directory().WriteFile("installed\\bin\\java.dll", "");
    m_app.Directory().WriteFile("installed\\bin\\client\\jvm.dll", "");
    ASSERT_TRUE(m_runtimes.SetString("1.5.0_06", "JavaHome", path + "installed"));
    WriteBounds(m_app, "9", "9.1");

    struct Step { const char* what; std::vector<const char*> files; std::string message; } steps[] = {
        { "jre\\ holds a runtime", { "jre\\bin\\java.dll" }, NoJvm(path + "jre\\") },
        { "the exe's own directory comes before jre\\", { "jre\\bin\\client\\jvm.dll", "bin\\java.dll" }, NoJvm(path) },
        { "a private runtime with a jvm.dll is selected", { "bin\\server\\jvm.dll" },
          LoadFailed(path + "bin\\server\\jvm.dll") },
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.what);
        for (const char* file : step.files)
            m_app.Directory().WriteFile(file, "");
        ExpectOnlyMessage(Launch(), step.message);
    }
}

TEST_F(JreSelection, AJreSubdirectoryWithoutJavaDllIsIgnored)
{
    ASSERT_TRUE(m_runtimes.SetString("1.5", "JavaHome", Home("1.5")));
    m_app.Directory().WriteFile("jre\\bin\\client\\jvm.dll", "");
    m_app.Directory().WriteFile("bin\\client\\jvm.dll", "");
    WriteBounds(m_app, "1.4", "any");
    ExpectOnlyMessage(Launch(), NoJvm(Home("1.5") + "\\"));
}

// Each subkey names its own home, so the message tells which one was chosen.
TEST_F(JreSelection, TheRegistrySearchTakesTheHighestVersionInTheRange)
{
    for (const char* subkey : { "1.4", "1.4.2_03", "1.5", "1.5.0_06" })
        ASSERT_TRUE(m_runtimes.SetString(subkey, "JavaHome", Home(subkey)));

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
        WriteBounds(m_app, row.minimum, row.maximum);
        ExpectOnlyMessage(Launch(), row.chosen ? NoJvm(Home(row.chosen) + "\\") : NotFound(row.requirement));
    }
}

TEST_F(JreSelection, AmongEqualVersionsTheFirstEnumeratedWins)
{
    for (const char* subkey : { "1.5.0", "1.5", "1.05", "1.4" })
        ASSERT_TRUE(m_runtimes.SetString(subkey, "JavaHome", Home(subkey)));

    std::string first;
    char name[260];
    for (DWORD index = 0; first.empty(); ++index) {
        DWORD length = sizeof name;
        ASSERT_EQ(ERROR_SUCCESS, RegEnumKeyExA(m_runtimes.Handle(), index, name, &length, nullptr, nullptr, nullptr, nullptr));
        if (std::string(name) != "1.4")
            first = name;
    }
    WriteBounds(m_app, "any", "any");
    ExpectOnlyMessage(Launch(), NoJvm(Home(first) + "\\"));
}

// A name without digits reads as 0.0.0.0, which never beats the start value.
TEST_F(JreSelection, SubkeysWithoutAVersionAreNeverChosen)
{
    WriteBounds(m_app, "any", "any");
    {
        SCOPED_TRACE("a key without subkeys");
        ExpectOnlyMessage(Launch(), NotFound("latest version"));
    }
    for (const char* subkey : { "CurrentVersion", "beta" })
        ASSERT_TRUE(m_runtimes.SetString(subkey, "JavaHome", Home(subkey)));
    ExpectOnlyMessage(Launch(), NotFound("latest version"));
}

// No fallback to a lower runtime: the highest one in range is broken.
TEST_F(JreSelection, AChosenSubkeyWithoutJavaHomeGivesNotFound)
{
    ASSERT_TRUE(m_runtimes.SetString("1.4", "JavaHome", Home("1.4")));
    ASSERT_TRUE(m_runtimes.SetString("1.5", "Description", "no home"));
    WriteBounds(m_app, "1.4", "any");
    {
        SCOPED_TRACE("no JavaHome value");
        ExpectOnlyMessage(Launch(), NotFound("minimum 1.4"));
    }
    ASSERT_TRUE(m_runtimes.SetValue("1.5", "JavaHome", REG_SZ, ""));
    SCOPED_TRACE("JavaHome without data");
    ExpectOnlyMessage(Launch(), NotFound("minimum 1.4"));
}

// robust_registry has homes without a trailing backslash, which get one.
TEST_F(JreSelection, AJavaHomeEndingInABackslashGetsNoSecondOne)
{
    ASSERT_TRUE(m_runtimes.SetString("1.5.0_06", "JavaHome", "C:\\Java\\j2re1.5.0_06\\"));
    WriteBounds(m_app, "any", "any");
    ExpectOnlyMessage(Launch(), NoJvm("C:\\Java\\j2re1.5.0_06\\"));
}

TEST(JreNotFound, TheMessageDescribesTheRequiredVersions)
{
    HKEY key = nullptr;
    ASSERT_NE(ERROR_SUCCESS, RegOpenKeyExA(HKEY_LOCAL_MACHINE, kRuntimesKey, 0, KEY_READ, &key))
        << "the test prefix must not hold the runtimes' key";
    struct Row { const char* minimum; const char* maximum; const char* requirement; } rows[] = {
        { "any", "any", "latest version" },
        { nullptr, nullptr, "latest version" },
        { "any", "1.5", "maximum 1.5" },
        { "1.4", "any", "minimum 1.4" },
        { "1.4", nullptr, "minimum 1.4" },
        { "1.4.2.3", "1.4.2.3", "version 1.4.2.3 is required" },
        { "1.4", "1.5", "between 1.4 and 1.5" },
        { "1.4", "1.4", "between 1.4 and 1.4" },
    };
    ShippedApp app;
    for (const Row& row : rows) {
        SCOPED_TRACE(row.requirement);
        WriteBounds(app, row.minimum, row.maximum);
        ExpectOnlyMessage(app.Launch("-nosplash"), NotFound(row.requirement));
    }
}

// Run under code page 932 (see tests/CMakeLists.txt). 0x95 0x5C is one
// character (U+8868) whose trail byte is a backslash: a byte-wise search for
// the last separator would cut the path inside it.
TEST_F(JreSelection, DoubleByteNamesEndingInByte5CKeepTheirPathsWholeCp932)
{
    ASSERT_EQ(932u, GetACP()) << "this case needs LC_ALL=ja_JP.UTF-8";
    const std::vector<std::string> codePage932 = { "LC_ALL=ja_JP.UTF-8" };
    const char kJapaneseError[] = "\x83\x47\x83\x89\x81\x5B"; // the system's caption in code page 932
    const std::string doubleByte = "\x95\x5c";
    const std::string directory = m_app.AppDirectory();

    // Renamed through the wide API: the test's own helpers split paths byte-wise.
    const std::string commandLine = QuotedCommandLine(directory + "App" + doubleByte + ".exe", "-nosplash");
    const std::wstring wide(directory.begin(), directory.end());
    ASSERT_TRUE(MoveFileW((wide + L"App.exe").c_str(), (wide + L"App\u8868.exe").c_str()));
    WriteBounds(m_app, "any", "any");
    ASSERT_TRUE(MoveFileW((wide + L"App.ini").c_str(), (wide + L"App\u8868.ini").c_str()));
    m_app.Directory().WriteFile("bin\\java.dll", "");
    {
        SCOPED_TRACE("the private runtime beside the exe");
        ExpectOnlyMessage(m_app.LaunchCommandLine(commandLine, codePage932), NoJvm(directory), nullptr, kJapaneseError);
    }

    // A registry home ending in that character still needs its separator.
    DeleteFileA((directory + "bin\\java.dll").c_str());
    const std::string home = directory + "Java" + doubleByte;
    ASSERT_TRUE(m_runtimes.SetString("1.6", "JavaHome", home));
    ExpectOnlyMessage(m_app.LaunchCommandLine(commandLine, codePage932), NoJvm(home + "\\"), nullptr, kJapaneseError);
}
