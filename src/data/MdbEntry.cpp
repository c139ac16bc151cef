#include "data/MdbEntry.h"

#include <algorithm>
#include <cstring>

namespace tessaro {

namespace {

// Record offsets. Everything not named here is carried untouched.
constexpr std::size_t kTitle = 0;
constexpr std::size_t kStyleNumberCopy = 19;
constexpr std::size_t kCategory = 20;
constexpr std::size_t kStyleNumber = 37;
constexpr std::size_t kVariation = 39;
constexpr std::size_t kMainVolume = 42;
constexpr std::size_t kPartOn = 43;
constexpr std::size_t kPartVolumeSet = 44;
constexpr std::size_t kPartVoiceSet = 89;
constexpr std::size_t kLeftHold = 168;
constexpr std::size_t kTempo = 260;
constexpr std::size_t kSyncStart = 269;
constexpr std::size_t kStopAccompaniment = 283;
constexpr std::size_t kDiskStyleNumber = 284;

constexpr uint8_t kFlagOn = 127;
constexpr uint8_t kStopOn = 0xFF;
constexpr uint8_t kStopOff = 0x80;

// The masks have Rhy1 in bit 0, but the arrays hold Rhy2 first: this table is
// the only place that knows it.
struct PartLayout
{
    uint8_t maskBit;
    std::size_t volume;
    std::size_t voice;
};
constexpr PartLayout kParts[kPartCount] = {
    {0x01, 46, 93},  // Rhy1
    {0x02, 45, 90},  // Rhy2
    {0x04, 47, 96},  // Bass
    {0x08, 48, 99},  // Chd1
    {0x10, 49, 102}, // Chd2
    {0x20, 50, 105}, // Pad
    {0x40, 51, 108}, // Phr1
    {0x80, 52, 111}, // Phr2
};

struct HandLayout
{
    std::size_t on;
    std::size_t voice;
    std::size_t volume;
};
constexpr HandLayout kHands[kHandVoiceCount] = {
    {150, 151, 155}, // Left
    {181, 182, 186}, // R1
    {199, 200, 204}, // R2
    {217, 218, 222}, // R3
};

const PartLayout& LayoutOf(Part part)
{
    return kParts[static_cast<int>(part)];
}

const HandLayout& LayoutOf(HandVoice hand)
{
    return kHands[static_cast<int>(hand)];
}

} // namespace

MdbEntry::MdbEntry(const uint8_t* record)
{
    std::memcpy(bytes_.data(), record, kRecordSize);
}

std::string MdbEntry::ReadText(std::size_t offset) const
{
    const auto* begin = bytes_.data() + offset;
    const auto* end = std::find(begin, begin + kTextFieldSize, uint8_t(0));
    return std::string(begin, end);
}

void MdbEntry::WriteText(std::size_t offset, const std::string& text)
{
    std::memset(bytes_.data() + offset, 0, kTextFieldSize);
    std::memcpy(bytes_.data() + offset, text.data(), std::min(text.size(), kTextFieldSize));
}

std::string MdbEntry::GetTitle() const
{
    return ReadText(kTitle);
}

std::string MdbEntry::GetCategory() const
{
    return ReadText(kCategory);
}

void MdbEntry::SetTitle(const std::string& text)
{
    WriteText(kTitle, text);
}

void MdbEntry::SetCategory(const std::string& text)
{
    WriteText(kCategory, text);
}

bool MdbEntry::IsSubEntry() const
{
    return bytes_[kTitle] == ' ';
}

uint8_t MdbEntry::inUse() const
{
    return bytes_[kInUseOffset];
}

uint8_t MdbEntry::styleNumber() const
{
    return bytes_[kStyleNumber];
}

void MdbEntry::setStyleNumber(uint8_t value)
{
    bytes_[kStyleNumber] = value;
    bytes_[kStyleNumberCopy] = value;
}

uint8_t MdbEntry::diskStyleNumber() const
{
    return bytes_[kDiskStyleNumber];
}

void MdbEntry::setDiskStyleNumber(uint8_t value)
{
    bytes_[kDiskStyleNumber] = value;
}

int MdbEntry::styleIndex() const
{
    return isDiskStyle() ? kDiskStyleMarker + diskStyleNumber() : styleNumber();
}

void MdbEntry::setStyleIndex(int index)
{
    if (index < kDiskStyleMarker) {
        setStyleNumber(uint8_t(index));
        setDiskStyleNumber(0);
    } else {
        setStyleNumber(kDiskStyleMarker);
        setDiskStyleNumber(uint8_t(index - kDiskStyleMarker));
    }
}

uint8_t MdbEntry::variation() const
{
    return bytes_[kVariation];
}

void MdbEntry::setVariation(uint8_t value)
{
    bytes_[kVariation] = value;
}

uint16_t MdbEntry::tempo() const
{
    return uint16_t((bytes_[kTempo] << 8) | bytes_[kTempo + 1]);
}

void MdbEntry::setTempo(uint16_t value)
{
    bytes_[kTempo] = uint8_t(value >> 8);
    bytes_[kTempo + 1] = uint8_t(value);
}

uint8_t MdbEntry::mainVolume() const
{
    return bytes_[kMainVolume];
}

void MdbEntry::setMainVolume(uint8_t value)
{
    bytes_[kMainVolume] = value;
}

bool MdbEntry::ReadMaskBit(std::size_t offset, Part part) const
{
    return (bytes_[offset] & LayoutOf(part).maskBit) != 0;
}

void MdbEntry::WriteMaskBit(std::size_t offset, Part part, bool set)
{
    const uint8_t bit = LayoutOf(part).maskBit;
    bytes_[offset] = set ? uint8_t(bytes_[offset] | bit) : uint8_t(bytes_[offset] & ~bit);
}

bool MdbEntry::partOn(Part part) const
{
    return ReadMaskBit(kPartOn, part);
}

void MdbEntry::setPartOn(Part part, bool on)
{
    WriteMaskBit(kPartOn, part, on);
}

bool MdbEntry::partVolumeSet(Part part) const
{
    return ReadMaskBit(kPartVolumeSet, part);
}

void MdbEntry::setPartVolumeSet(Part part, bool set)
{
    WriteMaskBit(kPartVolumeSet, part, set);
}

uint8_t MdbEntry::partVolume(Part part) const
{
    return bytes_[LayoutOf(part).volume];
}

void MdbEntry::setPartVolume(Part part, uint8_t value)
{
    bytes_[LayoutOf(part).volume] = value;
}

bool MdbEntry::partVoiceSet(Part part) const
{
    return ReadMaskBit(kPartVoiceSet, part);
}

void MdbEntry::setPartVoiceSet(Part part, bool set)
{
    WriteMaskBit(kPartVoiceSet, part, set);
}

VoiceRef MdbEntry::ReadVoice(std::size_t offset) const
{
    return {bytes_[offset], bytes_[offset + 1], bytes_[offset + 2]};
}

void MdbEntry::WriteVoice(std::size_t offset, VoiceRef voice)
{
    bytes_[offset] = voice.msb;
    bytes_[offset + 1] = voice.lsb;
    bytes_[offset + 2] = voice.program;
}

VoiceRef MdbEntry::partVoice(Part part) const
{
    return ReadVoice(LayoutOf(part).voice);
}

void MdbEntry::setPartVoice(Part part, VoiceRef voice)
{
    WriteVoice(LayoutOf(part).voice, voice);
}

uint8_t MdbEntry::partOnMask() const
{
    return bytes_[kPartOn];
}

uint8_t MdbEntry::partVolumeSetMask() const
{
    return bytes_[kPartVolumeSet];
}

uint8_t MdbEntry::partVoiceSetMask() const
{
    return bytes_[kPartVoiceSet];
}

bool MdbEntry::voiceOn(HandVoice hand) const
{
    return bytes_[LayoutOf(hand).on] != 0;
}

void MdbEntry::setVoiceOn(HandVoice hand, bool on)
{
    bytes_[LayoutOf(hand).on] = on ? kFlagOn : 0;
}

VoiceRef MdbEntry::voice(HandVoice hand) const
{
    return ReadVoice(LayoutOf(hand).voice);
}

void MdbEntry::setVoice(HandVoice hand, VoiceRef voice)
{
    WriteVoice(LayoutOf(hand).voice, voice);
}

uint8_t MdbEntry::voiceVolume(HandVoice hand) const
{
    return bytes_[LayoutOf(hand).volume];
}

void MdbEntry::setVoiceVolume(HandVoice hand, uint8_t value)
{
    bytes_[LayoutOf(hand).volume] = value;
}

bool MdbEntry::leftHold() const
{
    return bytes_[kLeftHold] != 0;
}

void MdbEntry::setLeftHold(bool on)
{
    bytes_[kLeftHold] = on ? kFlagOn : 0;
}

bool MdbEntry::syncStart() const
{
    return bytes_[kSyncStart] != 0;
}

void MdbEntry::setSyncStart(bool on)
{
    bytes_[kSyncStart] = on ? kFlagOn : 0;
}

bool MdbEntry::stopAccompaniment() const
{
    return bytes_[kStopAccompaniment] == kStopOn;
}

void MdbEntry::setStopAccompaniment(bool on)
{
    bytes_[kStopAccompaniment] = on ? kStopOn : kStopOff;
}

std::string_view MdbEntry::CategoryBytes() const
{
    const char* text = reinterpret_cast<const char*>(bytes_.data() + kCategory);
    return std::string_view(text, std::find(text, text + kTextFieldSize, '\0') - text);
}

std::string_view MdbEntry::TitleBytes() const
{
    const char* text = reinterpret_cast<const char*>(bytes_.data() + kTitle);
    return std::string_view(text, std::find(text, text + kTextFieldSize, '\0') - text);
}

int CompareGroup(const MdbEntry& a, const MdbEntry& b)
{
    // Compared in place: the sorted insert calls this for every step of its
    // binary search.
    const uint8_t* categoryA = a.bytes().data() + kCategory;
    const uint8_t* categoryB = b.bytes().data() + kCategory;
    const std::size_t lengthA = std::find(categoryA, categoryA + kTextFieldSize, 0) - categoryA;
    const std::size_t lengthB = std::find(categoryB, categoryB + kTextFieldSize, 0) - categoryB;
    const int byBytes = std::memcmp(categoryA, categoryB, std::min(lengthA, lengthB));
    if (byBytes != 0)
        return byBytes < 0 ? -1 : 1;
    if (lengthA != lengthB)
        return lengthA < lengthB ? -1 : 1;
    if (a.styleNumber() != b.styleNumber())
        return a.styleNumber() < b.styleNumber() ? -1 : 1;
    if (a.tempo() != b.tempo())
        return a.tempo() < b.tempo() ? -1 : 1;
    return 0;
}

} // namespace tessaro
