#include "app/WindowLayout.h"

#include "app/SettingsKeys.h"

#include <charconv>

namespace tessaro {

namespace {
constexpr int kNoLayout = -1;
constexpr int kMaxColumnWidth = 4000;
} // namespace

WindowLayout ReadWindowLayout(SettingsStore& store)
{
    const int stored = store.ReadInt(settings::kSection, settings::kLayout, kNoLayout);
    if (stored == 0)
        return WindowLayout::Classic;
    if (stored == 1)
        return WindowLayout::Modern;
    const std::string language = store.ReadString(settings::kSection, settings::kLanguage, "");
    const bool knownUser = language == settings::kLanguageGerman || language == settings::kLanguageEnglish;
    return knownUser ? WindowLayout::Classic : WindowLayout::Modern;
}

WindowLayout ChooseWindowLayout(SettingsStore& store)
{
    const WindowLayout layout = ReadWindowLayout(store);
    if (store.ReadInt(settings::kSection, settings::kLayout, kNoLayout) == kNoLayout)
        store.WriteInt(settings::kSection, settings::kLayout, layout == WindowLayout::Modern ? 1 : 0);
    return layout;
}

bool WriteWindowLayout(SettingsStore& store, WindowLayout layout)
{
    store.WriteInt(settings::kSection, settings::kLayout, layout == WindowLayout::Modern ? 1 : 0);
    return store.Flush();
}

std::optional<std::vector<int>> ParseColumnWidths(const std::string& text, std::size_t columns)
{
    std::vector<int> widths;
    std::size_t start = 0;
    while (start <= text.size() && !text.empty()) {
        const std::size_t comma = std::min(text.find(',', start), text.size());
        int width = 0;
        const char* first = text.data() + start;
        const char* last = text.data() + comma;
        const auto [end, error] = std::from_chars(first, last, width);
        if (error != std::errc() || end != last || width < 0 || width > kMaxColumnWidth ||
            (width != 0 && width < kMinColumnWidth))
            return std::nullopt;
        widths.push_back(width);
        start = comma + 1;
    }
    if (widths.size() != columns || columns == 0 || widths[0] == 0)
        return std::nullopt;
    return widths;
}

std::string ColumnWidthsText(const std::vector<int>& widths)
{
    std::string text;
    for (std::size_t i = 0; i < widths.size(); ++i) {
        if (i > 0)
            text += ',';
        text += std::to_string(widths[i]);
    }
    return text;
}

} // namespace tessaro
