#include "simulator/SimPatch.h"

#include <algorithm>

namespace sim {

SimModule* SimPatch::FindModule(int area, int index)
{
    if (area < 0 || area > 1)
        return nullptr;
    const auto it = areas[area].modules.find(index);
    return it == areas[area].modules.end() ? nullptr : &it->second;
}

int SimPatch::ParamValue(const SimParamRef& ref) const
{
    if (ref.area == 2)
        return ref.module == 1 && ref.param >= 0 && ref.param < 4 ? morph.values[ref.param] : -1;
    if (ref.area < 0 || ref.area > 1)
        return -1;
    const auto it = areas[ref.area].modules.find(ref.module);
    if (it == areas[ref.area].modules.end() || ref.param < 0 || ref.param >= static_cast<int>(it->second.params.size()))
        return -1;
    return it->second.params[ref.param];
}

bool SimPatch::SetParamValue(const SimParamRef& ref, int value)
{
    value = std::clamp(value, 0, 127);
    if (ref.area == 2) {
        if (ref.module != 1 || ref.param < 0 || ref.param >= 4)
            return false;
        morph.values[ref.param] = value;
        return true;
    }
    SimModule* module = FindModule(ref.area, ref.module);
    if (!module || ref.param < 0 || ref.param >= 128)
        return false;
    if (ref.param >= static_cast<int>(module->params.size()))
        module->params.resize(ref.param + 1, 0);
    module->params[ref.param] = value;
    return true;
}

void SimPatch::DeleteModule(int area, int index)
{
    if (area < 0 || area > 1)
        return;
    areas[area].modules.erase(index);
    auto& cables = areas[area].cables;
    std::erase_if(cables, [&](const SimCable& c) { return c.a.module == index || c.b.module == index; });
    const auto refersTo = [&](const SimParamRef& r) { return r.area == area && r.module == index; };
    for (SimKnob& knob : knobs)
        if (knob.assigned && refersTo(knob.ref))
            knob = SimKnob{};
    std::erase_if(ctrls, [&](const SimCtrl& c) { return refersTo(c.ref); });
    std::erase_if(morph.assigns, [&](const SimMorphAssign& m) { return refersTo(m.ref); });
}

void SimPatch::DeleteCable(int area, const SimJack& x, const SimJack& y)
{
    if (area < 0 || area > 1)
        return;
    std::erase_if(areas[area].cables, [&](const SimCable& c) { return c.Joins(x, y); });
}

void SimPatch::AddCable(int area, SimCable cable)
{
    if (area < 0 || area > 1)
        return;
    if (cable.b.output && !cable.a.output)
        std::swap(cable.a, cable.b);
    DeleteCable(area, cable.a, cable.b);
    areas[area].cables.push_back(cable);
}

void SimPatch::SetMorph(const SimParamRef& ref, int group, int range)
{
    std::erase_if(morph.assigns, [&](const SimMorphAssign& m) { return m.ref == ref; });
    if (group >= 0 && group < 4)
        morph.assigns.push_back({ref, group, range});
}

} // namespace sim
