// The few pieces of a C and C++ runtime the program needs, in place of the
// toolchain's: the entry point, new and delete over the process heap, the
// memory routines the compiler calls on its own, and the ends of the
// library's error paths. Built without the toolchain's runtime, a link that
// needs anything more fails until it is added here.
#include <cstddef>
#include <new>

#include <windows.h>

#include "platform/ui.h"

namespace {

// Nothing reaches here in a working program. The keys are given back,
// since the system keeps its flag after the process is gone.
[[noreturn]] void fail(const char* what, const char* why) {
    ui::set_system_key_block(false);
    // A GUI program has a standard error only when its starter gave it one.
    HANDLE error = GetStdHandle(STD_ERROR_HANDLE);
    if (error && error != INVALID_HANDLE_VALUE) {
        DWORD written = 0;
        for (const char* part : {"umbrafold: ", what, ": ", why, "\n"})
            WriteFile(error, part, static_cast<DWORD>(lstrlenA(part)), &written, nullptr);
    }
    ui::end_program(1);
}

void release(void* block) {
    if (block) HeapFree(GetProcessHeap(), 0, block);
}

}  // namespace

// ---- The entry point ------------------------------------------------------

// The linker brackets the static constructors with -1 and a null entry.
extern "C" void (*__CTOR_LIST__[])();

extern "C" [[noreturn]] void umbrafold_start() {
    std::size_t count = 0;
    while (__CTOR_LIST__[count + 1]) ++count;
    for (; count > 0; --count) __CTOR_LIST__[count]();  // last to first, as GCC lays them out
    // WinMain reads neither the command line nor the show state.
    WinMain(GetModuleHandleA(nullptr), nullptr, const_cast<char*>(""), SW_SHOWDEFAULT);
    ui::end_program(0);
}

// The destructors of function-local statics are registered here. The
// process only ever ends through ExitProcess, which runs no such handlers
// under any runtime, so none is kept.
extern "C" int atexit(void (*)()) { return 0; }

// ---- The heap -------------------------------------------------------------

namespace std {
// The library's checks end here where a full runtime would throw: a
// container asked for more than memory could hold, a position past the end
// of a string. Optimised builds prove all but the first unreachable.
[[noreturn]] void __throw_length_error(const char* where) { fail(where, "length error"); }
[[noreturn]] void __throw_bad_alloc() { fail("cannot allocate memory", "the request is too large"); }
[[noreturn]] void __throw_bad_array_new_length() {
    fail("cannot allocate memory", "the array is too long");
}
[[noreturn]] void __throw_out_of_range_fmt(const char* format, ...) { fail(format, "out of range"); }
}  // namespace std

void* operator new(std::size_t size) {
    void* block = HeapAlloc(GetProcessHeap(), 0, size ? size : 1);
    if (!block) fail("cannot allocate memory", "the process heap is exhausted");
    return block;
}

void operator delete(void* block) noexcept { release(block); }
void operator delete(void* block, std::size_t) noexcept { release(block); }

// ---- Memory routines the compiler emits calls to --------------------------
// This file is compiled so that these loops are not turned back into calls
// to themselves. Optimised builds need only memcmp.

extern "C" void* memcpy(void* to, const void* from, std::size_t size) {
    auto* out = static_cast<unsigned char*>(to);
    const auto* in = static_cast<const unsigned char*>(from);
    for (std::size_t i = 0; i < size; ++i) out[i] = in[i];
    return to;
}

extern "C" int memcmp(const void* a, const void* b, std::size_t size) {
    const auto* left = static_cast<const unsigned char*>(a);
    const auto* right = static_cast<const unsigned char*>(b);
    for (std::size_t i = 0; i < size; ++i)
        if (left[i] != right[i]) return left[i] < right[i] ? -1 : 1;
    return 0;
}
