#include "framework/midi/MIDIInput.h"

#include "framework/midi/MIDIInputParser.h"
#include "framework/midi/MIDIWorker.h"

#include <algorithm>

namespace NSHarrowen {

namespace {

std::vector<CMIDIInput*>& Inputs()
{
    static std::vector<CMIDIInput*>* inputs = new std::vector<CMIDIInput*>;
    return *inputs;
}

} // namespace

CMIDIInput::CMIDIInput(const CRegisteredMIDIInput& entry, CMIDIInputParser& receiver)
    : receiver_(receiver), entry_(entry)
{
    platform::LockGuard guard(GetMIDILock());
    receiver_.input_ = this;
    Inputs().push_back(this);
}

CMIDIInput::~CMIDIInput()
{
    platform::LockGuard guard(GetMIDILock());
    auto& inputs = Inputs();
    inputs.erase(std::remove(inputs.begin(), inputs.end(), this), inputs.end());
    if (receiver_.input_ == this)
        receiver_.input_ = nullptr;
}

const std::vector<CMIDIInput*>& CMIDIInput::OpenInputs()
{
    return Inputs();
}

} // namespace NSHarrowen
