// tessaro-cli on floppy disk images: reading commands take IMAGE::/PATH,
// convert and import write into one, ls lists one, new-image makes one.
#include "cli/CliTestSupport.h"
#include "data/BackupIni.h"
#include "support/ImageTestSupport.h"

#ifdef TESSARO_CLI

namespace tessaro::clitest {
namespace {

using testing::ExpectFsckClean;
using testing::McopyOut;
using testing::Shell;
using testing::ShellQuoted;

class CliImageTest : public CliTest
{
protected:
    std::string NewImage(const std::string& name, const std::string& size = "1440")
    {
        const CliRun run = Cli({"new-image", name, "--size", size});
        EXPECT_EQ(run.status, 0) << run.err;
        return folder / name;
    }
};

TEST_F(CliImageTest, NewImageWritesAnEmptyFloppyThatFsckAndMtoolsAccept)
{
    SKIP_WITHOUT_FAT_TOOLS();
    for (const auto& [size, bytes] : {std::pair{"720", 737280u}, std::pair{"1440", 1474560u}}) {
        const std::string image = NewImage(std::string("d") + size + ".img", size);
        EXPECT_EQ(ReadBytes(image).size(), bytes);
        ExpectFsckClean(image);
        const testing::ShellRun dir = Shell("minfo -i " + ShellQuoted(image) + " ::");
        EXPECT_EQ(dir.status, 0) << dir.out;
    }
    const Bytes before = ReadBytes(folder / "d720.img");
    const CliRun again = Cli({"new-image", "d720.img"});
    EXPECT_EQ(again.status, 1);
    EXPECT_TRUE(Has(again.err, "exists already")) << again.err;
    EXPECT_EQ(ReadBytes(folder / "d720.img"), before);
    EXPECT_EQ(Cli({"new-image", "x.img", "--size", "360"}).status, 2);
}

TEST_F(CliImageTest, ConvertIntoAnImageMakesTheSetWithItsBackupIniAndReadingCommandsFindIt)
{
    SKIP_WITHOUT_FAT_TOOLS();
    const std::string mdb = WriteMdb("MDB.bup", KeyboardModel::Psr9000Pro);
    NewImage("disk1.img");
    CliRun run = Cli({"convert", mdb, "disk1.img::/Live.b02/MDB_Pro.bup"});
    ASSERT_EQ(run.status, 0) << run.err;
    const std::string image = folder / "disk1.img";
    ExpectFsckClean(image);
    EXPECT_EQ(McopyOut(image, "/LIVE.B02/MDB_PRO.BUP", folder / "back.bup"), ReadBytes(mdb));
    const std::string ini = NewBackupIni(KeyboardModel::Psr9000Pro);
    EXPECT_EQ(McopyOut(image, "/LIVE.B02/BACKUP.INI", folder / "back.ini"), Bytes(ini.begin(), ini.end()));

    for (const std::string command : {"info", "list", "report", "check"}) {
        const CliRun onDisk = Cli({command, mdb});
        const CliRun inImage = Cli({command, "disk1.img::/live.b02/mdb_pro.bup"});
        EXPECT_EQ(inImage.status, 0) << command << ": " << inImage.err;
        if (command != "info" && command != "check") {
            EXPECT_EQ(inImage.out, onDisk.out) << command;
        }
    }
    EXPECT_TRUE(Has(Cli({"info", "disk1.img::/LIVE.B02/MDB_PRO.BUP"}).out, "PSR-9000pro"));
    // The image itself is no MDB: the tool says how to name the one inside.
    const CliRun bare = Cli({"info", "disk1.img"});
    EXPECT_EQ(bare.status, 1);
    EXPECT_TRUE(Has(bare.err, "Invalid file size!")) << bare.err;
    EXPECT_TRUE(Has(bare.err, "as in disk1.img::/LIVE.B02/MDB_PRO.BUP ('tessaro-cli ls disk1.img'")) << bare.err;

    // Out of the image again, and a second set beside the first.
    run = Cli({"convert", "disk1.img::/LIVE.B02/MDB_PRO.BUP", "copy.bup"});
    ASSERT_EQ(run.status, 0) << run.err;
    EXPECT_EQ(ReadBytes(folder / "copy.bup"), ReadBytes(mdb));
    ASSERT_EQ(Cli({"convert", mdb, "disk1.img::/PARTY.BUF/MDB_Pro.bup"}).status, 0);
    ASSERT_EQ(Cli({"convert", mdb, "disk1.img::/ARCHIVE/ALL.MDX"}).status, 0);

    const CliRun ls = Cli({"ls", "disk1.img"});
    ASSERT_EQ(ls.status, 0) << ls.err;
    EXPECT_TRUE(Has(ls.out, "     <DIR>  /LIVE.B02/  backup set \"LIVE [Disk-02]\"\n")) << ls.out;
    EXPECT_TRUE(Has(ls.out, "    177436  /LIVE.B02/MDB_PRO.BUP\n")) << ls.out;
    EXPECT_TRUE(Has(ls.out, "  /PARTY.BUF/  backup set \"PARTY\"\n")) << ls.out;
    EXPECT_TRUE(Has(ls.out, "     <DIR>  /ARCHIVE/\n")) << "not a set: " << ls.out;
    EXPECT_FALSE(Has(ls.out, "/ARCHIVE/BACKUP.INI")) << "no BACKUP.INI outside a set: " << ls.out;
    EXPECT_TRUE(Has(ls.out, "5 files, 3 folders, ")) << ls.out;
    const CliRun one = Cli({"ls", "disk1.img::/party.buf"});
    EXPECT_EQ(one.status, 0);
    EXPECT_FALSE(Has(one.out, "LIVE")) << one.out;
    ExpectFsckClean(image);
}

TEST_F(CliImageTest, ImportWritesIntoAnImageAndNamesThatDoNotFitAreRefusedWithTheRule)
{
    const std::string mdb = WriteMdb("MDB.bup", KeyboardModel::Psr9000);
    ASSERT_EQ(Cli({"export", mdb, "-o", "all.csv"}).status, 0);
    NewImage("disk1.img");
    ASSERT_EQ(Cli({"import", "all.csv", "disk1.img::/SONGS.BUF/MDB.BUP"}).status, 0);
    EXPECT_EQ(Cli({"convert", "disk1.img::/SONGS.BUF/MDB.BUP", "again.bup"}).status, 0);
    EXPECT_EQ(ReadBytes(folder / "again.bup"), ReadBytes(mdb));

    const Bytes before = ReadBytes(folder / "disk1.img");
    CliRun run = Cli({"convert", mdb, "disk1.img::/Party Time.buf/MDB.bup"});
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(Has(run.err, "The name \"Party Time.buf\" does not fit on a floppy disk")) << run.err;
    run = Cli({"import", "all.csv", "disk1.img::/SONGS.BUF/LONGNAME1.BUP"});
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(Has(run.err, "1 to 8 characters")) << run.err;
    EXPECT_EQ(ReadBytes(folder / "disk1.img"), before);
}

TEST_F(CliImageTest, AFullOrDamagedImageIsRefusedWithItsReason)
{
    const std::string mdb = WriteMdb("MDB.bup", KeyboardModel::Psr9000);
    NewImage("small.img", "720");
    // 720 KB hold four MDB files and BACKUP.INIs, not five.
    int written = 0;
    CliRun run;
    Bytes before;
    for (; written < 6; ++written) {
        before = ReadBytes(folder / "small.img");
        run = Cli({"convert", mdb, "small.img::/S" + std::to_string(written) + ".BUF/MDB.BUP"});
        if (run.status != 0)
            break;
    }
    EXPECT_EQ(written, 4);
    EXPECT_TRUE(Has(run.err, "has no room for /S4.BUF/MDB.BUP")) << run.err;
    EXPECT_TRUE(Has(run.err, "The image was left unchanged.")) << run.err;
    EXPECT_EQ(ReadBytes(folder / "small.img"), before) << "not even the set's folder may stay";

    Bytes cut = ReadBytes(folder / "small.img");
    cut.resize(100000);
    WriteBytes(folder / "cut.img", cut);
    run = Cli({"info", "cut.img::/S0.BUF/MDB.BUP"});
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(Has(run.err, "Error opening file! (The disk image is 100000 bytes long")) << run.err;
    run = Cli({"ls", "cut.img"});
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(Has(run.err, "describes a disk of 737280 bytes")) << run.err;
    run = Cli({"ls", "small.img::/S0.BUF/MDB.BUP"});
    EXPECT_EQ(run.status, 1);
    EXPECT_TRUE(Has(run.err, "is not a folder")) << run.err;
}

} // namespace
} // namespace tessaro::clitest

#endif // TESSARO_CLI
