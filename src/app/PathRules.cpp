#include "app/PathRules.h"

#include "data/AsciiCase.h"
#include "data/NestedFiles.h"

#include <filesystem>
#include <string_view>

namespace tessaro {

namespace {

bool EndsWithNoCase(std::string_view text, std::string_view ending)
{
    return text.size() >= ending.size() && EqualsNoCase(text.substr(text.size() - ending.size()), ending);
}

} // namespace

std::string MdbFileNameFor(KeyboardModel model)
{
    return model == KeyboardModel::Psr9000Pro ? "MDB_Pro.bup" : "MDB.bup";
}

std::string WithoutMdbFileName(const std::string& path)
{
    for (std::string_view ending : {"/MDB.bup", "/MDB_Pro.bup"}) {
        if (EndsWithNoCase(path, ending))
            return path.substr(0, path.size() - ending.size());
    }
    return path;
}

std::string FolderOf(const std::string& path)
{
    const std::size_t slash = path.rfind('/');
    if (slash == std::string::npos)
        return path;
    return slash == 0 ? std::string("/") : path.substr(0, slash);
}

bool PathExists(const std::string& path)
{
    return FileOrFolderExists(path); // also inside a disk image
}

} // namespace tessaro
