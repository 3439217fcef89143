#pragma once

class CPortManager;

// The program's ports as the browser's pages ask for them; none in a
// program without a synthesizer link.
namespace browserports {

CPortManager* Ports();
bool HasCurrentSynth();
// A current synthesizer that waits for an answer holds every flash action.
bool CurrentSynthIsBusy();

} // namespace browserports
