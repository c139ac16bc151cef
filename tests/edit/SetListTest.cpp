#include "edit/SetList.h"

#include "catalogue/VoiceCatalogue.h"
#include "support/TreeTestSupport.h"

#include <gtest/gtest.h>

namespace tessaro {
namespace {

// A stored style name with "&&", which the window shows with one '&'.
int StyleWithAmpersand()
{
    for (int index = 0; index < kPresetStyleCount; ++index) {
        if (NumberedStyles().GetStyleName(index).find("&&") != std::string::npos)
            return index;
    }
    return -1;
}

std::string Describe(const SetListRow& row)
{
    if (row.category)
        return "# " + row.title;
    return std::string(row.subEntry ? "  - " : "- ") + row.title + " | " + row.style + " | " + row.tempo +
           " | " + row.voice;
}

std::vector<std::string> Describe(const SetList& list)
{
    std::vector<std::string> lines;
    for (const SetListRow& row : list.rows)
        lines.push_back(Describe(row));
    return lines;
}

TEST(SetList, CategoriesHeadTheirEntriesInTreeOrderWithTheNamesTheWindowShows)
{
    const int ampersand = StyleWithAmpersand();
    ASSERT_GE(ampersand, 0);
    PaneState pane(NumberedStyles());
    AddEntry(pane, "Latin", 3, 120, "Besame");
    AddEntry(pane, "Ballads & Blues", ampersand, 72, "Night && Day");
    TreeNode* withVoice = AddEntry(pane, "Latin", 3, 96, "Agua");
    MdbEntry record = withVoice->Payload()->record;
    record.setVoice(HandVoice::R1, {0, 116, 52}); // "Choir&&Pad - Live!Gospel" in the catalogue
    pane.tree.ReplaceEntry(withVoice, record);
    AddEmptyCategory(pane, "Empty");

    const SetList list = MakeSetList(pane.tree, "/music/MDB.bup");
    EXPECT_EQ(list.fileName, "/music/MDB.bup");
    EXPECT_EQ(list.entryCount, 3u);
    const std::string latinStyle = NumberedStyles().StyleTextOf(3);
    const std::string noVoice = VoiceCatalogue::FindVoiceName(MdbEntry().voice(HandVoice::R1));
    std::string readableStyle = NumberedStyles().StyleTextOf(ampersand);
    readableStyle.replace(readableStyle.find("&&"), 2, "&");
    const std::vector<std::string> expected = {
        "# Latin",
        "- Agua | " + latinStyle + " | 96 | Choir&Pad - Live!Gospel",
        "- Besame | " + latinStyle + " | 120 | " + noVoice,
        "# Ballads & Blues",
        "- Night & Day | " + readableStyle + " | 72 | " + noVoice,
    };
    EXPECT_EQ(Describe(list), expected); // the empty category has nothing to play
}

TEST(SetList, SubEntriesAreMarkedAndTitlesLoseTheirPaddingButKeepTheirCharacters)
{
    PaneState pane(NumberedStyles());
    AddEntry(pane, "Pop", 0, 100, "Main");
    AddEntry(pane, "Pop", 0, 100, "  Verse 2");
    AddEntry(pane, "Pop", 1, 100, "Caf\xE9 \"Blue\"   "); // Windows-1252 on the keyboard
    const SetList list = MakeSetList(pane.tree, "MDB.bup");
    ASSERT_EQ(list.rows.size(), 4u);
    EXPECT_FALSE(list.rows[1].subEntry);
    EXPECT_EQ(list.rows[1].title, "Main");
    EXPECT_TRUE(list.rows[2].subEntry);
    EXPECT_EQ(list.rows[2].title, "Verse 2");
    EXPECT_FALSE(list.rows[3].subEntry);
    EXPECT_EQ(list.rows[3].title, "Caf\xC3\xA9 \"Blue\"");
    EXPECT_EQ(list.rows[3].style, NumberedStyles().StyleTextOf(1));
}

TEST(SetList, DiskStylesAndAnEmptyTreeGiveWhatTheWindowShows)
{
    PaneState pane(NumberedStyles());
    EXPECT_TRUE(MakeSetList(pane.tree, "A.mdx").rows.empty());
    AddEmptyCategory(pane, "Nothing yet");
    EXPECT_TRUE(MakeSetList(pane.tree, "A.mdx").rows.empty());

    TreeNode* disk = AddEntry(pane, "Own", 250, 140, "Disk");
    MdbEntry record = disk->Payload()->record;
    record.setDiskStyleNumber(4);
    pane.tree.ReplaceEntry(disk, record);
    const SetList list = MakeSetList(pane.tree, "A.mdx");
    ASSERT_EQ(list.rows.size(), 2u);
    EXPECT_EQ(list.rows[1].style, "DiskStyle 5");
    EXPECT_EQ(list.rows[1].tempo, "140");
}

} // namespace
} // namespace tessaro
