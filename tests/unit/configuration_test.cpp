#include "support/LauncherAccess.h"

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

    void WriteIni(const std::string& ini)
    {
        HANDLE file = CreateFileA(m_iniPath.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS, 0, nullptr);
        DWORD written = 0;
        WriteFile(file, ini.data(), static_cast<DWORD>(ini.size()), &written, nullptr);
        CloseHandle(file);
    }

    std::string m_iniPath;
};

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
