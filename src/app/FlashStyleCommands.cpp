// The names of the 120 flash styles: Factory, Default or read from a
// flash-style backup file (Individual), and the labels that show them.
#include "app/MainWindowState.h"

#include "app/PathRules.h"
#include "browse/BackupSetNames.h"
#include "catalogue/StyleCatalogue.h"
#include "data/FlashStyleFile.h"

namespace tessaro {

bool MainWindowState::ReadFlashStyleBackup()
{
    WaitCursor wait(prompts_);
    const FlashStyleReadResult read = ReadFlashStyleFile(flashStyleFile);
    if (!read.ok()) {
        prompts_.Warn(*read.error);
        flashStyleMode = kFlashFactory; // the caller installs the factory names
        return false;
    }
    // The names change only once every check has passed.
    StyleCatalogue& catalogue = styles;
    for (int f = 0; f < kFlashStyleNameCount; ++f)
        catalogue.SetFlashNameIndividual(f, read.names[static_cast<std::size_t>(f)]);
    flashStyleMode = kFlashIndividual;
    ShowFlashStyleFile();
    return true;
}

void MainWindowState::ShowFlashStyleFile()
{
    flashStyleFileLabel = flashStyleFile;
    if (backupStructureOption) {
        // The set folder, shown by its set name: "Party [Disk-01]".
        flashStyleFileLabel = FolderOf(flashStyleFile);
        ToSetDisplayName(flashStyleFileLabel);
    }
}

void MainWindowState::RelabelAllEntries()
{
    Pane(PaneId::Mdb).tree.RelabelAll();
    Pane(PaneId::Archive).tree.RelabelAll();
}

void MainWindowState::InstallFlashNamesForMode()
{
    StyleCatalogue& catalogue = styles;
    if (flashStyleMode == kFlashFactory)
        catalogue.SetFlashNamesFactory(keyboardModel == 2);
    else if (flashStyleMode == kFlashDefault)
        catalogue.SetFlashNamesDefault();
}

void MainWindowState::FollowModelWithFactoryNames()
{
    if (flashStyleMode != kFlashFactory)
        return;
    InstallFlashNamesForMode();
    // Entries already shown (the other pane, and this one when its entries were
    // labelled before the model was known) show the new model's names too.
    RelabelAllEntries();
}

void MainWindowState::SelectFactoryFlashStyles()
{
    flashStyleMode = kFlashFactory;
    InstallFlashNamesForMode();
    RelabelAllEntries();
}

void MainWindowState::SelectDefaultFlashStyles()
{
    flashStyleMode = kFlashDefault;
    InstallFlashNamesForMode();
    RelabelAllEntries();
}

void MainWindowState::SelectIndividualFlashStyles()
{
    bool chosen = false;
    if (backupStructureOption) {
        BrowseRequest request;
        request.mode = BrowseMode::Open;
        request.title = Tr(Caption::OpenFlashStyleTitle);
        request.iconId = kFlashStyleSetIcon;
        request.mask = "STY*.b*";
        request.startFolder = flashStyleFile.empty() ? lastBackupFolder : FolderOf(flashStyleFile);
        request.noNetwork = noNetworkOption;
        const BrowseResult result = prompts_.Browse(request);
        if (result.confirmed && !result.chosenPath.empty()) {
            lastBackupFolder = result.chosenFolder;
            flashStyleFile = result.chosenPath;
            chosen = true;
        }
    } else {
        FileDialogRequest request;
        request.title = Tr(Caption::OpenFlashStyleTitle);
        request.filter = Tr(Caption::FlashStyleFilter);
        request.initialName = flashStyleFile;
        const std::optional<std::string> name = prompts_.OpenFileDialog(request);
        if (name && !name->empty()) {
            flashStyleFile = *name;
            chosen = true;
        }
    }
    if (chosen)
        ReadFlashStyleBackup(); // Individual, or Factory when it fails
    else
        flashStyleMode = kFlashFactory;
    InstallFlashNamesForMode();
    RelabelAllEntries();
}

} // namespace tessaro
