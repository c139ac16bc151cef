#pragma once
// Qt's own texts (the file dialogs, the context menus of text and spin fields,
// the standard buttons) in the program's language, and the dates and sizes Qt
// writes (the file dialogs' columns) in that language's form.

namespace tessaro {

// Installs Qt's German translations when german is true and removes them
// otherwise; Qt's default locale becomes the language's, for the user's
// country. False when the translations were wanted but could not be loaded
// (the package with Qt's translations is missing): Qt's texts then stay English.
bool UseQtTranslations(bool german);

} // namespace tessaro
