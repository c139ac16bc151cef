#pragma once
// Would each entry play as stored on the chosen keyboard? Findings: a voice the
// model lacks (a PSR-9000pro voice on the PSR-9000), a voice matching no row of
// the catalogue, a disk style (it needs its style disk), a value the entry
// editor would not accept. The hand voices count always, a part's voice only
// when the entry sets it (otherwise the style's own voice plays).

#include "common/Texts.h"
#include "data/MdbImage.h"

#include <cstddef>
#include <string>
#include <vector>

namespace tessaro {

class CategoryTree;
class TreeNode;

struct KeyboardFinding
{
    KeyboardFinding(std::string field, Caption kind, std::vector<std::string> args);

    std::string field; // the name the report and the export give it
    Caption kind;      // the reason's text, filled with args
    std::vector<std::string> args;
    std::string reason; // in English, as tessaro-cli prints it

    // The reason in the current language, for the window.
    std::string ReasonText() const;
};

std::vector<KeyboardFinding> CheckEntryForKeyboard(const MdbEntry& record, KeyboardModel model);

struct EntryFindings
{
    const TreeNode* entry;
    std::vector<KeyboardFinding> findings;
};

// The entries with findings, in tree order.
std::vector<EntryFindings> CheckForKeyboard(const CategoryTree& tree, KeyboardModel model);

// Whether the entry plays a voice only the PSR-9000pro has (by the rules above:
// every hand voice, a part's voice only when the entry sets it).
bool UsesProOnlyVoice(const MdbEntry& record);
// How many entries of the tree do.
std::size_t CountProOnlyVoiceEntries(const CategoryTree& tree);

} // namespace tessaro
