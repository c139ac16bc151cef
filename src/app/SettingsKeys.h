#pragma once
// The stored settings: one section, the value names and their defaults. Every
// value is read once at start-up and written once at exit; only the language is
// written when it is chosen. Numbers outside their range read as the default.

#include <string>

namespace tessaro::settings {

inline constexpr char kSection[] = "Einstellungen";

inline constexpr char kLanguage[] = "Language"; // "G" German, "E" English, anything else: not chosen
inline constexpr char kLanguageGerman[] = "G";
inline constexpr char kLanguageEnglish[] = "E";

inline constexpr char kKeyboardModel[] = "KeyboardTyp";
inline constexpr int kKeyboardModelDefault = 0;
inline constexpr char kBackupStructure[] = "YamahaBackupStruktur";
inline constexpr int kBackupStructureDefault = 1;
inline constexpr char kNoNetwork[] = "KeinNetzwerk";
inline constexpr int kNoNetworkDefault = 0;
inline constexpr char kFlashStyleMode[] = "FlashStyleMode";
inline constexpr int kFlashStyleModeDefault = 0;
inline constexpr char kFlashStyleFile[] = "FlashStyleFile";
inline constexpr char kLastBackupDir[] = "LastBackupDir";
inline constexpr char kTopPos[] = "TopPos";
inline constexpr char kLeftPos[] = "LeftPos";
inline constexpr int kNoPosition = -1;
// The window's size (its inside, in pixels) and whether it was maximized.
inline constexpr char kWidth[] = "Width";
inline constexpr char kHeight[] = "Height";
inline constexpr char kMaximized[] = "Maximized";

// How much memory the undo history may hold, in megabytes.
inline constexpr char kUndoMemoryMB[] = "UndoMemoryMB";
inline constexpr int kUndoMemoryMBDefault = 256;

// Recent files: the prefix with 1 (most recent) to 10 appended.
inline constexpr char kRecentMdbPrefix[] = "LastOpenMDB";
inline constexpr char kRecentArchivePrefix[] = "LastOpenArchiv";

inline std::string RecentFileKey(const char* prefix, int number)
{
    return prefix + std::to_string(number);
}

} // namespace tessaro::settings
