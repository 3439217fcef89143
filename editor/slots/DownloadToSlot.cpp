#include "editor/slots/DownloadToSlot.h"

#include "editor/app/EditorDialogsInterface.h"
#include "editor/patches/PatchManager.h"
#include "editor/slots/SlotChoice.h"
#include "patch/document/Patch.h"
#include "platform/base/DroppedExceptions.h"
#include "synth/link/PortManager.h"

void DownloadPatchToSlot(CPatch& patch)
{
    CEditorDialogsInterface* dialogs = GetEditorDialogs();
    CPatchManager* patches = GetPatchManager();
    if (!dialogs || !patches)
        return;
    try {
        CSlotChoice choice(patch.GetName(), false);
        dialogs->RunSlotDialog(choice);
        if (choice.IsCancelled() || choice.GetResult() == CSlotChoice::kNotEnded)
            return;
        if (choice.IsLocal()) {
            patches->ReplaceWithEmptyPatch(patch);
            return;
        }
        // The synthesizer may have gone or changed while the dialog ended.
        const CPortManager* ports = GetPortManager();
        if (ports && ports->HasSynth(choice.GetPort()) && choice.GetSlot() < ports->GetSlotCount(choice.GetPort()))
            patches->MovePatchToSlot(choice.GetPort(), choice.GetSlot(), patch);
    } catch (...) {
        platform::RecordDroppedException("download to slot");
    }
}
