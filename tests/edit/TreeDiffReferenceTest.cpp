// The comparison of two trees against the first way it was written (kept
// here as the reference: entries grouped by one sort of hashed category and
// title keys), on random and hostile pairs of trees of many shapes. Every
// difference must come out the same, in the same order.
#include "edit/TreeDiff.h"
#include "support/DataTestSupport.h"
#include "support/TreeTestSupport.h"

#include "edit/CategoryTree.h"
#include "edit/EntryKeys.h"
#include "edit/PaneLoad.h"
#include "edit/PaneState.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <memory>
#include <random>

namespace tessaro {
namespace {

// ---- the reference -----------------------------------------------------------

struct Listed
{
    const MdbEntry* record;
    uint32_t occurrence = 0;
};

std::vector<Listed> ListedOf(const CategoryTree& tree)
{
    std::vector<Listed> entries;
    for (const TreeNode* category = tree.FirstCategory(); category; category = category->NextSibling()) {
        for (const TreeNode* entry = category->FirstChild(); entry; entry = entry->NextSibling())
            entries.push_back({&entry->Payload()->record});
    }
    return entries;
}

std::vector<std::size_t> ReferenceMatch(std::vector<Listed>& first, std::vector<Listed>& second)
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

std::vector<bool> ReferenceLongestIncreasing(const std::vector<std::size_t>& sequence)
{
    std::vector<std::size_t> tails;
    std::vector<std::size_t> before(sequence.size(), sequence.size());
    for (std::size_t i = 0; i < sequence.size(); ++i) {
        const auto at =
            std::lower_bound(tails.begin(), tails.end(), sequence[i],
                             [&sequence](std::size_t t, std::size_t value) { return sequence[t] < value; });
        if (at != tails.begin())
            before[i] = *(at - 1);
        if (at == tails.end())
            tails.push_back(i);
        else
            *at = i;
    }
    std::vector<bool> kept(sequence.size(), false);
    for (std::size_t i = tails.empty() ? sequence.size() : tails.back(); i < sequence.size(); i = before[i])
        kept[i] = true;
    return kept;
}

std::vector<EntryDifference> ReferenceCompare(const CategoryTree& before, const CategoryTree& after)
{
    std::vector<Listed> first = ListedOf(before);
    std::vector<Listed> second = ListedOf(after);
    const std::vector<std::size_t> matched = ReferenceMatch(first, second);
    std::vector<std::size_t> order;
    std::vector<bool> inFirst(second.size(), false);
    for (std::size_t i = 0; i < first.size(); ++i) {
        if (matched[i] != second.size()) {
            inFirst[matched[i]] = true;
            order.push_back(matched[i]);
        }
    }
    const std::vector<bool> kept = ReferenceLongestIncreasing(order);
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
        if (moved)
            differences.push_back(difference(EntryDifference::Kind::Moved, first[i]));
    }
    for (std::size_t i = 0; i < second.size(); ++i) {
        if (!inFirst[i])
            differences.push_back(difference(EntryDifference::Kind::Added, second[i]));
    }
    return differences;
}

// ---- the pairs ------------------------------------------------------------------

// Every field of every difference, one line each.
std::string Describe(const std::vector<EntryDifference>& differences)
{
    std::string text;
    for (const EntryDifference& d : differences) {
        text += std::to_string(int(d.kind)) + "|" + d.category + "|" + d.title + "|" +
                std::to_string(d.occurrence) + "\n";
        for (const FieldChange& change : d.changes)
            text += "  " + change.field + "|" + change.before + "|" + change.after + "\n";
    }
    return text;
}

// Few names, so that titles repeat within a category and across categories,
// sub entries stand behind their groups and entries share groups.
MdbEntry SmallWorldRecord(std::mt19937& rng)
{
    static const char* kCategories[] = {"Pop", "Rock", "pop", "Jazz", ""};
    static const char* kTitles[] = {"Intro", "Intro ", "  Intro", "Ballad", "A", "Ende", "", " Ende"};
    MdbEntry record;
    record.bytes()[kInUseOffset] = 1;
    record.SetCategory(kCategories[rng() % 5]);
    record.SetTitle(kTitles[rng() % 8]);
    record.setStyleNumber(uint8_t(rng() % 3));
    record.setTempo(uint16_t(100 + 20 * (rng() % 2)));
    record.setMainVolume(uint8_t(rng() % 3));
    return record;
}

// The second file as an edit of the first: settings changed (some moving the
// entry to another group), titles renamed onto others, entries dropped,
// added, or arriving in another order.
std::vector<MdbEntry> Edited(std::vector<MdbEntry> records, std::mt19937& rng,
                             MdbEntry (*make)(std::mt19937&))
{
    std::vector<MdbEntry> edited;
    for (MdbEntry& record : records) {
        switch (rng() % 12) {
        case 0:
            continue; // dropped
        case 1:
            edited.push_back(make(rng)); // added
            break;
        case 2:
            record.setMainVolume(uint8_t(record.mainVolume() + 1));
            break;
        case 3:
            record.setTempo(uint16_t(record.tempo() + 20));
            break;
        case 4:
            record.SetTitle(make(rng).GetTitle());
            break;
        case 5:
            record.bytes()[rng() % kRecordSize] ^= uint8_t(1 + rng() % 255);
            break;
        default:
            break;
        }
        edited.push_back(record);
    }
    for (std::size_t swaps = rng() % 4; swaps > 0 && edited.size() > 1; --swaps)
        std::swap(edited[rng() % edited.size()], edited[rng() % edited.size()]);
    return edited;
}

std::unique_ptr<PaneState> Loaded(const std::vector<MdbEntry>& records)
{
    auto pane = std::make_unique<PaneState>(NumberedStyles());
    for (const MdbEntry& record : records)
        EXPECT_TRUE(InsertLoadedRecord(*pane, record));
    return pane;
}

// A tree of any shape, as no load makes it: categories of the same name apart
// from each other, entries in no group order, entries whose category bytes are
// not their category's name, and empty categories.
std::unique_ptr<PaneState> AnyShape(const std::vector<MdbEntry>& records, std::mt19937& rng)
{
    auto pane = std::make_unique<PaneState>(NumberedStyles());
    TreeLoad load(pane->tree);
    std::vector<TreeNode*> categories;
    for (const MdbEntry& record : records) {
        auto entry = std::make_unique<EntryNode>();
        entry->record = record;
        if (categories.empty() || rng() % 6 == 0) {
            categories.push_back(pane->tree.InsertCategoryNode(*entry, Place::Last()));
            if (rng() % 4 == 0) { // one that stays empty
                auto placeholder = std::make_unique<EntryNode>();
                placeholder->record = record;
                pane->tree.InsertCategoryNode(std::move(placeholder), Place::Last());
            }
        }
        TreeNode* category = rng() % 3 ? categories.back() : categories[rng() % categories.size()];
        EXPECT_NE(pane->tree.InsertEntryNode(category, std::move(entry),
                                             rng() % 2 ? Place::Last() : Place::First()),
                  nullptr);
    }
    return pane;
}

void ExpectSameAsReference(const CategoryTree& before, const CategoryTree& after, const std::string& what)
{
    const std::string expected = Describe(ReferenceCompare(before, after));
    EXPECT_EQ(Describe(CompareTrees(before, after)), expected) << what;
    std::vector<EntryDifference> streamed;
    ForEachDifference(before, after, [&streamed](EntryDifference& d) { streamed.push_back(d); });
    EXPECT_EQ(Describe(streamed), expected) << what;
}

TEST(TreeDiffReference, LoadedFilesWithRepeatedNamesDifferAsTheyDid)
{
    std::mt19937 rng(7);
    int differing = 0;
    for (int round = 0; round < 150; ++round) {
        std::vector<MdbEntry> records;
        for (std::size_t n = rng() % (round < 10 ? 4 : 120); n > 0; --n)
            records.push_back(SmallWorldRecord(rng));
        const std::vector<MdbEntry> edited = Edited(records, rng, SmallWorldRecord);
        const auto before = Loaded(records);
        const auto after = Loaded(edited);
        ExpectSameAsReference(before->tree, after->tree, "round " + std::to_string(round));
        ExpectSameAsReference(after->tree, before->tree, "swapped, round " + std::to_string(round));
        differing += CompareTrees(before->tree, after->tree).empty() ? 0 : 1;
    }
    EXPECT_GT(differing, 100); // the pairs do differ, mostly
}

TEST(TreeDiffReference, HostileRecordsInTreesOfAnyShapeDifferAsTheyDid)
{
    std::mt19937 rng(11);
    for (int round = 0; round < 100; ++round) {
        std::vector<MdbEntry> records;
        for (std::size_t n = rng() % 80; n > 0; --n)
            records.push_back(testing::AdversarialRecord(rng));
        const std::vector<MdbEntry> edited = Edited(records, rng, testing::AdversarialRecord);
        const auto before = AnyShape(records, rng);
        const auto after = rng() % 2 ? AnyShape(edited, rng) : Loaded(edited);
        ExpectSameAsReference(before->tree, after->tree, "round " + std::to_string(round));
        ExpectSameAsReference(after->tree, before->tree, "swapped, round " + std::to_string(round));
    }
}

TEST(TreeDiffReference, OneSideEmptyOrBothTheSame)
{
    std::mt19937 rng(3);
    std::vector<MdbEntry> records;
    for (int n = 0; n < 60; ++n)
        records.push_back(SmallWorldRecord(rng));
    const auto full = Loaded(records);
    const auto empty = Loaded({});
    ExpectSameAsReference(full->tree, empty->tree, "all removed");
    ExpectSameAsReference(empty->tree, full->tree, "all added");
    EXPECT_EQ(CompareTrees(full->tree, empty->tree).size(), records.size());
    EXPECT_TRUE(CompareTrees(full->tree, Loaded(records)->tree).empty());
}

} // namespace
} // namespace tessaro
