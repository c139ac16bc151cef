// Arbitrary bytes as a floppy disk image: it loads or is refused with its
// message, every file and folder it lists can be read, and a disk that loads
// stays one that loads after Tessaro writes a file and a folder into it.
#include "image/FatVolume.h"
#include "image/ImageFiles.h"

#include <cstdlib>
#include <string>
#include <vector>

using namespace tessaro;

namespace {

void ReadEverything(const FatVolume& volume, const std::string& folder, int depth)
{
    std::vector<ImageEntry> entries;
    if (depth > 16 || volume.List(folder, entries))
        return;
    for (const ImageEntry& entry : entries) {
        const std::string path = (folder == "/" ? "/" : folder + "/") + entry.name;
        if (entry.folder) {
            ReadEverything(volume, path, depth + 1);
            continue;
        }
        std::vector<uint8_t> contents;
        // Load checked every chain, so a listed file must read, and whole.
        if (volume.ReadFile(path, contents) || contents.size() != entry.size)
            std::abort();
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    FatVolume volume;
    if (FatVolume::Load(std::vector<uint8_t>(data, data + size), volume))
        return 0;
    ReadEverything(volume, "/", 0);
    MdbFilesOnDisk(volume);

    const std::vector<uint8_t> contents(700, 0x5A);
    const std::vector<uint8_t> before = volume.Bytes();
    const bool folderMade = !volume.CreateFolders("/FUZZ.BUF");
    if (!folderMade && volume.Bytes() != before)
        std::abort(); // a refusal leaves the disk as it was
    const bool fileWritten = folderMade && !volume.WriteFile("/FUZZ.BUF/MDB.BUP", contents.data(), contents.size());
    FatVolume reloaded;
    if (FatVolume::Load(volume.Bytes(), reloaded))
        std::abort();
    std::vector<uint8_t> back;
    if (fileWritten && (reloaded.ReadFile("/fuzz.buf/mdb.bup", back) || back != contents))
        std::abort();
    return 0;
}
