#pragma once
#include "framework/String.h"
#include "version/JavaVersion.h"

// The version a runtime declares in the `release` file of its home (ending
// in "\"), which every JDK since Java 7 and every runtime since Java 9 has:
// the line JAVA_VERSION="17.0.2" among its first 2 KiB. False when there is
// no such file or line, or its value names no version.
bool ReadReleaseVersion(const CString& home, JavaVersion& version);
