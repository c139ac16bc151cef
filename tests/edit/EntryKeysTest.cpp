// The fixed-size keys duplicates and comparisons group by: equal exactly when
// the texts they stand for are, and never joined by a shared hash.
#include "edit/EntryKeys.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tessaro {
namespace {

MdbEntry Named(const std::string& category, const std::string& title)
{
    MdbEntry record;
    record.SetCategory(category);
    record.SetTitle(title);
    return record;
}

TEST(EntryKeysTest, NameKeysAreEqualExactlyWhenTheTextsAre)
{
    MdbEntry noise = Named("Pop", "Love");
    noise.bytes()[20 + 10] = 'x'; // after the category's NUL
    noise.bytes()[12] = 'y';      // after the title's NUL
    EXPECT_EQ(CategoryAndTitle(noise), CategoryAndTitle(Named("Pop", "Love")));
    EXPECT_NE(CategoryAndTitle(Named("Pop", "Love")), CategoryAndTitle(Named("Pop ", "Love")));
    EXPECT_NE(CategoryAndTitle(Named("Pop", "Love")), CategoryAndTitle(Named("Pop", "love")));
    // The field boundary is kept: text cannot slide from one field into the other.
    EXPECT_NE(CategoryAndTitle(Named("PopL", "ove")), CategoryAndTitle(Named("Pop", "Love")));
    EXPECT_EQ(CategoryAndTitle(Named("A name of sixteen", "A title of 16 ch")),
              CategoryAndTitle(Named("A name of sixteen", "A title of 16 ch")));

    // Folded: leading spaces and letter case of the title do not count, the category's case does.
    EXPECT_EQ(CategoryAndFoldedTitle(Named("Pop", "  love me")), CategoryAndFoldedTitle(Named("Pop", "LOVE ME")));
    EXPECT_EQ(CategoryAndFoldedTitle(Named("Pop", "\xE9t\xE9")), CategoryAndFoldedTitle(Named("Pop", "\xC9T\xC9")));
    EXPECT_NE(CategoryAndFoldedTitle(Named("Pop", "love")), CategoryAndFoldedTitle(Named("pop", "love")));
    EXPECT_NE(CategoryAndFoldedTitle(Named("Pop", "love me")), CategoryAndFoldedTitle(Named("Pop", "loveme")));
}

TEST(EntryKeysTest, TheRegistrationLeavesOutTitleInUseByteAndCategoryOnly)
{
    MdbEntry a = Named("Pop", "One");
    MdbEntry b = Named("Jazz", "Other");
    a.bytes()[kInUseOffset] = 1;
    b.bytes()[kInUseOffset] = 7;
    EXPECT_EQ(RegistrationOf(a), RegistrationOf(b));
    EXPECT_EQ(HashOf(RegistrationOf(a)), HashOf(RegistrationOf(b)));
    for (const std::size_t byte : {std::size_t(17), std::size_t(19), std::size_t(36), std::size_t(53), kRecordSize - 1}) {
        MdbEntry changed = b;
        changed.bytes()[byte] ^= 1;
        EXPECT_NE(RegistrationOf(a), RegistrationOf(changed)) << "byte " << byte;
    }
}

TEST(EntryKeysTest, RunsSplitKeysThatShareAHashAndKeepIndexOrder)
{
    // Keys by index; indices 1, 3 and 4 share a hash with 0 but only 4 has its key.
    const std::vector<int> keys = {10, 11, 20, 12, 10, 20, 30};
    std::vector<HashedIndex> items = {{5, 4}, {9, 2}, {5, 0}, {5, 3}, {5, 1}, {9, 5}, {1, 6}};
    std::vector<std::vector<uint32_t>> runs;
    ForEachEqualRun(
        items, [&](uint32_t a, uint32_t b) { return keys[a] == keys[b]; },
        [&](const HashedIndex* first, const HashedIndex* last) {
            std::vector<uint32_t>& run = runs.emplace_back();
            for (const HashedIndex* item = first; item != last; ++item)
                run.push_back(item->index);
        });
    const std::vector<std::vector<uint32_t>> expected = {{6}, {0, 4}, {1}, {3}, {2, 5}};
    EXPECT_EQ(runs, expected);
}

} // namespace
} // namespace tessaro
