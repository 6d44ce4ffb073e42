#include "support/LauncherAccess.h"
#include "support/TestDirectory.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// Reads a real INI file through the platform's profile reader: the one that
// lies beside this test executable, as it lies beside the launcher.
class Configuration : public testing::Test
{
protected:
    void SetUp() override
    {
        char path[MAX_PATH];
        GetModuleFileNameA(nullptr, path, MAX_PATH);
        m_iniPath = path;
        m_iniPath = m_iniPath.substr(0, m_iniPath.rfind('.') + 1) + "ini";
    }
    void TearDown() override { DeleteFileA(m_iniPath.c_str()); }

    bool Read(const std::string& ini)
    {
        WriteIni(ini);
        return m_launcher.ReadConfiguration();
    }

    void WriteIni(const std::string& ini)
    {
        HANDLE file = CreateFileA(m_iniPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD written = 0;
        WriteFile(file, ini.data(), static_cast<DWORD>(ini.size()), &written, nullptr);
        CloseHandle(file);
    }

    std::vector<std::string> VmOptions()
    {
        std::vector<std::string> options;
        CStringList& list = m_access.VmOptions();
        for (int i = 0; i < list.GetCount(); ++i)
            options.push_back(std::string(list[i]));
        return options;
    }

    std::string m_iniPath;
    CJavaLauncher m_launcher;
    CJavaLauncherTestAccess m_access{ m_launcher };
};

TEST_F(Configuration, FillsOptionsMainClassAndBounds)
{
    ErrorRecorder errors;
    ASSERT_TRUE(Read("[Class Path]\nClass Path=C:\\My App\\a.jar;b.jar\n"
                     "[Java Runtime Environment]\n"
                     "Virtual Machine Parameters=-Xmx64m \"-Dname=My App\" \"\" -Djava.class.path=x\n"
                     "Main Class=com.example.App\nMinimum Version=1.4\nMaximum Version=1.5\n"));
    EXPECT_EQ((std::vector<std::string>{ "-Djava.class.path=C:\\My App\\a.jar;b.jar", "-Xmx64m", "-Dname=My App", "",
                                         "-Djava.class.path=x" }),
              VmOptions());
    EXPECT_TRUE(errors.Reports().empty());
    EXPECT_STREQ("com/example/App", m_access.MainClass());
    EXPECT_EQ(JavaVersion(1, 4, 0, 0), m_access.MinVersion());
    EXPECT_EQ(JavaVersion(1, 5, 65535, 65535), m_access.MaxVersion());
}

TEST_F(Configuration, ReadsVersionKeywordsAndUnsetBounds)
{
    struct Row { const char* keys; JavaVersion minimum, maximum; } rows[] = {
        { "Minimum Version=any\nMaximum Version=any\n", JavaVersion(), JavaVersion::Highest() },
        { "", JavaVersion(), JavaVersion() },
        { "Maximum Version=\n", JavaVersion(), JavaVersion() },
        { "Minimum Version=Any\nMaximum Version=ANY\n", JavaVersion(), JavaVersion() },
        { "Minimum Version=1.4.2_03\nMaximum Version=1\n", JavaVersion(1, 4, 2, 3), JavaVersion(1, 65535, 65535, 65535) },
    };
    for (const Row& row : rows) {
        CJavaLauncher launcher;
        CJavaLauncherTestAccess access(launcher);
        std::string ini = std::string("[Class Path]\nClass Path=a.jar\n[Java Runtime Environment]\nMain Class=a.b.C\n") + row.keys;
        WriteIni(ini);
        ASSERT_TRUE(launcher.ReadConfiguration()) << row.keys;
        EXPECT_EQ(row.minimum, access.MinVersion()) << row.keys;
        EXPECT_EQ(row.maximum, access.MaxVersion()) << row.keys;
        EXPECT_STREQ("a/b/C", access.MainClass());
    }
}

TEST_F(Configuration, ReadsLongValuesWhole)
{
    for (size_t length : { 255u, 256u, 300u, 511u, 5000u, 70000u }) {
        CJavaLauncher launcher;
        CJavaLauncherTestAccess access(launcher);
        std::string classPath(length, 'c');
        std::string parameters;
        while (parameters.size() < length)
            parameters += "-Dp" + std::to_string(parameters.size()) + "=v ";
        WriteIni("[Class Path]\nClass Path=" + classPath + "\n[Java Runtime Environment]\nMain Class=M\n"
             "Virtual Machine Parameters=" + parameters + "\n");
        ASSERT_TRUE(launcher.ReadConfiguration());
        EXPECT_EQ("-Djava.class.path=" + classPath, std::string(access.VmOptions()[0])) << length;
        std::string rejoined;
        for (int i = 1; i < access.VmOptions().GetCount(); ++i)
            rejoined += std::string(access.VmOptions()[i]) + " ";
        EXPECT_EQ(parameters, rejoined) << length;
    }
}

TEST_F(Configuration, MatchesNamesRegardlessOfCaseAndDropsQuotes)
{
    ASSERT_TRUE(Read("[CLASS PATH]\nclass path = \"lib\\app.jar\"\n[java runtime environment]\nMAIN CLASS='app.Main'\n"));
    EXPECT_EQ("-Djava.class.path=lib\\app.jar", VmOptions().at(0));
    EXPECT_STREQ("app/Main", m_access.MainClass());
}

TEST_F(Configuration, ReportsAMissingClassPathOrMainClass)
{
    struct Row { const char* ini; const char* message; } rows[] = {
        { "", "Java Class Path was not specified in INI file." },
        { "[Java Runtime Environment]\nClass Path=a.jar\nMain Class=M\n", "Java Class Path was not specified in INI file." },
        { "[Class Path]\nClass Path=\n[Java Runtime Environment]\nMain Class=M\n", "Java Class Path was not specified in INI file." },
        { "[Class Path]\nClass Path=a.jar\n", "Main class was not specified in INI file." },
        { "[Class Path]\nClass Path=a.jar\n[Java Runtime Environment]\nMain Class=\n", "Main class was not specified in INI file." },
    };
    for (const Row& row : rows) {
        ErrorRecorder errors;
        CJavaLauncher launcher;
        CJavaLauncherTestAccess(launcher).SplashWindow() = reinterpret_cast<HWND>(0x42);
        WriteIni(row.ini);
        EXPECT_FALSE(launcher.ReadConfiguration()) << row.ini;
        ASSERT_EQ(1u, errors.Reports().size()) << row.ini;
        EXPECT_EQ(row.message, errors.Reports()[0].text);
        EXPECT_EQ(reinterpret_cast<HWND>(0x42), errors.Reports()[0].owner);
    }
}
