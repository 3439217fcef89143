#include "framework/input/Keyboard.h"
#include "framework/menus/Menu.h"
#include "framework/menus/MenuScript.h"
#include "framework/menus/MenuBar.h"
#include "framework/resources/ResourceModule.h"
#include "platform/menus/PopupMenuRecorder.h"

#include <gtest/gtest.h>

#include <string>

using namespace NSHarrowen;

namespace {

const std::string kFileMenu = "1 {File~F;Open...#O~O=101;Save#S~S=103;-;Close~C=102}\n"
                              "2 {Edit~E?7;Cut#X~C=202;Copy & Paste~P=203?55;Save As~v...=104}\n"
                              "3 {Long;" +
    std::string(70, 'L') + "=9}\n";

const CResourceEntry kEntries[] = {
    {"SMNU", 128, reinterpret_cast<const uint8_t*>(kFileMenu.data()), kFileMenu.size()},
};

class Menus : public ::testing::Test {
protected:
    CResourceModule module_{"menu test", kEntries};
};

CKeyEvent CtrlKey(uint32_t virtualKey, bool ctrl = true)
{
    platform::KeyMessage message;
    message.virtualKey = virtualKey;
    message.modifiers.control = ctrl;
    return CKeyEvent::FromMessage(message);
}

CKeyEvent CtrlLetter(char letter, bool ctrl = true)
{
    return CtrlKey(platform::kVKLetterA + (letter - 'A'), ctrl);
}

} // namespace

TEST(MenuScript, TokensAndMarkers)
{
    const CMenuScript script = ParseMenuScript(" Edit~E?7 ; Save As~v...=104;-; Synth Settings...~S#G=400 ;A&B=5");
    EXPECT_EQ(script.title.label, "Edit");
    EXPECT_EQ(script.title.mnemonic, 'E');
    EXPECT_EQ(script.title.helpTopic, 7u);
    ASSERT_EQ(script.items.size(), 4u);
    EXPECT_EQ(script.items[0].label, "Save As");
    EXPECT_EQ(script.items[0].mnemonic, 'v');
    EXPECT_EQ(script.items[0].command, 104u);
    EXPECT_EQ(script.items[1].kind, CMenuItemRecord::kSeparator);
    EXPECT_EQ(script.items[2].label, "Synth Settings...");
    EXPECT_EQ(script.items[2].accelerator, 'G');
    EXPECT_EQ(script.items[2].command, 400u);
    EXPECT_EQ(script.items[3].label, "A&B");
}

TEST(MenuScript, Captions)
{
    struct Case {
        const char* label;
        char mnemonic;
        char accelerator;
        const char* caption;
    } cases[] = {
        {"Save", 'S', 'S', "&Save\tCtrl+S"},
        {"Cut", 'C', 'X', "&Cut\tCtrl+X"},
        {"Copy & Paste", 'P', 0, "Copy && &Paste"},
        {"Save As", 'v', 0, "Sa&ve As"},
        {"Open a file", 'f', 0, "Open a &file"},   // where a word begins
        {"Refresh from", 'f', 0, "Refresh &from"}, // a word start beats an earlier place
        {"Default", 'f', 0, "De&fault"},           // else the first place anywhere
        {"Close", 'x', 0, "Close"},                // not in the label
        {"close", 'C', 0, "&close"},               // as scripted first, else in the other case
        {"Setup", 'U', 0, "Set&up"},
        {"Clear", 'L', 0, "C&lear"},
        {"Load", 'l', 0, "&Load"},
        {"Quit", 0, 'Q', "Quit\tCtrl+Q"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(MakeMenuCaption(c.label, c.mnemonic, c.accelerator), c.caption) << c.label;
}

TEST(MenuScript, LongLabelsAreCut)
{
    EXPECT_EQ(FitMenuLabel(std::string(64, 'a')), std::string(64, 'a'));
    EXPECT_EQ(FitMenuLabel(std::string(65, 'a')), std::string(61, 'a') + "...");
}

TEST_F(Menus, BarHasCaptionsAndNumbers)
{
    CMenu file(600128001);
    CMenu edit(600128002);
    CMenuBar bar;
    bar.AppendMenu(&file);
    bar.AppendMenu(&edit);
    bar.AssignItemNumbers();

    const platform::MenuHandle native = bar.GetNativeMenu();
    ASSERT_EQ(platform::GetMenuItemCount(native), 2);
    EXPECT_EQ(platform::GetMenuItem(native, 0).caption, "&File");
    EXPECT_EQ(platform::GetMenuItem(native, 1).caption, "&Edit");
    EXPECT_EQ(platform::GetMenuItem(native, 0).submenu, file.GetNativeMenu());

    struct Want {
        const char* caption;
        uint32_t number;
    } want[] = {{"&Open...\tCtrl+O", 100}, {"&Save\tCtrl+S", 101}, {"", 0}, {"&Close", 102}};
    ASSERT_EQ(platform::GetMenuItemCount(file.GetNativeMenu()), 4);
    for (int i = 0; i < 4; ++i) {
        const platform::MenuItem item = platform::GetMenuItem(file.GetNativeMenu(), i);
        EXPECT_EQ(item.caption, want[i].caption);
        EXPECT_EQ(item.number, want[i].number);
        EXPECT_FALSE(item.enabled && i != 2) << "items from a script start disabled";
    }
    EXPECT_EQ(platform::GetMenuItem(file.GetNativeMenu(), 2).kind, platform::MenuItem::Kind::Separator);
    // Numbering goes on through the next menu.
    EXPECT_EQ(platform::GetMenuItem(edit.GetNativeMenu(), 0).number, 103u);
    EXPECT_EQ(bar.CommandForNumber(101), 103u);
    EXPECT_EQ(bar.CommandForNumber(104), 203u);
    EXPECT_EQ(bar.CommandForNumber(99), 0u);
    EXPECT_EQ(edit.GetItem(1).helpTopic, 55u);
    EXPECT_EQ(edit.GetHelpTopic(), 7u);
}

TEST_F(Menus, SubmenusAreNumberedWhereTheyStand)
{
    CMenu file(600128001);
    CMenu sub;
    sub.AppendItemRecord({.command = 900, .label = "Inner"});
    file.SetItemSubmenu(1, &sub); // "Save" becomes a submenu item
    CMenuBar bar;
    bar.AppendMenu(&file);
    bar.AssignItemNumbers();
    EXPECT_EQ(file.GetItem(0).number, 100u);
    EXPECT_EQ(sub.GetItem(0).number, 101u);
    EXPECT_EQ(file.GetItem(3).number, 102u);
    EXPECT_EQ(bar.CommandForNumber(101), 900u);

    CMenu* menu = nullptr;
    int index = -1;
    ASSERT_TRUE(file.FindCommand(900, menu, index));
    EXPECT_EQ(menu, &sub);
    EXPECT_EQ(index, 0);
    EXPECT_FALSE(file.FindCommand(103, menu, index)) << "a submenu item is no command";
}

TEST_F(Menus, AcceleratorsFindOnlyEnabledItemsWithCtrl)
{
    CMenu file(600128001);
    CMenuBar bar;
    bar.AppendMenu(&file);
    bar.LeaveModal();

    EXPECT_EQ(bar.FindAccelerator(CtrlLetter('S')), 0u) << "disabled until the first update";
    bar.SetCommandEnabled(103, true);
    EXPECT_EQ(bar.FindAccelerator(CtrlLetter('S')), 103u);
    EXPECT_EQ(bar.FindAccelerator(CtrlLetter('S', false)), 0u);
    EXPECT_EQ(bar.FindAccelerator(CtrlLetter('O')), 0u);
    EXPECT_EQ(bar.FindAccelerator(CtrlKey(platform::kVKF1)), 0u);
    bar.BlockAccelerators();
    EXPECT_EQ(bar.FindAccelerator(CtrlLetter('S')), 0u);
    bar.UnblockAccelerators();
    bar.SetCommandState(103, false, true);
    EXPECT_EQ(bar.FindAccelerator(CtrlLetter('S')), 0u);
    EXPECT_TRUE(file.GetItem(1).checked);
    EXPECT_TRUE(platform::GetMenuItem(file.GetNativeMenu(), 1).checked);
}

TEST_F(Menus, ANewBarBlocksAcceleratorsUntilItIsLive)
{
    CMenu file(600128001);
    CMenuBar bar;
    bar.AppendMenu(&file);
    bar.SetCommandEnabled(103, true);
    EXPECT_EQ(bar.FindAccelerator(CtrlLetter('S')), 0u);
    bar.LeaveModal();
    EXPECT_EQ(bar.FindAccelerator(CtrlLetter('S')), 103u);
}

TEST_F(Menus, CommandTextAndRemoval)
{
    CMenu edit(600128002);
    edit.SetMenuCommandText(202, "Module", true);
    edit.SetMenuCommandText(202, "Module", true);
    EXPECT_EQ(edit.GetItem(0).label, "Cut (Module)");
    EXPECT_EQ(platform::GetMenuItem(edit.GetNativeMenu(), 0).caption, "&Cut (Module)\tCtrl+X");
    edit.SetMenuCommandText(202, "Module", false);
    EXPECT_EQ(edit.GetItem(0).label, "Cut");

    edit.EnableMenuCommand(203, true);
    EXPECT_TRUE(platform::GetMenuItem(edit.GetNativeMenu(), 1).enabled);
    EXPECT_TRUE(edit.RemoveCommand(202));
    EXPECT_FALSE(edit.RemoveCommand(202));
    EXPECT_EQ(edit.GetItemCount(), 2);
    EXPECT_EQ(platform::GetMenuItemCount(edit.GetNativeMenu()), 2);
    EXPECT_EQ(edit.GetItemCommand(0), 203u);
}

TEST_F(Menus, LongLabelFromScript)
{
    CMenu menu(600128003);
    EXPECT_EQ(menu.GetItem(0).label, std::string(61, 'L') + "...");
}

TEST_F(Menus, MissingEntryGivesAnEmptyMenu)
{
    CMenu menu(600128099);
    EXPECT_EQ(menu.GetItemCount(), 0);
    EXPECT_EQ(menu.GetTitle(), "");
}

TEST(Menu, EmptyMenuAndTheListOfAllMenus)
{
    const size_t before = CMenu::AllMenus().size();
    {
        CMenu menu;
        EXPECT_EQ(menu.GetTitle(), "Untitled");
        EXPECT_EQ(CMenu::AllMenus().size(), before + 1);
        EXPECT_EQ(CMenu::AllMenus().back(), &menu);
        menu.AppendItem("One");
        EXPECT_EQ(menu.GetItem(0).kind, CMenuItemRecord::kCommand);
        EXPECT_FALSE(menu.GetItem(0).disabled);
        EXPECT_EQ(menu.GetItem(5).label, "") << "out of range gives a fresh record";
    }
    EXPECT_EQ(CMenu::AllMenus().size(), before);
}

TEST(Menu, PopupReportsTheChoiceOr666)
{
    CMenu menu;
    CMenu sub;
    sub.AppendItemRecord({.command = 77, .label = "Deep"});
    menu.AppendItemRecord({.command = 5, .label = "First"});
    menu.AppendItemRecord({.kind = CMenuItemRecord::kSubmenu, .label = "More", .submenu = &sub});

    platform::CPopupMenuRecorder recorder;
    recorder.Answer("Deep");
    recorder.Answer("");
    CMenu* chosen = nullptr;
    int index = 0;
    ASSERT_TRUE(menu.TrackPopupAt(40, 50, 7, chosen, index));
    EXPECT_EQ(chosen, &sub);
    EXPECT_EQ(index, 0);
    EXPECT_EQ(chosen->GetItemCommand(index), 77u);

    EXPECT_FALSE(menu.TrackPopupAt(40, 50, 7, chosen, index));
    EXPECT_EQ(chosen, nullptr);
    EXPECT_EQ(index, 666);
    ASSERT_EQ(recorder.ShownMenus().size(), 2u);
    EXPECT_EQ(recorder.ShownMenus()[0].request.x, 40);
    EXPECT_EQ(recorder.ShownMenus()[0].request.owner, 7u);
    EXPECT_EQ(recorder.ShownMenus()[0].captions, (std::vector<std::string>{"First", "More"}));
}

TEST(Menu, WindowListEntries)
{
    SetWindowListSource([] {
        return std::vector<CListedWindow>{{0, "Patch 1", false}, {1, "", false}, {2, "Patch & Co", true}};
    });
    static int activated = -1;
    SetWindowActivator([](int index) { activated = index; });

    CMenu window;
    window.AppendItem("Cascade");
    ASSERT_TRUE(window.BuildWindowList(1));
    ASSERT_EQ(window.GetItemCount(), 3);
    EXPECT_EQ(window.GetItem(1).command, kFirstWindowCommand);
    EXPECT_EQ(window.GetItem(2).command, kFirstWindowCommand + 2);
    EXPECT_TRUE(window.GetItem(2).checked);
    EXPECT_TRUE(window.GetItem(2).dynamic);
    EXPECT_EQ(platform::GetMenuItem(window.GetNativeMenu(), 2).caption, "Patch && Co");

    ActivateWindowFromMenu(kFirstWindowCommand + 2);
    EXPECT_EQ(activated, 2);
    ActivateWindowFromMenu(103);
    EXPECT_EQ(activated, 2);

    CMenuBar bar;
    bar.AppendMenu(&window);
    bar.PrepareMenus();
    EXPECT_EQ(window.GetItemCount(), 1);
    SetWindowListSource(nullptr);
    SetWindowActivator(nullptr);
}
