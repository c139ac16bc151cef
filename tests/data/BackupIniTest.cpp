#include "data/BackupIni.h"
#include "data/SafeFile.h"
#include "support/DataTestSupport.h"

#include <gtest/gtest.h>

namespace tessaro {
namespace {

using namespace tessaro::testing;

// Lines joined with CR LF, the keyboard's line end.
std::string Crlf(std::initializer_list<const char*> lines)
{
    std::string text;
    for (const char* line : lines)
        text += std::string(line) + "\r\n";
    return text;
}

const std::string kNew9000 =
    Crlf({"[TITLE]", "PSR-9000 BACKUP.INI", "YAMAHA Corporation", "[DISK NO]", "DISK000", "[INSTRUMENT]",
          "PSR-9000", "[VERSION]", "Ver2.12", "[TOTAL USER DATA SIZE]", "177436KB", "[BACKUP MUSIC DB]",
          "TOTAL FILE NUM:0", "3 = MDB.bup", "[DATAEND]"});
const std::string kNewPro =
    Crlf({"[TITLE]", "9000Pro BACKUP.INI", "YAMAHA Corporation", "[DISK NO]", "DISK000", "[INSTRUMENT]",
          "9000Pro", "[VERSION]", "Ver1.03", "[TOTAL USER DATA SIZE]", "177436KB", "[BACKUP MUSIC DB]",
          "TOTAL FILE NUM:0", "3 = MDB_Pro.bup", "[DATAEND]"});

TEST(BackupIniTest, NewFolderGetsTheFifteenLinesAndASecondSaveChangesNothing)
{
    TempFolder folder;
    ASSERT_EQ(UpdateBackupIni(folder / "MDB.bup", KeyboardModel::Psr9000), std::nullopt);
    EXPECT_EQ(ReadText(folder / "BACKUP.INI"), kNew9000);
    EXPECT_EQ(NewBackupIni(KeyboardModel::Psr9000Pro), kNewPro);
    EXPECT_EQ(NewBackupIni(KeyboardModel::None), kNew9000);

    // Already listed (section names in any case): left byte for byte, even its odd line ends.
    const std::string listed = "[backup music db]\n3 = mdb.BUP\n[DATAEND]";
    WriteText(folder / "BACKUP.INI", listed);
    ASSERT_EQ(UpdateBackupIni(folder / "MDB.bup", KeyboardModel::Psr9000), std::nullopt);
    EXPECT_EQ(ReadText(folder / "BACKUP.INI"), listed);
}

TEST(BackupIniTest, RewritesAnExistingFileAsTheKeyboardExpects)
{
    struct Case
    {
        const char* name;
        std::string before;
        KeyboardModel model;
        std::string after;
    };
    const Case cases[] = {
        {"section inserted before DATAEND, size grows by the file",
         Crlf({"[TITLE]", "[TOTAL USER DATA SIZE]", "1000KB", "[BACKUP STYLE]", "1 = STY.b01", "[DATAEND]"}),
         KeyboardModel::Psr9000,
         Crlf({"[TITLE]", "[TOTAL USER DATA SIZE]", "178436KB", "[BACKUP STYLE]", "1 = STY.b01",
               "[BACKUP MUSIC DB]", "TOTAL FILE NUM:0", "3 = MDB.bup", "[DATAEND]"})},
        {"inserted before the first of BACKUP REGIST and DATAEND, in any case",
         "[total user data size]\n5\n[Backup Regist]\nx\n[DATAEND]\n", KeyboardModel::Psr9000Pro,
         Crlf({"[total user data size]", "177441KB", "[BACKUP MUSIC DB]", "TOTAL FILE NUM:0",
               "3 = MDB_Pro.bup", "[Backup Regist]", "x", "[DATAEND]"})},
        {"the other model's file is switched, the size stays",
         Crlf({"[TOTAL USER DATA SIZE]", "177436KB", "[BACKUP MUSIC DB]", "TOTAL FILE NUM:0", "3 = MDB.bup",
               "[DATAEND]"}),
         KeyboardModel::Psr9000Pro,
         Crlf({"[TOTAL USER DATA SIZE]", "177436KB", "[BACKUP MUSIC DB]", "TOTAL FILE NUM:0",
               "3 = MDB_Pro.bup", "[DATAEND]"})},
        {"the size line is the line after its section, digits only from its start",
         Crlf({"[TOTAL USER DATA SIZE]", "[DATAEND]"}), KeyboardModel::Psr9000,
         Crlf({"[TOTAL USER DATA SIZE]", "177436KB"}) +
             Crlf({"[BACKUP MUSIC DB]", "TOTAL FILE NUM:0", "3 = MDB.bup"})},
        {"lines are read in pieces of 99 characters; a lone CR cuts its line",
         std::string(120, 'a') + "\r\nkeep\rlost\n[DATAEND]", KeyboardModel::Psr9000,
         std::string(99, 'a') + "\r\n" + std::string(21, 'a') + "\r\n" +
             Crlf({"keep", "[BACKUP MUSIC DB]", "TOTAL FILE NUM:0", "3 = MDB.bup", "[DATAEND]"})},
        {"without DATAEND the section goes at the end", Crlf({"[TITLE]"}), KeyboardModel::Psr9000,
         Crlf({"[TITLE]", "[BACKUP MUSIC DB]", "TOTAL FILE NUM:0", "3 = MDB.bup"})},
        {"an empty file gets the new lines", "", KeyboardModel::Psr9000Pro, kNewPro},
    };
    for (const Case& c : cases) {
        const std::optional<std::string> after = RewriteBackupIni(c.before, c.model);
        ASSERT_TRUE(after.has_value()) << c.name;
        EXPECT_EQ(*after, c.after) << c.name;
        // Every rewrite lists the file, so the next save leaves it alone.
        EXPECT_EQ(RewriteBackupIni(*after, c.model), std::nullopt) << c.name;
    }
}

TEST(BackupIniTest, UpdatesTheCaseVariantAndReportsFailures)
{
    TempFolder folder;
    WriteText(folder / "backup.ini", Crlf({"[TOTAL USER DATA SIZE]", "1KB", "[DATAEND]"}));
    ASSERT_EQ(UpdateBackupIni(folder / "MDB_Pro.bup", KeyboardModel::Psr9000Pro), std::nullopt);
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"backup.ini"});
    EXPECT_EQ(ReadText(folder / "backup.ini"),
              Crlf({"[TOTAL USER DATA SIZE]", "177437KB", "[BACKUP MUSIC DB]", "TOTAL FILE NUM:0",
                    "3 = MDB_Pro.bup", "[DATAEND]"}));

    const std::string before = ReadText(folder / "backup.ini");
    InjectSafeWriteFault(SafeWriteFault::Write);
    EXPECT_EQ(UpdateBackupIni(folder / "MDB.bup", KeyboardModel::Psr9000),
              std::optional<Msg>(Msg::ErrorUpdatingBackupIni));
    EXPECT_EQ(ReadText(folder / "backup.ini"), before);

    EXPECT_EQ(UpdateBackupIni(folder / "gone/MDB.bup", KeyboardModel::Psr9000),
              std::optional<Msg>(Msg::ErrorUpdatingBackupIni));
    TempFolder other;
    std::filesystem::create_directory(other / "BACKUP.INI"); // unreadable, and cannot be replaced
    EXPECT_EQ(UpdateBackupIni(other / "MDB.bup", KeyboardModel::Psr9000),
              std::optional<Msg>(Msg::ErrorUpdatingBackupIni));
}

TEST(BackupIniTest, TheFileLineCountsOnlyInsideTheMusicDbSection)
{
    // "3 = MDB.bup" under another section, or before the section: not listed yet.
    const std::string before = Crlf(
        {"[TOTAL USER DATA SIZE]", "100KB", "[BACKUP STYLE]", "3 = MDB.bup", "[BACKUP REGIST]", "[DATAEND]"});
    const std::optional<std::string> after = RewriteBackupIni(before, KeyboardModel::Psr9000);
    ASSERT_TRUE(after.has_value());
    EXPECT_EQ(*after,
              Crlf({"[TOTAL USER DATA SIZE]", "177536KB", "[BACKUP STYLE]", "3 = MDB.bup",
                    "[BACKUP MUSIC DB]", "TOTAL FILE NUM:0", "3 = MDB.bup", "[BACKUP REGIST]", "[DATAEND]"}));
    EXPECT_EQ(RewriteBackupIni(*after, KeyboardModel::Psr9000), std::nullopt);
}

TEST(BackupIniTest, AHugeFileIsLeftAloneWithItsOwnMessage)
{
    TempFolder folder;
    const std::string path = folder / "BACKUP.INI";
    // Just above 1 MB, of lines the rewrite would otherwise change.
    std::string huge = Crlf({"[TOTAL USER DATA SIZE]", "1KB", "[DATAEND]"});
    huge.resize(1024 * 1024 + 1, 'x');
    WriteText(path, huge);
    EXPECT_EQ(UpdateBackupIni(folder / "MDB.bup", KeyboardModel::Psr9000),
              std::optional<Msg>(Msg::BackupIniTooLarge));
    EXPECT_EQ(ReadText(path), huge);
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"BACKUP.INI"});

    huge.resize(1024 * 1024); // 1 MB exactly is still read
    WriteText(path, huge);
    EXPECT_EQ(UpdateBackupIni(folder / "MDB.bup", KeyboardModel::Psr9000), std::nullopt);
    EXPECT_NE(ReadText(path), huge);
}

TEST(BackupIniTest, NoRoomForTheCopyWritesInPlaceOnlyWhenAllowed)
{
    TempFolder folder;
    const std::string old = Crlf({"[TOTAL USER DATA SIZE]", "1KB", "[DATAEND]"});
    WriteText(folder / "BACKUP.INI", old);
    InjectSafeWriteFault(SafeWriteFault::NoSpace);
    EXPECT_EQ(UpdateBackupIni(folder / "MDB.bup", KeyboardModel::Psr9000),
              std::optional<Msg>(Msg::ErrorUpdatingBackupIni));
    EXPECT_EQ(ReadText(folder / "BACKUP.INI"), old);

    InjectSafeWriteFault(SafeWriteFault::NoSpace);
    EXPECT_EQ(UpdateBackupIni(folder / "MDB.bup", KeyboardModel::Psr9000, true), std::nullopt);
    EXPECT_EQ(ReadText(folder / "BACKUP.INI"), *RewriteBackupIni(old, KeyboardModel::Psr9000));
}

TEST(BackupIniTest, AnUnreadableFileCountsAsMissing)
{
    if (::geteuid() == 0)
        GTEST_SKIP() << "root reads any file";
    TempFolder folder;
    WriteText(folder / "BACKUP.INI", "[DATAEND]\r\n");
    std::filesystem::permissions(folder / "BACKUP.INI", std::filesystem::perms::owner_write);
    ASSERT_EQ(UpdateBackupIni(folder / "MDB.bup", KeyboardModel::Psr9000), std::nullopt);
    std::filesystem::permissions(folder / "BACKUP.INI", std::filesystem::perms::owner_read);
    EXPECT_EQ(ReadText(folder / "BACKUP.INI"), kNew9000);
}

} // namespace
} // namespace tessaro
