#include "image/BootSector.h"
#include "image/LittleEndian.h"

#include <cstring>
#include <string>

namespace tessaro {

namespace {

constexpr std::size_t kBootSectorBytes = 512;
constexpr uint32_t kDirEntryBytes = 32;
// Below this many clusters a FAT is FAT12, below the second FAT16; above, FAT32.
constexpr uint32_t kFat16MinClusters = 4085;
constexpr uint32_t kFat32MinClusters = 65525;

bool IsPowerOfTwoUpTo(uint32_t value, uint32_t limit)
{
    return value >= 1 && value <= limit && (value & (value - 1)) == 0;
}

ImageError FieldZero(const char* field)
{
    return {Msg::ImageFieldZero, field};
}

} // namespace

std::optional<ImageError> ReadGeometry(const uint8_t* data, std::size_t size, FatGeometry& g)
{
    if (size < kBootSectorBytes)
        return ImageError{Msg::ImageTooShort, std::to_string(size)};
    if (size > kMaxImageBytes)
        return ImageError{Msg::ImageTooLarge, std::to_string(size), std::to_string(kMaxImageBytes)};
    g = FatGeometry{};
    g.bytesPerSector = Le16(data + 11);
    g.sectorsPerCluster = data[13];
    g.reservedSectors = Le16(data + 14);
    g.fatCount = data[16];
    g.rootEntries = Le16(data + 17);
    g.totalSectors = Le16(data + 19) != 0 ? Le16(data + 19) : Le32(data + 32);
    g.media = data[21];
    g.sectorsPerFat = Le16(data + 22);

    if (g.bytesPerSector != 512 && g.bytesPerSector != 1024 && g.bytesPerSector != 2048 &&
        g.bytesPerSector != 4096)
        return ImageError{Msg::ImageBadSectorSize, std::to_string(g.bytesPerSector)};
    if (!IsPowerOfTwoUpTo(g.sectorsPerCluster, 128))
        return ImageError{Msg::ImageBadClusterSize, std::to_string(g.sectorsPerCluster)};
    if (g.reservedSectors == 0)
        return FieldZero("reserved sectors");
    if (g.fatCount == 0)
        return FieldZero("number of FATs");
    if (g.rootEntries == 0)
        return FieldZero("root entries"); // a zero here means FAT32
    if (g.sectorsPerFat == 0)
        return FieldZero("sectors per FAT");
    if (g.totalSectors == 0)
        return FieldZero("total sectors");

    const uint64_t rootSectors =
        (uint64_t(g.rootEntries) * kDirEntryBytes + g.bytesPerSector - 1) / g.bytesPerSector;
    const uint64_t firstData =
        uint64_t(g.reservedSectors) + uint64_t(g.fatCount) * g.sectorsPerFat + rootSectors;
    if (firstData + g.sectorsPerCluster > g.totalSectors)
        return ImageError{Msg::ImageLayoutTooBig, std::to_string(firstData), std::to_string(g.totalSectors)};
    g.clusterCount = uint32_t((g.totalSectors - firstData) / g.sectorsPerCluster);
    if (g.clusterCount >= kFat32MinClusters)
        return ImageError{Msg::ImageFat32, std::to_string(g.clusterCount)};
    g.kind = g.clusterCount < kFat16MinClusters ? FatKind::Fat12 : FatKind::Fat16;
    const uint64_t fatEntries = g.kind == FatKind::Fat12 ? g.FatBytes() * 2 / 3 : g.FatBytes() / 2;
    if (fatEntries < uint64_t(g.clusterCount) + 2)
        return ImageError{Msg::ImageFatTooSmall, std::to_string(g.sectorsPerFat), std::to_string(g.clusterCount)};
    if (uint64_t(size) != g.ImageBytes())
        return ImageError{Msg::ImageSizeMismatch, std::to_string(size), std::to_string(g.ImageBytes())};

    g.clusterBytes = uint64_t(g.sectorsPerCluster) * g.bytesPerSector;
    g.fatOffset = uint64_t(g.reservedSectors) * g.bytesPerSector;
    g.rootOffset = g.fatOffset + uint64_t(g.fatCount) * g.FatBytes();
    g.dataOffset = firstData * g.bytesPerSector;
    return std::nullopt;
}

std::vector<uint8_t> NewFloppyImage(FloppySize size, uint32_t volumeId)
{
    struct Format
    {
        uint32_t sectorsPerCluster, rootEntries, totalSectors, sectorsPerFat, sectorsPerTrack;
        uint8_t media;
    };
    // The PC formats a floppy drive writes: 3.5" double and high density.
    const Format f = size == FloppySize::Kb720 ? Format{2, 112, 1440, 3, 9, 0xF9}
                                               : Format{1, 224, 2880, 9, 18, 0xF0};
    std::vector<uint8_t> image(std::size_t(f.totalSectors) * kBootSectorBytes, 0);
    uint8_t* b = image.data();
    const uint8_t jump[] = {0xEB, 0x3C, 0x90};
    std::memcpy(b, jump, sizeof jump);
    std::memcpy(b + 3, "MSDOS5.0", 8);
    Put16(b + 11, kBootSectorBytes);
    b[13] = uint8_t(f.sectorsPerCluster);
    Put16(b + 14, 1); // reserved: the boot sector
    b[16] = 2;        // FATs
    Put16(b + 17, f.rootEntries);
    Put16(b + 19, f.totalSectors);
    b[21] = f.media;
    Put16(b + 22, f.sectorsPerFat);
    Put16(b + 24, f.sectorsPerTrack);
    Put16(b + 26, 2); // heads
    Put32(b + 28, 0); // hidden sectors
    Put32(b + 32, 0); // total sectors above 65535: none
    b[36] = 0x00;     // drive number: a floppy
    b[38] = 0x29;     // the extended BPB follows
    Put32(b + 39, volumeId);
    std::memcpy(b + 43, "NO NAME    ", 11);
    std::memcpy(b + 54, "FAT12   ", 8);
    // Not bootable: hand over to the next boot device (INT 18h), then halt.
    const uint8_t code[] = {0xCD, 0x18, 0xF4, 0xEB, 0xFD};
    std::memcpy(b + 62, code, sizeof code);
    b[510] = 0x55;
    b[511] = 0xAA;
    for (uint32_t fat = 0; fat < 2; ++fat) {
        uint8_t* table = b + kBootSectorBytes * (1 + fat * f.sectorsPerFat);
        table[0] = f.media; // entries 0 and 1: the media byte, then all ones
        table[1] = 0xFF;
        table[2] = 0xFF;
    }
    return image;
}

} // namespace tessaro
