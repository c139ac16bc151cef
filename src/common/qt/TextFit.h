#pragma once
// Widths that keep texts whole. The layouts in dialog units were drawn for a
// narrower font than ours and for English: these say where a caption or a
// field needs more room, so that nothing is clipped and no text touches a
// frame or the control beside it.

class QLabel;
class QLineEdit;
class QString;
class QWidget;

namespace tessaro {

// The width a label, push button, check box or radio button needs to show the
// caption with some room on both sides.
int CaptionWidth(const QWidget& control, const QString& caption);

// The width a line edit needs to show the text without scrolling it.
int FieldWidth(const QLineEdit& edit, const QString& text);

// Widens the label to its caption where it is too narrow; the field to its
// right gives way (its right edge stays).
void FitLabelBeside(QLabel& label, QWidget& field);

} // namespace tessaro
