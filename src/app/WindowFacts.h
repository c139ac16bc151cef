#pragma once
// What the modern window shows of the state besides the commands: the files
// in the title, each pane's header with its marker and count, and the status
// line saying what the last command did. Read from the state in one place
// (ReadWindowFacts), so the window never reaches into its fields itself.

#include "app/CommandStates.h"

#include <array>
#include <cstdint>
#include <optional>
#include <string>

namespace tessaro {

class MainWindowState;

// The MDB holds at most this many entries; the MDB pane's header shows the count against it.
inline constexpr int kMdbCapacity = 616;

struct PaneFacts
{
    bool loaded = false;
    bool untitled = false;
    bool modified = false;
    std::string fileName; // full path
    int entries = 0;
    uint64_t version = 0;
    uint64_t savedVersion = 0;
};

struct WindowFacts
{
    std::array<PaneFacts, 2> panes; // by PaneIndex
    std::string undoName;           // the step Undo would take back; empty when none
    std::string redoName;
    bool canUndo = false;
    bool canRedo = false;
    uint64_t transfers = 0;   // copies, moves and drops so far
    std::string transferred;  // what the last of them did: "Moved 4 entries to Latin"

    const PaneFacts& Pane(PaneId id) const { return panes[PaneIndex(id)]; }
    bool AnyModified() const { return panes[0].modified || panes[1].modified; }
};

WindowFacts ReadWindowFacts(const MainWindowState& state);

// The last two parts of a path ("Demo.buf/MDB.bup"), enough to tell files apart.
std::string ShortFileName(const std::string& path);
// A pane's file as its header and the title name it: the short name,
// "Untitled" before the first save, empty when the pane holds nothing.
std::string PaneFileLabel(const PaneFacts& pane);
// "Demo.buf/MDB.bup, Demo.mdx[*] - Tessaro": the open files, Qt's placeholder
// for the modified marker, the program; "Tessaro" alone while nothing is open.
std::string WindowTitle(const WindowFacts& facts);
// "40 / 616" for the MDB pane, the count alone for the archive; empty while
// the pane holds nothing. `overLimit` tells when the MDB holds too many to be saved.
std::string CapacityText(PaneId pane, const PaneFacts& facts, bool* overLimit = nullptr);

// What a command did, for the status bar (current language); nullopt when
// there is nothing to tell. `command` is the command run, nullopt for a
// recent file chosen, a drop or files handed in.
std::optional<std::string> StatusAfter(std::optional<CommandId> command, const WindowFacts& before,
                                       const WindowFacts& after);

} // namespace tessaro
