#include "data/FlashStyleFile.h"

#include <algorithm>
#include <cstring>

namespace tessaro {

namespace {

constexpr uint8_t kSignature[16] = {0x00, 0x60, 0x00, 0x00, 0x00, 0x20, 0x00, 0x00,
                                    0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00, 0x00};
constexpr std::size_t kFirstRecord = 32;
constexpr std::size_t kRecordBytes = 512;

} // namespace

FlashStyleReadResult ReadFlashStyles(ByteInput& input)
{
    FlashStyleReadResult result;
    std::vector<uint8_t> bytes(kFlashStyleFileBytes);
    if (input.Read(bytes.data(), bytes.size()) != bytes.size()) {
        result.error = Msg::ErrorReadingFlashStyle;
        return result;
    }
    if (std::memcmp(bytes.data(), kSignature, sizeof kSignature) != 0) {
        result.error = Msg::FlashStyleNotIncluded;
        return result;
    }
    result.names.reserve(kFlashStyleNameCount);
    for (int f = 0; f < kFlashStyleNameCount; ++f) {
        const uint8_t* record = bytes.data() + kFirstRecord + kRecordBytes * std::size_t(f);
        const uint8_t* end = std::find(record, record + kRecordBytes, uint8_t(0));
        result.names.emplace_back(record, end);
    }
    return result;
}

FlashStyleReadResult ReadFlashStyleFile(const std::string& path)
{
    FileInput input;
    if (!input.Open(path)) {
        FlashStyleReadResult result;
        result.error = Msg::ErrorOpeningFlashStyle;
        return result;
    }
    return ReadFlashStyles(input);
}

} // namespace tessaro
