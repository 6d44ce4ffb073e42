#pragma once
#include <string>

// A fresh directory under the temporary folder for one test, removed with
// everything in it when the object goes away. Paths end in a backslash.
class TestDirectory
{
public:
    TestDirectory();
    ~TestDirectory();
    TestDirectory(const TestDirectory&) = delete;
    TestDirectory& operator=(const TestDirectory&) = delete;

    const std::string& Path() const { return m_path; }

    // Copies the built launcher here under the given file name; returns its path.
    std::string CopyLauncher(const std::string& fileName) const;
    // Writes the bytes to a file, creating missing directories on the way.
    std::string WriteFile(const std::string& relativePath, const std::string& bytes) const;
    std::string MakeDirectory(const std::string& relativePath) const;

private:
    std::string m_path;
};

// The built launcher executable, as a Windows path.
std::string LauncherExePath();
// A path of the host's file system, as Wine shows it.
std::string HostPathToWindows(const std::string& hostPath);
std::string ReadWholeFile(const std::string& path);
