#pragma once

#include "framework/images/PixelFormat.h"

namespace NSHarrowen {

// One per application: the standard palette, the standard font and the
// screen's pixel format.
class CColorEnvironment {
public:
    // Throws XOutOfMemory when the palette or the font cannot be made.
    CColorEnvironment();

    const CPalette& GetPalette() const { return palette_; }
    const CPixelFormat& GetScreenFormat() const { return *screenFormat_; }
    // After the screen changed; failures keep the old format.
    void RefreshScreenFormat();

private:
    CPalette palette_;
    std::shared_ptr<const platform::Font> font_;
    std::unique_ptr<CPixelFormat> screenFormat_;
};

} // namespace NSHarrowen
