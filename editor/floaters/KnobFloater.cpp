#include "editor/floaters/KnobFloater.h"

#include "editor/floaters/KnobFloaterContainer.h"
#include "editor/patches/PatchManager.h"
#include "framework/drawing/Canvas.h"
#include "patch/document/Patch.h"
#include "patch/document/EditorServicesInterface.h"

using namespace NSHarrowen;

CRect CKnobFloater::GetDefaultRect()
{
    const CRect screen = GetScreenRect();
    const int left = screen.right - 350;
    const int top = screen.bottom - 205;
    return CRect(left, top, left + CKnobFloaterContainer::kWidth, top + CKnobFloaterContainer::kHeight);
}

CKnobFloater::CKnobFloater() : CFloaterWindow("Knob Floater", false, 0)
{
    container_ = new CKnobFloaterContainer(GetRootView());
}

CKnobFloater::~CKnobFloater() = default;

void CKnobFloater::Idle()
{
    UpdateState();
    UpdateDisplay();
    CFloaterWindow::Idle();
}

void CKnobFloater::DoCommand(const CKeyEvent& event)
{
    const CPatchManager* patches = GetPatchManager();
    CPatch* patch = patches ? patches->GetActivePatch() : nullptr;
    if (auto* window = patch ? dynamic_cast<CABCWindow*>(patch->GetWindow()) : nullptr) {
        window->DoCommand(event);
        return;
    }
    CFloaterWindow::DoCommand(event);
}

void CKnobFloater::GetSizeLimits(CPoint& minimum, CPoint& maximum) const
{
    minimum = CPoint(CKnobFloaterContainer::kWidth, CKnobFloaterContainer::kHeight);
    maximum = minimum;
}
