#include "edit/TreeDiff.h"

#include "edit/CategoryTree.h"
#include "edit/EntryColumns.h"
#include "edit/EntryKeys.h"

#include <algorithm>
#include <cstring>
#include <new>
#include <string_view>
#include <tuple>
#include <utility>

namespace tessaro {

namespace {

constexpr uint32_t kUnmatched = UINT32_MAX;

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
    std::vector<std::pair<uint16_t, uint8_t>> covered{};
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

// The records of a tree's entries in tree order.
std::vector<const MdbEntry*> RecordsInOrder(const CategoryTree& tree)
{
    std::vector<const MdbEntry*> records;
    records.reserve(tree.EntryNodeCount());
    for (const TreeNode* category = tree.FirstCategory(); category; category = category->NextSibling()) {
        for (const TreeNode* entry = category->FirstChild(); entry; entry = entry->NextSibling())
            records.push_back(&entry->Payload()->record);
    }
    if (records.size() >= kUnmatched)
        throw std::bad_alloc(); // positions are kept in 32 bits
    return records;
}

// A title or category up to its NUL, padded with zeros: two texts are the
// same name exactly when their keys are equal.
struct TextKey
{
    uint64_t words[2] = {};
    bool operator==(const TextKey&) const = default;
};

TextKey KeyOf(std::string_view text)
{
    TextKey key;
    std::memcpy(key.words, text.data(), text.size());
    return key;
}

// Entries that stand one after another with the same category bytes.
struct Stretch
{
    uint64_t hash; // of the category, so that sorting seldom reads the records
    std::string_view category;
    bool second; // of the second tree
    uint32_t begin;
    uint32_t end;
};

void AddStretches(const std::vector<const MdbEntry*>& records, bool second, std::vector<Stretch>& stretches)
{
    for (uint32_t begin = 0; begin < records.size();) {
        const std::string_view category = records[begin]->CategoryBytes();
        uint32_t end = begin + 1;
        while (end < records.size() && records[end]->CategoryBytes() == category)
            ++end;
        stretches.push_back({HashOf(KeyOf(category)), category, second, begin, end});
        begin = end;
    }
}

// For each entry: which occurrence of its category and title it is in its
// tree, and for the first tree's entries the position of the second tree's
// entry with the same category, title and occurrence.
struct Matching
{
    std::vector<uint32_t> partner;          // of each first entry; kUnmatched when removed
    std::vector<uint32_t> firstOccurrence;  // 1 for the first entry of that name, ...
    std::vector<uint32_t> secondOccurrence;
    std::vector<bool> secondMatched;
};

// The titles of one category, found by their bytes, and how often each
// stands in either tree. Kept between categories so that its memory is
// taken once.
class CategoryTitles
{
public:
    void Reset(std::size_t entries)
    {
        std::size_t capacity = 16;
        while (capacity < 2 * entries)
            capacity *= 2;
        slots_.assign(capacity, 0);
        titles_.clear();
    }

    // The title's number, given when it is first seen.
    uint32_t Find(const TextKey& key)
    {
        const std::size_t mask = slots_.size() - 1;
        for (std::size_t slot = std::size_t(HashOf(key)) & mask;; slot = (slot + 1) & mask) {
            const uint32_t held = slots_[slot];
            if (held == 0) {
                titles_.push_back({key});
                slots_[slot] = uint32_t(titles_.size());
                return uint32_t(titles_.size() - 1);
            }
            if (titles_[held - 1].key == key)
                return held - 1;
        }
    }

    struct Title
    {
        TextKey key;
        uint32_t inFirst = 0;
        uint32_t inSecond = 0;
        uint32_t partners = 0; // where its entries of the second tree begin among all of the category's
    };
    std::vector<Title>& Titles() { return titles_; }

private:
    std::vector<uint32_t> slots_; // title number + 1; 0 for a free slot
    std::vector<Title> titles_;
};

template <class Visit> void ForEachIn(const Stretch* begin, const Stretch* end, Visit visit)
{
    for (const Stretch* stretch = begin; stretch != end; ++stretch) {
        for (uint32_t i = stretch->begin; i < stretch->end; ++i)
            visit(i);
    }
}

// Matches the entries of one category name: the stretches of the first tree
// in [begin, split), those of the second in [split, end), each in tree order.
// The k-th entry of a title in the first tree is the k-th in the second.
void MatchCategory(const std::vector<const MdbEntry*>& first, const std::vector<const MdbEntry*>& second,
                   const Stretch* begin, const Stretch* split, const Stretch* end, Matching& matching,
                   CategoryTitles& titles, std::vector<uint32_t>& titleOf, std::vector<uint32_t>& partners)
{
    std::size_t firstCount = 0, count = 0;
    ForEachIn(begin, end, [&](uint32_t) { ++count; });
    ForEachIn(begin, split, [&](uint32_t) { ++firstCount; });
    titles.Reset(count);
    titleOf.clear();
    std::vector<CategoryTitles::Title>& named = titles.Titles();
    ForEachIn(begin, split, [&](uint32_t i) {
        const uint32_t title = titles.Find(KeyOf(first[i]->TitleBytes()));
        matching.firstOccurrence[i] = ++named[title].inFirst;
        titleOf.push_back(title);
    });
    ForEachIn(split, end, [&](uint32_t j) {
        const uint32_t title = titles.Find(KeyOf(second[j]->TitleBytes()));
        matching.secondOccurrence[j] = ++named[title].inSecond;
        titleOf.push_back(title);
    });
    // The second tree's entries grouped by title, each group in tree order.
    uint32_t at = 0;
    for (CategoryTitles::Title& title : named) {
        title.partners = at;
        at += title.inSecond;
    }
    partners.resize(at);
    std::size_t k = firstCount;
    ForEachIn(split, end, [&](uint32_t j) {
        const CategoryTitles::Title& title = named[titleOf[k++]];
        const uint32_t occurrence = matching.secondOccurrence[j];
        partners[title.partners + occurrence - 1] = j;
        matching.secondMatched[j] = occurrence <= title.inFirst;
    });
    k = 0;
    ForEachIn(begin, split, [&](uint32_t i) {
        const CategoryTitles::Title& title = named[titleOf[k++]];
        const uint32_t occurrence = matching.firstOccurrence[i];
        if (occurrence <= title.inSecond)
            matching.partner[i] = partners[title.partners + occurrence - 1];
    });
}

// Entries match by category and title exactly; within one category a table
// of its titles does, so no key is held per entry.
Matching Match(const std::vector<const MdbEntry*>& first, const std::vector<const MdbEntry*>& second)
{
    Matching matching;
    matching.partner.assign(first.size(), kUnmatched);
    matching.firstOccurrence.assign(first.size(), 0);
    matching.secondOccurrence.assign(second.size(), 0);
    matching.secondMatched.assign(second.size(), false);

    // A category's entries stand together in a tree, so there are few stretches.
    std::vector<Stretch> stretches;
    AddStretches(first, false, stretches);
    AddStretches(second, true, stretches);
    std::sort(stretches.begin(), stretches.end(), [](const Stretch& a, const Stretch& b) {
        return std::tie(a.hash, a.category, a.second, a.begin) < std::tie(b.hash, b.category, b.second, b.begin);
    });
    CategoryTitles titles;
    std::vector<uint32_t> titleOf;
    std::vector<uint32_t> partners;
    for (std::size_t begin = 0; begin < stretches.size();) {
        std::size_t end = begin + 1;
        while (end < stretches.size() && stretches[end].category == stretches[begin].category)
            ++end;
        std::size_t split = begin;
        while (split < end && !stretches[split].second)
            ++split;
        MatchCategory(first, second, &stretches[begin], &stretches[split], stretches.data() + end, matching,
                      titles, titleOf, partners);
        begin = end;
    }
    return matching;
}

// Marks the first tree's entries that belong to one longest run whose
// partners rise: the entries that kept their order; the others moved.
// Removed entries belong to no run.
std::vector<bool> KeptOrder(const std::vector<uint32_t>& partner)
{
    const uint32_t none = uint32_t(partner.size());
    std::vector<uint32_t> tails; // first entries, by run length
    std::vector<uint32_t> before(partner.size(), none);
    for (uint32_t i = 0; i < partner.size(); ++i) {
        if (partner[i] == kUnmatched)
            continue;
        // Mostly the entries kept their order: the run grows at its end.
        auto at = tails.end();
        if (!tails.empty() && partner[tails.back()] >= partner[i]) {
            at = std::lower_bound(tails.begin(), tails.end(), partner[i],
                                  [&partner](uint32_t t, uint32_t value) { return partner[t] < value; });
        }
        if (at != tails.begin())
            before[i] = *(at - 1);
        if (at == tails.end())
            tails.push_back(i);
        else
            *at = i;
    }
    std::vector<bool> kept(partner.size(), false);
    for (uint32_t i = tails.empty() ? none : tails.back(); i < none; i = before[i])
        kept[i] = true;
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

void ForEachDifference(const CategoryTree& before, const CategoryTree& after,
                       const std::function<void(EntryDifference&)>& report)
{
    const std::vector<const MdbEntry*> first = RecordsInOrder(before);
    const std::vector<const MdbEntry*> second = RecordsInOrder(after);
    const Matching matching = Match(first, second);

    const std::vector<bool> kept = KeptOrder(matching.partner);

    const auto difference = [](EntryDifference::Kind kind, const MdbEntry& record, uint32_t occurrence) {
        return EntryDifference{kind, record.GetCategory(), record.GetTitle(), int(occurrence), {}};
    };
    for (std::size_t i = 0; i < first.size(); ++i) {
        const uint32_t occurrence = matching.firstOccurrence[i];
        const uint32_t partner = matching.partner[i];
        if (partner == kUnmatched) {
            EntryDifference removed = difference(EntryDifference::Kind::Removed, *first[i], occurrence);
            report(removed);
            continue;
        }
        std::vector<FieldChange> changes = CompareRecords(*first[i], *second[partner], before.Styles());
        if (!changes.empty()) {
            EntryDifference changed = difference(EntryDifference::Kind::Changed, *first[i], occurrence);
            changed.changes = std::move(changes);
            report(changed);
        }
        if (!kept[i]) {
            EntryDifference moved = difference(EntryDifference::Kind::Moved, *first[i], occurrence);
            report(moved);
        }
    }
    for (std::size_t j = 0; j < second.size(); ++j) {
        if (!matching.secondMatched[j]) {
            EntryDifference added =
                difference(EntryDifference::Kind::Added, *second[j], matching.secondOccurrence[j]);
            report(added);
        }
    }
}

std::vector<EntryDifference> CompareTrees(const CategoryTree& before, const CategoryTree& after)
{
    std::vector<EntryDifference> differences;
    ForEachDifference(before, after,
                      [&differences](EntryDifference& difference) { differences.push_back(std::move(difference)); });
    return differences;
}

} // namespace tessaro
