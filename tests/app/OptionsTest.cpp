// The options: the flash-style names (the three radio buttons, start-up, the
// Factory names following the model of a loaded or new MDB), the keyboard
// model as stored, and the labels the window shows beside them.
#include "support/AppTestSupport.h"

#include "app/SettingsKeys.h"
#include "catalogue/StyleCatalogue.h"
#include "data/FlashStyleFile.h"
#include "support/MapSettingsStore.h"
#include "support/TreeTestSupport.h"

#include <filesystem>

namespace tessaro {
namespace {

constexpr int kFlash0 = kPresetStyleCount;       // flash style 0: named in both factory lists
constexpr int kFlash55 = kPresetStyleCount + 55; // "Vocal Swing": the PSR-9000pro's only

// The tree text of a pane's first entry, which shows its style's name.
std::string FirstLabel(const PaneState& pane)
{
    return pane.tree.FirstCategory()->FirstChild()->Text();
}

bool Shows(const PaneState& pane, const std::string& name)
{
    return FirstLabel(pane).find(name) != std::string::npos;
}

class OptionsTest : public AppTest
{
protected:
    OptionsTest()
    {
        StyleCatalogue factory;
        factory.SetFlashNamesFactory(false);
        factory9000 = factory.GetStyleName(kFlash0);
        defaultName = StyleCatalogue().GetStyleName(kFlash0);
    }
    void StartWith(int mode, const std::string& file, int model = 1)
    {
        store.WriteString(settings::kSection, settings::kLanguage, "E");
        store.WriteInt(settings::kSection, settings::kFlashStyleMode, mode);
        store.WriteString(settings::kSection, settings::kFlashStyleFile, file);
        store.WriteInt(settings::kSection, settings::kKeyboardModel, model);
        state.Initialise();
    }

    std::string factory9000;
    std::string defaultName;
};

TEST_F(OptionsTest, StartUpInstallsTheNamesOfTheStoredMode)
{
    WriteTestFlashStyles(Path("STY.b01"), "Own");
    StartWith(kFlashIndividual, Path("STY.b01"));
    EXPECT_EQ(state.Options().FlashStyleMode(), kFlashIndividual);
    EXPECT_EQ(styles.GetStyleName(kFlash0), "Own0");
    EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(OptionsTest, StartUpFallsBackToFactoryWhenTheFileFails)
{
    testing::WriteBytes(Path("short.b01"), testing::Bytes(100, 0));
    StartWith(kFlashIndividual, Path("short.b01"), 2);
    EXPECT_EQ(prompts.Texts(), std::vector<std::string>{"Error reading Flash-Style data!"});
    EXPECT_EQ(state.Options().FlashStyleMode(), kFlashFactory);
    EXPECT_EQ(styles.GetStyleName(kFlash55), "Vocal Swing");
}

TEST_F(OptionsTest, StartUpWithoutAFileKeepsIndividualWithNumberedNames)
{
    StartWith(kFlashIndividual, "");
    EXPECT_EQ(state.Options().FlashStyleMode(), kFlashIndividual);
    EXPECT_EQ(styles.GetStyleName(kFlash0), defaultName);

    AppPrompts otherPrompts;
    StyleCatalogue otherStyles;
    MainWindowState other(otherPrompts, store, otherStyles);
    store.WriteInt(settings::kSection, settings::kFlashStyleMode, kFlashFactory);
    other.Initialise();
    EXPECT_EQ(otherStyles.GetStyleName(kFlash0), factory9000);
}

TEST_F(OptionsTest, IndividualReadsTheChosenFileAndRelabelsBothPanes)
{
    NewArchiveWith({{"Pop", kFlash0, 120, "A"}});
    WriteTestFlashStyles(Path("STY.b01"), "Mine");
    prompts.openFileNames.push_back(Path("STY.b01"));
    state.Options().SelectIndividualFlashStyles();
    ASSERT_EQ(prompts.openRequests.size(), 1u);
    EXPECT_EQ(prompts.openRequests[0].title, "Open Flash Style backup");
    EXPECT_EQ(prompts.openRequests[0].filter, "Flash Style backup (STY*.b*)|STY*.b*|All files (*.*)|*.*||");
    EXPECT_EQ(state.Options().FlashStyleMode(), kFlashIndividual);
    EXPECT_EQ(state.Options().FlashStyleFile(), Path("STY.b01"));
    EXPECT_EQ(state.UpdateCommandStates().flashStyleFileLabel, Path("STY.b01"));
    EXPECT_TRUE(Shows(state.Pane(PaneId::Archive), "Mine0"));

    // Default relabels too.
    state.Options().SelectDefaultFlashStyles();
    EXPECT_EQ(state.Options().FlashStyleMode(), kFlashDefault);
    EXPECT_TRUE(Shows(state.Pane(PaneId::Archive), defaultName));
    EXPECT_EQ(state.UpdateCommandStates().flashStyleFileLabel,
              Path("STY.b01")); // the label keeps the last file
}

TEST_F(OptionsTest, EveryFailureOfIndividualEndsInFactory)
{
    testing::Bytes wrongSignature(kFlashStyleFileBytes, 0);
    wrongSignature[0] = 1;
    testing::WriteBytes(Path("STY.b02"), wrongSignature);
    struct Case
    {
        std::optional<std::string> chosen;
        std::vector<std::string> messages;
    };
    const std::vector<Case> cases = {
        {std::nullopt, {}},
        {Path("missing.b01"), {"Error opening Flash Style backup!"}},
        {Path("STY.b02"),
         {"The Flash-Style information is not included in this file / backup!\n\n"
          "(They must be on another disk of this backup set.)"}},
    };
    for (const Case& c : cases) {
        state.Options().SelectDefaultFlashStyles();
        prompts.messages.clear();
        prompts.openFileNames.push_back(c.chosen);
        state.Options().SelectIndividualFlashStyles();
        EXPECT_EQ(prompts.Texts(), c.messages);
        EXPECT_EQ(state.Options().FlashStyleMode(), kFlashFactory);
        EXPECT_EQ(styles.GetStyleName(kFlash0), factory9000);
    }
}

TEST_F(OptionsTest, IndividualInBackupModeBrowsesAndShowsTheSetName)
{
    const std::string set = Path("Party.B03");
    std::filesystem::create_directory(set);
    WriteTestFlashStyles(set + "/STY.b03", "Set");
    state.Options().SetBackupStructure(true);
    state.Options().SetLastBackupFolder("/last");
    prompts.BrowseTo(set + "/STY.b03", folder.path().string());
    state.Options().SelectIndividualFlashStyles();
    ASSERT_EQ(prompts.browseRequests.size(), 1u);
    EXPECT_EQ(prompts.browseRequests[0].iconId, 138);
    EXPECT_EQ(prompts.browseRequests[0].mask, "STY*.b*");
    EXPECT_EQ(prompts.browseRequests[0].startFolder, "/last");
    EXPECT_EQ(state.UpdateCommandStates().flashStyleFileLabel, Path("Party [Disk-03]"));
    EXPECT_EQ(state.Options().LastBackupFolder(), folder.path().string());

    // Next time it starts in the file's folder; the check box switches the label.
    prompts.CancelBrowse();
    state.Options().SelectIndividualFlashStyles();
    EXPECT_EQ(prompts.browseRequests[1].startFolder, set);
    state.Options().SetBackupStructure(false);
    EXPECT_EQ(state.UpdateCommandStates().flashStyleFileLabel, set + "/STY.b03");
}

TEST_F(OptionsTest, FactoryNamesFollowTheModelOfALoadedOrNewMdb)
{
    state.Options().SelectFactoryFlashStyles();
    NewArchiveWith({{"Pop", kFlash55, 120, "A"}});
    EXPECT_FALSE(Shows(state.Pane(PaneId::Archive), "Vocal Swing"));

    WriteTestMdb(Path("pro.bup"), Records({{"Pop", kFlash55, 100, "P"}}), KeyboardModel::Psr9000Pro);
    OpenMdbFile(Path("pro.bup"));
    EXPECT_EQ(styles.GetStyleName(kFlash55), "Vocal Swing");
    // Both panes show the new model's names, the archive included.
    EXPECT_TRUE(Shows(state.Pane(PaneId::Mdb), "Vocal Swing"));
    EXPECT_TRUE(Shows(state.Pane(PaneId::Archive), "Vocal Swing"));

    prompts.keyboardModels.push_back(1);
    state.Files().New(PaneId::Mdb);
    EXPECT_NE(styles.GetStyleName(kFlash55), "Vocal Swing");
    EXPECT_FALSE(Shows(state.Pane(PaneId::Archive), "Vocal Swing"));

    // Other modes keep their names.
    state.Options().SelectDefaultFlashStyles();
    OpenMdbFile(Path("pro.bup"));
    EXPECT_EQ(styles.GetStyleName(kFlash0), defaultName);
}

TEST_F(OptionsTest, TheKeyboardModelIsStoredAsItsNumberAndAnUnknownNumberReadsAsNone)
{
    struct Case
    {
        int stored;
        KeyboardModel model;
        int written;
    };
    WindowContext context(prompts, styles);
    Options options(context);
    for (const Case& c : {Case{0, KeyboardModel::None, 0}, Case{1, KeyboardModel::Psr9000, 1},
                          Case{2, KeyboardModel::Psr9000Pro, 2}, Case{3, KeyboardModel::None, 0},
                          Case{-1, KeyboardModel::None, 0}, Case{1 << 30, KeyboardModel::None, 0}}) {
        options.SetModel(KeyboardModel::Psr9000Pro); // what a previous load left
        MapSettingsStore stored;
        stored.WriteInt(settings::kSection, settings::kKeyboardModel, c.stored);
        options.Load(stored);
        EXPECT_EQ(options.Model(), c.model) << c.stored;
        MapSettingsStore written;
        options.Save(written);
        EXPECT_EQ(written.IntValue(settings::kSection, settings::kKeyboardModel), c.written) << c.stored;
    }
    MapSettingsStore empty;
    options.Load(empty);
    EXPECT_EQ(options.Model(), KeyboardModel::None);
}

TEST_F(OptionsTest, TheModelLabelNamesTheStoredModelUntilTheMdbPaneIsClosed)
{
    const auto label = [this] { return state.UpdateCommandStates().modelLabel; };
    EXPECT_EQ(label(), "") << "before start-up";
    StartWith(kFlashFactory, "", 2);
    EXPECT_EQ(label(), "9000Pro") << "the stored model, with no MDB loaded";

    prompts.keyboardModels.push_back(1);
    state.Files().New(PaneId::Mdb);
    EXPECT_EQ(label(), "PSR9000");
    state.Files().Close(PaneId::Mdb);
    EXPECT_EQ(label(), "");
    EXPECT_EQ(state.Options().Model(), KeyboardModel::Psr9000);

    // The archive pane's files leave it alone; the next MDB names its own.
    NewArchiveWith({{"Jazz", 1, 100, "Take Five"}});
    EXPECT_EQ(label(), "");
    WriteTestMdb(Path("pro.bup"), Records({{"Pop", 1, 100, "P"}}), KeyboardModel::Psr9000Pro);
    OpenMdbFile(Path("pro.bup"));
    EXPECT_EQ(label(), "9000Pro");
    EXPECT_EQ(ModelLabel(KeyboardModel::None), "");
}

TEST_F(OptionsTest, TheFlashStyleFileIsNamedOnceReadOrWhenTheCheckBoxChanges)
{
    const auto label = [this] { return state.UpdateCommandStates().flashStyleFileLabel; };
    const std::string set = Path("Party.B02");
    std::filesystem::create_directory(set);
    WriteTestFlashStyles(set + "/STY.b02", "Set");
    // Stored but not in use: not named.
    StartWith(kFlashFactory, set + "/STY.b02");
    EXPECT_EQ(label(), "");
    // The check box names the file the option stands for, in its form.
    state.Options().SetBackupStructure(true);
    EXPECT_EQ(label(), Path("Party [Disk-02]"));
    state.Options().SetBackupStructure(false);
    EXPECT_EQ(label(), set + "/STY.b02");

    // A file that cannot be read leaves the last good one named.
    testing::WriteText(Path("bad.b01"), "no styles here");
    prompts.openFileNames.push_back(Path("bad.b01"));
    state.Options().SelectIndividualFlashStyles();
    EXPECT_EQ(state.Options().FlashStyleMode(), kFlashFactory);
    EXPECT_EQ(state.Options().FlashStyleFile(), Path("bad.b01"));
    EXPECT_EQ(label(), set + "/STY.b02");
    EXPECT_EQ(prompts.messages.size(), 1u);
}

} // namespace
} // namespace tessaro
