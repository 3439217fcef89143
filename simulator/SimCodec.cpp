#include "simulator/SimCodec.h"

#include <algorithm>
#include <sstream>

namespace sim {

namespace {

constexpr const char* kDump = nullptr;

constexpr SimMoleculeSpec kMolecules[] = {
    // The synthesizer as a whole.
    {0x02, "SynthDataRequest", "", SimScope::Synth},
    {0x03, "SynthDataDump", kDump, SimScope::Synth},
    {0x04, "NumberOfVoicesRequest", "", SimScope::Synth},
    {0x06, "SlotSelectionRequest", "", SimScope::Synth},
    {0x07, "SlotSelectionDump", "z4 u1 u1 u1 u1", SimScope::Synth},
    {0x08, "SlotFocusRequest", "", SimScope::Synth},
    {0x09, "SlotFocusDump", "z5 u1 u2", SimScope::Synth},
    {0x35, "SessionNumberRequest", "", SimScope::Synth},
    {0x37, "DumpBubbleDestination", "b b b t", SimScope::Synth},
    {0x56, "PlayNote", "b b", SimScope::Synth},
    // Flash.
    {0x0A, "FlashLoadCommand", "b b b", SimScope::Flash},
    {0x0B, "FlashStoreCommand", "b b b", SimScope::Flash},
    {0x0C, "FlashDeleteCommand", "b b b", SimScope::Flash},
    {0x14, "FlashDataRequest", "b b", SimScope::Flash},
    {0x17, "FlashDumpRequest", "b b", SimScope::Flash},
    // Requests for the parts of a slot's patch.
    {0x20, "PatchHeaderRequest", "", SimScope::Patch},
    {0x28, "PatchNameRequest", "", SimScope::Patch},
    {0x2E, "ParamFocusRequest", "", SimScope::Patch},
    {0x4B, "ModuleRequest", "b", SimScope::Patch},
    {0x4C, "ModuleParamRequest", "b", SimScope::Patch},
    {0x4E, "ModuleNameRequest", "b", SimScope::Patch},
    {0x4F, "ModuleCustomDataRequest", "b", SimScope::Patch},
    {0x53, "CableRequest", "b", SimScope::Patch},
    {0x61, "CtrlMapRequest", "", SimScope::Patch},
    {0x63, "KnobMapRequest", "", SimScope::Patch},
    {0x66, "MorphMapRequest", "", SimScope::Patch},
    {0x68, "CurrentNotesRequest", "", SimScope::Patch},
    {0x70, "FlushBlink", "", SimScope::Patch},
    // Edits of a slot's patch.
    {0x21, "PatchHeaderDump", kDump, SimScope::Patch},
    {0x22, "CtrlAssign", "b b b z1 u7", SimScope::Patch},
    {0x23, "CtrlDeassign", "z1 u7", SimScope::Patch},
    {0x25, "KnobAssign", "b b z1 u2 u5", SimScope::Patch},
    {0x26, "KnobDeassign", "z3 u5", SimScope::Patch},
    {0x27, "PatchNameDump", "t", SimScope::Patch},
    {0x2F, "ParamFocusDump", "b b b b", SimScope::Patch},
    {0x30, "ModuleNew", "b b b b b t", SimScope::Patch},
    {0x32, "ModuleDelete", "b b", SimScope::Patch},
    {0x33, "ModuleName", "b b t", SimScope::Patch},
    {0x34, "ModuleMove", "b b b b", SimScope::Patch},
    {0x40, "ParamChange", "b b b b", SimScope::Patch},
    {0x42, "CustomData", "b b c", SimScope::Patch},
    {0x43, "MorphChange", "b b b b b", SimScope::Patch},
    {0x4A, "ModuleDump", kDump, SimScope::Patch},
    {0x4D, "ModuleParamDump", kDump, SimScope::Patch},
    {0x50, "CableConnect", "z3 u1 u1 u3 b b b b", SimScope::Patch},
    {0x51, "CableDelete", "z6 u1 u1 b b b b", SimScope::Patch},
    {0x52, "CableDump", kDump, SimScope::Patch},
    {0x54, "CableRecolor", "z4 u1 u3 b b b b", SimScope::Patch},
    {0x55, "SendCtrlSnap", "", SimScope::Patch},
    {0x5A, "ModuleNameDump", kDump, SimScope::Patch},
    {0x5B, "ModuleCustomDataDump", kDump, SimScope::Patch},
    {0x60, "CtrlMapDump", kDump, SimScope::Patch},
    {0x62, "KnobMapDump", kDump, SimScope::Patch},
    {0x64, "MorphAssign", "z6 u1 u1 b b b b b", SimScope::Patch},
    {0x65, "MorphMapDump", kDump, SimScope::Patch},
    {0x67, "MorphKeyboardAssign", "b b", SimScope::Patch},
    {0x69, "CurrentNotesDump", kDump, SimScope::Patch},
};

std::vector<std::string> Tokens(const char* layout)
{
    std::istringstream in(layout);
    std::vector<std::string> tokens;
    for (std::string t; in >> t;)
        tokens.push_back(t);
    return tokens;
}

unsigned Width(const std::string& token)
{
    return static_cast<unsigned>(std::stoi(token.substr(1)));
}

void ReadLayout(CSimBitReader& in, const char* layout, SimMol& mol)
{
    for (const std::string& t : Tokens(layout)) {
        switch (t[0]) {
        case 'b':
            mol.v.push_back(static_cast<int>(in.Byte()));
            break;
        case 'u':
            mol.v.push_back(static_cast<int>(in.Bits(Width(t))));
            break;
        case 'z':
            in.Bits(Width(t));
            break;
        case 't':
            mol.text = in.Text16();
            break;
        case 'c': {
            const unsigned n = in.Byte();
            for (unsigned i = 0; i < n; ++i)
                mol.data.push_back(static_cast<uint8_t>(in.Byte()));
            break;
        }
        }
    }
}

SimParamRef ReadRef(CSimBitReader& in, unsigned areaBits)
{
    SimParamRef r;
    r.area = static_cast<int>(in.Bits(areaBits));
    r.module = static_cast<int>(in.Bits(7));
    r.param = static_cast<int>(in.Bits(7));
    return r;
}

void WriteRef(CSimBitWriter& out, unsigned areaBits, const SimParamRef& r)
{
    out.Bits(areaBits, static_cast<unsigned>(r.area));
    out.Bits(7, static_cast<unsigned>(r.module));
    out.Bits(7, static_cast<unsigned>(r.param));
}

SimSettings ReadSettings(CSimBitReader& in)
{
    SimSettings s;
    s.internalClock = static_cast<int>(in.Bits(1));
    s.velMin = static_cast<int>(in.Bits(7));
    s.ledsActive = static_cast<int>(in.Bits(1));
    s.velMax = static_cast<int>(in.Bits(7));
    s.clockRate = static_cast<int>(in.Byte());
    s.localOn = static_cast<int>(in.Bits(1));
    s.keyboardMode = static_cast<int>(in.Bits(1));
    s.pedalPolarity = static_cast<int>(in.Bits(1));
    s.globalSync = static_cast<int>(in.Bits(5)) + 1;
    s.masterTune = static_cast<int8_t>(in.Byte());
    s.progChangeReceive = static_cast<int>(in.Bits(1));
    s.progChangeSend = static_cast<int>(in.Bits(1));
    s.knobMode = static_cast<int>(in.Bits(1));
    s.name = in.Text16();
    for (SimSlotSettings& slot : s.slots) {
        const unsigned channel = in.Byte();
        slot.active = channel <= 15;
        slot.channel = slot.active ? static_cast<int>(channel) : 0;
        for (int& value : slot.values)
            value = static_cast<int>(in.Bits(2));
    }
    return s;
}

SimHeader ReadHeader(CSimBitReader& in)
{
    SimHeader h;
    h.kbMin = static_cast<int>(in.Bits(7));
    h.kbMax = static_cast<int>(in.Bits(7));
    h.velMin = static_cast<int>(in.Bits(7));
    h.velMax = static_cast<int>(in.Bits(7));
    h.bendRange = static_cast<int>(in.Bits(5));
    h.pmTime = static_cast<int>(in.Bits(7));
    h.pmMode = static_cast<int>(in.Bits(1));
    h.pedalMode = in.Bits(1) ? 0 : 1;
    h.voices = static_cast<int>(in.Bits(5)) + 1;
    h.split = static_cast<int>(in.Bits(7) << 7);
    h.split |= static_cast<int>(in.Bits(7));
    h.octShift = static_cast<int>(in.Bits(3)) - 2;
    for (int& c : h.cables)
        c = static_cast<int>(in.Bits(1));
    h.commonRetrig = static_cast<int>(in.Bits(1));
    h.retrig = static_cast<int>(in.Bits(1));
    for (int& m : h.morphs)
        m = static_cast<int>(in.Bits(1));
    return h;
}

void ReadAreaDump(CSimBitReader& in, uint8_t id, SimMol& mol, const CSimModuleTypes& types)
{
    mol.area = static_cast<int>(in.Bits(1));
    SimArea& area = mol.part->areas[mol.area];
    if (id == 0x52) {
        const unsigned count = in.Byte();
        for (unsigned i = 0; i < count; ++i) {
            SimCable c;
            c.colour = std::min(6, static_cast<int>(in.Bits(3)));
            c.a.module = static_cast<int>(in.Bits(7));
            c.a.jack = static_cast<int>(in.Bits(6));
            c.a.output = in.Bits(1);
            c.b.module = static_cast<int>(in.Bits(7));
            c.b.jack = static_cast<int>(in.Bits(6));
            area.cables.push_back(c);
        }
        return;
    }
    const unsigned count = in.Bits(7);
    for (unsigned i = 0; i < count; ++i) {
        switch (id) {
        case 0x4A: {
            SimModule m;
            m.type = static_cast<int>(in.Bits(7));
            const int index = static_cast<int>(in.Bits(7));
            m.column = static_cast<int>(in.Bits(7));
            m.row = static_cast<int>(in.Bits(7));
            area.modules[index] = m;
            break;
        }
        case 0x4D: {
            const int index = static_cast<int>(in.Bits(7));
            const auto type = static_cast<uint8_t>(in.Bits(7));
            if (!types.HasType(type))
                throw XSimParse(kErrorStream, "parameter dump of an unknown module type");
            SimModule& m = area.modules[index];
            m.type = type;
            for (uint8_t p = 0; p < types.ParamCount(type); ++p)
                m.params.push_back(static_cast<int>(in.Bits(BitsForMax(types.ParamMax(type, p)))));
            break;
        }
        case 0x5A: {
            const int index = static_cast<int>(in.Byte());
            area.modules[index].name = in.Text16();
            break;
        }
        case 0x5B: {
            const int index = static_cast<int>(in.Bits(7));
            const unsigned n = in.Bits(8);
            SimModule& m = area.modules[index];
            for (unsigned b = 0; b < n; ++b)
                m.custom.push_back(static_cast<uint8_t>(in.Bits(8)));
            break;
        }
        }
    }
}

void ReadPatchDump(CSimBitReader& in, SimMol& mol, const CSimModuleTypes& types)
{
    mol.part = std::make_shared<SimPatch>();
    SimPatch& p = *mol.part;
    switch (mol.id) {
    case 0x03:
        mol.settings = std::make_shared<SimSettings>(ReadSettings(in));
        break;
    case 0x21:
        p.header = ReadHeader(in);
        break;
    case 0x60: {
        const unsigned count = in.Bits(7);
        for (unsigned i = 0; i < count; ++i) {
            SimCtrl c;
            c.controller = std::min(121, static_cast<int>(in.Bits(7)));
            c.ref = ReadRef(in, 2);
            p.ctrls.push_back(c);
        }
        break;
    }
    case 0x62:
        for (SimKnob& k : p.knobs) {
            k.assigned = in.Bits(1);
            if (k.assigned)
                k.ref = ReadRef(in, 2);
        }
        break;
    case 0x65: {
        for (int& v : p.morph.values)
            v = static_cast<int>(in.Bits(7));
        for (int& k : p.morph.keyboard)
            k = static_cast<int>(in.Bits(2));
        const unsigned count = in.Bits(5);
        for (unsigned i = 0; i < count; ++i) {
            SimMorphAssign m;
            m.ref = ReadRef(in, 1);
            m.group = static_cast<int>(in.Bits(2));
            m.range = static_cast<int8_t>(in.Bits(8));
            p.morph.assigns.push_back(m);
        }
        break;
    }
    case 0x69: {
        for (int& v : p.notes.first)
            v = static_cast<int>(in.Bits(7));
        const unsigned count = in.Bits(5) + 1;
        p.notes.entries.assign(count, SimNote{});
        for (SimNote& n : p.notes.entries)
            for (int& v : n)
                v = static_cast<int>(in.Bits(7));
        break;
    }
    default:
        ReadAreaDump(in, mol.id, mol, types);
        break;
    }
}

} // namespace

const SimMoleculeSpec* FindMoleculeSpec(uint8_t id)
{
    for (const SimMoleculeSpec& spec : kMolecules)
        if (spec.id == id)
            return &spec;
    return nullptr;
}

SimMol ReadMolecule(CSimBitReader& in, const CSimModuleTypes& types)
{
    SimMol mol;
    mol.id = static_cast<uint8_t>(in.Byte());
    const SimMoleculeSpec* spec = FindMoleculeSpec(mol.id);
    if (!spec)
        throw XSimParse(kErrorInSynth, "unknown molecule id " + std::to_string(mol.id));
    if (spec->layout)
        ReadLayout(in, spec->layout, mol);
    else
        ReadPatchDump(in, mol, types);
    return mol;
}

void WriteSimple(CSimBitWriter& out, uint8_t id, const std::vector<int>& values, const std::string& text,
                 const Bytes& data)
{
    const SimMoleculeSpec* spec = FindMoleculeSpec(id);
    out.Byte(id);
    if (!spec || !spec->layout)
        return;
    size_t next = 0;
    const auto value = [&] { return next < values.size() ? static_cast<unsigned>(values[next++]) : 0u; };
    for (const std::string& t : Tokens(spec->layout)) {
        switch (t[0]) {
        case 'b':
            out.Byte(value());
            break;
        case 'u':
            out.Bits(Width(t), value());
            break;
        case 'z':
            out.Bits(Width(t), 0);
            break;
        case 't':
            out.Text16(text);
            break;
        case 'c':
            out.Byte(static_cast<unsigned>(data.size()));
            for (uint8_t b : data)
                out.Byte(b);
            break;
        }
    }
}

void WriteSettingsDump(CSimBitWriter& out, const SimSettings& s)
{
    out.Byte(0x03);
    out.Bits(1, s.internalClock != 0);
    out.Bits(7, static_cast<unsigned>(s.velMin));
    out.Bits(1, s.ledsActive != 0);
    out.Bits(7, static_cast<unsigned>(s.velMax));
    out.Byte(static_cast<unsigned>(s.clockRate));
    out.Bits(1, s.localOn != 0);
    out.Bits(1, s.keyboardMode != 0);
    out.Bits(1, s.pedalPolarity != 0);
    out.Bits(5, static_cast<unsigned>(std::clamp(s.globalSync, 1, 32) - 1));
    out.Byte(static_cast<uint8_t>(static_cast<int8_t>(s.masterTune)));
    out.Bits(1, s.progChangeReceive != 0);
    out.Bits(1, s.progChangeSend != 0);
    out.Bits(1, s.knobMode != 0);
    out.Text16(s.name);
    for (const SimSlotSettings& slot : s.slots) {
        out.Byte(slot.active ? static_cast<unsigned>(std::clamp(slot.channel, 0, 15)) : 0x10u);
        for (int v : slot.values)
            out.Bits(2, static_cast<unsigned>(std::clamp(v, 0, 3)));
    }
}

void WriteVoicesDump(CSimBitWriter& out, const std::array<int, 4>& voices)
{
    out.Byte(0x05);
    for (int v : voices)
        out.Byte(static_cast<unsigned>(v));
}

void WriteSelectionDump(CSimBitWriter& out, const std::array<bool, 4>& active, int slotCount)
{
    out.Byte(0x07);
    out.Bits(4, 0);
    for (int slot = 0; slot < 4; ++slot)
        out.Bits(1, slot < slotCount && active[slot]);
}

void WriteSlotFocusDump(CSimBitWriter& out, int slot)
{
    out.Byte(0x09);
    out.Bits(5, 0);
    out.Bits(1, slot > 3);
    out.Bits(2, slot > 3 ? 0u : static_cast<unsigned>(slot));
}

void WriteHeaderDump(CSimBitWriter& out, const SimHeader& h)
{
    out.Byte(0x21);
    out.Bits(7, static_cast<unsigned>(h.kbMin));
    out.Bits(7, static_cast<unsigned>(h.kbMax));
    out.Bits(7, static_cast<unsigned>(h.velMin));
    out.Bits(7, static_cast<unsigned>(h.velMax));
    out.Bits(5, static_cast<unsigned>(h.bendRange));
    out.Bits(7, static_cast<unsigned>(h.pmTime));
    out.Bits(1, h.pmMode != 0);
    out.Bits(1, h.pedalMode == 0);
    out.Bits(5, static_cast<unsigned>(std::clamp(h.voices, 1, 32) - 1));
    out.Bits(7, static_cast<unsigned>(h.split >> 7));
    out.Bits(7, static_cast<unsigned>(h.split & 0x7F));
    out.Bits(3, static_cast<unsigned>(std::clamp(h.octShift, -2, 2) + 2));
    for (int c : h.cables)
        out.Bits(1, c != 0);
    out.Bits(1, h.commonRetrig != 0);
    out.Bits(1, h.retrig != 0);
    for (int m : h.morphs)
        out.Bits(1, m != 0);
}

void WriteModuleDump(CSimBitWriter& out, int area, const SimArea& a)
{
    out.Byte(0x4A);
    out.Bits(1, area == 1);
    out.Bits(7, static_cast<unsigned>(a.modules.size()));
    for (const auto& [index, m] : a.modules) {
        out.Bits(7, static_cast<unsigned>(m.type));
        out.Bits(7, static_cast<unsigned>(index));
        out.Bits(7, static_cast<unsigned>(m.column));
        out.Bits(7, static_cast<unsigned>(m.row));
    }
}

void WriteParamDump(CSimBitWriter& out, int area, const SimArea& a, const CSimModuleTypes& types)
{
    // A module of a type the catalogue does not know cannot be dumped: the
    // reader could not tell where its values end.
    std::vector<std::pair<int, const SimModule*>> known;
    for (const auto& [index, m] : a.modules)
        if (m.type > 0 && m.type < 128 && types.HasType(static_cast<uint8_t>(m.type)))
            known.emplace_back(index, &m);
    out.Byte(0x4D);
    out.Bits(1, area == 1);
    out.Bits(7, static_cast<unsigned>(known.size()));
    for (const auto& [index, m] : known) {
        const auto type = static_cast<uint8_t>(m->type);
        out.Bits(7, static_cast<unsigned>(index));
        out.Bits(7, type);
        for (uint8_t p = 0; p < types.ParamCount(type); ++p) {
            const unsigned max = types.ParamMax(type, p);
            const int value = p < m->params.size() ? m->params[p] : 0;
            out.Bits(BitsForMax(max), std::min(static_cast<unsigned>(std::max(value, 0)), max));
        }
    }
}

void WriteNameDump(CSimBitWriter& out, int area, const SimArea& a)
{
    out.Byte(0x5A);
    out.Bits(1, area == 1);
    out.Bits(7, static_cast<unsigned>(a.modules.size()));
    for (const auto& [index, m] : a.modules) {
        out.Byte(static_cast<unsigned>(index));
        out.Text16(m.name);
    }
}

void WriteCustomDump(CSimBitWriter& out, int area, const SimArea& a)
{
    unsigned count = 0;
    for (const auto& [index, m] : a.modules)
        count += !m.custom.empty();
    out.Byte(0x5B);
    out.Bits(1, area == 1);
    out.Bits(7, count);
    for (const auto& [index, m] : a.modules) {
        if (m.custom.empty())
            continue;
        out.Bits(7, static_cast<unsigned>(index));
        out.Bits(8, static_cast<unsigned>(std::min<size_t>(m.custom.size(), 255)));
        for (size_t i = 0; i < m.custom.size() && i < 255; ++i)
            out.Bits(8, m.custom[i]);
    }
}

void WriteCableDump(CSimBitWriter& out, int area, const SimArea& a)
{
    out.Byte(0x52);
    out.Bits(1, area == 1);
    out.Byte(static_cast<unsigned>(a.cables.size()));
    for (const SimCable& c : a.cables) {
        // The output end first; the second end on the wire is an input.
        const bool swap = c.b.output && !c.a.output;
        const SimJack& first = swap ? c.b : c.a;
        const SimJack& second = swap ? c.a : c.b;
        out.Bits(3, static_cast<unsigned>(std::clamp(c.colour, 0, 6)));
        out.Bits(7, static_cast<unsigned>(first.module));
        out.Bits(6, static_cast<unsigned>(first.jack));
        out.Bits(1, first.output);
        out.Bits(7, static_cast<unsigned>(second.module));
        out.Bits(6, static_cast<unsigned>(second.jack));
    }
}

void WriteCtrlMapDump(CSimBitWriter& out, const std::vector<SimCtrl>& ctrls)
{
    out.Byte(0x60);
    out.Bits(7, static_cast<unsigned>(ctrls.size()));
    for (const SimCtrl& c : ctrls) {
        out.Bits(7, static_cast<unsigned>(c.controller));
        WriteRef(out, 2, c.ref);
    }
}

void WriteKnobMapDump(CSimBitWriter& out, const std::array<SimKnob, kKnobCount>& knobs)
{
    out.Byte(0x62);
    for (const SimKnob& k : knobs) {
        const bool assigned = k.assigned && k.ref.module != 0;
        out.Bits(1, assigned);
        if (assigned)
            WriteRef(out, 2, k.ref);
    }
}

void WriteMorphMapDump(CSimBitWriter& out, const SimMorphMap& m)
{
    out.Byte(0x65);
    for (int v : m.values)
        out.Bits(7, static_cast<unsigned>(v));
    for (int k : m.keyboard)
        out.Bits(2, k >= 0 && k <= 2 ? static_cast<unsigned>(k) : 0u);
    out.Bits(5, static_cast<unsigned>(std::min<size_t>(m.assigns.size(), 31)));
    for (size_t i = 0; i < m.assigns.size() && i < 31; ++i) {
        const SimMorphAssign& a = m.assigns[i];
        WriteRef(out, 1, a.ref);
        out.Bits(2, static_cast<unsigned>(a.group));
        out.Bits(8, static_cast<uint8_t>(static_cast<int8_t>(a.range)));
    }
}

void WriteNotesDump(CSimBitWriter& out, const SimNotes& n)
{
    out.Byte(0x69);
    for (int v : n.first)
        out.Bits(7, static_cast<unsigned>(v));
    const size_t count = std::clamp<size_t>(n.entries.size(), 1, 32);
    out.Bits(5, static_cast<unsigned>(count - 1));
    for (size_t i = 0; i < count; ++i)
        for (int v : i < n.entries.size() ? n.entries[i] : SimNote{64, 0, 0})
            out.Bits(7, static_cast<unsigned>(v));
}

void WriteParamFocusDump(CSimBitWriter& out, const SimFocus& f)
{
    WriteSimple(out, 0x2F, {f.present ? 1 : 0, f.ref.area, f.ref.module, f.ref.param});
}

void WritePatchDump(CSimBitWriter& out, const SimPatch& p, const CSimModuleTypes& types)
{
    WriteHeaderDump(out, p.header);
    WriteModuleDump(out, 1, p.areas[1]);
    WriteModuleDump(out, 0, p.areas[0]);
    WriteNotesDump(out, p.notes);
    WriteCableDump(out, 1, p.areas[1]);
    WriteCableDump(out, 0, p.areas[0]);
    WriteParamDump(out, 1, p.areas[1], types);
    WriteParamDump(out, 0, p.areas[0], types);
    WriteMorphMapDump(out, p.morph);
    WriteKnobMapDump(out, p.knobs);
    WriteCtrlMapDump(out, p.ctrls);
    WriteCustomDump(out, 1, p.areas[1]);
    WriteCustomDump(out, 0, p.areas[0]);
    WriteNameDump(out, 1, p.areas[1]);
    WriteNameDump(out, 0, p.areas[0]);
}

} // namespace sim
