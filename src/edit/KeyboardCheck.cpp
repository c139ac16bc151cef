#include "edit/KeyboardCheck.h"

#include "catalogue/StyleCatalogue.h"
#include "catalogue/VoiceCatalogue.h"
#include "edit/CategoryTree.h"
#include "edit/EntryColumns.h"

namespace tessaro {

namespace {

std::string Numbers(VoiceRef voice)
{
    return "<" + std::to_string(voice.msb) + "," + std::to_string(voice.lsb) + "," +
           std::to_string(voice.program) + ">";
}

void CheckVoice(const std::string& field, VoiceRef voice, const std::string& shownName, KeyboardModel model,
                std::vector<KeyboardFinding>& findings)
{
    const int row = VoiceCatalogue::FindVoiceRow(voice);
    if (row < 0) {
        findings.push_back({field, Numbers(voice) + " is no voice of the catalogue"});
    } else if (VoiceCatalogue::IsProOnlyVoice(row) && model != KeyboardModel::Psr9000Pro) {
        findings.push_back({field, shownName + " " + Numbers(voice) + " is a PSR-9000pro voice"});
    }
}

} // namespace

std::vector<KeyboardFinding> CheckEntryForKeyboard(const MdbEntry& record, KeyboardModel model)
{
    std::vector<KeyboardFinding> findings;
    const std::vector<EntryColumn>& columns = EntryColumns();
    for (std::size_t c = 0; c < columns.size(); ++c) {
        const EntryColumn& column = columns[c];
        if (const std::optional<CellFault> fault = EditorRangeFault(c, record)) {
            findings.push_back(
                {columns[fault->column].name, fault->reason + ", which the entry editor does not accept"});
        }
        switch (column.kind) {
        case ColumnKind::StyleName:
            if (record.isDiskStyle()) {
                findings.push_back(
                    {column.name, ValueText(c, record, FixedStyleNames()) + " needs its style disk"});
            }
            break;
        case ColumnKind::HandVoiceName: {
            const HandVoice hand = static_cast<HandVoice>(column.index);
            CheckVoice(column.name, record.voice(hand), ValueText(c, record, FixedStyleNames()), model,
                       findings);
            break;
        }
        case ColumnKind::PartVoiceName: {
            const Part part = static_cast<Part>(column.index);
            if (record.partVoiceSet(part)) {
                CheckVoice(column.name, record.partVoice(part), ValueText(c, record, FixedStyleNames()),
                           model, findings);
            }
            break;
        }
        default:
            break;
        }
    }
    return findings;
}

std::vector<EntryFindings> CheckForKeyboard(const CategoryTree& tree, KeyboardModel model)
{
    std::vector<EntryFindings> all;
    for (const TreeNode* category = tree.FirstCategory(); category; category = category->NextSibling()) {
        for (const TreeNode* entry = category->FirstChild(); entry; entry = entry->NextSibling()) {
            std::vector<KeyboardFinding> findings = CheckEntryForKeyboard(entry->Payload()->record, model);
            if (!findings.empty()) {
                all.push_back({entry, std::move(findings)});
            }
        }
    }
    return all;
}

namespace {

bool IsProOnly(VoiceRef voice)
{
    const int row = VoiceCatalogue::FindVoiceRow(voice);
    return row >= 0 && VoiceCatalogue::IsProOnlyVoice(row);
}

} // namespace

bool UsesProOnlyVoice(const MdbEntry& record)
{
    for (int hand = 0; hand < kHandVoiceCount; ++hand) {
        if (IsProOnly(record.voice(static_cast<HandVoice>(hand)))) {
            return true;
        }
    }
    for (int index = 0; index < kPartCount; ++index) {
        const Part part = static_cast<Part>(index);
        if (record.partVoiceSet(part) && IsProOnly(record.partVoice(part))) {
            return true;
        }
    }
    return false;
}

std::size_t CountProOnlyVoiceEntries(const CategoryTree& tree)
{
    std::size_t count = 0;
    for (const TreeNode* category = tree.FirstCategory(); category; category = category->NextSibling()) {
        for (const TreeNode* entry = category->FirstChild(); entry; entry = entry->NextSibling()) {
            count += UsesProOnlyVoice(entry->Payload()->record) ? 1 : 0;
        }
    }
    return count;
}

} // namespace tessaro
