#include "data/SafeFile.h"
#include "support/DataTestSupport.h"

#include <fcntl.h>
#include <grp.h>
#include <gtest/gtest.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace tessaro {
namespace {

using namespace tessaro::testing;
namespace fs = std::filesystem;

TEST(SafeFileTest, ReplacesTheTargetKeepingItsPermissionsAndLinks)
{
    TempFolder folder;
    WriteText(folder / "a.txt", "old contents, longer than the new");
    fs::permissions(folder / "a.txt", fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);
    ASSERT_TRUE(WriteFileSafely(folder / "a.txt", "new", 3));
    EXPECT_EQ(ReadText(folder / "a.txt"), "new");
    EXPECT_EQ(fs::status(folder / "a.txt").permissions() & fs::perms::mask,
              fs::perms::owner_read | fs::perms::owner_write | fs::perms::group_read);

    fs::create_symlink(folder / "a.txt", folder / "link");
    ASSERT_TRUE(WriteFileSafely(folder / "link", "via link", 8));
    EXPECT_TRUE(fs::is_symlink(folder / "link"));
    EXPECT_EQ(ReadText(folder / "a.txt"), "via link");

    if (::geteuid() != 0) { // root may write any file
        fs::permissions(folder / "a.txt", fs::perms::owner_read);
        EXPECT_FALSE(WriteFileSafely(folder / "a.txt", "no", 2));
        EXPECT_EQ(ReadText(folder / "a.txt"), "via link");
    }

    // A new file gets the usual permissions, not those of a private temporary file.
    const mode_t mask = ::umask(0);
    ::umask(mask);
    ASSERT_TRUE(WriteFileSafely(folder / "fresh", "", 0));
    EXPECT_EQ(unsigned(fs::status(folder / "fresh").permissions() & fs::perms::mask),
              0666u & ~unsigned(mask));
}

// Room reserved up front is room only: a file written shorter than reserved
// (or in place) ends where its bytes end, with no zeros behind them.
TEST(SafeFileTest, ReservedRoomNeverLengthensTheFile)
{
    TempFolder folder;
    {
        SafeFileWriter writer(folder / "a.mdx");
        writer.Reserve(uint64_t(1) << 20);
        ASSERT_FALSE(writer.Failed());
        ASSERT_TRUE(writer.Write("short", 5));
        ASSERT_TRUE(writer.Commit());
    }
    EXPECT_EQ(ReadText(folder / "a.mdx"), "short");
    {
        SafeFileWriter writer(folder / "a.mdx", WriteMode::InPlace);
        writer.Reserve(uint64_t(1) << 20);
        ASSERT_TRUE(writer.Write("in", 2));
        ASSERT_TRUE(writer.Commit());
    }
    EXPECT_EQ(ReadText(folder / "a.mdx"), "in");
}

TEST(SafeFileTest, EveryFailureLeavesTheTargetAndNoTemporaryFile)
{
    TempFolder folder;
    WriteText(folder / "t", "keep me");
    for (SafeWriteFault fault :
         {SafeWriteFault::Create, SafeWriteFault::Write, SafeWriteFault::Sync, SafeWriteFault::Rename}) {
        InjectSafeWriteFault(fault);
        SafeFileWriter writer(folder / "t");
        writer.Write("xxxxxxxxxxxx", 12);
        writer.Write("yy", 2); // further writes after a failure change nothing
        EXPECT_FALSE(writer.Commit());
        EXPECT_TRUE(writer.Failed());
        EXPECT_EQ(ReadText(folder / "t"), "keep me");
        EXPECT_EQ(folder.Names(), std::vector<std::string>{"t"});
    }
    // The injected fault fires once; an abandoned writer discards its work.
    {
        SafeFileWriter abandoned(folder / "t");
        abandoned.Write("zz", 2);
    }
    EXPECT_EQ(folder.Names(), std::vector<std::string>{"t"});
    ASSERT_TRUE(WriteFileSafely(folder / "t", "done", 4));
    EXPECT_EQ(ReadText(folder / "t"), "done");
}

TEST(SafeFileTest, ALinkToAFileNotYetThereCreatesThatFile)
{
    TempFolder folder;
    fs::create_directory(folder / "sets");
    fs::create_symlink("sets/MDB.bup", folder / "link");   // relative, dangling
    fs::create_symlink(folder / "link", folder / "chain"); // a link to that link
    ASSERT_TRUE(WriteFileSafely(folder / "chain", "first", 5));
    EXPECT_TRUE(fs::is_symlink(folder / "chain"));
    EXPECT_TRUE(fs::is_symlink(folder / "link"));
    EXPECT_EQ(ReadText(folder / "sets/MDB.bup"), "first");
    EXPECT_EQ(ReadText(folder / "chain"), "first");

    // A link into a folder that does not exist fails, as opening it would.
    fs::create_symlink("nowhere/x", folder / "broken");
    EXPECT_FALSE(WriteFileSafely(folder / "broken", "x", 1));
    EXPECT_TRUE(fs::is_symlink(folder / "broken"));
    // A loop is refused and stays a loop.
    fs::create_symlink("loop2", folder / "loop1");
    fs::create_symlink("loop1", folder / "loop2");
    EXPECT_FALSE(WriteFileSafely(folder / "loop1", "x", 1));
    EXPECT_TRUE(fs::is_symlink(folder / "loop1"));
}

TEST(SafeFileTest, NamesOfAnyLengthCanBeSaved)
{
    TempFolder folder;
    for (std::size_t length : {std::size_t(1), std::size_t(242), std::size_t(243), std::size_t(255)}) {
        const std::string name(length, 'n');
        WriteText(folder / name, "old");
        ASSERT_TRUE(WriteFileSafely(folder / name, "new", 3)) << length;
        EXPECT_EQ(ReadText(folder / name), "new") << length;
        fs::remove(folder / name);
    }
    EXPECT_TRUE(folder.Names().empty());
}

TEST(SafeFileTest, ASaveRemovesLeftoversOfKilledSavesOnly)
{
    TempFolder folder;
    // What a save killed half-way leaves: its temporary name, no lock on it.
    WriteText(folder / ".tessaro-4242-7.tmp", "half");
    // Not ours: similar names, and a folder of our pattern.
    for (const char* foreign : {".tessaro-4242-7.tmp~", ".tessaro-x-1.tmp", "a.tmp", ".MDB.bup.tmp-1-1"})
        WriteText(folder / foreign, "keep");
    fs::create_directory(folder / ".tessaro-1-1.tmp");
    // A save that is running right now holds its temporary file locked.
    WriteText(folder / ".tessaro-4243-1.tmp", "running");
    const int running = ::open((folder / ".tessaro-4243-1.tmp").c_str(), O_RDONLY);
    ASSERT_GE(running, 0);
    ASSERT_EQ(::flock(running, LOCK_EX), 0);

    ASSERT_TRUE(WriteFileSafely(folder / "MDB.bup", "mdb", 3));
    std::vector<std::string> names = folder.Names();
    std::sort(names.begin(), names.end());
    EXPECT_EQ(names,
              (std::vector<std::string>{".MDB.bup.tmp-1-1", ".tessaro-1-1.tmp", ".tessaro-4242-7.tmp~",
                                        ".tessaro-4243-1.tmp", ".tessaro-x-1.tmp", "MDB.bup", "a.tmp"}));
    ::close(running);

    // Two writers at once in one folder: neither takes the other's file for a leftover.
    SafeFileWriter a(folder / "a");
    SafeFileWriter b(folder / "b");
    ASSERT_TRUE(a.Write("A", 1));
    ASSERT_TRUE(b.Write("B", 1));
    EXPECT_TRUE(a.Commit());
    EXPECT_TRUE(b.Commit());
    EXPECT_EQ(ReadText(folder / "a"), "A");
    EXPECT_EQ(ReadText(folder / "b"), "B");
    EXPECT_FALSE(fs::exists(folder / ".tessaro-4243-1.tmp")); // no longer locked: a leftover now

    EXPECT_TRUE(IsSafeSaveTempName(".tessaro-1-22.tmp"));
    EXPECT_FALSE(IsSafeSaveTempName(".tessaro--22.tmp"));
    EXPECT_FALSE(IsSafeSaveTempName(".tessaro-1-.tmp"));
    EXPECT_FALSE(IsSafeSaveTempName(".tessaro-1-2-3.tmp"));
}

TEST(SafeFileTest, KeepsOwnerAndGroupWherePermitted)
{
    TempFolder folder;
    const std::string path = folder / "owned";
    WriteText(path, "old");
    // Root can give the file to anyone; a user only to a group of their own.
    uid_t owner = ::geteuid();
    gid_t group = ::getegid();
    if (::geteuid() == 0) {
        owner = 4321;
        group = 4322;
    } else {
        gid_t groups[64];
        const int count = ::getgroups(64, groups);
        for (int i = 0; i < count; ++i) {
            if (groups[i] != ::getegid())
                group = groups[i];
        }
        if (group == ::getegid())
            GTEST_SKIP() << "the user belongs to one group only";
    }
    ASSERT_EQ(::chown(path.c_str(), owner, group), 0);
    ASSERT_EQ(::chmod(path.c_str(), 0640), 0);
    ASSERT_TRUE(WriteFileSafely(path, "new", 3));
    struct stat info = {};
    ASSERT_EQ(::stat(path.c_str(), &info), 0);
    EXPECT_EQ(info.st_uid, owner);
    EXPECT_EQ(info.st_gid, group);
    EXPECT_EQ(info.st_mode & 07777, 0640u);
    EXPECT_EQ(ReadText(path), "new");
}

TEST(SafeFileTest, NoRoomForTheCopyIsToldApartAndInPlaceWritesOverTheFile)
{
    TempFolder folder;
    const std::string path = folder / "MDB.bup";
    WriteText(path, "the old contents");
    fs::create_symlink("MDB.bup", folder / "link");

    // The temporary copy does not fit: the old file stays, and the caller learns why.
    InjectSafeWriteFault(SafeWriteFault::NoSpace);
    EXPECT_EQ(WriteWholeFile(folder / "link", "new", 3), SaveFailure::NoSpace);
    EXPECT_EQ(ReadText(path), "the old contents");
    EXPECT_EQ(folder.Names().size(), 2u);
    // Other failures are no question of space.
    InjectSafeWriteFault(SafeWriteFault::Write);
    EXPECT_EQ(WriteWholeFile(path, "new", 3), SaveFailure::Other);
    // Without an old file there is nothing to write over.
    InjectSafeWriteFault(SafeWriteFault::NoSpace);
    EXPECT_EQ(WriteWholeFile(folder / "fresh", "new", 3), SaveFailure::Other);
    EXPECT_FALSE(fs::exists(folder / "fresh"));

    // In place: the same file (link, inode and all), shorter than before.
    struct stat before = {};
    ASSERT_EQ(::stat(path.c_str(), &before), 0);
    InjectSafeWriteFault(SafeWriteFault::NoSpace); // concerns the temporary copy only
    EXPECT_EQ(WriteWholeFile(folder / "link", "new", 3, WriteMode::InPlace), SaveFailure::None);
    InjectSafeWriteFault(SafeWriteFault::None);
    EXPECT_EQ(ReadText(path), "new");
    EXPECT_TRUE(fs::is_symlink(folder / "link"));
    struct stat after = {};
    ASSERT_EQ(::stat(path.c_str(), &after), 0);
    EXPECT_EQ(after.st_ino, before.st_ino);
    EXPECT_EQ(WriteWholeFile(path, "longer than before", 18, WriteMode::InPlace), SaveFailure::None);
    EXPECT_EQ(ReadText(path), "longer than before");
    InjectSafeWriteFault(SafeWriteFault::Write);
    EXPECT_EQ(WriteWholeFile(path, "xxxx", 4, WriteMode::InPlace), SaveFailure::Other);
    EXPECT_EQ(folder.Names().size(), 2u);
}

} // namespace
} // namespace tessaro
