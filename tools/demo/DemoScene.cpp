#include "DemoScene.h"

#include "framework/drawing/Canvas.h"
#include "framework/windows/DocumentWindow.h"
#include "framework/drawing/FontSpec.h"
#include "framework/views/SolidColorGroupView.h"
#include "platform/windows/Window.h"

#include <string>

namespace demo {

using namespace NSHarrowen;

namespace {

// A labelled box that darkens while pressed.
class CBoxView : public CView {
public:
    CBoxView(CGroupView* parent, const CRect& frame, const CColor& color, std::string label)
        : CView(parent, frame), color_(color), label_(std::move(label))
    { }

    void Draw() override
    {
        CCanvas canvas(GetWindow());
        const CColor fill = pressed_ ? CColor(color_.red / 2, color_.green / 2, color_.blue / 2) : color_;
        canvas.FillRect(GetFrame(), fill);
        canvas.FrameRect(GetFrame(), kBlack);
        canvas.DrawStringCentered(GetFrame(), label_.c_str(), CFontSpec("Liberation Sans", 12), kBlack);
    }
    void MouseDown(const CEvent&) override
    {
        if (CaptureMouse()) {
            pressed_ = true;
            InvalidateFrame();
        }
    }
    void MouseStillDown() override
    {
        pressed_ = false;
        ReleaseMouse();
        InvalidateFrame();
    }

private:
    CColor color_;
    std::string label_;
    bool pressed_ = false;
};

// A panel of boxes on a coloured ground.
class CPanelView : public CSolidColorGroupView {
public:
    CPanelView(CGroupView* parent, const CRect& frame, const CColor& ground) : CSolidColorGroupView(parent, frame)
    {
        SetColor(ground);
    }
    ~CPanelView() override { DeleteChildren(); }
};

void FillDocument(CDocumentWindow& window, const CColor& ground, const char* name)
{
    auto* panel = new CPanelView(window.GetRootView(), CRect(8, 8, 292, 172), ground);
    new CBoxView(panel, CRect(20, 20, 140, 70), kPaleGreen, name);
    new CBoxView(panel, CRect(100, 50, 260, 110), kGrey80, "Overlap");
    new CBoxView(panel, CRect(20, 120, 272, 160), CColor(0xFFFF, 0xE000, 0x8000), "Press me");
}

} // namespace

DemoScene::DemoScene(CApplication& app) : app_(app)
{
    if (!app.GetFrameHandle()) {
        ownsFrame_ = true;
        const platform::WindowHandle frame = app.CreateFrameWindow();
        platform::MoveWindow(frame, platform::Rect::FromSize(40, 40, 800, 600), true);
        platform::ShowWindow(frame, platform::ShowCommand::Show);
    }
    const CColor grounds[] = {CColor(0x3000, 0x5000, 0x9000), CColor(0x8000, 0x3000, 0x3000)};
    const char* names[] = {"Patch A", "Patch B"};
    for (int i = 0; i < 2; ++i) {
        auto* window = new CDocumentWindow(2, names[i]);
        FillDocument(*window, grounds[i], names[i]);
        window->Open(window->GetRectForContentSize(300, 180));
    }
}

DemoScene::~DemoScene()
{
    while (CountWindows() > 0)
        delete GetWindowAt(0);
    if (ownsFrame_)
        app_.DestroyFrameWindow();
}

} // namespace demo
