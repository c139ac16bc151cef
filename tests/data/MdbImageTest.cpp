#include "data/MdbImage.h"

#include <cstring>
#include <gtest/gtest.h>

namespace tessaro {
namespace {

const uint8_t kTemplate[16] = {0x00, 0x4A, 0x3E, 0xA0, 0x00, 0x02, 0xB5, 0x0C, 0, 0, 0, 0, 0, 0, 0, 0};

class MdbImageTest : public ::testing::Test
{
protected:
    static void SetSignature(MdbImage& image, const char* eight) { std::memcpy(image.data() + 16, eight, 8); }
    static std::string Header(const MdbImage& image)
    {
        return std::string(reinterpret_cast<const char*>(image.data()), kHeaderSize);
    }
    static std::string TemplateWith(const char* signature)
    {
        return std::string(reinterpret_cast<const char*>(kTemplate), 16) + std::string(signature, 8);
    }
};

TEST_F(MdbImageTest, ChecksumSumsTheSlotAreaBigEndianWithWrapAround)
{
    MdbImage image;
    EXPECT_EQ(ComputeChecksum(image), 0u);

    std::memset(image.data(), 0xFF, kHeaderSize); // header and stored checksum take no part
    image.StoreChecksum(0xFFFFFFFF);
    EXPECT_EQ(ComputeChecksum(image), 0u);

    const uint8_t first[4] = {0x01, 0x02, 0x03, 0x04};
    std::memcpy(image.data() + kHeaderSize, first, 4);
    std::memcpy(image.data() + kChecksumOffset - 4, first, 4); // the last word counts too
    EXPECT_EQ(ComputeChecksum(image), 2u * 0x01020304u);

    std::memset(image.data() + kHeaderSize, 0xFF, kChecksumOffset - kHeaderSize);
    EXPECT_EQ(ComputeChecksum(image), 4294967296ull - 44352u); // 44352 words of 2^32 - 1
    image.StoreChecksum(0x89ABCDEF);
    EXPECT_EQ(image.data()[kChecksumOffset], 0x89);
    EXPECT_EQ(image.data()[kImageSize - 1], 0xEF);
}

TEST_F(MdbImageTest, DetectModelComparesSevenSignatureBytes)
{
    struct Case
    {
        const char* signature;
        KeyboardModel model;
    };
    const Case cases[] = {
        {"MDB9_10\xFF", KeyboardModel::Psr9000}, {"MDB9P10X", KeyboardModel::Psr9000Pro},
        {"MDB9_00\x30", KeyboardModel::None},    {"mdb9_100", KeyboardModel::None},
        {"MDB9P1\0\0", KeyboardModel::None},
    };
    for (const Case& c : cases) {
        MdbImage image;
        std::memset(image.data(), 0x5A, 16); // the header words are not checked
        SetSignature(image, c.signature);
        EXPECT_EQ(DetectModel(image), c.model) << c.signature;
        EXPECT_FALSE(HasBlankSignature(image)) << c.signature;
    }

    MdbImage blank;
    SetSignature(blank, "\0\0\0\0\0\0\0\x77");
    EXPECT_EQ(DetectModel(blank), KeyboardModel::Psr9000);
    EXPECT_TRUE(HasBlankSignature(blank));
}

TEST_F(MdbImageTest, InitHeaderWritesTheTemplateForTheModel)
{
    MdbImage image;
    std::memset(image.data(), 0xEE, kHeaderSize + 1);
    InitHeader(image, KeyboardModel::Psr9000);
    EXPECT_EQ(Header(image), TemplateWith("MDB9_100"));
    EXPECT_EQ(image.data()[kHeaderSize], 0xEE); // the first slot is not touched
    InitHeader(image, KeyboardModel::Psr9000Pro);
    EXPECT_EQ(Header(image), TemplateWith("MDB9P100"));
    InitHeader(image, KeyboardModel::None);
    EXPECT_EQ(Header(image), std::string(kHeaderSize, '\0'));
    InitHeader(image, static_cast<KeyboardModel>(7));
    EXPECT_EQ(Header(image), std::string(kHeaderSize, '\0'));
}

TEST_F(MdbImageTest, ABlankHeaderIsAskedForAndLeavesNoMarkBehind)
{
    // Detecting a blank signature changes nothing for other images.
    MdbImage blank;
    EXPECT_EQ(DetectModel(blank), KeyboardModel::Psr9000);
    MdbImage image;
    InitHeader(image, KeyboardModel::Psr9000Pro);
    EXPECT_EQ(Header(image), TemplateWith("MDB9P100"));

    for (KeyboardModel model : {KeyboardModel::Psr9000, KeyboardModel::Psr9000Pro, KeyboardModel::None}) {
        InitHeader(image, model, true);
        EXPECT_EQ(Header(image), TemplateWith("\0\0\0\0\0\0\0\0"));
    }
}

} // namespace
} // namespace tessaro
