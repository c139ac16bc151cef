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
        state.Files().New(PaneId::Mdb);
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
        EXPECT_EQ(s[CommandId::Copy].caption, german ? "Kopieren" : "Copy");
        EXPECT_EQ(s[CommandId::Move].caption, german ? "Verschieben" : "Move");
        EXPECT_EQ(s[CommandId::MainEntry].caption, german ? "Haupteintrag" : "Main entry");
        EXPECT_EQ(s.editColumnAlignment, TextAlignment::Centre);
        CommandStates allOff;
        for (CommandId id : {CommandId::Copy, CommandId::Move, CommandId::MainEntry})
            allOff[id].caption = s[id].caption;
        // On is only what needs no pane: New, Open, Exit, Help, About and the options.
        for (CommandId id :
             {CommandId::NewMdb, CommandId::OpenMdb, CommandId::NewArchive, CommandId::OpenArchive,
              CommandId::Exit, CommandId::Help, CommandId::About, CommandId::BackupStructure, CommandId::NoNetwork,
              CommandId::FlashFactory, CommandId::FlashDefault, CommandId::FlashIndividual})
            allOff[id].enabled = true;
        allOff[CommandId::FlashFactory].checked = true; // the mode a fresh start has
        EXPECT_EQ(s, allOff);
    }
}

TEST_F(CommandStatesTest, ThePaneButtonsFollowLoadedAndUntitled)
{
    LoadBoth(); // both untitled
    CommandStates s = state.UpdateCommandStates();
    EXPECT_FALSE(s[PaneCommandId(PaneId::Mdb, PaneCommand::Save)].enabled);
    EXPECT_TRUE(s[PaneCommandId(PaneId::Mdb, PaneCommand::SaveAs)].enabled &&
                s[PaneCommandId(PaneId::Mdb, PaneCommand::Close)].enabled &&
                s.treeEnabled[PaneIndex(PaneId::Mdb)]);
    EXPECT_FALSE(s[PaneCommandId(PaneId::Archive, PaneCommand::Save)].enabled);
    EXPECT_TRUE(s[PaneCommandId(PaneId::Archive, PaneCommand::SaveAs)].enabled &&
                s[PaneCommandId(PaneId::Archive, PaneCommand::Close)].enabled &&
                s.treeEnabled[PaneIndex(PaneId::Archive)]);

    state.Pane(PaneId::Mdb).untitled = false;
    state.Pane(PaneId::Archive).untitled = false;
    s = state.UpdateCommandStates();
    EXPECT_TRUE(s[PaneCommandId(PaneId::Mdb, PaneCommand::Save)].enabled &&
                s[PaneCommandId(PaneId::Archive, PaneCommand::Save)].enabled);

    state.Files().Close(PaneId::Archive);
    s = state.UpdateCommandStates();
    EXPECT_FALSE(s[PaneCommandId(PaneId::Archive, PaneCommand::Save)].enabled ||
                 s[PaneCommandId(PaneId::Archive, PaneCommand::SaveAs)].enabled ||
                 s[PaneCommandId(PaneId::Archive, PaneCommand::Close)].enabled ||
                 s.treeEnabled[PaneIndex(PaneId::Archive)]);
}

TEST_F(CommandStatesTest, TheActivePaneSetsCaptionsAndAlignment)
{
    LoadBoth();
    for (UiLanguage language : {UiLanguage::English, UiLanguage::German}) {
        SetUiLanguage(language);
        const bool german = language == UiLanguage::German;
        state.TreeGotFocus(PaneId::Mdb);
        CommandStates s = state.UpdateCommandStates();
        EXPECT_EQ(s[CommandId::Copy].caption, german ? "Kopieren >>" : "Copy >>");
        EXPECT_EQ(s[CommandId::Move].caption, german ? "Verschieben >>" : "Move >>");
        EXPECT_EQ(s.editColumnAlignment, TextAlignment::Left);
        state.TreeGotFocus(PaneId::Archive);
        s = state.UpdateCommandStates();
        EXPECT_EQ(s[CommandId::Copy].caption, german ? "<< Kopieren" : "<< Copy");
        EXPECT_EQ(s[CommandId::Move].caption, german ? "<< Verschieben" : "<< Move");
        EXPECT_EQ(s.editColumnAlignment, TextAlignment::Right);
    }
}

TEST_F(CommandStatesTest, NothingSelected)
{
    LoadBoth();
    state.TreeGotFocus(PaneId::Mdb);
    const CommandStates s = state.UpdateCommandStates();
    EXPECT_TRUE(s[CommandId::NewCategory].enabled && s[CommandId::Search].enabled &&
                s[CommandId::ProtocolFormatted].enabled);
    EXPECT_FALSE(s[CommandId::Edit].enabled || s[CommandId::Copy].enabled || s[CommandId::Move].enabled ||
                 s[CommandId::Delete].enabled || s[CommandId::Up].enabled || s[CommandId::Down].enabled ||
                 s[CommandId::MainEntry].enabled);
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
        EXPECT_EQ(s[CommandId::MainEntry].caption, german ? "Haupteintrag" : "Main entry");
        EXPECT_FALSE(s[CommandId::MainEntry].enabled || s[CommandId::Up].enabled);
        EXPECT_TRUE(s[CommandId::Down].enabled && s[CommandId::Edit].enabled &&
                    s[CommandId::Delete].enabled && s[CommandId::Copy].enabled && s[CommandId::Move].enabled);

        // "b" follows "a" in its group: it may become a sub entry.
        SelectMdb(EntryTitled(tree, "b"));
        s = state.UpdateCommandStates();
        EXPECT_EQ(s[CommandId::MainEntry].caption, german ? "Untereintrag" : "Sub entry");
        EXPECT_TRUE(s[CommandId::MainEntry].enabled && s[CommandId::Up].enabled);
        EXPECT_FALSE(s[CommandId::Down].enabled);

        // As a sub entry it may become a main entry again.
        state.EditColumn().ToggleMainEntry();
        s = state.UpdateCommandStates();
        EXPECT_EQ(s[CommandId::MainEntry].caption, german ? "Haupteintrag" : "Main entry");
        EXPECT_TRUE(s[CommandId::MainEntry].enabled && s[CommandId::Up].enabled);
        state.EditColumn().ToggleMainEntry();

        // "c" is alone in its group.
        SelectMdb(EntryTitled(tree, "c"));
        s = state.UpdateCommandStates();
        EXPECT_FALSE(s[CommandId::MainEntry].enabled || s[CommandId::Up].enabled ||
                     s[CommandId::Down].enabled);
    }
}

TEST_F(CommandStatesTest, CategoriesMoveAmongCategories)
{
    LoadBoth();
    SelectMdb(CategoryNamed(state.Pane(PaneId::Mdb).tree, "Pop"));
    CommandStates s = state.UpdateCommandStates();
    EXPECT_FALSE(s[CommandId::Up].enabled || s[CommandId::MainEntry].enabled);
    EXPECT_TRUE(s[CommandId::Down].enabled && s[CommandId::Edit].enabled && s[CommandId::Copy].enabled);
    SelectMdb(CategoryNamed(state.Pane(PaneId::Mdb).tree, "Rock"));
    s = state.UpdateCommandStates();
    EXPECT_TRUE(s[CommandId::Up].enabled);
    EXPECT_FALSE(s[CommandId::Down].enabled);
}

TEST_F(CommandStatesTest, CopyAndMoveWaitForTheOtherPane)
{
    LoadBoth();
    state.Files().Close(PaneId::Archive);
    SelectMdb(EntryTitled(state.Pane(PaneId::Mdb).tree, "a"));
    const CommandStates s = state.UpdateCommandStates();
    EXPECT_TRUE(s[CommandId::Edit].enabled && s[CommandId::Delete].enabled);
    EXPECT_FALSE(s[CommandId::Copy].enabled || s[CommandId::Move].enabled);
}

TEST_F(CommandStatesTest, ClosingAPaneMovesOrClearsTheActivePane)
{
    LoadBoth();
    SelectMdb(EntryTitled(state.Pane(PaneId::Mdb).tree, "b"));
    EXPECT_EQ(state.UpdateCommandStates()[CommandId::MainEntry].caption, "Sub entry");
    state.Files().Close(PaneId::Mdb);
    CommandStates s = state.UpdateCommandStates();
    EXPECT_EQ(s.editColumnAlignment, TextAlignment::Right);
    EXPECT_EQ(s[CommandId::Copy].caption, "<< Copy");
    EXPECT_EQ(s[CommandId::MainEntry].caption, "Main entry");
    EXPECT_FALSE(s[CommandId::Copy].enabled);

    // With no pane left the caption stays what it last read.
    state.TreeSelectionChanged(PaneId::Archive, EntryTitled(state.Pane(PaneId::Archive).tree, "j"));
    AddEntry(state.Pane(PaneId::Archive), "Jazz", 2, 80, "k");
    state.TreeSelectionChanged(PaneId::Archive, EntryTitled(state.Pane(PaneId::Archive).tree, "k"));
    EXPECT_EQ(state.UpdateCommandStates()[CommandId::MainEntry].caption, "Sub entry");
    state.Files().Close(PaneId::Archive);
    s = state.UpdateCommandStates();
    EXPECT_EQ(s.editColumnAlignment, TextAlignment::Centre);
    EXPECT_EQ(s[CommandId::MainEntry].caption, "Sub entry");
    EXPECT_FALSE(s[CommandId::MainEntry].enabled || s[CommandId::NewCategory].enabled);
}

TEST_F(CommandStatesTest, EachPaneCommandIdNamesItsPaneAndCommand)
{
    for (PaneId pane : kPaneIds) {
        for (PaneCommand command : {PaneCommand::New, PaneCommand::Open, PaneCommand::Save,
                                    PaneCommand::SaveAs, PaneCommand::Close}) {
            const CommandId id = PaneCommandId(pane, command);
            EXPECT_TRUE(IsPaneCommand(id));
            EXPECT_EQ(PaneOfCommand(id), pane);
            EXPECT_EQ(PaneCommandOf(id), command);
        }
    }
    EXPECT_EQ(PaneCommandId(PaneId::Archive, PaneCommand::SaveAs), CommandId::SaveArchiveAs);
    EXPECT_FALSE(IsPaneCommand(CommandId::ExportCsv));
}

TEST_F(CommandStatesTest, RunningACommandByItsIdDoesWhatItsButtonDoes)
{
    state.Run(PaneCommandId(PaneId::Archive, PaneCommand::New));
    EXPECT_TRUE(state.Pane(PaneId::Archive).loaded && state.Pane(PaneId::Archive).untitled);
    EXPECT_TRUE(state.IsActive(PaneId::Archive));
    EXPECT_TRUE(state.UpdateCommandStates()[PaneCommandId(PaneId::Archive, PaneCommand::Close)].enabled);

    state.Run(CommandId::BackupStructure, true);
    EXPECT_TRUE(state.Options().BackupStructure());
    EXPECT_TRUE(state.UpdateCommandStates()[CommandId::BackupStructure].checked);
    state.Run(CommandId::NoNetwork, true);
    EXPECT_TRUE(state.Options().NoNetwork());
    state.Run(CommandId::FlashDefault);
    EXPECT_EQ(state.Options().FlashStyleMode(), kFlashDefault);
    const CommandStates s = state.UpdateCommandStates();
    EXPECT_TRUE(s[CommandId::FlashDefault].checked);
    EXPECT_FALSE(s[CommandId::FlashFactory].checked || s[CommandId::FlashIndividual].checked);

    state.Run(PaneCommandId(PaneId::Archive, PaneCommand::Close));
    EXPECT_FALSE(state.Pane(PaneId::Archive).loaded);
    state.Run(CommandId::Exit); // the window's own: the state does nothing
    EXPECT_TRUE(prompts.messages.empty());
}

} // namespace
} // namespace tessaro
