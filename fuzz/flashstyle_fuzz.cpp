// Arbitrary bytes as a flash-style backup file: refused with a message or 120
// names of at most 512 bytes.
#include "data/FlashStyleFile.h"

#include <cstdlib>

using namespace tessaro;

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    MemoryInput input(data, size);
    const FlashStyleReadResult result = ReadFlashStyles(input);
    if (result.ok() != (result.names.size() == std::size_t(kFlashStyleNameCount)))
        std::abort();
    for (const std::string& name : result.names) {
        if (name.size() > 512)
            std::abort();
    }
    return 0;
}
