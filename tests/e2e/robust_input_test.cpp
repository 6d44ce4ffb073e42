// Bad and extreme input from the INI file, the command line and the file
// system: every launch ends cleanly or with the one message that fits.
#include "support/Expectations.h"
#include "support/ShippedApp.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::string Utf16WithBom(const std::string& ascii)
{
    std::string bytes = "\xFF\xFE";
    for (char ch : ascii) {
        bytes += ch;
        bytes += '\0';
    }
    return bytes;
}

std::string WithLineEnds(std::string text, const char* lineEnd)
{
    std::string result;
    for (char ch : text)
        result += ch == '\n' ? std::string(lineEnd) : std::string(1, ch);
    return result;
}

} // namespace

TEST(RobustIni, ReadableFilesOfEveryShapeLaunch)
{
    const std::string ini = "[Class Path]\nClass Path=lib\\app.jar\n[Java Runtime Environment]\n"
                            "Main Class=com.example.Main\nVirtual Machine Parameters=-Xmx32m\n";
    struct Row { const char* name; std::string bytes; } rows[] = {
        { "LF", WithLineEnds(ini, "\n") },
        { "CRLF", WithLineEnds(ini, "\r\n") },
        { "UTF-16 with BOM", Utf16WithBom(WithLineEnds(ini, "\r\n")) },
        { "duplicate sections and keys, the first counts",
          WithLineEnds(ini + "[Class Path]\nClass Path=second.jar\n[Java Runtime Environment]\n"
                             "Virtual Machine Parameters=-Xmx1g\n", "\r\n") },
        { "lines without '=' are ignored", "[Class Path]\r\njust some words\r\nClass Path=lib\\app.jar\r\n"
                                           "[Java Runtime Environment]\r\n;a comment\r\nMain Class=com.example.Main\r\n"
                                           "Virtual Machine Parameters=-Xmx32m\r\n" },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ShippedApp app;
        app.AddPrivateRuntime();
        app.WriteIni(row.bytes);
        ExpectCleanLaunch(app.Launch(""));
        EXPECT_EQ((std::vector<std::string>{ "-Djava.class.path=lib\\app.jar", "-Xmx32m" }), OptionsOfCreation(app.Log()));
    }
}

TEST(RobustIni, GarbageReadsAsAMissingClassPath)
{
    std::string garbage;
    for (int i = 0; i < 4096; ++i)
        garbage += static_cast<char>((i * 7919 + 13) % 251 == '[' ? 0 : (i * 7919 + 13) % 251);
    for (const std::string& bytes : { garbage, std::string("\0\0\0\0", 4), std::string("\xFE\xFF\x00[", 4) }) {
        ShippedApp app;
        app.AddPrivateRuntime();
        app.WriteIni(bytes);
        ExpectOnlyMessage(app.Launch(""), kClassPathMissing);
    }
}

TEST(RobustIni, AFourMebibyteClassPathReachesTheVirtualMachineWhole)
{
    std::string classPath;
    for (int i = 0; classPath.size() < 4 * 1024 * 1024; ++i)
        classPath += "lib\\library-" + std::to_string(i) + ".jar;";
    ShippedApp app;
    app.AddPrivateRuntime();
    app.WriteIni("[Class Path]\r\nClass Path=" + classPath + "\r\n[Java Runtime Environment]\r\nMain Class=com.example.Main\r\n");
    ExpectCleanLaunch(app.Launch(""));
    std::vector<std::string> options = OptionsOfCreation(app.Log());
    ASSERT_EQ(1u, options.size());
    EXPECT_TRUE(options[0] == "-Djava.class.path=" + classPath) << "option of " << options[0].size() << " bytes";
}

TEST(RobustCommandLine, ArgumentsReachMainAsTokenized)
{
    struct Row { const char* name; std::string arguments; std::vector<std::string> expected; } rows[] = {
        { "unbalanced quote", "a \"b c", { "a", "b c" } },
        { "quote in the middle", "a\"b \"c d\"e", { "a\"b", "c d", "e" } },
        { "only spaces", "      ", {} },
        { "a tab is no separator", "\t a\tb \t", { "\t", "a\tb" } },
    };
    ShippedApp app;
    app.AddPrivateRuntime();
    app.WriteIni(kMinimalIni);
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ExpectCleanLaunch(app.Launch(row.arguments));
        EXPECT_EQ(row.expected, ArgumentsOfMain(app.Log()));
    }
}

TEST(RobustCommandLine, TheLongestCommandLineArrivesWhole)
{
    ShippedApp app;
    app.AddPrivateRuntime();
    app.WriteIni(kMinimalIni);
    // 32,767 characters including the terminating NUL is the most Windows takes.
    std::string commandLine = QuotedCommandLine(app.ExePath(), "");
    std::vector<std::string> expected;
    while (commandLine.size() + 1 + 100 <= 32766) {
        expected.push_back(std::string(99, static_cast<char>('a' + expected.size() % 26)));
        commandLine += " " + expected.back();
    }
    std::string last(32766 - commandLine.size() - 1, 'z');
    commandLine += " " + last;
    expected.push_back(last);
    ASSERT_EQ(32766u, commandLine.size());
    ExpectCleanLaunch(app.LaunchCommandLine(commandLine));
    EXPECT_EQ(expected, ArgumentsOfMain(app.Log()));
}

TEST(RobustPaths, AnExeNameWithSeveralDotsReadsTheIniOfItsLastExtension)
{
    ShippedApp app("My.Cool.App.exe");
    app.AddPrivateRuntime();
    app.WriteIni(kMinimalIni);
    ASSERT_NE(INVALID_FILE_ATTRIBUTES, GetFileAttributesA((app.AppDirectory() + "My.Cool.App.ini").c_str()));
    ExpectCleanLaunch(app.Launch(""));
}

TEST(RobustJavaSide, AnOptionTheVirtualMachineRefusesEndsWithOneMessage)
{
    for (const char* parameters : { "-Xmx32m notAnOption", "-Xmx32m \"\"" }) {
        SCOPED_TRACE(parameters);
        ShippedApp app;
        app.AddPrivateRuntime();
        app.WriteIni(std::string(kMinimalIni) + "Virtual Machine Parameters=" + parameters + "\r\n");
        ExpectOnlyMessage(app.Launch(""), "JNI exception: failed to create the Java VM.\n");
        EXPECT_NE(-1, LogIndex(app.Log(), "create.ignoreUnrecognized=0"));
        EXPECT_EQ(std::vector<std::string>{}, LogValues(app.Log(), "main.class"));
    }
}

TEST(RobustCommandLine, AnUnquotedProgramPathIsRemovedWhole)
{
    ShippedApp app;
    app.AddPrivateRuntime();
    app.WriteIni(kMinimalIni);
    ASSERT_EQ(std::string::npos, app.ExePath().find(' ')) << "the test directory's path must hold no space";
    LaunchResult result = app.LaunchCommandLine(app.ExePath() + " first \"second one\"");
    ExpectCleanLaunch(result);
    EXPECT_EQ((std::vector<std::string>{ "first", "second one" }), ArgumentsOfMain(app.Log()));
}
