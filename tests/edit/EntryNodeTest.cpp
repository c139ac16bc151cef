#include "edit/EntryNode.h"
#include "catalogue/StyleCatalogue.h"

#include <gtest/gtest.h>

namespace tessaro {
namespace {

EntryNode Entry(const std::string& title, int styleIndex, uint16_t tempo)
{
    EntryNode node;
    node.SetTitle(title);
    node.SetCategory("Ballads");
    node.record.setStyleIndex(styleIndex);
    node.record.setTempo(tempo);
    return node;
}

TEST(EntryNodeTest, MainAndSubEntryStripLeadingWhiteSpace)
{
    EXPECT_EQ(AsSubEntry(Entry("  Already sub", 0, 100).record).GetTitle(),
              "  Already sub"); // not four spaces
    EXPECT_EQ(AsSubEntry(Entry("ABCDEFGHIJKLMNOP", 0, 100).record).GetTitle(), "  ABCDEFGHIJKLMN");
    EXPECT_EQ(AsMainEntry(Entry("\t\r\v\f\n Tabbed", 0, 100).record).GetTitle(), "Tabbed");
    // Not white space in the C locale.
    EXPECT_EQ(AsMainEntry(Entry("\xA0Nbsp", 0, 100).record).GetTitle(), "\xA0Nbsp");
}

TEST(EntryNodeTest, DisplayLabelBuildsTheFixedColumns)
{
    const StyleCatalogue styles;
    const std::string style0 = styles.GetStyleName(0);
    ASSERT_FALSE(style0.empty());

    EntryNode node = Entry("Ballad", 0, 96);
    EXPECT_EQ(node.CategoryLabel(), "Ballads");
    EXPECT_EQ(node.DisplayLabel(&styles), "Ballad" + std::string(10 + 5, ' ') + "(" + style0 + ",  96)");

    node = Entry("  Sub", 0, 1000);
    EXPECT_EQ(node.DisplayLabel(&styles), "     Sub" + std::string(11 + 5, ' ') + "(" + style0 + ", 1000)");

    node = Entry("%s%n%d%%", 0, 280); // the title is data, never a format
    node.record.setStyleNumber(250);  // any number from 245 on is a disk style
    node.record.setDiskStyleNumber(4);
    EXPECT_EQ(node.DisplayLabel(&styles), "%s%n%d%%" + std::string(8 + 5, ' ') + "(DiskStyle 5, 280)");
}

TEST(EntryNodeTest, DisplayLabelIsCutAtOneHundredCharacters)
{
    StyleCatalogue styles;
    styles.SetFlashNameIndividual(0, std::string(200, 'L'));
    EntryNode node = Entry("Long", kPresetStyleCount, 120);
    EXPECT_EQ(node.DisplayLabel(&styles).size(), 100u);
    EXPECT_EQ(node.DisplayLabel(&styles).substr(0, 22), "Long" + std::string(12 + 5, ' ') + "(");
}

} // namespace
} // namespace tessaro
