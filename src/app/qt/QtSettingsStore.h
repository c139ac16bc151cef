#pragma once
// The settings in QSettings("Larchmont", "Tessaro"): an INI file under the
// user's configuration folder, one group per section. Texts are UTF-8.

#include "app/SettingsStore.h"

#include <QSettings>

namespace tessaro {

class QtSettingsStore final : public SettingsStore
{
public:
    QtSettingsStore();

    int ReadInt(const std::string& section, const std::string& name, int defaultValue) override;
    std::string ReadString(const std::string& section, const std::string& name,
                           const std::string& defaultValue) override;
    void WriteInt(const std::string& section, const std::string& name, int value) override;
    void WriteString(const std::string& section, const std::string& name, const std::string& value) override;
    bool Flush() override;
    std::string FlushFailure() const override { return flushFailure_; }

    // Where the values are kept (for the tests and the screenshots).
    QString FileName() const { return settings_.fileName(); }

private:
    static QString Key(const std::string& section, const std::string& name);
    static std::string WhyNotWritable(const QString& fileName);

    QSettings settings_;
    std::string flushFailure_;
};

} // namespace tessaro
