#pragma once
// The keyboard's 288-byte registration record. This header is the one place
// that knows where each field sits; everything else goes through it.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

namespace tessaro {

constexpr std::size_t kRecordSize = 288;
constexpr std::size_t kTextFieldSize = 16;
constexpr std::size_t kInUseOffset = 16; // non-zero: the slot holds an entry

// Bank select MSB, bank select LSB, program number.
struct VoiceRef
{
    uint8_t msb = 0;
    uint8_t lsb = 0;
    uint8_t program = 0;

    uint32_t Packed() const { return (uint32_t(msb) << 16) | (uint32_t(lsb) << 8) | program; }
    static VoiceRef FromPacked(uint32_t packed)
    {
        return {uint8_t(packed >> 16), uint8_t(packed >> 8), uint8_t(packed)};
    }
    bool operator==(const VoiceRef&) const = default;
};

// Accompaniment parts in mask-bit order (Rhy1 is bit 0). The arrays in the
// record hold Rhy2 before Rhy1; MdbEntry hides that swap.
enum class Part : int
{
    Rhy1,
    Rhy2,
    Bass,
    Chd1,
    Chd2,
    Pad,
    Phr1,
    Phr2
};
constexpr int kPartCount = 8;

// The four voices of the right and left hand.
enum class HandVoice : int
{
    Left,
    R1,
    R2,
    R3
};
constexpr int kHandVoiceCount = 4;

// Style numbers 245..255 all mean "disk style".
constexpr uint8_t kDiskStyleMarker = 245;

class MdbEntry
{
public:
    using Bytes = std::array<uint8_t, kRecordSize>;

    MdbEntry() { bytes_.fill(0); }
    explicit MdbEntry(const uint8_t* record);

    const Bytes& bytes() const { return bytes_; }
    Bytes& bytes() { return bytes_; }

    // 16-byte text fields: bytes up to the first NUL, or all 16 when full.
    std::string GetTitle() const;
    std::string GetCategory() const;
    // Zero the field, then copy at most the first 16 bytes.
    void SetTitle(const std::string& text);
    void SetCategory(const std::string& text);
    bool IsSubEntry() const; // first title byte is a space
    // GetCategory and GetTitle without a copy: views into this record.
    std::string_view CategoryBytes() const;
    std::string_view TitleBytes() const;

    uint8_t inUse() const; // never written: records are copied whole

    uint8_t styleNumber() const;
    void setStyleNumber(uint8_t value); // also writes styleNumberCopy
    bool isDiskStyle() const { return styleNumber() >= kDiskStyleMarker; }
    uint8_t diskStyleNumber() const;
    void setDiskStyleNumber(uint8_t value);
    // 0..244 for catalogue styles, diskStyleNumber + 245 for disk styles.
    int styleIndex() const;
    // The inverse: a catalogue style clears diskStyleNumber, an index from 245
    // on writes the disk-style marker and index - 245.
    void setStyleIndex(int index);

    uint8_t variation() const;
    void setVariation(uint8_t value);
    uint16_t tempo() const;
    void setTempo(uint16_t value);
    uint8_t mainVolume() const;
    void setMainVolume(uint8_t value);

    // Part masks and arrays, by part.
    bool partOn(Part part) const;
    void setPartOn(Part part, bool on);
    bool partVolumeSet(Part part) const;
    void setPartVolumeSet(Part part, bool set);
    uint8_t partVolume(Part part) const;
    void setPartVolume(Part part, uint8_t value);
    bool partVoiceSet(Part part) const;
    void setPartVoiceSet(Part part, bool set);
    VoiceRef partVoice(Part part) const;
    void setPartVoice(Part part, VoiceRef voice);
    uint8_t partOnMask() const;
    uint8_t partVolumeSetMask() const;
    uint8_t partVoiceSetMask() const;

    // Left, R1, R2, R3. "On" flags are written as 127 / 0.
    bool voiceOn(HandVoice hand) const;
    void setVoiceOn(HandVoice hand, bool on);
    VoiceRef voice(HandVoice hand) const;
    void setVoice(HandVoice hand, VoiceRef voice);
    uint8_t voiceVolume(HandVoice hand) const;
    void setVoiceVolume(HandVoice hand, uint8_t value);

    bool leftHold() const; // written as 127 / 0
    void setLeftHold(bool on);
    bool syncStart() const; // written as 127 / 0
    void setSyncStart(bool on);
    bool stopAccompaniment() const; // on only for 0xFF; written 0xFF / 0x80
    void setStopAccompaniment(bool on);

    bool operator==(const MdbEntry&) const = default;

private:
    std::string ReadText(std::size_t offset) const;
    void WriteText(std::size_t offset, const std::string& text);
    bool ReadMaskBit(std::size_t offset, Part part) const;
    void WriteMaskBit(std::size_t offset, Part part, bool set);
    VoiceRef ReadVoice(std::size_t offset) const;
    void WriteVoice(std::size_t offset, VoiceRef voice);

    Bytes bytes_;
};

// -1, 0, 1 by (category bytes, styleNumber, tempo).
int CompareGroup(const MdbEntry& a, const MdbEntry& b);

} // namespace tessaro
