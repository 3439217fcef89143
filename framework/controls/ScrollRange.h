#pragma once

#include "framework/input/Keyboard.h"

#include <cstdint>
#include <optional>

namespace NSHarrowen {

// A scrollable span with its visible part: minimum, maximum, first and last
// visible, and the line step. The step kNoStep means a tenth of the visible
// span (rounded toward zero).
class CScrollRange {
public:
    static constexpr int32_t kNoStep = -50;

    CScrollRange() = default;
    // The whole of minimum..maximum visible.
    CScrollRange(int32_t minimum, int32_t maximum)
        : minimum_(minimum), maximum_(maximum), first_(minimum), last_(maximum)
    { }

    int32_t GetMinimum() const { return minimum_; }
    int32_t GetMaximum() const { return maximum_; }
    int32_t GetFirst() const { return first_; }
    int32_t GetLast() const { return last_; }
    void SetVisible(int32_t first, int32_t last)
    {
        first_ = first;
        last_ = last;
    }
    void SetStep(int32_t step) { step_ = step; }
    int32_t GetStep() const;
    int32_t GetPage() const { return Clamp(static_cast<int64_t>(last_) - first_); }
    bool IsAllVisible() const { return first_ <= minimum_ && last_ >= maximum_; }

    // First becomes the value and last the value plus the page, unclamped.
    void MoveTo(int32_t first);
    // The same, kept inside minimum..maximum (never moving back from a
    // first that already lies past maximum - page).
    void ScrollTo(int32_t first);
    void LineBack() { ScrollTo(Clamp(static_cast<int64_t>(first_) - GetStep())); }
    void LineForward() { ScrollTo(Clamp(static_cast<int64_t>(first_) + GetStep())); }
    void PageBack() { ScrollTo(Clamp(static_cast<int64_t>(first_) - GetPage())); }
    void PageForward() { ScrollTo(Clamp(static_cast<int64_t>(first_) + GetPage())); }
    // Home and End: the span kept, at the start or the end.
    void ToStart() { ScrollTo(minimum_); }
    void ToEnd() { ScrollTo(Clamp(static_cast<int64_t>(maximum_) - GetPage())); }

    bool operator==(const CScrollRange&) const = default;

private:
    static int32_t Clamp(int64_t v);

    int32_t minimum_ = 0;
    int32_t maximum_ = 0;
    int32_t first_ = 0;
    int32_t last_ = 0;
    int32_t step_ = kNoStep;
};

enum EScrollRequestKind : int32_t {
    kScrollAbsolute = 0,
    kScrollLineBack = 1,
    kScrollLineForward = 2,
    kScrollPageBack = 3,
    kScrollPageForward = 4,
};

// A request of a 0..999 scroll bar: a kind and, for an absolute request, the
// position (666 = none).
struct CScrollRequest {
    int32_t kind = kScrollAbsolute;
    int16_t position = 666;

    bool operator==(const CScrollRequest&) const = default;
};

inline constexpr int16_t kScrollBarMaximum = 999;

// The native scroll codes 0 to 7 (line up, line down, page up, page down,
// thumb position, thumb track, top, bottom) as a request; track is the
// thumb's position. None for other codes.
std::optional<CScrollRequest> ScrollRequestFromCode(uint16_t code, int16_t track);

// Home, End, Page Up and Page Down (key down or repeat) as a request.
std::optional<CScrollRequest> ScrollRequestFromKey(const CKeyEvent& event);

// The same codes applied to a range: lines, pages, the track position (5),
// the start (6) and the end (7), keeping the span. Code 4 changes nothing.
std::optional<CScrollRange> ApplyScrollCode(const CScrollRange& range, uint16_t code, int32_t track);

// Turns a request into an index among count items. False when the index
// does not change (always for a count of 1 or less); otherwise newIndex and
// the bar's newPosition (0..999).
bool ComputeScroll(const CScrollRequest& request, int32_t current, int32_t lineStep, int32_t pageStep, int32_t count,
                   int32_t& newIndex, int16_t& newPosition);

} // namespace NSHarrowen
