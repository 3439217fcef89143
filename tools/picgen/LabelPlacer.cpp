#include "tools/picgen/LabelPlacer.h"

#include "tools/picgen/BitmapFont.h"

#include <algorithm>
#include <cctype>
#include <sstream>
#include <utility>

namespace picgen {

namespace {

// Empty pixels kept between a label and the items it must not touch, and
// between two labels: more across than between lines, so that two labels
// never read as one.
constexpr int kClearance = 1;
constexpr int kLabelGapAcross = 3;
constexpr int kLabelGapDown = 1;

void AddUnique(std::vector<std::string>& list, const std::string& text)
{
    if (!text.empty() && std::find(list.begin(), list.end(), text) == list.end())
        list.push_back(text);
}

std::string WithoutBlanks(const std::string& s)
{
    std::string out;
    for (char c : s)
        if (c != ' ')
            out += c;
    return out;
}

// Each word cut to n letters; digits and signs are kept whole, also at a
// word's end ("Level2" -> "Lev2").
std::string WordsCut(const std::string& s, size_t n)
{
    std::istringstream words(s);
    std::string word;
    std::string out;
    while (words >> word) {
        size_t letters = 0;
        while (letters < word.size() && std::isalpha(static_cast<unsigned char>(word[letters])))
            ++letters;
        out += word.substr(0, std::min(letters, n)) + word.substr(letters);
    }
    return out;
}

} // namespace

std::vector<std::string> ShortenedNames(const std::string& name)
{
    std::vector<std::string> out;
    AddUnique(out, name);
    AddUnique(out, WithoutBlanks(name));
    for (size_t n = 4; n >= 2; --n)
        AddUnique(out, WordsCut(name, n));
    // Last, cut from the end, keeping a number at the end.
    const std::string whole = WithoutBlanks(name);
    size_t digits = 0;
    while (digits < whole.size() && std::isdigit(static_cast<unsigned char>(whole[whole.size() - 1 - digits])))
        ++digits;
    std::string stem = whole.substr(0, whole.size() - digits);
    const std::string number = whole.substr(whole.size() - digits);
    while (stem.size() > 1) {
        stem.pop_back();
        AddUnique(out, stem + number);
    }
    // Longest first, so that no longer text that fits is passed over.
    std::stable_sort(out.begin(), out.end(),
                     [](const std::string& a, const std::string& b) { return a.size() > b.size(); });
    return out;
}

CLabelPlacer::CLabelPlacer(int width, int height, std::vector<FaceRect> obstacles)
    : width_(width), height_(height), obstacles_(std::move(obstacles))
{ }

bool CLabelPlacer::IsFree(const FaceRect& box) const
{
    if (box.x < 0 || box.y < 0 || box.Right() > width_ || box.Bottom() > height_)
        return false;
    const FaceRect padded = box.Inflated(kClearance);
    const FaceRect spaced{box.x - kLabelGapAcross, box.y - kLabelGapDown, box.w + 2 * kLabelGapAcross,
                          box.h + 2 * kLabelGapDown};
    return std::none_of(obstacles_.begin(), obstacles_.end(),
                        [&padded](const FaceRect& r) { return padded.Intersects(r); }) &&
        std::none_of(taken_.begin(), taken_.end(), [&spaced](const FaceRect& r) { return spaced.Intersects(r); });
}

std::optional<CLabelPlacer::Placement> CLabelPlacer::Place(const FaceRect& target,
                                                           const std::vector<std::string>& texts,
                                                           const std::vector<LabelSide>& sides, Need need)
{
    if (auto placed = PlaceIn(FontSize::Normal, target, texts, sides))
        return placed;
    if (need == Need::Optional)
        return std::nullopt;
    if (auto placed = PlaceIn(FontSize::Tiny, target, texts, sides))
        return placed;
    return PlaceNearby(target, texts);
}

bool CLabelPlacer::TakeAll(const std::vector<FaceRect>& boxes)
{
    const size_t before = taken_.size();
    for (const FaceRect& box : boxes) {
        if (!IsFree(box)) {
            taken_.resize(before);
            return false;
        }
        taken_.push_back(box);
    }
    return true;
}

// Last, the free spot on the face nearest to the target, for the shortest
// tiny text.
std::optional<CLabelPlacer::Placement> CLabelPlacer::PlaceNearby(const FaceRect& target,
                                                                 const std::vector<std::string>& texts)
{
    const std::string& text = texts.back();
    const int w = CBitmapFont::TextWidth(text, 1, FontSize::Tiny);
    const int h = CBitmapFont::kTinyHeight;
    const int cx = target.x + target.w / 2 - w / 2;
    const int cy = target.y + target.h / 2 - h / 2;
    // Every spot on the face, nearest first.
    std::vector<std::pair<int, FaceRect>> spots;
    for (int y = 0; y + h <= height_; ++y)
        for (int x = 0; x + w <= width_; ++x)
            spots.emplace_back((x - cx) * (x - cx) + (y - cy) * (y - cy), FaceRect{x, y, w, h});
    std::stable_sort(spots.begin(), spots.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    for (const auto& [distance, box] : spots)
        if (IsFree(box)) {
            taken_.push_back(box);
            return Placement{box, text, FontSize::Tiny};
        }
    return std::nullopt;
}

std::optional<CLabelPlacer::Placement> CLabelPlacer::PlaceIn(FontSize size, const FaceRect& target,
                                                             const std::vector<std::string>& texts,
                                                             const std::vector<LabelSide>& sides)
{
    const int kLabelHeight = CBitmapFont::Height(size);
    for (const std::string& text : texts) {
        const int w = CBitmapFont::TextWidth(text, 1, size);
        const int cx = target.x + target.w / 2 - w / 2;
        const int cy = target.y + target.h / 2 - kLabelHeight / 2;
        for (const LabelSide side : sides) {
            std::vector<std::pair<int, int>> spots;
            // The centred spot first, then slid along the side.
            for (int gap = 1; gap <= 5; ++gap)
                for (int slide : {0, -3, 3, -6, 6, -10, 10, -14, 14, -18, 18, -24, 24}) {
                    switch (side) {
                    case LabelSide::Above:
                        spots.emplace_back(cx + slide, target.y - gap - kLabelHeight);
                        break;
                    case LabelSide::Below:
                        spots.emplace_back(cx + slide, target.Bottom() + gap);
                        break;
                    case LabelSide::Left:
                        spots.emplace_back(target.x - gap - w, cy + slide / 2);
                        break;
                    case LabelSide::Right:
                        spots.emplace_back(target.Right() + gap, cy + slide / 2);
                        break;
                    }
                }
            for (const auto& [x, y] : spots) {
                const FaceRect box{x, y, w, kLabelHeight};
                if (IsFree(box)) {
                    taken_.push_back(box);
                    return Placement{box, text, size};
                }
            }
        }
    }
    return std::nullopt;
}

} // namespace picgen
