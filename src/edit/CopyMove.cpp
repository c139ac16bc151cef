// Copy and Move: entries and categories of one pane go to the other pane as new EntryNodes.
#include "edit/EditOperations.h"

#include <memory>
#include <optional>
#include <string>
#include <unordered_set>

namespace tessaro {

namespace {

std::unique_ptr<EntryNode> CopyInto(const EntryNode& entry, const std::string& targetName)
{
    auto copy = std::make_unique<EntryNode>(entry);
    if (!targetName.empty())
        copy->SetCategory(targetName);
    return copy;
}

// Where a copy of `source` goes when the target's entry `beside` belongs to its group:
// a sub entry next to it, a main entry above the group's main entry.
Place PlaceInGroup(const EntryNode& source, const TreeNode* beside)
{
    if (source.IsSubEntry())
        return beside->Payload()->IsSubEntry() ? Place::Before(beside) : Place::After(beside);
    const TreeNode* head = beside;
    while (head && head->Payload() && head->Payload()->IsSubEntry() &&
           CompareGroup(*head->Payload(), source) == 0)
        head = head->PrevSibling();
    return head ? Place::Before(head) : Place::First();
}

// The nodes a transfer has taken care of, so that a sub entry or an entry of
// a category that went as a whole is not taken twice.
using Done = std::unordered_set<const TreeNode*>;

// `keepCategory`: the target was empty when the transfer began; `warned`: the
// missing destination was reported already (once for all entries).
void TransferEntry(PaneState& source, PaneState& target, bool move, Prompts& prompts, TreeNode* selected,
                   TreeNode* destination, bool keepCategory, bool& warned, Done& done)
{
    const EntryNode* entry = selected->Payload();
    if (!entry)
        return;

    // An empty target takes the entry under its own category name; otherwise the
    // destination names the category.
    TreeNode* targetCategory = nullptr;
    std::string targetName;
    std::optional<Place> placeInGroup;
    if (!keepCategory) {
        targetCategory = CategoryOf(destination);
        if (targetCategory)
            targetName = targetCategory->Text();
        if (InSameGroup(selected, destination))
            placeInGroup = PlaceInGroup(*entry, destination);
        if (targetName.empty()) {
            if (!warned)
                prompts.Warn(Msg::SelectDestinationCategory);
            warned = true;
            return;
        }
    }

    TreeNode* sourceCategory = selected->Parent();
    TreeNode* next = selected->NextSibling();
    std::unique_ptr<EntryNode> copy = CopyInto(*entry, targetName);
    TreeNode* placed = placeInGroup
                           ? target.tree.InsertEntryNode(targetCategory, std::move(copy), *placeInGroup)
                           : target.tree.InsertSorted(std::move(copy));
    if (!placed)
        return;
    done.insert(selected);
    target.tree.Select(placed);
    target.tree.EnsureVisible(placed);

    const EntryNode moved = *entry;
    if (move) {
        source.tree.DeleteNode(selected);
    }

    // A main entry takes the sub entries that follow it. They go behind it in the
    // category it landed in (with two categories of the target name that is the
    // first one, which need not be the destination).
    TreeNode* last = placed;
    while (!moved.IsSubEntry() && next) {
        const EntryNode* sub = next->Payload();
        if (!sub || !sub->IsSubEntry() || CompareGroup(*sub, moved) != 0)
            break;
        TreeNode* inserted =
            target.tree.InsertEntryNode(last->Parent(), CopyInto(*sub, targetName), Place::After(last));
        if (!inserted)
            break;
        done.insert(next);
        last = inserted;
        TreeNode* following = next->NextSibling();
        if (move)
            source.tree.DeleteNode(next);
        next = following;
    }

    if (move && !sourceCategory->HasChildren()) {
        source.tree.DeleteNode(sourceCategory);
    }
}

// Counts the entries a transfer has taken on, for its progress.
struct TransferProgress
{
    ProgressScope scope;
    uint64_t done = 0;
    bool Step() { return scope.Step(done++); }
};

void TransferCategory(PaneState& source, PaneState& target, bool move, TreeNode* category,
                      TreeNode* destination, Done& done, TransferProgress& progress)
{
    const TreeNode* anchor = CategoryOf(destination);
    done.insert(category);
    if (category->HasChildren()) {
        for (TreeNode* child = category->FirstChild(); child;) {
            if (progress.Step())
                return;
            TreeNode* following = child->NextSibling();
            done.insert(child);
            // The copy keeps its category name: it joins the target's category of
            // that name, or the first copy makes one above the anchor.
            const EntryNode* entry = child->Payload();
            if (entry && target.tree.InsertSorted(std::make_unique<EntryNode>(*entry), anchor)) {
                if (move) {
                    source.tree.DeleteNode(child);
                }
            }
            child = following;
        }
    } else if (const EntryNode* placeholder = category->Payload()) {
        target.tree.InsertCategoryNode(std::make_unique<EntryNode>(*placeholder),
                                       Place::BeforeOrLast(anchor));
    }
    // An entry the target refused stays in the source with its category.
    if (move && !category->HasChildren()) {
        source.tree.DeleteNode(category);
    }
}

} // namespace

bool Transfer(PaneState& source, const std::vector<TreeNode*>& nodes, PaneState& target,
              TreeNode* destination, bool move, Prompts& prompts, Progress* progress)
{
    // One pane as both ends would feed a category's copies back into its own loop.
    if (&source == &target)
        return true;
    uint64_t total = 0;
    for (const TreeNode* node : nodes)
        total += node && node->IsCategory() ? uint64_t(node->ChildCount()) : 1;
    TransferProgress steps{{progress, move ? Caption::ProgressMoving : Caption::ProgressCopying, total}};
    if (destination && !target.tree.Contains(destination))
        destination = nullptr;
    // Whole categories first, so that their entries are not taken one by one.
    // Entries into an empty target keep their category names, also when
    // categories went first.
    const bool keepCategory = target.tree.IsEmpty();
    bool warned = false;
    Done done;
    std::vector<TreeNode*> entries;
    for (TreeNode* node : nodes) {
        if (node && node->IsCategory() && source.tree.Contains(node))
            TransferCategory(source, target, move, node, destination, done, steps);
        if (steps.scope.Cancelled())
            break;
        else if (node && node->IsEntry())
            entries.push_back(node);
    }
    for (TreeNode* node : entries) {
        if (steps.scope.Cancelled() || steps.Step())
            break;
        if (!done.count(node) && !done.count(node->Parent()) && source.tree.Contains(node))
            TransferEntry(source, target, move, prompts, node, destination, keepCategory, warned, done);
    }
    return !steps.scope.Cancelled();
}

void CopyOrMove(PaneState& source, PaneState& target, bool move, Prompts& prompts)
{
    Transfer(source, source.tree.SelectedNodes(), target, target.tree.Selected(), move, prompts);
}

} // namespace tessaro
