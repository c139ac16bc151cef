#include "app/FileKind.h"

#include "data/ArchiveFile.h"

#include <cstring>
#include <fstream>

namespace tessaro {

PaneId PaneForFile(const std::string& path)
{
    char head[kArchiveMagicSize] = {};
    std::ifstream file(path, std::ios::binary);
    // A file that cannot be read goes to the MDB pane, whose reader says why.
    if (!file.read(head, sizeof head))
        return PaneId::Mdb;
    return std::memcmp(head, kArchiveMagic, kArchiveMagicSize) == 0 ? PaneId::Archive : PaneId::Mdb;
}

} // namespace tessaro
