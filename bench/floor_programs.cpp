#include "floor_programs.h"

#include "catalogue/StyleCatalogue.h"
#include "catalogue/VoiceCatalogue.h"

#include <algorithm>
#include <charconv>
#include <cstdio>
#include <cstring>
#include <unistd.h>
#include <unordered_map>

namespace tessaro::bench {

namespace {

constexpr std::size_t kTitleAt = 0;
constexpr std::size_t kCategoryAt = 20;
constexpr uint32_t kNone = UINT32_MAX;

// Category and title, each up to its NUL and zero-padded: equal keys, equal names.
struct NameKey
{
    uint64_t words[4] = {};
    bool operator==(const NameKey&) const = default;
};

NameKey NameKeyOf(const MdbEntry& record)
{
    NameKey key;
    auto* bytes = reinterpret_cast<char*>(key.words);
    const char* category = reinterpret_cast<const char*>(record.bytes().data() + kCategoryAt);
    const char* title = reinterpret_cast<const char*>(record.bytes().data() + kTitleAt);
    std::memcpy(bytes, category, strnlen(category, kTextFieldSize));
    std::memcpy(bytes + kTextFieldSize, title, strnlen(title, kTextFieldSize));
    return key;
}

uint64_t Mix(uint64_t h)
{
    h ^= h >> 33;
    h *= 0xFF51AFD7ED558CCDull;
    h ^= h >> 33;
    return h;
}

uint64_t HashWords(const uint64_t* words, std::size_t count)
{
    uint64_t h = 0x9E3779B97F4A7C15ull;
    for (std::size_t i = 0; i < count; ++i)
        h = Mix(h ^ words[i]) * 0x9E3779B97F4A7C15ull;
    return Mix(h);
}

// Open addressing over record indices; the caller says when two are equal.
class FlatIndex
{
public:
    explicit FlatIndex(std::size_t count)
    {
        std::size_t size = 16;
        while (size < count * 2)
            size *= 2;
        slots_.assign(size, kNone);
        mask_ = size - 1;
    }
    // The index already there for an equal key, else index is put in and returned.
    template <class Equal> uint32_t FindOrAdd(uint64_t hash, uint32_t index, Equal equal)
    {
        for (std::size_t at = hash & mask_;; at = (at + 1) & mask_) {
            if (slots_[at] == kNone) {
                slots_[at] = index;
                return index;
            }
            if (equal(slots_[at]))
                return slots_[at];
        }
    }
    template <class Equal> uint32_t Find(uint64_t hash, Equal equal) const
    {
        for (std::size_t at = hash & mask_;; at = (at + 1) & mask_) {
            if (slots_[at] == kNone || equal(slots_[at]))
                return slots_[at];
        }
    }

private:
    std::vector<uint32_t> slots_;
    std::size_t mask_ = 0;
};

// For each record, how many before it had the same name key (1 for the first).
std::vector<uint32_t> Occurrences(const std::vector<NameKey>& keys, const std::vector<uint64_t>& hashes)
{
    FlatIndex index(keys.size());
    std::vector<uint32_t> seen(keys.size(), 0);
    std::vector<uint32_t> occurrence(keys.size());
    for (uint32_t i = 0; i < keys.size(); ++i) {
        const uint32_t first = index.FindOrAdd(hashes[i], i, [&](uint32_t j) { return keys[j] == keys[i]; });
        occurrence[i] = ++seen[first];
    }
    return occurrence;
}

std::size_t LongestIncreasingLength(const std::vector<uint32_t>& sequence)
{
    std::vector<uint32_t> tails;
    for (const uint32_t value : sequence) {
        const auto at = std::lower_bound(tails.begin(), tails.end(), value);
        if (at == tails.end())
            tails.push_back(value);
        else
            *at = value;
    }
    return tails.size();
}

// Groups of equal keys with two or more members, counted.
template <class KeyOf, class Key> std::size_t CountGroups(const std::vector<MdbEntry>& records, KeyOf keyOf)
{
    std::vector<Key> keys(records.size());
    for (std::size_t i = 0; i < records.size(); ++i)
        keys[i] = keyOf(records[i]);
    FlatIndex index(records.size());
    std::vector<uint32_t> size(records.size(), 0);
    std::vector<uint32_t> groupOf(records.size());
    for (uint32_t i = 0; i < records.size(); ++i) {
        groupOf[i] = index.FindOrAdd(HashWords(keys[i].words, std::size(keys[i].words)), i,
                                     [&](uint32_t j) { return keys[j] == keys[i]; });
        ++size[groupOf[i]];
    }
    // The groups as lists, in the order of their first member, as the command hands them out.
    std::vector<uint32_t> start(records.size() + 1, 0);
    for (std::size_t i = 0; i < size.size(); ++i)
        start[i + 1] = start[i] + (size[i] > 1 ? size[i] : 0);
    std::vector<uint32_t> members(start.back());
    for (uint32_t i = 0; i < records.size(); ++i) {
        if (size[groupOf[i]] > 1)
            members[start[groupOf[i]]++] = i;
    }
    return std::size_t(std::count_if(size.begin(), size.end(), [](uint32_t n) { return n > 1; }));
}

struct RegistrationKey
{
    uint64_t words[kRecordSize / 8] = {};
    bool operator==(const RegistrationKey&) const = default;
};

RegistrationKey RegistrationKeyOf(const MdbEntry& record)
{
    RegistrationKey key;
    auto* bytes = reinterpret_cast<uint8_t*>(key.words);
    std::memcpy(bytes, record.bytes().data(), kRecordSize);
    std::memset(bytes + kTitleAt, 0, kTextFieldSize + 1); // title and in-use byte
    std::memset(bytes + kCategoryAt, 0, kTextFieldSize);
    return key;
}

uint8_t Upper(uint8_t b)
{
    if ((b >= 'a' && b <= 'z') || (b >= 0xE0 && b <= 0xFE && b != 0xF7))
        return b - 0x20;
    if (b == 0x9A || b == 0x9C || b == 0x9E)
        return b - 0x10;
    return b == 0xFF ? 0x9F : b;
}

NameKey TitleKeyOf(const MdbEntry& record)
{
    NameKey key = NameKeyOf(record);
    auto* bytes = reinterpret_cast<uint8_t*>(key.words) + kTextFieldSize;
    std::size_t lead = 0;
    while (lead < kTextFieldSize && bytes[lead] == ' ')
        ++lead;
    std::memmove(bytes, bytes + lead, kTextFieldSize - lead);
    std::memset(bytes + kTextFieldSize - lead, 0, lead);
    for (std::size_t i = 0; i < kTextFieldSize; ++i)
        bytes[i] = Upper(bytes[i]);
    return key;
}

// A buffer written to the file whenever it holds enough. Saved as the
// commands save: into a file beside it, forced to the disk, then renamed.
class Output
{
public:
    explicit Output(const std::string& path)
        : path_(path), file_(std::fopen((path + ".new").c_str(), "wb"))
    {
        buffer_.reserve(1 << 17);
    }
    ~Output()
    {
        Flush();
        if (file_) {
            std::fflush(file_);
            ::fsync(::fileno(file_));
            std::fclose(file_);
            std::rename((path_ + ".new").c_str(), path_.c_str());
        }
    }
    void Put(std::string_view text) { buffer_.append(text); }
    void Put(char c) { buffer_.push_back(c); }
    void Pad(std::string_view text, std::size_t width)
    {
        Put(text);
        if (text.size() < width)
            buffer_.append(width - text.size(), ' ');
    }
    void Number(int value, std::size_t width = 0)
    {
        char digits[16];
        const std::size_t length = std::size_t(std::to_chars(digits, digits + sizeof digits, value).ptr - digits);
        if (length < width)
            buffer_.append(width - length, ' ');
        buffer_.append(digits, length);
    }
    void EndLine()
    {
        buffer_ += "\r\n";
        if (buffer_.size() >= (1 << 16))
            Flush();
    }
    std::size_t Written() const { return written_ + buffer_.size(); }

private:
    void Flush()
    {
        if (file_)
            written_ += std::fwrite(buffer_.data(), 1, buffer_.size(), file_);
        buffer_.clear();
    }
    std::string path_;
    std::FILE* file_;
    std::string buffer_;
    std::size_t written_ = 0;
};

std::string_view Text(const MdbEntry& record, std::size_t at)
{
    const char* text = reinterpret_cast<const char*>(record.bytes().data() + at);
    return {text, strnlen(text, kTextFieldSize)};
}

// Names looked up once per voice and per style.
class Names
{
public:
    explicit Names(const StyleCatalogue& styles)
    {
        for (int i = 0; i < 245; ++i)
            styles_[std::size_t(i)] = styles.GetStyleLabel(i);
    }
    std::string_view Style(const MdbEntry& record) const
    {
        return record.isDiskStyle() ? std::string_view() : std::string_view(styles_[record.styleNumber()]);
    }
    std::string_view Voice(VoiceRef voice)
    {
        auto [at, added] = voices_.try_emplace(voice.Packed());
        if (added)
            at->second = VoiceCatalogue::FindVoiceName(voice);
        return at->second;
    }

private:
    std::string styles_[245];
    std::unordered_map<uint32_t, std::string> voices_;
};

constexpr HandVoice kHandOrder[] = {HandVoice::R1, HandVoice::R2, HandVoice::R3, HandVoice::Left};

} // namespace

std::vector<MdbEntry> ReadRecords(const std::string& path)
{
    std::vector<MdbEntry> records;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return records;
    std::fseek(file, 0, SEEK_END);
    const long length = std::ftell(file);
    std::fseek(file, 16, SEEK_SET);
    records.resize(std::size_t(length - 16) / kRecordSize);
    const std::size_t read = std::fread(records.data(), kRecordSize, records.size(), file);
    records.resize(read);
    std::fclose(file);
    return records;
}

std::vector<MdbEntry> TreeOrder(const std::vector<MdbEntry>& records)
{
    std::vector<std::string_view> categories;
    std::vector<std::pair<uint64_t, uint32_t>> order(records.size());
    for (uint32_t i = 0; i < records.size(); ++i) {
        const std::string_view name = Text(records[i], kCategoryAt);
        auto rank = std::find(categories.begin(), categories.end(), name);
        if (rank == categories.end())
            rank = categories.insert(rank, name);
        order[i] = {(uint64_t(rank - categories.begin()) << 32) | (uint64_t(records[i].styleNumber()) << 16) |
                        records[i].tempo(),
                    i};
    }
    std::sort(order.begin(), order.end());
    std::vector<MdbEntry> sorted;
    sorted.reserve(records.size());
    for (const auto& [key, i] : order)
        sorted.push_back(records[i]);
    return sorted;
}

FileCounts CountFloor(const std::string& path)
{
    FileCounts counts;
    std::FILE* file = std::fopen(path.c_str(), "rb");
    if (!file)
        return counts;
    std::vector<NameKey> categories;
    std::vector<uint8_t> block(kRecordSize * 4096);
    std::fseek(file, 16, SEEK_SET);
    std::size_t read;
    while ((read = std::fread(block.data(), kRecordSize, 4096, file)) > 0) {
        for (std::size_t i = 0; i < read; ++i) {
            NameKey key;
            const char* name = reinterpret_cast<const char*>(block.data() + i * kRecordSize + kCategoryAt);
            std::memcpy(key.words, name, strnlen(name, kTextFieldSize));
            if (std::find(categories.begin(), categories.end(), key) == categories.end())
                categories.push_back(key);
        }
        counts.entries += read;
    }
    std::fclose(file);
    counts.categories = categories.size();
    return counts;
}

DiffCounts DiffFloor(const std::vector<MdbEntry>& before, const std::vector<MdbEntry>& after)
{
    const auto keysOf = [](const std::vector<MdbEntry>& records, std::vector<NameKey>& keys,
                           std::vector<uint64_t>& hashes) {
        keys.resize(records.size());
        hashes.resize(records.size());
        for (std::size_t i = 0; i < records.size(); ++i) {
            keys[i] = NameKeyOf(records[i]);
            hashes[i] = HashWords(keys[i].words, 4);
        }
    };
    std::vector<NameKey> keysA, keysB;
    std::vector<uint64_t> hashesA, hashesB;
    keysOf(before, keysA, hashesA);
    keysOf(after, keysB, hashesB);
    const std::vector<uint32_t> occurrenceA = Occurrences(keysA, hashesA);
    const std::vector<uint32_t> occurrenceB = Occurrences(keysB, hashesB);

    FlatIndex positionInB(after.size());
    for (uint32_t j = 0; j < after.size(); ++j)
        positionInB.FindOrAdd(Mix(hashesB[j] + occurrenceB[j]), j, [&](uint32_t k) {
            return keysB[k] == keysB[j] && occurrenceB[k] == occurrenceB[j];
        });
    DiffCounts counts;
    std::vector<uint8_t> matchedB(after.size(), 0);
    std::vector<uint32_t> order;
    order.reserve(before.size());
    for (uint32_t i = 0; i < before.size(); ++i) {
        const uint32_t j = positionInB.Find(Mix(hashesA[i] + occurrenceA[i]), [&](uint32_t k) {
            return keysB[k] == keysA[i] && occurrenceB[k] == occurrenceA[i];
        });
        if (j == kNone) {
            ++counts.removed;
            continue;
        }
        matchedB[j] = 1;
        order.push_back(j);
        if (std::memcmp(before[i].bytes().data(), after[j].bytes().data(), kRecordSize) != 0)
            ++counts.changed;
    }
    counts.moved = order.size() - LongestIncreasingLength(order);
    counts.added = std::size_t(std::count(matchedB.begin(), matchedB.end(), 0));
    return counts;
}

DuplicateCounts DuplicatesFloor(const std::vector<MdbEntry>& records)
{
    return {CountGroups<decltype(&RegistrationKeyOf), RegistrationKey>(records, RegistrationKeyOf),
            CountGroups<decltype(&TitleKeyOf), NameKey>(records, TitleKeyOf)};
}

bool SearchFloor(const std::vector<MdbEntry>& records, std::string_view upperWanted)
{
    for (const MdbEntry& record : records) {
        char title[kTextFieldSize];
        const std::string_view stored = Text(record, kTitleAt);
        for (std::size_t i = 0; i < stored.size(); ++i)
            title[i] = char(Upper(uint8_t(stored[i])));
        if (std::string_view(title, stored.size()).find(upperWanted) != std::string_view::npos)
            return true;
    }
    return false;
}

std::size_t FormattedReportFloor(const std::vector<MdbEntry>& records, const StyleCatalogue& styles,
                                 const std::string& path)
{
    Output out(path);
    Names names(styles);
    for (const MdbEntry& r : records) {
        out.Put("| ");
        out.Pad(Text(r, kCategoryAt), 16);
        out.Put(" | ");
        out.Pad(Text(r, kTitleAt), 16);
        out.Put(" | ");
        out.Pad(names.Style(r), 33);
        out.Put(" |  ");
        out.Number(r.tempo(), 3);
        out.Put("  |  Main ");
        out.Put(char(r.variation() + 57));
        out.Put("   |  ");
        out.Put(r.syncStart() ? '*' : ' ');
        out.Put("   |");
        for (const HandVoice hand : kHandOrder) {
            out.Put(' ');
            out.Put(r.voiceOn(hand) ? '*' : ' ');
            out.Put(' ');
            out.Pad(names.Voice(r.voice(hand)), 25);
            out.Put(hand == HandVoice::Left ? " |    " : " |   ");
            out.Number(r.voiceVolume(hand), 3);
            out.Put(hand == HandVoice::Left ? "    |" : "   |");
        }
        out.Put("  ");
        out.Put(r.leftHold() ? '*' : ' ');
        out.Put("   |   ");
        out.Number(r.mainVolume(), 3);
        out.Put("    |");
        for (int p = 0; p < kPartCount; ++p) {
            const Part part = Part(p);
            out.Put(' ');
            out.Pad(r.partOn(part) ? "on" : "off", 3);
            out.Put(' ');
            out.Pad(r.partVoiceSet(part) ? "set" : "", 3);
            out.Put("  ");
            out.Pad(names.Voice(r.partVoice(part)), 25);
            out.Put("  ");
            out.Pad(r.partVolumeSet(part) ? "set" : "", 3);
            out.Put(' ');
            out.Number(r.partVolume(part), 3);
            out.Put(" |");
        }
        out.EndLine();
    }
    return out.Written();
}

std::size_t TabReportFloor(const std::vector<MdbEntry>& records, const StyleCatalogue& styles,
                           const std::string& path)
{
    Output out(path);
    Names names(styles);
    for (const MdbEntry& r : records) {
        out.Put(Text(r, kCategoryAt));
        out.Put('\t');
        out.Put(Text(r, kTitleAt));
        out.Put('\t');
        out.Put(names.Style(r));
        out.Put('\t');
        out.Number(r.tempo());
        out.Put("\tMain");
        out.Put(char(r.variation() + 57));
        out.Put('\t');
        out.Put(r.syncStart() ? "Sync" : "");
        for (const HandVoice hand : kHandOrder) {
            out.Put('\t');
            out.Put(r.voiceOn(hand) ? '*' : ' ');
            out.Put(names.Voice(r.voice(hand)));
            out.Put('\t');
            out.Number(r.voiceVolume(hand));
        }
        out.Put('\t');
        out.Put(r.leftHold() ? "Hold" : "");
        out.Put('\t');
        out.Number(r.mainVolume());
        for (int p = 0; p < kPartCount; ++p) {
            const Part part = Part(p);
            out.Put('\t');
            out.Put(r.partOn(part) ? "on" : "off");
            out.Put('\t');
            out.Put(r.partVoiceSet(part) ? "set" : "");
            out.Put('\t');
            out.Put(names.Voice(r.partVoice(part)));
            out.Put('\t');
            out.Put(r.partVolumeSet(part) ? "set" : "");
            out.Put('\t');
            out.Number(r.partVolume(part));
        }
        out.EndLine();
    }
    return out.Written();
}

std::size_t ExportFloor(const std::vector<MdbEntry>& records, const StyleCatalogue& styles,
                        const std::string& path)
{
    constexpr char kHex[] = "0123456789ABCDEF";
    Output out(path);
    Names names(styles);
    const auto quoted = [&out](std::string_view text) {
        if (text.find_first_of(",\"\r\n") == std::string_view::npos) {
            out.Put(text);
            return;
        }
        out.Put('"');
        for (const char c : text) {
            if (c == '"')
                out.Put('"');
            out.Put(c);
        }
        out.Put('"');
    };
    const auto cell = [&out](int value) {
        out.Put(',');
        out.Number(value);
    };
    for (const MdbEntry& r : records) {
        quoted(Text(r, kCategoryAt));
        out.Put(',');
        quoted(Text(r, kTitleAt));
        cell(r.IsSubEntry());
        cell(r.isDiskStyle() ? kDiskStyleMarker : r.styleNumber());
        out.Put(',');
        quoted(names.Style(r));
        cell(r.tempo());
        out.Put(',');
        out.Put(char('A' + (r.variation() - 8)));
        cell(r.mainVolume());
        cell(r.syncStart());
        cell(r.stopAccompaniment());
        for (int p = 0; p < kPartCount; ++p) {
            const Part part = Part(p);
            const VoiceRef voice = r.partVoice(part);
            cell(r.partOn(part));
            cell(r.partVoiceSet(part));
            cell(r.partVolumeSet(part));
            cell(r.partVolume(part));
            cell(voice.msb);
            cell(voice.lsb);
            cell(voice.program);
            out.Put(',');
            quoted(names.Voice(voice));
        }
        for (int h = 0; h < kHandVoiceCount; ++h) {
            const HandVoice hand = HandVoice(h);
            const VoiceRef voice = r.voice(hand);
            cell(r.voiceOn(hand));
            cell(r.voiceVolume(hand));
            cell(voice.msb);
            cell(voice.lsb);
            cell(voice.program);
            out.Put(',');
            quoted(names.Voice(voice));
        }
        cell(r.leftHold());
        out.Put(',');
        if (r.isDiskStyle())
            out.Number(r.diskStyleNumber());
        out.Put(',');
        // The bytes no cell gives; the floor writes every byte, which is never less work.
        for (const uint8_t byte : r.bytes()) {
            out.Put(kHex[byte >> 4]);
            out.Put(kHex[byte & 15]);
        }
        out.EndLine();
    }
    return out.Written();
}

} // namespace tessaro::bench
