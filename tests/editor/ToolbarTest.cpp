// The toolbar worked as a user works it: clicks and holds on its controls
// in the running editor on a headless desktop, with the virtual clock. The
// picture of the toolbar is written to test-output/toolbar.png in the build
// folder.

#include "tests/editor/EditorFixture.h"
#include "tests/editor/ToolbarFixture.h"

#include "editor/app/EditorCommands.h"
#include "editor/controls/BitmapCheckButton.h"
#include "editor/controls/LoadMeter.h"
#include "editor/patches/PatchManager.h"
#include "editor/toolbar/MorphContainer.h"
#include "editor/toolbar/TBBackView.h"
#include "editor/toolbar/TBWindow.h"
#include "editor/toolbar/ToolbarLoads.h"
#include "editor/toolbar/tabs/TBTabsView.h"
#include "editor/toolbar/tabs/TabBarView.h"
#include "editor/toolbar/tabs/TabButton.h"
#include "editor/controls/SlotButton.h"
#include "editor/toolbar/TBPortRow.h"
#include "editor/toolbar/tabs/TabButtonBar.h"
#include "editor/toolbar/tabs/TabScrollView.h"
#include "framework/controls/TooltipControl.h"
#include "modules/ModuleCatalogueContent.h"
#include "panels/ModuleCatalogue.h"
#include "framework/images/Bitmap.h"
#include "panels/painters/PictureKeys.h"
#include "dialogs/name/NameDialog.h"
#include "editor/windows/PatchView.h"
#include "framework/controls/TextEditView.h"
#include "framework/windows/ModalDialog.h"
#include "panels/widgets/TextView.h"
#include "patch/area/PatchBackground.h"
#include "patch/document/Patch.h"
#include "patch/edit/UndoHistory.h"
#include "patch/module/ModuleInterface.h"
#include "synth/molecules/CableMolecules.h"
#include "synth/molecules/ModuleMolecules.h"
#include "synth/molecules/MoleculePacket.h"
#include "platform/graphics/PngWriter.h"
#include "platform/input/Keys.h"
#include "platform/windows/Window.h"

#include <array>
#include <cstdlib>
#include <cstring>
#include <filesystem>

using namespace NSHarrowen;
using namespace editortest;
using namespace editorcommands;

namespace {

constexpr uint32_t kDarkGrey = 0x777777;
constexpr uint32_t kInk = 0x000000;   // black
constexpr uint32_t kPaper = 0xFFFFFF; // white
constexpr uint32_t kGrey = 0xBFBFBF;

// Black text, antialiased: every channel dark.
bool IsInk(uint32_t pixel)
{
    return (pixel >> 16 & 0xFF) < 0x60 && (pixel >> 8 & 0xFF) < 0x60 && (pixel & 0xFF) < 0x60;
}

class ToolbarTest : public ToolbarFixture<EditorTest> {
protected:
    CPatch& NewPatch()
    {
        Choose(kNew);
        Step(50);
        CPatch* patch = app->GetPatches()->GetActivePatch();
        EXPECT_NE(patch, nullptr);
        return *patch;
    }
    void SaveScreen(const std::string& name)
    {
        const std::filesystem::path folder = TORVAN_TEST_OUTPUT_DIR;
        std::filesystem::create_directories(folder);
        platform::WritePng((folder / name).string(), Screen());
    }
};

} // namespace

TEST_F(ToolbarTest, TheFrameLinesSeparatorsAndLabelsSitWhereTheyBelong)
{
    NewPatch();
    SaveScreen("toolbar.png");
    const platform::PixelBuffer screen = Screen();
    for (int x : {5, 300, 900}) {
        EXPECT_EQ(Pixel(screen, x, 0), kDarkGrey) << x;
        EXPECT_EQ(Pixel(screen, x, 1), kInk) << x;
        EXPECT_EQ(Pixel(screen, x, 2), kPaper) << x;
        EXPECT_EQ(Pixel(screen, x, 64), kDarkGrey) << x;
        EXPECT_EQ(Pixel(screen, x, 65), kInk) << x;
    }
    EXPECT_EQ(Pixel(screen, 0, 30), kPaper);
    for (int y : {4, 30, 62}) {
        EXPECT_EQ(Pixel(screen, 599, y), kDarkGrey) << y;
        EXPECT_EQ(Pixel(screen, 600, y), kPaper) << y;
        EXPECT_EQ(Pixel(screen, 725, y), kDarkGrey) << y;
        EXPECT_EQ(Pixel(screen, 726, y), kPaper) << y;
    }
    EXPECT_EQ(Pixel(screen, 599, 3), kGrey) << "the separators start at y 4";
    EXPECT_EQ(Pixel(screen, 599, 63), kGrey) << "and end at y 62";
    // Each label has black ink between its x and the next view, above its baseline.
    struct Ink {
        int left, right, top, baseline;
    };
    for (const Ink& label : {Ink{3, 37, 5, 16}, Ink{142, 184, 5, 16}, Ink{185, 194, 5, 16}, Ink{242, 251, 5, 16},
                             Ink{285, 317, 5, 16}, Ink{318, 341, 5, 16}, Ink{621, 660, 8, 19}, Ink{671, 715, 8, 19}}) {
        int ink = 0;
        for (int y = label.top; y <= label.baseline; ++y)
            for (int x = label.left; x <= label.right; ++x)
                ink += IsInk(Pixel(screen, x, y));
        EXPECT_GT(ink, 5) << "label at " << label.left;
        EXPECT_FALSE(IsInk(Pixel(screen, label.left, label.baseline + 2))) << "nothing below the baseline";
    }
}

TEST_F(ToolbarTest, WithoutASynthesizerThePortRowsAreEmptyFromTheStart)
{
    // Nothing done since the start: the rows show what the ports have, so no
    // slot button's face is on the screen.
    constexpr uint32_t kButtonFace = 0xDBDBDB;
    const platform::PixelBuffer screen = Screen();
    for (int port = 0; port < 4; ++port) {
        EXPECT_FALSE(Toolbar().GetPortRow(static_cast<uint8_t>(port)).GetSlotButton(0).IsShown()) << port;
        for (int slot = 0; slot < 4; ++slot) {
            const platform::Point letter = At(at::SlotX(slot), at::SlotY(port));
            EXPECT_NE(Pixel(screen, letter.x, letter.y), kButtonFace) << port << " " << slot;
        }
    }
}

TEST_F(ToolbarTest, ResizingRedrawsTheRightBevelAtTheNewEdgeAndLeavesNoneAtTheOld)
{
    const platform::WindowHandle handle = Toolbar().GetHandle();
    const platform::Rect place = platform::GetWindowRectInParent(handle);
    platform::MoveWindow(handle, platform::Rect::FromSize(place.left, place.top, 900, place.Height()), true);
    Pump();
    platform::PixelBuffer screen = Screen();
    EXPECT_EQ(Pixel(screen, 898, 30), kDarkGrey);
    EXPECT_EQ(Pixel(screen, 899, 30), kInk);
    platform::MoveWindow(handle, platform::Rect::FromSize(place.left, place.top, 950, place.Height()), true);
    Pump();
    screen = Screen();
    EXPECT_EQ(Pixel(screen, 898, 30), kGrey) << "no stale bevel at the old edge";
    EXPECT_EQ(Pixel(screen, 899, 30), kGrey);
    EXPECT_EQ(Pixel(screen, 948, 30), kDarkGrey);
    EXPECT_EQ(Pixel(screen, 949, 30), kInk);
    platform::MoveWindow(handle, platform::Rect::FromSize(place.left, place.top, 850, place.Height()), true);
    Pump();
    screen = Screen();
    EXPECT_EQ(Pixel(screen, 848, 30), kDarkGrey) << "the bevel at the narrower edge";
    EXPECT_EQ(Pixel(screen, 849, 30), kInk);
}

TEST_F(ToolbarTest, WithoutAnActivePatchControlEventsAreDroppedNotKeptForTheNextPatch)
{
    ASSERT_EQ(app->GetPatches()->GetActivePatch(), nullptr);
    Click(at::kMoreVoicesX, at::kVoicesY);
    Click(at::CableX(3), at::kCableY);
    Click(at::kAutoX, at::kAutoY);
    Click(at::kBendX, at::kUpY);
    Click(at::kPortamentoX, at::kUpY);
    Click(at::kNameX, at::kNameY);
    const CPatchHeader fresh;
    CPatch& patch = NewPatch();
    Step(100);
    EXPECT_EQ(patch.GetPatchHeader(), fresh);
    EXPECT_EQ(Toolbar().GetRequestedVoicesText().GetText(), "1");
    EXPECT_TRUE(alerts.empty());
}

TEST_F(ToolbarTest, TheHeaderControlsChangeTheActivePatchWithinTheirLimits)
{
    CPatch& patch = NewPatch();
    Click(at::kMoreVoicesX, at::kVoicesY);
    EXPECT_EQ(patch.GetPatchHeader().GetVoices(), 2);
    EXPECT_EQ(Toolbar().GetRequestedVoicesText().GetText(), "2");
    Click(at::kFewerVoicesX, at::kVoicesY);
    Click(at::kFewerVoicesX, at::kVoicesY);
    EXPECT_EQ(patch.GetPatchHeader().GetVoices(), 1) << "never below one voice";

    // Held: one step per repeat, and never past the limits.
    Hold(at::kMoreVoicesX, at::kVoicesY, 5000);
    EXPECT_EQ(patch.GetPatchHeader().GetVoices(), 32);
    Hold(at::kBendX, at::kUpY, 4000);
    EXPECT_EQ(patch.GetPatchHeader().GetBendRange(), 24);
    EXPECT_EQ(Toolbar().GetBendText().GetText(), "24");
    Hold(at::kPortamentoX, at::kDownY, 1000);
    EXPECT_EQ(patch.GetPatchHeader().GetPMTime(), 0);
    Hold(at::kPortamentoX, at::kUpY, 1000);
    const int held = patch.GetPatchHeader().GetPMTime();
    EXPECT_GE(held, 6) << "a press, then a step every 100 ms after 400 ms";
    EXPECT_LE(held, 8);
    EXPECT_EQ(Toolbar().GetPortamentoText().GetText(), std::to_string(held));

    Click(at::kAutoX, at::kAutoY);
    EXPECT_EQ(patch.GetPatchHeader().GetPMMode(), CPatchHeader::kPortamentoAuto);
    Click(at::kAutoX, at::kAutoY);
    EXPECT_EQ(patch.GetPatchHeader().GetPMMode(), CPatchHeader::kPortamentoNormal);
}

TEST_F(ToolbarTest, ACableButtonTogglesOnlyItsOwnColour)
{
    CPatch& patch = NewPatch();
    std::array<uint8_t, CPatchHeader::kCableColourCount> before{};
    for (uint32_t colour = 0; colour < before.size(); ++colour)
        before[colour] = patch.GetPatchHeader().GetCableVisible(colour);
    for (int colour = 0; colour < CTBWindow::kCableButtonCount; ++colour) {
        Click(at::CableX(colour), at::kCableY);
        for (uint32_t other = 0; other < before.size(); ++other) {
            const bool toggled = static_cast<int>(other) == colour;
            EXPECT_EQ(patch.GetPatchHeader().GetCableVisible(other) != 0, toggled ? !before[other] : before[other] != 0)
                << "click on " << colour << ", colour " << other;
        }
        EXPECT_EQ(Toolbar().GetCableButton(colour).IsOn(), !before[colour]);
        Click(at::CableX(colour), at::kCableY);
        EXPECT_EQ(patch.GetPatchHeader().GetCableVisible(colour) != 0, before[colour] != 0);
    }
}

TEST_F(ToolbarTest, ClickingThePatchNameAsksForANewNameAtTheText)
{
    CPatch& patch = NewPatch();
    std::string shown;
    CPoint where;
    operate = [&](CABCWindow& window) {
        auto* box = dynamic_cast<CNameDialog*>(&window);
        if (!box || !shown.empty())
            return false;
        shown = box->GetEdit()->GetText();
        const platform::Rect rect = platform::GetWindowRect(box->GetHandle());
        where = CPoint(rect.left, rect.top);
        for (char32_t c : std::u32string(U"Pad"))
            desktop.Host().TypeCharacter(c);
        desktop.Host().PressKey(platform::kVKReturn);
        desktop.Host().ReleaseKey(platform::kVKReturn);
        return true;
    };
    Click(at::kNameX, at::kNameY);
    Step(200);
    EXPECT_EQ(shown, "No name");
    EXPECT_EQ(patch.GetName(), "Pad");
    EXPECT_EQ(Toolbar().GetNameText().GetText(), "Pad");
    const platform::Point text = At(38, 4);
    EXPECT_LE(std::abs(where.x - text.x), 8) << "the box opens at the name text";
    // Over the text, and not over the menu bar above the toolbar.
    EXPECT_GE(where.y, At(0, 0).y) << "the box covers the menu bar";
    EXPECT_LE(where.y, text.y);
    EXPECT_GE(where.y + CNameDialog::kHeight, text.y + 15);
}

TEST_F(ToolbarTest, ClickingAModuleTabShowsItsRowOfModuleButtons)
{
    CTBTabsView& tabs = Toolbar().GetTabs();
    CTabBarView& bar = tabs.GetBar();
    ASSERT_GT(bar.GetTabCount(), 2);
    EXPECT_EQ(tabs.GetPages().GetShownPage(), 0);
    const CRect firstButton(8, 41, 31, 63);
    const auto ButtonPixels = [&] {
        const platform::PixelBuffer screen = Screen();
        std::vector<uint32_t> pixels;
        for (int y = firstButton.top; y < firstButton.bottom; ++y)
            for (int x = firstButton.left; x < firstButton.right; ++x)
                pixels.push_back(Pixel(screen, x, y));
        return pixels;
    };
    const std::vector<uint32_t> before = ButtonPixels();
    const CRect tab2 = bar.GetChild(2)->GetFrame();
    Click(tab2.left + tab2.Width() / 2, tab2.top + 8);
    EXPECT_EQ(bar.GetSelected(), 2);
    EXPECT_EQ(tabs.GetPages().GetShownPage(), 2);
    EXPECT_NE(ButtonPixels(), before) << "another row of pictures";
    const std::vector<uint32_t> shown = ButtonPixels();
    Click(tab2.left + tab2.Width() / 2, tab2.top + 8);
    EXPECT_EQ(tabs.GetPages().GetShownPage(), 2) << "clicking the selected tab changes nothing";
    EXPECT_EQ(ButtonPixels(), shown);
}

TEST_F(ToolbarTest, AModuleButtonShowsItsTypesCellOfTheTabSheet)
{
    CTabScrollView& pages = Toolbar().GetTabs().GetPages();
    auto* page = dynamic_cast<CTabButtonBar*>(pages.GetShownPage() == 0 ? pages.GetChild(0) : nullptr);
    ASSERT_NE(page, nullptr);
    CABCBitmap* sheet = app->GetImage(SymbolPicture(CTabButtonBar::kSheet));
    ASSERT_NE(sheet, nullptr);
    uint8_t* bits = sheet->LockPixels();
    const int rowBytes = sheet->GetRowBytes();
    const platform::PixelBuffer screen = Screen();
    int checked = 0;
    for (int i = 0; i < page->CountChildren(); ++i) {
        const auto* button = dynamic_cast<const CTabButton*>(page->GetChild(i));
        if (button == nullptr)
            continue;
        const int n = button->GetPicture();
        const CRect f = button->GetFrame();
        for (int y = 0; y < CTabButtonBar::kCellHeight; ++y)
            for (int x = 0; x < CTabButtonBar::kCellWidth; ++x) {
                uint32_t cell = 0;
                std::memcpy(&cell, bits + (15 * (n / 10) + y) * rowBytes + 4 * (16 * (n % 10) + x), 4);
                ASSERT_EQ(Pixel(screen, f.left + 3 + x, f.top + 3 + y), cell & 0xFFFFFFu)
                    << "picture " << n << " at " << x << "," << y;
            }
        ++checked;
    }
    sheet->UnlockPixels(bits);
    EXPECT_GT(checked, 2);
}

TEST_F(ToolbarTest, DraggingAModuleButtonIntoAVoiceAreaAddsThatModuleAsOneUndoStep)
{
    CPatch& patch = NewPatch();
    auto* view = dynamic_cast<CPatchView*>(patch.GetWindow());
    ASSERT_NE(view, nullptr);
    CTabScrollView& pages = Toolbar().GetTabs().GetPages();
    auto* row = dynamic_cast<CTabButtonBar*>(pages.GetChild(0));
    ASSERT_NE(row, nullptr);
    const CTabButton* button = nullptr;
    for (int i = 0; i < row->CountChildren() && button == nullptr; ++i)
        button = dynamic_cast<const CTabButton*>(row->GetChild(i));
    ASSERT_NE(button, nullptr);
    const uint8_t type = button->GetTypeId();
    const CRect f = button->GetFrame();
    const platform::Point from = At(f.left + f.Width() / 2, f.top + f.Height() / 2);

    CPatchBackground& area = *patch.GetArea(1);
    const CPoint content = area.GetContentOffset();
    const platform::Point to = platform::ClientToScreen(view->GetHandle(), {content.x + 60, content.y + 40});
    const size_t undo = patch.GetUndoHistory().GetUndoCount();
    desktop.Host().PressMouse(from);
    Step(20);
    EXPECT_TRUE(button->IsPressed());
    for (int i = 1; i <= 4; ++i) {
        desktop.Host().MoveMouse({from.x + (to.x - from.x) * i / 4, from.y + (to.y - from.y) * i / 4});
        Step(20);
    }
    desktop.Host().ReleaseMouse(to);
    Step(20);
    int placed = 0;
    for (CModuleInterface* module : area.GetModules())
        placed += module->GetTypeId() == type;
    EXPECT_EQ(placed, 1);
    EXPECT_EQ(patch.GetUndoHistory().GetUndoCount(), undo + 1);
    EXPECT_FALSE(button->IsPressed()) << "the button rises when the drag ends";
    Choose(editorcommands::kUndo);
    placed = 0;
    for (CModuleInterface* module : area.GetModules())
        placed += module->GetTypeId() == type;
    EXPECT_EQ(placed, 0);
}

TEST_F(ToolbarTest, ShakingGivesTheCurvedCablesANewShape)
{
    CPatch& patch = NewPatch();
    CMoleculePacket packet;
    packet.Append(std::make_unique<CMModuleNew>(1, 1, 61, 0, 0, "From"));
    packet.Append(std::make_unique<CMModuleNew>(1, 2, 61, 2, 6, "To"));
    packet.Append(std::make_unique<CMCableConnect>(1, JackAddress{1, 0, 1}, JackAddress{2, 0, 0}, 0, 0));
    patch.ApplyMoleculeList(packet);
    Step(50);
    auto* view = dynamic_cast<CPatchView*>(patch.GetWindow());
    ASSERT_NE(view, nullptr);
    const CRect area = patch.GetArea(1)->GetFrame();
    const auto AreaPixels = [&] {
        const platform::PixelBuffer screen = Screen();
        std::vector<uint32_t> pixels;
        for (int y = area.top; y < area.bottom; y += 2)
            for (int x = area.left; x < area.right; x += 2) {
                const platform::Point p = platform::ClientToScreen(view->GetHandle(), {x, y});
                pixels.push_back(screen.At(p.x, p.y));
            }
        return pixels;
    };
    const std::vector<uint32_t> before = AreaPixels();
    // A new shape is drawn at random: a few shakes give at least one change.
    bool changed = false;
    for (int shake = 0; shake < 5 && !changed; ++shake) {
        Click(at::kShakeX, at::kShakeY);
        Step(20);
        changed = AreaPixels() != before;
    }
    EXPECT_TRUE(changed);
}

TEST_F(ToolbarTest, RestingThePointerOnAControlShowsItsTooltip)
{
    const auto HoverAndRead = [&](int x, int y) -> std::string {
        // Away first, so that each hover starts a new rest.
        desktop.Host().MoveMouse(At(300, 5));
        Step(100);
        desktop.Host().MoveMouse(At(x, y));
        Step(1000);
        const CTooltipControl* tips = Toolbar().GetTooltips(false);
        if (!tips || !tips->IsShowing() || !platform::IsWindowVisible(tips->GetHandle()))
            return "<no tooltip>";
        return tips->ShownText();
    };
    EXPECT_EQ(HoverAndRead(at::kShakeX, at::kShakeY), "shake cables");
    EXPECT_EQ(HoverAndRead(at::CableX(3), at::kCableY), "show/hide cables");

    // The module buttons of a tab that is not the first: each reads its
    // catalogue text, not the text of the button of the first tab below it.
    CTBTabsView& tabs = Toolbar().GetTabs();
    const CRect tab2 = tabs.GetBar().GetChild(2)->GetFrame();
    Click(tab2.left + tab2.Width() / 2, tab2.top + 8);
    ASSERT_EQ(tabs.GetPages().GetShownPage(), 2);
    const CModuleCatalogue& catalogue = GetSharedModuleCatalogue();
    for (uint8_t position : {0, 1}) {
        uint16_t type = 0, word = 0;
        std::string expected;
        ASSERT_TRUE(catalogue.FindByTabPosition(2, position, type, word, expected));
        EXPECT_EQ(HoverAndRead(8 + 23 * position + 11, 52), expected) << "button " << int(position);
    }
}
