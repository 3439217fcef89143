#include "simulator/SimEdit.h"

#include <algorithm>

namespace sim {

namespace {

// A jack as the edit molecules give it: the direction in bit 6 of the jack byte.
SimJack JackFromBytes(int module, int jack)
{
    return {module, jack & 0x3F, (jack & 0x40) != 0};
}

int TypeParamCount(const CSimModuleTypes& types, int type)
{
    return type > 0 && type < 128 && types.HasType(static_cast<uint8_t>(type))
        ? types.ParamCount(static_cast<uint8_t>(type))
        : 0;
}

// Modules of a module dump are placed (a new type starts with default
// values); the other per-area dumps fill modules that exist.
void MergeAreaDump(SimPatch& patch, const SimMol& mol, const CSimModuleTypes& types)
{
    SimArea& dst = patch.areas[mol.area];
    const SimArea& src = mol.part->areas[mol.area];
    if (mol.id == 0x52) {
        for (const SimCable& c : src.cables)
            patch.AddCable(mol.area, c);
        return;
    }
    for (const auto& [index, m] : src.modules) {
        if (mol.id == 0x4A) {
            SimModule& d = dst.modules[index];
            if (d.type != m.type)
                d = SimModule{m.type, 0, 0, {}, std::vector<int>(TypeParamCount(types, m.type), 0), {}};
            d.column = m.column;
            d.row = m.row;
            continue;
        }
        SimModule* d = patch.FindModule(mol.area, index);
        if (!d)
            continue;
        if (mol.id == 0x4D)
            d->params = m.params;
        else if (mol.id == 0x5A)
            d->name = m.name;
        else
            d->custom = m.custom;
    }
}

} // namespace

void ApplyEdit(SimPatch& patch, const SimMol& mol, const CSimModuleTypes& types)
{
    const std::vector<int>& v = mol.v;
    const auto ref = [&](int area, int module, int param) {
        return SimParamRef{AreaFromByte(static_cast<unsigned>(area)), module & 0x7F, param & 0x7F};
    };
    switch (mol.id) {
    case 0x21:
        patch.header = mol.part->header;
        break;
    case 0x22:
        std::erase_if(patch.ctrls, [&](const SimCtrl& c) { return c.controller == v[3]; });
        patch.ctrls.push_back({std::min(v[3], 121), ref(v[0], v[1], v[2])});
        break;
    case 0x23:
        std::erase_if(patch.ctrls, [&](const SimCtrl& c) { return c.controller == v[0]; });
        break;
    case 0x25:
        if (v[3] < kKnobCount)
            patch.knobs[v[3]] = {true, ref(v[2], v[0], v[1])};
        break;
    case 0x26:
        if (v[0] < kKnobCount)
            patch.knobs[v[0]] = SimKnob{};
        break;
    case 0x27:
        patch.name = mol.text;
        break;
    case 0x2F:
        patch.focus = {true, ref(v[1], v[2], v[3])};
        break;
    case 0x30: {
        if (v[1] > 1)
            break;
        patch.areas[v[1]].modules[v[2]] =
            SimModule{v[0], v[3], v[4], mol.text, std::vector<int>(TypeParamCount(types, v[0]), 0), {}};
        break;
    }
    case 0x32:
        patch.DeleteModule(v[0], v[1]);
        break;
    case 0x33:
        if (SimModule* m = patch.FindModule(v[0], v[1]))
            m->name = mol.text;
        break;
    case 0x34:
        if (SimModule* m = patch.FindModule(v[0], v[1])) {
            m->column = v[2];
            m->row = v[3];
        }
        break;
    case 0x40:
        patch.SetParamValue(ref(v[0], v[1], v[2]), v[3]);
        break;
    case 0x42:
        if (SimModule* m = patch.FindModule(v[0] == 1 ? 1 : 0, v[1]))
            m->custom = mol.data;
        break;
    case 0x43: {
        const SimParamRef r{v[0] != 0 ? 1 : 0, v[1], v[2]};
        for (SimMorphAssign& a : patch.morph.assigns)
            if (a.ref == r)
                a.range = v[4] ? -v[3] : v[3];
        break;
    }
    case 0x4A:
    case 0x4D:
    case 0x5A:
    case 0x5B:
    case 0x52:
        MergeAreaDump(patch, mol, types);
        break;
    case 0x50: {
        SimCable c{v[2], JackFromBytes(v[3], v[4]), JackFromBytes(v[5], v[6])};
        patch.AddCable(v[1], c);
        break;
    }
    case 0x51:
        patch.DeleteCable(v[1], JackFromBytes(v[2], v[3]), JackFromBytes(v[4], v[5]));
        break;
    case 0x54:
        for (SimCable& c : patch.areas[v[0]].cables)
            if (c.Joins(JackFromBytes(v[2], v[3]), JackFromBytes(v[4], v[5])))
                c.colour = v[1] > 6 ? 6 : v[1];
        break;
    case 0x60:
        patch.ctrls = mol.part->ctrls;
        break;
    case 0x62:
        patch.knobs = mol.part->knobs;
        break;
    case 0x64:
        patch.SetMorph(SimParamRef{v[1], v[2], v[3]}, v[4], v[6] ? -v[5] : v[5]);
        break;
    case 0x65:
        patch.morph = mol.part->morph;
        break;
    case 0x67:
        if (v[0] < 4)
            patch.morph.keyboard[v[0]] = v[1] <= 2 ? v[1] : 0;
        break;
    case 0x69:
        patch.notes = mol.part->notes;
        break;
    default:
        break; // the controller snapshot changes nothing here
    }
}

} // namespace sim
