#include "app/qt/ReleaseDate.h"

#include "common/Texts.h"

#include <QLocale>

#ifndef TESSARO_RELEASE_DATE
#define TESSARO_RELEASE_DATE ""
#endif

namespace tessaro {

QDate ReleaseDate()
{
    return QDate::fromString(QStringLiteral(TESSARO_RELEASE_DATE), Qt::ISODate);
}

QString ReleaseDateText(bool german)
{
    const TextPair& pattern = TextsOf(Caption::ReleaseDateFormat);
    const QLocale locale(german ? QLocale::German : QLocale::English);
    return locale.toString(ReleaseDate(), QString::fromUtf8(german ? pattern.german : pattern.english));
}

} // namespace tessaro
