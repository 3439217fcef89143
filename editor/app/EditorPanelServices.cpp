#include "editor/app/EditorPanelServices.h"

#include "editor/app/EditorDialogsInterface.h"
#include "editor/patches/PatchManager.h"
#include "editor/toolbar/TBWindow.h"
#include "editor/windows/PatchView.h"
#include "framework/alerts/AlertBox.h"
#include "framework/application/Application.h"
#include "patch/document/Patch.h"
#include "platform/input/InputState.h"

#include <exception>

CEditorPanelServices::CEditorPanelServices()
{
    SetPanelServices(this);
}

CEditorPanelServices::~CEditorPanelServices()
{
    if (GetPanelServices() == this)
        SetPanelServices(nullptr);
}

bool CEditorPanelServices::AskPanelName(const CPanel&, std::string& name)
{
    const CPatchManager* patches = GetPatchManager();
    CPatch* patch = patches ? patches->GetActivePatch() : nullptr;
    auto* view = patch ? dynamic_cast<CPatchView*>(patch->GetWindow()) : nullptr;
    if (!view)
        return false;
    // The rename is chosen from the panel's menu, so the pointer is on the panel.
    const platform::Point at = platform::GetCursorPos();
    return view->RunNameDialog("Panel name", name, CPatchView::kNameLength, NSHarrowen::CPoint(at.x, at.y));
}

void CEditorPanelServices::ShowHelpTopic(uint32_t topic)
{
    NSHarrowen::CApplication* app = NSHarrowen::GetApplication();
    if (!app)
        return;
    try {
        app->ShowHelpTopic(topic);
    } catch (const std::exception&) {
        NSHarrowen::RunAlert(500128005);
    }
}

uint8_t CEditorPanelServices::GetToolbarMorphGroup() const
{
    const CTBWindow* toolbar = GetToolbarWindow();
    return toolbar ? toolbar->GetSelectionByte() : kNoMorphGroup;
}

int CEditorPanelServices::RunMidiControllerDialog(const CPatch& patch, uint8_t current, uint8_t& chosen)
{
    CEditorDialogsInterface* dialogs = GetEditorDialogs();
    return dialogs ? dialogs->RunMidiControl(patch, current, chosen) : kControllerCancel;
}
