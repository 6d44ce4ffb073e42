#include "jre/JvmLibrary.h"
#include "support/TestDirectory.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// Each row lays out a runtime in a fresh directory; entries ending in "\" are
// directories, the others files. The expected path is relative to the runtime.
TEST(FindJvmLibrary, TakesTheFirstCandidatePresentInItsFixedOrder)
{
    struct Row { std::vector<const char*> entries; const char* expected; } rows[] = {
        { {}, "" },
        { { "bin\\client\\jvm.dll", "bin\\server\\jvm.dll" }, "bin\\client\\jvm.dll" },
        { { "bin\\server\\jvm.dll", "bin\\classic\\jvm.dll", "bin\\hotspot\\jvm.dll" }, "bin\\server\\jvm.dll" },
        { { "bin\\hotspot\\jvm.dll", "bin\\classic\\jvm.dll" }, "bin\\classic\\jvm.dll" },
        { { "bin\\hotspot\\jvm.dll" }, "bin\\hotspot\\jvm.dll" },
        { { "bin\\client\\", "bin\\client\\jvm.dll.bak", "bin\\server\\jvm.dll" }, "bin\\server\\jvm.dll" },
        // Only the four places count, however plausible another one looks.
        { { "bin\\jvm.dll", "jvm.dll", "bin\\jrockit\\jvm.dll", "lib\\client\\jvm.dll" }, "" },
        { { "bin\\client\\jvm.dll\\", "bin\\server\\jvm.dll" }, "bin\\client\\jvm.dll" },
    };
    for (const Row& row : rows) {
        TestDirectory runtime;
        std::string description;
        for (const char* entry : row.entries) {
            std::string path(entry);
            if (path.back() == '\\')
                runtime.MakeDirectory(path);
            else
                runtime.WriteFile(path, "not a library");
            description += path + " ";
        }
        SCOPED_TRACE(description);
        CString found = FindJvmLibrary(CString(runtime.Path().c_str()));
        std::string expected = *row.expected ? runtime.Path() + row.expected : "";
        EXPECT_EQ(expected, found.GetText());
    }
}

TEST(FindJvmLibrary, FindsNothingInADirectoryThatDoesNotExist)
{
    TestDirectory parent;
    EXPECT_STREQ("", FindJvmLibrary(CString((parent.Path() + "missing\\").c_str())));
}
