#include "cli/DemoSet.h"

#include "catalogue/StyleCatalogue.h"
#include "catalogue/VoiceCatalogue.h"
#include "cli/LoadedFile.h"
#include "cli/Messages.h"
#include "data/ArchiveFile.h"
#include "data/BackupIni.h"
#include "data/FlashStyleFile.h"
#include "data/FolderPath.h"
#include "data/MdbFile.h"
#include "data/SafeFile.h"
#include "data/Win1252.h"
#include "edit/EntryCsv.h"
#include "edit/PaneLoad.h"
#include "edit/PaneState.h"

#include <cstdio>
#include <memory>
#include <stdexcept>
#include <utility>
#include <vector>

namespace tessaro::cli {

namespace {

// Style indices of the catalogue used below.
enum Style : int
{
    SoftRock = 18,
    PianoBallad = 10,
    LoveSong = 13,
    AcousticBallad = 15,
    SlowAndEasy = 24,
    SmoothJazz = 25,
    SeventiesDisco = 36,
    DiscoFox = 38,
    BigBand1 = 45,
    Swing1 = 48,
    JazzBallad1 = 52,
    Dixieland = 55,
    Ragtime = 56,
    RockAndRoll = 63,
    AmazingGospel = 70,
    CountryWaltz = 80,
    Bluegrass1 = 81,
    BossaNova = 87,
    Mambo1 = 89,
    GuitarSerenade = 100,
    Tarantella1 = 101,
    SlowWaltz = 104,
    VienneseWaltz = 105,
    Tango = 109,
    ChaChaCha = 112,
    FlashSixtiesRock1 = 125 + 0, // bank I slot 1
    FlashBebop = 125 + 45,       // bank IV slot 1
    FlashJazzBallad2 = 125 + 50, // bank IV slot 6
    FlashSalsa = 125 + 92,       // bank VII slot 3
    FlashMusette = 125 + 110,    // bank VIII slot 6
    FlashSwingWaltz = 125 + 111, // bank VIII slot 7
    DiskStyle1 = 245,            // disk styles: 245 + diskStyleNumber
    DiskStyle2 = 246,
    DiskStyle7 = 251,
};

// The voice of a catalogue row, found by its name so that only named rows are used.
VoiceRef Voice(const char* name)
{
    for (int row = 0; row < kVoiceCount; ++row) {
        if (!VoiceCatalogue::IsVoiceHidden(row) && VoiceCatalogue::GetVoiceName(row) == name) {
            return VoiceRef::FromPacked(VoiceCatalogue::GetVoicePacked(row));
        }
    }
    throw std::runtime_error(std::string("no voice named ") + name);
}

struct HandSetting
{
    const char* voice; // nullptr: the hand's voice is off (its numbers stay those of R1)
    uint8_t volume;
};

// The right-hand and left-hand voices of a registration.
struct Sound
{
    HandSetting r1, r2, r3, left;
    bool leftHold;
};

const Sound kPianoStrings = {{"Piano - Grand Piano", 100},
                             {"Strings - Live! Strs", 70},
                             {nullptr, 80},
                             {"Strings - Live! Strs", 64},
                             true};
const Sound kJazzPiano = {
    {"Piano - Grand Piano", 100}, {"XG044 - Vibes", 60}, {nullptr, 80}, {"XG125 - Aco.Bass", 90}, false};
const Sound kTenorSax = {
    {"Saxophone - Sweet Tenor", 105}, {nullptr, 80}, {nullptr, 80}, {"E-Piano - Galaxy EP", 70}, false};
const Sound kTrumpet = {{"Trumpet - Sweet Trump", 100},
                        {"XG015 - E.Piano1", 50},
                        {nullptr, 80},
                        {"Strings - Live! Strs", 60},
                        true};
const Sound kOrgan = {
    {"Organ - Cool! Organ", 95}, {"XG079 - RotaryOr", 70}, {nullptr, 80}, {"XG082 - ChrchOrg", 60}, true};
const Sound kAccordion = {{"Accordion - Musette", 100},
                          {"XG090 - Acordion", 75},
                          {nullptr, 80},
                          {"Accordion - Musette", 70},
                          false};
const Sound kNylon = {{"Guitar - Live! Nylon", 100},
                      {"Flute - Sweet Flute", 65},
                      {nullptr, 80},
                      {"Strings - Live! Strs", 55},
                      true};
const Sound kFluteChoir = {{"Flute - Sweet Flute", 95},
                           {"Choir&&Pad - Live!Gospel", 75},
                           {"Percussion - Vibraphone", 50},
                           {"Choir&&Pad - Live!Gospel", 60},
                           true};
const Sound kSynthLead = {
    {"Synthesizer - Oxygen", 100}, {"XG110 - CleanGtr", 60}, {nullptr, 80}, {"XG015 - E.Piano1", 70}, false};
const Sound kCustomPiano = {
    {"Custom Voice 01", 100}, {"Custom Voice 02", 80}, {nullptr, 80}, {"Piano - Grand Piano", 70}, false};
// Only the PSR-9000pro has these voices: for the archive.
const Sound kProBrass = {{"Brass - Live! Brass", 100},
                         {"Trumpet - SweetMuteTp", 70},
                         {nullptr, 80},
                         {"Strings - Live! Arco", 64},
                         true};
const Sound kProGrand = {{"Piano - Live!Grand", 100},
                         {"Choir&&Pad - Sunbeam", 60},
                         {nullptr, 80},
                         {"Piano - Live!Grand", 70},
                         false};

struct PartSetting
{
    const char* voice;
    uint8_t volume;
    bool on, voiceSet, volumeSet;
};

// The accompaniment parts in mask order: Rhy1, Rhy2, Bass, Chd1, Chd2, Pad, Phr1, Phr2.
using Band = PartSetting[kPartCount];

const Band kPopBand = {
    {"Percussion - Live!StdKit", 100, true, false, false},
    {"Percussion - Std.Kit1", 90, true, false, false},
    {"XG128 - FngrBass", 95, true, true, true},
    {"XG110 - CleanGtr", 80, true, false, false},
    {"XG015 - E.Piano1", 75, true, true, false},
    {"Strings - Live! Strs", 70, true, true, true},
    {"Synthesizer - Oxygen", 60, false, false, false},
    {"XG096 - NylonGtr", 65, true, false, false},
};
const Band kJazzBand = {
    {"Percussion - Std.Kit1", 90, true, false, false}, {"Percussion - Std.Kit1", 80, true, false, false},
    {"XG125 - Aco.Bass", 100, true, true, true},       {"Piano - Grand Piano", 85, true, true, false},
    {"XG107 - Jazz Gtr", 75, true, false, true},       {"Strings - Live! Strs", 50, false, false, false},
    {"Saxophone - Sweet Tenor", 70, true, true, true}, {"Trumpet - Sweet Trump", 70, true, false, false},
};
const Band kLatinBand = {
    {"Percussion - Live!StdKit", 95, true, false, false}, {"Percussion - Arabic Kit", 85, true, true, true},
    {"XG125 - Aco.Bass", 95, true, false, false},         {"Guitar - Live! Nylon", 90, true, true, true},
    {"XG106 - Mandolin", 70, true, false, false},         {"Strings - Live! Strs", 60, true, false, false},
    {"Flute - Sweet Flute", 70, true, true, false},       {"Accordion - Musette", 65, false, false, false},
};
const Band kFolkBand = {
    {"Percussion - Std.Kit1", 85, true, false, false}, {"Percussion - Std.Kit1", 75, false, false, false},
    {"XG125 - Aco.Bass", 90, true, false, true},       {"XG101 - SteelGtr", 90, true, true, false},
    {"XG106 - Mandolin", 80, true, true, true},        {"Accordion - Musette", 65, true, false, false},
    {"Flute - Sweet Flute", 70, true, false, false},   {"XG092 - Harmnica", 60, true, true, true},
};

struct DemoEntry
{
    const char* category; // UTF-8 here, Windows-1252 in the record
    const char* title;    // the same; a sub entry begins with two spaces
    int style;
    uint16_t tempo;
    char variation; // 'A'..'D'
    const Sound* sound;
    const Band* band;
    bool syncStart;
};

// The keyboard's database: some forty registrations for an evening's gig.
const DemoEntry kMdbEntries[] = {
    {"Ballads", "Moonlight Waltz", SlowWaltz, 84, 'A', &kPianoStrings, &kPopBand, true},
    {"Ballads", "  Moonlight Solo", SlowWaltz, 84, 'C', &kNylon, &kPopBand, false},
    {"Ballads", "Piano Ballad", PianoBallad, 68, 'A', &kPianoStrings, &kPopBand, true},
    {"Ballads", "Love Theme", LoveSong, 72, 'B', &kPianoStrings, &kPopBand, true},
    {"Ballads", "  Love Bridge", LoveSong, 72, 'C', &kFluteChoir, &kPopBand, false},
    {"Ballads", "  Love Finale", LoveSong, 72, 'D', &kTrumpet, &kPopBand, false},
    {"Ballads", "Danny Boy", AcousticBallad, 66, 'A', &kNylon, &kFolkBand, true},
    {"Ballads", "Für Elise", PianoBallad, 76, 'B', &kCustomPiano, &kPopBand, false},
    {"Evergreens", "Ain't Misbehavin", Swing1, 116, 'B', &kJazzPiano, &kJazzBand, true},
    {"Evergreens", "Sweet Georgia", Swing1, 132, 'C', &kTenorSax, &kJazzBand, true},
    {"Evergreens", "  Sax Chorus", Swing1, 132, 'D', &kTenorSax, &kJazzBand, false},
    {"Evergreens", "Maple Leaf Rag", Ragtime, 100, 'A', &kJazzPiano, &kJazzBand, false},
    {"Evergreens", "The Entertainer", Ragtime, 84, 'B', &kJazzPiano, &kJazzBand, true},
    {"Evergreens", "St. Louis Blues", Dixieland, 108, 'A', &kTrumpet, &kJazzBand, true},
    {"Jazz & Swing", "Night Club", SmoothJazz, 92, 'A', &kTenorSax, &kJazzBand, true},
    {"Jazz & Swing", "Bebop Intro", FlashBebop, 220, 'A', &kTrumpet, &kJazzBand, true},
    {"Jazz & Swing", "  Bebop Solo", FlashBebop, 220, 'B', &kTenorSax, &kJazzBand, false},
    {"Jazz & Swing", "Late Ballad", FlashJazzBallad2, 60, 'A', &kJazzPiano, &kJazzBand, false},
    {"Jazz & Swing", "In the Mood", BigBand1, 168, 'C', &kTrumpet, &kJazzBand, true},
    {"Jazz & Swing", "Slow & Easy", SlowAndEasy, 76, 'A', &kOrgan, &kJazzBand, true},
    {"Latin", "Girl from Rio", BossaNova, 136, 'A', &kNylon, &kLatinBand, true},
    {"Latin", "  Rio Solo", BossaNova, 136, 'B', &kFluteChoir, &kLatinBand, false},
    {"Latin", "La Cumparsita", Tango, 120, 'B', &kAccordion, &kLatinBand, true},
    {"Latin", "Cielito Lindo", Mambo1, 184, 'C', &kTrumpet, &kLatinBand, true},
    {"Latin", "Salsa Caliente", FlashSalsa, 190, 'D', &kSynthLead, &kLatinBand, true},
    {"Latin", "Cha Cha Cha", ChaChaCha, 124, 'A', &kOrgan, &kLatinBand, true},
    {"Folk", "Greensleeves", GuitarSerenade, 96, 'A', &kNylon, &kFolkBand, false},
    {"Folk", "Red River Valley", CountryWaltz, 104, 'B', &kNylon, &kFolkBand, true},
    {"Folk", "Oh Susanna", Bluegrass1, 180, 'C', &kAccordion, &kFolkBand, true},
    {"Folk", "Tarantella", Tarantella1, 160, 'D', &kAccordion, &kFolkBand, true},
    {"Folk", "Sous le ciel", FlashMusette, 128, 'A', &kAccordion, &kFolkBand, true},
    {"Folk", "Ständchen", FlashSwingWaltz, 88, 'B', &kCustomPiano, &kFolkBand, false},
    {"Party", "Disco Night", SeventiesDisco, 120, 'C', &kSynthLead, &kPopBand, true},
    {"Party", "  Disco Break", SeventiesDisco, 120, 'D', &kSynthLead, &kPopBand, false},
    {"Party", "Fox Medley", DiscoFox, 128, 'B', &kSynthLead, &kPopBand, true},
    {"Party", "Rock Around", RockAndRoll, 176, 'D', &kOrgan, &kPopBand, true},
    {"Party", "Sixties Rock", FlashSixtiesRock1, 140, 'A', &kOrgan, &kPopBand, true},
    {"Party", "Amazing Grace", AmazingGospel, 72, 'A', &kOrgan, &kPopBand, false},
    {"Party", "My Own Groove", DiskStyle1, 112, 'A', &kSynthLead, &kPopBand, true},
    {"Party", "  Groove Ending", DiskStyle1, 112, 'D', &kSynthLead, &kPopBand, false},
    {"Party", "Blues Night", DiskStyle7, 96, 'B', &kTenorSax, &kJazzBand, true},
    {"Party", "Blue Danube", VienneseWaltz, 174, 'A', &kPianoStrings, &kPopBand, false},
};

// The archive: the user's own collection beside it, with some PSR-9000pro voices.
const DemoEntry kArchiveEntries[] = {
    {"Wedding", "Bridal Chorus", SlowWaltz, 72, 'A', &kOrgan, &kPopBand, false},
    {"Wedding", "First Dance", LoveSong, 70, 'B', &kProGrand, &kPopBand, true},
    {"Wedding", "  Dance Bridge", LoveSong, 70, 'C', &kPianoStrings, &kPopBand, false},
    {"Wedding", "Ave Maria", PianoBallad, 60, 'A', &kProBrass, &kPopBand, false},
    {"Wedding", "Auld Lang Syne", SlowWaltz, 90, 'B', &kFluteChoir, &kFolkBand, true},
    {"Christmas", "Jingle Bells", Swing1, 152, 'C', &kJazzPiano, &kJazzBand, true},
    {"Christmas", "Silent Night", CountryWaltz, 80, 'A', &kFluteChoir, &kFolkBand, false},
    {"Christmas", "  Silent Coda", CountryWaltz, 80, 'D', &kFluteChoir, &kFolkBand, false},
    {"Christmas", "O Tannenbaum", SlowWaltz, 92, 'B', &kOrgan, &kFolkBand, true},
    {"Christmas", "Winter Swing", FlashBebop, 168, 'A', &kProBrass, &kJazzBand, true},
    {"Dinner Jazz", "Soft Lights", SmoothJazz, 84, 'A', &kTenorSax, &kJazzBand, true},
    {"Dinner Jazz", "Candle Bossa", BossaNova, 128, 'B', &kNylon, &kLatinBand, true},
    {"Dinner Jazz", "Velvet Night", JazzBallad1, 64, 'A', &kProGrand, &kJazzBand, false},
    {"Dinner Jazz", "  Velvet Solo", JazzBallad1, 64, 'B', &kTenorSax, &kJazzBand, false},
    {"Dinner Jazz", "Swing Supper", DiskStyle2, 126, 'C', &kJazzPiano, &kJazzBand, true},
    {"Ballads", "Evening Song", SoftRock, 80, 'A', &kPianoStrings, &kPopBand, true},
    {"Ballads", "Café Melody", AcousticBallad, 74, 'B', &kAccordion, &kFolkBand, false},
    {"Latin", "Sunny Samba", BossaNova, 150, 'C', &kProBrass, &kLatinBand, true},
    {"Latin", "Tango Noir", Tango, 116, 'A', &kAccordion, &kLatinBand, true},
};

void SetHand(MdbEntry& record, HandVoice hand, const HandSetting& setting, VoiceRef fallback)
{
    record.setVoiceOn(hand, setting.voice != nullptr);
    record.setVoice(hand, setting.voice ? Voice(setting.voice) : fallback);
    record.setVoiceVolume(hand, setting.volume);
}

MdbEntry MakeRecord(const DemoEntry& demo)
{
    MdbEntry record;
    record.bytes()[kInUseOffset] = 1;
    record.SetCategory(FromUtf8(demo.category));
    record.SetTitle(FromUtf8(demo.title));
    record.setStyleIndex(demo.style);
    record.setTempo(demo.tempo);
    record.setVariation(static_cast<uint8_t>(8 + (demo.variation - 'A'))); // 8..11: Main A..D
    record.setMainVolume(100);
    record.setSyncStart(demo.syncStart);
    record.setStopAccompaniment(false);

    const Sound& sound = *demo.sound;
    const VoiceRef r1 = Voice(sound.r1.voice);
    SetHand(record, HandVoice::R1, sound.r1, r1);
    SetHand(record, HandVoice::R2, sound.r2, r1);
    SetHand(record, HandVoice::R3, sound.r3, r1);
    SetHand(record, HandVoice::Left, sound.left, r1);
    record.setLeftHold(sound.leftHold);

    for (int p = 0; p < kPartCount; ++p) {
        const Part part = static_cast<Part>(p);
        const PartSetting& setting = (*demo.band)[p];
        record.setPartOn(part, setting.on);
        record.setPartVoice(part, Voice(setting.voice));
        record.setPartVoiceSet(part, setting.voiceSet);
        record.setPartVolume(part, setting.volume);
        record.setPartVolumeSet(part, setting.volumeSet);
    }
    return record;
}

// Puts the entries into a pane as the editor does, so the files hold them in tree order.
template <std::size_t N> bool FillPane(PaneState& pane, const DemoEntry (&entries)[N])
{
    for (const DemoEntry& demo : entries) {
        if (!InsertLoadedRecord(pane, MakeRecord(demo))) {
            return false;
        }
    }
    return true;
}

// Names of the flash styles the demo musician loaded, some in the slots the
// demo entries use; the other slots are empty.
std::vector<std::string> FlashStyleNames()
{
    std::vector<std::string> names(kFlashStyleNameCount, "No Data");
    const std::pair<int, const char*> loaded[] = {
        {0, "Gig Opener"},      {1, "Slow Blues"},    {2, "Soul Ballad"},   {3, "Funk Groove"},
        {45, "Bebop Combo"},    {50, "Smoky Ballad"}, {90, "Rio Nights"},   {92, "Salsa Band"},
        {110, "Paris Musette"}, {111, "Swing Waltz"}, {112, "Polka Party"}, {113, "Irish Reel"},
    };
    for (const auto& [f, name] : loaded) {
        names[static_cast<std::size_t>(f)] = name;
    }
    return names;
}

// A flash-style backup as the keyboard writes one, as far as the editor reads it:
// the signature, 16 bytes it skips, then each style's name in a 512-byte record.
std::string FlashStyleBackup()
{
    constexpr std::size_t kRecordBytes = 512;
    constexpr std::size_t kNamesOffset = 32;
    std::string bytes(kFlashStyleFileBytes, '\0');
    bytes[1] = '\x60';
    bytes[5] = '\x20';
    const std::vector<std::string> names = FlashStyleNames();
    for (std::size_t f = 0; f < names.size(); ++f) {
        bytes.replace(kNamesOffset + kRecordBytes * f, names[f].size(), names[f]);
    }
    return bytes;
}

bool Failed(const std::string& file, const std::optional<Msg>& error)
{
    if (error) {
        PrintError(file, *error);
        return true;
    }
    return false;
}

} // namespace

int MakeExamples(const std::string& folder)
{
    const std::string setFolder = folder + "/Demo.buf";
    if (!CreateFolderPath(setFolder)) {
        PrintError(setFolder, Msg::ErrorCreatingDirectory);
        return 1;
    }
    const StyleCatalogue styles;
    auto mdb = std::make_unique<PaneState>(styles);
    auto archive = std::make_unique<PaneState>(styles);
    try {
        if (!FillPane(*mdb, kMdbEntries) || !FillPane(*archive, kArchiveEntries)) {
            PrintError(folder, Msg::ErrorLoadingDisplayBuffer);
            return 1;
        }
    } catch (const std::exception& error) {
        PrintError(folder, error.what());
        return 1;
    }

    const std::string mdbPath = setFolder + "/MDB.bup";
    const std::string flashPath = setFolder + "/STYLES.bup";
    const std::string archivePath = folder + "/Demo.mdx";
    const std::string flash = FlashStyleBackup();
    if (Failed(mdbPath, WriteMdbFile(mdbPath, RecordsOf(mdb->tree), KeyboardModel::Psr9000)) ||
        Failed(mdbPath, UpdateBackupIni(mdbPath, KeyboardModel::Psr9000)) ||
        Failed(archivePath, WriteArchiveFile(archivePath, RecordsOf(archive->tree)))) {
        return 1;
    }
    if (!WriteFileSafely(flashPath, flash.data(), flash.size())) {
        PrintError(flashPath, "Error saving the flash-style backup!");
        return 1;
    }
    // The spreadsheet is what "tessaro-cli export Demo.buf/MDB.bup" gives: the
    // file as loaded, with the PSR-9000's factory flash-style names.
    const std::string csvPath = folder + "/Demo.csv";
    auto saved = std::make_unique<LoadedFile>();
    if (const std::optional<Msg> error = LoadFile(mdbPath, *saved)) {
        PrintError(mdbPath, *error);
        return 1;
    }
    saved->styles.SetFlashNamesFactory(false);
    if (!WriteEntryCsvFile(saved->pane.tree, csvPath)) {
        PrintError(csvPath, "the CSV file cannot be written");
        return 1;
    }
    std::printf("%s: %d entries in %d categories\n%s\n%s: %d entries in %d categories\n%s\n", mdbPath.c_str(),
                mdb->EntryCount(), mdb->tree.CategoryCount(), flashPath.c_str(), archivePath.c_str(),
                archive->EntryCount(), archive->tree.CategoryCount(), csvPath.c_str());
    return 0;
}

} // namespace tessaro::cli
