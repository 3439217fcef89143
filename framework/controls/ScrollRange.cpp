#include "framework/controls/ScrollRange.h"

#include <algorithm>
#include <limits>

namespace NSHarrowen {

int32_t CScrollRange::Clamp(int64_t v)
{
    return static_cast<int32_t>(
        std::clamp<int64_t>(v, std::numeric_limits<int32_t>::min(), std::numeric_limits<int32_t>::max()));
}

int32_t CScrollRange::GetStep() const
{
    return step_ == kNoStep ? GetPage() / 10 : step_;
}

void CScrollRange::MoveTo(int32_t first)
{
    const int32_t page = GetPage();
    first_ = first;
    last_ = Clamp(static_cast<int64_t>(first) + page);
}

void CScrollRange::ScrollTo(int32_t target)
{
    const int64_t page = GetPage();
    int64_t first = target;
    if (first < minimum_)
        first = minimum_;
    else if (first + page > maximum_)
        first = std::max<int64_t>(maximum_ - page, first_);
    first_ = Clamp(first);
    last_ = Clamp(first + page);
}

std::optional<CScrollRequest> ScrollRequestFromCode(uint16_t code, int16_t track)
{
    switch (code) {
    case 0:
        return CScrollRequest{kScrollLineBack, 666};
    case 1:
        return CScrollRequest{kScrollLineForward, 666};
    case 2:
        return CScrollRequest{kScrollPageBack, 666};
    case 3:
        return CScrollRequest{kScrollPageForward, 666};
    case 4:
    case 5:
        return CScrollRequest{kScrollAbsolute, std::clamp<int16_t>(track, 0, kScrollBarMaximum)};
    case 6:
        return CScrollRequest{kScrollAbsolute, 0};
    case 7:
        return CScrollRequest{kScrollAbsolute, kScrollBarMaximum};
    default:
        return std::nullopt;
    }
}

std::optional<CScrollRequest> ScrollRequestFromKey(const CKeyEvent& event)
{
    if (event.kind != kEventKeyDown && event.kind != kEventKeyRepeat)
        return std::nullopt;
    switch (event.code) {
    case kKeyHome:
        return CScrollRequest{kScrollAbsolute, 0};
    case kKeyEnd:
        return CScrollRequest{kScrollAbsolute, kScrollBarMaximum};
    case kKeyPageUp:
        return CScrollRequest{kScrollPageBack, 666};
    case kKeyPageDown:
        return CScrollRequest{kScrollPageForward, 666};
    default:
        return std::nullopt;
    }
}

std::optional<CScrollRange> ApplyScrollCode(const CScrollRange& range, uint16_t code, int32_t track)
{
    CScrollRange r = range;
    switch (code) {
    case 0:
        r.LineBack();
        break;
    case 1:
        r.LineForward();
        break;
    case 2:
        r.PageBack();
        break;
    case 3:
        r.PageForward();
        break;
    case 4:
        break;
    case 5:
        r.MoveTo(track);
        break;
    case 6:
        r.ToStart();
        break;
    case 7:
        r.ToEnd();
        break;
    default:
        return std::nullopt;
    }
    return r;
}

bool ComputeScroll(const CScrollRequest& request, int32_t current, int32_t lineStep, int32_t pageStep, int32_t count,
                   int32_t& newIndex, int16_t& newPosition)
{
    // One item or none has nowhere to scroll to (and count - 1 would be a
    // divisor of 0 or an index of -1).
    if (count <= 1)
        return false;
    int64_t index = current;
    switch (request.kind) {
    case kScrollAbsolute:
        index = static_cast<int64_t>(request.position) * (count - 1) / kScrollBarMaximum;
        break;
    case kScrollLineBack:
        index -= lineStep;
        break;
    case kScrollLineForward:
        index += lineStep;
        break;
    case kScrollPageBack:
        index -= pageStep;
        break;
    case kScrollPageForward:
        index += pageStep;
        break;
    default:
        return false;
    }
    index = std::clamp<int64_t>(index, 0, count - 1);
    if (index == current)
        return false;
    newIndex = static_cast<int32_t>(index);
    newPosition = static_cast<int16_t>(index * kScrollBarMaximum / (count - 1));
    return true;
}

} // namespace NSHarrowen
