#include "tools/picgen/LabelPlacer.h"

#include "tools/picgen/BitmapFont.h"

#include <algorithm>
#include <cstdlib>
#include <memory>
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
constexpr int kStackedGap = 3;
constexpr int kCloseStackedGap = kLineGap + 1;

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

// The pixels some boxes cover, summed over the face and a margin around it,
// so that whether an area meets any of the boxes is told at once: a search
// over every spot of a face asks that of each.
class CCoverage {
public:
    CCoverage(int width, int height, const std::vector<FaceRect>& boxes)
        : width_(width + 2 * kMargin + 1), sums_(static_cast<size_t>(width_ * (height + 2 * kMargin + 1)), 0)
    {
        const int rows = height + 2 * kMargin;
        std::vector<int> covered(static_cast<size_t>((width_ - 1) * rows), 0);
        for (const FaceRect& b : boxes)
            for (int y = std::max(0, b.y + kMargin); y < std::min(rows, b.Bottom() + kMargin); ++y)
                for (int x = std::max(0, b.x + kMargin); x < std::min(width_ - 1, b.Right() + kMargin); ++x)
                    covered[static_cast<size_t>(y * (width_ - 1) + x)] = 1;
        for (int y = 0; y < rows; ++y)
            for (int x = 0; x < width_ - 1; ++x)
                Sum(x + 1, y + 1) =
                    covered[static_cast<size_t>(y * (width_ - 1) + x)] + Sum(x, y + 1) + Sum(x + 1, y) - Sum(x, y);
    }

    // For an area within the margin around the face.
    bool Meets(const FaceRect& area) const
    {
        const int x0 = area.x + kMargin;
        const int y0 = area.y + kMargin;
        const int x1 = area.Right() + kMargin;
        const int y1 = area.Bottom() + kMargin;
        return Sum(x1, y1) - Sum(x0, y1) - Sum(x1, y0) + Sum(x0, y0) > 0;
    }

private:
    static constexpr int kMargin = kLabelGapAcross + 2;

    int& Sum(int x, int y) { return sums_[static_cast<size_t>(y * width_ + x)]; }
    int Sum(int x, int y) const { return sums_[static_cast<size_t>(y * width_ + x)]; }

    int width_;
    std::vector<int> sums_;
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
    constexpr int kLineApart = 2;
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
    : width_(width), height_(height), stackedGap_(StackedGap(stackGap)), obstacles_(std::move(obstacles)),
      items_(std::make_shared<const CCoverage>(width, height, obstacles_))
{ }

bool CLabelPlacer::IsFree(const FaceRect& box) const
{
    if (box.x < 0 || box.y < 0 || box.Right() > width_ || box.Bottom() > height_)
        return false;
    const FaceRect padded = Padded(box);
    const FaceRect spaced = Spaced(box);
    const FaceRect stackSpaced = StackSpaced(box, stackedGap_);
    return std::none_of(obstacles_.begin(), obstacles_.end(),
                        [&padded](const FaceRect& r) { return padded.Intersects(r); }) &&
        std::none_of(taken_.begin(), taken_.end(),
                     [&](const FaceRect& r) { return spaced.Intersects(r) || stackSpaced.Intersects(r); }) &&
        std::none_of(apart_.begin(), apart_.end(), [&box](const FaceRect& r) { return StackedOn(box, r); });
}

std::optional<CLabelPlacer::Placement> CLabelPlacer::Place(const FaceRect& target,
                                                           const std::vector<std::string>& texts,
                                                           const std::vector<LabelSide>& sides, Need need,
                                                           const Accept& accept)
{
    if (texts.empty())
        return std::nullopt;
    std::vector<FontSize> sizes{FontSize::Normal};
    if (need != Need::Optional)
        sizes.push_back(FontSize::Tiny);
    for (const std::string& text : texts)
        for (const FontSize size : sizes)
            if (auto placed = PlaceAs(target, text, size, sides, Need::Beside, accept))
                return placed;
    if (need != Need::Required)
        return std::nullopt;
    return PlaceNearby(target, texts.back(), FontSize::Tiny, accept);
}

std::optional<CLabelPlacer::Placement> CLabelPlacer::PlaceAs(const FaceRect& target, const std::string& text,
                                                             FontSize size, const std::vector<LabelSide>& sides,
                                                             Need need, const Accept& accept)
{
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

std::vector<FaceRect> CLabelPlacer::SpotsNearestFirst(const FaceRect& target, int w, int h) const
{
    const int cx = target.x + target.w / 2 - w / 2;
    const int cy = target.y + target.h / 2 - h / 2;
    // As IsFree tells, for every spot at once.
    // Labels are only ever added once a search has left them in place, so
    // the coverage of as many labels as now stays good until the next.
    if (!labelsCovered_ || labelsCoveredCount_ != taken_.size()) {
        labelsCovered_ = std::make_shared<const CCoverage>(width_, height_, taken_);
        labelsCoveredCount_ = taken_.size();
    }
    const CCoverage& labels = *labelsCovered_;
    const auto isFree = [&](const FaceRect& box) {
        return !items_->Meets(Padded(box)) && !labels.Meets(Spaced(box)) &&
            !labels.Meets(StackSpaced(box, stackedGap_)) &&
            std::none_of(apart_.begin(), apart_.end(), [&box](const FaceRect& r) { return StackedOn(box, r); });
    };
    std::vector<std::pair<int, FaceRect>> spots;
    for (int y = 0; y + h <= height_; ++y)
        for (int x = 0; x + w <= width_; ++x)
            if (const FaceRect box{x, y, w, h}; isFree(box))
                spots.emplace_back((x - cx) * (x - cx) + (y - cy) * (y - cy), box);
    std::stable_sort(spots.begin(), spots.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
    std::vector<FaceRect> boxes;
    for (const auto& spot : spots)
        boxes.push_back(spot.second);
    return boxes;
}

// Last, the free spot on the face nearest to the target.
std::optional<CLabelPlacer::Placement> CLabelPlacer::PlaceNearby(const FaceRect& target, const std::string& text,
                                                                 FontSize size, const Accept& accept)
{
    const FaceRect extent = LabelSize(text, size);
    for (const FaceRect& box : SpotsNearestFirst(target, extent.w, extent.h))
        if (!accept || accept(box)) {
            taken_.push_back(box);
            return Placement{box, text, size};
        }
    return std::nullopt;
}

std::optional<std::vector<CLabelPlacer::Placement>>
CLabelPlacer::PlaceLegend(const FaceRect& target, const std::vector<std::vector<std::string>>& entries)
{
    size_t longest = 0;
    for (const auto& forms : entries)
        longest = std::max(longest, forms.size());
    // Every entry in its first form, then each a form shorter while it has one.
    for (size_t k = 0; k < longest; ++k) {
        std::vector<std::string> texts;
        for (const auto& forms : entries)
            texts.push_back(forms.empty() ? std::string() : forms[std::min(k, forms.size() - 1)]);
        for (const FontSize size : {FontSize::Normal, FontSize::Tiny})
            if (auto placed = PlaceLegendLines(target, texts, size))
                return placed;
    }
    return std::nullopt;
}

// The texts in one, two or three lines, each line filled up to an even share
// of the whole, the block tried at every free spot nearest first.
std::optional<std::vector<CLabelPlacer::Placement>>
CLabelPlacer::PlaceLegendLines(const FaceRect& target, const std::vector<std::string>& texts, FontSize size)
{
    std::vector<int> widths;
    int total = 0;
    for (const std::string& text : texts) {
        widths.push_back(CBitmapFont::TextWidth(text, 1, size));
        total += widths.back() + kLabelGapAcross;
    }
    const int h = CBitmapFont::Height(size);
    for (int lines = 1; lines <= 3; ++lines) {
        // Offsets of each text within the block.
        std::vector<FaceRect> offsets;
        int x = 0;
        int y = 0;
        int blockWidth = 0;
        for (size_t i = 0; i < texts.size(); ++i) {
            if (x > 0 && x + widths[i] > total / lines) {
                x = 0;
                y += h + kLabelGapDown;
            }
            offsets.push_back({x, y, widths[i], h});
            blockWidth = std::max(blockWidth, x + widths[i]);
            x += widths[i] + kLabelGapAcross;
        }
        const int blockHeight = y + h;
        if (blockHeight > lines * (h + kLabelGapDown) + h)
            continue;
        for (const FaceRect& block : SpotsNearestFirst(target, blockWidth, blockHeight)) {
            std::vector<FaceRect> boxes;
            for (const FaceRect& o : offsets)
                boxes.push_back({block.x + o.x, block.y + o.y, o.w, o.h});
            // Each entry free of the labels before; its lines, a table read
            // line by line, as close as a label's own.
            if (std::all_of(boxes.begin(), boxes.end(), [this](const FaceRect& box) { return IsFree(box); })) {
                taken_.insert(taken_.end(), boxes.begin(), boxes.end());
                std::vector<Placement> placed;
                for (size_t i = 0; i < texts.size(); ++i)
                    placed.push_back({boxes[i], texts[i], size});
                return placed;
            }
        }
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
    const int cx = target.x + target.w / 2 - w / 2;
    const int cy = target.y + target.h / 2 - h / 2;
    for (const LabelSide side : sides) {
        std::vector<std::pair<int, int>> spots;
        // The centred spot first, then slid along the side.
        for (int gap = 1; gap <= 5; ++gap)
            for (int slide : {0, -3, 3, -6, 6, -10, 10, -14, 14, -18, 18, -24, 24}) {
                switch (side) {
                case LabelSide::Above:
                    spots.emplace_back(cx + slide, target.y - gap - h);
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
            const FaceRect box{x, y, w, h};
            if (IsFree(box) && (!accept || accept(box))) {
                taken_.push_back(box);
                return Placement{box, text, size};
            }
        }
    }
    return std::nullopt;
}

} // namespace picgen
