#include "framework/drawing/Canvas.h"
#include "framework/drawing/FontSpec.h"
#include "framework/menus/Menu.h"
#include "framework/drawing/PixelBufferPort.h"
#include "patch/views/FittedString.h"
#include "patch/views/MenuItemLabels.h"
#include "platform/menus/NativeMenu.h"
#include "framework/menus/MenuScript.h"

#include <gtest/gtest.h>

#include <string>

using namespace NSHarrowen;

namespace {

// Every character 10 pixels wide: widths are easy to reason about.
int Mono(const std::string& s)
{
    return static_cast<int>(s.size()) * 10;
}

constexpr uint32_t kPaper = 0xFFFFFF;

} // namespace

TEST(FittedString, ShortensBeforeTheEllipsisAndKeepsTrailingNumbers)
{
    struct Case {
        const char* text;
        int width;
        const char* shown;
    };
    const Case cases[] = {
        // Fits: strictly less than width - 2.
        {"Osc1", 43, "Osc1"},
        // Exactly width - 2 does not fit at first, but ends the shortening.
        {"Osc1", 42, "O..1"},
        {"Oscillator12", 72, "Osc..12"},
        {"Oscillator123", 72, "Os..123"},
        {"Oscillator", 62, "Osci.."},
        // Two characters: dots appended, then the character before them goes.
        {"AB", 22, ".."},
        // Shortening stops when no character stands before the dots.
        {"Filter", 5, ".."},
        // A "." of the text after the inserted dots: the cut happens at the
        // text's last ".", which takes the dots themselves first.
        {"Mix1.5", 52, "Mi1.5"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(FitString(c.text, c.width, Mono), c.shown) << c.text << " in " << c.width;
}

TEST(FittedString, DrawsTheFittedTextInBlack)
{
    // The fitted drawing shows the same pixels as drawing the shortened text.
    const CFontSpec font("MS Sans Serif", 8);
    const CRect rect(0, 0, 60, 16);
    platform::PixelBuffer fitted(60, 16, kPaper);
    platform::PixelBuffer expected(60, 16, kPaper);
    std::string shown;
    {
        CPixelBufferPort port(fitted);
        CCanvas canvas(&port);
        DrawFittedString(canvas, rect, "Oscillator Bank 12", font);
        shown = FitString("Oscillator Bank 12", rect.Width(),
                          [&](const std::string& s) { return canvas.GetStringWidth(s.c_str(), font); });
    }
    {
        CPixelBufferPort port(expected);
        CCanvas canvas(&port);
        canvas.DrawStringInRect(rect, shown.c_str(), font, kBlack);
    }
    ASSERT_NE(shown, "Oscillator Bank 12");
    EXPECT_EQ(shown.substr(shown.size() - 4), "..12");
    bool ink = false;
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 60; ++x) {
            ASSERT_EQ(fitted.At(x, y), expected.At(x, y)) << x << "," << y;
            ink = ink || fitted.At(x, y) != kPaper;
        }
    EXPECT_TRUE(ink);
}

TEST(FittedString, CentredTextThatFitsIsDrawnUnchanged)
{
    const CFontSpec font("MS Sans Serif", 8);
    const CRect rect(0, 0, 80, 16);
    platform::PixelBuffer fitted(80, 16, kPaper);
    platform::PixelBuffer expected(80, 16, kPaper);
    {
        CPixelBufferPort port(fitted);
        CCanvas canvas(&port);
        DrawFittedStringCentered(canvas, rect, "Osc", font);
    }
    {
        CPixelBufferPort port(expected);
        CCanvas canvas(&port);
        canvas.DrawStringCentered(rect, "Osc", font, kBlack);
    }
    for (int y = 0; y < 16; ++y)
        for (int x = 0; x < 80; ++x)
            ASSERT_EQ(fitted.At(x, y), expected.At(x, y)) << x << "," << y;
}

TEST(MenuItemLabels, MarksAndEnablesCommandsInSubmenus)
{
    CMenu knobs;
    CMenuItemRecord knob;
    knob.command = 1046;
    knob.label = "Knob1";
    knobs.AppendItemRecord(knob);
    CMenu root;
    CMenuItemRecord sub;
    sub.kind = CMenuItemRecord::kSubmenu;
    sub.label = "Knob";
    sub.submenu = &knobs;
    root.AppendItemRecord(sub);

    SetMenuCommandText(root, 1046, "used", true);
    SetMenuCommandText(root, 1046, "used", true);
    EXPECT_EQ(knobs.GetItem(0).label, "Knob1 (used)");
    SetMenuCommandText(root, 1046, "used", false);
    EXPECT_EQ(knobs.GetItem(0).label, "Knob1");
    SetMenuCommandText(root, 9999, "used", true); // not in the tree: nothing
    EXPECT_EQ(knobs.GetItem(0).label, "Knob1");

    EnableMenuCommand(root, 1046, false);
    EXPECT_TRUE(knobs.GetItem(0).disabled);
    EnableMenuCommand(root, 1046, true);
    EXPECT_FALSE(knobs.GetItem(0).disabled);
}

TEST(MenuItemLabels, LongLabelIsCutTo64Characters)
{
    CMenu menu;
    CMenuItemRecord item;
    item.command = 7;
    item.label = std::string(60, 'x');
    menu.AppendItemRecord(item);
    SetMenuCommandText(menu, 7, "used", true);
    EXPECT_EQ(menu.GetItem(0).label, std::string(60, 'x') + " (us");
    // The cut mark is no longer whole; taking it out leaves the label as it is.
    SetMenuCommandText(menu, 7, "used", false);
    EXPECT_EQ(menu.GetItem(0).label.size(), 64u);
}
