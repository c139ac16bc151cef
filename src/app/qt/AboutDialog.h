#pragma once
// Help > About: the program's name, its version as built and the day it was
// released, one line of what it is and its licence, in the current language.

class QDialog;
class QWidget;

namespace tessaro {

// Built but not shown (the window execs it; tests look inside).
QDialog* CreateAboutDialog(QWidget* parent);
void ShowAboutDialog(QWidget* parent);

} // namespace tessaro
