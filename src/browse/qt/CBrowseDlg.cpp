#include "browse/qt/CBrowseDlg.h"

#include "browse/LinuxNamespace.h"
#include "browse/qt/CFolderTree.h"
#include "browse/qt/QtDesktopActions.h"
#include "common/Texts.h"
#include "common/qt/DialogUnits.h"
#include "common/qt/TextFit.h"

#include <QLabel>
#include <QLineEdit>
#include <QPushButton>

// The set icons live in the Qt library's resources; a static library's
// resources are registered only when someone asks for them by name.
static void InitBrowseResources()
{
    static const bool done = [] {
        Q_INIT_RESOURCE(tessaro);
        return true;
    }();
    (void)done;
}

namespace tessaro {

namespace {
constexpr int kOtherSetIcon = 139;
}

std::string SetIconResource(int iconId)
{
    switch (iconId) {
    case kMdbSetIcon:
        return ":/icons/set-mdb.png";
    case kFlashStyleSetIcon:
        return ":/icons/set-style.png";
    case kOtherSetIcon:
        return ":/icons/set-other.png";
    default:
        return {};
    }
}

CBrowseDlg::CBrowseDlg(const BrowseRequest& request, ShellNamespace& shell, QWidget* parent)
    : QDialog(parent), state_(request.mode, request.mask)
{
    InitBrowseResources();
    const bool openMode = request.mode == BrowseMode::Open;
    setWindowTitle(QString::fromStdString(request.title));
    const DialogUnits du(*this);

    tree_ = new CFolderTree(shell, this);
    tree_->setObjectName(QStringLiteral("folderTree"));
    // A double click on a set holding the wanted file chooses it; elsewhere it opens or closes.
    tree_->setExpandsOnDoubleClick(false);
    du.Place(tree_, 5, 4, 323, 229);

    auto* label = new QLabel(QString::fromStdString(Tr(Caption::FilenameLabel)), this);
    du.Place(label, 3, 242, 37, 8);
    name_ = new QLineEdit(this);
    name_->setObjectName(QStringLiteral("name"));
    du.Place(name_, 44, 239, 230, 14);
    label->setBuddy(name_);
    FitLabelBeside(*label, *name_);
    // Only a selection fills the name in open mode.
    name_->setEnabled(!openMode);

    auto* ok = new QPushButton(QString::fromStdString(Tr(openMode ? Caption::Open : Caption::Save)), this);
    ok->setObjectName(QStringLiteral("ok"));
    ok->setDefault(true);
    du.Place(ok, 278, 239, 50, 14);
    auto* cancel = new QPushButton(QString::fromStdString(Tr(Caption::Cancel)), this);
    cancel->setObjectName(QStringLiteral("cancel"));
    du.Place(cancel, 278, 259, 50, 14);
    setFixedSize(du.Size(333, 279));

    connect(ok, &QPushButton::clicked, this, &CBrowseDlg::accept);
    connect(cancel, &QPushButton::clicked, this, &CBrowseDlg::reject);
    connect(name_, &QLineEdit::textEdited, this,
            [this](const QString& text) { state_.SetName(text.toStdString()); });
    connect(tree_, &CFolderTree::SelectionChanged, this, &CBrowseDlg::OnSelectionChanged);
    connect(tree_, &QAbstractItemView::doubleClicked, this, &CBrowseDlg::OnDoubleClicked);

    const int wantedKey = tree_->AddCustomIcon(SetIconResource(request.iconId));
    const int otherKey = tree_->AddCustomIcon(SetIconResource(kOtherSetIcon));
    state_.SetIconKeys(wantedKey, otherKey);
    tree_->SetDisplayCallback(
        [this](std::string& displayName, const std::string& path, int& normalKey, int& selectedKey) {
            return state_.DisplayItem(displayName, path, normalKey, selectedKey);
        });
    tree_->FillTree(request.noNetwork, request.startFolder);
    tree_->setFocus(Qt::OtherFocusReason);
}

CBrowseDlg::~CBrowseDlg()
{
    // The tree calls back into state_: it goes while state_ is still there.
    delete tree_;
}

void CBrowseDlg::showEvent(QShowEvent* event)
{
    QDialog::showEvent(event);
    // The start folder was selected before the tree had its final size; in the
    // middle, some of what it holds shows below it.
    tree_->scrollTo(tree_->currentIndex(), QAbstractItemView::PositionAtCenter);
}

void CBrowseDlg::OnSelectionChanged()
{
    std::string path;
    const bool ok = tree_->GetSelectedPath(path);
    state_.SelectionChanged(ok, path);
    ShowName();
}

void CBrowseDlg::OnDoubleClicked(const QModelIndex& index)
{
    std::string path;
    const bool ok = tree_->GetSelectedPath(path);
    if (state_.DoubleClicked(ok, path)) {
        ShowName();
        accept();
    } else {
        tree_->setExpanded(index, !tree_->isExpanded(index));
    }
}

void CBrowseDlg::ShowName()
{
    const QString name = QString::fromStdString(state_.Name());
    if (name_->text() != name)
        name_->setText(name);
}

void CBrowseDlg::accept()
{
    if (state_.Mode() == BrowseMode::Save)
        state_.SetName(name_->text().toStdString());
    if (state_.CanAccept())
        QDialog::accept();
}

BrowseResult RunBrowseDialog(QWidget* parent, const BrowseRequest& request)
{
    QtDesktopActions actions;
    LinuxNamespace shell(&actions);
    CBrowseDlg dialog(request, shell, parent);
    BrowseResult result;
    result.confirmed = dialog.exec() == QDialog::Accepted;
    if (result.confirmed) {
        result.chosenPath = dialog.GetChosenPath();
        result.chosenFolder = dialog.GetChosenFolder();
    }
    return result;
}

} // namespace tessaro
