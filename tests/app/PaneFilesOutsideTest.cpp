// Files from outside the window: dropped on a pane, or handed in by the
// desktop or a later start of the program.
#include "app/FileKinds.h"
#include "support/AppTestSupport.h"
#include "support/TreeTestSupport.h"

#include <filesystem>
#include <fstream>

namespace tessaro {
namespace {

using testing::WriteBytes;
using testing::WriteText;

class PaneFilesOutsideTest : public AppTest
{
};

TEST_F(PaneFilesOutsideTest, FilesAreToldApartByContentNotName)
{
    WriteTestArchive(Path("named.bup"), Records({{"Jazz", 1, 100, "Take Five"}}));
    WriteTestMdb(Path("named.mdx"), Records({{"Pop", 1, 120, "Kiss me"}}));
    std::ofstream(Path("short")) << "%%%MDB"; // shorter than the magic
    std::ofstream(Path("empty"));
    EXPECT_EQ(PaneForFile(Path("named.bup")), PaneId::Archive);
    EXPECT_EQ(PaneForFile(Path("named.mdx")), PaneId::Mdb);
    EXPECT_EQ(PaneForFile(Path("short")), PaneId::Mdb);
    EXPECT_EQ(PaneForFile(Path("empty")), PaneId::Mdb);
    EXPECT_EQ(PaneForFile(Path("missing")), PaneId::Mdb);
    EXPECT_EQ(PaneForFile(folder.path().string()), PaneId::Mdb); // a folder

    state.OpenFiles({Path("named.bup"), Path("named.mdx")});
    EXPECT_TRUE(state.Pane(PaneId::Archive).loaded && state.Pane(PaneId::Mdb).loaded);
    EXPECT_EQ(Titles(state.Pane(PaneId::Archive)), std::vector<std::string>{"Take Five"});
    EXPECT_EQ(Titles(state.Pane(PaneId::Mdb)), std::vector<std::string>{"Kiss me"});
    EXPECT_TRUE(state.IsActive(PaneId::Mdb)); // the last file's pane
    EXPECT_EQ(state.Pane(PaneId::Mdb).recentFiles[0], Path("named.mdx"));
    EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(PaneFilesOutsideTest, AFileThatIsNoMdbIsRefusedByTheMdbReader)
{
    std::ofstream(Path("notes.txt")) << "hello";
    state.OpenFiles({Path("notes.txt"), Path("missing.bup")});
    EXPECT_FALSE(state.Pane(PaneId::Mdb).loaded);
    EXPECT_EQ(prompts.Texts(),
              (std::vector<std::string>{"These files were not found:\n" + Path("missing.bup"),
                                        "Invalid file size!"}));
    EXPECT_EQ(state.Pane(PaneId::Mdb).recentFiles[0], ""); // neither is remembered
}

TEST_F(PaneFilesOutsideTest, FilesHandedOverWhileBusyWaitOnceEachAndMissingOnesAreNamedTogether)
{
    // 300 requests for three files while a dialog is open: three wait.
    std::vector<std::string> pending;
    for (int i = 0; i < 100; ++i)
        PaneFiles::AddPendingFiles(pending, {Path("a.mdx"), Path("gone1.bup"), Path("gone2.mdx")});
    EXPECT_EQ(pending, (std::vector<std::string>{Path("a.mdx"), Path("gone1.bup"), Path("gone2.mdx")}));
    // Many different ones: the most recent stay, the list does not grow.
    for (int i = 0; i < 1000; ++i)
        PaneFiles::AddPendingFiles(pending, {Path("f" + std::to_string(i) + ".mdx")});
    ASSERT_EQ(pending.size(), PaneFiles::kMaxPendingFiles);
    EXPECT_EQ(pending.back(), Path("f999.mdx"));
    EXPECT_EQ(pending.front(), Path("f" + std::to_string(1000 - PaneFiles::kMaxPendingFiles) + ".mdx"));

    WriteTestArchive(Path("a.mdx"), Records({{"Jazz", 1, 100, "Take Five"}}));
    state.OpenFiles({Path("gone1.bup"), Path("a.mdx"), Path("gone2.mdx")});
    EXPECT_EQ(prompts.Texts(), (std::vector<std::string>{"These files were not found:\n" + Path("gone1.bup") +
                                                         "\n" + Path("gone2.mdx")}));
    EXPECT_EQ(Layout(state.Pane(PaneId::Archive).tree), "Jazz{Take Five}");
}

TEST_F(PaneFilesOutsideTest, EachPaneAsksBeforeItsChangesAreReplaced)
{
    WriteTestArchive(Path("a.mdx"), Records({{"Jazz", 1, 100, "Take Five"}}));
    WriteTestArchive(Path("b.mdx"), Records({{"Soul", 2, 90, "Respect"}}));
    WriteTestMdb(Path("MDB.bup"), Records({{"Pop", 1, 120, "Kiss me"}}));
    NewArchiveWith({{"Mine", 1, 100, "My own"}});
    MarkModified(state.Pane(PaneId::Archive));

    // Cancel keeps this pane as it is and goes on with the next file.
    prompts.Answer(MsgAnswer::Cancel);
    state.OpenFiles({Path("a.mdx"), Path("MDB.bup")});
    EXPECT_EQ(prompts.TimesShown(Msg::ArchiveChangedSave), 1);
    EXPECT_EQ(Titles(state.Pane(PaneId::Archive)), std::vector<std::string>{"My own"});
    EXPECT_TRUE(state.Pane(PaneId::Mdb).loaded);

    // No discards the changes; the file that is open already is not read again.
    prompts.Answer(MsgAnswer::No);
    state.OpenFiles({Path("a.mdx")});
    EXPECT_EQ(Titles(state.Pane(PaneId::Archive)), std::vector<std::string>{"Take Five"});
    state.Pane(PaneId::Archive).tree.Select(state.Pane(PaneId::Archive).tree.FirstCategory());
    prompts.Answer(MsgAnswer::Yes); // "Delete complete category?"
    state.EditColumn().DeleteSelected();
    EXPECT_TRUE(state.Pane(PaneId::Archive).Modified());
    const std::size_t asked = prompts.messages.size();
    state.OpenFiles({Path("a.mdx")});
    EXPECT_EQ(prompts.messages.size(), asked);
    EXPECT_TRUE(state.Pane(PaneId::Archive).Modified());
    EXPECT_FALSE(state.IsActive(PaneId::Mdb));

    // Yes saves before the next file comes in.
    prompts.Answer(MsgAnswer::Yes);
    state.OpenFiles({Path("b.mdx")});
    EXPECT_EQ(Titles(state.Pane(PaneId::Archive)), std::vector<std::string>{"Respect"});
    state.Pane(PaneId::Archive).fileName = Path("a.mdx");
    ASSERT_TRUE(state.Files().LoadFile(PaneId::Archive));
    EXPECT_TRUE(Titles(state.Pane(PaneId::Archive)).empty()); // saved without its category
    EXPECT_EQ(prompts.unscripted, 0);
}

class FileDropTest : public AppTest
{
protected:
    FileDropTest()
    {
        WriteTestMdb(Path("MDB.bup"), Records({{"Pop", 3, 120, "m"}}));
        WriteTestArchive(Path("a.mdx"), Records({{"Jazz", 2, 80, "j"}, {"Jazz", 2, 90, "k"}}));
    }
};

TEST_F(FileDropTest, TheContentSaysWhichPaneAFileBelongsTo)
{
    EXPECT_EQ(PaneForFile(Path("a.mdx")), PaneId::Archive);
    EXPECT_EQ(PaneForFile(Path("MDB.bup")), PaneId::Mdb);
    // The name does not count; what is no archive is left to the MDB reader.
    std::filesystem::copy_file(Path("a.mdx"), Path("archive.bup"));
    EXPECT_EQ(PaneForFile(Path("archive.bup")), PaneId::Archive);
    WriteText(Path("short.mdx"), "%%%MDB-Archiv%%");
    EXPECT_EQ(PaneForFile(Path("short.mdx")), PaneId::Mdb);
    WriteText(Path("other.mdx"), "%%%MDB-Archiv%%X and more");
    EXPECT_EQ(PaneForFile(Path("other.mdx")), PaneId::Mdb);
    EXPECT_EQ(PaneForFile(Path("missing")), PaneId::Mdb);
    EXPECT_EQ(PaneForFile(folder.path().string()), PaneId::Mdb);
}

TEST_F(FileDropTest, AFileOpensInThePaneItBelongsTo)
{
    EXPECT_FALSE(state.CanOpenDroppedFile(PaneId::Mdb, Path("a.mdx")));
    EXPECT_FALSE(state.CanOpenDroppedFile(PaneId::Archive, Path("MDB.bup")));
    EXPECT_FALSE(state.CanOpenDroppedFile(PaneId::Mdb, folder.path().string()));
    EXPECT_FALSE(state.CanOpenDroppedFile(PaneId::Mdb, Path("missing.bup")));

    EXPECT_TRUE(state.OpenDroppedFile(PaneId::Archive, Path("a.mdx")));
    EXPECT_TRUE(state.Pane(PaneId::Archive).loaded);
    EXPECT_EQ(CountText(state, PaneId::Archive), "2");
    EXPECT_EQ(state.Pane(PaneId::Archive).recentFiles[0], Path("a.mdx"));
    EXPECT_FALSE(state.IsActive(PaneId::Mdb));
    // The file it shows already: nothing to do.
    EXPECT_FALSE(state.CanOpenDroppedFile(PaneId::Archive, Path("a.mdx")));

    EXPECT_TRUE(state.OpenDroppedFile(PaneId::Mdb, Path("MDB.bup")));
    EXPECT_TRUE(state.Pane(PaneId::Mdb).loaded);
    EXPECT_TRUE(state.IsActive(PaneId::Mdb));
    EXPECT_EQ(state.UpdateCommandStates().modelLabel, "PSR9000");
}

TEST_F(FileDropTest, AChangedPaneAsksFirstAndABadFileIsRefusedByItsReader)
{
    OpenArchiveFile(Path("a.mdx"));
    std::filesystem::copy_file(Path("a.mdx"), Path("b.mdx"));
    MarkModified(state.Pane(PaneId::Archive));
    prompts.Answer(MsgAnswer::Cancel);
    EXPECT_FALSE(state.OpenDroppedFile(PaneId::Archive, Path("b.mdx")));
    EXPECT_EQ(prompts.Texts(), std::vector<std::string>{Tr(Msg::ArchiveChangedSave)});
    EXPECT_EQ(state.Pane(PaneId::Archive).fileName, Path("a.mdx"));

    // Not an archive, so taken for an MDB: its reader says why it is none.
    WriteBytes(Path("junk.bin"), testing::Bytes(100, 7));
    ASSERT_TRUE(state.CanOpenDroppedFile(PaneId::Mdb, Path("junk.bin")));
    EXPECT_FALSE(state.OpenDroppedFile(PaneId::Mdb, Path("junk.bin")));
    EXPECT_FALSE(state.Pane(PaneId::Mdb).loaded);
    EXPECT_EQ(prompts.messages.size(), 2u);
}

} // namespace
} // namespace tessaro
