// The recent-file lists and how their lines are shown.
#include "app/RecentFiles.h"

#include "edit/PaneState.h"
#include "support/AppTestSupport.h"

#include <gtest/gtest.h>

namespace tessaro {
namespace {

void Open(PaneState& pane, const std::string& file)
{
    pane.fileName = file;
    AddRecentFile(pane);
}

TEST(RecentFilesTest, TheEleventhFileDropsTheOldestAndAReopenedOneMovesUp)
{
    StyleCatalogue styles;
    PaneState pane{styles};
    for (int i = 1; i <= 11; ++i)
        Open(pane, "/f" + std::to_string(i));
    EXPECT_EQ(pane.recentFiles[0], "/f11");
    EXPECT_EQ(pane.recentFiles[9], "/f2");

    Open(pane, "/f5");
    EXPECT_EQ(pane.recentFiles[0], "/f5");
    EXPECT_EQ(pane.recentFiles[1], "/f11");
    EXPECT_EQ(std::count(pane.recentFiles.begin(), pane.recentFiles.end(), "/f5"), 1);
    EXPECT_EQ(pane.recentFiles[9], "/f2");

    Open(pane, "/F5"); // another file on this platform
    EXPECT_EQ(pane.recentFiles[1], "/f5");

    pane.fileName = "/f11";
    RemoveRecentFile(pane);
    EXPECT_EQ(pane.recentFiles[2], "/f10");
    EXPECT_EQ(pane.recentFiles[9], "");

    pane.fileName.clear();
    AddRecentFile(pane);
    EXPECT_EQ(pane.recentFiles[0], "/F5");
}

TEST(RecentFilesTest, BackupSetsShowAsSetNamesInTheMdbListOnly)
{
    StyleCatalogue styles;
    PaneState pane{styles};
    pane.recentFiles = {"/b/Party.B01/mdb.BUP", "/b/Show.buf/MDB_Pro.bup", "/x/plain/MDB.bup",
                        "/x/Other.bup"};
    pane.fileName = "/x/plain/MDB.bup";
    const RecentCombo sets = FillRecentCombo(pane, true);
    EXPECT_EQ(sets.lines,
              (std::vector<std::string>{"/b/Party [Disk-01]", "/b/Show", "/x/plain", "/x/Other.bup"}));
    EXPECT_EQ(sets.selected, 2);

    const RecentCombo plain = FillRecentCombo(pane, false);
    EXPECT_EQ(plain.lines[0], "/b/Party.B01/mdb.BUP");
    EXPECT_EQ(plain.selected, 2);

    // The archive pane never shortens; the option switches the MDB list at once.
    MapSettingsStore store;
    AppPrompts prompts;
    MainWindowState state(prompts, store, styles);
    state.Pane(PaneId::Mdb).recentFiles = pane.recentFiles;
    state.Pane(PaneId::Archive).recentFiles = pane.recentFiles;
    state.Options().SetBackupStructure(true);
    EXPECT_EQ(state.FillRecentCombo(PaneId::Mdb).lines[1], "/b/Show");
    EXPECT_EQ(state.FillRecentCombo(PaneId::Archive).lines[1], "/b/Show.buf/MDB_Pro.bup");
    state.Options().SetBackupStructure(false);
    EXPECT_EQ(state.FillRecentCombo(PaneId::Mdb).lines[1], "/b/Show.buf/MDB_Pro.bup");
}

} // namespace
} // namespace tessaro
