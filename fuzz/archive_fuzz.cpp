// Arbitrary bytes as an MDB archive: refused with a message, or every whole
// record after the magic reaches the sink once.
#include "data/ArchiveFile.h"

#include <cstdlib>

using namespace tessaro;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    MemoryInput input(data, size);
    std::size_t seen = 0;
    const ArchiveReadResult result = ReadArchive(input, [&](const MdbEntry&) { return ++seen, true; });
    if (result.ok() && (result.count != seen || seen != (size - kArchiveMagicSize) / kRecordSize ||
                        result.ignoredBytes != (size - kArchiveMagicSize) % kRecordSize))
        std::abort();

    // A sink that refuses the second record stops the load there.
    MemoryInput again(data, size);
    std::size_t calls = 0;
    const ArchiveReadResult stopped = ReadArchive(again, [&](const MdbEntry&) { return ++calls < 2; });
    if (result.ok() && seen >= 2 && (stopped.error != Msg::ErrorLoadingDisplayBuffer || stopped.count != 1))
        std::abort();
    return 0;
}
