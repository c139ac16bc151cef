#include "support/AllocationFailure.h"

#include <cstdlib>
#include <new>

namespace {
thread_local long g_allocationsUntilFailure = -1; // -1: never
}

void* operator new(std::size_t size)
{
    if (g_allocationsUntilFailure >= 0 && g_allocationsUntilFailure-- == 0)
        throw std::bad_alloc();
    if (void* memory = std::malloc(size ? size : 1))
        return memory;
    throw std::bad_alloc();
}
// The nothrow form goes through the same counter and the same malloc, so that
// every allocation is freed by its own kind (a sanitizer checks that).
void* operator new(std::size_t size, const std::nothrow_t&) noexcept
{
    try {
        return ::operator new(size);
    } catch (const std::bad_alloc&) {
        return nullptr;
    }
}
void operator delete(void* memory, const std::nothrow_t&) noexcept
{
    std::free(memory);
}
void operator delete(void* memory) noexcept
{
    std::free(memory);
}
void operator delete(void* memory, std::size_t) noexcept
{
    std::free(memory);
}

namespace tessaro::testing {

void FailAllocationAfter(long allocations)
{
    g_allocationsUntilFailure = allocations;
}

bool DisarmAllocationFailure()
{
    const bool failed = g_allocationsUntilFailure < 0;
    g_allocationsUntilFailure = -1;
    return failed;
}

} // namespace tessaro::testing
