#include "LinkRig.h"

#include "framework/midi/MMEMIDIInput.h"
#include "modules/ModuleCatalogueContent.h"
#include "simulator/SimCatalogueTypes.h"
#include "synth/protocol/MIDIStream.h"
#include "synth/protocol/PatchHeader.h"
#include "synth/protocol/SysexFrame.h"
#include "synth/protocol/ProtocolErrors.h"
#include "synth/molecules/AssignMolecules.h"
#include "synth/molecules/CableMolecules.h"
#include "synth/molecules/ModuleMolecules.h"
#include "synth/molecules/PatchMolecules.h"

#include <chrono>
#include <stdexcept>
#include <thread>
#include <utility>

namespace linkrig {

MoleculeTypes TypesOf(const CMoleculePacket& packet)
{
    MoleculeTypes types;
    for (const CMolecule* molecule : packet)
        types.emplace_back(typeid(*molecule));
    return types;
}

Bytes SynthMessage(const CMolecule& molecule, uint8_t slot, std::optional<uint8_t> number)
{
    std::array<uint8_t, 256> payload{};
    CMIDIOutStream out(static_cast<uint32_t>(payload.size() - 1), payload.data());
    molecule.Write(out);
    uint32_t length = out.GetByteLength();
    payload[length++] = SysexFrame::kEndOfMolecules;
    Bytes frame(SysexFrameCapacity(length, true, true));
    frame.resize(BuildSysexFrame(payload.data(), length, frame, false, true, true, false, slot, number.value_or(1),
                                 !number.has_value()));
    return frame;
}

namespace {

// The first device whose name holds `part`.
template <class Registry> bool FindDevice(const Registry& registry, const std::string& part, uint16_t& index)
{
    for (uint16_t i = 0; i < registry.GetCount(); ++i) {
        if (registry.GetAt(i)->GetName().find(part) != std::string::npos) {
            index = i;
            return true;
        }
    }
    return false;
}

} // namespace

std::unique_ptr<CPortManager> ManagerSeeing(const CPortManagerServices& services, const std::vector<std::string>& names,
                                            std::vector<uint16_t>& devices)
{
    for (int tries = 0; tries < 100; ++tries) {
        auto manager = std::make_unique<CPortManager>(services);
        devices.assign(2 * names.size(), 0);
        bool listed = true;
        for (size_t i = 0; i < names.size() && listed; ++i)
            listed = FindDevice(manager->GetInputRegistry(), names[i] + " out", devices[2 * i]) &&
                FindDevice(manager->GetOutputRegistry(), names[i] + " in", devices[2 * i + 1]);
        if (listed)
            return manager;
        std::this_thread::sleep_for(std::chrono::milliseconds(50));
    }
    return nullptr;
}

// ---- documents ----

CRecordingPatch::~CRecordingPatch()
{
    if (synth != nullptr)
        synth->ReleaseSlot(slot);
}

void CRecordingPatch::Link(CSynth& linked, uint8_t linkedSlot, bool select)
{
    synth = &linked;
    slot = linkedSlot;
    linked.RegisterSlotPatch(linkedSlot, *this, select);
}

void CRecordingPatch::BuildPatchDump(CMoleculePacket& packet) const
{
    packet.Append(std::make_unique<CMPatchHeaderDump>(CPatchHeader{}));
    packet.Append(std::make_unique<CMPatchNameDump>(name_));
}

bool CRecordingPatch::RequestNextPart()
{
    if (parts.empty() || synth == nullptr)
        return false;
    CMoleculePacket packet;
    parts.front()(packet);
    parts.erase(parts.begin());
    asked.push_back(TypesOf(packet));
    packet.SetSlot(slot);
    synth->SendEditDump(packet);
    return true;
}

void CRecordingPatch::ApplyMoleculeList(const CMoleculePacket& packet)
{
    applied.push_back(TypesOf(packet));
    if (const std::function<void()> run = std::exchange(duringApply, {}))
        run();
    if (!applyError.empty())
        throw XTorvanBase(std::exchange(applyError, {}));
}

void CRecordingPatch::UnlinkFromSynth()
{
    ++unlinks;
    CSynth* const linked = synth;
    synth = nullptr;
    if (linked != nullptr)
        linked->ReleaseSlot(slot);
    slot = 4;
}

std::vector<std::function<void(CMoleculePacket&)>> SlotPatchParts()
{
    auto part = [](auto make) { return std::function<void(CMoleculePacket&)>(make); };
    auto area = [&](auto tag, uint8_t index) {
        using Request = decltype(tag);
        return part([index](CMoleculePacket& p) { p.Append(std::make_unique<Request>(index)); });
    };
    return {
        part([](CMoleculePacket& p) {
            p.Append(std::make_unique<CMPatchHeaderRequest>());
            p.Append(std::make_unique<CMPatchNameRequest>());
        }),
        area(CMModuleRequest{}, 1),
        area(CMModuleRequest{}, 0),
        area(CMCableRequest{}, 1),
        area(CMCableRequest{}, 0),
        area(CMModuleParamRequest{}, 1),
        area(CMModuleParamRequest{}, 0),
        part([](CMoleculePacket& p) { p.Append(std::make_unique<CMMorphMapRequest>()); }),
        part([](CMoleculePacket& p) { p.Append(std::make_unique<CMKnobMapRequest>()); }),
        part([](CMoleculePacket& p) { p.Append(std::make_unique<CMCtrlMapRequest>()); }),
        area(CMModuleNameRequest{}, 1),
        area(CMModuleNameRequest{}, 0),
        area(CMModuleCustomDataRequest{}, 1),
        area(CMModuleCustomDataRequest{}, 0),
        part([](CMoleculePacket& p) { p.Append(std::make_unique<CMCurrentNotesRequest>()); }),
    };
}

void CRecordingPatchManager::NewEmptySlotPatch(CSynth& synth, uint8_t slot)
{
    calls.push_back("empty " + std::to_string(synth.GetPortIndex()) + " " + std::to_string(slot));
    if (failSlot == slot)
        throw std::runtime_error("no document");
    auto document = std::make_unique<CRecordingPatch>(*this, "Unknown");
    if (loadFromSynth)
        document->parts = SlotPatchParts();
    document->Link(synth, slot, false);
    documents.push_back(std::move(document));
}

void CRecordingPatchManager::NewPatchFromSynth(uint8_t port, uint8_t slot)
{
    calls.push_back("from synth " + std::to_string(port) + " " + std::to_string(slot));
    auto document = std::make_unique<CRecordingPatch>(*this, "Unknown");
    document->parts = SlotPatchParts();
    document->Link(*GetPortManager()->GetSynth(port), slot, false);
    documents.push_back(std::move(document));
}

CRecordingPatch* CRecordingPatchManager::Find(uint8_t port, uint8_t slot) const
{
    for (const auto& document : documents) {
        if (document->synth != nullptr && document->synth->GetPortIndex() == port && document->slot == slot)
            return document.get();
    }
    return nullptr;
}

// ---- the rig ----

CLinkRig::CLinkRig(std::vector<sim::SimConfig> synths, CSlotPatchManagerInterface* documents,
                   CTransferDocumentsInterface* transfers)
{
    InstallSharedModuleTypeInfo();
    RegisterReceivedMolecules(registry_);
    SetMoleculeRegistry(&registry_);
    // Device names of this rig's own, so that nothing left of another test
    // is taken for them.
    static int rigs = 0;
    prefix_ = "Link Rig " + std::to_string(++rigs) + " Synth";
    for (size_t i = 0; i < synths.size(); ++i) {
        synths_.push_back(std::make_unique<sim::CSimulator>(synths[i], sim::CatalogueTypes()));
        simPorts_.push_back(std::make_unique<sim::CSimVirtualPort>(*synths_.back(), DeviceName(i)));
        simPorts_.back()->RecordReceived(true);
    }
    manager_ = std::make_unique<CPortManager>(
        CPortManagerServices{application, preferences, documents != nullptr ? *documents : patches, transfers});
}

CLinkRig::~CLinkRig()
{
    manager_.reset();
    patches.documents.clear();
    SetMoleculeRegistry(nullptr);
}

std::string CLinkRig::DeviceName(size_t i) const
{
    return prefix_ + " " + std::to_string(i);
}

CSynthPort& CLinkRig::Port(uint8_t port)
{
    CSynthPort* link = manager_->GetPort(port);
    if (link == nullptr)
        throw std::runtime_error("port " + std::to_string(port) + " is closed");
    return *link;
}

CSynth& CLinkRig::SynthObject(uint8_t port)
{
    CSynth* synth = manager_->GetSynth(port);
    if (synth == nullptr)
        throw std::runtime_error("port " + std::to_string(port) + " has no synthesizer");
    return *synth;
}

void CLinkRig::OpenPort(uint8_t port, size_t synth)
{
    uint16_t input = 0;
    uint16_t output = 0;
    ASSERT_TRUE(manager_->GetInputRegistry().FindByName(DeviceName(synth), input));
    ASSERT_TRUE(manager_->GetOutputRegistry().FindByName(DeviceName(synth), output));
    manager_->OpenPort(port, input, output);
}

void CLinkRig::Deliver(size_t i)
{
    if (simPorts_[i]->Advance(kStepMs) != 0)
        WaitForWorker(i);
}

void CLinkRig::Inject(const Bytes& bytes, size_t synth)
{
    simPorts_.at(synth)->Device().Send(bytes);
    WaitForWorker(synth);
}

void CLinkRig::WaitForWorker(size_t i)
{
    // The worker hands each buffer to the port and then back to the device:
    // once all are back, everything sent has been received.
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(5);
    platform::VirtualMidiDevice& device = simPorts_[i]->Device();
    while (device.IsInputOpen() && device.InputBuffersQueued() < NSHarrowen::CMMEMIDIInput::kBufferCount &&
           std::chrono::steady_clock::now() < deadline)
        std::this_thread::sleep_for(std::chrono::microseconds(100));
}

void CLinkRig::Step()
{
    manager_->Idle();
    clock_.Advance(kStepMs);
    for (size_t i = 0; i < simPorts_.size(); ++i)
        Deliver(i);
}

void CLinkRig::Steps(int count)
{
    for (int i = 0; i < count; ++i)
        Step();
}

bool CLinkRig::StepUntil(const std::function<bool()>& done, int limit)
{
    for (int i = 0; i < limit; ++i) {
        if (done())
            return true;
        Step();
    }
    return done();
}

bool CLinkRig::Settle(uint8_t port, int limit)
{
    return StepUntil(
        [&] {
            const CSynth* synth = manager_->GetSynth(port);
            if (synth == nullptr || !synth->HasSettings() || manager_->GetPort(port)->IsAwaitingAnswer())
                return false;
            for (uint8_t slot = 0; slot < synth->GetSlotCount(); ++slot) {
                const CRecordingPatch* document = patches.Find(port, slot);
                if (synth->IsSlotBusy(slot) || (document != nullptr && !document->parts.empty()))
                    return false;
            }
            return true;
        },
        limit);
}

std::vector<std::string> CLinkRig::SynthLog(size_t i)
{
    return simPorts_.at(i)->With([](sim::CSimulator& s) {
        std::vector<std::string> texts;
        for (const sim::SimLogEntry& entry : s.Log())
            texts.push_back(entry.text);
        return texts;
    });
}

std::vector<Bytes> CLinkRig::SynthReceived(size_t i)
{
    return simPorts_.at(i)->TakeReceived();
}

} // namespace linkrig
