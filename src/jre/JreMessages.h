#pragma once

// Texts of the runtime selection. The first ends with the address of the
// vendor's download page, so the user knows where to get a runtime.
namespace JreMessages {
const char kJreNotFound[] =
    "Java Runtime Environment (JRE) not found. Please download and install JRE (%s) from: \n"
    "https://www.java.com/getjava/download.html";
const char kJvmNotFound[] = "Java Virtual Machine (JVM) not found in JRE directory %s. Please reinstall JRE.";
} // namespace JreMessages
