#pragma once
// The one path form for a file inside a disk image: IMAGE::/FOLDER/FILE, for
// example "disk1.img::/PARTY.BUF/MDB.BUP". A path is an image path when the part
// before its first "::" is an existing regular file.

#include <optional>
#include <string>
#include <string_view>

namespace tessaro {

constexpr std::string_view kImagePathMark = "::";

struct ImagePath
{
    std::string image; // the image file on disk
    std::string inner; // the path inside it, beginning with '/'
};

std::optional<ImagePath> SplitImagePath(const std::string& path);

// "disk1.img" and "/PARTY.BUF" -> "disk1.img::/PARTY.BUF".
std::string JoinImagePath(const std::string& image, std::string_view inner);

// Whether a file's name marks it as a floppy image (.img or .ima, any case).
bool HasImageExtension(std::string_view name);

} // namespace tessaro
