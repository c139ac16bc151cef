#pragma once
// The day this version was released, as set beside its number in the build
// (TESSARO_RELEASE_DATE), for the classic window's version line and the About box.

#include <QDate>
#include <QString>

namespace tessaro {

// Invalid only when the build was given no date.
QDate ReleaseDate();
// "8 December 2026" or "8. Dezember 2026": the month named in the language.
QString ReleaseDateText(bool german);

} // namespace tessaro
