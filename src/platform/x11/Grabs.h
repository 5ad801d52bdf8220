// Keeping hold of keyboard and pointer once the lock has them.
#pragma once

namespace x11 {

// Both grabs taken, and the lock not yet ended.
bool grabs_held();

// Takes both grabs again, if the key block is on; one attempt, no waiting.
void reassert_grabs();

}  // namespace x11
