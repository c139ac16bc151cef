#include "edit/KeyboardCheck.h"

#include "catalogue/StyleCatalogue.h"
#include "catalogue/VoiceCatalogue.h"
#include "edit/CategoryTree.h"
#include "edit/EntryColumns.h"

#include <utility>

namespace tessaro {

namespace {

std::string Filled(const char* text, const std::vector<std::string>& args)
{
    return FillArgs(text, {args.size() > 0 ? std::string_view(args[0]) : std::string_view(),
                           args.size() > 1 ? std::string_view(args[1]) : std::string_view()});
}

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
        findings.emplace_back(field, Caption::FindingNoVoice, std::vector<std::string>{Numbers(voice)});
    } else if (VoiceCatalogue::IsProOnlyVoice(row) && model != KeyboardModel::Psr9000Pro) {
        findings.emplace_back(field, Caption::FindingProVoice,
                              std::vector<std::string>{shownName, Numbers(voice)});
    }
}

} // namespace

KeyboardFinding::KeyboardFinding(std::string field, Caption kind, std::vector<std::string> args)
    : field(std::move(field)), kind(kind), args(std::move(args)),
      reason(Filled(TextsOf(kind).english, this->args))
{
}

std::string KeyboardFinding::ReasonText() const
{
    return Filled(IsGerman() ? TextsOf(kind).german : TextsOf(kind).english, args);
}

std::vector<KeyboardFinding> CheckEntryForKeyboard(const MdbEntry& record, KeyboardModel model)
{
    std::vector<KeyboardFinding> findings;
    const std::vector<EntryColumn>& columns = EntryColumns();
    for (std::size_t c = 0; c < columns.size(); ++c) {
        const EntryColumn& column = columns[c];
        if (const std::optional<CellFault> fault = EditorRangeFault(c, record)) {
            findings.emplace_back(columns[fault->column].name, Caption::FindingRejected,
                                  std::vector<std::string>{fault->reason});
        }
        switch (column.kind) {
        case ColumnKind::StyleName:
            if (record.isDiskStyle()) {
                findings.emplace_back(column.name, Caption::FindingDiskStyle,
                                      std::vector<std::string>{ValueText(c, record, FixedStyleNames())});
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
