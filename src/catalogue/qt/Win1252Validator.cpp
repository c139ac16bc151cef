#include "catalogue/qt/Win1252Validator.h"

#include "data/Win1252.h"

#include <QLineEdit>

namespace tessaro {

Win1252Validator::Win1252Validator(int maxChars, QObject* parent) : QValidator(parent), maxChars_(maxChars) {}

QValidator::State Win1252Validator::validate(QString& input, int& /*pos*/) const
{
    const QList<uint> codePoints = input.toUcs4();
    if (maxChars_ > 0 && codePoints.size() > maxChars_)
        return Invalid;
    for (const uint codePoint : codePoints) {
        if (!IsRepresentable1252(static_cast<char32_t>(codePoint)))
            return Invalid;
    }
    return Acceptable;
}

void LimitToRecordText(QLineEdit* edit, int maxChars)
{
    if (maxChars > 0)
        edit->setMaxLength(maxChars);
    edit->setValidator(new Win1252Validator(maxChars, edit));
}

} // namespace tessaro
