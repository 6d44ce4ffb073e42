// What no whole launch shows: the string type sharing a copy's buffer (copying it before a change shows in launches),
// appending itself, and stepping over double-byte characters where a search starts inside one or a replacement walks
// past one. Run under code pages 1252 and 932, each its own rows.
#include "framework/String.h"

#include <cstdio>
#include <string>

int main()
{
    CString original("class path"), copy(original), self("ab");
    self += self;
    self += self.GetText() + 1;
    self += 'c';
    // 0x95 0x5C is one character of code page 932 whose trail byte is a backslash.
    const CString path("C:\\\x95\x5c\\x\x95\x5c");
    CString replaced(path);
    replaced.Replace('\\', '/');
    auto at = [](int index) { return std::to_string(index) + " "; };
    const struct { UINT codePage; const char* what; std::string expected, observed; } rows[] = {
        { 1252, "a copy shares the buffer", "shared", copy.GetText() == original.GetText() ? "shared" : "apart" },
        { 1252, "appending to itself", "x-ababbabc-y", std::string("x-" + self + "-y") },
        { 932, "searches step over double-byte characters", "2 5 5 5 ",
          at(path.Find('\\')) + at(path.Find('\\', 3)) + at(path.Find('\\', 4)) + at(path.ReverseFind('\\')) },
        { 932, "Replace steps over them", "C:/\x95\x5c/x\x95\x5c", replaced.GetText() },
        { 932, "from wide text", "\x82\xa0", CString(L"\u3042").GetText() },
    };
    int passed = 0, failed = 0;
    for (const auto& row : rows) {
        if (row.codePage != GetACP())
            continue;
        row.expected == row.observed ? ++passed : ++failed;
        if (row.expected != row.observed)
            std::printf("FAIL %s: expected [%s], observed [%s]\n", row.what, row.expected.c_str(),
                        row.observed.c_str());
    }
    std::printf("%d passed, %d failed\n", passed, failed);
    return failed || !passed ? 1 : 0;
}
