#pragma once

// A patch window of the editor, worked with the mouse and the keyboard, on
// top of an editor fixture: presses, moves and releases at points of the
// window, and a stand-in for a toolbar's module button that places new
// modules by dragging them into a voice area.

#include "tests/editor/EditorFixture.h"

#include "editor/windows/PatchView.h"
#include "framework/views/View.h"
#include "framework/windows/ApplicationToolbar.h"
#include "patch/area/PatchBackground.h"
#include "patch/document/Patch.h"
#include "platform/input/Keys.h"
#include "platform/windows/Window.h"

#include <cstdint>
#include <string>
#include <vector>

namespace editortest {

inline constexpr uint8_t kConstant = 43;
inline constexpr uint8_t kSmooth = 39;

// Stands in for a toolbar's module button: its press starts placing a new
// module, and it counts the ends of its drags.
class CNewModuleButton : public NSHarrowen::CView {
public:
    CNewModuleButton(NSHarrowen::CGroupView* parent, uint8_t type);
    void SetType(uint8_t type) { type_ = type; }
    void MouseDown(const NSHarrowen::CEvent&) override;
    void MouseUp() override { ++ended; }
    int ended = 0;

private:
    uint8_t type_;
};

bool SameScreen(const platform::PixelBuffer& a, const platform::PixelBuffer& b);

template <typename Editor> class PatchWindowDriver : public Editor {
protected:
    // Lets time pass after each gesture (a fixture with a synthesizer lets
    // it answer meanwhile).
    virtual void Tick(uint64_t ms) { this->Step(ms); }

    // Works on the patch's window from now on, with the stand-in button.
    void UseWindowOf(CPatch& shown)
    {
        patch = &shown;
        view = dynamic_cast<CPatchView*>(patch->GetWindow());
        ASSERT_NE(view, nullptr);
        if (!toolbar) {
            toolbar = new NSHarrowen::CApplicationToolbar(24);
            button = new CNewModuleButton(toolbar->GetRootView(), kConstant);
        }
        Tick(20);
    }

    platform::HeadlessHost& Host() { return this->desktop.Host(); }
    platform::Point Screen(NSHarrowen::CPoint p) const
    {
        return platform::ClientToScreen(view->GetHandle(), {p.x, p.y});
    }
    // The stand-in button's middle, in the patch window's coordinates.
    NSHarrowen::CPoint ButtonPoint() const
    {
        const platform::Point screen = platform::ClientToScreen(toolbar->GetHandle(), {12, 12});
        const platform::Point client = platform::ScreenToClient(view->GetHandle(), screen);
        return NSHarrowen::CPoint(client.x, client.y);
    }
    void MoveTo(NSHarrowen::CPoint p)
    {
        Host().MoveMouse(Screen(p));
        Tick(20);
    }
    void Press(NSHarrowen::CPoint p)
    {
        Host().PressMouse(Screen(p));
        Tick(20);
    }
    void Release(NSHarrowen::CPoint p)
    {
        Host().ReleaseMouse(Screen(p));
        Tick(20);
    }
    // A drag that moves in steps, as a hand does.
    void DragTo(NSHarrowen::CPoint from, NSHarrowen::CPoint to)
    {
        for (int i = 1; i <= 4; ++i)
            MoveTo(NSHarrowen::CPoint(from.x + (to.x - from.x) * i / 4, from.y + (to.y - from.y) * i / 4));
    }
    void HoldControl(bool held)
    {
        held ? Host().PressKey(platform::kVKControl) : Host().ReleaseKey(platform::kVKControl);
        Tick(20);
    }
    // A key pressed and released with the modifiers held.
    void Key(uint32_t key, const std::vector<uint32_t>& held = {})
    {
        for (const uint32_t modifier : held)
            Host().PressKey(modifier);
        Host().PressKey(key);
        Tick(20);
        Host().ReleaseKey(key);
        for (auto it = held.rbegin(); it != held.rend(); ++it)
            Host().ReleaseKey(*it);
        Tick(20);
    }
    CPatchBackground& Area(int index) { return *patch->GetArea(index); }
    // A point of the area's content (pixels from its content origin).
    NSHarrowen::CPoint InArea(int index, NSHarrowen::CPoint content)
    {
        const NSHarrowen::CPoint origin = Area(index).GetContentOffset();
        return NSHarrowen::CPoint(origin.x + content.x, origin.y + content.y);
    }
    // A new module placed from the stand-in toolbar button, released at a
    // content point of the area.
    CModuleInterface* Place(uint8_t type, int area, NSHarrowen::CPoint content)
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
    // A point on the panel away from its knobs, buttons and jacks.
    NSHarrowen::CPoint OnPanel(CModuleInterface& module)
    {
        const NSHarrowen::CRect frame = module.GetView().GetFrame();
        return NSHarrowen::CPoint(frame.left + 60, frame.top + 20);
    }
    // "Name@column,row" of each module of the area.
    std::vector<std::string> Names(int area)
    {
        std::vector<std::string> names;
        for (const CModuleInterface* module : Area(area).GetModules())
            names.push_back(module->GetName() + "@" + std::to_string(module->GetColumn()) + "," +
                            std::to_string(module->GetRow()));
        return names;
    }

    CPatch* patch = nullptr;
    CPatchView* view = nullptr;
    NSHarrowen::CApplicationToolbar* toolbar = nullptr;
    CNewModuleButton* button = nullptr;
};

// A new local patch split at 300 pixels.
class PatchWindowTest : public PatchWindowDriver<EditorTest> {
protected:
    void SetUp() override;
};

} // namespace editortest
