#pragma once
// Every command of the main window, named once, and what the window shows of
// each after a refresh. The window makes one action per CommandId; its buttons,
// menu items and shortcuts are views of that action.

#include "edit/PaneId.h"

#include <array>
#include <cstddef>
#include <string>

namespace tessaro {

enum class CommandId
{
    // Each pane's file commands, in PaneId order (PaneCommandId).
    NewMdb,
    OpenMdb,
    SaveMdb,
    SaveMdbAs,
    CloseMdb,
    NewArchive,
    OpenArchive,
    SaveArchive,
    SaveArchiveAs,
    CloseArchive,
    ExportCsv,
    ImportCsv,
    Exit,
    // The edit column, Search again and the protocols.
    Undo,
    Redo,
    NewCategory,
    Edit,
    MainEntry,
    Copy,
    Move,
    Up,
    Down,
    Delete,
    Search,
    SearchAgain,
    ProtocolFormatted,
    ProtocolTabs,
    // Tools and options.
    ComparePanes,
    CheckForKeyboard,
    FindDuplicates,
    BackupStructure,
    NoNetwork,
    FlashFactory,
    FlashDefault,
    FlashIndividual,
    Help,
    // The active pane as a set list, and the About box.
    Print,
    PrintPreview,
    ExportPdf,
    About,
    Count_
};
constexpr std::size_t kCommandCount = static_cast<std::size_t>(CommandId::Count_);

// The file commands every pane has.
enum class PaneCommand
{
    New,
    Open,
    Save,
    SaveAs,
    Close
};
constexpr int kPaneCommandCount = 5;
constexpr CommandId PaneCommandId(PaneId pane, PaneCommand command)
{
    return static_cast<CommandId>(static_cast<int>(PaneIndex(pane)) * kPaneCommandCount +
                                  static_cast<int>(command));
}

constexpr bool IsPaneCommand(CommandId id)
{
    return static_cast<int>(id) < 2 * kPaneCommandCount;
}
// For a pane command: its pane and which of the file commands it is.
constexpr PaneId PaneOfCommand(CommandId id)
{
    return kPaneIds[static_cast<int>(id) / kPaneCommandCount];
}
constexpr PaneCommand PaneCommandOf(CommandId id)
{
    return static_cast<PaneCommand>(static_cast<int>(id) % kPaneCommandCount);
}

enum class TextAlignment
{
    Centre, // no active pane
    Left,   // the MDB pane (left) is active
    Right   // the archive pane (right) is active
};

struct CommandState
{
    bool enabled = false;
    bool checked = false; // the options and the flash-style choice
    std::string caption;  // the button's, where it changes: "Copy >>", "Sub entry"; else empty
    std::string tooltip;  // "Undo: Delete "Yesterday""; empty when there is none

    bool operator==(const CommandState&) const = default;
};

// What the window shows after a command (current language): every command's
// state, each pane's tree and entry count, the edit column's text alignment
// and the labels beside the options. The texts are made here from the facts
// each time, never kept beside them.
struct CommandStates
{
    std::array<CommandState, kCommandCount> commands;
    std::array<bool, 2> treeEnabled{};           // by PaneIndex
    std::array<std::string, 2> entryCountText{}; // by PaneIndex; empty for no count
    TextAlignment editColumnAlignment = TextAlignment::Centre;
    std::string modelLabel;          // "PSR9000", "9000Pro" or empty
    std::string flashStyleFileLabel; // the text beside the radio buttons

    CommandState& operator[](CommandId id) { return commands[static_cast<std::size_t>(id)]; }
    const CommandState& operator[](CommandId id) const { return commands[static_cast<std::size_t>(id)]; }
    bool operator==(const CommandStates&) const = default;
};

} // namespace tessaro
