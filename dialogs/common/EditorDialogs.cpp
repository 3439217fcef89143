#include "dialogs/common/EditorDialogs.h"

#include "dialogs/about/DialogAbout.h"
#include "dialogs/banks/DialogPatchDownload.h"
#include "dialogs/banks/DialogPatchUpload.h"
#include "dialogs/browser/Browser.h"
#include "editor/floaters/WindowTogglerEx.h"
#include "dialogs/midi/DialogMIDI.h"
#include "dialogs/midicontrol/DialogMIDIControl.h"
#include "dialogs/name/NameDialog.h"
#include "dialogs/options/DialogOptions.h"
#include "dialogs/patchsettings/DialogPatchSettings.h"
#include "dialogs/savesynth/DialogSavePatchInSynth.h"
#include "dialogs/slot/DialogSlot.h"
#include "dialogs/synthsettings/DialogSynthSettings.h"
#include "editor/prefs/Preferences.h"
#include "editor/toolbar/TBWindow.h"
#include "platform/windows/Window.h"
#include "synth/link/PortManager.h"

namespace {

void RunCentred(NSHarrowen::CModalDialog* dialog)
{
    dialog->CenterOnFrame();
    dialog->Open(dialog->GetWindowRectInFrame());
    NSHarrowen::RunModal(dialog);
}

// A name box never covers the menu bar: asked for at the toolbar's name
// field, it lies over the field itself.
NSHarrowen::CPoint KeepBelowMenuBar(NSHarrowen::CPoint position)
{
    const CTBWindow* toolbar = GetToolbarWindow();
    if (!toolbar)
        return position;
    const int top = platform::GetWindowRect(toolbar->GetHandle()).top;
    const NSHarrowen::CRect place = CNameDialog::PlaceFor(position);
    if (place.top < top)
        position.y = static_cast<int16_t>(position.y + (top - place.top));
    return position;
}

} // namespace

void CEditorDialogs::RunAbout()
{
    RunCentred(new CDialogAbout());
}

bool CEditorDialogs::RunNameDialog(NSHarrowen::CABCWindow* owner, const std::string& caption, std::string& name,
                                   uint8_t maxLength, NSHarrowen::CPoint position)
{
    bool accepted = false;
    position = KeepBelowMenuBar(position);
    auto* dialog = new CNameDialog(owner, caption, name, maxLength, position, &accepted);
    dialog->Open(CNameDialog::PlaceFor(position));
    NSHarrowen::RunModal(dialog);
    return accepted;
}

void CEditorDialogs::RunSlotDialog(CSlotChoice& choice)
{
    RunCentred(new CDialogSlot(choice));
}

void CEditorDialogs::RunMidiSetup()
{
    CPortManager* ports = GetPortManager();
    if (!ports)
        return;
    RunCentred(new CDialogMIDI(*ports));
}

void CEditorDialogs::RunPatchSettings(NSHarrowen::CABCWindow* owner, CPatch& patch)
{
    auto* dialog = new CDialogPatchSettings(owner, patch);
    dialog->Open(dialog->GetWindowRectInFrame());
    NSHarrowen::RunModal(dialog);
}

void CEditorDialogs::RunSaveInSynth(const std::string& patchName, uint8_t port, uint8_t slot)
{
    CPortManager* ports = GetPortManager();
    if (!ports || !ports->HasSynth(port))
        return;
    RunCentred(new CDialogSavePatchInSynth(*ports, patchName, port, slot));
}

void CEditorDialogs::RunBankDownload(uint8_t port)
{
    RunCentred(new CDialogPatchDownload(port));
}

void CEditorDialogs::RunBankUpload(uint8_t port)
{
    RunCentred(new CDialogPatchUpload(port));
}

void CEditorDialogs::RunOptions()
{
    CPreferences* preferences = GetPreferences();
    if (!preferences)
        return;
    // Placed where its template puts it (centred), as it was last shown.
    auto* dialog = new CDialogOptions(*preferences);
    dialog->Open(dialog->GetWindowRectInFrame());
    NSHarrowen::RunModal(dialog);
}

int CEditorDialogs::RunMidiControl(const CPatch& patch, uint8_t current, uint8_t& chosen)
{
    int result = CDialogMIDIControl::kResultCancel;
    CMidiCtrlByte controller(current);
    auto* dialog = new CDialogMIDIControl();
    try {
        dialog->FillAssignments(patch, &controller, &result);
    } catch (...) {
        delete dialog;
        throw;
    }
    dialog->Open(dialog->GetWindowRectInFrame());
    NSHarrowen::RunModal(dialog);
    chosen = controller.Get();
    return result;
}

void CEditorDialogs::RunSynthSettings(uint8_t port)
{
    CPortManager* ports = GetPortManager();
    if (!ports || !ports->HasSynth(port))
        return;
    auto* dialog = new CDialogSynthSettings(*ports, port);
    dialog->CenterOnFrame();
    dialog->Open(dialog->GetWindowRectInFrame());
    NSHarrowen::RunModal(dialog);
}

void CEditorDialogs::ToggleBrowser()
{
    if (CWindowTogglerEx<CBrowser>::IsShown())
        CWindowTogglerEx<CBrowser>::Hide();
    else
        CWindowTogglerEx<CBrowser>::Open();
}

bool CEditorDialogs::IsBrowserShown() const
{
    return CWindowTogglerEx<CBrowser>::IsShown();
}

void CEditorDialogs::CloseBrowser()
{
    delete CWindowTogglerEx<CBrowser>::Get();
}
