#include "framework/Memory.h"

#include <windows.h>

void* AllocateMemory(size_t size)
{
    void* block = TryAllocateMemory(size);
    if (!block)
        ExitProcess(static_cast<UINT>(-1));
    return block;
}

void* TryAllocateMemory(size_t size)
{
    return HeapAlloc(GetProcessHeap(), 0, size ? size : 1);
}

void FreeMemory(void* block)
{
    if (block)
        HeapFree(GetProcessHeap(), 0, block);
}
