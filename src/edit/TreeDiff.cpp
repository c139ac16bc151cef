#include "edit/TreeDiff.h"

#include "edit/CategoryTree.h"
#include "edit/EntryColumns.h"
#include "edit/EntryKeys.h"

#include <algorithm>
#include <utility>

namespace tessaro {

namespace {

// A setting as the comparison shows it: one or more columns read together.
struct DiffField
{
    enum class Show
    {
        Plain,
        OnOff,
        Style, // StyleNumber and DiskStyle, shown as the style's name
        Voice  // MSB, LSB and program, shown as the voice's name and numbers
    };
    std::string name;
    std::vector<std::size_t> columns; // the first is the one shown for Plain and OnOff
    Show show = Show::Plain;
    std::size_t nameColumn = 0; // Style and Voice: the column with the name
    std::vector<uint8_t> coverage;
    // The bytes with a covered bit and their masks: a record pair is compared
    // on these few, not on all 288 bytes for every field.
    std::vector<std::pair<uint16_t, uint8_t>> covered;
};

std::vector<DiffField> BuildFields()
{
    const std::vector<EntryColumn>& columns = EntryColumns();
    std::vector<DiffField> fields;
    for (std::size_t c = 0; c < columns.size(); ++c) {
        const EntryColumn& column = columns[c];
        if (IsFlagColumn(column.kind)) {
            fields.push_back({column.name, {c}, DiffField::Show::OnOff, 0, {}});
            continue;
        }
        switch (column.kind) {
        case ColumnKind::StyleName:
            fields.push_back(
                {column.name, {ColumnOf(ColumnKind::StyleNumber)}, DiffField::Show::Style, c, {}});
            break;
        case ColumnKind::PartVoiceName:
            fields.push_back(
                {column.name,
                 {ColumnOf(ColumnKind::PartMsb, column.index), ColumnOf(ColumnKind::PartLsb, column.index),
                  ColumnOf(ColumnKind::PartProgram, column.index)},
                 DiffField::Show::Voice,
                 c,
                 {}});
            break;
        case ColumnKind::HandVoiceName:
            fields.push_back(
                {column.name,
                 {ColumnOf(ColumnKind::HandMsb, column.index), ColumnOf(ColumnKind::HandLsb, column.index),
                  ColumnOf(ColumnKind::HandProgram, column.index)},
                 DiffField::Show::Voice,
                 c,
                 {}});
            break;
        case ColumnKind::Category:
        case ColumnKind::Title:
        case ColumnKind::Tempo:
        case ColumnKind::Variation:
        case ColumnKind::MainVolume:
        case ColumnKind::PartVolume:
        case ColumnKind::HandVolume:
            fields.push_back({column.name, {c}, DiffField::Show::Plain, 0, {}});
            break;
        default: // read together with a name column above, or no setting of its own
            break;
        }
    }
    for (DiffField& field : fields) {
        field.coverage.assign(kRecordSize, 0);
        for (const std::size_t c : field.columns) {
            for (std::size_t i = 0; i < kRecordSize; ++i) {
                field.coverage[i] |= CoverageOf(c)[i];
            }
        }
        for (std::size_t i = 0; i < kRecordSize; ++i) {
            if (field.coverage[i] != 0)
                field.covered.emplace_back(uint16_t(i), field.coverage[i]);
        }
    }
    return fields;
}

const std::vector<DiffField>& Fields()
{
    static const std::vector<DiffField> fields = BuildFields();
    return fields;
}

const std::vector<uint8_t>& AllCoverage()
{
    static const std::vector<uint8_t> all = [] {
        std::vector<uint8_t> bits(kRecordSize, 0);
        for (const DiffField& field : Fields()) {
            for (std::size_t i = 0; i < kRecordSize; ++i) {
                bits[i] |= field.coverage[i];
            }
        }
        return bits;
    }();
    return all;
}

std::string Shown(const DiffField& field, const MdbEntry& record, const StyleCatalogue& styles)
{
    switch (field.show) {
    case DiffField::Show::OnOff:
        return ValueText(field.columns[0], record, styles) == "1" ? "on" : "off";
    case DiffField::Show::Style:
        return ValueText(field.nameColumn, record, styles);
    case DiffField::Show::Voice: {
        const std::string numbers = "<" + ValueText(field.columns[0], record, styles) + "," +
                                    ValueText(field.columns[1], record, styles) + "," +
                                    ValueText(field.columns[2], record, styles) + ">";
        const std::string name = ValueText(field.nameColumn, record, styles);
        return name.empty() ? numbers : name + " " + numbers;
    }
    case DiffField::Show::Plain:
        break;
    }
    return ValueText(field.columns[0], record, styles);
}

std::string Hex(uint8_t byte)
{
    constexpr char kDigits[] = "0123456789ABCDEF";
    return {kDigits[byte >> 4], kDigits[byte & 0xF]};
}

// The bytes the field occupies, in hex: for values that read the same but are stored differently.
std::string CoveredBytes(const DiffField& field, const MdbEntry& record)
{
    std::string hex;
    for (std::size_t i = 0; i < kRecordSize; ++i) {
        if (field.coverage[i] != 0) {
            hex += (hex.empty() ? "" : " ") + Hex(record.bytes()[i]);
        }
    }
    return hex;
}

// Each entry's record and its occurrence: 2 for the second entry of that
// category and title in its tree, ...
struct Listed
{
    const MdbEntry* record;
    uint32_t occurrence = 0;
};

std::vector<Listed> EntriesOf(const CategoryTree& tree)
{
    std::vector<Listed> entries;
    entries.reserve(tree.EntryNodeCount());
    for (const TreeNode* category = tree.FirstCategory(); category; category = category->NextSibling()) {
        for (const TreeNode* entry = category->FirstChild(); entry; entry = entry->NextSibling())
            entries.push_back({&entry->Payload()->record});
    }
    return entries;
}

// Numbers the occurrences in both lists and gives, for each entry of the
// first, the position of the entry of the second with the same category,
// title and occurrence (second.size() for none). Entries of equal names are
// found together by one sort of both lists' hashes.
std::vector<std::size_t> Match(std::vector<Listed>& first, std::vector<Listed>& second)
{
    const std::size_t firstCount = first.size();
    const auto recordOf = [&](uint32_t k) -> const MdbEntry& {
        return k < firstCount ? *first[k].record : *second[k - firstCount].record;
    };
    std::vector<HashedIndex> items(firstCount + second.size());
    for (std::size_t k = 0; k < items.size(); ++k)
        items[k] = {HashOf(CategoryAndTitle(recordOf(uint32_t(k)))), uint32_t(k)};
    std::vector<std::size_t> matched(firstCount, second.size());
    ForEachEqualRun(
        items,
        [&](uint32_t a, uint32_t b) { return CategoryAndTitle(recordOf(a)) == CategoryAndTitle(recordOf(b)); },
        [&](const HashedIndex* begin, const HashedIndex* end) {
            // In rising index order: the first list's entries, then the second's.
            const HashedIndex* split = begin;
            for (uint32_t occurrence = 1; split != end && split->index < firstCount; ++split)
                first[split->index].occurrence = occurrence++;
            uint32_t occurrence = 1;
            for (const HashedIndex* item = split; item != end; ++item)
                second[item->index - firstCount].occurrence = occurrence++;
            for (std::ptrdiff_t k = 0; k < split - begin && k < end - split; ++k)
                matched[begin[k].index] = split[k].index - firstCount;
        });
    return matched;
}

// Marks the positions of sequence that belong to one longest increasing run:
// the entries that kept their order; the others moved.
std::vector<bool> LongestIncreasing(const std::vector<std::size_t>& sequence)
{
    std::vector<std::size_t> tails; // positions in sequence, by run length
    std::vector<std::size_t> before(sequence.size(), sequence.size());
    for (std::size_t i = 0; i < sequence.size(); ++i) {
        const auto at =
            std::lower_bound(tails.begin(), tails.end(), sequence[i],
                             [&sequence](std::size_t t, std::size_t value) { return sequence[t] < value; });
        if (at != tails.begin()) {
            before[i] = *(at - 1);
        }
        if (at == tails.end()) {
            tails.push_back(i);
        } else {
            *at = i;
        }
    }
    std::vector<bool> kept(sequence.size(), false);
    for (std::size_t i = tails.empty() ? sequence.size() : tails.back(); i < sequence.size(); i = before[i]) {
        kept[i] = true;
    }
    return kept;
}

} // namespace

std::vector<FieldChange> CompareRecords(const MdbEntry& before, const MdbEntry& after,
                                        const StyleCatalogue& styles)
{
    std::vector<FieldChange> changes;
    if (before == after) {
        return changes;
    }
    for (const DiffField& field : Fields()) {
        bool differs = false;
        for (const auto& [i, mask] : field.covered) {
            if (((before.bytes()[i] ^ after.bytes()[i]) & mask) != 0) {
                differs = true;
                break;
            }
        }
        if (!differs) {
            continue;
        }
        FieldChange change{field.name, Shown(field, before, styles), Shown(field, after, styles)};
        if (change.before == change.after) {
            change.before = CoveredBytes(field, before);
            change.after = CoveredBytes(field, after);
        }
        changes.push_back(std::move(change));
    }
    const std::vector<uint8_t>& covered = AllCoverage();
    for (std::size_t i = 0; i < kRecordSize; ++i) {
        if (((before.bytes()[i] ^ after.bytes()[i]) & ~covered[i]) != 0) {
            changes.push_back({"Byte " + std::to_string(i), Hex(before.bytes()[i]), Hex(after.bytes()[i])});
        }
    }
    return changes;
}

std::vector<EntryDifference> CompareTrees(const CategoryTree& before, const CategoryTree& after)
{
    std::vector<Listed> first = EntriesOf(before);
    std::vector<Listed> second = EntriesOf(after);
    const std::vector<std::size_t> matched = Match(first, second);

    // The second tree's positions of the matched entries, in the first tree's order.
    std::vector<std::size_t> order;
    order.reserve(first.size());
    std::vector<bool> inFirst(second.size(), false);
    for (std::size_t i = 0; i < first.size(); ++i) {
        if (matched[i] != second.size()) {
            inFirst[matched[i]] = true;
            order.push_back(matched[i]);
        }
    }
    const std::vector<bool> kept = LongestIncreasing(order);

    std::vector<EntryDifference> differences;
    const auto difference = [](EntryDifference::Kind kind, const Listed& entry) {
        return EntryDifference{kind, entry.record->GetCategory(), entry.record->GetTitle(),
                               int(entry.occurrence), {}};
    };
    std::size_t matchedIndex = 0;
    for (std::size_t i = 0; i < first.size(); ++i) {
        if (matched[i] == second.size()) {
            differences.push_back(difference(EntryDifference::Kind::Removed, first[i]));
            continue;
        }
        const bool moved = !kept[matchedIndex++];
        std::vector<FieldChange> changes =
            CompareRecords(*first[i].record, *second[matched[i]].record, before.Styles());
        if (!changes.empty()) {
            differences.push_back(difference(EntryDifference::Kind::Changed, first[i]));
            differences.back().changes = std::move(changes);
        }
        if (moved) {
            differences.push_back(difference(EntryDifference::Kind::Moved, first[i]));
        }
    }
    for (std::size_t i = 0; i < second.size(); ++i) {
        if (!inFirst[i]) {
            differences.push_back(difference(EntryDifference::Kind::Added, second[i]));
        }
    }
    return differences;
}

} // namespace tessaro
