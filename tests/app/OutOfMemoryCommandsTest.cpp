// Memory running out anywhere in a command of the window: the command is
// stopped with a message, and both panes, their history and their files stay
// as they were.
#include "support/AllocationFailure.h"
#include "support/AppTestSupport.h"
#include "support/TreeTestSupport.h"

#include <functional>

namespace tessaro {
namespace {

class OutOfMemoryCommandsTest : public AppTest
{
protected:
    void SetUp() override
    {
        prompts.keyboardModels.push_back(2);
        state.Files().New(PaneId::Mdb);
        AddEntry(state.Pane(PaneId::Mdb), "Pop", 3, 120, "m");
        std::vector<TestEntry> entries;
        for (int i = 0; i < 90; ++i)
            entries.push_back({i % 3 ? "Jazz" : "Latin", i % 4, 80 + i % 5, "t" + std::to_string(i % 30)});
        NewArchiveWith(entries);
        state.TreeGotFocus(PaneId::Archive);
        state.Pane(PaneId::Archive).tree.Select(CategoryNamed(state.Pane(PaneId::Archive).tree, "Jazz"));
        // A step to undo: the Latin category copied over.
        state.Pane(PaneId::Archive).tree.Select(CategoryNamed(state.Pane(PaneId::Archive).tree, "Latin"));
        state.EditColumn().Copy();
        state.TreeGotFocus(PaneId::Archive);
        state.Pane(PaneId::Archive).tree.Select(CategoryNamed(state.Pane(PaneId::Archive).tree, "Jazz"));
    }

    // Everything a failed command must leave alone.
    std::string Snapshot() const
    {
        const auto pane = [](const PaneState& p) {
            return Layout(p.tree) + (p.Modified() ? " modified " : " saved ") + PaneFiles::EntryCountText(p) + " " +
                   std::to_string(p.tree.SelectionCount());
        };
        return pane(state.Pane(PaneId::Mdb)) + " | " + pane(state.Pane(PaneId::Archive)) + " | " +
               std::to_string(state.Workspace().history.StepCount()) + "/" + std::to_string(state.Workspace().history.AppliedCount()) +
               " | " + std::to_string(folder.Names().size());
    }

    // Runs the command with the n-th allocation failing, for many n, until it goes through.
    void FailEverywhere(const char* name, const std::function<void()>& prepare,
                        const std::function<void()>& command, int atLeast = 20)
    {
        int failures = 0;
        for (long n = 0; n < 1'000'000; n += n < 40 ? 1 : 97) {
            prepare();
            const std::string before = Snapshot();
            const int warnings = prompts.TimesShown(Msg::OutOfMemoryCommand);
            testing::FailAllocationAfter(n);
            state.RunWithinMemory(command);
            if (!testing::DisarmAllocationFailure())
                break;
            if (prompts.TimesShown(Msg::OutOfMemoryCommand) == warnings)
                continue; // the allocation that failed was one the command could do without
            ++failures;
            ASSERT_EQ(prompts.TimesShown(Msg::OutOfMemoryCommand), warnings + 1) << name << ", allocation " << n;
            ASSERT_EQ(Snapshot(), before) << name << ", allocation " << n;
            ASSERT_TRUE(PanesAreSound(state.Pane(PaneId::Mdb), state.Pane(PaneId::Archive))) << name << ", allocation " << n;
        }
        if (atLeast > 0) {
            EXPECT_GE(failures, atLeast) << name;
        }
    }

    void Focus(PaneId id, const char* category)
    {
        PaneState& pane = state.Pane(id);
        state.TreeGotFocus(id);
        pane.tree.Select(CategoryNamed(pane.tree, category));
        state.TreeSelectionChanged(id, pane.tree.Selected());
    }
};

TEST_F(OutOfMemoryCommandsTest, EditsUndoAndRedoAreTakenBackWhole)
{
    FailEverywhere("copy", [&] { Focus(PaneId::Archive, "Jazz"); }, [&] { state.EditColumn().Copy(); });
    FailEverywhere("move", [&] { Focus(PaneId::Archive, "Jazz"); }, [&] { state.EditColumn().Move(); });
    ASSERT_EQ(CategoryNamed(state.Pane(PaneId::Archive).tree, "Jazz"), nullptr); // moved over in the end
    FailEverywhere(
        "delete", [&] { Focus(PaneId::Archive, "Latin"); prompts.answers.assign(1, MsgAnswer::Yes); },
        [&] { state.EditColumn().DeleteSelected(); }, 5);
    // Undo and redo need little memory (the category's index), redo of a copy none at all.
    FailEverywhere("undo", [] {}, [&] { state.EditColumn().Undo(); }, 1);
    state.EditColumn().Undo();
    FailEverywhere("redo", [] {}, [&] { state.EditColumn().Redo(); }, 0);
}

TEST_F(OutOfMemoryCommandsTest, ToolsStopWithAMessageAndChangeNothing)
{
    const std::string csv = Path("all.csv");
    Focus(PaneId::Archive, "Jazz");
    prompts.saveFileNames.assign(1, csv);
    state.Tools().ExportCsv();
    ASSERT_FALSE(folder.Names().empty());

    FailEverywhere("find duplicates", [&] { Focus(PaneId::Archive, "Jazz"); }, [&] { state.Tools().FindDuplicates(); });
    FailEverywhere("compare panes", [] {}, [&] { state.Tools().ComparePanes(); });
    FailEverywhere(
        "check for keyboard", [&] { prompts.keyboardModels.assign(1, 1); }, [&] { state.Tools().CheckForKeyboard(); });
    FailEverywhere(
        "import CSV", [&] { Focus(PaneId::Mdb, "Pop"); prompts.openFileNames.assign(1, csv); },
        [&] { state.Tools().ImportCsv(); });
    FailEverywhere(
        "export CSV", [&] { prompts.saveFileNames.assign(1, Path("new.csv")); }, [&] { state.Tools().ExportCsv(); });
    FailEverywhere(
        "report", [&] { prompts.saveFileNames.assign(1, Path("new.txt")); }, [&] { state.EditColumn().WriteTabProtocol(); });
}

} // namespace
} // namespace tessaro
