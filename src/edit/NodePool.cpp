#include "edit/NodePool.h"

#include <algorithm>
#include <cstdlib>
#include <sys/mman.h>

namespace tessaro {

namespace {

// Large enough that the system may back a chunk with one huge page.
constexpr std::size_t kChunkSize = std::size_t(2) << 20;

} // namespace

NodePool::NodePool(std::size_t objectSize)
    : slotSize_((std::max(objectSize, sizeof(FreeSlot)) + alignof(std::max_align_t) - 1) /
                alignof(std::max_align_t) * alignof(std::max_align_t))
{
}

void* NodePool::Allocate()
{
    std::lock_guard<std::mutex> lock(mutex_);
    if (FreeSlot* slot = free_) {
        free_ = slot->next;
        return slot;
    }
    if (next_ == end_ || std::size_t(end_ - next_) < slotSize_) {
        void* chunk = std::aligned_alloc(kChunkSize, kChunkSize);
        if (!chunk)
            throw std::bad_alloc();
        ::madvise(chunk, kChunkSize, MADV_HUGEPAGE); // fewer page faults; a hint only
        next_ = static_cast<char*>(chunk);
        end_ = next_ + kChunkSize;
    }
    void* object = next_;
    next_ += slotSize_;
    return object;
}

void NodePool::Free(void* object) noexcept
{
    if (!object)
        return;
    std::lock_guard<std::mutex> lock(mutex_);
    free_ = new (object) FreeSlot{free_};
}

} // namespace tessaro
