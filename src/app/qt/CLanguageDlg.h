#pragma once
// "Choose Language": asked at start-up until a language has been stored. Its
// texts are bilingual in themselves. OK stays disabled until a language is
// chosen and then stores it ("G" or "E"); Escape and the close box store nothing.

#include <QDialog>

class QButtonGroup;
class QPushButton;

namespace tessaro {

class SettingsStore;

class CLanguageDlg : public QDialog
{
    Q_OBJECT
public:
    CLanguageDlg(SettingsStore& settings, QWidget* parent = nullptr);

    // -1 none, 0 "Deutsch (German)", 1 "English".
    int Choice() const { return choice_; }

public slots:
    void accept() override;

private:
    void OnChoice();

    SettingsStore& settings_;
    int choice_ = -1;
    QButtonGroup* radios_ = nullptr;
    QPushButton* ok_ = nullptr;
};

} // namespace tessaro
