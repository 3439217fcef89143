#pragma once

// Internal helpers of the control classes. Not for use above platform/.

#include "platform/controls/Controls.h"
#include "platform/windows/Window.h"

#include "platform/windows/MessageQueue.h"
#include "platform/windows/WindowPaint.h"

#include <map>
#include <memory>
#include <optional>

namespace platform::detail {

// The state of every window of one control class, made on msg::Create and
// dropped on msg::Destroy.
template <typename State> class ControlStates {
public:
    State* Find(WindowHandle window)
    {
        const auto it = states_.find(window);
        return it == states_.end() ? nullptr : it->second.get();
    }
    State& Make(WindowHandle window)
    {
        auto& slot = states_[window];
        slot = std::make_unique<State>();
        return *slot;
    }
    void Drop(WindowHandle window) { states_.erase(window); }

private:
    std::map<WindowHandle, std::unique_ptr<State>> states_;
};

// msg::Command to the parent with the control's id and a notification code.
void NotifyParent(WindowHandle control, uint16_t code);
void Redraw(WindowHandle control);
Point ClientPointOf(LParam lParam);

LResult ButtonProc(WindowHandle window, uint32_t message, WParam wParam, LParam lParam);
LResult EditProc(WindowHandle window, uint32_t message, WParam wParam, LParam lParam);
LResult ComboBoxProc(WindowHandle window, uint32_t message, WParam wParam, LParam lParam);
LResult ComboListProc(WindowHandle window, uint32_t message, WParam wParam, LParam lParam);
LResult ScrollBarProc(WindowHandle window, uint32_t message, WParam wParam, LParam lParam);
LResult ProgressProc(WindowHandle window, uint32_t message, WParam wParam, LParam lParam);
LResult UpDownProc(WindowHandle window, uint32_t message, WParam wParam, LParam lParam);

} // namespace platform::detail

namespace platform::detail {

// The text messages every control answers from its window text: true when
// the message was one of them.
bool HandleTextMessage(WindowHandle window, uint32_t message, WParam wParam, LParam lParam, LResult& result);

// What every control does alike: its state's life (made on create, dropped
// with its timers on destroy), its text, and painting with its paint function.
// None for any other message.
template <typename State, typename PaintFunction>
std::optional<LResult> CommonControlMessage(ControlStates<State>& states, WindowHandle window, uint32_t message,
                                            WParam wParam, LParam lParam, PaintFunction paint)
{
    LResult result = 0;
    if (HandleTextMessage(window, message, wParam, lParam, result))
        return result;
    switch (message) {
    case msg::Create:
        states.Make(window);
        return 0;
    case msg::Destroy:
        KillWindowTimers(window);
        states.Drop(window);
        return 0;
    case msg::Paint:
        if (State* s = states.Find(window))
            paint(window, *s);
        else
            ValidateRect(window, nullptr);
        return 0;
    case msg::EraseBackground:
        return 1;
    default:
        return std::nullopt;
    }
}

} // namespace platform::detail
