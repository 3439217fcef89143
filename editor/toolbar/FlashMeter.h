#pragma once

#include "editor/toolbar/TBWindow.h"
#include "framework/views/View.h"

// A synthesizer's flash memory use, 100 x 5: the used bar up to the usage
// (per mille) and the free bar beyond, both from picture 265. Hidden, it
// stands far off screen and keeps the frame it returns to.
class CTBWindow::CFlashMeter final : public NSHarrowen::CView {
public:
    static constexpr uint16_t kPicture = 265;
    static constexpr int16_t kWidth = 100;
    static constexpr int16_t kHeight = 5;
    static constexpr int16_t kHiddenPosition = -1000;

    explicit CFlashMeter(NSHarrowen::CGroupView* parent);

    void SetUsage(int32_t usage);
    int32_t GetUsage() const { return usage_; }
    void Hide();
    void Show();
    bool IsHidden() const { return hidden_; }

    void Draw() override;
    void UpdateDisplay() override;

private:
    int32_t usage_ = 0;
    NSHarrowen::CRect kept_;
    bool changed_ = true;
    bool hidden_ = false;
};
