#include "tests/support/TimerOperator.h"

#include "platform/windows/MessageQueue.h"
#include "platform/windows/Window.h"

namespace testsupport {

namespace {

TimerOperator* gOperator = nullptr;
std::function<void()>* gAct = nullptr;
constexpr const char* kOperatorClass = "TestTimerOperator";

platform::LResult OperatorProc(platform::WindowHandle w, uint32_t message, platform::WParam wParam,
                               platform::LParam lParam)
{
    if (message == platform::msg::Timer && gAct) {
        (*gAct)();
        return 0;
    }
    return platform::DefWindowProc(w, message, wParam, lParam);
}

} // namespace

TimerOperator::TimerOperator(std::function<void()> act, uint32_t intervalMs) : act_(std::move(act))
{
    platform::RegisterWindowClass({kOperatorClass, 0, OperatorProc, platform::ClassBackground::None});
    platform::CreateParams params;
    params.className = kOperatorClass;
    params.rect = platform::Rect::FromSize(0, 0, 1, 1);
    window_ = platform::CreateWindow(params);
    platform::SetTimer(window_, 1, intervalMs);
    gOperator = this;
    gAct = &act_;
}

TimerOperator::~TimerOperator()
{
    if (gOperator == this) {
        gOperator = nullptr;
        gAct = nullptr;
    }
    platform::DestroyWindow(window_);
}

} // namespace testsupport
