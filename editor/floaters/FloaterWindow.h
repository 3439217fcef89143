#pragma once

#include "framework/windows/ABCWindow.h"

#include <cstdint>
#include <string>

// The base of the editor's small tool windows (knob, keyboard and notes
// floaters, patch browser): a captioned window owned by the main frame that
// floats above the patch windows. Its menu commands and keys go to the
// application, so the menu bar's accelerators work while it has the focus.
// Each floater exists at most once; its toggler (CWindowToggler) creates,
// places and records it.
class CFloaterWindow : public NSHarrowen::CABCWindow {
public:
    // Throws NSHarrowen::XBase when the native window cannot be created.
    CFloaterWindow(const std::string& title, bool resizable, uint8_t option);
    ~CFloaterWindow() override;

    bool UsesApplicationMenuBar() const override { return true; }
    // Every menu command is the application's (Close closes the active
    // patch window, not the floater).
    void HandleMenuSelect(NSHarrowen::CMenu* menu, uint32_t command) override;
    int GetBorderWidth() const override;
    int GetBorderHeight() const override;
    // Tool windows are not among the documents of the Windows menu.
    bool IsListedInWindowMenu() const override { return false; }

    bool IsResizable() const { return resizable_ != 0; }
    uint8_t GetOption() const { return option_; }

private:
    uint8_t resizable_;
    uint8_t option_;
};
