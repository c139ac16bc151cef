#pragma once
// What the entry editor accepts for each setting of a record. The editor's
// checks, the spreadsheet import and the check for the target keyboard all
// read these, so the rule lives in one place.

#include "catalogue/StyleCatalogue.h"

#include <cstdint>

namespace tessaro {

constexpr int kEntryTextMaxChars = 16; // category and title
constexpr int kTempoMin = 32;
constexpr int kTempoMax = 280;
constexpr int kVolumeMax = 127; // main volume, part and hand volumes
// The variation buttons Main A..D stand for the bytes 8..11; the editor leaves
// any other byte as it is.
constexpr uint8_t kVariationFirstByte = 8;
constexpr int kVariationCount = 4;
// The style list: the catalogue styles, then the disk styles 1..250
// (diskStyleNumber 0..249).
constexpr int kDiskStyleCount = kStyleListRows - kCatalogueStyleCount;

constexpr bool IsEditorTempo(int tempo)
{
    return tempo >= kTempoMin && tempo <= kTempoMax;
}

constexpr bool IsEditorVolume(int volume)
{
    return volume >= 0 && volume <= kVolumeMax;
}

constexpr bool IsEditorVariation(uint8_t variation)
{
    return variation >= kVariationFirstByte && variation < kVariationFirstByte + kVariationCount;
}

// A style index (MdbEntry::styleIndex) that has a row in the editor's list.
constexpr bool IsEditorStyleIndex(int index)
{
    return index >= 0 && index < kStyleListRows;
}

} // namespace tessaro
