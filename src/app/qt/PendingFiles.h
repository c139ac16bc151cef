#pragma once
// Files handed to a main window (by the desktop or a later start of the
// program) wait here until the window is free: never inside the caller's own
// work (a socket's signal, the start sequence), nor while a command, a dialog
// or a menu is open, so that no pane changes under an open editor.

#include <QObject>
#include <QStringList>

#include <functional>
#include <string>
#include <vector>

class QWidget;

namespace tessaro {

class PendingFiles : public QObject
{
public:
    // `working`: a command of the window is running. `open`: opens the files,
    // in the order they came.
    PendingFiles(QWidget& window, std::function<bool()> working,
                 std::function<void(const std::vector<std::string>&)> open);

    void Add(const QStringList& paths);

private:
    void OpenWhenFree();

    QWidget& window_;
    std::function<bool()> working_;
    std::function<void(const std::vector<std::string>&)> open_;
    std::vector<std::string> files_;
    bool scheduled_ = false;
};

} // namespace tessaro
