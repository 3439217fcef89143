#include "tests/editor/EditorFixture.h"

#include "dialogs/name/NameDialog.h"
#include "editor/patches/PatchManager.h"
#include "framework/alerts/AlertBox.h"
#include "framework/controls/PushButtonView.h"
#include "framework/controls/TextEditView.h"
#include "framework/menus/Menu.h"
#include "framework/menus/MenuBar.h"
#include "framework/views/StaticTextView.h"
#include "framework/windows/ABCWindow.h"
#include "patch/document/Patch.h"
#include "platform/input/Keys.h"
#include "platform/windows/MessageQueue.h"
#include "platform/windows/Window.h"
#include "resources/PatchoraResources.h"
#include "resources/PictureResources.h"

#include <memory>

using namespace NSHarrowen;

namespace editortest {

void EditorTest::SetUp()
{
    PatchoraResources();
    PictureResources();
    SetEditorDialogs(&dialogs);
    operator_ = std::make_unique<testsupport::TimerOperator>([this] { Operate(); });
}

void EditorTest::TearDown()
{
    if (app) {
        app->Exit();
        while (CountWindows() > 0)
            delete GetWindowAt(0);
        app.reset();
    }
    operator_.reset();
    SetEditorDialogs(nullptr);
}

void EditorTest::Operate()
{
    if (onOperatorTick)
        onOperatorTick();
    for (int i = CountWindows() - 1; i >= 0; --i) {
        CABCWindow* window = GetWindowAt(i);
        if (window->IsMarkedForDeletion())
            continue;
        if (auto* box = dynamic_cast<CAlertBox*>(window)) {
            alerts.push_back(box->GetMessageView()->GetText());
            box->GetButton(1)->Click();
            return;
        }
        if (operate && operate(*window))
            return;
    }
}

void EditorTest::Launch(const std::function<void()>& beforeInit)
{
    app = std::make_unique<CEditorApp>();
    if (beforeInit)
        beforeInit();
    const platform::WindowHandle frame = app->CreateFrameWindow();
    platform::ShowWindow(frame, platform::ShowCommand::Show);
    desktop.Host().SetApplicationFocus(true);
    app->PumpWaiting(100000);
    app->Init();
    Pump();
}

void EditorTest::Pump()
{
    app->PumpWaiting(100000);
}

void EditorTest::AnswerNameBox(const std::u32string& typed, uint32_t finalKey, std::string* shown)
{
    auto answered = std::make_shared<bool>(false);
    operate = [this, typed, finalKey, shown, answered](NSHarrowen::CABCWindow& window) {
        auto* box = dynamic_cast<CNameDialog*>(&window);
        if (!box || *answered)
            return false;
        *answered = true;
        if (shown)
            *shown = box->GetEdit()->GetText();
        for (const char32_t c : typed)
            desktop.Host().TypeCharacter(c);
        desktop.Host().PressKey(finalKey);
        desktop.Host().ReleaseKey(finalKey);
        return true;
    };
}

void EditorTest::Step(uint64_t ms)
{
    for (uint64_t passed = 0; passed < ms; passed += 10) {
        desktop.Host().Advance(10);
        Pump();
        app->IdleCheck();
    }
}

void EditorTest::PressCtrl(uint32_t key)
{
    desktop.Host().PressKey(platform::kVKControl);
    desktop.Host().PressKey(key);
    Pump();
    desktop.Host().ReleaseKey(key);
    desktop.Host().ReleaseKey(platform::kVKControl);
    Pump();
}

void EditorTest::UpdateMenus()
{
    app->PrepareMenus();
}

void EditorTest::Choose(uint32_t command)
{
    UpdateMenus();
    CMenu* menu = nullptr;
    int index = 0;
    ASSERT_TRUE(app->GetMenuBar()->FindCommand(command, menu, index)) << command;
    ASSERT_FALSE(menu->GetItem(index).disabled) << "command " << command << " is disabled";
    app->RouteMenuCommand(menu, command);
    Pump();
}

bool EditorTest::IsEnabled(uint32_t command)
{
    CMenu* menu = nullptr;
    int index = 0;
    return app->GetMenuBar()->FindCommand(command, menu, index) && !menu->GetItem(index).disabled;
}

bool EditorTest::IsChecked(uint32_t command)
{
    CMenu* menu = nullptr;
    int index = 0;
    return app->GetMenuBar()->FindCommand(command, menu, index) && menu->GetItem(index).checked;
}

std::vector<CPatch*> EditorTest::Patches() const
{
    std::vector<CPatch*> patches;
    for (const auto& patch : app->GetPatches()->GetPatches())
        patches.push_back(patch.get());
    return patches;
}

std::vector<CPatch*> EditorTest::NewPatches(int count)
{
    for (int i = 0; i < count; ++i)
        PressCtrl('N');
    Step(100);
    return Patches();
}

bool EditorTest::Quit()
{
    // The loop asks as soon as it sees the request.
    PressCtrl('Q');
    Step(100);
    return app->GetRunState() == kRunStateLeaveLoop;
}

} // namespace editortest
