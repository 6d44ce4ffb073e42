#pragma once
#include <stddef.h>

// Heap memory for the launcher. A launcher that cannot get a few bytes cannot
// do anything useful, so allocation failure ends the process with exit code -1
// instead of spreading null checks through every caller.
void* AllocateMemory(size_t size);
void FreeMemory(void* block);
