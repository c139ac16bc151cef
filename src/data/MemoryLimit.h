#pragma once
// How much memory this process may still take, so that a file far too large
// for it is refused before loading instead of growing until the system stops it.

#include <cstdint>

namespace tessaro {

// What the system says is free (available memory and free swap), lowered to
// the room left under the process's address-space and data limits.
uint64_t MemoryAvailable();

} // namespace tessaro
