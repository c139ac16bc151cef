#pragma once
// Settings held in memory.

#include "app/SettingsStore.h"

#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <utility>
#include <variant>

namespace tessaro {

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
