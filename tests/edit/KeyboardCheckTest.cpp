#include "edit/KeyboardCheck.h"
#include "support/TreeTestSupport.h"

#include "catalogue/StyleCatalogue.h"
#include "edit/PaneLoad.h"
#include "edit/PaneState.h"

#include <gtest/gtest.h>

#include <memory>

namespace tessaro {
namespace {

// An entry that plays as stored on both keyboards.
MdbEntry Playable()
{
    MdbEntry record;
    record.bytes()[kInUseOffset] = 1;
    record.SetCategory("Pop");
    record.SetTitle("Fine");
    record.setStyleIndex(3);
    record.setTempo(120);
    record.setVariation(9);
    for (int h = 0; h < kHandVoiceCount; ++h) {
        record.setVoice(static_cast<HandVoice>(h), {0, 112, 0}); // Grand Piano
    }
    return record;
}

std::string Findings(const MdbEntry& record, KeyboardModel model)
{
    std::string text;
    for (const KeyboardFinding& finding : CheckEntryForKeyboard(record, model)) {
        text += finding.field + ": " + finding.reason + "\n";
    }
    return text;
}

class KeyboardCheckTest : public ::testing::Test
{
protected:
};

TEST_F(KeyboardCheckTest, APlayableEntryHasNoFinding)
{
    EXPECT_EQ(Findings(Playable(), KeyboardModel::Psr9000), "");
    EXPECT_EQ(Findings(Playable(), KeyboardModel::Psr9000Pro), "");
}

TEST_F(KeyboardCheckTest, TheWindowReadsFindingsInItsLanguageTheToolInEnglish)
{
    MdbEntry record = Playable();
    record.setVoice(HandVoice::R2, {0, 113, 0}); // Live!Grand, pro only
    record.setVoice(HandVoice::Left, {1, 2, 3}); // no voice at all
    SetUiLanguage(UiLanguage::German);
    const std::vector<KeyboardFinding> findings = CheckEntryForKeyboard(record, KeyboardModel::Psr9000);
    std::vector<std::string> german;
    std::vector<std::string> english;
    for (const KeyboardFinding& finding : findings) {
        german.push_back(finding.ReasonText());
        english.push_back(finding.reason);
    }
    SetUiLanguage(UiLanguage::English);
    EXPECT_EQ(german, (std::vector<std::string>{"Piano - Live!Grand <0,113,0> ist eine Voice des PSR-9000pro",
                                                "<1,2,3> ist keine Voice des Katalogs"}));
    EXPECT_EQ(english, (std::vector<std::string>{"Piano - Live!Grand <0,113,0> is a PSR-9000pro voice",
                                                 "<1,2,3> is no voice of the catalogue"}));
}

TEST_F(KeyboardCheckTest, ProVoicesOnlyOnThePsr9000)
{
    MdbEntry record = Playable();
    record.setVoice(HandVoice::R2, {0, 113, 0});   // Live!Grand, pro only
    record.setPartVoice(Part::Rhy1, {127, 0, 81}); // a pro kit, but the part does not set it
    record.setPartVoice(Part::Pad, {0, 123, 88});  // Sunbeam, pro only, set
    record.setPartVoiceSet(Part::Pad, true);
    EXPECT_EQ(Findings(record, KeyboardModel::Psr9000),
              "Pad-Voice: Choir&Pad - Sunbeam <0,123,88> is a PSR-9000pro voice\n"
              "R2-Voice: Piano - Live!Grand <0,113,0> is a PSR-9000pro voice\n");
    EXPECT_EQ(Findings(record, KeyboardModel::Psr9000Pro), "");
}

TEST_F(KeyboardCheckTest, UnknownVoicesDiskStylesAndValuesTheEditorRefuses)
{
    MdbEntry record = Playable();
    record.setVoice(HandVoice::Left, {1, 2, 3});
    record.setVoice(HandVoice::R3, {0, 113, 18}); // an organ whose program is not sourced: matches nothing
    record.setStyleIndex(245 + 4);
    record.setTempo(20);
    record.setVariation(0);
    record.setPartVolume(Part::Chd2, 130);
    record.SetTitle("");
    EXPECT_EQ(Findings(record, KeyboardModel::Psr9000Pro),
              "Entry: is empty, which the entry editor does not accept\n"
              "Style: DiskStyle 5 needs its style disk\n"
              "Tempo: '20' is not a whole number from 32 to 280, which the entry editor does not accept\n"
              "Variation: '0' is not A, B, C or D, which the entry editor does not accept\n"
              "Chd2-Vol: '130' is not a whole number from 0 to 127, which the entry editor does not accept\n"
              "R3-Voice: <0,113,18> is no voice of the catalogue\n"
              "Left-Voice: <1,2,3> is no voice of the catalogue\n");
}

TEST_F(KeyboardCheckTest, TheTreeListsOnlyEntriesWithFindings)
{
    MdbEntry disk = Playable();
    disk.SetTitle("Disk");
    disk.setStyleIndex(300);
    auto pane = std::make_unique<PaneState>(NumberedStyles());
    ASSERT_TRUE(InsertLoadedRecord(*pane, Playable()));
    ASSERT_TRUE(InsertLoadedRecord(*pane, disk));
    const std::vector<EntryFindings> all = CheckForKeyboard(pane->tree, KeyboardModel::Psr9000);
    ASSERT_EQ(all.size(), 1u);
    EXPECT_EQ(all[0].entry->Payload()->GetTitle(), "Disk");
    ASSERT_EQ(all[0].findings.size(), 1u);
    EXPECT_EQ(all[0].findings[0].field, "Style");
}

} // namespace
} // namespace tessaro
