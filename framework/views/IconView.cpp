#include "framework/views/IconView.h"

#include "framework/windows/ABCWindow.h"
#include "framework/drawing/Canvas.h"

#include <cmath>

namespace NSHarrowen {

namespace {

constexpr int kSize = 32;

// A filled shape row by row: `halfWidth` gives the half width of row y
// (0 to 31) around the centre line, negative for none.
template <typename F> void FillShape(CCanvas& canvas, CPoint at, const CColor& color, F halfWidth)
{
    for (int y = 0; y < kSize; ++y) {
        const int half = halfWidth(y);
        if (half >= 0)
            canvas.FillRect(CRect(at.x + 16 - half, at.y + y, at.x + 16 + half, at.y + y + 1), color);
    }
}

int CircleHalf(int y, int radius)
{
    const double dy = y + 0.5 - 16.0;
    return std::abs(dy) > radius ? -1 : static_cast<int>(std::sqrt(radius * radius - dy * dy) + 0.5);
}

} // namespace

CIconView::CIconView(CGroupView* parent, const CRect& frame, int32_t kind) : CView(parent, frame), kind_(kind)
{
    SetOpaqueMode(kOpaqueNothing);
}

void CIconView::Draw()
{
    CABCWindow* window = GetWindow();
    if (!window || kind_ < kIconStop || kind_ > kIconCaution)
        return;
    CCanvas canvas(window);
    const CPoint at = GetFrame().TopLeft();
    auto bar = [&](int l, int t, int r, int b, const CColor& c) {
        canvas.FillRect(CRect(at.x + l, at.y + t, at.x + r, at.y + b), c);
    };
    switch (kind_) {
    case kIconStop:
        FillShape(canvas, at, kRed, [](int y) { return CircleHalf(y, 15); });
        for (int i = 0; i < 12; ++i) { // a white cross
            bar(10 + i, 10 + i, 12 + i, 11 + i, kWhite);
            bar(20 - i, 10 + i, 22 - i, 11 + i, kWhite);
        }
        break;
    case kIconNote:
        FillShape(canvas, at, kWhite, [](int y) { return CircleHalf(y, 15); });
        bar(14, 7, 18, 11, CColor(0, 0, 0xFFFF));
        bar(14, 13, 18, 25, CColor(0, 0, 0xFFFF));
        break;
    case kIconCaution:
        FillShape(canvas, at, CColor(0xFFFF, 0xFFFF, 0), [](int y) { return y < 2 ? -1 : (y - 2) / 2 + 1; });
        bar(15, 9, 17, 22, kBlack);
        bar(15, 24, 17, 27, kBlack);
        break;
    default:
        break;
    }
}

} // namespace NSHarrowen
