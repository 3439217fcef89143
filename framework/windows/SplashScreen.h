#pragma once

#include "framework/windows/ABCWindow.h"

#include <cstdint>

namespace NSHarrowen {

// The picture shown while the program starts. The window takes the picture
// view into its root view and sizes itself to the picture; destroying the
// splash screen waits until it has been shown for its minimum time.
class CSplashScreen : public CABCWindow {
public:
    // `picture` is a view without a parent; the splash screen owns it.
    CSplashScreen(CView* picture, int16_t width, int16_t height, uint32_t minimumTicks);
    ~CSplashScreen() override;

    void LayoutRootView() override;
    bool IsListedInWindowMenu() const override { return false; }
    int GetBorderWidth() const override;
    int GetBorderHeight() const override;

private:
    uint32_t startTick_;
    uint32_t minimumTicks_;
    CView* picture_;
};

} // namespace NSHarrowen
