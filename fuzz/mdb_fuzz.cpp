// Arbitrary bytes as an MDB backup file: refused with a message or loaded, and a
// loaded image saves and reloads with the same records.
#include "data/MdbFile.h"

#include <cstdlib>
#include <cstring>
#include <vector>

using namespace tessaro;

namespace {

void Check(const uint8_t* data, std::size_t size)
{
    const MdbReadResult read = ParseMdb(data, size);
    if (!read.ok())
        return;
    const std::vector<MdbEntry> records = OccupiedRecords(read.image);
    MdbImage saved;
    if (!BuildMdbImage(SourceOf(records), read.model, saved, read.blankSignature))
        std::abort(); // an image never holds more than 616 records
    const MdbReadResult again = ParseMdb(saved.data(), saved.size());
    if (!again.ok() || !again.checksumOk || OccupiedRecords(again.image) != records ||
        again.model != read.model || again.blankSignature != read.blankSignature)
        std::abort();
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    Check(data, size);
    // Most inputs fail the size check; also try them cut or padded to an image.
    if (size != kImageSize) {
        std::vector<uint8_t> image(kImageSize, 0);
        if (size > 0) // an empty input may come as a null pointer, which memcpy must not see
            std::memcpy(image.data(), data, size < kImageSize ? size : kImageSize);
        Check(image.data(), image.size());
    }
    return 0;
}
