// Undo and redo through the window's commands: random sessions over both panes,
// undone to the loaded files and redone through every state met on the way.
#include "support/AppTestSupport.h"
#include "app/SettingsKeys.h"
#include "support/TreeTestSupport.h"

#include "data/ArchiveFile.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace tessaro {
namespace {

// What a user can see of both panes: the trees (empty categories included),
// the records a save writes, and the modified flags.
struct Snapshot
{
    std::string layout[2];
    std::vector<std::string> records[2];
    bool modified[2] = {false, false};

    bool operator==(const Snapshot&) const = default;
};

std::string Describe(const Snapshot& s)
{
    return "MDB " + s.layout[0] + (s.modified[0] ? " (modified)" : "") + "\nArchive " + s.layout[1] +
           (s.modified[1] ? " (modified)" : "");
}

class HistoryTest : public AppTest
{
protected:
    std::mt19937 random{1};

    int Pick(int count) { return std::uniform_int_distribution<int>(0, count - 1)(random); }
    bool Chance(int percent) { return Pick(100) < percent; }

    // Adversarial records: names differing in case, equal group keys, sub entries
    // without a group, empty titles.
    std::vector<MdbEntry> RandomRecords(int count)
    {
        static const char* const categories[] = {"Pop", "pop", "Rock", "Jazz & Blues", "Ballads"};
        static const char* const titles[] = {"", "Alpha", "  sub", "Beta", "  another", "Gamma"};
        std::vector<TestEntry> entries;
        for (int i = 0; i < count; ++i)
            entries.push_back({categories[Pick(5)], Pick(3), 100 + 20 * Pick(2),
                               std::string(titles[Pick(6)]) + (Chance(50) ? std::to_string(i) : "")});
        return Records(entries);
    }

    void LoadBoth()
    {
        WriteTestMdb(Path("MDB.bup"), RandomRecords(20 + Pick(20)));
        OpenMdbFile(Path("MDB.bup"));
        WriteTestArchive(Path("Archive.mdx"), RandomRecords(30 + Pick(40)));
        OpenArchiveFile(Path("Archive.mdx"));
        ASSERT_TRUE(state.Pane(PaneId::Mdb).loaded && state.Pane(PaneId::Archive).loaded);
    }

    Snapshot Take()
    {
        Snapshot s;
        int i = 0;
        for (PaneState* pane : {&state.Pane(PaneId::Mdb), &state.Pane(PaneId::Archive)}) {
            s.layout[i] = Layout(pane->tree);
            RecordSource records = RecordsOf(pane->tree);
            while (const MdbEntry* record = records())
                s.records[i].emplace_back(reinterpret_cast<const char*>(record->bytes().data()), kRecordSize);
            s.modified[i] = pane->Modified();
            ++i;
        }
        return s;
    }

    TreeNode* RandomNode(const CategoryTree& tree)
    {
        if (tree.IsEmpty() || Chance(5))
            return nullptr;
        TreeNode* category = tree.CategoryAt(Pick(tree.CategoryCount()));
        if (!category->HasChildren() || Chance(25))
            return category;
        return category->ChildAt(Pick(category->ChildCount()));
    }

    void ScriptEntryEdit()
    {
        if (Chance(15)) {
            prompts.CancelEntry();
            return;
        }
        const int field = Pick(8);
        const int value = Pick(4);
        prompts.EditEntryWith([field, value](MdbEntry& e) {
            switch (field) {
            case 0:
                e.SetTitle(value == 0 ? "" : "Edited" + std::to_string(value));
                break;
            case 1:
                e.SetCategory(value == 0 ? "Pop" : "New" + std::to_string(value));
                break;
            case 2:
                e.setStyleNumber(static_cast<uint8_t>(value));
                break;
            case 3:
                e.setTempo(static_cast<uint16_t>(100 + 20 * (value % 2)));
                break;
            case 4:
                e.setVoiceVolume(HandVoice::R1, static_cast<uint8_t>(value * 30));
                break;
            case 5:
                e.setPartOn(Part::Bass, value % 2 == 0);
                break;
            case 6:
                e.SetTitle("  sub" + std::to_string(value));
                break;
            case 7:
                e.setVariation(static_cast<uint8_t>(value));
                break;
            }
        });
    }

    void RandomCommand()
    {
        const PaneId id = Chance(50) ? PaneId::Mdb : PaneId::Archive;
        PaneState& pane = state.Pane(id);
        state.TreeGotFocus(id);
        state.TreeSelectionChanged(id, RandomNode(pane.tree));
        if (Chance(70))
            state.TreeSelectionChanged(OtherPane(id), RandomNode(state.Pane(OtherPane(id)).tree));
        switch (Pick(10)) {
        case 0:
            state.EditColumn().Copy();
            break;
        case 1:
            state.EditColumn().Move();
            break;
        case 2:
            if (Chance(20))
                prompts.CancelCategory();
            else
                prompts.NameCategory(Chance(50) ? "Pop" : "Made" + std::to_string(Pick(3)));
            state.EditColumn().NewCategory();
            break;
        case 3:
            if (pane.tree.Selected() && pane.tree.Selected()->IsCategory()) {
                if (Chance(20))
                    prompts.CancelCategory();
                else
                    prompts.NameCategory(Chance(30) ? "ROCK" : "Renamed" + std::to_string(Pick(3)));
            } else {
                ScriptEntryEdit();
            }
            state.EditColumn().EditSelected();
            break;
        case 4:
            state.EditColumn().ToggleMainEntry();
            break;
        case 5:
            state.EditColumn().MoveUp();
            break;
        case 6:
            state.EditColumn().MoveDown();
            break;
        case 7:
            prompts.Answer(Chance(70) ? MsgAnswer::Yes : MsgAnswer::No);
            state.EditColumn().DeleteSelected();
            break;
        case 8: {
            const std::string text = Chance(50) ? "a" : "zzz";
            prompts.searchScript = [text](SearchHost& host) { host.SearchStep(text); };
            state.EditColumn().Search();
            break;
        }
        case 9:
            ScriptEntryEdit();
            state.TreeDoubleClicked(id);
            break;
        }
        // Whatever the command did not use must not linger into the next one.
        prompts.answers.clear();
        prompts.categoryNames.clear();
        prompts.entryEdits.clear();
        prompts.searchScript = nullptr;
    }

    ::testing::AssertionResult Sound()
    {
        return PanesAreSound(state.Pane(PaneId::Mdb), state.Pane(PaneId::Archive));
    }
};

TEST_F(HistoryTest, RandomSessionsUndoToTheLoadedFilesAndRedoEveryStep)
{
    for (unsigned seed = 1; seed <= 40; ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        random.seed(seed);
        LoadBoth();
        ASSERT_EQ(state.Workspace().history.StepCount(), 0u) << "loading drops the history";
        const Snapshot loaded = Take();
        ASSERT_FALSE(loaded.modified[0] || loaded.modified[1]);

        // snapshots[k]: the panes after k steps.
        std::vector<Snapshot> snapshots{loaded};
        for (int command = 0; command < 60; ++command) {
            RandomCommand();
            ASSERT_TRUE(Sound()) << "after command " << command;
            const Snapshot now = Take();
            if (state.Workspace().history.AppliedCount() == snapshots.size())
                snapshots.push_back(now);
            else
                ASSERT_EQ(now.layout[0] + now.layout[1],
                          snapshots.back().layout[0] + snapshots.back().layout[1])
                    << "a command that made no step changed a tree";
            ASSERT_EQ(state.Workspace().history.AppliedCount() + 1, snapshots.size());
        }
        ASSERT_GT(snapshots.size(), 10u) << "the session should have done something";

        for (std::size_t k = snapshots.size() - 1; k > 0; --k) {
            state.EditColumn().Undo();
            ASSERT_TRUE(Sound()) << "undone to step " << k - 1;
            ASSERT_EQ(Take(), snapshots[k - 1]) << Describe(Take()) << "\nexpected\n"
                                                << Describe(snapshots[k - 1]);
        }
        EXPECT_FALSE(state.Workspace().history.CanUndo());
        EXPECT_FALSE(state.Pane(PaneId::Mdb).Modified() || state.Pane(PaneId::Archive).Modified())
            << "back at the loaded files";

        for (std::size_t k = 1; k < snapshots.size(); ++k) {
            state.EditColumn().Redo();
            ASSERT_TRUE(Sound()) << "redone to step " << k;
            ASSERT_EQ(Take(), snapshots[k]) << Describe(Take()) << "\nexpected\n" << Describe(snapshots[k]);
        }
        EXPECT_FALSE(state.Workspace().history.CanRedo());

        // Undone all the way once more, both panes write what was loaded.
        while (state.Workspace().history.CanUndo())
            state.EditColumn().Undo();
        ASSERT_FALSE(WriteArchiveFile(Path("mdb-pane.mdx"), RecordsOf(state.Pane(PaneId::Mdb).tree)));
        ASSERT_FALSE(WriteArchiveFile(Path("archive-pane.mdx"), RecordsOf(state.Pane(PaneId::Archive).tree)));
        MarkUnmodified(state.Pane(PaneId::Mdb));
        MarkUnmodified(state.Pane(PaneId::Archive)); // the next seed loads without asking
        const Snapshot again = Take();
        EXPECT_EQ(again.records[0], loaded.records[0]);
        EXPECT_EQ(again.records[1], loaded.records[1]);
    }
}

TEST_F(HistoryTest, MoveBetweenPanesIsOneStepInBoth)
{
    LoadBoth();
    const Snapshot loaded = Take();
    state.TreeGotFocus(PaneId::Mdb);
    state.TreeSelectionChanged(PaneId::Mdb, state.Pane(PaneId::Mdb).tree.FirstCategory());
    state.TreeSelectionChanged(PaneId::Archive, state.Pane(PaneId::Archive).tree.FirstCategory());
    const std::string name = state.Pane(PaneId::Mdb).tree.FirstCategory()->CategoryName();
    state.EditColumn().Move();
    ASSERT_EQ(state.Workspace().history.StepCount(), 1u);
    EXPECT_TRUE(state.Pane(PaneId::Mdb).Modified() && state.Pane(PaneId::Archive).Modified());
    EXPECT_EQ(state.UpdateCommandStates()[CommandId::Undo].tooltip, "Undo: Move \"" + name + "\"");

    state.EditColumn().Undo();
    EXPECT_EQ(Take(), loaded);
    // The moved category is back, selected and in view in the pane it came from.
    EXPECT_TRUE(state.IsActive(PaneId::Mdb));
    ASSERT_NE(state.Pane(PaneId::Mdb).tree.Selected(), nullptr);
    EXPECT_EQ(state.Pane(PaneId::Mdb).tree.Selected()->CategoryName(), name);
    EXPECT_EQ(state.UpdateCommandStates()[CommandId::Redo].tooltip, "Redo: Move \"" + name + "\"");

    SetUiLanguage(UiLanguage::German);
    EXPECT_EQ(state.UpdateCommandStates()[CommandId::Redo].tooltip, "Wiederholen: Move \"" + name + "\"")
        << "a step keeps the name it was given";
}

TEST_F(HistoryTest, ModifiedFollowsTheSavedPoint)
{
    LoadBoth();
    state.TreeGotFocus(PaneId::Archive);
    state.TreeSelectionChanged(PaneId::Archive, state.Pane(PaneId::Archive).tree.FirstCategory());
    prompts.Answer(MsgAnswer::Yes);
    state.EditColumn().DeleteSelected();
    ASSERT_TRUE(state.Pane(PaneId::Archive).Modified());
    state.Files().Save(PaneId::Archive);
    EXPECT_FALSE(state.Pane(PaneId::Archive).Modified());

    state.EditColumn().Undo(); // away from the saved point: modified, and the question comes
    EXPECT_TRUE(state.Pane(PaneId::Archive).Modified());
    prompts.Answer(MsgAnswer::Cancel);
    EXPECT_FALSE(state.Files().ConfirmDiscard(PaneId::Archive));
    state.EditColumn().Redo(); // back at it: no question
    EXPECT_FALSE(state.Pane(PaneId::Archive).Modified());
    prompts.messages.clear();
    EXPECT_TRUE(state.Files().ConfirmDiscard(PaneId::Archive));
    EXPECT_TRUE(prompts.messages.empty());

    // A step after an undo drops the redo side, and with it the saved point.
    state.EditColumn().Undo();
    state.TreeSelectionChanged(PaneId::Archive, state.Pane(PaneId::Archive).tree.LastCategory());
    state.EditColumn().MoveUp();
    EXPECT_FALSE(state.Workspace().history.CanRedo());
    while (state.Workspace().history.CanUndo())
        state.EditColumn().Undo();
    EXPECT_TRUE(state.Pane(PaneId::Archive).Modified())
        << "the loaded file was saved over: its state is no saved point";
}

TEST_F(HistoryTest, ResettingAPaneDropsItsStepsAndThoseThatDependOnThem)
{
    LoadBoth();
    const auto edit = [this](PaneId id) {
        state.TreeGotFocus(id);
        state.TreeSelectionChanged(id, state.Pane(id).tree.LastCategory());
        state.EditColumn().MoveUp();
    };
    edit(PaneId::Archive); // archive only: stays
    edit(PaneId::Mdb);     // MDB only: goes
    edit(PaneId::Archive); // archive only: stays
    ASSERT_EQ(state.Workspace().history.StepCount(), 3u);
    prompts.Answer(MsgAnswer::No);
    state.Files().Close(PaneId::Mdb);
    EXPECT_EQ(state.Workspace().history.StepCount(), 2u);
    EXPECT_EQ(state.UpdateCommandStates()[CommandId::Undo].enabled, true);

    // A step that moved from the archive into the MDB can no longer be undone
    // once the MDB is gone; nor can the archive's steps before it.
    WriteTestMdb(Path("Other.bup"), RandomRecords(10));
    OpenMdbFile(Path("Other.bup"));
    state.TreeGotFocus(PaneId::Archive);
    state.TreeSelectionChanged(PaneId::Archive, state.Pane(PaneId::Archive).tree.FirstCategory());
    state.TreeSelectionChanged(PaneId::Mdb, state.Pane(PaneId::Mdb).tree.FirstCategory());
    state.EditColumn().Move();
    edit(PaneId::Archive);
    ASSERT_EQ(state.Workspace().history.StepCount(), 4u);
    prompts.Answer(MsgAnswer::No);
    state.Files().Close(PaneId::Mdb);
    EXPECT_EQ(state.Workspace().history.StepCount(), 1u) << "only the archive's step after the move is left";
    state.EditColumn().Undo();
    EXPECT_TRUE(Sound());
    EXPECT_FALSE(state.Workspace().history.CanUndo());
}

} // namespace
} // namespace tessaro

namespace tessaro {
namespace {

class HistoryMemoryTest : public AppTest
{
protected:
    // Copies the archive's category over and deletes it there again: two steps.
    void CopyAndDelete()
    {
        state.TreeGotFocus(PaneId::Archive);
        state.TreeSelectionChanged(PaneId::Archive, state.Pane(PaneId::Archive).tree.FirstCategory());
        state.EditColumn().Copy();
        state.TreeGotFocus(PaneId::Mdb);
        state.TreeSelectionChanged(PaneId::Mdb, CategoryNamed(state.Pane(PaneId::Mdb).tree, "Big"));
        prompts.Answer(MsgAnswer::Yes);
        state.EditColumn().DeleteSelected();
    }
};

TEST_F(HistoryMemoryTest, TheOldestStepsGoPastTheLimitAndTheSavedPointStaysModified)
{
    WriteTestMdb(Path("MDB.bup"), Records({{"Pop", 1, 100, "m"}}));
    OpenMdbFile(Path("MDB.bup"));
    std::vector<TestEntry> entries;
    for (int i = 0; i < 500; ++i)
        entries.push_back({"Big", i % 7, 90 + i % 11, "e" + std::to_string(i)});
    NewArchiveWith(entries);
    EXPECT_EQ(state.Workspace().history.MemoryLimit(), std::size_t(256) << 20);

    CopyAndDelete();
    const std::size_t round = state.Workspace().history.MemoryHeld();
    ASSERT_GT(round, 500u * 100) << "a copy of 500 entries holds their nodes";
    // Room for about three rounds: ten rounds keep the newest steps only.
    state.Workspace().history.SetMemoryLimit(3 * round);
    for (int i = 0; i < 10; ++i) {
        CopyAndDelete();
        EXPECT_LE(state.Workspace().history.MemoryHeld(), 3 * round + round / 2);
    }
    EXPECT_LT(state.Workspace().history.StepCount(), 8u);
    EXPECT_GE(state.Workspace().history.StepCount(), 4u);
    EXPECT_EQ(state.Workspace().history.UndoName().rfind("Delete", 0), 0u);
    // Everything that is left undoes and redoes; the MDB's loaded point is gone, so it stays modified.
    while (state.Workspace().history.CanUndo())
        state.EditColumn().Undo();
    EXPECT_TRUE(state.Pane(PaneId::Mdb).Modified());
    while (state.Workspace().history.CanRedo())
        state.EditColumn().Redo();
    EXPECT_EQ(Layout(state.Pane(PaneId::Mdb).tree), "Pop{m}");
    EXPECT_TRUE(state.Pane(PaneId::Mdb).Modified());
    EXPECT_TRUE(PanesAreSound(state.Pane(PaneId::Mdb), state.Pane(PaneId::Archive)));

    // One step larger than the limit is kept: the last command can always be undone.
    state.Workspace().history.SetMemoryLimit(1);
    EXPECT_EQ(state.Workspace().history.StepCount(), 1u);
    state.EditColumn().Undo();
    EXPECT_NE(CategoryNamed(state.Pane(PaneId::Mdb).tree, "Big"), nullptr);
}

TEST_F(HistoryMemoryTest, TheLimitIsASettingInMegabytes)
{
    store.WriteInt(settings::kSection, settings::kUndoMemoryMB, 64);
    state.LoadSettings();
    EXPECT_EQ(state.Workspace().history.MemoryLimit(), std::size_t(64) << 20);
    store.WriteInt(settings::kSection, settings::kUndoMemoryMB, 0); // out of range: the default
    state.LoadSettings();
    EXPECT_EQ(state.Workspace().history.MemoryLimit(), std::size_t(256) << 20);
    EXPECT_TRUE(state.SaveSettings());
    EXPECT_EQ(store.ReadInt(settings::kSection, settings::kUndoMemoryMB, -1), 256);
}

} // namespace
} // namespace tessaro
