#include "support/Expectations.h"

#include <gtest/gtest.h>

std::string NotFound(const std::string& requirement)
{
    return "Java Runtime Environment (JRE) not found. Please download and install JRE (" + requirement +
           ") from: \nhttps://www.java.com/getjava/download.html";
}

std::string NoJvm(const std::string& jreDirectory)
{
    return "Java Virtual Machine (JVM) not found in JRE directory " + jreDirectory + ". Please reinstall JRE.";
}

std::string LoadFailed(const std::string& jvmLibrary)
{
    return "Failed to load Java VM library: " + jvmLibrary + " (errno = 193).\n";
}

void ExpectCleanLaunch(const LaunchResult& result)
{
    ASSERT_TRUE(result.started);
    EXPECT_FALSE(result.timedOut);
    EXPECT_EQ(0u, result.exitCode);
    EXPECT_TRUE(result.boxes.empty()) << (result.boxes.empty() ? "" : result.boxes[0].text);
}

void ExpectOnlyMessage(const LaunchResult& result, const std::string& text, HWND owner, const std::string& caption)
{
    ASSERT_TRUE(result.started);
    EXPECT_FALSE(result.timedOut);
    EXPECT_EQ(0xFFFFFFFFu, result.exitCode);
    ASSERT_EQ(1u, result.boxes.size());
    EXPECT_EQ(caption, result.boxes[0].caption);
    EXPECT_EQ(text, result.boxes[0].text);
    EXPECT_EQ(owner, result.boxes[0].owner);
}
