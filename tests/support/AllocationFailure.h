#pragma once
// Running out of memory on demand: once armed, the n-th allocation through
// operator new after it throws std::bad_alloc, as a full memory would.

namespace tessaro::testing {

// Counting from 0; the allocations after the failing one go through again.
void FailAllocationAfter(long allocations);
// Disarms; whether the armed allocation failed.
bool DisarmAllocationFailure();

} // namespace tessaro::testing
