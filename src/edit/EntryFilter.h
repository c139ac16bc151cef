#pragma once
// The rule of a pane's filter field: which rows a filtered view shows. An
// entry shows when its title, its category or its style name contains the
// text, ignoring case (as the code page's upper case does it); a category
// shows when its name does (then with all its entries) or any of its entries
// does. Filtering only hides rows: the tree, its order and the file stay.

#include <string>
#include <string_view>

namespace tessaro {

class StyleCatalogue;
class TreeNode;

class EntryFilter
{
public:
    // `text` as typed (UTF-8); white space around it does not count.
    EntryFilter(std::string_view text, const StyleCatalogue& styles);

    // An empty filter shows everything.
    bool IsEmpty() const { return needle_.empty(); }
    // For a category: its name matches (all its entries show).
    bool CategoryNameMatches(const TreeNode& category) const;
    // For an entry: title, category or style matches.
    bool EntryMatches(const TreeNode& entry) const;
    // For a category: it shows (its name or one of its entries matches).
    bool ShowsCategory(const TreeNode& category) const;
    // For either kind of row: whether the filtered view shows it.
    bool Shows(const TreeNode& node) const;

private:
    bool Contains(std::string_view bytes1252) const;

    std::string needle_; // upper-cased Windows-1252 bytes
    const StyleCatalogue& styles_;
};

} // namespace tessaro
