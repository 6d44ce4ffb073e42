#pragma once
#include <stddef.h>

// Heap memory for the launcher. A launcher that cannot get a few bytes cannot
// do anything useful, so allocation failure ends the process with exit code -1
// instead of spreading null checks through every caller.
void* AllocateMemory(size_t size);
void FreeMemory(void* block);

// For the rare block whose size comes from outside, such as a file read
// whole: null when the memory is not there, and the caller does without.
void* TryAllocateMemory(size_t size);
