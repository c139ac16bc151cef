#include "browse/DirectoryListing.h"

#include <system_error>

namespace tessaro {

namespace fs = std::filesystem;

bool ListDirectory(const std::string& dir, const std::function<bool(const fs::directory_entry&)>& visit)
{
    if (dir.empty()) {
        return false;
    }
    std::error_code ec;
    fs::directory_iterator it(fs::path(dir), fs::directory_options::skip_permission_denied, ec);
    if (ec) {
        return false;
    }
    try {
        // An error part way leaves ec set and ends the loop; what was listed stays listed.
        for (; !ec && it != fs::directory_iterator(); it.increment(ec)) {
            if (!visit(*it)) {
                break;
            }
        }
    } catch (const std::exception&) {
        // Out of memory while copying names: end the listing like any read error.
    }
    return true;
}

bool IsFolderEntry(const fs::directory_entry& entry)
{
    std::error_code ec;
    return entry.is_directory(ec) && !ec;
}

bool IsFolderPath(const std::string& path)
{
    if (path.empty()) {
        return false;
    }
    std::error_code ec;
    return fs::is_directory(fs::path(path), ec) && !ec;
}

bool IsHiddenName(const std::string& name)
{
    return !name.empty() && name.front() == '.';
}

std::string JoinPath(const std::string& dir, const std::string& name)
{
    if (dir.empty()) {
        return name;
    }
    if (dir.back() == '/') {
        return dir + name;
    }
    return dir + '/' + name;
}

} // namespace tessaro
