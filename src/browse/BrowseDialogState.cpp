#include "browse/BrowseDialogState.h"

#include "browse/BackupSetNames.h"

namespace tessaro {

BrowseDialogState::BrowseDialogState(BrowseMode mode, std::string mask) : mode_(mode), mask_(std::move(mask))
{
}

void BrowseDialogState::SetIconKeys(int wantedSetKey, int otherSetKey)
{
    wantedSetKey_ = wantedSetKey;
    otherSetKey_ = otherSetKey;
}

bool BrowseDialogState::DisplayItem(std::string& displayName, const std::string& path, int& normalKey,
                                    int& selectedKey) const
{
    // IsBackupSetFolder tests the name before it looks at the disk.
    if (displayName.size() <= 4 || path.empty() || !IsBackupSetFolder(path)) {
        return false;
    }
    int n = DiskNumberOf(std::string_view(displayName).substr(displayName.size() - 2));
    displayName.resize(displayName.size() - 4);
    displayName += DiskSuffix(n);
    normalKey = selectedKey = SetHoldsWantedFile(path, mask_) ? wantedSetKey_ : otherSetKey_;
    return true;
}

void BrowseDialogState::ApplySelectedPath(const std::string& path)
{
    if (!SetHoldsWantedFile(path, mask_)) {
        chosenFolder_ = path;
        return;
    }
    SetPathParts parts = SplitSetPath(path);
    chosenFolder_ = std::move(parts.folder);
    name_ = std::move(parts.name);
    ToSetDisplayName(name_);
}

void BrowseDialogState::SelectionChanged(bool ok, const std::string& path)
{
    if (ok && !path.empty()) {
        ApplySelectedPath(path);
    } else {
        chosenFolder_.clear();
    }
}

bool BrowseDialogState::DoubleClicked(bool ok, const std::string& path)
{
    if (!ok || path.empty() || !SetHoldsWantedFile(path, mask_)) {
        return false;
    }
    ApplySelectedPath(path);
    return true;
}

bool BrowseDialogState::CanAccept() const
{
    // Without a folder the result would be relative to wherever the program was started.
    return !name_.empty() && (!chosenFolder_.empty() || NameIsAbsolute());
}

std::string BrowseDialogState::GetChosenPath() const
{
    return ChosenPath(chosenFolder_, name_, mode_, mask_);
}

std::string BrowseDialogState::GetChosenFolder() const
{
    if (NameIsAbsolute())
        return SplitSetPath(ChosenSetPath(chosenFolder_, name_)).folder;
    return chosenFolder_;
}

} // namespace tessaro
