#include "panels/painters/RadioButtonGUI.h"

#include "framework/drawing/Canvas.h"
#include "framework/drawing/FontSpec.h"
#include "framework/views/View.h"
#include "framework/windows/ABCWindow.h"
#include "panels/painters/PictureKeys.h"

#include <algorithm>
#include <sstream>

using NSHarrowen::CRect;

CABCRadioButtonGUI::CABCRadioButtonGUI(const NSHarrowen::CView& owner, uint8_t count, int16_t segmentWidth,
                                       bool vertical)
    : owner_(owner), count_(std::max<uint8_t>(count, 1)), segmentWidth_(segmentWidth), vertical_(vertical)
{ }

int16_t CABCRadioButtonGUI::GetWidth() const
{
    return static_cast<int16_t>(vertical_ ? segmentWidth_ + 1 : count_ * segmentWidth_ + 1);
}

int16_t CABCRadioButtonGUI::GetHeight() const
{
    return static_cast<int16_t>(vertical_ ? count_ * kRowHeight + 1 : 15);
}

CRect CABCRadioButtonGUI::SegmentRect(const CRect& frame, uint8_t segment) const
{
    if (!vertical_) {
        const int left = segment == 0 ? frame.left : frame.left + 1 + segment * segmentWidth_;
        const int width = segment == 0 ? segmentWidth_ + 1 : segmentWidth_;
        return CRect(left, frame.top, left + width, frame.top + 15);
    }
    const int bottom = frame.bottom - segment * kRowHeight;
    const int height = segment + 1 == count_ ? kRowHeight + 1 : kRowHeight;
    return CRect(frame.left, bottom - height, frame.right, bottom);
}

void CABCRadioButtonGUI::Draw(const CRect& frame) const
{
    NSHarrowen::CABCWindow* window = owner_.GetWindow();
    if (window == nullptr || frame.Width() <= 0 || frame.Height() <= 0) {
        return;
    }
    NSHarrowen::CCanvas canvas(window);
    const uint8_t low = std::min(rangeFrom, rangeTo);
    const uint8_t high = std::max(rangeFrom, rangeTo);
    for (uint8_t i = 0; i < count_; ++i) {
        const CRect segment = SegmentRect(frame, i);
        const bool pressed = i == selected;
        const ButtonLook look{group, !(low <= i && i <= high), pressed, highlight};
        // Horizontal rows draw their first segment whole, vertical ones their top.
        const bool fullFace = vertical_ ? i + 1 == count_ : i == 0;
        if (fullFace) {
            ButtonFace::DrawSmall(canvas, segment, look);
        } else if (vertical_) {
            ButtonFace::DrawFollowingVertical(canvas, segment, look);
        } else {
            ButtonFace::DrawFollowingHorizontal(canvas, segment, look);
        }
        DrawSegmentContent(canvas, segment, i, pressed, fullFace);
    }
}

CTextRadioButtonGUI::CTextRadioButtonGUI(const NSHarrowen::CView& owner, uint8_t count, int16_t segmentWidth,
                                         bool vertical, const std::string& labels)
    : CABCRadioButtonGUI(owner, count, segmentWidth, vertical)
{
    std::stringstream stream(labels);
    std::string label;
    while (std::getline(stream, label, ',')) {
        labels_.push_back(label);
    }
}

void CTextRadioButtonGUI::DrawSegmentContent(NSHarrowen::CABCCanvas& canvas, const CRect& segment, uint8_t index,
                                             bool pressed, bool fullFace) const
{
    if (index >= labels_.size() || labels_[index].empty()) {
        return;
    }
    CRect box = segment;
    box.Offset(pressed ? 0 : -1, (fullFace ? 1 : 0) + (pressed ? 1 : 0));
    canvas.DrawStringCentered(box, labels_[index].c_str(), NSHarrowen::CFontSpec("Arial", 12), NSHarrowen::kBlack);
}

CBmpRadioButtonGUI::CBmpRadioButtonGUI(const NSHarrowen::CView& owner, uint8_t count, int16_t segmentWidth,
                                       bool vertical, uint16_t picture)
    : CABCRadioButtonGUI(owner, count, segmentWidth, vertical), picture_(SymbolPicture(picture))
{ }

void CBmpRadioButtonGUI::DrawSegmentContent(NSHarrowen::CABCCanvas& canvas, const CRect& segment, uint8_t index,
                                            bool pressed, bool) const
{
    const NSHarrowen::CPoint size = NSHarrowen::GetImageSize(picture_);
    const int x = segment.left + (segment.Width() - 4 - size.x) / 2 + (pressed ? 1 : 0);
    const int y = segment.top + 3 + (pressed ? 1 : 0);
    canvas.DrawImagePart(x, y, picture_, 0, index * kSymbolHeight, size.x, kSymbolHeight);
}
