#include "tests/editor/EditorFixture.h"

#include "editor/controls/BitmapCheckButton.h"
#include "editor/controls/LoadMeter.h"
#include "editor/controls/SlotButton.h"
#include "editor/controls/TextCheckButton.h"
#include "editor/toolbar/FlashMeter.h"
#include "framework/images/Bitmap.h"
#include "panels/painters/PictureKeys.h"
#include "framework/windows/NoFrameWindow.h"
#include "panels/widgets/IncDecButton.h"
#include "panels/widgets/TextPushButton.h"
#include "platform/input/Keys.h"
#include "platform/windows/Window.h"

#include <vector>

using namespace NSHarrowen;
using namespace editortest;

namespace {

// A window that owns one control of each kind and takes their events in
// its first update pass, as the toolbar does.
class COwnerWindow final : public CNoFrameWindow {
public:
    COwnerWindow()
    {
        CGroupView* root = GetRootView();
        push = new CTextPushButton(root, "S", CTextPushButton::Form::Window, "shake");
        check = new CTextCheckButton(root, "Auto");
        picture = new CBitmapCheckButton(root, 244, "show/hide cables");
        stepper = new CUpDownButton(root, CUpDownButton::Form::Window);
        sideways = new CLeftRightButton(root, CLeftRightButton::Form::Window);
        slot = new CSlotButton(root, "A");
        meter = new CLoadMeter(root, "Sum load");
        flash = new CTBWindow::CFlashMeter(root);
        push->SetFrameInParent(10, 10, 15, 15);
        check->SetFrameInParent(30, 10, 25, 15);
        picture->SetFrameInParent(60, 10, 15, 15);
        stepper->SetFrameInParent(80, 10, 11, 21);
        sideways->SetFrameInParent(100, 10, 21, 11);
        slot->SetFrameInParent(130, 10, 17, 15);
        meter->SetFrameInParent(160, 10, 50, 17);
        flash->SetFrameInParent(160, 40, 100, 5);
        SetWindowRect(CRect(100, 400, 400, 460));
        platform::ShowWindow(GetHandle(), platform::ShowCommand::ShowNoActivate);
    }
    ~COwnerWindow() override { GetRootView()->DeleteChildren(); }

    void ReceiveNotifications() override
    {
        CNoFrameWindow::ReceiveNotifications();
        if (push->WasPushed())
            ++pushes;
        uint8_t value = 0;
        if (check->TakeChange(value))
            checkRequests.push_back(value);
        int32_t code = 0;
        while (stepper->TakeEvent(code)) {
            codes.push_back(code);
            times.push_back(platform::NowMilliseconds());
        }
        if (sideways->TakeEvent(code))
            sidewaysCodes.push_back(code);
        uint8_t control = 0;
        if (slot->TakeClick(value, control))
            slotClicks.push_back({value, control});
    }

    CTextPushButton* push;
    CTextCheckButton* check;
    CBitmapCheckButton* picture;
    CUpDownButton* stepper;
    CLeftRightButton* sideways;
    CSlotButton* slot;
    CLoadMeter* meter;
    CTBWindow::CFlashMeter* flash;
    int pushes = 0;
    std::vector<uint8_t> checkRequests;
    std::vector<int32_t> codes;
    std::vector<uint64_t> times;
    std::vector<int32_t> sidewaysCodes;
    std::vector<std::pair<uint8_t, uint8_t>> slotClicks;
};

class EditorControlsTest : public EditorTest {
protected:
    void SetUp() override
    {
        EditorTest::SetUp();
        Launch();
        owner = new COwnerWindow();
        Pump();
    }
    void TearDown() override
    {
        delete owner;
        EditorTest::TearDown();
    }
    platform::Point At(int x, int y) { return platform::ClientToScreen(owner->GetHandle(), {x, y}); }
    void Press(int x, int y)
    {
        desktop.Host().PressMouse(At(x, y));
        Pump();
    }
    void Release(int x, int y)
    {
        desktop.Host().ReleaseMouse(At(x, y));
        Pump();
    }
    void Click(int x, int y)
    {
        Press(x, y);
        Release(x, y);
    }
    uint32_t Pixel(int x, int y)
    {
        const platform::Point p = At(x, y);
        return desktop.Host().Screen().At(p.x, p.y) & 0xFFFFFFu;
    }

    COwnerWindow* owner = nullptr;
};

} // namespace

TEST_F(EditorControlsTest, APushIsTakenOnceFromThePressAndTheButtonRisesAtTheRelease)
{
    Press(15, 15);
    EXPECT_EQ(owner->pushes, 1);
    EXPECT_FALSE(owner->push->IsRaised());
    Release(15, 15);
    EXPECT_EQ(owner->pushes, 1);
    EXPECT_TRUE(owner->push->IsRaised());
    // Another program brought to the front while it is held (Alt+Tab with the
    // button down): it rises too.
    Press(15, 15);
    EXPECT_FALSE(owner->push->IsRaised());
    desktop.Host().SetApplicationFocus(false);
    Pump();
    desktop.Host().SetApplicationFocus(true);
    Pump();
    EXPECT_TRUE(owner->push->IsRaised());
    Release(15, 15);
}

TEST_F(EditorControlsTest, ACheckButtonAsksForTheOppositeAndShowsOnlyWhatItsOwnerSets)
{
    Click(40, 15);
    ASSERT_EQ(owner->checkRequests, std::vector<uint8_t>{1});
    EXPECT_FALSE(owner->check->IsOn()); // nobody accepted it
    owner->check->SetOn(true);
    const uint32_t raisedCentre = Pixel(33, 20);
    owner->UpdateDisplay();
    Pump();
    EXPECT_NE(Pixel(33, 20), raisedCentre) << "an accepted on state is drawn pressed";
    const uint32_t pressedCentre = Pixel(33, 20);
    Click(40, 15);
    EXPECT_EQ(owner->checkRequests, (std::vector<uint8_t>{1, 0}));
    EXPECT_EQ(Pixel(33, 20), pressedCentre) << "a request to turn off leaves it pressed until the owner agrees";
}

TEST_F(EditorControlsTest, ASteppersHalvesSplitTenPixelsFromTheTopOrLeftEdge)
{
    // The upper half of the up/down button is code 1; its pixel 10 already belongs to the lower half.
    for (const auto& [y, code] : {std::pair{19, 1}, std::pair{20, 2}, std::pair{30, 2}}) {
        owner->codes.clear();
        Click(85, y);
        ASSERT_EQ(owner->codes.size(), 2u) << y;
        EXPECT_EQ(owner->codes[0], code) << y;
        EXPECT_EQ(owner->codes[1], 0) << "the release";
    }
    for (const auto& [x, code] : {std::pair{110, 2}, std::pair{111, 1}}) {
        owner->sidewaysCodes.clear();
        Click(x, 15);
        ASSERT_EQ(owner->sidewaysCodes.size(), 2u);
        EXPECT_EQ(owner->sidewaysCodes[0], code) << x;
    }
}

TEST_F(EditorControlsTest, AHeldStepperRepeatsAfter400MsThenEvery100Ms)
{
    const uint64_t start = platform::NowMilliseconds();
    Press(85, 12);
    Step(750);
    Release(85, 12);
    std::vector<uint64_t> offsets;
    for (uint64_t t : owner->times)
        offsets.push_back(t - start);
    ASSERT_EQ(owner->codes.size(), 6u);
    EXPECT_EQ(owner->codes.back(), 0);
    // A repeat comes with the first idle step after it is due; the idle
    // steps come at the application's idle interval.
    const uint64_t late = app->GetIdleInterval() + 10;
    EXPECT_EQ(offsets[0], 0u);
    EXPECT_GE(offsets[1], 400u);
    EXPECT_LE(offsets[1], 400u + late);
    for (size_t i = 2; i < 5; ++i) {
        EXPECT_EQ(owner->codes[i], 1) << i;
        EXPECT_GE(offsets[i] - offsets[i - 1], 100u) << i;
        EXPECT_LE(offsets[i] - offsets[i - 1], 100u + late) << i;
    }
}

TEST_F(EditorControlsTest, ASlotButtonRecordsCtrlAndReturnsToItsHomeFrameWhenShownAgain)
{
    Click(135, 15);
    desktop.Host().PressKey(platform::kVKControl);
    Click(135, 15);
    desktop.Host().ReleaseKey(platform::kVKControl);
    ASSERT_EQ(owner->slotClicks.size(), 2u);
    EXPECT_EQ(owner->slotClicks[0], (std::pair<uint8_t, uint8_t>{1, 0}));
    EXPECT_EQ(owner->slotClicks[1], (std::pair<uint8_t, uint8_t>{1, 1}));

    const CRect home = owner->slot->GetFrame();
    owner->slot->SetHidden(true);
    owner->UpdateDisplay();
    EXPECT_EQ(owner->slot->GetFrame().left, CSlotButton::kHiddenPosition);
    EXPECT_EQ(owner->slot->GetHomeFrame(), home);
    Click(135, 15);
    EXPECT_EQ(owner->slotClicks.size(), 2u) << "a hidden button takes no clicks";
    owner->slot->SetHidden(false);
    owner->slot->SetOn(true);
    owner->UpdateDisplay();
    EXPECT_EQ(owner->slot->GetFrame(), home);
    Click(135, 15);
    ASSERT_EQ(owner->slotClicks.size(), 3u);
    EXPECT_EQ(owner->slotClicks[2].first, 0) << "an active slot asks to be turned off";
}

TEST_F(EditorControlsTest, TheLoadBarIsGreenOrRedUpToTheLoadAndBlackBeyond)
{
    struct Case {
        uint8_t load;
        uint8_t overload;
        int filled;
        uint32_t colour;
    };
    for (const Case& c : {Case{50, 0, 24, 0x00CC00u}, Case{50, 1, 24, 0xFF0000u}, Case{0, 0, 0, 0x00CC00u},
                          Case{100, 0, 48, 0x00CC00u}}) {
        owner->meter->SetLoad(c.load);
        owner->meter->SetOverload(c.overload);
        owner->UpdateDisplay();
        Pump();
        const platform::PixelBuffer screen = desktop.Host().Screen();
        const platform::Point origin = At(0, 0);
        // The bar's rows are 12 to 15 below the meter's top, between its inner edges.
        for (int y = 22; y <= 25; ++y) {
            for (int x = 161; x < 209; ++x) {
                const uint32_t expected = x - 161 < c.filled ? c.colour : 0x000000u;
                ASSERT_EQ(screen.At(origin.x + x, origin.y + y) & 0xFFFFFFu, expected)
                    << int(c.load) << " at " << x << "," << y;
            }
        }
    }
    EXPECT_EQ(Pixel(165, 12), 0x392F7Du) << "the label band";
}

TEST_F(EditorControlsTest, TheFlashMeterShowsTheUsedBarUpToTheUsageAndTheFreeBarBeyond)
{
    CABCBitmap* bars = app->GetImage(JpegPicture(CTBWindow::CFlashMeter::kPicture));
    ASSERT_NE(bars, nullptr);
    // The picture's colours, however the cache keeps its pixels.
    const auto Bar = [&](int x, int row) { return bars->GetDC()->GetPixel(x, row).value_or(0xFFFFFFFFu); };
    for (const auto& [usage, used] :
         {std::pair{0, 0}, std::pair{500, 50}, std::pair{999, 99}, std::pair{1000, 100}, std::pair{4000, 100}}) {
        owner->flash->SetUsage(usage);
        owner->UpdateDisplay();
        Pump();
        const platform::PixelBuffer screen = desktop.Host().Screen();
        const platform::Point origin = At(160, 40);
        for (int y = 0; y < 5; ++y)
            for (int x = 0; x < 100; ++x)
                ASSERT_EQ(screen.At(origin.x + x, origin.y + y) & 0xFFFFFFu, x < used ? Bar(x, 6 + y) : Bar(x, y))
                    << usage << " at " << x << "," << y;
    }
    owner->flash->Hide();
    owner->flash->Hide();
    EXPECT_TRUE(owner->flash->IsHidden());
    owner->flash->Show();
    EXPECT_EQ(owner->flash->GetFrame(), CRect(160, 40, 260, 45)) << "back where it was";
}
