#pragma once
// The file dialogs' requests in Qt's terms.

#include "common/Prompts.h"

#include <QString>

class QFileDialog;

namespace tessaro {

// "Name (*.x)|*.x|All files (*.*)|*.*||" to "Name (*.x);;All files (*)". Each
// pair's patterns (";"-separated) become the parenthesised part of its name;
// "*.*" matches every file, as it does where the filters come from.
QString QtFileFilter(const std::string& filter);

// Title, filters, folder and name, default extension and overwrite question
// of the request, for opening (save false) or saving.
void PrepareFileDialog(QFileDialog& dialog, const FileDialogRequest& request, bool save);

// The default extension ("." included) appended when the chosen name has none.
QString WithDefaultExtension(const QString& path, const std::string& defaultExtension);

} // namespace tessaro
