// Process-wide protection of what is typed.
#include "platform/posix/Secrets.h"

#include <cstddef>
#include <sys/mman.h>
#include <sys/prctl.h>
#include <sys/resource.h>

namespace posix {

namespace {

// The handlers copy typed text into locals on the one thread's stack, a few
// frames below main; these pages hold them.
constexpr std::size_t kStackToLock = 64 * 1024;
constexpr std::size_t kPage = 4096;  // the smallest page size; larger ones are touched more than once

void lock_stack_pages() {
    // A byte of each page touched first, so the stack reaches down over
    // them and mlock has pages to pin.
    volatile char pages[kStackToLock];
    for (std::size_t at = 0; at < sizeof pages; at += kPage) pages[at] = 0;
    mlock(const_cast<char*>(pages), sizeof pages);
}

}  // namespace

void protect_secrets() {
    const rlimit no_core{0, 0};
    setrlimit(RLIMIT_CORE, &no_core);
    prctl(PR_SET_DUMPABLE, 0, 0, 0, 0);
    lock_stack_pages();
}

}  // namespace posix

namespace ui {

void keep_in_memory(const void* data, std::size_t size) {
    // mlock works on whole pages; it fails quietly beyond RLIMIT_MEMLOCK.
    mlock(data, size);
}

}  // namespace ui
