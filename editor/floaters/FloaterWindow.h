#pragma once

#include "framework/windows/ABCWindow.h"

#include <cstdint>
#include <string>

// The base of the editor's small tool windows (knob, keyboard and notes
// floaters, patch browser): a captioned window owned by the main frame that
// floats above the patch windows. Its menu commands and keys go where the
// frame's would, so the menu bar's accelerators work while it has the focus.
// Each floater exists at most once; its toggler (CWindowToggler) creates,
// places and records it.
class CFloaterWindow : public NSHarrowen::CABCWindow {
public:
    // Throws NSHarrowen::XBase when the native window cannot be created. A
    // fixed-size floater always has a close box, a resizable one when asked.
    CFloaterWindow(const std::string& title, bool resizable, uint8_t option, bool closeBox = false);
    ~CFloaterWindow() override;

    bool UsesApplicationMenuBar() const override { return true; }
    // The menus work as from the frame: on the active patch window when there
    // is one (Close closes it, Undo undoes its last edit), else on the
    // application. A floater has no commands of its own.
    void UpdateMenus(NSHarrowen::CMenuBar* menuBar) override;
    void HandleMenuSelect(NSHarrowen::CMenu* menu, uint32_t command) override;
    int GetBorderWidth() const override;
    int GetBorderHeight() const override;
    // Tool windows are not among the documents of the Windows menu.
    bool IsListedInWindowMenu() const override { return false; }

    bool IsResizable() const { return resizable_ != 0; }

private:
    uint8_t resizable_;
    uint8_t option_;
};
