#pragma once

#include "framework/base/Point.h"

namespace NSHarrowen {

class CABCCanvas;
class CGdiState;

// What a canvas needs of a window: its current drawing context. The window
// layer implements it; CPixelBufferPort serves windows without a screen and
// tests.
class CDrawingPort {
public:
    virtual ~CDrawingPort() = default;
    // Begins drawing, or joins the drawing in progress, and answers the
    // drawing state of the current drawing context. Counted: every call is
    // matched by one EndDrawing.
    virtual CGdiState* AcquireCanvas() = 0;
    virtual void EndDrawing() = 0;
    // From the window's client coordinates to the screen's.
    virtual CPoint ClientToScreen(CPoint client) const = 0;
    // The off-screen canvas the window draws into at the moment, if any.
    virtual CABCCanvas* GetOffscreenCanvas() const { return nullptr; }
};

} // namespace NSHarrowen
