// Which main window a user gets, and the modern window's stored column widths.

#include "app/WindowLayout.h"
#include "app/SettingsKeys.h"
#include "support/MapSettingsStore.h"

#include <gtest/gtest.h>

namespace tessaro {
namespace {

TEST(WindowLayoutTest, FirstStartIsModernAndExistingSettingsKeepTheClassicWindow)
{
    MapSettingsStore fresh;
    EXPECT_EQ(ReadWindowLayout(fresh), WindowLayout::Modern);

    for (const char* language : {settings::kLanguageGerman, settings::kLanguageEnglish}) {
        MapSettingsStore existing;
        existing.WriteString(settings::kSection, settings::kLanguage, language);
        EXPECT_EQ(ReadWindowLayout(existing), WindowLayout::Classic) << language;
    }
    // A language never chosen (the dialog was escaped) is no long-time user.
    MapSettingsStore unchosen;
    unchosen.WriteString(settings::kSection, settings::kLanguage, "X");
    EXPECT_EQ(ReadWindowLayout(unchosen), WindowLayout::Modern);
}

TEST(WindowLayoutTest, TheFirstStartsChoiceOutlivesTheLanguageChosenInIt)
{
    MapSettingsStore store;
    EXPECT_EQ(ChooseWindowLayout(store), WindowLayout::Modern);
    EXPECT_EQ(store.IntValue(settings::kSection, settings::kLayout), 1);
    store.WriteString(settings::kSection, settings::kLanguage, settings::kLanguageGerman);
    EXPECT_EQ(ChooseWindowLayout(store), WindowLayout::Modern);

    MapSettingsStore existing;
    existing.WriteString(settings::kSection, settings::kLanguage, settings::kLanguageEnglish);
    EXPECT_EQ(ChooseWindowLayout(existing), WindowLayout::Classic);
    EXPECT_EQ(existing.IntValue(settings::kSection, settings::kLayout), 0);
}

TEST(WindowLayoutTest, StoredChoiceWinsAndOddValuesFallBack)
{
    MapSettingsStore store;
    store.WriteString(settings::kSection, settings::kLanguage, settings::kLanguageEnglish);
    ASSERT_TRUE(WriteWindowLayout(store, WindowLayout::Modern));
    EXPECT_EQ(store.IntValue(settings::kSection, settings::kLayout), 1);
    EXPECT_EQ(ReadWindowLayout(store), WindowLayout::Modern);
    ASSERT_TRUE(WriteWindowLayout(store, WindowLayout::Classic));
    EXPECT_EQ(store.IntValue(settings::kSection, settings::kLayout), 0);
    EXPECT_EQ(ReadWindowLayout(store), WindowLayout::Classic);

    store.WriteInt(settings::kSection, settings::kLayout, 7); // hand-edited: as if absent
    EXPECT_EQ(ReadWindowLayout(store), WindowLayout::Classic);
}

TEST(WindowLayoutTest, ColumnWidthsRoundTripAndRefuseWhatDoesNotFit)
{
    const std::vector<int> widths{220, 0, 48, 24, 160, 0};
    const std::string text = ColumnWidthsText(widths);
    EXPECT_EQ(text, "220,0,48,24,160,0");
    EXPECT_EQ(ParseColumnWidths(text, 6), widths);

    EXPECT_EQ(ParseColumnWidths("", 6), std::nullopt);
    EXPECT_EQ(ParseColumnWidths(text, 5), std::nullopt);                // another number of columns
    EXPECT_EQ(ParseColumnWidths("0,80,80,80,80,80", 6), std::nullopt);  // the title never hides
    EXPECT_EQ(ParseColumnWidths("220,5,48,24,160,0", 6), std::nullopt); // too narrow to grab
    EXPECT_EQ(ParseColumnWidths("220,-1,48,24,160,0", 6), std::nullopt);
    EXPECT_EQ(ParseColumnWidths("220,,48,24,160,0", 6), std::nullopt);
    EXPECT_EQ(ParseColumnWidths("220,x,48,24,160,0", 6), std::nullopt);
    EXPECT_EQ(ParseColumnWidths("220,99999,48,24,160,0", 6), std::nullopt);
    EXPECT_EQ(ParseColumnWidths("220,0,48,24,160,0,", 6), std::nullopt);
}

} // namespace
} // namespace tessaro
