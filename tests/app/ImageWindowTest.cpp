// The window on floppy images: an image handed in or dropped opens the MDB it
// holds, Save writes it back into the image, Save As makes a set inside it.
#include "browse/BackupSetNames.h"
#include "data/BackupIni.h"
#include "data/InputFile.h"
#include "data/MdbFile.h"
#include "image/ImageFiles.h"
#include "image/ImagePath.h"
#include "support/AppTestSupport.h"
#include "support/PaneMarks.h"
#include "support/DataTestSupport.h"
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

} // namespace
} // namespace tessaro
