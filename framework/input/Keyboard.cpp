#include "framework/input/Keyboard.h"

#include <array>
#include <utility>

namespace NSHarrowen {

namespace {

using namespace platform;

struct KeyRun {
    uint32_t firstKey;
    uint32_t firstCode;
    uint32_t count; // keys in a row with codes in a row
};

// Keys that are not listed give 0. Keypad / and the keypad Enter depend on the
// extended flag and are handled apart.
constexpr KeyRun kKeyRuns[] = {
    {kVKEscape, 1, 1},
    {kVKF1, 2, 15},
    {kVKScrollLock, 17, 1},
    {kVKPause, 18, 1},
    {kVKDigit0 + 1, 20, 9},
    {kVKDigit0, 29, 1},
    {kVKEquals, 30, 1},
    {kVKBackspace, 32, 1},
    {kVKTab, 33, 1},
    {'Q', 34, 1},
    {'W', 35, 1},
    {'E', 36, 1},
    {'R', 37, 1},
    {'T', 38, 1},
    {'Y', 39, 1},
    {'U', 40, 1},
    {'I', 41, 1},
    {'O', 42, 1},
    {'P', 43, 1},
    {kVKLeftBracket, 44, 1},
    {kVKRightBracket, 44, 1},
    {kVKSemicolon, 45, 1},
    {kVKReturn, 46, 1},
    {kVKCapsLock, 47, 1},
    {'A', 48, 1},
    {'S', 49, 1},
    {'D', 50, 1},
    {'F', 51, 1},
    {'G', 52, 1},
    {'H', 53, 1},
    {'J', 54, 1},
    {'K', 55, 1},
    {'L', 56, 1},
    {kVKGrave, 58, 1},
    {kVKQuote, 58, 1},
    {kVKSlash, 59, 1},
    {kVKBackslash, 59, 1},
    {kVKShift, 60, 1},
    {kVKExtra102, 61, 1},
    {'Z', 62, 1},
    {'X', 63, 1},
    {'C', 64, 1},
    {'V', 65, 1},
    {'B', 66, 1},
    {'N', 67, 1},
    {'M', 68, 1},
    {kVKComma, 69, 1},
    {kVKPeriod, 70, 1},
    {kVKMinus, 71, 1},
    {kVKControl, 73, 1},
    {kVKLeftSystem, 74, 1},
    {kVKAlt, 75, 1},
    {kVKSpace, 77, 1},
    {kVKRightSystem, 80, 1},
    {kVKApplications, 81, 1},
    {kVKInsert, 83, 1},
    {kVKHome, 84, 1},
    {kVKPageUp, 85, 1},
    {kVKDelete, 86, 1},
    {kVKEnd, 87, 1},
    {kVKPageDown, 88, 1},
    {kVKUp, 89, 1},
    {kVKLeft, 90, 1},
    {kVKDown, 91, 1},
    {kVKRight, 92, 1},
    {kVKNumLock, 93, 1},
    {kVKKeypadMultiply, 96, 1},
    {kVKKeypad0 + 7, 97, 3},
    {kVKKeypadSubtract, 100, 1},
    {kVKKeypad0 + 4, 101, 3},
    {kVKKeypadAdd, 104, 1},
    {kVKKeypad0 + 1, 105, 3},
    {kVKKeypad0, 108, 1},
    {kVKKeypadDecimal, 109, 1},
    {kVKClear, 111, 1},
};

constexpr uint32_t kFirstKey = 8;
constexpr uint32_t kLastKey = 226;

constexpr std::array<uint8_t, kLastKey + 1> BuildKeyTable()
{
    std::array<uint8_t, kLastKey + 1> table{};
    for (const KeyRun& run : kKeyRuns)
        for (uint32_t i = 0; i < run.count; ++i)
            table[run.firstKey + i] = static_cast<uint8_t>(run.firstCode + i);
    return table;
}

constexpr auto kKeyTable = BuildKeyTable();

// Characters of keys without modifiers on a US layout.
constexpr std::pair<uint32_t, char> kKeyChars[] = {
    {kVKBackspace, '\b'},    {kVKTab, '\t'},           {kVKReturn, '\r'},    {kVKEscape, '\x1b'},
    {kVKSpace, ' '},         {kVKKeypadMultiply, '*'}, {kVKKeypadAdd, '+'},  {kVKKeypadSubtract, '-'},
    {kVKKeypadDecimal, '.'}, {kVKKeypadDivide, '/'},   {kVKSemicolon, ';'},  {kVKEquals, '='},
    {kVKComma, ','},         {kVKMinus, '-'},          {kVKPeriod, '.'},     {kVKSlash, '/'},
    {kVKGrave, '`'},         {kVKLeftBracket, '['},    {kVKBackslash, '\\'}, {kVKRightBracket, ']'},
    {kVKQuote, '\''},        {kVKExtra102, '\\'},
};

} // namespace

CModifierKeys CModifierKeys::From(const platform::ModifierState& state)
{
    CModifierKeys keys;
    keys.flags[0] = state.capsLock;
    keys.flags[1] = keys.flags[9] = state.shift;
    keys.flags[2] = keys.flags[8] = state.control;
    keys.flags[4] = state.alt;
    return keys;
}

CModifierKeys GetModifierKeys()
{
    return CModifierKeys::From(platform::CurrentModifiers());
}

uint32_t KeyCodeFromVirtualKey(uint32_t virtualKey, bool extended)
{
    if (virtualKey == kVKKeypadDivide)
        return extended ? 95 : 0;
    if (virtualKey == kVKReturn && extended)
        return kKeyEnter;
    if (virtualKey < kFirstKey || virtualKey > kLastKey)
        return 0;
    return kKeyTable[virtualKey];
}

CKeyEvent CKeyEvent::FromMessage(const platform::KeyMessage& message)
{
    CKeyEvent event;
    event.message = message;
    event.modifiers = CModifierKeys::From(message.modifiers);
    const uint32_t downKind = message.repeat ? kEventKeyRepeat : kEventKeyDown;
    switch (message.kind) {
    case platform::KeyMessage::kKeyDown:
        event.kind = downKind;
        event.code = KeyCodeFromVirtualKey(message.virtualKey, message.extended);
        break;
    case platform::KeyMessage::kKeyUp:
        event.kind = kEventKeyUp;
        event.code = KeyCodeFromVirtualKey(message.virtualKey, message.extended);
        break;
    case platform::KeyMessage::kCharacter:
        event.kind = downKind;
        event.character = message.character;
        break;
    }
    return event;
}

uint16_t KeyCharacter(const CKeyEvent& event)
{
    const uint32_t key = event.message.virtualKey;
    if (key >= kVKDigit0 && key <= kVKDigit0 + 9)
        return static_cast<uint16_t>(key);
    if (key >= kVKLetterA && key <= kVKLetterA + 25)
        return static_cast<uint16_t>(key);
    if (key >= kVKKeypad0 && key <= kVKKeypad0 + 9)
        return static_cast<uint16_t>('0' + (key - kVKKeypad0));
    for (const auto& [k, c] : kKeyChars)
        if (k == key)
            return static_cast<uint16_t>(c);
    return 0;
}

} // namespace NSHarrowen
