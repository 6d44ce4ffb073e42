#include "support/TestDirectory.h"
#include "support/WindowProbe.h"

#include <gtest/gtest.h>

// Whole launches of the real executable, copied under an application name.
class LaunchSequence : public testing::Test
{
protected:
    LaunchResult Launch(const std::string& exeName, const std::string& arguments)
    {
        LaunchOptions options;
        options.commandLine = QuotedCommandLine(m_directory.CopyLauncher(exeName), arguments);
        options.workingDirectory = m_directory.Path();
        return RunAndProbe(options);
    }

    TestDirectory m_directory;
};

TEST_F(LaunchSequence, AFailedLaunchShowsOneUnownedErrorBoxAndExitsMinusOne)
{
    for (const char* arguments : { "", "-nosplash", "/nosplash x y", "\"quoted argument\"" }) {
        LaunchResult result = Launch("Tool.exe", arguments);
        ASSERT_TRUE(result.started);
        EXPECT_FALSE(result.timedOut);
        EXPECT_EQ(0xFFFFFFFFu, result.exitCode) << arguments;
        ASSERT_EQ(1u, result.boxes.size()) << arguments;
        EXPECT_EQ("Error", result.boxes[0].caption);
        EXPECT_FALSE(result.boxes[0].text.empty());
        EXPECT_EQ(nullptr, result.boxes[0].owner);
    }
}
