#include "common/Texts.h"

#include <gtest/gtest.h>

#include <cstring>
#include <set>
#include <string>
#include <utility>

namespace tessaro {
namespace {

class TextsTest : public ::testing::Test
{
protected:
    void TearDown() override { SetUiLanguage(UiLanguage::English); }

    template <typename Id> static void CheckTable(const char* tableName)
    {
        std::set<std::pair<std::string, std::string>> seen;
        for (int i = 0; i < static_cast<int>(Id::Count_); ++i) {
            const TextPair& pair = TextsOf(static_cast<Id>(i));
            SCOPED_TRACE(std::string(tableName) + " id " + std::to_string(i));
            ASSERT_NE(pair.english, nullptr);
            ASSERT_NE(pair.german, nullptr);
            EXPECT_STRNE(pair.english, "");
            EXPECT_STRNE(pair.german, "");
            // Equal texts must be marked as deliberate, so a missing translation shows up.
            EXPECT_EQ(pair.oneText, std::strcmp(pair.english, pair.german) == 0) << pair.english;
            EXPECT_TRUE(seen.insert({pair.english, pair.german}).second) << "twice: " << pair.english;
        }
    }
};

TEST_F(TextsTest, EveryIdHasBothTexts)
{
    CheckTable<Msg>("Msg");
    CheckTable<Caption>("Caption");
    CheckTable<ModernText>("ModernText");
    CheckTable<PanelText>("PanelText");
}

TEST_F(TextsTest, TrPicksTheCurrentLanguage)
{
    EXPECT_FALSE(IsGerman());
    EXPECT_EQ(Tr(Msg::InvalidChecksum), "Invalid checksum!");
    EXPECT_EQ(Tr(Caption::SaveAs), "Save As");

    SetUiLanguage(UiLanguage::German);
    EXPECT_TRUE(IsGerman());
    EXPECT_EQ(Tr(Msg::InvalidChecksum), "Ungültige Checksumme!");
    EXPECT_EQ(Tr(Caption::SaveAs), "Speich.unt.");
    EXPECT_EQ(Tr(Caption::HelpPage), "Tessaro.htm");
}

TEST_F(TextsTest, OneTextIdsReadTheSameInBothLanguages)
{
    const std::string title = Tr(Caption::MainWindowTitle);
    SetUiLanguage(UiLanguage::German);
    EXPECT_EQ(Tr(Caption::MainWindowTitle), title);
    EXPECT_EQ(title, "Tessaro  -  Music Database Editor for Yamaha PSR-9000 and 9000pro");
    EXPECT_EQ(Tr(Msg::ContextMenuHandlerFailed), "GetUIObjectOf failed! hr=%lx");
}

TEST_F(TextsTest, TrickyTextsAreKeptAsWritten)
{
    SetUiLanguage(UiLanguage::German);
    EXPECT_EQ(Tr(Msg::NotAValidMdb), "Diese Datei enthält keine gültige PSR9000 or 9000Pro MDB!");
    EXPECT_EQ(Tr(Msg::ErrorOpeningFlashStyle), "Fehler beim Öffnen des Flash-Sytle Backups!");
    EXPECT_EQ(Tr(Msg::SelectDestinationCategory), "Bitte Ziel-Kategeorie auswählen!");
    EXPECT_EQ(Tr(Msg::TooManyEntries),
              "Die MDB enthält mehr als 616 Einträge!\n\nEs müssen einige Einträge gelöscht werden.");
    EXPECT_EQ(Tr(Caption::CopyToMdb), "<< Kopieren");
    EXPECT_EQ(Tr(Caption::Close), "Schließen");
}

TEST_F(TextsTest, FieldCheckPromptsFollowTheLanguage)
{
    // They were German in both languages once; English users now read English.
    EXPECT_EQ(Tr(Msg::EnterWholeNumber), "Please enter an integer.");
    EXPECT_EQ(FillArgs(Tr(Msg::EnterAtMostChars), {"16"}), "Please enter no more than 16 characters.");
    SetUiLanguage(UiLanguage::German);
    EXPECT_EQ(Tr(Msg::EnterWholeNumber), "Geben Sie bitte eine ganze Zahl ein.");
}

TEST_F(TextsTest, FillArgsReplacesNumberedPlaceholders)
{
    EXPECT_EQ(FillArgs(Tr(Msg::EnterWholeNumberBetween), {"32", "280"}),
              "Please enter an integer between 32 and 280.");
    SetUiLanguage(UiLanguage::German);
    EXPECT_EQ(FillArgs(Tr(Msg::EnterWholeNumberBetween), {"32", "280"}),
              "Geben Sie bitte eine ganze Zahl zwischen 32 und 280 ein.");
    EXPECT_EQ(FillArgs(Tr(Msg::EnterAtMostChars), {"16"}), "Geben Sie bitte nicht mehr als 16 Zeichen ein.");
    // Arguments are inserted as they are, never scanned again.
    EXPECT_EQ(FillArgs("%2-%1", {"%2", "x"}), "x-%2");
    // Missing arguments, a lone percent sign and %0 stay in place.
    EXPECT_EQ(FillArgs("%1 %3 100% %0 %", {"a"}), "a %3 100% %0 %");
}

} // namespace
} // namespace tessaro
