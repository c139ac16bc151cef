#pragma once
// What the mount table says about volumes and network shares, as pure functions
// of its text, so that they can be checked without the machine's mounts.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace tessaro {

struct MountEntry
{
    std::string source; // device or remote, e.g. "/dev/sdb1", "//nas/music", "nas:/export"
    std::string mountPoint;
    std::string type;
};

// A mounted removable or external volume (USB stick, floppy, card reader).
struct Volume
{
    std::string name; // last component of the mount point
    std::string mountPoint;
    std::string icon; // theme icon name
};

// A mounted network file system.
struct NetworkShare
{
    std::string name;        // "music (nas)"
    std::string parsingName; // "//nas/music"
    std::string mountPoint;  // where its files are
};

struct MountLayout
{
    std::vector<Volume> volumes; // in the order of the table
    std::vector<NetworkShare> shares;
};

// The lines of /proc/self/mounts (or /proc/mounts); the octal escapes of the
// kernel ("\040" for a space) are decoded. Lines that are too short are skipped.
std::vector<MountEntry> ParseMounts(std::string_view text);

bool IsNetworkFileSystem(std::string_view type);

// The share a network mount stands for. Its parsing name always begins with "//":
// a source that names no host ("sshfs") stands as it is after the "//".
NetworkShare ShareOfMount(const MountEntry& mount);

// A folder of the GVfs FUSE mount ("smb-share:server=nas,share=music") as a
// share; std::nullopt for a name that is not a network location (phones, cameras).
std::optional<NetworkShare> ShareOfGvfsFolder(std::string_view folderName);

// Volumes are the mounts below /media, /run/media and /mnt that are not network
// file systems; every network mount is a share. A mount point mounted over
// again counts once, as its last mount.
MountLayout ClassifyMounts(const std::vector<MountEntry>& mounts);

} // namespace tessaro
