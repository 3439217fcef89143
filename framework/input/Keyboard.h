#pragma once

#include "platform/input/Keys.h"

#include <cstdint>

namespace NSHarrowen {

// Framework key codes: one per key, by position. 0 means a key without a code.
enum EKeyCode : uint32_t {
    kKeyEscape = 1,
    kKeyF1 = 2, // F2 to F15 follow
    kKeyBackspace = 32,
    kKeyTab = 33,
    kKeyReturn = 46,
    kKeyA = 48,
    kKeySpace = 77,
    kKeyInsert = 83,
    kKeyHome = 84,
    kKeyPageUp = 85,
    kKeyDelete = 86,
    kKeyEnd = 87,
    kKeyPageDown = 88,
    kKeyUp = 89,
    kKeyLeft = 90,
    kKeyDown = 91,
    kKeyRight = 92,
    kKeyEnter = 110, // the keypad's
};

enum EKeyEventKind : uint32_t {
    kEventKeyDown = 10,
    kEventKeyRepeat = 11,
    kEventKeyUp = 12,
};

// The modifier keys, one flag byte each: 0 Caps Lock, 1 Shift, 2 Ctrl,
// 4 Alt, 8 the second Ctrl flag, 9 the second Shift flag.
struct CModifierKeys {
    uint8_t flags[10]{};

    static CModifierKeys From(const platform::ModifierState& state);

    bool IsShiftOrExtendDown() const { return flags[1] || flags[9]; }
    bool IsControlOrCommandDown() const { return flags[2] || flags[8]; }
    bool IsAltDown() const { return flags[4] != 0; }
    bool IsShiftDown() const { return flags[1] != 0; }
    bool IsControlDown() const { return flags[2] != 0; }
    bool IsCapsLockDown() const { return flags[0] != 0; }
};

// The modifier keys held now.
CModifierKeys GetModifierKeys();

// The framework code of a key; extended is set for keypad Enter and keypad /.
uint32_t KeyCodeFromVirtualKey(uint32_t virtualKey, bool extended);

struct CKeyEvent {
    uint16_t zero = 0;
    CModifierKeys modifiers;
    uint32_t code = 0;
    uint32_t kind = kEventKeyDown;
    char32_t character = 0;       // typed characters are whole (Unicode)
    platform::KeyMessage message; // the message it was made from

    // Key down (or repeat), key up, or a typed character (code 0).
    static CKeyEvent FromMessage(const platform::KeyMessage& message);
};

// The character the event's key gives without modifiers (upper case for
// letters), 0 for keys that give none.
uint16_t KeyCharacter(const CKeyEvent& event);

} // namespace NSHarrowen
