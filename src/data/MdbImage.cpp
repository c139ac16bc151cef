#include "data/MdbImage.h"

#include <cstring>

namespace tessaro {

namespace {

constexpr uint8_t kHeaderTemplate[16] = {0x00, 0x4A, 0x3E, 0xA0, 0x00, 0x02, 0xB5, 0x0C,
                                         0,    0,    0,    0,    0,    0,    0,    0};
constexpr char kSignature9000[] = "MDB9_100";
constexpr char kSignaturePro[] = "MDB9P100";
constexpr std::size_t kSignatureLength = 8;
constexpr std::size_t kComparedSignatureLength = 7;

std::size_t SlotOffset(int i)
{
    return kHeaderSize + kRecordSize * std::size_t(i);
}

uint32_t ReadBigEndian32(const uint8_t* p)
{
    return (uint32_t(p[0]) << 24) | (uint32_t(p[1]) << 16) | (uint32_t(p[2]) << 8) | uint32_t(p[3]);
}

} // namespace

MdbImage::MdbImage() : bytes_(kImageSize, 0) {}

MdbEntry MdbImage::Slot(int i) const
{
    return MdbEntry(bytes_.data() + SlotOffset(i));
}

void MdbImage::SetSlot(int i, const MdbEntry& record)
{
    std::memcpy(bytes_.data() + SlotOffset(i), record.bytes().data(), kRecordSize);
}

bool MdbImage::SlotInUse(int i) const
{
    return bytes_[SlotOffset(i) + kInUseOffset] != 0;
}

uint32_t MdbImage::StoredChecksum() const
{
    return ReadBigEndian32(bytes_.data() + kChecksumOffset);
}

void MdbImage::StoreChecksum(uint32_t checksum)
{
    uint8_t* p = bytes_.data() + kChecksumOffset;
    p[0] = uint8_t(checksum >> 24);
    p[1] = uint8_t(checksum >> 16);
    p[2] = uint8_t(checksum >> 8);
    p[3] = uint8_t(checksum);
}

uint32_t ComputeChecksum(const MdbImage& image)
{
    uint32_t sum = 0; // unsigned: wraps modulo 2^32
    for (std::size_t offset = kHeaderSize; offset < kChecksumOffset; offset += 4)
        sum += ReadBigEndian32(image.data() + offset);
    return sum;
}

KeyboardModel DetectModel(const MdbImage& image)
{
    const uint8_t* signature = image.data() + kSignatureOffset;
    if (std::memcmp(signature, kSignature9000, kComparedSignatureLength) == 0)
        return KeyboardModel::Psr9000;
    if (std::memcmp(signature, kSignaturePro, kComparedSignatureLength) == 0)
        return KeyboardModel::Psr9000Pro;
    if (HasBlankSignature(image))
        return KeyboardModel::Psr9000;
    return KeyboardModel::None;
}

bool HasBlankSignature(const MdbImage& image)
{
    static constexpr uint8_t kBlank[kComparedSignatureLength] = {};
    return std::memcmp(image.data() + kSignatureOffset, kBlank, kComparedSignatureLength) == 0;
}

void InitHeader(MdbImage& image, KeyboardModel model, bool blankSignature)
{
    uint8_t* header = image.data();
    std::memset(header, 0, kHeaderSize);
    if (blankSignature) {
        std::memcpy(header, kHeaderTemplate, sizeof kHeaderTemplate);
        return;
    }
    const char* signature = nullptr;
    if (model == KeyboardModel::Psr9000)
        signature = kSignature9000;
    else if (model == KeyboardModel::Psr9000Pro)
        signature = kSignaturePro;
    else
        return; // no model: 24 zero bytes
    std::memcpy(header, kHeaderTemplate, sizeof kHeaderTemplate);
    std::memcpy(header + kSignatureOffset, signature, kSignatureLength);
}

} // namespace tessaro
