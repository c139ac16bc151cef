#include "catalogue/qt/CEntryDlg.h"

#include "catalogue/EntryRanges.h"
#include "catalogue/StyleCatalogue.h"
#include "catalogue/qt/CCatalogueCombo.h"
#include "catalogue/qt/FieldCheck.h"
#include "catalogue/qt/RecordText.h"
#include "catalogue/qt/SpinEdit.h"
#include "catalogue/qt/Win1252Validator.h"
#include "common/Prompts.h"
#include "common/Texts.h"
#include "common/qt/DialogUnits.h"
#include "common/qt/TextFit.h"
#include "data/ReadableName.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>

#include <algorithm>
#include <utility>

namespace tessaro {

namespace {

// Layout in dialog units. The names across the top; below them the left
// column with "Main" and "Voices" and the right column with "Accompaniment"
// (lower than the left, as the names take more than the left column's width);
// OK and Cancel at the bottom.
constexpr int kDialogWidth = 481;
constexpr int kDialogHeight = 229;
constexpr int kRowHeight = 12;    // edits and lists
constexpr int kVoiceRowTop = 106; // first of R1, R2, R3, Left
constexpr int kVoiceRowPitch = 19;
constexpr int kPartRowTop = 47; // first of Rhy1 .. Phr2
constexpr int kPartRowPitch = 19;

QString Q(const std::string& utf8)
{
    return QString::fromStdString(utf8);
}

QLabel* MakeLabel(QWidget* parent, const DialogUnits& du, const QString& text, int x, int y, int w)
{
    auto* label = new QLabel(text, parent);
    du.Place(label, x, y, w, 8);
    return label;
}

QCheckBox* MakeCheck(QWidget* parent, const DialogUnits& du, const char* name, const QString& text, int x,
                     int y, int w)
{
    auto* box = new QCheckBox(text, parent);
    box->setObjectName(QLatin1String(name));
    du.Place(box, x, y, w, 10);
    return box;
}

SpinEdit* MakeSpin(QWidget* parent, const DialogUnits& du, const char* name, int x, int y, int w, int maximum,
                   int minimum = 0)
{
    auto* spin = new SpinEdit(parent);
    spin->setObjectName(QLatin1String(name));
    spin->SetRange(minimum, maximum);
    du.Place(spin, x, y, w, kRowHeight);
    return spin;
}

// A list is as high as its selection field; it is centred on its row.
CCatalogueCombo* MakeList(QWidget* parent, const DialogUnits& du, const char* name, int x, int y, int w)
{
    auto* list = new CCatalogueCombo(parent);
    list->setObjectName(QLatin1String(name));
    const QRect row = du.Rect(x, y, w, kRowHeight);
    const int height = list->sizeHint().height();
    list->setGeometry(row.x(), row.y() + (row.height() - height) / 2, row.width(), height);
    return list;
}

void MakeGroup(QWidget* parent, const DialogUnits& du, const char* title, int x, int y, int w, int h)
{
    auto* group = new QGroupBox(QLatin1String(title), parent);
    du.Place(group, x, y, w, h);
}

} // namespace

CEntryDlg::CEntryDlg(MdbEntry& entry, int keyboardModel, const StyleCatalogue& styles, Prompts& prompts,
                     QWidget* parent)
    : QDialog(parent), entry_(entry), styles_(styles), prompts_(prompts)
{
    voiceContext_.keyboardModel = keyboardModel;
    setWindowTitle(Q(Tr(Caption::EntryDlgTitle)));
    const DialogUnits du(*this);
    CreateControls(du);
    const int nameRowEnd = title_->geometry().right() + du.X(7);
    setFixedSize(std::max(du.X(kDialogWidth), nameRowEnd), du.Y(kDialogHeight));

    LoadFromRecord();
    EnableVoiceLists();
    EnableVolumeEdits();
    ShowMembers();
    category_->setFocus(Qt::OtherFocusReason);
}

CEntryDlg::~CEntryDlg() = default;

void CEntryDlg::CreateControls(const DialogUnits& du)
{
    // Group boxes first, so the controls drawn on them stay on top.
    MakeGroup(this, du, "Main", 7, 24, 210, 66);
    MakeGroup(this, du, "Voices", 7, 94, 210, 108);
    MakeGroup(this, du, "Accompaniment", 224, 23, 250, 179);

    // Only these captions have German twins.
    categoryLabel_ = MakeLabel(this, du, Q(Tr(Caption::CategoryLabel)), 7, 9, 40);
    category_ = new QLineEdit(this);
    category_->setObjectName(QStringLiteral("category"));
    LimitToRecordText(category_, kEntryTextMaxChars);
    titleLabel_ = MakeLabel(this, du, Q(Tr(Caption::TitleLabel)), 7, 9, 24);
    title_ = new QLineEdit(this);
    title_->setObjectName(QStringLiteral("title"));
    LimitToRecordText(title_, kEntryTextMaxChars);
    categoryLabel_->setBuddy(category_);
    titleLabel_->setBuddy(title_);
    // Left to right, each label as wide as its caption and each field wide
    // enough for 16 of the widest letters.
    const QString widest(kEntryTextMaxChars, QLatin1Char('W'));
    const QRect fieldRow = du.Rect(7, 7, 0, kRowHeight);
    int x = fieldRow.x();
    for (const auto& [label, field] :
         {std::pair{categoryLabel_, category_}, std::pair{titleLabel_, title_}}) {
        label->setGeometry(x, label->y(), CaptionWidth(*label, label->text()), label->height());
        x += label->width();
        field->setGeometry(x, fieldRow.y(), FieldWidth(*field, widest), fieldRow.height());
        x += field->width() + du.X(8);
    }

    // Main
    auto* styleLabel = MakeLabel(this, du, QStringLiteral("Style:"), 14, 38, 24);
    style_ = MakeList(this, du, "style", 40, 36, 170);
    FitLabelBeside(*styleLabel, *style_);
    auto* tempoLabel = MakeLabel(this, du, QStringLiteral("Tempo:"), 14, 56, 26);
    tempo_ = MakeSpin(this, du, "tempo", 40, 54, 38, kTempoMax, kTempoMin);
    FitLabelBeside(*tempoLabel, *tempo_);
    syncStart_ = MakeCheck(this, du, "syncStart", QStringLiteral("Sync Start"), 90, 55, 55);
    stopAccompaniment_ = MakeCheck(this, du, "stopAccompaniment", QStringLiteral("Stop Acc."), 150, 55, 55);
    variation_ = new QButtonGroup(this);
    variation_->setExclusive(true);
    const char* const variationNames[] = {"variationA", "variationB", "variationC", "variationD"};
    for (int v = 0; v < 4; ++v) {
        auto* radio = new QRadioButton(QString(QChar(u'A' + v)), this);
        radio->setObjectName(QLatin1String(variationNames[v]));
        du.Place(radio, 40 + 24 * v, 73, 22, 10);
        variation_->addButton(radio, v);
    }
    auto* mainVolumeLabel = MakeLabel(this, du, QStringLiteral("Main Vol.:"), 140, 74, 34);
    mainVolume_ = MakeSpin(this, du, "mainVolume", 176, 72, 34, kVolumeMax);
    FitLabelBeside(*mainVolumeLabel, *mainVolume_);

    // Voices
    CreateHandRow(du, HandVoice::R1, "r1", "R1:", kVoiceRowTop);
    CreateHandRow(du, HandVoice::R2, "r2", "R2:", kVoiceRowTop + kVoiceRowPitch);
    CreateHandRow(du, HandVoice::R3, "r3", "R3:", kVoiceRowTop + 2 * kVoiceRowPitch);
    CreateHandRow(du, HandVoice::Left, "left", "Left:", kVoiceRowTop + 3 * kVoiceRowPitch);
    hold_ = MakeCheck(this, du, "hold", QStringLiteral("Hold"), 46, kVoiceRowTop + 4 * kVoiceRowPitch, 40);

    // Accompaniment
    MakeLabel(this, du, QStringLiteral("On/Off"), 231, 35, 32);
    MakeLabel(this, du, QStringLiteral("Set"), 264, 35, 16);
    MakeLabel(this, du, QStringLiteral("Voice"), 282, 35, 40);
    MakeLabel(this, du, QStringLiteral("Set"), 418, 35, 16);
    MakeLabel(this, du, QStringLiteral("Vol."), 434, 35, 30);
    const struct
    {
        Part part;
        const char* name;
        const char* caption;
    } rows[] = {{Part::Rhy1, "rhy1", "Rhy1:"}, {Part::Rhy2, "rhy2", "Rhy2:"}, {Part::Bass, "bass", "Bass:"},
                {Part::Chd1, "chd1", "Chd1:"}, {Part::Chd2, "chd2", "Chd2:"}, {Part::Pad, "pad", "Pad:"},
                {Part::Phr1, "phr1", "Phr1:"}, {Part::Phr2, "phr2", "Phr2:"}};
    int y = kPartRowTop;
    for (const auto& row : rows) {
        CreatePartRow(du, row.part, row.name, row.caption, y);
        y += kPartRowPitch;
    }

    ok_ = new QPushButton(QStringLiteral("OK"), this);
    ok_->setDefault(true);
    du.Place(ok_, 364, 208, 50, 14);
    cancel_ = new QPushButton(Q(Tr(Caption::Cancel)), this);
    du.Place(cancel_, 424, 208, 50, 14);
    connect(ok_, &QPushButton::clicked, this, &CEntryDlg::accept);
    connect(cancel_, &QPushButton::clicked, this, &CEntryDlg::reject);
}

void CEntryDlg::CreateHandRow(const DialogUnits& du, HandVoice hand, const char* name, const char* caption,
                              int y)
{
    const std::string base(name);
    HandControls& row = hands_[static_cast<int>(hand)];
    row.on = MakeCheck(this, du, (base + "On").c_str(), QLatin1String(caption), 14, y + 1, 30);
    row.voice = MakeList(this, du, (base + "Voice").c_str(), 46, y, 126);
    row.volume = MakeSpin(this, du, (base + "Volume").c_str(), 176, y, 34, kVolumeMax);
}

void CEntryDlg::CreatePartRow(const DialogUnits& du, Part part, const char* name, const char* caption, int y)
{
    const std::string base(name);
    PartControls& row = parts_[static_cast<int>(part)];
    row.on = MakeCheck(this, du, (base + "On").c_str(), QLatin1String(caption), 231, y + 1, 32);
    row.voiceSet = MakeCheck(this, du, (base + "VoiceSet").c_str(), QString(), 266, y + 1, 10);
    row.voice = MakeList(this, du, (base + "Voice").c_str(), 282, y, 132);
    row.volumeSet = MakeCheck(this, du, (base + "VolumeSet").c_str(), QString(), 420, y + 1, 10);
    row.volume = MakeSpin(this, du, (base + "Volume").c_str(), 434, y, 34, kVolumeMax);
    connect(row.voiceSet, &QCheckBox::clicked, this, &CEntryDlg::OnVoiceSetClicked);
    connect(row.volumeSet, &QCheckBox::clicked, this, &CEntryDlg::OnVolumeSetClicked);
}

void CEntryDlg::LoadFromRecord()
{
    Members& m = members_;
    m.category = FromRecordText(ReadableName(entry_.GetCategory()));
    m.title = FromRecordText(ReadableName(entry_.GetTitle()));

    style_->RemoveAllRows();
    style_->SetTextCallback(&StyleCatalogue::StyleRowText, &styles_, -1, -3);
    style_->ReserveRows(kStyleListRows);
    for (int row = 0; row < kStyleListRows; ++row)
        style_->AddEmptyRow();              // a refused row is left out
    style_->SelectRow(entry_.styleIndex()); // a disk style beyond the list selects nothing

    m.tempo = entry_.tempo();
    m.syncStart = entry_.syncStart();
    m.stopAccompaniment = entry_.stopAccompaniment();
    const int variation = entry_.variation() - kVariationFirstByte;
    m.variation = IsEditorVariation(entry_.variation()) ? variation : -1;

    for (const HandVoice hand : {HandVoice::R1, HandVoice::R2, HandVoice::R3, HandVoice::Left}) {
        const int h = static_cast<int>(hand);
        m.hands[h].on = entry_.voiceOn(hand);
        VoiceCatalogue::FillVoiceList(*hands_[h].voice, entry_.voice(hand).Packed(), voiceContext_, prompts_);
        m.hands[h].volume = entry_.voiceVolume(hand);
    }
    m.hold = entry_.leftHold();
    m.mainVolume = entry_.mainVolume();

    for (int p = 0; p < kPartCount; ++p) {
        const Part part = static_cast<Part>(p);
        m.parts[p].on = entry_.partOn(part);
        m.parts[p].voiceSet = entry_.partVoiceSet(part);
        VoiceCatalogue::FillVoiceList(*parts_[p].voice, entry_.partVoice(part).Packed(), voiceContext_,
                                      prompts_);
        m.parts[p].volumeSet = entry_.partVolumeSet(part);
        m.parts[p].volume = entry_.partVolume(part);
    }
}

void CEntryDlg::ShowMembers()
{
    const Members& m = members_;
    category_->setText(m.category);
    title_->setText(m.title);
    tempo_->SetValue(m.tempo);
    syncStart_->setChecked(m.syncStart);
    stopAccompaniment_->setChecked(m.stopAccompaniment);
    if (QAbstractButton* button = variation_->button(m.variation))
        button->setChecked(true);
    mainVolume_->SetValue(m.mainVolume);
    for (int h = 0; h < kHandVoiceCount; ++h) {
        hands_[h].on->setChecked(m.hands[h].on);
        hands_[h].volume->SetValue(m.hands[h].volume);
    }
    hold_->setChecked(m.hold);
    for (int p = 0; p < kPartCount; ++p) {
        parts_[p].on->setChecked(m.parts[p].on);
        parts_[p].voiceSet->setChecked(m.parts[p].voiceSet);
        parts_[p].volumeSet->setChecked(m.parts[p].volumeSet);
        parts_[p].volume->SetValue(m.parts[p].volume);
    }
}

bool CEntryDlg::TakeControls()
{
    FieldCheck check(prompts_);
    Members& m = members_;
    const auto volumeOf = [&](SpinEdit* edit, int& value) {
        return check.WholeNumber(edit, 0, kVolumeMax, value);
    };
    const auto part = [&](Part p) -> PartMembers& { return m.parts[static_cast<int>(p)]; };
    const auto partControls = [&](Part p) -> PartControls& { return parts_[static_cast<int>(p)]; };
    const auto takePart = [&](Part p) {
        part(p).on = partControls(p).on->isChecked();
        return volumeOf(partControls(p).volume, part(p).volume);
    };
    const auto takeHand = [&](HandVoice h) {
        const int i = static_cast<int>(h);
        m.hands[i].on = hands_[i].on->isChecked();
        return volumeOf(hands_[i].volume, m.hands[i].volume);
    };

    // The order is the one the record's fields were always checked in: a bad
    // volume stops the taking before the "Set" boxes are reached.
    if (!check.MaxChars(category_, kEntryTextMaxChars, m.category) ||
        !check.MaxChars(title_, kEntryTextMaxChars, m.title))
        return false;
    if (!check.WholeNumber(tempo_, kTempoMin, kTempoMax, m.tempo))
        return false;
    m.variation = variation_->checkedId();
    if (!volumeOf(mainVolume_, m.mainVolume))
        return false;
    if (!takePart(Part::Bass) || !takePart(Part::Chd1) || !takePart(Part::Chd2))
        return false;
    const int left = static_cast<int>(HandVoice::Left);
    m.hands[left].on = hands_[left].on->isChecked();
    m.hold = hold_->isChecked();
    if (!volumeOf(hands_[left].volume, m.hands[left].volume))
        return false;
    if (!takePart(Part::Pad))
        return false;
    part(Part::Phr1).on = partControls(Part::Phr1).on->isChecked();
    part(Part::Phr2).on = partControls(Part::Phr2).on->isChecked();
    if (!volumeOf(partControls(Part::Phr2).volume, part(Part::Phr2).volume) ||
        !volumeOf(partControls(Part::Phr1).volume, part(Part::Phr1).volume))
        return false;
    if (!takeHand(HandVoice::R1) || !takeHand(HandVoice::R2) || !takeHand(HandVoice::R3))
        return false;
    if (!takePart(Part::Rhy1) || !takePart(Part::Rhy2))
        return false;
    m.syncStart = syncStart_->isChecked();
    for (int p = 0; p < kPartCount; ++p)
        m.parts[p].volumeSet = parts_[p].volumeSet->isChecked();
    for (int p = 0; p < kPartCount; ++p)
        m.parts[p].voiceSet = parts_[p].voiceSet->isChecked();
    m.stopAccompaniment = stopAccompaniment_->isChecked();
    return true;
}

void CEntryDlg::EnableVoiceLists()
{
    for (int p = 0; p < kPartCount; ++p)
        parts_[p].voice->setEnabled(members_.parts[p].voiceSet);
}

void CEntryDlg::EnableVolumeEdits()
{
    for (int p = 0; p < kPartCount; ++p)
        parts_[p].volume->SetEditEnabled(members_.parts[p].volumeSet);
}

void CEntryDlg::OnVoiceSetClicked()
{
    TakeControls(); // a failure has shown its prompt; the lists follow what was taken
    EnableVoiceLists();
}

void CEntryDlg::OnVolumeSetClicked()
{
    TakeControls();
    EnableVolumeEdits();
}

void CEntryDlg::accept()
{
    if (!TakeControls())
        return;
    if (members_.category.isEmpty()) {
        prompts_.Warn(Msg::CategoryNameEmpty);
        return;
    }
    if (members_.title.isEmpty()) {
        prompts_.Warn(Msg::EntryTitleEmpty);
        return;
    }
    WriteBack();
    QDialog::accept();
}

void CEntryDlg::WriteBack()
{
    const Members& m = members_;
    // A voice is written only from a selected row; otherwise the record keeps its bytes.
    const auto writeVoice = [](const CCatalogueCombo* list, auto&& store) {
        const int row = list->SelectedRow();
        if (row >= 0)
            store(VoiceRef::FromPacked(list->ItemData(row)));
    };

    entry_.SetCategory(StoredNameAfterEdit(entry_.GetCategory(), ToRecordText(m.category)));
    entry_.SetTitle(StoredNameAfterEdit(entry_.GetTitle(), ToRecordText(m.title)));
    if (style_->SelectedRow() >= 0)
        entry_.setStyleIndex(style_->SelectedRow());
    entry_.setTempo(static_cast<uint16_t>(m.tempo));
    entry_.setSyncStart(m.syncStart);
    entry_.setStopAccompaniment(m.stopAccompaniment);
    // Only a record that had a valid variation gets one back.
    const uint8_t variation = entry_.variation();
    if (IsEditorVariation(variation) && m.variation >= 0)
        entry_.setVariation(static_cast<uint8_t>(m.variation + kVariationFirstByte));

    for (const HandVoice hand : {HandVoice::R1, HandVoice::R2, HandVoice::R3, HandVoice::Left}) {
        const int h = static_cast<int>(hand);
        entry_.setVoiceOn(hand, m.hands[h].on);
        writeVoice(hands_[h].voice, [&](VoiceRef voice) { entry_.setVoice(hand, voice); });
        entry_.setVoiceVolume(hand, static_cast<uint8_t>(m.hands[h].volume));
    }
    entry_.setLeftHold(m.hold);
    entry_.setMainVolume(static_cast<uint8_t>(m.mainVolume));

    for (int p = 0; p < kPartCount; ++p) {
        const Part part = static_cast<Part>(p);
        entry_.setPartOn(part, m.parts[p].on);
        entry_.setPartVoiceSet(part, m.parts[p].voiceSet);
        writeVoice(parts_[p].voice, [&](VoiceRef voice) { entry_.setPartVoice(part, voice); });
        entry_.setPartVolumeSet(part, m.parts[p].volumeSet);
        entry_.setPartVolume(part, static_cast<uint8_t>(m.parts[p].volume));
    }
}

} // namespace tessaro
