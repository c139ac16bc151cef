#pragma once
// The tree's observer slot shared: the view first, then whoever follows the
// tree beside it (a tool's result list that must learn when its entries leave
// the pane). Each call reaches the view before the followers, so a follower
// sees the tree exactly as the view does and never changes it.

#include "edit/TreeObserver.h"

#include <algorithm>
#include <vector>

namespace tessaro {

class TreeObserverFanOut final : public TreeObserver
{
public:
    void SetView(TreeObserver* view) { view_ = view; }
    void AddFollower(TreeObserver* follower)
    {
        if (follower && std::find(followers_.begin(), followers_.end(), follower) == followers_.end())
            followers_.push_back(follower);
    }
    void RemoveFollower(TreeObserver* follower)
    {
        followers_.erase(std::remove(followers_.begin(), followers_.end(), follower), followers_.end());
    }
    // Whom the tree calls: nobody, the view alone (no cost for the usual
    // case), or this, which tells them all.
    TreeObserver* Target()
    {
        if (followers_.empty())
            return view_;
        return this;
    }

    void BeginInsert(const TreeNode* parent, int row) override
    {
        Each([&](TreeObserver& o) { o.BeginInsert(parent, row); });
    }
    void EndInsert(const TreeNode* parent, int row) override
    {
        Each([&](TreeObserver& o) { o.EndInsert(parent, row); });
    }
    void BeginRemove(const TreeNode* parent, int row) override
    {
        Each([&](TreeObserver& o) { o.BeginRemove(parent, row); });
    }
    void EndRemove(const TreeNode* parent, int row) override
    {
        Each([&](TreeObserver& o) { o.EndRemove(parent, row); });
    }
    void TextChanged(const TreeNode& node) override
    {
        Each([&](TreeObserver& o) { o.TextChanged(node); });
    }
    void SelectionChanged(const TreeNode* selected) override
    {
        Each([&](TreeObserver& o) { o.SelectionChanged(selected); });
    }
    void ExpansionChanged(const TreeNode& category) override
    {
        Each([&](TreeObserver& o) { o.ExpansionChanged(category); });
    }
    void MadeVisible(const TreeNode& node) override
    {
        Each([&](TreeObserver& o) { o.MadeVisible(node); });
    }
    void Continued(const TreeNode* was, const TreeNode& now) override
    {
        Each([&](TreeObserver& o) { o.Continued(was, now); });
    }
    void BeginReset() override
    {
        Each([](TreeObserver& o) { o.BeginReset(); });
    }
    void EndReset() override
    {
        Each([](TreeObserver& o) { o.EndReset(); });
    }

private:
    template <class Call> void Each(const Call& call)
    {
        if (view_)
            call(*view_);
        for (std::size_t i = 0; i < followers_.size(); ++i)
            call(*followers_[i]);
    }

    TreeObserver* view_ = nullptr;
    std::vector<TreeObserver*> followers_;
};

} // namespace tessaro
