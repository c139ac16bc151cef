// The main window's controls: where each one stands (in dialog units of the
// window's font), what it is called and what it reads.
#include "app/qt/CMainDlg.h"

#include "app/qt/ReleaseDate.h"
#include "common/qt/DialogUnits.h"
#include "common/qt/TextFit.h"
#include "edit/qt/CategoryTreeModel.h"
#include "edit/qt/CategoryTreeView.h"
#include "edit/qt/TreeViewSync.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QComboBox>
#include <QFontDatabase>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QProxyStyle>
#include <QPushButton>
#include <QRadioButton>
#include <QStyleFactory>
#include <QStyleOptionButton>
#include <QStylePainter>
#include <QTreeView>

#include <algorithm>
#include <cmath>
#include <map>

#ifndef TESSARO_VERSION
#define TESSARO_VERSION "0"
#endif

namespace tessaro {

namespace {

// Our fonts run wider than the one the layout was drawn for: the option texts
// and "Keyboard:" take the room up to their right-hand neighbours.
constexpr int kOptionWidth = 104;

// Captions that are the same in both languages.
constexpr char kKeyboardLabel[] = "Keyboard:";
constexpr char kFlashStylesGroup[] = "Flash Styles";
constexpr char kFactory[] = "Factory";
constexpr char kDefault[] = "Default";
constexpr char kIndividual[] = "Individual:";

QString Q(Caption id)
{
    return QString::fromStdString(Tr(id));
}

// Both texts of a caption, for measuring.
QStringList BothLanguages(std::initializer_list<Caption> ids)
{
    QStringList texts;
    for (const Caption id : ids)
        texts << QString::fromUtf8(TextsOf(id).english) << QString::fromUtf8(TextsOf(id).german);
    return texts;
}

// "Version 1.0.0  -  8 December 2026", the month named in the language.
QString VersionLine(bool german)
{
    return QStringLiteral("Version %1  -  %2").arg(QStringLiteral(TESSARO_VERSION), ReleaseDateText(german));
}

// A check box with its text on the left and the box at the right end, so that
// the boxes of the two options stand one above the other. (A right-to-left
// layout would do the same but moves the trailing colon to the front.)
class LeftTextCheckBox : public QCheckBox
{
public:
    using QCheckBox::QCheckBox;

protected:
    void paintEvent(QPaintEvent*) override
    {
        QStylePainter painter(this);
        QStyleOptionButton option;
        initStyleOption(&option);
        const int boxWidth = style()->pixelMetric(QStyle::PM_IndicatorWidth, &option, this);
        const int boxHeight = style()->pixelMetric(QStyle::PM_IndicatorHeight, &option, this);
        const int spacing = style()->pixelMetric(QStyle::PM_CheckBoxLabelSpacing, &option, this);

        QStyleOptionButton box = option;
        box.rect = QRect(width() - boxWidth, (height() - boxHeight) / 2, boxWidth, boxHeight);
        painter.drawPrimitive(QStyle::PE_IndicatorCheckBox, box);

        QStyleOptionButton label = option;
        label.rect = QRect(0, 0, width() - boxWidth - spacing, height());
        painter.drawControl(QStyle::CE_CheckBoxLabel, label);

        if (hasFocus()) {
            QStyleOptionFocusRect focus;
            focus.initFrom(this);
            const int textWidth = fontMetrics().horizontalAdvance(text());
            focus.rect = QRect(0, 1, qMin(textWidth + 2, label.rect.width()), height() - 2);
            painter.drawPrimitive(QStyle::PE_FrameFocusRect, focus);
        }
    }
    // The text is part of the button, as with any check box.
    bool hitButton(const QPoint& pos) const override { return rect().contains(pos); }
};

// The trees draw their branches with lines and +/- boxes; everything else
// keeps the application's style.
class BranchLineStyle : public QProxyStyle
{
public:
    BranchLineStyle() : lines_(QStyleFactory::create(QStringLiteral("Windows"))) {}
    ~BranchLineStyle() override { delete lines_; }

    void drawPrimitive(PrimitiveElement element, const QStyleOption* option, QPainter* painter,
                       const QWidget* widget) const override
    {
        if (element == PE_IndicatorBranch && lines_)
            lines_->drawPrimitive(element, option, painter, widget);
        else
            QProxyStyle::drawPrimitive(element, option, painter, widget);
    }

private:
    QStyle* lines_;
};

QLabel* MakeLabel(QWidget* parent, const QString& name, const DialogUnits& du, int x, int y, int w, int h,
                  Qt::Alignment alignment = Qt::AlignLeft)
{
    auto* label = new QLabel(parent);
    label->setObjectName(name);
    label->setAlignment(alignment | Qt::AlignVCenter);
    label->setWordWrap(false);
    du.Place(label, x, y, w, h);
    return label;
}

QPushButton* MakeButton(QWidget* parent, const QString& name, const DialogUnits& du, int x, int y, int w,
                        int h)
{
    auto* button = new QPushButton(parent);
    button->setObjectName(name);
    // No button is pressed by Return (see CMainDlg::eventFilter).
    button->setAutoDefault(false);
    button->setDefault(false);
    du.Place(button, x, y, w, h);
    return button;
}

} // namespace

void CMainDlg::CreateControls()
{
    setWindowTitle(Q(Caption::MainWindowTitle));
    QIcon icon;
    icon.addFile(QStringLiteral(":/tessaro-48.png"));
    icon.addFile(QStringLiteral(":/tessaro-256.png"));
    setWindowIcon(icon);
    // A main window with caption, close box, minimize and maximize box; it
    // grows (MakeResizable) but not below the size of this layout.
    setWindowFlags(Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                   Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint | Qt::WindowCloseButtonHint);

    const DialogUnits du(*this);

    // Created in tab order.
    MakeLabel(this, QStringLiteral("keyboardLabel"), du, 5, 3, 37, 8)
        ->setText(QString::fromLatin1(kKeyboardLabel));
    modelLabel_ = MakeLabel(this, QStringLiteral("modelLabel"), du, 42, 2, 36, 11);
    versionLine_ = MakeLabel(this, QStringLiteral("versionLine"), du, 165, 3, 290, 8, Qt::AlignRight);

    backupStructure_ = new LeftTextCheckBox(this);
    backupStructure_->setObjectName(QStringLiteral("backupStructure"));
    du.Place(backupStructure_, 3, 16, kOptionWidth, 10);
    noNetwork_ = new LeftTextCheckBox(this);
    noNetwork_->setObjectName(QStringLiteral("noNetwork"));
    du.Place(noNetwork_, 3, 28, kOptionWidth, 10);

    auto* group = new QGroupBox(QString::fromLatin1(kFlashStylesGroup), this);
    group->setObjectName(QStringLiteral("flashStylesGroup"));
    du.Place(group, 109, 12, 349, 25);
    flashStyles_ = new QButtonGroup(this);
    const struct
    {
        const char* name;
        const char* caption;
        int x, width, mode;
    } radios[] = {{"factory", kFactory, 114, 39, kFlashFactory},
                  {"default", kDefault, 158, 39, kFlashDefault},
                  {"individual", kIndividual, 201, 48, kFlashIndividual}};
    for (const auto& r : radios) {
        auto* radio = new QRadioButton(QString::fromLatin1(r.caption), this);
        radio->setObjectName(QString::fromLatin1(r.name));
        du.Place(radio, r.x, 22, r.width, 10);
        flashStyles_->addButton(radio, r.mode);
    }
    flashStyleFileLabel_ = MakeLabel(this, QStringLiteral("flashStyleFile"), du, 249, 21, 204, 11);

    for (PaneId id : kPaneIds)
        CreatePaneControls(id);
    CreateEditColumn();

    Controls(PaneId::Mdb).count = MakeLabel(this, QStringLiteral("mdbCount"), du, 194, 359, 29, 11);
    Controls(PaneId::Archive).count =
        MakeLabel(this, QStringLiteral("archiveCount"), du, 239, 359, 29, 11, Qt::AlignRight);
    // Beside the trees: a blank keeps the numbers off their frames.
    for (const PaneControls& pane : panes_)
        pane.count->setIndent(pane.count->fontMetrics().horizontalAdvance(QLatin1Char(' ')));

    resize(du.Size(462, 373));
    SetCaptions();
    FitWidthToCaptions();
}

void CMainDlg::FitWidthToCaptions()
{
    // Every caption a control can show, in both languages; a control not
    // named here keeps the text it was given.
    std::map<const QWidget*, QStringList> captions = {
        {backupStructure_, BothLanguages({Caption::BackupStructureOption})},
        {noNetwork_, BothLanguages({Caption::NoNetworkOption})},
        {newCategory_, BothLanguages({Caption::NewCategory})},
        {edit_, BothLanguages({Caption::Edit})},
        {mainEntry_, BothLanguages({Caption::MainEntry, Caption::SubEntry})},
        {copy_, BothLanguages({Caption::Copy, Caption::CopyToArchive, Caption::CopyToMdb})},
        {move_, BothLanguages({Caption::Move, Caption::MoveToArchive, Caption::MoveToMdb})},
        {up_, BothLanguages({Caption::Up})},
        {down_, BothLanguages({Caption::Down})},
        {delete_, BothLanguages({Caption::Delete})},
        {search_, BothLanguages({Caption::Search})},
        {protocolFormatted_, BothLanguages({Caption::ProtocolFormatted})},
        {protocolTabs_, BothLanguages({Caption::ProtocolTabs})},
        {help_, BothLanguages({Caption::Help})},
        {exit_, BothLanguages({Caption::Exit})},
        {versionLine_, {VersionLine(false), VersionLine(true)}},
    };
    for (const PaneControls& pane : panes_) {
        captions[pane.newFile] = BothLanguages({Caption::New});
        captions[pane.open] = BothLanguages({Caption::Open});
        captions[pane.save] = BothLanguages({Caption::Save});
        captions[pane.saveAs] = BothLanguages({Caption::SaveAs});
        captions[pane.close] = BothLanguages({Caption::Close});
    }

    // The layout was drawn for a narrower font: where a caption needs more
    // room than its control has, the whole window grows sideways in proportion.
    double factor = 1.0;
    for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        QStringList texts;
        if (const auto found = captions.find(child); found != captions.end())
            texts = found->second;
        else if (const auto* label = qobject_cast<QLabel*>(child))
            texts << label->text();
        else if (const auto* button = qobject_cast<QAbstractButton*>(child))
            texts << button->text();
        for (const QString& text : std::as_const(texts))
            factor = std::max(factor, double(CaptionWidth(*child, text)) / std::max(1, child->width()));
    }
    if (factor == 1.0)
        return;
    const auto stretched = [factor](int x) { return int(std::lround(x * factor)); };
    for (QWidget* child : findChildren<QWidget*>(Qt::FindDirectChildrenOnly)) {
        const QRect box = child->geometry();
        const int left = stretched(box.x());
        child->setGeometry(left, box.y(), stretched(box.x() + box.width()) - left, box.height());
    }
    resize(stretched(width()), height());
}

void CMainDlg::CreatePaneControls(PaneId id)
{
    const DialogUnits du(*this);
    struct Box
    {
        int x, y, w, h;
    };
    // Each pane's object-name suffix, its label (the same in both languages)
    // and the boxes of the label, New, Open, Save, Save As, Close, the
    // recent-file list and the tree.
    const struct
    {
        const char* suffix;
        const char* label;
        Box box[8];
    } layouts[] = {{"Mdb",
                    "MDB:",
                    {{4, 44, 19, 8},
                     {26, 41, 36, 14},
                     {65, 41, 36, 14},
                     {104, 41, 38, 14},
                     {145, 41, 40, 14},
                     {188, 41, 38, 14},
                     {3, 58, 224, 81},
                     {3, 73, 190, 297}}},
                   {"Archive",
                    "Archive:",
                    {{234, 45, 27, 8},
                     {262, 41, 36, 14},
                     {300, 41, 36, 14},
                     {338, 41, 38, 14},
                     {378, 41, 40, 14},
                     {420, 41, 38, 14},
                     {235, 58, 224, 81},
                     {269, 73, 190, 297}}}};
    const auto& layout = layouts[PaneIndex(id)];
    const Box* box = layout.box;
    const auto name = [&](const char* command) {
        return QString::fromLatin1(command) + QString::fromLatin1(layout.suffix);
    };
    PaneControls& pane = Controls(id);

    MakeLabel(this, name("label"), du, box[0].x, box[0].y, box[0].w, box[0].h)
        ->setText(QString::fromLatin1(layout.label));
    QPushButton** buttons[5] = {&pane.newFile, &pane.open, &pane.save, &pane.saveAs, &pane.close};
    const char* buttonNames[5] = {"new", "open", "save", "saveAs", "close"};
    for (int i = 0; i < 5; ++i)
        *buttons[i] = MakeButton(this, name(buttonNames[i]), du, box[i + 1].x, box[i + 1].y, box[i + 1].w,
                                 box[i + 1].h);

    // The height in the layout is the list when dropped; closed it is as high as the style makes it.
    pane.recent = new QComboBox(this);
    pane.recent->setObjectName(name("recent"));
    pane.recent->setMaxVisibleItems(kRecentFileCount);
    const QRect list = du.Rect(box[6].x, box[6].y, box[6].w, box[6].h);
    pane.recent->setGeometry(list.x(), list.y(), list.width(), pane.recent->sizeHint().height());

    pane.tree = new CategoryTreeView(this);
    pane.tree->setObjectName(name("tree"));
    du.Place(pane.tree, box[7].x, box[7].y, box[7].w, box[7].h);
    pane.tree->setHeaderHidden(true);
    pane.tree->setRootIsDecorated(true);
    pane.tree->setItemsExpandable(true);
    pane.tree->setExpandsOnDoubleClick(true);
    pane.tree->setUniformRowHeights(true); // archives may hold 100,000 entries
    pane.tree->setEditTriggers(QAbstractItemView::NoEditTriggers);
    pane.tree->setHorizontalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    auto* lines = new BranchLineStyle;
    lines->setParent(pane.tree);
    pane.tree->setStyle(lines);
    // The label columns line up only in a fixed-pitch font, a point smaller than
    // the window's text so that a whole label usually fits; a longer one scrolls
    // sideways rather than being cut short.
    QFont fixed = QFontDatabase::systemFont(QFontDatabase::FixedFont);
    if (font().pointSizeF() > 0)
        fixed.setPointSizeF(font().pointSizeF() - 1);
    pane.tree->setFont(fixed);
    pane.tree->setIndentation(16);
    pane.tree->header()->setStretchLastSection(false);
    pane.tree->header()->setSectionResizeMode(QHeaderView::ResizeToContents);

    pane.model = new CategoryTreeModel(state_.Pane(id).tree, this);
    new TreeViewSync(*pane.tree, *pane.model);
}

void CMainDlg::CreateEditColumn()
{
    const DialogUnits du(*this);
    const struct
    {
        const char* name;
        QPushButton** button;
    } column[] = {{"undo", &undo_},
                  {"redo", &redo_},
                  {"newCategory", &newCategory_},
                  {"edit", &edit_},
                  {"mainEntry", &mainEntry_},
                  {"copy", &copy_},
                  {"move", &move_},
                  {"up", &up_},
                  {"down", &down_},
                  {"delete", &delete_},
                  {"search", &search_},
                  {"protocolFormatted", &protocolFormatted_},
                  {"protocolTabs", &protocolTabs_},
                  {"help", &help_},
                  {"exit", &exit_}};
    int y = 74; // then every 19 units down to Exit at 340
    for (const auto& c : column) {
        *c.button = MakeButton(this, QString::fromLatin1(c.name), du, 198, y, 66, 16);
        y += 19;
    }
    editColumn_ = {undo_, redo_, newCategory_, edit_,   mainEntry_,         copy_,        move_,
                   up_,   down_, delete_,      search_, protocolFormatted_, protocolTabs_};
}

void CMainDlg::SetCaptions()
{
    versionLine_->setText(VersionLine(IsGerman()));
    backupStructure_->setText(Q(Caption::BackupStructureOption));
    noNetwork_->setText(Q(Caption::NoNetworkOption));
    for (PaneControls& pane : panes_) {
        pane.newFile->setText(Q(Caption::New));
        pane.open->setText(Q(Caption::Open));
        pane.save->setText(Q(Caption::Save));
        pane.saveAs->setText(Q(Caption::SaveAs));
        pane.close->setText(Q(Caption::Close));
    }
    undo_->setText(Q(Caption::Undo));
    redo_->setText(Q(Caption::Redo));
    newCategory_->setText(Q(Caption::NewCategory));
    edit_->setText(Q(Caption::Edit));
    mainEntry_->setText(Q(Caption::MainEntry));
    copy_->setText(Q(Caption::Copy));
    move_->setText(Q(Caption::Move));
    up_->setText(Q(Caption::Up));
    down_->setText(Q(Caption::Down));
    delete_->setText(Q(Caption::Delete));
    search_->setText(Q(Caption::Search));
    protocolFormatted_->setText(Q(Caption::ProtocolFormatted));
    protocolTabs_->setText(Q(Caption::ProtocolTabs));
    help_->setText(Q(Caption::Help));
    exit_->setText(Q(Caption::Exit));
}

} // namespace tessaro
