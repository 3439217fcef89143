#include "tests/editor/PatchWindowFixture.h"

#include "editor/clipboard/Clipboard.h"
#include "editor/windows/PatchView.h"
#include "framework/windows/ApplicationToolbar.h"
#include "patch/area/PatchBackground.h"
#include "patch/document/Patch.h"
#include "platform/input/Keys.h"
#include "platform/windows/Window.h"

using namespace NSHarrowen;

namespace editortest {

CNewModuleButton::CNewModuleButton(CGroupView* parent, uint8_t type) : CView(parent, CRect(2, 2, 22, 22)), type_(type)
{ }

void CNewModuleButton::MouseDown(const CEvent&)
{
    GetModuleClipboard()->BeginDragFromToolbar(this, type_);
}

void PatchWindowTest::SetUp()
{
    EditorTest::SetUp();
    Launch();
    PressCtrl('N');
    Step(100);
    patch = Patches().front();
    view = dynamic_cast<CPatchView*>(patch->GetWindow());
    ASSERT_NE(view, nullptr);
    CPatchHeader header = patch->GetPatchHeader();
    header.SetSplitPosition(300);
    patch->SetPatchHeader(header);
    view->LayoutRootView();
    toolbar = new CApplicationToolbar(24);
    button = new CNewModuleButton(toolbar->GetRootView(), kConstant);
    Step(20);
}

platform::Point PatchWindowTest::Screen(CPoint p) const
{
    return platform::ClientToScreen(view->GetHandle(), {p.x, p.y});
}

CPoint PatchWindowTest::ButtonPoint() const
{
    const platform::Point screen = platform::ClientToScreen(toolbar->GetHandle(), {12, 12});
    const platform::Point client = platform::ScreenToClient(view->GetHandle(), screen);
    return CPoint(client.x, client.y);
}

void PatchWindowTest::MoveTo(CPoint p)
{
    Host().MoveMouse(Screen(p));
    Step(20);
}

void PatchWindowTest::Press(CPoint p)
{
    Host().PressMouse(Screen(p));
    Step(20);
}

void PatchWindowTest::Release(CPoint p)
{
    Host().ReleaseMouse(Screen(p));
    Step(20);
}

void PatchWindowTest::DragTo(CPoint from, CPoint to)
{
    for (int i = 1; i <= 4; ++i)
        MoveTo(CPoint(from.x + (to.x - from.x) * i / 4, from.y + (to.y - from.y) * i / 4));
}

void PatchWindowTest::HoldControl(bool held)
{
    held ? Host().PressKey(platform::kVKControl) : Host().ReleaseKey(platform::kVKControl);
    Step(20);
}

void PatchWindowTest::Key(uint32_t key, const std::vector<uint32_t>& held)
{
    for (const uint32_t modifier : held)
        Host().PressKey(modifier);
    Host().PressKey(key);
    Step(20);
    Host().ReleaseKey(key);
    for (auto it = held.rbegin(); it != held.rend(); ++it)
        Host().ReleaseKey(*it);
    Step(20);
}

CPatchBackground& PatchWindowTest::Area(int index)
{
    return *patch->GetArea(index);
}

CPoint PatchWindowTest::InArea(int index, CPoint content)
{
    const CPoint origin = Area(index).GetContentOffset();
    return CPoint(origin.x + content.x, origin.y + content.y);
}

CModuleInterface* PatchWindowTest::Place(uint8_t type, int area, CPoint content)
{
    button->SetType(type);
    Press(ButtonPoint());
    DragTo(ButtonPoint(), InArea(area, content));
    Release(InArea(area, content));
    CModuleInterface* placed = nullptr;
    for (CModuleInterface* module : Area(area).GetModules())
        if (module->GetTypeId() == type)
            placed = module;
    return placed;
}

CPoint PatchWindowTest::OnPanel(CModuleInterface& module)
{
    const CRect frame = module.GetView().GetFrame();
    return CPoint(frame.left + 60, frame.top + 20);
}

std::vector<std::string> PatchWindowTest::Names(int area)
{
    std::vector<std::string> names;
    for (const CModuleInterface* module : Area(area).GetModules())
        names.push_back(module->GetName() + "@" + std::to_string(module->GetColumn()) + "," +
                        std::to_string(module->GetRow()));
    return names;
}

bool PatchWindowTest::SameScreen(const platform::PixelBuffer& a, const platform::PixelBuffer& b)
{
    if (a.Width() != b.Width() || a.Height() != b.Height())
        return false;
    for (int y = 0; y < a.Height(); ++y)
        for (int x = 0; x < a.Width(); ++x)
            if (a.At(x, y) != b.At(x, y))
                return false;
    return true;
}

} // namespace editortest
