#pragma once
// Every message of the program as a pair of English and German text (UTF-8),
// chosen when it is shown. The one place where message wording lives.

#include <string>

namespace tessaro {

enum class UiLanguage { English, German };
void SetUiLanguage(UiLanguage language);
UiLanguage GetUiLanguage();
bool IsGerman();

enum class Msg {
    // MDB backup file
    ErrorOpeningFile,
    InvalidFileSize,
    ErrorReadingFile,
    InvalidChecksum,
    NotAValidMdb,
    ErrorLoadingDisplayBuffer,
    ErrorSavingMdb,
    TooManyEntries,
    ErrorCreatingDirectory,
    FileExistsOverwrite,
    MdbChangedSave,
    // BACKUP.INI
    ErrorUpdatingBackupIni,
    // Archive
    ErrorOpeningArchive,
    ErrorReadingArchive,
    NotAValidArchive,
    ErrorSavingArchive,
    ArchiveChangedSave,
    // Flash-style backup
    ErrorOpeningFlashStyle,
    ErrorReadingFlashStyle,
    FlashStyleNotIncluded,
    // Catalogue lists
    ErrorCreatingVoiceTable,

    Count_ // keep last
};

struct TextPair
{
    const char* english;
    const char* german;
};

const TextPair& TextsOf(Msg id);
// The text in the current language.
std::string Tr(Msg id);

} // namespace tessaro
