#include "common/Texts.h"

#include <cstddef>
#include <iterator>

namespace tessaro {

namespace {
UiLanguage g_language = UiLanguage::English;

constexpr TextPair OneText(const char* text)
{
    return {text, text, true};
}

// In the order of Msg. The texts are the program's own, typos included.
constexpr TextPair kMessages[] = {
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
    {"The MDB was saved, but BACKUP.INI was not updated: it is larger than 1 MB.",
     "Die MDB wurde gespeichert, aber die BACKUP.INI wurde nicht aktualisiert: Sie ist größer als 1 MB."},
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
    // Copy and move between panes
    {"Please select destination category!", "Bitte Ziel-Kategeorie auswählen!"},
    // Delete
    {"Delete complete category?", "Komplette Kategorie löschen?"},
    // Search dialog
    {"Text not found!", "Text nicht gefunden!"},
    // Protocol reports
    {"Error creating protocol file!", "Fehler beim Anlegen der Protokolldatei!"},
    // Entry editor
    {"Category title must not be empty!", "Der Name der Kategorie darf nicht leer sein!"},
    {"Entry title must not be empty!", "Die Titel darf nicht leer sein!"},
    // Field checks
    {"Please enter an integer.", "Geben Sie bitte eine ganze Zahl ein."},
    {"Please enter an integer between %1 and %2.", "Geben Sie bitte eine ganze Zahl zwischen %1 und %2 ein."},
    {"Please enter no more than %1 characters.", "Geben Sie bitte nicht mehr als %1 Zeichen ein."},
    // Folder-tree context menu: English in both languages
    OneText("GetUIObjectOf failed! hr=%lx"),
    OneText("InvokeCommand failed. hr=%lx"),
    // Saving any file
    {"There is not enough free space for a safe save. Overwrite the file directly? "
     "If writing fails, the file is lost.",
     "Für ein sicheres Speichern ist nicht genug Platz frei. Die Datei direkt überschreiben? "
     "Schlägt das Schreiben fehl, ist die Datei verloren."},
    // Settings
    {"The settings could not be saved!", "Die Einstellungen konnten nicht gespeichert werden!"},
    // Multiple selection
    {"Delete %1 entries?", "%1 Einträge löschen?"},
    {"Delete 1 entry?", "1 Eintrag löschen?"},
    // Help pages
    {"The help page %1 was not found.\n\nLooked in:\n%2",
     "Die Hilfeseite %1 wurde nicht gefunden.\n\nGesucht in:\n%2"},
    {"No program to show the help page was found.\n\n%1\n\n"
     "Install a web browser and xdg-utils (xdg-open), or open the page yourself.",
     "Es wurde kein Programm gefunden, das die Hilfeseite anzeigt.\n\n%1\n\n"
     "Installieren Sie einen Webbrowser und xdg-utils (xdg-open) oder öffnen Sie die Seite selbst."},
    // Tools: CSV export and import, compare, keyboard check, duplicates
    {"Error writing the CSV file!", "Fehler beim Schreiben der CSV-Datei!"},
    {"Error reading the CSV file!", "Fehler beim Lesen der CSV-Datei!"},
    {"Nothing was imported: the file has %1 faults.",
     "Nichts wurde importiert: Die Datei enthält %1 Fehler."},
    {"Both panes hold the same entries in the same order.",
     "Beide Bereiche enthalten dieselben Einträge in derselben Reihenfolge."},
    {"Every entry plays as stored on the %1.", "Jeder Eintrag spielt auf dem %1 wie gespeichert."},
    {"No duplicates found.", "Keine Duplikate gefunden."},
    {"Entries with voices only the PSR-9000pro has: %1\n\n"
     "The PSR-9000 does not have these voices. Save as PSR-9000 MDB anyway?",
     "Einträge mit Voices, die nur das PSR-9000pro hat: %1\n\n"
     "Das PSR-9000 hat diese Voices nicht. Trotzdem als PSR-9000 MDB speichern?"},
    {"Open a file in both panes to compare them.",
     "Zum Vergleichen muss in beiden Bereichen eine Datei geöffnet sein."},
    // Large files and long work
    {"The file %1 is %2 bytes long: too large for the memory of this computer.",
     "Die Datei %1 ist %2 Bytes groß: zu groß für den Speicher dieses Computers."},
    {"Not enough memory to load the file %1!", "Nicht genug Speicher, um die Datei %1 zu laden!"},
    {"Cancelled.", "Abgebrochen."},
    // Floppy disk images
    {"The disk image is only %1 bytes long: too short for a boot sector.",
     "Das Disketten-Image ist nur %1 Bytes lang: zu kurz für einen Bootsektor."},
    {"The disk image is %1 bytes long; disk images above %2 bytes are not read.",
     "Das Disketten-Image ist %1 Bytes lang; Disketten-Images über %2 Bytes werden nicht gelesen."},
    {"The boot sector gives %1 bytes per sector; a disk has 512, 1024, 2048 or 4096.",
     "Der Bootsektor nennt %1 Bytes pro Sektor; eine Diskette hat 512, 1024, 2048 oder 4096."},
    {"The boot sector gives %1 sectors per cluster; it must be 1, 2, 4, 8, 16, 32, 64 or 128.",
     "Der Bootsektor nennt %1 Sektoren pro Cluster; erlaubt sind 1, 2, 4, 8, 16, 32, 64 oder 128."},
    {"The boot sector does not add up: its field \"%1\" is 0.",
     "Der Bootsektor ist nicht stimmig: Sein Feld \"%1\" ist 0."},
    {"The boot sector does not add up: the data area would begin at sector %1, "
     "but the disk has only %2 sectors.",
     "Der Bootsektor ist nicht stimmig: Der Datenbereich begänne bei Sektor %1, "
     "die Diskette hat aber nur %2 Sektoren."},
    {"The disk image is formatted with FAT32 (%1 clusters); only FAT12 and FAT16 disks can be read.",
     "Das Disketten-Image ist mit FAT32 formatiert (%1 Cluster); nur FAT12- und FAT16-Disketten "
     "können gelesen werden."},
    {"The boot sector does not add up: a FAT of %1 sectors cannot hold the %2 clusters of the disk.",
     "Der Bootsektor ist nicht stimmig: Eine FAT aus %1 Sektoren fasst die %2 Cluster der Diskette nicht."},
    {"The disk image is %1 bytes long, but its boot sector describes a disk of %2 bytes.",
     "Das Disketten-Image ist %1 Bytes lang, sein Bootsektor beschreibt aber eine Diskette mit %2 Bytes."},
    {"The disk image is damaged: %1 points to a cluster outside the disk.",
     "Das Disketten-Image ist beschädigt: %1 verweist auf einen Cluster außerhalb der Diskette."},
    {"The disk image is damaged: the cluster chain of %1 runs in a loop.",
     "Das Disketten-Image ist beschädigt: Die Cluster-Kette von %1 läuft im Kreis."},
    {"The disk image is damaged: %1 shares clusters with another file or folder.",
     "Das Disketten-Image ist beschädigt: %1 teilt Cluster mit einer anderen Datei oder einem anderen Ordner."},
    {"The disk image is damaged: %1 is longer than the clusters it has.",
     "Das Disketten-Image ist beschädigt: %1 ist länger als seine Cluster."},
    {"The disk image is damaged: the folder %1 holds an entry without a usable name.",
     "Das Disketten-Image ist beschädigt: Der Ordner %1 enthält einen Eintrag ohne brauchbaren Namen."},
    {"The disk image is damaged: %1 is there twice.", "Das Disketten-Image ist beschädigt: %1 gibt es zweimal."},
    {"The name \"%1\" does not fit on a floppy disk: a name has 1 to 8 characters, "
     "optionally followed by a dot and 1 to 3 more; allowed are the letters A to Z, "
     "the digits and ! # $ % & ' ( ) - @ ^ _ ` { } ~ (no spaces, no other dot).",
     "Der Name \"%1\" passt nicht auf eine Diskette: Ein Name hat 1 bis 8 Zeichen, "
     "wahlweise gefolgt von einem Punkt und 1 bis 3 weiteren; erlaubt sind die Buchstaben A bis Z, "
     "die Ziffern und ! # $ % & ' ( ) - @ ^ _ ` { } ~ (keine Leerzeichen, kein weiterer Punkt)."},
    {"%1 is not on the disk image.", "%1 ist nicht auf dem Disketten-Image."},
    {"%1 on the disk image is not a folder.", "%1 auf dem Disketten-Image ist kein Ordner."},
    {"%1 on the disk image is a folder, not a file.",
     "%1 auf dem Disketten-Image ist ein Ordner, keine Datei."},
    {"The disk image has no room for %1: %2 more bytes would be needed. The image was left unchanged.",
     "Auf dem Disketten-Image ist kein Platz für %1: Es fehlen %2 Bytes. Das Image blieb unverändert."},
    {"The root folder of the disk image is full (%1 entries). The image was left unchanged.",
     "Der Hauptordner des Disketten-Images ist voll (%1 Einträge). Das Image blieb unverändert."},
    {"The disk image %1 holds no MDB backup file.", "Das Disketten-Image %1 enthält keine MDB-Backup-Datei."},
    {"The disk image %1 holds several MDB backup files; choose one.",
     "Das Disketten-Image %1 enthält mehrere MDB-Backup-Dateien; bitte eine auswählen."},
    // Memory running out in a command of the window
    {"There is not enough memory for this command. It was stopped; both panes are as they were.",
     "Für diesen Befehl reicht der Speicher nicht. Er wurde abgebrochen; beide Bereiche sind unverändert."},
    // Files handed to the window that do not exist
    {"These files were not found:\n%1", "Diese Dateien wurden nicht gefunden:\n%1"},
    // A pane's Open on a floppy image
    {"The disk image %1 holds no MDB archive (*.mdx).",
     "Das Disketten-Image %1 enthält kein MDB-Archiv (*.mdx)."},
    {"The disk image %1 holds several MDB archives; choose one.",
     "Das Disketten-Image %1 enthält mehrere MDB-Archive; bitte eines auswählen."},

    // Set list: PDF export; and what would take the MDB over its limit
    {"Error writing the PDF file!", "Fehler beim Schreiben der PDF-Datei!"},
    {"The MDB would then hold %1 entries, more than the 616 the keyboard can take.\n\n"
     "It cannot be saved like that until some entries are deleted. Go on anyway?",
     "Die MDB enthielte danach %1 Einträge, mehr als die 616, die das Keyboard aufnehmen kann.\n\n"
     "So kann sie erst gespeichert werden, wenn einige Einträge gelöscht sind. Trotzdem fortfahren?"},
    {"The set list could not be printed: the printer did not accept it.",
     "Die Setliste konnte nicht gedruckt werden: Der Drucker hat sie nicht angenommen."},

    // Set list: a very long one asks first
    {"The set list of this pane fills %1 pages.\n\nGo on all the same?",
     "Die Setliste dieses Bereichs füllt %1 Seiten.\n\nTrotzdem fortfahren?"},
};
static_assert(std::size(kMessages) == static_cast<std::size_t>(Msg::Count_), "one text pair for every Msg");

// In the order of Caption.
constexpr TextPair kCaptions[] = {
    // Main window
    OneText("Tessaro  -  Music Database Editor for Yamaha PSR-9000 and 9000pro"),
    {"Yamaha backup structure:", "Yamaha Backup Struktur:"},
    {"No network access:", "Kein Netzwerkzugriff:"},
    {"New", "Neu"},
    {"Open", "Öffnen"},
    {"Save", "Speichern"},
    {"Save As", "Speich.unt."},
    {"Close", "Schließen"},
    {"New category", "Neue Kategorie"},
    {"Edit", "Eintrag bearb."},
    {"Main entry", "Haupteintrag"},
    {"Sub entry", "Untereintrag"},
    {"Copy", "Kopieren"},
    {"Copy >>", "Kopieren >>"},
    {"<< Copy", "<< Kopieren"},
    {"Move", "Verschieben"},
    {"Move >>", "Verschieben >>"},
    {"<< Move", "<< Verschieben"},
    {"Up", "Nach oben"},
    {"Down", "Nach unten"},
    {"Delete", "Löschen"},
    {"Search", "Suchen"},
    {"Protocol (format.)", "Protokoll (form.)"},
    {"Protocol (tabs)", "Protokoll (Tabs)"},
    {"Help", "Hilfe"},
    {"Exit", "Ende"},
    // Dialogs
    {"Cancel", "Abbrechen"},
    {"&Yes", "&Ja"},
    {"&No", "&Nein"},
    {"Category:", "Kategorie:"},
    {"Edit entry", "Eintrag bearbeiten"},
    {"Title:", "Titel:"},
    {"Edit category", "Kategorie bearbeiten"},
    {"Choose keyboard model", "Keyboardtyp auswählen"},
    {"Search:", "Suchtext:"},
    {"Filename:", "Dateiname:"},
    // Titles of the file dialogs and browse dialogs
    {"Open Music Database", "MDB öffnen"},
    {"Save Music Database", "MDB speichern"},
    {"Open Music Database Backup", "MDB-Backup öffnen"},
    {"Save Music Database Backup", "MDB-Backup speichern"},
    {"Open MDB archive", "MDB-Archiv öffnen"},
    {"Save MDB archive", "MDB-Archiv speichern"},
    {"Open Flash Style backup", "Flash-Style Backup öffnen"},
    {"Create protocol file", "Protokolldatei anlegen"},
    // File filters
    {"Music Database (MDB*.bup)|MDB*.bup|All files (*.*)|*.*||",
     "Musikdatenbank (MDB*.bup)|MDB*.bup|Alle Dateien (*.*)|*.*||"},
    {"MDB archive (*.mdx)|*.mdx|All files (*.*)|*.*||", "MDB-Archiv (*.mdx)|*.mdx|Alle Dateien (*.*)|*.*||"},
    {"Flash Style backup (STY*.b*)|STY*.b*|All files (*.*)|*.*||",
     "Flash-Style Backup (STY*.b*)|STY*.b*|Alle Dateien (*.*)|*.*||"},
    {"Protocol file (*.txt)|*.txt||", "Protokolldatei (*.txt)|*.txt||"},
    // Language dialog
    OneText("Choose Language"),
    OneText("Deutsch (German)"),
    OneText("English"),
    OneText("Please choose your favorite language:\nBitte wählen Sie die gewünschte Sprache:"),
    OneText("This dialog will not be displayed again.\nDieser Dialog wird nicht mehr angezeigt."),
    // Help page
    {"Tessaro_e.htm", "Tessaro.htm"},
    // Release date in the version line (a date pattern; the month's name follows the language)
    {"d MMMM yyyy", "d. MMMM yyyy"},
    // Folder-tree root and context menu
    {"Home", "Persönlicher Ordner"},
    {"Desktop", "Schreibtisch"},
    {"File System", "Dateisystem"},
    {"Network", "Netzwerk"},
    {"Open in file manager", "Im Dateimanager öffnen"},
    {"New folder", "Neuer Ordner"},
    {"Copy path", "Pfad kopieren"},
    // Editing history
    {"Undo", "Rückgängig"},
    {"Redo", "Wiederholen"},
    {"Undo: %1", "Rückgängig: %1"},
    {"Redo: %1", "Wiederholen: %1"},
    {"Edit", "Bearbeiten"},
    {"Rename", "Umbenennen"},
    // Multiple selection
    {"%1 (%2 entries)", "%1 (%2 Einträge)"},
    // Menu bar and context menu of the main window
    {"&File", "&Datei"},
    {"&Edit", "&Bearbeiten"},
    {"&Tools", "E&xtras"},
    {"&Help", "&Hilfe"},
    {"&New MDB...", "&Neue MDB..."},
    {"&Open MDB...", "MDB ö&ffnen..."},
    {"&Save MDB", "MDB &speichern"},
    {"Save MDB &As...", "MDB speichern &unter..."},
    {"&Close MDB", "MDB s&chließen"},
    {"New a&rchive", "Neues A&rchiv"},
    {"O&pen archive...", "Archiv ö&ffnen..."},
    {"Sa&ve archive", "Archiv spei&chern"},
    {"Save archive A&s...", "Archiv speichern u&nter..."},
    {"C&lose archive", "Archiv sch&ließen"},
    {"E&xit", "&Beenden"},
    {"&Edit...", "&Bearbeiten..."},
    {"&Copy to archive", "Ins Archiv &kopieren"},
    {"&Copy to MDB", "In die MDB &kopieren"},
    {"&Move to archive", "Ins Archiv &verschieben"},
    {"&Move to MDB", "In die MDB &verschieben"},
    {"&Search...", "&Suchen..."},
    {"Search &again", "&Weitersuchen"},
    {"Protocol (&formatted)...", "Protokoll (&formatiert)..."},
    {"Protocol (&tabs)...", "Protokoll (&Tabs)..."},
    {"&Yamaha backup structure", "&Yamaha Backup Struktur"},
    {"No &network access", "Kein &Netzwerkzugriff"},
    {"Flash &Styles", "Flash-&Styles"},
    OneText("Individual..."),
    {"&Help page", "&Hilfeseite"},
    // Tools: CSV export and import, compare, keyboard check, duplicates
    {"Export CSV", "CSV exportieren"},
    {"Import CSV", "CSV importieren"},
    {"CSV file (*.csv)|*.csv|All files (*.*)|*.*||", "CSV-Datei (*.csv)|*.csv|Alle Dateien (*.*)|*.*||"},
    {"Compare panes", "Bereiche vergleichen"},
    {"Differences: %1 (MDB: %2, archive: %3)", "Unterschiede: %1 (MDB: %2, Archiv: %3)"},
    {"Only in the MDB", "Nur in der MDB"},
    {"Only in the archive", "Nur im Archiv"},
    {"Moved", "Verschoben"},
    {"Changed", "Geändert"},
    {"Check for keyboard", "Für Keyboard prüfen"},
    {"Findings for the %2: %1", "Befunde für das %2: %1"},
    {"Find duplicates", "Duplikate suchen"},
    {"Groups of duplicates: %1 (nothing is deleted)", "Gruppen von Duplikaten: %1 (nichts wird gelöscht)"},
    {"Same registration (%1 entries)", "Gleiche Registrierung (%1 Einträge)"},
    {"Same title in one category (%1 entries)", "Gleicher Titel in einer Kategorie (%1 Einträge)"},
    {"untitled", "unbenannt"},
    // The tools in the menus
    {"&Export CSV...", "CSV &exportieren..."},
    {"&Import CSV...", "CSV &importieren..."},
    {"&Compare panes...", "Bereiche &vergleichen..."},
    {"Check for &keyboard...", "Für &Keyboard prüfen..."},
    {"Find &duplicates...", "&Duplikate suchen..."},
    // Progress of long work
    {"Loading...", "Laden..."},
    {"Saving...", "Speichern..."},
    {"Copying...", "Kopieren..."},
    {"Moving...", "Verschieben..."},
    {"Writing the report...", "Protokoll wird geschrieben..."},
    // What Check for keyboard found in an entry
    {"%1 is no voice of the catalogue", "%1 ist keine Voice des Katalogs"},
    {"%1 %2 is a PSR-9000pro voice", "%1 %2 ist eine Voice des PSR-9000pro"},
    {"%1, which the entry editor does not accept", "%1, was der Eintragseditor nicht annimmt"},
    {"%1 needs its style disk", "%1 braucht seine Style-Diskette"},
    // A pane's Open on a floppy image
    {"Floppy disk images (*.img;*.ima)|*.img;*.ima|", "Disketten-Images (*.img;*.ima)|*.img;*.ima|"},

    // Set list: printing, preview and PDF
    {"Prin&t...", "&Drucken..."},
    {"Print previe&w...", "Druck&vorschau..."},
    {"Export P&DF...", "Als &PDF exportieren..."},
    {"Export PDF", "Als PDF exportieren"},
    {"PDF file (*.pdf)|*.pdf|All files (*.*)|*.*||", "PDF-Datei (*.pdf)|*.pdf|Alle Dateien (*.*)|*.*||"},
    {"Title", "Titel"},
    OneText("Style"),
    OneText("Tempo"),
    {"R1 voice", "R1-Voice"},
    {"Page %1 of %2", "Seite %1 von %2"},
    // About dialog
    {"&About Tessaro...", "Ü&ber Tessaro..."},
    {"About Tessaro", "Über Tessaro"},
    {"Editor for the Music Database of the Yamaha PSR-9000 and PSR-9000pro arranger keyboards.",
     "Editor für die Music Database der Yamaha Arranger-Keyboards PSR-9000 und PSR-9000pro."},
    OneText("Version %1"),
    {"Free software under the GNU General Public License, version 3 or later. It comes with no warranty.",
     "Freie Software unter der GNU General Public License, Version 3 oder später. Ohne jede Gewährleistung."},
    // Progress of long work: the file it works on
    {"File: %1", "Datei: %1"},
    // What a drop or a copy did, for the status bar
    {"Moved %1 entries to %2", "%1 Einträge nach %2 verschoben"},
    {"Moved 1 entry to %2", "1 Eintrag nach %2 verschoben"},
    {"Copied %1 entries to %2", "%1 Einträge nach %2 kopiert"},
    {"Copied 1 entry to %2", "1 Eintrag nach %2 kopiert"},
    // The release date in the About box
    {"Released on %1", "Erschienen am %1"},
    // Progress of the set list's pages
    {"Preparing the pages...", "Seiten werden vorbereitet..."},
};
static_assert(std::size(kCaptions) == static_cast<std::size_t>(Caption::Count_),
              "one text pair for every Caption");

std::string InCurrentLanguage(const TextPair& pair)
{
    return IsGerman() ? pair.german : pair.english;
}
} // namespace

void SetUiLanguage(UiLanguage language)
{
    g_language = language;
}
UiLanguage GetUiLanguage()
{
    return g_language;
}
bool IsGerman()
{
    return g_language == UiLanguage::German;
}

const TextPair& TextsOf(Msg id)
{
    return kMessages[static_cast<std::size_t>(id)];
}
const TextPair& TextsOf(Caption id)
{
    return kCaptions[static_cast<std::size_t>(id)];
}

std::string Tr(Msg id)
{
    return InCurrentLanguage(TextsOf(id));
}
std::string Tr(Caption id)
{
    return InCurrentLanguage(TextsOf(id));
}

std::string FillArgs(std::string_view text, std::initializer_list<std::string_view> args)
{
    std::string out;
    out.reserve(text.size());
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char next = i + 1 < text.size() ? text[i + 1] : '\0';
        const auto index = static_cast<std::size_t>(next - '1');
        if (text[i] == '%' && next >= '1' && next <= '9' && index < args.size()) {
            out += *(args.begin() + index);
            ++i;
        } else {
            out += text[i];
        }
    }
    return out;
}

namespace {
// In the order of ModernText.
constexpr TextPair kModernTexts[] = {
    {"&View", "&Ansicht"},
    {"&Classic layout", "&Klassische Ansicht"},
    {"&Modern layout", "&Moderne Ansicht"},
    {"The new layout takes effect when Tessaro is started again.",
     "Die neue Ansicht gilt ab dem nächsten Start von Tessaro."},
    {"&Preferences...", "&Einstellungen..."},
    {"Preferences", "Einstellungen"},
    {"&Language:", "&Sprache:"},
    {"Changing the language takes effect after a restart.",
     "Eine geänderte Sprache gilt nach einem Neustart."},
    {"La&yout:", "An&sicht:"},
    {"MDB", "MDB", true},
    {"Archive", "Archiv"},
    {"no file", "keine Datei"},
    {"modified", "geändert"},
    {"Filter (title, category, style)", "Filter (Titel, Kategorie, Style)"},
    {"Title", "Titel"},
    {"Style", "Style", true},
    {"Tempo", "Tempo", true},
    {"Variation", "Variation", true},
    {"R1 voice", "R1-Voice"},
    {"Left voice", "Left-Voice"},
    {"%1 of at most 616 entries", "%1 von höchstens 616 Einträgen"},
    {"Tool bar", "Werkzeugleiste"},
    {"Open", "Öffnen"},
    {"Save", "Speichern"},
    {"Undo", "Rückgängig"},
    {"Redo", "Wiederholen"},
    {"Copy", "Kopieren"},
    {"Move", "Verschieben"},
    {"Delete", "Löschen"},
    {"Search", "Suchen"},
    {"Saved %1 entries to %2", "%1 Einträge in %2 gespeichert"},
    {"Opened %1 with %2 entries", "%1 mit %2 Einträgen geöffnet"},
    {"%1 - Ctrl+Z undoes it", "%1 - Strg+Z macht es rückgängig"},
    {"Undone: %1", "Rückgängig gemacht: %1"},
    {"Redone: %1", "Wiederholt: %1"},
    {"Filter shows %1 of %2 entries", "Filter zeigt %1 von %2 Einträgen"},
    {"MDB entries", "MDB-Einträge"},
    {"Archive entries", "Archiv-Einträge"},
    {"Recent MDB files", "Zuletzt geöffnete MDB-Dateien"},
    {"Recent archive files", "Zuletzt geöffnete Archive"},
    {"Filter the MDB pane", "MDB-Bereich filtern"},
    {"Filter the archive pane", "Archiv-Bereich filtern"},
    {"Status", "Status", true},
    {"Right-click to show or hide columns", "Rechtsklick zeigt oder verbirgt Spalten"},
    {"MDB %1, archive %2", "MDB %1, Archiv %2"},
    {"&Columns", "&Spalten"},
    // A filtered category's count
    {"%1 of %2", "%1 von %2"},
    // The flash-style choice in the menus
    {"&Factory", "&Werksnamen"},
    {"&Default", "&Standardnamen"},
    {"&Individual...", "&Individuell..."},
};
static_assert(std::size(kModernTexts) == static_cast<std::size_t>(ModernText::Count_),
              "one text pair for every ModernText");
} // namespace

const TextPair& TextsOf(ModernText id)
{
    return kModernTexts[static_cast<std::size_t>(id)];
}
std::string Tr(ModernText id)
{
    return IsGerman() ? TextsOf(id).german : TextsOf(id).english;
}

namespace {
// In the order of PanelText.
constexpr TextPair kPanelTexts[] = {
    {"Tool results", "Ergebnisliste"},
    {"Tool &results", "&Ergebnisliste"},
    {"The lists of Compare panes, Check for keyboard, Find duplicates and Import CSV appear here.",
     "Hier erscheinen die Listen von Bereiche vergleichen, Für Keyboard prüfen, Duplikate suchen und "
     "CSV importieren."},
    {"Result lines", "Ergebniszeilen"},
    {"Close the tool results", "Ergebnisliste schließen"},
    {"(no longer there)", "(nicht mehr vorhanden)"},
    {"The entry of this line is no longer in its pane.",
     "Der Eintrag dieser Zeile ist nicht mehr im Bereich."},
    {"Filter cleared to show the entry", "Filter geleert, um den Eintrag zu zeigen"},
    {"F6 goes to the list and back, Escape back to the pane",
     "F6 wechselt zur Liste und zurück, Esc zurück zum Bereich"},
};
static_assert(std::size(kPanelTexts) == static_cast<std::size_t>(PanelText::Count_),
              "one text pair for every PanelText");
} // namespace

const TextPair& TextsOf(PanelText id)
{
    return kPanelTexts[static_cast<std::size_t>(id)];
}
std::string Tr(PanelText id)
{
    return IsGerman() ? TextsOf(id).german : TextsOf(id).english;
}

} // namespace tessaro
