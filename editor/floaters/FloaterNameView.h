#pragma once

#include "framework/views/View.h"
#include "panels/painters/FittedText.h"

#include <string>

// Two lines of text under the knob floater's knobs and beside its pedal,
// aftertouch and switch pictures: what the knob is assigned to.
class CFloaterNameView final : public NSHarrowen::CView {
public:
    static constexpr int16_t kWidth = 43;
    static constexpr int16_t kHeight = 20;

    CFloaterNameView(NSHarrowen::CGroupView* parent, int16_t x, int16_t y);

    void SetLines(const std::string& first, const std::string& second);
    const std::string& GetFirstLine() const { return first_; }
    const std::string& GetSecondLine() const { return second_; }
    // The lines as last drawn: a name too wide for the box in a narrower or
    // smaller font.
    const CFittedText& GetFittedLine(size_t index) const { return fitted_[index]; }
    void Draw() override;

private:
    std::string first_;
    std::string second_;
    CFittedText fitted_[2];
};
