#include "edit/NodeSequence.h"

#include "edit/TreeNode.h"

#include <algorithm>

namespace tessaro {

int NodeSequence::SizeOf(const TreeNode* node)
{
    return node ? node->size_ : 0;
}

void NodeSequence::Recount(TreeNode* node)
{
    node->size_ = 1 + SizeOf(node->left_.get()) + SizeOf(node->right_.get());
}

NodeSequence::NodeSequence() = default;
NodeSequence::~NodeSequence() = default;

int NodeSequence::Size() const
{
    return SizeOf(root_.get());
}

TreeNode* NodeSequence::At(int row) const
{
    if (row < 0 || row >= Size())
        return nullptr;
    TreeNode* node = root_.get();
    while (node) {
        const int leftSize = SizeOf(node->left_.get());
        if (row < leftSize) {
            node = node->left_.get();
        } else if (row == leftSize) {
            return node;
        } else {
            row -= leftSize + 1;
            node = node->right_.get();
        }
    }
    return nullptr;
}

TreeNode* NodeSequence::First() const
{
    TreeNode* node = root_.get();
    while (node && node->left_)
        node = node->left_.get();
    return node;
}

TreeNode* NodeSequence::Last() const
{
    TreeNode* node = root_.get();
    while (node && node->right_)
        node = node->right_.get();
    return node;
}

void NodeSequence::Insert(int row, std::unique_ptr<TreeNode> node)
{
    node->left_.reset();
    node->right_.reset();
    node->up_ = nullptr;
    node->size_ = 1;
    InsertAt(root_, nullptr, std::clamp(row, 0, Size()), std::move(node));
}

void NodeSequence::InsertAt(std::unique_ptr<TreeNode>& slot, TreeNode* up, int row,
                            std::unique_ptr<TreeNode> node)
{
    if (!slot) {
        node->up_ = up;
        slot = std::move(node);
        return;
    }
    TreeNode* here = slot.get();
    ++here->size_;
    const int leftSize = SizeOf(here->left_.get());
    if (row <= leftSize) {
        InsertAt(here->left_, here, row, std::move(node));
        if (here->left_->priority_ > here->priority_)
            RotateRight(slot);
    } else {
        InsertAt(here->right_, here, row - leftSize - 1, std::move(node));
        if (here->right_->priority_ > here->priority_)
            RotateLeft(slot);
    }
}

std::unique_ptr<TreeNode> NodeSequence::Remove(TreeNode* node)
{
    // Rotate the node down until it has at most one child. It is still counted
    // in every subtree size meanwhile, so the sizes stay exact.
    while (node->left_ && node->right_) {
        if (node->left_->priority_ > node->right_->priority_)
            RotateRight(SlotOf(node));
        else
            RotateLeft(SlotOf(node));
    }
    std::unique_ptr<TreeNode>& slot = SlotOf(node);
    TreeNode* up = node->up_;
    std::unique_ptr<TreeNode> child = std::move(node->left_ ? node->left_ : node->right_);
    std::unique_ptr<TreeNode> taken = std::move(slot);
    slot = std::move(child);
    if (slot)
        slot->up_ = up;
    for (TreeNode* ancestor = up; ancestor; ancestor = ancestor->up_)
        --ancestor->size_;
    taken->up_ = nullptr;
    taken->size_ = 1;
    return taken;
}

void NodeSequence::Clear()
{
    root_.reset();
}

void NodeSequence::Build(std::vector<std::unique_ptr<TreeNode>>& nodes)
{
    // A Cartesian tree by priority, built along its right spine: each node
    // takes the spine's nodes of lower priority as its left subtree.
    std::vector<TreeNode*> spine;
    spine.reserve(nodes.size()); // the one allocation, before any node moves
    for (std::unique_ptr<TreeNode>& owned : nodes) {
        TreeNode* node = owned.release();
        node->left_.reset();
        node->right_.reset();
        node->up_ = nullptr;
        TreeNode* lower = nullptr;
        while (!spine.empty() && spine.back()->priority_ < node->priority_) {
            lower = spine.back();
            spine.pop_back();
        }
        std::unique_ptr<TreeNode>& slot = spine.empty() ? root_ : spine.back()->right_;
        if (lower) {
            node->left_ = std::move(slot);
            lower->up_ = node;
        }
        slot.reset(node);
        node->up_ = spine.empty() ? nullptr : spine.back();
        spine.push_back(node);
    }
    nodes.clear();
    CountSizes(root_.get());
}

int NodeSequence::CountSizes(TreeNode* node)
{
    if (!node)
        return 0;
    node->size_ = 1 + CountSizes(node->left_.get()) + CountSizes(node->right_.get());
    return node->size_;
}

int NodeSequence::FirstRowWhere(const std::function<bool(const TreeNode&)>& goesAfter) const
{
    int result = Size();
    int before = 0; // rows left of the current subtree
    const TreeNode* node = root_.get();
    while (node) {
        const int leftSize = SizeOf(node->left_.get());
        if (goesAfter(*node)) {
            result = before + leftSize;
            node = node->left_.get();
        } else {
            before += leftSize + 1;
            node = node->right_.get();
        }
    }
    return result;
}

bool NodeSequence::Holds(const TreeNode* node) const
{
    if (!node)
        return false;
    while (node->up_)
        node = node->up_;
    return node == root_.get();
}

int NodeSequence::RowOf(const TreeNode* node)
{
    int row = SizeOf(node->left_.get());
    for (const TreeNode* up = node->up_; up; node = up, up = up->up_) {
        if (up->right_.get() == node)
            row += SizeOf(up->left_.get()) + 1;
    }
    return row;
}

TreeNode* NodeSequence::Next(const TreeNode* node)
{
    if (node->right_) {
        TreeNode* next = node->right_.get();
        while (next->left_)
            next = next->left_.get();
        return next;
    }
    const TreeNode* up = node->up_;
    while (up && up->right_.get() == node) {
        node = up;
        up = up->up_;
    }
    return const_cast<TreeNode*>(up);
}

TreeNode* NodeSequence::Previous(const TreeNode* node)
{
    if (node->left_) {
        TreeNode* previous = node->left_.get();
        while (previous->right_)
            previous = previous->right_.get();
        return previous;
    }
    const TreeNode* up = node->up_;
    while (up && up->left_.get() == node) {
        node = up;
        up = up->up_;
    }
    return const_cast<TreeNode*>(up);
}

std::unique_ptr<TreeNode>& NodeSequence::SlotOf(TreeNode* node)
{
    TreeNode* up = node->up_;
    if (!up)
        return root_;
    return up->left_.get() == node ? up->left_ : up->right_;
}

// The left child of the slot's node takes its place.
void NodeSequence::RotateRight(std::unique_ptr<TreeNode>& slot)
{
    std::unique_ptr<TreeNode> top = std::move(slot);
    std::unique_ptr<TreeNode> pivot = std::move(top->left_);
    top->left_ = std::move(pivot->right_);
    if (top->left_)
        top->left_->up_ = top.get();
    pivot->up_ = top->up_;
    top->up_ = pivot.get();
    Recount(top.get());
    pivot->right_ = std::move(top);
    Recount(pivot.get());
    slot = std::move(pivot);
}

// The right child of the slot's node takes its place.
void NodeSequence::RotateLeft(std::unique_ptr<TreeNode>& slot)
{
    std::unique_ptr<TreeNode> top = std::move(slot);
    std::unique_ptr<TreeNode> pivot = std::move(top->right_);
    top->right_ = std::move(pivot->left_);
    if (top->right_)
        top->right_->up_ = top.get();
    pivot->up_ = top->up_;
    top->up_ = pivot.get();
    Recount(top.get());
    pivot->left_ = std::move(top);
    Recount(pivot.get());
    slot = std::move(pivot);
}

} // namespace tessaro
