#include "framework/images/PixelFormat.h"

#include "framework/drawing/Canvas.h"
#include "framework/base/Exceptions.h"
#include "framework/drawing/GdiState.h"

#include <exception>

namespace NSHarrowen {

CPixelFormat::CPixelFormat(int depth) : CPixelFormat(depth, CPalette()) { }

CPixelFormat::CPixelFormat(int depth, const CPalette& palette) : depth_(static_cast<uint8_t>(depth))
{
    if (depth_ != 8)
        return;
    palette_ = palette;
    table_ = palette.GetTable();
    for (size_t i = 0; i < table_.size(); ++i) {
        colorMap_[0][i] = platform::BlueOf(table_[i]);
        colorMap_[1][i] = platform::GreenOf(table_[i]);
        colorMap_[2][i] = platform::RedOf(table_[i]);
    }
}

// The screen has no palette of its own here; an 8-bit screen shows the
// standard one.
std::unique_ptr<CPixelFormat> CPixelFormat::CreateForScreen()
{
    return std::make_unique<CPixelFormat>(GetScreenColorDepth());
}

} // namespace NSHarrowen
