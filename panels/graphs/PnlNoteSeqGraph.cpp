#include "panels/graphs/PnlNoteSeqGraph.h"

#include "framework/drawing/Canvas.h"
#include "framework/images/Bitmap.h"
#include "framework/input/Event.h"
#include "framework/input/Keyboard.h"
#include "framework/input/MouseState.h"
#include "framework/windows/ABCWindow.h"
#include "panels/graphs/GraphColors.h"
#include "panels/graphs/GraphMath.h"
#include "panels/graphs/SeqScrollBar.h"
#include "panels/items/CustomDataStream.h"
#include "panels/panel/CustomContainerInterface.h"
#include "platform/system/Clock.h"

#include <algorithm>

using NSHarrowen::CRect;

namespace {
constexpr int kGraphWidth = 193;
constexpr int kBarWidth = 11;
constexpr NSHarrowen::CColor kStripBackground(0xDC00, 0xDC00, 0xDC00);
constexpr NSHarrowen::CColor kBlack(0, 0, 0);

bool ControlDown()
{
    return NSHarrowen::GetModifierKeys().IsControlOrCommandDown();
}
} // namespace

CPnlNoteSeqGraph::CPnlNoteSeqGraph(NSHarrowen::CGroupView* parent, int16_t x, int16_t y)
    : CPnlGraphABC(parent, x, y, 16)
{
    SetItemSize(204, 72);
    scrollBar_ = std::make_unique<CSeqScrollBar>(this, *this);
    LayoutChildren();
    UpdateThumb();
}

CPnlNoteSeqGraph::~CPnlNoteSeqGraph() = default;

uint8_t CPnlNoteSeqGraph::Span(uint8_t zoom)
{
    return static_cast<uint8_t>(128 - 70 / zoom);
}

uint8_t CPnlNoteSeqGraph::GetThumb() const
{
    return scrollBar_->GetThumb();
}

void CPnlNoteSeqGraph::UpdateThumb()
{
    const int thumb = scroll_ * CSeqScrollBar::kThumbRange / Span(zoom_);
    scrollBar_->SetThumbPosition(static_cast<uint8_t>(std::clamp(thumb, 0, int{CSeqScrollBar::kThumbRange})));
}

void CPnlNoteSeqGraph::LayoutChildren()
{
    if (!scrollBar_) {
        return;
    }
    CRect bar = GetFrame();
    bar.SetWidth(kBarWidth);
    bar.ShiftRight(kGraphWidth);
    scrollBar_->SetFrame(bar);
}

bool CPnlNoteSeqGraph::IsOnScrollBar(int16_t x, int16_t y) const
{
    return scrollBar_->GetFrame().Contains(x, y);
}

void CPnlNoteSeqGraph::GetVisibleRange(uint8_t& low, uint8_t& high) const
{
    low = static_cast<uint8_t>(std::clamp(scroll_ + 1, 0, 127));
    high = static_cast<uint8_t>(std::clamp(scroll_ + 1 + 70 / zoom_, 0, 127));
}

void CPnlNoteSeqGraph::SendViewState()
{
    CCustomContainerInterface* container = GetCustomContainer();
    if (container == nullptr) {
        return;
    }
    // The flag must not outlive the send, whatever the edit throws.
    struct Sending {
        bool& flag;
        explicit Sending(bool& f) : flag(f) { flag = true; }
        ~Sending() { flag = false; }
    } sending(sending_);
    container->SendCustomData(*this);
}

void CPnlNoteSeqGraph::ScrollBy(int delta)
{
    const auto s = static_cast<uint8_t>(std::clamp(scroll_ + delta, 0, int{Span(zoom_)}));
    if (s != scroll_) {
        scroll_ = s;
        SendViewState();
    }
    UpdateThumb();
}

void CPnlNoteSeqGraph::Zoom(int delta)
{
    const auto z = static_cast<uint8_t>(std::clamp(zoom_ + delta, 1, 6));
    if (z == zoom_) {
        return;
    }
    const float oldSpan = 70.0f / static_cast<float>(zoom_);
    zoom_ = z;
    // Keeps the middle of the view in place; the new zoom is recorded even
    // when the scroll stays.
    const int notes = RoundToInt((oldSpan - 70.0f / static_cast<float>(z)) * 0.5f);
    scroll_ = static_cast<uint8_t>(std::clamp(scroll_ + notes, 0, int{Span(zoom_)}));
    SendViewState();
    UpdateThumb();
    InvalidateFrame(true);
}

void CPnlNoteSeqGraph::SetThumb(uint8_t position)
{
    const uint8_t span = Span(zoom_);
    const int s = std::min(static_cast<int>(position * span * 0.024390243902439025 + 0.99), int{span});
    if (s != scroll_) {
        scroll_ = static_cast<uint8_t>(s);
        UpdateThumb();
        InvalidateFrame(true);
    }
}

bool CPnlNoteSeqGraph::WriteChangedData(CCustomDataStream& stream)
{
    // The current view when another item sends, so that the items after
    // this one keep their place in the data.
    stream.WriteByte(zoom_);
    stream.WriteByte(scroll_);
    if (!sending_) {
        return false;
    }
    UpdateThumb();
    thumbChanged_ = true;
    return true;
}

// The view as the patch has it: while the thumb is dragged, and as the
// undo of a change, until the change comes back through ReadData.
void CPnlNoteSeqGraph::WriteData(CCustomDataStream& stream)
{
    stream.WriteByte(recordedZoom_);
    stream.WriteByte(recordedScroll_);
}

void CPnlNoteSeqGraph::ReadData(CCustomDataStream& stream)
{
    const uint8_t zoom = stream.ReadByte();
    const uint8_t scroll = stream.ReadByte();
    // The view divides by the zoom: bring what arrives into range.
    zoom_ = std::clamp<uint8_t>(zoom, 1, 6);
    scroll_ = std::min(scroll, Span(zoom_));
    recordedZoom_ = zoom_;
    recordedScroll_ = scroll_;
    UpdateThumb();
    thumbChanged_ = true;
}

void CPnlNoteSeqGraph::ReadValues()
{
    for (uint8_t i = 0; i < notes_.size(); ++i) {
        notes_[i] = Value(i);
    }
}

void CPnlNoteSeqGraph::UpdateDisplay()
{
    CPnlGraphABC::UpdateDisplay();
    if (thumbChanged_) {
        InvalidateFrame(true);
        thumbChanged_ = false;
    }
}

void CPnlNoteSeqGraph::GetCursor()
{
    NSHarrowen::SetCursorFromResource(ControlDown() ? kZoomOutCursor : kZoomInCursor);
}

bool CPnlNoteSeqGraph::Press(int16_t x, int16_t y)
{
    if (IsOnScrollBar(x, y)) {
        const NSHarrowen::CEvent event(NSHarrowen::kEventMouseDown, NSHarrowen::CPoint(x, y),
                                       NSHarrowen::GetModifierKeys(),
                                       static_cast<uint32_t>(platform::NowMilliseconds()));
        scrollBar_->MouseDown(event);
    } else {
        Zoom(ControlDown() ? -1 : 1);
    }
    return true;
}

bool CPnlNoteSeqGraph::OnMouseDown(int16_t x, int16_t y)
{
    return Press(x, y);
}

// The second press of a double click acts as one more press.
bool CPnlNoteSeqGraph::OnDoubleClick(int16_t x, int16_t y)
{
    return Press(x, y);
}

void CPnlNoteSeqGraph::Draw()
{
    NSHarrowen::CABCWindow* window = GetWindow();
    if (window == nullptr || GetFrame().IsEmpty()) {
        return;
    }
    CRect frame = GetFrame();
    frame.SetWidth(frame.Width() - kBarWidth);
    FramePainter().Draw(frame);
    frame.Deflate(1);
    NSHarrowen::CBitmap32& surface = Surface();
    surface.FillRect(CRect(0, 0, frame.Width(), frame.Height()), kStripBackground);
    DrawGraph(0, 0);
    NSHarrowen::CCanvas canvas(window);
    canvas.DrawBitmapPart(frame.left, frame.top, surface, 0, 0, frame.Width(), frame.Height());
    scrollBar_->Draw();
}

void CPnlNoteSeqGraph::DrawGraph(float, float)
{
    const int zoom = zoom_;
    const int scroll = scroll_;
    for (int k = 0; k <= 11; ++k) {
        const int y = 71 - (12 * k - scroll + 4) * zoom;
        if (y >= 0 && y < 70) {
            MoveTo(0, static_cast<int16_t>(y));
            LineToGrid(192, static_cast<int16_t>(y));
        }
    }
    for (int s = 1; s <= 15; ++s) {
        MoveTo(static_cast<int16_t>(12 * s - 1), 1);
        LineToGrid(static_cast<int16_t>(12 * s - 1), 69);
    }
    for (int i = 0; i < static_cast<int>(notes_.size()); ++i) {
        const int d = notes_[i] - scroll;
        const auto left = static_cast<int16_t>(12 * i);
        const int top = 72 - d * zoom;
        const int bottom = 72 - (d - 1) * zoom;
        if (bottom < 0) {
            // Above the view.
            MoveTo(left, 5);
            LineToGrid(static_cast<int16_t>(left + 5), 0);
            LineToGrid(static_cast<int16_t>(left + 10), 5);
            LineToGrid(left, 5);
        } else if (top > 69) {
            // Below the view.
            MoveTo(left, 64);
            LineToGrid(static_cast<int16_t>(left + 5), 69);
            LineToGrid(static_cast<int16_t>(left + 10), 64);
            LineToGrid(left, 64);
        } else {
            Surface().FillRect(CRect(left, top, left + 11, bottom), kBlack);
        }
    }
}
