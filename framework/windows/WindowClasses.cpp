#include "framework/windows/ABCWindow.h"
#include "framework/base/Exceptions.h"
#include "platform/windows/Window.h"

namespace NSHarrowen {

namespace {

using platform::LParam;
using platform::LResult;
using platform::WindowHandle;
using platform::WParam;

LResult FrameProc(WindowHandle h, uint32_t m, WParam w, LParam l)
{
    return DispatchWindowMessage(kWindowFrame, h, m, w, l);
}

LResult DocumentProc(WindowHandle h, uint32_t m, WParam w, LParam l)
{
    return DispatchWindowMessage(kWindowDocument, h, m, w, l);
}

LResult ModalProc(WindowHandle h, uint32_t m, WParam w, LParam l)
{
    return DispatchWindowMessage(kWindowModal, h, m, w, l);
}

LResult SplashProc(WindowHandle h, uint32_t m, WParam w, LParam l)
{
    return DispatchWindowMessage(kWindowFrameless, h, m, w, l);
}

struct ClassEntry {
    const char* name;
    uint32_t style;
    platform::WindowProc procedure;
    platform::ClassBackground background;
};

// In the order of registration.
constexpr ClassEntry kClasses[] = {
    {kModalDialogWindowClass, platform::classstyle::DoubleClicks, ModalProc, platform::ClassBackground::ButtonFace},
    {kSplashScreenWindowClass, platform::classstyle::DoubleClicks, SplashProc, platform::ClassBackground::ButtonFace},
    {kFrameWindowClass, 0, FrameProc, platform::ClassBackground::AppWorkspace},
    {kDocumentWindowClass, platform::classstyle::DoubleClicks, DocumentProc, platform::ClassBackground::ButtonFace},
};

} // namespace

void RegisterWindowClasses()
{
    for (const ClassEntry& c : kClasses) {
        if (platform::IsWindowClassRegistered(c.name))
            continue;
        if (!platform::RegisterWindowClass({c.name, c.style, c.procedure, c.background}))
            throw XBase();
    }
}

void UnregisterWindowClasses()
{
    for (const ClassEntry& c : kClasses)
        platform::UnregisterWindowClass(c.name);
}

} // namespace NSHarrowen
