#pragma once
// A FAT12/16 disk held as the bytes of its image: list folders, read files,
// replace a file's contents, create files and folders. Every FAT copy is kept
// equal to the first. Names are matched without regard to case, against the
// 8.3 name and the long name; names written are 8.3 in upper case. Long-name
// entries are read for display and never changed.
//
// Load checks the whole disk first (geometry, every cluster chain, every
// folder), so a damaged image is refused before anything reads or writes it.

#include "image/BootSector.h"
#include "image/ImageError.h"

#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tessaro {

struct ImageEntry
{
    std::string name;     // the 8.3 name as stored: "MDB.BUP"
    std::string longName; // the long name that belongs to it (UTF-8), or empty
    bool folder = false;
    uint32_t size = 0;

    const std::string& DisplayName() const { return longName.empty() ? name : longName; }
};

class FatVolume
{
public:
    enum class Kind
    {
        Missing,
        File,
        Folder
    };

    // Takes the image's bytes; the message when they are no FAT12/16 disk or
    // the disk is damaged (chains that loop, cross or leave the disk, files
    // longer than their chain).
    static std::optional<ImageError> Load(std::vector<uint8_t> bytes, FatVolume& volume);

    const std::vector<uint8_t>& Bytes() const { return bytes_; }
    const FatGeometry& Geometry() const { return geometry_; }
    uint64_t FreeBytes() const;

    // Paths inside the disk use '/'; "/" and "" are the root folder.
    Kind KindOf(std::string_view path) const;
    std::optional<ImageError> List(std::string_view folder, std::vector<ImageEntry>& entries) const;
    std::optional<ImageError> ReadFile(std::string_view path, std::vector<uint8_t>& contents) const;

    // Creates the file or replaces its contents. Its folder must exist. On a
    // message (no room, a name that does not fit) the disk is unchanged.
    std::optional<ImageError> WriteFile(std::string_view path, const uint8_t* data, std::size_t size);
    // Creates every missing folder of the path; the existing ones are used. On
    // a message the disk is unchanged.
    std::optional<ImageError> CreateFolders(std::string_view path);

private:
    struct Record
    {
        uint64_t offset = 0; // of the 32-byte entry in the image
        uint32_t cluster = 0;
        ImageEntry entry;
    };
    struct FreeSlot
    {
        uint64_t offset = 0;
        bool endMarker = false; // the slot ended the folder: the next one must end it now
    };

    uint32_t FatEntry(uint32_t cluster) const;
    void SetFatEntry(uint32_t cluster, uint32_t value);
    bool IsEndOfChain(uint32_t value) const;
    std::optional<ImageError> Chain(uint32_t first, const std::string& what, std::vector<uint32_t>& chain) const;
    uint64_t ClusterOffset(uint32_t cluster) const;
    uint32_t FreeClusterCount() const;
    uint32_t ClustersFor(uint64_t bytes) const;

    // Folder cluster 0 is the root folder.
    std::vector<uint64_t> SlotOffsets(uint32_t folder) const;
    std::vector<Record> Records(uint32_t folder) const;
    std::optional<Record> Find(uint32_t folder, std::string_view name) const;
    std::optional<FreeSlot> FindFreeSlot(uint32_t folder) const;
    std::optional<ImageError> FolderAt(const std::vector<std::string_view>& parts, std::size_t count,
                                       uint32_t& folder) const;
    std::optional<ImageError> CheckAll() const;

    void FreeChain(uint32_t first);
    std::vector<uint32_t> Allocate(uint32_t count);
    uint64_t TakeSlot(uint32_t folder);
    std::optional<ImageError> CreateFolder(uint32_t parent, std::string_view name, const std::string& path,
                                           uint32_t& created);

    std::vector<uint8_t> bytes_;
    FatGeometry geometry_;
};

} // namespace tessaro
