#include "catalogue/qt/FieldCheck.h"

#include "catalogue/qt/SpinEdit.h"
#include "common/Prompts.h"
#include "data/WholeNumber.h"

#include <QLineEdit>

#include <string>

namespace tessaro {

std::optional<int> FieldCheck::ParseWholeNumber(const QString& text)
{
    // Blanks of any kind around it; the rule itself is the core's.
    return tessaro::ParseWholeNumber(text.trimmed().toStdString());
}

bool FieldCheck::WholeNumber(SpinEdit* field, int minimum, int maximum, int& value)
{
    return CheckNumber(field, field->Text(), minimum, maximum, value);
}

bool FieldCheck::WholeNumber(QLineEdit* field, int minimum, int maximum, int& value)
{
    return CheckNumber(field, field->text(), minimum, maximum, value);
}

bool FieldCheck::CheckNumber(QWidget* field, const QString& text, int minimum, int maximum, int& value)
{
    const std::optional<int> number = ParseWholeNumber(text);
    if (!number) {
        Fail(field, Msg::EnterWholeNumber, {});
        return false;
    }
    if (*number < minimum || *number > maximum) {
        Fail(field, Msg::EnterWholeNumberBetween, {std::to_string(minimum), std::to_string(maximum)});
        return false;
    }
    value = *number;
    return true;
}

bool FieldCheck::MaxChars(QLineEdit* field, int maxChars, QString& value)
{
    const QString text = field->text();
    if (text.toUcs4().size() > maxChars) {
        Fail(field, Msg::EnterAtMostChars, {std::to_string(maxChars)});
        return false;
    }
    value = text;
    return true;
}

void FieldCheck::Fail(QWidget* field, Msg id, std::initializer_list<std::string_view> args)
{
    prompts_.MessageBox(FillArgs(Tr(id), args), MsgIcon::Warning, MsgButtons::Ok);
    field->setFocus(Qt::OtherFocusReason);
    if (auto* spin = qobject_cast<SpinEdit*>(field))
        spin->selectAll();
    else if (auto* edit = qobject_cast<QLineEdit*>(field))
        edit->selectAll();
}

} // namespace tessaro
