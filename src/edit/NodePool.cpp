#include "edit/NodePool.h"

#include <algorithm>
#include <atomic>
#include <cstdint>
#include <cstdlib>
#include <sys/mman.h>

namespace tessaro {

namespace {

// Large enough that the system may back a chunk with one huge page.
constexpr std::size_t kChunkSize = std::size_t(2) << 20;

std::atomic<std::size_t> gBytesInUse{0};

std::size_t RoundUp(std::size_t size, std::size_t alignment)
{
    return (size + alignment - 1) / alignment * alignment;
}

// Chunks no pool uses any more, kept for the next load in any pane: the
// memory is paged in already, and a closed pane's chunks serve the other.
// Room for every chunk ever made is reserved, so giving one back never fails.
struct SpareChunks
{
    std::mutex mutex;
    std::vector<char*> chunks;
    std::size_t made = 0;
};

SpareChunks& Spares()
{
    static SpareChunks& spares = *new SpareChunks; // never destroyed: pools may go late
    return spares;
}

char* TakeChunk()
{
    SpareChunks& spares = Spares();
    std::lock_guard<std::mutex> lock(spares.mutex);
    if (!spares.chunks.empty()) {
        char* chunk = spares.chunks.back();
        spares.chunks.pop_back();
        return chunk;
    }
    spares.chunks.reserve(spares.made + 1);
    void* chunk = std::aligned_alloc(kChunkSize, kChunkSize);
    if (!chunk)
        throw std::bad_alloc();
    ::madvise(chunk, kChunkSize, MADV_HUGEPAGE); // fewer page faults; a hint only
    ++spares.made;
    return static_cast<char*>(chunk);
}

void GiveBackChunks(std::vector<char*>& chunks) noexcept
{
    SpareChunks& spares = Spares();
    std::lock_guard<std::mutex> lock(spares.mutex);
    for (char* chunk : chunks)
        spares.chunks.push_back(chunk); // within the room reserved
    chunks.clear();
}

} // namespace

NodePool::NodePool(std::size_t objectSize, std::size_t alignment)
    : slotSize_(RoundUp(std::max(objectSize, sizeof(FreeSlot)), std::max(alignment, alignof(FreeSlot)))),
      headerSize_(RoundUp(sizeof(NodePool*), std::max(alignment, alignof(FreeSlot))))
{
}

NodePool::~NodePool()
{
    gBytesInUse -= live_ * slotSize_;
    GiveBackChunks(chunks_);
}

void NodePool::ReleaseChunks() noexcept
{
    std::lock_guard<std::mutex> lock(mutex_);
    if (live_ > 0)
        return;
    Reset();
    GiveBackChunks(chunks_);
}

NodePool& NodePool::OwnerOf(const void* object) noexcept
{
    const auto chunk = reinterpret_cast<std::uintptr_t>(object) & ~std::uintptr_t(kChunkSize - 1);
    return **reinterpret_cast<NodePool* const*>(chunk);
}

void NodePool::Retire(NodePool* pool) noexcept
{
    {
        std::lock_guard<std::mutex> lock(pool->mutex_);
        pool->retired_ = true;
        if (pool->live_ > 0)
            return; // the last Free deletes it
    }
    delete pool;
}

std::size_t NodePool::AllBytesInUse() noexcept
{
    return gBytesInUse.load();
}

bool NodePool::AllFreed() noexcept
{
    Reset();
    return retired_;
}

void* NodePool::Allocate()
{
    std::lock_guard<std::mutex> lock(mutex_);
    if (FreeSlot* slot = free_) {
        free_ = slot->next;
        ++live_;
        gBytesInUse += slotSize_;
        return slot;
    }
    if (!returned_.empty()) {
        void* slot = returned_.back();
        returned_.pop_back();
        ++live_;
        gBytesInUse += slotSize_;
        return slot;
    }
    if (!next_ || std::size_t(end_ - next_) < slotSize_) {
        // The next chunk in order: one kept from before, else a new one.
        const std::size_t index = next_ ? chunk_ + 1 : chunk_;
        if (index == chunks_.size()) {
            chunks_.reserve(chunks_.size() + 1); // before the chunk: a throw here leaks nothing
            char* chunk = TakeChunk();
            *reinterpret_cast<NodePool**>(chunk) = this;
            chunks_.push_back(chunk);
        }
        chunk_ = index;
        next_ = chunks_[index] + headerSize_;
        end_ = chunks_[index] + kChunkSize;
    }
    void* object = next_;
    next_ += slotSize_;
    ++live_;
    gBytesInUse += slotSize_;
    return object;
}

void NodePool::Free(void* object) noexcept
{
    if (!object)
        return;
    {
        std::lock_guard<std::mutex> lock(mutex_);
        gBytesInUse -= slotSize_;
        if (--live_ > 0) {
            free_ = new (object) FreeSlot{free_};
            return;
        }
        if (!AllFreed())
            return;
    }
    delete this;
}

void NodePool::FreeMany(std::vector<void*>& slots) noexcept
{
    {
        std::lock_guard<std::mutex> lock(mutex_);
        gBytesInUse -= slots.size() * slotSize_;
        live_ -= slots.size();
        if (live_ > 0) {
            if (returned_.empty()) {
                returned_.swap(slots);
            } else {
                for (void* slot : slots) // appending might run out of memory; linking cannot
                    free_ = new (slot) FreeSlot{free_};
            }
            slots.clear();
            return;
        }
        slots.clear();
        if (!AllFreed())
            return;
    }
    delete this;
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

bool NodePool::ReleaseAllIfExactly(NodePool& pool, std::size_t live) noexcept
{
    std::lock_guard<std::mutex> lock(pool.mutex_);
    if (pool.live_ != live)
        return false;
    gBytesInUse -= live * pool.slotSize_;
    pool.Reset();
    return true;
}

} // namespace tessaro
