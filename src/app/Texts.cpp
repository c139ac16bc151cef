#include "app/Texts.h"

#include <iterator>

namespace tessaro {

namespace {
UiLanguage g_language = UiLanguage::English;

// In the order of Msg.
constexpr TextPair kTexts[] = {
    // MDB backup file
    {"Error opening file!", "Fehler beim Öffnen der Datei!"},
    {"Invalid file size!", "Ungültige Dateigröße!"},
    {"Error reading from file!", "Fehler beim Lesen aus der Datei!"},
    {"Invalid checksum!", "Ungültige Checksumme!"},
    {"This file doesn't contain a valid PSR9000 or 9000Pro MDB!",
     "Diese Datei enthält keine gültige PSR9000 or 9000Pro MDB!"},
    {"Error loading data into display buffer!", "Fehler beim Laden der Daten in den Anzeigepuffer!"},
    {"Error saving MDB to disk!", "Fehler beim Speichern der MDB!"},
    {"The MDB contains more than 616 entries!\n\nYou must delete some entries.",
     "Die MDB enthält mehr als 616 Einträge!\n\nEs müssen einige Einträge gelöscht werden."},
    {"Error creating directory/backup-structure!", "Fehler beim Anlegen der Verzeichnis/Backup-Struktur!"},
    {"A file with this name already exists!\n\nOverwrite?",
     "Es existiert bereits eine Datei mit diesem Namen!\n\nÜberschreiben?"},
    {"The MDB has been changed!\n\nSave changes?", "Die MDB wurde geändert!\n\nÄnderungen speichern?"},
    // BACKUP.INI
    {"Error creating/updating BACKUP.INI file!", "Fehler beim Anlegen/Aktualisieren der BACKUP.INI Datei!"},
    // Archive
    {"Error opening archive!", "Fehler beim Öffnen des Archivs!"},
    {"Error reading from archive!", "Fehler beim Lesen aus dem Archiv!"},
    {"This file doesn't contain a valid MDB archive!", "Diese Datei enthält kein gültiges MDB-Archiv!"},
    {"Error saving archive to disk!", "Fehler beim Speichern des Archivs!"},
    {"The MDB archive has been changed!\n\nSave changes?",
     "Das MDB-Archiv wurde geändert!\n\nÄnderungen speichern?"},
    // Flash-style backup
    {"Error opening Flash Style backup!", "Fehler beim Öffnen des Flash-Sytle Backups!"},
    {"Error reading Flash-Style data!", "Fehler beim Lesen der Flash-Style Namen!"},
    {"The Flash-Style information is not included in this file / backup!\n\n"
     "(They must be on another disk of this backup set.)",
     "Die Flash-Style Namen sind in dieser Datei/Backup nicht enthalten!\n\n"
     "(Es muß eine andere Datei aus diesem Backup-Set geben.)"},
    // Catalogue lists
    {"Error creating voice definition table!", "Fehler beim Anlegen der Voice-Tabelle!"},
};
static_assert(std::size(kTexts) == static_cast<std::size_t>(Msg::Count_),
              "one text pair for every Msg");
} // namespace

void SetUiLanguage(UiLanguage language) { g_language = language; }
UiLanguage GetUiLanguage() { return g_language; }
bool IsGerman() { return g_language == UiLanguage::German; }

const TextPair& TextsOf(Msg id) { return kTexts[static_cast<std::size_t>(id)]; }

std::string Tr(Msg id)
{
    const TextPair& pair = TextsOf(id);
    return IsGerman() ? pair.german : pair.english;
}

} // namespace tessaro
