#include "jre/JvmLibrary.h"
#include "jre/Registry.h"
#include "support/TestDirectory.h"
#include "support/TestRegistryKey.h"

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

// Data stored without a terminating NUL is read to its reported size and no
// further. Sizes that fill whole heap granules put the next block's header
// right behind the data, so a read past the size shows as trailing garbage.
// robust_registry has values with NULs, of other types, empty and long.
TEST(ReadRegistryString, TakesDataWithoutANulWholeAndNoFurther)
{
    struct Row { const char* name; DWORD type; std::string bytes; } rows[] = {
        { "Text", REG_SZ, "C:\\Java" },
        { "Binary16", REG_BINARY, std::string(16, 'b') },
        { "Binary32", REG_BINARY, std::string(32, 'b') },
    };
    TestRegistryKey test(HKEY_CURRENT_USER, "Software\\LauncherUnitTest-" + std::to_string(GetCurrentProcessId()));
    ASSERT_NE(nullptr, test.Handle());
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        ASSERT_TRUE(test.SetValue("", row.name, row.type, row.bytes));
        CString text;
        EXPECT_TRUE(ReadRegistryString(test.Handle(), row.name, text));
        EXPECT_EQ(row.bytes, text.GetText());
    }
}
