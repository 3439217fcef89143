#pragma once

#include "framework/drawing/Color.h"
#include "framework/drawing/FontSpec.h"
#include "platform/graphics/DeviceContext.h"

#include <memory>

namespace NSHarrowen {

// The pixel value of a colour: the high byte of each channel.
constexpr platform::Rgb ToRgb(const CColor& c)
{
    return platform::MakeRgb(static_cast<uint8_t>(c.red >> 8), static_cast<uint8_t>(c.green >> 8),
                             static_cast<uint8_t>(c.blue >> 8));
}

// A system font from a description: the size is the cell height. Throws XBase
// when no font can be made.
std::shared_ptr<const platform::Font> CreateFontFromSpec(const CFontSpec& spec);

// The drawing state of one device context. Pens, brushes and fonts are costly,
// so each is made only when the requested colour or font differs from the
// current one, and the state keeps at most one of each. The objects the
// context held before are selected back when the state goes.
class CGdiState {
public:
    CGdiState() = default;
    explicit CGdiState(platform::DeviceContext* dc) { Attach(dc); }
    ~CGdiState();
    CGdiState(const CGdiState&) = delete;
    CGdiState& operator=(const CGdiState&) = delete;

    // Transparent text background, white background colour, black text.
    void Attach(platform::DeviceContext* dc);
    platform::DeviceContext* GetDC() const { return dc_; }

    void SetTextColor(const CColor& color);
    void SetFillColor(const CColor& color);
    void SetPenColor(const CColor& color);
    void SetFont(const CFontSpec& font);

    const CFontSpec& GetFont() const { return font_; }
    const platform::TextMetrics& GetTextMetrics() const { return metrics_; }

private:
    void Detach();

    platform::DeviceContext* dc_ = nullptr;
    std::shared_ptr<const platform::Pen> keptPen_;
    std::shared_ptr<const platform::Brush> keptBrush_;
    std::shared_ptr<const platform::Font> keptFont_;
    bool keptPenSaved_ = false;
    bool keptBrushSaved_ = false;
    bool keptFontSaved_ = false;
    CColor textColor_ = kBlack;
    CColor fillColor_ = kWhite;
    CColor penColor_ = kBlack;
    CFontSpec font_{"xxx", 66}; // never a real font, so the first request makes one
    platform::TextMetrics metrics_;
    std::shared_ptr<const platform::Brush> brush_;
    std::shared_ptr<const platform::Pen> pen_;
    std::shared_ptr<const platform::Font> fontObject_;
};

} // namespace NSHarrowen
