#include "framework/alerts/AlertScript.h"

#include <gtest/gtest.h>

using namespace NSHarrowen;

namespace {

TEST(AlertScriptTest, SplitsTagTitleMessageAndButtons)
{
    struct Case {
        const char* script;
        int32_t icon;
        const char* title;
        const char* message;
        int buttons;
        const char* labels[3];
    };
    const Case cases[] = {
        {"[WARN]Save changes?[Yes][No][Cancel]", kAlertIconWarn, "", "Save changes?", 3, {"Cancel", "No", "Yes"}},
        {"[STOP][File Save Error]disk full[OK]", kAlertIconStop, "File Save Error", "disk full", 1, {"OK", "", ""}},
        {"[NOTE]Make sure.[OK][Stop]", kAlertIconNote, "", "Make sure.", 2, {"Stop", "OK", ""}},
        {"[NONE]Plain[OK]", kAlertIconNone, "", "Plain", 1, {"OK", "", ""}},
        {"[ODD!]Other tag[OK]", kAlertIconNone, "", "Other tag", 1, {"OK", "", ""}},
        {"[STOP]No buttons at all", kAlertIconStop, "", "No buttons at all", 0, {"", "", ""}},
        {"[STOP][]Empty title[OK]", kAlertIconStop, "", "Empty title", 1, {"OK", "", ""}},
        {"[STOP]\r\nTrimmed\r\n[OK]", kAlertIconStop, "", "Trimmed", 1, {"OK", "", ""}},
        // Only three buttons; a fourth label is ignored.
        {"[NOTE]m[a][b][c][d]", kAlertIconNote, "", "m", 3, {"c", "b", "a"}},
        // A title without its closing bracket takes the rest of the script.
        {"[STOP][Broken title and more", kAlertIconStop, "Broken title and more", "", 0, {"", "", ""}},
        // A label without its closing bracket runs to the end.
        {"[STOP]m[OK", kAlertIconStop, "", "m", 1, {"OK", "", ""}},
        {"", kAlertIconNone, "", "", 0, {"", "", ""}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.script);
        const CAlertScript s = ParseAlertText(c.script, {});
        EXPECT_EQ(s.iconKind, c.icon);
        EXPECT_EQ(s.title, c.title);
        EXPECT_EQ(s.message, c.message);
        EXPECT_EQ(s.buttonCount, c.buttons);
        for (int b = 0; b < 3; ++b)
            EXPECT_EQ(s.labels[b], c.labels[b]);
    }
}

TEST(AlertScriptTest, ScriptWithoutLabelsStillShowsOneButton)
{
    EXPECT_EQ(ParseAlertText("[STOP]x", {}).ShownButtons(), 1);
    EXPECT_EQ(ParseAlertText("[STOP]x[a][b]", {}).ShownButtons(), 2);
}

TEST(AlertScriptTest, MessageTextIsTitleBlankMessage)
{
    EXPECT_EQ(ParseAlertText("[STOP][File Save Error]disk full[OK]", {}).MessageText(), "File Save Error disk full");
    EXPECT_EQ(ParseAlertText("[STOP]disk full[OK]", {}).MessageText(), " disk full");
}

TEST(AlertScriptTest, PlaceholdersTakeArgumentsFirstOccurrenceOnly)
{
    const CAlertScript s = ParseAlertText("[STOP]The file \"^0\" and ^1 and ^0 again.[OK]", {"a.pch", "b"});
    EXPECT_EQ(s.message, "The file \"a.pch\" and b and ^0 again.");
    // An argument without a placeholder is left out.
    EXPECT_EQ(ParseAlertText("[NOTE]none[OK]", {"x"}).message, "none");
}

TEST(AlertScriptTest, SanitisedArgumentsCannotAddButtonsOrPlaceholders)
{
    const std::string arg = SanitizeAlertArgument("bad[name]^1");
    EXPECT_EQ(arg, "bad(name)~1");
    const CAlertScript s = ParseAlertText("[STOP]Can't load file. ^0[OK]", {arg, "SHOULD NOT APPEAR"});
    EXPECT_EQ(s.message, "Can't load file. bad(name)~1");
    EXPECT_EQ(s.buttonCount, 1);
    EXPECT_EQ(s.labels[0], "OK");
}

TEST(AlertScriptTest, ArgumentsAreCutToTheirFieldWithoutSplittingACharacter)
{
    EXPECT_EQ(SanitizeAlertArgument(std::string(100, 'x')).size(), kAlertArgumentLength);
    // 63 ASCII bytes then a two-byte character: the character does not fit.
    const std::string text = std::string(63, 'a') + "\xC3\xA9";
    EXPECT_EQ(SanitizeAlertArgument(text), std::string(63, 'a'));
}

TEST(AlertScriptTest, MadeScriptKeepsVariableTextInTheMessage)
{
    const std::string script = MakeAlertScript("[STOP]", "Port [1] failed ^0");
    const CAlertScript s = ParseAlertText(script, {"x"});
    EXPECT_EQ(s.message, "Port (1) failed ~0");
    EXPECT_EQ(s.buttonCount, 1);
    EXPECT_EQ(s.labels[0], "OK");
}

// The template places of the alert box for dialog base units 8 x 16.
CAlertLayout TemplatePlaces()
{
    const auto px = [](int x, int y, int w, int h) { return CRect(x * 2, y * 2, (x + w) * 2, (y + h) * 2); };
    CAlertLayout l;
    l.buttons = {px(10, 60, 54, 14), px(68, 60, 54, 14), px(126, 60, 54, 14)};
    l.message = px(37, 10, 143, 44);
    l.icon = px(10, 10, 20, 20);
    return l;
}

TEST(AlertScriptTest, ButtonsStayCentredForOneTwoAndThree)
{
    const CAlertLayout places = TemplatePlaces();
    const CAlertLayout three = LayoutAlert(places, kAlertIconWarn, 3);
    EXPECT_EQ(three.buttons[0], CRect(20, 120, 128, 148));
    EXPECT_EQ(three.buttons[1], CRect(136, 120, 244, 148));
    EXPECT_EQ(three.buttons[2], CRect(252, 120, 360, 148));
    const CAlertLayout two = LayoutAlert(places, kAlertIconWarn, 2);
    EXPECT_EQ(two.buttons[0], CRect(78, 120, 186, 148));
    EXPECT_EQ(two.buttons[1], CRect(194, 120, 302, 148));
    const CAlertLayout one = LayoutAlert(places, kAlertIconWarn, 1);
    EXPECT_EQ(one.buttons[0], CRect(136, 120, 244, 148));
    EXPECT_EQ(LayoutAlert(places, kAlertIconWarn, 0).buttons[0], one.buttons[0]);
}

TEST(AlertScriptTest, MessageTakesTheIconPlaceWhenThereIsNoIcon)
{
    const CAlertLayout places = TemplatePlaces();
    EXPECT_EQ(LayoutAlert(places, kAlertIconNone, 1).message, CRect(20, 20, 360, 108));
    EXPECT_EQ(LayoutAlert(places, kAlertIconStop, 1).message, CRect(74, 20, 360, 108));
}

TEST(AlertScriptTest, ArrowKeysWrapAmongTheButtons)
{
    EXPECT_EQ(NextAlertButton(1, 3, true), 2);
    EXPECT_EQ(NextAlertButton(3, 3, true), 1);
    EXPECT_EQ(NextAlertButton(1, 3, false), 3);
    EXPECT_EQ(NextAlertButton(2, 2, true), 1);
    EXPECT_EQ(NextAlertButton(1, 1, false), 1);
}

} // namespace
