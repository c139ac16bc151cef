// The settings that are whole numbers, read from and written into a record as
// the entry editor does: the cells, the CSV rows and the comparison share them.
#include "catalogue/EntryRanges.h"
#include "edit/EntryColumns.h"

namespace tessaro {

namespace {

// The byte of a voice a column stands for: its MSB, LSB or program number.
uint8_t& VoiceByte(VoiceRef& voice, ColumnKind kind)
{
    switch (kind) {
    case ColumnKind::PartMsb:
    case ColumnKind::HandMsb:
        return voice.msb;
    case ColumnKind::PartLsb:
    case ColumnKind::HandLsb:
        return voice.lsb;
    default:
        return voice.program;
    }
}

} // namespace

bool IsNumberColumn(const EntryColumn& column)
{
    if (IsFlagColumn(column.kind)) {
        return true; // 0 or 1
    }
    switch (column.kind) {
    case ColumnKind::Tempo:
    case ColumnKind::Variation:
    case ColumnKind::MainVolume:
    case ColumnKind::PartVolume:
    case ColumnKind::HandVolume:
    case ColumnKind::PartMsb:
    case ColumnKind::PartLsb:
    case ColumnKind::PartProgram:
    case ColumnKind::HandMsb:
    case ColumnKind::HandLsb:
    case ColumnKind::HandProgram:
        return true;
    default:
        return false;
    }
}

int NumberOf(const EntryColumn& column, const MdbEntry& record)
{
    switch (column.kind) {
    case ColumnKind::Tempo:
        return record.tempo();
    case ColumnKind::Variation:
        return record.variation();
    case ColumnKind::MainVolume:
        return record.mainVolume();
    case ColumnKind::SyncStart:
        return record.syncStart() ? 1 : 0;
    case ColumnKind::StopAccompaniment:
        return record.stopAccompaniment() ? 1 : 0;
    case ColumnKind::Hold:
        return record.leftHold() ? 1 : 0;
    case ColumnKind::HandOn:
        return record.voiceOn(HandOf(column)) ? 1 : 0;
    case ColumnKind::PartOn:
        return record.partOn(PartOf(column)) ? 1 : 0;
    case ColumnKind::PartVoiceSet:
        return record.partVoiceSet(PartOf(column)) ? 1 : 0;
    case ColumnKind::PartVolumeSet:
        return record.partVolumeSet(PartOf(column)) ? 1 : 0;
    case ColumnKind::PartVolume:
        return record.partVolume(PartOf(column));
    case ColumnKind::HandVolume:
        return record.voiceVolume(HandOf(column));
    case ColumnKind::PartMsb:
    case ColumnKind::PartLsb:
    case ColumnKind::PartProgram: {
        VoiceRef voice = record.partVoice(PartOf(column));
        return VoiceByte(voice, column.kind);
    }
    case ColumnKind::HandMsb:
    case ColumnKind::HandLsb:
    case ColumnKind::HandProgram: {
        VoiceRef voice = record.voice(HandOf(column));
        return VoiceByte(voice, column.kind);
    }
    default:
        return 0;
    }
}

NumberRange RangeOf(const EntryColumn& column)
{
    switch (column.kind) {
    case ColumnKind::Tempo:
        return {kTempoMin, kTempoMax};
    case ColumnKind::Variation:
        return {kVariationFirstByte, kVariationFirstByte + kVariationCount - 1};
    case ColumnKind::MainVolume:
    case ColumnKind::PartVolume:
    case ColumnKind::HandVolume:
        return {0, kVolumeMax};
    case ColumnKind::PartMsb:
    case ColumnKind::PartLsb:
    case ColumnKind::PartProgram:
    case ColumnKind::HandMsb:
    case ColumnKind::HandLsb:
    case ColumnKind::HandProgram:
        return {0, 255};
    default:
        return {0, 1};
    }
}

void WriteNumber(const EntryColumn& column, int value, MdbEntry& record)
{
    const bool on = value == 1;
    switch (column.kind) {
    case ColumnKind::Tempo:
        record.setTempo(uint16_t(value));
        return;
    case ColumnKind::Variation:
        record.setVariation(uint8_t(value));
        return;
    case ColumnKind::MainVolume:
        record.setMainVolume(uint8_t(value));
        return;
    case ColumnKind::SyncStart:
        record.setSyncStart(on);
        return;
    case ColumnKind::StopAccompaniment:
        record.setStopAccompaniment(on);
        return;
    case ColumnKind::Hold:
        record.setLeftHold(on);
        return;
    case ColumnKind::HandOn:
        record.setVoiceOn(HandOf(column), on);
        return;
    case ColumnKind::PartOn:
        record.setPartOn(PartOf(column), on);
        return;
    case ColumnKind::PartVoiceSet:
        record.setPartVoiceSet(PartOf(column), on);
        return;
    case ColumnKind::PartVolumeSet:
        record.setPartVolumeSet(PartOf(column), on);
        return;
    case ColumnKind::PartVolume:
        record.setPartVolume(PartOf(column), uint8_t(value));
        return;
    case ColumnKind::HandVolume:
        record.setVoiceVolume(HandOf(column), uint8_t(value));
        return;
    case ColumnKind::PartMsb:
    case ColumnKind::PartLsb:
    case ColumnKind::PartProgram: {
        VoiceRef voice = record.partVoice(PartOf(column));
        VoiceByte(voice, column.kind) = uint8_t(value);
        record.setPartVoice(PartOf(column), voice);
        return;
    }
    case ColumnKind::HandMsb:
    case ColumnKind::HandLsb:
    case ColumnKind::HandProgram: {
        VoiceRef voice = record.voice(HandOf(column));
        VoiceByte(voice, column.kind) = uint8_t(value);
        record.setVoice(HandOf(column), voice);
        return;
    }
    default:
        return;
    }
}

} // namespace tessaro
