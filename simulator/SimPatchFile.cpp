#include "simulator/SimPatchFile.h"
#include "simulator/SimPatchFile210.h"

#include <fstream>
#include <map>
#include <sstream>
#include <vector>

namespace sim {

namespace {

struct Section {
    std::vector<std::string> lines;
};

using Sections = std::multimap<std::string, Section>;

std::string StripLine(std::string line)
{
    if (!line.empty() && line.back() == '\r')
        line.pop_back();
    return line;
}

Sections SplitSections(const std::string& text)
{
    Sections sections;
    std::istringstream in(text);
    std::string line;
    Section* open = nullptr;
    std::string openName;
    while (std::getline(in, line)) {
        line = StripLine(line);
        if (open && line == "[/" + openName + "]") {
            open = nullptr;
            continue;
        }
        if (!open && line.size() > 2 && line.front() == '[' && line.back() == ']' && line[1] != '/') {
            openName = line.substr(1, line.size() - 2);
            open = &sections.emplace(openName, Section{})->second;
            continue;
        }
        if (open)
            open->lines.push_back(line);
    }
    return sections;
}

std::vector<long> Numbers(const std::string& line)
{
    std::istringstream in(line);
    std::vector<long> numbers;
    for (long n; in >> n;)
        numbers.push_back(n);
    return numbers;
}

// The per-area section of that name whose first line is the area flag.
const Section* AreaSection(const Sections& sections, const std::string& name, int area)
{
    const auto [begin, end] = sections.equal_range(name);
    for (auto it = begin; it != end; ++it)
        if (!it->second.lines.empty() && Numbers(it->second.lines[0]) == std::vector<long>{area})
            return &it->second;
    return nullptr;
}

const Section* FirstSection(const Sections& sections, const std::string& name)
{
    const auto it = sections.find(name);
    return it == sections.end() ? nullptr : &it->second;
}

void ReadHeader(const Section& s, SimHeader& h)
{
    if (s.lines.size() < 2 || s.lines[0].rfind("Version=Vesk Kandrel patch 3.0", 0) != 0)
        throw XSimPatchFile("File format is not a known Kandrel file");
    const std::vector<long> n = Numbers(s.lines[1]);
    if (n.size() < 23)
        throw XSimPatchFile("File Corrupt");
    const auto range = [](long v) { return v >= 0 && v <= 127 ? static_cast<int>(v) : 0; };
    h.kbMin = range(n[0]);
    h.kbMax = range(n[1]);
    h.velMin = range(n[2]);
    h.velMax = range(n[3]);
    h.bendRange = n[4] >= 0 && n[4] <= 24 ? static_cast<int>(n[4]) : 0;
    h.pmTime = range(n[5]);
    h.pmMode = n[6] == 1;
    h.voices = n[7] >= 1 && n[7] <= 32 ? static_cast<int>(n[7]) : 1;
    h.split = n[8] >= 0 ? static_cast<int>(n[8] > 16383 ? 16383 : n[8]) : 600;
    h.octShift = n[9] >= 0 && n[9] <= 4 ? static_cast<int>(n[9]) - 2 : 0;
    h.retrig = n[10] != 0;
    h.commonRetrig = n[11] != 0;
    for (int i = 0; i < 4; ++i)
        h.morphs[i] = n[12 + i] != 0;
    for (int i = 0; i < 7; ++i)
        h.cables[i] = n[16 + i] != 0;
}

void ReadArea(const Sections& sections, int index, SimArea& area)
{
    if (const Section* s = AreaSection(sections, "ModuleDump", index))
        for (size_t i = 1; i < s->lines.size(); ++i)
            if (const auto n = Numbers(s->lines[i]); n.size() >= 4)
                area.modules[static_cast<int>(n[0] & 0xFF)] = SimModule{static_cast<int>(n[1] & 0xFF),
                                                                        static_cast<int>(n[2] & 0xFF),
                                                                        static_cast<int>(n[3] & 0xFF),
                                                                        {},
                                                                        {},
                                                                        {}};
    if (const Section* s = AreaSection(sections, "CableDump", index))
        for (size_t i = 1; i < s->lines.size(); ++i)
            if (const auto n = Numbers(s->lines[i]); n.size() >= 7) {
                SimCable c;
                c.colour = n[0] >= 0 && n[0] < 6 ? static_cast<int>(n[0]) : 6;
                c.a = {static_cast<int>(n[1] & 0xFF), static_cast<int>(n[2] & 0xFF), n[3] != 0};
                c.b = {static_cast<int>(n[4] & 0xFF), static_cast<int>(n[5] & 0xFF), n[6] != 0};
                area.cables.push_back(c);
            }
    if (const Section* s = AreaSection(sections, "ParameterDump", index))
        for (size_t i = 1; i < s->lines.size(); ++i)
            if (const auto n = Numbers(s->lines[i]); n.size() >= 3) {
                SimModule& m = area.modules[static_cast<int>(n[0] & 0xFF)];
                m.type = static_cast<int>(n[1] & 0xFF);
                m.params.clear();
                for (long k = 0; k < n[2] && 3 + static_cast<size_t>(k) < n.size(); ++k) {
                    if (n[3 + k] < 0 || n[3 + k] > 127)
                        throw XSimPatchFile("File Corrupt");
                    m.params.push_back(static_cast<int>(n[3 + k]));
                }
            }
    if (const Section* s = AreaSection(sections, "CustomDump", index))
        for (size_t i = 1; i < s->lines.size(); ++i)
            if (const auto n = Numbers(s->lines[i]); n.size() >= 2) {
                SimModule& m = area.modules[static_cast<int>(n[0] & 0xFF)];
                m.custom.clear();
                for (long k = 0; k < n[1] && 2 + static_cast<size_t>(k) < n.size(); ++k)
                    m.custom.push_back(static_cast<uint8_t>(n[2 + k] & 0xFF));
            }
    if (const Section* s = AreaSection(sections, "NameDump", index))
        for (size_t i = 1; i < s->lines.size(); ++i) {
            const std::string& line = s->lines[i];
            const size_t blank = line.find(' ');
            if (blank == std::string::npos)
                continue;
            area.modules[std::stoi(line.substr(0, blank)) & 0xFF].name = line.substr(blank + 1, 16);
        }
}

void ReadMaps(const Sections& sections, SimPatch& p)
{
    if (const Section* s = FirstSection(sections, "CurrentNoteDump"); s && !s->lines.empty()) {
        const auto n = Numbers(s->lines[0]);
        if (n.size() >= 6) {
            p.notes.first = {static_cast<int>(n[0] & 0x7F), static_cast<int>(n[1] & 0x7F),
                             static_cast<int>(n[2] & 0x7F)};
            p.notes.entries.clear();
            for (size_t k = 3; k + 2 < n.size() && p.notes.entries.size() < 32; k += 3)
                p.notes.entries.push_back({static_cast<int>(n[k] & 0x7F), static_cast<int>(n[k + 1] & 0x7F),
                                           static_cast<int>(n[k + 2] & 0x7F)});
        }
    }
    if (const Section* s = FirstSection(sections, "MorphMapDump"); s && !s->lines.empty()) {
        const auto v = Numbers(s->lines[0]);
        for (size_t i = 0; i < 4 && i < v.size(); ++i)
            p.morph.values[i] = static_cast<int>(v[i] & 0x7F);
        const auto a = s->lines.size() > 1 ? Numbers(s->lines[1]) : std::vector<long>{};
        for (size_t k = 0; k + 4 < a.size(); k += 5)
            p.morph.assigns.push_back(
                {{static_cast<int>(a[k] != 0), static_cast<int>(a[k + 1] & 0xFF), static_cast<int>(a[k + 2] & 0xFF)},
                 static_cast<int>(a[k + 3] & 3),
                 static_cast<int>(static_cast<int8_t>(a[k + 4]))});
    }
    if (const Section* s = FirstSection(sections, "KeyboardAssignment"); s && !s->lines.empty()) {
        const auto v = Numbers(s->lines[0]);
        for (size_t i = 0; i < 4 && i < v.size(); ++i)
            p.morph.keyboard[i] = v[i] >= 0 && v[i] < 3 ? static_cast<int>(v[i]) : 0;
    }
    const auto location = [](long v) { return v >= 0 && v <= 2 ? static_cast<int>(v) : 1; };
    if (const Section* s = FirstSection(sections, "KnobMapDump"))
        for (const std::string& line : s->lines)
            if (const auto n = Numbers(line); n.size() >= 4 && n[3] >= 0 && n[3] < kKnobCount)
                p.knobs[n[3]] = {true, {location(n[0]), static_cast<int>(n[1] & 0xFF), static_cast<int>(n[2] & 0xFF)}};
    if (const Section* s = FirstSection(sections, "CtrlMapDump"))
        for (const std::string& line : s->lines)
            if (const auto n = Numbers(line); n.size() >= 4 && n[3] >= 0 && n[3] <= 120)
                p.ctrls.push_back({static_cast<int>(n[3]),
                                   {location(n[0]), static_cast<int>(n[1] & 0xFF), static_cast<int>(n[2] & 0xFF)}});
}

void Line(std::ostringstream& out, std::initializer_list<long> numbers)
{
    for (long n : numbers)
        out << n << ' ';
    out << "\r\n";
}

void Begin(std::ostringstream& out, const char* name)
{
    out << '[' << name << "]\r\n";
}
void End(std::ostringstream& out, const char* name)
{
    out << "[/" << name << "]\r\n";
}

} // namespace

SimPatch ReadPatchText(const std::string& text, const std::string& name)
{
    if (IsPatchText210(text))
        return ReadPatchText210(text, name);
    const Sections sections = SplitSections(text);
    const Section* header = FirstSection(sections, "Header");
    if (!header)
        throw XSimPatchFile("File format is not a known Kandrel file");
    SimPatch p;
    p.name = name;
    ReadHeader(*header, p.header);
    ReadArea(sections, 1, p.areas[1]);
    ReadArea(sections, 0, p.areas[0]);
    ReadMaps(sections, p);
    if (const Section* s = FirstSection(sections, "Notes"))
        for (size_t i = 0; i < s->lines.size(); ++i)
            p.text += s->lines[i] + "\r";
    return p;
}

std::string WritePatchText(const SimPatch& p)
{
    std::ostringstream out;
    const SimHeader& h = p.header;
    Begin(out, "Header");
    out << "Version=Vesk Kandrel patch 3.0\r\n";
    Line(out, {h.kbMin,          h.kbMax,          h.velMin,         h.velMax,
               h.bendRange,      h.pmTime,         h.pmMode ? 1 : 0, h.voices,
               h.split,          h.octShift + 2,   h.retrig ? 1 : 0, h.commonRetrig ? 1 : 0,
               h.morphs[0] != 0, h.morphs[1] != 0, h.morphs[2] != 0, h.morphs[3] != 0,
               h.cables[0] != 0, h.cables[1] != 0, h.cables[2] != 0, h.cables[3] != 0,
               h.cables[4] != 0, h.cables[5] != 0, h.cables[6] != 0});
    End(out, "Header");
    const auto perArea = [&](const char* name, int area, auto body) {
        Begin(out, name);
        Line(out, {area});
        body(p.areas[area]);
        End(out, name);
    };
    for (int area : {1, 0})
        perArea("ModuleDump", area, [&](const SimArea& a) {
            for (const auto& [index, m] : a.modules)
                Line(out, {index, m.type, m.column, m.row});
        });
    Begin(out, "CurrentNoteDump");
    for (int v : p.notes.first)
        out << v << ' ';
    for (const SimNote& n : p.notes.entries)
        out << n[0] << ' ' << n[1] << ' ' << n[2] << ' ';
    out << "\r\n";
    End(out, "CurrentNoteDump");
    for (int area : {1, 0})
        perArea("CableDump", area, [&](const SimArea& a) {
            for (const SimCable& c : a.cables)
                Line(out, {c.colour, c.a.module, c.a.jack, c.a.output, c.b.module, c.b.jack, c.b.output});
        });
    for (int area : {1, 0})
        perArea("ParameterDump", area, [&](const SimArea& a) {
            for (const auto& [index, m] : a.modules) {
                out << index << ' ' << m.type << ' ' << m.params.size() << ' ';
                for (int v : m.params)
                    out << v << ' ';
                out << "\r\n";
            }
        });
    if (!p.morph.assigns.empty()) {
        Begin(out, "MorphMapDump");
        Line(out, {p.morph.values[0], p.morph.values[1], p.morph.values[2], p.morph.values[3]});
        for (const SimMorphAssign& m : p.morph.assigns)
            out << m.ref.area << ' ' << m.ref.module << ' ' << m.ref.param << ' ' << m.group << ' ' << m.range << ' ';
        out << "\r\n";
        End(out, "MorphMapDump");
    }
    if (p.morph.keyboard != std::array<int, 4>{0, 0, 0, 0}) {
        Begin(out, "KeyboardAssignment");
        Line(out, {p.morph.keyboard[0], p.morph.keyboard[1], p.morph.keyboard[2], p.morph.keyboard[3]});
        End(out, "KeyboardAssignment");
    }
    bool anyKnob = false;
    for (const SimKnob& k : p.knobs)
        anyKnob = anyKnob || k.assigned;
    if (anyKnob) {
        Begin(out, "KnobMapDump");
        for (int knob = 0; knob < kKnobCount; ++knob)
            if (p.knobs[knob].assigned)
                Line(out, {p.knobs[knob].ref.area, p.knobs[knob].ref.module, p.knobs[knob].ref.param, knob});
        End(out, "KnobMapDump");
    }
    if (!p.ctrls.empty()) {
        Begin(out, "CtrlMapDump");
        for (const SimCtrl& c : p.ctrls)
            Line(out, {c.ref.area, c.ref.module, c.ref.param, c.controller});
        End(out, "CtrlMapDump");
    }
    for (int area : {1, 0})
        perArea("CustomDump", area, [&](const SimArea& a) {
            for (const auto& [index, m] : a.modules) {
                if (m.custom.empty())
                    continue;
                out << index << ' ' << m.custom.size() << ' ';
                for (uint8_t b : m.custom)
                    out << static_cast<int>(b) << ' ';
                out << "\r\n";
            }
        });
    for (int area : {1, 0})
        perArea("NameDump", area, [&](const SimArea& a) {
            for (const auto& [index, m] : a.modules)
                if (!m.name.empty())
                    out << index << ' ' << m.name << "\r\n";
        });
    Begin(out, "Notes");
    std::string notes = p.text;
    if (!notes.empty() && notes.back() == '\r')
        notes.pop_back();
    std::istringstream lines(notes);
    for (std::string line; std::getline(lines, line, '\r');)
        out << line << "\r\n";
    if (notes.empty())
        out << "\r\n";
    End(out, "Notes");
    return out.str();
}

std::string PatchNameFromFileName(const std::filesystem::path& path)
{
    std::string name;
    for (char c : path.stem().string())
        if (c >= 0x20 && c < 0x7F && name.size() < 16)
            name.push_back(c);
    return name;
}

SimPatch ReadPatchFile(const std::filesystem::path& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        throw XSimPatchFile("Can't Open file " + path.string());
    std::ostringstream text;
    text << in.rdbuf();
    return ReadPatchText(text.str(), PatchNameFromFileName(path));
}

void WritePatchFile(const std::filesystem::path& path, const SimPatch& patch)
{
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out << WritePatchText(patch);
    if (!out)
        throw XSimPatchFile("Can't Write file " + path.string());
}

} // namespace sim
