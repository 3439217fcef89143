#pragma once

#include "framework/images/PixelFormat.h"

namespace NSHarrowen {

// One per application: the standard palette and the screen's pixel format.
class CColorEnvironment {
public:
    CColorEnvironment();

    const CPalette& GetPalette() const { return palette_; }
    const CPixelFormat& GetScreenFormat() const { return *screenFormat_; }
    // After the screen changed; failures keep the old format.
    void RefreshScreenFormat();

private:
    CPalette palette_;
    std::unique_ptr<CPixelFormat> screenFormat_;
};

} // namespace NSHarrowen
