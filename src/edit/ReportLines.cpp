#include "edit/ReportLines.h"

#include "catalogue/StyleCatalogue.h"
#include "catalogue/VoiceCatalogue.h"
#include "edit/EntryNode.h"

#include <charconv>

namespace tessaro {

namespace {

constexpr char kLineEnd[] = "\r\n";

constexpr char kFormattedHeader[] =
    "| Category         | Entry            | Style                             | Tempo | Variation | Sync "
    "| R1-Voice                    | R1-Vol. | R2-Voice                    | R2-Vol. | R3-Voice           "
    "         | R3-Vol. | Left-Voice                  | Left-Vol. | Hold | Acc-Vol. | Rhy1               "
    "                    Vol. | Rhy2                                   Vol. | Bass                         "
    "          Vol. | Chd1                                   Vol. | Chd2                                   "
    "Vol. | Pad                                    Vol. | Phr1                                   Vol. | Phr2"
    "                                   Vol. |";

constexpr char kFormattedRule[] =
    "|------------------|------------------|-----------------------------------|-------|-----------|------"
    "|-----------------------------|---------|-----------------------------|---------|--------------------"
    "---------|---------|-----------------------------|-----------|------|----------|--------------------"
    "-------------------------|---------------------------------------------|-----------------------------"
    "----------------|---------------------------------------------|--------------------------------------"
    "-------|---------------------------------------------|---------------------------------------------|--"
    "-------------------------------------------|";

constexpr const char* kTabColumns[] = {
    "Category",    "Entry",       "Style",      "Tempo",       "Variation",   "Sync",        "R1-Voice",
    "R1-Vol",      "R2-Voice",    "R2-Vol",     "R3-Voice",    "R3-Vol",      "Left-Voice",  "Left-Vol",
    "Hold",        "Acc-Vol",     "Rhy1-OnOff", "Rhy1-Set",    "Rhy1-Voice",  "Rhy1-SetVol", "Rhy1-Vol",
    "Rhy2-OnOff",  "Rhy2-Set",    "Rhy2-Voice", "Rhy2-SetVol", "Rhy2-Vol",    "Bass-OnOff",  "Bass-Set",
    "Bass-Voice",  "Bass-SetVol", "Bass-Vol",   "Chd1-OnOff",  "Chd1-Set",    "Chd1-Voice",  "Chd1-SetVol",
    "Chd1-Vol",    "Chd2-OnOff",  "Chd2-Set",   "Chd2-Voice",  "Chd2-SetVol", "Chd2-Vol",    "Pad-OnOff",
    "Pad-Set",     "Pad-Voice",   "Pad-SetVol", "Pad-Vol",     "Phr1-OnOff",  "Phr1-Set",    "Phr1-Voice",
    "Phr1-SetVol", "Phr1-Vol",    "Phr2-OnOff", "Phr2-Set",    "Phr2-Voice",  "Phr2-SetVol", "Phr2-Vol",
};

// The right-hand voices print before the Left voice.
constexpr HandVoice kHandColumns[] = {HandVoice::R1, HandVoice::R2, HandVoice::R3, HandVoice::Left};

// The conversions the lines were first written with (printf's %s, %-Ns,
// %d, %Nd), appended straight to the line: a report of a million entries
// would otherwise spend most of its time parsing formats.

// %s reads a C string: up to a NUL.
std::string_view AsCString(std::string_view text)
{
    return text.substr(0, text.find('\0'));
}

void Padded(std::string& out, std::string_view text, std::size_t width)
{
    out.append(text);
    if (text.size() < width)
        out.append(width - text.size(), ' ');
}

void Number(std::string& out, int value, std::size_t width = 0)
{
    char digits[16];
    const std::size_t length = std::size_t(std::to_chars(digits, digits + sizeof digits, value).ptr - digits);
    if (length < width)
        out.append(width - length, ' ');
    out.append(digits, length);
}

// %c printed its argument as an unsigned char: 8..11 give A..D, and a code
// past 255 wraps round (0 gives a NUL byte, which the line keeps).
char VariationChar(const MdbEntry& record)
{
    return static_cast<char>(static_cast<unsigned char>(record.variation() + 57));
}

char Mark(bool on)
{
    return on ? '*' : ' ';
}

const char* OnOff(bool on)
{
    return on ? "on" : "off";
}

const char* SetText(bool set)
{
    return set ? "set" : "";
}

} // namespace

ReportLineWriter::ReportLineWriter(ReportKind kind, const StyleCatalogue& styles) : kind_(kind), styles_(styles)
{
    for (int style = 0; style < kDiskStyleMarker; ++style)
        styleLabels_[std::size_t(style)] = styles_.GetStyleLabel(style);
}

// The style column: the catalogue label, nothing for a disk style.
std::string_view ReportLineWriter::StyleColumn(const MdbEntry& record) const
{
    return record.isDiskStyle() ? std::string_view() : AsCString(styleLabels_[record.styleNumber()]);
}

void ReportLineWriter::AppendFormatted(const EntryNode& entry, std::string& out)
{
    const MdbEntry& r = entry.record;
    out += "| ";
    Padded(out, r.CategoryBytes(), 16);
    out += " | ";
    Padded(out, r.TitleBytes(), 16);
    out += " | ";
    Padded(out, StyleColumn(r), 33);
    out += " |  ";
    Number(out, r.tempo(), 3);
    out += "  |  Main ";
    out += VariationChar(r);
    out += "   |  ";
    out += Mark(r.syncStart());
    out += "   |";
    for (HandVoice hand : kHandColumns) {
        const bool left = hand == HandVoice::Left;
        out += ' ';
        out += Mark(r.voiceOn(hand));
        out += ' ';
        Padded(out, VoiceName(r.voice(hand)), 25);
        out += left ? " |    " : " |   ";
        Number(out, r.voiceVolume(hand), 3);
        out += left ? "    |" : "   |";
    }
    out += "  ";
    out += Mark(r.leftHold());
    out += "   |   ";
    Number(out, r.mainVolume(), 3);
    out += "    |";
    for (int p = 0; p < kPartCount; ++p) {
        const Part part = static_cast<Part>(p);
        out += ' ';
        Padded(out, OnOff(r.partOn(part)), 3);
        out += ' ';
        Padded(out, SetText(r.partVoiceSet(part)), 3);
        out += "  ";
        Padded(out, VoiceName(r.partVoice(part)), 25);
        out += "  ";
        Padded(out, SetText(r.partVolumeSet(part)), 3);
        out += ' ';
        Number(out, r.partVolume(part), 3);
        out += " |";
    }
    out += kLineEnd;
}

void ReportLineWriter::AppendTabbed(const EntryNode& entry, std::string& out)
{
    const MdbEntry& r = entry.record;
    out += r.CategoryBytes();
    out += '\t';
    out += r.TitleBytes();
    out += '\t';
    out += StyleColumn(r);
    out += '\t';
    Number(out, r.tempo());
    out += "\tMain";
    out += VariationChar(r);
    out += '\t';
    out += r.syncStart() ? "Sync" : "";
    for (HandVoice hand : kHandColumns) {
        out += '\t';
        out += Mark(r.voiceOn(hand));
        out += VoiceName(r.voice(hand));
        out += '\t';
        Number(out, r.voiceVolume(hand));
    }
    out += '\t';
    out += r.leftHold() ? "Hold" : "";
    out += '\t';
    Number(out, r.mainVolume());
    for (int p = 0; p < kPartCount; ++p) {
        const Part part = static_cast<Part>(p);
        out += '\t';
        out += OnOff(r.partOn(part));
        out += '\t';
        out += SetText(r.partVoiceSet(part));
        out += '\t';
        out += VoiceName(r.partVoice(part));
        out += '\t';
        out += SetText(r.partVolumeSet(part));
        out += '\t';
        Number(out, r.partVolume(part));
    }
    out += kLineEnd;
}

std::string_view ReportLineWriter::VoiceName(VoiceRef voice)
{
    // A file of random voices must not grow the memo without end.
    constexpr std::size_t kMaxRemembered = 4096;
    const auto known = voiceNames_.find(voice.Packed());
    if (known != voiceNames_.end()) {
        return known->second;
    }
    if (voiceNames_.size() >= kMaxRemembered) {
        voiceNames_.clear();
    }
    const std::string name = VoiceCatalogue::FindVoiceName(voice);
    return voiceNames_.emplace(voice.Packed(), AsCString(name)).first->second;
}

std::string ReportHeader(ReportKind kind)
{
    std::string header;
    if (kind == ReportKind::Formatted) {
        header = std::string(kFormattedHeader) + kLineEnd + kFormattedRule + kLineEnd;
    } else {
        for (const char* column : kTabColumns) {
            if (!header.empty()) {
                header += '\t';
            }
            header += column;
        }
        header += kLineEnd;
    }
    return header;
}

void ReportLineWriter::Append(const EntryNode& entry, std::string& out)
{
    if (kind_ == ReportKind::Formatted) {
        AppendFormatted(entry, out);
    } else {
        AppendTabbed(entry, out);
    }
}

} // namespace tessaro
