#include "platform/graphics/Region.h"

#include <algorithm>
#include <utility>

namespace platform {

namespace {

using Span = std::pair<int, int>; // [first, second)

struct Band {
    int top;
    int bottom;
    std::vector<Span> spans;
};

// Spans of a banded rectangle list that cover the whole band [y0, y1).
std::vector<Span> SpansAt(const std::vector<IntRect>& rects, int y0, int y1)
{
    std::vector<Span> spans;
    for (const IntRect& r : rects) {
        if (r.top > y0)
            break; // sorted by top
        if (r.top <= y0 && r.bottom >= y1)
            spans.emplace_back(r.left, r.right);
    }
    return spans;
}

bool Keep(bool inA, bool inB, RegionOp op)
{
    switch (op) {
    case RegionOp::Copy:
        return inA;
    case RegionOp::Or:
        return inA || inB;
    case RegionOp::And:
        return inA && inB;
    case RegionOp::Xor:
        return inA != inB;
    case RegionOp::Diff:
        return inA && !inB;
    }
    return false;
}

bool Covers(const std::vector<Span>& spans, int x)
{
    for (const Span& s : spans)
        if (x >= s.first && x < s.second)
            return true;
    return false;
}

std::vector<Span> CombineSpans(const std::vector<Span>& a, const std::vector<Span>& b, RegionOp op)
{
    std::vector<int> xs;
    for (const Span& s : a) {
        xs.push_back(s.first);
        xs.push_back(s.second);
    }
    for (const Span& s : b) {
        xs.push_back(s.first);
        xs.push_back(s.second);
    }
    std::sort(xs.begin(), xs.end());
    xs.erase(std::unique(xs.begin(), xs.end()), xs.end());
    std::vector<Span> out;
    for (size_t i = 0; i + 1 < xs.size(); ++i) {
        if (!Keep(Covers(a, xs[i]), Covers(b, xs[i]), op))
            continue;
        if (!out.empty() && out.back().second == xs[i])
            out.back().second = xs[i + 1];
        else
            out.emplace_back(xs[i], xs[i + 1]);
    }
    return out;
}

} // namespace

Region::Region(const IntRect& rect)
{
    if (!rect.IsEmpty())
        rects_.push_back(rect);
}

Region Region::Combine(const Region& a, const Region& b, RegionOp op)
{
    if (op == RegionOp::Copy)
        return a;
    std::vector<int> ys;
    for (const IntRect& r : a.rects_) {
        ys.push_back(r.top);
        ys.push_back(r.bottom);
    }
    for (const IntRect& r : b.rects_) {
        ys.push_back(r.top);
        ys.push_back(r.bottom);
    }
    std::sort(ys.begin(), ys.end());
    ys.erase(std::unique(ys.begin(), ys.end()), ys.end());

    std::vector<Band> bands;
    for (size_t i = 0; i + 1 < ys.size(); ++i) {
        const int y0 = ys[i];
        const int y1 = ys[i + 1];
        std::vector<Span> spans = CombineSpans(SpansAt(a.rects_, y0, y1), SpansAt(b.rects_, y0, y1), op);
        if (spans.empty())
            continue;
        if (!bands.empty() && bands.back().bottom == y0 && bands.back().spans == spans)
            bands.back().bottom = y1;
        else
            bands.push_back({y0, y1, std::move(spans)});
    }

    Region result;
    for (const Band& band : bands)
        for (const Span& s : band.spans)
            result.rects_.push_back({s.first, band.top, s.second, band.bottom});
    return result;
}

void Region::Offset(int dx, int dy)
{
    for (IntRect& r : rects_)
        r = r.Offset(dx, dy);
}

bool Region::Contains(int x, int y) const
{
    return std::any_of(rects_.begin(), rects_.end(), [=](const IntRect& r) { return r.Contains(x, y); });
}

bool Region::IntersectsRect(const IntRect& rect) const
{
    return std::any_of(rects_.begin(), rects_.end(), [&](const IntRect& r) { return !r.Intersection(rect).IsEmpty(); });
}

// Band by band from the rectangle's top: each band must follow the last
// without a gap and hold one rectangle spanning it across.
bool Region::ContainsRect(const IntRect& rect) const
{
    if (rect.IsEmpty())
        return true;
    int covered = rect.top;
    bool spanned = false;
    for (size_t i = 0; i < rects_.size(); ++i) {
        const IntRect& r = rects_[i];
        if (r.bottom <= covered)
            continue;
        if (r.top > covered)
            return false;
        spanned = spanned || (r.left <= rect.left && r.right >= rect.right);
        if (i + 1 < rects_.size() && rects_[i + 1].top == r.top)
            continue; // the band goes on
        if (!spanned)
            return false;
        covered = r.bottom;
        spanned = false;
        if (covered >= rect.bottom)
            return true;
    }
    return false;
}

IntRect Region::Bounds() const
{
    if (rects_.empty())
        return {};
    IntRect b = rects_.front();
    for (const IntRect& r : rects_) {
        b.left = std::min(b.left, r.left);
        b.top = std::min(b.top, r.top);
        b.right = std::max(b.right, r.right);
        b.bottom = std::max(b.bottom, r.bottom);
    }
    return b;
}

} // namespace platform
