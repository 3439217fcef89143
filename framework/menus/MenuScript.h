#pragma once

#include "platform/menus/NativeMenu.h"

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace NSHarrowen {

class CMenu;

// One item of a menu.
struct CMenuItemRecord {
    enum EKind : uint8_t { kSeparator = 0, kCommand = 1, kSubmenu = 2 };

    EKind kind = kCommand;
    bool disabled = false;
    bool dynamic = false; // a window entry of the Window menu
    uint32_t command = 0;
    std::string label;    // at most 64 characters
    char accelerator = 0; // shown and used as Ctrl+letter; 0 for none
    char mnemonic = 0;    // 0 for none
    uint32_t helpTopic = 0;
    bool checked = false;
    CMenu* submenu = nullptr; // kSubmenu only; not owned
    uint32_t number = 0;      // the native item number the last numbering gave
};

// A parsed menu script: "Title~T?N;Label#K~M=N?N;-;...".
struct CMenuScript {
    CMenuItemRecord title; // label, mnemonic and help topic of the menu
    std::vector<CMenuItemRecord> items;
};

} // namespace NSHarrowen
