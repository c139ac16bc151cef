#include "image/FatVolume.h"
#include "image/LittleEndian.h"

#include "data/AsciiCase.h"
#include "image/ShortName.h"

#include <algorithm>
#include <cstring>
#include <ctime>
#include <set>

namespace tessaro {

namespace {

constexpr uint32_t kEntryBytes = 32;
constexpr uint8_t kEndOfFolder = 0x00;
constexpr uint8_t kDeleted = 0xE5;
constexpr uint8_t kAttrVolumeLabel = 0x08;
constexpr uint8_t kAttrFolder = 0x10;
constexpr uint8_t kAttrArchive = 0x20;
constexpr uint8_t kAttrLongName = 0x0F;
constexpr int kLongNameChars = 13; // per long-name entry
constexpr int kMaxLongNameEntries = 20;

std::vector<std::string_view> Components(std::string_view path)
{
    std::vector<std::string_view> parts;
    std::size_t start = 0;
    while (start <= path.size()) {
        std::size_t end = path.find('/', start);
        if (end == std::string_view::npos)
            end = path.size();
        if (end > start)
            parts.push_back(path.substr(start, end - start));
        start = end + 1;
    }
    return parts;
}

std::string JoinPath(const std::vector<std::string_view>& parts, std::size_t count)
{
    std::string path;
    for (std::size_t i = 0; i < count; ++i)
        path.append("/").append(parts[i]);
    return path.empty() ? "/" : path;
}

std::string ChildPath(const std::string& folder, const std::string& name)
{
    return folder == "/" ? "/" + name : folder + "/" + name;
}

void AppendUtf8(std::string& out, uint32_t cp)
{
    if (cp < 0x80) {
        out += char(cp);
    } else if (cp < 0x800) {
        out += char(0xC0 | cp >> 6);
        out += char(0x80 | (cp & 0x3F));
    } else if (cp < 0x10000) {
        out += char(0xE0 | cp >> 12);
        out += char(0x80 | (cp >> 6 & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    } else {
        out += char(0xF0 | cp >> 18);
        out += char(0x80 | (cp >> 12 & 0x3F));
        out += char(0x80 | (cp >> 6 & 0x3F));
        out += char(0x80 | (cp & 0x3F));
    }
}

std::string Utf16ToUtf8(const std::vector<uint16_t>& units)
{
    std::string text;
    for (std::size_t i = 0; i < units.size(); ++i) {
        const uint32_t u = units[i];
        if (u == 0x0000 || u == 0xFFFF)
            break;
        if (u >= 0xD800 && u < 0xDC00 && i + 1 < units.size() && units[i + 1] >= 0xDC00 &&
            units[i + 1] < 0xE000) {
            AppendUtf8(text, 0x10000 + ((u - 0xD800) << 10) + (units[i + 1] - 0xDC00));
            ++i;
        } else if (u >= 0xD800 && u < 0xE000) {
            AppendUtf8(text, 0xFFFD);
        } else {
            AppendUtf8(text, u);
        }
    }
    return text;
}

// Where the 13 characters of a long-name entry lie in it.
constexpr int kLongNameOffsets[kLongNameChars] = {1, 3, 5, 7, 9, 14, 16, 18, 20, 22, 24, 28, 30};

// Gathers the long-name entries in front of a short entry.
class LongNameReader
{
public:
    void Reset() { valid_ = false; }
    void Take(const uint8_t* e)
    {
        const int sequence = e[0] & 0x1F;
        if (e[0] & 0x40) {
            valid_ = sequence >= 1 && sequence <= kMaxLongNameEntries;
            if (!valid_)
                return;
            units_.assign(std::size_t(sequence) * kLongNameChars, 0xFFFF);
            expected_ = sequence;
            checksum_ = e[13];
        }
        if (!valid_ || sequence != expected_ || e[13] != checksum_) {
            valid_ = false;
            return;
        }
        for (int i = 0; i < kLongNameChars; ++i)
            units_[std::size_t((sequence - 1) * kLongNameChars + i)] = uint16_t(Le16(e + kLongNameOffsets[i]));
        --expected_;
    }
    // The long name of this short entry, or empty when the entries before it do not belong to it.
    std::string NameFor(const uint8_t* shortEntry)
    {
        const bool belongs = valid_ && expected_ == 0 && checksum_ == ShortNameChecksum(shortEntry);
        valid_ = false;
        return belongs ? Utf16ToUtf8(units_) : std::string();
    }

private:
    std::vector<uint16_t> units_;
    int expected_ = 0;
    uint8_t checksum_ = 0;
    bool valid_ = false;
};

// A name a path can reach: not empty, no control character, no separator.
bool IsUsableName(std::string_view name)
{
    if (name.empty())
        return false;
    for (char c : name) {
        if (uint8_t(c) < 0x20 || c == '/')
            return false;
    }
    return true;
}

bool Matches(const ImageEntry& entry, std::string_view name)
{
    return EqualsNoCase(entry.name, name) || (!entry.longName.empty() && EqualsNoCase(entry.longName, name));
}

// The time stamp FAT keeps: date and time fields in local time, 2-second steps.
struct FatStamp
{
    uint32_t date = 0;
    uint32_t time = 0;
};

FatStamp Now()
{
    const std::time_t now = std::time(nullptr);
    std::tm local = {};
    localtime_r(&now, &local);
    const int year = std::clamp(local.tm_year + 1900, 1980, 2107);
    return {uint32_t((year - 1980) << 9 | (local.tm_mon + 1) << 5 | local.tm_mday),
            uint32_t(local.tm_hour << 11 | local.tm_min << 5 | local.tm_sec / 2)};
}

void StampWritten(uint8_t* e, const FatStamp& stamp)
{
    Put16(e + 18, stamp.date); // last access
    Put16(e + 22, stamp.time);
    Put16(e + 24, stamp.date);
}

void FillEntry(uint8_t* e, const uint8_t* name11, uint8_t attributes, uint32_t cluster, uint32_t size)
{
    const FatStamp stamp = Now();
    std::memset(e, 0, kEntryBytes);
    std::memcpy(e, name11, 11);
    e[11] = attributes;
    Put16(e + 14, stamp.time); // created
    Put16(e + 16, stamp.date);
    StampWritten(e, stamp);
    Put16(e + 26, cluster);
    Put32(e + 28, size);
}

} // namespace

std::optional<ImageError> FatVolume::Load(std::vector<uint8_t> bytes, FatVolume& volume)
{
    FatVolume loaded;
    if (auto error = ReadGeometry(bytes.data(), bytes.size(), loaded.geometry_))
        return error;
    loaded.bytes_ = std::move(bytes);
    if (auto error = loaded.CheckAll())
        return error;
    volume = std::move(loaded);
    return std::nullopt;
}

uint32_t FatVolume::FatEntry(uint32_t cluster) const
{
    const uint8_t* fat = bytes_.data() + geometry_.fatOffset;
    if (geometry_.kind == FatKind::Fat16)
        return Le16(fat + std::size_t(cluster) * 2);
    const uint32_t pair = Le16(fat + cluster + cluster / 2);
    return (cluster & 1) ? pair >> 4 : pair & 0xFFF;
}

void FatVolume::SetFatEntry(uint32_t cluster, uint32_t value)
{
    for (uint32_t copy = 0; copy < geometry_.fatCount; ++copy) {
        uint8_t* fat = bytes_.data() + geometry_.fatOffset + copy * geometry_.FatBytes();
        if (geometry_.kind == FatKind::Fat16) {
            Put16(fat + std::size_t(cluster) * 2, value);
            continue;
        }
        uint8_t* p = fat + cluster + cluster / 2;
        const uint32_t pair = Le16(p);
        Put16(p, (cluster & 1) ? (pair & 0x000F) | (value & 0xFFF) << 4 : (pair & 0xF000) | (value & 0xFFF));
    }
}

bool FatVolume::IsEndOfChain(uint32_t value) const
{
    return value >= (geometry_.kind == FatKind::Fat12 ? 0xFF8u : 0xFFF8u);
}

std::optional<ImageError> FatVolume::Chain(uint32_t first, const std::string& what,
                                           std::vector<uint32_t>& chain) const
{
    chain.clear();
    const uint32_t last = geometry_.clusterCount + 1;
    uint32_t cluster = first;
    for (;;) {
        if (cluster < 2 || cluster > last) // also free, reserved and bad clusters in a chain
            return ImageError{Msg::ImageChainOutside, what};
        // A chain longer than the disk has clusters must visit one twice.
        if (chain.size() == geometry_.clusterCount)
            return ImageError{Msg::ImageChainLoops, what};
        chain.push_back(cluster);
        const uint32_t next = FatEntry(cluster);
        if (IsEndOfChain(next))
            return std::nullopt;
        cluster = next;
    }
}

uint64_t FatVolume::ClusterOffset(uint32_t cluster) const
{
    return geometry_.dataOffset + uint64_t(cluster - 2) * geometry_.clusterBytes;
}

uint32_t FatVolume::FreeClusterCount() const
{
    uint32_t count = 0;
    for (uint32_t c = 2; c <= geometry_.clusterCount + 1; ++c)
        count += FatEntry(c) == 0 ? 1 : 0;
    return count;
}

uint64_t FatVolume::FreeBytes() const
{
    return uint64_t(FreeClusterCount()) * geometry_.clusterBytes;
}

uint32_t FatVolume::ClustersFor(uint64_t bytes) const
{
    return uint32_t((bytes + geometry_.clusterBytes - 1) / geometry_.clusterBytes);
}

std::vector<uint64_t> FatVolume::SlotOffsets(uint32_t folder) const
{
    std::vector<uint64_t> offsets;
    if (folder == 0) {
        for (uint32_t i = 0; i < geometry_.rootEntries; ++i)
            offsets.push_back(geometry_.rootOffset + uint64_t(i) * kEntryBytes);
        return offsets;
    }
    std::vector<uint32_t> chain;
    Chain(folder, {}, chain); // checked by Load; a broken chain lists what it reaches
    for (uint32_t cluster : chain) {
        for (uint64_t at = 0; at < geometry_.clusterBytes; at += kEntryBytes)
            offsets.push_back(ClusterOffset(cluster) + at);
    }
    return offsets;
}

std::vector<FatVolume::Record> FatVolume::Records(uint32_t folder) const
{
    std::vector<Record> records;
    LongNameReader longName;
    for (uint64_t offset : SlotOffsets(folder)) {
        const uint8_t* e = bytes_.data() + offset;
        if (e[0] == kEndOfFolder)
            break;
        if (e[0] == kDeleted) {
            longName.Reset();
            continue;
        }
        if ((e[11] & 0x3F) == kAttrLongName) {
            longName.Take(e);
            continue;
        }
        Record record;
        record.entry.longName = longName.NameFor(e);
        if (e[11] & kAttrVolumeLabel)
            continue;
        record.entry.name = ShortNameText(e);
        if (record.entry.name == "." || record.entry.name == "..")
            continue;
        record.offset = offset;
        record.entry.folder = (e[11] & kAttrFolder) != 0;
        record.entry.size = record.entry.folder ? 0 : Le32(e + 28);
        record.cluster = Le16(e + 26);
        records.push_back(std::move(record));
    }
    return records;
}

std::optional<FatVolume::Record> FatVolume::Find(uint32_t folder, std::string_view name) const
{
    std::vector<Record> records = Records(folder);
    // The 8.3 name first: a long name may spell another entry's short name.
    for (Record& record : records) {
        if (EqualsNoCase(record.entry.name, name))
            return std::move(record);
    }
    for (Record& record : records) {
        if (Matches(record.entry, name))
            return std::move(record);
    }
    return std::nullopt;
}

std::optional<ImageError> FatVolume::FolderAt(const std::vector<std::string_view>& parts, std::size_t count,
                                              uint32_t& folder) const
{
    folder = 0;
    for (std::size_t i = 0; i < count; ++i) {
        const std::optional<Record> found = Find(folder, parts[i]);
        if (!found)
            return ImageError{Msg::ImageNotFound, JoinPath(parts, i + 1)};
        if (!found->entry.folder)
            return ImageError{Msg::ImageNotAFolder, JoinPath(parts, i + 1)};
        folder = found->cluster;
    }
    return std::nullopt;
}

std::optional<ImageError> FatVolume::CheckAll() const
{
    std::vector<bool> owned(std::size_t(geometry_.clusterCount) + 2, false);
    struct Pending
    {
        uint32_t cluster;
        std::string path;
    };
    // A work list rather than recursion: a deep nest of folders must not exhaust the stack.
    std::vector<Pending> folders{{0, "/"}};
    std::vector<uint32_t> chain;
    while (!folders.empty()) {
        const Pending folder = std::move(folders.back());
        folders.pop_back();
        std::set<std::string> names; // in one letter case: names are matched without case
        for (const Record& record : Records(folder.cluster)) {
            if (!IsUsableName(record.entry.name))
                return ImageError{Msg::ImageBadEntryName, folder.path};
            std::string lower = record.entry.name;
            std::transform(lower.begin(), lower.end(), lower.begin(), AsciiLower);
            if (!names.insert(std::move(lower)).second)
                return ImageError{Msg::ImageDuplicateName, ChildPath(folder.path, record.entry.name)};
            const std::string path = ChildPath(folder.path, record.entry.DisplayName());
            if (record.cluster == 0) {
                if (record.entry.folder)
                    return ImageError{Msg::ImageChainOutside, path};
                if (record.entry.size > 0)
                    return ImageError{Msg::ImageFileLongerThanChain, path};
                continue;
            }
            if (auto error = Chain(record.cluster, path, chain))
                return error;
            for (uint32_t cluster : chain) {
                if (owned[cluster])
                    return ImageError{Msg::ImageChainCrosses, path};
                owned[cluster] = true;
            }
            if (record.entry.folder)
                folders.push_back({record.cluster, path});
            else if (uint64_t(chain.size()) * geometry_.clusterBytes < record.entry.size)
                return ImageError{Msg::ImageFileLongerThanChain, path};
        }
    }
    return std::nullopt;
}

FatVolume::Kind FatVolume::KindOf(std::string_view path) const
{
    const std::vector<std::string_view> parts = Components(path);
    uint32_t folder = 0;
    if (parts.empty())
        return Kind::Folder;
    if (FolderAt(parts, parts.size() - 1, folder))
        return Kind::Missing;
    const std::optional<Record> found = Find(folder, parts.back());
    if (!found)
        return Kind::Missing;
    return found->entry.folder ? Kind::Folder : Kind::File;
}

std::optional<ImageError> FatVolume::List(std::string_view path, std::vector<ImageEntry>& entries) const
{
    entries.clear();
    const std::vector<std::string_view> parts = Components(path);
    uint32_t folder = 0;
    if (auto error = FolderAt(parts, parts.size(), folder))
        return error;
    for (Record& record : Records(folder))
        entries.push_back(std::move(record.entry));
    return std::nullopt;
}

std::optional<ImageError> FatVolume::ReadFile(std::string_view path, std::vector<uint8_t>& contents) const
{
    contents.clear();
    const std::vector<std::string_view> parts = Components(path);
    if (parts.empty())
        return ImageError{Msg::ImageIsAFolder, "/"};
    uint32_t folder = 0;
    if (auto error = FolderAt(parts, parts.size() - 1, folder))
        return error;
    const std::optional<Record> found = Find(folder, parts.back());
    const std::string full = JoinPath(parts, parts.size());
    if (!found)
        return ImageError{Msg::ImageNotFound, full};
    if (found->entry.folder)
        return ImageError{Msg::ImageIsAFolder, full};
    std::vector<uint32_t> chain;
    if (found->entry.size == 0)
        return std::nullopt;
    if (auto error = Chain(found->cluster, full, chain))
        return error;
    if (uint64_t(chain.size()) * geometry_.clusterBytes < found->entry.size)
        return ImageError{Msg::ImageFileLongerThanChain, full};
    contents.reserve(found->entry.size);
    for (uint32_t cluster : chain) {
        const std::size_t take = std::size_t(
            std::min<uint64_t>(geometry_.clusterBytes, found->entry.size - contents.size()));
        const uint8_t* from = bytes_.data() + ClusterOffset(cluster);
        contents.insert(contents.end(), from, from + take);
        if (contents.size() == found->entry.size)
            break;
    }
    return std::nullopt;
}

std::optional<FatVolume::FreeSlot> FatVolume::FindFreeSlot(uint32_t folder) const
{
    for (uint64_t offset : SlotOffsets(folder)) {
        const uint8_t first = bytes_[offset];
        if (first == kEndOfFolder || first == kDeleted)
            return FreeSlot{offset, first == kEndOfFolder};
    }
    return std::nullopt;
}

void FatVolume::FreeChain(uint32_t first)
{
    if (first == 0)
        return;
    std::vector<uint32_t> chain;
    Chain(first, {}, chain);
    for (uint32_t cluster : chain)
        SetFatEntry(cluster, 0);
}

std::vector<uint32_t> FatVolume::Allocate(uint32_t count)
{
    std::vector<uint32_t> clusters;
    for (uint32_t c = 2; c <= geometry_.clusterCount + 1 && clusters.size() < count; ++c) {
        if (FatEntry(c) == 0)
            clusters.push_back(c);
    }
    for (std::size_t i = 0; i < clusters.size(); ++i)
        SetFatEntry(clusters[i], i + 1 < clusters.size() ? clusters[i + 1] : 0xFFFF);
    return clusters;
}

// The caller has made sure that a slot is free, or that the folder may grow by
// one cluster and one is free.
uint64_t FatVolume::TakeSlot(uint32_t folder)
{
    const std::vector<uint64_t> offsets = SlotOffsets(folder);
    if (const std::optional<FreeSlot> slot = FindFreeSlot(folder)) {
        if (slot->endMarker) {
            // Whatever lies behind the old end was never part of the folder.
            const auto it = std::find(offsets.begin(), offsets.end(), slot->offset);
            if (it + 1 != offsets.end())
                bytes_[*(it + 1)] = kEndOfFolder;
        }
        return slot->offset;
    }
    std::vector<uint32_t> chain;
    Chain(folder, {}, chain);
    const uint32_t added = Allocate(1).front();
    std::fill_n(bytes_.begin() + std::ptrdiff_t(ClusterOffset(added)), geometry_.clusterBytes, 0);
    SetFatEntry(chain.back(), added);
    return ClusterOffset(added);
}

std::optional<ImageError> FatVolume::WriteFile(std::string_view path, const uint8_t* data, std::size_t size)
{
    const std::vector<std::string_view> parts = Components(path);
    if (parts.empty())
        return ImageError{Msg::ImageIsAFolder, "/"};
    const std::string full = JoinPath(parts, parts.size());
    uint32_t folder = 0;
    if (auto error = FolderAt(parts, parts.size() - 1, folder))
        return error;
    const std::optional<Record> existing = Find(folder, parts.back());
    if (existing && existing->entry.folder)
        return ImageError{Msg::ImageIsAFolder, full};

    // Every check before the first change, so that a refusal leaves the disk as it was.
    std::optional<ShortName> name;
    bool grow = false;
    if (!existing) {
        name = ToShortName(parts.back());
        if (!name)
            return ImageError{Msg::ImageNameRule, std::string(parts.back())};
        if (!FindFreeSlot(folder)) {
            if (folder == 0)
                return ImageError{Msg::ImageRootFull, std::to_string(geometry_.rootEntries)};
            grow = true;
        }
    }
    if (uint64_t(size) > 0xFFFFFFFFull)
        return ImageError{Msg::ImageFull, full, std::to_string(uint64_t(size) - FreeBytes())};
    std::vector<uint32_t> oldChain;
    if (existing && existing->cluster != 0)
        Chain(existing->cluster, full, oldChain);
    const uint64_t needed = uint64_t(ClustersFor(size)) + (grow ? 1 : 0);
    const uint64_t available = uint64_t(FreeClusterCount()) + oldChain.size();
    if (needed > available)
        return ImageError{Msg::ImageFull, full, std::to_string((needed - available) * geometry_.clusterBytes)};

    if (existing)
        FreeChain(existing->cluster);
    const uint64_t entryOffset = existing ? existing->offset : TakeSlot(folder);
    const std::vector<uint32_t> clusters = Allocate(ClustersFor(size));
    std::size_t done = 0;
    for (uint32_t cluster : clusters) {
        uint8_t* to = bytes_.data() + ClusterOffset(cluster);
        const std::size_t take = std::min<std::size_t>(std::size_t(geometry_.clusterBytes), size - done);
        std::memcpy(to, data + done, take);
        std::memset(to + take, 0, std::size_t(geometry_.clusterBytes) - take);
        done += take;
    }
    uint8_t* e = bytes_.data() + entryOffset;
    const uint32_t first = clusters.empty() ? 0 : clusters.front();
    if (existing) {
        e[11] |= kAttrArchive;
        StampWritten(e, Now());
        Put16(e + 20, 0);
        Put16(e + 26, first);
        Put32(e + 28, uint32_t(size));
    } else {
        FillEntry(e, name->data(), kAttrArchive, first, uint32_t(size));
    }
    return std::nullopt;
}

std::optional<ImageError> FatVolume::CreateFolder(uint32_t parent, std::string_view name,
                                                  const std::string& path, uint32_t& created)
{
    const std::optional<ShortName> shortName = ToShortName(name);
    if (!shortName)
        return ImageError{Msg::ImageNameRule, std::string(name)};
    const bool grow = !FindFreeSlot(parent);
    if (grow && parent == 0)
        return ImageError{Msg::ImageRootFull, std::to_string(geometry_.rootEntries)};
    const uint32_t needed = 1 + (grow ? 1 : 0);
    const uint32_t available = FreeClusterCount();
    if (needed > available)
        return ImageError{Msg::ImageFull, path, std::to_string((needed - available) * geometry_.clusterBytes)};

    const uint64_t entryOffset = TakeSlot(parent);
    created = Allocate(1).front();
    uint8_t* cluster = bytes_.data() + ClusterOffset(created);
    std::memset(cluster, 0, std::size_t(geometry_.clusterBytes));
    const uint8_t dot[11] = {'.', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' '};
    const uint8_t dotDot[11] = {'.', '.', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' ', ' '};
    FillEntry(cluster, dot, kAttrFolder, created, 0);
    FillEntry(cluster + kEntryBytes, dotDot, kAttrFolder, parent, 0); // 0: the root
    FillEntry(bytes_.data() + entryOffset, shortName->data(), kAttrFolder, created, 0);
    return std::nullopt;
}

std::optional<ImageError> FatVolume::CreateFolders(std::string_view path)
{
    const std::vector<std::string_view> parts = Components(path);
    // Several levels may be made before one fails: work on a copy and keep it only when all are made.
    FatVolume work = *this;
    uint32_t folder = 0;
    for (std::size_t i = 0; i < parts.size(); ++i) {
        const std::string levelPath = JoinPath(parts, i + 1);
        if (const std::optional<Record> found = work.Find(folder, parts[i])) {
            if (!found->entry.folder)
                return ImageError{Msg::ImageNotAFolder, levelPath};
            folder = found->cluster;
            continue;
        }
        uint32_t created = 0;
        if (auto error = work.CreateFolder(folder, parts[i], levelPath, created))
            return error;
        folder = created;
    }
    *this = std::move(work);
    return std::nullopt;
}

} // namespace tessaro
