#include "data/NestedFiles.h"

#include <filesystem>

namespace tessaro {

namespace {
NestedFileStore* g_store = nullptr;
}

void InstallNestedFileStore(NestedFileStore* store)
{
    g_store = store;
}

NestedFileStore* NestedFiles()
{
    return g_store;
}

NestedFileStore* NestedStoreFor(const std::string& path)
{
    return g_store && g_store->Holds(path) ? g_store : nullptr;
}

bool FileOrFolderExists(const std::string& path)
{
    if (NestedFileStore* store = NestedStoreFor(path))
        return store->Exists(path);
    std::error_code ec;
    return std::filesystem::exists(path, ec);
}

} // namespace tessaro
