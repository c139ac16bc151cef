#include "support/MapSettingsStore.h"

namespace tessaro {

int MapSettingsStore::ReadInt(const std::string& section, const std::string& name, int defaultValue)
{
    return IntValue(section, name).value_or(defaultValue);
}

std::string MapSettingsStore::ReadString(const std::string& section, const std::string& name,
                                         const std::string& defaultValue)
{
    return StringValue(section, name).value_or(defaultValue);
}

void MapSettingsStore::WriteInt(const std::string& section, const std::string& name, int value)
{
    values_[{section, name}] = value;
}

void MapSettingsStore::WriteString(const std::string& section, const std::string& name,
                                   const std::string& value)
{
    values_[{section, name}] = value;
}

std::optional<int> MapSettingsStore::IntValue(const std::string& section, const std::string& name) const
{
    const auto found = values_.find({section, name});
    if (found == values_.end() || !std::holds_alternative<int>(found->second))
        return std::nullopt;
    return std::get<int>(found->second);
}

std::optional<std::string> MapSettingsStore::StringValue(const std::string& section,
                                                         const std::string& name) const
{
    const auto found = values_.find({section, name});
    if (found == values_.end() || !std::holds_alternative<std::string>(found->second))
        return std::nullopt;
    return std::get<std::string>(found->second);
}

} // namespace tessaro
