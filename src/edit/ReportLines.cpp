#include "edit/ReportLines.h"

#include "catalogue/StyleCatalogue.h"
#include "catalogue/VoiceCatalogue.h"
#include "edit/EntryNode.h"

#include <cstdarg>
#include <cstdio>

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

// printf onto the end of out. A %c of code 0 writes a NUL byte, as the C
// library does when it prints to a file, so the result length is used, not strlen.
void AppendF(std::string& out, const char* format, ...)
{
    char buffer[512];
    va_list args;
    va_start(args, format);
    va_list again;
    va_copy(again, args);
    const int length = std::vsnprintf(buffer, sizeof buffer, format, args);
    va_end(args);
    if (length < 0) {
        va_end(again);
        return;
    }
    if (static_cast<std::size_t>(length) < sizeof buffer) {
        out.append(buffer, static_cast<std::size_t>(length));
    } else {
        const std::size_t start = out.size();
        out.resize(start + static_cast<std::size_t>(length) + 1);
        std::vsnprintf(out.data() + start, static_cast<std::size_t>(length) + 1, format, again);
        out.resize(start + static_cast<std::size_t>(length));
    }
    va_end(again);
}

// %c prints its argument as an unsigned char: 8..11 give A..D, and a code past
// 255 wraps round as it does there.
int VariationChar(const MdbEntry& record)
{
    return static_cast<unsigned char>(record.variation() + 57);
}

int Mark(bool on)
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

// The style column: the catalogue label, nothing for a disk style.
std::string ReportLineWriter::StyleColumn(const MdbEntry& record) const
{
    return record.isDiskStyle() ? std::string() : styles_.GetStyleLabel(record.styleNumber());
}

void ReportLineWriter::AppendFormatted(const EntryNode& entry, std::string& out)
{
    const MdbEntry& r = entry.record;
    AppendF(out, "| %-16s | %-16s | %-33s |  %3d  |  Main %c   |  %c   |", entry.GetCategory().c_str(),
            entry.GetTitle().c_str(), StyleColumn(r).c_str(), r.tempo(), VariationChar(r),
            Mark(r.syncStart()));
    for (HandVoice hand : kHandColumns) {
        const char* volumeFormat =
            hand == HandVoice::Left ? " %c %-25s |    %3d    |" : " %c %-25s |   %3d   |";
        AppendF(out, volumeFormat, Mark(r.voiceOn(hand)), VoiceName(r.voice(hand)), r.voiceVolume(hand));
    }
    AppendF(out, "  %c   |   %3d    |", Mark(r.leftHold()), r.mainVolume());
    for (int p = 0; p < kPartCount; ++p) {
        const Part part = static_cast<Part>(p);
        AppendF(out, " %-3s %-3s  %-25s  %-3s %3d |", OnOff(r.partOn(part)), SetText(r.partVoiceSet(part)),
                VoiceName(r.partVoice(part)), SetText(r.partVolumeSet(part)), r.partVolume(part));
    }
    out += kLineEnd;
}

void ReportLineWriter::AppendTabbed(const EntryNode& entry, std::string& out)
{
    const MdbEntry& r = entry.record;
    AppendF(out, "%s\t%s\t%s\t%d\tMain%c\t%s", entry.GetCategory().c_str(), entry.GetTitle().c_str(),
            StyleColumn(r).c_str(), r.tempo(), VariationChar(r), r.syncStart() ? "Sync" : "");
    for (HandVoice hand : kHandColumns) {
        AppendF(out, "\t%c%s\t%d", Mark(r.voiceOn(hand)), VoiceName(r.voice(hand)), r.voiceVolume(hand));
    }
    AppendF(out, "\t%s\t%d", r.leftHold() ? "Hold" : "", r.mainVolume());
    for (int p = 0; p < kPartCount; ++p) {
        const Part part = static_cast<Part>(p);
        AppendF(out, "\t%s\t%s\t%s\t%s\t%d", OnOff(r.partOn(part)), SetText(r.partVoiceSet(part)),
                VoiceName(r.partVoice(part)), SetText(r.partVolumeSet(part)), r.partVolume(part));
    }
    out += kLineEnd;
}

const char* ReportLineWriter::VoiceName(VoiceRef voice)
{
    // A file of random voices must not grow the memo without end.
    constexpr std::size_t kMaxRemembered = 4096;
    const auto known = voiceNames_.find(voice.Packed());
    if (known != voiceNames_.end()) {
        return known->second.c_str();
    }
    if (voiceNames_.size() >= kMaxRemembered) {
        voiceNames_.clear();
    }
    return voiceNames_.emplace(voice.Packed(), VoiceCatalogue::FindVoiceName(voice)).first->second.c_str();
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
