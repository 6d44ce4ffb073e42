// The few things a whole launch cannot show: the string type's sharing and its stepping over double-byte
// characters, the version arithmetic, and the splitter's rules. Each area is a table checked in one loop.
// Run once under code page 1252 and once under 932; the rows of the other code page are left out.
#include "framework/String.h"
#include "launcher/Arguments.h"
#include "version/JavaVersion.h"

#include <climits>
#include <cstdio>
#include <cstring>
#include <string>
#include <vector>

namespace {

int g_passed, g_failed;

void Expect(bool holds, const std::string& what, const std::string& expected, const std::string& observed)
{
    holds ? ++g_passed : ++g_failed;
    if (!holds)
        std::printf("FAIL %s: expected [%s], observed [%s]\n", what.c_str(), expected.c_str(), observed.c_str());
}

void ExpectText(const std::string& what, const std::string& expected, const CString& observed)
{
    Expect(expected == observed.GetText(), what, expected, observed.GetText());
}

std::string Components(const JavaVersion& v)
{
    return std::to_string(v[0]) + "." + std::to_string(v[1]) + "." + std::to_string(v[2]) + "." + std::to_string(v[3]);
}

void StringSharing()
{
    CString original("class path"), copy(original), assigned;
    Expect(copy.GetText() == original.GetText(), "a copy shares the buffer", "shared", "apart");
    copy += ";more";
    assigned = original;
    assigned.Replace(' ', '_');
    ExpectText("the original after its copies changed", "class path", original);
    ExpectText("changed copy", "class path;more", copy);
    ExpectText("changed assignment", "class_path", assigned);

    CString fresh, trimmed("   "), emptied("x");
    trimmed.Trim();
    emptied.Empty();
    for (const CString& empty : { CString(""), CString(static_cast<const char*>(nullptr)), CString(L""), trimmed, emptied })
        Expect(empty.GetText() == fresh.GetText() && empty.GetLength() == 0, "every empty string shares one buffer", "",
               empty.GetText());

    CString self("ab");
    self += self;
    self += self.GetText() + 1;
    self += 'c';
    ExpectText("appending to itself", "x-ababbabc-y", "x-" + self + "-y");
}

void StringOperations()
{
    const CString text("abcdef"), path("C:\\Apps\\Tool.x.exe");
    struct { int start, count; const char* expected; } mids[] = {
        { 0, 3, "abc" }, { 2, 2, "cd" }, { 4, 100, "ef" }, { -5, 2, "ab" }, { 2, -1, "" }, { 6, 1, "" }, { 99, 99, "" },
    };
    for (const auto& row : mids)
        ExpectText("Mid(" + std::to_string(row.start) + ", " + std::to_string(row.count) + ")", row.expected,
                   text.Mid(row.start, row.count));
    struct { int found, expected; } finds[] = {
        { path.Find('\\'), 2 }, { path.Find('\\', 3), 7 }, { path.Find('\\', 8), -1 }, { path.Find('\\', -4), 2 },
        { path.ReverseFind('.'), 14 }, { path.ReverseFind('/'), -1 }, { CString().Find('a'), -1 },
    };
    for (const auto& row : finds)
        Expect(row.found == row.expected, "search in " + std::string(path), std::to_string(row.expected), std::to_string(row.found));
    struct { const char* input; const char* expected; } trims[] = { { "  a b  ", "a b" }, { "\t\r\n a\t\r\n", "a" }, { " \t ", "" } };
    for (const auto& row : trims) {
        CString trimmed(row.input);
        trimmed.Trim();
        ExpectText(std::string("Trim [") + row.input + "]", row.expected, trimmed);
    }
    const std::string longText(5000, 'p');
    struct { const char* format; const char* text; int number; std::string expected; } formats[] = {
        { "COM error: %s (errno = %d).\n", "failed to initialize", -2147024882, "COM error: failed to initialize (errno = -2147024882).\n" },
        { "%s|%d", "", INT_MIN, "|-2147483648" },
        { "100%% %s%q", "done", 0, "100% done%q" },
        { "%s (errno = %d).\n", longText.c_str(), 193, longText + " (errno = 193).\n" },
    };
    for (const auto& row : formats) {
        CString formatted;
        formatted.Format(row.format, row.text, row.number);
        Expect(row.expected == formatted.GetText() && formatted.GetLength() == static_cast<int>(row.expected.size()),
               std::string("Format ") + row.format, row.expected.substr(0, 80), std::string(formatted).substr(0, 80));
    }
}

// 0x95 0x5C is one character whose trail byte is a backslash; 0x81 0x40 is the ideographic space.
void DoubleByteStepping()
{
    const CString path("C:\\\x95\x5c\\x\x95\x5c");
    struct { int found, expected; } finds[] = {
        { path.Find('\\'), 2 }, { path.Find('\\', 3), 5 }, { path.Find('\\', 4), 5 }, { path.ReverseFind('\\'), 5 },
    };
    for (const auto& row : finds)
        Expect(row.found == row.expected, "search over double-byte characters", std::to_string(row.expected), std::to_string(row.found));
    CString replaced(path), spaced("\x81\x40 a\x95\x5c \x81\x40");
    replaced.Replace('\\', '/');
    spaced.Trim();
    ExpectText("Replace over double-byte characters", "C:/\x95\x5c/x\x95\x5c", replaced);
    ExpectText("Trim of ideographic spaces", "a\x95\x5c", spaced);
    ExpectText("from wide text", "\x82\xa0", CString(L"\u3042"));
}

void Versions()
{
    struct { const char* text; int fill; const char* expected; } parses[] = {
        { "1.4.2_03", 0, "1.4.2.3" }, { "1.4.2_03", 65535, "1.4.2.3" }, { "1.4", 65535, "1.4.65535.65535" },
        { "1.5.0", 65535, "1.5.0.65535" }, { "1", 65535, "1.65535.65535.65535" }, { "1.2.3.4.5", 65535, "1.2.3.4" },
        { "jdk1-2b3", 0, "1.2.3.0" }, { "0", 65535, "0.65535.65535.65535" }, { "no digits", 65535, "0.0.0.0" },
        { "007.010", 0, "7.10.0.0" }, { "1.4 ", 65535, "1.4.65535.65535" }, { "4294967296.1", 0, "0.1.0.0" },
        { "2147483648", 0, "-2147483648.0.0.0" }, { "1.2.3.99999999999999999999999", 0, "1.2.3.-159383553" },
        { "", 65535, "1.2.3.4" }, // an empty text keeps the earlier value
    };
    for (const auto& row : parses) {
        JavaVersion version(1, 2, 3, 4);
        version.Parse(row.text, row.fill);
        Expect(Components(version) == row.expected, std::string("Parse ") + row.text, row.expected, Components(version));
    }
    struct { JavaVersion left, right; int expected; } compares[] = {
        { { 1, 4, 2, 3 }, { 1, 4, 10, 0 }, -1 }, { { 1, 5, 0, 0 }, { 1, 4, 65535, 65535 }, 1 }, { { 1, 4, 2, 3 }, { 1, 4, 2, 3 }, 0 },
        { { 2, 0, 0, 0 }, { 10, 0, 0, 0 }, -1 }, { { -1, 0, 0, 0 }, {}, -1 }, { { 1, 0, 0, 1 }, { 1, 0, 0, 0 }, 1 },
    };
    for (const auto& row : compares)
        Expect(row.left.Compare(row.right) == row.expected && row.right.Compare(row.left) == -row.expected &&
                   (row.left == row.right) == (row.expected == 0),
               "Compare " + Components(row.left) + " with " + Components(row.right), std::to_string(row.expected),
               std::to_string(row.left.Compare(row.right)));
    struct { JavaVersion version; const char* text; bool unbounded; } prints[] = {
        { { 1, 4, 65535, 65535 }, "1.4", false }, { { 1, 5, 0, 65535 }, "1.5", false }, { { 1, 4, 0, 3 }, "1.4.0.3", false },
        { { 1, 65535, 2, 0 }, "1.65535.2", false }, { { 0, 65535, 65535, 65535 }, "0.0.0.0", false },
        { {}, "0.0.0.0", true }, { JavaVersion::Highest(), "0.0.0.0", true }, { { 65535, 65535, 65535, 0 }, "0.0.0.0", false },
    };
    for (const auto& row : prints)
        Expect(std::string(row.text) == row.version.ToText().GetText() && row.version.IsUnbounded() == row.unbounded,
               "ToText and IsUnbounded of " + Components(row.version), row.text, row.version.ToText().GetText());
}

void Splitting()
{
    struct { const char* input; bool commandLine; std::vector<std::string> entries; } rows[] = {
        { "-Xmx256m -Dapp.mode=full", false, { "-Xmx256m", "-Dapp.mode=full" } },
        { "\"-Dapp.home=C:\\My App\" -Xms16m", false, { "-Dapp.home=C:\\My App", "-Xms16m" } },
        { "-Dapp.title=\"My App\"", false, { "-Dapp.title=\"My", "App\"" } },
        { "\"a\"b", false, { "a", "b" } }, { "\"a\" \"\" b", false, { "a", "", "b" } },
        { "\"-Dx=open end", false, { "-Dx=open end" } }, { "a   b   ", false, { "a", "b" } }, { " a", false, { "", "a" } },
        { "a \"", false, { "a", "" } }, { "a\tb", false, { "a\tb" } }, { "", false, {} }, { "   ", false, { "" } },
        { "x\r\ny", false, { "x\r\ny" } },
        { "\"C:\\Program Files\\My Tool\\Tool.exe\" -nosplash \"two words\"", true, { "-nosplash", "two words" } },
        { "C:\\Program Files\\Tool.exe a", true, { "Files\\Tool.exe", "a" } },
        { "  \t\"C:\\Tool.exe\"   a  b \r\n", true, { "a", "b" } }, { "\"C:\\Tool.exe\"", true, {} }, { "", true, {} },
    };
    for (const auto& row : rows) {
        CStringList list;
        CWideStringList wideList;
        if (row.commandLine)
            SplitCommandLine(std::wstring(row.input, row.input + strlen(row.input)).c_str(), wideList);
        else
            SplitArguments(row.input, list);
        std::vector<std::string> entries;
        for (int i = 0; i < list.GetCount(); ++i)
            entries.push_back(list[i].GetText());
        for (int i = 0; i < wideList.GetCount(); ++i)
            entries.push_back(CString(wideList.GetText(i)).GetText());
        std::string expected, observed;
        for (const std::string& entry : row.entries)
            expected += "[" + entry + "]";
        for (const std::string& entry : entries)
            observed += "[" + entry + "]";
        Expect(expected == observed, std::string(row.commandLine ? "SplitCommandLine [" : "SplitArguments [") + row.input + "]",
               expected, observed);
    }
}

} // namespace

int main()
{
    if (GetACP() == 932) {
        DoubleByteStepping();
    } else {
        StringSharing();
        StringOperations();
        Versions();
        Splitting();
    }
    std::printf("%d passed, %d failed\n", g_passed, g_failed);
    return g_failed || !g_passed ? 1 : 0;
}
