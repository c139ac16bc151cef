// diff, duplicates and the findings of check --for: the tree of a file
// compared with another, with itself, and with what the keyboard plays.

#include "cli/CommandSupport.h"
#include "cli/Commands.h"
#include "data/Win1252.h"
#include "edit/Duplicates.h"
#include "edit/KeyboardCheck.h"
#include "edit/PaneState.h"
#include "edit/TreeDiff.h"

#include <memory>

namespace tessaro::cli {

namespace {

constexpr int kDiffDifferent = 1;
constexpr int kDiffRefused = 2;

// Category and title as a line shows them: tab-separated, in UTF-8.
std::string EntryText(const MdbEntry& record)
{
    return ToUtf8(record.GetCategory()) + "\t" + ToUtf8(record.GetTitle());
}

const char* KindWord(EntryDifference::Kind kind)
{
    switch (kind) {
    case EntryDifference::Kind::Removed:
        return "removed";
    case EntryDifference::Kind::Added:
        return "added";
    case EntryDifference::Kind::Changed:
        return "changed";
    case EntryDifference::Kind::Moved:
        break;
    }
    return "moved";
}

void AppendGroups(const char* heading, const std::vector<std::vector<const TreeNode*>>& groups,
                  std::string& text)
{
    for (const auto& group : groups) {
        text += std::string(heading) + " (" + std::to_string(group.size()) + " entries):\n";
        for (const TreeNode* entry : group) {
            text += "\t" + EntryText(entry->Payload()->record) + "\n";
        }
        text += "\n";
    }
}

} // namespace

std::size_t PrintKeyboardFindings(const CategoryTree& tree, KeyboardModel model)
{
    std::size_t count = 0;
    std::string text;
    for (const EntryFindings& entry : CheckForKeyboard(tree, model)) {
        for (const KeyboardFinding& finding : entry.findings) {
            text += EntryText(entry.entry->Payload()->record) + "\t" + finding.field + "\t" + finding.reason +
                    "\n";
            ++count;
        }
        if (text.size() > 64 * 1024) {
            WriteToStdout(text);
            text.clear();
        }
    }
    WriteToStdout(text);
    return count;
}

int RunDiff(const CliOptions& options)
{
    auto before = NewCommandFile();
    auto after = NewCommandFile();
    if (!Load(options.files[0], *before) || !Load(options.files[1], *after)) {
        return kDiffRefused;
    }
    // Style names as the first file's keyboard shows them.
    SetFactoryNames(before->styles, ModelFor(options, *before));

    // Each difference is written as it is found: a million of them are never held.
    std::size_t differences = 0;
    std::string text;
    ForEachDifference(before->pane.tree, after->pane.tree, [&](const EntryDifference& difference) {
        ++differences;
        std::string entry = ToUtf8(difference.category) + "\t" + ToUtf8(difference.title);
        if (difference.occurrence > 1) {
            entry += " [" + std::to_string(difference.occurrence) + "]";
        }
        if (difference.kind != EntryDifference::Kind::Changed) {
            text += std::string(KindWord(difference.kind)) + "\t" + entry + "\n";
        }
        for (const FieldChange& change : difference.changes) {
            text +=
                "changed\t" + entry + "\t" + change.field + "\t" + change.before + "\t" + change.after + "\n";
        }
        if (text.size() > 64 * 1024) {
            WriteToStdout(text);
            text.clear();
        }
    });
    WriteToStdout(text);
    if (!FlushStdout()) {
        return kDiffRefused;
    }
    return differences == 0 ? kOk : kDiffDifferent;
}

int RunDuplicates(const CliOptions& options)
{
    auto file = NewCommandFile();
    if (!Load(options.files[0], *file)) {
        return kFailed;
    }
    const DuplicateGroups groups = FindDuplicates(file->pane.tree);
    std::string text;
    AppendGroups("Same registration", groups.sameRegistration, text);
    AppendGroups("Same title in one category", groups.sameTitle, text);
    if (text.empty()) {
        text = "No duplicates.\n";
    }
    WriteToStdout(text);
    return FlushStdout() ? kOk : kFailed;
}

} // namespace tessaro::cli
