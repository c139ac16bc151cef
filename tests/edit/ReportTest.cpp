// The protocol reports, compared as whole files with golden copies under
// tests/data: made once from the hand-made records below and from the demo
// backup set, checked by hand byte by byte against the report's rules, and
// kept with their CR LF line ends.

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

#include <algorithm>
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

// ---- The golden copies ----------------------------------------------------------

std::string Golden(const std::string& name)
{
    return ReadText(std::string(TESSARO_SOURCE_DIR) + "/tests/data/" + name);
}

// The first `count` lines of a golden report, with their line ends.
std::string HeaderOf(const std::string& report, int count)
{
    std::size_t end = 0;
    for (int line = 0; line < count; ++line)
        end = report.find("\r\n", end) + 2;
    return report.substr(0, end);
}

// The lines of a report without their CR LF.
std::vector<std::string> LinesOf(const std::string& report)
{
    std::vector<std::string> lines;
    for (std::size_t start = 0; start < report.size();) {
        const std::size_t end = report.find("\r\n", start);
        EXPECT_NE(end, std::string::npos) << "a line without CR LF";
        if (end == std::string::npos)
            break;
        lines.push_back(report.substr(start, end - start));
        start = end + 2;
    }
    return lines;
}

std::size_t FieldCount(const std::string& line)
{
    return std::size_t(std::count(line.begin(), line.end(), '\t')) + 1;
}

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
    // A variation byte that prints as NUL (199 + 57 wraps round to 0), a tempo
    // of five digits, a category that fills its column exactly.
    records.push_back(RawRecord("Sixteen chars ok", "Odd Bytes", 1, 65535).Set(kVariation, 199));
    return records;
}

const std::string kLongFlashName = "An Extraordinarily Long Name 30"; // label of 41 characters
const std::string kHugeFlashName(511, 'n');

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

    void LoadAsArchive() { LoadAsArchive(pane); }
    void LoadAsArchive(PaneState& target)
    {
        testing::Bytes bytes(kArchiveMagicText.begin(), kArchiveMagicText.end());
        for (const RawRecord& record : TestRecords())
            bytes.insert(bytes.end(), record.data(), record.data() + 288);
        bytes.insert(bytes.end(), 100, 0x55); // less than a record: ignored
        WriteBytes(folder / "in.mdx", bytes);
        ASSERT_EQ(InsertArchiveFile(target, folder / "in.mdx"), std::nullopt);
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

// Truncated texts, Windows-1252 bytes, a disk style, unknown voices, values
// beyond their ranges and labels wider than their columns, in both reports
// and from both kinds of pane (the tree order is the same).
TEST_F(ReportTest, ReportsOfTheHandMadeRecordsAreTheirReviewedCopies)
{
    const std::string formatted = Golden("Report-cases.txt");
    const std::string tabbed = Golden("Report-cases-tabs.txt");
    ASSERT_FALSE(formatted.empty());
    ASSERT_FALSE(tabbed.empty());

    LoadAsMdb();
    AddEmptyCategory(pane, "Empty"); // a placeholder gives no line
    EXPECT_EQ(Protocol(WriteFormattedProtocol), formatted);
    EXPECT_EQ(Protocol(WriteTabProtocol, "tabs.txt"), tabbed);
    EXPECT_TRUE(prompts.messages.empty());

    PaneState archive{styles};
    LoadAsArchive(archive);
    EXPECT_EQ(ReportText(ReportKind::Formatted, archive.tree), formatted);
    EXPECT_EQ(ReportText(ReportKind::Tabs, archive.tree), tabbed);
}

TEST(ReportGoldenTest, TheGoldenCopiesHaveOneLinePerEntryAndFiftySixFields)
{
    // Ten hand-made entries; the two copies share their lines' order.
    const std::vector<std::string> formatted = LinesOf(Golden("Report-cases.txt"));
    const std::vector<std::string> tabbed = LinesOf(Golden("Report-cases-tabs.txt"));
    ASSERT_EQ(formatted.size(), 2u + 10u);
    ASSERT_EQ(tabbed.size(), 1u + 10u);
    for (const std::string& line : tabbed)
        EXPECT_EQ(FieldCount(line), 56u) << line;
    for (std::size_t i = 0; i < 10; ++i)
        EXPECT_EQ(formatted[2 + i].substr(2, tabbed[1 + i].find('\t')),
                  tabbed[1 + i].substr(0, tabbed[1 + i].find('\t')));
    // Every report starts with the same header.
    EXPECT_EQ(HeaderOf(Golden("Demo-protocol.txt"), 2), HeaderOf(Golden("Report-cases.txt"), 2));
    EXPECT_EQ(HeaderOf(Golden("Demo-protocol-tabs.txt"), 1), HeaderOf(Golden("Report-cases-tabs.txt"), 1));
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
    const std::size_t header = HeaderOf(report, 2).size();
    const std::string rockLine = report.substr(header, report.find("\r\n", header) - header);
    const std::string start = "| Pop              | Rock Ballad      | 8 Beat - Heart Beat               |  "
                              "120  |  Main A   |  *   |";
    EXPECT_EQ(rockLine.substr(0, start.size()), start);
    EXPECT_NE(rockLine.find("| *                           |     5   |"), std::string::npos);
    EXPECT_NE(rockLine.find("|   Percussion - Std.Kit1     |    80   |"), std::string::npos);
    EXPECT_NE(rockLine.find("| on  set  Percussion - Live!StdKit   set 100 |"), std::string::npos);
    EXPECT_NE(rockLine.find("| off      Percussion - Std.Kit1           77 |"), std::string::npos);
}

// Random records, odd bytes in every setting: one line each in tree order in
// both reports, 56 fields a line in the tab-separated one, and each value of a
// tab-separated line stands in the formatted line, in the same order.
TEST_F(ReportTest, ReportsOfRandomRecordsAgreeLineByLine)
{
    std::mt19937 random(22);
    std::vector<MdbEntry> records(400);
    for (MdbEntry& record : records) {
        for (uint8_t& byte : record.bytes())
            byte = uint8_t(random());
        record.SetCategory(random() % 2 ? "Sixteen chars ok" : "Pop");
        // Any Windows-1252 text but the tab and line ends that split the reports
        // (the golden copies hold a variation that prints as NUL).
        std::string title;
        for (std::size_t i = 0, length = random() % 17; i < length; ++i)
            title += char(0x20 + random() % 0xE0);
        record.SetTitle(title);
        const uint8_t shown = uint8_t(record.variation() + 57); // the variation prints as this character
        if (shown == '\t' || shown == '\r' || shown == '\n')
            record.setVariation(8);
        record.setStyleNumber(random() % 3 == 0 ? uint8_t(kPresetStyleCount + random() % 2) : uint8_t(random()));
        // Mostly voices the catalogue names, so that a name in the wrong column shows.
        const auto known = [&random] {
            return VoiceRef::FromPacked(VoiceCatalogue::GetVoicePacked(int(random() % 880)));
        };
        for (int h = 0; h < kHandVoiceCount; ++h) {
            if (random() % 4 != 0)
                record.setVoice(HandVoice(h), known());
        }
        for (int p = 0; p < kPartCount; ++p) {
            if (random() % 4 != 0)
                record.setPartVoice(Part(p), known());
        }
    }
    for (const MdbEntry& record : records)
        ASSERT_TRUE(InsertLoadedRecord(pane, record));

    const std::vector<std::string> formatted = LinesOf(ReportText(ReportKind::Formatted, pane.tree));
    const std::vector<std::string> tabbed = LinesOf(ReportText(ReportKind::Tabs, pane.tree));
    ASSERT_EQ(formatted.size(), 2u + records.size());
    ASSERT_EQ(tabbed.size(), 1u + records.size());
    EXPECT_EQ(formatted[0] + "\r\n" + formatted[1] + "\r\n", HeaderOf(Golden("Report-cases.txt"), 2));
    EXPECT_EQ(tabbed[0] + "\r\n", HeaderOf(Golden("Report-cases-tabs.txt"), 1));

    const RecordSource inTreeOrder = RecordsOf(pane.tree);
    for (std::size_t line = 1; line < tabbed.size(); ++line) {
        const MdbEntry* record = inTreeOrder();
        ASSERT_NE(record, nullptr);
        std::vector<std::string> fields;
        for (std::size_t start = 0;;) {
            const std::size_t tab = tabbed[line].find('\t', start);
            fields.push_back(tabbed[line].substr(start, tab - start));
            if (tab == std::string::npos)
                break;
            start = tab + 1;
        }
        ASSERT_EQ(fields.size(), 56u) << tabbed[line];
        EXPECT_EQ(fields[0], record->GetCategory());
        EXPECT_EQ(fields[1], record->GetTitle());
        EXPECT_EQ(fields[3], std::to_string(record->tempo()));
        const std::string& same = formatted[line + 1];
        EXPECT_EQ(same.rfind("| " + record->GetCategory(), 0), 0u) << same;
        std::size_t at = 0;
        for (std::size_t f = 0; f < fields.size(); ++f) {
            if (f == 4 || f == 5 || f == 14) // Variation, Sync and Hold are written otherwise there
                continue;
            const bool voice = f == 6 || f == 8 || f == 10 || f == 12; // "*" or " " before the name
            const std::string value = voice ? fields[f].substr(1) : fields[f];
            if (value.empty())
                continue;
            at = same.find(value, at);
            ASSERT_NE(at, std::string::npos) << "field " << f << " '" << value << "' of " << same;
            at += value.size();
        }
    }
}

TEST_F(ReportTest, EmptyPaneWritesTheHeaderOnly)
{
    EXPECT_EQ(Protocol(WriteFormattedProtocol), HeaderOf(Golden("Report-cases.txt"), 2));
    EXPECT_EQ(Protocol(WriteTabProtocol, "tabs.txt"), HeaderOf(Golden("Report-cases-tabs.txt"), 1));
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
    EXPECT_EQ(Protocol(WriteTabProtocol), HeaderOf(Golden("Report-cases-tabs.txt"), 1));
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
