#pragma once
#include <windows.h>

// Opens a file the launcher reads or writes, but only when it is a file on a
// disk. A name such as COM1, AUX or CON opens a device, and a read from a
// serial port waits for data that never comes; a directory cannot be read at
// all. Anything that is not a disk file gives INVALID_HANDLE_VALUE, so each
// caller treats it as a file it cannot use.
HANDLE OpenDiskFile(const char* path, DWORD access, DWORD share, DWORD disposition);

// Reads up to the size from the start of a disk file opened as above; the
// number of bytes read, 0 when the file cannot be opened or read.
DWORD ReadDiskFileStart(const char* path, void* buffer, DWORD size);
