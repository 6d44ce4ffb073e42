#pragma once

// Texts of virtual machine hosting. A missing entry point is told with the
// launch sequence's own "Windows exception" format (launcher/Messages.h).
namespace Messages {
const char kLoadJvmLibrary[] = "Failed to load Java VM library: %s (errno = %d).\n";
const char kCreateJavaVMNotFound[] = "cannot find CreateJavaVM JNI";
const char kJniException[] = "JNI exception: %s.\n";
const char kCreateJavaVM[] = "failed to create the Java VM";
const char kLoadMainClass[] = "Failed to load Main Class: %s.\n";
const char kMainClassNotFound[] = "Could not find the main class %s.\n";
const char kNoMainMethod[] = "No main method found in specified class.\n";
} // namespace Messages
