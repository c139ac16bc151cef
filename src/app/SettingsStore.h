#pragma once
// Where the per-user settings live: integer and text values by name in a
// section. The windows implement it with QSettings; tests use MapSettingsStore.

#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <variant>

namespace tessaro {

class SettingsStore
{
public:
    virtual ~SettingsStore() = default;

    // An absent value, or one stored with the other type, reads as the default.
    virtual int ReadInt(const std::string& section, const std::string& name, int defaultValue) = 0;
    virtual std::string ReadString(const std::string& section, const std::string& name,
                                   const std::string& defaultValue) = 0;
    // Writes change the values at once for reading; they reach the store's file
    // with the next Flush.
    virtual void WriteInt(const std::string& section, const std::string& name, int value) = 0;
    virtual void WriteString(const std::string& section, const std::string& name,
                             const std::string& value) = 0;
    // Writes every changed value out in one go; false when that failed (a
    // read-only folder, a full disk).
    virtual bool Flush() = 0;
};

// Settings held in memory.
class MapSettingsStore : public SettingsStore
{
public:
    int ReadInt(const std::string& section, const std::string& name, int defaultValue) override;
    std::string ReadString(const std::string& section, const std::string& name,
                           const std::string& defaultValue) override;
    void WriteInt(const std::string& section, const std::string& name, int value) override;
    void WriteString(const std::string& section, const std::string& name, const std::string& value) override;
    bool Flush() override { return true; }

    // What is stored, without defaults: nullopt when absent or of the other type.
    std::optional<int> IntValue(const std::string& section, const std::string& name) const;
    std::optional<std::string> StringValue(const std::string& section, const std::string& name) const;
    std::size_t Count() const { return values_.size(); }

private:
    using Key = std::pair<std::string, std::string>;
    std::map<Key, std::variant<int, std::string>> values_;
};

} // namespace tessaro
