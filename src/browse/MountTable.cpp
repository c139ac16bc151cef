#include "browse/MountTable.h"

#include <algorithm>
#include <iterator>
#include <set>

namespace tessaro {

namespace {

bool IsOctal(char c)
{
    return c >= '0' && c <= '7';
}

int HexValue(char c)
{
    if (c >= '0' && c <= '9') {
        return c - '0';
    }
    if (c >= 'a' && c <= 'f') {
        return c - 'a' + 10;
    }
    if (c >= 'A' && c <= 'F') {
        return c - 'A' + 10;
    }
    return -1;
}

// The kernel writes space, tab, newline and backslash in a field as "\ooo".
std::string DecodeOctalEscapes(std::string_view field)
{
    std::string out;
    for (std::size_t i = 0; i < field.size(); ++i) {
        if (field[i] == '\\' && i + 3 < field.size() && IsOctal(field[i + 1]) && IsOctal(field[i + 2]) &&
            IsOctal(field[i + 3])) {
            int value = (field[i + 1] - '0') * 64 + (field[i + 2] - '0') * 8 + (field[i + 3] - '0');
            out += static_cast<char>(value & 0xFF);
            i += 3;
        } else {
            out += field[i];
        }
    }
    return out;
}

// GVfs writes values of its folder names URI-escaped ("%2Fexport").
std::string DecodePercentEscapes(std::string_view text)
{
    std::string out;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '%' && i + 2 < text.size() && HexValue(text[i + 1]) >= 0 &&
            HexValue(text[i + 2]) >= 0) {
            out += static_cast<char>(HexValue(text[i + 1]) * 16 + HexValue(text[i + 2]));
            i += 2;
        } else {
            out += text[i];
        }
    }
    return out;
}

std::vector<std::string_view> SplitFields(std::string_view line)
{
    std::vector<std::string_view> fields;
    std::size_t i = 0;
    while (i < line.size()) {
        while (i < line.size() && (line[i] == ' ' || line[i] == '\t')) {
            ++i;
        }
        std::size_t start = i;
        while (i < line.size() && line[i] != ' ' && line[i] != '\t') {
            ++i;
        }
        if (i > start) {
            fields.push_back(line.substr(start, i - start));
        }
    }
    return fields;
}

std::string_view LastComponent(std::string_view path)
{
    while (path.size() > 1 && path.back() == '/') {
        path.remove_suffix(1);
    }
    std::size_t slash = path.rfind('/');
    return slash == std::string_view::npos ? path : path.substr(slash + 1);
}

bool IsBelow(std::string_view path, std::string_view folder)
{
    return path == folder ||
           (path.size() > folder.size() && path.starts_with(folder) && path[folder.size()] == '/');
}

// A share named by its host and the path on it.
NetworkShare MakeShare(std::string host, std::string path)
{
    while (!path.empty() && path.front() == '/') {
        path.erase(0, 1);
    }
    while (!path.empty() && path.back() == '/') {
        path.pop_back();
    }
    std::size_t at = host.rfind('@'); // "user@host": the user is not part of the place
    if (at != std::string::npos) {
        host.erase(0, at + 1);
    }
    NetworkShare share;
    share.parsingName = "//" + host + (path.empty() ? "" : "/" + path);
    share.name = path.empty() ? host : std::string(LastComponent(path)) + " (" + host + ")";
    return share;
}

} // namespace

std::vector<MountEntry> ParseMounts(std::string_view text)
{
    std::vector<MountEntry> mounts;
    while (!text.empty()) {
        std::size_t end = text.find('\n');
        std::string_view line = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);

        std::vector<std::string_view> fields = SplitFields(line);
        if (fields.size() < 3) {
            continue;
        }
        mounts.push_back(
            {DecodeOctalEscapes(fields[0]), DecodeOctalEscapes(fields[1]), DecodeOctalEscapes(fields[2])});
    }
    return mounts;
}

bool IsNetworkFileSystem(std::string_view type)
{
    static constexpr std::string_view kTypes[] = {
        "cifs",      "smb3",           "smbfs",       "nfs",       "nfs4",  "sshfs", "fuse.sshfs",
        "davfs",     "fuse.davfs2",    "fuse.rclone", "fuse.s3fs", "ncpfs", "afs",   "ceph",
        "glusterfs", "fuse.glusterfs", "lustre"};
    return std::find(std::begin(kTypes), std::end(kTypes), type) != std::end(kTypes);
}

NetworkShare ShareOfMount(const MountEntry& mount)
{
    std::string source = mount.source;
    std::replace(source.begin(), source.end(), '\\', '/'); // "\\server\share" as some write it
    std::string_view s = source;
    NetworkShare share;

    if (std::size_t scheme = s.find("://"); scheme != std::string_view::npos) {
        // A URL, as davfs takes it: "https://host/path".
        std::string_view rest = s.substr(scheme + 3);
        std::size_t slash = rest.find('/');
        share = MakeShare(std::string(rest.substr(0, slash)),
                          slash == std::string_view::npos ? "" : std::string(rest.substr(slash)));
    } else if (s.starts_with("//")) {
        std::string_view rest = s.substr(2);
        std::size_t slash = rest.find('/');
        share = MakeShare(std::string(rest.substr(0, slash)),
                          slash == std::string_view::npos ? "" : std::string(rest.substr(slash)));
    } else {
        // "host:/export" (NFS), "user@host:path" (sshfs), "[::1]:/export", "remote:path" (rclone).
        std::size_t colon = std::string_view::npos;
        if (s.starts_with('[')) {
            std::size_t close = s.find(']');
            if (close != std::string_view::npos && close + 1 < s.size() && s[close + 1] == ':') {
                colon = close + 1;
            }
        } else {
            colon = s.find(':');
        }
        if (colon != std::string_view::npos && colon > 0) {
            share = MakeShare(std::string(s.substr(0, colon)), std::string(s.substr(colon + 1)));
        } else {
            share = MakeShare(source.empty() ? std::string(LastComponent(mount.mountPoint)) : source, "");
        }
    }
    share.mountPoint = mount.mountPoint;
    return share;
}

std::optional<NetworkShare> ShareOfGvfsFolder(std::string_view folderName)
{
    static constexpr std::string_view kNetworkSchemes[] = {
        "smb-share", "smb-server", "sftp",       "ftp",        "ftps",         "dav",      "davs", "dav+sd",
        "davs+sd",   "nfs",        "afp-volume", "afp-server", "google-drive", "onedrive", "ssh"};
    std::size_t colon = folderName.find(':');
    if (colon == std::string_view::npos) {
        return std::nullopt;
    }
    std::string_view scheme = folderName.substr(0, colon);
    if (std::find(std::begin(kNetworkSchemes), std::end(kNetworkSchemes), scheme) ==
        std::end(kNetworkSchemes)) {
        return std::nullopt;
    }
    std::string host;
    std::string path;
    std::string_view rest = folderName.substr(colon + 1);
    while (!rest.empty()) {
        std::size_t comma = rest.find(',');
        std::string_view pair = rest.substr(0, comma);
        rest.remove_prefix(comma == std::string_view::npos ? rest.size() : comma + 1);
        std::size_t equals = pair.find('=');
        if (equals == std::string_view::npos) {
            continue;
        }
        std::string_view key = pair.substr(0, equals);
        std::string value = DecodePercentEscapes(pair.substr(equals + 1));
        if (key == "server" || key == "host") {
            host = value;
        } else if (key == "share" || key == "volume" || key == "prefix") {
            path = value;
        }
    }
    if (host.empty()) {
        return std::nullopt;
    }
    return MakeShare(host, path);
}

MountLayout ClassifyMounts(const std::vector<MountEntry>& mounts)
{
    MountLayout layout;
    std::set<std::string> seen;
    // From the end, so that the last mount on a mount point is the one that counts.
    for (auto it = mounts.rbegin(); it != mounts.rend(); ++it) {
        const MountEntry& mount = *it;
        if (!seen.insert(mount.mountPoint).second) {
            continue;
        }
        if (IsNetworkFileSystem(mount.type)) {
            layout.shares.push_back(ShareOfMount(mount));
            continue;
        }
        const bool removable = IsBelow(mount.mountPoint, "/media") || IsBelow(mount.mountPoint, "/run/media");
        if (!removable && !IsBelow(mount.mountPoint, "/mnt")) {
            continue;
        }
        if (mount.mountPoint == "/media" || mount.mountPoint == "/run/media") {
            continue; // the folder that holds the volumes, not one of them
        }
        Volume volume;
        volume.name = LastComponent(mount.mountPoint);
        volume.mountPoint = mount.mountPoint;
        if (mount.source.starts_with("/dev/fd")) {
            volume.icon = "media-floppy";
        } else if (mount.type == "iso9660" || mount.type == "udf") {
            volume.icon = "media-optical";
        } else {
            volume.icon = removable ? "drive-removable-media" : "drive-harddisk";
        }
        layout.volumes.push_back(std::move(volume));
    }
    std::reverse(layout.volumes.begin(), layout.volumes.end());
    std::reverse(layout.shares.begin(), layout.shares.end());
    return layout;
}

} // namespace tessaro
