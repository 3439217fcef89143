#include "framework/images/ColorEnvironment.h"

#include "platform/base/DroppedExceptions.h"
#include "framework/application/Application.h"

namespace NSHarrowen {

// The standard font is made by the first text drawn or measured: making it
// reads the desktop's font configuration, which the first frame (a picture)
// need not wait for.
CColorEnvironment::CColorEnvironment() : screenFormat_(CPixelFormat::CreateForScreen()) { }

void CColorEnvironment::RefreshScreenFormat()
{
    try {
        screenFormat_ = CPixelFormat::CreateForScreen();
        if (CApplication* app = GetApplication())
            app->SetScreenFormat(*screenFormat_);
    } catch (...) {
        // keep the old format: the programs go on drawing with it
        platform::RecordDroppedException("refreshing the screen format");
    }
}

} // namespace NSHarrowen
