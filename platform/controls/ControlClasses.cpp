#include "platform/controls/detail/ControlSupport.h"
#include "platform/host/Host.h"
#include "platform/windows/MessageQueue.h"
#include "platform/windows/WindowPaint.h"
#include "platform/windows/detail/WindowSystem.h"

#include <algorithm>

namespace platform {

void RegisterControlClasses()
{
    static constexpr struct {
        const char* name;
        WindowProc procedure;
    } kClasses[] = {
        {kButtonClass, detail::ButtonProc},       {kEditClass, detail::EditProc},
        {kComboBoxClass, detail::ComboBoxProc},   {kComboListClass, detail::ComboListProc},
        {kScrollBarClass, detail::ScrollBarProc}, {kProgressClass, detail::ProgressProc},
        {kUpDownClass, detail::UpDownProc},
    };
    for (const auto& c : kClasses)
        if (!IsWindowClassRegistered(c.name))
            RegisterWindowClass({c.name, 0, c.procedure, ClassBackground::ButtonFace});
}

ControlProc SetWindowProcedure(WindowHandle window, ControlProc procedure)
{
    detail::WindowObject* w = detail::Find(window);
    if (w == nullptr || procedure == nullptr)
        return nullptr;
    const ControlProc previous = w->windowClass.procedure;
    w->windowClass.procedure = procedure;
    return previous;
}

ControlProc GetWindowProcedure(WindowHandle window)
{
    const detail::WindowObject* w = detail::Find(window);
    return w != nullptr ? w->windowClass.procedure : nullptr;
}

LResult CallWindowProcedure(ControlProc procedure, WindowHandle window, uint32_t message, WParam wParam, LParam lParam)
{
    return procedure != nullptr ? procedure(window, message, wParam, lParam)
                                : DefWindowProc(window, message, wParam, lParam);
}

void SetControlText(WindowHandle control, const std::string& text)
{
    SendMessage(control, ctlmsg::SetText, 0, reinterpret_cast<LParam>(text.c_str()));
}

std::string GetControlText(WindowHandle control)
{
    const auto length = static_cast<size_t>(SendMessage(control, ctlmsg::GetTextLength, 0, 0));
    std::string text(length + 1, '\0');
    const auto copied = SendMessage(control, ctlmsg::GetText, text.size(), reinterpret_cast<LParam>(text.data()));
    text.resize(static_cast<size_t>(copied < 0 ? 0 : copied));
    return text;
}

void MessageBeep()
{
    Host().Beep();
}

namespace detail {

void NotifyParent(WindowHandle control, uint16_t code)
{
    const WindowHandle parent = GetParent(control);
    if (parent == 0)
        return;
    const WParam word = static_cast<WParam>(GetChildId(control)) | (static_cast<WParam>(code) << 16);
    SendMessage(parent, msg::Command, word, static_cast<LParam>(control));
}

void Redraw(WindowHandle control)
{
    InvalidateRect(control, nullptr, false);
}

Point ClientPointOf(LParam lParam)
{
    return PointFromLParam(lParam);
}

} // namespace detail
} // namespace platform

namespace platform::detail {

bool HandleTextMessage(WindowHandle window, uint32_t message, WParam wParam, LParam lParam, LResult& result)
{
    switch (message) {
    case ctlmsg::SetText: {
        const char* text = reinterpret_cast<const char*>(lParam);
        SetWindowText(window, text != nullptr ? text : "");
        Redraw(window);
        result = 1;
        return true;
    }
    case ctlmsg::GetText: {
        const std::string text = GetWindowText(window);
        char* buffer = reinterpret_cast<char*>(lParam);
        if (buffer == nullptr || wParam == 0) {
            result = 0;
            return true;
        }
        const size_t n = std::min<size_t>(text.size(), wParam - 1);
        text.copy(buffer, n);
        buffer[n] = '\0';
        result = static_cast<LResult>(n);
        return true;
    }
    case ctlmsg::GetTextLength:
        result = static_cast<LResult>(GetWindowText(window).size());
        return true;
    case ctlmsg::SetFont:
    case ctlmsg::SetRedraw:
        result = 0;
        return true;
    default:
        return false;
    }
}

} // namespace platform::detail
