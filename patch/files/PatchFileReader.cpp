#include "patch/files/PatchFileReader.h"

#include "framework/base/Exceptions.h"
#include "patch/files/PatchFileDumps.h"
#include "patch/files/PatchFileSections.h"
#include "patch/files/detail/GuardedFileStep.h"
#include "synth/protocol/ModuleTypeInfo.h"
#include "synth/files/SectionedTextFile.h"
#include "synth/files/XFileBase.h"

#include <array>
#include <new>
#include <vector>

namespace {

// The highest module index of a voice area.
constexpr int32_t kMaxModuleIndex = 127;
constexpr int32_t kMaxParamValue = 127;
constexpr int32_t kMaxKnob = CMKnobMapDump::kKnobCount - 1;
constexpr int32_t kMaxController = CMCtrlMapDump::kNoController - 1;
constexpr int32_t kNoCableColour = 6;

// The header's first values, in file order; the flags follow them.
enum class EHeaderValue { kByte, kSigned, kFlag };
struct CHeaderField {
    EHeaderValue kind;
    void (*set)(CPatchHeader&, int32_t);
};
constexpr std::array<CHeaderField, 12> kHeaderFields{{
    {EHeaderValue::kByte, [](CPatchHeader& h, int32_t v) { h.SetKbRangeMin(v); }},
    {EHeaderValue::kByte, [](CPatchHeader& h, int32_t v) { h.SetKbRangeMax(v); }},
    {EHeaderValue::kByte, [](CPatchHeader& h, int32_t v) { h.SetVelRangeMin(v); }},
    {EHeaderValue::kByte, [](CPatchHeader& h, int32_t v) { h.SetVelRangeMax(v); }},
    {EHeaderValue::kByte, [](CPatchHeader& h, int32_t v) { h.SetBendRange(v); }},
    {EHeaderValue::kByte, [](CPatchHeader& h, int32_t v) { h.SetPMTime(v); }},
    {EHeaderValue::kSigned, [](CPatchHeader& h, int32_t v) { h.SetPMMode(v == 1 ? 1 : 0); }},
    {EHeaderValue::kByte, [](CPatchHeader& h, int32_t v) { h.SetVoices(v); }},
    {EHeaderValue::kSigned, [](CPatchHeader& h, int32_t v) { h.SetSplitPosition(v); }},
    {EHeaderValue::kByte, [](CPatchHeader& h, int32_t v) { h.SetOctShift(v - 2); }},
    {EHeaderValue::kFlag, [](CPatchHeader& h, int32_t v) { h.SetRetrig(static_cast<uint8_t>(v)); }},
    {EHeaderValue::kFlag, [](CPatchHeader& h, int32_t v) { h.SetCommonRetrig(static_cast<uint8_t>(v)); }},
}};

void Require(bool accepted)
{
    if (!accepted)
        throw XFileBase::Corrupt();
}

} // namespace

void CPatchFileReader::ReadAll(std::string& notes)
{
    ReadPatchHeaderSection();
    ReadModuleDumpSection(1);
    ReadModuleDumpSection(0);
    ReadCurrentNoteDumpSection();
    ReadCableDumpSection(1);
    ReadCableDumpSection(0);
    ReadParameterDumpSection(1);
    ReadParameterDumpSection(0);
    ReadMorphMapDumpSection();
    ReadKnobMapDumpSection();
    ReadCtrlMapDumpSection();
    ReadCustomDumpSection(1);
    ReadCustomDumpSection(0);
    ReadNameDumpSection(1);
    ReadNameDumpSection(0);
    ReadNotesSection(notes);
}

template <class FRead> void CPatchFileReader::Guarded(FRead read)
{
    GuardedFileStep(XFileBase::Corrupt(), read);
}

bool CPatchFileReader::EnterSection(std::string_view name, int area)
{
    // After a number that could not be read, the next section sought is
    // taken as absent (the search clears the failure).
    if (area < 0 || file_.Failed())
        return file_.SeekSection(name) && area < 0;
    // A per-area section is the one whose flag names the area, wherever it
    // stands: forward first, as the sections are written, then from the top,
    // for a file that holds the two areas' sections the other way round.
    const size_t start = file_.GetReadPosition();
    for (const size_t from : {start, size_t{0}}) {
        file_.SetReadPosition(from);
        while (file_.SeekSection(name)) {
            const bool poly = file_.ReadBool();
            if (file_.Failed()) {
                broken_ = true;
                file_.ClearFailure();
                continue;
            }
            if (poly == (area == 1))
                return true;
        }
        if (start == 0)
            break;
    }
    file_.SetReadPosition(start);
    return false;
}

template <class FReadEntry> void CPatchFileReader::ReadEntries(std::string_view name, FReadEntry readEntry)
{
    while (true) {
        if (file_.Failed() || file_.AtEnd()) {
            broken_ = true;
            return;
        }
        if (file_.AtSectionEnd()) {
            ExpectSectionEnd(name);
            return;
        }
        readEntry();
    }
}

void CPatchFileReader::ExpectSectionEnd(std::string_view name)
{
    if (file_.Failed()) {
        broken_ = true;
        return;
    }
    const size_t position = file_.GetReadPosition();
    if (!file_.MatchSectionEnd(name)) {
        // Another section's opening line: keep it for that section.
        file_.ClearFailure();
        file_.SetReadPosition(position);
        broken_ = true;
    }
}

bool CPatchFileReader::EntryComplete()
{
    if (!file_.Failed())
        return true;
    broken_ = true;
    return false;
}

uint8_t CPatchFileReader::ReadModuleIndex()
{
    const int32_t index = file_.ReadSigned();
    if (file_.Failed())
        return 0;
    Require(index >= 1 && index <= kMaxModuleIndex);
    return static_cast<uint8_t>(index);
}

uint8_t CPatchFileReader::ReadModuleType()
{
    const int32_t type = file_.ReadSigned();
    if (file_.Failed())
        return 0;
    const CModuleTypeInfoInterface* const types = GetModuleTypeInfo();
    Require(type >= 1 && type <= 127 && types != nullptr && types->HasType(static_cast<uint8_t>(type)));
    return static_cast<uint8_t>(type);
}

uint8_t CPatchFileReader::ReadLimited(int32_t maximum)
{
    const int32_t value = file_.ReadSigned();
    if (file_.Failed())
        return 0;
    Require(value >= 0 && value <= maximum);
    return static_cast<uint8_t>(value);
}

void CPatchFileReader::ReadPatchHeaderSection()
{
    Guarded([this] {
        CPatchHeader& header = dumps_.header->GetHeader();
        for (const CHeaderField& field : kHeaderFields) {
            const int32_t value = field.kind == EHeaderValue::kByte ? file_.ReadLowByte()
                : field.kind == EHeaderValue::kFlag                 ? file_.ReadBool()
                                                                    : file_.ReadSigned();
            if (!EntryComplete())
                return;
            field.set(header, value);
        }
        for (uint32_t i = 0; i < CPatchHeader::kMorphCount + CPatchHeader::kCableColourCount; ++i) {
            const bool flag = file_.ReadBool();
            if (!EntryComplete())
                return;
            if (i < CPatchHeader::kMorphCount)
                header.SetMorph(i, flag);
            else
                header.SetCableVisible(i - CPatchHeader::kMorphCount, flag);
        }
        ExpectSectionEnd(kSectionHeader);
    });
}

void CPatchFileReader::ReadModuleDumpSection(uint8_t area)
{
    Guarded([this, area] {
        if (!EnterSection(kSectionModules, area))
            return;
        ReadEntries(kSectionModules, [this, area] {
            const uint8_t index = ReadModuleIndex();
            const uint8_t type = ReadModuleType();
            const uint8_t column = file_.ReadLowByte();
            const uint8_t row = file_.ReadLowByte();
            if (EntryComplete())
                Require(dumps_.modules[area]->AddModule(index, type, column, row));
        });
    });
}

void CPatchFileReader::ReadCurrentNoteDumpSection()
{
    Guarded([this] {
        if (!EnterSection(kSectionCurrentNotes))
            return;
        CMCurrentNotesDump& notes = *dumps_.notes;
        const auto readEntry = [this] {
            CNoteEntry entry{};
            for (uint8_t& value : entry)
                value = file_.ReadLowByte();
            return entry;
        };
        const CNoteEntry first = readEntry();
        if (!EntryComplete())
            return;
        notes.SetFirstEntry(first);
        uint32_t count = 0;
        ReadEntries(kSectionCurrentNotes, [&] {
            const CNoteEntry entry = readEntry();
            // The dump holds 32 entries; further ones are ignored.
            if (!EntryComplete() || count >= CMCurrentNotesDump::kMaxEntries)
                return;
            notes.SetEntry(static_cast<uint8_t>(count), entry);
            notes.SetCount(static_cast<uint8_t>(++count));
        });
    });
}

void CPatchFileReader::ReadCableDumpSection(uint8_t area)
{
    Guarded([this, area] {
        if (!EnterSection(kSectionCables, area))
            return;
        ReadEntries(kSectionCables, [this, area] {
            const int32_t colour = file_.ReadSigned();
            std::array<JackAddress, 2> ends;
            for (JackAddress& end : ends) {
                end.module = ReadModuleIndex();
                end.jack = file_.ReadLowByte();
                end.direction = file_.ReadBool() ? 1 : 0;
            }
            if (!EntryComplete())
                return;
            const bool known = colour >= 0 && colour < kNoCableColour;
            Require(
                dumps_.cables[area]->AddCable(static_cast<uint8_t>(known ? colour : kNoCableColour), ends[0], ends[1]));
        });
    });
}

void CPatchFileReader::ReadParameterDumpSection(uint8_t area)
{
    Guarded([this, area] {
        if (!EnterSection(kSectionParameters, area))
            return;
        ReadEntries(kSectionParameters, [this, area] {
            const uint8_t index = ReadModuleIndex();
            const uint8_t type = ReadModuleType();
            const int32_t count = file_.ReadSigned();
            // A parameter index is a byte, and no type has more than 127.
            Require(file_.Failed() || count <= 127);
            std::vector<uint8_t> values;
            for (int32_t i = 0; i < count && !file_.Failed(); ++i)
                values.push_back(ReadLimited(kMaxParamValue));
            if (!EntryComplete())
                return;
            CMModuleParamDump& dump = *dumps_.params[area];
            Require(dump.AddModule(index, type));
            for (size_t param = 0; param < values.size(); ++param)
                Require(dump.SetParameter(index, type, static_cast<uint8_t>(param), values[param]));
        });
    });
}

void CPatchFileReader::ReadMorphMapDumpSection()
{
    Guarded([this] {
        CMMorphMapDump& morphs = *dumps_.morphs;
        if (EnterSection(kSectionMorphs)) {
            std::array<uint8_t, CMMorphMapDump::kGroupCount> values{};
            for (uint8_t& value : values)
                value = ReadLimited(kMaxParamValue);
            if (EntryComplete()) {
                for (uint8_t group = 0; group < values.size(); ++group)
                    morphs.SetGroupValue(group, values[group]);
                ReadEntries(kSectionMorphs, [this, &morphs] {
                    const int32_t location = file_.ReadBool() ? 1 : 0;
                    const uint8_t module = ReadModuleIndex();
                    const uint8_t param = file_.ReadLowByte();
                    const uint8_t group = ReadLimited(CMMorphMapDump::kGroupCount - 1);
                    const int32_t range = file_.ReadSigned();
                    if (EntryComplete())
                        Require(morphs.AddAssignment(ParamAddress{location, module, param}, group, range));
                });
            }
        }
        if (!EnterSection(kSectionKeyboard))
            return;
        std::array<uint8_t, CMMorphMapDump::kGroupCount> assignments{};
        for (uint8_t& assignment : assignments) {
            const int32_t value = file_.ReadSigned();
            assignment = value >= 0 && value < 3 ? static_cast<uint8_t>(value) : 0;
        }
        if (!EntryComplete())
            return;
        for (uint8_t group = 0; group < assignments.size(); ++group)
            morphs.SetKeyboardAssignment(group, assignments[group]);
        ExpectSectionEnd(kSectionKeyboard);
    });
}

void CPatchFileReader::ReadKnobMapDumpSection()
{
    Guarded([this] {
        if (!EnterSection(kSectionKnobs))
            return;
        ReadEntries(kSectionKnobs, [this] {
            const int32_t location = file_.ReadSigned();
            const uint8_t module = ReadModuleIndex();
            const uint8_t param = file_.ReadLowByte();
            const uint8_t knob = ReadLimited(kMaxKnob);
            if (EntryComplete())
                dumps_.knobs->SetAssignment(knob,
                                            ParamAddress{location >= 0 && location <= 2 ? location : 1, module, param});
        });
    });
}

void CPatchFileReader::ReadCtrlMapDumpSection()
{
    Guarded([this] {
        if (!EnterSection(kSectionControllers))
            return;
        ReadEntries(kSectionControllers, [this] {
            const int32_t location = file_.ReadSigned();
            const uint8_t module = ReadModuleIndex();
            const uint8_t param = file_.ReadLowByte();
            const uint8_t controller = ReadLimited(kMaxController);
            if (EntryComplete())
                Require(dumps_.controllers->AddAssignment(
                    ParamAddress{location >= 0 && location <= 2 ? location : 1, module, param}, controller));
        });
    });
}

void CPatchFileReader::ReadCustomDumpSection(uint8_t area)
{
    Guarded([this, area] {
        if (!EnterSection(kSectionCustom, area))
            return;
        ReadEntries(kSectionCustom, [this, area] {
            const uint8_t index = ReadModuleIndex();
            const int32_t count = file_.ReadSigned();
            Require(file_.Failed() || count <= static_cast<int32_t>(CMModuleCustomDataDump::kMaxDataBytes));
            std::vector<uint8_t> data;
            for (int32_t i = 0; i < count && !file_.Failed(); ++i)
                data.push_back(file_.ReadUShortByte());
            if (EntryComplete())
                Require(dumps_.custom[area]->SetData(index, std::move(data)));
        });
    });
}

void CPatchFileReader::ReadNameDumpSection(uint8_t area)
{
    Guarded([this, area] {
        if (!EnterSection(kSectionNames, area))
            return;
        ReadEntries(kSectionNames, [this, area] {
            const uint8_t index = ReadModuleIndex();
            std::string name;
            if (!file_.Failed() && file_.ReadLine(name))
                Require(dumps_.names[area]->AddName(index, std::move(name)));
        });
    });
}

void CPatchFileReader::ReadNotesSection(std::string& notes)
{
    Guarded([this, &notes] {
        notes.clear();
        // The notes section is always written: a file without it broke off.
        if (!EnterSection(kSectionNotes)) {
            broken_ = true;
            return;
        }
        // Every line up to the closing one, empty lines too; a line written
        // with a blank in front loses that one blank. The lines are joined
        // by CR, so notes that ended in CR end with an empty last line.
        const std::string end = "[/" + std::string(kSectionNotes) + "]";
        std::string line;
        bool first = true;
        while (file_.ReadWholeLine(line)) {
            if (line == end)
                return;
            if (!first)
                notes += '\r';
            first = false;
            notes.append(line, !line.empty() && line.front() == ' ' ? 1 : 0);
        }
        broken_ = true;
    });
}
