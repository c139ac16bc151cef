#pragma once
// A pane's database: category nodes at the top, entry nodes under them, in the
// order the operations place them. Each entry node holds its record; a
// category without entries owns its placeholder EntryNode and frees it with
// itself. Every change goes through the tree: payloads are read-only
// outside it. While a journal is recording, each change is written into it with
// what undoes it, and removed nodes live on in the journal, so that undo puts
// back the very nodes (and every handle to them stays good).
//
// Kept true by InsertSorted and the editing operations:
//  1. every entry of a category carries the category's name, which is also the
//     category's text;
//  2. within a category the entries are in CompareGroup order;
//  3. a sub entry directly follows an entry of its own group;
//  4. a category has either entries or a placeholder, never both.
// Two categories may carry the same name; lookups find the first of them.

#include "data/RecordSource.h"
#include "edit/EntryNode.h"
#include "edit/NodeSequence.h"
#include "edit/TreeNode.h"
#include "edit/TreeObserver.h"
#include "edit/TreeObserverFanOut.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <unordered_map>
#include <unordered_set>
#include <vector>

namespace tessaro {

// Where a node goes among its siblings. `sibling` is a node of the same parent.
struct Place
{
    enum class Kind
    {
        First,
        Last,
        Before,
        After
    };
    Kind kind = Kind::Last;
    const TreeNode* sibling = nullptr;

    static Place First() { return {Kind::First, nullptr}; }
    static Place Last() { return {Kind::Last, nullptr}; }
    static Place Before(const TreeNode* node) { return {Kind::Before, node}; }
    static Place After(const TreeNode* node) { return {Kind::After, node}; }
    // Directly above the node, or last when there is none.
    static Place BeforeOrLast(const TreeNode* node) { return node ? Before(node) : Last(); }
};

class StyleCatalogue;

// The changes of one tree during one user command, in the order they were made.
// Owns the nodes the command removed (and, once undone, the ones it inserted).
class TreeJournal
{
public:
    TreeJournal();
    ~TreeJournal();
    TreeJournal(TreeJournal&&) noexcept;
    TreeJournal& operator=(TreeJournal&&) noexcept;

    bool IsEmpty() const;
    std::size_t ChangeCount() const;
    // About how much memory the journal holds, the nodes it owns included.
    std::size_t Bytes() const;

private:
    friend class CategoryTree;
    struct Change;
    std::vector<Change> changes_;
};

class CategoryTree
{
public:
    // Labels take their style names from the catalogue, which must outlive the tree.
    explicit CategoryTree(const StyleCatalogue& styles);
    ~CategoryTree();
    CategoryTree(const CategoryTree&) = delete;
    CategoryTree& operator=(const CategoryTree&) = delete;

    // One observer (the view's adapter); nullptr for none.
    void SetObserver(TreeObserver* observer)
    {
        observers_.SetView(observer);
        observer_ = observers_.Target();
    }
    // Others told of every change after the view; each removes itself before it goes.
    void AddFollower(TreeObserver* follower)
    {
        observers_.AddFollower(follower);
        observer_ = observers_.Target();
    }
    void RemoveFollower(TreeObserver* follower)
    {
        observers_.RemoveFollower(follower);
        observer_ = observers_.Target();
    }

    // Reading.
    bool IsEmpty() const { return categories_.Size() == 0; }
    int CategoryCount() const { return categories_.Size(); }
    TreeNode* CategoryAt(int row) const { return categories_.At(row); }
    TreeNode* FirstCategory() const { return categories_.First(); }
    TreeNode* LastCategory() const { return categories_.Last(); }
    std::size_t EntryNodeCount() const { return entryNodes_; }
    const StyleCatalogue& Styles() const { return *styles_; }
    std::size_t NodeCount() const { return entryNodes_ + static_cast<std::size_t>(categories_.Size()); }
    // The first category in tree order of that name that has entries or a placeholder.
    TreeNode* FindCategory(const std::string& name) const;
    // Whether the node belongs to this tree (not to the other pane's).
    bool Contains(const TreeNode* node) const;

    // Labels of inserted entries and placeholders are made afresh from their records.
    // A category node whose text is labelSource's CategoryLabel, without payload.
    // nullptr when the place is not among this tree's categories.
    TreeNode* InsertCategoryNode(const EntryNode& labelSource, Place place);
    // The same, with the placeholder as the category's payload.
    TreeNode* InsertCategoryNode(std::unique_ptr<EntryNode> placeholder, Place place);
    // An entry node showing entry->DisplayLabel(); a placeholder on the category
    // is freed. nullptr when the category or the place is not of this tree.
    TreeNode* InsertEntryNode(TreeNode* category, std::unique_ptr<EntryNode> entry, Place place);
    // Puts the entry into the first category of its name, after every entry of
    // its group or lower; a sub entry not landing behind its own group becomes a
    // main entry. Without such a category one is made directly above
    // beforeCategory (last when nullptr) and the entry becomes its main entry.
    // nullptr (the entry freed) when beforeCategory is not a category of this tree.
    TreeNode* InsertSorted(std::unique_ptr<EntryNode> entry, const TreeNode* beforeCategory = nullptr);

    // Deletes an entry node and hands back a copy of its EntryNode. Its category
    // stays, also when it is now empty.
    std::unique_ptr<EntryNode> TakeEntryNode(TreeNode* entry);
    // The entry (or a category's placeholder) gets the record; labels and text follow.
    void ReplaceEntry(TreeNode* node, const MdbEntry& record);
    // Deletes a node with its entries and frees every payload.
    void DeleteNode(TreeNode* node);
    // Deletes everything (one reset for the view). Not recorded: whoever clears
    // a tree drops the journals that name its nodes.
    void Clear();
    // Gives the placeholder or every entry the new category name, relabels them
    // and sets the category's text. Neither re-sorts nor merges.
    void RenameCategory(TreeNode* category, const std::string& name);
    // Takes the category with its entries to the place among the other
    // categories; it comes back closed, labelled from its placeholder or first entry.
    bool MoveCategory(TreeNode* category, Place place);
    // Tells the observers that the entry taken out as `was` is now `now` (see
    // TreeObserver::Continued); changes nothing.
    void NoteContinued(const TreeNode* was, const TreeNode* now)
    {
        if (observer_ && now && was != now)
            observer_->Continued(was, *now);
    }
    // The style names changed: the view hears of every label that changed with them.
    void RelabelAll();

    // The selection: one node or several (Ctrl- and Shift-clicks). Selected()
    // is the current one of them, nullptr when nothing is selected.
    TreeNode* Selected() const { return selected_; }
    void Select(TreeNode* node); // just this node; nullptr clears the selection
    // The nodes of this tree among `nodes` become the selection; `current` is
    // the one of them Selected() names (else the first in tree order).
    void SetSelection(const std::vector<TreeNode*>& nodes, TreeNode* current);
    std::size_t SelectionCount() const { return selected_ ? 1 + alsoSelected_.size() : 0; }
    bool IsSelected(const TreeNode* node) const;
    // The selected nodes in tree order.
    std::vector<TreeNode*> SelectedNodes() const;
    void SetExpanded(TreeNode* category, bool expanded);
    // Opens the node's category and asks the view to scroll to it.
    void EnsureVisible(TreeNode* node);

    // Between Begin and End the view hears nothing but one reset. Nests.
    void BeginBulkChange();
    void EndBulkChange();

    // Every change from now on goes into the journal (nullptr: none, removed
    // nodes are freed at once). The journal must be undone or redone only on
    // this tree, in the reverse order of recording for undo and the same order
    // for redo, and only while the tree is as the journal left it.
    void Record(TreeJournal* journal) { journal_ = journal; }
    bool IsRecording() const { return journal_ != nullptr; }

    // A tree of the editor's workspace may change only while a journal records
    // (inside a history step): a command that forgot its step would change the
    // pane without making it modified, and the user would lose it unasked.
    // Loads (BeginLoad .. EndLoad) and Clear are no edits and stay allowed.
    // A change outside is counted, and stops a debug build.
    void RequireRecording() { recordingRequired_ = true; }
    std::size_t UnrecordedChanges() const { return unrecordedChanges_; }
    void BeginLoad() { ++loadDepth_; }
    void EndLoad() { --loadDepth_; }
    void Undo(TreeJournal& journal);
    void Redo(TreeJournal& journal);

private:
    friend class TreeBulkLoad;
    using Change = TreeJournal::Change;
    std::unique_ptr<TreeNode> MakeNode(bool isCategory);
    TreeNode* InsertCategory(std::unique_ptr<TreeNode> category, Place place);
    TreeNode* InsertEntryAt(TreeNode* category, int row, std::unique_ptr<EntryNode> entry);
    // Row for a place, -1 when its sibling is not in the sequence.
    static int RowFor(const NodeSequence& siblings, Place place);
    // The primitives every change is made of; each one is recorded.
    // Room for one more change in the journal, made before a primitive changes
    // anything: running out of memory then leaves the tree as it was.
    void ReserveJournalRoom();
    void Link(std::unique_ptr<TreeNode> node, TreeNode* parent, int row);
    void Unlink(TreeNode* node);
    void Reposition(TreeNode* node, TreeNode* parent, int row);
    void SwapPayload(TreeNode* node, std::unique_ptr<EntryNode> payload);
    // An entry's record or a category's placeholder changes place with `other`'s.
    static void ExchangePayload(TreeNode& node, std::unique_ptr<EntryNode>& other) noexcept;
    void SetText(TreeNode* node, const std::string& text);
    void UpdateText(TreeNode* node, const std::string& text); // not recorded: labels follow the catalogue
    // An entry's label before its payload changes (empty when no view listens),
    // and telling the view about the new one.
    std::string LabelBefore(const TreeNode& node) const;
    void ShowNewPayload(TreeNode& node, const std::string& labelBefore);
    // Takes the catalogue's style names afresh; true for each style index whose name changed.
    std::vector<bool> StyleTextsChanged();
    void SetCategoryName(TreeNode* category, const std::string& name);
    // The same without recording, for replaying a journal.
    // Takes the node only when it is in: running out of memory leaves it with the caller.
    void Attach(std::unique_ptr<TreeNode>&& node, TreeNode* parent, int row);
    // Detach, then Attach at the new place; back at the old one when memory runs out.
    void Move(TreeNode* node, TreeNode* parent, int row);
    std::unique_ptr<TreeNode> Detach(TreeNode* node);
    void Apply(Change& change, bool forward);
    void MoveSelectionOff(const TreeNode* leaving);
    bool SelectionLeaves(const TreeNode* leaving) const;
    // Clear's quick way: takes back the pool's memory in one step when every
    // node of it is one of this tree's. False (nothing freed) otherwise.
    bool ReleaseAllNodes();
    // Else every node goes back to the pool in one call, not one by one.
    // False (nothing freed) when the list cannot be had.
    bool FreeNodesInBulk();
    void IndexCategory(TreeNode* category);
    // The category under a new name in the index; nothing changed when memory runs out.
    void RenameInIndex(TreeNode* category, std::string& name);
    void UnindexCategory(TreeNode* category);
    bool Notifying() const { return observer_ && bulkDepth_ == 0; }
    void NoteUnrecorded();

    // The tree's own pool for its nodes (see NodePool.h); retired with it.
    NodePool* nodePool_;
    NodeSequence categories_;
    std::unordered_map<std::string, std::vector<TreeNode*>> categoriesByName_;
    std::size_t entryNodes_ = 0;
    TreeNode* selected_ = nullptr;
    // The other selected nodes when several are; one that leaves the tree
    // takes the selection back to a single node (TreeSelection.cpp).
    std::unordered_set<TreeNode*> alsoSelected_;
    TreeObserverFanOut observers_;
    TreeObserver* observer_ = nullptr; // whom a change is told: observers_.Target()
    TreeJournal* journal_ = nullptr;
    const StyleCatalogue* styles_;
    int bulkDepth_ = 0;
    bool recordingRequired_ = false;
    int loadDepth_ = 0;
    std::size_t unrecordedChanges_ = 0;
    uint64_t nextPriority_ = 0;
    // The style names the labels showed when the view last heard of them, by
    // style index (catalogue styles, then 256 disk-style numbers).
    static constexpr int kStyleIndexCount = 245 + 256;
    std::vector<std::string> styleTexts_;
};

// Holds a bulk change for its lifetime.
class BulkTreeChange
{
public:
    explicit BulkTreeChange(CategoryTree& tree) : tree_(tree) { tree_.BeginBulkChange(); }
    ~BulkTreeChange() { tree_.EndBulkChange(); }
    BulkTreeChange(const BulkTreeChange&) = delete;
    BulkTreeChange& operator=(const BulkTreeChange&) = delete;

private:
    CategoryTree& tree_;
};

// Holds a load for its lifetime.
class TreeLoad
{
public:
    explicit TreeLoad(CategoryTree& tree) : tree_(tree) { tree_.BeginLoad(); }
    ~TreeLoad() { tree_.EndLoad(); }
    TreeLoad(const TreeLoad&) = delete;
    TreeLoad& operator=(const TreeLoad&) = delete;

private:
    CategoryTree& tree_;
};

// The records of the entry nodes in tree order (what a save writes; placeholders
// are not entries). The tree must not change while the source is used.
RecordSource RecordsOf(const CategoryTree& tree);

} // namespace tessaro
