#pragma once
// The list a tool showed last (differences, keyboard findings, duplicates, the
// faults of a CSV file) and the entries each of its lines stands for, kept
// true while the user goes on working: a window may show it beside the panes
// and let the user delete, edit, undo and save in between.
//
// A line holds no pointer it has not been told is good. It follows both trees
// (as a follower of their observers): an entry that leaves its pane, alone or
// with its category, makes its lines gone; the same node put back (undo keeps
// removed nodes, so undo and redo bring back the very nodes) with the record
// it left with makes them live again. Edits that keep the node (a changed
// entry, a renamed category, a category moved) keep the line, and so do those
// the tree reports as going on in a new node (an entry moved up or down, or
// edited into another group). A load, New or Close frees the pane's nodes:
// its lines are gone for good then.

#include "common/Prompts.h"
#include "data/MdbEntry.h"
#include "edit/PaneId.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <unordered_map>
#include <vector>

namespace tessaro {

class TreeNode;
struct WindowContext;

// What a line of a tool's result list stands for: entries of one pane, and
// for a compared entry its counterpart in the other pane.
struct ResultTarget
{
    PaneId pane = PaneId::Mdb;
    std::vector<const TreeNode*> nodes; // none for a line that selects nothing
    const TreeNode* counterpart = nullptr;
};

// Where the lists are shown while the window stays usable (the modern
// window's panel). Both calls come while the trees may be changing: the view
// redraws later, never touching the trees from inside them.
class ToolResultsView
{
public:
    virtual ~ToolResultsView() = default;
    // A new list took the place of the one shown (a tool ran).
    virtual void ListReplaced() = 0;
    // Lines went or came back: LineState says which.
    virtual void LinesChanged() = 0;
};

class ToolResults final : public ResultListHost
{
public:
    enum class LineState
    {
        Plain, // stands for no entry (a fault of a CSV file)
        There,
        Gone // every entry it names left its pane
    };
    enum class Outcome
    {
        Nothing, // a plain line, or no list
        Shown,
        Gone
    };

    explicit ToolResults(WindowContext& context);
    ~ToolResults() override;
    ToolResults(const ToolResults&) = delete;
    ToolResults& operator=(const ToolResults&) = delete;

    // The window that shows the lists beside the panes; nullptr for none, and
    // then each list is shown modally through Prompts.
    void SetView(ToolResultsView* view) { view_ = view; }
    ToolResultsView* View() const { return view_; }

    // The list and its targets (one per line, or none at all for lines that
    // stand for nothing) take the place of the last ones.
    void Show(ResultList list, std::vector<ResultTarget> targets);
    // Forgets the list and stops following the trees.
    void Close();
    bool IsOpen() const { return open_; }
    const ResultList& List() const { return list_; }

    LineState State(std::size_t line) const;
    // The line chosen: its pane becomes active and its entries that are still
    // there are selected and shown, with a compared entry's counterpart in
    // the other pane. A gone line changes nothing.
    Outcome Choose(std::size_t line);
    void ShowResult(std::size_t line) override { Choose(line); }
    // The entries of the line that are there now, and their pane; empty for a
    // plain or gone line. A window checks them against what it hides.
    std::vector<const TreeNode*> NodesNow(std::size_t line) const;
    std::optional<PaneId> PaneOf(std::size_t line) const;
    // A compared entry's counterpart in the other pane, while it is there.
    const TreeNode* CounterpartNow(std::size_t line) const;

private:
    class Follower;
    struct Ref
    {
        enum class State
        {
            There,
            Gone, // out of the tree, perhaps kept by the history for undo
            Lost  // its pane was cleared: the node is freed
        };
        PaneId pane = PaneId::Mdb;
        State state = State::There;
        const TreeNode* node = nullptr; // followed only while There
        const TreeNode* last = nullptr; // where it was There last: an address only
    };
    struct Line
    {
        PaneId pane = PaneId::Mdb;
        std::vector<std::size_t> refs;
        std::optional<std::size_t> counterpart;
    };

    std::size_t RefFor(PaneId pane, const TreeNode* node);
    // The tree told: the entry (or every entry of the category) at that place
    // is about to leave / has just come.
    void Leaving(PaneId pane, const TreeNode* node);
    void Arrived(PaneId pane, const TreeNode* node);
    void Reset(PaneId pane);
    void Continued(PaneId pane, const TreeNode* was, const TreeNode* now);
    void Left(Ref& ref, PaneId pane, const TreeNode* entry);
    void EachEntryOf(PaneId pane, const TreeNode* node, bool (ToolResults::*step)(PaneId, const TreeNode*));
    bool LeaveOne(PaneId pane, const TreeNode* entry);
    bool ArriveOne(PaneId pane, const TreeNode* entry);
    bool IsThere(const Line& line) const;
    void Follow(bool on);
    void Changed();

    WindowContext& context_;
    ToolResultsView* view_ = nullptr;
    bool open_ = false;
    bool following_ = false;
    ResultList list_;
    std::vector<Ref> refs_;
    std::vector<Line> lines_;
    // By the node's address, for each pane: a gone node keeps its address so
    // that undo putting it back is known.
    std::unordered_map<std::uintptr_t, std::size_t> byAddress_[2];
    // By address too: the record each node had when it left. An entry that
    // went on in a new node has two addresses, and undo brings back the old.
    std::unordered_map<std::uintptr_t, MdbEntry> leftWith_[2];
    std::unique_ptr<Follower> followers_[2];
};

} // namespace tessaro
