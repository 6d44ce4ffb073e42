// What a whole launch cannot show: the string type's sharing, copying before a change, and its stepping over
// double-byte characters.
// Run once under code page 1252 and once under 932; the rows of the other code page are left out.
#include "framework/String.h"

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

void Strings()
{
    CString original("class path"), copy(original), assigned, fresh, emptied("x"), self("ab");
    Expect("a copy shares the buffer", "shared", copy.GetText() == original.GetText() ? "shared" : "apart");
    copy += ";more";
    assigned = original;
    assigned.Replace(' ', '_');
    emptied.Empty();
    self += self;
    self += self.GetText() + 1;
    self += 'c';
    std::string empties;
    for (const CString& empty : { CString(""), CString(static_cast<const char*>(nullptr)), CString(L""), original.Mid(3, 0), emptied })
        empties += empty.GetText() == fresh.GetText() ? "shared " : "apart ";
    struct { const char* what; std::string expected, observed; } rows[] = {
        { "copies after a change", "class path|class path;more|class_path",
          std::string(original) + "|" + copy.GetText() + "|" + assigned.GetText() },
        { "every empty string shares one buffer", "shared shared shared shared shared ", empties },
        { "appending to itself", "x-ababbabc-y", std::string("x-" + self + "-y") },
    };
    for (const auto& row : rows)
        Expect(row.what, row.expected, row.observed);
}

// 0x95 0x5C is one character whose trail byte is a backslash.
void DoubleByteStepping()
{
    const CString path("C:\\\x95\x5c\\x\x95\x5c");
    CString replaced(path);
    replaced.Replace('\\', '/');
    Expect("searches step over double-byte characters", "2 5 5 5", std::to_string(path.Find('\\')) + " " +
           std::to_string(path.Find('\\', 3)) + " " + std::to_string(path.Find('\\', 4)) + " " + std::to_string(path.ReverseFind('\\')));
    Expect("Replace steps over them", "C:/\x95\x5c/x\x95\x5c", replaced.GetText());
    Expect("from wide text", "\x82\xa0", CString(L"\u3042").GetText());
}

} // namespace

int main()
{
    if (GetACP() == 932) {
        DoubleByteStepping();
    } else {
        Strings();
    }
    std::printf("%d passed, %d failed\n", g_passed, g_failed);
    return g_failed || !g_passed ? 1 : 0;
}
