#pragma once
#include "framework/String.h"

// A path taken from the configuration: one that names no drive and does not
// start at a root is read from the given directory (which ends in "\"), so the
// same value works whatever the current directory is.
CString ResolveFromDirectory(const CString& path, const CString& directory);
