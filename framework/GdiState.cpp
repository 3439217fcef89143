#include "framework/GdiState.h"

#include "framework/Exceptions.h"

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

CGdiState::~CGdiState() { Detach(); }

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
    auto previous = dc_->SelectBrush(brush_);
    if (!keptBrushSaved_) {
        keptBrush_ = std::move(previous);
        keptBrushSaved_ = true;
    }
}

void CGdiState::SetPenColor(const CColor& color)
{
    if (color == penColor_)
        return;
    penColor_ = color;
    pen_ = platform::Pen::Create(ToRgb(color), 1);
    auto previous = dc_->SelectPen(pen_);
    if (!keptPenSaved_) {
        keptPen_ = std::move(previous);
        keptPenSaved_ = true;
    }
}

void CGdiState::SetFont(const CFontSpec& font)
{
    if (font == font_)
        return;
    auto created = CreateFontFromSpec(font);
    font_ = font;
    fontObject_ = std::move(created);
    auto previous = dc_->SelectFont(fontObject_);
    if (!keptFontSaved_) {
        keptFont_ = std::move(previous);
        keptFontSaved_ = true;
    }
    metrics_ = dc_->GetTextMetrics();
}

} // namespace NSHarrowen
