#pragma once
// "Edit category": asks for a category name (New category, renaming). The
// edit takes at most 16 characters of Windows-1252. An empty name is the
// caller's concern.

#include <QDialog>

#include <string>

class QLineEdit;

namespace tessaro {

class Prompts;

class CCategoryDlg : public QDialog
{
    Q_OBJECT
public:
    explicit CCategoryDlg(Prompts& prompts, QWidget* parent = nullptr);

    // Windows-1252 bytes, as the record holds them. Set before running to show
    // the current name (as ReadableName shows it); after OK it holds the edited
    // name, or the same bytes when the text was left as shown.
    void SetName(const std::string& name);
    std::string Name() const { return name_; }

public slots:
    void accept() override;

private:
    Prompts& prompts_;
    std::string name_;
    QLineEdit* edit_ = nullptr;
};

} // namespace tessaro
