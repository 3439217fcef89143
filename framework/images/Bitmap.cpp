#include "framework/images/Bitmap.h"

#include "framework/base/Exceptions.h"
#include "framework/drawing/ABCCanvas.h"

#include <algorithm>
#include <new>

namespace NSHarrowen {

namespace {

platform::PixelLayout LayoutOfDepth(int depth)
{
    switch (depth) {
    case 1:
        return platform::PixelLayout::Mono1;
    case 8:
        return platform::PixelLayout::Indexed8;
    case 16:
        return platform::PixelLayout::Rgb555;
    case 24:
        return platform::PixelLayout::Bgr24;
    case 32:
        return platform::PixelLayout::Xrgb32;
    default:
        throw XOutOfMemory();
    }
}

std::array<CColor, CPalette::kMiddleCount> FirstColors(const CPalette& palette)
{
    const auto all = palette.GetColors();
    std::array<CColor, CPalette::kMiddleCount> first;
    std::copy_n(all.begin(), first.size(), first.begin());
    return first;
}

} // namespace

CABCBitmap::~CABCBitmap()
{
    CABCBitmap::Release();
}

void CABCBitmap::CreateSurface(int32_t width, int32_t height, int depth, const platform::ColorTable* colors)
{
    if (width <= 0 || height <= 0 || width > 32767 || height > 32767)
        throw XOutOfMemory();
    const platform::PixelLayout layout = LayoutOfDepth(depth);
    try {
        auto bits = std::make_unique<platform::Bitmap>(width, height, layout);
        if (colors != nullptr)
            bits->Colors() = *colors;
        else if (layout == platform::PixelLayout::Mono1)
            bits->Colors()[1] = 0xFFFFFF;
        auto dc = std::make_unique<platform::DeviceContext>(*bits);
        auto state = std::make_unique<CGdiState>(dc.get());
        bits_ = std::move(bits);
        dc_ = std::move(dc);
        ownState_ = std::move(state);
    } catch (const std::bad_alloc&) {
        throw XOutOfMemory();
    }
    state_ = ownState_.get();
    width_ = static_cast<int16_t>(width);
    height_ = static_cast<int16_t>(height);
}

void CABCBitmap::Release()
{
    state_ = nullptr;
    ownState_.reset();
    dc_.reset();
    bits_.reset();
}

int CABCBitmap::GetDepth() const
{
    return bits_ ? bits_->Depth() : 0;
}

void CABCBitmap::BlitTo(CABCCanvas& target, int32_t x, int32_t y, int32_t sourceX, int32_t sourceY, int32_t width,
                        int32_t height)
{
    state_->SetTextColor(kBlack);
    target.GetGdiState()->SetTextColor(kBlack);
    target.GetDC()->BitBlt(x, y, width, height, *dc_, sourceX, sourceY);
}

uint8_t* CABCBitmap::LockPixels()
{
    ++lockCount_; // drawing writes the pixels at once, so there is nothing to flush
    return bits_->Bits();
}

void CABCBitmap::UnlockPixels(uint8_t*& pixels)
{
    if (lockCount_ > 0)
        --lockCount_;
    pixels = nullptr;
}

int CABCBitmap::GetRowBytes() const
{
    return bits_->RowBytes();
}

CRect CABCBitmap::GetFrame() const
{
    const CPoint origin = GetOrigin();
    return CRect(origin.x, origin.y, origin.x + width_, origin.y + height_);
}

CBitmap8::CBitmap8(int32_t width, int32_t height, const CPalette& palette) : ownPalette_(FirstColors(palette))
{
    CreateSurface(width, height, 8, &palette.GetTable());
}

CBitmap16::CBitmap16(int32_t width, int32_t height)
{
    CreateSurface(width, height, 16, nullptr);
}
CBitmap24::CBitmap24(int32_t width, int32_t height)
{
    CreateSurface(width, height, 24, nullptr);
}
CBitmap32::CBitmap32(int32_t width, int32_t height)
{
    CreateSurface(width, height, 32, nullptr);
}

std::unique_ptr<CABCBitmap> CreateBitmapOfDepth(int32_t width, int32_t height, int depth)
{
    switch (depth) {
    case 16:
        return std::make_unique<CBitmap16>(width, height);
    case 24:
        return std::make_unique<CBitmap24>(width, height);
    case 32:
        return std::make_unique<CBitmap32>(width, height);
    default:
        return nullptr;
    }
}

} // namespace NSHarrowen
