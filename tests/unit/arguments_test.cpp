#include "launcher/Arguments.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {
std::vector<std::string> Entries(const CStringList& list)
{
    std::vector<std::string> entries;
    for (int i = 0; i < list.GetCount(); ++i)
        entries.push_back(std::string(list[i]));
    return entries;
}

std::vector<std::string> Split(const char* text)
{
    CStringList list;
    SplitArguments(text, list);
    return Entries(list);
}

std::vector<std::string> ProgramArguments(const char* commandLine)
{
    CStringList list;
    SplitCommandLine(commandLine, list);
    return Entries(list);
}
} // namespace

TEST(SplitArguments, FollowsTheQuotingRules)
{
    struct Row { const char* input; std::vector<std::string> entries; } rows[] = {
        { "-Xmx256m -Dapp.mode=full", { "-Xmx256m", "-Dapp.mode=full" } },
        { "\"-Dapp.home=C:\\My App\" -Xms16m", { "-Dapp.home=C:\\My App", "-Xms16m" } },
        { "-Dapp.title=\"My App\"", { "-Dapp.title=\"My", "App\"" } },
        { "\"a\"b", { "a", "b" } },
        { "\"a\" \"\" b", { "a", "", "b" } },
        { "\"-Dx=open end", { "-Dx=open end" } },
        { "a   b   ", { "a", "b" } },
        { " a", { "", "a" } },
        { "a \"", { "a", "" } },
        { "a\tb", { "a\tb" } },
        { "", {} },
        { "   ", { "" } },
        { "\"\"", { "" } },
        { "C:\\dir\\ \\\\server\\share", { "C:\\dir\\", "\\\\server\\share" } },
        { "x\r\ny", { "x\r\ny" } },
    };
    for (const Row& row : rows)
        EXPECT_EQ(row.entries, Split(row.input)) << "input: [" << row.input << "]";
}

TEST(SplitCommandLine, RemovesTheProgramPath)
{
    struct Row { const char* commandLine; std::vector<std::string> arguments; } rows[] = {
        { "C:\\Apps\\Tool.exe", {} },
        { "\"C:\\Apps\\Tool.exe\"", {} },
        { "\"C:\\Program Files\\My Tool\\Tool.exe\" -nosplash \"two words\"", { "-nosplash", "two words" } },
        { "C:\\Program Files\\Tool.exe a", { "Files\\Tool.exe", "a" } },
        { "  \t\"C:\\Tool.exe\"   a  b \r\n", { "a", "b" } },
        { "Tool.exe \"\" x", { "", "x" } },
        { "Tool.exe say\"hi\"", { "say\"hi\"" } },
        { "", {} },
    };
    for (const Row& row : rows)
        EXPECT_EQ(row.arguments, ProgramArguments(row.commandLine)) << "command line: [" << row.commandLine << "]";
}
