#pragma once
// "Edit entry": every setting of one record that the program understands. OK
// checks the fields, writes them back into the record in place and closes;
// Cancel, Escape and the close box leave the record untouched.

#include "catalogue/StyleCatalogue.h"
#include "catalogue/VoiceCatalogue.h"
#include "data/MdbEntry.h"

#include <QDialog>
#include <QString>

#include <array>

class QButtonGroup;
class QCheckBox;
class QLabel;
class QLineEdit;
class QPushButton;

namespace tessaro {

class CCatalogueCombo;
class DialogUnits;
class Prompts;
class SpinEdit;

class CEntryDlg : public QDialog
{
    Q_OBJECT
public:
    // keyboardModel: the main window's current model (0 none, 1 PSR-9000,
    // 2 PSR-9000pro); the voice lists show PSR-9000pro voices by name only for 2.
    // Messages go through prompts. The caller keeps the record.
    CEntryDlg(MdbEntry& entry, int keyboardModel, const StyleCatalogue& styles, Prompts& prompts,
              QWidget* parent = nullptr);
    ~CEntryDlg() override;

public slots:
    void accept() override;

private:
    struct PartControls
    {
        QCheckBox* on = nullptr;
        QCheckBox* voiceSet = nullptr;
        CCatalogueCombo* voice = nullptr;
        QCheckBox* volumeSet = nullptr;
        SpinEdit* volume = nullptr;
    };
    struct HandControls
    {
        QCheckBox* on = nullptr;
        CCatalogueCombo* voice = nullptr;
        SpinEdit* volume = nullptr;
    };

    // What the controls were last taken into (and what they are shown from).
    struct PartMembers
    {
        bool on = false;
        bool voiceSet = false;
        bool volumeSet = false;
        int volume = 0;
    };
    struct HandMembers
    {
        bool on = false;
        int volume = 0;
    };
    struct Members
    {
        QString category;
        QString title;
        int tempo = 0;
        int variation = -1; // 0..3 for A..D; -1: no button selected
        int mainVolume = 0;
        std::array<PartMembers, kPartCount> parts{};
        std::array<HandMembers, kHandVoiceCount> hands{};
        bool hold = false;
        bool syncStart = false;
        bool stopAccompaniment = false;
    };

    void CreateControls(const DialogUnits& du);
    void CreateHandRow(const DialogUnits& du, HandVoice hand, const char* name, const char* caption, int y);
    void CreatePartRow(const DialogUnits& du, Part part, const char* name, const char* caption, int y);
    void LoadFromRecord();
    void ShowMembers();
    // Takes the controls into the members in the order of the checks; stops at
    // the first field that fails (after its prompt) and returns false.
    bool TakeControls();
    void WriteBack();
    void EnableVoiceLists();
    void EnableVolumeEdits();
    void OnVoiceSetClicked();
    void OnVolumeSetClicked();

    MdbEntry& entry_;
    const StyleCatalogue& styles_;
    Prompts& prompts_;
    VoiceListContext voiceContext_; // the voice lists' user pointer
    Members members_;

    QLabel* categoryLabel_ = nullptr;
    QLineEdit* category_ = nullptr;
    QLabel* titleLabel_ = nullptr;
    QLineEdit* title_ = nullptr;
    CCatalogueCombo* style_ = nullptr;
    SpinEdit* tempo_ = nullptr;
    QCheckBox* syncStart_ = nullptr;
    QCheckBox* stopAccompaniment_ = nullptr;
    QButtonGroup* variation_ = nullptr;
    SpinEdit* mainVolume_ = nullptr;
    std::array<HandControls, kHandVoiceCount> hands_{};
    QCheckBox* hold_ = nullptr;
    std::array<PartControls, kPartCount> parts_{};
    QPushButton* ok_ = nullptr;
    QPushButton* cancel_ = nullptr;
};

} // namespace tessaro
