#include "framework/input/Keyboard.h"
#include "framework/input/Ticks.h"
#include "platform/system/Clock.h"
#include "platform/system/ScopedClock.h"
#include "platform/system/VirtualClock.h"

#include <gtest/gtest.h>

using namespace NSHarrowen;
using namespace platform;

namespace {

TEST(KeyboardTest, KeyCodeTable)
{
    struct Case {
        uint32_t key;
        bool extended;
        uint32_t code;
    };
    const Case cases[] = {
        {kVKEscape, false, 1},
        {kVKF1, false, 2},
        {kVKF1 + 14, false, 16},
        {kVKScrollLock, false, 17},
        {kVKPause, false, 18},
        {'1', false, 20},
        {'9', false, 28},
        {'0', false, 29},
        {kVKEquals, false, 30},
        {kVKBackspace, false, 32},
        {kVKTab, false, 33},
        {'Q', false, 34},
        {'P', false, 43},
        {kVKLeftBracket, false, 44},
        {kVKRightBracket, false, 44},
        {kVKSemicolon, false, 45},
        {kVKReturn, false, 46},
        {kVKReturn, true, 110},
        {kVKCapsLock, false, 47},
        {'A', false, 48},
        {'L', false, 56},
        {kVKGrave, false, 58},
        {kVKQuote, false, 58},
        {kVKSlash, false, 59},
        {kVKBackslash, false, 59},
        {kVKShift, false, 60},
        {kVKExtra102, false, 61},
        {'Z', false, 62},
        {'M', false, 68},
        {kVKComma, false, 69},
        {kVKPeriod, false, 70},
        {kVKMinus, false, 71},
        {kVKControl, false, 73},
        {kVKLeftSystem, false, 74},
        {kVKAlt, false, 75},
        {kVKSpace, false, 77},
        {kVKRightSystem, false, 80},
        {kVKApplications, false, 81},
        {kVKInsert, false, 83},
        {kVKHome, false, 84},
        {kVKPageUp, false, 85},
        {kVKDelete, false, 86},
        {kVKEnd, false, 87},
        {kVKPageDown, false, 88},
        {kVKUp, false, 89},
        {kVKLeft, false, 90},
        {kVKDown, false, 91},
        {kVKRight, false, 92},
        {kVKNumLock, false, 93},
        {kVKKeypadDivide, true, 95},
        {kVKKeypadDivide, false, 0},
        {kVKKeypadMultiply, false, 96},
        {kVKKeypad0 + 7, false, 97},
        {kVKKeypad0 + 9, false, 99},
        {kVKKeypadSubtract, false, 100},
        {kVKKeypad0 + 4, false, 101},
        {kVKKeypad0 + 6, false, 103},
        {kVKKeypadAdd, false, 104},
        {kVKKeypad0 + 1, false, 105},
        {kVKKeypad0 + 3, false, 107},
        {kVKKeypad0, false, 108},
        {kVKKeypadDecimal, false, 109},
        {kVKClear, false, 111},
        {kVKHome, true, 84},
        {0, false, 0},
        {7, false, 0},
        {0x6C, false, 0},
        {227, false, 0},
        {0xFFFFFFFF, false, 0},
    };
    for (const Case& c : cases)
        EXPECT_EQ(KeyCodeFromVirtualKey(c.key, c.extended), c.code) << "key " << c.key << " ext " << c.extended;
}

TEST(KeyboardTest, KeyEventsFromMessages)
{
    KeyMessage down{KeyMessage::kKeyDown, kVKDown, 0, false, false, {false, true, false, false}};
    CKeyEvent event = CKeyEvent::FromMessage(down);
    EXPECT_EQ(event.kind, kEventKeyDown);
    EXPECT_EQ(event.code, uint32_t{kKeyDown});
    EXPECT_TRUE(event.modifiers.IsShiftDown());
    EXPECT_TRUE(event.modifiers.IsShiftOrExtendDown());
    EXPECT_FALSE(event.modifiers.IsControlOrCommandDown());

    down.repeat = true;
    EXPECT_EQ(CKeyEvent::FromMessage(down).kind, kEventKeyRepeat);

    const KeyMessage up{KeyMessage::kKeyUp, kVKReturn, 0, false, true, {}};
    event = CKeyEvent::FromMessage(up);
    EXPECT_EQ(event.kind, kEventKeyUp);
    EXPECT_EQ(event.code, uint32_t{kKeyEnter});

    const KeyMessage typed{KeyMessage::kCharacter, 'A', 'a', true, false, {false, false, true, true}};
    event = CKeyEvent::FromMessage(typed);
    EXPECT_EQ(event.kind, kEventKeyRepeat);
    EXPECT_EQ(event.code, 0u);
    EXPECT_EQ(event.character, 'a');
    EXPECT_TRUE(event.modifiers.IsControlDown());
    EXPECT_TRUE(event.modifiers.IsAltDown());
    EXPECT_EQ(event.modifiers.flags[8], 1);
    EXPECT_EQ(event.modifiers.flags[3], 0);
}

TEST(KeyboardTest, KeyCharacterIsTheUnshiftedCharacter)
{
    const std::pair<uint32_t, uint16_t> cases[] = {
        {'A', 'A'},      {'7', '7'}, {kVKKeypad0 + 5, '5'}, {kVKSpace, ' '}, {kVKMinus, '-'}, {kVKReturn, '\r'},
        {kVKSlash, '/'}, {kVKF1, 0}, {kVKShift, 0},
    };
    for (const auto& [key, character] : cases) {
        const KeyMessage m{KeyMessage::kKeyDown, key, 0, false, false, {}};
        EXPECT_EQ(KeyCharacter(CKeyEvent::FromMessage(m)), character) << key;
    }
}

TEST(KeyboardTest, ModifiersHeldNow)
{
    SetCurrentModifiers({true, false, true, false});
    const CModifierKeys keys = GetModifierKeys();
    SetCurrentModifiers({});
    EXPECT_TRUE(keys.IsCapsLockDown());
    EXPECT_TRUE(keys.IsControlOrCommandDown());
    EXPECT_FALSE(keys.IsShiftOrExtendDown());
    EXPECT_FALSE(GetModifierKeys().IsControlDown());
}

TEST(TicksTest, Conversions)
{
    const std::pair<uint32_t, uint32_t> msToTicks[] = {{0, 0}, {16, 0}, {17, 1}, {1000, 60}, {4294967295u, 257698037u}};
    for (const auto& [ms, ticks] : msToTicks)
        EXPECT_EQ(MillisecondsToTicks(ms), ticks) << ms;
    const std::pair<uint32_t, uint32_t> ticksToMs[] = {
        {0, 0}, {1, 16}, {8, 133}, {60, 1000}, {4294967295u, 4294967295u}};
    for (const auto& [ticks, ms] : ticksToMs)
        EXPECT_EQ(TicksToMilliseconds(ticks), ms) << ticks;
}

TEST(TicksTest, TicksStayRightAfterLongUptimesAndAcrossTheWrap)
{
    CVirtualClock clock(10ull * 24 * 3600 * 1000); // ten days: past the 32-bit overflow of ms * 6
    CScopedClock scope(clock);
    EXPECT_EQ(GetTicks(), 10u * 24 * 3600 * 60);
    const uint32_t start = GetTicks();
    WaitTicks(30);
    EXPECT_EQ(clock.Now(), 10ull * 24 * 3600 * 1000 + 500);
    EXPECT_EQ(TicksBetween(start, GetTicks()), 30u);

    // Just before the tick counter wraps, differences still come out right.
    CVirtualClock late((uint64_t{1} << 32) * 100 / 6 - 100);
    CScopedClock lateScope(late);
    const uint32_t before = GetTicks();
    late.Advance(1000);
    EXPECT_LT(GetTicks(), before) << "the counter wrapped";
    EXPECT_EQ(TicksBetween(before, GetTicks()), 60u);
}

} // namespace
