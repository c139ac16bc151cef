#include "browse/qt/QtDesktopActions.h"

#include <QClipboard>
#include <QDesktopServices>
#include <QFile>
#include <QGuiApplication>
#include <QUrl>

namespace tessaro {

bool QtDesktopActions::OpenInFileManager(const std::string& path)
{
    // A folder opened as a URL goes to the desktop's file manager.
    return QDesktopServices::openUrl(QUrl::fromLocalFile(QFile::decodeName(QByteArray::fromStdString(path))));
}

bool QtDesktopActions::CopyToClipboard(const std::string& text)
{
    QClipboard* clipboard = QGuiApplication::clipboard();
    if (!clipboard)
        return false;
    clipboard->setText(QFile::decodeName(QByteArray::fromStdString(text)));
    return true;
}

} // namespace tessaro
