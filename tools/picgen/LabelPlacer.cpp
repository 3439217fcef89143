#include "tools/picgen/LabelPlacer.h"

#include "tools/picgen/BitmapFont.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <cstdlib>
#include <tuple>
#include <utility>

namespace picgen {

namespace {

// Empty pixels kept between a label and the items it must not touch, and
// between two labels: across, more than a blank within a label, so that two
// labels side by side never read as one; down, between two labels one over
// the other, more than between a label's own lines, so that they never read
// as one name of two lines (a clear gap where the face has room, else a
// pixel more than the lines').
constexpr int kClearance = 1;
constexpr int kLabelGapAcross = 6;
constexpr int kLabelGapDown = 1;
constexpr int kLineGap = 1;
constexpr int kStackedGap = 4;
constexpr int kCloseStackedGap = kLineGap + 1;
// Two labels stand one on the other up to this many empty rows apart.
constexpr int kLineApart = 2;
// Off a jack's label's corner by less than a blank, a label still reads on
// from it, as one name of two lines.
constexpr int kApartAcross = kLabelGapAcross;

int StackedGap(StackGap gap)
{
    switch (gap) {
    case StackGap::Clear:
        return kStackedGap;
    case StackGap::Close:
        return kCloseStackedGap;
    case StackGap::Lines:
        break;
    }
    return kLineGap;
}

// Where a label keeps its clearance from the items, and its gap from
// other labels.
FaceRect Padded(const FaceRect& box)
{
    return box.Inflated(kClearance);
}

FaceRect Spaced(const FaceRect& box)
{
    return {box.x - kLabelGapAcross, box.y - kLabelGapDown, box.w + 2 * kLabelGapAcross, box.h + 2 * kLabelGapDown};
}

// Where no other label may stand right over or under a label, overlapping
// it across.
FaceRect StackSpaced(const FaceRect& box, int gap)
{
    return {box.x, box.y - gap, box.w, box.h + 2 * gap};
}

// A w x h box on one side of the target, gap pixels off it, its middle
// slid along that side from the target's (by half as much beside it).
FaceRect SpotBeside(const FaceRect& target, LabelSide side, int gap, int slide, int w, int h)
{
    const int cx = target.x + target.w / 2 - w / 2;
    const int cy = target.y + target.h / 2 - h / 2;
    switch (side) {
    case LabelSide::Above:
        return {cx + slide, target.y - gap - h, w, h};
    case LabelSide::Below:
        return {cx + slide, target.Bottom() + gap, w, h};
    case LabelSide::Left:
        return {target.x - gap - w, cy + slide / 2, w, h};
    case LabelSide::Right:
        break;
    }
    return {target.Right() + gap, cy + slide / 2, w, h};
}

std::vector<std::string> Lines(const std::string& text)
{
    std::vector<std::string> lines;
    size_t start = 0;
    for (size_t end; (end = text.find('\n', start)) != std::string::npos; start = end + 1)
        lines.push_back(text.substr(start, end - start));
    lines.push_back(text.substr(start));
    return lines;
}

} // namespace

// The spots a w x h box may take on a face, one bit per top-left corner.
// The corners whose box comes too near a given box form a rectangle, ruled
// out row by row: a search over every spot costs about the face's area, not
// the spots times the boxes, and visits only the free ones.
class CSpotGrid {
public:
    CSpotGrid(int faceWidth, int faceHeight, int w, int h)
        : w_(w), h_(h), columns_(std::max(0, faceWidth - w + 1)), rows_(std::max(0, faceHeight - h + 1)),
          words_((columns_ + kBits - 1) / kBits), ruledOut_(static_cast<size_t>(words_) * static_cast<size_t>(rows_))
    {
        // No corner past the last column.
        for (int y = 0; y < rows_; ++y)
            Rule(y, columns_, words_ * kBits);
    }

    // Rules out every corner whose box, grown by the margins, overlaps r as
    // FaceRect::Intersects tells; an empty r covers nothing.
    void RuleOutNear(const FaceRect& r, int across, int down)
    {
        if (r.w <= 0 || r.h <= 0 || w_ + 2 * across <= 0 || h_ + 2 * down <= 0)
            return;
        const int x0 = std::max(0, r.x - w_ - across + 1);
        const int x1 = std::min(columns_, r.Right() + across);
        for (int y = std::max(0, r.y - h_ - down + 1); y < std::min(rows_, r.Bottom() + down); ++y)
            Rule(y, x0, x1);
    }

    size_t FreeCount() const
    {
        size_t n = 0;
        for (const uint64_t word : ruledOut_)
            n += static_cast<size_t>(std::popcount(~word));
        return n;
    }

    // Calls visit(x, y) for every free corner, row by row.
    template <typename Visit> void ForEachFree(const Visit& visit) const
    {
        for (int y = 0; y < rows_; ++y)
            for (int k = 0; k < words_; ++k)
                for (uint64_t free = ~ruledOut_[Index(k, y)]; free != 0; free &= free - 1)
                    visit(k * kBits + std::countr_zero(free), y);
    }

private:
    static constexpr int kBits = 64;

    size_t Index(int word, int y) const { return static_cast<size_t>(y * words_ + word); }

    // Rules out the corners x0 to x1 (past the end) of a row.
    void Rule(int y, int x0, int x1)
    {
        for (int x = x0; x < x1;) {
            const int bit = x % kBits;
            const int n = std::min(kBits - bit, x1 - x);
            const uint64_t ones = n == kBits ? ~uint64_t{0} : (uint64_t{1} << n) - 1;
            ruledOut_[Index(x / kBits, y)] |= ones << bit;
            x += n;
        }
    }

    int w_;
    int h_;
    int columns_;
    int rows_;
    int words_;
    std::vector<uint64_t> ruledOut_;
};

FaceRect LabelSize(const std::string& text, FontSize size)
{
    const std::vector<std::string> lines = Lines(text);
    int w = 0;
    for (const std::string& line : lines)
        w = std::max(w, CBitmapFont::TextWidth(line, 1, size));
    const int n = static_cast<int>(lines.size());
    return {0, 0, w, n * CBitmapFont::Height(size) + (n - 1) * kLineGap};
}

std::string InTwoLines(const std::string& text)
{
    std::string best;
    int bestWidth = 0;
    // Neither line a lone letter or digit: "In 4" stays one line.
    for (size_t i = text.find(' ', 2); i != std::string::npos && i + 2 < text.size(); i = text.find(' ', i + 1)) {
        std::string split = text;
        split[i] = '\n';
        const int w = LabelSize(split, FontSize::Normal).w;
        if (best.empty() || w < bestWidth) {
            best = split;
            bestWidth = w;
        }
    }
    return best;
}

bool StackedOn(const FaceRect& box, const FaceRect& other)
{
    return box.x < other.Right() && other.x < box.Right() &&
        std::max(box.y - other.Bottom(), other.y - box.Bottom()) <= kLineApart;
}

void DrawLabel(CRaster& raster, const FaceRect& box, const std::string& text, uint32_t colour, FontSize size)
{
    int y = box.y;
    for (const std::string& line : Lines(text)) {
        const int w = CBitmapFont::TextWidth(line, 1, size);
        CBitmapFont::Draw(raster, box.x + (box.w - w) / 2, y, line, colour, 1, size);
        y += CBitmapFont::Height(size) + kLineGap;
    }
}

CLabelPlacer::CLabelPlacer(int width, int height, std::vector<FaceRect> obstacles, StackGap stackGap)
    : width_(width), height_(height), stackedGap_(StackedGap(stackGap)), obstacles_(std::move(obstacles))
{ }

bool CLabelPlacer::IsFree(const FaceRect& box, const std::optional<FaceRect>& touchable) const
{
    if (box.x < 0 || box.y < 0 || box.Right() > width_ || box.Bottom() > height_)
        return false;
    const FaceRect padded = Padded(box);
    const FaceRect spaced = Spaced(box);
    const FaceRect stackSpaced = StackSpaced(box, stackedGap_);
    const FaceRect wide{box.x - kApartAcross, box.y, box.w + 2 * kApartAcross, box.h};
    const auto tooNear = [&](const FaceRect& r) { return r == touchable ? box.Intersects(r) : padded.Intersects(r); };
    return std::none_of(obstacles_.begin(), obstacles_.end(), tooNear) &&
        std::none_of(taken_.begin(), taken_.end(),
                     [&](const FaceRect& r) { return spaced.Intersects(r) || stackSpaced.Intersects(r); }) &&
        std::none_of(apart_.begin(), apart_.end(), [&wide](const FaceRect& r) { return StackedOn(wide, r); });
}

std::optional<CLabelPlacer::Placement> CLabelPlacer::Place(const FaceRect& target,
                                                           const std::vector<std::string>& texts,
                                                           const std::vector<LabelSide>& sides, Need need,
                                                           const Accept& accept)
{
    if (texts.empty())
        return std::nullopt;
    // An optional label in the tiny font only where that is the one font
    // allowed.
    std::vector<FontSize> sizes;
    for (const FontSize size : {FontSize::Normal, FontSize::Tiny})
        if (Allows(size) && (need != Need::Optional || size == FontSize::Normal || only_))
            sizes.push_back(size);
    for (const std::string& text : texts)
        for (const FontSize size : sizes)
            if (auto placed = PlaceAs(target, text, size, sides, Need::Beside, accept))
                return placed;
    if (need != Need::Required)
        return std::nullopt;
    return PlaceNearby(target, texts.back(), only_.value_or(FontSize::Tiny), accept);
}

std::optional<CLabelPlacer::Placement> CLabelPlacer::PlaceAs(const FaceRect& target, const std::string& text,
                                                             FontSize size, const std::vector<LabelSide>& sides,
                                                             Need need, const Accept& accept)
{
    if (!Allows(size))
        return std::nullopt;
    for (const std::string& form : {text, InTwoLines(text)})
        if (!form.empty())
            if (auto placed = PlaceText(size, target, form, sides, accept))
                return placed;
    if (need != Need::Required)
        return std::nullopt;
    return PlaceNearby(target, text, size, accept);
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

bool CLabelPlacer::TakeTouching(const FaceRect& box, const FaceRect& own)
{
    if (!IsFree(box, own))
        return false;
    taken_.push_back(box);
    return true;
}

std::optional<FaceRect> CLabelPlacer::NearestFreeSpot(const FaceRect& target, int w, int h, const Accept& fits) const
{
    // As IsFree tells, for every spot at once.
    CSpotGrid grid(width_, height_, w, h);
    for (const FaceRect& r : obstacles_)
        grid.RuleOutNear(r, kClearance, kClearance);
    for (const FaceRect& r : taken_) {
        grid.RuleOutNear(r, kLabelGapAcross, kLabelGapDown);
        grid.RuleOutNear(r, 0, stackedGap_);
    }
    for (const FaceRect& r : apart_)
        grid.RuleOutNear(r, kApartAcross, kLineApart + 1);
    const int cx = target.x + target.w / 2 - w / 2;
    const int cy = target.y + target.h / 2 - h / 2;
    // Nearest first; between spots as near, the one read first (row by row).
    std::vector<std::tuple<int, int, int>> spots;
    spots.reserve(grid.FreeCount());
    grid.ForEachFree([&](int x, int y) { spots.emplace_back((x - cx) * (x - cx) + (y - cy) * (y - cy), y, x); });
    std::sort(spots.begin(), spots.end());
    for (const auto& [distance, y, x] : spots)
        if (const FaceRect box{x, y, w, h}; !fits || fits(box))
            return box;
    return std::nullopt;
}

// Last, the free spot on the face nearest to the target.
std::optional<CLabelPlacer::Placement> CLabelPlacer::PlaceNearby(const FaceRect& target, const std::string& text,
                                                                 FontSize size, const Accept& accept)
{
    const FaceRect extent = LabelSize(text, size);
    const auto box = NearestFreeSpot(target, extent.w, extent.h, accept);
    if (!box)
        return std::nullopt;
    taken_.push_back(*box);
    return Placement{*box, text, size};
}

std::optional<std::vector<CLabelPlacer::Placement>>
CLabelPlacer::PlaceLegend(const FaceRect& target, const std::vector<std::vector<std::string>>& entries,
                          const Accept& accept, int fewestLines)
{
    size_t longest = 0;
    for (const auto& forms : entries)
        longest = std::max(longest, forms.size());
    // Lines a clear gap apart where the face has room for that, else as
    // close as a label's own; every entry in its first form, then each a
    // form shorter while it has one.
    for (const int lineGap : {kStackedGap, kLabelGapDown})
        for (size_t k = 0; k < longest; ++k) {
            std::vector<std::string> texts;
            for (const auto& forms : entries)
                texts.push_back(forms.empty() ? std::string() : forms[std::min(k, forms.size() - 1)]);
            for (const FontSize size : {FontSize::Normal, FontSize::Tiny})
                if (auto placed = Allows(size) ? PlaceLegendLines(target, texts, {size, lineGap, fewestLines}, accept)
                                               : std::nullopt)
                    return placed;
        }
    return std::nullopt;
}

// The texts in one, two or three lines, each line filled up to an even share
// of the whole, the block tried at every free spot nearest first.
std::optional<std::vector<CLabelPlacer::Placement>>
CLabelPlacer::PlaceLegendLines(const FaceRect& target, const std::vector<std::string>& texts, LegendLines style,
                               const Accept& accept)
{
    const FontSize size = style.size;
    std::vector<int> widths;
    int total = 0;
    for (const std::string& text : texts) {
        widths.push_back(CBitmapFont::TextWidth(text, 1, size));
        total += widths.back() + kLabelGapAcross;
    }
    const int h = CBitmapFont::Height(size);
    for (int lines = style.fewestLines; lines <= std::max(3, style.fewestLines); ++lines) {
        // Offsets of each text within the block.
        std::vector<FaceRect> offsets;
        int x = 0;
        int y = 0;
        int blockWidth = 0;
        for (size_t i = 0; i < texts.size(); ++i) {
            if (x > 0 && x + widths[i] > total / lines) {
                x = 0;
                y += h + style.gap;
            }
            offsets.push_back({x, y, widths[i], h});
            blockWidth = std::max(blockWidth, x + widths[i]);
            x += widths[i] + kLabelGapAcross;
        }
        const int blockHeight = y + h;
        if (blockHeight > lines * (h + style.gap) + h)
            continue;
        const auto boxesAt = [&offsets](const FaceRect& block) {
            std::vector<FaceRect> boxes;
            for (const FaceRect& o : offsets)
                boxes.push_back({block.x + o.x, block.y + o.y, o.w, o.h});
            return boxes;
        };
        // Each entry free of the labels before; its lines, a table read
        // line by line, as far apart as asked.
        const auto block = NearestFreeSpot(target, blockWidth, blockHeight, [&](const FaceRect& b) {
            const auto boxes = boxesAt(b);
            return std::all_of(boxes.begin(), boxes.end(),
                               [&](const FaceRect& box) { return IsFree(box) && (!accept || accept(box)); });
        });
        if (!block)
            continue;
        const std::vector<FaceRect> boxes = boxesAt(*block);
        taken_.insert(taken_.end(), boxes.begin(), boxes.end());
        std::vector<Placement> placed;
        for (size_t i = 0; i < texts.size(); ++i)
            placed.push_back({boxes[i], texts[i], size});
        return placed;
    }
    return std::nullopt;
}

std::optional<CLabelPlacer::Placement> CLabelPlacer::PlaceText(FontSize size, const FaceRect& target,
                                                               const std::string& text,
                                                               const std::vector<LabelSide>& sides,
                                                               const Accept& accept)
{
    const FaceRect extent = LabelSize(text, size);
    const int w = extent.w;
    const int h = extent.h;
    // The centred spot first, then slid along the side.
    constexpr int kSlides[] = {0, -3, 3, -6, 6, -10, 10, -14, 14, -18, 18, -24, 24};
    for (const LabelSide side : sides)
        for (int gap = 1; gap <= 5; ++gap)
            for (const int slide : kSlides) {
                const FaceRect box = SpotBeside(target, side, gap, slide, w, h);
                if (IsFree(box) && (!accept || accept(box))) {
                    taken_.push_back(box);
                    return Placement{box, text, size};
                }
            }
    return std::nullopt;
}

} // namespace picgen
