#include "support/Expectations.h"
#include "support/ShippedApp.h"
#include "support/WindowProbe.h"

#include <gtest/gtest.h>

class ConfigurationFile : public testing::Test
{
protected:
    LaunchResult Launch(const std::string& exePath, const std::string& arguments = "")
    {
        LaunchOptions options;
        options.commandLine = QuotedCommandLine(exePath, arguments);
        options.workingDirectory = m_directory.Path();
        return RunAndProbe(options);
    }

    TestDirectory m_directory;
};

TEST_F(ConfigurationFile, MissingValuesShowTheirMessage)
{
    struct Row { const char* ini; const char* message; } rows[] = {
        { nullptr, kClassPathMissing },
        { "[Java Runtime Environment]\r\nClass Path=app.jar\r\nMain Class=app.Main\r\n", kClassPathMissing },
        { "[Class Path]\r\nClass Path=app.jar\r\n[Java Runtime Environment]\r\nMinimum Version=1.4\r\n", kMainClassMissing },
    };
    std::string exe = m_directory.CopyLauncher("Tool.exe");
    for (const Row& row : rows) {
        DeleteFileA((m_directory.Path() + "Tool.ini").c_str());
        if (row.ini)
            m_directory.WriteFile("Tool.ini", row.ini);
        for (const char* arguments : { "", "-nosplash" }) {
            SCOPED_TRACE(std::string(row.ini ? row.ini : "(no file)") + arguments);
            ExpectOnlyMessage(Launch(exe, arguments), row.message);
        }
    }
}

TEST_F(ConfigurationFile, ARenamedCopyReadsTheFileOfItsOwnName)
{
    m_directory.WriteFile("Tool.ini", "[Java Runtime Environment]\r\nMain Class=app.Main\r\n");
    m_directory.WriteFile("Other.ini", "[Class Path]\r\nClass Path=other.jar\r\n");
    m_directory.WriteFile("My.App.ini", "[Java Runtime Environment]\r\nMain Class=app.Main\r\n");
    ExpectOnlyMessage(Launch(m_directory.CopyLauncher("Tool.exe")), kClassPathMissing);
    ExpectOnlyMessage(Launch(m_directory.CopyLauncher("Other.exe")), kMainClassMissing);
    // Only the last dot counts: My.App.exe reads My.App.ini, which has no class path.
    ExpectOnlyMessage(Launch(m_directory.CopyLauncher("My.App.exe")), kClassPathMissing);
}

TEST_F(ConfigurationFile, AnExecutablePathWithoutADotEndsSilently)
{
    std::string exe = m_directory.CopyLauncher("NoDot");
    ASSERT_EQ(std::string::npos, exe.find('.')) << "the test directory's path must hold no dot";
    LaunchResult result = Launch(exe);
    ASSERT_TRUE(result.started);
    EXPECT_EQ(0xFFFFFFFFu, result.exitCode);
    EXPECT_TRUE(result.boxes.empty());
}

// What the real executable reads reaches the virtual machine: long values
// whole, names in any case, quotes around a value dropped by the reader.
TEST(ConfigurationValues, ReachTheVirtualMachineAsWritten)
{
    std::string classPath;
    while (classPath.size() < 300)
        classPath += "lib\\part" + std::to_string(classPath.size()) + ".jar;";
    std::vector<std::string> parameters;
    std::string parameterText;
    while (parameterText.size() < 5000) {
        parameters.push_back("-Dkey" + std::to_string(parameters.size()) + "=value");
        parameterText += parameters.back() + " ";
    }
    ShippedApp app;
    app.AddPrivateRuntime();
    app.WriteIni("[CLASS PATH]\r\nclass path=\"" + classPath + "\"\r\n[java runtime environment]\r\n"
                 "MAIN class='com.example.Main'\r\nVirtual Machine PARAMETERS=" + parameterText + "\r\n");
    LaunchResult result = app.Launch("");
    EXPECT_EQ(0u, result.exitCode);
    EXPECT_TRUE(result.boxes.empty());
    std::vector<std::string> expected = { "-Djava.class.path=" + classPath };
    expected.insert(expected.end(), parameters.begin(), parameters.end());
    EXPECT_EQ(expected, OptionsOfCreation(app.Log()));
    EXPECT_EQ(std::vector<std::string>{ "com/example/Main" }, LogValues(app.Log(), "main.class"));
}
