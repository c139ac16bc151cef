// Print and Export PDF: what the set list holds for the window's pane, the
// PDF file's dialog, and a failed write told like every other save.
#include "app/SetListCommands.h"

#include "data/SafeFile.h"
#include "support/AppTestSupport.h"

namespace tessaro {
namespace {

// Lays a set list out as text, and can fail to or be cancelled, as the window's renderer might.
class TextRenderer : public SetListRenderer
{
public:
    std::vector<SetList> laidOut;
    bool fail = false;
    bool cancel = false;
    std::size_t pages = 1;

    std::size_t PageCount(const SetList& /*list*/) override { return pages; }
    bool Cancelled() const override { return cancel; }
    std::string Pdf(const SetList& list) override
    {
        laidOut.push_back(list);
        if (fail || cancel)
            return {};
        std::string text = "%PDF " + list.fileName;
        for (const SetListRow& row : list.rows)
            text += "\n" + row.title;
        return text;
    }
};

class SetListCommandsTest : public AppTest
{
protected:
    void OpenDemo()
    {
        WriteTestMdb(
            Path("Set1.buf/MDB.bup"),
            Records({{"Latin", 3, 120, "Besame"}, {"Latin", 3, 96, "Agua"}, {"Ballads", 1, 72, "Night"}}));
        OpenMdbFile(Path("Set1.buf/MDB.bup"));
    }
    TextRenderer renderer;
};

TEST_F(SetListCommandsTest, ThePdfGoesBesideThePaneFileAndHoldsItsSetList)
{
    std::filesystem::create_directories(Path("Set1.buf"));
    OpenDemo();
    PaneState& pane = state.Pane(PaneId::Mdb);
    prompts.saveFileNames.push_back(Path("Set1.pdf"));
    ASSERT_TRUE(ExportSetListPdf(pane, prompts, renderer));

    ASSERT_EQ(prompts.saveRequests.size(), 1u);
    const FileDialogRequest& request = prompts.saveRequests[0];
    EXPECT_EQ(request.title, "Export PDF");
    EXPECT_EQ(request.defaultExtension, ".pdf");
    EXPECT_EQ(request.initialName, Path("Set1.buf/MDB.pdf"));
    EXPECT_TRUE(request.overwritePrompt);
    EXPECT_EQ(testing::ReadText(Path("Set1.pdf")),
              "%PDF Set1.buf/MDB.bup\nLatin\nAgua\nBesame\nBallads\nNight");
    EXPECT_TRUE(prompts.messages.empty());
    EXPECT_EQ(prompts.waitCursorDepth, 0);

    // Cancelling the dialog writes and lays out nothing.
    prompts.saveFileNames.push_back(std::nullopt);
    EXPECT_FALSE(ExportSetListPdf(pane, prompts, renderer));
    EXPECT_EQ(renderer.laidOut.size(), 1u);
}

TEST_F(SetListCommandsTest, AFailedWriteNamesTheFileAndReasonAndKeepsTheOldFile)
{
    std::filesystem::create_directories(Path("Set1.buf"));
    OpenDemo();
    const PaneState& pane = state.Pane(PaneId::Mdb);
    testing::WriteText(Path("old.pdf"), "old");
    for (UiLanguage language : {UiLanguage::English, UiLanguage::German}) {
        SetUiLanguage(language);
        prompts.messages.clear();
        InjectSafeWriteFault(SafeWriteFault::NoSpace);
        prompts.saveFileNames.push_back(Path("old.pdf"));
        EXPECT_FALSE(ExportSetListPdf(pane, prompts, renderer));
        ASSERT_EQ(prompts.messages.size(), 1u);
        const std::string& text = prompts.messages[0].text;
        EXPECT_EQ(text.rfind(Tr(Msg::ErrorWritingPdf) + "\n\n" + Path("old.pdf") + ": ", 0), 0u) << text;
        EXPECT_NE(text.find("No space left on device"), std::string::npos) << text;
        EXPECT_EQ(prompts.messages[0].icon, MsgIcon::Warning);
        EXPECT_EQ(testing::ReadText(Path("old.pdf")), "old");
    }
    SetUiLanguage(UiLanguage::English);

    // Pages that could not be laid out: the message, and no file.
    renderer.fail = true;
    prompts.messages.clear();
    prompts.saveFileNames.push_back(Path("new.pdf"));
    EXPECT_FALSE(ExportSetListPdf(pane, prompts, renderer));
    EXPECT_EQ(prompts.Texts(), std::vector<std::string>{"Error writing the PDF file!"});
    EXPECT_FALSE(std::filesystem::exists(Path("new.pdf")));
}

// A set list of more than 200 pages asks first, naming them; No lays out and writes nothing.
TEST_F(SetListCommandsTest, AVeryLongSetListAsksBeforeItIsLaidOut)
{
    std::filesystem::create_directories(Path("Set1.buf"));
    OpenDemo();
    const PaneState& pane = state.Pane(PaneId::Mdb);
    renderer.pages = kSetListPagesWithoutAsking; // up to the limit: no question
    prompts.saveFileNames.push_back(Path("short.pdf"));
    EXPECT_TRUE(ExportSetListPdf(pane, prompts, renderer));
    EXPECT_TRUE(prompts.messages.empty());

    renderer.pages = 25000;
    for (UiLanguage language : {UiLanguage::English, UiLanguage::German}) {
        SetUiLanguage(language);
        prompts.messages.clear();
        prompts.Answer(MsgAnswer::No);
        EXPECT_FALSE(ExportSetListPdf(pane, prompts, renderer));
        ASSERT_EQ(prompts.messages.size(), 1u);
        EXPECT_EQ(prompts.messages[0].buttons, MsgButtons::YesNo);
        EXPECT_EQ(prompts.messages[0].text, language == UiLanguage::German
                                                ? "Die Setliste dieses Bereichs füllt 25000 Seiten.\n\n"
                                                  "Trotzdem fortfahren?"
                                                : "The set list of this pane fills 25000 pages.\n\n"
                                                  "Go on all the same?");
    }
    SetUiLanguage(UiLanguage::English);
    EXPECT_EQ(renderer.laidOut.size(), 1u); // only the short one
    EXPECT_EQ(prompts.saveRequests.size(), 1u);

    prompts.Answer(MsgAnswer::Yes);
    prompts.saveFileNames.push_back(Path("long.pdf"));
    EXPECT_TRUE(ExportSetListPdf(pane, prompts, renderer));
    EXPECT_TRUE(std::filesystem::exists(Path("long.pdf")));
}

// Cancelled while its pages were laid out: no file, no message, an old file stays.
TEST_F(SetListCommandsTest, ACancelledLayoutWritesNothingAndSaysNothing)
{
    std::filesystem::create_directories(Path("Set1.buf"));
    OpenDemo();
    testing::WriteText(Path("old.pdf"), "old");
    renderer.cancel = true;
    prompts.saveFileNames.push_back(Path("old.pdf"));
    EXPECT_FALSE(ExportSetListPdf(state.Pane(PaneId::Mdb), prompts, renderer));
    EXPECT_TRUE(prompts.messages.empty());
    EXPECT_EQ(testing::ReadText(Path("old.pdf")), "old");
    EXPECT_EQ(prompts.waitCursorDepth, 0);
}

TEST_F(SetListCommandsTest, TheHeaderNamesTheFileWithItsFolderOrUntitled)
{
    PaneState pane(styles);
    pane.loaded = true;
    pane.fileName = "/home/u/Gigs/Summer.buf/MDB.bup";
    EXPECT_EQ(SetListFileLabel(pane), "Summer.buf/MDB.bup");
    pane.fileName = "Archive.mdx";
    EXPECT_EQ(SetListFileLabel(pane), "Archive.mdx");
    pane.untitled = true;
    EXPECT_EQ(SetListFileLabel(pane), "untitled");
    SetUiLanguage(UiLanguage::German);
    EXPECT_EQ(SetListFileLabel(pane), "unbenannt");
    SetUiLanguage(UiLanguage::English);
}

TEST_F(SetListCommandsTest, PrintingNeedsAnActivePaneWithEntries)
{
    const CommandId printing[] = {CommandId::Print, CommandId::PrintPreview, CommandId::ExportPdf};
    CommandStates s = state.UpdateCommandStates();
    for (CommandId id : printing)
        EXPECT_FALSE(s[id].enabled);
    EXPECT_TRUE(s[CommandId::About].enabled);

    prompts.keyboardModels.push_back(1);
    state.Files().New(PaneId::Mdb); // loaded and active, but empty
    state.TreeGotFocus(PaneId::Mdb);
    s = state.UpdateCommandStates();
    for (CommandId id : printing)
        EXPECT_FALSE(s[id].enabled);

    AddEntry(state.Pane(PaneId::Mdb), "Pop", 3, 120, "a");
    s = state.UpdateCommandStates();
    for (CommandId id : printing)
        EXPECT_TRUE(s[id].enabled);

    NewArchiveWith({}); // the empty archive pane is now the active one
    state.TreeGotFocus(PaneId::Archive);
    s = state.UpdateCommandStates();
    for (CommandId id : printing)
        EXPECT_FALSE(s[id].enabled);
}

} // namespace
} // namespace tessaro
