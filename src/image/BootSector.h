#pragma once
// The boot sector of a FAT12/16 disk: the BPB that gives the disk's geometry,
// checked before anything else of the image is trusted, and the boot sector of
// a freshly formatted PC floppy.

#include "image/ImageError.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <vector>

namespace tessaro {

// Images above this are refused before they are read: a floppy is 1.44 MB,
// and the image is held whole in memory.
constexpr uint64_t kMaxImageBytes = 256ull * 1024 * 1024;

enum class FatKind
{
    Fat12,
    Fat16
};

struct FatGeometry
{
    uint32_t bytesPerSector = 0;
    uint32_t sectorsPerCluster = 0;
    uint32_t reservedSectors = 0;
    uint32_t fatCount = 0;
    uint32_t rootEntries = 0;
    uint32_t totalSectors = 0;
    uint32_t sectorsPerFat = 0;
    uint8_t media = 0;
    FatKind kind = FatKind::Fat12;
    uint32_t clusterCount = 0; // data clusters, numbered 2 .. clusterCount + 1
    uint64_t fatOffset = 0;    // byte offset of the first FAT
    uint64_t rootOffset = 0;   // byte offset of the root folder
    uint64_t dataOffset = 0;   // byte offset of cluster 2
    uint64_t clusterBytes = 0;

    uint64_t FatBytes() const { return uint64_t(sectorsPerFat) * bytesPerSector; }
    uint64_t ImageBytes() const { return uint64_t(totalSectors) * bytesPerSector; }
};

// Reads and checks the BPB of an image of `size` bytes; the message says what
// does not add up.
std::optional<ImageError> ReadGeometry(const uint8_t* data, std::size_t size, FatGeometry& geometry);

enum class FloppySize
{
    Kb720,
    Kb1440
};

// An empty, formatted PC floppy: boot sector with the standard BPB for the
// size, both FATs and an empty root folder.
std::vector<uint8_t> NewFloppyImage(FloppySize size, uint32_t volumeId);

} // namespace tessaro
