#include "edit/Duplicates.h"
#include "support/TreeTestSupport.h"

#include "edit/PaneLoad.h"
#include "edit/PaneState.h"

#include <gtest/gtest.h>

#include <memory>

namespace tessaro {
namespace {

MdbEntry Record(const std::string& category, const std::string& title, int tempo = 100)
{
    MdbEntry record;
    record.bytes()[kInUseOffset] = 1;
    record.SetCategory(category);
    record.SetTitle(title);
    record.setTempo(uint16_t(tempo));
    return record;
}

std::string Titles(const std::vector<std::vector<const TreeNode*>>& groups)
{
    std::string text;
    for (const auto& group : groups) {
        text += "{";
        for (const TreeNode* entry : group) {
            text += entry->Payload()->GetCategory() + "/" + entry->Payload()->GetTitle() + ";";
        }
        text += "}";
    }
    return text;
}

TEST(Duplicates, SameRegistrationWhateverTitleCategoryAndInUseByte)
{
    MdbEntry copy = Record("Jazz", "Other name");
    copy.bytes()[kInUseOffset] = 9;
    MdbEntry reservedDiffers = Record("Pop", "Slightly");
    reservedDiffers.bytes()[53] = 1; // a reserved byte counts
    auto pane = std::make_unique<PaneState>(NumberedStyles());
    for (const MdbEntry& record :
         {Record("Pop", "A"), Record("Pop", "B", 90), copy, reservedDiffers, Record("Rock", "C", 90)}) {
        ASSERT_TRUE(InsertLoadedRecord(*pane, record));
    }
    const DuplicateGroups groups = FindDuplicates(pane->tree);
    EXPECT_EQ(Titles(groups.sameRegistration), "{Pop/B;Rock/C;}{Pop/A;Jazz/Other name;}");
    EXPECT_EQ(Titles(groups.sameTitle), "");
}

TEST(Duplicates, SameTitleInOneCategoryIgnoringCaseAndLeadingSpaces)
{
    auto pane = std::make_unique<PaneState>(NumberedStyles());
    for (const MdbEntry& record :
         {Record("Pop", "Caf\xE9", 80), Record("Pop", "  CAF\xC9", 80), Record("pop", "caf\xE9", 70),
          Record("Pop", "Cafe", 90), Record("Pop", "caf\xE9", 100)}) {
        ASSERT_TRUE(InsertLoadedRecord(*pane, record));
    }
    const DuplicateGroups groups = FindDuplicates(pane->tree);
    // "pop" is another category; "Cafe" another title.
    EXPECT_EQ(Titles(groups.sameTitle), "{Pop/Caf\xE9;Pop/  CAF\xC9;Pop/caf\xE9;}");
}

TEST(Duplicates, NoneInAnEmptyTree)
{
    PaneState pane{NumberedStyles()};
    const DuplicateGroups groups = FindDuplicates(pane.tree);
    EXPECT_TRUE(groups.sameRegistration.empty());
    EXPECT_TRUE(groups.sameTitle.empty());
}

} // namespace
} // namespace tessaro
