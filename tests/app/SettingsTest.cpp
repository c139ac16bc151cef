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
    EXPECT_TRUE(state.Options().BackupStructure());
    EXPECT_FALSE(state.Options().NoNetwork());
    EXPECT_EQ(state.Options().FlashStyleMode(), kFlashFactory);
    EXPECT_EQ(state.Options().Model(), KeyboardModel::None);
    EXPECT_EQ(state.UpdateCommandStates().modelLabel, "");
    EXPECT_TRUE(state.FillRecentCombo(PaneId::Mdb).lines.empty());
    EXPECT_TRUE(state.FillRecentCombo(PaneId::Archive).lines.empty());
    EXPECT_FALSE(state.Position().IsSet());
    EXPECT_FALSE(state.HasActivePane());
    EXPECT_FALSE(state.StartupFolder().empty());
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
    state.Options().SetModel(KeyboardModel::Psr9000Pro);
    state.Options().SetBackupStructure(false);
    state.Options().SetNoNetwork(true);
    state.Options().SelectDefaultFlashStyles();
    state.Options().SetFlashStyleFile("/sets/STY.b01");
    state.Options().SetLastBackupFolder("/sets");
    for (int i = 0; i < 6; ++i) {
        state.Pane(PaneId::Mdb).fileName = "/m" + std::to_string(i);
        AddRecentFile(state.Pane(PaneId::Mdb));
    }
    state.Pane(PaneId::Archive).fileName = "/a.mdx";
    AddRecentFile(state.Pane(PaneId::Archive));
    ASSERT_TRUE(state.ExitSequence({120, 45}));

    EXPECT_EQ(store.StringValue(kSection, "LastOpenMDB1"), "/m5");
    EXPECT_EQ(store.StringValue(kSection, "LastOpenMDB6"), "/m0");
    for (int n = 7; n <= 10; ++n)
        EXPECT_EQ(store.StringValue(kSection, "LastOpenMDB" + std::to_string(n)), "");
    EXPECT_EQ(store.StringValue(kSection, "LastOpenArchiv10"), "");
    EXPECT_EQ(store.IntValue(kSection, "YamahaBackupStruktur"), 0);
    EXPECT_EQ(store.IntValue(kSection, "LeftPos"), 120);
    EXPECT_EQ(store.IntValue(kSection, "TopPos"), 45);
    EXPECT_EQ(store.Count(), 1u + 12 + 20); // language, twelve single values, twenty recent files

    AppPrompts nextPrompts;
    MainWindowState next(nextPrompts, store, styles);
    next.Initialise();
    EXPECT_EQ(next.Options().Model(), KeyboardModel::Psr9000Pro);
    EXPECT_EQ(next.UpdateCommandStates().modelLabel, "9000Pro"); // the previous run's model, with nothing loaded
    EXPECT_FALSE(next.Options().BackupStructure());
    EXPECT_TRUE(next.Options().NoNetwork());
    EXPECT_EQ(next.Options().FlashStyleMode(), kFlashDefault);
    EXPECT_EQ(next.Options().FlashStyleFile(), "/sets/STY.b01");
    EXPECT_EQ(next.Options().LastBackupFolder(), "/sets");
    EXPECT_EQ(next.Pane(PaneId::Mdb).recentFiles, state.Pane(PaneId::Mdb).recentFiles);
    EXPECT_EQ(next.Pane(PaneId::Archive).recentFiles[0], "/a.mdx");
    EXPECT_EQ(next.Position().left, 120);
    EXPECT_EQ(next.Position().top, 45);
}

TEST_F(SettingsTest, ExitWritesTheSettingsOnceAndSaysWhenThatFails)
{
    store.WriteString(kSection, settings::kLanguage, "E");
    state.Initialise();
    EXPECT_EQ(store.flushes, 0);
    ASSERT_TRUE(state.ExitSequence({1, 2}));
    EXPECT_EQ(store.flushes, 1);
    EXPECT_TRUE(prompts.messages.empty());

    // A read-only settings folder: said at exit, and the window closes all the same.
    store.failFlush = true;
    EXPECT_TRUE(state.ExitSequence({1, 2}));
    EXPECT_EQ(store.flushes, 2);
    EXPECT_EQ(prompts.Texts(), std::vector<std::string>{"The settings could not be saved!\n\n"
                                                        "/home/u/.config/Larchmont/Tessaro.conf: Read-only file system"});
    SetUiLanguage(UiLanguage::German);
    EXPECT_EQ(Tr(Msg::ErrorSavingSettings), "Die Einstellungen konnten nicht gespeichert werden!");

    // The language is written when it is chosen, so that a killed run keeps it.
    CountingSettingsStore fresh;
    AppPrompts asked;
    asked.languages.push_back(UiLanguage::English);
    MainWindowState(asked, fresh, styles).RunLanguageChoice();
    EXPECT_EQ(fresh.flushes, 1);
}

TEST_F(SettingsTest, ValuesOutOfRangeReadAsTheirDefaults)
{
    const std::pair<const char*, int> wrong[] = {
        {settings::kKeyboardModel, 99},  {settings::kKeyboardModel, -1},  {settings::kFlashStyleMode, 7},
        {settings::kFlashStyleMode, -2}, {settings::kBackupStructure, 2}, {settings::kNoNetwork, 5},
    };
    for (const auto& [name, value] : wrong) {
        SCOPED_TRACE(std::string(name) + "=" + std::to_string(value));
        CountingSettingsStore odd;
        AppPrompts quiet;
        odd.WriteInt(kSection, settings::kNoNetwork, 1); // a good value stays
        odd.WriteInt(kSection, name, value);
        MainWindowState read(quiet, odd, styles);
        read.LoadSettings();
        EXPECT_EQ(read.Options().Model(), KeyboardModel::None);
        EXPECT_EQ(read.Options().FlashStyleMode(), kFlashFactory);
        EXPECT_TRUE(read.Options().BackupStructure());
        EXPECT_EQ(read.Options().NoNetwork(), std::string(name) != settings::kNoNetwork);
    }
    for (int model : {0, 1, 2}) {
        store.WriteInt(kSection, settings::kKeyboardModel, model);
        store.WriteInt(kSection, settings::kFlashStyleMode, model);
        state.LoadSettings();
        EXPECT_EQ(static_cast<int>(state.Options().Model()), model); // the stored number
        EXPECT_EQ(state.Options().FlashStyleMode(), model);
    }
}

TEST_F(SettingsTest, StoredValuesAreUsedAsRead)
{
    store.WriteInt(kSection, settings::kKeyboardModel, 5);  // out of range: the default
    store.WriteInt(kSection, settings::kTopPos, 30);        // LeftPos absent
    store.WriteString(kSection, "LastOpenMDB2", "/second"); // a gap before it
    store.WriteString(kSection, "LastOpenMDB5", "/fifth");
    state.LoadSettings();
    state.Options().ShowModel(); // as at start-up
    EXPECT_EQ(state.Options().Model(), KeyboardModel::None);
    EXPECT_EQ(state.UpdateCommandStates().modelLabel, "");
    EXPECT_FALSE(state.Position().IsSet());
    // Occupied entries come first, so combo line i is recent entry i.
    EXPECT_EQ(state.Pane(PaneId::Mdb).recentFiles[0], "/second");
    EXPECT_EQ(state.Pane(PaneId::Mdb).recentFiles[1], "/fifth");
    EXPECT_EQ(state.FillRecentCombo(PaneId::Mdb).lines, (std::vector<std::string>{"/second", "/fifth"}));

    store.WriteInt(kSection, settings::kLeftPos, -1);
    state.LoadSettings();
    EXPECT_FALSE(state.Position().IsSet());
}

TEST_F(SettingsTest, WindowSizeIsStoredBesideThePosition)
{
    store.WriteString(settings::kSection, settings::kLanguage, "E");
    state.Initialise();
    EXPECT_FALSE(state.Position().HasSize());
    EXPECT_FALSE(state.Position().maximized);
    ASSERT_TRUE(state.ExitSequence({10, 20, 900, 700, true}));
    EXPECT_EQ(store.IntValue(settings::kSection, settings::kWidth), 900);
    EXPECT_EQ(store.IntValue(settings::kSection, settings::kHeight), 700);
    EXPECT_EQ(store.IntValue(settings::kSection, settings::kMaximized), 1);

    AppPrompts quiet;
    MainWindowState next(quiet, store, styles);
    next.LoadSettings();
    EXPECT_EQ(next.Position().width, 900);
    EXPECT_EQ(next.Position().height, 700);
    EXPECT_TRUE(next.Position().maximized);
    EXPECT_EQ(next.Position().left, 10);

    // Hand-edited nonsense reads as no size and not maximized.
    for (const auto& [width, height, maximized] : {std::tuple{0, 700, 2}, {900, -5, -1}, {-1, -1, 7}}) {
        store.WriteInt(settings::kSection, settings::kWidth, width);
        store.WriteInt(settings::kSection, settings::kHeight, height);
        store.WriteInt(settings::kSection, settings::kMaximized, maximized);
        next.LoadSettings();
        EXPECT_FALSE(next.Position().HasSize()) << width << "x" << height;
        EXPECT_FALSE(next.Position().maximized);
    }
}

} // namespace
} // namespace tessaro
