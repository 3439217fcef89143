#pragma once

#include "platform/midi/MidiDevices.h"

// The life of a SysEx buffer (prepared, queued, done), shared by both
// directions of device.
namespace platform::detail {

MidiResult PrepareBuffer(MidiBuffer& buffer);
MidiResult UnprepareBuffer(MidiBuffer& buffer);
// Takes a prepared buffer that no device holds for the device.
MidiResult QueueBuffer(MidiBuffer& buffer);
void MarkDone(MidiBuffer& buffer);

} // namespace platform::detail
