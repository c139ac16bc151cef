// Construction, start-up, the stored settings and exit.
#include "app/MainWindowState.h"

#include "app/SettingsKeys.h"
#include "browse/DirectoryListing.h"

#include <filesystem>

namespace tessaro {

MainWindowState::MainWindowState(Prompts& prompts, SettingsStore& settings, StyleCatalogue& styles)
    : prompts_(prompts), settings_(settings), context_(prompts, styles)
{
}

void MainWindowState::Initialise()
{
    std::error_code ec;
    startupFolder_ = std::filesystem::current_path(ec).string();
    RunLanguageChoice();
    LoadSettings();
    options_.Start();
}

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
    options_.Load(settings_);
    files_.LoadRecentFiles(settings_);
    windowPosition_.top = settings_.ReadInt(kSection, kTopPos, kNoPosition);
    windowPosition_.left = settings_.ReadInt(kSection, kLeftPos, kNoPosition);
    // The window never gets smaller than its layout; a size beyond any screen is cut down there.
    windowPosition_.width = readInRange(kWidth, kNoPosition, 1, 100000);
    windowPosition_.height = readInRange(kHeight, kNoPosition, 1, 100000);
    windowPosition_.maximized = readInRange(kMaximized, 0, 0, 1) != 0;
    context_.workspace.history.SetMemoryLimit(
        std::size_t(readInRange(kUndoMemoryMB, kUndoMemoryMBDefault, 1, 1 << 20)) << 20);
}

bool MainWindowState::SaveSettings()
{
    using namespace settings;
    options_.Save(settings_);
    files_.SaveRecentFiles(settings_);
    settings_.WriteInt(kSection, kTopPos, windowPosition_.top);
    settings_.WriteInt(kSection, kLeftPos, windowPosition_.left);
    settings_.WriteInt(kSection, kWidth, windowPosition_.width);
    settings_.WriteInt(kSection, kHeight, windowPosition_.height);
    settings_.WriteInt(kSection, kMaximized, windowPosition_.maximized ? 1 : 0);
    settings_.WriteInt(kSection, kUndoMemoryMB, int(context_.workspace.history.MemoryLimit() >> 20));
    return settings_.Flush();
}

bool MainWindowState::ExitSequence(const WindowPosition& currentPosition)
{
    if (!files_.ConfirmDiscard(PaneId::Mdb) || !files_.ConfirmDiscard(PaneId::Archive))
        return false;
    for (PaneId id : kPaneIds)
        files_.ResetPane(id);
    windowPosition_ = currentPosition;
    if (!SaveSettings()) { // the window closes all the same
        const std::string why = settings_.FlushFailure();
        prompts_.MessageBox(Tr(Msg::ErrorSavingSettings) + (why.empty() ? "" : "\n\n" + why),
                            MsgIcon::Warning, MsgButtons::Ok);
    }
    return true;
}

void MainWindowState::OpenHelp()
{
    prompts_.OpenHelp(JoinPath(startupFolder_, Tr(Caption::HelpPage)));
}

} // namespace tessaro
