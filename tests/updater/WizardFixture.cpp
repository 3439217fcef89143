#include "tests/updater/WizardFixture.h"

#include "framework/alerts/AlertBox.h"
#include "framework/controls/CheckBoxView.h"
#include "framework/controls/PopupButtonView.h"
#include "framework/controls/PushButtonView.h"
#include "framework/views/StaticTextView.h"
#include "framework/windows/ABCWindow.h"
#include "platform/controls/Controls.h"
#include "platform/filedialogs/FileBrowser.h"
#include "platform/input/Keys.h"
#include "platform/system/Clock.h"
#include "platform/windows/MessageQueue.h"
#include "platform/windows/Window.h"
#include "resources/BootwrenResources.h"
#include "tests/updater/support/UpdateLinkFixture.h"
#include "updater/pages/PageCurrent.h"
#include "updater/pages/PageDone.h"
#include "updater/pages/PageDump.h"
#include "updater/pages/PageDumpError.h"
#include "updater/pages/PageMidi.h"
#include "updater/pages/PagePrepare.h"
#include "updater/pages/PageStart.h"
#include "updater/pages/PageStore.h"

#include <algorithm>
#include <typeinfo>

using namespace NSHarrowen;
using namespace NSBootwren;

namespace updatertest {

void WizardTest::SetUp()
{
    quitUnder_ = nullptr;
    BootwrenResources();
    // Another port first, which never answers, so the simulator's must be chosen.
    otherSynth.Faults().silent = true;
    otherPort = std::make_unique<sim::CSimUpdatePort>(otherSynth, "Another Port");
    port = std::make_unique<sim::CSimUpdatePort>(synth, kSimDeviceName);
    operator_ = std::make_unique<testsupport::TimerOperator>([this] { OperateAlerts(); });
    platform::SetFileDialogResponder([this](const platform::FileDialogRequest& request) -> std::optional<std::string> {
        fileDialogs.push_back(request.title);
        fileDialogFolders.push_back(request.initialFolder);
        if (dialogAnswers.empty())
            return std::nullopt;
        std::string path = dialogAnswers.front();
        dialogAnswers.erase(dialogAnswers.begin());
        return path;
    });
}

void WizardTest::TearDown()
{
    if (app) {
        app->Exit();
        while (CountWindows() > 0)
            delete GetWindowAt(0);
        app.reset();
    }
    platform::SetFileDialogResponder(nullptr);
    operator_.reset();
    port.reset();
    otherPort.reset();
}

void WizardTest::OperateAlerts()
{
    for (int i = CountWindows() - 1; i >= 0; --i) {
        auto* box = dynamic_cast<CAlertBox*>(GetWindowAt(i));
        if (!box || box->IsMarkedForDeletion() || !box->GetButton(1))
            continue;
        if (alertAnswer == AlertAnswer::Quit && box == quitUnder_)
            return; // asked already; the quit ends it
        alerts.push_back(box->GetMessageView()->GetText());
        alertTimes.push_back(platform::NowMilliseconds());
        switch (alertAnswer) {
        case AlertAnswer::Button: {
            const platform::Rect r = platform::GetWindowRect(box->GetButton(1)->GetHandle());
            desktop.Host().Click({r.left + 5, r.top + 5});
            break;
        }
        case AlertAnswer::Return:
        case AlertAnswer::Escape: {
            const uint32_t key = alertAnswer == AlertAnswer::Return ? platform::kVKReturn : platform::kVKEscape;
            desktop.Host().PressKey(key);
            desktop.Host().ReleaseKey(key);
            break;
        }
        case AlertAnswer::Quit:
            quitUnder_ = box;
            desktop.Host().RequestQuit();
            break;
        }
        return;
    }
}

void WizardTest::BuildIn(const std::vector<uint8_t>* bytes)
{
    module_.reset();
    if (!bytes)
        return;
    builtIn_ = *bytes;
    entries_ = std::make_unique<CResourceEntry[]>(1);
    entries_[0] = {"DATA", CBootwren::kImageResource, builtIn_.data(), builtIn_.size()};
    module_ = std::make_unique<CResourceModule>("SyntheticImage", std::span(entries_.get(), 1));
}

void WizardTest::Launch(const SyntheticImage& image)
{
    const std::vector<uint8_t> bytes = image.Bytes();
    BuildIn(&bytes);
    Launch();
}

void WizardTest::Launch()
{
    app = std::make_unique<CBootwren>();
    const platform::WindowHandle frame = app->CreateFrameWindow();
    platform::ShowWindow(frame, platform::ShowCommand::Show);
    desktop.Host().SetApplicationFocus(true);
    app->SetIdleInterval(50);
    app->PumpWaiting(100000);
    app->Init();
    app->PumpWaiting(100000);
}

// One message at a time, each after the MIDI worker has handed on what came
// in: the link's sleeps pass on the virtual clock, not in real time.
void WizardTest::Step(uint64_t ms)
{
    for (uint64_t passed = 0; passed < ms; passed += 10) {
        desktop.Host().Advance(10);
        port->Deliver();
        for (;;) {
            WaitForInputDelivery(port->Device());
            const uint64_t before = platform::NowMilliseconds();
            if (app->PumpWaiting(1) == 0)
                break;
            longestDispatchMs = std::max(longestDispatchMs, platform::NowMilliseconds() - before);
        }
    }
}

bool WizardTest::WaitForPage(int page, uint64_t limitMs)
{
    for (uint64_t passed = 0; passed < limitMs && Page() != page; passed += 10)
        Step();
    return Page() == page;
}

platform::PixelBuffer WizardTest::OnScreen(platform::WindowHandle window)
{
    const platform::Rect r = platform::GetWindowRect(window);
    platform::PixelBuffer out;
    const std::vector<platform::SurfaceId> order = desktop.Host().StackingOrder();
    for (auto it = order.rbegin(); it != order.rend(); ++it) {
        const platform::Rect surface = desktop.Host().SurfaceRect(*it);
        const platform::PixelBuffer* shown = desktop.Host().SurfacePixels(*it);
        if (!desktop.Host().IsSurfaceShown(*it) || !shown || surface.Intersection(r) != r)
            continue;
        out.Resize(r.Width(), r.Height(), 0);
        for (int y = 0; y < r.Height(); ++y)
            for (int x = 0; x < r.Width(); ++x)
                out.Set(x, y, shown->At(r.left - surface.left + x, r.top - surface.top + y));
        break;
    }
    return out;
}

int WizardTest::Page() const
{
    CWizardDialog* page = app ? app->GetPage() : nullptr;
    if (!page)
        return 0;
    const std::type_info& type = typeid(*page);
    const std::type_info* pages[] = {&typeid(CPageStart),   &typeid(CPagePrepare),  &typeid(CPageMidi),
                                     &typeid(CPageCurrent), &typeid(CPageDump),     &typeid(CPageStore),
                                     &typeid(CPageDone),    &typeid(CPageDumpError)};
    for (int i = 0; i < 8; ++i)
        if (type == *pages[i])
            return i + 1;
    return 0;
}

std::vector<std::string> WizardTest::Texts() const
{
    std::vector<std::string> texts;
    const CGroupView* root = app->GetPage()->GetRootView();
    for (int i = 0; i < root->CountChildren(); ++i)
        if (auto* text = dynamic_cast<CStaticTextView*>(root->GetChild(i)))
            texts.push_back(text->GetText());
    return texts;
}

CStaticTextView* WizardTest::FirstText() const
{
    const CGroupView* root = app->GetPage()->GetRootView();
    for (int i = 0; i < root->CountChildren(); ++i)
        if (auto* text = dynamic_cast<CStaticTextView*>(root->GetChild(i)))
            return text;
    return nullptr;
}

void WizardTest::Click(CNativeControlView* view)
{
    const platform::Rect r = platform::GetWindowRect(view->GetHandle());
    desktop.Host().Click({r.left + 8, r.top + 6});
    app->PumpWaiting(100000);
    Step();
}

void WizardTest::ClickNext()
{
    Click(app->GetPage()->GetNextButton());
}

void WizardTest::ClickBack()
{
    Click(app->GetPage()->GetBackButton());
}

void WizardTest::ClickCancel()
{
    Click(app->GetPage()->GetCancelButton());
}

void WizardTest::Key(uint32_t virtualKey)
{
    desktop.Host().PressKey(virtualKey);
    desktop.Host().ReleaseKey(virtualKey);
    app->PumpWaiting(100000);
    Step();
}

void WizardTest::Pick(CNativeControlView* popup, int index)
{
    const platform::Rect r = platform::GetWindowRect(popup->GetHandle());
    desktop.Host().Click({r.left + 30, r.top + 10});
    app->PumpWaiting(100000);
    const platform::Point p{r.left + 30, r.top + platform::kComboFieldHeight + 1 + index * 16 + 8};
    desktop.Host().MoveMouse(p);
    desktop.Host().Click(p);
    app->PumpWaiting(100000);
    Step();
}

void WizardTest::GoToCurrentPageExpectingPage(int expected, bool safe)
{
    ASSERT_EQ(Page(), 1);
    ClickNext();
    ClickNext();
    ASSERT_EQ(Page(), 3);
    auto* midi = static_cast<CPageMidi*>(app->GetPage());
    Pick(midi->GetInputPopup(), FindPort(app->GetLink().GetInputMenu(), kSimDeviceName));
    Pick(midi->GetOutputPopup(), FindPort(app->GetLink().GetOutputMenu(), kSimDeviceName));
    if (safe)
        Click(midi->GetSafeBox());
    ClickNext();
    ASSERT_EQ(Page(), expected);
}

bool WizardTest::IsQuitRequested() const
{
    return app->GetRunState() == kRunStateQuitRequested || app->GetRunState() == kRunStateLeaveLoop;
}

} // namespace updatertest
