#include "app/FileKinds.h"

#include "data/ArchiveFile.h"
#include "data/InputFile.h"

#include <cstdint>
#include <cstring>

namespace tessaro {

PaneId PaneForFile(const std::string& path)
{
    FileInput input;
    uint8_t magic[kArchiveMagicSize];
    if (input.Open(path) && input.Read(magic, kArchiveMagicSize) == kArchiveMagicSize &&
        std::memcmp(magic, kArchiveMagic, kArchiveMagicSize) == 0)
        return PaneId::Archive;
    return PaneId::Mdb;
}

} // namespace tessaro
