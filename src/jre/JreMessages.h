#pragma once

// Texts of the runtime selection. The first ends with the address of a
// download page, so the user knows where to get a runtime; the application
// may name its own page in place of the vendor's.
namespace JreMessages {
const char kJreNotFound[] =
    "Java Runtime Environment (JRE) not found. Please download and install JRE (%s) from: \n%s";
const char kDefaultDownloadPage[] = "https://www.java.com/getjava/download.html";
const char kJvmNotFound[] = "Java Virtual Machine (JVM) not found in JRE directory %s. Please reinstall JRE.";
} // namespace JreMessages
