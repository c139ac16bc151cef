// Leaving the program: both save prompts, then the settings.
#include "support/AppTestSupport.h"

#include "app/SettingsKeys.h"
#include "data/MdbFile.h"
#include "data/SafeFile.h"
#include "support/TreeTestSupport.h"

namespace tessaro {
namespace {

class ExitSequenceTest : public AppTest
{
protected:
    // A titled, modified MDB and archive.
    void ChangeBoth()
    {
        WriteTestMdb(Path("MDB.bup"), Records({{"Pop", 3, 120, "One"}}));
        OpenMdbFile(Path("MDB.bup"));
        AddEntry(state.Pane(PaneId::Mdb), "Pop", 3, 120, "Two");
        MarkModified(state.Pane(PaneId::Mdb));
        WriteTestArchive(Path("a.mdx"), Records({{"Jazz", 1, 80, "J"}}));
        OpenArchiveFile(Path("a.mdx"));
        MarkModified(state.Pane(PaneId::Archive));
        prompts.messages.clear();
    }
    std::size_t ReadMdbFileTitles() const
    {
        return OccupiedRecords(ReadMdbFile(Path("MDB.bup")).image).size();
    }
    bool SettingsWritten() const { return store.IntValue(settings::kSection, settings::kTopPos).has_value(); }
};

TEST_F(ExitSequenceTest, CancelOnEitherPromptKeepsTheWindowOpen)
{
    ChangeBoth();
    prompts.answers = {MsgAnswer::Cancel};
    EXPECT_FALSE(state.ExitSequence({0, 0}));
    EXPECT_EQ(prompts.messages.size(), 1u);

    // The MDB saved by the first prompt stays saved.
    prompts.answers = {MsgAnswer::Yes, MsgAnswer::Cancel};
    EXPECT_FALSE(state.ExitSequence({0, 0}));
    EXPECT_EQ(prompts.Texts()[2], "The MDB archive has been changed!\n\nSave changes?");
    EXPECT_FALSE(state.Pane(PaneId::Mdb).Modified());
    EXPECT_EQ(ReadMdbFileTitles(), 2u);
    EXPECT_TRUE(state.Pane(PaneId::Archive).loaded && state.Pane(PaneId::Archive).Modified());
    EXPECT_FALSE(state.Pane(PaneId::Mdb).tree.IsEmpty());
    EXPECT_FALSE(SettingsWritten());
}

TEST_F(ExitSequenceTest, AFailedSaveStopsTheExit)
{
    ChangeBoth();
    InjectSafeWriteFault(SafeWriteFault::Write);
    prompts.answers = {MsgAnswer::Yes};
    EXPECT_FALSE(state.ExitSequence({0, 0}));
    EXPECT_TRUE(prompts.Showed(Msg::ErrorSavingMdb));
    EXPECT_FALSE(prompts.Showed(Msg::ArchiveChangedSave));
    EXPECT_FALSE(SettingsWritten());
}

TEST_F(ExitSequenceTest, NoToBothLeavesTheFilesAndStoresTheSettings)
{
    ChangeBoth();
    prompts.answers = {MsgAnswer::No, MsgAnswer::No};
    EXPECT_TRUE(state.ExitSequence({10, 20}));
    EXPECT_EQ(ReadMdbFileTitles(), 1u);
    EXPECT_TRUE(state.Pane(PaneId::Mdb).tree.IsEmpty());
    EXPECT_TRUE(state.Pane(PaneId::Archive).tree.IsEmpty());
    EXPECT_EQ(store.IntValue(settings::kSection, settings::kLeftPos), 10);
    EXPECT_EQ(store.StringValue(settings::kSection, "LastOpenMDB1"), Path("MDB.bup"));
    EXPECT_EQ(store.StringValue(settings::kSection, "LastOpenArchiv1"), Path("a.mdx"));
}

TEST_F(ExitSequenceTest, UnchangedPanesAreNotOffered)
{
    prompts.keyboardModels.push_back(1);
    state.Files().New(PaneId::Mdb);
    EXPECT_TRUE(state.ExitSequence({0, 0}));
    EXPECT_TRUE(prompts.messages.empty());
    EXPECT_TRUE(SettingsWritten());
}

} // namespace
} // namespace tessaro
