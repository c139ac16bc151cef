#include "catalogue/qt/SpinEdit.h"

#include "catalogue/qt/FieldCheck.h"

#include <QLineEdit>

#include <algorithm>

namespace tessaro {

SpinEdit::SpinEdit(QWidget* parent) : QAbstractSpinBox(parent)
{
    setButtonSymbols(UpDownArrows);
    setCorrectionMode(CorrectToPreviousValue);
    setKeyboardTracking(true);
}

void SpinEdit::SetRange(int minimum, int maximum)
{
    minimum_ = std::min(minimum, maximum);
    maximum_ = std::max(minimum, maximum);
    position_ = std::clamp(position_, minimum_, maximum_);
}

void SpinEdit::SetValue(int value)
{
    position_ = std::clamp(value, minimum_, maximum_);
    SetText(QString::number(value));
}

void SpinEdit::SetText(const QString& text)
{
    lineEdit()->setText(text);
}

QString SpinEdit::Text() const
{
    return lineEdit()->text();
}

void SpinEdit::SetEditEnabled(bool enabled)
{
    lineEdit()->setEnabled(enabled);
    // The box forwards keys to its edit itself, past the enabled check.
    lineEdit()->setReadOnly(!enabled);
    setFocusPolicy(enabled ? Qt::WheelFocus : Qt::NoFocus);
}

bool SpinEdit::IsEditEnabled() const
{
    return lineEdit()->isEnabled();
}

void SpinEdit::stepBy(int steps)
{
    if (const std::optional<int> shown = FieldCheck::ParseWholeNumber(Text()))
        position_ = std::clamp(*shown, minimum_, maximum_);
    const long long next = static_cast<long long>(position_) + steps;
    position_ = static_cast<int>(std::clamp<long long>(next, minimum_, maximum_));
    SetText(QString::number(position_));
}

QAbstractSpinBox::StepEnabled SpinEdit::stepEnabled() const
{
    return StepUpEnabled | StepDownEnabled;
}

QValidator::State SpinEdit::validate(QString& /*input*/, int& /*pos*/) const
{
    // Anything may be typed; the dialog checks it when it is taken.
    return QValidator::Acceptable;
}

void SpinEdit::fixup(QString& /*input*/) const {}

} // namespace tessaro
