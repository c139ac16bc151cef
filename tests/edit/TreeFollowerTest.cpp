// Followers hear a tree beside its view: each change reaches the view first,
// and either can come and go without taking the other along.
#include "support/TreeTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace tessaro {
namespace {

class LoggingObserver : public TreeObserver
{
public:
    LoggingObserver(std::vector<std::string>& log, std::string name) : log_(log), name_(std::move(name)) {}
    void BeginRemove(const TreeNode*, int row) override
    {
        log_.push_back(name_ + " remove " + std::to_string(row));
    }
    void EndInsert(const TreeNode*, int row) override
    {
        log_.push_back(name_ + " insert " + std::to_string(row));
    }
    void EndReset() override { log_.push_back(name_ + " reset"); }

private:
    std::vector<std::string>& log_;
    std::string name_;
};

TEST(TreeFollowerTest, FollowersHearEveryChangeAfterTheViewAndLeaveItAlone)
{
    StyleCatalogue styles;
    CategoryTree tree{styles};
    std::vector<std::string> log;
    LoggingObserver view(log, "view");
    LoggingObserver follower(log, "follower");
    tree.SetObserver(&view);
    tree.AddFollower(&follower);
    tree.AddFollower(&follower); // once is enough

    TreeNode* a = tree.InsertSorted(MakeEntry("Pop", 3, 120, "a"));
    EXPECT_EQ(log, (std::vector<std::string>{"view insert 0", "follower insert 0", "view insert 0",
                                             "follower insert 0"}))
        << "the category, then its entry";
    log.clear();
    {
        BulkTreeChange bulk(tree);
        tree.InsertSorted(MakeEntry("Pop", 3, 120, "b"));
    }
    EXPECT_EQ(log, (std::vector<std::string>{"view reset", "follower reset"}));

    // The view goes (its model closed): the follower still hears.
    log.clear();
    tree.SetObserver(nullptr);
    tree.DeleteNode(a);
    EXPECT_EQ(log, (std::vector<std::string>{"follower remove 0"}));

    // The follower goes: the view, back again, is the only one told.
    log.clear();
    tree.SetObserver(&view);
    tree.RemoveFollower(&follower);
    tree.Clear();
    EXPECT_EQ(log, (std::vector<std::string>{"view reset"}));
    tree.SetObserver(nullptr);
}

} // namespace
} // namespace tessaro
