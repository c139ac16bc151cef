// Any byte string survives the trip through UTF-8; any input read as UTF-8
// converts without a crash into something the code page holds.
#include <cstdint>
#include <cstdlib>
#include <string>

#include "data/Win1252.h"

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    const std::string bytes(reinterpret_cast<const char*>(data), size);

    bool lossless = false;
    if (tessaro::FromUtf8(tessaro::ToUtf8(bytes), &lossless) != bytes || !lossless)
        std::abort();

    const std::string converted = tessaro::FromUtf8(bytes);
    if (converted.size() > bytes.size() || !tessaro::IsRepresentable1252(tessaro::ToUtf8(converted)))
        std::abort();

    if (tessaro::UpperCase1252(bytes).size() != bytes.size())
        std::abort();
    return 0;
}
