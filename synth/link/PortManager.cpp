#include "synth/link/PortManager.h"

#include "framework/windows/ABCWindow.h"
#include "framework/alerts/AlertScript.h"
#include "framework/menus/Menu.h"
#include "synth/link/LinkApplicationInterface.h"
#include "synth/link/PortPreferencesInterface.h"
#include "synth/link/Synth.h"
#include "synth/link/SynthPort.h"

#include <utility>
#include <vector>

namespace {

CPortManager* g_portManager = nullptr;

// Sets a flag for its length (a port's step under way, alerts held).
class CSteppingMark {
public:
    explicit CSteppingMark(bool& flag) : flag_(flag), outer_(std::exchange(flag, true)) { }
    ~CSteppingMark() { flag_ = outer_; }
    CSteppingMark(const CSteppingMark&) = delete;
    CSteppingMark& operator=(const CSteppingMark&) = delete;

private:
    bool& flag_;
    const bool outer_;
};

constexpr const char* kFailureAlertEnd = "Open the MIDI dialog and enable the port again.";

// A sentence of the failure alert: the text, a period unless it has one,
// and a line break; nothing for an empty text.
std::string AlertSentence(const std::string& text)
{
    if (text.empty())
        return {};
    return text + (text.back() == '.' ? "\r" : ".\r");
}

template <class Registry> std::unique_ptr<NSHarrowen::CMenu> MakeDeviceMenu(const Registry& registry)
{
    auto menu = std::make_unique<NSHarrowen::CMenu>();
    for (uint16_t i = 0; i < registry.GetCount(); ++i)
        menu->AppendItem(registry.GetAt(i)->GetName());
    return menu;
}

template <class Registry> std::string DeviceName(const Registry& registry, uint16_t index)
{
    const auto* entry = registry.GetAt(index);
    return entry != nullptr ? entry->GetName() : std::string();
}

} // namespace

CPortManager* GetPortManager()
{
    return g_portManager;
}

CPortManager::CPortManager(const CPortManagerServices& services)
    : services_(services), inputs_(std::make_unique<NSHarrowen::CInputPortRegistry>()),
      outputs_(std::make_unique<NSHarrowen::COutputPortRegistry>())
{
    ListDevices();
    g_portManager = this;
}

void CPortManager::ListDevices()
{
    inputs_->DeleteAll();
    outputs_->DeleteAll();
    NSHarrowen::RegisterMMEPorts(*inputs_, *outputs_);
    inputMenu_ = MakeDeviceMenu(*inputs_);
    inputCount_ = inputs_->GetCount();
    outputMenu_ = MakeDeviceMenu(*outputs_);
    outputCount_ = outputs_->GetCount();
}

void CPortManager::RefreshDeviceLists()
{
    // An open port's devices stay open: they do not depend on the lists.
    ListDevices();
    for (CPortEntry& entry : entries_) {
        if (!entry.inputName.empty() && !inputs_->FindByName(entry.inputName, entry.input))
            entry.input = kNotListed;
        if (!entry.outputName.empty() && !outputs_->FindByName(entry.outputName, entry.output))
            entry.output = kNotListed;
    }
}

void CPortManager::TakeDevices(CPortEntry& entry, uint16_t input, uint16_t output) const
{
    entry.input = input;
    entry.output = output;
    if (input != kNotListed)
        entry.inputName = DeviceName(*inputs_, input);
    if (output != kNotListed)
        entry.outputName = DeviceName(*outputs_, output);
}

CPortManager::~CPortManager()
{
    // The ports first: closing the last input stops the MIDI worker, and a
    // port reports its lost synthesizer here.
    CloseAll();
    if (g_portManager == this)
        g_portManager = nullptr;
}

void CPortManager::CloseAll()
{
    for (uint8_t port = 0; port < kPortCount; ++port)
        ClosePort(port);
}

// ---- ports ----

void CPortManager::OpenPort(uint8_t port, uint16_t inputIndex, uint16_t outputIndex)
{
    if (port >= kPortCount)
        return;
    auto opened = std::make_unique<CSynthPort>(*this, port, inputIndex, outputIndex);
    CPortEntry& entry = entries_[port];
    entry.port = std::move(opened);
    TakeDevices(entry, inputIndex, outputIndex);
}

void CPortManager::SetPortDevices(uint8_t port, uint16_t inputIndex, uint16_t outputIndex)
{
    if (port < kPortCount)
        TakeDevices(entries_[port], inputIndex, outputIndex);
}

void CPortManager::ClosePort(uint8_t port)
{
    // reset() clears the pointer before the port is deleted, so the port's
    // report of its lost synthesizer already finds the entry closed.
    if (port < kPortCount)
        entries_[port].port.reset();
}

CSynthPort* CPortManager::GetPort(uint8_t port) const
{
    return port < kPortCount ? entries_[port].port.get() : nullptr;
}

void CPortManager::Idle()
{
    ServiceNextPort();
    ShowRefusedParts();
}

void CPortManager::KeepContact()
{
    const CSteppingMark held(alertsHeld_);
    OnMidiArrival();
    ServiceNextPort();
}

void CPortManager::ServiceNextPort()
{
    uint8_t position = nextPort_;
    while (position < kPortCount && entries_[position].port == nullptr)
        ++position;
    if (position >= kPortCount)
        position = 0;
    if (entries_[position].port != nullptr)
        ServicePort(position);
    nextPort_ = static_cast<uint8_t>((position + 1) % kPortCount);
}

void CPortManager::OnMidiArrival()
{
    for (uint8_t port = 0; port < kPortCount; ++port) {
        const CSynthPort* link = entries_[port].port.get();
        if (link != nullptr && (link->HasMessage() || link->IsStepWanted()))
            ServicePort(port, true);
    }
}

void CPortManager::ServicePort(uint8_t port, bool onArrival)
{
    CPortEntry& entry = entries_[port];
    // A handler of the port's step that runs a loop of its own (an alert)
    // gets the idle work from there: the port is not stepped again, nor
    // closed, beneath its own step.
    if (entry.stepping)
        return;
    CSynthPort& link = *entry.port;
    {
        const CSteppingMark mark(entry.stepping);
        link.Idle(onArrival);
    }
    if (!link.IsFailed() || alertsHeld_)
        return;
    // The port comes first, so the user knows which one to enable again.
    const std::string displayName = PortLabel(port) + ": " + GetDisplayName(port);
    const std::string failureText = link.GetFailureText();
    ClosePort(port);
    NSHarrowen::UpdateAllWindows();
    ReportFailure(displayName, failureText);
}

void CPortManager::ReportFailure(const std::string& displayName, const std::string& failureText)
{
    // The names and texts are the synthesizer's and the link's: made safe
    // to stand in a script (no brackets that would read as buttons).
    const std::string text = AlertSentence(displayName) + AlertSentence(failureText) + kFailureAlertEnd;
    services_.application.RunAlertText(NSHarrowen::MakeAlertScript("[STOP]", text, "OK"));
}

void CPortManager::ReportRefusedPart(uint8_t port, uint8_t slot, const std::string& text)
{
    // One alert per slot until it is shown: the parts of one patch that
    // fail after the first say nothing new.
    for (const CRefusedPart& part : refusedParts_) {
        if (part.port == port && part.slot == slot)
            return;
    }
    refusedParts_.push_back({port, slot, text});
}

void CPortManager::ShowRefusedParts()
{
    // Taken out first: the alert runs the application's idle work, which
    // may add to the list.
    const std::vector<CRefusedPart> parts = std::exchange(refusedParts_, {});
    for (const CRefusedPart& part : parts) {
        const std::string where = PortLabel(part.port) + ", slot " + char('A' + part.slot);
        const bool closed = part.text.empty() || part.text.back() == '.';
        const std::string text =
            AlertSentence(where + ": the synthesizer's patch was not taken in full") + part.text + (closed ? "" : ".");
        services_.application.RunAlertText(NSHarrowen::MakeAlertScript("[WARN]", text, "OK"));
    }
}

std::string CPortManager::PortLabel(uint8_t port)
{
    return "Port " + std::to_string(port + 1);
}

void CPortManager::ReportOutOfMemory(uint8_t port)
{
    if (HasSynth(port))
        entries_[port].port->SetOutOfMemory();
}

bool CPortManager::SharesDevices(uint8_t port, uint16_t input, uint16_t output) const
{
    for (uint8_t lower = 0; lower < port; ++lower) {
        const CPortEntry& entry = entries_[lower];
        if (entry.port != nullptr &&
            ((input != kNotListed && entry.input == input) || (output != kNotListed && entry.output == output)))
            return true;
    }
    return false;
}

void CPortManager::OpenPortsFromPreferences()
{
    const CPortPreferencesInterface& preferences = services_.preferences;
    for (uint8_t port = 0; port < kPortCount; ++port) {
        // A stored device that is not listed keeps its name (the port's
        // own, never another port's device); none stored is the first.
        CPortEntry& entry = entries_[port];
        entry.inputName = preferences.GetPortInputName(port);
        entry.outputName = preferences.GetPortOutputName(port);
        uint16_t input = 0;
        uint16_t output = 0;
        if (!entry.inputName.empty() && !inputs_->FindByName(entry.inputName, input))
            input = kNotListed;
        if (!entry.outputName.empty() && !outputs_->FindByName(entry.outputName, output))
            output = kNotListed;
        const bool found = input != kNotListed && output != kNotListed;
        if (!found || SharesDevices(port, input, output) || !preferences.IsPortEnabled(port)) {
            SetPortDevices(port, input, output);
            continue;
        }
        try {
            OpenPort(port, input, output);
        } catch (...) {
            // Left closed without a message; the devices are kept, so the
            // MIDI dialog shows them and storing keeps their names.
            SetPortDevices(port, input, output);
        }
    }
}

void CPortManager::StorePortsInPreferences()
{
    CPortPreferencesInterface& preferences = services_.preferences;
    for (uint8_t port = 0; port < kPortCount; ++port) {
        const CPortEntry& entry = entries_[port];
        preferences.SetPortInputName(port, entry.inputName);
        preferences.SetPortOutputName(port, entry.outputName);
        preferences.SetPortEnabled(port, entry.port != nullptr);
    }
    preferences.Save();
}

// ---- queries ----

bool CPortManager::HasSynth(uint8_t port) const
{
    const CSynthPort* link = GetPort(port);
    return link != nullptr && link->HasSynth();
}

uint8_t CPortManager::CountSynths() const
{
    uint8_t count = 0;
    for (uint8_t port = 0; port < kPortCount; ++port)
        count += HasSynth(port) ? 1 : 0;
    return count;
}

CSynth* CPortManager::GetSynth(uint8_t port) const
{
    const CSynthPort* link = GetPort(port);
    return link != nullptr ? link->GetSynth() : nullptr;
}

std::string CPortManager::GetDisplayName(uint8_t port) const
{
    const CSynthPort* link = GetPort(port);
    if (link == nullptr)
        return {};
    std::string name = link->GetDisplayName();
    if (IsNameShared(port))
        name += " (" + PortLabel(port) + ")";
    return name;
}

// Another open port has a synthesizer that calls itself the same.
bool CPortManager::IsNameShared(uint8_t port) const
{
    const CSynth* synth = GetSynth(port);
    if (synth == nullptr || !synth->HasSettings())
        return false;
    for (uint8_t other = 0; other < kPortCount; ++other) {
        const CSynth* otherSynth = GetSynth(other);
        if (other != port && otherSynth != nullptr && otherSynth->HasSettings() &&
            otherSynth->GetSynthName() == synth->GetSynthName())
            return true;
    }
    return false;
}

uint8_t CPortManager::GetSlotCount(uint8_t port) const
{
    return GetSynth(port)->GetSlotCount();
}

bool CPortManager::SlotHasPatch(uint8_t port, uint8_t slot) const
{
    return GetSynth(port)->SlotHasPatch(slot);
}

std::string CPortManager::GetSlotPatchName(uint8_t port, uint8_t slot) const
{
    return GetSynth(port)->GetSlotPatchName(slot);
}

CFlashMemory& CPortManager::GetFlashMemory(uint8_t port) const
{
    return GetSynth(port)->GetFlashMemory();
}

const CSynthSettings& CPortManager::GetSynthSettings(uint8_t port) const
{
    return GetSynth(port)->GetSettings();
}

uint32_t CPortManager::GetSynthSettingsTime(uint8_t port) const
{
    return GetSynth(port)->GetSettingsTime();
}

bool CPortManager::SendSynthSettings(uint8_t port, const CSynthSettings& settings)
{
    CSynth* synth = GetSynth(port);
    if (synth->IsWaitingForReply())
        return false;
    synth->SendSynthSettings(settings);
    return true;
}

// ---- current slot ----

void CPortManager::SelectSlot(uint8_t port, uint8_t slot)
{
    current_.Select(port, slot);
    startingUp_ = false;
}

void CPortManager::AdoptSlotFocus(uint8_t port, uint8_t slot)
{
    startingUp_ = false;
    if (slot == kNone)
        current_.Select(port, 0);
    else
        current_.Set(port, slot);
}

bool CPortManager::HasCurrentSynth() const
{
    return current_.GetPort() != kNone && HasSynth(current_.GetPort());
}

uint8_t CPortManager::GetCurrentPort() const
{
    return current_.GetPort() > 3 ? 3 : current_.GetPort();
}

uint8_t CPortManager::GetCurrentSlot() const
{
    return current_.GetSlot() > kNone ? kNone : current_.GetSlot();
}

uint8_t CPortManager::GetCurrentSlotOf(uint8_t port) const
{
    return HasCurrentSynth() && IsCurrentPort(port) ? GetCurrentSlot() : kNone;
}

bool CPortManager::HasCurrentSynthSettings() const
{
    return HasCurrentSynth() && GetSynth(current_.GetPort())->HasSettings();
}

bool CPortManager::IsCurrentSynthBusy() const
{
    return HasCurrentSynth() && GetSynth(current_.GetPort())->IsWaitingForReply();
}

uint8_t CPortManager::GetPortChange(uint8_t port) const
{
    bool lowerPortHasSynth = false;
    for (uint8_t lower = 0; lower < port && lower < kPortCount; ++lower)
        lowerPortHasSynth = lowerPortHasSynth || HasSynth(lower);
    if (startingUp_ && !lowerPortHasSynth)
        return 1;
    return current_.IsChanged(port) ? 2 : 0;
}

void CPortManager::OnPortLost(uint8_t port)
{
    current_.SetChanged(port, true);
    if (IsCurrentPort(port)) {
        for (uint8_t other = 0; other < kPortCount; ++other) {
            if (other == port || !HasSynth(other))
                continue;
            const CSynth& synth = *GetSynth(other);
            uint8_t slot = 0;
            while (slot < synth.GetSlotCount() && !synth.IsSlotActive(slot))
                ++slot;
            SelectSlot(other, slot < synth.GetSlotCount() ? slot : 0);
            return;
        }
    }
    current_.Reset();
    startingUp_ = true;
}
