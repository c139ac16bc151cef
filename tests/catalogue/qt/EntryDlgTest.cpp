// The entry editor: what it shows of a record, what OK writes back, the field
// checks in their order, the two "Set" handlers, and the voice and style lists.

#include "catalogue/VoiceCatalogue.h"
#include "catalogue/qt/CCatalogueCombo.h"
#include "catalogue/qt/CEntryDlg.h"
#include "catalogue/qt/SpinEdit.h"
#include "common/Texts.h"
#include "support/CaptionCheck.h"
#include "support/FakePrompts.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPushButton>
#include <QRadioButton>
#include <QtTest>

using namespace tessaro;

namespace {

const StyleCatalogue styles; // numbered flash names

const char* const kHandNames[] = {"left", "r1", "r2", "r3"}; // HandVoice order
const char* const kPartNames[] = {"rhy1", "rhy2", "bass", "chd1", "chd2", "pad", "phr1", "phr2"};

template <class T> T* Find(const QWidget& dialog, const QString& name)
{
    T* widget = dialog.findChild<T*>(name);
    if (!widget)
        qFatal("no control %s", qPrintable(name));
    return widget;
}

QString Name(const char* base, const char* suffix)
{
    return QLatin1String(base) + QLatin1String(suffix);
}

VoiceRef VoiceOfRow(int row)
{
    return VoiceRef::FromPacked(VoiceCatalogue::GetVoicePacked(row));
}

// Catalogue rows with known voices, none of them PSR-9000pro only.
const int kVoiceRows[] = {1, 11, 29, 56, 67, 129, 163, 214, 233, 245, 297, 330};

// A record with every edited field set, each to a value of its own.
MdbEntry SampleEntry()
{
    MdbEntry e;
    e.SetCategory("Pop");
    e.SetTitle("My Song");
    e.setStyleIndex(62);
    e.setTempo(120);
    e.setVariation(9); // B
    e.setMainVolume(100);
    e.setSyncStart(true);
    e.setStopAccompaniment(false);
    e.setLeftHold(true);
    for (int h = 0; h < kHandVoiceCount; ++h) {
        const auto hand = static_cast<HandVoice>(h);
        e.setVoiceOn(hand, h % 2 == 0);
        e.setVoice(hand, VoiceOfRow(kVoiceRows[h]));
        e.setVoiceVolume(hand, static_cast<uint8_t>(80 + h));
    }
    for (int p = 0; p < kPartCount; ++p) {
        const auto part = static_cast<Part>(p);
        e.setPartOn(part, p % 2 == 1);
        e.setPartVoiceSet(part, p % 3 == 0);
        e.setPartVoice(part, VoiceOfRow(kVoiceRows[4 + p]));
        e.setPartVolumeSet(part, p % 3 == 1);
        e.setPartVolume(part, static_cast<uint8_t>(10 + p));
    }
    return e;
}

// Types the text key by key, beyond Latin-1 too.
void TypeInto(QWidget* widget, const QString& text)
{
    for (const QChar c : text)
        QTest::sendKeyEvent(QTest::Click, widget, Qt::Key_unknown, QString(c), Qt::NoModifier);
}

// The offset of the byte a setter changes in an empty record.
template <class Set> std::size_t OffsetOf(Set set)
{
    MdbEntry blank;
    MdbEntry changed;
    set(changed);
    for (std::size_t i = 0; i < kRecordSize; ++i)
        if (blank.bytes()[i] != changed.bytes()[i])
            return i;
    qFatal("the setter changed nothing");
    return kRecordSize;
}

} // namespace

class EntryDlgTest : public QObject
{
    Q_OBJECT

private slots:
    void init() { SetUiLanguage(UiLanguage::English); }

    void showsEveryFieldOfTheRecord()
    {
        MdbEntry entry = SampleEntry();
        FakePrompts prompts;
        CEntryDlg dialog(entry, 1, styles, prompts);

        QCOMPARE(Find<QLineEdit>(dialog, "category")->text(), QString("Pop"));
        QCOMPARE(Find<QLineEdit>(dialog, "title")->text(), QString("My Song"));
        auto* style = Find<CCatalogueCombo>(dialog, "style");
        QCOMPARE(style->RowCount(), 495);
        QCOMPARE(style->SelectedRow(), 62);
        // Stored with "&&" for one '&'; the lone '&' of "R&B" is a letter of its own.
        QCOMPARE(style->RowText(62), std::string("R && B - Modern R&B"));
        QCOMPARE(style->currentText(), QString("R & B - Modern R&B"));
        QCOMPARE(Find<SpinEdit>(dialog, "tempo")->Text(), QString("120"));
        QVERIFY(Find<QRadioButton>(dialog, "variationB")->isChecked());
        QCOMPARE(Find<SpinEdit>(dialog, "mainVolume")->Text(), QString("100"));
        QVERIFY(Find<QCheckBox>(dialog, "syncStart")->isChecked());
        QVERIFY(!Find<QCheckBox>(dialog, "stopAccompaniment")->isChecked());
        QVERIFY(Find<QCheckBox>(dialog, "hold")->isChecked());
        for (int h = 0; h < kHandVoiceCount; ++h) {
            const char* base = kHandNames[h];
            QCOMPARE(Find<QCheckBox>(dialog, Name(base, "On"))->isChecked(), h % 2 == 0);
            auto* voice = Find<CCatalogueCombo>(dialog, Name(base, "Voice"));
            QCOMPARE(voice->RowCount(), kVoiceCount); // every voice known: no extra row
            QCOMPARE(voice->SelectedRow(), kVoiceRows[h]);
            QVERIFY(voice->isEnabled());
            QCOMPARE(Find<SpinEdit>(dialog, Name(base, "Volume"))->Text(), QString::number(80 + h));
        }
        for (int p = 0; p < kPartCount; ++p) {
            const char* base = kPartNames[p];
            QCOMPARE(Find<QCheckBox>(dialog, Name(base, "On"))->isChecked(), p % 2 == 1);
            QCOMPARE(Find<QCheckBox>(dialog, Name(base, "VoiceSet"))->isChecked(), p % 3 == 0);
            auto* voice = Find<CCatalogueCombo>(dialog, Name(base, "Voice"));
            QCOMPARE(voice->SelectedRow(), kVoiceRows[4 + p]);
            QCOMPARE(voice->isEnabled(), p % 3 == 0); // enabled by its voice "Set"
            QCOMPARE(Find<QCheckBox>(dialog, Name(base, "VolumeSet"))->isChecked(), p % 3 == 1);
            auto* volume = Find<SpinEdit>(dialog, Name(base, "Volume"));
            QCOMPARE(volume->Text(), QString::number(10 + p));
            QCOMPARE(volume->IsEditEnabled(), p % 3 == 1); // enabled by its volume "Set"
        }
        QVERIFY(prompts.messages.empty());
    }

    void okWithoutChangesKeepsTheRecord()
    {
        const MdbEntry original = SampleEntry();
        MdbEntry entry = original;
        FakePrompts prompts;
        CEntryDlg dialog(entry, 2, styles, prompts);
        dialog.accept();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QVERIFY(prompts.messages.empty());
        QVERIFY(entry == original);
    }

    void okWritesEveryChangedField()
    {
        MdbEntry entry = SampleEntry();
        const MdbEntry original = entry;
        FakePrompts prompts;
        CEntryDlg dialog(entry, 2, styles, prompts);

        Find<QLineEdit>(dialog, "category")->setText(QString::fromUtf8("Rock ä€"));
        Find<QLineEdit>(dialog, "title")->setText("Other");
        Find<CCatalogueCombo>(dialog, "style")->setCurrentIndex(300); // disk style 56
        Find<SpinEdit>(dialog, "tempo")->SetText("250");
        Find<QRadioButton>(dialog, "variationD")->setChecked(true);
        Find<SpinEdit>(dialog, "mainVolume")->SetText("7");
        Find<QCheckBox>(dialog, "syncStart")->setChecked(false);
        Find<QCheckBox>(dialog, "stopAccompaniment")->setChecked(true);
        Find<QCheckBox>(dialog, "hold")->setChecked(false);
        for (int h = 0; h < kHandVoiceCount; ++h) {
            const char* base = kHandNames[h];
            Find<QCheckBox>(dialog, Name(base, "On"))->setChecked(h % 2 == 1);
            Find<CCatalogueCombo>(dialog, Name(base, "Voice"))->setCurrentIndex(400 + h);
            Find<SpinEdit>(dialog, Name(base, "Volume"))->SetText(QString::number(120 + h));
        }
        for (int p = 0; p < kPartCount; ++p) {
            const char* base = kPartNames[p];
            Find<QCheckBox>(dialog, Name(base, "On"))->setChecked(p % 2 == 0);
            Find<QCheckBox>(dialog, Name(base, "VoiceSet"))->setChecked(p % 3 != 0);
            Find<CCatalogueCombo>(dialog, Name(base, "Voice"))->setCurrentIndex(838 + p);
            Find<QCheckBox>(dialog, Name(base, "VolumeSet"))->setChecked(p % 3 != 1);
            Find<SpinEdit>(dialog, Name(base, "Volume"))->SetText(QString::number(30 + p));
        }
        dialog.accept();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QVERIFY(prompts.messages.empty());

        QCOMPARE(entry.GetCategory(), std::string("Rock \xE4\x80"));
        QCOMPARE(entry.GetTitle(), std::string("Other"));
        QCOMPARE(int(entry.styleNumber()), 245);
        QCOMPARE(int(entry.bytes()[kInUseOffset]), int(original.bytes()[kInUseOffset]));
        QCOMPARE(int(entry.diskStyleNumber()), 55);
        QCOMPARE(entry.styleIndex(), 300);
        QCOMPARE(int(entry.tempo()), 250);
        QCOMPARE(int(entry.variation()), 11);
        QCOMPARE(int(entry.mainVolume()), 7);
        QVERIFY(!entry.syncStart());
        QVERIFY(entry.stopAccompaniment());
        QVERIFY(!entry.leftHold());
        for (int h = 0; h < kHandVoiceCount; ++h) {
            const auto hand = static_cast<HandVoice>(h);
            QCOMPARE(entry.voiceOn(hand), h % 2 == 1);
            QVERIFY(entry.voice(hand) == VoiceOfRow(400 + h));
            QCOMPARE(int(entry.voiceVolume(hand)), 120 + h);
        }
        for (int p = 0; p < kPartCount; ++p) {
            const auto part = static_cast<Part>(p);
            QCOMPARE(entry.partOn(part), p % 2 == 0);
            QCOMPARE(entry.partVoiceSet(part), p % 3 != 0);
            QVERIFY(entry.partVoice(part) == VoiceOfRow(838 + p));
            QCOMPARE(entry.partVolumeSet(part), p % 3 != 1);
            QCOMPARE(int(entry.partVolume(part)), 30 + p);
        }
    }

    // Flags come back in their stored form: "on" as 127, Stop Acc. as 0xFF / 0x80.
    // Names show one '&' for a stored "&&"; left as shown they keep their
    // bytes, changed they are stored as typed.
    void namesShowAsTheyReadAndKeepTheirBytes()
    {
        MdbEntry entry = SampleEntry();
        entry.SetCategory("Rock&&Roll");
        entry.SetTitle("Tom && Jerry");
        const MdbEntry original = entry;
        FakePrompts prompts;
        {
            CEntryDlg dialog(entry, 1, styles, prompts);
            QCOMPARE(Find<QLineEdit>(dialog, "category")->text(), QString("Rock&Roll"));
            QCOMPARE(Find<QLineEdit>(dialog, "title")->text(), QString("Tom & Jerry"));
            dialog.accept();
            QCOMPARE(dialog.result(), int(QDialog::Accepted));
            QVERIFY(entry == original);
        }
        CEntryDlg dialog(entry, 1, styles, prompts);
        Find<QLineEdit>(dialog, "title")->setText("Tom & Jerry 2");
        dialog.accept();
        QCOMPARE(entry.GetTitle(), std::string("Tom & Jerry 2"));
        QCOMPARE(entry.GetCategory(), std::string("Rock&&Roll"));
    }

    void flagsAreWrittenInTheirStoredForm()
    {
        MdbEntry entry = SampleEntry();
        const std::size_t stopOffset = OffsetOf([](MdbEntry& e) { e.setStopAccompaniment(true); });
        const std::size_t r2OnOffset = OffsetOf([](MdbEntry& e) { e.setVoiceOn(HandVoice::R2, true); });
        entry.bytes()[stopOffset] = 0x00;
        entry.bytes()[r2OnOffset] = 5;
        FakePrompts prompts;
        CEntryDlg dialog(entry, 1, styles, prompts);
        QVERIFY(!Find<QCheckBox>(dialog, "stopAccompaniment")->isChecked());
        QVERIFY(Find<QCheckBox>(dialog, "r2On")->isChecked());
        dialog.accept();
        QCOMPARE(int(entry.bytes()[stopOffset]), 0x80);
        QCOMPARE(int(entry.bytes()[r2OnOffset]), 127);
    }

    void cancelAndEscapeLeaveTheRecordUntouched()
    {
        const MdbEntry original = SampleEntry();
        MdbEntry entry = original;
        FakePrompts prompts;
        {
            CEntryDlg dialog(entry, 1, styles, prompts);
            Find<QLineEdit>(dialog, "title")->setText("Changed");
            Find<SpinEdit>(dialog, "tempo")->SetText("99");
            const auto buttons = dialog.findChildren<QPushButton*>();
            QPushButton* cancel = nullptr;
            for (QPushButton* b : buttons)
                if (b->text() == "Cancel")
                    cancel = b;
            QVERIFY(cancel);
            cancel->click();
            QCOMPARE(dialog.result(), int(QDialog::Rejected));
        }
        QVERIFY(entry == original);
        {
            CEntryDlg dialog(entry, 1, styles, prompts);
            dialog.show();
            QVERIFY(QTest::qWaitForWindowExposed(&dialog));
            Find<SpinEdit>(dialog, "mainVolume")->SetText("5");
            QTest::keyClick(&dialog, Qt::Key_Escape);
            QCOMPARE(dialog.result(), int(QDialog::Rejected));
            QVERIFY(!dialog.isVisible());
        }
        QVERIFY(entry == original);
        QVERIFY(prompts.messages.empty());
    }

    void outOfRangeValuesAreShownAndRefused()
    {
        MdbEntry entry = SampleEntry();
        entry.setTempo(300);
        const MdbEntry original = entry;
        FakePrompts prompts;
        CEntryDlg dialog(entry, 1, styles, prompts);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        QVERIFY(Find<QLineEdit>(dialog, "category")->hasFocus()); // the first control
        auto* tempo = Find<SpinEdit>(dialog, "tempo");
        QCOMPARE(tempo->Text(), QString("300"));

        dialog.accept();
        QCOMPARE(prompts.messages.size(), std::size_t(1));
        QCOMPARE(prompts.messages[0].text, std::string("Please enter an integer between 32 and 280."));
        QCOMPARE(prompts.messages[0].icon, MsgIcon::Warning);
        QVERIFY(dialog.isVisible());
        QVERIFY(tempo->hasFocus());
        QCOMPARE(tempo->findChild<QLineEdit*>()->selectedText(), QString("300"));
        QVERIFY(entry == original);

        tempo->SetText("12x");
        dialog.accept();
        QCOMPARE(prompts.messages.back().text, std::string("Please enter an integer."));

        tempo->SetText("280");
        dialog.accept();
        QCOMPARE(dialog.result(), int(QDialog::Accepted));
        QCOMPARE(int(entry.tempo()), 280);
    }

    // Once German in English mode too; now in the language chosen.
    void promptsFollowTheLanguage_data()
    {
        QTest::addColumn<bool>("german");
        QTest::addColumn<QString>("range");
        QTest::addColumn<QString>("tooLong");
        QTest::newRow("English") << false << "Please enter an integer between 0 and 127."
                                 << "Please enter no more than 16 characters.";
        QTest::newRow("German") << true << "Geben Sie bitte eine ganze Zahl zwischen 0 und 127 ein."
                                << "Geben Sie bitte nicht mehr als 16 Zeichen ein.";
    }
    void promptsFollowTheLanguage()
    {
        QFETCH(bool, german);
        QFETCH(QString, range);
        QFETCH(QString, tooLong);
        SetUiLanguage(german ? UiLanguage::German : UiLanguage::English);
        MdbEntry entry = SampleEntry();
        entry.setMainVolume(128);
        FakePrompts prompts;
        CEntryDlg dialog(entry, 1, styles, prompts);
        dialog.accept();
        QCOMPARE(prompts.messages.size(), std::size_t(1));
        QCOMPARE(QString::fromStdString(prompts.messages[0].text), range);
        // A pasted text may be longer than the edit takes while typing.
        Find<SpinEdit>(dialog, "mainVolume")->SetText("100");
        Find<QLineEdit>(dialog, "title")->setMaxLength(32767);
        Find<QLineEdit>(dialog, "title")->setText("abcdefghijklmnopq");
        dialog.accept();
        QCOMPARE(QString::fromStdString(prompts.messages.back().text), tooLong);
    }

    // The checks run in a fixed order; the first failure is the one reported.
    void checksRunInTheirOrder_data()
    {
        QTest::addColumn<QStringList>("badFields");
        QTest::addColumn<QString>("reported");
        QTest::newRow("tempo before main volume") << QStringList{"mainVolume", "tempo"} << "tempo";
        QTest::newRow("main volume before the parts")
            << QStringList{"bassVolume", "mainVolume"} << "mainVolume";
        QTest::newRow("bass before left") << QStringList{"leftVolume", "bassVolume"} << "bassVolume";
        QTest::newRow("left before pad") << QStringList{"padVolume", "leftVolume"} << "leftVolume";
        QTest::newRow("phr2 before phr1") << QStringList{"phr1Volume", "phr2Volume"} << "phr2Volume";
        QTest::newRow("phr1 before r1") << QStringList{"r1Volume", "phr1Volume"} << "phr1Volume";
        QTest::newRow("r3 before rhy1") << QStringList{"rhy1Volume", "r3Volume"} << "r3Volume";
        QTest::newRow("rhy1 before rhy2") << QStringList{"rhy2Volume", "rhy1Volume"} << "rhy1Volume";
    }
    void checksRunInTheirOrder()
    {
        QFETCH(QStringList, badFields);
        QFETCH(QString, reported);
        MdbEntry entry = SampleEntry();
        FakePrompts prompts;
        CEntryDlg dialog(entry, 1, styles, prompts);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowActive(&dialog));
        for (const QString& field : badFields) {
            auto* spin = Find<SpinEdit>(dialog, field);
            spin->SetEditEnabled(true); // a disabled edit would keep the focus off
            spin->SetText("500");
        }
        dialog.accept();
        QCOMPARE(prompts.messages.size(), std::size_t(1));
        QVERIFY(Find<SpinEdit>(dialog, reported)->hasFocus());
        QVERIFY(dialog.isVisible());
    }

    void textFieldsTakeSixteenWindows1252Characters()
    {
        MdbEntry entry = SampleEntry();
        FakePrompts prompts;
        CEntryDlg dialog(entry, 1, styles, prompts);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        for (const char* name : {"category", "title"}) {
            auto* edit = Find<QLineEdit>(dialog, name);
            edit->clear();
            edit->setFocus();
            TypeInto(edit, QString::fromUtf8("ÄΩ€bcdefghijklmnopqrs"));
            QCOMPARE(edit->text(), QString::fromUtf8("Ä€bcdefghijklmno")); // Ω has no byte
        }
        dialog.accept();
        QCOMPARE(entry.GetTitle(), std::string("\xC4\x80"
                                               "bcdefghijklmno"));
    }

    void emptyNamesAreRefusedInTheCurrentLanguage()
    {
        for (const UiLanguage language : {UiLanguage::English, UiLanguage::German}) {
            SetUiLanguage(language);
            const MdbEntry original = SampleEntry();
            MdbEntry entry = original;
            FakePrompts prompts;
            CEntryDlg dialog(entry, 1, styles, prompts);
            Find<QLineEdit>(dialog, "category")->clear();
            Find<QLineEdit>(dialog, "title")->clear();
            dialog.accept();
            QVERIFY(prompts.Showed(Msg::CategoryNameEmpty));
            Find<QLineEdit>(dialog, "category")->setText("Pop");
            dialog.accept();
            QVERIFY(prompts.Showed(Msg::EntryTitleEmpty));
            QCOMPARE(prompts.messages.size(), std::size_t(2));
            QCOMPARE(prompts.messages.back().icon, MsgIcon::Warning);
            QCOMPARE(dialog.result(), int(QDialog::Rejected));
            QVERIFY(entry == original);
            // A single space is a title.
            Find<QLineEdit>(dialog, "title")->setText(" ");
            dialog.accept();
            QCOMPARE(dialog.result(), int(QDialog::Accepted));
            QCOMPARE(entry.GetTitle(), std::string(" "));
        }
        QCOMPARE(Tr(Msg::EntryTitleEmpty), std::string("Die Titel darf nicht leer sein!"));
    }

    // A bad volume stops the taking of the fields before the "Set" boxes are
    // reached, so ticking a "Set" box cannot enable its edit.
    void aBadVolumeBlocksTheSetBoxes()
    {
        MdbEntry entry = SampleEntry();
        entry.setPartVolume(Part::Rhy1, 200);
        entry.setPartVolumeSet(Part::Rhy1, false);
        const MdbEntry original = entry;
        FakePrompts prompts;
        CEntryDlg dialog(entry, 1, styles, prompts);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        auto* volume = Find<SpinEdit>(dialog, "rhy1Volume");
        QCOMPARE(volume->Text(), QString("200"));
        QVERIFY(!volume->IsEditEnabled());

        dialog.accept();
        const std::string range = "Please enter an integer between 0 and 127.";
        QCOMPARE(prompts.messages.size(), std::size_t(1));
        QCOMPARE(prompts.messages[0].text, range);

        QTest::mouseClick(Find<QCheckBox>(dialog, "rhy1VolumeSet"), Qt::LeftButton);
        QVERIFY(Find<QCheckBox>(dialog, "rhy1VolumeSet")->isChecked());
        QCOMPARE(prompts.messages.size(), std::size_t(2));
        QCOMPARE(prompts.messages[1].text, range);
        QVERIFY(!volume->IsEditEnabled());

        // The voice "Set" boxes are blocked the same way.
        auto* rhy2List = Find<CCatalogueCombo>(dialog, "rhy2Voice");
        QVERIFY(!rhy2List->isEnabled());
        QTest::mouseClick(Find<QCheckBox>(dialog, "rhy2VoiceSet"), Qt::LeftButton);
        QVERIFY(!rhy2List->isEnabled());

        dialog.reject();
        QVERIFY(entry == original);
    }

    void setBoxesEnableTheirListAndEdit()
    {
        MdbEntry entry = SampleEntry();
        FakePrompts prompts;
        CEntryDlg dialog(entry, 1, styles, prompts);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        // Rhy2 (p = 1): voice "Set" off, volume "Set" on.
        auto* list = Find<CCatalogueCombo>(dialog, "rhy2Voice");
        auto* volume = Find<SpinEdit>(dialog, "rhy2Volume");
        QVERIFY(!list->isEnabled());
        QVERIFY(volume->IsEditEnabled());
        QTest::mouseClick(Find<QCheckBox>(dialog, "rhy2VoiceSet"), Qt::LeftButton);
        QVERIFY(list->isEnabled());
        QTest::mouseClick(Find<QCheckBox>(dialog, "rhy2VolumeSet"), Qt::LeftButton);
        QVERIFY(!volume->IsEditEnabled());
        // Its spin buttons still step it.
        volume->stepBy(1);
        QCOMPARE(volume->Text(), QString("12"));
        // The on/off boxes enable nothing.
        QTest::mouseClick(Find<QCheckBox>(dialog, "rhy2On"), Qt::LeftButton);
        QVERIFY(list->isEnabled());
        QVERIFY(prompts.messages.empty());
    }

    void variationIsWrittenOnlyOverAValidOne()
    {
        MdbEntry entry = SampleEntry();
        entry.setVariation(3);
        FakePrompts prompts;
        {
            CEntryDlg dialog(entry, 1, styles, prompts);
            const auto radios = dialog.findChildren<QRadioButton*>();
            QCOMPARE(radios.size(), 4);
            for (QRadioButton* radio : radios)
                QVERIFY(!radio->isChecked());
            Find<QRadioButton>(dialog, "variationC")->setChecked(true);
            dialog.accept();
        }
        QCOMPARE(int(entry.variation()), 3);
        entry.setVariation(10);
        CEntryDlg dialog(entry, 1, styles, prompts);
        QVERIFY(Find<QRadioButton>(dialog, "variationC")->isChecked());
        Find<QRadioButton>(dialog, "variationA")->setChecked(true);
        dialog.accept();
        QCOMPARE(int(entry.variation()), 8);
    }

    void aDiskStyleBeyondTheListSelectsNothingAndStays()
    {
        MdbEntry entry = SampleEntry();
        entry.setStyleNumber(250);
        entry.setDiskStyleNumber(251);
        const MdbEntry original = entry;
        FakePrompts prompts;
        CEntryDlg dialog(entry, 1, styles, prompts);
        auto* style = Find<CCatalogueCombo>(dialog, "style");
        QCOMPARE(style->SelectedRow(), -1);
        QCOMPARE(style->RowText(245), std::string("DiskStyle 1"));
        QCOMPARE(style->RowText(494), std::string("DiskStyle 250"));
        dialog.accept();
        QVERIFY(entry == original);
    }

    void voiceRowsDependOnTheKeyboardModel()
    {
        MdbEntry entry = SampleEntry();
        entry.setVoice(HandVoice::R1, VoiceRef{0, 113, 0});
        FakePrompts prompts;
        CEntryDlg psr9000(entry, 1, styles, prompts);
        auto* list = Find<CCatalogueCombo>(psr9000, "r1Voice");
        QCOMPARE(list->SelectedRow(), 0);
        QCOMPARE(list->RowText(0), std::string("<0,113,0>"));
        QCOMPARE(list->currentText(), QString("<0,113,0>"));
        QCOMPARE(list->RowText(1), std::string("Piano - Grand Piano"));

        CEntryDlg pro(entry, 2, styles, prompts);
        auto* proList = Find<CCatalogueCombo>(pro, "r1Voice");
        QCOMPARE(proList->RowText(0), std::string("Piano - Live!Grand"));
        // "&&" is drawn as one "&".
        QCOMPARE(proList->RowText(245), std::string("Choir&&Pad - Live!Gospel"));
        QCOMPARE(proList->itemText(245), QString("Choir&Pad - Live!Gospel"));
    }

    void anUnknownVoiceGetsRow880AndIsWrittenBackUnchanged()
    {
        MdbEntry entry = SampleEntry();
        entry.setPartVoice(Part::Bass, VoiceRef{1, 2, 3});
        entry.setPartVoiceSet(Part::Bass, true);
        const MdbEntry original = entry;
        FakePrompts prompts;
        CEntryDlg dialog(entry, 2, styles, prompts);
        auto* list = Find<CCatalogueCombo>(dialog, "bassVoice");
        QCOMPARE(list->RowCount(), kVoiceListRows);
        QCOMPARE(list->SelectedRow(), 880);
        QCOMPARE(list->RowText(880), std::string("<1,2,3>"));
        dialog.accept();
        QVERIFY(entry.partVoice(Part::Bass) == (VoiceRef{1, 2, 3}));
        QVERIFY(entry == original);
    }

    void choosingTheFirstVoiceStoresItsNumbers()
    {
        MdbEntry entry = SampleEntry();
        FakePrompts prompts;
        CEntryDlg dialog(entry, 2, styles, prompts);
        Find<CCatalogueCombo>(dialog, "r1Voice")->setCurrentIndex(0);
        dialog.accept();
        QVERIFY(entry.voice(HandVoice::R1) == (VoiceRef{0, 113, 0}));
    }

    void hiddenVoicesAreNotOffered()
    {
        int hidden = -1;
        for (int row = 0; row < kVoiceCount && hidden < 0; ++row)
            if (VoiceCatalogue::IsVoiceHidden(row) && row > 0 && !VoiceCatalogue::IsVoiceHidden(row - 1))
                hidden = row;
        if (hidden < 0)
            QSKIP("every voice of the catalogue is known");
        int next = hidden + 1;
        while (VoiceCatalogue::IsVoiceHidden(next))
            ++next;

        MdbEntry entry = SampleEntry();
        entry.setVoice(HandVoice::R2, VoiceOfRow(hidden - 1));
        FakePrompts prompts;
        CEntryDlg dialog(entry, 2, styles, prompts);
        dialog.show();
        QVERIFY(QTest::qWaitForWindowExposed(&dialog));
        auto* list = Find<CCatalogueCombo>(dialog, "r2Voice");
        QVERIFY(list->IsRowHidden(hidden));
        QVERIFY(!(list->model()->flags(list->model()->index(hidden, 0)) & Qt::ItemIsEnabled));
        QVERIFY(static_cast<QListView*>(list->view())->isRowHidden(hidden));
        QCOMPARE(list->SelectedRow(), hidden - 1);
        list->setFocus();
        QTest::keyClick(list, Qt::Key_Down);
        QCOMPARE(list->SelectedRow(), next);
        QTest::keyClick(list, Qt::Key_Up);
        QCOMPARE(list->SelectedRow(), hidden - 1);
    }

    void germanRelabelsOnlyItsFourTexts()
    {
        MdbEntry entry = SampleEntry();
        FakePrompts prompts;
        const auto labels = [](const QDialog& dialog) {
            QStringList texts;
            for (const QLabel* label : dialog.findChildren<QLabel*>())
                texts << label->text();
            return texts;
        };
        {
            CEntryDlg dialog(entry, 1, styles, prompts);
            QCOMPARE(dialog.windowTitle(), QString("Edit entry"));
            QVERIFY(labels(dialog).contains("Category:"));
            QVERIFY(labels(dialog).contains("Title:"));
        }
        SetUiLanguage(UiLanguage::German);
        CEntryDlg dialog(entry, 1, styles, prompts);
        QCOMPARE(dialog.windowTitle(), QString("Eintrag bearbeiten"));
        const QStringList german = labels(dialog);
        QVERIFY(german.contains("Kategorie:"));
        QVERIFY(german.contains("Titel:"));
        QVERIFY(german.contains("Style:"));
        QVERIFY(german.contains("Tempo:"));
        QVERIFY(!german.contains("Category:"));
        QStringList buttons;
        for (const QPushButton* button : dialog.findChildren<QPushButton*>())
            buttons << button->text();
        QCOMPARE(buttons, (QStringList{"OK", "Abbrechen"}));
    }

    // The names take 16 characters: all of them show, even the widest
    // letters; no caption is clipped or runs into a field, in either language.
    void namesShowWholeAndCaptionsFit_data()
    {
        QTest::addColumn<bool>("german");
        QTest::newRow("English") << false;
        QTest::newRow("German") << true;
    }
    void namesShowWholeAndCaptionsFit()
    {
        QFETCH(bool, german);
        SetUiLanguage(german ? UiLanguage::German : UiLanguage::English);
        MdbEntry entry = SampleEntry();
        FakePrompts prompts;
        CEntryDlg dialog(entry, 1, styles, prompts);
        for (const char* name : {"category", "title"}) {
            QVERIFY2(testing::ShowsWhole(*Find<QLineEdit>(dialog, name), QString(16, u'W')), name);
            QVERIFY2(testing::ShowsWhole(*Find<QLineEdit>(dialog, name), QString(16, u'M')), name);
        }
        QCOMPARE(testing::CaptionProblems(dialog).join("; "), QString());
    }

    // Rows as high as their text at least, so no letter loses its lower edge.
    void listRowsFitTheirText()
    {
        MdbEntry entry = SampleEntry();
        FakePrompts prompts;
        CEntryDlg dialog(entry, 1, styles, prompts);
        const QList<CCatalogueCombo*> lists = dialog.findChildren<CCatalogueCombo*>();
        QCOMPARE(lists.size(), 13);
        for (CCatalogueCombo* list : lists) {
            const int font = list->fontMetrics().height();
            QVERIFY2(list->view()->sizeHintForRow(0) >= font, qPrintable(list->objectName()));
            QVERIFY2(list->height() > font, qPrintable(list->objectName()));
            QCOMPARE(list->maxVisibleItems(), 20);
        }
    }

    void theDialogHasAFixedSizeThatHoldsEveryControl()
    {
        MdbEntry entry = SampleEntry();
        FakePrompts prompts;
        CEntryDlg dialog(entry, 1, styles, prompts);
        QCOMPARE(dialog.minimumSize(), dialog.maximumSize());
        const QRect area = dialog.rect();
        for (const QWidget* child : dialog.findChildren<QWidget*>()) {
            if (child->parentWidget() == &dialog && !child->isWindow())
                QVERIFY2(area.contains(child->geometry()), qPrintable(child->objectName()));
        }
    }
};

QTEST_MAIN(EntryDlgTest)
#include "EntryDlgTest.moc"
