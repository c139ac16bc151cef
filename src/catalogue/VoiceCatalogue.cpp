#include "catalogue/VoiceCatalogue.h"

#include "common/Prompts.h"
#include "data/MdbImage.h"

#include <iterator>
#include <unordered_map>

namespace tessaro {

namespace {

constexpr int kExtraRow = kVoiceCount; // list row of a voice the catalogue does not know

// A literal '&' in a name is stored doubled, as the keyboard's old editor
// needed it; a person reads one (ReadableName).
struct VoiceRow
{
    const char* name;
    uint32_t packed;
    bool proOnly;
};

constexpr VoiceRow kVoiceRows[] = {
#include "catalogue/VoiceTable.inc"
};
static_assert(std::size(kVoiceRows) == kVoiceCount, "data/voices.csv must hold 880 voices");

bool InRange(int row)
{
    return row >= 0 && row < kVoiceCount;
}

std::string NumbersText(uint32_t packed)
{
    const VoiceRef voice = VoiceRef::FromPacked(packed);
    return "<" + std::to_string(voice.msb) + "," + std::to_string(voice.lsb) + "," +
           std::to_string(voice.program) + ">";
}

} // namespace

std::string VoiceCatalogue::GetVoiceName(int row)
{
    return InRange(row) ? kVoiceRows[row].name : "";
}

uint32_t VoiceCatalogue::GetVoicePacked(int row)
{
    return InRange(row) ? kVoiceRows[row].packed : 0;
}

bool VoiceCatalogue::IsProOnlyVoice(int row)
{
    return InRange(row) && kVoiceRows[row].proOnly;
}

bool VoiceCatalogue::IsVoiceHidden(int row)
{
    return InRange(row) && kVoiceRows[row].packed == kUnsourcedVoice;
}

std::string VoiceCatalogue::FindVoiceName(VoiceRef voice)
{
    const int row = FindVoiceRow(voice);
    return row >= 0 ? kVoiceRows[row].name : "";
}

int VoiceCatalogue::FindVoiceRow(VoiceRef voice)
{
    // Built on first use; the first row of a number wins, as a scan from row 0 would find it.
    static const std::unordered_map<uint32_t, int> rowOfNumber = [] {
        std::unordered_map<uint32_t, int> rows;
        for (int row = 0; row < kVoiceCount; ++row) {
            if (kVoiceRows[row].packed != kUnsourcedVoice) {
                rows.emplace(kVoiceRows[row].packed, row);
            }
        }
        return rows;
    }();
    const auto found = rowOfNumber.find(voice.Packed());
    return found != rowOfNumber.end() ? found->second : -1;
}

bool VoiceCatalogue::VoiceRowText(int row, std::string& text, const void* user, uint32_t itemData)
{
    if (row < 0 || row > kExtraRow || itemData > 0xFFFFFFu) {
        return false; // no such row, or a hidden one
    }
    const auto* context = static_cast<const VoiceListContext*>(user);
    const bool isPro =
        context != nullptr && context->keyboardModel == static_cast<int>(KeyboardModel::Psr9000Pro);
    // The name belongs to the row only while the row holds the catalogue's voice;
    // anything else (row 880, a pro voice on the PSR-9000) shows its numbers.
    if (InRange(row) && itemData == kVoiceRows[row].packed && (!kVoiceRows[row].proOnly || isPro)) {
        text = kVoiceRows[row].name;
        return true;
    }
    text = NumbersText(itemData);
    return true;
}

void VoiceCatalogue::FillVoiceList(CatalogueList& list, uint32_t wanted, const VoiceListContext& context,
                                   Prompts& prompts)
{
    list.RemoveAllRows();
    list.SetTextCallback(&VoiceCatalogue::VoiceRowText, &context, -1, -3);
    list.ReserveRows(kVoiceListRows);

    bool matched = false;
    for (int i = 0; i < kVoiceCount; ++i) {
        const int row = list.AddEmptyRow();
        if (row < 0) {
            prompts.Warn(Msg::ErrorCreatingVoiceTable);
            break;
        }
        list.SetItemData(row, kVoiceRows[i].packed);
        if (IsVoiceHidden(i)) {
            list.HideRow(row);
        } else if (kVoiceRows[i].packed == wanted) {
            list.SelectRow(row);
            matched = true;
        }
    }
    if (!matched) {
        const int row = list.AddEmptyRow();
        if (row >= 0) {
            list.SetItemData(row, wanted);
            list.SelectRow(row);
        }
    }
}

} // namespace tessaro
