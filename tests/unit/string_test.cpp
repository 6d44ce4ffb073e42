#include "framework/String.h"

#include <gtest/gtest.h>

#include <climits>
#include <string>

TEST(CString, CopiesShareUntilOneChanges)
{
    CString original("class path");
    CString copy(original);
    EXPECT_TRUE(copy.SharesBufferWith(original));

    copy += ";more";
    EXPECT_FALSE(copy.SharesBufferWith(original));
    EXPECT_STREQ("class path", original);
    EXPECT_STREQ("class path;more", copy);

    CString assigned;
    assigned = original;
    assigned.Replace(' ', '_');
    EXPECT_STREQ("class path", original);
    EXPECT_STREQ("class_path", assigned);
}

TEST(CString, EveryEmptyStringSharesOneBuffer)
{
    CString fresh, fromEmptyText(""), fromNull(static_cast<const char*>(nullptr)), fromWide(L"");
    CString emptied("x");
    emptied.Empty();
    CString trimmedAway("   ");
    trimmedAway.Trim();
    for (const CString* text : { &fromEmptyText, &fromNull, &fromWide, &emptied, &trimmedAway }) {
        EXPECT_TRUE(text->SharesBufferWith(fresh));
        EXPECT_EQ(0, text->GetLength());
        EXPECT_STREQ("", *text);
    }
}

TEST(CString, AppendsToItself)
{
    CString text("ab");
    text += text;
    EXPECT_STREQ("abab", text);
    text += text.GetText() + 1;
    EXPECT_STREQ("ababbab", text);
    text += 'c';
    EXPECT_STREQ("ababbabc", text);
    EXPECT_STREQ("x-ababbabc-y", "x-" + text + "-y");
}

TEST(CString, LeftAndMidClampPositionsAndCounts)
{
    const CString text("abcdef");
    struct Row { int start, count; const char* expected; } rows[] = {
        { 0, 3, "abc" }, { 2, 2, "cd" }, { 4, 100, "ef" }, { -5, 2, "ab" },
        { 2, -1, "" }, { 6, 1, "" }, { 99, 99, "" }, { 0, 6, "abcdef" },
    };
    for (const Row& row : rows)
        EXPECT_STREQ(row.expected, text.Mid(row.start, row.count)) << row.start << "," << row.count;
    EXPECT_STREQ("abc", text.Left(3));
    EXPECT_STREQ("", text.Left(-1));
    EXPECT_STREQ("abcdef", text.Left(50));
    EXPECT_STREQ("def", text.Mid(3));
}

TEST(CString, FindsForwardFromAPositionAndBackward)
{
    const CString path("C:\\Apps\\Tool.x.exe");
    EXPECT_EQ(2, path.Find('\\'));
    EXPECT_EQ(7, path.Find('\\', 3));
    EXPECT_EQ(-1, path.Find('\\', 8));
    EXPECT_EQ(2, path.Find('\\', -4));
    EXPECT_EQ(14, path.ReverseFind('.'));
    EXPECT_EQ(-1, path.ReverseFind('/'));
    EXPECT_EQ(-1, CString().Find('a'));
}

TEST(CString, TrimsWhiteSpaceOfTheThreadLocale)
{
    struct Row { const char* input; const char* expected; } rows[] = {
        { "  a b  ", "a b" }, { "\t\r\n a\t\r\n", "a" }, { "a", "a" }, { " \t ", "" }, { "", "" },
    };
    for (const Row& row : rows) {
        CString text(row.input);
        text.Trim();
        EXPECT_STREQ(row.expected, text) << row.input;
    }
    CString onlyLeft("  x  ");
    onlyLeft.TrimLeft();
    EXPECT_STREQ("x  ", onlyLeft);
}

TEST(CString, FormatsWholeTextsAndNumbers)
{
    const std::string longPath(5000, 'p');
    struct Row { const char* format; const char* text; int number; std::string expected; } rows[] = {
        { "COM error: %s (errno = %d).\n", "failed to initialize", -2147024882,
          "COM error: failed to initialize (errno = -2147024882).\n" },
        { "%s|%d", "", 0, "|0" },
        { "%d", nullptr, INT_MIN, "-2147483648" },
        { "100%% %s", "done", 0, "100% done" },
        { "Failed to load Java VM library: %s (errno = %d).\n", longPath.c_str(), 193,
          "Failed to load Java VM library: " + longPath + " (errno = 193).\n" },
    };
    for (const Row& row : rows) {
        CString text;
        if (row.text)
            text.Format(row.format, row.text, row.number);
        else
            text.Format(row.format, row.number);
        EXPECT_EQ(row.expected, std::string(text)) << row.format;
        EXPECT_EQ(static_cast<int>(row.expected.size()), text.GetLength()) << row.format;
    }
}

// Run under code page 932 (see tests/CMakeLists.txt): 0x95 0x5C is one
// character whose trail byte is a backslash; 0x81 0x40 is the ideographic space.
TEST(CStringCp932, StepsOverDoubleByteCharacters)
{
    ASSERT_EQ(932u, GetACP()) << "this case needs LC_ALL=ja_JP.UTF-8";
    const CString path("C:\\\x95\x5c\\x\x95\x5c");
    EXPECT_EQ(2, path.Find('\\'));
    EXPECT_EQ(5, path.Find('\\', 3));
    EXPECT_EQ(5, path.Find('\\', 4)) << "a start inside a character must not match its trail byte";
    EXPECT_EQ(5, path.ReverseFind('\\'));

    CString replaced(path);
    replaced.Replace('\\', '/');
    EXPECT_STREQ("C:/\x95\x5c/x\x95\x5c", replaced);

    CString spaced("\x81\x40 a\x95\x5c \x81\x40");
    spaced.Trim();
    EXPECT_STREQ("a\x95\x5c", spaced);

    EXPECT_STREQ("\x82\xa0", CString(L"\u3042"));
}
