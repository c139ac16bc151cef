#include "edit/CategoryRowText.h"

#include "common/Texts.h"

namespace tessaro {

std::string CategoryRowText(std::string_view name, int entries, int shown)
{
    const std::string total = std::to_string(entries);
    const bool someHidden = shown >= 0 && shown < entries;
    const std::string count =
        someHidden ? FillArgs(Tr(ModernText::ShownOfEntries), {std::to_string(shown), total}) : total;
    return std::string(name) + "  (" + count + ")";
}

} // namespace tessaro
