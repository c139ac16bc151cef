#include "app/ToolResults.h"

#include "app/WindowContext.h"
#include "edit/TreeObserver.h"

#include <utility>

namespace tessaro {

namespace {

std::uintptr_t AddressOf(const TreeNode* node)
{
    return reinterpret_cast<std::uintptr_t>(node);
}

} // namespace

// Hears one pane's tree and hands each change on with the pane's name.
class ToolResults::Follower final : public TreeObserver
{
public:
    Follower(ToolResults& owner, PaneId pane) : owner_(owner), pane_(pane) {}

    void BeginRemove(const TreeNode* parent, int row) override { owner_.Leaving(pane_, At(parent, row)); }
    void EndInsert(const TreeNode* parent, int row) override { owner_.Arrived(pane_, At(parent, row)); }
    void EndReset() override { owner_.Reset(pane_); }
    void Continued(const TreeNode* was, const TreeNode& now) override { owner_.Continued(pane_, was, &now); }

private:
    const TreeNode* At(const TreeNode* parent, int row) const
    {
        return parent ? parent->ChildAt(row) : owner_.context_.Pane(pane_).tree.CategoryAt(row);
    }

    ToolResults& owner_;
    PaneId pane_;
};

ToolResults::ToolResults(WindowContext& context) : context_(context)
{
    for (PaneId id : kPaneIds)
        followers_[PaneIndex(id)] = std::make_unique<Follower>(*this, id);
}

ToolResults::~ToolResults()
{
    Follow(false);
}

void ToolResults::Follow(bool on)
{
    if (on == following_)
        return;
    following_ = on;
    for (PaneId id : kPaneIds) {
        CategoryTree& tree = context_.Pane(id).tree;
        if (on)
            tree.AddFollower(followers_[PaneIndex(id)].get());
        else
            tree.RemoveFollower(followers_[PaneIndex(id)].get());
    }
}

std::size_t ToolResults::RefFor(PaneId pane, const TreeNode* node)
{
    auto& index = byAddress_[PaneIndex(pane)];
    const auto [found, added] = index.try_emplace(AddressOf(node), refs_.size());
    if (added) {
        Ref ref;
        ref.pane = pane;
        ref.node = node;
        refs_.push_back(ref);
    }
    return found->second;
}

void ToolResults::Show(ResultList list, std::vector<ResultTarget> targets)
{
    Follow(false);
    refs_.clear();
    lines_.clear();
    for (auto& index : byAddress_)
        index.clear();
    for (auto& left : leftWith_)
        left.clear();
    list_ = std::move(list);
    lines_.resize(list_.lines.size());
    for (std::size_t i = 0; i < lines_.size() && i < targets.size(); ++i) {
        const ResultTarget& target = targets[i];
        Line& line = lines_[i];
        line.pane = target.pane;
        for (const TreeNode* node : target.nodes) {
            if (node)
                line.refs.push_back(RefFor(target.pane, node));
        }
        if (!line.refs.empty() && target.counterpart)
            line.counterpart = RefFor(OtherPane(target.pane), target.counterpart);
    }
    open_ = true;
    Follow(!refs_.empty());
    if (view_)
        view_->ListReplaced();
}

void ToolResults::Close()
{
    const bool wasOpen = open_;
    Follow(false);
    refs_.clear();
    lines_.clear();
    for (auto& index : byAddress_)
        index.clear();
    for (auto& left : leftWith_)
        left.clear();
    list_ = ResultList();
    open_ = false;
    if (wasOpen && view_)
        view_->ListReplaced();
}

bool ToolResults::IsThere(const Line& line) const
{
    for (std::size_t ref : line.refs) {
        if (refs_[ref].state == Ref::State::There)
            return true;
    }
    return false;
}

ToolResults::LineState ToolResults::State(std::size_t line) const
{
    if (line >= lines_.size() || lines_[line].refs.empty())
        return LineState::Plain;
    return IsThere(lines_[line]) ? LineState::There : LineState::Gone;
}

std::vector<const TreeNode*> ToolResults::NodesNow(std::size_t line) const
{
    std::vector<const TreeNode*> nodes;
    if (line >= lines_.size())
        return nodes;
    for (std::size_t ref : lines_[line].refs) {
        if (refs_[ref].state == Ref::State::There)
            nodes.push_back(refs_[ref].node);
    }
    return nodes;
}

std::optional<PaneId> ToolResults::PaneOf(std::size_t line) const
{
    if (State(line) == LineState::Plain)
        return std::nullopt;
    return lines_[line].pane;
}

const TreeNode* ToolResults::CounterpartNow(std::size_t line) const
{
    if (line >= lines_.size() || !lines_[line].counterpart)
        return nullptr;
    const Ref& ref = refs_[*lines_[line].counterpart];
    return ref.state == Ref::State::There ? ref.node : nullptr;
}

ToolResults::Outcome ToolResults::Choose(std::size_t line)
{
    if (State(line) == LineState::Plain)
        return Outcome::Nothing;
    if (State(line) == LineState::Gone)
        return Outcome::Gone;
    const Line& chosen = lines_[line];
    // The lines hold read-only nodes; they are the panes' own.
    std::vector<TreeNode*> nodes;
    for (const TreeNode* node : NodesNow(line))
        nodes.push_back(const_cast<TreeNode*>(node));
    context_.active = chosen.pane;
    // A duplicates group is selected whole; its first entry is the current one.
    CategoryTree& tree = context_.Pane(chosen.pane).tree;
    for (TreeNode* node : nodes)
        tree.EnsureVisible(node);
    tree.SetSelection(nodes, nodes.front());
    tree.EnsureVisible(nodes.front());
    if (const TreeNode* shown = CounterpartNow(line)) {
        CategoryTree& other = context_.Pane(OtherPane(chosen.pane)).tree;
        auto* counterpart = const_cast<TreeNode*>(shown);
        other.Select(counterpart);
        other.EnsureVisible(counterpart);
    }
    return Outcome::Shown;
}

bool ToolResults::LeaveOne(PaneId pane, const TreeNode* entry)
{
    const auto& index = byAddress_[PaneIndex(pane)];
    const auto found = index.find(AddressOf(entry));
    if (found == index.end())
        return false;
    Ref& ref = refs_[found->second];
    if (ref.state != Ref::State::There || ref.node != entry)
        return false;
    Left(ref, pane, entry);
    return true;
}

void ToolResults::Left(Ref& ref, PaneId pane, const TreeNode* entry)
{
    ref.state = Ref::State::Gone;
    leftWith_[PaneIndex(pane)].insert_or_assign(AddressOf(entry), entry->Payload()->record);
    ref.last = entry;
    ref.node = nullptr;
}

bool ToolResults::ArriveOne(PaneId pane, const TreeNode* entry)
{
    const auto& index = byAddress_[PaneIndex(pane)];
    const auto found = index.find(AddressOf(entry));
    if (found == index.end())
        return false;
    Ref& ref = refs_[found->second];
    // Another node may have been made where a freed one was: only the record
    // the entry left with tells that it is the one that went.
    const auto& left = leftWith_[PaneIndex(pane)];
    const auto leftWith = left.find(AddressOf(entry));
    if (ref.state != Ref::State::Gone || leftWith == left.end() || !entry->Payload() ||
        !(entry->Payload()->record == leftWith->second))
        return false;
    ref.state = Ref::State::There;
    ref.node = entry;
    return true;
}

void ToolResults::Continued(PaneId pane, const TreeNode* was, const TreeNode* now)
{
    auto& index = byAddress_[PaneIndex(pane)];
    const auto found = index.find(AddressOf(was));
    if (found == index.end() || !now->IsEntry())
        return;
    const std::size_t at = found->second;
    Ref& ref = refs_[at];
    // Only an entry that left by this very edit (or, inside a bulk change,
    // has not been told to leave yet) goes on; a stale address of a freed
    // node stands for nothing.
    const bool leftJustNow = ref.state == Ref::State::Gone && ref.last == was;
    const bool notToldYet = ref.state == Ref::State::There && ref.node == was;
    if (!leftJustNow && !notToldYet)
        return;
    ref.state = Ref::State::There;
    ref.node = now;
    index.insert_or_assign(AddressOf(now), at);
    leftWith_[PaneIndex(pane)].erase(AddressOf(now));
    Changed();
}

// An entry alone, or a category with all its entries: a category leaves with
// them, and comes back with them (undo of its deletion, or moved up or down).
void ToolResults::EachEntryOf(PaneId pane, const TreeNode* node, bool (ToolResults::*step)(PaneId, const TreeNode*))
{
    if (byAddress_[PaneIndex(pane)].empty() || !node)
        return;
    bool changed = false;
    if (node->IsEntry()) {
        changed = (this->*step)(pane, node);
    } else {
        for (const TreeNode* entry = node->FirstChild(); entry; entry = entry->NextSibling())
            changed = (this->*step)(pane, entry) || changed;
    }
    if (changed)
        Changed();
}

void ToolResults::Leaving(PaneId pane, const TreeNode* node)
{
    EachEntryOf(pane, node, &ToolResults::LeaveOne);
}

void ToolResults::Arrived(PaneId pane, const TreeNode* node)
{
    EachEntryOf(pane, node, &ToolResults::ArriveOne);
}

void ToolResults::Reset(PaneId pane)
{
    auto& index = byAddress_[PaneIndex(pane)];
    if (index.empty())
        return;
    const CategoryTree& tree = context_.Pane(pane).tree;
    bool changed = false;
    if (tree.IsRecording()) {
        // Many rows of one step at once (an import): nothing was freed, what
        // left is kept by the step.
        for (Ref& ref : refs_) {
            if (ref.pane == pane && ref.state == Ref::State::There && !tree.Contains(ref.node)) {
                Left(ref, pane, ref.node);
                changed = true;
            }
        }
    } else {
        // Loaded, made new or closed: every node the pane had is freed.
        for (Ref& ref : refs_) {
            if (ref.pane == pane && ref.state != Ref::State::Lost) {
                ref.state = Ref::State::Lost;
                ref.node = nullptr;
                changed = true;
            }
        }
        index.clear();
        leftWith_[PaneIndex(pane)].clear();
    }
    if (changed)
        Changed();
}

void ToolResults::Changed()
{
    if (view_)
        view_->LinesChanged();
}

} // namespace tessaro
