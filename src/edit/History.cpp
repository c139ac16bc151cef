#include "edit/History.h"

#include <algorithm>
#include <new>

namespace tessaro {

namespace {

// Kept only for a selection of several nodes, the rare case, so that a
// single-node command costs no listing.
std::vector<TreeNode*> SeveralSelected(const CategoryTree& tree)
{
    return tree.SelectionCount() > 1 ? tree.SelectedNodes() : std::vector<TreeNode*>();
}

const std::string kNoName;

} // namespace

History::History(Panes& panes) : panes_(panes) {}

History::~History()
{
    for (PaneState& pane : panes_)
        pane.tree.Record(nullptr);
}

void History::Begin(const std::string& name, PaneId active)
{
    if (depth_++ > 0)
        return;
    recording_ = Step{};
    recording_.name = name;
    recording_.active = active;
    for (PaneId id : kPaneIds) {
        Part& part = recording_.parts[PaneIndex(id)];
        part.selectedBefore = Pane(id).tree.Selected();
        part.severalBefore = SeveralSelected(Pane(id).tree);
        Pane(id).tree.Record(&part.journal);
    }
}

void History::Commit()
{
    if (depth_ == 0)
        return;
    if (depth_ > 1) {
        --depth_;
        return;
    }
    // What needs memory comes first: running out of it here leaves the step
    // open, for Rollback to take back.
    std::array<std::vector<TreeNode*>, 2> severalAfter;
    for (PaneId id : kPaneIds)
        severalAfter[PaneIndex(id)] = SeveralSelected(Pane(id).tree);
    steps_.reserve(applied_ + 1);
    depth_ = 0;
    for (PaneState& pane : panes_)
        pane.tree.Record(nullptr);
    if (!recording_.Touches(PaneId::Mdb) && !recording_.Touches(PaneId::Archive))
        return;
    steps_.erase(steps_.begin() + static_cast<std::ptrdiff_t>(applied_), steps_.end());
    recording_.id = ++lastId_;
    for (PaneId id : kPaneIds) {
        Part& part = recording_.parts[PaneIndex(id)];
        part.selectedAfter = Pane(id).tree.Selected();
        part.severalAfter = std::move(severalAfter[PaneIndex(id)]);
        if (recording_.Touches(id)) {
            part.versionBefore = Pane(id).version;
            SetVersion(id, recording_.id);
        }
    }
    recording_.bytes = recording_.parts[0].journal.Bytes() + recording_.parts[1].journal.Bytes();
    steps_.push_back(std::move(recording_));
    applied_ = steps_.size();
    CountMemory();
    DropOldestBeyondLimit();
}

void History::SetMemoryLimit(std::size_t bytes)
{
    memoryLimit_ = bytes;
    DropOldestBeyondLimit();
}

void History::CountMemory()
{
    memoryHeld_ = 0;
    for (const Step& step : steps_)
        memoryHeld_ += step.bytes;
}

void History::DropOldestBeyondLimit()
{
    // Only done steps go, oldest first: the trees stand after them, so the
    // steps left still fit. A pane's modified state needs no change: its saved
    // version can no longer be reached by undo, so it stays modified.
    std::size_t drop = 0;
    std::size_t held = memoryHeld_;
    while (held > memoryLimit_ && drop + 1 < applied_) {
        held -= steps_[drop].bytes;
        ++drop;
    }
    if (drop == 0)
        return;
    steps_.erase(steps_.begin(), steps_.begin() + static_cast<std::ptrdiff_t>(drop));
    applied_ -= drop;
    memoryHeld_ = held;
}

void History::Rollback()
{
    if (depth_ == 0)
        return;
    depth_ = 0;
    for (PaneId id : kPaneIds) {
        Part& part = recording_.parts[PaneIndex(id)];
        CategoryTree& tree = Pane(id).tree;
        tree.Record(nullptr);
        tree.Undo(part.journal);
        if (part.selectedBefore != tree.Selected() || !part.severalBefore.empty())
            Reselect(tree, part.selectedBefore, part.severalBefore);
    }
    recording_ = Step{};
}

const std::string& History::UndoName() const
{
    return CanUndo() ? steps_[applied_ - 1].name : kNoName;
}

const std::string& History::RedoName() const
{
    return CanRedo() ? steps_[applied_].name : kNoName;
}

void History::Reselect(CategoryTree& tree, TreeNode* node, const std::vector<TreeNode*>& several)
{
    if (!node || !tree.Contains(node))
        return;
    if (several.empty())
        tree.Select(node);
    else
        tree.SetSelection(several, node); // nodes that are not back are left out
    tree.EnsureVisible(node);
}

PaneId History::Undo()
{
    Step& step = steps_[applied_ - 1];
    // Each tree is taken back whole or not at all; when memory runs out for
    // the second, the first is made again, and the step stays done.
    bool mdbUndone = false;
    try {
        for (PaneId id : kPaneIds) {
            if (step.Touches(id)) {
                Pane(id).tree.Undo(step.parts[PaneIndex(id)].journal);
                mdbUndone = mdbUndone || id == PaneId::Mdb;
            }
        }
    } catch (const std::bad_alloc&) {
        if (mdbUndone)
            Pane(PaneId::Mdb).tree.Redo(step.parts[PaneIndex(PaneId::Mdb)].journal);
        throw;
    }
    --applied_;
    for (PaneId id : kPaneIds) {
        if (!step.Touches(id))
            continue;
        Part& part = step.parts[PaneIndex(id)];
        SetVersion(id, part.versionBefore);
        Reselect(Pane(id).tree, part.selectedBefore, part.severalBefore);
    }
    return step.active;
}

PaneId History::Redo()
{
    Step& step = steps_[applied_];
    bool mdbRedone = false;
    try {
        for (PaneId id : kPaneIds) {
            if (step.Touches(id)) {
                Pane(id).tree.Redo(step.parts[PaneIndex(id)].journal);
                mdbRedone = mdbRedone || id == PaneId::Mdb;
            }
        }
    } catch (const std::bad_alloc&) {
        if (mdbRedone)
            Pane(PaneId::Mdb).tree.Undo(step.parts[PaneIndex(PaneId::Mdb)].journal);
        throw;
    }
    ++applied_;
    for (PaneId id : kPaneIds) {
        if (!step.Touches(id))
            continue;
        Part& part = step.parts[PaneIndex(id)];
        SetVersion(id, step.id);
        Reselect(Pane(id).tree, part.selectedAfter, part.severalAfter);
    }
    return step.active;
}

void History::SetVersion(PaneId pane, uint64_t version)
{
    Pane(pane).version = version;
}

void History::ResetPane(PaneId pane)
{
    // Done steps: one that touched both panes can no longer be undone, and the
    // other pane's steps before it would be undone on a tree they do not fit.
    std::size_t keepFrom = 0;
    for (std::size_t i = applied_; i-- > 0;) {
        if (steps_[i].Touches(pane) && steps_[i].TouchesBoth()) {
            keepFrom = i + 1;
            break;
        }
    }
    // Undone steps: likewise for the other pane's steps after such a one.
    std::size_t keepUntil = steps_.size();
    for (std::size_t i = applied_; i < steps_.size(); ++i) {
        if (steps_[i].Touches(pane) && steps_[i].TouchesBoth()) {
            keepUntil = i;
            break;
        }
    }
    std::vector<Step> kept;
    std::size_t keptApplied = 0;
    for (std::size_t i = keepFrom; i < keepUntil; ++i) {
        if (steps_[i].Touches(pane))
            continue;
        if (i < applied_)
            ++keptApplied;
        kept.push_back(std::move(steps_[i]));
    }
    steps_ = std::move(kept);
    applied_ = keptApplied;
    CountMemory();

    PaneState& state = Pane(pane);
    state.version = state.savedVersion = ++lastId_;
}

void History::MarkSaved(PaneId pane)
{
    PaneState& state = Pane(pane);
    state.savedVersion = state.version;
}

} // namespace tessaro
