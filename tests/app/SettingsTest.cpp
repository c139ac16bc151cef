// Start-up: the language choice and the stored settings, and their write at exit.
#include "support/AppTestSupport.h"

#include "app/SettingsKeys.h"

namespace tessaro {
namespace {

using settings::kSection;

class SettingsTest : public AppTest
{
};

TEST_F(SettingsTest, FirstStartWithAnEmptyStore)
{
    state.Initialise(); // the language dialog escaped: English, nothing stored
    EXPECT_EQ(prompts.languageDialogs, 1);
    EXPECT_FALSE(IsGerman());
    EXPECT_EQ(store.Count(), 0u);
    EXPECT_TRUE(state.backupStructureOption);
    EXPECT_FALSE(state.noNetworkOption);
    EXPECT_EQ(state.flashStyleMode, kFlashFactory);
    EXPECT_EQ(state.keyboardModel, 0);
    EXPECT_EQ(state.modelLabel, "");
    EXPECT_TRUE(state.FillRecentCombo(state.mdbPane).lines.empty());
    EXPECT_TRUE(state.FillRecentCombo(state.archivePane).lines.empty());
    EXPECT_FALSE(state.windowPosition.IsSet());
    EXPECT_FALSE(state.HasActivePane());
    EXPECT_FALSE(state.startupFolder.empty());
}

TEST_F(SettingsTest, StoredLanguage)
{
    struct Case
    {
        std::string stored;
        bool asks;
        bool german;
    };
    for (const Case& c : {Case{"G", false, true}, Case{"E", false, false}, Case{"g", true, false},
                          Case{"German", true, false}}) {
        SCOPED_TRACE(c.stored);
        MapSettingsStore languageStore;
        AppPrompts languagePrompts;
        languageStore.WriteString(kSection, settings::kLanguage, c.stored);
        StyleCatalogue languageStyles;
        MainWindowState(languagePrompts, languageStore, languageStyles).RunLanguageChoice();
        EXPECT_EQ(languagePrompts.languageDialogs, c.asks ? 1 : 0);
        EXPECT_EQ(IsGerman(), c.german);
        EXPECT_EQ(languageStore.StringValue(kSection, settings::kLanguage), c.stored);
    }

    // A choice is stored at once and holds for this run.
    prompts.languages.push_back(UiLanguage::German);
    state.RunLanguageChoice();
    EXPECT_TRUE(IsGerman());
    EXPECT_EQ(store.StringValue(kSection, settings::kLanguage), "G");
    EXPECT_EQ(store.Count(), 1u);
}

TEST_F(SettingsTest, EverythingWrittenAtExitIsReadAtTheNextStart)
{
    store.WriteString(kSection, settings::kLanguage, "E");
    state.Initialise();
    state.keyboardModel = 2;
    state.backupStructureOption = false;
    state.noNetworkOption = true;
    state.flashStyleMode = kFlashDefault;
    state.flashStyleFile = "/sets/STY.b01";
    state.lastBackupFolder = "/sets";
    for (int i = 0; i < 6; ++i) {
        state.mdbPane.fileName = "/m" + std::to_string(i);
        AddRecentFile(state.mdbPane);
    }
    state.archivePane.fileName = "/a.mdx";
    AddRecentFile(state.archivePane);
    ASSERT_TRUE(state.ExitSequence({120, 45}));

    EXPECT_EQ(store.StringValue(kSection, "LastOpenMDB1"), "/m5");
    EXPECT_EQ(store.StringValue(kSection, "LastOpenMDB6"), "/m0");
    for (int n = 7; n <= 10; ++n)
        EXPECT_EQ(store.StringValue(kSection, "LastOpenMDB" + std::to_string(n)), "");
    EXPECT_EQ(store.StringValue(kSection, "LastOpenArchiv10"), "");
    EXPECT_EQ(store.IntValue(kSection, "YamahaBackupStruktur"), 0);
    EXPECT_EQ(store.IntValue(kSection, "LeftPos"), 120);
    EXPECT_EQ(store.IntValue(kSection, "TopPos"), 45);
    EXPECT_EQ(store.Count(), 1u + 8 + 20); // language, eight single values, twenty recent files

    AppPrompts nextPrompts;
    MainWindowState next(nextPrompts, store, styles);
    next.Initialise();
    EXPECT_EQ(next.keyboardModel, 2);
    EXPECT_EQ(next.modelLabel, "9000Pro"); // the previous run's model, with nothing loaded
    EXPECT_FALSE(next.backupStructureOption);
    EXPECT_TRUE(next.noNetworkOption);
    EXPECT_EQ(next.flashStyleMode, kFlashDefault);
    EXPECT_EQ(next.flashStyleFile, "/sets/STY.b01");
    EXPECT_EQ(next.lastBackupFolder, "/sets");
    EXPECT_EQ(next.mdbPane.recentFiles, state.mdbPane.recentFiles);
    EXPECT_EQ(next.archivePane.recentFiles[0], "/a.mdx");
    EXPECT_EQ(next.windowPosition.left, 120);
    EXPECT_EQ(next.windowPosition.top, 45);
}

TEST_F(SettingsTest, StoredValuesAreUsedAsRead)
{
    store.WriteInt(kSection, settings::kKeyboardModel, 5);
    store.WriteInt(kSection, settings::kTopPos, 30);        // LeftPos absent
    store.WriteString(kSection, "LastOpenMDB2", "/second"); // a gap before it
    store.WriteString(kSection, "LastOpenMDB5", "/fifth");
    state.LoadSettings();
    state.UpdateKeyboardLabel();
    EXPECT_EQ(state.keyboardModel, 5);
    EXPECT_EQ(state.modelLabel, "");
    EXPECT_FALSE(state.windowPosition.IsSet());
    // Occupied entries come first, so combo line i is recent entry i.
    EXPECT_EQ(state.mdbPane.recentFiles[0], "/second");
    EXPECT_EQ(state.mdbPane.recentFiles[1], "/fifth");
    EXPECT_EQ(state.FillRecentCombo(state.mdbPane).lines, (std::vector<std::string>{"/second", "/fifth"}));

    store.WriteInt(kSection, settings::kLeftPos, -1);
    state.LoadSettings();
    EXPECT_FALSE(state.windowPosition.IsSet());
}

} // namespace
} // namespace tessaro
