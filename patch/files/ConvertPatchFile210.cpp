#include "patch/files/ConvertPatchFile210.h"

#include "patch/files/detail/GuardedFileStep.h"

#include "framework/base/Exceptions.h"
#include "patch/files/PatchFileDumps.h"
#include "synth/protocol/ModuleTypeInfo.h"
#include "synth/files/SectionedTextFile.h"
#include "synth/files/XFileBase.h"

#include <algorithm>
#include <charconv>
#include <new>
#include <string_view>

namespace {

constexpr uint8_t kMaxParamValue = 127;
constexpr uint32_t kNoCableColour = 6;
constexpr uint8_t kMaxKnob210 = 23;
constexpr uint32_t kMaxController = 120;
constexpr uint32_t kKeyboardNoteController = 126;
constexpr uint32_t kKeyboardVelocityController = 127;

// A type and a parameter index, for the tables of the 3.0 conversion.
struct CTypeRule {
    uint8_t type;
    uint8_t first;
    uint8_t last;
};

// 2.10 parameters that held three positions became a two-way choice plus a
// new last parameter.
constexpr CTypeRule kTwoWaySplits[] = {
    {4, 1, 1},  {5, 1, 1},  {7, 4, 4},  {8, 3, 3},  {14, 2, 2}, {24, 2, 2},  {26, 2, 2},
    {51, 0, 0}, {79, 0, 0}, {80, 2, 2}, {88, 0, 0}, {92, 5, 5}, {107, 3, 3},
};

// Switches whose sense was reversed.
constexpr CTypeRule kInversions[] = {
    {9, 5, 5},    {10, 4, 4}, {11, 3, 3}, {12, 3, 3}, {13, 3, 3},
    {58, 15, 15}, {85, 4, 4}, {95, 6, 6}, {96, 3, 3}, {106, 18, 23},
};

// How many parameters a "B" bit set unfolds into, by type.
struct CBitSetRule {
    uint8_t type;
    uint8_t count;
};
constexpr CBitSetRule kBitSets[] = {{15, 3}, {90, 3}, {17, 32}, {91, 1}, {106, 5}, {108, 2}};

// How far indices from 32 up move down, by type.
struct CIndexShift {
    uint8_t type;
    uint8_t shift;
};
constexpr CIndexShift kIndexShifts[] = {{15, 14}, {90, 14}, {91, 14}, {17, 28}, {106, 13}, {108, 15}};

template <class TRule> const TRule* FindRule(const auto& table, uint8_t type)
{
    const auto found =
        std::find_if(std::begin(table), std::end(table), [type](const TRule& r) { return r.type == type; });
    return found == std::end(table) ? nullptr : &*found;
}

void Require(bool accepted, const XFileBase& failure)
{
    if (!accepted)
        throw failure;
}

bool IsKeyBlank(char c)
{
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

using HeaderSetter = void (*)(CSectionedTextFile&, CPatchHeader&);
struct CHeaderKey {
    std::string_view key;
    HeaderSetter set;
};
constexpr CHeaderKey kHeaderKeys[] = {
    {"KbRangeMin", [](CSectionedTextFile& f, CPatchHeader& h) { h.SetKbRangeMin(f.ReadLowByte()); }},
    {"KbRangeMax", [](CSectionedTextFile& f, CPatchHeader& h) { h.SetKbRangeMax(f.ReadLowByte()); }},
    {"VelRangeMin", [](CSectionedTextFile& f, CPatchHeader& h) { h.SetVelRangeMin(f.ReadLowByte()); }},
    {"VelRangeMax", [](CSectionedTextFile& f, CPatchHeader& h) { h.SetVelRangeMax(f.ReadLowByte()); }},
    {"BendRange", [](CSectionedTextFile& f, CPatchHeader& h) { h.SetBendRange(f.ReadLowByte()); }},
    {"PMTime", [](CSectionedTextFile& f, CPatchHeader& h) { h.SetPMTime(f.ReadLowByte()); }},
    {"Voices", [](CSectionedTextFile& f, CPatchHeader& h) { h.SetVoices(f.ReadLowByte()); }},
    {"PMMode", [](CSectionedTextFile& f, CPatchHeader& h) { h.SetPMMode(f.ReadSigned() == 1 ? 1 : 0); }},
    {"OctShift", [](CSectionedTextFile& f, CPatchHeader& h) { h.SetOctShift(f.ReadLowByte() - 2); }},
    {"Retrig", [](CSectionedTextFile& f, CPatchHeader& h) { h.SetRetrig(f.ReadBool()); }},
    {"Sustain", [](CSectionedTextFile&, CPatchHeader&) {}},
    {"Cable0", [](CSectionedTextFile& f, CPatchHeader& h) { h.SetCableVisible(0, f.ReadBool()); }},
    {"Cable1", [](CSectionedTextFile& f, CPatchHeader& h) { h.SetCableVisible(1, f.ReadBool()); }},
    {"Cable2", [](CSectionedTextFile& f, CPatchHeader& h) { h.SetCableVisible(2, f.ReadBool()); }},
    {"Cable3", [](CSectionedTextFile& f, CPatchHeader& h) { h.SetCableVisible(3, f.ReadBool()); }},
    {"Morph0", [](CSectionedTextFile& f, CPatchHeader& h) { h.SetMorph(0, f.ReadBool()); }},
    {"Morph1", [](CSectionedTextFile& f, CPatchHeader& h) { h.SetMorph(1, f.ReadBool()); }},
    {"Morph2", [](CSectionedTextFile& f, CPatchHeader& h) { h.SetMorph(2, f.ReadBool()); }},
    {"Morph3", [](CSectionedTextFile& f, CPatchHeader& h) { h.SetMorph(3, f.ReadBool()); }},
};

} // namespace

uint8_t ConvertParamIndex210(uint8_t typeId, uint8_t index)
{
    const CIndexShift* const shift = FindRule<CIndexShift>(kIndexShifts, typeId);
    return index >= 32 && shift != nullptr ? static_cast<uint8_t>(index - shift->shift) : index;
}

// ---- reading

bool ConvertPatchFile210::ReadKey210(std::string& key)
{
    std::string text;
    if (!file_.ReadThrough('=', text))
        return false;
    size_t end = text.size();
    while (end > 0 && IsKeyBlank(text[end - 1]))
        --end;
    size_t start = end;
    while (start > 0 && !IsKeyBlank(text[start - 1]))
        --start;
    key.assign(text, start, end - start);
    return true;
}

template <class FHandleKey> void ConvertPatchFile210::ForEachKey(FHandleKey handle)
{
    std::string key;
    while (!file_.Failed() && !file_.AtSectionEnd() && !file_.AtEnd()) {
        if (!ReadKey210(key))
            break;
        if (!handle(key))
            return;
    }
    if (file_.Failed())
        broken_ = true;
}

bool ConvertPatchFile210::KeyNumber(const std::string& key, size_t skip, uint32_t& number)
{
    if (key.size() <= skip)
        return false;
    const char* const end = key.data() + key.size();
    const auto [stop, error] = std::from_chars(key.data() + skip, end, number);
    return error == std::errc() && stop == end;
}

bool ConvertPatchFile210::Complete()
{
    if (!file_.Failed())
        return true;
    broken_ = true;
    return false;
}

void ConvertPatchFile210::Convert(CPatchFileDumps& dumps, std::string& notes)
{
    GuardedFileStep(XFileBase::Corrupt(), [&] {
        ReadHeader(dumps);
        std::string line;
        while (!file_.Failed() && file_.ReadLastLineOfSection(line)) {
            uint32_t number = 0;
            if (line.size() > 1 && std::string_view(line).substr(1).starts_with("Module ")) {
                const std::string_view digits = std::string_view(line).substr(8);
                const auto [stop, error] = std::from_chars(digits.data(), digits.data() + digits.size(), number);
                Require(error == std::errc(), XFileBase::Corrupt());
                ReadModuleSection(number, dumps);
            } else if (line == "[Controllers]") {
                ReadAssignments(controllers_);
            } else if (line == "[Morphs]") {
                ReadMorphs(dumps);
            } else if (line == "[Knobs]") {
                ReadAssignments(knobs_);
            } else if (line == "[Voices]") {
                ReadVoices(dumps);
            } else if (line == "[Notes]") {
                ReadNotes(notes);
            }
        }
        ResolveAssignments(dumps);
    });
}

void ConvertPatchFile210::ReadHeader(CPatchFileDumps& dumps)
{
    CPatchHeader& header = dumps.header->GetHeader();
    ForEachKey([&](const std::string& key) {
        for (const CHeaderKey& entry : kHeaderKeys) {
            if (entry.key == key)
                entry.set(file_, header);
        }
        return true;
    });
    header.SetCommonRetrig(0);
    header.SetSplitPosition(4000);
}

void ConvertPatchFile210::ReadModuleSection(uint32_t number, CPatchFileDumps& dumps)
{
    Require(number >= 1 && number <= 127, XFileBase::Corrupt());
    CModule210 module;
    module.index = static_cast<uint8_t>(number);
    std::string key;
    std::string name;
    // The first four values by their order only: type, name, column, row.
    ReadKey210(key);
    module.type = file_.ReadLowByte();
    ReadKey210(key);
    name = file_.ReadRestOfLine();
    ReadKey210(key);
    module.column = file_.ReadLowByte();
    ReadKey210(key);
    module.row = file_.ReadLowByte();
    if (!Complete())
        return;
    const CModuleTypeInfoInterface* const types = GetModuleTypeInfo();
    const bool morphModule = module.type == kMorphModuleType;
    Require(morphModule || (types != nullptr && types->HasType(module.type)), XFileBase::Corrupt());
    if (module.index < kTypeTableSize)
        types_[module.index] = module.type;
    if (!morphModule)
        Require(dumps.names[1]->AddName(module.index, name), XFileBase::Corrupt());

    const CBitSetRule* const bitSet = FindRule<CBitSetRule>(kBitSets, module.type);
    ForEachKey([&](const std::string& key) {
        if (key.starts_with('P')) {
            const int32_t value = file_.ReadSigned();
            if (Complete()) {
                Require(value >= 0 && value <= kMaxParamValue, XFileBase::Corrupt());
                module.params.push_back(static_cast<uint8_t>(value));
            }
        } else if (key.starts_with('B')) {
            const uint32_t bits = file_.ReadUnsigned();
            for (uint8_t i = 0; Complete() && bitSet != nullptr && i < bitSet->count; ++i)
                module.params.push_back((bits >> i) & 1);
        } else if (uint32_t jack = 0; key.starts_with('I') && KeyNumber(key, 2, jack) && jack <= 0xFF) {
            CCable210 cable{0, module.index, static_cast<uint8_t>(jack), 0, 0};
            const int32_t source = file_.ReadSigned();
            std::string next;
            ReadKey210(next);
            cable.sourceJack = file_.ReadLowByte();
            ReadKey210(next);
            cable.colour = static_cast<uint8_t>(std::min(file_.ReadUnsigned(), kNoCableColour));
            if (Complete()) {
                Require(source >= 1 && source <= 127, XFileBase::Corrupt());
                cable.sourceModule = static_cast<uint8_t>(source);
                cables_.push_back(cable);
            }
        }
        return true;
    });
    modules_.push_back(std::move(module));
}

void ConvertPatchFile210::ReadAssignments(std::vector<CAssignment210>& assignments)
{
    ForEachKey([&](const std::string& key) {
        CAssignment210 entry;
        if (!key.starts_with('M') || !KeyNumber(key, 1, entry.number))
            return true;
        entry.module = file_.ReadLowByte();
        std::string next;
        ReadKey210(next);
        entry.param = file_.ReadLowByte();
        if (Complete())
            assignments.push_back(entry);
        return true;
    });
}

void ConvertPatchFile210::ReadMorphs(CPatchFileDumps& dumps)
{
    ForEachKey([&](const std::string& key) {
        if (!key.starts_with('M'))
            return true;
        std::string next;
        const uint8_t module = file_.ReadLowByte();
        ReadKey210(next);
        const uint8_t param = file_.ReadLowByte();
        ReadKey210(next);
        const int32_t group = file_.ReadSigned();
        ReadKey210(next);
        const int32_t range = file_.ReadSigned();
        // Group 4 and above: not assigned.
        if (Complete() && group >= 0 && group < CMMorphMapDump::kGroupCount)
            Require(dumps.morphs->AddAssignment(ParamAddress{1, module, param}, static_cast<uint8_t>(group), range),
                    XFileBase::Corrupt());
        return true;
    });
}

void ConvertPatchFile210::ReadVoices(CPatchFileDumps& dumps)
{
    CMCurrentNotesDump& notes = *dumps.notes;
    uint32_t values = 0;
    ForEachKey([&](const std::string&) {
        const uint32_t packed = file_.ReadUnsigned();
        if (!Complete())
            return true;
        const CNoteEntry entry{static_cast<uint8_t>(packed & 0xFF), static_cast<uint8_t>((packed >> 8) & 0xFF),
                               static_cast<uint8_t>((packed >> 16) & 0xFF)};
        // The first value is the first entry; the dump's table holds 32 more.
        if (values == 0)
            notes.SetFirstEntry(entry);
        else if (values <= CMCurrentNotesDump::kMaxEntries)
            notes.SetEntry(static_cast<uint8_t>(values - 1), entry);
        ++values;
        return true;
    });
    const uint32_t count = std::clamp<uint32_t>(values > 0 ? values - 1 : 0, 1, CMCurrentNotesDump::kMaxEntries);
    notes.SetCount(static_cast<uint8_t>(count));
}

void ConvertPatchFile210::ReadNotes(std::string& notes)
{
    std::string key;
    if (!ReadKey210(key) || key != "Count") {
        Complete();
        return;
    }
    const int32_t count = file_.ReadSigned();
    for (int32_t i = 0; i < count && Complete(); ++i) {
        if (!ReadKey210(key))
            break;
        notes += file_.ReadRestOfLine();
        notes += '\r';
    }
    Complete();
}

void ConvertPatchFile210::ResolveAssignments(CPatchFileDumps& dumps)
{
    // Each entry's module type is known only once every module section is read.
    const auto address = [this](const CAssignment210& entry) {
        const uint8_t type = TypeOf(entry.module);
        const uint8_t param = ConvertParamIndex210(type, entry.param);
        return type == kMorphModuleType ? ParamAddress{2, 1, param} : ParamAddress{1, entry.module, param};
    };
    for (const CAssignment210& entry : controllers_) {
        if (entry.number <= kMaxController) {
            Require(dumps.controllers->AddAssignment(address(entry), static_cast<uint8_t>(entry.number)),
                    XFileBase::Corrupt());
        } else if (entry.number == kKeyboardNoteController || entry.number == kKeyboardVelocityController) {
            dumps.morphs->SetKeyboardAssignment(entry.param, entry.number == kKeyboardNoteController ? 2 : 1);
        }
    }
    for (const CAssignment210& entry : knobs_) {
        const uint8_t knob = static_cast<uint8_t>(std::min<uint32_t>(entry.number, kMaxKnob210));
        dumps.knobs->SetAssignment(knob, address(entry));
    }
}

// ---- the 3.0 shape

void ConvertPatchFile210::ConvertMaps(CPatchFileDumps& dumps)
{
    const XFileBase failure = XFileBase::ConversionProblem();
    GuardedFileStep(failure, [&] {
        for (CModule210& module : modules_) {
            if (module.type != kMorphModuleType)
                Require(dumps.modules[1]->AddModule(module.index, module.type, module.column,
                                                    static_cast<uint8_t>(std::min(module.row * 2, 255))),
                        failure);
            std::vector<uint8_t>& params = module.params;
            if (params.empty())
                continue;
            if (module.type == kMorphModuleType) {
                Require(params.size() >= CMMorphMapDump::kGroupCount, failure);
                for (uint8_t group = 0; group < CMMorphMapDump::kGroupCount; ++group)
                    dumps.morphs->SetGroupValue(group, params[group]);
                continue;
            }
            if (const CTypeRule* split = FindRule<CTypeRule>(kTwoWaySplits, module.type)) {
                Require(params.size() > split->first, failure);
                const bool wasZero = params[split->first] == 0;
                if (!wasZero)
                    --params[split->first];
                params.push_back(wasZero ? 1 : 0);
            }
            if (const CTypeRule* inversion = FindRule<CTypeRule>(kInversions, module.type)) {
                Require(params.size() > inversion->last, failure);
                for (uint8_t k = inversion->first; k <= inversion->last; ++k)
                    params[k] = params[k] == 0 ? 1 : 0;
            }
            Require(params.size() <= 127, failure);
            for (size_t i = 0; i < params.size(); ++i)
                Require(dumps.params[1]->SetParameter(module.index, module.type, static_cast<uint8_t>(i), params[i]),
                        failure);
        }
        for (const CCable210& cable : cables_) {
            JackAddress source{cable.sourceModule, cable.sourceJack, 0};
            if (source.jack >= 64) {
                source.jack -= 64;
                source.direction = 1;
            }
            Require(dumps.cables[1]->AddCable(cable.colour, JackAddress{cable.module, cable.jack, 0}, source), failure);
        }
    });
}
