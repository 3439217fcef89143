#pragma once

#include "framework/base/Rect.h"
#include "panels/painters/FittedText.h"

#include <cstdint>
#include <string>

namespace NSHarrowen {
class CABCCanvas;
class CView;
} // namespace NSHarrowen

// Draws one line of text in a bevelled box, centred: the small font in a box
// 14 pixels high, the normal one otherwise; a text too wide for either in a
// narrower or smaller font, so that it still reads whole.
class CTextViewGUI {
public:
    CTextViewGUI(const NSHarrowen::CView& owner, std::string text) : owner_(owner), text_(std::move(text)) { }

    void Draw(const NSHarrowen::CRect& frame) const;
    // The font and text drawn in a frame.
    CFittedText Fit(NSHarrowen::CABCCanvas& canvas, const NSHarrowen::CRect& frame) const;

    const std::string& GetText() const { return text_; }
    void SetText(std::string text) { text_ = std::move(text); }
    uint8_t GetStyle() const { return style_; }
    void SetStyle(uint8_t style) { style_ = style; }
    bool IsHighlighted() const { return highlight_; }
    void SetHighlight(bool highlight) { highlight_ = highlight; }

private:
    const NSHarrowen::CView& owner_;
    std::string text_;
    uint8_t style_ = 0;
    bool highlight_ = false;
};
