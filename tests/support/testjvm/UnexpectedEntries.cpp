// Every function-table entry the launcher has no business calling leads to
// a trap that names the entry by its index in the table and ends the
// process, so a call outside the known set cannot pass unnoticed.
#include "Log.h"
#include "Machine.h"

#include <cstring>
#include <utility>

namespace testjvm {
namespace {

const size_t kNativeEntries = sizeof(JNINativeInterface_) / sizeof(void*);
const size_t kInvokeEntries = sizeof(JNIInvokeInterface_) / sizeof(void*);

// Never returns, so the arguments a caller pushed do not matter even under
// __stdcall, where the callee would have to pop them.
template <size_t Index>
void __stdcall UnexpectedNative()
{
    Fail("unexpected call of JNIEnv function #" + std::to_string(Index) + " (index in JNINativeInterface_)");
}

template <size_t Index>
void __stdcall UnexpectedInvoke()
{
    Fail("unexpected call of JavaVM function #" + std::to_string(Index) + " (index in JNIInvokeInterface_)");
}

template <size_t... Index>
void FillNative(void** slots, std::index_sequence<Index...>)
{
    void* traps[] = { reinterpret_cast<void*>(&UnexpectedNative<Index>)... };
    std::memcpy(slots, traps, sizeof(traps));
}

template <size_t... Index>
void FillInvoke(void** slots, std::index_sequence<Index...>)
{
    void* traps[] = { reinterpret_cast<void*>(&UnexpectedInvoke<Index>)... };
    std::memcpy(slots, traps, sizeof(traps));
}

} // namespace

void FillWithUnexpectedEntries(JNINativeInterface_& table)
{
    static_assert(sizeof(JNINativeInterface_) % sizeof(void*) == 0, "the table holds only pointers");
    FillNative(reinterpret_cast<void**>(&table), std::make_index_sequence<kNativeEntries>());
    table.reserved0 = table.reserved1 = table.reserved2 = table.reserved3 = nullptr;
}

void FillWithUnexpectedEntries(JNIInvokeInterface_& table)
{
    static_assert(sizeof(JNIInvokeInterface_) % sizeof(void*) == 0, "the table holds only pointers");
    FillInvoke(reinterpret_cast<void**>(&table), std::make_index_sequence<kInvokeEntries>());
    table.reserved0 = table.reserved1 = table.reserved2 = nullptr;
}

} // namespace testjvm
