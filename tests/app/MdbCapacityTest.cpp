// Copy, Move and drops that would take the MDB over its 616 entries ask first;
// and the status text of what they did.
#include "app/MdbCapacity.h"

#include "support/AppTestSupport.h"

namespace tessaro {
namespace {

class MdbCapacityTest : public AppTest
{
protected:
    // An MDB of 610 entries in "Cat" and an archive {Jazz: 4 entries, Solo: 1}.
    MdbCapacityTest()
    {
        WriteTestMdb(Path("MDB.bup"), NumberedRecords(610));
        OpenMdbFile(Path("MDB.bup"));
        NewArchiveWith({{"Jazz", 2, 80, "j1"},
                        {"Jazz", 2, 81, "j2"},
                        {"Jazz", 2, 82, "j3"},
                        {"Jazz", 2, 83, "j4"},
                        {"Solo", 1, 90, "s"}});
    }
    PaneState& Mdb() { return state.Pane(PaneId::Mdb); }
    PaneState& Archive() { return state.Pane(PaneId::Archive); }
    std::vector<TreeNode*> ArchiveNodes(std::initializer_list<const char*> categories)
    {
        std::vector<TreeNode*> nodes;
        for (const char* name : categories)
            nodes.push_back(CategoryNamed(Archive().tree, name));
        return nodes;
    }
    void SelectInArchive(const std::vector<TreeNode*>& nodes)
    {
        state.TreeGotFocus(PaneId::Archive);
        Archive().tree.SetSelection(nodes, nodes.back());
    }
    std::string Question(int after)
    {
        return FillArgs(Tr(Msg::MdbWouldHoldTooMany), {std::to_string(after)});
    }
};

TEST_F(MdbCapacityTest, EntriesAreCountedOnceWhateverIsSelected)
{
    TreeNode* jazz = CategoryNamed(Archive().tree, "Jazz");
    TreeNode* j2 = EntryTitled(Archive().tree, "j2");
    TreeNode* s = EntryTitled(Archive().tree, "s");
    EXPECT_EQ(EntriesIn({}), 0u);
    EXPECT_EQ(EntriesIn({jazz}), 4u);
    EXPECT_EQ(EntriesIn({jazz, j2}), 4u); // j2 comes with its category
    EXPECT_EQ(EntriesIn({j2, s}), 2u);
    EXPECT_EQ(EntriesIn({jazz, s}), 5u);
    EXPECT_EQ(EntriesIn({AddEmptyCategory(Archive(), "Empty")}), 0u);
}

TEST_F(MdbCapacityTest, CopyOverTheLimitAsksAndNoLeavesEverythingAsItWas)
{
    state.TreeGotFocus(PaneId::Mdb);
    Mdb().tree.SetSelection({CategoryNamed(Mdb().tree, "Cat")}, CategoryNamed(Mdb().tree, "Cat"));
    SelectInArchive(ArchiveNodes({"Jazz"})); // 610 + 4: within the limit, no question
    state.EditColumn().Copy();
    EXPECT_TRUE(prompts.messages.empty());
    EXPECT_EQ(Mdb().EntryCount(), 614);

    SelectInArchive(ArchiveNodes({"Jazz", "Solo"})); // 614 + 5 = 619
    prompts.Answer(MsgAnswer::No);
    const uint64_t version = Mdb().version;
    state.EditColumn().Copy();
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].text, Question(619));
    EXPECT_EQ(prompts.messages[0].buttons, MsgButtons::YesNo);
    EXPECT_EQ(Mdb().EntryCount(), 614);
    EXPECT_EQ(Mdb().version, version);
    EXPECT_EQ(Archive().EntryCount(), 5);

    // Move asks the same; Yes goes on.
    prompts.Answer(MsgAnswer::Yes);
    state.EditColumn().Move();
    EXPECT_EQ(prompts.messages.size(), 2u);
    EXPECT_EQ(Mdb().EntryCount(), 619);
    EXPECT_EQ(Archive().EntryCount(), 0);
    EXPECT_EQ(prompts.unscripted, 0);
}

TEST_F(MdbCapacityTest, ADropOverTheLimitAsksAndADropIntoTheArchiveNever)
{
    WriteTestMdb(Path("Full.bup"), NumberedRecords(615));
    OpenMdbFile(Path("Full.bup"));
    TreeNode* onto = CategoryNamed(Mdb().tree, "Cat");
    prompts.Answer(MsgAnswer::No);
    EXPECT_FALSE(state.DropNodes(PaneId::Archive, ArchiveNodes({"Jazz"}), PaneId::Mdb, onto, true));
    EXPECT_EQ(prompts.Texts(), std::vector<std::string>{Question(619)});
    EXPECT_EQ(Mdb().EntryCount(), 615);
    EXPECT_EQ(Archive().EntryCount(), 5);
    EXPECT_FALSE(state.Workspace().history.CanUndo());

    // One more entry fits exactly.
    EXPECT_TRUE(state.DropNodes(PaneId::Archive, ArchiveNodes({"Solo"}), PaneId::Mdb, onto, false));
    EXPECT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(Mdb().EntryCount(), 616);

    // Out of the full MDB into the archive, and within the MDB: nothing to ask.
    std::vector<TreeNode*> fromMdb{EntryTitled(Mdb().tree, "E1"), EntryTitled(Mdb().tree, "E2")};
    EXPECT_TRUE(
        state.DropNodes(PaneId::Mdb, fromMdb, PaneId::Archive, CategoryNamed(Archive().tree, "Jazz"), false));
    EXPECT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(Archive().EntryCount(), 7);
}

TEST_F(MdbCapacityTest, TheQuestionAndTheStatusTextSpeakBothLanguages)
{
    SetUiLanguage(UiLanguage::German);
    prompts.Answer(MsgAnswer::No);
    WriteTestMdb(Path("Full.bup"), NumberedRecords(616));
    OpenMdbFile(Path("Full.bup"));
    SelectInArchive(ArchiveNodes({"Solo"}));
    state.EditColumn().Copy();
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].text.rfind("Die MDB enthielte danach 617 Einträge", 0), 0u);
    EXPECT_EQ(TransferredText(true, 4, "Latin"), "4 Einträge nach Latin verschoben");
    EXPECT_EQ(TransferredText(false, 1, "Latin"), "1 Eintrag nach Latin kopiert");
    SetUiLanguage(UiLanguage::English);
    EXPECT_EQ(TransferredText(true, 4, "Latin"), "Moved 4 entries to Latin");
    EXPECT_EQ(TransferredText(true, 1, "Pop & Rock"), "Moved 1 entry to Pop & Rock");
    EXPECT_EQ(TransferredText(false, 2, "Jazz"), "Copied 2 entries to Jazz");
}

} // namespace
} // namespace tessaro
