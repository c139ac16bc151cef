#pragma once
// An edit with spin buttons for a whole number. The buttons and the arrow keys
// step within the range; what is typed or loaded is shown as it is, also when
// it lies outside the range (a tempo of 300 shows 300) or is no number at all.
// The dialog checks the text when it is taken (FieldCheck).

#include <QAbstractSpinBox>

namespace tessaro {

class SpinEdit : public QAbstractSpinBox
{
    Q_OBJECT
public:
    explicit SpinEdit(QWidget* parent = nullptr);

    void SetRange(int minimum, int maximum);
    int Minimum() const { return minimum_; }
    int Maximum() const { return maximum_; }

    // Shows the number unchanged, as a whole number without separators.
    void SetValue(int value);
    void SetText(const QString& text);
    QString Text() const;

    // Enables or disables only the edit; the buttons keep working, as the
    // volume edits whose "Set" box is off need.
    void SetEditEnabled(bool enabled);
    bool IsEditEnabled() const;

    // Steps from the number shown (clamped into the range), or from the last
    // stepped position when the text is no number; never leaves the range.
    void stepBy(int steps) override;

protected:
    StepEnabled stepEnabled() const override;
    QValidator::State validate(QString& input, int& pos) const override;
    void fixup(QString& input) const override;

private:
    int minimum_ = 0;
    int maximum_ = 99;
    int position_ = 0;
};

} // namespace tessaro
