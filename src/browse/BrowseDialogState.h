#pragma once
// What CBrowseDlg keeps and decides, apart from its widgets: the name field, the
// chosen folder, how backup-set folders are shown in the tree, and the result.

#include <string>

#include "common/Prompts.h"

namespace tessaro {

class BrowseDialogState
{
public:
    BrowseDialogState(BrowseMode mode, std::string mask);

    BrowseMode Mode() const { return mode_; }
    const std::string& Mask() const { return mask_; }

    // The keys FolderTree::AddCustomIcon gave for the wanted-set and other-set icons.
    void SetIconKeys(int wantedSetKey, int otherSetKey);

    // The tree's display callback (ItemDisplayFn): a backup-set folder shows its set
    // name and the set icon, the wanted-set icon when it holds the wanted file.
    bool DisplayItem(std::string& displayName, const std::string& path, int& normalKey,
                     int& selectedKey) const;

    // The name field: a set name as shown ("Party [Disk-01]") or as typed.
    const std::string& Name() const { return name_; }
    void SetName(std::string name) { name_ = std::move(name); }

    // A set holding the wanted file gives the chosen folder and the name; any
    // other folder becomes the chosen folder and the name stays.
    void ApplySelectedPath(const std::string& path);
    // The tree's selection changed; ok and path are FolderTree::GetSelectedPath's answer.
    void SelectionChanged(bool ok, const std::string& path);
    // A double click on an item: true when it chose a set that holds the wanted
    // file, so the dialog runs OK; false leaves the tree to expand or collapse.
    bool DoubleClicked(bool ok, const std::string& path);

    // Whether OK may close the dialog: a name, and a folder to put it in (or a
    // name that is an absolute path).
    bool CanAccept() const;

    std::string GetChosenPath() const;
    // The folder that holds the result: the selected one, or for a typed
    // absolute path the folder it names.
    std::string GetChosenFolder() const;

private:
    bool NameIsAbsolute() const { return !name_.empty() && name_.front() == '/'; }

    BrowseMode mode_;
    std::string mask_;
    std::string name_;
    std::string chosenFolder_;
    int wantedSetKey_ = -1;
    int otherSetKey_ = -1;
};

} // namespace tessaro
