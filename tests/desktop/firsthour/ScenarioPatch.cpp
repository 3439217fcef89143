#include "ScenarioPatch.h"

#include "modules/ModuleCatalogueContent.h"
#include "panels/BuildModule.h"
#include "panels/ModuleCatalogue.h"

#include <algorithm>
#include <sstream>

namespace firsthour {

namespace {

sim::SimModule Module(const std::string& type, int column, int row, const std::string& name)
{
    const CBuildModule& builder = GetSharedModuleCatalogue().GetBuilder(static_cast<uint8_t>(TypeNamed(type)));
    sim::SimModule m;
    m.type = builder.GetTypeId();
    m.column = column;
    m.row = row;
    m.name = name;
    for (const uint8_t v : builder.GetDefaults())
        m.params.push_back(v);
    m.custom.assign(builder.GetLoadRecord().CustomValueCount(), 0);
    return m;
}

// A cable from an output to an input, coloured after the output's kind.
void Connect(sim::SimArea& area, int from, int out, int to, int in)
{
    constexpr int kColourOfKind[] = {2, 0, 1, 3}; // logic, audio, control, slave
    SignalKind kind = SignalKind::Audio;
    GetSharedModuleCatalogue()
        .GetBuilder(static_cast<uint8_t>(area.modules.at(from).type))
        .GetJackKind(JackDirection::Output, static_cast<uint8_t>(out), kind);
    area.cables.push_back({kColourOfKind[static_cast<int>(kind)], {from, out, true}, {to, in, false}});
}

std::string Describe(const sim::SimCable& c)
{
    std::ostringstream text;
    text << "colour " << c.colour << " " << c.a.module << "." << c.a.jack << (c.a.output ? "out" : "in") << "-"
         << c.b.module << "." << c.b.jack << (c.b.output ? "out" : "in");
    return text.str();
}

} // namespace

int TypeNamed(const std::string& shortName)
{
    const CModuleCatalogue& catalogue = GetSharedModuleCatalogue();
    for (unsigned id = 1; id < CModuleCatalogue::kTypeSlots; ++id)
        if (const CBuildModule* b = catalogue.FindBuilder(static_cast<uint8_t>(id));
            b && b->GetShortName() == shortName)
            return static_cast<int>(id);
    return 0;
}

int FindJack(int type, bool output, int kind)
{
    const CBuildModule& builder = GetSharedModuleCatalogue().GetBuilder(static_cast<uint8_t>(type));
    int index = 0;
    for (const JackSpec& jack : builder.GetJacks()) {
        if ((jack.direction == JackDirection::Output) != output)
            continue;
        if (static_cast<int>(jack.kind) == kind)
            return index;
        ++index;
    }
    return -1;
}

sim::SimPatch MakeSlotPatch()
{
    sim::SimPatch patch;
    patch.name = "First Hour";
    sim::SimArea& poly = patch.areas[1];
    poly.modules[1] = Module("OscA", 0, 0, "Osc1");
    poly.modules[1].params[0] = 52; // a lower note than the default
    poly.modules[2] = Module("FilterE", 0, 8, "Filter1");
    poly.modules[3] = Module("ADSR-Env", 1, 0, "Env1");
    poly.modules[3].params[2] = 90; // sustain
    poly.modules[4] = Module("2 outputs", 1, 8, "Out1");
    Connect(poly, 1, 0, 2, 0); // the oscillator's sound into the filter
    Connect(poly, 2, 0, 4, 0); // the filter to the output
    Connect(poly, 3, 0, 2, 1); // the envelope to the filter's second input
    sim::SimArea& common = patch.areas[0];
    common.modules[1] = Module("LFOA", 0, 0, "LFO1");
    return patch;
}

std::string CompareAreas(const sim::SimPatch& expected, const sim::SimPatch& actual)
{
    std::ostringstream problems;
    for (int area = 0; area < 2; ++area) {
        const sim::SimArea& e = expected.areas[area];
        const sim::SimArea& a = actual.areas[area];
        for (const auto& [index, m] : e.modules) {
            const auto found = a.modules.find(index);
            if (found == a.modules.end()) {
                problems << "area " << area << ": module " << index << " missing\n";
                continue;
            }
            const sim::SimModule& b = found->second;
            if (b.type != m.type || b.column != m.column || b.row != m.row || b.name != m.name)
                problems << "area " << area << ": module " << index << " is type " << b.type << " at " << b.column
                         << "," << b.row << " named \"" << b.name << "\"\n";
            if (b.params != m.params)
                problems << "area " << area << ": module " << index << " has other values\n";
        }
        for (const auto& [index, m] : a.modules)
            if (!e.modules.count(index))
                problems << "area " << area << ": module " << index << " (type " << m.type << ") added\n";
        for (const sim::SimCable& c : e.cables)
            if (std::none_of(a.cables.begin(), a.cables.end(),
                             [&](const sim::SimCable& d) { return d.colour == c.colour && d.Joins(c.a, c.b); }))
                problems << "area " << area << ": cable " << Describe(c) << " missing\n";
        if (a.cables.size() != e.cables.size())
            problems << "area " << area << ": " << a.cables.size() << " cables, not " << e.cables.size() << "\n";
    }
    return problems.str();
}

} // namespace firsthour
