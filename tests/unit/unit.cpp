// The few things a whole launch cannot show: the string type's sharing and its stepping over double-byte
// characters, and the version arithmetic. Each area is a table checked in one loop.
// Run once under code page 1252 and once under 932; the rows of the other code page are left out.
#include "framework/String.h"
#include "version/JavaVersion.h"

#include <climits>
#include <cstdio>
#include <string>

namespace {

int g_passed, g_failed;

void Expect(const std::string& what, const std::string& expected, const std::string& observed)
{
    expected == observed ? ++g_passed : ++g_failed;
    if (expected != observed)
        std::printf("FAIL %s: expected [%s], observed [%s]\n", what.c_str(), expected.c_str(), observed.c_str());
}

std::string Text(const JavaVersion& v)
{
    return std::to_string(v[0]) + "." + std::to_string(v[1]) + "." + std::to_string(v[2]) + "." + std::to_string(v[3]);
}

void Strings()
{
    CString original("class path"), copy(original), assigned, fresh, trimmed(" \t "), emptied("x"), self("ab");
    Expect("a copy shares the buffer", "shared", copy.GetText() == original.GetText() ? "shared" : "apart");
    copy += ";more";
    assigned = original;
    assigned.Replace(' ', '_');
    trimmed.Trim();
    emptied.Empty();
    self += self;
    self += self.GetText() + 1;
    self += 'c';
    std::string empties;
    for (const CString& empty : { CString(""), CString(static_cast<const char*>(nullptr)), CString(L""), trimmed, emptied })
        empties += empty.GetText() == fresh.GetText() ? "shared " : "apart ";
    const CString text("abcdef"), path("C:\\Apps\\Tool.x.exe"), spaced("\t\r\n a b\t\r\n ");
    CString formatted, cut(spaced);
    formatted.Format("%s (errno = %d).\n%d%%%q", std::string(5000, 'p').c_str(), -2147024882, INT_MIN);
    cut.Trim();
    struct { const char* what; std::string expected, observed; } rows[] = {
        { "copies after a change", "class path|class path;more|class_path",
          std::string(original) + "|" + copy.GetText() + "|" + assigned.GetText() },
        { "every empty string shares one buffer", "shared shared shared shared shared ", empties },
        { "appending to itself", "x-ababbabc-y", std::string("x-" + self + "-y") },
        { "Mid and Left clamp", "cd|ef||ab||abc", std::string(text.Mid(2, 2)) + "|" + text.Mid(4, 100).GetText() + "|" +
          text.Mid(2, -1).GetText() + "|" + text.Mid(-5, 2).GetText() + "|" + text.Mid(99, 1).GetText() + "|" + text.Left(3).GetText() },
        { "Find and ReverseFind", "2 7 -1 2 14 -1", std::to_string(path.Find('\\')) + " " + std::to_string(path.Find('\\', 3)) + " " +
          std::to_string(path.Find('\\', 8)) + " " + std::to_string(path.Find('\\', -4)) + " " + std::to_string(path.ReverseFind('.')) +
          " " + std::to_string(path.ReverseFind('/')) },
        { "Trim", "a b", cut.GetText() },
        { "Format", std::string(5000, 'p') + " (errno = -2147024882).\n-2147483648%%q", formatted.GetText() },
    };
    for (const auto& row : rows)
        Expect(row.what, row.expected, row.observed);
}

// 0x95 0x5C is one character whose trail byte is a backslash; 0x81 0x40 is the ideographic space.
void DoubleByteStepping()
{
    const CString path("C:\\\x95\x5c\\x\x95\x5c");
    CString replaced(path), spaced("\x81\x40 a\x95\x5c \x81\x40");
    replaced.Replace('\\', '/');
    spaced.Trim();
    Expect("searches step over double-byte characters", "2 5 5 5", std::to_string(path.Find('\\')) + " " +
           std::to_string(path.Find('\\', 3)) + " " + std::to_string(path.Find('\\', 4)) + " " + std::to_string(path.ReverseFind('\\')));
    Expect("Replace and Trim step over them", "C:/\x95\x5c/x\x95\x5c|a\x95\x5c", std::string(replaced) + "|" + spaced.GetText());
    Expect("from wide text", "\x82\xa0", CString(L"\u3042").GetText());
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
        Expect(std::string("Parse ") + row.text, row.expected, Text(version));
    }
    struct { JavaVersion left, right; int expected; } compares[] = {
        { { 1, 4, 2, 3 }, { 1, 4, 10, 0 }, -1 }, { { 1, 5, 0, 0 }, { 1, 4, 65535, 65535 }, 1 }, { { 1, 4, 2, 3 }, { 1, 4, 2, 3 }, 0 },
        { { 2, 0, 0, 0 }, { 10, 0, 0, 0 }, -1 }, { { -1, 0, 0, 0 }, {}, -1 }, { { 1, 0, 0, 1 }, { 1, 0, 0, 0 }, 1 },
    };
    for (const auto& row : compares)
        Expect("Compare " + Text(row.left) + " with " + Text(row.right), std::to_string(row.expected) + (row.expected ? "" : "="),
               std::to_string(row.left.Compare(row.right)) + (row.left == row.right ? "=" : "") +
                   (row.right.Compare(row.left) == -row.expected ? "" : " asymmetric"));
    struct { JavaVersion version; const char* text; } prints[] = {
        { { 1, 4, 65535, 65535 }, "1.4" }, { { 1, 5, 0, 65535 }, "1.5" }, { { 1, 4, 0, 3 }, "1.4.0.3" }, { { 1, 65535, 2, 0 }, "1.65535.2" },
        { { 0, 65535, 65535, 65535 }, "0.0.0.0 bounded" }, { {}, "0.0.0.0 unbounded" }, { JavaVersion::Highest(), "0.0.0.0 unbounded" },
        { { 65535, 65535, 65535, 0 }, "0.0.0.0 bounded" },
    };
    for (const auto& row : prints) {
        std::string text = row.version.ToText().GetText();
        if (text == "0.0.0.0")
            text += row.version.IsUnbounded() ? " unbounded" : " bounded";
        Expect("ToText and IsUnbounded of " + Text(row.version), row.text, text);
    }
}

} // namespace

int main()
{
    if (GetACP() == 932) {
        DoubleByteStepping();
    } else {
        Strings();
        Versions();
    }
    std::printf("%d passed, %d failed\n", g_passed, g_failed);
    return g_failed || !g_passed ? 1 : 0;
}
