#include "framework/Memory.h"

#include <windows.h>

void* AllocateMemory(size_t size)
{
    void* block = HeapAlloc(GetProcessHeap(), 0, size ? size : 1);
    if (!block)
        ExitProcess(static_cast<UINT>(-1));
    return block;
}

void FreeMemory(void* block)
{
    if (block)
        HeapFree(GetProcessHeap(), 0, block);
}
