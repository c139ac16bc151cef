#include "app/qt/QtSettingsStore.h"

#include <QFile>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <system_error>

#include <fcntl.h>
#include <unistd.h>

namespace tessaro {

QtSettingsStore::QtSettingsStore() : settings_(QStringLiteral("Larchmont"), QStringLiteral("Tessaro")) {}

QString QtSettingsStore::Key(const std::string& section, const std::string& name)
{
    return QString::fromStdString(section) + u'/' + QString::fromStdString(name);
}

int QtSettingsStore::ReadInt(const std::string& section, const std::string& name, int defaultValue)
{
    const QVariant value = settings_.value(Key(section, name));
    if (!value.isValid())
        return defaultValue;
    // The INI file keeps every value as text: a value that is not a number reads as absent.
    bool ok = false;
    const int number = value.toString().trimmed().toInt(&ok);
    return ok ? number : defaultValue;
}

std::string QtSettingsStore::ReadString(const std::string& section, const std::string& name,
                                        const std::string& defaultValue)
{
    const QVariant value = settings_.value(Key(section, name));
    if (!value.isValid())
        return defaultValue;
    // An unquoted text with commas comes back from the INI file as a list.
    if (value.typeId() == QMetaType::QStringList)
        return value.toStringList().join(u',').toStdString();
    if (!value.canConvert<QString>())
        return defaultValue;
    return value.toString().toStdString();
}

// No sync per value: QSettings rewrites the whole file on each, and the exit writes 28 values.
void QtSettingsStore::WriteInt(const std::string& section, const std::string& name, int value)
{
    settings_.setValue(Key(section, name), value);
}

void QtSettingsStore::WriteString(const std::string& section, const std::string& name,
                                  const std::string& value)
{
    settings_.setValue(Key(section, name), QString::fromStdString(value));
}

bool QtSettingsStore::Flush()
{
    settings_.sync();
    flushFailure_.clear();
    if (settings_.status() == QSettings::NoError)
        return true;
    flushFailure_ = settings_.fileName().toStdString() + ": " + WhyNotWritable(settings_.fileName());
    return false;
}

std::string QtSettingsStore::WhyNotWritable(const QString& fileName)
{
    // QSettings keeps the system's reason to itself: ask the system the same
    // question again, making the folder and opening the file for writing.
    const std::filesystem::path file(QFile::encodeName(fileName).toStdString());
    std::error_code error;
    std::filesystem::create_directories(file.parent_path(), error);
    if (error)
        return error.message();
    const int fd =
        ::open(QFile::encodeName(fileName).constData(), O_WRONLY | O_CREAT | O_APPEND | O_CLOEXEC, 0600);
    if (fd < 0)
        return std::strerror(errno);
    ::close(fd);
    return std::strerror(EIO);
}

} // namespace tessaro
