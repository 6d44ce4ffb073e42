// The product's own allocation operators. Without them the default operator
// new pulls the C++ runtime's exception machinery into a -static image and
// multiplies its size. Linked into the executable only; tests use the
// standard ones.
#include "framework/Memory.h"

void* operator new(size_t size) { return AllocateMemory(size); }
void* operator new[](size_t size) { return AllocateMemory(size); }
void operator delete(void* block) noexcept { FreeMemory(block); }
void operator delete[](void* block) noexcept { FreeMemory(block); }
void operator delete(void* block, size_t) noexcept { FreeMemory(block); }
void operator delete[](void* block, size_t) noexcept { FreeMemory(block); }

// Weak: a C runtime that has its own keeps it, and the C++ runtime's, which
// would pull in its exception machinery, is never linked.
extern "C" __attribute__((weak)) void __cxa_pure_virtual()
{
    // Only reachable through a bug; end like any other failure.
    __builtin_trap();
}
