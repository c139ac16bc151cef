// The protocol reports, compared as whole files with bytes built here from the
// report layout (a line is the layout's printf format filled with the values
// each column should show), never by the report code itself.

#include "catalogue/StyleCatalogue.h"
#include "data/MdbFile.h"
#include "catalogue/VoiceCatalogue.h"
#include "data/MdbImage.h"
#include "data/SafeFile.h"
#include "edit/PaneLoad.h"
#include "edit/Reports.h"
#include "support/DataTestSupport.h"
#include "support/FakeProgress.h"
#include "support/FakePrompts.h"
#include "support/TreeTestSupport.h"

#include <gtest/gtest.h>

#include <array>
#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <random>
#include <string>
#include <vector>

namespace tessaro {
namespace {

using testing::ReadText;
using testing::TempFolder;
using testing::WriteBytes;

// ---- Records, written byte by byte at the keyboard's offsets ------------------

class RawRecord
{
public:
    RawRecord(const std::string& category, const std::string& title, uint8_t style, uint16_t tempo)
    {
        bytes_.fill(0);
        bytes_[16] = 1; // inUse
        Text(20, category);
        Text(0, title);
        Set(37, style).Set(19, style);
        Set(260, uint8_t(tempo >> 8)).Set(261, uint8_t(tempo));
        Set(39, 8); // Main A
    }
    RawRecord& Set(std::size_t offset, uint8_t value)
    {
        bytes_[offset] = value;
        return *this;
    }
    // Raw bytes into a 16-byte text field; may hold a NUL with text after it.
    RawRecord& Text(std::size_t offset, const std::string& bytes)
    {
        for (std::size_t i = 0; i < 16; ++i)
            bytes_[offset + i] = i < bytes.size() ? uint8_t(bytes[i]) : 0;
        return *this;
    }
    RawRecord& Voice(std::size_t offset, uint8_t msb, uint8_t lsb, uint8_t program)
    {
        return Set(offset, msb).Set(offset + 1, lsb).Set(offset + 2, program);
    }
    const uint8_t* data() const { return bytes_.data(); }

private:
    std::array<uint8_t, 288> bytes_;
};

// Offsets of the record fields used here.
constexpr std::size_t kVariation = 39, kMainVolume = 42, kPartOn = 43, kPartVolumeSet = 44,
                      kPartVoiceSet = 89;
constexpr std::size_t kRhy2Volume = 45, kRhy1Volume = 46, kBassVolume = 47, kPhr2Volume = 52;
constexpr std::size_t kRhy2Voice = 90, kRhy1Voice = 93, kBassVoice = 96, kPhr2Voice = 111;
constexpr std::size_t kLeftOn = 150, kLeftVoice = 151, kLeftVolume = 155, kLeftHold = 168;
constexpr std::size_t kR1On = 181, kR1Voice = 182, kR1Volume = 186;
constexpr std::size_t kR2On = 199, kR2Voice = 200, kR2Volume = 204;
constexpr std::size_t kR3On = 217, kR3Voice = 218, kR3Volume = 222;
constexpr std::size_t kSyncStart = 269, kDiskStyleNumber = 284;

// ---- Expected lines -----------------------------------------------------------

struct HandColumns
{
    bool on = false;
    std::string voice = "XG001 - GrandPno"; // the voice 0/0/0 of a zeroed record
    int volume = 0;
};

struct PartColumns
{
    std::string onOff = "off";
    std::string set;
    std::string voice = "XG001 - GrandPno";
    std::string setVolume;
    int volume = 0;
};

struct ExpectedLine
{
    std::string category, title, style;
    int tempo = 0;
    int variation = 'A';
    bool sync = false;
    HandColumns r1, r2, r3, left;
    bool hold = false;
    int accompanimentVolume = 0;
    PartColumns parts[8]; // Rhy1, Rhy2, Bass, Chd1, Chd2, Pad, Phr1, Phr2
};

// The table's line format, as the report layout gives it.
constexpr char kLineFormat[] =
    "| %-16s | %-16s | %-33s |  %3d  |  Main %c   |  %c   | %c %-25s |   %3d   | %c %-25s |   %3d   | %c "
    "%-25s "
    "|   %3d   | %c %-25s |    %3d    |  %c   |   %3d    | %-3s %-3s  %-25s  %-3s %3d | %-3s %-3s  %-25s  "
    "%-3s "
    "%3d | %-3s %-3s  %-25s  %-3s %3d | %-3s %-3s  %-25s  %-3s %3d | %-3s %-3s  %-25s  %-3s %3d | %-3s %-3s  "
    "%-25s  %-3s %3d | %-3s %-3s  %-25s  %-3s %3d | %-3s %-3s  %-25s  %-3s %3d |";

std::string Formatted(const ExpectedLine& e)
{
    auto star = [](bool on) { return on ? '*' : ' '; };
    const PartColumns* p = e.parts;
    char line[4096];
    const int n = std::snprintf(
        line, sizeof line, kLineFormat, e.category.c_str(), e.title.c_str(), e.style.c_str(), e.tempo,
        e.variation, star(e.sync), star(e.r1.on), e.r1.voice.c_str(), e.r1.volume, star(e.r2.on),
        e.r2.voice.c_str(), e.r2.volume, star(e.r3.on), e.r3.voice.c_str(), e.r3.volume, star(e.left.on),
        e.left.voice.c_str(), e.left.volume, star(e.hold), e.accompanimentVolume, //
        p[0].onOff.c_str(), p[0].set.c_str(), p[0].voice.c_str(), p[0].setVolume.c_str(), p[0].volume,
        p[1].onOff.c_str(), p[1].set.c_str(), p[1].voice.c_str(), p[1].setVolume.c_str(), p[1].volume,
        p[2].onOff.c_str(), p[2].set.c_str(), p[2].voice.c_str(), p[2].setVolume.c_str(), p[2].volume,
        p[3].onOff.c_str(), p[3].set.c_str(), p[3].voice.c_str(), p[3].setVolume.c_str(), p[3].volume,
        p[4].onOff.c_str(), p[4].set.c_str(), p[4].voice.c_str(), p[4].setVolume.c_str(), p[4].volume,
        p[5].onOff.c_str(), p[5].set.c_str(), p[5].voice.c_str(), p[5].setVolume.c_str(), p[5].volume,
        p[6].onOff.c_str(), p[6].set.c_str(), p[6].voice.c_str(), p[6].setVolume.c_str(), p[6].volume,
        p[7].onOff.c_str(), p[7].set.c_str(), p[7].voice.c_str(), p[7].setVolume.c_str(), p[7].volume);
    return std::string(line, std::size_t(n)) + "\r\n";
}

std::string Tabbed(const ExpectedLine& e)
{
    std::vector<std::string> fields = {e.category,
                                       e.title,
                                       e.style,
                                       std::to_string(e.tempo),
                                       std::string("Main") + char(e.variation),
                                       e.sync ? "Sync" : ""};
    for (const HandColumns* hand : {&e.r1, &e.r2, &e.r3, &e.left}) {
        fields.push_back((hand->on ? "*" : " ") + hand->voice);
        fields.push_back(std::to_string(hand->volume));
    }
    fields.push_back(e.hold ? "Hold" : "");
    fields.push_back(std::to_string(e.accompanimentVolume));
    for (const PartColumns& part : e.parts) {
        for (const std::string& field : {part.onOff, part.set, part.voice, part.setVolume})
            fields.push_back(field);
        fields.push_back(std::to_string(part.volume));
    }
    std::string line;
    for (std::size_t i = 0; i < fields.size(); ++i)
        line += (i ? "\t" : "") + fields[i];
    EXPECT_EQ(fields.size(), 56u);
    return line + "\r\n";
}

const std::string kFormattedHeader =
    "| Category         | Entry            | Style                             | Tempo | Variation | Sync | "
    "R1-Voice                    | R1-Vol. | R2-Voice                    | R2-Vol. | R3-Voice                "
    "    "
    "| R3-Vol. | Left-Voice                  | Left-Vol. | Hold | Acc-Vol. | Rhy1                            "
    "   "
    "    Vol. | Rhy2                                   Vol. | Bass                                   Vol. | "
    "Chd1 "
    "                                  Vol. | Chd2                                   Vol. | Pad              "
    "     "
    "                 Vol. | Phr1                                   Vol. | Phr2                              "
    "     "
    "Vol. |\r\n"
    "|------------------|------------------|-----------------------------------|-------|-----------|------|--"
    "--"
    "-------------------------|---------|-----------------------------|---------|----------------------------"
    "-"
    "|---------|-----------------------------|-----------|------|----------|---------------------------------"
    "--"
    "----------|---------------------------------------------|---------------------------------------------|-"
    "--"
    "------------------------------------------|---------------------------------------------|---------------"
    "--"
    "----------------------------|---------------------------------------------|-----------------------------"
    "--"
    "--------------|\r\n";

const std::string kTabHeader =
    "Category\tEntry\tStyle\tTempo\tVariation\tSync\tR1-Voice\tR1-Vol\tR2-Voice\tR2-Vol\tR3-Voice\tR3-Vol\t"
    "Left-Voice\tLeft-Vol\tHold\tAcc-Vol\tRhy1-OnOff\tRhy1-Set\tRhy1-Voice\tRhy1-SetVol\tRhy1-Vol\tRhy2-"
    "OnOff\t"
    "Rhy2-Set\tRhy2-Voice\tRhy2-SetVol\tRhy2-Vol\tBass-OnOff\tBass-Set\tBass-Voice\tBass-SetVol\tBass-Vol\t"
    "Chd1-OnOff\tChd1-Set\tChd1-Voice\tChd1-SetVol\tChd1-Vol\tChd2-OnOff\tChd2-Set\tChd2-Voice\tChd2-SetVol\t"
    "Chd2-Vol\tPad-OnOff\tPad-Set\tPad-Voice\tPad-SetVol\tPad-Vol\tPhr1-OnOff\tPhr1-Set\tPhr1-Voice\t"
    "Phr1-SetVol\tPhr1-Vol\tPhr2-OnOff\tPhr2-Set\tPhr2-Voice\tPhr2-SetVol\tPhr2-Vol\r\n";

// ---- The database of the tests --------------------------------------------------

// A 16-byte title of Windows-1252 bytes: "Café €uro Night!" with é = E9, € = 80.
const std::string kFullTitle = "Caf\xE9 \x80uro Night!";

std::vector<RawRecord> TestRecords()
{
    std::vector<RawRecord> records;
    // Every hand and part column with a value of its own.
    records.push_back(RawRecord("Pop", "Rock Ballad", 0, 120)
                          .Set(kSyncStart, 127)
                          .Set(kR1On, 127)
                          .Voice(kR1Voice, 0, 112, 0)
                          .Set(kR1Volume, 100)
                          .Set(kR2On, 0)
                          .Voice(kR2Voice, 127, 0, 0)
                          .Set(kR2Volume, 80)
                          .Set(kR3On, 1)
                          .Voice(kR3Voice, 1, 2, 3)
                          .Set(kR3Volume, 5)
                          .Set(kLeftOn, 127)
                          .Voice(kLeftVoice, 63, 0, 31)
                          .Set(kLeftVolume, 127)
                          .Set(kLeftHold, 127)
                          .Set(kMainVolume, 90)
                          .Set(kPartOn, 0x81)
                          .Set(kPartVoiceSet, 0x01)
                          .Set(kPartVolumeSet, 0x05)
                          .Voice(kRhy1Voice, 127, 0, 80)
                          .Set(kRhy1Volume, 100)
                          .Voice(kRhy2Voice, 127, 0, 0)
                          .Set(kRhy2Volume, 77)
                          .Voice(kBassVoice, 0, 116, 52)
                          .Set(kBassVolume, 0)
                          .Voice(kPhr2Voice, 64, 0, 115)
                          .Set(kPhr2Volume, 255));
    // Sub entry behind its main entry; stays a sub entry.
    records.push_back(RawRecord("Pop", "  Verse", 0, 120).Set(kVariation, 11));
    // Sub entry landing behind another group: becomes a main entry.
    records.push_back(RawRecord("Pop", "  Orphan", 3, 100).Set(kVariation, 9));
    // Same group key as the first two: goes after them.
    records.push_back(RawRecord("Pop", "Same Key", 0, 120).Set(kVariation, 10));
    // Sub entry, last of its category.
    records.push_back(RawRecord("Pop", "  Last Sub", 3, 100));
    // Sub entry first in a new category: becomes a main entry.
    records.push_back(RawRecord("Jazz", "  First", 20, 90));
    // Disk style, text after the terminators, values beyond their ranges.
    records.push_back(RawRecord("", kFullTitle, 250, 1000)
                          .Text(20, std::string("Disk\0Stale name", 15))
                          .Set(kDiskStyleNumber, 4)
                          .Set(kVariation, 0)
                          .Set(kR1On, 127)
                          .Voice(kR1Voice, 0, 113, 0)
                          .Set(kR1Volume, 200)
                          .Set(kMainVolume, 255));
    // Flash style with a long name, a wrapping variation code, a title cut at its NUL.
    records.push_back(RawRecord("Jazz", std::string("Abc\0XYZ", 7), 125, 5).Set(kVariation, 255));
    // The longest name a flash-style file can give.
    records.push_back(RawRecord("Jazz", "Huge", 126, 6));
    return records;
}

const std::string kLongFlashName = "An Extraordinarily Long Name 30"; // label of 41 characters
const std::string kHugeFlashName(511, 'n');

// What the report shows for TestRecords, in tree order.
std::vector<ExpectedLine> ExpectedLines()
{
    std::vector<ExpectedLine> lines;

    ExpectedLine rock;
    rock.category = "Pop";
    rock.title = "Rock Ballad";
    rock.style = "8 Beat - Heart Beat";
    rock.tempo = 120;
    rock.sync = true;
    rock.r1 = {true, "Piano - Grand Piano", 100};
    rock.r2 = {false, "Percussion - Std.Kit1", 80};
    rock.r3 = {true, "", 5};
    rock.left = {true, "Custom Voice 32", 127};
    rock.hold = true;
    rock.accompanimentVolume = 90;
    rock.parts[0] = {"on", "set", "Percussion - Live!StdKit", "set", 100}; // Rhy1
    rock.parts[1] = {"off", "", "Percussion - Std.Kit1", "", 77};          // Rhy2
    rock.parts[2] = {"off", "", "Choir&&Pad - Live!Gospel", "set", 0};     // Bass
    rock.parts[7] = {"on", "", "XG480 - FireWork", "", 255};               // Phr2
    lines.push_back(rock);

    ExpectedLine plain; // a record with nothing but its group key set
    plain.category = "Pop";
    plain.style = "8 Beat - Heart Beat";
    plain.tempo = 120;

    ExpectedLine verse = plain;
    verse.title = "  Verse";
    verse.variation = 'D';
    lines.push_back(verse);

    ExpectedLine same = plain;
    same.title = "Same Key";
    same.variation = 'C';
    lines.push_back(same);

    ExpectedLine orphan = plain;
    orphan.title = "Orphan";
    orphan.style = "8 Beat - 8 Beat 3";
    orphan.tempo = 100;
    orphan.variation = 'B';
    lines.push_back(orphan);

    ExpectedLine last = orphan;
    last.title = "  Last Sub";
    last.variation = 'A';
    lines.push_back(last);

    ExpectedLine first = plain;
    first.category = "Jazz";
    first.title = "First";
    first.style = "16 Beat - 16 Beat 1";
    first.tempo = 90;
    lines.push_back(first);

    ExpectedLine flash = plain;
    flash.category = "Jazz";
    flash.title = "Abc";
    flash.style = "Flash I - " + kLongFlashName;
    flash.tempo = 5;
    flash.variation = '8'; // (255 + 57) as a byte
    lines.push_back(flash);

    ExpectedLine huge = plain;
    huge.category = "Jazz";
    huge.title = "Huge";
    huge.style = "Flash I - " + kHugeFlashName;
    huge.tempo = 6;
    lines.push_back(huge);

    ExpectedLine disk = plain;
    disk.category = "Disk";
    disk.title = kFullTitle;
    disk.style = "";
    disk.tempo = 1000;
    disk.variation = '9';
    disk.r1 = {true, "Piano - Live!Grand", 200};
    disk.accompanimentVolume = 255;
    lines.push_back(disk);

    return lines;
}

class ReportTest : public ::testing::Test
{
protected:
    void SetUp() override
    {
        styles.SetFlashNameIndividual(0, kLongFlashName);
        styles.SetFlashNameIndividual(1, kHugeFlashName);
    }
    StyleCatalogue styles;

    void LoadAsMdb()
    {
        MdbImage image;
        int slot = 0;
        for (const RawRecord& record : TestRecords()) {
            image.SetSlot(slot, MdbEntry(record.data()));
            slot += 2; // empty slots between: skipped
        }
        ASSERT_EQ(InsertMdbImage(pane, image), std::nullopt);
    }

    void LoadAsArchive()
    {
        testing::Bytes bytes(kArchiveMagicText.begin(), kArchiveMagicText.end());
        for (const RawRecord& record : TestRecords())
            bytes.insert(bytes.end(), record.data(), record.data() + 288);
        bytes.insert(bytes.end(), 100, 0x55); // less than a record: ignored
        WriteBytes(folder / "in.mdx", bytes);
        ASSERT_EQ(InsertArchiveFile(pane, folder / "in.mdx"), std::nullopt);
    }

    // Runs a Protocol button with the file dialog answering path.
    std::string Protocol(void (*write)(const PaneState&, Prompts&, Progress*),
                         const std::string& name = "out.txt", Progress* progress = nullptr)
    {
        prompts.saveFileNames.push_back(folder / name);
        write(pane, prompts, progress);
        return ReadText(folder / name);
    }

    const std::string kArchiveMagicText = "%%%MDB-Archiv%%%";
    TempFolder folder;
    PaneState pane{styles};
    FakePrompts prompts;
};

TEST_F(ReportTest, FormattedReportOfAnMdbPaneIsTheTableOfEveryEntryInTreeOrder)
{
    LoadAsMdb();
    AddEmptyCategory(pane, "Empty"); // a placeholder gives no line

    std::string expected = kFormattedHeader;
    for (const ExpectedLine& line : ExpectedLines())
        expected += Formatted(line);
    EXPECT_EQ(Protocol(WriteFormattedProtocol), expected);
    EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(ReportTest, TabReportOfAnArchivePaneHasFiftySixFieldsPerEntry)
{
    LoadAsArchive();

    std::string expected = kTabHeader;
    for (const ExpectedLine& line : ExpectedLines())
        expected += Tabbed(line);
    EXPECT_EQ(Protocol(WriteTabProtocol), expected);
}

// The demo backup set's reports, checked by hand once against the report's
// rules and kept beside the tests: any change to a byte of either shows here.
TEST(DemoReportTest, BothReportsOfTheDemoMdbAreTheirReviewedCopies)
{
    const std::string source = TESSARO_SOURCE_DIR;
    const MdbReadResult read = ReadMdbFile(source + "/examples/Demo.buf/MDB.bup");
    ASSERT_TRUE(read.ok());
    StyleCatalogue styles;
    styles.SetFlashNamesFactory(read.model == KeyboardModel::Psr9000Pro);
    PaneState pane{styles};
    ASSERT_EQ(InsertMdbImage(pane, read.image), std::nullopt);
    ASSERT_EQ(pane.EntryCount(), 42);

    TempFolder folder;
    FakePrompts prompts;
    prompts.saveFileNames = {folder / "formatted.txt", folder / "tabs.txt"};
    WriteFormattedProtocol(pane, prompts, nullptr);
    WriteTabProtocol(pane, prompts, nullptr);
    EXPECT_EQ(ReadText(folder / "formatted.txt"), ReadText(source + "/tests/data/Demo-protocol.txt"));
    EXPECT_EQ(ReadText(folder / "tabs.txt"), ReadText(source + "/tests/data/Demo-protocol-tabs.txt"));
    EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(ReportTest, OneLineSpelledOutInFull)
{
    // Guards the format itself: the Rhy1 column of an entry whose part is on,
    // with voice and volume set, and the unknown R3 voice.
    LoadAsMdb();
    const std::string report = Protocol(WriteFormattedProtocol);
    const std::string rockLine = report.substr(
        kFormattedHeader.size(), report.find("\r\n", kFormattedHeader.size()) - kFormattedHeader.size());
    const std::string start = "| Pop              | Rock Ballad      | 8 Beat - Heart Beat               |  "
                              "120  |  Main A   |  *   |";
    EXPECT_EQ(rockLine.substr(0, start.size()), start);
    EXPECT_NE(rockLine.find("| *                           |     5   |"), std::string::npos);
    EXPECT_NE(rockLine.find("|   Percussion - Std.Kit1     |    80   |"), std::string::npos);
    EXPECT_NE(rockLine.find("| on  set  Percussion - Live!StdKit   set 100 |"), std::string::npos);
    EXPECT_NE(rockLine.find("| off      Percussion - Std.Kit1           77 |"), std::string::npos);
}

// Every line of random records, odd bytes included (a variation byte that
// prints as NUL, tempos of five digits, names of sixteen characters, the long
// flash names), is the layout's format filled with the record's values.
TEST_F(ReportTest, LinesOfRandomRecordsAreTheLayoutFilledIn)
{
    std::mt19937 random(22);
    std::vector<MdbEntry> records(400);
    for (MdbEntry& record : records) {
        for (uint8_t& byte : record.bytes())
            byte = uint8_t(random());
        record.SetCategory(random() % 2 ? "Sixteen chars ok" : "Pop");
        record.setStyleNumber(random() % 3 == 0 ? uint8_t(kPresetStyleCount + random() % 2) : uint8_t(random()));
        if (random() % 4 == 0)
            record.setVoice(HandVoice::R1, VoiceRef::FromPacked(VoiceCatalogue::GetVoicePacked(int(random() % 880))));
    }
    records[0].setVariation(199); // 199 + 57 wraps round to a NUL byte
    for (const MdbEntry& record : records)
        ASSERT_TRUE(InsertLoadedRecord(pane, record));

    std::string formatted = kFormattedHeader;
    std::string tabbed = kTabHeader;
    const RecordSource inTreeOrder = RecordsOf(pane.tree);
    while (const MdbEntry* r = inTreeOrder()) {
        ExpectedLine e;
        e.category = r->GetCategory();
        e.title = r->GetTitle();
        e.style = r->isDiskStyle() ? "" : styles.GetStyleLabel(r->styleNumber());
        e.tempo = r->tempo();
        e.variation = uint8_t(r->variation() + 57);
        e.sync = r->syncStart();
        HandColumns* hands[] = {&e.left, &e.r1, &e.r2, &e.r3};
        for (int h = 0; h < kHandVoiceCount; ++h) {
            *hands[h] = {r->voiceOn(HandVoice(h)), VoiceCatalogue::FindVoiceName(r->voice(HandVoice(h))),
                         r->voiceVolume(HandVoice(h))};
        }
        e.hold = r->leftHold();
        e.accompanimentVolume = r->mainVolume();
        for (int p = 0; p < kPartCount; ++p) {
            const Part part = Part(p);
            e.parts[p] = {r->partOn(part) ? "on" : "off", r->partVoiceSet(part) ? "set" : "",
                          VoiceCatalogue::FindVoiceName(r->partVoice(part)), r->partVolumeSet(part) ? "set" : "",
                          r->partVolume(part)};
        }
        formatted += Formatted(e);
        tabbed += Tabbed(e);
    }
    EXPECT_EQ(ReportText(ReportKind::Formatted, pane.tree), formatted);
    EXPECT_EQ(ReportText(ReportKind::Tabs, pane.tree), tabbed);
}

TEST_F(ReportTest, EmptyPaneWritesTheHeaderOnly)
{
    EXPECT_EQ(Protocol(WriteFormattedProtocol), kFormattedHeader);
    EXPECT_EQ(Protocol(WriteTabProtocol, "tabs.txt"), kTabHeader);
}

TEST_F(ReportTest, CancelledProtocolLeavesNoFileAndSaysNothing)
{
    LoadAsMdb();
    FakeProgress cancel(0);
    EXPECT_EQ(Protocol(WriteFormattedProtocol, "cancelled.txt", &cancel), "");
    EXPECT_EQ(cancel.captions, std::vector<Caption>{Caption::ProgressReport});
    EXPECT_FALSE(std::filesystem::exists(folder / "cancelled.txt"));
    EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(ReportTest, AsksForTheFileWithTheProtocolDialog)
{
    Protocol(WriteTabProtocol);
    ASSERT_EQ(prompts.saveRequests.size(), 1u);
    const FileDialogRequest& request = prompts.saveRequests[0];
    EXPECT_EQ(request.title, "Create protocol file");
    EXPECT_EQ(request.filter, "Protocol file (*.txt)|*.txt||");
    EXPECT_EQ(request.defaultExtension, ".txt");
    EXPECT_EQ(request.initialName, "");
    EXPECT_TRUE(request.overwritePrompt);
    EXPECT_EQ(prompts.waitCursorDepth, 0);
}

TEST_F(ReportTest, CancelOrAnEmptyNameWritesNothingAndSaysNothing)
{
    LoadAsMdb();
    WriteFormattedProtocol(pane, prompts); // nothing scripted: cancelled
    prompts.saveFileNames.push_back(std::string());
    WriteTabProtocol(pane, prompts);
    EXPECT_TRUE(prompts.messages.empty());
    EXPECT_EQ(folder.Names().size(), 0u);
}

TEST_F(ReportTest, AFileThatCannotBeCreatedIsReported)
{
    LoadAsMdb();
    prompts.saveFileNames.push_back(folder / "no such folder/out.txt");
    WriteFormattedProtocol(pane, prompts);
    ASSERT_EQ(prompts.messages.size(), 1u);
    // The message, then the file and what the system said of it.
    EXPECT_EQ(prompts.messages[0].text, "Error creating protocol file!\n\n" + (folder / "no such folder/out.txt") +
                                            ": " + std::strerror(ENOENT));
    EXPECT_EQ(prompts.messages[0].icon, MsgIcon::Warning);
    EXPECT_EQ(prompts.messages[0].buttons, MsgButtons::Ok);
}

TEST_F(ReportTest, AFailedWriteIsReportedAndLeavesTheOldFileWhole)
{
    LoadAsMdb();
    testing::WriteText(folder / "out.txt", "old report");
    InjectSafeWriteFault(SafeWriteFault::Write);
    prompts.saveFileNames.push_back(folder / "out.txt");
    WriteTabProtocol(pane, prompts);
    EXPECT_TRUE(prompts.Showed(Msg::ErrorCreatingProtocolFile));
    EXPECT_EQ(ReadText(folder / "out.txt"), "old report");
    EXPECT_EQ(folder.Names().size(), 1u);
}

TEST_F(ReportTest, AnExistingFileIsReplaced)
{
    testing::WriteText(folder / "out.txt", std::string(100000, 'x'));
    EXPECT_EQ(Protocol(WriteTabProtocol), kTabHeader);
}

TEST_F(ReportTest, GermanDialogTitleAndMessage)
{
    SetUiLanguage(UiLanguage::German);
    prompts.saveFileNames.push_back(folder / "missing/out.txt");
    WriteFormattedProtocol(pane, prompts);
    SetUiLanguage(UiLanguage::English);
    ASSERT_EQ(prompts.saveRequests.size(), 1u);
    EXPECT_EQ(prompts.saveRequests[0].title, "Protokolldatei anlegen");
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].text, "Fehler beim Anlegen der Protokolldatei!\n\n" + (folder / "missing/out.txt") +
                                            ": " + std::strerror(ENOENT));
}

} // namespace
} // namespace tessaro
