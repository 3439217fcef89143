#pragma once

#include "editor/floaters/FloaterPlaceOf.h"
#include "editor/floaters/FloaterWindow.h"

#include <filesystem>

class CBrowserBar;
class CBrowserPages;

// The patch browser: a tool window with the bar of tabs and buttons over the
// disk page (the patch files under the user's home folder) and the synth
// page (the flash banks of the current synthesizer). Hidden rather than
// closed, it keeps its folder and positions for the program's life.
class CBrowser : public CFloaterWindow, public CFloaterPlaceOf<&CPreferences::browser> {
public:
    static constexpr int16_t kBarHeight = 25;
    static constexpr int16_t kMinimumHeight = 130;
    // Between the toolbar's bottom and the browser's frame at first.
    static constexpr int16_t kGapBelowToolbar = 30;

    // The disk page's top is the user's home folder.
    CBrowser();
    explicit CBrowser(std::filesystem::path diskTop);
    ~CBrowser() override;

    static NSHarrowen::CRect GetDefaultRect();
    void SaveStateToPreferences() { SaveRect(GetWindowRectInFrame()); }
    void LoadStateFromPreferences() { }

    CBrowserBar& GetBar() const { return *bar_; }
    CBrowserPages& GetPages() const { return *pages_; }

    void ReceiveNotifications() override;
    void GetSizeLimits(NSHarrowen::CPoint& minimum, NSHarrowen::CPoint& maximum) const override;
    void LayoutRootView() override;

private:
    CBrowserBar* bar_;
    CBrowserPages* pages_;
};
