#include "data/FolderPath.h"

#include "data/AsciiCase.h"
#include "data/NestedFiles.h"

#include <filesystem>

namespace tessaro {

namespace fs = std::filesystem;

bool CreateFolderPath(const std::string& path)
{
    if (path.empty())
        return false;
    if (NestedFileStore* store = NestedStoreFor(path))
        return store->CreateFolders(path);
    std::string level;
    std::size_t start = 0;
    if (path[0] == '/') {
        level = "/";
        start = 1;
    }
    while (start <= path.size()) {
        std::size_t end = path.find('/', start);
        if (end == std::string::npos)
            end = path.size();
        if (end > start) { // "a//b" and a trailing '/' hold empty levels
            if (!level.empty() && level.back() != '/')
                level += '/';
            level.append(path, start, end - start);
            std::error_code ec;
            if (!fs::is_directory(level, ec)) {
                fs::create_directory(level, ec);
                if (!fs::is_directory(level, ec))
                    return false;
            }
        }
        start = end + 1;
    }
    return true;
}

std::string ResolveCaseVariant(const std::string& folder, const std::string& name)
{
    if (NestedStoreFor(folder))
        return folder + (folder.ends_with('/') ? "" : "/") + name; // names inside an image are matched without case anyway
    const fs::path base = folder.empty() ? fs::path(".") : fs::path(folder);
    std::string variant;
    std::error_code ec;
    if (!fs::exists(base / name, ec)) {
        for (fs::directory_iterator it(base, ec), end; !ec && it != end; it.increment(ec)) {
            const std::string candidate = it->path().filename().string();
            // The smallest matching name, so the choice does not depend on the folder's order.
            if (EqualsNoCase(candidate, name) && (variant.empty() || candidate < variant))
                variant = candidate;
        }
    }
    const std::string chosen = variant.empty() ? name : variant;
    return folder.empty() ? chosen : (fs::path(folder) / chosen).string();
}

} // namespace tessaro
