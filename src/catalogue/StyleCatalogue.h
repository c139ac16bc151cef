#pragma once
// Names of the 125 preset styles, the 120 flash styles (replaceable at run
// time) and the numbered disk styles.

#include <string>

namespace tessaro {

constexpr int kPresetStyleCount = 125;
constexpr int kFlashStyleCount = 120;
constexpr int kCatalogueStyleCount = 245;  // presets + flash styles
constexpr int kStyleListRows = 495;        // + 250 disk styles

// "I".."X"; empty for any other number.
std::string BankNumeral(int bank);

class StyleCatalogue
{
public:
    // The single instance; built on first use with the numbered flash names.
    static StyleCatalogue& Instance();

    std::string GetStyleName(int index) const;  // short name; empty outside 0..244
    std::string GetStyleLabel(int index) const; // long label; empty outside 0..244

    void SetFlashNamesDefault();
    void SetFlashNamesFactory(bool isPro);
    void SetFlashNameIndividual(int f, const std::string& name);

    // The style list's row text: labels for 0..244, "DiskStyle n" for 245..494.
    bool StyleRowText(int row, std::string& text) const;

    // The style text of an entry label: short name, or "DiskStyle n" above 244.
    std::string StyleTextOf(int styleIndex) const;

private:
    StyleCatalogue();
    std::string shortNames_[kCatalogueStyleCount];
    std::string labels_[kCatalogueStyleCount];
};

} // namespace tessaro
