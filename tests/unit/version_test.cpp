#include "version/JavaVersion.h"

#include <gtest/gtest.h>

#include <string>

namespace {
std::string Components(const JavaVersion& version)
{
    return std::to_string(version[0]) + "." + std::to_string(version[1]) + "." + std::to_string(version[2]) +
           "." + std::to_string(version[3]);
}

JavaVersion Parsed(const char* text, int fill, JavaVersion start = JavaVersion())
{
    start.Parse(text, fill);
    return start;
}
} // namespace

TEST(JavaVersion, ParsesDigitRunsWithTheFillValue)
{
    struct Row { const char* text; int fill; const char* expected; } rows[] = {
        { "1.4.2_03", 0, "1.4.2.3" },
        { "1.4.2_03", 65535, "1.4.2.3" },
        { "1.4", 0, "1.4.0.0" },
        { "1.4", 65535, "1.4.65535.65535" },
        { "1.5.0", 65535, "1.5.0.65535" },
        { "1", 65535, "1.65535.65535.65535" },
        { "1.2.3.4.5", 0, "1.2.3.4" },
        { "1.2.3.4.5", 65535, "1.2.3.4" },
        { "jdk1-2b3", 0, "1.2.3.0" },
        { "0", 65535, "0.65535.65535.65535" },
        { "no digits", 65535, "0.0.0.0" },
        { "007.010", 0, "7.10.0.0" },
        { "1.4 ", 65535, "1.4.65535.65535" },
        // Runs wrap modulo 2^32 and read as signed 32-bit numbers.
        { "4294967296.1", 0, "0.1.0.0" },
        { "2147483648", 0, "-2147483648.0.0.0" },
        { "999999999999.1", 0, "-727379969.1.0.0" },
        { "1.2.3.99999999999999999999999", 0, "1.2.3.-159383553" },
    };
    for (const Row& row : rows)
        EXPECT_EQ(row.expected, Components(Parsed(row.text, row.fill))) << row.text << " fill " << row.fill;
}

TEST(JavaVersion, EmptyTextKeepsTheEarlierValue)
{
    EXPECT_EQ("1.2.3.4", Components(Parsed("", 65535, JavaVersion(1, 2, 3, 4))));
    EXPECT_EQ("0.0.0.0", Components(Parsed("none", 65535, JavaVersion(1, 2, 3, 4))));
}

TEST(JavaVersion, ComparesNumericallyFromTheFirstComponent)
{
    struct Row { JavaVersion left, right; int expected; } rows[] = {
        { JavaVersion(1, 4, 2, 3), JavaVersion(1, 4, 10, 0), -1 },
        { JavaVersion(1, 5, 0, 0), JavaVersion(1, 4, 65535, 65535), 1 },
        { JavaVersion(1, 4, 2, 3), JavaVersion(1, 4, 2, 3), 0 },
        { JavaVersion(2, 0, 0, 0), JavaVersion(10, 0, 0, 0), -1 },
        { JavaVersion(-1, 0, 0, 0), JavaVersion(0, 0, 0, 0), -1 },
        { JavaVersion(1, 0, 0, 1), JavaVersion(1, 0, 0, 0), 1 },
    };
    for (const Row& row : rows) {
        EXPECT_EQ(row.expected, row.left.Compare(row.right)) << Components(row.left) << " vs " << Components(row.right);
        EXPECT_EQ(-row.expected, row.right.Compare(row.left));
        EXPECT_EQ(row.expected == 0, row.left == row.right);
    }
}

TEST(JavaVersion, PrintsTheShortForm)
{
    struct Row { JavaVersion version; const char* text; } rows[] = {
        { JavaVersion(1, 4, 65535, 65535), "1.4" },
        { JavaVersion(1, 5, 0, 0), "1.5" },
        { JavaVersion(1, 5, 0, 65535), "1.5" },
        { JavaVersion(1, 4, 0, 3), "1.4.0.3" },
        { JavaVersion(1, 65535, 2, 0), "1.65535.2" },
        { JavaVersion(0, 65535, 65535, 65535), "0.0.0.0" },
        { JavaVersion(), "0.0.0.0" },
        { JavaVersion::Highest(), "0.0.0.0" },
        { JavaVersion(-5, 1, 0, 0), "-5.1" },
    };
    for (const Row& row : rows)
        EXPECT_STREQ(row.text, row.version.ToText()) << Components(row.version);
}

TEST(JavaVersion, OnlyAllZeroOrAllHighestIsUnbounded)
{
    EXPECT_TRUE(JavaVersion().IsUnbounded());
    EXPECT_TRUE(JavaVersion::Highest().IsUnbounded());
    EXPECT_FALSE(JavaVersion(0, 65535, 65535, 65535).IsUnbounded());
    EXPECT_FALSE(JavaVersion(65535, 65535, 65535, 0).IsUnbounded());
    EXPECT_FALSE(JavaVersion(1, 4, 0, 0).IsUnbounded());
}
