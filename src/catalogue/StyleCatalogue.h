#pragma once
// Names of the 125 preset styles, the 120 flash styles (replaceable at run
// time) and the numbered disk styles.

#include <cstdint>
#include <string>

namespace tessaro {

constexpr int kPresetStyleCount = 125;
constexpr int kFlashStyleCount = 120;
constexpr int kCatalogueStyleCount = 245; // presets + flash styles
constexpr int kStyleListRows = 495;       // + 250 disk styles

// "I".."X"; empty for any other number.
std::string BankNumeral(int bank);

// Whoever shows or reports names owns one and hands it on: the flash names
// change at run time, and each window or tool says which names it shows.
class StyleCatalogue
{
public:
    // With the numbered flash names.
    StyleCatalogue();

    StyleCatalogue(const StyleCatalogue&) = delete;
    StyleCatalogue& operator=(const StyleCatalogue&) = delete;

    std::string GetStyleName(int index) const;  // short name; empty outside 0..244
    std::string GetStyleLabel(int index) const; // long label; empty outside 0..244

    // Flash style f (0..119) sits in bank f / 15 + 1 at slot f % 15 + 1.
    void SetFlashNamesDefault(); // "Flash <bank> - <slot>" for all
    // Factory names; "Vocal Swing" and "Jazz Singer" (f 55, 56) only for the pro.
    void SetFlashNamesFactory(bool isPro);
    // f outside 0..119 is ignored; "No Data" in any letter case gives the numbered name.
    void SetFlashNameIndividual(int f, const std::string& name);

    // The ItemTextFn of the editor's style list (user: the catalogue; item data
    // unused): labels for rows 0..244, "DiskStyle n" with n = row - 244 for 245..494.
    static bool StyleRowText(int row, std::string& text, const void* user, uint32_t itemData = 0);

    // The style text of an entry label: the short name up to 244, above it
    // "DiskStyle n" with n = index - 244; empty below 0.
    std::string StyleTextOf(int styleIndex) const;

private:
    void SetFlashNumbered(int f);
    void SetFlashNamed(int f, const std::string& name);

    std::string shortNames_[kCatalogueStyleCount];
    std::string labels_[kCatalogueStyleCount];
};

// The catalogue with the numbered flash names, for values that show none of
// the flash styles' names (checks, disk styles, voices): read-only, the same
// in every run.
const StyleCatalogue& FixedStyleNames();

} // namespace tessaro
