#pragma once
#include "support/WindowProbe.h"

#include <string>

// How a launch of the real executable ends, as the user sees it.

const char kClassPathMissing[] = "Java Class Path was not specified in INI file.";
const char kMainClassMissing[] = "Main class was not specified in INI file.";
const char kCreationRefused[] = "JNI exception: failed to create the Java VM.\n";

std::string NotFound(const std::string& requirement);
std::string NoJvm(const std::string& jreDirectory);
// A jvm.dll that is no image of this machine (errno 193).
std::string LoadFailed(const std::string& jvmLibrary);

// main was called and returned: exit code 0 and no message box.
void ExpectCleanLaunch(const LaunchResult& result);
// Exit code -1 and exactly one box with this text and owner. The launcher
// leaves the caption to the system, which says "Error" in the user's language.
void ExpectOnlyMessage(const LaunchResult& result, const std::string& text, HWND owner = nullptr,
                       const std::string& caption = "Error");
