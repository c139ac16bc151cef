// An entry as a row of cells and back: exact for any record, edits in a cell
// win, and every value the entry editor would refuse is refused.
#include "edit/EntryColumns.h"
#include "support/TreeTestSupport.h"

#include "catalogue/StyleCatalogue.h"
#include "support/DataTestSupport.h"

#include <gtest/gtest.h>

#include <random>
#include <set>

namespace tessaro {
namespace {

using testing::RandomRecord;

std::size_t Col(const std::string& name)
{
    const std::vector<EntryColumn>& columns = EntryColumns();
    for (std::size_t c = 0; c < columns.size(); ++c) {
        if (columns[c].name == name) {
            return c;
        }
    }
    ADD_FAILURE() << "no column " << name;
    return 0;
}

// A record whose every setting holds a value the editor accepts, the other bytes random.
MdbEntry EditorRecord(std::mt19937& rng)
{
    MdbEntry record = RandomRecord(rng);
    record.SetCategory("Pop & Rock");
    record.SetTitle("  Caf\xE9 \"Blue\", 2");
    record.setStyleIndex(int(rng() % 495));
    record.setTempo(uint16_t(32 + rng() % 249));
    record.setVariation(uint8_t(8 + rng() % 4));
    record.setMainVolume(uint8_t(rng() % 128));
    record.setSyncStart(rng() % 2);
    record.setStopAccompaniment(rng() % 2);
    record.setLeftHold(rng() % 2);
    for (int p = 0; p < kPartCount; ++p) {
        record.setPartVolume(static_cast<Part>(p), uint8_t(rng() % 128));
    }
    for (int h = 0; h < kHandVoiceCount; ++h) {
        record.setVoiceOn(static_cast<HandVoice>(h), rng() % 2);
        record.setVoiceVolume(static_cast<HandVoice>(h), uint8_t(rng() % 128));
    }
    return record;
}

std::string FaultsText(const std::vector<CellFault>& faults)
{
    std::string text;
    for (const CellFault& fault : faults) {
        text += EntryColumns()[fault.column].name + ": " + fault.reason + "\n";
    }
    return text;
}

TEST(EntryColumns, HeaderNamesFollowTheReport)
{
    const std::vector<EntryColumn>& columns = EntryColumns();
    ASSERT_EQ(columns.size(), 10u + 8 * 8 + 4 * 6 + 3);
    EXPECT_EQ(columns.front().name, "Category");
    EXPECT_EQ(columns[1].name, "Entry");
    EXPECT_EQ(columns[Col("Acc-Vol")].kind, ColumnKind::MainVolume);
    EXPECT_EQ(columns[Col("Rhy1-SetVol")].kind, ColumnKind::PartVolumeSet);
    EXPECT_LT(Col("Phr2-Voice"), Col("R1-OnOff"));
    EXPECT_LT(Col("R3-Voice"), Col("Left-OnOff"));
    EXPECT_EQ(columns.back().name, "OtherBytes");
    EXPECT_EQ(ColumnOf(ColumnKind::HandMsb, int(HandVoice::Left)), Col("Left-MSB"));
}

TEST(EntryColumns, EachColumnOccupiesItsFieldsBytes)
{
    const auto covers = [](const std::string& column, std::vector<std::pair<std::size_t, uint8_t>> bits) {
        const std::vector<uint8_t>& coverage = CoverageOf(Col(column));
        std::vector<uint8_t> expected(kRecordSize, 0);
        for (const auto& [offset, mask] : bits) {
            expected[offset] = mask;
        }
        EXPECT_EQ(coverage, expected) << column;
    };
    std::vector<std::pair<std::size_t, uint8_t>> title, category;
    for (std::size_t i = 0; i < 16; ++i) {
        title.emplace_back(i, 0xFF);
        category.emplace_back(20 + i, 0xFF);
    }
    covers("Entry", title);
    covers("Category", category);
    covers("StyleNumber", {{19, 0xFF}, {37, 0xFF}, {284, 0xFF}});
    covers("DiskStyle", {});
    covers("Tempo", {{260, 0xFF}, {261, 0xFF}});
    covers("Variation", {{39, 0xFF}});
    covers("Rhy1-OnOff", {{43, 0x01}});
    covers("Rhy2-SetVol", {{44, 0x02}});
    covers("Phr2-Set", {{89, 0x80}});
    covers("Rhy1-Vol", {{46, 0xFF}});
    covers("Rhy1-MSB", {{93, 0xFF}});
    covers("Left-Program", {{153, 0xFF}});
    covers("R1-OnOff", {{181, 0xFF}});
    covers("StopAcc", {{283, 0xFF}});
    covers("Hold", {{168, 0xFF}});
    covers("R1-Voice", {});
    covers("SubEntry", {});
}

TEST(EntryColumns, AnyRecordReadsBackExactly)
{
    std::mt19937 rng(288);
    for (int round = 0; round < 300; ++round) {
        const MdbEntry record = round % 2 ? RandomRecord(rng) : EditorRecord(rng);
        const EntryCells cells = CellsOf(record, NumberedStyles());
        ASSERT_EQ(cells.size(), EntryColumns().size());
        MdbEntry back;
        const std::vector<CellFault> faults = RecordFromCells(cells, back);
        ASSERT_TRUE(faults.empty()) << FaultsText(faults);
        ASSERT_EQ(back, record) << "round " << round;
    }
}

TEST(EntryColumns, AcceptedValuesFillTheirCellsAndOtherBytesHoldsTheRest)
{
    std::mt19937 rng(7);
    MdbEntry record = EditorRecord(rng);
    record.setStyleIndex(245 + 6); // DiskStyle 7
    record.setTempo(120);
    record.setVariation(10);
    record.setVoice(HandVoice::R1, {0, 116, 52});
    const EntryCells cells = CellsOf(record, NumberedStyles());
    EXPECT_EQ(cells[Col("Category")], "Pop & Rock");
    EXPECT_EQ(cells[Col("Entry")], "  Caf\xC3\xA9 \"Blue\", 2");
    EXPECT_EQ(cells[Col("SubEntry")], "1");
    EXPECT_EQ(cells[Col("StyleNumber")], "245");
    EXPECT_EQ(cells[Col("DiskStyle")], "7");
    EXPECT_EQ(cells[Col("Style")], "DiskStyle 7");
    EXPECT_EQ(cells[Col("Tempo")], "120");
    EXPECT_EQ(cells[Col("Variation")], "C");
    EXPECT_EQ(cells[Col("R1-MSB")], "0");
    EXPECT_EQ(cells[Col("R1-LSB")], "116");
    EXPECT_EQ(cells[Col("R1-Voice")], "Choir&Pad - Live!Gospel"); // one '&' for people

    const std::string& other = cells[Col("OtherBytes")];
    ASSERT_EQ(other.size(), 576u);
    const auto pair = [&other](std::size_t offset) { return other.substr(2 * offset, 2); };
    EXPECT_EQ(pair(0), "..");   // title
    EXPECT_EQ(pair(260), ".."); // tempo
    EXPECT_EQ(pair(43), "..");  // the part on bits, all given by their columns
    char inUse[3];
    std::snprintf(inUse, sizeof inUse, "%02X", record.bytes()[16]);
    EXPECT_EQ(pair(16), inUse); // the in-use byte has no column
}

TEST(EntryColumns, ValuesTheEditorRefusesStayInOtherBytes)
{
    MdbEntry record;
    record.SetCategory("Pop");
    record.SetTitle("A");
    record.setTempo(300);
    record.setVariation(3);
    record.setPartVolume(Part::Bass, 200);
    record.bytes()[269] = 5;    // sync start on, but not as the editor writes it
    record.bytes()[283] = 0x00; // stop accompaniment off, not as 0x80
    record.setStyleIndex(12);
    record.bytes()[19] = 99; // a style copy that disagrees
    record.bytes()[3] = 0;   // title "A" ...
    record.bytes()[5] = 'x'; // ... with bytes behind its end
    const EntryCells cells = CellsOf(record, NumberedStyles());
    for (const char* column :
         {"Tempo", "Variation", "Bass-Vol", "Sync", "StopAcc", "StyleNumber", "DiskStyle", "Entry"}) {
        EXPECT_EQ(cells[Col(column)], "") << column;
    }
    EXPECT_EQ(cells[Col("Category")], "Pop");
    EXPECT_EQ(cells[Col("OtherBytes")].substr(520, 4), "012C");
    MdbEntry back;
    EXPECT_TRUE(RecordFromCells(cells, back).empty());
    EXPECT_EQ(back, record);

    // The check for the keyboard names what the editor would refuse, and only that.
    EXPECT_EQ(EditorRangeFault(Col("Tempo"), record)->reason, "'300' is not a whole number from 32 to 280");
    EXPECT_EQ(EditorRangeFault(Col("Variation"), record)->reason, "'3' is not A, B, C or D");
    EXPECT_TRUE(EditorRangeFault(Col("Bass-Vol"), record));
    EXPECT_FALSE(EditorRangeFault(Col("Sync"), record));
    EXPECT_FALSE(EditorRangeFault(Col("StyleNumber"), record));
    EXPECT_FALSE(EditorRangeFault(Col("R1-Voice"), record));
    record.setStyleIndex(245);
    record.setDiskStyleNumber(250);
    const std::optional<CellFault> disk = EditorRangeFault(Col("StyleNumber"), record);
    ASSERT_TRUE(disk);
    EXPECT_EQ(EntryColumns()[disk->column].name, "DiskStyle");
    record.SetTitle("");
    EXPECT_EQ(EditorRangeFault(Col("Entry"), record)->reason, "is empty");
}

TEST(EntryColumns, AnEditedCellWinsOverOtherBytes)
{
    std::mt19937 rng(11);
    const MdbEntry record = EditorRecord(rng);
    EntryCells cells = CellsOf(record, NumberedStyles());
    cells[Col("Tempo")] = " 97 ";
    cells[Col("Variation")] = "main a";
    cells[Col("Entry")] = "Neu \xE2\x82\xAC"; // the euro sign is byte 0x80
    cells[Col("R2-Program")] = "5";
    cells[Col("Pad-OnOff")] = "1";
    cells[Col("R2-Voice")] = "anything: names are not read";
    cells[Col("Style")] = "anything";
    MdbEntry back;
    ASSERT_TRUE(RecordFromCells(cells, back).empty());
    MdbEntry expected = record;
    expected.setTempo(97);
    expected.setVariation(8);
    expected.SetTitle("Neu \x80");
    VoiceRef r2 = expected.voice(HandVoice::R2);
    r2.program = 5;
    expected.setVoice(HandVoice::R2, r2);
    expected.setPartOn(Part::Pad, true);
    // The sub-entry column still says 1: the edited title becomes a sub entry again.
    expected.SetTitle("  Neu \x80");
    EXPECT_EQ(back, expected);

    cells[Col("SubEntry")] = "0";
    cells[Col("Entry")] = "  Sub";
    ASSERT_TRUE(RecordFromCells(cells, back).empty());
    EXPECT_EQ(back.GetTitle(), "Sub");
    cells[Col("Entry")] = "Main";
    cells[Col("SubEntry")] = "";
    ASSERT_TRUE(RecordFromCells(cells, back).empty());
    EXPECT_EQ(back.GetTitle(), "Main");

    // A catalogue style clears the disk style number, as the editor does.
    cells[Col("StyleNumber")] = "17";
    cells[Col("DiskStyle")] = "";
    ASSERT_TRUE(RecordFromCells(cells, back).empty());
    EXPECT_EQ(back.styleIndex(), 17);
    EXPECT_EQ(back.bytes()[19], 17);
    EXPECT_EQ(back.diskStyleNumber(), 0);
}

TEST(EntryColumns, ARowWithoutOtherBytesIsANewEntry)
{
    EntryCells cells = CellsOf(MdbEntry(), NumberedStyles());
    for (std::string& cell : cells) {
        cell.clear();
    }
    const auto set = [&cells](const std::string& column, const std::string& value) {
        cells[Col(column)] = value;
    };
    set("Category", "Pop");
    set("Entry", "New");
    set("StyleNumber", "3");
    set("Tempo", "100");
    set("Variation", "B");
    set("Acc-Vol", "90");
    for (const char* column : {"Sync", "StopAcc", "Hold"}) {
        set(column, "0");
    }
    for (const char* part : {"Rhy1", "Rhy2", "Bass", "Chd1", "Chd2", "Pad", "Phr1", "Phr2"}) {
        for (const char* field : {"-OnOff", "-Set", "-SetVol", "-Vol", "-MSB", "-LSB", "-Program"}) {
            set(std::string(part) + field, "1");
        }
    }
    for (const char* hand : {"R1", "R2", "R3", "Left"}) {
        for (const char* field : {"-OnOff", "-Vol", "-MSB", "-LSB", "-Program"}) {
            set(std::string(hand) + field, "0");
        }
    }
    MdbEntry record;
    ASSERT_TRUE(RecordFromCells(cells, record).empty()) << FaultsText(RecordFromCells(cells, record));
    EXPECT_EQ(record.GetTitle(), "New");
    EXPECT_EQ(record.tempo(), 100);
    EXPECT_EQ(record.variation(), 9);
    EXPECT_EQ(record.stopAccompaniment(), false);
    EXPECT_EQ(record.bytes()[283], 0x80);
    EXPECT_EQ(record.partVoice(Part::Rhy2), (VoiceRef{1, 1, 1}));
    EXPECT_EQ(record.bytes()[16], 0); // the in-use byte: saving an MDB marks the slot itself
    EXPECT_EQ(record.bytes()[53], 0); // reserved

    set("Tempo", "");
    set("R3-Vol", "");
    const std::vector<CellFault> faults = RecordFromCells(cells, record);
    EXPECT_EQ(FaultsText(faults), "Tempo: is empty, and OtherBytes does not give its bytes either\n"
                                  "R3-Vol: is empty, and OtherBytes does not give its bytes either\n");
}

// The on/off settings, named as the header names them: each takes 0 or 1 only,
// and its two values make two different records.
TEST(EntryColumns, OnOffSettingsTakeZeroOrOne)
{
    std::set<std::string> flags;
    for (const EntryColumn& column : EntryColumns()) {
        if (IsFlagColumn(column.kind)) {
            flags.insert(column.name);
        }
    }
    std::set<std::string> expected = {"Sync", "StopAcc", "Hold"};
    for (const char* part : {"Rhy1", "Rhy2", "Bass", "Chd1", "Chd2", "Pad", "Phr1", "Phr2"}) {
        for (const char* field : {"-OnOff", "-Set", "-SetVol"}) {
            expected.insert(part + std::string(field));
        }
    }
    for (const char* hand : {"R1", "R2", "R3", "Left"}) {
        expected.insert(hand + std::string("-OnOff"));
    }
    EXPECT_EQ(flags, expected);

    std::mt19937 rng(8);
    const EntryCells good = CellsOf(EditorRecord(rng), NumberedStyles());
    for (const std::string& name : expected) {
        EntryCells cells = good;
        MdbEntry off;
        MdbEntry on;
        cells[Col(name)] = "0";
        EXPECT_EQ(FaultsText(RecordFromCells(cells, off)), "") << name;
        cells[Col(name)] = "1";
        EXPECT_EQ(FaultsText(RecordFromCells(cells, on)), "") << name;
        EXPECT_NE(off.bytes(), on.bytes()) << name;
        cells[Col(name)] = "2";
        const std::string faults = FaultsText(RecordFromCells(cells, on));
        EXPECT_EQ(faults.rfind(name + ": '2' is not 0 or 1", 0), 0u) << faults;
    }
}

TEST(EntryColumns, EveryKindOfBadCellIsNamed)
{
    std::mt19937 rng(5);
    const EntryCells good = CellsOf(EditorRecord(rng), NumberedStyles());
    struct Case
    {
        std::string column, cell, fault;
    };
    const Case cases[] = {
        {"Tempo", "fast", "Tempo: 'fast' is not a whole number from 32 to 280"},
        {"Tempo", "281", "Tempo: '281' is not a whole number from 32 to 280"},
        {"Acc-Vol", "-1", "Acc-Vol: '-1' is not a whole number from 0 to 127"},
        {"Chd1-Vol", "128", "Chd1-Vol: '128' is not a whole number from 0 to 127"},
        {"R1-Vol", "1.5", "R1-Vol: '1.5' is not a whole number from 0 to 127"},
        {"Left-MSB", "256", "Left-MSB: '256' is not a whole number from 0 to 255"},
        {"Sync", "yes", "Sync: 'yes' is not 0 or 1"},
        {"Rhy1-Set", "2", "Rhy1-Set: '2' is not 0 or 1"},
        {"SubEntry", "x", "SubEntry: 'x' is not 0 or 1"},
        {"Variation", "E", "Variation: 'E' is not A, B, C or D"},
        {"Category", "Seventeen letters", "Category: 'Seventeen letters' is longer than 16 characters"},
        {"Entry", "Ab\xE2\x98\x83",
         "Entry: 'Ab\xE2\x98\x83' holds characters that Windows-1252 does not have"},
        {"Entry", "Ab\xE9", "Entry: 'Ab\xE9' holds characters that Windows-1252 does not have"},
        {"Entry", std::string("A\0B", 3), "Entry: holds a NUL character"},
        {"StyleNumber", "246", "StyleNumber: '246' is not a whole number from 0 to 245"},
        {"OtherBytes", "00", "OtherBytes: holds 2 characters instead of 576"},
        {"OtherBytes", "G" + good[Col("OtherBytes")].substr(1),
         "OtherBytes: byte 0 is neither two hex digits nor .."},
        // Whatever a cell holds, the message stays one readable line.
        {"Tempo", "1\n2\x7F", "Tempo: '1\\x0A2\\x7F' is not a whole number from 32 to 280"},
        {"Acc-Vol", std::string(50, '9'), "Acc-Vol: '" + std::string(40, '9') + "...' is not a whole number"},
        {"Variation", std::string(39, 'x') + "\xC3\xA9",
         "Variation: '" + std::string(39, 'x') + "...' is not A"},
    };
    for (const Case& c : cases) {
        EntryCells cells = good;
        cells[Col(c.column)] = c.cell;
        MdbEntry record;
        const std::string faults = FaultsText(RecordFromCells(cells, record));
        EXPECT_EQ(faults.rfind(c.fault, 0), 0u) << faults;
    }

    // The disk style number goes with style number 245 only.
    EntryCells cells = good;
    cells[Col("StyleNumber")] = "245";
    cells[Col("DiskStyle")] = "";
    MdbEntry record;
    EXPECT_EQ(FaultsText(RecordFromCells(cells, record)),
              "DiskStyle: is empty, but StyleNumber 245 is a disk style and needs its number\n");
    cells[Col("DiskStyle")] = "251";
    EXPECT_EQ(FaultsText(RecordFromCells(cells, record)),
              "DiskStyle: '251' is not a whole number from 1 to 250\n");
    cells[Col("StyleNumber")] = "12";
    cells[Col("DiskStyle")] = "3";
    EXPECT_EQ(FaultsText(RecordFromCells(cells, record)),
              "DiskStyle: must be empty unless StyleNumber is 245\n");
    cells[Col("StyleNumber")] = "";
    EXPECT_EQ(FaultsText(RecordFromCells(cells, record)), "DiskStyle: is given, but StyleNumber is empty\n");

    // ".." where no cell gives the byte.
    cells = good;
    cells[Col("OtherBytes")].replace(2 * 16, 2, "..");
    EXPECT_EQ(FaultsText(RecordFromCells(cells, record)),
              "OtherBytes: byte 16 reads .., but no column gives it\n");

    // Several faults of one row are all listed, in column order.
    cells = good;
    cells[Col("Hold")] = "on";
    cells[Col("Tempo")] = "0";
    EXPECT_EQ(FaultsText(RecordFromCells(cells, record)),
              "Tempo: '0' is not a whole number from 32 to 280\nHold: 'on' is not 0 or 1\n");
}

} // namespace
} // namespace tessaro
