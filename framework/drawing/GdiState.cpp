#include "framework/drawing/GdiState.h"

#include "framework/base/Exceptions.h"

#include <exception>

namespace NSHarrowen {

std::shared_ptr<const platform::Font> CreateFontFromSpec(const CFontSpec& spec)
{
    try {
        return platform::Font::Create({spec.face, spec.size, spec.bold != 0, spec.italic != 0, spec.underline != 0});
    } catch (const std::exception&) {
        throw XBase();
    }
}

namespace {

// The object the context held before the state's first own one is kept once,
// to be selected back at the end.
template <typename T> void KeepFirst(std::shared_ptr<const T>& kept, bool& saved, std::shared_ptr<const T> previous)
{
    if (saved)
        return;
    kept = std::move(previous);
    saved = true;
}

} // namespace

CGdiState::~CGdiState()
{
    Detach();
}

void CGdiState::Attach(platform::DeviceContext* dc)
{
    Detach();
    dc_ = dc;
    if (dc_ == nullptr)
        return;
    dc_->SetBackgroundMode(platform::BackgroundMode::Transparent);
    dc_->SetBackgroundColor(ToRgb(kWhite));
    dc_->SetTextColor(ToRgb(kBlack));
}

void CGdiState::Detach()
{
    if (dc_ != nullptr) {
        if (keptPenSaved_)
            dc_->SelectPen(keptPen_);
        if (keptBrushSaved_)
            dc_->SelectBrush(keptBrush_);
        if (keptFontSaved_)
            dc_->SelectFont(keptFont_);
    }
    keptPenSaved_ = keptBrushSaved_ = keptFontSaved_ = false;
    keptPen_.reset();
    keptBrush_.reset();
    keptFont_.reset();
    pen_.reset();
    brush_.reset();
    fontObject_.reset();
    dc_ = nullptr;
}

void CGdiState::SetTextColor(const CColor& color)
{
    if (color == textColor_)
        return;
    textColor_ = color;
    dc_->SetTextColor(ToRgb(color));
}

void CGdiState::SetFillColor(const CColor& color)
{
    if (color == fillColor_ && brush_)
        return;
    fillColor_ = color;
    brush_ = platform::Brush::Create(ToRgb(color));
    KeepFirst(keptBrush_, keptBrushSaved_, dc_->SelectBrush(brush_));
}

void CGdiState::SetPenColor(const CColor& color)
{
    if (color == penColor_)
        return;
    penColor_ = color;
    pen_ = platform::Pen::Create(ToRgb(color), 1);
    KeepFirst(keptPen_, keptPenSaved_, dc_->SelectPen(pen_));
}

void CGdiState::SetFont(const CFontSpec& font)
{
    if (font == font_)
        return;
    auto created = CreateFontFromSpec(font);
    font_ = font;
    fontObject_ = std::move(created);
    KeepFirst(keptFont_, keptFontSaved_, dc_->SelectFont(fontObject_));
    metrics_ = dc_->GetTextMetrics();
}

} // namespace NSHarrowen
