#pragma once
// Every text the program shows in two languages, as a pair of English and
// German (UTF-8), chosen when it is shown: the messages (Msg) and the captions
// and titles of the windows (Caption). The one place where wording lives.
//
// A few texts are the same in both languages on purpose (marked "one text" below):
// the English-only folder-menu failures, the bilingual language dialog and the
// main window's title.
//
// Placeholders: "%1", "%2" are filled with FillArgs; printf-style ones are noted
// at their id.

#include <initializer_list>
#include <string>
#include <string_view>

namespace tessaro {

enum class UiLanguage
{
    English,
    German
};
void SetUiLanguage(UiLanguage language);
UiLanguage GetUiLanguage();
bool IsGerman();

// Message boxes. Append new ids at the end of their section or in a new one;
// the order is the order of the table in Texts.cpp.
enum class Msg
{
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
    FileExistsOverwrite, // question, Yes/No/Cancel
    MdbChangedSave,      // question, Yes/No/Cancel

    // BACKUP.INI
    ErrorUpdatingBackupIni,
    BackupIniTooLarge, // the MDB was saved, BACKUP.INI left alone

    // Archive
    ErrorOpeningArchive,
    ErrorReadingArchive,
    NotAValidArchive,
    ErrorSavingArchive,
    ArchiveChangedSave, // question, Yes/No/Cancel

    // Flash-style backup
    ErrorOpeningFlashStyle,
    ErrorReadingFlashStyle,
    FlashStyleNotIncluded,

    // Catalogue lists
    ErrorCreatingVoiceTable,

    // Copy and move between panes
    SelectDestinationCategory,

    // Delete
    DeleteCompleteCategory, // question, Yes/No

    // Search dialog
    TextNotFound,

    // Protocol reports
    ErrorCreatingProtocolFile,

    // Entry editor
    CategoryNameEmpty,
    EntryTitleEmpty,

    // Field checks of the dialogs
    EnterWholeNumber,
    EnterWholeNumberBetween, // %1 lower bound, %2 upper bound
    EnterAtMostChars,        // %1 the character limit

    // Folder-tree context menu; one text, English in both languages
    ContextMenuHandlerFailed, // printf %lx: the failure code
    ContextMenuCommandFailed, // printf %lx: the failure code

    // Saving any file
    NoSpaceForSafeSave, // question, Yes/No: write over the file itself

    // Settings
    ErrorSavingSettings,

    // Multiple selection: deleting several nodes at once
    DeleteEntries,  // question, Yes/No; %1 the number of entries (two or more)
    DeleteOneEntry, // question, Yes/No

    // Help pages
    HelpPageNotFound, // %1 the page's file name, %2 the folders looked in
    NoHelpViewer,     // %1 the page's path

    // Tools: CSV export and import, compare, keyboard check, duplicates
    ErrorWritingCsv,
    ErrorReadingCsv,
    CsvNotImported,     // %1 the number of faults; heads the list of faults
    PanesAreEqual,      // Compare panes found nothing
    NoKeyboardFindings, // %1 the model
    NoDuplicates,
    ProOnlyVoicesOnSave, // question, Yes/No; %1 the number of entries
    ComparePanesNeedsBoth,

    // Large files and long work
    FileTooLargeToLoad, // %1 the file, %2 its size in bytes
    OutOfMemoryLoading, // %1 the file
    WorkCancelled,      // not shown: a long operation was cancelled by the user

    // Floppy disk images (IMAGE::/FOLDER/FILE)
    ImageTooShort,            // %1 the image's length in bytes
    ImageTooLarge,            // %1 the image's length, %2 the limit
    ImageBadSectorSize,       // %1 bytes per sector as the boot sector gives them
    ImageBadClusterSize,      // %1 sectors per cluster as the boot sector gives them
    ImageFieldZero,           // %1 the boot-sector field
    ImageLayoutTooBig,        // %1 the first data sector, %2 the disk's sectors
    ImageFat32,               // %1 the number of clusters
    ImageFatTooSmall,         // %1 sectors per FAT, %2 the number of clusters
    ImageSizeMismatch,        // %1 the image's length, %2 the length its boot sector gives
    ImageChainOutside,        // %1 the file or folder inside the image
    ImageChainLoops,          // %1 the file or folder
    ImageChainCrosses,        // %1 the file or folder
    ImageFileLongerThanChain, // %1 the file
    ImageBadEntryName,        // %1 the folder holding the entry
    ImageDuplicateName,       // %1 the name twice in one folder
    ImageNameRule,            // %1 the name
    ImageNotFound,            // %1 the path inside the image
    ImageNotAFolder,          // %1 the path inside the image
    ImageIsAFolder,           // %1 the path inside the image
    ImageFull,                // %1 the file or folder, %2 the bytes missing
    ImageRootFull,            // %1 the root folder's number of entries
    ImageNoMdb,               // %1 the image
    ImageSeveralMdbs,         // %1 the image
    // Memory running out in a command of the window
    OutOfMemoryCommand,
    // Files handed to the window that do not exist
    FilesNotFound, // %1 the files, one a line

    // A pane's Open on a floppy image
    ImageNoArchive,       // %1 the image
    ImageSeveralArchives, // %1 the image; heads the list to choose from

    // Set list: PDF export; and what would take the MDB over its limit
    ErrorWritingPdf,
    MdbWouldHoldTooMany, // question, Yes/No; %1 the MDB's entries afterwards
    PrintFailed,

    // Set list: a very long one asks first
    SetListManyPages, // question, Yes/No; %1 the number of pages

    Count_ // keep last
};

// Captions of controls, window titles and file-dialog texts.
enum class Caption
{
    // Main window
    MainWindowTitle,       // one text; the single-instance check looks for it
    BackupStructureOption, // check box 1079
    NoNetworkOption,       // check box 1080
    New,                   // file buttons of both panes
    Open,                  // file buttons; also the browse dialog's OK button in open mode
    Save,                  // file buttons; also the browse dialog's OK button in save mode
    SaveAs,
    Close,

    // Edit column of the main window
    NewCategory,
    Edit,
    MainEntry,     // button 1013 while the selection is not a main entry
    SubEntry,      // button 1013 while the selection is a main entry
    Copy,          // no active pane
    CopyToArchive, // MDB pane active: "Copy >>"
    CopyToMdb,     // archive pane active: "<< Copy"
    Move,
    MoveToArchive,
    MoveToMdb,
    Up,
    Down,
    Delete,
    Search, // main-window button, Search dialog title and its Search button
    ProtocolFormatted,
    ProtocolTabs,
    Help,
    Exit,

    // Dialogs
    Cancel, // Cancel button of every dialog
    Yes,    // buttons of the question boxes
    No,
    CategoryLabel, // "Category:" in the entry editor and the category dialog
    EntryDlgTitle,
    TitleLabel, // entry editor
    CategoryDlgTitle,
    KeyboardDlgTitle,
    SearchLabel,   // Search dialog
    FilenameLabel, // browse dialog

    // Titles of the file dialogs and browse dialogs
    OpenMdbTitle,
    SaveMdbTitle,
    OpenMdbBackupTitle, // browse dialog
    SaveMdbBackupTitle, // browse dialog
    OpenArchiveTitle,
    SaveArchiveTitle,
    OpenFlashStyleTitle, // browse dialog and file dialog
    CreateProtocolTitle,

    // File filters, in the "Name (*.x)|*.x|All files (*.*)|*.*||" form
    MdbFilter,
    ArchiveFilter,
    FlashStyleFilter,
    ProtocolFilter,

    // Language dialog: bilingual in itself, one text each
    LanguageDlgTitle,
    LanguageGerman,
    LanguageEnglish,
    LanguagePrompt,
    LanguageAskedOnce,

    // Help page, looked up beside the program
    HelpPage,

    // The release date's pattern in the version line ("d MMMM yyyy": day, month name, year)
    ReleaseDateFormat,

    // Folder-tree root and context menu of this platform
    FolderHome,
    FolderDesktop,
    FolderFileSystem,
    FolderNetwork,
    OpenInFileManager,
    NewFolder,
    CopyPath,

    // Editing history: the buttons, their tooltips (%1 the step's name) and
    // the names of the steps that no edit-column caption names
    Undo,
    Redo,
    UndoTip,
    RedoTip,
    EditStep,
    RenameStep,

    // Multiple selection: a step's name for several nodes (%1 the action, %2 how many)
    SeveralNodesStep,

    // Menu bar and context menu of the main window ("&" marks the menu's key)
    MenuFile,
    MenuEdit,
    MenuTools,
    MenuHelp,
    MenuNewMdb,
    MenuOpenMdb,
    MenuSaveMdb,
    MenuSaveMdbAs,
    MenuCloseMdb,
    MenuNewArchive,
    MenuOpenArchive,
    MenuSaveArchive,
    MenuSaveArchiveAs,
    MenuCloseArchive,
    MenuExit,
    MenuEditSelected,
    MenuCopyToArchive,
    MenuCopyToMdb,
    MenuMoveToArchive,
    MenuMoveToMdb,
    MenuSearch,
    MenuSearchAgain,
    MenuProtocolFormatted,
    MenuProtocolTabs,
    MenuBackupStructure,
    MenuNoNetwork,
    MenuFlashStyles,
    MenuFlashIndividual,
    MenuHelpContents,

    // Tools: CSV export and import, compare, keyboard check, duplicates
    ExportCsvTitle, // file dialog
    ImportCsvTitle, // file dialog, the list of faults and the step's name
    CsvFilter,
    ComparePanesTitle,
    CompareSummary, // %1 the number of differences, %2 and %3 the two files
    DiffRemoved,    // only in the MDB pane
    DiffAdded,      // only in the archive pane
    DiffMoved,
    DiffChanged,
    CheckKeyboardTitle,
    CheckSummary, // %1 the number of findings, %2 the model
    DuplicatesTitle,
    DuplicatesSummary, // %1 the number of groups
    SameRegistration,  // %1 the number of entries
    SameTitle,         // %1 the number of entries
    Untitled,          // a pane's file name before its first save

    // The tools in the menus ("&" marks the menu's key)
    MenuExportCsv,
    MenuImportCsv,
    MenuComparePanes,
    MenuCheckForKeyboard,
    MenuFindDuplicates,

    // Progress of long work: the dialog's title for each kind of work
    ProgressLoading,
    ProgressSaving,
    ProgressCopying,
    ProgressMoving,
    ProgressReport,

    // What Check for keyboard found in an entry (%1, %2 as noted)
    FindingNoVoice,   // %1 the voice's numbers
    FindingProVoice,  // %1 the voice's name, %2 its numbers
    FindingRejected,  // %1 why the entry editor would refuse the value
    FindingDiskStyle, // %1 the style as shown

    // A pane's Open on a floppy image
    ImageFilter, // the file dialog's entry for disk images, "|" form without the closing "|"

    // Set list: printing, preview and PDF ("&" marks the menu's key)
    MenuPrint,
    MenuPrintPreview,
    MenuExportPdf,
    ExportPdfTitle, // file dialog
    PdfFilter,
    SetListTitle, // the column heads of the set list
    SetListStyle,
    SetListTempo,
    SetListVoice,
    SetListPage, // %1 the page, %2 the number of pages

    // About dialog
    MenuAbout,
    AboutTitle,
    AboutWhat,    // one line of what the program is
    AboutVersion, // one text; %1 the version
    AboutLicence,

    // Progress of long work: the file it works on (%1)
    ProgressFile,

    // What a drop or a copy did, for the status bar (%1 how many, %2 the category)
    MovedEntries,
    MovedOneEntry,
    CopiedEntries,
    CopiedOneEntry,

    // The release date in the About box (%1 the date, written as ReleaseDateFormat says)
    AboutReleased,
    // Progress of laying out and painting the set list's pages
    ProgressPages,

    Count_ // keep last
};

struct TextPair
{
    const char* english;
    const char* german;
    bool oneText = false; // deliberately the same in both languages
};

const TextPair& TextsOf(Msg id);
const TextPair& TextsOf(Caption id);
// The text in the current language.
std::string Tr(Msg id);
std::string Tr(Caption id);

// ---- The modern main window: its own captions, status lines and accessible names ----
enum class ModernText
{
    ViewMenu,
    ClassicLayout,
    ModernLayout,
    LayoutAfterRestart,
    Preferences,      // the menu item
    PreferencesTitle, // the dialog
    LanguageLabel,
    LanguageAfterRestart,
    LayoutLabel,
    MdbPane, // the pane headers
    ArchivePane,
    NoFile,
    Modified, // the pane header's marker, spoken
    FilterPlaceholder,
    ColumnTitle,
    ColumnStyle,
    ColumnTempo,
    ColumnVariation,
    ColumnR1Voice,
    ColumnLeftVoice,
    CapacityTip, // %1 the number of entries
    ToolBar,
    ToolOpen,
    ToolSave,
    ToolUndo,
    ToolRedo,
    ToolCopy,
    ToolMove,
    ToolDelete,
    ToolSearch,
    StatusSaved,    // %1 entries, %2 the file
    StatusOpened,   // %1 the file, %2 entries
    StatusStep,     // %1 the step's name
    StatusUndone,   // %1 the step's name
    StatusRedone,   // %1 the step's name
    StatusFiltered, // %1 rows shown of %2 entries
    AccessibleMdbTree,
    AccessibleArchiveTree,
    AccessibleMdbRecent,
    AccessibleArchiveRecent,
    AccessibleMdbFilter,
    AccessibleArchiveFilter,
    AccessibleStatusBar,
    ColumnsMenuTip, // the header's tooltip
    CompareValues,  // a compared field: %1 in the MDB, %2 in the archive
    ColumnsMenu,    // View > Columns
    // A filtered category's count: %1 entries shown of %2
    ShownOfEntries,
    // The flash-style choice in the menus, which the classic window's buttons name in English
    FlashFactory,
    FlashDefault,
    FlashIndividual,
    Count_ // keep last
};
const TextPair& TextsOf(ModernText id);
std::string Tr(ModernText id);

// ---- The modern window's panel of tool results ----
enum class PanelText
{
    Title,        // the panel's title while it holds no list; also its accessible name
    ViewMenuItem, // View > the panel
    Empty,        // what the panel says while no tool has listed anything
    Lines,        // the list's accessible name
    CloseTip,     // the close button's accessible name
    LineGone,     // after a line whose entries left their pane
    StatusGone,   // a gone line chosen
    StatusFilterCleared,
    KeysTip, // how to get in and out by keyboard
    Count_   // keep last
};
const TextPair& TextsOf(PanelText id);
std::string Tr(PanelText id);

// Replaces "%1" .. "%9" by the arguments; a placeholder without an argument stays.
std::string FillArgs(std::string_view text, std::initializer_list<std::string_view> args);

} // namespace tessaro
