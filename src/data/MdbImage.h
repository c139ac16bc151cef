#pragma once
// The keyboard's Music Database as one fixed-size image: a 24-byte header with
// the model signature, 616 record slots and a big-endian checksum.

#include "data/MdbEntry.h"

#include <cstddef>
#include <cstdint>
#include <vector>

namespace tessaro {

constexpr std::size_t kImageSize = 177436;
constexpr std::size_t kHeaderSize = 24;
constexpr int kSlotCount = 616;
constexpr std::size_t kChecksumOffset = 177432;
constexpr std::size_t kSignatureOffset = 16;

enum class KeyboardModel : int
{
    None = 0,
    Psr9000 = 1,
    Psr9000Pro = 2
};

class MdbImage
{
public:
    MdbImage(); // all zero

    uint8_t* data() { return bytes_.data(); }
    const uint8_t* data() const { return bytes_.data(); }
    static constexpr std::size_t size() { return kImageSize; }

    // Slot i (0..615) starts at 24 + 288 * i; it is occupied when its inUse byte is non-zero.
    MdbEntry Slot(int i) const;
    void SetSlot(int i, const MdbEntry& record);
    bool SlotInUse(int i) const;

    uint32_t StoredChecksum() const;
    void StoreChecksum(uint32_t checksum);

    bool operator==(const MdbImage&) const = default;

private:
    std::vector<uint8_t> bytes_; // always kImageSize bytes; on the heap, it is large
};

// Sum of the slot area as big-endian 32-bit words, modulo 2^32.
uint32_t ComputeChecksum(const MdbImage& image);
// By signature bytes 16..22; seven zero bytes (a blank signature) give Psr9000.
KeyboardModel DetectModel(const MdbImage& image);
// Signature bytes 16..22 are all zero.
bool HasBlankSignature(const MdbImage& image);
// Writes the 24-byte header for the model; with blankSignature, the PSR-9000
// template with a blank signature, as the loaded file had it.
void InitHeader(MdbImage& image, KeyboardModel model, bool blankSignature = false);

} // namespace tessaro
