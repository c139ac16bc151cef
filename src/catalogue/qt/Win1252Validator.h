#pragma once
// Keeps an edit to what a record text can hold: characters of Windows-1252
// only, and at most a given number of them, so what is shown is what is stored.

#include <QValidator>

class QLineEdit;

namespace tessaro {

class Win1252Validator : public QValidator
{
public:
    // maxChars 0: no limit.
    explicit Win1252Validator(int maxChars, QObject* parent = nullptr);
    State validate(QString& input, int& pos) const override;

private:
    int maxChars_;
};

// Installs the validator and the edit's own length limit.
void LimitToRecordText(QLineEdit* edit, int maxChars);

} // namespace tessaro
