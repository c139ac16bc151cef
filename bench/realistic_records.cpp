#include "realistic_records.h"

#include "catalogue/VoiceCatalogue.h"

#include <algorithm>
#include <filesystem>
#include <random>
#include <unistd.h>

namespace tessaro::bench {

namespace {

constexpr const char* kCategories[50] = {
    "Pop",        "Rock",       "Ballads",   "Jazz",       "Swing",      "Latin",      "Bossa",
    "Country",    "Dance",      "Disco",     "Schlager",   "Volksmusik", "Oldies",     "Evergreens",
    "Waltz",      "Tango",      "Polka",     "March",      "Blues",      "Soul",       "Funk",
    "Reggae",     "Christmas",  "Hymns",     "Classical",  "Film",       "Musical",    "Party",
    "Wedding",    "Samba",      "Rumba",     "Cha Cha",    "Foxtrot",    "Quickstep",  "Slowfox",
    "Italian",    "French",     "Irish",     "Greek",      "Gospel",     "Rock'n'Roll", "Twist",
    "Boogie",     "Big Band",   "Lounge",    "Children",   "Folk",       "Chanson",    "Shanty",
    "Practice"};

constexpr const char* kWords[] = {
    "Love",    "Night",  "Blue",   "Moon",   "Dream",  "Heart",  "Summer", "Rain",   "Dance",
    "Time",    "Little", "Star",   "Sweet",  "Home",   "River",  "Girl",   "Rose",   "Road",
    "Fire",    "Angel",  "Wind",   "Sun",    "Way",    "Song",   "Tonight", "Baby",  "Day",
    "Lady",    "Island", "Sea",    "Golden", "Wild",   "Light",  "Autumn", "Paris",  "Rome",
    "Memory",  "Waltz",  "Tears",  "Smile",  "Kiss",   "Only",   "Forever", "Again", "Yellow",
    "Mexico",  "Street", "Bridge", "Water",  "Sky",    "Spring", "Morning", "Shadow", "Silver",
    "Magic",   "Stormy", "Happy",  "Lonely", "Crazy",  "Strangers", "Friends", "Cherry", "Garden"};

std::string Title(std::mt19937& rng)
{
    constexpr std::size_t kWordCount = sizeof kWords / sizeof kWords[0];
    // Mostly two or three words: a song's name, which repeats in a merged collection but not in every
    // hundredth entry.
    std::string title = kWords[rng() % kWordCount];
    for (int words = 1 + int(rng() % 2); words > 0; --words) {
        const std::string next = kWords[rng() % kWordCount];
        if (title.size() + 1 + next.size() > kTextFieldSize)
            break;
        title += ' ' + next;
    }
    return title;
}

VoiceRef CatalogueVoice(std::mt19937& rng)
{
    return VoiceRef::FromPacked(VoiceCatalogue::GetVoicePacked(int(rng() % kVoiceCount)));
}

MdbEntry Record(std::mt19937& rng, int i)
{
    MdbEntry record;
    record.bytes()[kInUseOffset] = 1;
    // Some categories far larger than others, as collections have them.
    const unsigned pick = rng() % 100;
    record.SetCategory(kCategories[pick < 40 ? pick % 5 : pick % 50]);
    record.SetTitle((i % 10 == 9 ? "  " : "") + Title(rng));
    if (rng() % 20 == 0) {
        record.setStyleNumber(kDiskStyleMarker);
        record.setDiskStyleNumber(uint8_t(1 + rng() % 250));
    } else {
        record.setStyleNumber(uint8_t(rng() % 245));
    }
    record.setTempo(uint16_t(60 + rng() % 160));
    record.setVariation(uint8_t(8 + rng() % 4));
    record.setMainVolume(uint8_t(rng() % 128));
    record.setSyncStart(rng() % 2);
    record.setLeftHold(rng() % 3 == 0);
    record.setStopAccompaniment(rng() % 4 == 0);
    for (int hand = 0; hand < kHandVoiceCount; ++hand) {
        record.setVoiceOn(HandVoice(hand), hand == int(HandVoice::R1) || rng() % 2);
        record.setVoice(HandVoice(hand), CatalogueVoice(rng));
        record.setVoiceVolume(HandVoice(hand), uint8_t(rng() % 128));
    }
    for (int part = 0; part < kPartCount; ++part) {
        record.setPartOn(Part(part), rng() % 4 != 0);
        record.setPartVoiceSet(Part(part), rng() % 2);
        record.setPartVoice(Part(part), CatalogueVoice(rng));
        record.setPartVolumeSet(Part(part), rng() % 2);
        record.setPartVolume(Part(part), uint8_t(rng() % 128));
    }
    return record;
}

} // namespace

std::vector<MdbEntry> RealisticRecords(int count, unsigned seed)
{
    std::mt19937 rng(seed);
    std::vector<MdbEntry> records;
    records.reserve(std::size_t(count));
    for (int i = 0; i < count; ++i)
        records.push_back(Record(rng, i));
    std::shuffle(records.begin(), records.end(), rng);
    return records;
}

std::vector<MdbEntry> WithOnePercentChanged(const std::vector<MdbEntry>& records)
{
    std::vector<MdbEntry> changed = records;
    for (std::size_t i = 50; i < changed.size(); i += 100) {
        MdbEntry& record = changed[i];
        switch ((i / 100) % 4) {
        case 0:
        case 1:
            record.setMainVolume(uint8_t((record.mainVolume() + 1) % 128));
            break;
        case 2:
            record.setTempo(uint16_t(record.tempo() + 1));
            break;
        default:
            record.SetTitle(record.GetTitle() + "!");
            break;
        }
    }
    return changed;
}

std::string BenchFile(const std::string& name)
{
    struct Folder
    {
        std::filesystem::path path =
            std::filesystem::temp_directory_path() / ("tessaro-floor-bench-" + std::to_string(::getpid()));
        Folder() { std::filesystem::create_directories(path); }
        ~Folder()
        {
            std::error_code ec;
            std::filesystem::remove_all(path, ec);
        }
    };
    static Folder folder;
    return (folder.path / name).string();
}

} // namespace tessaro::bench
