#include "framework/images/ColorEnvironment.h"

#include "platform/base/DroppedExceptions.h"
#include "framework/application/Application.h"
#include "framework/drawing/Canvas.h"
#include "framework/base/Exceptions.h"
#include "framework/drawing/GdiState.h"
#include <exception>

namespace NSHarrowen {

CColorEnvironment::CColorEnvironment() : screenFormat_(CPixelFormat::CreateForScreen())
{
    try {
        font_ = CreateFontFromSpec(GetStandardFont());
    } catch (const XBase&) {
        throw XOutOfMemory();
    }
}

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
