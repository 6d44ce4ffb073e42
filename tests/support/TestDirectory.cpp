#include "support/TestDirectory.h"

#include <windows.h>

#include <fstream>
#include <sstream>

namespace {

void RemoveTree(const std::string& directory)
{
    WIN32_FIND_DATAA entry;
    HANDLE search = FindFirstFileA((directory + "*").c_str(), &entry);
    if (search != INVALID_HANDLE_VALUE) {
        do {
            std::string name = entry.cFileName;
            if (name == "." || name == "..")
                continue;
            std::string path = directory + name;
            if (entry.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)
                RemoveTree(path + "\\");
            else
                DeleteFileA(path.c_str());
        } while (FindNextFileA(search, &entry));
        FindClose(search);
    }
    RemoveDirectoryA(directory.c_str());
}

void MakeParents(const std::string& path)
{
    for (size_t slash = path.find('\\', 3); slash != std::string::npos; slash = path.find('\\', slash + 1))
        CreateDirectoryA(path.substr(0, slash).c_str(), nullptr);
}

} // namespace

TestDirectory::TestDirectory()
{
    static int counter = 0;
    char temp[MAX_PATH];
    GetTempPathA(MAX_PATH, temp);
    std::ostringstream path;
    path << temp << "launcher-test-" << GetCurrentProcessId() << "-" << ++counter << "-" << GetTickCount() << "\\";
    m_path = path.str();
    MakeParents(m_path);
}

TestDirectory::~TestDirectory()
{
    RemoveTree(m_path);
}

std::string TestDirectory::CopyLauncher(const std::string& fileName) const
{
    std::string target = m_path + fileName;
    MakeParents(target);
    CopyFileA(LauncherExePath().c_str(), target.c_str(), FALSE);
    return target;
}

std::string TestDirectory::WriteFile(const std::string& relativePath, const std::string& bytes) const
{
    std::string target = m_path + relativePath;
    MakeParents(target);
    std::ofstream file(target, std::ios::binary | std::ios::trunc);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    return target;
}

std::string TestDirectory::MakeDirectory(const std::string& relativePath) const
{
    std::string target = m_path + relativePath;
    if (target.back() != '\\')
        target += '\\';
    MakeParents(target);
    return target;
}

std::string HostPathToWindows(const std::string& hostPath)
{
    std::string path = "Z:" + hostPath;
    for (char& ch : path) {
        if (ch == '/')
            ch = '\\';
    }
    return path;
}

std::string LauncherExePath()
{
    return HostPathToWindows(LAUNCHER_EXE_PATH);
}

std::string ReadWholeFile(const std::string& path)
{
    std::ifstream file(path, std::ios::binary);
    std::ostringstream contents;
    contents << file.rdbuf();
    return contents.str();
}
