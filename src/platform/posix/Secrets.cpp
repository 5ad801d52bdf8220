// Process-wide protection of what is typed.
#include "platform/posix/Secrets.h"

#include <cstring>
#include <sys/mman.h>
#include <sys/prctl.h>
#include <sys/resource.h>

namespace posix {

namespace {

// The handlers copy typed text into locals on the one thread's stack, a few
// frames below main; these pages hold them.
constexpr std::size_t kStackToLock = 64 * 1024;

void lock_stack_pages() {
    // Touched first, so the pages exist for mlock to pin.
    volatile char pages[kStackToLock];
    std::memset(const_cast<char*>(pages), 0, sizeof pages);
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
