#pragma once

#include "framework/base/Point.h"

#include <cstdint>
#include <string>

namespace NSHarrowen {
class CABCWindow;
}
class CSlotChoice;
class CPatch;

// The editor's dialogs that live above the editor: the program installs
// them. Without them the commands that open them stay disabled.
class CEditorDialogsInterface {
public:
    virtual ~CEditorDialogsInterface() = default;

    // The About box, centred on the frame, run modally.
    virtual void RunAbout() = 0;
    // The caption-less name box at a screen point: true when the user
    // confirmed, with the name (at most `maxLength` characters) in `name`.
    virtual bool RunNameDialog(NSHarrowen::CABCWindow* owner, const std::string& caption, std::string& name,
                               uint8_t maxLength, NSHarrowen::CPoint position) = 0;
    // The bank transfer dialogs of a port with a synthesizer, centred on the
    // frame, run modally.
    virtual void RunBankDownload(uint8_t port) = 0;
    virtual void RunBankUpload(uint8_t port) = 0;
    // The patch browser: shown or hidden (it keeps its state while hidden),
    // and destroyed at exit, recording its place and whether it was shown.
    virtual void ToggleBrowser() = 0;
    virtual bool IsBrowserShown() const = 0;
    virtual void CloseBrowser() = 0;
    // The slot selection, centred on the frame and run modally; the answer
    // is in the record.
    virtual void RunSlotDialog(CSlotChoice& choice) = 0;
    // The MIDI set-up of the four ports, centred and run modally.
    virtual void RunMidiSetup() = 0;
    // The settings of a patch, owned by its window, run modally.
    virtual void RunPatchSettings(NSHarrowen::CABCWindow* owner, CPatch& patch) = 0;
    // Stores the patch of a slot (0-3) of the synthesizer on a port into a
    // flash location the user picks.
    virtual void RunSaveInSynth(const std::string& patchName, uint8_t port, uint8_t slot) = 0;
    // The editor's options over the preferences, run modally.
    virtual void RunOptions() = 0;
    // The MIDI controller choice for a parameter of `patch` whose controller
    // is `current` (121 for none), run modally: 1 assign `chosen`, 2
    // cancelled, 3 remove the parameter's controller.
    virtual int RunMidiControl(const CPatch& patch, uint8_t current, uint8_t& chosen) = 0;
    // The global settings of the synthesizer on a port (0-3), centred and
    // run modally.
    virtual void RunSynthSettings(uint8_t port) = 0;
};

void SetEditorDialogs(CEditorDialogsInterface* dialogs);
// Null until installed.
CEditorDialogsInterface* GetEditorDialogs();
