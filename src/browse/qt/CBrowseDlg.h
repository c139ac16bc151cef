#pragma once
// The backup-aware browse dialog: the folder tree, in which keyboard backup-set
// folders show under their set name with icons of their own, and a name field.
// In open mode the user picks a set holding the wanted file and gets the path of
// that file; in save mode the user picks a folder, types or picks a set name,
// and gets the path of the set folder to write into.

#include "browse/BrowseDialogState.h"
#include "common/Prompts.h"

#include <QDialog>

#include <string>

class QLineEdit;
class QModelIndex;

namespace tessaro {

class CFolderTree;
class ShellNamespace;

class CBrowseDlg : public QDialog
{
    Q_OBJECT
public:
    // Fills the tree from the namespace and selects the start folder. The
    // namespace must outlive the dialog.
    CBrowseDlg(const BrowseRequest& request, ShellNamespace& shell, QWidget* parent = nullptr);
    ~CBrowseDlg() override;

    std::string GetChosenPath() const { return state_.GetChosenPath(); }
    std::string GetChosenFolder() const { return state_.GetChosenFolder(); }

public slots:
    // Closes only with a name (and a folder to put it in).
    void accept() override;

protected:
    void showEvent(QShowEvent* event) override;

private:
    void OnSelectionChanged();
    void OnDoubleClicked(const QModelIndex& index);
    void ShowName();

    BrowseDialogState state_;
    CFolderTree* tree_ = nullptr;
    QLineEdit* name_ = nullptr;
};

// The resource path of a set icon: kMdbSetIcon, kFlashStyleSetIcon or 139
// (any other set); empty for another id.
std::string SetIconResource(int iconId);

// Runs the dialog over the desktop's namespace; what Prompts::Browse returns.
BrowseResult RunBrowseDialog(QWidget* parent, const BrowseRequest& request);

} // namespace tessaro
