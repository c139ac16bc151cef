#include "app/qt/FileDialogs.h"

#include <QFileDialog>
#include <QFileInfo>
#include <QStringList>

namespace tessaro {

namespace {

// The label without its parenthesised patterns: "Music Database (MDB*.bup)" gives "Music Database".
QString LabelOf(const QString& name)
{
    const QString trimmed = name.trimmed();
    if (trimmed.endsWith(u')')) {
        const qsizetype open = trimmed.lastIndexOf(u'(');
        if (open > 0)
            return trimmed.left(open).trimmed();
    }
    return trimmed;
}

QString PatternsOf(const QString& patterns)
{
    QStringList out;
    for (const QString& pattern : patterns.split(u';', Qt::SkipEmptyParts)) {
        const QString p = pattern.trimmed();
        out << (p == QLatin1String("*.*") ? QStringLiteral("*") : p);
    }
    return out.join(u' ');
}

} // namespace

QString QtFileFilter(const std::string& filter)
{
    const QStringList parts = QString::fromStdString(filter).split(u'|');
    QStringList filters;
    for (qsizetype i = 0; i + 1 < parts.size(); i += 2) {
        if (parts[i].isEmpty())
            break; // the closing "||"
        const QString label = LabelOf(parts[i]);
        const QString patterns = PatternsOf(parts[i + 1]);
        filters << (label.isEmpty() ? patterns : label + QStringLiteral(" (") + patterns + u')');
    }
    return filters.join(QStringLiteral(";;"));
}

void PrepareFileDialog(QFileDialog& dialog, const FileDialogRequest& request, bool save)
{
    dialog.setWindowTitle(QString::fromStdString(request.title));
    dialog.setNameFilter(QtFileFilter(request.filter));
    dialog.setAcceptMode(save ? QFileDialog::AcceptSave : QFileDialog::AcceptOpen);
    dialog.setFileMode(save ? QFileDialog::AnyFile : QFileDialog::ExistingFile);
    QString suffix = QString::fromStdString(request.defaultExtension);
    if (suffix.startsWith(u'.'))
        suffix.remove(0, 1);
    dialog.setDefaultSuffix(suffix);
    dialog.setOption(QFileDialog::DontConfirmOverwrite, !request.overwritePrompt);
    if (!request.initialName.empty()) {
        const QFileInfo initial(QString::fromStdString(request.initialName));
        if (initial.path() != QLatin1String("."))
            dialog.setDirectory(initial.path());
        dialog.selectFile(initial.fileName());
    }
}

QString WithDefaultExtension(const QString& path, const std::string& defaultExtension)
{
    if (defaultExtension.empty() || path.isEmpty())
        return path;
    const QFileInfo info(path);
    if (info.fileName().contains(u'.'))
        return path;
    QString extension = QString::fromStdString(defaultExtension);
    if (!extension.startsWith(u'.'))
        extension.prepend(u'.');
    return path + extension;
}

} // namespace tessaro
