#pragma once
// The children of one parent in sibling order, for trees of 100,000 nodes and
// more. A plain vector would cost O(n) per insert in the middle (O(n^2) for a
// load in random order into one category) and would have to renumber rows.
// This is an order-statistics treap threaded through the nodes themselves:
// every node knows the size of its subtree and its treap parent, so insert and
// remove at any place, "node at row", "row of node" and a binary search over
// the order all take O(log n) expected time, and node pointers stay stable.
// Priorities are random, so the shape does not depend on the arrival order.

#include <functional>
#include <memory>
#include <vector>

namespace tessaro {

class TreeNode;

class NodeSequence
{
public:
    NodeSequence();
    ~NodeSequence(); // frees every node of the sequence
    NodeSequence(const NodeSequence&) = delete;
    NodeSequence& operator=(const NodeSequence&) = delete;

    int Size() const;
    TreeNode* At(int row) const; // nullptr outside 0..Size()-1
    TreeNode* First() const;
    TreeNode* Last() const;

    // The node must not be in a sequence; row is clamped to 0..Size().
    void Insert(int row, std::unique_ptr<TreeNode> node);
    // The node must be in this sequence.
    std::unique_ptr<TreeNode> Remove(TreeNode* node);
    void Clear();
    // Forgets every node without freeing it: their memory was taken back in bulk.
    void Abandon() noexcept { (void)root_.release(); }
    // Takes the nodes, in this order, as the whole sequence (which must be
    // empty) in O(n): the treap their priorities call for, as inserting them
    // one by one would shape it.
    void Build(std::vector<std::unique_ptr<TreeNode>>& nodes);
    void Swap(NodeSequence& other) noexcept { root_.swap(other.root_); }

    // The first row whose node satisfies goesAfter, or Size() when none does.
    // goesAfter must be false for a prefix of the sequence and true for the rest.
    int FirstRowWhere(const std::function<bool(const TreeNode&)>& goesAfter) const;

    bool Holds(const TreeNode* node) const; // walks up to the root: O(log n)

    static int RowOf(const TreeNode* node);
    static TreeNode* Next(const TreeNode* node);
    static TreeNode* Previous(const TreeNode* node);

private:
    static int SizeOf(const TreeNode* node);
    static void Recount(TreeNode* node);
    std::unique_ptr<TreeNode>& SlotOf(TreeNode* node);
    static void InsertAt(std::unique_ptr<TreeNode>& slot, TreeNode* up, int row,
                         std::unique_ptr<TreeNode> node);
    static void RotateRight(std::unique_ptr<TreeNode>& slot);
    static void RotateLeft(std::unique_ptr<TreeNode>& slot);
    static int CountSizes(TreeNode* node);

    std::unique_ptr<TreeNode> root_;
};

} // namespace tessaro
