// Comparing two trees on hand-made pairs.
#include "edit/TreeDiff.h"
#include "support/TreeTestSupport.h"

#include "catalogue/StyleCatalogue.h"
#include "edit/PaneLoad.h"
#include "edit/PaneState.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>

namespace tessaro {
namespace {

MdbEntry Record(const std::string& category, const std::string& title, int style = 0, int tempo = 100)
{
    MdbEntry record;
    record.bytes()[kInUseOffset] = 1;
    record.SetCategory(category);
    record.SetTitle(title);
    record.setStyleIndex(style);
    record.setTempo(uint16_t(tempo));
    record.setVariation(8);
    return record;
}

std::unique_ptr<PaneState> Pane(const std::vector<MdbEntry>& records)
{
    auto pane = std::make_unique<PaneState>(NumberedStyles());
    for (const MdbEntry& record : records) {
        EXPECT_TRUE(InsertLoadedRecord(*pane, record));
    }
    return pane;
}

// One line per difference: "kind category/title[occurrence] field: before -> after".
std::string Describe(const std::vector<EntryDifference>& differences)
{
    std::string text;
    for (const EntryDifference& d : differences) {
        const char* kinds[] = {"removed", "added", "changed", "moved"};
        std::string entry = std::string(kinds[int(d.kind)]) + " " + d.category + "/" + d.title;
        if (d.occurrence > 1) {
            entry += "[" + std::to_string(d.occurrence) + "]";
        }
        if (d.changes.empty()) {
            text += entry + "\n";
        }
        for (const FieldChange& change : d.changes) {
            text += entry + " " + change.field + ": " + change.before + " -> " + change.after + "\n";
        }
    }
    return text;
}

class TreeDiffTest : public ::testing::Test
{
};

TEST_F(TreeDiffTest, EqualTreesHaveNoDifference)
{
    const std::vector<MdbEntry> records = {Record("Pop", "A"), Record("Jazz", "B", 45, 160)};
    EXPECT_TRUE(CompareTrees(Pane(records)->tree, Pane(records)->tree).empty());
    EXPECT_TRUE(CompareTrees(Pane({})->tree, Pane({})->tree).empty());
}

TEST_F(TreeDiffTest, AddedRemovedAndChangedByCategoryTitleAndOccurrence)
{
    MdbEntry changed = Record("Pop", "A", 45, 120);
    changed.setVoice(HandVoice::R1, {0, 116, 52});
    changed.setVoiceOn(HandVoice::R1, true);
    changed.setVariation(11);
    MdbEntry secondIntro = Record("Pop", "Intro", 0, 100);
    secondIntro.setMainVolume(90);

    const auto before = Pane({Record("Pop", "A", 45, 100), Record("Pop", "Intro"), Record("Pop", "Intro"),
                              Record("Rock", "Gone")});
    const auto after = Pane({changed, Record("Pop", "Intro"), secondIntro, Record("Latin", "New")});
    // In the first tree's order: Pop holds Intro, Intro, A (sorted by style).
    EXPECT_EQ(Describe(CompareTrees(before->tree, after->tree)),
              "changed Pop/Intro[2] Acc-Vol: 0 -> 90\n"
              "changed Pop/A Tempo: 100 -> 120\n"
              "changed Pop/A Variation: A -> D\n"
              "changed Pop/A R1-OnOff: off -> on\n"
              "changed Pop/A R1-Voice: XG001 - GrandPno <0,0,0> -> Choir&Pad - Live!Gospel <0,116,52>\n"
              "removed Rock/Gone\n"
              "added Latin/New\n");
    // Swapped round, removed and added swap too, and the values.
    const std::string swapped = Describe(CompareTrees(after->tree, before->tree));
    EXPECT_NE(swapped.find("changed Pop/A Tempo: 120 -> 100\n"), std::string::npos) << swapped;
    const std::string tail = "removed Latin/New\nadded Rock/Gone\n";
    EXPECT_EQ(swapped.substr(swapped.size() - std::min(swapped.size(), tail.size())), tail);
}

TEST_F(TreeDiffTest, StylesVoicesAndBytesWithoutASetting)
{
    MdbEntry a = Record("Pop", "A", 0);
    MdbEntry b = Record("Pop", "A", 245 + 2); // DiskStyle 3
    b.setPartVoice(Part::Bass, {1, 2, 3});
    b.setPartVoiceSet(Part::Bass, true);
    b.bytes()[53] = 0x5A; // reserved
    b.bytes()[kInUseOffset] = 7;
    a.bytes()[181] = 1; // R1 on, but not written as the editor writes it
    b.bytes()[181] = 127;
    std::string text;
    for (const FieldChange& change : CompareRecords(a, b, NumberedStyles())) {
        text += change.field + ": " + change.before + " -> " + change.after + "\n";
    }
    EXPECT_EQ(text, "Style: 8 Beat - Heart Beat -> DiskStyle 3\n"
                    "Bass-Set: off -> on\n"
                    "Bass-Voice: XG001 - GrandPno <0,0,0> -> <1,2,3>\n"
                    "R1-OnOff: 01 -> 7F\n"
                    "Byte 16: 01 -> 07\n"
                    "Byte 53: 00 -> 5A\n");
    EXPECT_TRUE(CompareRecords(a, a, NumberedStyles()).empty());
}

TEST_F(TreeDiffTest, EntriesInAnotherOrderHaveMoved)
{
    const auto before = Pane({Record("Pop", "A"), Record("Rock", "B"), Record("Soul", "C")});
    const auto after = Pane({Record("Rock", "B"), Record("Soul", "C"), Record("Pop", "A")});
    EXPECT_EQ(Describe(CompareTrees(before->tree, after->tree)), "moved Pop/A\n");
}

} // namespace
} // namespace tessaro
