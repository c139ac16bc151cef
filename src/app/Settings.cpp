// The stored settings and the language choice.
#include "app/MainWindowState.h"
#include "app/SettingsKeys.h"

namespace tessaro {

namespace {

// A hand-edited store may leave gaps; the list keeps its occupied entries first,
// so that a combo line's index is its entry's index.
void ReadRecentFiles(SettingsStore& store, const char* prefix, PaneState& pane)
{
    pane.recentFiles = {};
    int next = 0;
    for (int number = 1; number <= kRecentFileCount; ++number) {
        std::string file = store.ReadString(settings::kSection, settings::RecentFileKey(prefix, number), "");
        if (!file.empty())
            pane.recentFiles[next++] = std::move(file);
    }
}

void WriteRecentFiles(SettingsStore& store, const char* prefix, const PaneState& pane)
{
    for (int number = 1; number <= kRecentFileCount; ++number)
        store.WriteString(settings::kSection, settings::RecentFileKey(prefix, number),
                          pane.recentFiles[number - 1]);
}

} // namespace

void MainWindowState::RunLanguageChoice()
{
    std::string value = settings_.ReadString(settings::kSection, settings::kLanguage, "");
    if (value != settings::kLanguageGerman && value != settings::kLanguageEnglish) {
        UiLanguage chosen = UiLanguage::English;
        if (prompts_.ChooseLanguage(chosen)) {
            value = chosen == UiLanguage::German ? settings::kLanguageGerman : settings::kLanguageEnglish;
            settings_.WriteString(settings::kSection, settings::kLanguage, value);
            settings_.Flush(); // kept even if this run never reaches its exit
        }
    }
    SetUiLanguage(value == settings::kLanguageGerman ? UiLanguage::German : UiLanguage::English);
}

void MainWindowState::LoadSettings()
{
    using namespace settings;
    // A hand-edited or foreign value outside its range counts as absent.
    const auto readInRange = [this](const char* name, int defaultValue, int low, int high) {
        const int value = settings_.ReadInt(kSection, name, defaultValue);
        return value >= low && value <= high ? value : defaultValue;
    };
    keyboardModel = readInRange(kKeyboardModel, kKeyboardModelDefault, 0, 2);
    backupStructureOption = readInRange(kBackupStructure, kBackupStructureDefault, 0, 1) != 0;
    noNetworkOption = readInRange(kNoNetwork, kNoNetworkDefault, 0, 1) != 0;
    flashStyleMode = readInRange(kFlashStyleMode, kFlashStyleModeDefault, kFlashFactory, kFlashIndividual);
    flashStyleFile = settings_.ReadString(kSection, kFlashStyleFile, "");
    ReadRecentFiles(settings_, kRecentMdbPrefix, Pane(PaneId::Mdb));
    ReadRecentFiles(settings_, kRecentArchivePrefix, Pane(PaneId::Archive));
    lastBackupFolder = settings_.ReadString(kSection, kLastBackupDir, "");
    windowPosition.top = settings_.ReadInt(kSection, kTopPos, kNoPosition);
    windowPosition.left = settings_.ReadInt(kSection, kLeftPos, kNoPosition);
    // The window never gets smaller than its layout; a size beyond any screen is cut down there.
    windowPosition.width = readInRange(kWidth, kNoPosition, 1, 100000);
    windowPosition.height = readInRange(kHeight, kNoPosition, 1, 100000);
    windowPosition.maximized = readInRange(kMaximized, 0, 0, 1) != 0;
    workspace.history.SetMemoryLimit(std::size_t(readInRange(kUndoMemoryMB, kUndoMemoryMBDefault, 1, 1 << 20)) << 20);
}

bool MainWindowState::SaveSettings()
{
    using namespace settings;
    settings_.WriteInt(kSection, kKeyboardModel, keyboardModel);
    settings_.WriteInt(kSection, kBackupStructure, backupStructureOption ? 1 : 0);
    settings_.WriteInt(kSection, kNoNetwork, noNetworkOption ? 1 : 0);
    settings_.WriteInt(kSection, kFlashStyleMode, flashStyleMode);
    settings_.WriteString(kSection, kFlashStyleFile, flashStyleFile);
    WriteRecentFiles(settings_, kRecentMdbPrefix, Pane(PaneId::Mdb));
    WriteRecentFiles(settings_, kRecentArchivePrefix, Pane(PaneId::Archive));
    settings_.WriteString(kSection, kLastBackupDir, lastBackupFolder);
    settings_.WriteInt(kSection, kTopPos, windowPosition.top);
    settings_.WriteInt(kSection, kLeftPos, windowPosition.left);
    settings_.WriteInt(kSection, kWidth, windowPosition.width);
    settings_.WriteInt(kSection, kHeight, windowPosition.height);
    settings_.WriteInt(kSection, kMaximized, windowPosition.maximized ? 1 : 0);
    settings_.WriteInt(kSection, kUndoMemoryMB, int(workspace.history.MemoryLimit() >> 20));
    return settings_.Flush();
}

} // namespace tessaro
