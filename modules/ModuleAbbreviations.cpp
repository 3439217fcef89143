#include "modules/ModuleAbbreviations.h"

#include <algorithm>
#include <cctype>
#include <sstream>

namespace {

constexpr WordAbbreviation kWords[] = {
    {"Active", "Act"},      {"Amount", "Amt"},       {"Attack", "Atk"},      {"Bandwidth", "Bndwth"},
    {"Center", "Ctr"},      {"Clock", "Clk"},        {"Cycles", "Cyc"},      {"Decay", "Dcy"},
    {"Density", "Dens"},    {"Feedback", "Fdbk"},    {"Frequency", "Freq"},  {"Input", "In"},
    {"Invert", "Inv"},      {"Level", "Lvl"},        {"Limiter", "Lim"},     {"Monitor", "Mon"},
    {"Multiplier", "Mult"}, {"Offset", "Ofst"},      {"Overdrive", "Drive"}, {"Output", "Out"},
    {"Pattern", "Patt"},    {"Polarity", "Pol"},     {"Record", "Rec"},      {"Release", "Rel"},
    {"Resonance", "Res"},   {"SampleRate", "SRate"}, {"Semitones", "Semi"},  {"Shelving", "Shelf"},
    {"Spread", "Sprd"},     {"Sustain", "Sus"},      {"Symmetry", "Sym"},    {"Threshold", "Thres"},
    {"Timbre", "Timb"},     {"Waveform", "Wave"},
};

// Parameter names cut to the synthesizer's ten characters (or squeezed into
// them, "OnOff"), as the face prints them: in whole words, which the short
// forms above then shorten where the face has no room for them.
constexpr NameAbbreviation kSpelledOut[] = {
    {"Freq coars", "Freq Coarse"},   {"Fine t", "Fine Tune"},         {"Dtune fine", "Detune Fine"},
    {"Detun Fine", "Detune Fine"},   {"Osc2 Dtune", "Osc2 Detune"},   {"S Shape", "Shape"},
    {"S Shape MA", "Shape MA"},      {"Pulse wdth", "Pulse Width"},   {"Pulse w MA", "Pulse Width MA"},
    {"Filt. Swp", "Filter Sweep"},   {"Pol/Wave", "Polarity/Wave"},   {"Nav. MA", "Navigator MA"},
    {"C freq MA", "Center Freq MA"}, {"Center frq", "Center Freq"},   {"Cont mode", "Continuous"},
    {"Brk Point", "Break Point"},    {"Out:Level", "Out Level"},      {"In:Level", "In Level"},
    {"Input levl", "Input Level"},   {"Rate mul", "Rate Multiplier"}, {"Rec step", "Record Step"},
    {"Sus place", "Sustain Place"},  {"Atk type", "Attack Type"},     {"Filt. Freq", "Filter Freq"},
    {"Filt. Res", "Filter Res"},     {"Filt. Dcy", "Filter Decay"},   {"Filt. Type", "Filter Type"},
    {"Overdrv MA", "Overdrive MA"},  {"Midi cl", "MIDI Clock"},       {"Bits OnOff", "Bits On/Off"},
    {"Rate OnOff", "Rate On/Off"},   {"SampleRate", "Sample Rate"},
};

// Whole names whose short form is not made of their words' short forms. The
// note keys name their note where the keys make the rest plain, a bypass
// or mute button its initial where its name finds no room beside it, the
// random colour's button its caption, which a "Color" beside it only doubled;
// a numbered jack's label, in its signal's colour beside it, its number and direction.
constexpr NameAbbreviation kNames[] = {
    {"Lower note", "Lo Note"},
    {"Upper note", "Up Note"},
    {"Freq coars", "Coarse"},
    {"Freq fine", "Fine"},
    {"Fine t", "Fine"},
    {"Filt. Freq", "Freq"},
    {"Filt. Res", "Res"},
    {"Filt. Swp", "Sweep"},
    {"Filt. Dcy", "Decay"},
    {"Filt. Type", "Type"},
    {"Dtune fine", "Fine"},
    {"Detun Fine", "Fine"},
    {"Pulse wdth", "PW"},
    {"Pulse w MA", "PW MA"},
    {"Brk Point", "Break"},
    {"Cont mode", "Cont"},
    {"Bypass", "Byp"},
    {"Bypass", "B"},
    {"Mute", "M"},
    {"Color", "Col"},
    {"Left Gain", "L Gain"},
    {"Right Gain", "R Gain"},
    {"Out (row A)", "Out A"},
    {"Out (row B)", "Out B"},
    {"Note C", "C"},
    {"Note C#", "C#"},
    {"Note D", "D"},
    {"Note D#", "D#"},
    {"Note E", "E"},
    {"Note F", "F"},
    {"Note F#", "F#"},
    {"Note G", "G"},
    {"Note G#", "G#"},
    {"Note A", "A"},
    {"Note Bb", "Bb"},
    {"Note B", "B"},
    {"In 1", "I1"},
    {"In 2", "I2"},
    {"In 3", "I3"},
    {"In 4", "I4"},
    {"In 5", "I5"},
    {"In 6", "I6"},
    {"In 7", "I7"},
    {"In 8", "I8"},
    {"Out 1", "O1"},
    {"Out 2", "O2"},
    {"Out 3", "O3"},
    {"Out 4", "O4"},
    {"Out 5", "O5"},
    {"Out 6", "O6"},
    {"Out 7", "O7"},
    {"Out 8", "O8"},
};

constexpr TypeButtonName kButtons[] = {
    // In/Out
    {1, "Keyb"},
    {63, "Kbd Ptch"},
    {65, "MIDI Glob"},
    {2, "Aud In"},
    {127, "Poly In"},
    {5, "Out 1"},
    {4, "Out 2"},
    {3, "Out 4"},
    {67, "Note Det"},
    {100, "Kbd Splt"},
    // Osc
    {97, "Mst Osc"},
    {7, "OscA"},
    {8, "OscB"},
    {9, "OscC"},
    {107, "Spec Osc"},
    {96, "Fmt Osc"},
    {14, "Slv A"},
    {10, "Slv B"},
    {11, "Slv C"},
    {12, "Slv D"},
    {13, "Slv E"},
    {106, "Sine Bank"},
    {85, "Slv FM"},
    {31, "Nois Gen"},
    {95, "Perc Osc"},
    {58, "Drm"},
    // LFO
    {24, "LFO A"},
    {25, "LFO B"},
    {26, "LFO C"},
    {80, "Slv A"},
    {27, "Slv B"},
    {28, "Slv C"},
    {29, "Slv D"},
    {30, "Slv E"},
    {68, "Clk Gen"},
    {33, "Rnd Clk"},
    {34, "Rnd Step"},
    {110, "Rnd Gen"},
    {35, "Rnd Puls"},
    {99, "Patt Gen"},
    // Env
    {20, "ADSR"},
    {84, "AD"},
    {23, "Mod"},
    {46, "AHD"},
    {52, "Mlt Env"},
    {71, "Env Fol"},
    // Filter
    {86, "Flt A"},
    {87, "Flt B"},
    {50, "Flt C"},
    {49, "Flt D"},
    {51, "Flt E"},
    {92, "Flt F"},
    {45, "Vocl Flt"},
    {108, "Voco"},
    {32, "Flt Bank"},
    {103, "EQ Mid"},
    {104, "EQ Shlf"},
    // Mixer
    {19, "Mix 3"},
    {40, "Mix 8"},
    {44, "Gain"},
    {18, "XFad"},
    {47, "Pan"},
    {113, "Fad 1-2"},
    {114, "Fad 2-1"},
    {111, "Lev Mlt"},
    {112, "Lev Add"},
    {76, "On Off"},
    {79, "Sw 4-1"},
    {88, "Sw 1-4"},
    {81, "Amp"},
    // Audio
    {61, "Clip"},
    {62, "Ovdr"},
    {74, "Wrp"},
    {54, "Qnt"},
    {78, "Dly"},
    {53, "S&H"},
    {82, "Diod"},
    {94, "Chor"},
    {102, "Phas"},
    {57, "Lev Shft"},
    {83, "Shap"},
    {21, "Cmp"},
    {105, "Expd"},
    {117, "Ring Mod"},
    {118, "Digi"},
    // Ctrl
    {43, "Cnst"},
    {39, "Smo"},
    {48, "Port A"},
    {16, "Port B"},
    {72, "Note Scal"},
    {75, "Note Qnt"},
    {98, "Key Qnt"},
    {22, "Part Gen"},
    {66, "Ctrl Mix"},
    {115, "Vel Scal"},
    // Logic
    {36, "Pos Dly"},
    {64, "Neg Dly"},
    {38, "Puls"},
    {37, "Lgc Dly"},
    {70, "Lgc Inv"},
    {73, "Lgc Proc"},
    {59, "Cmp Lev"},
    {89, "Cmp AB"},
    {69, "Clk Div"},
    {77, "Div Fix"},
    // Seq
    {17, "Evnt Seq"},
    {91, "Ctrl Seq"},
    {15, "Note SeqA"},
    {90, "Note SeqB"},
};

std::vector<std::string> Words(std::string_view name)
{
    std::istringstream in{std::string(name)};
    std::vector<std::string> words;
    for (std::string w; in >> w;)
        words.push_back(w);
    return words;
}

const char* WordShortForm(const std::string& word)
{
    for (const WordAbbreviation& a : kWords)
        if (word == a.word)
            return a.shortForm;
    return nullptr;
}

std::string SpelledOut(std::string_view name)
{
    for (const NameAbbreviation& a : kSpelledOut)
        if (name == a.name)
            return a.shortForm;
    return std::string(name);
}

bool ReadAlike(std::string_view a, std::string_view b)
{
    return std::equal(a.begin(), a.end(), b.begin(), b.end(), [](char x, char y) {
        return std::toupper(static_cast<unsigned char>(x)) == std::toupper(static_cast<unsigned char>(y));
    });
}

// Whether a word of the name, as read, is neither the whole word it stands
// for nor that word's listed short form.
bool HasCutWord(std::string_view name)
{
    const std::vector<std::string> words = Words(name);
    const std::vector<std::string> whole = Words(SpelledOut(name));
    if (words.size() != whole.size())
        return true;
    for (size_t i = 0; i < words.size(); ++i) {
        const char* shortForm = WordShortForm(whole[i]);
        if (!ReadAlike(words[i], whole[i]) && !(shortForm && ReadAlike(words[i], shortForm)))
            return true;
    }
    return false;
}

// The faces print every name in title case, as most of the synthesizer's
// own names are ("Freq Coarse"): a word's first letter a capital, the rest
// as the name has them ("SampleRate", "KBT").
std::string TitleCase(std::string name)
{
    for (size_t i = 0; i < name.size(); ++i)
        if (i == 0 || name[i - 1] == ' ')
            name[i] = static_cast<char>(std::toupper(static_cast<unsigned char>(name[i])));
    return name;
}

std::string Joined(const std::vector<std::string>& words)
{
    std::string out;
    for (const std::string& w : words)
        out += (out.empty() ? "" : " ") + w;
    return out;
}

} // namespace

std::span<const WordAbbreviation> WordAbbreviations()
{
    return kWords;
}

std::span<const NameAbbreviation> NameAbbreviations()
{
    return kNames;
}

std::span<const NameAbbreviation> SpelledOutNames()
{
    return kSpelledOut;
}

std::vector<std::string> LabelForms(std::string_view name)
{
    std::vector<std::string> forms{TitleCase(SpelledOut(name))};
    const auto add = [&forms](const std::string& form) {
        if (std::find(forms.begin(), forms.end(), form) == forms.end())
            forms.push_back(form);
    };
    // The words' short forms, the longest word first: the most room is won
    // with the fewest words changed.
    std::vector<std::string> words = Words(forms.front());
    std::vector<size_t> order(words.size());
    for (size_t i = 0; i < order.size(); ++i)
        order[i] = i;
    std::stable_sort(order.begin(), order.end(),
                     [&words](size_t a, size_t b) { return words[a].size() > words[b].size(); });
    for (const size_t i : order)
        if (const char* shortForm = WordShortForm(words[i])) {
            words[i] = shortForm;
            add(Joined(words));
        }
    for (const NameAbbreviation& a : kNames)
        if (name == a.name)
            add(a.shortForm);
    // A short form that reads as the cut name again is no whole word; one
    // that reads as a name made of listed short forms ("Rec step") is.
    if (HasCutWord(name))
        std::erase_if(forms,
                      [&name, &forms](const std::string& f) { return &f != &forms.front() && ReadAlike(f, name); });
    std::stable_sort(forms.begin() + 1, forms.end(),
                     [](const std::string& a, const std::string& b) { return a.size() > b.size(); });
    return forms;
}

std::string ButtonName(uint8_t typeId)
{
    for (const TypeButtonName& b : kButtons)
        if (b.typeId == typeId)
            return b.buttonName;
    return {};
}
