#pragma once

#include <cstdint>

namespace platform {

// Keys by the numbering of a standard PC keyboard. The desktop backend turns
// its own key events into these before they reach the framework.
enum VirtualKey : uint32_t {
    kVKBackspace = 0x08,
    kVKTab = 0x09,
    kVKClear = 0x0C,
    kVKReturn = 0x0D, // also the keypad Enter, with the extended flag
    kVKShift = 0x10,
    kVKControl = 0x11,
    kVKAlt = 0x12,
    kVKPause = 0x13,
    kVKCapsLock = 0x14,
    kVKEscape = 0x1B,
    kVKSpace = 0x20,
    kVKPageUp = 0x21,
    kVKPageDown = 0x22,
    kVKEnd = 0x23,
    kVKHome = 0x24,
    kVKLeft = 0x25,
    kVKUp = 0x26,
    kVKRight = 0x27,
    kVKDown = 0x28,
    kVKInsert = 0x2D,
    kVKDelete = 0x2E,
    kVKDigit0 = 0x30,  // the digits 1 to 9 follow
    kVKLetterA = 0x41, // the letters B to Z follow
    kVKLeftSystem = 0x5B,
    kVKRightSystem = 0x5C,
    kVKApplications = 0x5D,
    kVKKeypad0 = 0x60, // keypad 1 to 9 follow
    kVKKeypadMultiply = 0x6A,
    kVKKeypadAdd = 0x6B,
    kVKKeypadSubtract = 0x6D,
    kVKKeypadDecimal = 0x6E,
    kVKKeypadDivide = 0x6F, // extended
    kVKF1 = 0x70,           // F2 to F15 follow
    kVKNumLock = 0x90,
    kVKScrollLock = 0x91,
    kVKSemicolon = 0xBA,
    kVKEquals = 0xBB,
    kVKComma = 0xBC,
    kVKMinus = 0xBD,
    kVKPeriod = 0xBE,
    kVKSlash = 0xBF,
    kVKGrave = 0xC0,
    kVKLeftBracket = 0xDB,
    kVKBackslash = 0xDC,
    kVKRightBracket = 0xDD,
    kVKQuote = 0xDE,
    kVKExtra102 = 0xE2, // the extra key beside the left Shift on 102-key keyboards
};

struct ModifierState {
    bool capsLock = false;
    bool shift = false;
    bool control = false;
    bool alt = false;
};

// A key as the window system reports it.
struct KeyMessage {
    enum Kind : uint8_t { kKeyDown, kKeyUp, kCharacter };
    Kind kind = kKeyDown;
    uint32_t virtualKey = 0;
    char32_t character = 0;  // for kCharacter: the typed character (Unicode)
    bool repeat = false;     // the key was already down (auto-repeat)
    bool extended = false;   // keypad Enter and keypad /
    ModifierState modifiers; // as they were when the key was reported
};

// The modifier keys held at this instant. The desktop backend keeps this up
// to date from its input events; nothing is held until it does.
ModifierState CurrentModifiers();
void SetCurrentModifiers(const ModifierState& state);

} // namespace platform
