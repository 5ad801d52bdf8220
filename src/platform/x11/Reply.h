// What XCB hands back allocated (replies, events), freed with the owner.
#pragma once

#include <cstdlib>
#include <memory>

namespace x11 {

struct FreeWithLibc {
    void operator()(void* p) const { std::free(p); }
};

template <typename T>
using Reply = std::unique_ptr<T, FreeWithLibc>;

}  // namespace x11
