#include "framework/StringList.h"

#include <gtest/gtest.h>

#include <string>

namespace {
std::string Joined(const CStringList& list)
{
    std::string text;
    for (int i = 0; i < list.GetCount(); ++i)
        text += (i ? "|" : "") + std::string(list[i]);
    return text;
}
} // namespace

TEST(CStringList, KeepsInsertionOrderAcrossGrowth)
{
    CStringList list;
    for (int i = 0; i < 100; ++i) {
        CString entry;
        entry.Format("%d", i);
        list.Append(entry);
    }
    ASSERT_EQ(100, list.GetCount());
    for (int i = 0; i < 100; ++i)
        EXPECT_EQ(std::to_string(i), std::string(list[i]));
}

TEST(CStringList, RemovesInsideAndIgnoresOutside)
{
    CStringList list;
    for (const char* entry : { "a", "b", "c" })
        list.Append(entry);
    list.RemoveAt(-1);
    list.RemoveAt(3);
    EXPECT_EQ("a|b|c", Joined(list));
    list.RemoveAt(1);
    EXPECT_EQ("a|c", Joined(list));
    list.RemoveAt(0);
    EXPECT_EQ("c", Joined(list));
    list.RemoveAll();
    EXPECT_EQ(0, list.GetCount());
    list.Append("again");
    EXPECT_EQ("again", Joined(list));
}

TEST(CStringList, EntriesOutliveTheirSource)
{
    CStringList list;
    {
        CString source("shared");
        list.Append(source);
        source.Replace('s', 'S');
    }
    EXPECT_STREQ("shared", list[0]);
}
