#include "edit/NodePool.h"

#include <algorithm>
#include <cstdlib>
#include <sys/mman.h>

namespace tessaro {

namespace {

// Large enough that the system may back a chunk with one huge page.
constexpr std::size_t kChunkSize = std::size_t(2) << 20;

} // namespace

NodePool::NodePool(std::size_t objectSize, std::size_t alignment)
    : slotSize_([&] {
          const std::size_t align = std::max(alignment, alignof(FreeSlot));
          return (std::max(objectSize, sizeof(FreeSlot)) + align - 1) / align * align;
      }())
{
}

void* NodePool::Allocate()
{
    std::lock_guard<std::mutex> lock(mutex_);
    if (FreeSlot* slot = free_) {
        free_ = slot->next;
        ++live_;
        return slot;
    }
    if (!returned_.empty()) {
        void* slot = returned_.back();
        returned_.pop_back();
        ++live_;
        return slot;
    }
    if (!next_ || std::size_t(end_ - next_) < slotSize_) {
        // The next chunk in order: one kept from before, else a new one.
        const std::size_t index = next_ ? chunk_ + 1 : chunk_;
        if (index == chunks_.size()) {
            chunks_.reserve(chunks_.size() + 1); // before the chunk: a throw here leaks nothing
            void* chunk = std::aligned_alloc(kChunkSize, kChunkSize);
            if (!chunk)
                throw std::bad_alloc();
            ::madvise(chunk, kChunkSize, MADV_HUGEPAGE); // fewer page faults; a hint only
            chunks_.push_back(static_cast<char*>(chunk));
        }
        chunk_ = index;
        next_ = chunks_[index];
        end_ = next_ + kChunkSize;
    }
    void* object = next_;
    next_ += slotSize_;
    ++live_;
    return object;
}

void NodePool::Free(void* object) noexcept
{
    if (!object)
        return;
    std::lock_guard<std::mutex> lock(mutex_);
    if (--live_ == 0) {
        Reset();
        return;
    }
    free_ = new (object) FreeSlot{free_};
}

void NodePool::FreeMany(std::vector<void*>& slots) noexcept
{
    std::lock_guard<std::mutex> lock(mutex_);
    live_ -= slots.size();
    if (live_ == 0) {
        Reset();
    } else if (returned_.empty()) {
        returned_.swap(slots);
    } else {
        for (void* slot : slots) // appending might run out of memory; linking cannot
            free_ = new (slot) FreeSlot{free_};
    }
    slots.clear();
}

std::size_t NodePool::BytesInUse()
{
    std::lock_guard<std::mutex> lock(mutex_);
    return live_ * slotSize_;
}

// Nothing lives in the chunks any more: carve them again from the start.
void NodePool::Reset() noexcept
{
    live_ = 0;
    free_ = nullptr;
    std::vector<void*>().swap(returned_);
    chunk_ = 0;
    next_ = nullptr;
    end_ = nullptr;
}

bool NodePool::ReleaseAllIfExactly(NodePool& first, std::size_t firstLive, NodePool& second,
                                   std::size_t secondLive) noexcept
{
    std::scoped_lock lock(first.mutex_, second.mutex_);
    if (first.live_ != firstLive || second.live_ != secondLive)
        return false;
    first.Reset();
    second.Reset();
    return true;
}

} // namespace tessaro
