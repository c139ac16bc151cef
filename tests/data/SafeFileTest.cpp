#include "data/SafeFile.h"
#include "support/DataTestSupport.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

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

} // namespace
} // namespace tessaro
