#include "framework/controls/ControlLogic.h"
#include "framework/controls/EventLatch.h"

#include <gtest/gtest.h>

using namespace NSHarrowen;

namespace {

TEST(EventLatchTest, OwnerTakesTheEventOnceDuringThePasses)
{
    CEventLatch<int16_t> latch(kNoPick);
    int taken = 0;
    int16_t value = 0;
    bool second = true;
    latch.Publish(3, [&] {
        taken += latch.Take(value) ? 1 : 0;
        second = latch.Take(value);
    });
    EXPECT_EQ(taken, 1);
    EXPECT_EQ(value, 3);
    EXPECT_FALSE(second);
    // Cleared afterwards whether or not it was taken.
    latch.Publish(4, [] {});
    EXPECT_FALSE(latch.IsSet());
    EXPECT_EQ(latch.Peek(), kNoPick);
    EXPECT_FALSE(latch.Take(value));
}

TEST(ControlLogicTest, PicksEqualToTheSelectionOrThePendingPickAreNotReported)
{
    EXPECT_FALSE(ShouldReportPick(2, false, kNoPick, 2));
    EXPECT_TRUE(ShouldReportPick(1, false, kNoPick, 2));
    EXPECT_FALSE(ShouldReportPick(1, true, 1, 2));
    EXPECT_TRUE(ShouldReportPick(2, true, 1, 2));
}

TEST(ControlLogicTest, RadioArrowsWrap)
{
    EXPECT_EQ(WrapIndex(0, 3, false), 2);
    EXPECT_EQ(WrapIndex(2, 3, true), 0);
    EXPECT_EQ(WrapIndex(1, 3, true), 2);
    EXPECT_EQ(WrapIndex(1, 3, false), 0);
    EXPECT_EQ(WrapIndex(-1, 3, true), 0);
    EXPECT_EQ(WrapIndex(0, 0, true), 0);
}

TEST(ControlLogicTest, ProgressEmptyValueShowsNothing)
{
    EXPECT_EQ(ProgressPosition(kProgressEmpty), 0);
    EXPECT_EQ(ProgressPosition(1000), 1000);
    EXPECT_EQ(ProgressPosition(500), 500);
    EXPECT_EQ(ProgressPosition(1500), 1000);
}

CKeyEvent Key(uint32_t code, uint32_t kind = kEventKeyDown, uint8_t character = 0)
{
    CKeyEvent e;
    e.code = code;
    e.kind = kind;
    e.character = character;
    return e;
}

TEST(ControlLogicTest, EditKeysAreRoutedByKindAndReturnMode)
{
    struct Case {
        CKeyEvent key;
        int32_t mode;
        bool atLimit;
        bool numbers;
        EEditKeyAction action;
    };
    CKeyEvent controlA = Key(0, kEventKeyDown, 'a');
    controlA.modifiers.flags[2] = 1;
    const Case cases[] = {
        {Key(kKeyEscape), kReturnCommits, false, false, EEditKeyAction::ToParent},
        {Key(kKeyTab), kReturnCommits, false, false, EEditKeyAction::ToParent},
        {Key(kKeyReturn), kReturnCommits, false, false, EEditKeyAction::Commit},
        {Key(kKeyEnter), kReturnToParent, false, false, EEditKeyAction::ToParent},
        {Key(kKeyReturn), kReturnNextField, false, false, EEditKeyAction::NextField},
        {Key(kKeyReturn, kEventKeyRepeat), kReturnCommits, false, false, EEditKeyAction::Ignore},
        {Key(kKeyLeft), kReturnCommits, false, false, EEditKeyAction::EditKey},
        {Key(kKeyLeft, kEventKeyUp), kReturnCommits, false, false, EEditKeyAction::Ignore},
        {Key(0, kEventKeyDown, 8), kReturnCommits, false, false, EEditKeyAction::EditKey},
        {Key(0, kEventKeyDown, 'x'), kReturnCommits, false, false, EEditKeyAction::InsertChar},
        {Key(0, kEventKeyDown, 'x'), kReturnCommits, true, false, EEditKeyAction::Beep},
        {controlA, kReturnCommits, false, false, EEditKeyAction::ToParent},
        // The number edit refuses letters with a beep and takes digits and '-'.
        {Key(0, kEventKeyDown, 'a'), kReturnCommits, false, true, EEditKeyAction::Beep},
        {Key(0, kEventKeyDown, '7'), kReturnCommits, false, true, EEditKeyAction::InsertChar},
        {Key(0, kEventKeyDown, '-'), kReturnCommits, false, true, EEditKeyAction::InsertChar},
        {Key(kKeyF1), kReturnCommits, false, false, EEditKeyAction::Ignore},
    };
    for (size_t i = 0; i < std::size(cases); ++i) {
        SCOPED_TRACE(i);
        const Case& c = cases[i];
        EXPECT_EQ(ClassifyEditKey(c.key, c.mode, c.atLimit, c.numbers), c.action);
    }
}

TEST(ControlLogicTest, PasteStopsAtTheLineBreakAndRefusesOverlongText)
{
    EXPECT_EQ(*PasteText("first\r\nsecond", 0, 0, 20), "first");
    EXPECT_EQ(*PasteText("abc", 5, 2, 6), "abc");
    EXPECT_FALSE(PasteText("abcd", 5, 2, 6).has_value());
    EXPECT_EQ(PasteText(std::string(300, 'x'), 0, 0, 1000)->size(), 255u);
}

} // namespace
