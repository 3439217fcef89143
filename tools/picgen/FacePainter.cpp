#include "tools/picgen/FacePainter.h"
#include "tools/picgen/LabelPlacer.h"

#include "modules/ModuleAbbreviations.h"
#include "panels/BuildModule.h"
#include "panels/layout/ItemFrames.h"
#include "tools/picgen/BitmapFont.h"
#include "tools/picgen/PictureColours.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <functional>
#include <limits>
#include <map>
#include <numbers>
#include <numeric>
#include <optional>
#include <set>
#include <span>
#include <stdexcept>
#include <string_view>
#include <tuple>

namespace picgen {

namespace {

constexpr int kFaceWidth = 250;
constexpr uint32_t kOutlineDark = Rgb(0x80, 0x80, 0x80);
constexpr uint32_t kTickColour = Rgb(0x55, 0x55, 0x55);

FaceRect FrameOnFace(int x, int y, ItemFrameSize size)
{
    return {x - kBorder, y - kBorder, size.width, size.height};
}

// A knob body's centre and radius within its frame, as the painters draw it.
struct KnobGeometry {
    double cx;
    double cy;
    double r;
};

std::optional<KnobGeometry> KnobBody(ItemClass c)
{
    switch (c) {
    case ItemClass::BigKnob:
        return KnobGeometry{14.0, 14.0, 14.5};
    case ItemClass::MediumKnob:
        return KnobGeometry{11.0, 10.0, 10.5};
    case ItemClass::SmallKnob:
        return KnobGeometry{10.0, 9.0, 9.5};
    case ItemClass::IndicatorKnob:
        return KnobGeometry{11.0, 16.0, 10.5};
    default:
        return std::nullopt;
    }
}

} // namespace

FaceRect SeenOf(ItemClass itemClass, const FaceRect& frame)
{
    const auto body = KnobBody(itemClass);
    if (!body)
        return frame;
    const auto from = [](double c) { return static_cast<int>(std::floor(c)); };
    const auto to = [](double c) { return static_cast<int>(std::ceil(c)); };
    const int x = frame.x + from(body->cx - body->r);
    const int y = frame.y + from(body->cy - body->r);
    return {x, y, frame.x + to(body->cx + body->r) - x, frame.y + to(body->cy + body->r) - y};
}

namespace {

// The name a row of steps shares: "Level 3" -> "Level", "Event A 1" -> "Event A".
std::string RowStem(const std::string& name)
{
    std::string stem = name;
    while (!stem.empty() && std::isdigit(static_cast<unsigned char>(stem.back())))
        stem.pop_back();
    while (!stem.empty() && stem.back() == ' ')
        stem.pop_back();
    return stem.size() < name.size() ? stem : std::string();
}

// An item with its frame on the face; controls also carry their name and
// the row of steps they belong to.
struct FaceItem {
    const ItemSpec* item;
    FaceRect frame;
    std::string name; // the face label, else the parameter name
    int row = -1;
};

// Rows of steps: three or more controls of one class on one line whose
// parameter names differ only in their number.
std::vector<std::vector<int>> FindRows(std::vector<FaceItem>& controls)
{
    std::vector<std::vector<int>> rows;
    for (size_t i = 0; i < controls.size(); ++i) {
        if (controls[i].row >= 0 || controls[i].item->faceLabel)
            continue;
        const std::string stem = RowStem(controls[i].name);
        if (stem.empty())
            continue;
        std::vector<int> row;
        for (size_t j = i; j < controls.size(); ++j)
            if (controls[j].row < 0 && controls[j].item->itemClass == controls[i].item->itemClass &&
                controls[j].frame.y == controls[i].frame.y && RowStem(controls[j].name) == stem &&
                !controls[j].item->faceLabel)
                row.push_back(static_cast<int>(j));
        if (row.size() >= 3) {
            for (int k : row)
                controls[static_cast<size_t>(k)].row = static_cast<int>(rows.size());
            rows.push_back(row);
        }
    }
    return rows;
}

// Columns of buttons: two or more check buttons of one width, each right
// under the one before, off the rows of steps.
std::vector<std::vector<size_t>> FindButtonColumns(const std::vector<FaceItem>& controls)
{
    constexpr int kTouching = 2;
    std::vector<std::vector<size_t>> columns;
    std::vector<bool> taken(controls.size(), false);
    for (size_t i = 0; i < controls.size(); ++i) {
        if (taken[i] || controls[i].row >= 0 || controls[i].item->itemClass != ItemClass::CheckButton)
            continue;
        std::vector<size_t> column = {i};
        for (bool grown = true; grown;) {
            grown = false;
            for (size_t j = 0; j < controls.size(); ++j) {
                const FaceRect& last = controls[column.back()].frame;
                const FaceRect& f = controls[j].frame;
                if (!taken[j] && j != column.back() && controls[j].row < 0 &&
                    controls[j].item->itemClass == ItemClass::CheckButton && f.x == last.x && f.w == last.w &&
                    f.y >= last.Bottom() - kTouching && f.y <= last.Bottom() + kTouching) {
                    column.push_back(j);
                    taken[j] = true;
                    grown = true;
                }
            }
        }
        if (column.size() >= 2) {
            taken[i] = true;
            columns.push_back(column);
        }
    }
    return columns;
}

constexpr std::string_view kAmountWord = " MA";

// The knob a modulation amount knob sets the amount for: the one named as it
// is without its " MA", standing above it, nearer across than any other knob
// above it; null where there is none.
const FaceItem* BaseAbove(const std::vector<FaceItem>& controls, size_t k)
{
    const auto centreX = [](const FaceRect& f) { return 2 * f.x + f.w; };
    const auto centreY = [](const FaceRect& f) { return 2 * f.y + f.h; };
    const FaceRect& own = controls[k].frame;
    const std::string& name = controls[k].name;
    const FaceItem* base = nullptr;
    for (const FaceItem& c : controls)
        if (KnobBody(c.item->itemClass) && centreY(c.frame) < centreY(own) &&
            (!base || std::abs(centreX(c.frame) - centreX(own)) < std::abs(centreX(base->frame) - centreX(own))))
            base = &c;
    return base && name.size() > kAmountWord.size() && name.ends_with(kAmountWord) &&
            base->name == name.substr(0, name.size() - kAmountWord.size())
        ? base
        : nullptr;
}

// Whether an amount knob stands right under its knob, overlapping it across
// and below it, where an "MA" beside it reads as that knob's.
bool StandsRightUnderItsBase(const std::vector<FaceItem>& controls, size_t k)
{
    const FaceItem* base = BaseAbove(controls, k);
    const FaceRect& own = controls[k].frame;
    return base && own.x < base->frame.Right() && base->frame.x < own.Right() && own.y >= base->frame.Bottom();
}

// What a row's label says: the name its steps share, or "MA".
std::string RowName(const std::vector<FaceItem>& controls, const std::vector<int>& row)
{
    const std::string stem = RowStem(controls[static_cast<size_t>(row.front())].name);
    return stem.empty() ? std::string(kAmountWord.substr(1)) : stem;
}

FaceRect Union(const FaceRect& a, const FaceRect& b)
{
    const int x = std::min(a.x, b.x);
    const int y = std::min(a.y, b.y);
    return {x, y, std::max(a.Right(), b.Right()) - x, std::max(a.Bottom(), b.Bottom()) - y};
}

FaceRect Bounds(const std::vector<FaceItem>& controls, const std::vector<int>& row)
{
    FaceRect b = controls[static_cast<size_t>(row.front())].frame;
    for (int k : row)
        b = Union(b, controls[static_cast<size_t>(k)].frame);
    return b;
}

// The name of the knob right after a jack on its row, which sets how much of
// the jack is taken; none where there is no such knob.
std::optional<std::string> KnobNameAfter(const CBuildModule& type, const JackSpec& jack)
{
    constexpr int kBeside = 8;
    const FaceRect j = FrameOnFace(jack.x, jack.y, kJackFrame);
    const auto params = type.GetParams();
    size_t control = 0;
    for (const ItemSpec& item : type.GetItems()) {
        if (!IsControl(item.itemClass))
            continue;
        const size_t index = control++;
        const FaceRect f = FrameOnFace(item.x, item.y, ItemFrame(item));
        if (!KnobBody(item.itemClass) || f.y >= j.Bottom() || j.y >= f.Bottom() || f.x < j.Right() ||
            f.x - j.Right() > kBeside)
            continue;
        return item.faceLabel ? item.faceLabel : index < params.size() ? params[index].name : "";
    }
    return std::nullopt;
}

// The number at the end of that knob's name ("Pitch MA 2": 2); 0 where
// there is none.
int KnobNumberAfter(const CBuildModule& type, const JackSpec& jack)
{
    const std::string name = KnobNameAfter(type, jack).value_or("");
    return RowStem(name).empty() ? 0 : std::stoi(name.substr(name.find_last_not_of("0123456789") + 1));
}

// Whether the knob right after a jack on its row, which sets how much of the
// jack is taken, tells the jack apart from the others of its kind by its
// name: a number printed by the jack is then welcome, not needed.
bool ToldApartByItsKnob(const CBuildModule& type, const JackSpec& jack)
{
    return KnobNameAfter(type, jack).has_value();
}

// A jack's picture shows its direction (round inputs, square outputs) and,
// by its colour, its signal's kind: the face names a jack itself where it
// gives a word for it, else numbers the jacks that share direction and kind
// with another ("In 1", "In 2"), the others being plain from their pictures.
// Among the numbered jacks of a direction, one right before a knob whose
// name ends in a number takes that number, so that the two agree ("In 2"
// beside "Pitch MA 2"); the rest count on as they are read, row by row and
// left to right, those that a knob right after them tells apart after the
// others: the signals a module works on come first, a modulation input
// before its amount knob last (X-Fade fades "In 1" into "In 2"). The forms
// to try, longest first ("In 2", then the listed "I2"); none for a jack left
// unnamed.
std::vector<std::vector<std::string>> JackNames(const CBuildModule& type)
{
    const auto jacks = type.GetJacks();
    const auto numbered = [&jacks](const JackSpec& jack) {
        return !jack.faceLabel && std::count_if(jacks.begin(), jacks.end(), [&jack](const JackSpec& j) {
                                      return j.direction == jack.direction && j.kind == jack.kind && !j.faceLabel;
                                  }) > 1;
    };
    // A row holds the jacks level with its highest one.
    std::vector<int> tops;
    for (const JackSpec& j : jacks)
        tops.push_back(j.y);
    std::sort(tops.begin(), tops.end());
    const auto readingPlace = [&tops](const JackSpec& j) {
        int top = tops.front();
        for (const int y : tops)
            if (y <= j.y && y >= top + kJackFrame.height)
                top = y;
        return std::tuple(top, j.x, j.y);
    };
    std::vector<int> numbers(jacks.size(), 0);
    for (const JackDirection direction : {JackDirection::Input, JackDirection::Output}) {
        std::vector<size_t> counted;
        for (size_t k = 0; k < jacks.size(); ++k)
            if (jacks[k].direction == direction && numbered(jacks[k]))
                counted.push_back(k);
        std::stable_sort(counted.begin(), counted.end(), [&](size_t a, size_t b) {
            return std::tuple(ToldApartByItsKnob(type, jacks[a]), readingPlace(jacks[a])) <
                std::tuple(ToldApartByItsKnob(type, jacks[b]), readingPlace(jacks[b]));
        });
        // The knobs' numbers hold where each is one of the count, and no two alike.
        std::set<int> claimed;
        bool agree = true;
        for (const size_t k : counted) {
            const int n = KnobNumberAfter(type, jacks[k]);
            if (n > 0)
                agree = agree && n <= static_cast<int>(counted.size()) && claimed.insert(n).second;
        }
        if (!agree)
            claimed.clear();
        int next = 1;
        for (const size_t k : counted) {
            if (const int n = KnobNumberAfter(type, jacks[k]); n > 0 && claimed.contains(n)) {
                numbers[k] = n;
                continue;
            }
            while (claimed.contains(next))
                ++next;
            numbers[k] = next++;
        }
    }
    std::vector<std::vector<std::string>> names;
    for (size_t k = 0; k < jacks.size(); ++k) {
        const JackSpec& jack = jacks[k];
        if (jack.faceLabel)
            names.push_back(LabelForms(jack.faceLabel));
        else if (numbers[k] == 0)
            names.push_back({});
        else
            names.push_back(
                LabelForms((jack.direction == JackDirection::Input ? "In " : "Out ") + std::to_string(numbers[k])));
    }
    return names;
}

bool IsNumbered(const std::string& jackName)
{
    return !jackName.empty() && std::isdigit(static_cast<unsigned char>(jackName.back()));
}

// The squared distance between two boxes, 0 where they touch.
int GapSquared(const FaceRect& a, const FaceRect& b)
{
    const int dx = std::max({0, a.x - b.Right(), b.x - a.Right()});
    const int dy = std::max({0, a.y - b.Bottom(), b.y - a.Bottom()});
    return dx * dx + dy * dy;
}

// How much nearer, in pixels, a jack's label stands to its own jack than to
// any other: a couple of pixels where the face has room, so that a label
// between two jacks never reads as either's; one at least.
enum class JackMargin { Clear = 2, Least = 1 };

bool NearerBy(JackMargin margin, int ownSquared, int otherSquared)
{
    return std::sqrt(otherSquared) >= std::sqrt(ownSquared) + static_cast<int>(margin);
}

// Whether a label stands right beside a frame, level with it or straight
// above or below it, rather than off its corner.
bool Alongside(const FaceRect& box, const FaceRect& f)
{
    return (box.x < f.Right() && f.x < box.Right()) || (box.y < f.Bottom() && f.y < box.Bottom());
}

// Whether a box stands where a jack's own label would: right beside the
// jack, its middle level with it or straight above or below it. A control's
// name there reads as the jack's.
bool InJackLabelPlace(const FaceRect& box, const std::vector<FaceRect>& jacks)
{
    constexpr int kBesideJack = 5 * 5;
    const int cx = box.x + box.w / 2;
    const int cy = box.y + box.h / 2;
    return std::any_of(jacks.begin(), jacks.end(), [&](const FaceRect& j) {
        return GapSquared(box, j) <= kBesideJack && ((cx >= j.x && cx < j.Right()) || (cy >= j.y && cy < j.Bottom()));
    });
}

// Whether a label stands over a box, across it and up to so many rows off
// it: it reads as the name of what the box shows.
bool Heads(const FaceRect& box, const FaceRect& item, int over)
{
    return box.Bottom() <= item.y && item.y - box.Bottom() <= over && box.x < item.Right() && item.x < box.Right();
}

// A name a line's height over a value box at most heads it; a button, a
// name right over it.
constexpr int kOverValue = CBitmapFont::kHeight;
constexpr int kOverButton = 3;

// Whether a label stands straight over or under an item, its middle within
// the item's width and a line's height off it at most: it reads as the
// item's.
bool StraightOverOrUnder(const FaceRect& box, const FaceRect& item)
{
    constexpr int kLine = CBitmapFont::kHeight;
    const int cx = box.x + box.w / 2;
    const int down = std::max(box.y - item.Bottom(), item.y - box.Bottom());
    return cx >= item.x && cx < item.Right() && down >= 0 && down <= kLine;
}

// Whether a jack is the input of the knob right after it on its row.
bool Feeds(const FaceRect& jack, const FaceItem& control)
{
    constexpr int kBeside = 8;
    const FaceRect& f = control.frame;
    return KnobBody(control.item->itemClass) && f.y < jack.Bottom() && jack.y < f.Bottom() && f.x >= jack.Right() &&
        f.x - jack.Right() <= kBeside;
}

// The box showing a knob's value right above it: with the knob, a column
// the knob's name may head. The frames are the type's items' in order.
std::optional<FaceRect> ValueBox(const CBuildModule& type, const std::vector<FaceRect>& frames, size_t control)
{
    constexpr int kOver = 8;
    const auto items = type.GetItems();
    std::optional<FaceRect> own;
    size_t index = 0;
    for (size_t k = 0; k < items.size() && !own; ++k)
        if (IsControl(items[k].itemClass) && index++ == control && KnobBody(items[k].itemClass))
            own = frames[k];
    if (!own)
        return std::nullopt;
    for (size_t k = 0; k < items.size(); ++k) {
        const auto& bound = items[k].params;
        const FaceRect& f = frames[k];
        if (IsInfoText(items[k].itemClass) && bound.size() == 1 && bound.front() == control && f.Bottom() <= own->y &&
            own->y - f.Bottom() <= kOver && f.x < own->Right() && own->x < f.Right())
            return f;
    }
    return std::nullopt;
}

// How much nearer, in pixels, a name stands to its own control than to any
// other: a name between two knobs a pixel nearer to one reads as either's.
enum class NameMargin { Nearer = 0, Clear = 4 };

// Whether a label in a box names the given controls alone: nearer to one of
// them (or to the column of the value a control's name heads) than to any
// other control, by the margin given, or any jack, and not where a jack's
// label would stand.
bool NamesOnly(const FaceRect& box, const std::vector<int>& mine, const std::vector<FaceRect>& controls,
               const std::vector<FaceRect>& jacks, const std::optional<FaceRect>& column = std::nullopt,
               NameMargin margin = NameMargin::Nearer)
{
    int own = column ? GapSquared(box, *column) : std::numeric_limits<int>::max();
    for (int k : mine)
        own = std::min(own, GapSquared(box, controls[static_cast<size_t>(k)]));
    const auto clear = static_cast<double>(margin);
    for (size_t c = 0; c < controls.size(); ++c)
        if (std::find(mine.begin(), mine.end(), static_cast<int>(c)) == mine.end() &&
            (GapSquared(box, controls[c]) <= own || std::sqrt(GapSquared(box, controls[c])) < std::sqrt(own) + clear))
            return false;
    return std::none_of(jacks.begin(), jacks.end(), [&](const FaceRect& j) { return GapSquared(box, j) <= own; }) &&
        !InJackLabelPlace(box, jacks);
}

// A label's text as a reader takes it: one line, capitals (the tiny font
// has no others).
std::string AsRead(const std::string& text)
{
    std::string out = text;
    for (char& c : out)
        c = c == '\n' ? ' ' : static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    return out;
}

bool IsModuleButton(ItemClass c)
{
    return c >= ItemClass::DrumPresetSelector && c <= ItemClass::VocoderPreset;
}

// Which jack labels take their places before the controls' names.
enum class JacksFirst { None, Numbers, Words };

// Names an owner read as another control's wherever the search put them,
// on faces whose items leave a name one spot that reads as its own: each
// stands there, its top-left corner given, before any other label is placed;
// in the font given, or in the tiny one shrunk in place with the face's other
// names where one of those needs it.
// The checks hold it as they hold every label; but where its spot is a pixel
// short of the clearance, it may touch its own control, never another item.
struct PlacedName {
    std::string_view type;
    std::string_view control;
    std::string_view text;
    FontSize size;
    int x;
    int y;
};
constexpr PlacedName kPlacedNames[] = {
    // "Frequency" stood over the Resonance knob, "Freq MA" by the vowels at
    // the top: the frequency's name left of its knob's top, the amount's
    // under it by the input it takes, the resonance's over its knob.
    {"VocalFilter", "Frequency", "Freq", FontSize::Normal, 29, 14},
    {"VocalFilter", "Freq MA", "Freq\nMA", FontSize::Tiny, 34, 29},
    {"VocalFilter", "Resonance", "Res", FontSize::Normal, 5, 22},
    // "Freq" at the Frequency knob's top corner read on into "KBT" under it:
    // the KBT knob's name right over the knob, a line's height under "Freq".
    {"FilterE", "Frequency", "Freq", FontSize::Tiny, 81, 32},
    {"FilterE", "KBT", "KBT", FontSize::Tiny, 89, 43},
    // Over the button, "Mute" stood right under the Wave buttons' name, by
    // their foot: level with its button, before it.
    {"OscB", "Mute", "Mute", FontSize::Normal, 194, 72},
    // "Dcy" left of its knob stood over the Attack amount's "MA", the two
    // read as "Dcy MA" beside the Decay amount's own: the decay's name heads
    // its value column as the sustain's and the release's do, and each
    // amount is named in the gap after the knob it modulates, over its own.
    {"Mod-Env", "Decay", "Decay", FontSize::Tiny, 82, 8},
    {"Mod-Env", "Attack MA", "Atk\nMA", FontSize::Tiny, 63, 49},
    {"Mod-Env", "Decay MA", "Dcy\nMA", FontSize::Tiny, 100, 49},
    {"Mod-Env", "Sustain MA", "Sus\nMA", FontSize::Tiny, 136, 49},
    // Its button at the foot of the Resonance value's column: "Gain" over
    // "comp" level with it, before it, touching it; of the 18 pixels between
    // it and the Frequency knob, "comp" takes 17 and the pixel clear of the
    // knob the last. A row lower than centred, the knob keeps its tick.
    {"FilterC", "Gain comp", "Gain\nComp", FontSize::Tiny, 91, 41},
    // Each name over its knob, the two off each other's corner by a blank:
    // a line apart, the end of "Depth MA" read on into "Depth".
    {"RingMod", "Depth MA", "Depth MA", FontSize::Normal, 94, 9},
    {"RingMod", "Depth", "Depth", FontSize::Normal, 146, 1},
    // "Limiter" over its value box in the tiny font of its row's longer
    // names, a blank before "Bypass" over the button at the edge.
    {"Compressor", "Limiter", "Limiter", FontSize::Tiny, 194, 52},
    {"Compressor", "Bypass", "Bypass", FontSize::Tiny, 227, 43},
    // Twin faces read alike. Compressor's "SC Monitor" in the short form
    // Expander's narrower button leaves room for, over the button as there.
    {"Compressor", "SC Monitor", "SC\nMon", FontSize::Tiny, 69, 18},
    // NoteSeqB's "Loop" stood before its button, NoteSeqA's under it.
    {"NoteSeqB", "Loop", "Loop", FontSize::Tiny, 97, 16},
    // EqShelving's "Input Lvl" stood before its knob, EqMid's over it: over
    // it on both, clear of the Lo/Hi buttons by a pixel more than the knob.
    {"EqShelving", "Input Lvl", "In\nLvl", FontSize::Tiny, 179, 21},
    // The selector's name in the tiny font right before its buttons, a
    // blank above the level knobs' names that its tail once read on into.
    {"4-1Switch", "Input sel", "Input Sel", FontSize::Tiny, 131, 2},
    // Under the Waveform buttons, a blank right of "KBT" beside its
    // knob, which read on into it off its corner.
    {"LFOA", "Waveform", "Waveform", FontSize::Normal, 171, 45},
    {"LFOA", "KBT", "KBT", FontSize::Normal, 147, 54},
    // "Rate" stood over the amount knob and "Rate MA" over the input jack
    // before it: the box over the Rate knob leaves no row under the title's
    // band, so the rate's name stands right before its value, level with
    // it, and the amount's over its own knob.
    {"LFOA", "Rate", "Rate", FontSize::Tiny, 26, 20},
    {"LFOA", "Rate MA", "Rate\nMA", FontSize::Tiny, 42, 32},
    // LFOC's "Rate MA" stood before its knob, over the input jack more than
    // by the knob: the Rate box right over the knob leaves no row there, so
    // it stands after the knob, nearer to it than to the Rate knob beyond.
    {"LFOC", "Rate MA", "Rate\nMA", FontSize::Tiny, 68, 38},
    // "Range" level with the Sub button's top, under the Phase box, and
    // "Pulse Width" under the wave graph: each a few rows over the name
    // beside it ("KBT", "PW MA") that they read on into a line apart.
    {"LFOB", "Range", "Range", FontSize::Tiny, 120, 24},
    {"LFOB", "KBT", "KBT", FontSize::Tiny, 140, 33},
    {"LFOB", "Rate", "Rate", FontSize::Tiny, 47, 30},
    {"LFOB", "Rate MA", "Rate MA", FontSize::Tiny, 30, 39},
    {"LFOB", "Pulse wdth", "Pulse Width", FontSize::Tiny, 199, 23},
    // Off the accent line along the top edge the search puts the phase's
    // name under its value box over "PW MA", and the pulse width's as "PW"
    // over the Mute button's name: the phase's heads its knob a row under
    // the line; the pulse width's knob leaves no row over it, so its short
    // form stands at the knob's top corner, well clear of "Mute".
    {"LFOB", "Phase", "Phase", FontSize::Tiny, 149, 2},
    {"OscSlvB", "Pulse wdth", "PW", FontSize::Tiny, 216, 1},
    // "Detune Fine" over its knob ran on over the FM input: "Fine" over the
    // knob beside the big one that "Detune" heads, as on OscSlvE. "FM
    // Amount" off its knob's top corner stood right over "Mute", the two read
    // as one name once both were in the tiny font: in two lines over its knob.
    {"OscSlvC", "Dtune fine", "Fine", FontSize::Normal, 122, 1},
    {"OscSlvC", "FM amount", "FM\nAmount", FontSize::Tiny, 180, 1},
    {"OscSlvD", "Dtune fine", "Fine", FontSize::Normal, 122, 1},
    {"OscSlvD", "FM amount", "FM\nAmount", FontSize::Tiny, 180, 1},
    // "Decay MA" ran from its knob's corner over the audio input: the
    // amount named in the gap after the Decay knob, over its own knob, as
    // the Attack and Hold amounts are after theirs.
    {"AHD-Env", "Decay MA", "Decay\nMA", FontSize::Tiny, 166, 36},
    // "Time MA" beside its knob stood right under the Time value's box,
    // its caption at a glance: over the knob it names, as Clip, Overdrive
    // and WaveWrap name their amounts.
    {"Delay", "Time MA", "Time\nMA", FontSize::Tiny, 86, 5},
    // "Bal" beside the Balance knob read as no word an owner knows: the
    // whole word in the tiny font in its place, between the knob and the
    // inputs' gap, nearer the knob; the amount's name over its own knob.
    {"X-Fade", "Balance MA", "Balance MA", FontSize::Normal, 83, 6},
    {"X-Fade", "Balance", "Balance", FontSize::Tiny, 166, 17},
    // The Break Point column headed in the normal font of its neighbours'
    // "L Gain" and "R Gain", as its box leaves room for, not the tiny one.
    {"NoteVelScal", "Brk Point", "Break", FontSize::Normal, 124, 1},
    // In the normal font the button's name needs the accent line's row; in
    // the tiny font it heads its button under the line.
    {"Digitizer", "Rate OnOff", "Rate\nOn/Off", FontSize::Tiny, 89, 4},
    // Its button between the two inputs leaves its name no row over it or
    // room beside it: the name stands before the first input, a row under
    // the accent line, placed first; off the input's name, over which it
    // read on into it as "Lvl Shift In 1".
    {"GainControl", "Lvl Shift", "Lvl Shift", FontSize::Tiny, 84, 1},
    // Off its knob's corner the search put the second amount's name right
    // under the Frequency knob, its name at a glance: under its own knob,
    // the four pixels clear of the Frequency knob that keep it nearer to its own.
    {"FilterF", "Freq MA 2", "Freq MA 2", FontSize::Tiny, 19, 77},
    // "Level" at its row's end stood right before the Sustain Place box,
    // read as that box's name, and "Time" at the end of its row: each row
    // named before its first value box, level with it, as a table reads.
    {"Multi-Env", "Level 1", "Level", FontSize::Tiny, 1, 16},
    {"Multi-Env", "Time 1", "Time", FontSize::Tiny, 5, 62},
    // "Env type" level with the button and on its line read on from the
    // "Gate" the button shows, as "Gate Env type": in two lines beside it.
    {"AD-Env", "Env type", "Env\nType", FontSize::Tiny, 30, 11},
    // "Level" after the last slider stood right over the output's "Out",
    // the two read as "Level Out": the row's name over its first lights.
    {"CtrlSeq", "Level 1", "Level", FontSize::Normal, 24, 20},
    // "Pulse Width MA" along the foot ran on under "In 3" that then stood
    // right over it: the short form under its own knob.
    {"OscA", "Pulse w MA", "PW MA", FontSize::Tiny, 190, 77},
    // "Wave" beside its buttons stood 4 px off the Pulse Width knob's side,
    // as much that knob's: level with the top button, the knob's name over
    // it a few pixels to the left, clear of it.
    {"OscA", "Waveform", "Wave", FontSize::Tiny, 208, 5},
    {"OscA", "Pulse wdth", "Pulse Width", FontSize::Tiny, 166, 13},
    // "Bend Decay" in two lines filled the gap between its knob and the
    // preset box under it, as much the box's name as the knob's: in one line
    // of short forms right under the knob, well off the box.
    {"DrumSynth", "Bend Decay", "Bend Dcy", FontSize::Tiny, 156, 90},
    // "Range" under its knob's corner stood level with the Cont button and
    // right after it, read as "Cont Range": right before the box that shows
    // its value, level with it, the two read as one: the range and its value.
    {"KeyQuant", "Range", "Range", FontSize::Normal, 158, 7},
    // "Fine Tune" in the gap between its knobs and the level knobs stood
    // nearer to the level knobs' bodies and read as their row's name: the
    // row named before its first knob, level with it, under the first Mute
    // button; the gap is left to the level row's name and numbers.
    {"OscSineBank", "Fine t 1", "Fine", FontSize::Tiny, 2, 92},
    // In the tiny font of the face's other names, over its row's middle.
    {"OscSineBank", "Detune 1", "Detune", FontSize::Tiny, 121, 36},
};

// Jack labels an owner read as another item's, or in a form shorter than
// the face has room for, wherever the search put them: each jack (by the
// form of its name the face prints) has its label there, its top-left
// corner given, before any other label but the given names.
struct PlacedJackName {
    std::string_view type;
    std::string_view jack;
    FontSize size;
    int x;
    int y;
};
constexpr PlacedJackName kPlacedJackNames[] = {
    // "I2" stood between the KBT knob and its jack, nearly as near to the
    // knob: "In 2" right under its jack, "In 1" before its own in the same
    // form.
    {"LFOB", "In 1", FontSize::Tiny, 6, 46},
    {"LFOB", "In 2", FontSize::Tiny, 160, 61},
    // Each row's words in one font: "8" and "MIDI Clock" in the tiny font of
    // "T8", "16" and "Rst", for which the gaps between the jacks have room
    // for no other; "Vel" in the tiny font of "Note", which in the normal one
    // would stand right under "Vel Sens".
    {"ClkDivFix", "8", FontSize::Tiny, 172, 9},
    {"ClkDivFix", "MIDI Clock", FontSize::Tiny, 77, 11},
    {"NoteVelScal", "Vel", FontSize::Tiny, 3, 31},
    // "In 3" right of its jack stood level with the next jack's foot, right
    // under "In 5" before that jack's top, the two read as one pair: each
    // level with its own jack alone, "In 3" at its jack's foot.
    {"OscA", "In 5", FontSize::Tiny, 157, 59},
    {"OscA", "In 3", FontSize::Tiny, 155, 72},
    // The same pair on Mod-Env, "I4" before its jack over "I3" after its
    // own: "I3" at its jack's foot, the others in the form and font it
    // takes there.
    {"Mod-Env", "I1", FontSize::Tiny, 21, 26},
    {"Mod-Env", "I3", FontSize::Tiny, 20, 77},
    {"Mod-Env", "I4", FontSize::Tiny, 23, 65},
    // The level inputs read over and under their row by turns: each over
    // its jack, its knob's number beside it, in the form the face has room
    // for, but the first under it, where "Fine" over it would read on into
    // it; the two other inputs on their row in the same form.
    {"OscSineBank", "In 1", FontSize::Tiny, 4, 128},
    {"OscSineBank", "In 2", FontSize::Tiny, 45, 104},
    {"OscSineBank", "In 3", FontSize::Tiny, 86, 104},
    {"OscSineBank", "In 4", FontSize::Tiny, 127, 104},
    {"OscSineBank", "In 5", FontSize::Tiny, 168, 104},
    {"OscSineBank", "In 6", FontSize::Tiny, 209, 104},
    {"OscSineBank", "In 7", FontSize::Tiny, 77, 134},
    {"OscSineBank", "In 8", FontSize::Tiny, 158, 134},
};

// While it lives, the labels placed take the font given for the controls'
// names, where one is: the jacks' labels and the face's own name keep both.
class CControlFont {
public:
    CControlFont(CLabelPlacer& placer, std::optional<FontSize> font) : placer_(placer), was_(placer.Font())
    {
        placer_.UseFont(font);
    }
    CControlFont(const CControlFont&) = delete;
    CControlFont& operator=(const CControlFont&) = delete;
    ~CControlFont() { placer_.UseFont(was_); }

private:
    CLabelPlacer& placer_;
    std::optional<FontSize> was_;
};

// A control whose name takes its place before the others', in the tiny
// font where told, to leave the others room beside it.
struct NameFirst {
    size_t control;
    bool small;
};

class CFaceBuilder {
public:
    // The controls' names in the one font given, where one is.
    CFaceBuilder(const CBuildModule& type, size_t tab, std::optional<FontSize> controlFont = std::nullopt)
        : type_(type), accent_(kTabAccents[tab % kTabAccents.size()]), controlFont_(controlFont),
          layout_{CRaster(0, 0, kPanelGrey), {}, {}, {}}
    { }

    // With the jack numbers placed first, or the jacks' words and numbers,
    // or neither before the controls' whole names; the names of the
    // controls given (parameter indices) before any of these, each beside
    // its control where it has room there, else where no other control
    // stands nearer, in the tiny font where told; labels one over the other
    // as far apart as the gap given. The labels only: of the layouts a search
    // builds, the one kept is drawn (Paint).
    CFaceLayout Build(JacksFirst first, const std::vector<NameFirst>& controlsFirst, StackGap stackGap)
    {
        CollectFrames();
        CLabelPlacer placer(Width(), Height(), Obstacles(), stackGap);
        // Step numbers need a whole strip along their row: they go first.
        PlaceStepNumbers(placer);
        PlaceGivenNames(placer);
        PlaceGivenJackNames(placer);
        for (const auto [i, small] : controlsFirst)
            if (controls_[i].row < 0 && !NamedByOwnWord(i) && !Labelled(i) && !PlaceColumnHeading(placer, i))
                PlaceControlLabel(placer, i, CLabelPlacer::Need::Beside, true, small);
        // A jack's label has its jack's row or little else: it may take its
        // place there before the controls' names spread over the row.
        if (first == JacksFirst::Words)
            PlaceJackLabels(placer, false, true, true);
        if (first != JacksFirst::None)
            PlaceJackLabels(placer, true, true);
        std::vector<bool> named = PlaceWholeControlNames(placer);
        PlaceOtherControlLabels(placer, named);
        PlaceJackLabels(placer, true, false);
        PlaceJackLabels(placer, false, false);
        PlaceName(placer);
        return std::move(layout_);
    }

    // Draws the face with the labels of a layout built for its type.
    CFaceLayout Paint(CFaceLayout built)
    {
        CollectFrames();
        layout_.labels = std::move(built.labels);
        layout_.namedByOwnText = std::move(built.namedByOwnText);
        layout_.picture = CRaster(Width(), Height(), kPanelGrey);
        PaintAccent();
        PaintOutlines();
        PaintJackMarks();
        PaintTicks();
        ClearItemAreas();
        PaintLabels();
        return std::move(layout_);
    }

private:
    int Width() const { return kFaceWidth; }
    int Height() const { return 15 * type_.GetHeight() - 6; }

    void CollectFrames()
    {
        const auto params = type_.GetParams();
        for (const ItemSpec& item : type_.GetItems()) {
            const FaceRect frame = FrameOnFace(item.x, item.y, ItemFrame(item));
            layout_.itemFrames.push_back(frame);
            if (IsControl(item.itemClass)) {
                const size_t index = controls_.size();
                std::string name = item.faceLabel ? item.faceLabel : index < params.size() ? params[index].name : "";
                controls_.push_back({&item, frame, name});
                controlFrames_.push_back(frame);
            } else {
                others_.push_back({&item, frame, {}});
            }
        }
        for (const JackSpec& jack : type_.GetJacks())
            jackFrames_.push_back(FrameOnFace(jack.x, jack.y, kJackFrame));
        layout_.itemFrames.insert(layout_.itemFrames.end(), jackFrames_.begin(), jackFrames_.end());
        rows_ = FindRows(controls_);
    }

    std::vector<FaceRect> Obstacles() const
    {
        std::vector<FaceRect> obstacles = layout_.itemFrames;
        // Jack marks reach past the jack's frame.
        for (const FaceRect& j : jackFrames_)
            obstacles.push_back(j.Inflated(2));
        obstacles.push_back(kTitleStrip);
        // A label may touch the accent line along the top edge and the strip
        // along the bottom, but not cover them: a label's top row on the line
        // would merge into it, its capitals losing their top bars.
        const FaceRect line = AccentLine(Width());
        obstacles.push_back({line.x, line.y - 1, line.w, line.h});
        const FaceRect strip = BottomStrip(Width(), Height());
        obstacles.push_back({strip.x, strip.y + 1, strip.w, strip.h - 1});
        return obstacles;
    }

    void AddLabel(const std::optional<CLabelPlacer::Placement>& placed, LabelKind kind, std::vector<int> controls,
                  int jack = -1)
    {
        if (!placed)
            return;
        layout_.labels.push_back({placed->box, placed->text, kind, placed->size, std::move(controls), jack});
        used_.insert(AsRead(placed->text));
    }

    // The forms of a name no other label on the face reads as; all of them
    // where every one is taken.
    std::vector<std::string> FreeForms(const std::string& name) const { return FreeOf(FormsOf(name)); }

    // A button's initial ("B" for "Bypass") is listed for the button that
    // shows it; as a label beside anything else it names nothing.
    static std::vector<std::string> FormsOf(const std::string& name)
    {
        std::vector<std::string> forms = LabelForms(name);
        std::erase_if(forms, [&name](const std::string& f) { return f.size() == 1 && name.starts_with(f); });
        return forms;
    }

    std::vector<std::string> FreeOf(const std::vector<std::string>& forms) const
    {
        std::vector<std::string> free;
        std::copy_if(forms.begin(), forms.end(), std::back_inserter(free),
                     [this](const std::string& f) { return !used_.contains(AsRead(f)); });
        return free.empty() ? forms : free;
    }

    // A check button whose own text is its parameter's name or a listed
    // short form of it (a key's "C#", "KBT") names itself.
    bool NamedByOwnText(size_t i) const
    {
        const ItemSpec& item = *controls_[i].item;
        if (item.itemClass != ItemClass::CheckButton || !item.text)
            return false;
        const std::vector<std::string> forms = LabelForms(controls_[i].name);
        return std::find(forms.begin(), forms.end(), item.text) != forms.end();
    }

    // A button showing the initial of its name ("B" for "Bypass") names
    // itself only where its name finds no room beside it: a word reads more
    // plainly than a letter. Other listed texts (a key's "C#") always do.
    bool ShowsItsInitial(size_t i) const
    {
        const char* text = controls_[i].item->text;
        return NamedByOwnText(i) && std::string_view(text).size() == 1 && controls_[i].name.starts_with(text);
    }

    bool NamedByOwnWord(size_t i) const { return NamedByOwnText(i) && !ShowsItsInitial(i); }

    void NameByOwnText(size_t i)
    {
        layout_.namedByOwnText.push_back(static_cast<int>(i));
        used_.insert(AsRead(controls_[i].item->text));
    }

    // A given name that does not take its spot is a fault of the tables, not
    // a name to place elsewhere: the pictures are not drawn.
    [[noreturn]] void RefuseGiven(std::string_view name, std::string_view fault) const
    {
        throw std::logic_error(std::string(type_.GetShortName()) + "'s given \"" + std::string(name) + "\" " +
                               std::string(fault));
    }

    static FaceRect GivenBox(const std::string& text, FontSize size, int x, int y)
    {
        const FaceRect measured = LabelSize(text, size);
        return {x, y, measured.w, measured.h};
    }

    void PlaceGivenNames(CLabelPlacer& placer)
    {
        for (const PlacedName& p : kPlacedNames) {
            if (p.type != type_.GetShortName())
                continue;
            const auto c = std::find_if(controls_.begin(), controls_.end(),
                                        [&p](const FaceItem& f) { return f.name == p.control; });
            if (c == controls_.end())
                RefuseGiven(p.control, "names no control of the face");
            const std::string text(p.text);
            const FaceRect box = GivenBox(text, p.size, p.x, p.y);
            // A step's given name names its whole row.
            const auto i = static_cast<int>(c - controls_.begin());
            const bool step = c->row >= 0;
            const std::vector<int> mine = step ? rows_[static_cast<size_t>(c->row)] : std::vector{i};
            if (Readable(mine, {})(box) && placer.TakeTouching(box, c->frame))
                AddLabel(CLabelPlacer::Placement{box, text, p.size}, step ? LabelKind::Row : LabelKind::Control, mine);
            else
                RefuseGiven(p.control, "has a spot the face does not leave it");
        }
    }

    void PlaceGivenJackNames(CLabelPlacer& placer)
    {
        const auto names = JackNames(type_);
        for (const PlacedJackName& p : kPlacedJackNames) {
            if (p.type != type_.GetShortName())
                continue;
            const auto named = std::find_if(names.begin(), names.end(), [&p](const auto& forms) {
                return std::find(forms.begin(), forms.end(), p.jack) != forms.end();
            });
            if (named == names.end())
                RefuseGiven(p.jack, "names no jack of the face");
            const std::string text(p.jack);
            const FaceRect box = GivenBox(text, p.size, p.x, p.y);
            if (placer.TakeAll({box}))
                AddJackLabel(placer, CLabelPlacer::Placement{box, text, p.size},
                             static_cast<size_t>(named - names.begin()));
            else
                RefuseGiven(p.jack, "has a spot the face does not leave it");
        }
    }

    bool RowLabelled(const std::vector<int>& row) const
    {
        return std::any_of(layout_.labels.begin(), layout_.labels.end(),
                           [&row](const FaceLabel& l) { return l.kind == LabelKind::Row && l.controls == row; });
    }

    bool Labelled(size_t i) const
    {
        return std::any_of(layout_.labels.begin(), layout_.labels.end(), [i](const FaceLabel& l) {
            return l.kind == LabelKind::Control && l.controls.front() == static_cast<int>(i);
        });
    }

    // Controls of their own first, their whole names in the normal font
    // beside them, then the rows; then (after the jacks) what is left wherever
    // it fits; a row without room for its label names each of its steps.
    std::vector<bool> PlaceWholeControlNames(CLabelPlacer& placer)
    {
        std::vector<bool> named(controls_.size(), false);
        for (const FaceLabel& label : layout_.labels)
            if (label.kind == LabelKind::Control)
                named[static_cast<size_t>(label.controls.front())] = true;
        for (size_t i = 0; i < controls_.size(); ++i)
            if (controls_[i].row < 0 && NamedByOwnWord(i)) {
                named[i] = true;
                NameByOwnText(i);
            }
        PlaceColumnLegends(placer, named);
        // A knob under the box showing its value is named over the box, in
        // either font, heading its column: the gaps beside the knobs are left
        // to the knobs below them.
        for (size_t i = 0; i < controls_.size(); ++i)
            if (controls_[i].row < 0 && !named[i])
                named[i] = PlaceColumnHeading(placer, i);
        // The whole names in the normal font first, each beside its control.
        for (size_t i = 0; i < controls_.size(); ++i)
            if (controls_[i].row < 0 && !named[i])
                named[i] = PlaceControlLabel(placer, i, CLabelPlacer::Need::Optional);
        std::vector<const std::vector<int>*> apart;
        for (const auto& row : rows_)
            if (!RowLabelled(row) && !PlaceRowLabel(placer, row, false))
                apart.push_back(&row);
        if (apart.size() < 2 || !PlaceRowLegend(placer, apart))
            for (const auto* row : apart)
                PlaceRowLabel(placer, *row, true);
        for (const FaceLabel& label : layout_.labels)
            if (label.kind == LabelKind::Row)
                for (int k : label.controls)
                    named[static_cast<size_t>(k)] = true;
        return named;
    }

    // A column of buttons of which one has no room for its name beside it,
    // alone, is named in a legend by the column, a line for each button in
    // the order they stand, top to bottom: its name left wherever it fits
    // would stand by other controls (EventSeq's Output A and Output B
    // buttons, at the ends of their rows).
    void PlaceColumnLegends(CLabelPlacer& placer, std::vector<bool>& named)
    {
        const CControlFont font(placer, controlFont_);
        for (const std::vector<size_t>& column : FindButtonColumns(controls_)) {
            if (std::any_of(column.begin(), column.end(), [&](size_t i) { return named[i] || NamedByOwnText(i); }))
                continue;
            CLabelPlacer trial = placer;
            const bool cramped = std::any_of(column.begin(), column.end(), [&](size_t i) {
                const std::vector<int> mine = {static_cast<int>(i)};
                return !trial.Place(
                    controls_[i].frame, FreeForms(controls_[i].name),
                    {LabelSide::Above, LabelSide::Left, LabelSide::Below, LabelSide::Right}, CLabelPlacer::Need::Beside,
                    Readable(mine, [this, &mine](const FaceRect& box) { return NamesOnly(box, mine); }));
            });
            if (!cramped)
                continue;
            std::vector<std::vector<std::string>> entries;
            std::vector<int> mine;
            FaceRect bounds = controls_[column.front()].frame;
            for (const size_t i : column) {
                entries.push_back(FreeForms(controls_[i].name));
                mine.push_back(static_cast<int>(i));
                bounds = Union(bounds, controls_[i].frame);
            }
            // By the column, nearer to its buttons than to any other control
            // or jack; but no line right over a button, where it would read
            // as that button's name alone.
            const auto byTheColumn = [this, &mine, &column](const FaceRect& box) {
                return AboveTheAccent()(box) && NamesOnly(box, mine) &&
                    std::none_of(column.begin(), column.end(),
                                 [this, &box](size_t i) { return Heads(box, controls_[i].frame, kOverButton); });
            };
            const auto placed =
                placer.PlaceLegend(bounds, entries, Readable(mine, byTheColumn), static_cast<int>(column.size()));
            if (!placed)
                continue;
            for (size_t k = 0; k < column.size(); ++k) {
                AddLabel((*placed)[k], LabelKind::Control, {mine[k]});
                named[column[k]] = true;
            }
        }
    }

    // Rows of one grid (their steps in the same columns) whose labels find
    // no room beside them are named in a legend in the order they stand, top
    // to bottom: labels left wherever they fit could read in the other order.
    bool PlaceRowLegend(CLabelPlacer& placer, std::vector<const std::vector<int>*> rows)
    {
        const FaceRect first = Bounds(controls_, *rows.front());
        if (std::any_of(rows.begin(), rows.end(), [&](const auto* row) {
                const FaceRect b = Bounds(controls_, *row);
                return b.x != first.x || b.w != first.w;
            }))
            return false;
        std::stable_sort(rows.begin(), rows.end(), [this](const auto* a, const auto* b) {
            const FaceRect fa = Bounds(controls_, *a);
            const FaceRect fb = Bounds(controls_, *b);
            return fa.y != fb.y ? fa.y < fb.y : fa.x < fb.x;
        });
        const CControlFont font(placer, controlFont_);
        std::vector<std::vector<std::string>> entries;
        FaceRect bounds = Bounds(controls_, *rows.front());
        for (const auto* row : rows) {
            entries.push_back(FreeForms(RowName(controls_, *row)));
            bounds = Union(bounds, Bounds(controls_, *row));
        }
        // A line for each row, in their order, where the face has room.
        std::vector<int> mine;
        for (const auto* row : rows)
            mine.insert(mine.end(), row->begin(), row->end());
        const auto placed =
            placer.PlaceLegend(bounds, entries, Readable(mine, AboveTheAccent()), static_cast<int>(rows.size()));
        if (!placed)
            return false;
        for (size_t k = 0; k < rows.size(); ++k)
            AddLabel((*placed)[k], LabelKind::Row, *rows[k]);
        return true;
    }

    // Beside each control in any form and font where it has room; where most
    // of the face's controls have none (a face of one crowded row), the rest
    // are named in a legend in the order the controls stand, left to right,
    // rather than each at whatever spot happens to be free.
    void PlaceOtherControlLabels(CLabelPlacer& placer, const std::vector<bool>& named)
    {
        std::vector<size_t> cramped;
        for (size_t i = 0; i < controls_.size(); ++i)
            if (!named[i] && !PlaceControlLabel(placer, i, CLabelPlacer::Need::Beside)) {
                if (ShowsItsInitial(i))
                    NameByOwnText(i);
                else
                    cramped.push_back(i);
            }
        if (cramped.size() >= 2 && 2 * cramped.size() > controls_.size() && PlaceLegend(placer, cramped))
            return;
        for (const size_t i : cramped)
            PlaceControlLabel(placer, i, CLabelPlacer::Need::Required);
    }

    bool PlaceLegend(CLabelPlacer& placer, std::vector<size_t> cramped)
    {
        std::stable_sort(cramped.begin(), cramped.end(), [this](size_t a, size_t b) {
            const FaceRect& fa = controls_[a].frame;
            const FaceRect& fb = controls_[b].frame;
            return fa.x != fb.x ? fa.x < fb.x : fa.y < fb.y;
        });
        const CControlFont font(placer, controlFont_);
        std::vector<std::vector<std::string>> entries;
        FaceRect bounds = controls_[cramped.front()].frame;
        for (const size_t i : cramped) {
            entries.push_back(FreeForms(controls_[i].name));
            bounds = Union(bounds, controls_[i].frame);
        }
        const std::vector<int> mine(cramped.begin(), cramped.end());
        const auto placed = placer.PlaceLegend(bounds, entries, Readable(mine, AboveTheAccent()));
        if (!placed)
            return false;
        for (size_t k = 0; k < cramped.size(); ++k)
            AddLabel((*placed)[k], LabelKind::Control, {static_cast<int>(cramped[k])});
        return true;
    }

    // Beside the control, nearer to it than to any other control or jack
    // and not where a jack's label would stand, where the face has room for
    // that; else wherever it fits, but not where a jack's label would stand.
    // Placed first, before the other names, it may stand as near to another
    // control as to its own where it finds no room beside it alone; placed
    // small, it takes its place in the tiny font.
    bool PlaceControlLabel(CLabelPlacer& placer, size_t i, CLabelPlacer::Need need, bool first = false,
                           bool small = false)
    {
        using enum LabelSide;
        const CControlFont font(placer, controlFont_);
        const bool knob = KnobBody(controls_[i].item->itemClass).has_value();
        const FaceRect& own = controls_[i].frame;
        const std::vector<LabelSide> sides =
            knob ? std::vector{Above, Below, Left, Right} : std::vector{Above, Left, Below, Right};
        std::vector<std::string> texts = FreeForms(controls_[i].name);
        if (need == CLabelPlacer::Need::Optional)
            texts.resize(1);
        // The face's one modulation amount right under the knob it
        // modulates reads as that knob's by its "MA" alone, which finds room
        // beside it where its whole name would stand far off, by other
        // controls. Beside other amounts' names an "MA" would read as any.
        else if (const std::string amount(kAmountWord.substr(1)); LoneAmountUnderItsBase(i) && !used_.contains(amount))
            texts.push_back(amount);
        // A knob under its value box is named level with it or right under
        // it: slid past the box's corner, a short name reads as the box's
        // neighbour's. No name stands right over or under a column's heading,
        // with which it would read as one name of two lines.
        const bool underValue = ValueBox(type_, layout_.itemFrames, i).has_value();
        const auto byItsOwn = [this, i, &own, underValue](NameMargin margin) {
            return [this, i, &own, underValue, margin](const FaceRect& box) {
                return (!underValue || Alongside(box, own)) && NamesOnly(box, {static_cast<int>(i)}, margin) &&
                    !NearerToAButton(box, own) &&
                    std::none_of(headings_.begin(), headings_.end(),
                                 [&box](const FaceRect& t) { return StackedOn(box, t); });
            };
        };
        const auto nearestIsOwn = byItsOwn(NameMargin::Nearer);
        const std::vector<int> mine = {static_cast<int>(i)};
        std::optional<CLabelPlacer::Placement> placed;
        for (size_t k = 0; small && !placed && k < texts.size(); ++k)
            placed = placer.PlaceAs(own, texts[k], FontSize::Tiny, sides, CLabelPlacer::Need::Beside,
                                    Readable(mine, nearestIsOwn));
        // Clearly nearer to its own control than to any other in any form and
        // font, where the face has room for that; else nearer at least.
        const auto beside = need == CLabelPlacer::Need::Optional ? need : CLabelPlacer::Need::Beside;
        if (!small)
            placed = placer.Place(own, texts, sides, beside, Readable(mine, byItsOwn(NameMargin::Clear)));
        if (!small && !placed && need != CLabelPlacer::Need::Optional)
            placed = placer.Place(own, texts, sides, need, Readable(mine, nearestIsOwn));
        // Else away from the jacks' labels where it can be, beside the control
        // or at a free spot near it, no nearer to a jack than to the control,
        // so that it never reads as the jack's; a spot far off names nothing.
        constexpr int kNear = 32 * 32;
        const auto awayFromJacks = [this, &own](const FaceRect& box) {
            const int gap = GapSquared(box, own);
            return AwayFromJackLabels()(box) &&
                std::none_of(jackFrames_.begin(), jackFrames_.end(),
                             [&](const FaceRect& j) { return GapSquared(box, j) < gap; });
        };
        // A name placed first, which finds no room beside its control alone,
        // takes the nearest spot anywhere that names it alone; else it may
        // stand as near to another control as to its own (between two
        // buttons one over the other), but no nearer. A button showing its
        // initial has that to name it.
        // A button showing its initial ("B" for "Bypass") reads more plainly
        // by its name at the nearest spot that names it alone, anywhere.
        if (!placed && ShowsItsInitial(i) && need != CLabelPlacer::Need::Optional)
            placed = placer.Place(own, texts, sides, CLabelPlacer::Need::Required, Readable(mine, nearestIsOwn));
        // Else straight over or under it, with no other item nearer: the
        // letter on the button tells whose name it is, where an item as near
        // on the other side leaves it no spot nearer to its own (FilterF's
        // Bypass button, between the Slope buttons and the bottom strip).
        if (!placed && ShowsItsInitial(i) && need != CLabelPlacer::Need::Optional)
            placed = placer.Place(own, texts, {LabelSide::Above, LabelSide::Below}, CLabelPlacer::Need::Beside,
                                  Readable(mine, [this, i, &own](const FaceRect& box) {
                                      return StraightOverOrUnder(box, own) && !NearerToAnother(box, i);
                                  }));
        const bool nearAnyway = first && !ShowsItsInitial(i);
        if (!placed && nearAnyway)
            placed = placer.Place(own, texts, sides, CLabelPlacer::Need::Required, Readable(mine, nearestIsOwn));
        if (!placed && nearAnyway)
            placed = placer.Place(own, texts, sides, need, Readable(mine, [this, i](const FaceRect& box) {
                                      return !NearerToAnother(box, i) && AwayFromJackLabels()(box);
                                  }));
        if (!placed && need != CLabelPlacer::Need::Optional)
            placed = PlaceAmountBesideItsBase(placer, i, sides);
        const auto awayAndNear = [&own, &awayFromJacks](const FaceRect& box) {
            return GapSquared(box, own) <= kNear && awayFromJacks(box);
        };
        // Last, where the face has no such room, anywhere.
        using Accept = CLabelPlacer::Accept;
        for (const Accept& accept : {Readable(mine, awayAndNear), Readable(mine, awayFromJacks),
                                     Readable(mine, AwayFromJackLabels()), Readable(mine, {}), Accept()})
            if (!placed && need == CLabelPlacer::Need::Required)
                placed = placer.Place(own, texts, sides, need, accept);
        AddLabel(placed, LabelKind::Control, {static_cast<int>(i)});
        return placed.has_value();
    }

    // A name where it reads as no other item's: never heading the box that
    // shows another parameter's value, nor straight over or under a jack
    // other than the one its knob takes in.
    CLabelPlacer::Accept Readable(const std::vector<int>& mine, CLabelPlacer::Accept accept) const
    {
        return [this, mine, accept = std::move(accept)](const FaceRect& box) {
            return (!accept || accept(box)) && !HeadsAnothersValue(box, mine) && !OverAnothersJack(box, mine) &&
                !HeadsAnotherControl(box, mine);
        };
    }

    bool HeadsAnothersValue(const FaceRect& box, const std::vector<int>& mine) const
    {
        const auto items = type_.GetItems();
        for (size_t k = 0; k < items.size(); ++k) {
            const auto& bound = items[k].params;
            if (IsInfoText(items[k].itemClass) && Heads(box, layout_.itemFrames[k], kOverValue) &&
                std::none_of(mine.begin(), mine.end(), [&bound](int c) {
                    return std::find(bound.begin(), bound.end(), static_cast<size_t>(c)) != bound.end();
                }))
                return true;
        }
        return false;
    }

    // Unless it stands straight over or under its own control too, nearer
    // to that: a name between a button and the jack under it is the button's.
    bool OverAnothersJack(const FaceRect& box, const std::vector<int>& mine) const
    {
        return std::any_of(jackFrames_.begin(), jackFrames_.end(), [&](const FaceRect& j) {
            return StraightOverOrUnder(box, j) && std::none_of(mine.begin(), mine.end(), [&](int c) {
                       const FaceItem& own = controls_[static_cast<size_t>(c)];
                       return Feeds(j, own) ||
                           (StraightOverOrUnder(box, own.frame) && GapSquared(box, own.frame) < GapSquared(box, j));
                   });
        });
    }

    // A name right over another control, its middle within the control's
    // width, heads it: a button right under it (SpectralOsc's "FM Amt" over
    // KBT), a knob up to a line under it, where a knob's own name stands.
    bool HeadsAnotherControl(const FaceRect& box, const std::vector<int>& mine) const
    {
        for (size_t c = 0; c < controls_.size(); ++c) {
            const FaceRect& f = controls_[c].frame;
            const int cx = box.x + box.w / 2;
            const int over = KnobBody(controls_[c].item->itemClass) ? kOverValue : kOverButton;
            if (std::find(mine.begin(), mine.end(), static_cast<int>(c)) == mine.end() && Heads(box, f, over) &&
                cx >= f.x && cx < f.Right())
                return true;
        }
        return false;
    }

    // The module's own buttons ("Clr", "Rnd", a preset's), which show what
    // they do: a control's name nearer to one reads as its.
    bool NearerToAButton(const FaceRect& box, const FaceRect& own) const
    {
        const int gap = GapSquared(box, own);
        return std::any_of(others_.begin(), others_.end(), [&](const FaceItem& o) {
            return IsModuleButton(o.item->itemClass) && GapSquared(box, o.frame) < gap;
        });
    }

    bool NearerToAnother(const FaceRect& box, size_t i) const
    {
        const int own = GapSquared(box, controls_[i].frame);
        const auto nearer = [&](const FaceRect& f) { return GapSquared(box, f) < own; };
        return std::any_of(controlFrames_.begin(), controlFrames_.end(), nearer) ||
            std::any_of(jackFrames_.begin(), jackFrames_.end(), nearer);
    }

    // A modulation amount knob whose name finds no room by it is named by
    // its "MA" on the side of the knob it modulates, named as it is without
    // its " MA" (or in a short form of its name): between the two, "MA"
    // reads as that knob's amount (PercOsc's "Pitch MA" beside "Pitch",
    // FilterD's "Freq MA" beside "Frequency"). No other control nor jack
    // stands as near.
    std::optional<CLabelPlacer::Placement> PlaceAmountBesideItsBase(CLabelPlacer& placer, size_t i,
                                                                    const std::vector<LabelSide>& sides)
    {
        const std::string amount(kAmountWord.substr(1));
        const std::string& name = controls_[i].name;
        if (used_.contains(amount) || !name.ends_with(kAmountWord))
            return std::nullopt;
        // "Freq MA" modulates "Frequency", whose short form it takes.
        const std::string stem = name.substr(0, name.size() - kAmountWord.size());
        const auto base = std::find_if(controls_.begin(), controls_.end(), [&](const FaceItem& c) {
            const auto forms = LabelForms(c.name);
            return &c != &controls_[i] && std::find(forms.begin(), forms.end(), stem) != forms.end();
        });
        if (base == controls_.end())
            return std::nullopt;
        const auto pair = std::vector{static_cast<int>(i), static_cast<int>(base - controls_.begin())};
        const FaceRect& own = controls_[i].frame;
        return placer.Place(own, {amount}, sides, CLabelPlacer::Need::Beside,
                            Readable({static_cast<int>(i)}, [&](const FaceRect& box) {
                                return NamesOnly(box, pair) && GapSquared(box, own) <= GapSquared(box, base->frame);
                            }));
    }

    bool LoneAmountUnderItsBase(size_t i) const
    {
        size_t under = 0;
        for (size_t k = 0; k < controls_.size(); ++k)
            under += StandsRightUnderItsBase(controls_, k);
        return under == 1 && StandsRightUnderItsBase(controls_, i);
    }

    // A legend's lines stand off the accent strip along the face's bottom:
    // text on it would be read as little as the name of another.
    CLabelPlacer::Accept AboveTheAccent() const
    {
        return [this](const FaceRect& box) { return box.Bottom() <= BottomStrip(Width(), Height()).y; };
    }

    // Anywhere but where a jack's label would stand.
    CLabelPlacer::Accept AwayFromJackLabels() const
    {
        return [this](const FaceRect& box) { return !InJackLabelPlace(box, jackFrames_); };
    }

    bool PlaceColumnHeading(CLabelPlacer& placer, size_t i)
    {
        const auto value = ValueBox(type_, layout_.itemFrames, i);
        if (!value)
            return false;
        const CControlFont font(placer, controlFont_);
        // Within the box's width (the gaps between boxes aside), it names the
        // column: nearer to that than to another control, and never over the
        // next column's box.
        constexpr int kPastBox = 2;
        const FaceRect column = Union(*value, controls_[i].frame);
        const auto nearestIsOwn = Readable({static_cast<int>(i)}, [this, i, &column, &value](const FaceRect& box) {
            return box.x >= value->x - kPastBox && box.Right() <= value->Right() + kPastBox &&
                picgen::NamesOnly(box, {static_cast<int>(i)}, controlFrames_, jackFrames_, column);
        });
        // The whole name only: a short form reads better beside the knob,
        // where the knobs around it have theirs.
        const auto placed = placer.Place(column, {FreeForms(controls_[i].name).front()}, {LabelSide::Above},
                                         CLabelPlacer::Need::Beside, nearestIsOwn);
        if (placed)
            headings_.push_back(placed->box);
        AddLabel(placed, LabelKind::Control, {static_cast<int>(i)});
        return placed.has_value();
    }

    bool NamesOnly(const FaceRect& box, const std::vector<int>& mine, NameMargin margin = NameMargin::Nearer) const
    {
        return picgen::NamesOnly(box, mine, controlFrames_, jackFrames_, std::nullopt, margin);
    }

    // Steps with the lights that show the step playing right over them: a
    // row's name may stand over the lights.
    FaceRect WithStepLeds(const FaceRect& steps) const
    {
        constexpr int kOver = 4;
        FaceRect b = steps;
        for (const FaceItem& o : others_) {
            const FaceRect& f = o.frame;
            if (o.item->role == ItemRole::StepLed && f.Bottom() <= steps.y && steps.y - f.Bottom() <= kOver &&
                f.x < steps.Right() && steps.x < f.Right())
                b = Union(b, f);
        }
        return b;
    }

    // Beside the whole row, else beside its first or its last step, else
    // over the lights of its steps; each text at every place before a
    // shorter one.
    bool PlaceRowLabel(CLabelPlacer& placer, const std::vector<int>& row, bool anywhere)
    {
        using enum LabelSide;
        const CControlFont font(placer, controlFont_);
        const std::string stem = RowName(controls_, row);
        const FaceRect bounds = Bounds(controls_, row);
        const FaceRect& first = controls_[static_cast<size_t>(row.front())].frame;
        std::vector<std::pair<FaceRect, std::vector<LabelSide>>> places = {
            {bounds, {Left, Above, Below, Right}},
            {first, {Left, Above, Below}},
            {controls_[static_cast<size_t>(row.back())].frame, {Right, Above, Below}},
        };
        // Over the lights only the name of a row of its own: stacked rows'
        // names read in the rows' order.
        if (std::none_of(rows_.begin(), rows_.end(), [&](const std::vector<int>& other) {
                const FaceRect b = Bounds(controls_, other);
                return &other != &row && b.x == bounds.x && b.w == bounds.w;
            })) {
            places.push_back({WithStepLeds(bounds), {Above}});
            places.push_back({WithStepLeds(first), {Above}});
        }
        std::optional<CLabelPlacer::Placement> placed;
        const std::vector<std::string> forms = FreeForms(stem);
        const auto nearestIsOwn = Readable(row, [this, &row, &bounds](const FaceRect& box) {
            return NamesOnly(box, row) && !NearerToAButton(box, bounds) && !ByPartOfTheRow(box, row) &&
                !AsNearToAnotherRow(box, row);
        });
        for (const std::string& text : forms) {
            for (const auto& [target, sides] : places)
                if ((placed = placer.Place(target, {text}, sides, CLabelPlacer::Need::Optional, nearestIsOwn)))
                    break;
            if (placed)
                break;
        }
        if (!placed)
            placed = PlaceMarkedRow(placer, row, forms);
        // Else beside it in any form and font, naming the row alone where it
        // can, away from the jacks' labels in any case; last, the free spot
        // nearest to the row.
        const std::vector<CLabelPlacer::Accept> accepts = {nearestIsOwn, Readable(row, AwayFromJackLabels()),
                                                           AwayFromJackLabels()};
        for (const auto& [target, sides] : places)
            if (!placed && anywhere)
                placed = placer.Place(target, forms, sides, CLabelPlacer::Need::Beside, nearestIsOwn);
        if (!placed && anywhere)
            placed = PlaceHeadingOverFirstStep(placer, row, forms);
        const auto awayAndTheRows = Readable(row, [this, &row](const FaceRect& box) {
            return AwayFromJackLabels()(box) && !ByPartOfTheRow(box, row) && !AsNearToAnotherRow(box, row);
        });
        for (const auto& accept : {awayAndTheRows, Readable(row, AwayFromJackLabels())})
            for (const auto& [target, sides] : places)
                if (!placed && anywhere)
                    placed = placer.Place(target, forms, sides, CLabelPlacer::Need::Beside, accept);
        for (const auto& accept : accepts)
            if (!placed && anywhere)
                placed = placer.Place(bounds, forms, {Left, Above, Below, Right}, CLabelPlacer::Need::Required, accept);
        AddLabel(placed, LabelKind::Row, row);
        return placed.has_value();
    }

    // Whether each step of a row carries its own mark: its own word on its
    // button (a row of "M" buttons), or its number over or under it.
    bool Marked(const std::vector<int>& row) const
    {
        return std::all_of(row.begin(), row.end(), [this](int k) {
            const FaceItem& step = controls_[static_cast<size_t>(k)];
            return step.item->text != nullptr ||
                std::any_of(layout_.labels.begin(), layout_.labels.end(), [&step](const FaceLabel& l) {
                       return l.kind == LabelKind::Step &&
                           (Heads(l.box, step.frame, kOverButton) || Heads(step.frame, l.box, kOverButton));
                   });
        });
    }

    // Whether a row's name stands over or under part of the row alone: off
    // its middle (under its last two knobs), or across one step only (over
    // its third knob), where it reads as theirs; unless each step carries
    // its own mark, from which the name reads on along the row.
    bool ByPartOfTheRow(const FaceRect& box, const std::vector<int>& row) const
    {
        const auto across = [this, &box](int k) {
            const FaceRect& f = controls_[static_cast<size_t>(k)].frame;
            return box.x < f.Right() && f.x < box.Right();
        };
        const FaceRect bounds = Bounds(controls_, row);
        const int middle = bounds.x + bounds.w / 2;
        return !Marked(row) && (Heads(box, bounds, kOverValue) || Heads(bounds, box, kOverValue)) &&
            (middle < box.x || middle >= box.Right() || std::count_if(row.begin(), row.end(), across) < 2);
    }

    // Whether a row's name stands between one of its steps and another
    // control, not clearly nearer to what a reader sees of its step (a
    // knob's body, not the frame under it): in the gap between two rows it
    // reads as the name of the row it stands nearer to.
    bool AsNearToAnotherRow(const FaceRect& box, const std::vector<int>& row) const
    {
        constexpr double kClearly = 2.0;
        const auto seenGap = [&box](const FaceItem& c) {
            return std::sqrt(GapSquared(box, SeenOf(c.item->itemClass, c.frame)));
        };
        const auto mine = [&row](size_t c) {
            return std::find(row.begin(), row.end(), static_cast<int>(c)) != row.end();
        };
        for (const int step : row) {
            const FaceItem& own = controls_[static_cast<size_t>(step)];
            for (size_t c = 0; c < controls_.size(); ++c)
                if (!mine(c) && Between(box, own.frame, controls_[c].frame) &&
                    seenGap(controls_[c]) < seenGap(own) + kClearly)
                    return true;
        }
        return false;
    }

    // A row whose name finds room by part of the row alone is named over
    // (or under) its first step with that step's number ("Level 1"), and
    // each other step is marked with its own number on the same side, all
    // in one font: the numbers read on from the name along the row. Where
    // one of them finds no room, none is placed.
    std::optional<CLabelPlacer::Placement> PlaceMarkedRow(CLabelPlacer& placer, const std::vector<int>& row,
                                                          const std::vector<std::string>& forms)
    {
        std::vector<int> steps = row;
        std::stable_sort(steps.begin(), steps.end(), [this](int a, int b) {
            return controls_[static_cast<size_t>(a)].frame.x < controls_[static_cast<size_t>(b)].frame.x;
        });
        for (const std::string& text : forms)
            for (const FontSize size : {FontSize::Normal, FontSize::Tiny})
                for (const bool above : {true, false}) {
                    // No mark reads on from a name already placed, off its corner.
                    CLabelPlacer trial = placer;
                    for (const FaceLabel& l : layout_.labels)
                        if (l.kind == LabelKind::Control || l.kind == LabelKind::Row)
                            trial.KeepApart(l.box);
                    std::vector<FaceLabel> marks;
                    for (const int step : steps) {
                        const std::string& name = controls_[static_cast<size_t>(step)].name;
                        const std::string number = name.substr(RowStem(name).size() + 1);
                        const std::string mark = marks.empty() ? text + " " + number : number;
                        const auto box = PlaceMark(trial, step, mark, size, above, row);
                        if (!box)
                            break;
                        marks.push_back({*box, mark, LabelKind::Step, size, {step}});
                    }
                    if (marks.size() != steps.size())
                        continue;
                    // Nor any other name from the row's.
                    for (const FaceLabel& mark : marks) {
                        placer.TakeAll({mark.box});
                        placer.KeepApart(mark.box);
                    }
                    layout_.labels.insert(layout_.labels.end(), marks.begin() + 1, marks.end());
                    return CLabelPlacer::Placement{marks.front().box, marks.front().text, size};
                }
        return std::nullopt;
    }

    // A step's mark right over (or under) it, its middle over the step, as
    // near to it as the face lets it stand; the spot is then taken.
    std::optional<FaceRect> PlaceMark(CLabelPlacer& placer, int step, const std::string& mark, FontSize size,
                                      bool above, const std::vector<int>& row) const
    {
        constexpr int kFarthest = 3;
        const FaceRect& f = controls_[static_cast<size_t>(step)].frame;
        const FaceRect extent = LabelSize(mark, size);
        const int centred = f.x + f.w / 2 - extent.w / 2;
        for (int gap = 1; gap <= kFarthest; ++gap)
            for (int slide = 0; slide <= f.w / 2; ++slide)
                for (const int x : {centred - slide, centred + slide}) {
                    const FaceRect box{x, above ? f.y - gap - extent.h : f.Bottom() + gap, extent.w, extent.h};
                    const int cx = box.x + box.w / 2;
                    if (cx >= f.x && cx < f.Right() && Readable(row, {})(box) && !AsNearToAnotherRow(box, row) &&
                        placer.TakeAll({box}))
                        return box;
                }
        return std::nullopt;
    }

    // A heading right over a row's first step, shifted no further than the
    // face's edge lets it, its middle over the step: where the step stands at
    // the edge, the heading may reach as near to the control beside the step
    // as to the step, and still reads as the row's, over its first step.
    std::optional<CLabelPlacer::Placement> PlaceHeadingOverFirstStep(CLabelPlacer& placer, const std::vector<int>& row,
                                                                     const std::vector<std::string>& forms)
    {
        constexpr int kFarthest = 3;
        const FaceRect& first = controls_[static_cast<size_t>(row.front())].frame;
        for (const std::string& text : forms)
            for (const FontSize size : {FontSize::Normal, FontSize::Tiny}) {
                if (!placer.Allows(size))
                    continue;
                const FaceRect extent = LabelSize(text, size);
                const int centred = std::clamp(first.x + first.w / 2 - extent.w / 2, 0, Width() - extent.w);
                for (const int slide : {0, -1, 1, -2, 2, -3, 3})
                    for (int gap = 1; gap <= kFarthest; ++gap) {
                        const FaceRect box{centred + slide, first.y - gap - extent.h, extent.w, extent.h};
                        const int cx = box.x + box.w / 2;
                        if (cx >= first.x && cx < first.Right() && HeadsStep(box, row) && Readable(row, {})(box) &&
                            placer.TakeAll({box}))
                            return CLabelPlacer::Placement{box, text, size};
                    }
            }
        return std::nullopt;
    }

    // No control off the row nearer to a heading than its first step, and
    // no jack as near or where a jack's label would stand.
    bool HeadsStep(const FaceRect& box, const std::vector<int>& row) const
    {
        const int own = GapSquared(box, controls_[static_cast<size_t>(row.front())].frame);
        for (size_t c = 0; c < controls_.size(); ++c)
            if (std::find(row.begin(), row.end(), static_cast<int>(c)) == row.end() &&
                GapSquared(box, controls_[c].frame) < own)
                return false;
        return std::none_of(jackFrames_.begin(), jackFrames_.end(),
                            [&](const FaceRect& j) { return GapSquared(box, j) <= own; }) &&
            !InJackLabelPlace(box, jackFrames_);
    }

    // Where every label of a group of jacks stands: a row of jacks reads best
    // with its labels all before their jacks, all after, all under or all
    // over them; jacks apart take each its row, or the side it has room on;
    // last, anywhere near its jack. With it, the labels of the group placed
    // so far and how much nearer a label stands to its jack than to any other.
    enum class JackSide { Left, Right, Row, Below, Above, Any, Anywhere };
    struct JackGroupSoFar {
        const std::vector<FaceRect>& boxes;
        JackMargin margin;
        JackSide side = JackSide::Any;
    };

    // One way to label a group of jacks: where, how near, in which form and font.
    struct JackNumbersStyle {
        bool onRowOnly;
        JackMargin margin;
        JackSide side;
        size_t form;
        FontSize size;
    };
    struct JackNumbersTried {
        JackNumbersStyle style;
        CLabelPlacer placer;
        std::vector<std::optional<CLabelPlacer::Placement>> placed;
        size_t count = 0;
    };

    // Places a jack's label on the sides given, the shortest of its forms
    // first where asked.
    using PlaceAt = std::function<std::optional<CLabelPlacer::Placement>(
        const std::vector<LabelSide>&, CLabelPlacer::Need, const CLabelPlacer::Accept&, bool shortestFirst)>;

    // On the jack's row, on the side away from its nearest neighbour there,
    // else above or below it; clearly nearer to its own jack than to any
    // other. The numbered jacks, which need their labels, or the others; on
    // their rows only, or anywhere they may stand. Bottom up, a label that
    // goes below its jack leaves the spot above the jack under it to that one.
    void PlaceJackLabels(CLabelPlacer& placer, bool numbered, bool onRowOnly, bool bottomUp = false)
    {
        const auto names = JackNames(type_);
        std::vector<size_t> order(jackFrames_.size());
        std::iota(order.begin(), order.end(), size_t{0});
        if (bottomUp)
            std::stable_sort(order.begin(), order.end(),
                             [this](size_t a, size_t b) { return jackFrames_[a].y > jackFrames_[b].y; });
        std::erase_if(order, [&](size_t j) {
            return names[j].empty() || IsNumbered(names[j].front()) != numbered || labelled_.contains(j);
        });
        // The jacks the face numbers, which its own words do not name.
        const auto jacks = type_.GetJacks();
        const auto byNumber = [&](size_t j) { return numbered && !jacks[j].faceLabel; };
        for (const JackDirection direction : {JackDirection::Input, JackDirection::Output}) {
            std::vector<size_t> group;
            std::copy_if(order.begin(), order.end(), std::back_inserter(group),
                         [&](size_t j) { return byNumber(j) && jacks[j].direction == direction; });
            PlaceJackNumbers(placer, group, names, onRowOnly);
        }
        for (const size_t j : order) {
            if (byNumber(j))
                continue;
            const std::vector<std::string> forms = FreeOf(names[j]);
            const PlaceAt place = [&](const auto& sides, auto need, auto accept, bool shortest) {
                return shortest ? placer.Place(jackFrames_[j], {forms.rbegin(), forms.rend()}, sides, need, accept)
                                : placer.Place(jackFrames_[j], forms, sides, need, accept);
            };
            auto placed = PlaceJackLabel(j, names, onRowOnly, {{}, JackMargin::Clear}, place);
            if (!placed)
                placed = PlaceJackLabel(j, names, onRowOnly, {{}, JackMargin::Least}, place);
            if (!placed && !onRowOnly)
                placed = PlaceJackLabel(j, names, onRowOnly, {{}, JackMargin::Least, JackSide::Anywhere}, place);
            AddJackLabel(placer, placed, j);
        }
    }

    // The jacks numbered together, all in one form and one font, so that
    // they read as jacks of one kind: the longest form and the normal font
    // that every one of them finds room for, clearly nearer its own jack than
    // any other where the face has room for that. Where none does, on their
    // rows they wait for the places left after the controls; anywhere, as
    // many as may be have their labels in the form and font that name the
    // most. A jack its knob tells apart has its number only where the
    // controls leave it room, beside the jack, in the form and font of the
    // others.
    void PlaceJackNumbers(CLabelPlacer& placer, const std::vector<size_t>& group,
                          const std::vector<std::vector<std::string>>& names, bool onRowOnly)
    {
        if (group.empty())
            return;
        const JackDirection direction = type_.GetJacks()[group.front()].direction;
        std::vector<size_t> needed;
        std::vector<size_t> welcome;
        for (const size_t j : group)
            (ToldApartByItsKnob(type_, type_.GetJacks()[j]) ? welcome : needed).push_back(j);
        if (!numberStyles_.contains(direction)) {
            // The whole group where it finds room, else the jacks that need
            // their numbers.
            std::vector<size_t> first = group;
            auto best = BestJackNumbers(placer, first, names, onRowOnly, false);
            if (!needed.empty() && (!best || best->count < first.size())) {
                first = needed;
                best = BestJackNumbers(placer, first, names, onRowOnly, true);
            }
            if (!best || (onRowOnly && best->count < first.size()))
                return;
            placer = std::move(best->placer);
            for (size_t k = 0; k < first.size(); ++k)
                AddJackLabel(placer, best->placed[k], first[k]);
            numberStyles_.emplace(direction, best->style);
            if (onRowOnly || needed.empty())
                return;
        }
        for (const size_t j : welcome)
            if (!labelled_.contains(j))
                PlaceWelcomeNumber(placer, j, names, numberStyles_.at(direction));
    }

    void PlaceWelcomeNumber(CLabelPlacer& placer, size_t j, const std::vector<std::vector<std::string>>& names,
                            const JackNumbersStyle& style)
    {
        const PlaceAt place = [&](const auto& sides, auto need, auto accept, bool) {
            return placer.PlaceAs(jackFrames_[j], names[j][style.form], style.size, sides, need, accept);
        };
        std::optional<CLabelPlacer::Placement> placed;
        for (const JackMargin margin : {JackMargin::Clear, JackMargin::Least})
            if (!placed)
                placed = PlaceJackLabel(j, names, false, {{}, margin, JackSide::Any}, place);
        AddJackLabel(placer, placed, j);
    }

    // The way that labels the most of a group of jacks, the first of those.
    std::optional<JackNumbersTried> BestJackNumbers(const CLabelPlacer& placer, const std::vector<size_t>& group,
                                                    const std::vector<std::vector<std::string>>& names, bool onRowOnly,
                                                    bool mayReachOff) const
    {
        size_t formCount = std::numeric_limits<size_t>::max();
        for (const size_t j : group)
            formCount = std::min(formCount, names[j].size());
        std::optional<JackNumbersTried> best;
        const bool oneRow = std::all_of(group.begin(), group.end(), [&](size_t j) {
            const FaceRect& first = jackFrames_[group.front()];
            return jackFrames_[j].y < first.Bottom() && first.y < jackFrames_[j].Bottom();
        });
        for (const JackNumbersStyle& style : JackNumbersStyles(formCount, onRowOnly, oneRow, mayReachOff)) {
            if (best && best->count == group.size())
                break;
            if (std::any_of(group.begin(), group.end(),
                            [&](size_t j) { return used_.contains(AsRead(names[j][style.form])); }))
                continue;
            // Some of the group may stay without labels only anywhere.
            const bool partly = !onRowOnly && style.side == JackSide::Anywhere;
            if (auto tried = TryJackNumbers(placer, group, names, style, partly);
                tried.count > (best ? best->count : 0))
                best = std::move(tried);
        }
        return best;
    }

    // The ways to label a group of jacks, the best first: the longest form,
    // the normal font, clearly nearer their jacks, and for a row of jacks all
    // on one side (jacks apart take each the side it has room on). On
    // their rows only, the longest form stands before or after the jacks
    // alone, to leave the controls their room. Last, for labels that must be
    // had, anywhere near their jacks.
    static std::vector<JackNumbersStyle> JackNumbersStyles(size_t formCount, bool onRowOnly, bool oneRow,
                                                           bool mayReachOff)
    {
        using enum JackSide;
        const std::vector<JackSide> sides =
            oneRow ? std::vector{Left, Right, Below, Above, Any} : std::vector{Row, Any};
        std::vector<JackNumbersStyle> styles;
        for (size_t form = 0; form < formCount; ++form)
            for (const FontSize size : {FontSize::Normal, FontSize::Tiny})
                for (const JackMargin margin : {JackMargin::Clear, JackMargin::Least})
                    for (const JackSide side : sides)
                        if (!onRowOnly || form + 1 == formCount || side == Left || side == Right || side == Row)
                            styles.push_back({onRowOnly, margin, side, form, size});
        for (size_t form = 0; form < formCount && !onRowOnly && mayReachOff; ++form)
            for (const FontSize size : {FontSize::Normal, FontSize::Tiny})
                styles.push_back({onRowOnly, JackMargin::Least, Anywhere, form, size});
        return styles;
    }

    JackNumbersTried TryJackNumbers(const CLabelPlacer& placer, const std::vector<size_t>& group,
                                    const std::vector<std::vector<std::string>>& names, const JackNumbersStyle& style,
                                    bool partly) const
    {
        JackNumbersTried tried{style, placer, {}, 0};
        std::vector<FaceRect> boxes;
        for (const size_t j : group) {
            const PlaceAt place = [&](const auto& sides, auto need, auto accept, bool) {
                return tried.placer.PlaceAs(jackFrames_[j], names[j][style.form], style.size, sides, need, accept);
            };
            tried.placed.push_back(PlaceJackLabel(j, names, style.onRowOnly, {boxes, style.margin, style.side}, place));
            if (tried.placed.back())
                boxes.push_back(tried.placed.back()->box);
            else if (!partly)
                return {style, placer, {}, 0};
        }
        tried.count = boxes.size();
        return tried;
    }

    // No other label stands right over or under a jack's: the two would read
    // as one name.
    void AddJackLabel(CLabelPlacer& placer, const std::optional<CLabelPlacer::Placement>& placed, size_t j)
    {
        if (placed) {
            labelled_.insert(j);
            placer.KeepApart(placed->box);
        }
        AddLabel(placed, LabelKind::Jack, {}, static_cast<int>(j));
    }

    // On the row, away from the neighbour before towards it, then below or
    // above: on the row only, the shortest form first there, to leave the
    // controls their room; anywhere, the whole name first.
    std::optional<CLabelPlacer::Placement> PlaceJackLabel(size_t j, const std::vector<std::vector<std::string>>& names,
                                                          bool onRowOnly, const JackGroupSoFar& group,
                                                          const PlaceAt& place) const
    {
        using enum LabelSide;
        const LabelSide away = NeighbourOnTheRight(j, names) ? Left : Right;
        const LabelSide towards = away == Left ? Right : Left;
        const CLabelPlacer::Accept accept = [this, j, &group](const FaceRect& box) {
            return StandsByItsJack(box, j, group);
        };
        switch (group.side) {
        case JackSide::Left:
            return place({Left}, CLabelPlacer::Need::Beside, accept, false);
        case JackSide::Right:
            return place({Right}, CLabelPlacer::Need::Beside, accept, false);
        case JackSide::Row:
            return place({away, towards}, CLabelPlacer::Need::Beside, accept, false);
        case JackSide::Below:
            return place({Below}, CLabelPlacer::Need::Beside, accept, false);
        case JackSide::Above:
            return place({Above}, CLabelPlacer::Need::Beside, accept, false);
        case JackSide::Anywhere:
            return place({away, towards, Above, Below}, CLabelPlacer::Need::Required, accept, false);
        case JackSide::Any:
            break;
        }
        if (!onRowOnly)
            return place({away, towards, Above, Below}, CLabelPlacer::Need::Beside, accept, false);
        auto placed = place({away, towards}, CLabelPlacer::Need::Beside, accept, false);
        for (const auto& sides : {std::vector{away, towards}, std::vector{Below}, std::vector{Above}})
            if (!placed)
                placed = place(sides, CLabelPlacer::Need::Beside, accept, true);
        return placed;
    }

    // Its middle level with its jack or straight above or below it; clearly
    // nearer to its own jack than to any other, so that a label between two
    // never reads as either's; away from its jack, nor nearer to a control (a
    // jack number beside a button reads as the button's); and never right
    // over or under another label, with which it would read as one.
    bool StandsByItsJack(const FaceRect& box, size_t j, const JackGroupSoFar& group) const
    {
        constexpr int kBesideJack = 5 * 5;
        const FaceRect& jack = jackFrames_[j];
        const int cx = box.x + box.w / 2;
        const int cy = box.y + box.h / 2;
        if ((cx < jack.x || cx >= jack.Right()) && (cy < jack.y || cy >= jack.Bottom()))
            return false;
        const int own = GapSquared(box, jack);
        for (size_t k = 0; k < jackFrames_.size(); ++k)
            if (const int other = GapSquared(box, jackFrames_[k]); k != j && !NearerBy(group.margin, own, other))
                return false;
        const auto stacked = [&box](const FaceRect& other) { return StackedOn(box, other); };
        return (own <= kBesideJack ||
                std::none_of(controls_.begin(), controls_.end(),
                             [&](const FaceItem& c) { return GapSquared(box, c.frame) <= own; })) &&
            std::none_of(group.boxes.begin(), group.boxes.end(), stacked) &&
            std::none_of(layout_.labels.begin(), layout_.labels.end(),
                         [&](const FaceLabel& l) { return stacked(l.box); });
    }

    // Whether the nearest other labelled jack on a jack's row lies to its
    // right; between two as near, the label goes left, as the others of a
    // row at the face's right edge must.
    bool NeighbourOnTheRight(size_t j, const std::vector<std::vector<std::string>>& names) const
    {
        const FaceRect& f = jackFrames_[j];
        int nearest = 0;
        bool right = false;
        for (size_t k = 0; k < jackFrames_.size(); ++k) {
            const FaceRect& o = jackFrames_[k];
            if (k == j || names[k].empty() || o.Bottom() <= f.y || o.y >= f.Bottom())
                continue;
            const int distance = std::abs(o.x - f.x);
            if (nearest == 0 || distance < nearest || (distance == nearest && o.x > f.x)) {
                nearest = distance;
                right = o.x > f.x;
            }
        }
        return right;
    }

    // Long rows of steps are numbered, above or below every step, where the
    // face has room for all the numbers.
    void PlaceStepNumbers(CLabelPlacer& placer)
    {
        constexpr size_t kNumberedRow = 8;
        for (const auto& row : rows_) {
            if (row.size() < kNumberedRow)
                continue;
            for (const bool above : {true, false}) {
                std::vector<FaceRect> boxes;
                std::vector<std::string> numbers;
                for (size_t k = 0; k < row.size(); ++k) {
                    const FaceRect& f = controls_[static_cast<size_t>(row[k])].frame;
                    numbers.push_back(std::to_string(k + 1));
                    const int w = CBitmapFont::TextWidth(numbers.back(), 1, FontSize::Tiny);
                    const int h = CBitmapFont::kTinyHeight;
                    boxes.push_back({f.x + f.w / 2 - w / 2, above ? f.y - 2 - h : f.Bottom() + 2, w, h});
                }
                if (placer.TakeAll(boxes)) {
                    for (size_t k = 0; k < boxes.size(); ++k)
                        layout_.labels.push_back({boxes[k], numbers[k], LabelKind::Step, FontSize::Tiny, {}});
                    break;
                }
            }
        }
    }

    // The long name in the accent colour, where the face has room for it.
    void PlaceName(CLabelPlacer& placer)
    {
        using enum LabelSide;
        const FaceRect corner{Width() - 1, Height() - 1, 1, 1};
        AddLabel(placer.Place(corner, {type_.GetLongName(), type_.GetShortName()}, {Above, Left},
                              CLabelPlacer::Need::Optional),
                 LabelKind::Name, {});
    }

    void PaintAccent()
    {
        CRaster& p = layout_.picture;
        const FaceRect strip = BottomStrip(Width(), Height());
        p.FillRect(strip.x, strip.y, strip.w, strip.h, accent_);
        const FaceRect line = AccentLine(Width());
        p.HLine(line.x, line.Right() - 1, line.y, accent_);
        p.VLine(Width() - 1, 0, Height() - 1, Shade(accent_, 0.8));
    }

    void PaintOutlines()
    {
        CRaster& p = layout_.picture;
        for (const FaceItem& o : others_) {
            const ItemClass c = o.item->itemClass;
            if (!(IsInfoText(c) || IsGraph(c) || IsMeter(c)))
                continue;
            const FaceRect r = o.frame.Inflated(1);
            p.Bevel(r.x, r.y, r.w, r.h, kOutlineDark, kWhite);
        }
    }

    void PaintJackMarks()
    {
        const auto jacks = type_.GetJacks();
        for (size_t j = 0; j < jacks.size(); ++j) {
            const FaceRect& f = jackFrames_[j];
            const uint32_t colour = JackColour(jacks[j].kind);
            layout_.picture.Ring(f.x + 6.0, f.y + 6.0, 6.6, 8.0, colour);
        }
    }

    // Whether a pixel lies on an item, a label or off the face.
    bool Taken(int x, int y) const
    {
        const FaceRect dot{x, y, 1, 1};
        if (x < 0 || y < 0 || x >= Width() || y >= Height() || dot.Intersects(kTitleStrip))
            return true;
        return std::any_of(layout_.itemFrames.begin(), layout_.itemFrames.end(),
                           [&dot](const FaceRect& f) { return f.Intersects(dot); }) ||
            std::any_of(layout_.labels.begin(), layout_.labels.end(),
                        [&dot](const FaceLabel& l) { return l.box.Inflated(1).Intersects(dot); });
    }

    // Scale ticks around each knob along its 270-degree sweep; a tick that
    // would be cut by an item or a label is left out whole.
    void PaintTicks()
    {
        for (const FaceItem& c : controls_) {
            const auto body = KnobBody(c.item->itemClass);
            if (!body)
                continue;
            const double cx = c.frame.x + body->cx;
            const double cy = c.frame.y + body->cy;
            for (int k = 0; k <= 10; ++k) {
                const double a = 0.75 * std::numbers::pi + 1.5 * std::numbers::pi * k / 10.0;
                const double r0 = body->r + 1.5;
                const double r1 = body->r + (k == 5 ? 4.0 : 3.0);
                std::vector<std::pair<int, int>> tick;
                for (double r = r0; r <= r1; r += 0.5)
                    tick.emplace_back(static_cast<int>(std::lround(cx + std::cos(a) * r)),
                                      static_cast<int>(std::lround(cy + std::sin(a) * r)));
                if (std::none_of(tick.begin(), tick.end(), [this](const auto& p) { return Taken(p.first, p.second); }))
                    for (const auto& [x, y] : tick)
                        layout_.picture.Set(x, y, kTickColour);
            }
        }
    }

    void ClearItemAreas()
    {
        for (const FaceRect& f : layout_.itemFrames)
            layout_.picture.FillRect(f.x, f.y, f.w, f.h, kPanelGrey);
        layout_.picture.FillRect(kTitleStrip.x, kTitleStrip.y, kTitleStrip.w, kTitleStrip.h, kPanelGrey);
    }

    void PaintLabels()
    {
        const auto jacks = type_.GetJacks();
        for (const FaceLabel& l : layout_.labels) {
            const uint32_t ink = l.kind == LabelKind::Jack
                ? Shade(JackColour(jacks[static_cast<size_t>(l.jack)].kind), 0.6)
                : l.kind == LabelKind::Name ? Shade(accent_, 0.7)
                                            : kLabelInk;
            DrawLabel(layout_.picture, l.box, l.text, ink, l.size);
        }
    }

    const CBuildModule& type_;
    uint32_t accent_;
    std::optional<FontSize> controlFont_;
    CFaceLayout layout_;
    std::vector<FaceItem> controls_;
    std::vector<FaceItem> others_;
    std::vector<FaceRect> jackFrames_;
    std::vector<FaceRect> controlFrames_;
    std::vector<std::vector<int>> rows_;
    std::set<std::string> used_;                             // the labels' texts as read
    std::set<size_t> labelled_;                              // the jacks labelled so far
    std::map<JackDirection, JackNumbersStyle> numberStyles_; // the way each direction's numbers are printed
    std::vector<FaceRect> headings_;                         // the names over value boxes
};

} // namespace

namespace {

// The column of value box and knob a control's label may head.
std::optional<FaceRect> ColumnOf(const CBuildModule& type, const CFaceLayout& layout,
                                 const std::vector<FaceRect>& controls, const FaceLabel& label)
{
    if (label.kind != LabelKind::Control)
        return std::nullopt;
    const auto control = static_cast<size_t>(label.controls.front());
    const auto value = ValueBox(type, layout.itemFrames, control);
    return value ? std::optional(Union(*value, controls[control])) : std::nullopt;
}

// The frames of a face's controls, in parameter order, and of its jacks.
struct FaceFrames {
    std::vector<FaceRect> controls;
    std::vector<FaceRect> jacks;
};

FaceFrames FramesOf(const CBuildModule& type, const CFaceLayout& layout)
{
    const auto jackCount = static_cast<std::ptrdiff_t>(type.GetJacks().size());
    FaceFrames frames{{}, {layout.itemFrames.end() - jackCount, layout.itemFrames.end()}};
    const auto items = type.GetItems();
    for (size_t i = 0; i < items.size(); ++i)
        if (IsControl(items[i].itemClass))
            frames.controls.push_back(layout.itemFrames[i]);
    return frames;
}

// The item of a control (a parameter index).
const ItemSpec& ControlItem(std::span<const ItemSpec> items, size_t control)
{
    size_t index = 0;
    for (const ItemSpec& item : items)
        if (IsControl(item.itemClass) && index++ == control)
            return item;
    return items.front();
}

// Whether a label stands straight over or under the button showing the
// initial of the name it prints.
bool NamesTheButtonOfItsInitial(const CBuildModule& type, size_t control, const FaceLabel& label,
                                const FaceRect& button)
{
    const ItemSpec& item = ControlItem(type.GetItems(), control);
    const std::string_view text = item.text ? item.text : "";
    return item.itemClass == ItemClass::CheckButton && text.size() == 1 && label.text.starts_with(text) &&
        StraightOverOrUnder(label.box, button);
}

// A control whose label stands as near to another control or a jack as to
// its own control (or the column it heads), and the label's squared gap to
// its own.
struct Misplaced {
    size_t control;
    int gap;
};

std::vector<Misplaced> MisplacedLabels(const CBuildModule& type, const CFaceLayout& layout, bool initials = true)
{
    const auto [controls, jacks] = FramesOf(type, layout);
    std::vector<Misplaced> misplaced;
    for (const FaceLabel& l : layout.labels) {
        if (l.kind != LabelKind::Control)
            continue;
        const auto control = static_cast<size_t>(l.controls.front());
        const auto column = ColumnOf(type, layout, controls, l);
        const int own = std::min(GapSquared(l.box, controls[control]),
                                 column ? GapSquared(l.box, *column) : std::numeric_limits<int>::max());
        // As near to another item as to its own, it reads as either's; but
        // a name straight over or under the button that shows its initial,
        // none nearer, is told by that letter.
        const bool byItsInitial = NamesTheButtonOfItsInitial(type, control, l, controls[control]);
        const auto asNear = [&](const FaceRect& f) {
            return &f != &controls[control] &&
                (byItsInitial ? GapSquared(l.box, f) < own : GapSquared(l.box, f) <= own);
        };
        if (std::any_of(controls.begin(), controls.end(), asNear) || std::any_of(jacks.begin(), jacks.end(), asNear))
            misplaced.push_back({control, own});
    }
    // A button left to name itself by its initial, its name having found no
    // room beside it, is read less plainly than by its name.
    const auto params = type.GetParams();
    for (const int c : initials ? layout.namedByOwnText : std::vector<int>{}) {
        const auto control = static_cast<size_t>(c);
        const ItemSpec& item = ControlItem(type.GetItems(), control);
        const std::string_view name = item.faceLabel ? item.faceLabel : params[control].name;
        if (std::string_view(item.text).size() == 1 && name.starts_with(item.text))
            misplaced.push_back({control, 0});
    }
    return misplaced;
}

} // namespace

// The faults a reader meets on a face: control labels as near to another
// item as to their own control (the worse), then jacks without the word or
// number that tells them apart, then control and row labels that name more
// than their own controls (as near to another item, or where a jack's label
// would stand) and buttons named by their initial, which still name them.
std::tuple<int, int, int> Misreadings(const CBuildModule& type, const CFaceLayout& layout)
{
    const auto names = JackNames(type);
    const auto [controls, jacks] = FramesOf(type, layout);
    const auto specs = type.GetJacks();
    // The jacks the face leaves to be told apart by nothing but their labels.
    const auto needsLabel = [&](size_t j) {
        return !names[j].empty() && (specs[j].faceLabel || !ToldApartByItsKnob(type, specs[j]));
    };
    int unlabelled = 0;
    for (size_t j = 0; j < names.size(); ++j)
        unlabelled += needsLabel(j);
    int shared = 0;
    for (const FaceLabel& l : layout.labels) {
        if (l.kind == LabelKind::Jack)
            unlabelled -= needsLabel(static_cast<size_t>(l.jack));
        if (l.kind == LabelKind::Control || l.kind == LabelKind::Row)
            shared += !NamesOnly(l.box, l.controls, controls, jacks, ColumnOf(type, layout, controls, l));
    }
    const auto astray = static_cast<int>(MisplacedLabels(type, layout, false).size());
    const auto initials = static_cast<int>(MisplacedLabels(type, layout).size()) - astray;
    return {astray, unlabelled, shared + initials};
}

namespace {

struct FaceSearch {
    CFaceLayout layout;
    std::tuple<int, int, int> faults;
    JacksFirst order;
    StackGap stackGap;
    std::vector<NameFirst> controlsFirst;
    std::optional<FontSize> font;
};

// The names astray, the jacks unnamed, and how far the names astray stand
// from their own controls, in lines: a name a pixel nearer reads no more as
// its control's.
std::tuple<int, int, int> Astray(const CBuildModule& type, const FaceSearch& s)
{
    int farOff = 0;
    for (const Misplaced& m : MisplacedLabels(type, s.layout))
        farOff += static_cast<int>(std::sqrt(m.gap)) / CBitmapFont::kHeight;
    return {std::get<0>(s.faults), std::get<1>(s.faults), farOff};
}

// The jack numbers first find room where the face is crowded, unless that
// pushes a control's name away from its control; the jacks' words first too
// where that leaves fewer jacks unnamed.
FaceSearch FirstLayout(const CBuildModule& type, size_t tab, StackGap stackGap, std::optional<FontSize> font)
{
    std::optional<FaceSearch> best;
    for (const JacksFirst order : {JacksFirst::Numbers, JacksFirst::None, JacksFirst::Words}) {
        CFaceLayout layout = CFaceBuilder(type, tab, font).Build(order, {}, stackGap);
        if (const auto faults = Misreadings(type, layout); !best || faults < best->faults)
            best = FaceSearch{std::move(layout), faults, order, stackGap, {}, font};
    }
    return std::move(*best);
}

// A name the others left no room beside its control takes its place first,
// in either font and then in the tiny one alone, which may leave a
// neighbour's name its room too (LFOA's and LFOB's "Rate MA" under "Rate"); it keeps
// it where that leaves fewer names astray and no jack unnamed that had its
// name; a way that gains nothing is not tried again.
void PlaceAstrayNamesFirst(const CBuildModule& type, size_t tab, FaceSearch& best)
{
    // Whether a control's name stands by it in the normal font: in the tiny
    // one alone it would find room there too.
    const auto byItInNormalFont = [&type](const CFaceLayout& layout, size_t control) {
        const auto misplaced = MisplacedLabels(type, layout);
        return std::none_of(misplaced.begin(), misplaced.end(),
                            [control](const Misplaced& m) { return m.control == control; }) &&
            std::any_of(layout.labels.begin(), layout.labels.end(), [control](const FaceLabel& l) {
                   return l.kind == LabelKind::Control && l.controls.front() == static_cast<int>(control) &&
                       l.size == FontSize::Normal;
               });
    };
    std::set<size_t> tried;
    for (bool better = true; better;) {
        better = false;
        for (const auto& [control, gap] : MisplacedLabels(type, best.layout)) {
            if (!tried.insert(control).second)
                continue;
            for (const bool small : {false, true}) {
                std::vector<NameFirst> first = best.controlsFirst;
                first.push_back({control, small});
                CFaceLayout layout = CFaceBuilder(type, tab, best.font).Build(best.order, first, best.stackGap);
                const auto faults = Misreadings(type, layout);
                FaceSearch other{std::move(layout), faults, best.order, best.stackGap, std::move(first), best.font};
                const auto astray = Astray(type, other);
                const auto was = Astray(type, best);
                if (std::pair(astray, std::get<2>(faults)) < std::pair(was, std::get<2>(best.faults)) &&
                    std::get<1>(astray) <= std::get<1>(was)) {
                    best = std::move(other);
                    better = true;
                    break;
                }
                if (!byItInNormalFont(other.layout, control))
                    break;
            }
            if (better)
                break;
        }
    }
}

// Labels one over the other keep a clear gap, unless labels a pixel farther
// apart than a label's lines let a name stand by its own control, or nearer
// to it, or name a jack; or, last, labels as close as the lines let fewer
// names stand astray or jacks unnamed: a name by another control, or none,
// misleads more than two names close together.
FaceSearch Search(const CBuildModule& type, size_t tab, std::optional<FontSize> font)
{
    FaceSearch best = FirstLayout(type, tab, StackGap::Clear, font);
    PlaceAstrayNamesFirst(type, tab, best);
    for (const StackGap closer : {StackGap::Close, StackGap::Lines}) {
        const auto judged = [&](const FaceSearch& s) {
            const auto astray = Astray(type, s);
            return closer == StackGap::Lines ? std::tuple(std::get<0>(astray), std::get<1>(astray), 0) : astray;
        };
        const auto astray = judged(best);
        if (astray == std::tuple(0, 0, 0))
            break;
        // A pixel farther apart than a label's lines, the same labels first;
        // as close as the lines, none first; then, as apart as that, the
        // names crowded off their controls first.
        const std::vector<NameFirst> first = closer == StackGap::Lines ? std::vector<NameFirst>{} : best.controlsFirst;
        FaceSearch close{
            CFaceBuilder(type, tab, font).Build(best.order, first, closer), {}, best.order, closer, first, font};
        close.faults = Misreadings(type, close.layout);
        PlaceAstrayNamesFirst(type, tab, close);
        if (const auto closeAstray = judged(close);
            closeAstray < astray && std::get<1>(closeAstray) <= std::get<1>(astray))
            best = std::move(close);
    }
    return best;
}

bool IsControlName(const FaceLabel& l)
{
    return l.kind == LabelKind::Control || l.kind == LabelKind::Row;
}

bool IsJackName(const FaceLabel& l)
{
    return l.kind == LabelKind::Jack;
}

// The fonts a face's names of one kind take.
std::set<FontSize> Fonts(const CFaceLayout& layout, bool (*ofKind)(const FaceLabel&))
{
    std::set<FontSize> fonts;
    for (const FaceLabel& l : layout.labels)
        if (ofKind(l))
            fonts.insert(l.size);
    return fonts;
}

// Whether the names given a face's controls leave them the font.
bool GivenNamesAllow(const CBuildModule& type, FontSize font)
{
    return std::none_of(std::begin(kPlacedNames), std::end(kPlacedNames),
                        [&](const PlacedName& p) { return p.type == type.GetShortName() && p.size != font; });
}

// The controls a face names, by a label or by their own text.
size_t NamedControls(const CFaceLayout& layout)
{
    std::set<int> named(layout.namedByOwnText.begin(), layout.namedByOwnText.end());
    for (const FaceLabel& l : layout.labels)
        if (l.kind == LabelKind::Control || l.kind == LabelKind::Row)
            named.insert(l.controls.begin(), l.controls.end());
    return named.size();
}

// Whether a search's face reads as well as another's: every control named
// that it names, no more names astray, jacks unnamed or names shared, none
// farther off, and labels one over the other as far apart.
bool ReadsAsWell(const CBuildModule& type, const FaceSearch& s, const FaceSearch& other)
{
    const auto [astray, unlabelled, farOff] = Astray(type, s);
    const auto [otherAstray, otherUnlabelled, otherFarOff] = Astray(type, other);
    return NamedControls(s.layout) >= NamedControls(other.layout) && s.stackGap <= other.stackGap &&
        astray <= otherAstray && unlabelled <= otherUnlabelled && farOff <= otherFarOff &&
        std::get<2>(s.faults) <= std::get<2>(other.faults);
}

// A label's box in the tiny font, kept against the side of its own item
// it stands on, so that it stands as near to that: its bottom over the
// item, its top under it, its right edge before it, its left after it;
// centred along the item where it overlaps it.
FaceRect ShrunkTowards(const FaceRect& box, const FaceRect& own, const FaceRect& tiny)
{
    const int x = box.Right() <= own.x ? box.Right() - tiny.w
        : box.x >= own.Right()         ? box.x
                                       : box.x + (box.w - tiny.w) / 2;
    const int y = box.Bottom() <= own.y ? box.Bottom() - tiny.h
        : box.y >= own.Bottom()         ? box.y
                                        : box.y + (box.h - tiny.h) / 2;
    return {x, y, tiny.w, tiny.h};
}

// A face's names of one kind all in the tiny font, each where it stood: a
// smaller box within its own, as near to its control or jack, farther from
// all else.
void InTinyFont(const CBuildModule& type, CFaceLayout& layout, bool (*ofKind)(const FaceLabel&))
{
    const auto [controls, jacks] = FramesOf(type, layout);
    for (FaceLabel& l : layout.labels) {
        if (!ofKind(l) || l.size == FontSize::Tiny)
            continue;
        FaceRect own = l.kind == LabelKind::Jack ? jacks[static_cast<size_t>(l.jack)]
                                                 : controls[static_cast<size_t>(l.controls.front())];
        for (const int c : l.controls)
            own = Union(own, controls[static_cast<size_t>(c)]);
        l.box = ShrunkTowards(l.box, own, LabelSize(l.text, FontSize::Tiny));
        l.size = FontSize::Tiny;
    }
}

// Whether a face keeps every label of another, but for the controls' names
// in the tiny font, which it prints in the same words where they stood, over
// the middle of their tiny box: where those grow into the normal font,
// nothing else moves, and no name moves off to where it reads otherwise.
bool GrowsTinyNamesInPlace(const CFaceLayout& layout, const CFaceLayout& other)
{
    const auto grown = [](const FaceLabel& l, const FaceLabel& o) {
        const FaceRect middle{o.box.x + o.box.w / 2, o.box.y + o.box.h / 2, 1, 1};
        return l.kind == o.kind && l.controls == o.controls && AsRead(l.text) == AsRead(o.text) &&
            l.box.Intersects(middle);
    };
    return std::all_of(other.labels.begin(), other.labels.end(), [&](const FaceLabel& o) {
        const bool tinyName = o.size == FontSize::Tiny && IsControlName(o);
        return std::any_of(layout.labels.begin(), layout.labels.end(), [&](const FaceLabel& l) {
            return tinyName ? grown(l, o) : l.box == o.box && l.text == o.text && l.kind == o.kind && l.size == o.size;
        });
    });
}

// The face searched again with its controls' names in the normal font alone,
// where that reads as well as the face with both fonts and grows its tiny
// names in place.
std::optional<FaceSearch> InNormalFont(const CBuildModule& type, size_t tab, const FaceSearch& mixed)
{
    if (!GivenNamesAllow(type, FontSize::Normal))
        return std::nullopt;
    FaceSearch normal = Search(type, tab, FontSize::Normal);
    if (!ReadsAsWell(type, normal, mixed) || !GrowsTinyNamesInPlace(normal.layout, mixed.layout))
        return std::nullopt;
    return normal;
}

} // namespace

CFaceLayout PaintFace(const CBuildModule& type, size_t tab)
{
    // The controls' names of a face in one font, the normal one where it
    // reads as well as the mix, else the tiny one where they stood: names
    // beside one another in capitals and in small letters read as different
    // kinds of thing. So with the jacks' names, where one needs the tiny font.
    FaceSearch best = Search(type, tab, std::nullopt);
    if (Fonts(best.layout, IsControlName).size() > 1) {
        if (auto normal = InNormalFont(type, tab, best))
            best = std::move(*normal);
        else
            InTinyFont(type, best.layout, IsControlName);
    }
    if (Fonts(best.layout, IsJackName).size() > 1)
        InTinyFont(type, best.layout, IsJackName);
    return CFaceBuilder(type, tab).Paint(std::move(best.layout));
}

} // namespace picgen
