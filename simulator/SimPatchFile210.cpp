#include "simulator/SimPatchFile210.h"

#include <algorithm>
#include <array>
#include <sstream>
#include <string>
#include <vector>

namespace sim {

namespace {

// One "key=value" line of a 2.10 file: the key is the last word before the
// "=", the value the rest of the line.
struct KeyLine {
    std::string key;
    std::string value;
};

constexpr int kMorphModuleType = 6;

bool ParseKeyLine(const std::string& line, KeyLine& out)
{
    const size_t equals = line.find('=');
    if (equals == std::string::npos)
        return false;
    std::istringstream words(line.substr(0, equals));
    out.key.clear();
    for (std::string word; words >> word;)
        out.key = word;
    out.value = line.substr(equals + 1);
    return true;
}

long Number(const std::string& value)
{
    try {
        return std::stol(value);
    } catch (const std::exception&) {
        throw XSimPatchFile("File Corrupt");
    }
}

unsigned long Unsigned(const std::string& value)
{
    try {
        return std::stoul(value);
    } catch (const std::exception&) {
        throw XSimPatchFile("File Corrupt");
    }
}

// The number that follows the key's first `skip` characters.
int NumberInKey(const std::string& key, size_t skip)
{
    return key.size() > skip ? static_cast<int>(Number(key.substr(skip))) : 0;
}

// How many parameters a "B" bit set of the type holds.
int BitCount(int type)
{
    switch (type) {
    case 15:
    case 90:
        return 3;
    case 17:
        return 32;
    case 91:
        return 1;
    case 106:
        return 5;
    case 108:
        return 2;
    default:
        return 0;
    }
}

// Assignments name parameters of the old layout; some types lost parameters
// from index 32 on.
int NewParamIndex(int type, int index)
{
    if (index < 32)
        return index;
    switch (type) {
    case 15:
    case 90:
    case 91:
        return index - 14;
    case 17:
        return index - 28;
    case 106:
        return index - 13;
    case 108:
        return index - 15;
    default:
        return index;
    }
}

struct ParamRule {
    int type;
    std::vector<int> params;
};

// A two-way choice the old layout held in one value that the new one splits
// into two.
const std::array<ParamRule, 13> kSplitRules{{{4, {1}},
                                             {5, {1}},
                                             {7, {4}},
                                             {8, {3}},
                                             {14, {2}},
                                             {24, {2}},
                                             {26, {2}},
                                             {51, {0}},
                                             {79, {0}},
                                             {80, {2}},
                                             {88, {0}},
                                             {92, {5}},
                                             {107, {3}}}};
// Switches whose sense turned round.
const std::array<ParamRule, 10> kInvertRules{{{9, {5}},
                                              {10, {4}},
                                              {11, {3}},
                                              {12, {3}},
                                              {13, {3}},
                                              {58, {15}},
                                              {85, {4}},
                                              {95, {6}},
                                              {96, {3}},
                                              {106, {18, 19, 20, 21, 22, 23}}}};

const ParamRule* FindRule(const auto& rules, int type)
{
    const auto it = std::find_if(rules.begin(), rules.end(), [type](const ParamRule& r) { return r.type == type; });
    return it == rules.end() ? nullptr : &*it;
}

void ConvertParams(SimModule& module)
{
    if (const ParamRule* split = FindRule(kSplitRules, module.type)) {
        const auto k = static_cast<size_t>(split->params.front());
        if (k < module.params.size()) {
            if (module.params[k] == 0) {
                module.params.push_back(1);
            } else {
                module.params.push_back(0);
                --module.params[k];
            }
        }
    }
    if (const ParamRule* invert = FindRule(kInvertRules, module.type))
        for (const int k : invert->params)
            if (static_cast<size_t>(k) < module.params.size())
                module.params[static_cast<size_t>(k)] = module.params[static_cast<size_t>(k)] == 0 ? 1 : 0;
}

class Reader210 {
public:
    Reader210(const std::vector<std::string>& lines, SimPatch& patch) : lines_(lines), patch_(patch) { }

    void Read()
    {
        ReadHeader();
        while (at_ < lines_.size()) {
            const std::string line = lines_[at_++];
            if (line.size() > 8 && line.compare(1, 7, "Module ") == 0)
                ReadModule(static_cast<int>(Number(line.substr(8))));
            else if (line == "[Controllers]")
                ReadAssignments(false);
            else if (line == "[Knobs]")
                ReadAssignments(true);
            else if (line == "[Morphs]")
                ReadMorphs();
            else if (line == "[Voices]")
                ReadVoices();
            else if (line == "[Notes]")
                ReadNotes();
        }
        ConvertMaps();
    }

private:
    bool AtSection() const { return at_ >= lines_.size() || (!lines_[at_].empty() && lines_[at_][0] == '['); }

    // The next key=value line of the section, skipping lines without one.
    bool NextKey(KeyLine& key)
    {
        while (!AtSection()) {
            if (ParseKeyLine(lines_[at_++], key))
                return true;
        }
        return false;
    }

    // The next key's value, as the old files hold a value per line.
    long NextValue()
    {
        KeyLine key;
        if (!NextKey(key))
            throw XSimPatchFile("File Corrupt");
        return Number(key.value);
    }

    void ReadHeader()
    {
        SimHeader& h = patch_.header;
        KeyLine key;
        while (NextKey(key)) {
            const std::string& k = key.key;
            if (k == "KbRangeMin" || k == "KbRangeMax" || k == "VelRangeMin" || k == "VelRangeMax" ||
                k == "BendRange" || k == "PMTime" || k == "Voices" || k == "PMMode" || k == "OctShift" ||
                k == "Retrig" || (k.size() == 6 && (k.rfind("Cable", 0) == 0 || k.rfind("Morph", 0) == 0))) {
                const long v = Number(key.value);
                const int byte = static_cast<int>(v & 0xFF);
                if (k == "KbRangeMin")
                    h.kbMin = std::min(byte, 127);
                else if (k == "KbRangeMax")
                    h.kbMax = std::min(byte, 127);
                else if (k == "VelRangeMin")
                    h.velMin = std::min(byte, 127);
                else if (k == "VelRangeMax")
                    h.velMax = std::min(byte, 127);
                else if (k == "BendRange")
                    h.bendRange = std::min(byte, 24);
                else if (k == "PMTime")
                    h.pmTime = std::min(byte, 127);
                else if (k == "Voices")
                    h.voices = std::clamp(byte, 1, 32);
                else if (k == "PMMode")
                    h.pmMode = v == 1;
                else if (k == "OctShift")
                    h.octShift = std::clamp(byte - 2, -2, 2);
                else if (k == "Retrig")
                    h.retrig = v != 0;
                else if (k[5] >= '0' && k[5] <= '3' && k[0] == 'C')
                    h.cables[static_cast<size_t>(k[5] - '0')] = v != 0;
                else if (k[5] >= '0' && k[5] <= '3')
                    h.morphs[static_cast<size_t>(k[5] - '0')] = v != 0;
            }
        }
        h.commonRetrig = 0;
        h.split = 4000;
    }

    void ReadModule(int index)
    {
        index &= 0xFF;
        SimModule module;
        KeyLine key;
        std::array<std::string, 4> fields;
        for (std::string& field : fields) {
            if (!NextKey(key))
                throw XSimPatchFile("File Corrupt");
            field = key.value;
        }
        module.type = static_cast<int>(Number(fields[0]) & 0xFF);
        module.name = fields[1].substr(0, 16);
        module.column = static_cast<int>(Number(fields[2]) & 0xFF);
        module.row = static_cast<int>(Number(fields[3]) & 0xFF);
        if (index < static_cast<int>(types_.size()))
            types_[static_cast<size_t>(index)] = module.type;
        while (NextKey(key)) {
            if (key.key.empty())
                continue;
            switch (key.key[0]) {
            case 'P': {
                const long value = Number(key.value);
                if (value < 0 || value > 127)
                    throw XSimPatchFile("File Corrupt");
                module.params.push_back(static_cast<int>(value));
                break;
            }
            case 'B': {
                const unsigned long bits = Unsigned(key.value);
                for (int i = 0; i < BitCount(module.type); ++i)
                    module.params.push_back(static_cast<int>((bits >> i) & 1));
                break;
            }
            case 'I': {
                const int jack = NumberInKey(key.key, 2) & 0xFF;
                const int source = static_cast<int>(Number(key.value) & 0xFF);
                const int sourceJack = static_cast<int>(NextValue() & 0xFF);
                const unsigned long colour = static_cast<unsigned long>(NextValue());
                SimCable cable;
                cable.colour = static_cast<int>(std::min(colour, 6ul));
                cable.a = {index, jack, false};
                cable.b = {source, sourceJack, false};
                patch_.areas[1].cables.push_back(cable);
                break;
            }
            default:
                break;
            }
        }
        if (module.type == kMorphModuleType) {
            for (size_t g = 0; g < 4 && g < module.params.size(); ++g)
                patch_.morph.values[g] = module.params[g];
            return;
        }
        ConvertParams(module);
        patch_.areas[1].modules[index] = module;
    }

    SimParamRef Target(int module, int param) const
    {
        const int type =
            module >= 0 && module < static_cast<int>(types_.size()) ? types_[static_cast<size_t>(module)] : 0;
        const int converted = NewParamIndex(type, param);
        if (type == kMorphModuleType)
            return {2, 1, converted};
        return {1, module, converted};
    }

    void ReadAssignments(bool knobs)
    {
        KeyLine key;
        while (NextKey(key)) {
            if (key.key.empty() || key.key[0] != 'M')
                continue;
            const int number = NumberInKey(key.key, 1);
            const int module = static_cast<int>(Number(key.value) & 0xFF);
            const int param = static_cast<int>(NextValue() & 0xFF);
            if (knobs) {
                if (number >= 0 && number < kKnobCount)
                    patch_.knobs[static_cast<size_t>(number)] = {true, Target(module, param)};
            } else if (number >= 0 && number <= 120) {
                patch_.ctrls.push_back({number, Target(module, param)});
            } else if ((number == 126 || number == 127) && param <= 3) {
                patch_.morph.keyboard[static_cast<size_t>(param)] = number == 126 ? 2 : 1;
            }
        }
    }

    void ReadMorphs()
    {
        KeyLine key;
        while (NextKey(key)) {
            if (key.key.empty() || key.key[0] != 'M')
                continue;
            const int module = static_cast<int>(Number(key.value) & 0xFF);
            const int param = static_cast<int>(NextValue() & 0xFF);
            const int group = static_cast<int>(std::clamp(NextValue(), 0L, 3L));
            const int range = static_cast<int>(static_cast<int8_t>(NextValue()));
            patch_.morph.assigns.push_back({{1, module, param}, group, range});
        }
    }

    void ReadVoices()
    {
        std::vector<SimNote> values;
        KeyLine key;
        while (NextKey(key)) {
            const unsigned long packed = Unsigned(key.value);
            values.push_back({static_cast<int>(packed & 0x7F), static_cast<int>((packed >> 8) & 0x7F),
                              static_cast<int>((packed >> 16) & 0x7F)});
        }
        if (values.empty())
            return;
        patch_.notes.first = values.front();
        if (values.size() > 1)
            patch_.notes.entries.assign(values.begin() + 1, values.begin() + std::min<size_t>(values.size(), 33));
    }

    void ReadNotes()
    {
        KeyLine key;
        if (!NextKey(key) || key.key != "Count")
            return;
        const long count = Number(key.value);
        for (long i = 0; i < count && NextKey(key); ++i)
            patch_.text += key.value + "\r";
    }

    void ConvertMaps()
    {
        for (auto& [index, module] : patch_.areas[1].modules)
            module.row *= 2;
        for (SimCable& cable : patch_.areas[1].cables) {
            if (cable.b.jack >= 64) {
                cable.b.jack -= 64;
                cable.b.output = true;
                std::swap(cable.a, cable.b); // the output end first, as the dumps carry it
            }
        }
    }

    const std::vector<std::string>& lines_;
    SimPatch& patch_;
    size_t at_ = 0;
    std::array<int, 45> types_{};
};

} // namespace

SimPatch ReadPatchText210(const std::string& text, const std::string& name)
{
    std::vector<std::string> lines;
    std::istringstream in(text);
    bool versionSeen = false;
    for (std::string line; std::getline(in, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!versionSeen) {
            versionSeen = line.find("Version") != std::string::npos;
            continue;
        }
        lines.push_back(line);
    }
    SimPatch patch;
    patch.name = name;
    Reader210(lines, patch).Read();
    return patch;
}

bool IsPatchText210(const std::string& text)
{
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);)
        if (line.find("Version") != std::string::npos)
            return line.rfind("Version=Vesk Kandrel patch 2.10", 0) == 0;
    return false;
}

} // namespace sim
