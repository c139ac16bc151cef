#include "data/FolderPath.h"
#include "support/DataTestSupport.h"

#include <gtest/gtest.h>

namespace tessaro {
namespace {

using namespace tessaro::testing;
namespace fs = std::filesystem;

TEST(FolderPathTest, CreatesEveryMissingLevel)
{
    TempFolder folder;
    EXPECT_TRUE(CreateFolderPath(folder / "Set.buf/Disk.B02"));
    EXPECT_TRUE(fs::is_directory(folder / "Set.buf/Disk.B02"));
    EXPECT_TRUE(CreateFolderPath(folder / "Set.buf//Disk.B02/")); // existing levels are used as they are

    // Relative paths start in the current folder.
    const fs::path previous = fs::current_path();
    fs::current_path(folder.path());
    const bool relative = CreateFolderPath("rel/inner");
    fs::current_path(previous);
    EXPECT_TRUE(relative);
    EXPECT_TRUE(fs::is_directory(folder / "rel/inner"));

    WriteText(folder / "file", "");
    EXPECT_FALSE(CreateFolderPath(folder / "file/below"));
    EXPECT_FALSE(CreateFolderPath(folder / ("made/" + std::string(300, 'n')))); // name too long
    EXPECT_TRUE(fs::is_directory(folder / "made")); // created before the failure, kept
    EXPECT_FALSE(CreateFolderPath(""));
}

TEST(FolderPathTest, ResolveCaseVariantPrefersAnExistingName)
{
    TempFolder folder;
    EXPECT_EQ(ResolveCaseVariant(folder.path().string(), "BACKUP.INI"), folder / "BACKUP.INI");
    WriteText(folder / "backup.ini", "");
    WriteText(folder / "Backup.Ini", "");
    EXPECT_EQ(ResolveCaseVariant(folder.path().string(), "BACKUP.INI"),
              folder / "Backup.Ini"); // the smallest
    WriteText(folder / "BACKUP.INI", "");
    EXPECT_EQ(ResolveCaseVariant(folder.path().string(), "BACKUP.INI"), folder / "BACKUP.INI");
    EXPECT_EQ(ResolveCaseVariant(folder.path().string(), "mdb.bup"), folder / "mdb.bup");
    EXPECT_EQ(ResolveCaseVariant("", "zz-not-here"), "zz-not-here");
}

} // namespace
} // namespace tessaro
