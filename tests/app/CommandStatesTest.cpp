// Captions, alignment and enabled state of the main window's buttons.
#include "support/AppTestSupport.h"

#include "support/TreeTestSupport.h"

namespace tessaro {
namespace {

class CommandStatesTest : public AppTest
{
protected:
    // Both panes loaded: MDB {Pop: a, b (same group), c}, {Rock: r}; archive {Jazz: j}.
    void LoadBoth()
    {
        prompts.keyboardModels.push_back(1);
        state.New(PaneId::Mdb);
        AddEntry(state.Pane(PaneId::Mdb), "Pop", 3, 120, "a");
        AddEntry(state.Pane(PaneId::Mdb), "Pop", 3, 120, "b");
        AddEntry(state.Pane(PaneId::Mdb), "Pop", 4, 120, "c");
        AddEntry(state.Pane(PaneId::Mdb), "Rock", 1, 90, "r");
        NewArchiveWith({{"Jazz", 2, 80, "j"}});
    }
    void SelectMdb(TreeNode* node)
    {
        state.TreeGotFocus(PaneId::Mdb);
        state.TreeSelectionChanged(PaneId::Mdb, node);
    }
};

TEST_F(CommandStatesTest, NoActivePaneDisablesTheEditColumnInBothLanguages)
{
    for (UiLanguage language : {UiLanguage::English, UiLanguage::German}) {
        SetUiLanguage(language);
        const CommandStates s = state.UpdateCommandStates();
        const bool german = language == UiLanguage::German;
        EXPECT_EQ(s.copyCaption, german ? "Kopieren" : "Copy");
        EXPECT_EQ(s.moveCaption, german ? "Verschieben" : "Move");
        EXPECT_EQ(s.mainEntryCaption, german ? "Haupteintrag" : "Main entry");
        EXPECT_EQ(s.editColumnAlignment, TextAlignment::Centre);
        CommandStates allOff;
        allOff.copyCaption = s.copyCaption;
        allOff.moveCaption = s.moveCaption;
        allOff.mainEntryCaption = s.mainEntryCaption;
        EXPECT_EQ(s, allOff);
    }
}

TEST_F(CommandStatesTest, ThePaneButtonsFollowLoadedAndUntitled)
{
    LoadBoth(); // both untitled
    CommandStates s = state.UpdateCommandStates();
    EXPECT_FALSE(s.Of(PaneId::Mdb).save);
    EXPECT_TRUE(s.Of(PaneId::Mdb).saveAs && s.Of(PaneId::Mdb).close && s.Of(PaneId::Mdb).tree);
    EXPECT_FALSE(s.Of(PaneId::Archive).save);
    EXPECT_TRUE(s.Of(PaneId::Archive).saveAs && s.Of(PaneId::Archive).close && s.Of(PaneId::Archive).tree);

    state.Pane(PaneId::Mdb).untitled = false;
    state.Pane(PaneId::Archive).untitled = false;
    s = state.UpdateCommandStates();
    EXPECT_TRUE(s.Of(PaneId::Mdb).save && s.Of(PaneId::Archive).save);

    state.Close(PaneId::Archive);
    s = state.UpdateCommandStates();
    EXPECT_FALSE(s.Of(PaneId::Archive).save || s.Of(PaneId::Archive).saveAs || s.Of(PaneId::Archive).close ||
                 s.Of(PaneId::Archive).tree);
}

TEST_F(CommandStatesTest, TheActivePaneSetsCaptionsAndAlignment)
{
    LoadBoth();
    for (UiLanguage language : {UiLanguage::English, UiLanguage::German}) {
        SetUiLanguage(language);
        const bool german = language == UiLanguage::German;
        state.TreeGotFocus(PaneId::Mdb);
        CommandStates s = state.UpdateCommandStates();
        EXPECT_EQ(s.copyCaption, german ? "Kopieren >>" : "Copy >>");
        EXPECT_EQ(s.moveCaption, german ? "Verschieben >>" : "Move >>");
        EXPECT_EQ(s.editColumnAlignment, TextAlignment::Left);
        state.TreeGotFocus(PaneId::Archive);
        s = state.UpdateCommandStates();
        EXPECT_EQ(s.copyCaption, german ? "<< Kopieren" : "<< Copy");
        EXPECT_EQ(s.moveCaption, german ? "<< Verschieben" : "<< Move");
        EXPECT_EQ(s.editColumnAlignment, TextAlignment::Right);
    }
}

TEST_F(CommandStatesTest, NothingSelected)
{
    LoadBoth();
    state.TreeGotFocus(PaneId::Mdb);
    const CommandStates s = state.UpdateCommandStates();
    EXPECT_TRUE(s.newCategory && s.search && s.protocol);
    EXPECT_FALSE(s.edit || s.copy || s.move || s.deleteSelected || s.up || s.down || s.mainEntry);
}

TEST_F(CommandStatesTest, EntriesInAndOutsideTheirGroup)
{
    LoadBoth();
    const CategoryTree& tree = state.Pane(PaneId::Mdb).tree;
    for (UiLanguage language : {UiLanguage::English, UiLanguage::German}) {
        SetUiLanguage(language);
        const bool german = language == UiLanguage::German;

        // "a" heads its group: may go down, not up, and cannot change.
        SelectMdb(EntryTitled(tree, "a"));
        CommandStates s = state.UpdateCommandStates();
        EXPECT_EQ(s.mainEntryCaption, german ? "Haupteintrag" : "Main entry");
        EXPECT_FALSE(s.mainEntry || s.up);
        EXPECT_TRUE(s.down && s.edit && s.deleteSelected && s.copy && s.move);

        // "b" follows "a" in its group: it may become a sub entry.
        SelectMdb(EntryTitled(tree, "b"));
        s = state.UpdateCommandStates();
        EXPECT_EQ(s.mainEntryCaption, german ? "Untereintrag" : "Sub entry");
        EXPECT_TRUE(s.mainEntry && s.up);
        EXPECT_FALSE(s.down);

        // As a sub entry it may become a main entry again.
        state.ToggleMainEntry();
        s = state.UpdateCommandStates();
        EXPECT_EQ(s.mainEntryCaption, german ? "Haupteintrag" : "Main entry");
        EXPECT_TRUE(s.mainEntry && s.up);
        state.ToggleMainEntry();

        // "c" is alone in its group.
        SelectMdb(EntryTitled(tree, "c"));
        s = state.UpdateCommandStates();
        EXPECT_FALSE(s.mainEntry || s.up || s.down);
    }
}

TEST_F(CommandStatesTest, CategoriesMoveAmongCategories)
{
    LoadBoth();
    SelectMdb(CategoryNamed(state.Pane(PaneId::Mdb).tree, "Pop"));
    CommandStates s = state.UpdateCommandStates();
    EXPECT_FALSE(s.up || s.mainEntry);
    EXPECT_TRUE(s.down && s.edit && s.copy);
    SelectMdb(CategoryNamed(state.Pane(PaneId::Mdb).tree, "Rock"));
    s = state.UpdateCommandStates();
    EXPECT_TRUE(s.up);
    EXPECT_FALSE(s.down);
}

TEST_F(CommandStatesTest, CopyAndMoveWaitForTheOtherPane)
{
    LoadBoth();
    state.Close(PaneId::Archive);
    SelectMdb(EntryTitled(state.Pane(PaneId::Mdb).tree, "a"));
    const CommandStates s = state.UpdateCommandStates();
    EXPECT_TRUE(s.edit && s.deleteSelected);
    EXPECT_FALSE(s.copy || s.move);
}

TEST_F(CommandStatesTest, ClosingAPaneMovesOrClearsTheActivePane)
{
    LoadBoth();
    SelectMdb(EntryTitled(state.Pane(PaneId::Mdb).tree, "b"));
    EXPECT_EQ(state.UpdateCommandStates().mainEntryCaption, "Sub entry");
    state.Close(PaneId::Mdb);
    CommandStates s = state.UpdateCommandStates();
    EXPECT_EQ(s.editColumnAlignment, TextAlignment::Right);
    EXPECT_EQ(s.copyCaption, "<< Copy");
    EXPECT_EQ(s.mainEntryCaption, "Main entry");
    EXPECT_FALSE(s.copy);

    // With no pane left the caption stays what it last read.
    state.TreeSelectionChanged(PaneId::Archive, EntryTitled(state.Pane(PaneId::Archive).tree, "j"));
    AddEntry(state.Pane(PaneId::Archive), "Jazz", 2, 80, "k");
    state.TreeSelectionChanged(PaneId::Archive, EntryTitled(state.Pane(PaneId::Archive).tree, "k"));
    EXPECT_EQ(state.UpdateCommandStates().mainEntryCaption, "Sub entry");
    state.Close(PaneId::Archive);
    s = state.UpdateCommandStates();
    EXPECT_EQ(s.editColumnAlignment, TextAlignment::Centre);
    EXPECT_EQ(s.mainEntryCaption, "Sub entry");
    EXPECT_FALSE(s.mainEntry || s.newCategory);
}

} // namespace
} // namespace tessaro
