#include "data/FlashStyleFile.h"
#include "support/DataTestSupport.h"

#include <cstring>
#include <gtest/gtest.h>

namespace tessaro {
namespace {

using namespace tessaro::testing;

Bytes FlashFile(std::size_t size)
{
    std::mt19937 rng(5);
    Bytes bytes = RandomBytes(rng, size);
    const uint8_t signature[16] = {0x00, 0x60, 0x00, 0x00, 0x00, 0x20};
    std::memcpy(bytes.data(), signature, sizeof signature);
    for (int f = 0; f < 120; ++f) {
        const std::string name = "Flash " + std::to_string(f);
        uint8_t* record = bytes.data() + 32 + 512 * f;
        std::memcpy(record, name.c_str(), name.size() + 1); // random bytes follow the zero
    }
    return bytes;
}

TEST(FlashStyleFileTest, ReadsTheHundredTwentyNames)
{
    TempFolder folder;
    Bytes bytes = FlashFile(61472 + 1000);                // only the first 61472 bytes count
    std::memset(bytes.data() + 32 + 512 * 119, 'Z', 512); // no zero in the last record
    WriteBytes(folder / "STY.b01", bytes);

    const FlashStyleReadResult result = ReadFlashStyleFile(folder / "STY.b01");
    ASSERT_TRUE(result.ok());
    ASSERT_EQ(result.names.size(), 120u);
    EXPECT_EQ(result.names[0], "Flash 0");
    EXPECT_EQ(result.names[118], "Flash 118");
    EXPECT_EQ(result.names[119], std::string(512, 'Z'));
}

TEST(FlashStyleFileTest, RefusesWithTheFlashStyleMessages)
{
    TempFolder folder;
    WriteBytes(folder / "short", FlashFile(61471));
    Bytes unsigned_ = FlashFile(61472);
    unsigned_[0] = 1;
    WriteBytes(folder / "other", unsigned_);
    std::filesystem::create_directory(folder / "STY.b02");
    const std::pair<std::string, Msg> cases[] = {
        {"missing", Msg::ErrorOpeningFlashStyle},
        {"STY.b02", Msg::ErrorOpeningFlashStyle},
        {"short", Msg::ErrorReadingFlashStyle},
        {"other", Msg::FlashStyleNotIncluded},
    };
    for (const auto& [name, msg] : cases) {
        const FlashStyleReadResult result = ReadFlashStyleFile(folder / name);
        EXPECT_EQ(result.error, std::optional<Msg>(msg)) << name;
        EXPECT_TRUE(result.names.empty()) << name;
    }

    // Every one of the 16 signature bytes counts, the zeros at its end too.
    for (std::size_t i = 0; i < 16; ++i) {
        Bytes bytes = FlashFile(61472);
        bytes[i] ^= 0x01;
        MemoryInput input(bytes.data(), bytes.size());
        EXPECT_EQ(ReadFlashStyles(input).error, std::optional<Msg>(Msg::FlashStyleNotIncluded)) << i;
    }
}

} // namespace
} // namespace tessaro
