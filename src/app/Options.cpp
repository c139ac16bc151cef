// The options and the names of the 120 flash styles: Factory, Default or read
// from a flash-style backup file (Individual).
#include "app/Options.h"

#include "app/PathRules.h"
#include "app/SettingsKeys.h"
#include "browse/BackupSetNames.h"
#include "data/FlashStyleFile.h"

namespace tessaro {

std::string ModelLabel(KeyboardModel model)
{
    switch (model) {
    case KeyboardModel::Psr9000:
        return "PSR9000";
    case KeyboardModel::Psr9000Pro:
        return "9000Pro";
    default:
        return "";
    }
}

void Options::Load(SettingsStore& settings)
{
    using namespace settings;
    // A hand-edited or foreign value outside its range counts as absent.
    const auto readInRange = [&settings](const char* name, int defaultValue, int low, int high) {
        const int value = settings.ReadInt(kSection, name, defaultValue);
        return value >= low && value <= high ? value : defaultValue;
    };
    model_ = static_cast<KeyboardModel>(readInRange(kKeyboardModel, kKeyboardModelDefault, 0, 2));
    backupStructure_ = readInRange(kBackupStructure, kBackupStructureDefault, 0, 1) != 0;
    noNetwork_ = readInRange(kNoNetwork, kNoNetworkDefault, 0, 1) != 0;
    flashStyleMode_ = readInRange(kFlashStyleMode, kFlashStyleModeDefault, kFlashFactory, kFlashIndividual);
    flashStyleFile_ = settings.ReadString(kSection, kFlashStyleFile, "");
    lastBackupFolder_ = settings.ReadString(kSection, kLastBackupDir, "");
}

void Options::Save(SettingsStore& settings) const
{
    using namespace settings;
    settings.WriteInt(kSection, kKeyboardModel, static_cast<int>(model_));
    settings.WriteInt(kSection, kBackupStructure, backupStructure_ ? 1 : 0);
    settings.WriteInt(kSection, kNoNetwork, noNetwork_ ? 1 : 0);
    settings.WriteInt(kSection, kFlashStyleMode, flashStyleMode_);
    settings.WriteString(kSection, kFlashStyleFile, flashStyleFile_);
    settings.WriteString(kSection, kLastBackupDir, lastBackupFolder_);
}

void Options::Start()
{
    ShowModel();
    if (flashStyleMode_ == kFlashIndividual && !flashStyleFile_.empty())
        ReadFlashStyleBackup(); // falls back to Factory when it fails
    InstallFlashNamesForMode();
}

void Options::SetBackupStructure(bool on)
{
    backupStructure_ = on;
    labelledFlashStyleFile_ = flashStyleFile_;
}

bool Options::ReadFlashStyleBackup()
{
    WaitCursor wait(context_.prompts);
    const FlashStyleReadResult read = ReadFlashStyleFile(flashStyleFile_);
    if (!read.ok()) {
        context_.prompts.Warn(*read.error);
        flashStyleMode_ = kFlashFactory; // the caller installs the factory names
        return false;
    }
    // The names change only once every check has passed.
    for (int f = 0; f < kFlashStyleNameCount; ++f)
        context_.styles.SetFlashNameIndividual(f, read.names[static_cast<std::size_t>(f)]);
    flashStyleMode_ = kFlashIndividual;
    labelledFlashStyleFile_ = flashStyleFile_;
    return true;
}

std::string Options::FlashStyleFileLabel() const
{
    if (!backupStructure_)
        return labelledFlashStyleFile_;
    // The set folder, shown by its set name: "Party [Disk-01]".
    std::string label = FolderOf(labelledFlashStyleFile_);
    ToSetDisplayName(label);
    return label;
}

void Options::RelabelAllEntries()
{
    for (PaneId id : kPaneIds)
        context_.Pane(id).tree.RelabelAll();
}

void Options::InstallFlashNamesForMode()
{
    if (flashStyleMode_ == kFlashFactory)
        context_.styles.SetFlashNamesFactory(model_ == KeyboardModel::Psr9000Pro);
    else if (flashStyleMode_ == kFlashDefault)
        context_.styles.SetFlashNamesDefault();
}

void Options::FollowModelWithFactoryNames()
{
    if (flashStyleMode_ != kFlashFactory)
        return;
    InstallFlashNamesForMode();
    // Entries already shown (the other pane, and this one when its entries were
    // labelled before the model was known) show the new model's names too.
    RelabelAllEntries();
}

void Options::SelectFactoryFlashStyles()
{
    flashStyleMode_ = kFlashFactory;
    InstallFlashNamesForMode();
    RelabelAllEntries();
}

void Options::SelectDefaultFlashStyles()
{
    flashStyleMode_ = kFlashDefault;
    InstallFlashNamesForMode();
    RelabelAllEntries();
}

void Options::SelectIndividualFlashStyles()
{
    bool chosen = false;
    if (backupStructure_) {
        BrowseRequest request;
        request.mode = BrowseMode::Open;
        request.title = Tr(Caption::OpenFlashStyleTitle);
        request.iconId = kFlashStyleSetIcon;
        request.mask = "STY*.b*";
        request.startFolder = flashStyleFile_.empty() ? lastBackupFolder_ : FolderOf(flashStyleFile_);
        request.noNetwork = noNetwork_;
        const BrowseResult result = context_.prompts.Browse(request);
        if (result.confirmed && !result.chosenPath.empty()) {
            lastBackupFolder_ = result.chosenFolder;
            flashStyleFile_ = result.chosenPath;
            chosen = true;
        }
    } else {
        FileDialogRequest request;
        request.title = Tr(Caption::OpenFlashStyleTitle);
        request.filter = Tr(Caption::FlashStyleFilter);
        request.initialName = flashStyleFile_;
        const std::optional<std::string> name = context_.prompts.OpenFileDialog(request);
        if (name && !name->empty()) {
            flashStyleFile_ = *name;
            chosen = true;
        }
    }
    if (chosen)
        ReadFlashStyleBackup(); // Individual, or Factory when it fails
    else
        flashStyleMode_ = kFlashFactory;
    InstallFlashNamesForMode();
    RelabelAllEntries();
}

void Options::FillStates(CommandStates& states) const
{
    for (CommandId id : {CommandId::BackupStructure, CommandId::NoNetwork, CommandId::FlashFactory,
                         CommandId::FlashDefault, CommandId::FlashIndividual})
        states[id].enabled = true;
    states[CommandId::BackupStructure].checked = backupStructure_;
    states[CommandId::NoNetwork].checked = noNetwork_;
    states[CommandId::FlashFactory].checked = flashStyleMode_ == kFlashFactory;
    states[CommandId::FlashDefault].checked = flashStyleMode_ == kFlashDefault;
    states[CommandId::FlashIndividual].checked = flashStyleMode_ == kFlashIndividual;
    states.modelLabel = modelShown_ ? ModelLabel(model_) : "";
    states.flashStyleFileLabel = FlashStyleFileLabel();
}

} // namespace tessaro
