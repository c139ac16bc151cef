#pragma once
// The editing history of the main window: one list of steps over both panes,
// so that a Move between the panes is one step that undo takes back in both.
// A step is one user command; it holds the journal of each tree it changed.
//
// "Modified" follows the history: each pane remembers the last step that
// changed it (its version) and the version it had when loaded or saved; undo
// back to that point makes the pane unmodified again, redo past it modified.

#include "edit/PaneState.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace tessaro {

class History
{
public:
    explicit History(Panes& panes);
    ~History();
    History(const History&) = delete;
    History& operator=(const History&) = delete;

    // Every change to either tree until Commit belongs to one step, named for
    // the user ("Delete "Yesterday""). Nested calls join the outer step.
    // `active` is the pane the command started from.
    void Begin(const std::string& name, PaneId active);
    // Keeps the step when it changed anything, and drops the steps that could
    // have been redone.
    void Commit();

    // Ends the open step by taking back every change made since Begin (a long
    // command the user cancelled): trees and selections are as they were, and
    // no step is kept.
    void Rollback();

    bool CanUndo() const { return applied_ > 0; }
    bool CanRedo() const { return applied_ < steps_.size(); }
    const std::string& UndoName() const; // empty when there is none
    const std::string& RedoName() const;
    // Take back the last step / make the next one again. The selection of
    // each pane it touched is put back as it was; returns the pane the step
    // started from, to make it active.
    PaneId Undo();
    PaneId Redo();

    // The pane was loaded, made new or closed: every step that touched it goes,
    // and so does every step of the other pane that depended on one of them.
    // The pane stands at a fresh, saved point.
    void ResetPane(PaneId pane);
    // The pane was saved where it stands.
    void MarkSaved(PaneId pane);

    std::size_t StepCount() const { return steps_.size(); }
    std::size_t AppliedCount() const { return applied_; }

    // The memory the steps may hold. Past it the oldest steps are dropped,
    // the newest always kept; a pane whose saved point goes with them stays
    // modified until it is saved again.
    static constexpr std::size_t kDefaultMemoryLimit = std::size_t(256) << 20;
    void SetMemoryLimit(std::size_t bytes);
    std::size_t MemoryLimit() const { return memoryLimit_; }
    std::size_t MemoryHeld() const { return memoryHeld_; }

private:
    struct Part
    {
        TreeJournal journal;
        uint64_t versionBefore = 0;
        TreeNode* selectedBefore = nullptr;
        TreeNode* selectedAfter = nullptr;
        // The whole selection when it held several nodes (else empty).
        std::vector<TreeNode*> severalBefore;
        std::vector<TreeNode*> severalAfter;
    };
    struct Step
    {
        uint64_t id = 0;
        std::string name;
        PaneId active = PaneId::Mdb;
        std::array<Part, 2> parts;
        std::size_t bytes = 0; // what its journals hold

        bool Touches(PaneId pane) const { return !parts[PaneIndex(pane)].journal.IsEmpty(); }
        bool TouchesBoth() const { return Touches(PaneId::Mdb) && Touches(PaneId::Archive); }
    };

    PaneState& Pane(PaneId pane) { return panes_[PaneIndex(pane)]; }
    void SetVersion(PaneId pane, uint64_t version);
    static void Reselect(CategoryTree& tree, TreeNode* node, const std::vector<TreeNode*>& several);
    void DropOldestBeyondLimit();
    void CountMemory();

    Panes& panes_;
    std::vector<Step> steps_;
    std::size_t applied_ = 0; // steps_[0, applied_) are done, the rest undone
    Step recording_;
    int depth_ = 0;
    uint64_t lastId_ = 0;
    std::size_t memoryLimit_ = kDefaultMemoryLimit;
    std::size_t memoryHeld_ = 0;
};

} // namespace tessaro
