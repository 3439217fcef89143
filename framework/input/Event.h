#pragma once

#include "framework/input/Keyboard.h"
#include "framework/base/Point.h"

#include <cstdint>

namespace NSHarrowen {

enum EMouseEventKind : uint32_t {
    kEventMouseDown = 44,
    kEventDoubleClick = 45,
};

// A press or a double click of the left mouse button, as views receive it in
// MouseDown. A release or a movement makes no event.
class CEvent {
public:
    CEvent() = default;
    CEvent(uint32_t kind, CPoint where, const CModifierKeys& modifiers, uint32_t time)
        : kind_(kind), where_(where), modifiers_(modifiers), time_(time)
    { }

    uint32_t GetKind() const { return kind_; }
    int16_t GetX() const { return where_.x; }
    int16_t GetY() const { return where_.y; }
    CPoint GetPoint() const { return where_; }
    bool IsMouseDown() const { return kind_ == kEventMouseDown; }
    bool IsDoubleClick() const { return kind_ == kEventDoubleClick; }
    const CModifierKeys& GetModifiers() const { return modifiers_; }
    uint32_t GetTime() const { return time_; }

private:
    uint32_t kind_ = kEventMouseDown;
    CPoint where_;
    CModifierKeys modifiers_;
    uint32_t time_ = 0;
};

} // namespace NSHarrowen
