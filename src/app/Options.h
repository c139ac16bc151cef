#pragma once
// The window's options: the keyboard model the MDB is for, the flash-style
// names (Factory, Default or read from a flash-style backup file), the
// backup-structure and no-network options and the last backup folder chosen.
// All of them are stored in the settings.

#include "app/CommandStates.h"
#include "app/SettingsStore.h"
#include "app/WindowContext.h"
#include "data/MdbImage.h"

#include <string>

namespace tessaro {

// Flash-style modes, as stored (other stored numbers are kept as they are and
// select no names).
constexpr int kFlashFactory = 0;
constexpr int kFlashDefault = 1;
constexpr int kFlashIndividual = 2;

// "PSR9000", "9000Pro", or empty for no model.
std::string ModelLabel(KeyboardModel model);

class Options
{
public:
    explicit Options(WindowContext& context) : context_(context) {}

    // Values outside their range read as their defaults.
    void Load(SettingsStore& settings);
    void Save(SettingsStore& settings) const;
    // At start-up, after Load: the stored model is shown and the flash-style
    // names follow the stored mode (Individual reads its file, falling back to
    // Factory when that fails).
    void Start();

    // ---- The keyboard model -------------------------------------------------
    // What New and the keyboard check offer first, what an MDB is saved for.
    KeyboardModel Model() const { return model_; }
    // A loaded MDB or New tells it; Show also names it in the window.
    void SetModel(KeyboardModel model) { model_ = model; }
    void ShowModel() { modelShown_ = true; }
    // The MDB pane was closed or failed to load: the model stays, unnamed.
    void HideModel() { modelShown_ = false; }
    bool ModelShown() const { return modelShown_; }
    // After a load or New changed the model: the Factory names follow it.
    void FollowModelWithFactoryNames();

    // ---- Check boxes --------------------------------------------------------
    bool BackupStructure() const { return backupStructure_; }
    bool NoNetwork() const { return noNetwork_; }
    // The MDB recent list follows at the next refresh; so does the flash-style file's label.
    void SetBackupStructure(bool on);
    // Takes effect when the next browse dialog opens.
    void SetNoNetwork(bool on) { noNetwork_ = on; }
    const std::string& LastBackupFolder() const { return lastBackupFolder_; }
    void SetLastBackupFolder(const std::string& folder) { lastBackupFolder_ = folder; }

    // ---- Flash styles ---------------------------------------------------------
    int FlashStyleMode() const { return flashStyleMode_; }
    const std::string& FlashStyleFile() const { return flashStyleFile_; }
    void SetFlashStyleFile(const std::string& path) { flashStyleFile_ = path; }
    void SelectFactoryFlashStyles();    // radio "Factory"
    void SelectDefaultFlashStyles();    // radio "Default"
    void SelectIndividualFlashStyles(); // radio "Individual:"
    bool ReadFlashStyleBackup();        // from FlashStyleFile(); false falls back to Factory
    // The file named beside the radio buttons: the one last read, shown as its
    // backup set with the backup-structure option on; empty before any.
    std::string FlashStyleFileLabel() const;

    // The option commands' states, the model label and the flash-style label.
    void FillStates(CommandStates& states) const;

private:
    // Installs the names the flash-style mode stands for (Factory for the
    // current model, or Default); Individual and unknown modes keep theirs.
    void InstallFlashNamesForMode();
    void RelabelAllEntries();

    WindowContext& context_;
    KeyboardModel model_ = KeyboardModel::None;
    bool modelShown_ = false;
    bool backupStructure_ = false;
    bool noNetwork_ = false;
    std::string lastBackupFolder_;
    int flashStyleMode_ = kFlashFactory;
    std::string flashStyleFile_;
    // The file whose name stands beside the radio buttons (a failed read keeps the one before).
    std::string labelledFlashStyleFile_;
};

} // namespace tessaro
