#include "jre/JvmLibrary.h"
#include "jre/Registry.h"
#include "support/TestDirectory.h"
#include "support/TestRegistryKey.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {
// A key of this process's own under HKEY_CURRENT_USER, so that parallel runs
// never meet.
std::string TestKeyPath()
{
    return "Software\\LauncherUnitTest-" + std::to_string(GetCurrentProcessId()) + "-" +
           std::to_string(GetTickCount());
}

} // namespace

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

TEST(OpenRegistryKey, OpensAnExistingKeyForReadingOnly)
{
    const std::string path = TestKeyPath();
    TestRegistryKey test(HKEY_CURRENT_USER, path);
    ASSERT_NE(nullptr, test.Handle());

    HKEY key = nullptr;
    ASSERT_TRUE(OpenRegistryKey(HKEY_CURRENT_USER, path.c_str(), &key));
    ASSERT_NE(nullptr, key);
    const BYTE data[] = "x";
    EXPECT_EQ(ERROR_ACCESS_DENIED, RegSetValueExA(key, "Written", 0, REG_SZ, data, sizeof data))
        << "the launcher must never be able to change the registry";
    RegCloseKey(key);

    key = reinterpret_cast<HKEY>(1);
    EXPECT_FALSE(OpenRegistryKey(HKEY_CURRENT_USER, (path + "\\Missing").c_str(), &key));
    EXPECT_EQ(nullptr, key) << "a failed open must leave a null handle behind";
}

TEST(EnumRegistrySubkeys, ListsEveryNameUpToTheLongestTheRegistryAllows)
{
    TestRegistryKey test(HKEY_CURRENT_USER, TestKeyPath());
    ASSERT_NE(nullptr, test.Handle());
    std::vector<std::string> names = { "1.4", "1.4.2_03", "1.5.0_06", "Java Runtime", std::string(255, 'v') };
    for (const std::string& name : names)
        ASSERT_TRUE(test.CreateSubkey(name)) << name;
    ASSERT_TRUE(test.SetString("", "CurrentVersion", "1.5")) << "values of the key are not subkeys";

    CStringList listed;
    listed.Append("kept");
    EnumRegistrySubkeys(test.Handle(), listed);
    ASSERT_EQ(static_cast<int>(names.size()) + 1, listed.GetCount());
    EXPECT_STREQ("kept", listed[0]) << "the names are appended to what the list holds";
    std::vector<std::string> found;
    for (int index = 1; index < listed.GetCount(); ++index)
        found.push_back(listed[index].GetText());
    std::sort(names.begin(), names.end());
    std::sort(found.begin(), found.end());
    EXPECT_EQ(names, found);
}

TEST(EnumRegistrySubkeys, ListsNothingForAKeyWithoutSubkeysOrANullKey)
{
    TestRegistryKey test(HKEY_CURRENT_USER, TestKeyPath());
    ASSERT_NE(nullptr, test.Handle());
    CStringList listed;
    EnumRegistrySubkeys(test.Handle(), listed);
    EnumRegistrySubkeys(nullptr, listed);
    EXPECT_EQ(0, listed.GetCount());
}

// Rows store exact bytes: with or without a terminating NUL, and of a type
// other than text, which is read the same way. Data without a NUL whose size
// fills whole heap granules is followed directly by the next block's header,
// so a read past the reported size shows up as trailing garbage.
TEST(ReadRegistryString, TakesTheDataUpToItsFirstNulOrWhole)
{
    struct Row { const char* name; DWORD type; std::string bytes; bool read; const char* expected; } rows[] = {
        { "Text", REG_SZ, std::string("C:\\Java\\j2re1.4.2_03\0", 25), true, "C:\\Java\\j2re1.4.2_03" },
        { "EmptyText", REG_SZ, std::string("\0", 1), true, "" },
        { "NoNul", REG_SZ, "C:\\Java", true, "C:\\Java" },
        { "BinaryNoNul", REG_BINARY, "abc", true, "abc" },
        { "Binary16NoNul", REG_BINARY, std::string(16, 'b'), true, "bbbbbbbbbbbbbbbb" },
        { "Binary32NoNul", REG_BINARY, std::string(32, 'b'), true, "bbbbbbbbbbbbbbbbbbbbbbbbbbbbbbbb" },
        { "InnerNul", REG_BINARY, std::string("ab\0cd", 5), true, "ab" },
        { "Expandable", REG_EXPAND_SZ, std::string("%JAVA%\0", 7), true, "%JAVA%" },
        { "Long", REG_SZ, std::string(5000, 'L') + '\0', true, nullptr },
        { "NoData", REG_SZ, "", false, nullptr },
        { "NoDataBinary", REG_BINARY, "", false, nullptr },
    };
    TestRegistryKey test(HKEY_CURRENT_USER, TestKeyPath());
    ASSERT_NE(nullptr, test.Handle());
    for (const Row& row : rows)
        ASSERT_TRUE(test.SetValue("", row.name, row.type, row.bytes)) << row.name;

    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        CString text("unchanged");
        EXPECT_EQ(row.read, ReadRegistryString(test.Handle(), row.name, text));
        std::string expected = !row.read ? "unchanged" : row.expected ? row.expected : std::string(5000, 'L');
        EXPECT_EQ(expected, text.GetText());
    }
}

TEST(ReadRegistryString, FailsForAMissingValueOrANullKeyAndLeavesTheTextAlone)
{
    TestRegistryKey test(HKEY_CURRENT_USER, TestKeyPath());
    ASSERT_NE(nullptr, test.Handle());
    CString text("unchanged");
    EXPECT_FALSE(ReadRegistryString(test.Handle(), "JavaHome", text));
    EXPECT_FALSE(ReadRegistryString(nullptr, "JavaHome", text));
    EXPECT_STREQ("unchanged", text);
}
