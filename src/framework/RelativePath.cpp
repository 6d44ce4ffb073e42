#include "framework/RelativePath.h"

namespace {

bool IsSeparator(char ch)
{
    return ch == '\\' || ch == '/';
}

bool IsDriveLetter(char ch)
{
    return (ch >= 'A' && ch <= 'Z') || (ch >= 'a' && ch <= 'z');
}

// "C:\x", "C:x", "\x", "\\server\x" and "/x" all say where they start.
bool IsRelativePath(const CString& path)
{
    if (path.IsEmpty())
        return true;
    if (IsSeparator(path[0]))
        return false;
    return !(path.GetLength() >= 2 && path[1] == ':');
}

} // namespace

CString ResolveFromDirectory(const CString& path, const CString& directory)
{
    return IsRelativePath(path) ? directory + path : path;
}

bool IsFullPath(const CString& path)
{
    if (path.GetLength() >= 2 && IsSeparator(path[0]) && IsSeparator(path[1]))
        return true;
    return path.GetLength() >= 3 && IsDriveLetter(path[0]) && path[1] == ':' && IsSeparator(path[2]);
}
