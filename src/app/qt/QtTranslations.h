#pragma once
// Qt's own texts (the file dialogs, the context menus of text and spin fields,
// the standard buttons) in the program's language. (The file dialogs write
// dates and sizes in the form of the system's locale, whatever the language.)

namespace tessaro {

// Installs Qt's German translations when german is true and removes them
// otherwise. False when they were wanted but could not be loaded (the package
// with Qt's translations is missing): Qt's texts then stay English.
bool UseQtTranslations(bool german);

} // namespace tessaro
