#include "browse/MountTable.h"

#include <random>

#include <gtest/gtest.h>

namespace tessaro {
namespace {

// As /proc/self/mounts shows it on a desktop with a stick, a floppy, a DVD, a disk
// under /mnt, shares of every kind, and a stick mounted over by a second one.
constexpr const char* kMounts =
    "sysfs /sys sysfs rw,nosuid,nodev,noexec,relatime 0 0\n"
    "proc /proc proc rw,nosuid,nodev,noexec,relatime 0 0\n"
    "/dev/nvme0n1p2 / ext4 rw,relatime,errors=remount-ro 0 0\n"
    "tmpfs /run tmpfs rw,nosuid,nodev,size=1620972k,mode=755 0 0\n"
    "/dev/sdb1 /media/anna/MY\\040STICK vfat rw,nosuid,nodev,relatime,uid=1000 0 0\n"
    "/dev/fd0 /media/anna/floppy vfat rw,nosuid,nodev 0 0\n"
    "/dev/sr0 /run/media/anna/DVD_VIDEO udf ro,nosuid,nodev 0 0\n"
    "/dev/sdc1 /mnt/data ext4 rw,relatime 0 0\n"
    "//nas/music /mnt/music cifs rw,vers=3.1.1,username=anna 0 0\n"
    "nas.local:/export/backups /srv/backups nfs4 rw,relatime,vers=4.2 0 0\n"
    "anna@host.example:/home/anna /home/anna/remote fuse.sshfs rw,nosuid,nodev 0 0\n"
    "[fe80::1]:/vol /mnt/v6 nfs rw 0 0\n"
    "gvfsd-fuse /run/user/1000/gvfs fuse.gvfsd-fuse rw,nosuid,nodev 0 0\n"
    "/dev/sdd1 /media/anna/CARD vfat rw 0 0\n"
    "/dev/sde1 /media/anna/CARD exfat rw 0 0\n"
    "broken-line\n"
    "\n";

TEST(MountTable, ParsesFieldsAndDecodesEscapes)
{
    std::vector<MountEntry> mounts = ParseMounts(kMounts);
    ASSERT_EQ(mounts.size(), 15u); // the short line and the empty one are skipped
    EXPECT_EQ(mounts[4].source, "/dev/sdb1");
    EXPECT_EQ(mounts[4].mountPoint, "/media/anna/MY STICK");
    EXPECT_EQ(mounts[4].type, "vfat");
    EXPECT_EQ(ParseMounts("a /x\\134y\\011z t 0 0")[0].mountPoint, "/x\\y\tz");
    // An escape cut off at the end of the field stays as it is.
    EXPECT_EQ(ParseMounts("a /x\\04 t")[0].mountPoint, "/x\\04");
    EXPECT_TRUE(ParseMounts("").empty());
}

TEST(MountTable, VolumesAreLocalMountsUnderMediaAndMnt)
{
    MountLayout layout = ClassifyMounts(ParseMounts(kMounts));
    ASSERT_EQ(layout.volumes.size(), 5u);
    EXPECT_EQ(layout.volumes[0].name, "MY STICK");
    EXPECT_EQ(layout.volumes[0].icon, "drive-removable-media");
    EXPECT_EQ(layout.volumes[1].mountPoint, "/media/anna/floppy");
    EXPECT_EQ(layout.volumes[1].icon, "media-floppy");
    EXPECT_EQ(layout.volumes[2].name, "DVD_VIDEO");
    EXPECT_EQ(layout.volumes[2].icon, "media-optical");
    EXPECT_EQ(layout.volumes[3].mountPoint, "/mnt/data");
    EXPECT_EQ(layout.volumes[3].icon, "drive-harddisk");
    // Mounted over: one volume, the later mount.
    EXPECT_EQ(layout.volumes[4].mountPoint, "/media/anna/CARD");
    EXPECT_EQ(layout.volumes[4].icon, "drive-removable-media");
}

TEST(MountTable, EveryNetworkMountIsAShareWithSlashSlashName)
{
    MountLayout layout = ClassifyMounts(ParseMounts(kMounts));
    ASSERT_EQ(layout.shares.size(), 4u);
    EXPECT_EQ(layout.shares[0].parsingName, "//nas/music");
    EXPECT_EQ(layout.shares[0].name, "music (nas)");
    EXPECT_EQ(layout.shares[0].mountPoint, "/mnt/music");
    EXPECT_EQ(layout.shares[1].parsingName, "//nas.local/export/backups");
    EXPECT_EQ(layout.shares[1].name, "backups (nas.local)");
    EXPECT_EQ(layout.shares[2].parsingName, "//host.example/home/anna");
    EXPECT_EQ(layout.shares[2].mountPoint, "/home/anna/remote");
    EXPECT_EQ(layout.shares[3].parsingName, "//[fe80::1]/vol");
}

TEST(MountTable, SharesOfUnusualSources)
{
    EXPECT_EQ(ShareOfMount({"\\\\server\\share", "/mnt/s", "cifs"}).parsingName, "//server/share");
    EXPECT_EQ(ShareOfMount({"https://dav.example/remote.php/", "/mnt/d", "davfs"}).parsingName,
              "//dav.example/remote.php");
    EXPECT_EQ(ShareOfMount({"host:", "/mnt/h", "fuse.sshfs"}).parsingName, "//host");
    EXPECT_EQ(ShareOfMount({"host:", "/mnt/h", "fuse.sshfs"}).name, "host");
    EXPECT_EQ(ShareOfMount({"sshfs", "/mnt/odd", "fuse.sshfs"}).parsingName, "//sshfs");
    EXPECT_EQ(ShareOfMount({"", "/mnt/odd", "fuse.sshfs"}).parsingName, "//odd");
    EXPECT_TRUE(IsNetworkFileSystem("smb3"));
    EXPECT_TRUE(IsNetworkFileSystem("nfs"));
    EXPECT_FALSE(IsNetworkFileSystem("fuse.gvfsd-fuse"));
    EXPECT_FALSE(IsNetworkFileSystem("vfat"));
}

TEST(MountTable, GvfsFoldersOfNetworkLocations)
{
    std::optional<NetworkShare> smb = ShareOfGvfsFolder("smb-share:server=nas,share=music,user=anna");
    ASSERT_TRUE(smb);
    EXPECT_EQ(smb->parsingName, "//nas/music");
    EXPECT_EQ(smb->name, "music (nas)");

    std::optional<NetworkShare> dav =
        ShareOfGvfsFolder("davs:host=cloud.example,ssl=true,prefix=%2Fremote%2Fdav");
    ASSERT_TRUE(dav);
    EXPECT_EQ(dav->parsingName, "//cloud.example/remote/dav");

    std::optional<NetworkShare> sftp = ShareOfGvfsFolder("sftp:host=box,user=anna");
    ASSERT_TRUE(sftp);
    EXPECT_EQ(sftp->parsingName, "//box");

    EXPECT_FALSE(ShareOfGvfsFolder("mtp:host=SAMSUNG_Phone"));
    EXPECT_FALSE(ShareOfGvfsFolder("smb-share:share=nohost"));
    EXPECT_FALSE(ShareOfGvfsFolder("plainfolder"));
}

TEST(MountTable, AnyBytesParseWithoutHarm)
{
    std::mt19937 random(20240);
    std::string alphabet = "ab:/\\[]@%,= \t\n0127\xff";
    alphabet += '\0';
    for (int round = 0; round < 3000; ++round) {
        std::string text;
        std::size_t length = random() % 40;
        for (std::size_t i = 0; i < length; ++i) {
            text += alphabet[random() % alphabet.size()];
        }
        for (const MountEntry& mount : ParseMounts(text)) {
            EXPECT_TRUE(ShareOfMount(mount).parsingName.starts_with("//"));
        }
        MountEntry raw{text, text, "cifs"};
        EXPECT_TRUE(ShareOfMount(raw).parsingName.starts_with("//"));
        if (std::optional<NetworkShare> share = ShareOfGvfsFolder("smb-share:" + text)) {
            EXPECT_TRUE(share->parsingName.starts_with("//"));
        }
    }
}

} // namespace
} // namespace tessaro
