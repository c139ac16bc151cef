// The window on floppy images: an image handed in or dropped opens the MDB it
// holds, Save writes it back into the image, Save As makes a set inside it, and
// the archive pane's Open reaches the archives on an image.
#include "browse/BackupSetNames.h"
#include "data/BackupIni.h"
#include "data/InputFile.h"
#include "data/MdbFile.h"
#include "image/ImageFiles.h"
#include "image/ImagePath.h"
#include "support/AppTestSupport.h"
#include "support/DataTestSupport.h"
#include "support/ImageTestSupport.h"
#include "support/PaneMarks.h"
#include "support/TreeTestSupport.h"

namespace tessaro {
namespace {

using testing::Bytes;

class ImageWindowTest : public AppTest
{
protected:
    ImageWindowTest()
    {
        UseImagePaths();
        image = Path("disk1.img");
        EXPECT_TRUE(WriteNewFloppyImage(image, FloppySize::Kb1440));
    }
    std::string In(const std::string& inner) const { return JoinImagePath(image, inner); }
    void PutMdb(const std::string& inner, const std::vector<TestEntry>& entries)
    {
        const std::vector<MdbEntry> records = Records(entries);
        EXPECT_FALSE(WriteMdbFile(In(inner), SourceOf(records), KeyboardModel::Psr9000));
        EXPECT_FALSE(UpdateBackupIni(In(inner), KeyboardModel::Psr9000));
    }
    static std::vector<std::string> TitlesIn(const std::string& path)
    {
        const MdbReadResult read = ReadMdbFile(path);
        EXPECT_TRUE(read.ok()) << path;
        std::vector<std::string> titles;
        for (const MdbEntry& record : OccupiedRecords(read.image))
            titles.push_back(record.GetTitle());
        return titles;
    }

    std::string image;
};

TEST_F(ImageWindowTest, AnImageWithOneMdbOpensItAndSaveWritesItBack)
{
    PutMdb("/PARTY.BUF/MDB.BUP", {{"Pop", 1, 120, "Kiss me"}});
    state.OpenFiles({image});
    EXPECT_TRUE(prompts.browseRequests.empty());
    ASSERT_TRUE(state.Pane(PaneId::Mdb).loaded);
    EXPECT_EQ(state.Pane(PaneId::Mdb).fileName, In("/PARTY.BUF/MDB.BUP"));
    EXPECT_EQ(state.Pane(PaneId::Mdb).recentFiles[0], In("/PARTY.BUF/MDB.BUP"));
    EXPECT_EQ(Titles(state.Pane(PaneId::Mdb)), std::vector<std::string>{"Kiss me"});

    state.Options().SetBackupStructure(true);
    AddEntry(state.Pane(PaneId::Mdb), "Pop", 2, 120, "Kiss you");
    MarkModified(state.Pane(PaneId::Mdb));
    state.Files().Save(PaneId::Mdb);
    EXPECT_TRUE(prompts.messages.empty()) << prompts.Texts().front();
    EXPECT_FALSE(state.Pane(PaneId::Mdb).Modified());
    EXPECT_EQ(TitlesIn(In("/PARTY.BUF/MDB.BUP")), (std::vector<std::string>{"Kiss me", "Kiss you"}));
    EXPECT_EQ(folder.Names().size(), 1u) << "only the image: no temporary file beside it";

    // Dropped on the window, the same image opens the same way.
    state.Files().Close(PaneId::Mdb);
    ASSERT_TRUE(state.CanOpenDroppedFile(PaneId::Mdb, image));
    EXPECT_TRUE(state.OpenDroppedFile(PaneId::Mdb, image));
    EXPECT_EQ(state.Pane(PaneId::Mdb).fileName, In("/PARTY.BUF/MDB.BUP"));
}

TEST_F(ImageWindowTest, AnImageWithSeveralMdbsOpensTheBrowseDialogAtTheImage)
{
    PutMdb("/LIVE.B01/MDB.BUP", {{"Pop", 1, 120, "One"}});
    PutMdb("/LIVE.B02/MDB.BUP", {{"Pop", 1, 120, "Two"}});
    prompts.BrowseTo(ChosenPath(In("/"), "LIVE [Disk-02]", BrowseMode::Open, "MDB*.bup"), In("/"));
    state.OpenFiles({image});
    ASSERT_EQ(prompts.browseRequests.size(), 1u);
    EXPECT_EQ(prompts.browseRequests[0].startFolder, In("/"));
    EXPECT_EQ(prompts.browseRequests[0].mode, BrowseMode::Open);
    EXPECT_EQ(Titles(state.Pane(PaneId::Mdb)), std::vector<std::string>{"Two"});
    EXPECT_EQ(state.Options().LastBackupFolder(), In("/"));

    prompts.CancelBrowse();
    state.Files().Close(PaneId::Mdb);
    state.OpenFiles({image});
    EXPECT_FALSE(state.Pane(PaneId::Mdb).loaded);
    EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(ImageWindowTest, SaveAsMakesANewSetInTheImageAndStatesTheNameRule)
{
    prompts.keyboardModels.push_back(2);
    state.Files().New(PaneId::Mdb);
    AddEntry(state.Pane(PaneId::Mdb), "Rock", 5, 100, "R");
    state.Options().SetBackupStructure(true);
    const Bytes before = testing::ReadBytes(image);
    // A set name too long for the floppy: said with the rule, and the dialog comes again.
    prompts.BrowseTo(ChosenPath(In("/"), "Party Night", BrowseMode::Save, "MDB*.bup"), In("/"));
    prompts.BrowseTo(ChosenPath(In("/"), "Night", BrowseMode::Save, "MDB*.bup"), In("/"));
    state.Files().SaveAs(PaneId::Mdb);
    ASSERT_EQ(prompts.browseRequests.size(), 2u);
    ASSERT_EQ(prompts.Texts().size(), 1u);
    EXPECT_NE(prompts.Texts()[0].find("Error creating directory/backup-structure!"), std::string::npos);
    EXPECT_NE(prompts.Texts()[0].find("\"Party Night.buf\" does not fit on a floppy disk"), std::string::npos)
        << prompts.Texts()[0];

    EXPECT_EQ(state.Pane(PaneId::Mdb).fileName, In("/Night.buf/MDB_Pro.bup"));
    EXPECT_FALSE(state.Pane(PaneId::Mdb).untitled);
    EXPECT_EQ(TitlesIn(In("/NIGHT.BUF/MDB_PRO.BUP")), std::vector<std::string>{"R"});
    FileInput ini;
    ASSERT_TRUE(ini.Open(In("/NIGHT.BUF/BACKUP.INI")));
    std::string text(std::size_t(ini.Length()), '\0');
    ini.Read(reinterpret_cast<uint8_t*>(text.data()), text.size());
    EXPECT_EQ(text, NewBackupIni(KeyboardModel::Psr9000Pro));
    EXPECT_NE(testing::ReadBytes(image), before);
    EXPECT_EQ(state.FillRecentCombo(PaneId::Mdb).lines[0], In("/Night"));
}

// ---- the archive pane's Open on an image made by mtools ------------------------------

class ArchiveInImageTest : public AppTest
{
protected:
    void SetUp() override
    {
        SKIP_WITHOUT_FAT_TOOLS();
        UseImagePaths();
        image = Path("gotek.img");
        using testing::Shell;
        using testing::ShellQuoted;
        ASSERT_EQ(Shell("mformat -C -f 1440 -i " + ShellQuoted(image) + " ::").status, 0);
        ASSERT_EQ(Shell("mmd -i " + ShellQuoted(image) + " ::/SETS").status, 0);
    }
    // An archive of these titles copied into the image by mcopy.
    void PutArchive(const std::string& inner, const std::vector<std::string>& titles)
    {
        std::vector<TestEntry> entries;
        for (const std::string& title : titles)
            entries.push_back({"Pop", 1, 120, title});
        const std::string scratch = Path("scratch.mdx");
        WriteTestArchive(scratch, Records(entries));
        const testing::ShellRun run =
            testing::Shell("mcopy -i " + testing::ShellQuoted(image) + " " + testing::ShellQuoted(scratch) +
                           " " + testing::ShellQuoted("::" + inner));
        ASSERT_EQ(run.status, 0) << run.out;
        std::filesystem::remove(scratch);
    }
    void OpenArchiveFrom(const std::string& chosen)
    {
        prompts.openFileNames.push_back(chosen);
        state.Files().Open(PaneId::Archive);
    }
    const PaneState& Archive() { return state.Pane(PaneId::Archive); }

    std::string image;
};

TEST_F(ArchiveInImageTest, TheFileDialogOffersImagesAndAnImageWithOneArchiveOpensIt)
{
    PutArchive("/SETS/SONGS.MDX", {"Kiss me", "Hold me"});
    OpenArchiveFrom(image);
    ASSERT_EQ(prompts.openRequests.size(), 1u);
    EXPECT_EQ(prompts.openRequests[0].filter,
              "MDB archive (*.mdx)|*.mdx|Floppy disk images (*.img;*.ima)|*.img;*.ima|All files (*.*)|*.*||");
    EXPECT_EQ(prompts.openRequests[0].defaultExtension, ".mdx"); // archives stay the default type
    EXPECT_TRUE(prompts.itemRequests.empty());
    EXPECT_TRUE(prompts.messages.empty()) << prompts.Texts().front();
    ASSERT_TRUE(Archive().loaded);
    EXPECT_EQ(Archive().fileName, JoinImagePath(image, "/SETS/SONGS.MDX"));
    EXPECT_EQ(Archive().recentFiles[0], JoinImagePath(image, "/SETS/SONGS.MDX"));
    EXPECT_EQ(Titles(Archive()), (std::vector<std::string>{"Kiss me", "Hold me"}));

    // An archive chosen on disk opens as before.
    WriteTestArchive(Path("plain.mdx"), Records({{"Jazz", 2, 90, "Plain"}}));
    OpenArchiveFrom(Path("plain.mdx"));
    EXPECT_EQ(Archive().fileName, Path("plain.mdx"));
    EXPECT_TRUE(prompts.itemRequests.empty());
    // The MDB pane's file dialog stays as it was.
    prompts.openFileNames.push_back(std::nullopt);
    state.Files().Open(PaneId::Mdb);
    EXPECT_EQ(prompts.openRequests.back().filter, "Music Database (MDB*.bup)|MDB*.bup|All files (*.*)|*.*||");
}

TEST_F(ArchiveInImageTest, WithSeveralArchivesTheUserPicksOneAndCancelLeavesThePane)
{
    PutArchive("/FIRST.MDX", {"One"});
    PutArchive("/SETS/SECOND.MDX", {"Two"});
    prompts.itemChoices.push_back(0);
    OpenArchiveFrom(image);
    ASSERT_EQ(prompts.itemRequests.size(), 1u);
    EXPECT_EQ(prompts.itemRequests[0].title, "Open MDB archive");
    EXPECT_EQ(prompts.itemRequests[0].text,
              "The disk image " + image + " holds several MDB archives; choose one.");
    // In folder order, as the disk holds them (the folder SETS was made first).
    EXPECT_EQ(prompts.itemRequests[0].items, (std::vector<std::string>{"/SETS/SECOND.MDX", "/FIRST.MDX"}));
    EXPECT_EQ(Archive().fileName, JoinImagePath(image, "/SETS/SECOND.MDX"));
    EXPECT_EQ(Titles(Archive()), std::vector<std::string>{"Two"});

    // Cancel in the list: the pane, its file and its recent list stay as they were.
    const std::vector<std::string> recent(Archive().recentFiles.begin(), Archive().recentFiles.end());
    prompts.itemChoices.push_back(std::nullopt);
    OpenArchiveFrom(image);
    EXPECT_EQ(prompts.itemRequests.size(), 2u);
    EXPECT_EQ(Archive().fileName, JoinImagePath(image, "/SETS/SECOND.MDX"));
    EXPECT_EQ(Titles(Archive()), std::vector<std::string>{"Two"});
    EXPECT_EQ(std::vector<std::string>(Archive().recentFiles.begin(), Archive().recentFiles.end()), recent);
    EXPECT_TRUE(prompts.messages.empty());

    SetUiLanguage(UiLanguage::German);
    prompts.itemChoices.push_back(1);
    OpenArchiveFrom(image);
    SetUiLanguage(UiLanguage::English);
    EXPECT_EQ(prompts.itemRequests.back().title, "MDB-Archiv öffnen");
    EXPECT_EQ(prompts.itemRequests.back().text,
              "Das Disketten-Image " + image + " enthält mehrere MDB-Archive; bitte eines auswählen.");
    EXPECT_EQ(Titles(Archive()), std::vector<std::string>{"One"});
}

TEST_F(ArchiveInImageTest, AnImageWithoutArchiveOrThatCannotBeReadSaysSo)
{
    // A backup set but no archive.
    const std::string mdb = Path("MDB.bup");
    WriteTestMdb(mdb, Records({{"Pop", 1, 120, "Set"}}));
    ASSERT_EQ(testing::Shell("mmd -i " + testing::ShellQuoted(image) + " ::/PARTY.BUF && mcopy -i " +
                             testing::ShellQuoted(image) + " " + testing::ShellQuoted(mdb) +
                             " ::/PARTY.BUF/MDB.BUP")
                  .status,
              0);
    const testing::Bytes before = testing::ReadBytes(image);
    OpenArchiveFrom(image);
    EXPECT_TRUE(prompts.itemRequests.empty());
    ASSERT_EQ(prompts.messages.size(), 1u);
    EXPECT_EQ(prompts.messages[0].text, "The disk image " + image + " holds no MDB archive (*.mdx).");
    EXPECT_EQ(prompts.messages[0].icon, MsgIcon::Warning);
    EXPECT_FALSE(Archive().loaded);
    EXPECT_EQ(Archive().recentFiles[0], "");
    EXPECT_EQ(testing::ReadBytes(image), before); // only read

    // Not a FAT disk at all: the image layer's reason.
    const std::string broken = Path("broken.ima");
    testing::WriteBytes(broken, testing::Bytes(100, 0xF6));
    OpenArchiveFrom(broken);
    ASSERT_EQ(prompts.messages.size(), 2u);
    EXPECT_EQ(prompts.messages[1].text,
              "The disk image is only 100 bytes long: too short for a boot sector.");
    EXPECT_FALSE(Archive().loaded);
}

} // namespace
} // namespace tessaro
