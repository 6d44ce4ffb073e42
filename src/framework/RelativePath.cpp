#include "framework/RelativePath.h"

namespace {

// "C:\x", "C:x", "\x", "\\server\x" and "/x" all say where they start.
bool IsRelativePath(const CString& path)
{
    if (path.IsEmpty())
        return true;
    if (path[0] == '\\' || path[0] == '/')
        return false;
    return !(path.GetLength() >= 2 && path[1] == ':');
}

} // namespace

CString ResolveFromDirectory(const CString& path, const CString& directory)
{
    return IsRelativePath(path) ? directory + path : path;
}
