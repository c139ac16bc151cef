#pragma once
// Pooled storage for the nodes of the trees and their entries. An archive may
// hold a million entries: one heap allocation per node made loading slow
// (malloc and page faults) and cost a header per node. Objects of one size are
// carved from large chunks and their slots reused through a free list, so a
// node stays exactly as valid as with new/delete: a node the journal holds
// keeps its slot until the journal frees it. Chunks are kept for the next
// load rather than handed back to the system.

#include <cstddef>
#include <mutex>
#include <new>

namespace tessaro {

class NodePool
{
public:
    explicit NodePool(std::size_t objectSize);
    NodePool(const NodePool&) = delete;
    NodePool& operator=(const NodePool&) = delete;

    void* Allocate(); // throws std::bad_alloc
    void Free(void* object) noexcept;

private:
    struct FreeSlot
    {
        FreeSlot* next;
    };
    const std::size_t slotSize_;
    std::mutex mutex_;
    FreeSlot* free_ = nullptr;
    char* next_ = nullptr; // the unused rest of the newest chunk
    char* end_ = nullptr;
};

// Class-wide operator new and delete through a pool of that class's size.
template <class T> struct Pooled
{
    static NodePool& Pool()
    {
        // Never destroyed: a tree that lives in a static may free its nodes late.
        static NodePool& pool = *new NodePool(sizeof(T));
        return pool;
    }
    static void* operator new(std::size_t size)
    {
        return size == sizeof(T) ? Pool().Allocate() : ::operator new(size);
    }
    static void operator delete(void* object, std::size_t size) noexcept
    {
        if (size == sizeof(T))
            Pool().Free(object);
        else
            ::operator delete(object);
    }
};

} // namespace tessaro
