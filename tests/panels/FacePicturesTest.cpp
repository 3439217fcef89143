// The module faces as the generator draws them, before compression: sizes,
// the plain grey under every item, and labels that name every control
// without covering anything.
#include "modules/ModuleAbbreviations.h"
#include "modules/ModuleCatalogueContent.h"
#include "platform/graphics/PngWriter.h"
#include "panels/BuildModule.h"
#include "panels/ModuleCatalogue.h"
#include "panels/layout/ItemFrames.h"
#include "tools/picgen/FacePainter.h"
#include "tools/picgen/LabelPlacer.h"
#include "tools/picgen/PictureColours.h"
#include "tools/picgen/PictureSet.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cctype>
#include <cmath>
#include <filesystem>
#include <limits>
#include <map>
#include <optional>
#include <set>
#include <sstream>
#include <tuple>

namespace {

using picgen::FaceRect;

class FacePictures : public ::testing::Test {
protected:
    static void SetUpTestSuite() { faces_ = new std::vector<picgen::FacePicture>(picgen::MakeFaces()); }
    static void TearDownTestSuite()
    {
        delete faces_;
        faces_ = nullptr;
    }
    static const std::vector<picgen::FacePicture>& Faces() { return *faces_; }
    static const CBuildModule& TypeOf(const picgen::FacePicture& face)
    {
        return GetSharedModuleCatalogue().GetBuilder(static_cast<uint8_t>(face.typeId));
    }
    // The face of the type with this short name; Faces().end() where none is.
    static std::vector<picgen::FacePicture>::const_iterator FaceNamed(std::string_view name)
    {
        return std::find_if(Faces().begin(), Faces().end(),
                            [name](const picgen::FacePicture& f) { return TypeOf(f).GetShortName() == name; });
    }

private:
    static inline std::vector<picgen::FacePicture>* faces_ = nullptr;
};

TEST_F(FacePictures, OneFaceOfItsHeightPerTypeEachWithItsOwnPicture)
{
    ASSERT_EQ(Faces().size(), 109u);
    std::set<int> jpegs;
    for (const auto& face : Faces()) {
        const CBuildModule& type = TypeOf(face);
        SCOPED_TRACE(type.GetShortName());
        EXPECT_EQ(face.layout.picture.Width(), 250);
        EXPECT_EQ(face.layout.picture.Height(), 15 * type.GetHeight() - 6);
        EXPECT_TRUE(jpegs.insert(face.jpegId).second) << "face " << face.jpegId << " twice";
    }
}

// Knob masks, LEDs and jacks are drawn over the face and assume the panel
// grey beneath them.
TEST_F(FacePictures, TheFaceIsPanelGreyUnderEveryItem)
{
    for (const auto& face : Faces()) {
        SCOPED_TRACE(TypeOf(face).GetShortName());
        const picgen::CRaster& p = face.layout.picture;
        int wrong = 0;
        for (const FaceRect& f : face.layout.itemFrames)
            for (int y = std::max(f.y, 0); y < std::min(f.Bottom(), p.Height()); ++y)
                for (int x = std::max(f.x, 0); x < std::min(f.Right(), p.Width()); ++x)
                    wrong += p.At(x, y) != picgen::kPanelGrey;
        EXPECT_EQ(wrong, 0);
    }
}

TEST_F(FacePictures, LabelsCoverNoItemNoLabelAndNotTheTitleStrip)
{
    for (const auto& face : Faces()) {
        SCOPED_TRACE(TypeOf(face).GetShortName());
        const auto& labels = face.layout.labels;
        for (size_t i = 0; i < labels.size(); ++i) {
            const FaceRect& box = labels[i].box;
            EXPECT_FALSE(box.Intersects(picgen::kTitleStrip)) << labels[i].text;
            EXPECT_FALSE(box.Intersects(picgen::BottomStrip(250, face.layout.picture.Height()))) << labels[i].text;
            EXPECT_TRUE(box.x >= 0 && box.y >= 0 && box.Right() <= 250 && box.Bottom() <= face.layout.picture.Height())
                << labels[i].text;
            for (const FaceRect& item : face.layout.itemFrames) {
                EXPECT_FALSE(box.Intersects(item)) << labels[i].text;
            }
            for (size_t j = i + 1; j < labels.size(); ++j) {
                EXPECT_FALSE(box.Intersects(labels[j].box)) << labels[i].text << " and " << labels[j].text;
            }
        }
    }
}

TEST_F(FacePictures, EveryControlHasItsOwnLabelOrARowLabel)
{
    for (const auto& face : Faces()) {
        const CBuildModule& type = TypeOf(face);
        SCOPED_TRACE(type.GetShortName());
        std::vector<bool> named(type.GetParamCount(), false);
        for (const picgen::FaceLabel& label : face.layout.labels) {
            if (label.kind == picgen::LabelKind::Row) {
                EXPECT_GE(label.controls.size(), 3u) << label.text;
            }
            if (label.kind == picgen::LabelKind::Control) {
                EXPECT_EQ(label.controls.size(), 1u) << label.text;
            }
            for (int c : label.controls) {
                named.at(static_cast<size_t>(c)) = true;
            }
        }
        for (int c : face.layout.namedByOwnText) {
            named.at(static_cast<size_t>(c)) = true;
        }
        for (size_t i = 0; i < named.size(); ++i) {
            EXPECT_TRUE(named[i]) << "parameter " << i << " " << type.GetParamName(static_cast<uint8_t>(i));
        }
    }
}

TEST_F(FacePictures, TheTitleStripIsPlain)
{
    for (const auto& face : Faces()) {
        const picgen::CRaster& p = face.layout.picture;
        const FaceRect& t = picgen::kTitleStrip;
        for (int y = t.y; y < t.Bottom(); ++y)
            for (int x = t.x; x < t.Right(); ++x)
                ASSERT_EQ(p.At(x, y), picgen::kPanelGrey) << TypeOf(face).GetShortName() << " at " << x << "," << y;
    }
}

// The strip in the tab's colour along the bottom edge shows where one module
// ends and the next begins, the line along the top edge where it starts: no
// label's ink on either (OscA's "PW MA" once stood over the strip; a name
// on the line lost its capitals' top bars into it, GainControl's "F" read
// as a broken letter).
TEST_F(FacePictures, NoLabelIsDrawnOverTheStripsAlongTheEdges)
{
    for (const auto& face : Faces()) {
        const CBuildModule& type = TypeOf(face);
        SCOPED_TRACE(type.GetShortName());
        std::set<uint32_t> inks = {picgen::kLabelInk};
        for (const JackSpec& jack : type.GetJacks()) {
            inks.insert(picgen::Shade(picgen::JackColour(jack.kind), 0.6));
        }
        const picgen::CRaster& p = face.layout.picture;
        const std::vector<std::pair<std::string, FaceRect>> strips = {
            {"bottom strip", picgen::BottomStrip(p.Width(), p.Height())},
            {"top line", picgen::AccentLine(p.Width())},
        };
        for (const auto& [where, strip] : strips) {
            std::vector<int> inked;
            for (int y = strip.y; y < strip.Bottom(); ++y) {
                for (int x = strip.x; x < strip.Right(); ++x) {
                    if (inks.contains(p.At(x, y))) {
                        inked.push_back(x);
                    }
                }
            }
            EXPECT_EQ(inked, std::vector<int>{}) << "ink on the " << where << " at these columns";
        }
    }
}

std::vector<std::string> Words(const std::string& text)
{
    std::istringstream in(text);
    std::vector<std::string> words;
    for (std::string w; in >> w;) {
        words.push_back(w);
    }
    return words;
}

std::string OneLine(std::string text)
{
    std::replace(text.begin(), text.end(), '\n', ' ');
    return text;
}

std::string AsRead(std::string text)
{
    text = OneLine(text);
    for (char& c : text) {
        c = static_cast<char>(std::toupper(static_cast<unsigned char>(c)));
    }
    return text;
}

// A name cut to the synthesizer's ten characters in whole words; any other
// name as it is.
std::string SpelledOut(const std::string& name)
{
    for (const NameAbbreviation& a : SpelledOutNames()) {
        if (name == a.name) {
            return a.shortForm;
        }
    }
    return name;
}

// A name as printed: itself (in whole words where it is cut), a whole-name
// short form from the table, or its words each kept or replaced by the
// word's short form from the table.
// The casing aside, which NamesAreInTitleCase checks.
bool IsListedForm(const std::string& name, const std::string& text)
{
    if (AsRead(text) == AsRead(SpelledOut(name))) {
        return true;
    }
    for (const NameAbbreviation& a : NameAbbreviations()) {
        if (name == a.name && text == a.shortForm) {
            return true;
        }
    }
    const auto nameWords = Words(SpelledOut(name));
    const auto textWords = Words(text);
    if (nameWords.size() != textWords.size()) {
        return false;
    }
    for (size_t i = 0; i < nameWords.size(); ++i) {
        const bool listed = std::any_of(WordAbbreviations().begin(), WordAbbreviations().end(), [&](const auto& a) {
            return AsRead(nameWords[i]) == AsRead(a.word) && textWords[i] == a.shortForm;
        });
        if (AsRead(textWords[i]) != AsRead(nameWords[i]) && !listed) {
            return false;
        }
    }
    return true;
}

bool IsWholeNameShortForm(const std::string& name, const std::string& text)
{
    return std::any_of(NameAbbreviations().begin(), NameAbbreviations().end(),
                       [&](const NameAbbreviation& a) { return name == a.name && text == a.shortForm; });
}

// What each control of a type is called on its face: the item's own face
// label, else its parameter's name.
std::vector<std::string> ControlNames(const CBuildModule& type)
{
    std::vector<std::string> names;
    for (const ItemSpec& item : type.GetItems()) {
        if (IsControl(item.itemClass)) {
            names.push_back(item.faceLabel ? item.faceLabel : type.GetParams()[names.size()].name);
        }
    }
    return names;
}

// Whether a list of known exceptions (a face's type and a control's name)
// holds the control a name label names first.
bool ListsLabel(const std::set<std::pair<std::string, std::string>>& listed, const CBuildModule& type,
                const std::vector<std::string>& names, const picgen::FaceLabel& label)
{
    return !label.controls.empty() &&
        listed.contains({type.GetShortName(), names.at(static_cast<size_t>(label.controls.front()))});
}

const ItemSpec& ControlItem(const CBuildModule& type, int control)
{
    int index = 0;
    for (const ItemSpec& item : type.GetItems()) {
        if (IsControl(item.itemClass) && index++ == control) {
            return item;
        }
    }
    throw std::out_of_range("no control " + std::to_string(control));
}

// "Level 3" -> "Level": what a row of steps shares.
std::string Stem(std::string name)
{
    while (!name.empty() && (std::isdigit(static_cast<unsigned char>(name.back())) || name.back() == ' ')) {
        name.pop_back();
    }
    return name;
}

// What a row's label names: the name its steps share ("Level"), or "MA" for
// a row of modulation amounts.
std::string RowName(const std::vector<std::string>& names, const std::vector<int>& row)
{
    const std::string& first = names.at(static_cast<size_t>(row.at(0)));
    return Stem(first) != first ? Stem(first) : first.ends_with(" MA") ? "MA" : first;
}

bool IsKnob(ItemClass c)
{
    return c == ItemClass::BigKnob || c == ItemClass::MediumKnob || c == ItemClass::SmallKnob ||
        c == ItemClass::IndicatorKnob;
}

bool Level(const FaceRect& a, const FaceRect& b)
{
    return a.y < b.Bottom() && b.y < a.Bottom();
}

// The name of the knob right after a jack on its row, the knob that takes
// in what the jack brings; none where there is no such knob.
std::optional<std::string> KnobNameAfter(const CBuildModule& type, const JackSpec& jack)
{
    const FaceRect j{jack.x - 3, jack.y - 3, 13, 13};
    const auto names = ControlNames(type);
    for (size_t c = 0; c < names.size(); ++c) {
        const ItemSpec& item = ControlItem(type, static_cast<int>(c));
        const ItemFrameSize size = ItemFrame(item);
        const FaceRect f{item.x - 3, item.y - 3, size.width, size.height};
        if (IsKnob(item.itemClass) && Level(f, j) && f.x >= j.Right() && f.x - j.Right() <= 8) {
            return names[c];
        }
    }
    return std::nullopt;
}

// The number ending the name of the knob right after a jack on its row
// ("Pitch MA 2": 2); 0 where there is none.
int KnobNumberAfter(const CBuildModule& type, const JackSpec& jack)
{
    const std::string name = KnobNameAfter(type, jack).value_or("");
    const size_t blank = name.rfind(' ');
    const std::string last = blank == std::string::npos ? "" : name.substr(blank + 1);
    return !last.empty() && std::all_of(last.begin(), last.end(), ::isdigit) ? std::stoi(last) : 0;
}

// A jack's name: the face's word for it; else, for a jack that shares
// direction and signal kind with another, "In" or "Out" numbered among such
// jacks of its direction: the number of the knob right after it where the
// knobs' numbers tell the jacks apart ("In 2" beside "Pitch MA 2"), else the
// next number left as they are read, row by row (a row: the jacks level with
// its highest) and left to right ("Out 3"), the jacks that a knob right after
// them tells apart after the others (X-Fade's two faded inputs "In 1" and
// "In 2", the one before "Balance MA" "In 3"); else none, its picture
// telling it apart.
std::string JackName(const CBuildModule& type, size_t jack)
{
    const auto jacks = type.GetJacks();
    if (jacks[jack].faceLabel) {
        return jacks[jack].faceLabel;
    }
    const auto numbered = [&](const JackSpec& j) {
        return !j.faceLabel && std::count_if(jacks.begin(), jacks.end(), [&](const JackSpec& o) {
                                   return !o.faceLabel && o.direction == j.direction && o.kind == j.kind;
                               }) > 1;
    };
    const JackSpec& own = jacks[jack];
    if (!numbered(own)) {
        return {};
    }
    std::vector<const JackSpec*> byHeight;
    for (const JackSpec& j : jacks) {
        byHeight.push_back(&j);
    }
    std::sort(byHeight.begin(), byHeight.end(), [](const auto* a, const auto* b) { return a->y < b->y; });
    std::map<const JackSpec*, int> rowOf;
    int row = 0;
    int rowTop = byHeight.front()->y;
    for (const JackSpec* j : byHeight) {
        if (j->y >= rowTop + 13) {
            ++row;
            rowTop = j->y;
        }
        rowOf[j] = row;
    }
    std::vector<std::tuple<bool, int, int, int, const JackSpec*>> places;
    for (const JackSpec& j : jacks) {
        if (j.direction == own.direction && numbered(j)) {
            places.emplace_back(KnobNameAfter(type, j).has_value(), rowOf[&j], j.x, j.y, &j);
        }
    }
    std::sort(places.begin(), places.end());
    std::set<int> claimed;
    bool distinct = true;
    for (const auto& place : places) {
        if (const int n = KnobNumberAfter(type, *std::get<4>(place)); n > 0) {
            distinct = distinct && n <= static_cast<int>(places.size()) && claimed.insert(n).second;
        }
    }
    if (!distinct) {
        claimed.clear();
    }
    int number = 0;
    for (const auto& place : places) {
        const int n = KnobNumberAfter(type, *std::get<4>(place));
        const bool byKnob = n > 0 && claimed.contains(n);
        if (!byKnob) {
            do {
                ++number;
            } while (claimed.contains(number));
        }
        if (std::get<4>(place) == &own) {
            return std::string(own.direction == JackDirection::Input ? "In " : "Out ") +
                std::to_string(byKnob ? n : number);
        }
    }
    return {};
}

// The frames of a face's controls, in parameter order.
std::vector<FaceRect> ControlFrames(const CBuildModule& type, const picgen::CFaceLayout& layout)
{
    std::vector<FaceRect> frames;
    size_t index = 0;
    for (const ItemSpec& item : type.GetItems()) {
        if (IsControl(item.itemClass)) {
            frames.push_back(layout.itemFrames.at(index));
        }
        ++index;
    }
    return frames;
}

// The knob above a control nearest to it across, which a modulation amount
// under it reads as modulating; -1 where there is none.
int KnobAbove(const CBuildModule& type, const std::vector<FaceRect>& frames, int control)
{
    const FaceRect& own = frames.at(static_cast<size_t>(control));
    const auto across = [&own](const FaceRect& r) { return std::abs(2 * r.x + r.w - 2 * own.x - own.w); };
    int base = -1;
    for (size_t c = 0; c < frames.size(); ++c) {
        const FaceRect& f = frames[c];
        if (IsKnob(ControlItem(type, static_cast<int>(c)).itemClass) && 2 * f.y + f.h < 2 * own.y + own.h &&
            (base < 0 || across(f) < across(frames[static_cast<size_t>(base)]))) {
            base = static_cast<int>(c);
        }
    }
    return base;
}

// Every control, row and jack label is the name or a listed short form of
// it, never a stub: three characters at least unless the name is shorter or
// the table lists a shorter form (a key's note).
TEST_F(FacePictures, LabelsAreWholeNamesOrListedShortForms)
{
    for (const auto& face : Faces()) {
        const CBuildModule& type = TypeOf(face);
        SCOPED_TRACE(type.GetShortName());
        const auto names = ControlNames(type);
        for (const picgen::FaceLabel& label : face.layout.labels) {
            const std::string text = OneLine(label.text);
            std::string name;
            switch (label.kind) {
            case picgen::LabelKind::Control:
                name = names.at(static_cast<size_t>(label.controls.at(0)));
                // An "MA" under the knob it modulates reads as its name (checked below).
                if (text == "MA") {
                    continue;
                }
                break;
            case picgen::LabelKind::Row:
                // A row named with its first step's number, its other steps
                // marked with theirs, reads as that step's whole name.
                name = RowName(names, label.controls);
                for (const int step : label.controls) {
                    if (!IsListedForm(name, text) && IsListedForm(names.at(static_cast<size_t>(step)), text)) {
                        name = names.at(static_cast<size_t>(step));
                    }
                }
                break;
            case picgen::LabelKind::Jack:
                name = JackName(type, static_cast<size_t>(label.jack));
                break;
            default:
                continue;
            }
            EXPECT_TRUE(IsListedForm(name, text)) << "'" << text << "' for " << name;
            if (!IsWholeNameShortForm(name, text)) {
                EXPECT_GE(text.size(), std::min<size_t>(3, name.size())) << "'" << text << "' for " << name;
            }
        }
        for (int c : face.layout.namedByOwnText) {
            const ItemSpec& button = ControlItem(type, c);
            ASSERT_EQ(button.itemClass, ItemClass::CheckButton);
            ASSERT_NE(button.text, nullptr);
            EXPECT_TRUE(IsListedForm(names.at(static_cast<size_t>(c)), button.text)) << button.text;
        }
    }
}

// One casing on every face, as most of the synthesizer's names have it:
// each word of a name starts with a capital ("Freq Coarse" beside "Freq
// Fine", not "Freq fine"), whatever the font; the tiny font prints capitals
// only, but a name moved to the normal font keeps its casing.
TEST_F(FacePictures, NamesAreInTitleCase)
{
    for (const auto& face : Faces()) {
        SCOPED_TRACE(TypeOf(face).GetShortName());
        for (const picgen::FaceLabel& label : face.layout.labels) {
            for (const std::string& word : Words(OneLine(label.text))) {
                EXPECT_FALSE(std::islower(static_cast<unsigned char>(word.front())))
                    << "'" << OneLine(label.text) << "'";
            }
        }
    }
}

// Whether a word of a name, as read, is neither the whole word it stands for
// nor that word's listed short form ("COARS", "T", "FILT.", "MUL"; not the
// "REC" of "Rec step").
bool HasCutWord(const std::string& name)
{
    const auto words = Words(name);
    const auto whole = Words(SpelledOut(name));
    if (words.size() != whole.size()) {
        return true;
    }
    for (size_t i = 0; i < words.size(); ++i) {
        const bool listed = std::any_of(WordAbbreviations().begin(), WordAbbreviations().end(), [&](const auto& a) {
            return whole[i] == a.word && AsRead(words[i]) == AsRead(a.shortForm);
        });
        if (AsRead(words[i]) != AsRead(whole[i]) && !listed) {
            return true;
        }
    }
    return false;
}

// A parameter name cut to the synthesizer's ten characters, or shortened
// by a word cut at will, reads as a stub ("FREQ COARS", "FINE T", "FILT.
// SWP", "RATE MUL"): the face prints it in whole words, or in a listed short
// form of those ("REC STEP" for "Record Step", where that finds no room).
TEST_F(FacePictures, CutNamesArePrintedInWholeWords)
{
    std::set<std::string> cut;
    for (const NameAbbreviation& a : SpelledOutNames()) {
        if (HasCutWord(a.name)) {
            cut.insert(AsRead(a.name));
        }
    }
    // Short forms an owner read as stubs: "Mul", "Ofs", "Nav" for a
    // multiplier, an offset and the navigator; "Bal", "Dtune" and "Ovdrv"
    // for a balance, a detune and an overdrive.
    const std::set<std::string> cryptic = {"RATE MUL", "OFS",   "NAV",   "NAV MA",     "BAL",
                                           "BAL MA",   "DTUNE", "OVDRV", "DTUNE FINE", "OVDRV MA"};
    for (const auto& face : Faces()) {
        SCOPED_TRACE(TypeOf(face).GetShortName());
        for (const picgen::FaceLabel& label : face.layout.labels) {
            const std::string read = AsRead(label.text);
            EXPECT_FALSE(cut.contains(read) || cryptic.contains(read)) << "'" << OneLine(label.text) << "'";
            // No word is cut short by a full stop (DrumSynth's "Filt.").
            for (const std::string& word : Words(read)) {
                EXPECT_NE(word.back(), '.') << "'" << OneLine(label.text) << "'";
            }
        }
    }
}

// A button's caption that is its name cut short ("Col" for Color) names the
// button itself: a name beside it would read doubled ("Col Color"). A
// caption's word with a number tells like buttons apart (ControlMixer's
// "Inv 1" and "Inv 2" for its two "Inv" buttons).
TEST_F(FacePictures, NoNameRepeatsItsButtonsCaption)
{
    for (const auto& face : Faces()) {
        const CBuildModule& type = TypeOf(face);
        SCOPED_TRACE(type.GetShortName());
        for (const picgen::FaceLabel& label : face.layout.labels) {
            if (label.kind != picgen::LabelKind::Control) {
                continue;
            }
            const ItemSpec& item = ControlItem(type, label.controls.at(0));
            const std::string caption = item.text ? AsRead(item.text) : "";
            const auto words = Words(AsRead(label.text));
            const bool numbered = words.size() == 2 && std::isdigit(static_cast<unsigned char>(words[1].front()));
            if (item.itemClass == ItemClass::CheckButton && caption.size() > 1 && !numbered) {
                EXPECT_FALSE(words.front().starts_with(caption))
                    << "'" << item.text << "' beside '" << OneLine(label.text) << "'";
            }
        }
    }
}

// Two labels that read alike (the tiny font has capitals only) would leave
// the reader guessing which control is which; a modulation amount keeps its
// "MA" apart from what it modulates.
TEST_F(FacePictures, NoTwoLabelsOfAFaceReadAlike)
{
    for (const auto& face : Faces()) {
        const CBuildModule& type = TypeOf(face);
        SCOPED_TRACE(type.GetShortName());
        std::set<std::string> seen;
        for (const picgen::FaceLabel& label : face.layout.labels) {
            EXPECT_TRUE(seen.insert(AsRead(label.text)).second) << "'" << OneLine(label.text) << "' twice";
        }
        for (int c : face.layout.namedByOwnText) {
            const char* text = ControlItem(type, c).text;
            EXPECT_TRUE(seen.insert(AsRead(text)).second) << "'" << text << "' twice";
        }
    }
}

int GapSquared(const FaceRect& a, const FaceRect& b)
{
    const int dx = std::max({0, a.x - b.Right(), b.x - a.Right()});
    const int dy = std::max({0, a.y - b.Bottom(), b.y - a.Bottom()});
    return dx * dx + dy * dy;
}

// The frames of a face's jacks, in the type's order: the last of its frames.
std::vector<FaceRect> JackFrames(const CBuildModule& type, const picgen::CFaceLayout& layout)
{
    const auto jackCount = static_cast<std::ptrdiff_t>(type.GetJacks().size());
    return {layout.itemFrames.end() - jackCount, layout.itemFrames.end()};
}

// Whether a numbered jack needs no number printed, its face telling it
// apart: the knob right after it on its row sets how much of it is taken and
// says what it takes in (OscA's "Pitch MA 1"); or it stands right under the
// button that chooses it and shows its number (1-4Switch); or it is one of
// two alike whose other one shows its number.
bool ToldApartWithoutItsNumber(const CBuildModule& type, const std::vector<FaceRect>& jacks,
                               const std::vector<FaceRect>& controls, const std::vector<int>& labels, size_t own)
{
    constexpr int kBeside = 8;
    const FaceRect& jack = jacks[own];
    const std::string name = JackName(type, own);
    const std::string number = name.substr(name.rfind(' ') + 1);
    for (size_t c = 0; c < controls.size(); ++c) {
        const ItemSpec& item = ControlItem(type, static_cast<int>(c));
        const FaceRect& f = controls[c];
        if (IsKnob(item.itemClass) && Level(f, jack) && f.x >= jack.Right() && f.x - jack.Right() <= kBeside) {
            return true;
        }
        if (item.itemClass == ItemClass::HorizontalRadioButton && item.text &&
            GapSquared(f, jack) <= kBeside * kBeside && !Level(f, jack)) {
            std::istringstream captions(item.text);
            int segment = 0;
            for (std::string caption; std::getline(captions, caption, ','); ++segment) {
                const int centre = jack.x + jack.w / 2;
                if (caption == number && centre >= f.x + segment * item.size &&
                    centre < f.x + (segment + 1) * item.size) {
                    return true;
                }
            }
        }
    }
    const auto jackSpecs = type.GetJacks();
    std::vector<size_t> alike;
    for (size_t k = 0; k < jackSpecs.size(); ++k) {
        if (!jackSpecs[k].faceLabel && jackSpecs[k].direction == jackSpecs[own].direction &&
            jackSpecs[k].kind == jackSpecs[own].kind) {
            alike.push_back(k);
        }
    }
    return alike.size() == 2 && labels[alike[0] == own ? alike[1] : alike[0]] == 1;
}

// A jack label stands nearer to its own jack than to any other, and unless
// it stands right beside its jack, nearer to it than to any control: a number
// beside a button reads as the button's. The jacks that need numbers have
// them where the face does not tell them apart otherwise.
TEST_F(FacePictures, EachJackLabelIsNearestToItsOwnJack)
{
    constexpr int kBesideJack = 5 * 5;
    for (const auto& face : Faces()) {
        const CBuildModule& type = TypeOf(face);
        SCOPED_TRACE(type.GetShortName());
        const size_t jackCount = type.GetJacks().size();
        const auto& frames = face.layout.itemFrames;
        ASSERT_GE(frames.size(), jackCount);
        const std::vector<FaceRect> jacks(frames.end() - static_cast<std::ptrdiff_t>(jackCount), frames.end());
        const std::vector<FaceRect> controls = ControlFrames(type, face.layout);
        std::vector<int> labels(jackCount, 0);
        for (const picgen::FaceLabel& label : face.layout.labels) {
            if (label.kind != picgen::LabelKind::Jack) {
                continue;
            }
            const auto own = static_cast<size_t>(label.jack);
            ++labels.at(own);
            const int gap = GapSquared(label.box, jacks[own]);
            for (size_t k = 0; k < jackCount; ++k) {
                if (k != own) {
                    EXPECT_LT(gap, GapSquared(label.box, jacks[k]))
                        << "'" << label.text << "' is as near to jack " << k;
                }
            }
            for (size_t c = 0; c < controls.size() && gap > kBesideJack; ++c) {
                EXPECT_LT(gap, GapSquared(label.box, controls[c]))
                    << "'" << label.text << "' is as near to control " << c;
            }
        }
        for (size_t j = 0; j < jackCount; ++j) {
            EXPECT_LE(labels[j], 1) << "jack " << j;
            const std::string name = JackName(type, j);
            const bool numbered = !name.empty() && std::isdigit(static_cast<unsigned char>(name.back()));
            if (numbered && !ToldApartWithoutItsNumber(type, jacks, controls, labels, j)) {
                EXPECT_EQ(labels[j], 1) << name << " has no label";
            }
        }
    }
}

// Whether a jack feeds the knob right after it on its row, the two a pair
// one name may serve (OscSlvB's "PW MA").
bool FeedsKnob(const FaceRect& jack, const FaceRect& knob)
{
    constexpr int kBeside = 8;
    return Level(jack, knob) && knob.x >= jack.Right() && knob.x - jack.Right() <= kBeside;
}

// Every word the module data gives a jack is printed, and every numbered
// jack shows its number, but for a jack right before the knob that takes it
// in (OscA's inputs before "Pitch MA 1" and "Pitch MA 2"). The jacks that
// have no room for a label by them are listed here, each with why.
TEST_F(FacePictures, EveryJackWordAndNumberIsPrinted)
{
    const std::set<std::pair<std::string, std::string>> noRoom = {
        // At the face's left edge: 5 px between the jack's ring and the
        // first event button where "Rst" or "Snc" needs 11 and a pixel clear
        // on each side, 5 rows between its ring and the next jack's where a
        // tiny name needs 7, and none under Snc, at the face's foot.
        {"EventSeq", "Rst"},
        {"EventSeq", "Snc"},
        // At the right edge: the Output buttons stand right before them, and
        // the strip over them holds the legend "Output A", "Output B", which
        // names their rows' outputs in the order they stand.
        {"EventSeq", "Out (row A)"},
        {"EventSeq", "Out (row B)"},
        // At the left edge, the state LED right against its ring; over it
        // the Attack knob's name; under it 6 rows as near to the next input
        // as to its own.
        {"Mod-Env", "In 2"},
        // On a face two rows high: 6 px between the Type buttons and its
        // ring, where the tiny "I1" needs 5 and a pixel clear on each side;
        // right against the XOR button, its "I" read as that edge.
        {"LogicProc", "In 1"},
        // Right under the selector's buttons "1" to "4", which number them:
        // a row over them, 3 px between two rings, none under them.
        {"1-4Switch", "Out 1"},
        {"1-4Switch", "Out 2"},
        {"1-4Switch", "Out 3"},
        {"1-4Switch", "Out 4"},
        // Each between the knob before it (or the face's edge) and the knob
        // that takes it in: 0 to 4 px between its ring's marks and those,
        // where the tiny "I1" needs 5 and a pixel clear on each side; 2 rows
        // over it under the knobs' names, 2 under it over the strip.
        {"OscA", "In 1"},
        {"OscA", "In 2"},
        {"OscA", "In 4"},
    };
    for (const auto& face : Faces()) {
        const CBuildModule& type = TypeOf(face);
        SCOPED_TRACE(type.GetShortName());
        const auto controls = ControlFrames(type, face.layout);
        const auto jacks = JackFrames(type, face.layout);
        std::vector<bool> labelled(jacks.size(), false);
        for (const picgen::FaceLabel& label : face.layout.labels) {
            if (label.kind == picgen::LabelKind::Jack) {
                labelled.at(static_cast<size_t>(label.jack)) = true;
            }
        }
        for (size_t j = 0; j < jacks.size(); ++j) {
            const std::string name = JackName(type, j);
            const bool byItsKnob = std::any_of(controls.begin(), controls.end(), [&](const FaceRect& c) {
                return FeedsKnob(jacks[j], c) &&
                    IsKnob(ControlItem(type, static_cast<int>(&c - controls.data())).itemClass);
            });
            if (noRoom.contains({type.GetShortName(), name})) {
                EXPECT_FALSE(labelled[j]) << name << " is printed: it leaves the list";
            } else if (!name.empty() && !byItsKnob) {
                EXPECT_TRUE(labelled[j]) << name << " is not printed";
            }
        }
    }
}

// The jacks numbered together (those of one direction) read as jacks of one
// kind: all their labels in one form ("In 1", "In 2", or "I1", "I2") and one
// font, never "I1" beside "In 2" or "Out 1" beside a tiny "OUT 2".
TEST_F(FacePictures, JacksNumberedTogetherShareOneFormAndOneFont)
{
    for (const auto& face : Faces()) {
        const CBuildModule& type = TypeOf(face);
        SCOPED_TRACE(type.GetShortName());
        std::map<JackDirection, std::set<std::pair<bool, picgen::FontSize>>> styles;
        for (const picgen::FaceLabel& label : face.layout.labels) {
            const auto jack = static_cast<size_t>(label.jack);
            if (label.kind != picgen::LabelKind::Jack || type.GetJacks()[jack].faceLabel) {
                continue;
            }
            const bool whole = OneLine(label.text) == JackName(type, jack);
            styles[type.GetJacks()[jack].direction].insert({whole, label.size});
        }
        for (const auto& [direction, used] : styles) {
            EXPECT_EQ(used.size(), 1u) << (direction == JackDirection::Input ? "inputs" : "outputs") << " numbered in "
                                       << used.size() << " forms or fonts";
        }
    }
}

// The jacks a face names by its own words, of one direction and kind on one
// row, are printed in one font where the gaps between them leave the tiny
// one alone room for some: ClkDivFix's "8" once stood in the normal font
// between "T8" and "16" in the tiny one.
TEST_F(FacePictures, JackWordsOfOneRowShareOneFont)
{
    for (const auto& face : Faces()) {
        const CBuildModule& type = TypeOf(face);
        SCOPED_TRACE(type.GetShortName());
        const auto jacks = type.GetJacks();
        std::map<std::tuple<JackDirection, SignalKind, int>, std::set<picgen::FontSize>> fonts;
        for (const picgen::FaceLabel& label : face.layout.labels) {
            const auto jack = static_cast<size_t>(label.jack);
            if (label.kind == picgen::LabelKind::Jack && jacks[jack].faceLabel) {
                fonts[{jacks[jack].direction, jacks[jack].kind, jacks[jack].y}].insert(label.size);
            }
        }
        for (const auto& [row, used] : fonts) {
            EXPECT_EQ(used.size(), 1u) << "jack words at y " << std::get<2>(row) << " in two fonts";
        }
    }
}

// A face prints its controls' names, knobs', buttons' and rows' alike, in
// one font: the normal one where each finds room in it, else the tiny one
// throughout. Small letters beside tiny capitals read as two kinds of name
// (LFOA's "Waveform" and "Mute" once stood beside "RANGE" and "PHASE").
TEST_F(FacePictures, ControlNamesOfAFaceShareOneFont)
{
    for (const auto& face : Faces()) {
        const CBuildModule& type = TypeOf(face);
        SCOPED_TRACE(type.GetShortName());
        std::map<picgen::FontSize, std::string> fonts;
        for (const picgen::FaceLabel& label : face.layout.labels) {
            if (label.kind == picgen::LabelKind::Control || label.kind == picgen::LabelKind::Row) {
                fonts.emplace(label.size, OneLine(label.text));
            }
        }
        EXPECT_LE(fonts.size(), 1u) << "\"" << fonts.begin()->second << "\" in the normal font, \""
                                    << fonts.rbegin()->second << "\" in the tiny one";
    }
}

// So are its jacks' names, words and numbers, inputs and outputs alike (Pan's
// "In 1" and "In 2" once stood beside "OUT 1" and "OUT 2", Compressor's "I1"
// to "I3" beside "O1" and "O2").
TEST_F(FacePictures, JackNamesOfAFaceShareOneFont)
{
    for (const auto& face : Faces()) {
        const CBuildModule& type = TypeOf(face);
        SCOPED_TRACE(type.GetShortName());
        std::map<picgen::FontSize, std::string> fonts;
        for (const picgen::FaceLabel& label : face.layout.labels) {
            if (label.kind == picgen::LabelKind::Jack) {
                fonts.emplace(label.size, OneLine(label.text));
            }
        }
        EXPECT_LE(fonts.size(), 1u) << "\"" << fonts.begin()->second << "\" in the normal font, \""
                                    << fonts.rbegin()->second << "\" in the tiny one";
    }
}

// Where a name stands by its control: over, under, before or after it, or
// on it.
std::string SideOf(const FaceRect& box, const FaceRect& control)
{
    return box.Bottom() <= control.y ? "over"
        : box.y >= control.Bottom()  ? "under"
        : box.Right() <= control.x   ? "before"
        : box.x >= control.Right()   ? "after"
                                     : "on";
}

// How a face names each of its controls: the words as read, the font and the
// side of its control, by the control's name.
std::map<std::string, std::string> NamingOf(const CBuildModule& type, const picgen::CFaceLayout& layout)
{
    const auto names = ControlNames(type);
    const auto frames = ControlFrames(type, layout);
    std::map<std::string, std::string> naming;
    for (const picgen::FaceLabel& label : layout.labels) {
        if (label.kind == picgen::LabelKind::Control) {
            const auto c = static_cast<size_t>(label.controls.front());
            naming[names.at(c)] = "\"" + AsRead(label.text) + "\" " +
                (label.size == picgen::FontSize::Tiny ? "tiny" : "normal") + " " + SideOf(label.box, frames.at(c));
        }
    }
    return naming;
}

// Twin faces, whose controls of one name stand alike, name them alike: the
// same words in the same font on the same side (Compressor's "SC MONITOR"
// once stood where Expander's "SC MON" did, EqShelving's "Input Lvl" before
// its knob where EqMid's "In Lvl" heads it). A control of another name in
// the same place takes the same font and side (LevAdd's "Offset" stood in
// the normal font on the line of "Polarity" where LevMult's "GAIN" stands over
// its tiny "POLARITY").
TEST_F(FacePictures, TwinFacesNameTheirControlsAlike)
{
    struct Twins {
        std::string_view first;
        std::string_view second;
        std::map<std::string, std::string> counterparts; // the first's control, the second's in its place
    };
    // NoteSeqB's Record button leaves "Rec" the room level with it that
    // NoteSeqA's does not leave even that (7 pixels between it and the Steps
    // arrows): NoteSeqA's "Record" stands under the arrows, before the
    // buttons.
    const std::set<std::string> unlike = {"Record"};
    const auto form = [](const std::string& naming) { return naming.substr(naming.rfind('"') + 1); };
    for (const Twins& twins : {Twins{"Compressor", "Expander", {}}, Twins{"NoteSeqA", "NoteSeqB", {}},
                               Twins{"EqMid", "EqShelving", {}}, Twins{"LevMult", "LevAdd", {{"Gain", "Offset"}}}}) {
        SCOPED_TRACE(std::string(twins.first) + " and " + std::string(twins.second));
        const auto a = FaceNamed(twins.first);
        const auto b = FaceNamed(twins.second);
        ASSERT_NE(a, Faces().end());
        ASSERT_NE(b, Faces().end());
        const auto ofA = NamingOf(TypeOf(*a), a->layout);
        const auto ofB = NamingOf(TypeOf(*b), b->layout);
        size_t shared = 0;
        for (const auto& [name, naming] : ofA) {
            const auto counterpart = twins.counterparts.find(name);
            if (counterpart != twins.counterparts.end()) {
                ASSERT_TRUE(ofB.contains(counterpart->second)) << counterpart->second;
                ++shared;
                EXPECT_EQ(form(naming), form(ofB.at(counterpart->second))) << name << " and " << counterpart->second;
            } else if (ofB.contains(name) && !unlike.contains(name)) {
                ++shared;
                EXPECT_EQ(naming, ofB.at(name)) << name;
            }
        }
        EXPECT_GE(shared, std::min<size_t>(3, ofA.size())) << "controls named on both faces";
    }
}

// A jack label between two jacks reads as either's: it stands nearer to its
// own jack than to any other by a margin, not by a hair.
// Nor does it stand right over or under another label, with which it would
// read as one name ("OUT 1" over "O2", "IN 2" over "SC ACT").
TEST_F(FacePictures, AJackLabelStandsClearOfOtherJacksAndLabels)
{
    constexpr double kMargin = 1.0;
    for (const auto& face : Faces()) {
        const CBuildModule& type = TypeOf(face);
        SCOPED_TRACE(type.GetShortName());
        const std::vector<FaceRect> jacks = JackFrames(type, face.layout);
        const auto& labels = face.layout.labels;
        for (const picgen::FaceLabel& label : labels) {
            if (label.kind != picgen::LabelKind::Jack) {
                continue;
            }
            const double own = std::sqrt(GapSquared(label.box, jacks.at(static_cast<size_t>(label.jack))));
            for (size_t k = 0; k < jacks.size(); ++k) {
                if (static_cast<int>(k) != label.jack) {
                    EXPECT_GE(std::sqrt(GapSquared(label.box, jacks[k])), own + kMargin)
                        << "'" << OneLine(label.text) << "' is nearly as near to jack " << k;
                }
            }
            for (const picgen::FaceLabel& other : labels) {
                const FaceRect& a = label.box;
                const FaceRect& b = other.box;
                const bool stacked = &other != &label && a.x < b.Right() && b.x < a.Right() &&
                    std::max(a.y - b.Bottom(), b.y - a.Bottom()) <= 2;
                EXPECT_FALSE(stacked) << "'" << OneLine(label.text) << "' stands on '" << OneLine(other.text) << "'";
            }
        }
    }
}

// Two jacks' labels one over the other, a line's height apart or less, read
// as one pair: OscA's "In 5" before its jack's top once stood four rows over
// "In 3" right of the jack before, both between the two jacks.
TEST_F(FacePictures, LabelsOfTwoJacksStandNoLineApartOneOverTheOther)
{
    constexpr int kLine = 5;
    for (const auto& face : Faces()) {
        SCOPED_TRACE(TypeOf(face).GetShortName());
        const auto& labels = face.layout.labels;
        for (const picgen::FaceLabel& upper : labels) {
            for (const picgen::FaceLabel& lower : labels) {
                const FaceRect& a = upper.box;
                const FaceRect& b = lower.box;
                if (upper.kind == picgen::LabelKind::Jack && lower.kind == picgen::LabelKind::Jack &&
                    upper.jack != lower.jack && a.x < b.Right() && b.x < a.Right() && a.y < b.y) {
                    EXPECT_GT(b.y - a.Bottom(), kLine)
                        << "'" << OneLine(upper.text) << "' over '" << OneLine(lower.text) << "'";
                }
            }
        }
    }
}

// A row's name never stands where a jack's own label would: within a few
// pixels of a jack, its middle level with the jack or straight above or
// below it. There it reads as the jack's (NoteSeqA's "Note" between its Rst
// and Snc jacks).
TEST_F(FacePictures, NoRowNameStandsWhereAJacksLabelWould)
{
    constexpr int kBesideJack = 5 * 5;
    for (const auto& face : Faces()) {
        SCOPED_TRACE(TypeOf(face).GetShortName());
        const std::vector<FaceRect> jacks = JackFrames(TypeOf(face), face.layout);
        for (const picgen::FaceLabel& label : face.layout.labels) {
            if (label.kind != picgen::LabelKind::Row) {
                continue;
            }
            const int cx = label.box.x + label.box.w / 2;
            const int cy = label.box.y + label.box.h / 2;
            for (size_t j = 0; j < jacks.size(); ++j) {
                const FaceRect& jack = jacks[j];
                const bool inLine = (cx >= jack.x && cx < jack.Right()) || (cy >= jack.y && cy < jack.Bottom());
                EXPECT_FALSE(inLine && GapSquared(label.box, jack) <= kBesideJack)
                    << "'" << OneLine(label.text) << "' stands by jack " << j;
            }
        }
    }
}

// A row of steps with no room beside it is named over the lights of its
// steps, within its columns and nearer to its steps than to any jack or other
// control: NoteSeqA's "Note" once stood between its Rst and Snc jacks.
TEST_F(FacePictures, ARowWithoutRoomBesideItIsNamedOverItsStepLights)
{
    for (const char* name : {"NoteSeqA", "NoteSeqB"}) {
        SCOPED_TRACE(name);
        const auto face = FaceNamed(name);
        ASSERT_NE(face, Faces().end());
        const CBuildModule& type = TypeOf(*face);
        const auto controls = ControlFrames(type, face->layout);
        const auto jacks = JackFrames(type, face->layout);
        int lightsTop = face->layout.picture.Height();
        for (size_t i = 0; i < type.GetItems().size(); ++i) {
            if (type.GetItems()[i].role == ItemRole::StepLed) {
                lightsTop = std::min(lightsTop, face->layout.itemFrames[i].y);
            }
        }
        const auto row = std::find_if(face->layout.labels.begin(), face->layout.labels.end(),
                                      [](const auto& l) { return l.kind == picgen::LabelKind::Row; });
        ASSERT_NE(row, face->layout.labels.end());
        EXPECT_EQ(OneLine(row->text), "Note");
        EXPECT_LE(row->box.Bottom(), lightsTop);
        EXPECT_GE(row->box.x, controls.at(0).x);
        EXPECT_LE(row->box.Right(), controls.at(15).Right());
        int own = std::numeric_limits<int>::max();
        for (int c : row->controls) {
            own = std::min(own, GapSquared(row->box, controls.at(static_cast<size_t>(c))));
        }
        for (size_t c = 16; c < controls.size(); ++c) {
            EXPECT_LT(own, GapSquared(row->box, controls[c])) << "control " << c;
        }
        for (size_t j = 0; j < jacks.size(); ++j) {
            EXPECT_LT(own, GapSquared(row->box, jacks[j])) << "jack " << j;
        }
    }
}

// A row with no room beside it may head its first step from the face's
// edge: OscSineBank's "Mute" stands right over its first mute button, where
// it once stood in the strip under the row, over the level knobs.
TEST_F(FacePictures, ARowWithoutRoomBesideItMayHeadItsFirstStep)
{
    constexpr int kOver = 3;
    const auto face = FaceNamed("OscSineBank");
    ASSERT_NE(face, Faces().end());
    const CBuildModule& type = TypeOf(*face);
    const auto names = ControlNames(type);
    const auto controls = ControlFrames(type, face->layout);
    const auto row = std::find_if(face->layout.labels.begin(), face->layout.labels.end(), [&](const auto& l) {
        return l.kind == picgen::LabelKind::Row && names.at(static_cast<size_t>(l.controls.at(0))) == "Mute 1";
    });
    ASSERT_NE(row, face->layout.labels.end());
    const FaceRect& first = controls.at(static_cast<size_t>(row->controls.at(0)));
    const int cx = row->box.x + row->box.w / 2;
    EXPECT_TRUE(cx >= first.x && cx < first.Right()) << "'" << OneLine(row->text) << "' at x " << row->box.x;
    EXPECT_LE(row->box.Bottom(), first.y);
    EXPECT_GE(row->box.Bottom(), first.y - kOver);
}

// One "MA" may name modulation amount knobs only where each stands under the
// knob it modulates: the knob above it nearest across is the one named as it
// is without its "MA". An "MA" naming one knob stands nearer to it than to
// any other control, or it names nothing: so SpectralOsc's "S Shape MA",
// which once stood between "Mute" and "Partials", far from its knob, where
// its whole name finds no room (16 pixels right of the knob where "Shape"
// over "MA" in the tiny font needs 19, no row over it under the Shape knob;
// an "MA" in the corner between the two knobs read on into the Odd button).
// Beside the knob it modulates, between the two (PercOsc's "Pitch MA" beside
// "Pitch", FilterD's "Freq MA" beside "Frequency"), it stands as near to
// that knob at most.
TEST_F(FacePictures, AnMANamesKnobsUnderTheKnobsTheyModulate)
{
    int spectralShape = 0;
    int percPitch = 0;
    int filterFreq = 0;
    for (const auto& face : Faces()) {
        const CBuildModule& type = TypeOf(face);
        SCOPED_TRACE(type.GetShortName());
        const auto names = ControlNames(type);
        const auto frames = ControlFrames(type, face.layout);
        for (const picgen::FaceLabel& label : face.layout.labels) {
            if (label.controls.empty() || OneLine(label.text) != "MA") {
                continue;
            }
            const auto control = static_cast<size_t>(label.controls.front());
            const auto base = std::find_if(names.begin(), names.end(), [&](const std::string& n) {
                const auto forms = LabelForms(n);
                return n + " MA" == names[control] ||
                    std::any_of(forms.begin(), forms.end(),
                                [&](const std::string& f) { return f + " MA" == names[control]; });
            });
            ASSERT_NE(base, names.end()) << names[control];
            const auto baseIndex = static_cast<size_t>(base - names.begin());
            const bool beside = label.kind == picgen::LabelKind::Control &&
                KnobAbove(type, frames, static_cast<int>(control)) != static_cast<int>(baseIndex);
            for (int k : label.controls) {
                if (!beside) {
                    const int above = KnobAbove(type, frames, k);
                    ASSERT_GE(above, 0) << names[static_cast<size_t>(k)];
                    EXPECT_TRUE(names[static_cast<size_t>(k)] == names[static_cast<size_t>(above)] + " MA" ||
                                static_cast<size_t>(above) == baseIndex)
                        << names[static_cast<size_t>(k)] << " under " << names[static_cast<size_t>(above)];
                }
            }
            if (label.kind != picgen::LabelKind::Control) {
                continue;
            }
            spectralShape += type.GetShortName() == std::string("SpectralOsc") && names[control] == "S Shape MA";
            percPitch += type.GetShortName() == std::string("PercOsc") && names[control] == "Pitch MA";
            filterFreq += type.GetShortName() == std::string("FilterD") && names[control] == "Freq MA";
            const int own = GapSquared(label.box, frames[control]);
            for (size_t c = 0; c < frames.size(); ++c) {
                if (c != control && !(beside && c == baseIndex)) {
                    EXPECT_LT(own, GapSquared(label.box, frames[c])) << "'MA' is as near to " << names[c];
                }
            }
            if (beside) {
                EXPECT_LE(own, GapSquared(label.box, frames[baseIndex]));
            }
        }
    }
    EXPECT_EQ(percPitch, 1);
    EXPECT_EQ(filterFreq, 1);
    EXPECT_EQ(spectralShape, 1);
}

// Mod-Env's row of modulation amounts, each under the knob it modulates and
// each after its jack: every amount knob has a name of its own, nearer to it
// than to any other amount knob, where one "MA" over the row left the owner
// to count the knobs (and a jack's number stood among them). Each name tells
// whose amount it is, and no other name stands a few rows over it to read on
// into it: the Attack amount's bare "MA" once stood under the Decay knob's
// "Dcy", the two read as "Dcy MA" beside the Decay amount's own.
TEST_F(FacePictures, EachOfModEnvsAmountKnobsHasItsOwnName)
{
    constexpr int kReadOnRows = 10;
    const auto face = FaceNamed("Mod-Env");
    ASSERT_NE(face, Faces().end());
    const CBuildModule& type = TypeOf(*face);
    const auto names = ControlNames(type);
    const auto controls = ControlFrames(type, face->layout);
    const std::vector<size_t> amounts = {4, 5, 6, 7};
    for (const size_t k : amounts) {
        ASSERT_TRUE(names.at(k).ends_with(" MA")) << names.at(k);
        const auto label = std::find_if(face->layout.labels.begin(), face->layout.labels.end(), [k](const auto& l) {
            return l.kind == picgen::LabelKind::Control && l.controls.at(0) == static_cast<int>(k);
        });
        ASSERT_NE(label, face->layout.labels.end()) << names[k] << " has no name of its own";
        EXPECT_TRUE(AsRead(label->text).ends_with("MA")) << label->text;
        EXPECT_NE(AsRead(label->text), "MA") << names[k] << " does not tell whose amount it is";
        for (const picgen::FaceLabel& over : face->layout.labels) {
            const FaceRect& a = over.box;
            const FaceRect& b = label->box;
            EXPECT_FALSE(&over != &*label && a.x < b.Right() && b.x < a.Right() && a.Bottom() <= b.y &&
                         b.y - a.Bottom() < kReadOnRows)
                << "'" << OneLine(over.text) << "' reads on into '" << OneLine(label->text) << "'";
        }
        for (const size_t other : amounts) {
            if (other != k) {
                EXPECT_LT(GapSquared(label->box, controls[k]), GapSquared(label->box, controls[other]))
                    << OneLine(label->text) << " is as near to " << names[other];
            }
        }
    }
}

// The box showing a knob's value right over it, which the knob's name may
// head; none for other controls.
std::optional<FaceRect> ValueBoxOver(const CBuildModule& type, const picgen::CFaceLayout& layout, int control)
{
    constexpr int kOver = 8;
    if (!IsKnob(ControlItem(type, control).itemClass)) {
        return std::nullopt;
    }
    const FaceRect knob = ControlFrames(type, layout).at(static_cast<size_t>(control));
    const auto items = type.GetItems();
    for (size_t i = 0; i < items.size(); ++i) {
        const FaceRect& f = layout.itemFrames.at(i);
        if (IsInfoText(items[i].itemClass) && items[i].params.size() == 1 &&
            items[i].params.front() == static_cast<size_t>(control) && f.Bottom() <= knob.y &&
            knob.y - f.Bottom() <= kOver && f.x < knob.Right() && knob.x < f.Right()) {
            return f;
        }
    }
    return std::nullopt;
}

// The box showing a control's value that its name stands right before,
// level with it, reading as "name value": LFOA's "Rate" before its box,
// which leaves no row over it under the title's band.
std::optional<FaceRect> ValueBoxAfter(const CBuildModule& type, const picgen::CFaceLayout& layout, int control,
                                      const FaceRect& name)
{
    constexpr int kBefore = 3;
    const auto items = type.GetItems();
    for (size_t i = 0; i < items.size(); ++i) {
        const FaceRect& f = layout.itemFrames.at(i);
        const auto& bound = items[i].params;
        if (IsInfoText(items[i].itemClass) && !bound.empty() && bound.front() == static_cast<size_t>(control) &&
            Level(name, f) && name.Right() <= f.x && f.x - name.Right() <= kBefore) {
            return f;
        }
    }
    return std::nullopt;
}

// Whether a control's label in a box stands where a jack's label would:
// right beside a jack, its middle level with it or straight above or below
// it, unless the jack is the one its knob takes in.
bool InJackLabelPlace(const FaceRect& box, const FaceRect& control, const std::vector<FaceRect>& jacks)
{
    constexpr int kBesideJack = 5 * 5;
    const int cx = box.x + box.w / 2;
    const int cy = box.y + box.h / 2;
    return std::any_of(jacks.begin(), jacks.end(), [&](const FaceRect& jack) {
        const bool inLine = (cx >= jack.x && cx < jack.Right()) || (cy >= jack.y && cy < jack.Bottom());
        return inLine && GapSquared(box, jack) <= kBesideJack && !FeedsKnob(jack, control);
    });
}

// Whether a label stands straight over or under an item, its middle within
// the item's width and a line's height off it at most.
// Whether a name stands over an item, across it and a line's height off it
// at most, where it reads as the item's heading.
bool Heads(const FaceRect& name, const FaceRect& item)
{
    constexpr int kLine = 7;
    return name.Bottom() <= item.y && item.y - name.Bottom() <= kLine && name.x < item.Right() && item.x < name.Right();
}

bool StraightOverOrUnder(const FaceRect& box, const FaceRect& item)
{
    constexpr int kLine = 7;
    const int cx = box.x + box.w / 2;
    const int down = std::max(box.y - item.Bottom(), item.y - box.Bottom());
    return cx >= item.x && cx < item.Right() && down >= 0 && down <= kLine;
}

// Whether a label stands right over a control other than its own, its
// middle within the control's width, or over a knob its text spanning half
// the knob's width: it reads as that control's name.
bool HeadsAnotherControl(const CBuildModule& type, const std::vector<FaceRect>& controls, const FaceRect& box, int own)
{
    constexpr int kOverButton = 3;
    constexpr int kOverKnob = 7; // a line's height: where a knob's own name stands
    const int cx = box.x + box.w / 2;
    for (size_t c = 0; c < controls.size(); ++c) {
        const FaceRect& f = controls[c];
        const bool knob = IsKnob(ControlItem(type, static_cast<int>(c)).itemClass);
        const int over = knob ? kOverKnob : kOverButton;
        const int across = std::min(box.Right(), f.Right()) - std::max(box.x, f.x);
        if (static_cast<int>(c) != own && box.Bottom() <= f.y && f.y - box.Bottom() <= over &&
            ((cx >= f.x && cx < f.Right()) || (knob && 2 * across >= f.w))) {
            return true;
        }
    }
    return false;
}

// Whether the bare face (its items alone, no other label) has a spot for a
// control's shortest name in the tiny font nearer to the control than to any
// other control or jack and not where a jack's label would stand: where it
// has none, no placement can name the control alone.
bool HasRoomByItsControl(const CBuildModule& type, const picgen::CFaceLayout& layout, int control,
                         std::optional<std::string> text = std::nullopt, bool toldByItsInitial = false)
{
    constexpr int kJackMarks = 3;
    const auto controls = ControlFrames(type, layout);
    const auto jacks = JackFrames(type, layout);
    const auto forms = LabelForms(ControlNames(type).at(static_cast<size_t>(control)));
    const FaceRect size = picgen::LabelSize(text.value_or(forms.back()), picgen::FontSize::Tiny);
    const FaceRect& own = controls.at(static_cast<size_t>(control));
    std::vector<FaceRect> obstacles = {picgen::kTitleStrip,
                                       picgen::BottomStrip(layout.picture.Width(), layout.picture.Height())};
    for (const FaceRect& f : layout.itemFrames) {
        obstacles.push_back(f.Inflated(1));
    }
    for (const FaceRect& j : jacks) {
        obstacles.push_back(j.Inflated(kJackMarks));
    }
    for (int y = 0; y + size.h <= layout.picture.Height(); ++y) {
        for (int x = 0; x + size.w <= layout.picture.Width(); ++x) {
            const FaceRect box{x, y, size.w, size.h};
            const int gap = GapSquared(box, own);
            // Straight over or under a button showing its initial, the name
            // is told by that letter from an item as near on its other side.
            const bool tie = toldByItsInitial && StraightOverOrUnder(box, own);
            const auto nearer = [&](const FaceRect& f) {
                return &f != &own && (tie ? GapSquared(box, f) < gap : GapSquared(box, f) <= gap);
            };
            if (std::none_of(obstacles.begin(), obstacles.end(),
                             [&](const FaceRect& o) { return o.Intersects(box); }) &&
                std::none_of(controls.begin(), controls.end(), nearer) &&
                std::none_of(jacks.begin(), jacks.end(), nearer) && !InJackLabelPlace(box, own, jacks) &&
                std::none_of(jacks.begin(), jacks.end(),
                             [&](const FaceRect& j) {
                                 return StraightOverOrUnder(box, j) && !FeedsKnob(j, own) &&
                                     !(StraightOverOrUnder(box, own) && GapSquared(box, own) < GapSquared(box, j));
                             }) &&
                !HeadsAnotherControl(type, controls, box, control)) {
                return true;
            }
        }
    }
    return false;
}

// A name keeps a pixel off every item, but where its face leaves it no
// spot a pixel off its own control it may touch that one (FilterC's "Gain
// comp" against its GC button): against another item it would read as that
// one's, or run into its outline.
TEST_F(FacePictures, ANameTouchesNoItemButItsOwnControl)
{
    int touching = 0;
    for (const auto& face : Faces()) {
        const CBuildModule& type = TypeOf(face);
        SCOPED_TRACE(type.GetShortName());
        const auto controls = ControlFrames(type, face.layout);
        for (const picgen::FaceLabel& label : face.layout.labels) {
            for (const FaceRect& item : face.layout.itemFrames) {
                if (!label.box.Inflated(1).Intersects(item)) {
                    continue;
                }
                const bool own = label.kind == picgen::LabelKind::Control &&
                    controls.at(static_cast<size_t>(label.controls.at(0))) == item;
                EXPECT_TRUE(own) << "'" << OneLine(label.text) << "' touches an item not its own";
                touching += own;
            }
        }
    }
    EXPECT_GE(touching, 1);
}

// A control's label never stands where a jack's label would, unless the
// jack is the one its knob takes in (FilterF's "Bypass" once stood beside an
// input jack). A knob under its value box is named over the box, within its
// width, or level with the knob or right under it. Wherever the face has
// room for it, a control's label stands nearer to its control (or the box
// it heads) than to any other control or jack: ADSR-Env's "Rel" once stood
// past the corner of its box, Compressor's "Thres" beside the "Mon" button,
// EqMid's "Bypass" by the Gain knob, LFOB's "Rate MA" on the Rate knob and
// later, as LFOA's, by the logic input at the face's top left. Where two
// names contend for the one spot by both their controls, one stands off:
// FilterE's "Slope" and "Resonance". A name straight over the button showing
// its initial is told by that letter from a control as near over it
// (FilterE's "Byp" under the Slope buttons).
TEST_F(FacePictures, AControlsLabelStandsByItsOwnControl)
{
    const std::set<std::pair<std::string, std::string>> contended = {{"FilterE", "Slope"}};
    constexpr int kPastBox = 2;
    for (const auto& face : Faces()) {
        const CBuildModule& type = TypeOf(face);
        SCOPED_TRACE(type.GetShortName());
        const auto controls = ControlFrames(type, face.layout);
        const auto jacks = JackFrames(type, face.layout);
        for (const picgen::FaceLabel& label : face.layout.labels) {
            if (label.kind != picgen::LabelKind::Control) {
                continue;
            }
            const int control = label.controls.at(0);
            const FaceRect& knob = controls.at(static_cast<size_t>(control));
            const FaceRect& box = label.box;
            EXPECT_FALSE(InJackLabelPlace(box, knob, jacks)) << "'" << OneLine(label.text) << "' stands by a jack";
            const auto value = ValueBoxOver(type, face.layout, control);
            const bool heads = value && box.Bottom() <= value->y && box.x >= value->x - kPastBox &&
                box.Right() <= value->Right() + kPastBox;
            const auto before = ValueBoxAfter(type, face.layout, control, box);
            const int own = heads ? GapSquared(box, *value) : before ? GapSquared(box, *before) : GapSquared(box, knob);
            EXPECT_TRUE(!value || heads || before || (box.x < knob.Right() && knob.x < box.Right()) || Level(box, knob))
                << "'" << OneLine(label.text) << "' stands off its knob's corner";
            if ((!value && !HasRoomByItsControl(type, face.layout, control)) ||
                contended.contains({type.GetShortName(), ControlNames(type).at(static_cast<size_t>(control))})) {
                continue;
            }
            // Straight over or under the button showing its initial, the name
            // may have another control as near on its other side.
            const ItemSpec& item = ControlItem(type, control);
            const bool told = item.itemClass == ItemClass::CheckButton && item.text &&
                std::string_view(item.text).size() == 1 && label.text.starts_with(item.text) &&
                StraightOverOrUnder(box, knob);
            for (size_t c = 0; c < controls.size(); ++c) {
                if (c != static_cast<size_t>(control)) {
                    EXPECT_LT(own, GapSquared(box, controls[c]) + (told ? 1 : 0))
                        << "'" << OneLine(label.text) << "' is as near to control " << c;
                }
            }
            for (size_t j = 0; j < jacks.size(); ++j) {
                EXPECT_LT(own, GapSquared(box, jacks[j])) << "'" << OneLine(label.text) << "' is as near to jack " << j;
            }
        }
    }
}

// A check button with the check buttons of its width right over and under
// it, one touching the next: a column a legend by it names, its lines in the
// order the buttons stand. Any other control alone.
FaceRect ButtonColumn(const CBuildModule& type, const std::vector<FaceRect>& controls, size_t control)
{
    const auto isButton = [&type](size_t c) {
        return ControlItem(type, static_cast<int>(c)).itemClass == ItemClass::CheckButton;
    };
    constexpr int kTouching = 2;
    FaceRect column = controls.at(control);
    for (bool grown = isButton(control); grown;) {
        grown = false;
        for (size_t c = 0; c < controls.size(); ++c) {
            const FaceRect& f = controls[c];
            const bool above = f.y < column.y && std::abs(f.Bottom() - column.y) <= kTouching;
            const bool below = f.Bottom() > column.Bottom() && std::abs(f.y - column.Bottom()) <= kTouching;
            if (isButton(c) && f.x == column.x && f.w == column.w && (above || below)) {
                const int top = std::min(column.y, f.y);
                column = {column.x, top, column.w, std::max(column.Bottom(), f.Bottom()) - top};
                grown = true;
            }
        }
    }
    return column;
}

// A name with no room by its control still stands nearer to it than to any
// other control or any jack, where it cannot read as that one's: EventSeq's
// "Out B", its Output B button at the end of a row, once stood by the Steps
// buttons, far off, GainControl's "Lvl Shift" right over the first input's
// name. A column of buttons is named in a legend by it instead. The names
// listed have no spot nearer to their controls than to another.
TEST_F(FacePictures, NoNameStandsNearerToAnotherControlThanItsOwn)
{
    // Gaps below are between item frames: a name keeps a pixel off each
    // side, so a gap holds a name two pixels narrower (one where it may
    // touch its own control). In the tiny font "MA" is 9 pixels wide and a
    // line 5 rows high.
    const std::set<std::pair<std::string, std::string>> nowhere = {
        // Each amount knob has its input jack before it, the box of another
        // value right over it and the face's foot under it; the Freq Coarse
        // knob after it stands 8 (OscC) and 7 (FormantOsc) pixels off, too
        // near for even its "MA": touching its knob, the name has 7 and 6. A
        // four-column tiny M makes "MA" 8 wide; a three-column one, which
        // makes it 7, reads as H or N.
        {"OscC", "Pitch MA"},
        {"FormantOsc", "Pitch MA 2"},
        // As the amounts above: the SampleRate knob 7 pixels after it (6
        // for a name touching its knob), the SampleRate box right over it.
        {"Digitizer", "SRate MA"},
        // The Frequency knob stands right over the amount knob and the face's
        // foot right under it; beside it the rings of the Freq input before
        // it and of the Navigator MA input after it leave 3 and 8 pixels
        // (for a name touching the knob), where "MA" takes 9. Its name
        // stands over its input, 6 pixels across and 6 up off the knob's
        // top corner.
        {"VocalFilter", "Freq MA"},
        // The knob fills the face's height, 4 pixels before the value box and
        // 10 after the Polarity button; the box stands 4 rows (LevAdd's 3)
        // under the face's top line. "Gain" takes 14 pixels, "Ofst" 15, where
        // a name touching the knob has 9. Each stands over the button's name,
        // level with the button's top, in the 15 pixels the title strip
        // leaves before the button ("Offset" takes 23).
        {"LevMult", "Gain"},
        {"LevAdd", "Offset"},
        // The Shift buttons stand 7 pixels after the Inv button and 5 before
        // the input jack, 2 rows under the face's top line and 3 over its
        // foot (4 for a name touching them, where a tiny line takes 5):
        // "Shift" takes 17 pixels. Left of the Inv button is the one spot.
        {"InvLevShift", "Shift"},
        // Its button stands between the two inputs, 8 pixels after the
        // first one's ring (9 for a name touching it) and 12 before the
        // second's (13), 2 rows under the top line and 2 over the foot,
        // where a tiny line takes 5: "Lvl" over "Shift" takes 17 pixels. The
        // name stands before the first input, off its name, over which it
        // once read on into it as "Lvl Shift In 1".
        {"GainControl", "Lvl Shift"},
        // A legend left of the Shape button, the one free block of a face of
        // one crowded row: the Level knobs fill its height, 6 pixels before
        // Invert 2 and 5 before the output jack; the Invert buttons stand 2
        // pixels before their jacks and 7 and 6 after the items before them,
        // 3 rows under the top and 2 over the foot. "Inv 1" takes 16 pixels,
        // "Lvl 1" 17.
        {"ControlMixer", "Invert 1"},
        {"ControlMixer", "Invert 2"},
        {"ControlMixer", "Level 1"},
        {"ControlMixer", "Level 2"},
    };
    for (const auto& face : Faces()) {
        const CBuildModule& type = TypeOf(face);
        SCOPED_TRACE(type.GetShortName());
        const auto controls = ControlFrames(type, face.layout);
        const auto jacks = JackFrames(type, face.layout);
        const auto names = ControlNames(type);
        for (const picgen::FaceLabel& label : face.layout.labels) {
            if (label.kind != picgen::LabelKind::Control) {
                continue;
            }
            const auto control = static_cast<size_t>(label.controls.at(0));
            auto value = ValueBoxOver(type, face.layout, control);
            if (!value) {
                value = ValueBoxAfter(type, face.layout, static_cast<int>(control), label.box);
            }
            const int own = std::min(GapSquared(label.box, ButtonColumn(type, controls, control)),
                                     value ? GapSquared(label.box, *value) : std::numeric_limits<int>::max());
            if (nowhere.contains({type.GetShortName(), names.at(control)})) {
                continue;
            }
            for (size_t c = 0; c < controls.size(); ++c) {
                EXPECT_FALSE(c != control && GapSquared(label.box, controls[c]) < own)
                    << "'" << OneLine(label.text) << "' stands nearer to control " << c << " " << names.at(c);
            }
            for (size_t j = 0; j < jacks.size(); ++j) {
                EXPECT_GE(GapSquared(label.box, jacks[j]), own)
                    << "'" << OneLine(label.text) << "' stands nearer to jack " << j;
            }
        }
    }
}

// A name in the gap between two knobs a pixel or two nearer to one reads as
// either's: DrumSynth's "Osc1 Decay" and "Osc1 Level" once stood so against
// the Osc2 knobs. It stands clearly nearer to its own knob, by four pixels,
// or elsewhere. An "MA" between an amount knob and the knob it modulates
// names the pair. The names listed stand in gaps narrower than a name with
// four pixels to spare, on rows whose every knob is named on the same side,
// the row's first in the clear: the row reads as names each before (or
// over) its knob.
TEST_F(FacePictures, ANameBetweenTwoKnobsStandsClearlyByItsOwn)
{
    constexpr double kClearly = 4.0;
    const std::set<std::pair<std::string, std::string>> namedAlongARow = {
        {"ADSR-Env", "Decay"}, {"ADSR-Env", "Sustain"}, {"ADSR-Env", "Release"},      {"OscA", "Pitch MA 2"},
        {"OscA", "FM amount"}, {"OscB", "Pitch MA 2"},  {"SpectralOsc", "FM amount"}, {"Phaser", "C freq MA"},
    };
    for (const auto& face : Faces()) {
        const CBuildModule& type = TypeOf(face);
        SCOPED_TRACE(type.GetShortName());
        const auto controls = ControlFrames(type, face.layout);
        const auto names = ControlNames(type);
        for (const picgen::FaceLabel& label : face.layout.labels) {
            const auto control = static_cast<size_t>(label.controls.empty() ? 0 : label.controls[0]);
            if (label.kind != picgen::LabelKind::Control || label.text == "MA" ||
                !IsKnob(ControlItem(type, static_cast<int>(control)).itemClass) ||
                namedAlongARow.contains({type.GetShortName(), names.at(control)})) {
                continue;
            }
            const double own = std::sqrt(GapSquared(label.box, controls[control]));
            for (size_t c = 0; c < controls.size(); ++c) {
                if (c != control && IsKnob(ControlItem(type, static_cast<int>(c)).itemClass) &&
                    Between(label.box, controls[control], controls[c])) {
                    EXPECT_GE(std::sqrt(GapSquared(label.box, controls[c])), own + kClearly)
                        << "'" << OneLine(label.text) << "' is nearly as near to " << names.at(c);
                }
            }
        }
    }
}

// A name over a box that shows a value, a line's height off it at most,
// reads as the name of that value: FilterD's "Freq MA" and PercOsc's "Pitch
// MA" once headed the box
// showing the filter's frequency or the oscillator's pitch. Over a value box
// stands only the name of a parameter the box shows. Multi-Env's
// "Pol/Wave" buttons stand in the strip between the title and the graph,
// three pixels over the level boxes: their name has no other place. Before
// them the title leaves 11 pixels (12 for a name touching them), after them
// the graph 5, where the tiny "Pol/Wave" takes 33.
TEST_F(FacePictures, NoNameHeadsTheValueBoxOfAnotherParameter)
{
    const std::set<std::pair<std::string, std::string>> noRoom = {{"Multi-Env", "Pol/Wave"}};
    for (const auto& face : Faces()) {
        const CBuildModule& type = TypeOf(face);
        SCOPED_TRACE(type.GetShortName());
        const auto names = ControlNames(type);
        const auto items = type.GetItems();
        for (const picgen::FaceLabel& label : face.layout.labels) {
            if (label.controls.empty() || ListsLabel(noRoom, type, names, label)) {
                continue;
            }
            for (size_t k = 0; k < items.size(); ++k) {
                const FaceRect& box = face.layout.itemFrames[k];
                const auto& shown = items[k].params;
                const bool heads = IsInfoText(items[k].itemClass) && Heads(label.box, box);
                const bool itsOwn = std::any_of(label.controls.begin(), label.controls.end(), [&](int c) {
                    return std::find(shown.begin(), shown.end(), static_cast<size_t>(c)) != shown.end();
                });
                EXPECT_FALSE(heads && !itsOwn) << "'" << OneLine(label.text) << "' heads the value of item " << k;
            }
        }
    }
}

// A name over a graph, a line's height off it at most, reads as the graph's
// title. Vocoder's Voice button stands boxed in at the face's left edge: the
// graph 2 pixels after it, the Mon button under it, its input's marks
// touching it from above, where the tiny "Voice" takes 17 pixels and a tiny
// line 5 rows; over the input stands the input's "I1", in the 25 pixels
// before the graph that "Voice", a blank and "I1" (27) overrun: its name
// stands over the graph's corner, the nearest spot that names no other
// control.
TEST_F(FacePictures, NoNameHeadsAGraph)
{
    const std::set<std::pair<std::string, std::string>> noRoom = {{"Vocoder", "Voice"}};
    for (const auto& face : Faces()) {
        const CBuildModule& type = TypeOf(face);
        SCOPED_TRACE(type.GetShortName());
        const auto names = ControlNames(type);
        const auto items = type.GetItems();
        for (const picgen::FaceLabel& label : face.layout.labels) {
            if (label.kind != picgen::LabelKind::Control || ListsLabel(noRoom, type, names, label)) {
                continue;
            }
            for (size_t k = 0; k < items.size(); ++k) {
                const FaceRect& graph = face.layout.itemFrames[k];
                EXPECT_FALSE(IsGraph(items[k].itemClass) && Heads(label.box, graph))
                    << "'" << OneLine(label.text) << "' heads the graph";
            }
        }
    }
}

// A name right over a button, its middle within the button's width, heads
// the button: SpectralOsc's "FM Amt" once stood so over the KBT button,
// FilterE's "Slope" over the Bypass button. Over a knob, a line's height off
// it, it reads as the knob's own name: DrumSynth's "Filter Type" once stood
// so over the Sweep knob, LFOB's "Range" over the KBT knob. A long name
// spanning half a knob's width heads it wherever its middle stands:
// VocalFilter's "Frequency" once stood so over the Resonance knob. Only the
// control's own name does.
TEST_F(FacePictures, NoNameHeadsAnotherControl)
{
    for (const auto& face : Faces()) {
        const CBuildModule& type = TypeOf(face);
        SCOPED_TRACE(type.GetShortName());
        const auto controls = ControlFrames(type, face.layout);
        for (const picgen::FaceLabel& label : face.layout.labels) {
            if (label.kind == picgen::LabelKind::Control) {
                EXPECT_FALSE(HeadsAnotherControl(type, controls, label.box, label.controls.front()))
                    << "'" << OneLine(label.text) << "' heads another control";
            }
        }
    }
}

// A name right under a knob, across half its width, reads as the knob's own
// name: FilterF's "Freq MA 2" once stood so under the Frequency knob, two
// pixels off its own knob's corner. A name heading its own control, as an
// amount's between the knob it modulates and its own, reads as that one's.
TEST_F(FacePictures, NoNameStandsRightUnderAnotherKnob)
{
    constexpr int kUnder = 2;
    for (const auto& face : Faces()) {
        const CBuildModule& type = TypeOf(face);
        SCOPED_TRACE(type.GetShortName());
        const auto controls = ControlFrames(type, face.layout);
        const auto names = ControlNames(type);
        for (const picgen::FaceLabel& label : face.layout.labels) {
            const bool headsItsOwn = std::any_of(label.controls.begin(), label.controls.end(), [&](int own) {
                return Heads(label.box, controls.at(static_cast<size_t>(own)));
            });
            for (size_t c = 0; c < controls.size() && !headsItsOwn; ++c) {
                const FaceRect& knob = controls[c];
                const int across = std::min(label.box.Right(), knob.Right()) - std::max(label.box.x, knob.x);
                const bool under =
                    label.box.y >= knob.Bottom() && label.box.y - knob.Bottom() <= kUnder && 2 * across >= knob.w;
                const bool itsOwn = std::find(label.controls.begin(), label.controls.end(), static_cast<int>(c)) !=
                    label.controls.end();
                EXPECT_FALSE(under && !itsOwn && IsKnob(ControlItem(type, static_cast<int>(c)).itemClass))
                    << "'" << OneLine(label.text) << "' stands right under " << names.at(c);
            }
        }
    }
}

// Names an owner read as another item's, each now where it reads as its
// own control's: straight over it, or right before the box showing its
// value. LFOA's "Rate" stood between its amount knob and the Rate knob and
// read as the amount's, "Rate MA" over the input jack before it.
// KeyQuant's "Range" stood after the Cont button, read as "Cont Range".
// DrumSynth's "Bend Decay" under its knob stood as near over the preset box:
// under its control, a line nearer to it than to any item it stands over.
// OscA's "Wave" beside its buttons stood 4 px off the Pulse Width knob's
// side: beside its control, a line nearer to it than to any other item.
// OscSlvC's and OscSlvD's "FM Amount" off its knob's corner stood right over
// "Mute" in the same tiny font, the two read as one name. LFOC's "Rate MA"
// stood before its knob's corner, over the input jack.
TEST_F(FacePictures, NamesOnceMisreadStandByTheirOwnControls)
{
    constexpr int kLine = 5;
    enum class Where { Over, Under, Beside, BeforeItsValue };
    struct Case {
        std::string_view face;
        std::string_view control;
        Where where;
    };
    constexpr Case kCases[] = {
        {"LFOA", "Rate", Where::BeforeItsValue},      {"LFOA", "Rate MA", Where::Over},
        {"KeyQuant", "Range", Where::BeforeItsValue}, {"DrumSynth", "Bend Decay", Where::Under},
        {"OscA", "Waveform", Where::Beside},          {"OscSlvC", "FM amount", Where::Over},
        {"OscSlvD", "FM amount", Where::Over},        {"LFOC", "Rate MA", Where::Beside},
    };
    for (const Case& c : kCases) {
        SCOPED_TRACE(std::string(c.face) + " " + std::string(c.control));
        const auto face = FaceNamed(c.face);
        ASSERT_NE(face, Faces().end());
        const CBuildModule& type = TypeOf(*face);
        const auto names = ControlNames(type);
        const auto control = static_cast<int>(std::find(names.begin(), names.end(), c.control) - names.begin());
        ASSERT_LT(static_cast<size_t>(control), names.size());
        const auto label = std::find_if(face->layout.labels.begin(), face->layout.labels.end(), [&](const auto& l) {
            return l.kind == picgen::LabelKind::Control && l.controls.front() == control;
        });
        ASSERT_NE(label, face->layout.labels.end());
        const FaceRect own = ControlFrames(type, face->layout).at(static_cast<size_t>(control));
        if (c.where == Where::Over) {
            EXPECT_TRUE(StraightOverOrUnder(label->box, own) && label->box.Bottom() <= own.y);
        } else if (c.where == Where::Under) {
            EXPECT_TRUE(StraightOverOrUnder(label->box, own) && label->box.y >= own.Bottom());
            const double gap = std::sqrt(GapSquared(label->box, own));
            for (const FaceRect& item : face->layout.itemFrames) {
                if (item != own && StraightOverOrUnder(label->box, item) && item.y >= label->box.Bottom()) {
                    EXPECT_GE(std::sqrt(GapSquared(label->box, item)), gap + kLine);
                }
            }
        } else if (c.where == Where::Beside) {
            EXPECT_TRUE(Level(label->box, own));
            const double gap = std::sqrt(GapSquared(label->box, own));
            for (const FaceRect& item : face->layout.itemFrames) {
                if (item != own) {
                    EXPECT_GE(std::sqrt(GapSquared(label->box, item)), gap + kLine);
                }
            }
        } else {
            EXPECT_TRUE(ValueBoxAfter(type, face->layout, control, label->box).has_value());
        }
    }
}

// A name straight over or under a jack reads as the jack's: FormantOsc's
// "Mute" once stood so over the output jack, off its M button. Only the
// input of the knob right after it may have a knob's name so, or a jack
// right under the control the name stands straight under, nearer to it.
TEST_F(FacePictures, NoNameStandsStraightOverAJackNotItsOwn)
{
    for (const auto& face : Faces()) {
        const CBuildModule& type = TypeOf(face);
        SCOPED_TRACE(type.GetShortName());
        const auto controls = ControlFrames(type, face.layout);
        const auto jacks = JackFrames(type, face.layout);
        for (const picgen::FaceLabel& label : face.layout.labels) {
            for (const FaceRect& jack : jacks) {
                const bool itsOwn = std::any_of(label.controls.begin(), label.controls.end(), [&](int c) {
                    const FaceRect& own = controls.at(static_cast<size_t>(c));
                    return FeedsKnob(jack, own) ||
                        (StraightOverOrUnder(label.box, own) &&
                         GapSquared(label.box, own) < GapSquared(label.box, jack));
                });
                EXPECT_FALSE(!label.controls.empty() && !itsOwn && StraightOverOrUnder(label.box, jack))
                    << "'" << OneLine(label.text) << "' stands over a jack";
            }
        }
    }
}

// A name reaching off its own control over a jack not its own, a line's
// height off it at most, reads as the jack's: OscSlvC's "Detune Fine" once
// ran from its knob over the FM input, AHD-Env's "Decay MA" over the audio
// input. A name spanning a jack so has its middle over its own control, or
// stands level with it, nearer to it than to the jack, or the jack feeds its
// knob.
TEST_F(FacePictures, NoNameReachesOffItsControlOverAJack)
{
    constexpr int kLine = 7;
    // The legend over EventSeq's Output buttons, "Output A" over "Output B",
    // names the rows' outputs in the order they stand, at the right edge
    // over the outputs themselves.
    const std::set<std::pair<std::string, std::string>> aLegend = {{"EventSeq", "Output B"}};
    for (const auto& face : Faces()) {
        const CBuildModule& type = TypeOf(face);
        SCOPED_TRACE(type.GetShortName());
        const auto names = ControlNames(type);
        const auto controls = ControlFrames(type, face.layout);
        const auto jacks = JackFrames(type, face.layout);
        for (const picgen::FaceLabel& label : face.layout.labels) {
            if (label.controls.empty() || ListsLabel(aLegend, type, names, label)) {
                continue;
            }
            const int middle = label.box.x + label.box.w / 2;
            const bool overItsOwn = std::any_of(label.controls.begin(), label.controls.end(), [&](int c) {
                const FaceRect& own = controls.at(static_cast<size_t>(c));
                return middle >= own.x && middle < own.Right();
            });
            for (const FaceRect& jack : jacks) {
                const bool byItsOwn = std::any_of(label.controls.begin(), label.controls.end(), [&](int c) {
                    const FaceRect& own = controls.at(static_cast<size_t>(c));
                    return FeedsKnob(jack, own) ||
                        (Level(label.box, own) && GapSquared(label.box, own) < GapSquared(label.box, jack));
                });
                const int across = jack.x + jack.w / 2;
                const int off = std::max(label.box.y - jack.Bottom(), jack.y - label.box.Bottom());
                const bool spans = across >= label.box.x && across < label.box.Right() && off >= 0 && off <= kLine;
                EXPECT_FALSE(spans && !overItsOwn && !byItsOwn)
                    << "'" << OneLine(label.text) << "' reaches over the jack at " << jack.x << "," << jack.y;
            }
        }
    }
}

// A button showing its initial ("B" on a Bypass button) reads more plainly
// by its name: it names itself by its letter only where the face has no room
// for the name by it, in its shortest listed form and the tiny font at least
// (FilterF's Bypass button stands between its jacks, 7 px from the input's
// ring where "Byp" needs 11 and a pixel clear on each side, under the Slope
// buttons 5 rows over it where it needs 7; Filter Bank's between its jacks,
// 7 px from the input's ring, beside the sliders).
// Straight over or under the button, its letter tells whose name it is even
// with an item as near on the other side. PercOsc's mute button once showed
// its "M" where "Mute" fits, EqMid's and EqShelving's Bypass buttons their
// "B" where "Byp" fits, FilterE's its "B" and 4-1Switch's mute button its "M"
// where the name fits between the button and the buttons over it. The
// strips over and under StChorus's Bypass button, 20 px between the rings of
// its input and its outputs, hold "Out 1" and "Out 2": "Byp" and a blank
// take 17, leaving an output's label 3. Over Phaser's, 44 px from where
// "Input Lvl" (whose knob has no side free) clears the input to the LED hold
// that name, which with "Byp" and the blank between takes 49. The tiny
// "Mute" takes 17 px and a pixel clear on each side, 7 rows with its clear
// ones: the mute buttons still showing "M" have 8 px between OscA's and the
// Pulse Width amount knob, 6 rows under the Wave buttons; 16 px between
// FormantOsc's and the KBT button, 5 rows under the Timbre knob; 16 px
// between OscSlvA's and the FM amount knob, 6 rows under the I2 jack's ring;
// SpectralOsc's 16 px beside the Shape amount knob, whose "MA" stands there,
// and 5 rows under the Odd and All buttons.
TEST_F(FacePictures, AButtonShowsItsInitialOnlyWhereItsNameFindsNoRoom)
{
    const std::set<std::pair<std::string, std::string>> spotTaken = {{"StChorus", "Bypass"}, {"Phaser", "Bypass"}};
    for (const auto& face : Faces()) {
        const CBuildModule& type = TypeOf(face);
        SCOPED_TRACE(type.GetShortName());
        const auto names = ControlNames(type);
        for (const int c : face.layout.namedByOwnText) {
            const std::string text = ControlItem(type, c).text;
            const std::string& name = names.at(static_cast<size_t>(c));
            if (text.size() == 1 && name.starts_with(text) && !spotTaken.contains({type.GetShortName(), name})) {
                std::vector<std::string> words = LabelForms(name);
                std::erase_if(words, [](const std::string& form) { return form.size() == 1; });
                EXPECT_FALSE(HasRoomByItsControl(type, face.layout, c, words.back(), true))
                    << name << " shows '" << text << "'";
            }
        }
    }
}

// A knob under the box that shows its value may have its name over the box,
// heading the column: Mod-Env's "Sustain", where the gaps between its knobs
// are left to the modulation amounts.
TEST_F(FacePictures, AKnobsNameMayHeadItsValueColumn)
{
    const auto face = FaceNamed("Mod-Env");
    ASSERT_NE(face, Faces().end());
    const CBuildModule& type = TypeOf(*face);
    const auto controls = ControlFrames(type, face->layout);
    const FaceRect& knob = controls.at(2);
    const auto label = std::find_if(face->layout.labels.begin(), face->layout.labels.end(), [](const auto& l) {
        return l.kind == picgen::LabelKind::Control && l.controls.at(0) == 2;
    });
    ASSERT_NE(label, face->layout.labels.end());
    EXPECT_EQ(OneLine(label->text), "Sustain");
    // Over the box showing Sustain (the type's twelfth item), which stands
    // right over the knob, and across the knob's column.
    const FaceRect& value = face->layout.itemFrames.at(11);
    ASSERT_EQ(type.GetItems()[11].itemClass, ItemClass::DefaultText);
    EXPECT_LT(label->box.Bottom(), value.y);
    EXPECT_LT(label->box.x, knob.Right());
    EXPECT_GT(label->box.Right(), knob.x);
    // Nearer to its knob than to any other control or jack.
    const int own = GapSquared(label->box, knob);
    for (size_t c = 0; c < controls.size(); ++c) {
        if (c != 2) {
            EXPECT_LT(own, GapSquared(label->box, controls[c])) << "control " << c;
        }
    }
}

// Two labels one over the other, overlapping across, leave more empty rows
// between them than a label leaves between its own lines (one), so that
// they never read as one name of two lines: OscC's "Pitch MA" once stood
// right on "Freq coars", Compressor's "In 2" on "SC Act", EqShelving's
// "Shelving" on "Input Lvl". A legend's lines keep a clear gap too where
// the face has room for it (EventSeq's "Event A" over "Event B"), else read
// as a table (ControlMixer's). NoteSeqA's "Rec" once stood right on "Stop",
// the names of its two buttons one over the other.
TEST_F(FacePictures, LabelsOneOverAnotherNeverReadAsOneName)
{
    constexpr int kClearRows = 2;
    const std::set<std::tuple<std::string, std::string, std::string>> close = {
        {"ControlMixer", "Inv 1", "Inv 2"},
        {"ControlMixer", "Lvl 1", "Lvl 2"},
        {"EventSeq", "Output A", "Output B"},
    };
    for (const auto& face : Faces()) {
        const std::string type = TypeOf(face).GetShortName();
        SCOPED_TRACE(type);
        const auto& labels = face.layout.labels;
        for (size_t i = 0; i < labels.size(); ++i) {
            for (size_t j = 0; j < labels.size(); ++j) {
                const FaceRect& upper = labels[i].box;
                const FaceRect& lower = labels[j].box;
                const bool across = upper.x < lower.Right() && lower.x < upper.Right();
                if (i != j && across && upper.y < lower.y &&
                    !close.contains({type, OneLine(labels[i].text), OneLine(labels[j].text)})) {
                    EXPECT_GE(lower.y - upper.Bottom(), kClearRows)
                        << "'" << OneLine(labels[i].text) << "' over '" << OneLine(labels[j].text) << "'";
                }
            }
        }
    }
}

// Three empty rows between two names one over the other still read as one
// name ("FREQ" over "KBT" on FilterE, "GAIN" over "POLARITY" on LevMult,
// "LVL SHIFT" over "IN 1" on GainControl): names of two controls or jacks
// one over the other, overlapping across, keep four at least. Only on the
// faces where a clear gap would leave a name off its control do they stand
// closer, as the test above allows: OscC's "Pitch MA" and "Mute", LFOA's
// "Rate" at its knob's corner over "Rate MA", VocalFilter's "Freq MA" and
// "Navigator" over "Level" (the Level knob's name has only the 13 rows
// between the Vowel 3 box and the knob, which "Navigator" right of its own
// knob shares; over that knob, between the Vowel 1 and Vowel 2 sliders, 31
// px are free where it needs 36 with its clearance), and ControlMixer's
// legend, a table of two lines.
// EventSeq's legend over its column of Output buttons is such a table: its
// lines name the buttons in the order they stand.
TEST_F(FacePictures, NamesOfTwoItemsOneOverTheOtherKeepAClearGap)
{
    constexpr int kClearRows = 4;
    const std::set<std::string> crowded = {"OscC", "LFOA", "VocalFilter", "ControlMixer"};
    const std::set<std::tuple<std::string, std::string, std::string>> tables = {
        {"EventSeq", "Output A", "Output B"},
    };
    for (const auto& face : Faces()) {
        const std::string type = TypeOf(face).GetShortName();
        SCOPED_TRACE(type);
        if (crowded.contains(type)) {
            continue;
        }
        const auto& labels = face.layout.labels;
        for (const picgen::FaceLabel& upper : labels) {
            for (const picgen::FaceLabel& lower : labels) {
                const FaceRect& a = upper.box;
                const FaceRect& b = lower.box;
                const bool oneItem = upper.controls == lower.controls && upper.jack == lower.jack;
                const bool table = tables.contains({type, OneLine(upper.text), OneLine(lower.text)});
                if (!oneItem && !table && a.x < b.Right() && b.x < a.Right() && a.y < b.y) {
                    EXPECT_GE(b.y - a.Bottom(), kClearRows)
                        << "'" << OneLine(upper.text) << "' over '" << OneLine(lower.text) << "'";
                }
            }
        }
    }
}

// Names an owner once read as another control's, each where it reads as its
// own control's: level with the control or straight over or under it, and
// five empty rows at least from any other item's name over or under it.
// VocalFilter's "Frequency" stood over the Resonance knob, OscB's "Mute"
// off its button's corner right under the Wave buttons' name, FilterE's
// "KBT" four rows under "Freq", the two read as one name.
TEST_F(FacePictures, NamesOnceReadAsAnothersStandByTheirOwnControls)
{
    constexpr int kApart = 5;
    const std::vector<std::tuple<std::string, std::string, std::string>> names = {
        {"VocalFilter", "Frequency", "Freq"},
        {"VocalFilter", "Resonance", "Res"},
        {"OscB", "Mute", "Mute"},
        {"FilterE", "KBT", "KBT"},
        {"FilterE", "Frequency", "Freq"},
    };
    for (const auto& [typeName, name, text] : names) {
        SCOPED_TRACE(typeName + " " + name);
        const auto face = FaceNamed(typeName);
        ASSERT_NE(face, Faces().end());
        const CBuildModule& type = TypeOf(*face);
        const auto all = ControlNames(type);
        const auto control = static_cast<int>(std::find(all.begin(), all.end(), name) - all.begin());
        const auto& labels = face->layout.labels;
        const auto label = std::find_if(labels.begin(), labels.end(), [control](const picgen::FaceLabel& l) {
            return l.kind == picgen::LabelKind::Control && l.controls.front() == control;
        });
        ASSERT_NE(label, labels.end());
        EXPECT_EQ(OneLine(label->text), text);
        const FaceRect own = ControlFrames(type, face->layout).at(static_cast<size_t>(control));
        const int cx = label->box.x + label->box.w / 2;
        EXPECT_TRUE(Level(label->box, own) || (cx >= own.x && cx < own.Right()))
            << "'" << OneLine(label->text) << "' stands off its control's corner";
        for (const picgen::FaceLabel& other : labels) {
            const FaceRect& a = label->box;
            const FaceRect& b = other.box;
            if (&other != &*label && a.x < b.Right() && b.x < a.Right()) {
                EXPECT_GE(std::max(a.y - b.Bottom(), b.y - a.Bottom()), kApart) << "'" << OneLine(other.text) << "'";
            }
        }
    }
}

// The module's own buttons ("Clr", "Rnd", a preset's) show what they do: a
// control's name nearer to one than to its control reads as the button's
// (EventSeq's and NoteSeqA's "Loop" once stood right under "Clr").
TEST_F(FacePictures, NoControlsNameStandsNearerToAModuleButton)
{
    for (const auto& face : Faces()) {
        const CBuildModule& type = TypeOf(face);
        SCOPED_TRACE(type.GetShortName());
        const auto controls = ControlFrames(type, face.layout);
        std::vector<FaceRect> buttons;
        const auto items = type.GetItems();
        for (size_t k = 0; k < items.size(); ++k) {
            if (items[k].itemClass >= ItemClass::DrumPresetSelector && items[k].itemClass <= ItemClass::VocoderPreset) {
                buttons.push_back(face.layout.itemFrames[k]);
            }
        }
        for (const picgen::FaceLabel& label : face.layout.labels) {
            if (label.kind != picgen::LabelKind::Control) {
                continue;
            }
            const int own = GapSquared(label.box, controls.at(static_cast<size_t>(label.controls.at(0))));
            for (const FaceRect& button : buttons) {
                EXPECT_GE(GapSquared(label.box, button), own) << "'" << OneLine(label.text) << "' stands by a button";
            }
        }
    }
}

// A label a line over or under a jack's label, off its corner by less than
// a blank across, reads on from it as one name: the 3-input Mixer's "LVL"
// once stood so under "I1", FormantOsc's "FINE" over "I3". Compressor and Expander still have "I2" so over
// "SC ACT".
TEST_F(FacePictures, NoLabelReadsOnFromAJackLabelsCorner)
{
    constexpr int kBlankAcross = 6;
    constexpr int kLineApart = 2;
    const std::set<std::pair<std::string, std::string>> known = {{"Compressor", "I2"}, {"Expander", "I2"}};
    for (const auto& face : Faces()) {
        const std::string type = TypeOf(face).GetShortName();
        SCOPED_TRACE(type);
        const auto& labels = face.layout.labels;
        for (const picgen::FaceLabel& jack : labels) {
            if (jack.kind != picgen::LabelKind::Jack || known.contains({type, OneLine(jack.text)})) {
                continue;
            }
            for (const picgen::FaceLabel& other : labels) {
                const FaceRect& a = jack.box;
                const FaceRect& b = other.box;
                const int down = std::max(a.y - b.Bottom(), b.y - a.Bottom());
                const int across = std::max(a.x - b.Right(), b.x - a.Right());
                if (&other != &jack && down >= 0 && down <= kLineApart && across >= 0) {
                    EXPECT_GE(across, kBlankAcross)
                        << "'" << OneLine(other.text) << "' reads on from '" << OneLine(jack.text) << "'";
                }
            }
        }
    }
}

// Two names of different controls a line apart at most, off each other's
// corner by less than a blank, read on from one another as one name, as a
// name does from a jack's label (the test above): LFOB's "Range" once
// stood so by "KBT" and "Pulse Width" by "PW MA", LFOA's "KBT" by
// "Waveform", 4-1Switch's "Input sel" by "Lvl", Compressor's "Limiter" by
// "Bypass", RingMod's "Depth MA" by "Depth" and FilterC's "Frequency" by
// "Gain comp".
TEST_F(FacePictures, NoTwoNamesReadOnFromEachOthersCorner)
{
    constexpr int kBlankAcross = 6;
    constexpr int kLineApart = 2;
    const auto isName = [](const picgen::FaceLabel& l) {
        return l.kind == picgen::LabelKind::Control || l.kind == picgen::LabelKind::Row;
    };
    for (const auto& face : Faces()) {
        const std::string type = TypeOf(face).GetShortName();
        SCOPED_TRACE(type);
        const auto& labels = face.layout.labels;
        for (const picgen::FaceLabel& a : labels) {
            for (const picgen::FaceLabel& b : labels) {
                const int down = std::max(a.box.y - b.box.Bottom(), b.box.y - a.box.Bottom());
                const int across = std::max(a.box.x - b.box.Right(), b.box.x - a.box.Right());
                if (&a != &b && isName(a) && isName(b) && a.controls != b.controls && down >= 0 && down <= kLineApart &&
                    across >= 0) {
                    EXPECT_GE(across, kBlankAcross)
                        << "'" << OneLine(a.text) << "' reads on from '" << OneLine(b.text) << "'";
                }
            }
        }
    }
}

// A name on the line of the word a button shows, a blank after it at most,
// reads on from it: AD-Env's "Env type" once stood so after its "Gate"
// button, read as "Gate Env type", and KeyQuant's "Range" low after "Cont".
TEST_F(FacePictures, NoNameReadsOnFromAButtonsWord)
{
    constexpr int kBlankAcross = 6;
    for (const auto& face : Faces()) {
        const CBuildModule& type = TypeOf(face);
        SCOPED_TRACE(type.GetShortName());
        const auto items = type.GetItems();
        for (size_t k = 0; k < items.size(); ++k) {
            const FaceRect& button = face.layout.itemFrames.at(k);
            if (items[k].itemClass != ItemClass::CheckButton || !items[k].text) {
                continue;
            }
            for (const picgen::FaceLabel& label : face.layout.labels) {
                if (label.kind == picgen::LabelKind::Jack) {
                    continue;
                }
                const int after = label.box.x - button.Right();
                const bool oneLine = label.text.find('\n') == std::string::npos;
                EXPECT_FALSE(oneLine && Level(label.box, button) && after >= 0 && after < kBlankAcross)
                    << "'" << OneLine(label.text) << "' reads on from '" << items[k].text << "'";
            }
        }
    }
}

// A name left-aligned over a jack's label, a few rows over it, reads on into
// it as one name of two lines: CtrlSeq's "Level" once stood so over "Out",
// read as "Level Out".
TEST_F(FacePictures, NoNameReadsOnIntoAJackLabelUnderIt)
{
    constexpr int kFewRows = 7;
    constexpr int kBlankAcross = 6;
    for (const auto& face : Faces()) {
        SCOPED_TRACE(TypeOf(face).GetShortName());
        for (const picgen::FaceLabel& jack : face.layout.labels) {
            if (jack.kind != picgen::LabelKind::Jack) {
                continue;
            }
            for (const picgen::FaceLabel& name : face.layout.labels) {
                const int over = jack.box.y - name.box.Bottom();
                const bool isName = name.kind == picgen::LabelKind::Control || name.kind == picgen::LabelKind::Row;
                EXPECT_FALSE(isName && over >= 0 && over <= kFewRows &&
                             std::abs(name.box.x - jack.box.x) < kBlankAcross)
                    << "'" << OneLine(name.text) << "' reads on into '" << OneLine(jack.text) << "'";
            }
        }
    }
}

// Rows of steps in the same columns (EventSeq's two rows of events) have
// their labels in the order the rows stand: the upper row's label is never
// the lower one.
TEST_F(FacePictures, LabelsOfStackedRowsReadInTheRowsOrder)
{
    for (const auto& face : Faces()) {
        SCOPED_TRACE(TypeOf(face).GetShortName());
        const auto controls = ControlFrames(TypeOf(face), face.layout);
        const auto span = [&](const picgen::FaceLabel& label) {
            FaceRect b = controls.at(static_cast<size_t>(label.controls.front()));
            for (int c : label.controls) {
                const FaceRect& f = controls.at(static_cast<size_t>(c));
                b = {std::min(b.x, f.x), std::min(b.y, f.y), std::max(b.Right(), f.Right()) - std::min(b.x, f.x),
                     std::max(b.Bottom(), f.Bottom()) - std::min(b.y, f.y)};
            }
            return b;
        };
        for (const auto& upper : face.layout.labels) {
            for (const auto& lower : face.layout.labels) {
                if (upper.kind != picgen::LabelKind::Row || lower.kind != picgen::LabelKind::Row) {
                    continue;
                }
                const FaceRect a = span(upper);
                const FaceRect b = span(lower);
                if (a.x == b.x && a.w == b.w && a.y < b.y) {
                    EXPECT_LE(upper.box.y, lower.box.y) << upper.text << " stands below " << lower.text;
                }
            }
        }
    }
}

// A row's name reads as the whole row's: before the row, or over or under it
// across its middle and more than one step, not by part of it alone, where
// it reads as those steps' name (4-1Switch's "Lvl" once stood over its third
// level knob alone, OscSineBank's under its first), unless every step
// carries its own mark (its number over it, or the initial its button
// shows), from which the name reads on along the row; and between its row
// and another, clearly nearer to what a reader sees of its own steps (a
// knob's body, not its frame) than of the other's (OscSineBank's "Fine Tune"
// stood in the gap between its knobs' frames and the level knobs', 5 rows
// under its knobs' bodies and a row and a half over the level knobs', and
// read as the level row's).
TEST_F(FacePictures, ARowsNameReadsAsTheWholeRows)
{
    constexpr int kLine = 7;
    constexpr double kClearly = 2.0;
    int marked = 0;
    for (const auto& face : Faces()) {
        const CBuildModule& type = TypeOf(face);
        SCOPED_TRACE(type.GetShortName());
        const auto controls = ControlFrames(type, face.layout);
        const auto& labels = face.layout.labels;
        const auto overOrUnder = [](const FaceRect& box, const FaceRect& step) {
            const int down = std::max(box.y - step.Bottom(), step.y - box.Bottom());
            return box.x < step.Right() && step.x < box.Right() && down >= 0 && down <= kLine;
        };
        const auto hasMark = [&](int step) {
            const FaceRect& f = controls.at(static_cast<size_t>(step));
            return ControlItem(type, step).text != nullptr ||
                std::any_of(labels.begin(), labels.end(), [&](const picgen::FaceLabel& l) {
                       return l.kind == picgen::LabelKind::Step && overOrUnder(l.box, f);
                   });
        };
        const auto seenGap = [&](const FaceRect& box, size_t c) {
            return std::sqrt(
                GapSquared(box, picgen::SeenOf(ControlItem(type, static_cast<int>(c)).itemClass, controls.at(c))));
        };
        for (const picgen::FaceLabel& label : labels) {
            if (label.kind != picgen::LabelKind::Row) {
                continue;
            }
            const auto& row = label.controls;
            FaceRect bounds = controls.at(static_cast<size_t>(row.front()));
            for (const int step : row) {
                const FaceRect& f = controls.at(static_cast<size_t>(step));
                const int x = std::min(bounds.x, f.x);
                const int y = std::min(bounds.y, f.y);
                bounds = {x, y, std::max(bounds.Right(), f.Right()) - x, std::max(bounds.Bottom(), f.Bottom()) - y};
            }
            const int middle = bounds.x + bounds.w / 2;
            const auto across = std::count_if(row.begin(), row.end(), [&](int step) {
                return overOrUnder(label.box, controls.at(static_cast<size_t>(step)));
            });
            // The step the name stands by is marked by the number it carries.
            const bool allMarked = std::all_of(row.begin(), row.end(), [&](int step) {
                return hasMark(step) || overOrUnder(label.box, controls.at(static_cast<size_t>(step)));
            });
            marked += allMarked;
            const bool byPart =
                overOrUnder(label.box, bounds) && (middle < label.box.x || middle >= label.box.Right() || across < 2);
            EXPECT_FALSE(byPart && !allMarked) << "'" << OneLine(label.text) << "' reads as some steps' name";
            for (const int step : row) {
                for (size_t c = 0; c < controls.size(); ++c) {
                    if (std::find(row.begin(), row.end(), static_cast<int>(c)) == row.end() &&
                        Between(label.box, controls.at(static_cast<size_t>(step)), controls[c])) {
                        EXPECT_GE(seenGap(label.box, c), seenGap(label.box, static_cast<size_t>(step)) + kClearly)
                            << "'" << OneLine(label.text) << "' stands as near to control " << c;
                    }
                }
            }
        }
    }
    EXPECT_GE(marked, 3) << "rows marked step by step";
}

// A row of knobs under the boxes of their values reads as a table: its name
// before its first box, level with it, a blank off it at most. Multi-Env's
// "Level" once stood at its row's end right before the Sustain Place box,
// read as that box's name, and "Time" at the end of its row.
TEST_F(FacePictures, ARowOfKnobsUnderTheirValuesIsNamedBeforeItsFirstBox)
{
    constexpr int kBlank = 3;
    int rows = 0;
    for (const auto& face : Faces()) {
        const CBuildModule& type = TypeOf(face);
        SCOPED_TRACE(type.GetShortName());
        for (const picgen::FaceLabel& label : face.layout.labels) {
            if (label.kind != picgen::LabelKind::Row) {
                continue;
            }
            std::vector<FaceRect> boxes;
            for (const int step : label.controls) {
                if (const auto box = ValueBoxOver(type, face.layout, step)) {
                    boxes.push_back(*box);
                }
            }
            if (boxes.size() != label.controls.size()) {
                continue;
            }
            ++rows;
            const FaceRect first = *std::min_element(boxes.begin(), boxes.end(),
                                                     [](const FaceRect& a, const FaceRect& b) { return a.x < b.x; });
            EXPECT_TRUE(Level(label.box, first) && label.box.Right() <= first.x &&
                        first.x - label.box.Right() <= kBlank)
                << "'" << OneLine(label.text) << "' stands away from its row's first value box";
        }
    }
    EXPECT_GE(rows, 2);
}

// Jacks in a row up to the face's right edge: each label on its jack's row
// and to its left, so that a label between two jacks names the one after it
// and never the one before.
TEST_F(FacePictures, JackLabelsOfARowReadLeftToRight)
{
    for (const char* name : {"Keyboard", "KbdPatch", "MIDIGlobal", "NoteDetect"}) {
        SCOPED_TRACE(name);
        const auto face = FaceNamed(name);
        ASSERT_NE(face, Faces().end());
        const size_t jackCount = TypeOf(*face).GetJacks().size();
        const auto& frames = face->layout.itemFrames;
        const std::vector<FaceRect> jacks(frames.end() - static_cast<std::ptrdiff_t>(jackCount), frames.end());
        int labelled = 0;
        for (const picgen::FaceLabel& label : face->layout.labels) {
            if (label.kind != picgen::LabelKind::Jack) {
                continue;
            }
            ++labelled;
            const FaceRect& jack = jacks.at(static_cast<size_t>(label.jack));
            EXPECT_TRUE(label.box.y < jack.Bottom() && jack.y < label.box.Bottom()) << label.text << " is off its row";
            EXPECT_LE(label.box.Right(), jack.x) << label.text << " is not left of its jack";
        }
        EXPECT_GE(labelled, 2);
    }
}

// The faces that were hardest to read, as pixels: the labels a reader needs
// are there, each label's ink is in its box, and no other label's ink comes
// within a blank's width of it on its lines, so that two labels never read
// as one. Written to the gallery folder for a person to look at.
TEST_F(FacePictures, PickedFacesReadAsTheirNames)
{
    struct Expected {
        const char* type;
        const char* name;
        std::vector<std::string> texts;
    };
    const std::vector<Expected> expected = {
        {"KeybSplit", "Upper note", {"Upper Note", "Up Note"}},
        {"KeybSplit", "Lower note", {"Lower Note", "Lo Note"}},
        {"ControlMixer", "Invert 1", {"Invert 1", "Inv 1"}},
        {"ControlMixer", "Invert 2", {"Invert 2", "Inv 2"}},
        {"ControlMixer", "Level 1", {"Level 1", "Lvl 1"}},
        {"ControlMixer", "Level 2", {"Level 2", "Lvl 2"}},
        {"OscA", "Freq coars", {"Freq Coarse", "Coarse"}},
        {"OscA", "Freq fine", {"Freq Fine", "Fine"}},
        {"OscA", "Pitch MA 1", {"Pitch MA 1"}},
        {"OscA", "Pitch MA 2", {"Pitch MA 2"}},
        {"KeyQuant", "Range", {"Range"}},
        {"NoteSeqA", "Record", {"Record", "Rec"}},
        {"NoteSeqA", "Stop", {"Stop"}},
        {"EqMid", "Bypass", {"Bypass", "Byp"}},
        {"DrumSynth", "Osc1 Decay", {"Osc1 Decay"}},
        {"DrumSynth", "Filt. Freq", {"Filter Freq", "Freq"}},
        {"DrumSynth", "Filt. Type", {"Filter Type", "Type"}},
    };
    // The jacks that need numbers, their labels as read.
    const std::map<std::string, std::multiset<std::string>> jackLabels = {
        {"KeybSplit", {"IN 1", "IN 2", "OUT 1", "OUT 2"}},
        {"KeyQuant", {}},
        {"Mixer", {"I1", "I2", "I3"}},
        {"LFOB", {"IN 1", "IN 2"}},
    };
    // The labels that keep a clear gap to any label over or under them, also
    // off their corners.
    const std::set<std::pair<std::string, picgen::LabelKind>> clearOverAndUnder = {
        {"Mixer", picgen::LabelKind::Row},     {"Mixer", picgen::LabelKind::Jack},
        {"EventSeq", picgen::LabelKind::Row},  {"NoteSeqA", picgen::LabelKind::Control},
        {"NoteSeqA", picgen::LabelKind::Jack}, {"NoteSeqA", picgen::LabelKind::Row},
    };
    const std::set<std::string> longNames = {"Key quantizer",         "Control signal mixer",
                                             "Keyboard Split",        "OSC A",
                                             "3 inputs mixer",        "Event sequencer",
                                             "Note sequencer A",      "Parametric Eq",
                                             "Drumsound synthesizer", "LFO B"};
    std::vector<const picgen::FacePicture*> picked;
    for (const auto& face : Faces()) {
        if (longNames.contains(TypeOf(face).GetLongName())) {
            picked.push_back(&face);
        }
    }
    ASSERT_EQ(picked.size(), longNames.size());
    int sheetHeight = 0;
    for (const auto* face : picked) {
        sheetHeight += face->layout.picture.Height() + 4;
    }
    platform::PixelBuffer sheet(250, sheetHeight, 0xFFFFFF);
    int top = 0;
    for (const auto* face : picked) {
        const CBuildModule& type = TypeOf(*face);
        const std::string shortName = type.GetShortName();
        SCOPED_TRACE(shortName);
        const auto& labels = face->layout.labels;
        const auto names = ControlNames(type);
        const auto textOf = [&](const std::string& name) {
            for (const auto& label : labels) {
                if (label.kind == picgen::LabelKind::Control &&
                    names.at(static_cast<size_t>(label.controls[0])) == name) {
                    return OneLine(label.text);
                }
            }
            return std::string("(none)");
        };
        for (const Expected& e : expected) {
            if (shortName == e.type) {
                EXPECT_NE(std::find(e.texts.begin(), e.texts.end(), textOf(e.name)), e.texts.end())
                    << e.name << " reads '" << textOf(e.name) << "'";
            }
        }
        if (jackLabels.contains(shortName)) {
            std::multiset<std::string> read;
            for (const auto& label : labels) {
                if (label.kind == picgen::LabelKind::Jack) {
                    read.insert(AsRead(label.text));
                }
            }
            EXPECT_EQ(read, jackLabels.at(shortName));
        }
        if (shortName == "ControlMixer") {
            // No room beside its controls: a legend names them in the order
            // they stand, read line by line.
            std::vector<const picgen::FaceLabel*> read;
            for (const auto& label : labels) {
                if (label.kind == picgen::LabelKind::Control && label.controls[0] != 4) {
                    read.push_back(&label);
                }
            }
            std::sort(read.begin(), read.end(), [](const auto* a, const auto* b) {
                return a->box.y != b->box.y ? a->box.y < b->box.y : a->box.x < b->box.x;
            });
            std::vector<std::string> order;
            for (const auto* label : read) {
                order.push_back(names.at(static_cast<size_t>(label->controls[0])));
            }
            EXPECT_EQ(order, (std::vector<std::string>{"Invert 1", "Level 1", "Invert 2", "Level 2"}));
        }
        if (shortName == "KeyQuant") {
            // The twelve keys show their notes themselves.
            EXPECT_EQ(face->layout.namedByOwnText.size(), 13u) << "the twelve keys and Cont";
        }
        const picgen::CRaster& p = face->layout.picture;
        const auto isInk = [&p, &type](int x, int y) {
            if (x < 0 || y < 0 || x >= p.Width() || y >= p.Height()) {
                return false;
            }
            const uint32_t c = p.At(x, y);
            if (c == picgen::kLabelInk) {
                return true;
            }
            return std::any_of(type.GetJacks().begin(), type.GetJacks().end(),
                               [c](const JackSpec& j) { return c == picgen::Shade(picgen::JackColour(j.kind), 0.6); });
        };
        for (const auto& label : labels) {
            if (label.kind == picgen::LabelKind::Name) {
                continue;
            }
            const FaceRect& b = label.box;
            int inside = 0;
            for (int y = b.y; y < b.Bottom(); ++y) {
                for (int x = b.x; x < b.Right(); ++x) {
                    inside += isInk(x, y);
                }
            }
            EXPECT_GT(inside, 0) << "'" << OneLine(label.text) << "' is not drawn";
            int beside = 0;
            for (int y = b.y; y < b.Bottom(); ++y) {
                for (int d = 1; d <= 4; ++d) {
                    beside += isInk(b.x - d, y) + isInk(b.Right() - 1 + d, y);
                }
            }
            EXPECT_EQ(beside, 0) << "'" << OneLine(label.text) << "' runs into other text";
            if (clearOverAndUnder.contains({shortName, label.kind})) {
                int overOrUnder = 0;
                for (int d = 1; d <= 3; ++d) {
                    for (int x = b.x - 4; x < b.Right() + 4; ++x) {
                        overOrUnder += isInk(x, b.y - d) + isInk(x, b.Bottom() - 1 + d);
                    }
                }
                EXPECT_EQ(overOrUnder, 0) << "'" << OneLine(label.text) << "' reads on from text over or under it";
            }
        }
        for (int y = 0; y < p.Height(); ++y) {
            for (int x = 0; x < p.Width(); ++x) {
                sheet.Set(x, top + y, p.At(x, y));
            }
        }
        top += p.Height() + 4;
    }
    const auto folder = std::filesystem::path(TORVAN_TEST_OUTPUT_DIR).parent_path() / "gallery";
    std::filesystem::create_directories(folder);
    platform::WritePng((folder / "faces-picked.png").string(), sheet);
}

} // namespace
