#pragma once

// A patch window of the editor, worked with the mouse and the keyboard: a
// new local patch split at 300 pixels, and a stand-in for a toolbar's
// module button that places new modules by dragging them.

#include "tests/editor/EditorFixture.h"

#include "framework/views/View.h"

#include <cstdint>
#include <string>
#include <vector>

namespace NSHarrowen {
class CApplicationToolbar;
}
class CModuleInterface;
class CPatchBackground;
class CPatchView;

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

class PatchWindowTest : public EditorTest {
protected:
    void SetUp() override;

    platform::HeadlessHost& Host() { return desktop.Host(); }
    platform::Point Screen(NSHarrowen::CPoint p) const;
    // The stand-in button's middle, in the patch window's coordinates.
    NSHarrowen::CPoint ButtonPoint() const;
    void MoveTo(NSHarrowen::CPoint p);
    void Press(NSHarrowen::CPoint p);
    void Release(NSHarrowen::CPoint p);
    // A drag that moves in steps, as a hand does.
    void DragTo(NSHarrowen::CPoint from, NSHarrowen::CPoint to);
    void HoldControl(bool held);
    // A key pressed and released with the modifiers held.
    void Key(uint32_t key, const std::vector<uint32_t>& held = {});
    CPatchBackground& Area(int index);
    // A point of the area's content (pixels from its content origin).
    NSHarrowen::CPoint InArea(int index, NSHarrowen::CPoint content);
    // A new module placed from the stand-in toolbar button, released at a
    // content point of the area.
    CModuleInterface* Place(uint8_t type, int area, NSHarrowen::CPoint content);
    // A point on the panel away from its knobs, buttons and jacks.
    NSHarrowen::CPoint OnPanel(CModuleInterface& module);
    // "Name@column,row" of each module of the area.
    std::vector<std::string> Names(int area);
    static bool SameScreen(const platform::PixelBuffer& a, const platform::PixelBuffer& b);

    CPatch* patch = nullptr;
    CPatchView* view = nullptr;
    NSHarrowen::CApplicationToolbar* toolbar = nullptr;
    CNewModuleButton* button = nullptr;
};

} // namespace editortest
