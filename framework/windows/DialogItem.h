#pragma once

#include "framework/base/Rect.h"

#include <cstdint>
#include <string>

namespace NSHarrowen {

// What an item of a dialog template stands for.
enum EDialogItemKind : int {
    kItemNone = 0,
    kItemPushButton = 1,
    kItemRadioButton = 2,
    kItemPopup = 3,
    kItemGroupBox = 4,
    kItemCheckBox = 5,
    kItemStaticText = 6,
    kItemEditField = 7,
    kItemSlider = 8,
    kItemFrame = 9,
    kItemIcon = 10,
    kItemScrollBar = 11,
    kItemCustom = 12,
};

// One item of a dialog template: where a dialog puts a view, in pixels.
struct CDialogItem {
    CRect rect;
    int kind = kItemNone;
    uint16_t id = 0;
    bool enabled = true;
    std::string text;
};

// The kind of an item by its class (a predefined atom, or a name when
// `atom` is 0) and the low four bits of its style.
int DialogItemKind(uint16_t atom, const std::u16string& className, uint32_t style);

} // namespace NSHarrowen
