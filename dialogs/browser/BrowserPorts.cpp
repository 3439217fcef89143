#include "dialogs/browser/BrowserPorts.h"

#include "synth/link/PortManager.h"

namespace browserports {

CPortManager* Ports()
{
    return GetPortManager();
}

bool HasCurrentSynth()
{
    return Ports() && Ports()->HasCurrentSynth();
}

bool CurrentSynthIsBusy()
{
    return Ports() && Ports()->IsCurrentSynthBusy();
}

} // namespace browserports
