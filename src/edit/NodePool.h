#pragma once
// Pooled storage for the nodes of the trees and for entries. An archive may
// hold a million entries: one heap allocation per node made loading slow
// (malloc and page faults) and cost a header per node. Objects of one size are
// carved from large chunks and their slots reused through a free list, so a
// node stays exactly as valid as with new/delete: a node the journal holds
// keeps its slot until the journal frees it. Chunks are kept for the next
// load rather than handed back to the system; once every slot is free again
// (the pane closed), they are carved afresh from the first, so that the next
// load lays its nodes out in order instead of scattered over the old free list.
//
// Each tree has a pool of its own, so that closing a pane can take back all of
// its slots at once while the other pane holds a million more. Every chunk
// names the pool it belongs to, so a slot goes back to its own pool wherever
// it is freed (a journal may free a node long after its tree is gone). The
// chunks of a pool that holds nothing any more go to the next pool to grow.

#include <algorithm>
#include <cstddef>
#include <mutex>
#include <new>
#include <vector>

namespace tessaro {

class NodePool
{
public:
    // Slots are only as aligned as the objects need: a million records
    // padded to 16 bytes would waste megabytes.
    explicit NodePool(std::size_t objectSize, std::size_t alignment = alignof(std::max_align_t));
    ~NodePool(); // gives the chunks back; no slot may live any more
    NodePool(const NodePool&) = delete;
    NodePool& operator=(const NodePool&) = delete;

    // The pool a slot was handed out by.
    static NodePool& OwnerOf(const void* object) noexcept;
    // For a pool made with new: deleted now when no slot lives, else as soon
    // as its last slot is freed. The owner must not use it any more.
    static void Retire(NodePool* pool) noexcept;
    // The bytes of the slots every pool has handed out and not taken back.
    static std::size_t AllBytesInUse() noexcept;

    void* Allocate(); // throws std::bad_alloc
    void Free(void* object) noexcept;
    // Takes back many slots under one lock without touching them (a closing
    // pane's million nodes). They are handed out again from the back of the
    // list, before the rest of the chunks; the list is left empty.
    void FreeMany(std::vector<void*>& slots) noexcept;
    // The bytes of the slots handed out and not freed.
    std::size_t BytesInUse();
    // When no slot lives, hands the chunks on to the next pool that needs one.
    void ReleaseChunks() noexcept;

    // When the pool holds exactly that many slots, all of them are taken back
    // at once, without touching them, and true is returned. The caller knows
    // those slots to be its own (a whole tree) and must not use them any more
    // once it hands out another; it runs no destructors there.
    static bool ReleaseAllIfExactly(NodePool& pool, std::size_t live) noexcept;

private:
    void Reset() noexcept;
    // After the last slot went back: true when the pool is to be deleted.
    bool AllFreed() noexcept;
    struct FreeSlot
    {
        FreeSlot* next;
    };
    const std::size_t slotSize_;
    const std::size_t headerSize_; // at the start of each chunk: the pool it belongs to
    bool retired_ = false;
    std::mutex mutex_;
    FreeSlot* free_ = nullptr;
    std::vector<void*> returned_; // slots FreeMany took back, not yet handed out again
    std::vector<char*> chunks_;
    std::size_t chunk_ = 0; // the chunk being carved, while next_ is set
    char* next_ = nullptr;  // the unused rest of that chunk
    char* end_ = nullptr;
    std::size_t live_ = 0; // slots handed out and not yet freed
};

// Class-wide operator new and delete through a pool of that class's size.
template <class T> struct Pooled
{
    static NodePool& Pool()
    {
        // Never destroyed: a tree that lives in a static may free its nodes late.
        static NodePool& pool = *new NodePool(sizeof(T), alignof(T));
        return pool;
    }
    static void* operator new(std::size_t size)
    {
        return size == sizeof(T) ? Pool().Allocate() : ::operator new(size);
    }
    // An object of a pool made for T other than the class-wide one (a tree's own).
    static void* operator new(std::size_t, NodePool& pool) { return pool.Allocate(); }
    static void operator delete(void* object, NodePool&) noexcept { NodePool::OwnerOf(object).Free(object); }
    static void operator delete(void* object, std::size_t size) noexcept
    {
        if (size == sizeof(T))
            NodePool::OwnerOf(object).Free(object);
        else
            ::operator delete(object);
    }
};

} // namespace tessaro
