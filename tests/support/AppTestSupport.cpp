#include "support/AppTestSupport.h"

#include "catalogue/StyleCatalogue.h"
#include "data/ArchiveFile.h"
#include "data/FlashStyleFile.h"
#include "data/MdbFile.h"
#include "data/SafeFile.h"
#include "support/TreeTestSupport.h"

namespace tessaro {

std::vector<std::string> AppPrompts::Texts() const
{
    std::vector<std::string> texts;
    for (const Shown& shown : messages)
        texts.push_back(shown.text);
    return texts;
}

void AppPrompts::BrowseTo(const std::string& chosenPath, const std::string& chosenFolder)
{
    browseResults.push_back({true, chosenPath, chosenFolder});
}

std::vector<MdbEntry> Records(const std::vector<TestEntry>& entries)
{
    std::vector<MdbEntry> records;
    for (const TestEntry& e : entries)
        records.push_back(MakeEntry(e.category, e.style, e.tempo, e.title)->record);
    return records;
}

std::vector<MdbEntry> NumberedRecords(int count)
{
    std::vector<TestEntry> entries;
    for (int i = 0; i < count; ++i)
        entries.push_back({"Cat", i % 100, 100, "E" + std::to_string(i)});
    return Records(entries);
}

void WriteTestMdb(const std::string& path, const std::vector<MdbEntry>& records, KeyboardModel model)
{
    ASSERT_FALSE(WriteMdbFile(path, SourceOf(records), model));
}

void WriteTestArchive(const std::string& path, const std::vector<MdbEntry>& records)
{
    ASSERT_FALSE(WriteArchiveFile(path, SourceOf(records)));
}

void WriteTestFlashStyles(const std::string& path, const std::string& namePrefix)
{
    testing::Bytes bytes(kFlashStyleFileBytes, 0);
    bytes[1] = 0x60;
    bytes[5] = 0x20;
    for (int f = 0; f < kFlashStyleNameCount; ++f) {
        const std::string name = namePrefix + std::to_string(f);
        std::copy(name.begin(), name.end(), bytes.begin() + 32 + 512 * f);
    }
    testing::WriteBytes(path, bytes);
}

MdbEntry Playable(const std::string& category, int style, const std::string& title)
{
    MdbEntry record = Records({{category, style, 120, title}}).front();
    record.setVariation(9);
    for (int h = 0; h < kHandVoiceCount; ++h)
        record.setVoice(static_cast<HandVoice>(h), {0, 112, 0});
    return record;
}

MdbEntry WithProVoice(MdbEntry record)
{
    record.setVoice(HandVoice::R2, {0, 113, 0}); // Live!Grand: PSR-9000pro only
    return record;
}

std::string CountText(MainWindowState& state, PaneId pane)
{
    return state.UpdateCommandStates().entryCountText[PaneIndex(pane)];
}

std::vector<std::string> Titles(const PaneState& pane)
{
    std::vector<std::string> titles;
    for (TreeNode* category = pane.tree.FirstCategory(); category; category = category->NextSibling()) {
        for (TreeNode* entry = category->FirstChild(); entry; entry = entry->NextSibling())
            titles.push_back(entry->Payload()->GetTitle());
    }
    return titles;
}

void DeleteInStep(MainWindowState& state, PaneId pane, TreeNode* node)
{
    state.Workspace().history.Begin("Delete", pane);
    state.Pane(pane).tree.DeleteNode(node);
    state.Workspace().history.Commit();
}

AppTest::AppTest()
{
    // Process-wide state that other tests may have changed.
    SetUiLanguage(UiLanguage::English);
    InjectSafeWriteFault(SafeWriteFault::None);
}

AppTest::~AppTest()
{
    InjectSafeWriteFault(SafeWriteFault::None);
    SetUiLanguage(UiLanguage::English);
}

void AppTest::TearDown()
{
    EXPECT_EQ(state.Workspace().UnrecordedChanges(), 0u) << "a command changed a pane outside a history step";
}

void AppTest::OpenMdbFile(const std::string& path)
{
    state.Options().SetBackupStructure(false);
    prompts.openFileNames.push_back(path);
    state.Files().Open(PaneId::Mdb);
}

void AppTest::OpenArchiveFile(const std::string& path)
{
    prompts.openFileNames.push_back(path);
    state.Files().Open(PaneId::Archive);
}

void AppTest::NewArchiveWith(const std::vector<TestEntry>& entries)
{
    state.Files().New(PaneId::Archive);
    for (const TestEntry& e : entries)
        AddEntry(state.Pane(PaneId::Archive), e.category, e.style, e.tempo, e.title);
}

} // namespace tessaro
