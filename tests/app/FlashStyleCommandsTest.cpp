// Flash-style names: the three radio buttons, start-up, and the Factory names
// following the model of a loaded or new MDB.
#include "support/AppTestSupport.h"

#include "app/SettingsKeys.h"
#include "catalogue/StyleCatalogue.h"
#include "data/FlashStyleFile.h"
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

class FlashStyleTest : public AppTest
{
protected:
    FlashStyleTest()
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

TEST_F(FlashStyleTest, StartUpInstallsTheNamesOfTheStoredMode)
{
    WriteTestFlashStyles(Path("STY.b01"), "Own");
    StartWith(kFlashIndividual, Path("STY.b01"));
    EXPECT_EQ(state.flashStyleMode, kFlashIndividual);
    EXPECT_EQ(styles.GetStyleName(kFlash0), "Own0");
    EXPECT_TRUE(prompts.messages.empty());
}

TEST_F(FlashStyleTest, StartUpFallsBackToFactoryWhenTheFileFails)
{
    testing::WriteBytes(Path("short.b01"), testing::Bytes(100, 0));
    StartWith(kFlashIndividual, Path("short.b01"), 2);
    EXPECT_EQ(prompts.Texts(), std::vector<std::string>{"Error reading Flash-Style data!"});
    EXPECT_EQ(state.flashStyleMode, kFlashFactory);
    EXPECT_EQ(styles.GetStyleName(kFlash55), "Vocal Swing");
}

TEST_F(FlashStyleTest, StartUpWithoutAFileKeepsIndividualWithNumberedNames)
{
    StartWith(kFlashIndividual, "");
    EXPECT_EQ(state.flashStyleMode, kFlashIndividual);
    EXPECT_EQ(styles.GetStyleName(kFlash0), defaultName);

    AppPrompts otherPrompts;
    StyleCatalogue otherStyles;
    MainWindowState other(otherPrompts, store, otherStyles);
    store.WriteInt(settings::kSection, settings::kFlashStyleMode, kFlashFactory);
    other.Initialise();
    EXPECT_EQ(otherStyles.GetStyleName(kFlash0), factory9000);
}

TEST_F(FlashStyleTest, IndividualReadsTheChosenFileAndRelabelsBothPanes)
{
    NewArchiveWith({{"Pop", kFlash0, 120, "A"}});
    WriteTestFlashStyles(Path("STY.b01"), "Mine");
    prompts.openFileNames.push_back(Path("STY.b01"));
    state.SelectIndividualFlashStyles();
    ASSERT_EQ(prompts.openRequests.size(), 1u);
    EXPECT_EQ(prompts.openRequests[0].title, "Open Flash Style backup");
    EXPECT_EQ(prompts.openRequests[0].filter, "Flash Style backup (STY*.b*)|STY*.b*|All files (*.*)|*.*||");
    EXPECT_EQ(state.flashStyleMode, kFlashIndividual);
    EXPECT_EQ(state.flashStyleFile, Path("STY.b01"));
    EXPECT_EQ(state.flashStyleFileLabel, Path("STY.b01"));
    EXPECT_TRUE(Shows(state.Pane(PaneId::Archive), "Mine0"));

    // Default relabels too.
    state.SelectDefaultFlashStyles();
    EXPECT_EQ(state.flashStyleMode, kFlashDefault);
    EXPECT_TRUE(Shows(state.Pane(PaneId::Archive), defaultName));
    EXPECT_EQ(state.flashStyleFileLabel, Path("STY.b01")); // the label keeps the last file
}

TEST_F(FlashStyleTest, EveryFailureOfIndividualEndsInFactory)
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
        state.SelectDefaultFlashStyles();
        prompts.messages.clear();
        prompts.openFileNames.push_back(c.chosen);
        state.SelectIndividualFlashStyles();
        EXPECT_EQ(prompts.Texts(), c.messages);
        EXPECT_EQ(state.flashStyleMode, kFlashFactory);
        EXPECT_EQ(styles.GetStyleName(kFlash0), factory9000);
    }
}

TEST_F(FlashStyleTest, IndividualInBackupModeBrowsesAndShowsTheSetName)
{
    const std::string set = Path("Party.B03");
    std::filesystem::create_directory(set);
    WriteTestFlashStyles(set + "/STY.b03", "Set");
    state.backupStructureOption = true;
    state.lastBackupFolder = "/last";
    prompts.BrowseTo(set + "/STY.b03", folder.path().string());
    state.SelectIndividualFlashStyles();
    ASSERT_EQ(prompts.browseRequests.size(), 1u);
    EXPECT_EQ(prompts.browseRequests[0].iconId, 138);
    EXPECT_EQ(prompts.browseRequests[0].mask, "STY*.b*");
    EXPECT_EQ(prompts.browseRequests[0].startFolder, "/last");
    EXPECT_EQ(state.flashStyleFileLabel, Path("Party [Disk-03]"));
    EXPECT_EQ(state.lastBackupFolder, folder.path().string());

    // Next time it starts in the file's folder; the check box switches the label.
    prompts.CancelBrowse();
    state.SelectIndividualFlashStyles();
    EXPECT_EQ(prompts.browseRequests[1].startFolder, set);
    state.SetBackupStructureOption(false);
    EXPECT_EQ(state.flashStyleFileLabel, set + "/STY.b03");
}

TEST_F(FlashStyleTest, FactoryNamesFollowTheModelOfALoadedOrNewMdb)
{
    state.SelectFactoryFlashStyles();
    NewArchiveWith({{"Pop", kFlash55, 120, "A"}});
    EXPECT_FALSE(Shows(state.Pane(PaneId::Archive), "Vocal Swing"));

    WriteTestMdb(Path("pro.bup"), Records({{"Pop", kFlash55, 100, "P"}}), KeyboardModel::Psr9000Pro);
    OpenMdbFile(Path("pro.bup"));
    EXPECT_EQ(styles.GetStyleName(kFlash55), "Vocal Swing");
    // Both panes show the new model's names, the archive included.
    EXPECT_TRUE(Shows(state.Pane(PaneId::Mdb), "Vocal Swing"));
    EXPECT_TRUE(Shows(state.Pane(PaneId::Archive), "Vocal Swing"));

    prompts.keyboardModels.push_back(1);
    state.New(PaneId::Mdb);
    EXPECT_NE(styles.GetStyleName(kFlash55), "Vocal Swing");
    EXPECT_FALSE(Shows(state.Pane(PaneId::Archive), "Vocal Swing"));

    // Other modes keep their names.
    state.SelectDefaultFlashStyles();
    OpenMdbFile(Path("pro.bup"));
    EXPECT_EQ(styles.GetStyleName(kFlash0), defaultName);
}

} // namespace
} // namespace tessaro
