#include "catalogue/StyleCatalogue.h"

#include "data/AsciiCase.h"

#include <iterator>

namespace tessaro {

namespace {

constexpr int kSlotsPerBank = 15;
constexpr const char* kNoData = "No Data";

struct PresetGroup
{
    const char* group;
    int count;
};

// Groups in index order; "&&" is stored for one '&' (ReadableName shows it so).
constexpr PresetGroup kPresetGroups[] = {
    {"8 Beat", 20},  {"16 Beat", 10}, {"Dance", 15},          {"Swing && Jazz", 15}, {"R && B", 15},
    {"Country", 10}, {"Latin", 10},   {"March && Waltz", 10}, {"Ballroom", 20},
};

// clang-format off
constexpr const char* kPresetNames[] = {
    // 8 Beat
    "Heart Beat", "8 Beat 1", "8 Beat 2", "8 Beat 3", "8 Beat 4", "6/8 Slow Rock", "Spicy Beat",
    "8 Beat Adria", "Off Beat", "8 Beat Rock1", "Piano Ballad", "Guitar Ballad", "Organ Ballad", "Love Song",
    "8 Beat Ballad 1", "Acoustic Ballad", "Modern 6/8", "Root Rock 1", "Soft Rock", "Hard Rock",
    // 16 Beat
    "16 Beat 1", "16 Beat 2", "16 Beat 3", "16 Beat 4", "Slow && Easy", "Smooth Jazz", "Uptown Beat",
    "Jazz Rock", "Kool Shuffle", "West End Shuffle",
    // Dance
    "House Musik", "DJ Berlin", "Trance 1", "Hip Hop", "Trip Hop", "Disco Chocolate", "70's Disco",
    "Saturday Night", "Disco Fox", "Techno-Polis", "Euro Shop", "Entrance", "Clubdance", "Flip Hop",
    "Disco Samba",
    // Swing && Jazz
    "Big Band 1", "Big Band 2", "Big Band 3", "Swing 1", "Swing 2", "Acoustic Jazz", "Electric Jazz",
    "Jazz Ballad 1", "Gypsy Swing", "Swingfox", "Dixieland", "Ragtime", "Big Band Ballad", "Shuffle",
    "Piano Swing",
    // R && B ("Modern R&B" keeps its single ampersand)
    "Soul Shuffle", "Soul", "Modern R&B", "Rock && Roll", "Croco Twist", "Gospel Brothers", "Gospel Sisters",
    "Gospel Shuffle", "6/8 Blues", "Boogie Woogie 1", "Amazing Gospel", "Blueberry Blues",
    "60's Rock && Roll", "Funky Fusion", "Rock Shuffle",
    // Country
    "Country Rock", "Country 2/4", "Country Swing 1", "Country Shuffle 1", "Country Ballad", "Country Waltz",
    "Bluegrass 1", "Hoedown", "Country Brothers", "Guitar Pop",
    // Latin
    "Samba City", "Samba Rio", "Bossa Nova", "Fast Bossa", "Mambo 1", "Caribbean", "Carnival", "Gypsy Rumba",
    "Pop Rumba", "Sheriff Reggae",
    // March && Waltz
    "US March", "German March 1", "6/8 March", "Polka Oberkrainer", "Waltz Oberkrainer", "Guitar Serenade",
    "Tarantella 1", "Polka Pop 1", "Jazz Waltz", "Slow Waltz",
    // Ballroom
    "Viennese Waltz", "English Waltz", "Slowfox 1", "Quickstep", "Tango", "Samba", "Rumba", "Cha Cha Cha",
    "Pasodoble 1", "Jive", "Metronome 1/4", "Metronome 2/4", "Metronome 3/4", "Metronome 4/4",
    "Metronome 6/8", "Bass Chord Hold 1", "Bass Chord Hold 2", "Bass Chord Hold 3", "Bass Chord Hold 4",
    "Bass Chord Hold 5",
};
// clang-format on

// clang-format off
// Factory flash styles, bank by bank, 15 slots each.
constexpr const char* kFactoryFlashNames[] = {
    // I
    "60's Rock 1", "60's Rock 2", "8 Beat 5", "8BeatRock2", "8BeatRock3", "8Bt Ballad2", "Barock",
    "Root Rock 2", "Root Rock 3", "Slow Rock", kNoData, kNoData, kNoData, kNoData, kNoData,
    // II
    "UptownShffl", "LA Groove", "Funk", "AnalgBallad", "Hip Hop Pop", "16BtBallad1", "16BtBallad2",
    "EP Ballad", "Pop Ballad", "16RkBallad", kNoData, kNoData, kNoData, kNoData, kNoData,
    // III
    "6/8 Trance", "16DanceShfl", "70's Disco2", "Dance Funk", "Dance Soul", "Disco", "DiscoFusion",
    "DiscoHands", "Eurobeat", "Groundbeat", "Handbag", "Party Pop", "Soul Dance", "Techno 1", "Trance 2",
    // IV
    "Bebop", "BBandShffle", "Cat Groove", "Foxtrot 1", "Foxtrot 2", "JazzBallad2", "LoungePiano",
    "MidnightSwg", "Miller Bld", "OrganQckstp", "Vocal Swing", "Jazz Singer", kNoData, kNoData, kNoData,
    // V
    "16Beat Funk", "60's Rock 3", "BluesShffle", "Boogie 2", "LovelyShffl", "Motown", "Motown Soul",
    "Soul Beat", "Pop Shuffle", "Twist", kNoData, kNoData, kNoData, kNoData, kNoData,
    // VI
    "Bluegrass 2", "Carpenter", "C.TwoStep", "Cntry8Beat1", "Cntry8Beat2", "Country Pop", "CntrySwing2",
    "Cowboy Boog", "Cowboy Rock", "SingerSongW", kNoData, kNoData, kNoData, kNoData, kNoData,
    // VII
    "Espagnole", "RumbaFlamen", "Salsa", "RumbaIsland", "Piano Rumba", "Beguine", "GuitarBossa", "Bossa Band",
    "HappyReggae", "JumboReggae", kNoData, kNoData, kNoData, kNoData, kNoData,
    // VIII
    "Showtune", "Polka Pop 2", "Ger.March 2", "Jig", "Reel", "Musette", "Swing Waltz", "Pop Waltz",
    "Christ 3/4", "Christ 4/4", kNoData, kNoData, kNoData, kNoData, kNoData,
};
// clang-format on

constexpr int PresetGroupTotal()
{
    int total = 0;
    for (const PresetGroup& group : kPresetGroups) {
        total += group.count;
    }
    return total;
}
static_assert(PresetGroupTotal() == kPresetStyleCount);
static_assert(std::size(kPresetNames) == kPresetStyleCount);
static_assert(std::size(kFactoryFlashNames) == kFlashStyleCount);

// Vocal Swing and Jazz Singer are in the flash memory of the PSR-9000pro only.
constexpr int kProOnlyFlashStyles[] = {55, 56};

bool IsProOnlyFlashStyle(int f)
{
    for (int proOnly : kProOnlyFlashStyles) {
        if (f == proOnly) {
            return true;
        }
    }
    return false;
}

bool IsCatalogueIndex(int index)
{
    return index >= 0 && index < kCatalogueStyleCount;
}

std::string DiskStyleText(int index)
{
    return "DiskStyle " + std::to_string(index - (kCatalogueStyleCount - 1));
}

} // namespace

std::string BankNumeral(int bank)
{
    static const char* const kNumerals[] = {"I", "II", "III", "IV", "V", "VI", "VII", "VIII", "IX", "X"};
    if (bank < 1 || bank > int(std::size(kNumerals))) {
        return "";
    }
    return kNumerals[bank - 1];
}

const StyleCatalogue& FixedStyleNames()
{
    static const StyleCatalogue names;
    return names;
}

StyleCatalogue::StyleCatalogue()
{
    int index = 0;
    for (const PresetGroup& group : kPresetGroups) {
        for (int i = 0; i < group.count; ++i, ++index) {
            shortNames_[index] = kPresetNames[index];
            labels_[index] = std::string(group.group) + " - " + kPresetNames[index];
        }
    }
    SetFlashNamesDefault();
}

std::string StyleCatalogue::GetStyleName(int index) const
{
    return IsCatalogueIndex(index) ? shortNames_[index] : "";
}

std::string StyleCatalogue::GetStyleLabel(int index) const
{
    return IsCatalogueIndex(index) ? labels_[index] : "";
}

void StyleCatalogue::SetFlashNumbered(int f)
{
    const std::string text =
        "Flash " + BankNumeral(f / kSlotsPerBank + 1) + " - <" + std::to_string(f % kSlotsPerBank + 1) + ">";
    shortNames_[kPresetStyleCount + f] = text;
    labels_[kPresetStyleCount + f] = text;
}

void StyleCatalogue::SetFlashNamed(int f, const std::string& name)
{
    shortNames_[kPresetStyleCount + f] = name;
    labels_[kPresetStyleCount + f] = "Flash " + BankNumeral(f / kSlotsPerBank + 1) + " - " + name;
}

void StyleCatalogue::SetFlashNamesDefault()
{
    for (int f = 0; f < kFlashStyleCount; ++f) {
        SetFlashNumbered(f);
    }
}

void StyleCatalogue::SetFlashNamesFactory(bool isPro)
{
    for (int f = 0; f < kFlashStyleCount; ++f) {
        const std::string name = kFactoryFlashNames[f];
        if (name == kNoData || (!isPro && IsProOnlyFlashStyle(f))) {
            SetFlashNumbered(f);
        } else {
            SetFlashNamed(f, name);
        }
    }
}

void StyleCatalogue::SetFlashNameIndividual(int f, const std::string& name)
{
    if (f < 0 || f >= kFlashStyleCount) {
        return;
    }
    if (EqualsNoCase(name, kNoData)) {
        SetFlashNumbered(f);
    } else {
        SetFlashNamed(f, name);
    }
}

bool StyleCatalogue::StyleRowText(int row, std::string& text, const void* user, uint32_t /*itemData*/)
{
    const auto* catalogue = static_cast<const StyleCatalogue*>(user);
    if (!catalogue || row < 0 || row >= kStyleListRows) {
        return false;
    }
    text = IsCatalogueIndex(row) ? catalogue->GetStyleLabel(row) : DiskStyleText(row);
    return true;
}

std::string StyleCatalogue::StyleTextOf(int styleIndex) const
{
    if (styleIndex < 0) {
        return "";
    }
    return IsCatalogueIndex(styleIndex) ? shortNames_[styleIndex] : DiskStyleText(styleIndex);
}

} // namespace tessaro
