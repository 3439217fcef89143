#include "dialogs/about/EditorDialogs.h"

#include "dialogs/about/DialogAbout.h"
#include "dialogs/midi/DialogMIDI.h"
#include "dialogs/midicontrol/DialogMIDIControl.h"
#include "dialogs/name/NameDialog.h"
#include "dialogs/options/DialogOptions.h"
#include "dialogs/patchsettings/DialogPatchSettings.h"
#include "dialogs/savesynth/DialogSavePatchInSynth.h"
#include "dialogs/slot/DialogSlot.h"
#include "dialogs/synthsettings/DialogSynthSettings.h"
#include "editor/prefs/Preferences.h"
#include "synth/link/PortManager.h"

void CEditorDialogs::RunAbout()
{
    auto* about = new CDialogAbout();
    about->CenterOnFrame();
    about->Open(about->GetWindowRectInFrame());
    NSHarrowen::RunModal(about);
}

bool CEditorDialogs::RunNameDialog(NSHarrowen::CABCWindow* owner, const std::string& caption, std::string& name,
                                   uint8_t maxLength, NSHarrowen::CPoint position)
{
    bool accepted = false;
    auto* dialog = new CNameDialog(owner, caption, name, maxLength, position, &accepted);
    dialog->Open(CNameDialog::PlaceFor(position));
    NSHarrowen::RunModal(dialog);
    return accepted;
}

void CEditorDialogs::RunSlotDialog(CSlotChoice& choice)
{
    auto* dialog = new CDialogSlot(choice);
    dialog->CenterOnFrame();
    dialog->Open(dialog->GetWindowRectInFrame());
    NSHarrowen::RunModal(dialog);
}

void CEditorDialogs::RunMidiSetup()
{
    CPortManager* ports = GetPortManager();
    if (!ports)
        return;
    auto* dialog = new CDialogMIDI(*ports);
    dialog->CenterOnFrame();
    dialog->Open(dialog->GetWindowRectInFrame());
    NSHarrowen::RunModal(dialog);
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
    auto* dialog = new CDialogSavePatchInSynth(*ports, patchName, port, slot);
    dialog->CenterOnFrame();
    dialog->Open(dialog->GetWindowRectInFrame());
    NSHarrowen::RunModal(dialog);
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
