#include "app/qt/PendingFiles.h"

#include "app/PaneFiles.h"

#include <QApplication>
#include <QDir>
#include <QTimer>
#include <QWidget>

namespace tessaro {

PendingFiles::PendingFiles(QWidget& window, std::function<bool()> working,
                           std::function<void(const std::vector<std::string>&)> open)
    : QObject(&window), window_(window), working_(std::move(working)), open_(std::move(open))
{
}

void PendingFiles::Add(const QStringList& paths)
{
    std::vector<std::string> more;
    for (const QString& path : paths)
        more.push_back(QDir::toNativeSeparators(path).toStdString());
    PaneFiles::AddPendingFiles(files_, more);
    if (!scheduled_) {
        scheduled_ = true;
        QTimer::singleShot(0, this, &PendingFiles::OpenWhenFree);
    }
}

void PendingFiles::OpenWhenFree()
{
    scheduled_ = false;
    if (files_.empty())
        return;
    // A classic window runs as a modal dialog itself.
    const QWidget* modal = QApplication::activeModalWidget();
    if (!window_.isVisible() || working_() || (modal && modal != &window_) ||
        QApplication::activePopupWidget()) {
        scheduled_ = true;
        QTimer::singleShot(200, this, &PendingFiles::OpenWhenFree);
        return;
    }
    std::vector<std::string> files;
    files.swap(files_);
    open_(files);
}

} // namespace tessaro
