#pragma once
// "Choose keyboard model": which keyboard a new, empty MDB is for.

#include <QDialog>

class QComboBox;
class QPushButton;

namespace tessaro {

class CKeyboardDlg : public QDialog
{
    Q_OBJECT
public:
    explicit CKeyboardDlg(QWidget* parent = nullptr);

    // 1 PSR-9000, 2 PSR-9000pro; any other number selects no row.
    void SetModel(int model);
    // After OK: the selected row + 1. OK is disabled while no row is selected.
    int Model() const { return model_; }

public slots:
    void accept() override;

private:
    int model_ = 0;
    QComboBox* list_ = nullptr;
    QPushButton* ok_ = nullptr;
};

} // namespace tessaro
