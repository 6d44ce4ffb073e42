#pragma once
#include "framework/String.h"

// A path taken from the configuration: one that names no drive and does not
// start at a root is read from the given directory (which ends in "\"), so the
// same value works whatever the current directory is.
CString ResolveFromDirectory(const CString& path, const CString& directory);

// True for a path that means the same from any directory: a drive and its
// root ("C:\x") or a share ("\\server\x"). An empty path is not one.
bool IsFullPath(const CString& path);
