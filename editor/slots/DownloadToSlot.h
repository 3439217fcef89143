#pragma once

class CPatch;

// Download To Slot: asks where the patch is to live (the slot dialog,
// captioned with the patch's name) and moves it there: into a slot of a
// synthesizer, which gets it sent, or out of its slot to be local, the slot
// getting an empty patch. Nothing happens when the user cancels or the
// chosen slot is gone. Failures are recorded and dropped: the window stays
// usable.
void DownloadPatchToSlot(CPatch& patch);
