#include "data/MdbEntry.h"
#include "support/DataTestSupport.h"

#include <functional>
#include <gtest/gtest.h>
#include <map>

namespace tessaro {
namespace {

using testing::RandomRecord;
using Changes = std::map<std::size_t, uint8_t>;

Changes ChangedBytes(const MdbEntry& before, const MdbEntry& after)
{
    Changes changes;
    for (std::size_t i = 0; i < kRecordSize; ++i) {
        if (before.bytes()[i] != after.bytes()[i])
            changes[i] = after.bytes()[i];
    }
    return changes;
}

// A 16-byte text field holding text, zero after it.
Changes TextField(std::size_t offset, const std::string& text)
{
    Changes changes;
    for (std::size_t i = 0; i < kTextFieldSize; ++i)
        changes[offset + i] = i < text.size() ? uint8_t(text[i]) : 0;
    return changes;
}

struct FieldWrite
{
    const char* name;
    std::function<void(MdbEntry&)> write;
    Changes expected; // every byte the write may touch, with its value
};

// Each setter on a record of random bytes touches exactly the bytes of the record
// layout and nothing else. The start record is prepared so every byte really changes.
TEST(MdbEntryTest, EachSetterWritesOnlyItsOwnBytes)
{
    const VoiceRef v{0xA1, 0xB2, 0xC3};
    const std::vector<FieldWrite> writes = {
        {"style", [](MdbEntry& e) { e.setStyleNumber(200); }, {{19, 200}, {37, 200}}},
        {"disk style", [](MdbEntry& e) { e.setDiskStyleNumber(7); }, {{284, 7}}},
        {"variation", [](MdbEntry& e) { e.setVariation(9); }, {{39, 9}}},
        {"tempo", [](MdbEntry& e) { e.setTempo(0x0123); }, {{260, 0x01}, {261, 0x23}}},
        {"main volume", [](MdbEntry& e) { e.setMainVolume(99); }, {{42, 99}}},
        {"Rhy1 volume", [](MdbEntry& e) { e.setPartVolume(Part::Rhy1, 11); }, {{46, 11}}},
        {"Rhy2 volume", [](MdbEntry& e) { e.setPartVolume(Part::Rhy2, 12); }, {{45, 12}}},
        {"Bass volume", [](MdbEntry& e) { e.setPartVolume(Part::Bass, 13); }, {{47, 13}}},
        {"Phr2 volume", [](MdbEntry& e) { e.setPartVolume(Part::Phr2, 14); }, {{52, 14}}},
        {"Rhy1 voice",
         [&](MdbEntry& e) { e.setPartVoice(Part::Rhy1, v); },
         {{93, 0xA1}, {94, 0xB2}, {95, 0xC3}}},
        {"Rhy2 voice",
         [&](MdbEntry& e) { e.setPartVoice(Part::Rhy2, v); },
         {{90, 0xA1}, {91, 0xB2}, {92, 0xC3}}},
        {"Pad voice",
         [&](MdbEntry& e) { e.setPartVoice(Part::Pad, v); },
         {{105, 0xA1}, {106, 0xB2}, {107, 0xC3}}},
        {"Phr2 voice",
         [&](MdbEntry& e) { e.setPartVoice(Part::Phr2, v); },
         {{111, 0xA1}, {112, 0xB2}, {113, 0xC3}}},
        {"Rhy1 on", [](MdbEntry& e) { e.setPartOn(Part::Rhy1, true); }, {{43, 0x01}}},
        {"Rhy2 volume set", [](MdbEntry& e) { e.setPartVolumeSet(Part::Rhy2, true); }, {{44, 0x02}}},
        {"Phr2 voice set", [](MdbEntry& e) { e.setPartVoiceSet(Part::Phr2, true); }, {{89, 0x80}}},
        {"Left on", [](MdbEntry& e) { e.setVoiceOn(HandVoice::Left, true); }, {{150, 127}}},
        {"R1 on", [](MdbEntry& e) { e.setVoiceOn(HandVoice::R1, true); }, {{181, 127}}},
        {"R2 on", [](MdbEntry& e) { e.setVoiceOn(HandVoice::R2, true); }, {{199, 127}}},
        {"R3 on", [](MdbEntry& e) { e.setVoiceOn(HandVoice::R3, true); }, {{217, 127}}},
        {"Left voice",
         [&](MdbEntry& e) { e.setVoice(HandVoice::Left, v); },
         {{151, 0xA1}, {152, 0xB2}, {153, 0xC3}}},
        {"R3 voice",
         [&](MdbEntry& e) { e.setVoice(HandVoice::R3, v); },
         {{218, 0xA1}, {219, 0xB2}, {220, 0xC3}}},
        {"Left volume", [](MdbEntry& e) { e.setVoiceVolume(HandVoice::Left, 1); }, {{155, 1}}},
        {"R1 volume", [](MdbEntry& e) { e.setVoiceVolume(HandVoice::R1, 2); }, {{186, 2}}},
        {"R2 volume", [](MdbEntry& e) { e.setVoiceVolume(HandVoice::R2, 3); }, {{204, 3}}},
        {"R3 volume", [](MdbEntry& e) { e.setVoiceVolume(HandVoice::R3, 4); }, {{222, 4}}},
        {"left hold", [](MdbEntry& e) { e.setLeftHold(true); }, {{168, 127}}},
        {"sync start", [](MdbEntry& e) { e.setSyncStart(true); }, {{269, 127}}},
        {"stop on", [](MdbEntry& e) { e.setStopAccompaniment(true); }, {{283, 0xFF}}},
        {"stop off", [](MdbEntry& e) { e.setStopAccompaniment(false); }, {{283, 0x80}}},
        {"title", [](MdbEntry& e) { e.SetTitle("AB"); }, TextField(0, "AB")},
        {"category", [](MdbEntry& e) { e.SetCategory("Q"); }, TextField(20, "Q")},
    };
    std::mt19937 rng(7);
    for (const FieldWrite& w : writes) {
        MdbEntry before = RandomRecord(rng);
        for (auto [offset, value] : w.expected)
            before.bytes()[offset] = uint8_t(value + 1);                  // so the write must change it
        before.bytes()[43] = before.bytes()[44] = before.bytes()[89] = 0; // mask bits start clear
        MdbEntry after = before;
        w.write(after);
        const Changes changes = ChangedBytes(before, after);
        EXPECT_EQ(changes, w.expected) << w.name;
    }
}

TEST(MdbEntryTest, FlagsAndMasksReadAsTheKeyboardWritesThem)
{
    MdbEntry e;
    e.bytes()[283] = 0xFE;
    EXPECT_FALSE(e.stopAccompaniment()); // on only for exactly 0xFF
    e.bytes()[283] = 0x00;
    EXPECT_FALSE(e.stopAccompaniment());
    e.bytes()[181] = 1; // any non-zero byte is on
    EXPECT_TRUE(e.voiceOn(HandVoice::R1));
    e.setVoiceOn(HandVoice::R1, false);
    EXPECT_EQ(e.bytes()[181], 0);

    e.bytes()[43] = 0x02; // bit 1 is Rhy2, whose array byte comes first
    EXPECT_FALSE(e.partOn(Part::Rhy1));
    EXPECT_TRUE(e.partOn(Part::Rhy2));
    e.setPartOn(Part::Rhy2, false);
    e.setPartOn(Part::Phr1, true);
    EXPECT_EQ(e.partOnMask(), 0x40);
    e.bytes()[45] = 55;
    EXPECT_EQ(e.partVolume(Part::Rhy2), 55);
}

TEST(MdbEntryTest, TextFieldsHoldSixteenBytesWithoutTerminator)
{
    MdbEntry e;
    e.SetTitle("ABCDEFGHIJKLMNOPQ"); // 17: cut to 16
    EXPECT_EQ(e.GetTitle(), "ABCDEFGHIJKLMNOP");
    EXPECT_EQ(e.inUse(), 0); // the terminator-less title did not spill into inUse
    e.SetTitle("xy");
    EXPECT_EQ(e.GetTitle(), "xy");
    EXPECT_EQ(e.bytes()[2], 0); // the old tail is cleared
    e.SetCategory(std::string("a\0b", 3));
    EXPECT_EQ(e.GetCategory(), "a");

    EXPECT_FALSE(e.IsSubEntry());
    e.SetTitle(" sub");
    EXPECT_TRUE(e.IsSubEntry());
    e.SetTitle("\tsub");
    EXPECT_FALSE(e.IsSubEntry());
    e.SetTitle("");
    EXPECT_FALSE(e.IsSubEntry());
}

TEST(MdbEntryTest, StyleIndexSeparatesCatalogueAndDiskStyles)
{
    MdbEntry e;
    e.setStyleNumber(244);
    e.setDiskStyleNumber(9);
    EXPECT_FALSE(e.isDiskStyle());
    EXPECT_EQ(e.styleIndex(), 244);
    e.setStyleNumber(250); // every value from 245 on is a disk style
    EXPECT_EQ(e.styleIndex(), 245 + 9);

    e.setStyleIndex(245 + 249);
    EXPECT_EQ(e.styleNumber(), 245);
    EXPECT_EQ(e.bytes()[19], 245);
    EXPECT_EQ(e.diskStyleNumber(), 249);
    e.setStyleIndex(3);
    EXPECT_EQ(e.styleNumber(), 3);
    EXPECT_EQ(e.diskStyleNumber(), 0);
}

TEST(MdbEntryTest, CompareGroupOrdersByCategoryThenStyleThenTempo)
{
    auto make = [](const std::string& category, uint8_t style, uint16_t tempo, const std::string& title) {
        MdbEntry e;
        e.SetCategory(category);
        e.setStyleNumber(style);
        e.setTempo(tempo);
        e.SetTitle(title);
        return e;
    };
    const MdbEntry base = make("Pop", 10, 120, "x");
    EXPECT_EQ(CompareGroup(base, make("Pop", 10, 120, "completely different")), 0);
    EXPECT_EQ(CompareGroup(make("POP", 10, 120, ""), base), -1); // upper case before lower case
    EXPECT_EQ(CompareGroup(make("Po", 99, 999, ""), base), -1);  // a proper prefix is smaller
    EXPECT_EQ(CompareGroup(make("Pop\xE4", 0, 0, ""), make("Popz", 0, 0, "")), 1); // unsigned bytes
    EXPECT_EQ(CompareGroup(make("Pop", 11, 0, ""), base), 1);
    EXPECT_EQ(CompareGroup(make("Pop", 10, 0x00FF, ""), make("Pop", 10, 0x0100, "")), -1);
    EXPECT_EQ(CompareGroup(base, make("Pop", 10, 119, "")), 1);
}

} // namespace
} // namespace tessaro
