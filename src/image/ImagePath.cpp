#include "image/ImagePath.h"

#include "data/AsciiCase.h"

#include <sys/stat.h>

namespace tessaro {

std::optional<ImagePath> SplitImagePath(const std::string& path)
{
    const std::size_t mark = path.find(kImagePathMark);
    if (mark == std::string::npos || mark == 0)
        return std::nullopt;
    ImagePath split{path.substr(0, mark), path.substr(mark + kImagePathMark.size())};
    struct stat info = {};
    if (::stat(split.image.c_str(), &info) != 0 || !S_ISREG(info.st_mode))
        return std::nullopt;
    if (split.inner.empty() || split.inner.front() != '/')
        split.inner.insert(split.inner.begin(), '/');
    return split;
}

std::string JoinImagePath(const std::string& image, std::string_view inner)
{
    std::string path = image + std::string(kImagePathMark);
    if (inner.empty() || inner.front() != '/')
        path += '/';
    return path.append(inner);
}

bool HasImageExtension(std::string_view name)
{
    if (name.size() < 4)
        return false;
    const std::string_view extension = name.substr(name.size() - 4);
    return EqualsNoCase(extension, ".img") || EqualsNoCase(extension, ".ima");
}

} // namespace tessaro
