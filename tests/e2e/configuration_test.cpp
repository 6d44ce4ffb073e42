#include "support/Expectations.h"
#include "support/ShippedApp.h"

#include <gtest/gtest.h>

TEST(ConfigurationFile, MissingValuesShowTheirMessage)
{
    struct Row { const char* ini; const char* message; } rows[] = {
        { nullptr, kClassPathMissing },
        { "[Java Runtime Environment]\r\nClass Path=app.jar\r\nMain Class=app.Main\r\n", kClassPathMissing },
        { "[Class Path]\r\nClass Path=app.jar\r\n[Java Runtime Environment]\r\nMinimum Version=1.4\r\n", kMainClassMissing },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.ini ? row.ini : "(no file)");
        ShippedApp app("Tool.exe");
        if (row.ini)
            app.WriteIni(row.ini);
        ExpectOnlyMessage(app.Launch(""), row.message);
    }
}

TEST(ConfigurationFile, ARenamedCopyReadsTheFileOfItsOwnName)
{
    ShippedApp app("Tool.exe");
    app.WriteIni("[Java Runtime Environment]\r\nMain Class=app.Main\r\n");
    std::string other = app.Directory().CopyLauncher("Other.exe");
    app.Directory().WriteFile("Other.ini", "[Class Path]\r\nClass Path=other.jar\r\n");
    ExpectOnlyMessage(app.Launch(""), kClassPathMissing);
    ExpectOnlyMessage(app.LaunchCommandLine(QuotedCommandLine(other, "")), kMainClassMissing);
}

TEST(ConfigurationFile, AnExecutablePathWithoutADotEndsSilently)
{
    ShippedApp app("NoDot");
    ASSERT_EQ(std::string::npos, app.ExePath().find('.')) << "the test directory's path must hold no dot";
    LaunchResult result = app.Launch("");
    ASSERT_TRUE(result.started);
    EXPECT_EQ(0xFFFFFFFFu, result.exitCode);
    EXPECT_TRUE(result.boxes.empty());
}

// What the real executable reads reaches the virtual machine: values whole
// at lengths around the reader's buffer sizes (it starts at 256 characters
// and doubles), names in any case, quotes around a value dropped.
TEST(ConfigurationValues, ReachTheVirtualMachineAsWritten)
{
    struct Row { size_t length; bool quoted; } rows[] = {
        { 255, false }, { 256, false }, { 511, false }, { 254, true }, { 255, true }, { 511, true },
        { 1023, true }, { 300, true }, { 5000, true },
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(std::to_string(row.length) + (row.quoted ? " quoted" : ""));
        std::string classPath;
        while (classPath.size() < row.length)
            classPath += "lib\\part" + std::to_string(classPath.size()) + ".jar;";
        classPath.resize(row.length);
        std::vector<std::string> parameters;
        std::string parameterText;
        while (parameterText.size() < row.length) {
            parameters.push_back("-Dkey" + std::to_string(parameters.size()) + "=value");
            parameterText += parameters.back() + " ";
        }
        const std::string quote = row.quoted ? "\"" : "";
        ShippedApp app;
        app.AddPrivateRuntime();
        app.WriteIni("[CLASS PATH]\r\nclass path=" + quote + classPath + quote + "\r\n[java runtime environment]\r\n"
                     "MAIN class='com.example.Main'\r\nVirtual Machine PARAMETERS=" + parameterText + "\r\n");
        ExpectCleanLaunch(app.Launch(""));
        std::vector<std::string> expected = { "-Djava.class.path=" + classPath };
        expected.insert(expected.end(), parameters.begin(), parameters.end());
        EXPECT_EQ(expected, OptionsOfCreation(app.Log()));
        EXPECT_EQ(std::vector<std::string>{ "com/example/Main" }, LogValues(app.Log(), "main.class"));
    }
}
