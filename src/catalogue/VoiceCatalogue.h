#pragma once
// The 880 voices of both keyboard models: name, packed number (MSB << 16 |
// LSB << 8 | program) and whether only the PSR-9000pro has the voice. The rows
// are compiled in from data/voices.csv. A voice whose numbers are not all known
// yet keeps its row and its name but is hidden: no number, never found.

#include "catalogue/CatalogueList.h"
#include "data/MdbEntry.h"

#include <cstdint>
#include <string>

namespace tessaro {

class Prompts;

constexpr int kVoiceCount = 880;
constexpr int kVoiceNameMaxChars = 25;
constexpr int kVoiceListRows = kVoiceCount + 1; // + the entry's own voice when unknown

// The packed number of a hidden row: wider than 24 bits, so it equals no
// VoiceRef and is never written into a record.
constexpr uint32_t kUnsourcedVoice = 0xFFFFFFFFu;

// The user pointer that FillVoiceList hands to VoiceRowText. The caller owns it
// and keeps it alive as long as the list draws (the editor holds it as a member).
struct VoiceListContext
{
    int keyboardModel = 0; // 0 none, 1 PSR-9000, 2 PSR-9000pro
};

// Constant data: every operation is static and none fails. A row outside
// 0..879 gives empty text, 0 or false.
class VoiceCatalogue
{
public:
    VoiceCatalogue() = delete;

    // Names keep a literal '&' doubled ("Choir&&Pad - ..."); hidden rows keep theirs.
    static std::string GetVoiceName(int row);
    // kUnsourcedVoice for hidden rows.
    static uint32_t GetVoicePacked(int row);
    static bool IsProOnlyVoice(int row);
    // True for a voice not known yet: the lists hide it and FindVoiceName skips it.
    static bool IsVoiceHidden(int row);

    // Name of the first row with the voice's numbers, whatever the model; empty if none.
    static std::string FindVoiceName(VoiceRef voice);
    // That row, or -1 when no row has the voice. Looked up, not scanned: a long
    // export or check asks for every voice of every entry.
    static int FindVoiceRow(VoiceRef voice);

    // The ItemTextFn of a voice list; user is a const VoiceListContext* (or null
    // for no model). Rows 0..879 read the catalogue name, except a PSR-9000pro
    // voice while the model is not the PSR-9000pro; that row and row 880 read
    // "<msb,lsb,program>" of the item data. Hidden rows have no text.
    static bool VoiceRowText(int row, std::string& text, const void* user, uint32_t itemData);

    // Refills list with the 880 rows (list row i = catalogue row i, hidden rows
    // hidden) and selects the row of wanted; an unknown wanted becomes row 880.
    // A list that refuses a row gets "Error creating voice definition table!".
    static void FillVoiceList(CatalogueList& list, uint32_t wanted, const VoiceListContext& context,
                              Prompts& prompts);
};

} // namespace tessaro
