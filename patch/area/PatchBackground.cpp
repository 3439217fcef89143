#include "patch/area/PatchBackground.h"
#include "platform/base/DroppedExceptions.h"

#include "patch/PatchError.h"
#include "patch/area/DspLoadTable.h"
#include "patch/area/NullCableRenderList.h"
#include "patch/document/EditorServicesInterface.h"
#include "patch/document/Patch.h"
#include "patch/module/ModuleServicesInterface.h"
#include "synth/protocol/ParamValueBlock.h"
#include "synth/molecules/CableMolecules.h"
#include "synth/molecules/ModuleMolecules.h"
#include "synth/molecules/MoleculePacket.h"

#include <algorithm>
#include <utility>

using NSHarrowen::CPoint;
using NSHarrowen::CRect;

namespace {

std::unique_ptr<CCableRenderListInterface> MakeRenderers()
{
    if (const CModuleServicesInterface* services = GetModuleServices()) {
        return services->CreateCableRenderer();
    }
    return std::make_unique<CNullCableRenderList>();
}

bool ByIndex(const CModuleInterface* a, const CModuleInterface* b)
{
    return a->GetModuleIndex() < b->GetModuleIndex();
}

} // namespace

CPatchBackground::CPatchBackground(CPatch& document, uint8_t areaIndex)
    : document_(document), area_(areaIndex), store_(true, areaIndex), renderers_(MakeRenderers()), labels_(*this)
{
    displayA_.reserve(kMaxShownValues);
    displayB_.reserve(kMaxShownValues);
    // Custom data is asked for like the other parts of a slot's patch.
    store_.SetCustomDataPending(true);
    SetOpaqueMode(NSHarrowen::kOpaqueFrame);
    SetFrameChangeRedraw(NSHarrowen::kRedrawNothing);
    if (const CEditorServicesInterface* editor = GetEditorServices()) {
        renderers_->SetStyle(editor->GetCableStyle());
    }
    if (const CModuleServicesInterface* services = GetModuleServices()) {
        cableDrag_ = services->CreateCableDrag(*this);
    }
}

CPatchBackground::~CPatchBackground()
{
    // A gesture still running ends before the area goes.
    cableDrag_.reset();
    for (CModuleInterface* module : store_.GetModules()) {
        RemoveChild(&module->GetView());
    }
}

CModuleInterface& CPatchBackground::RequireModule(uint8_t index) const
{
    CModuleInterface* module = FindModule(index);
    if (module == nullptr) {
        throw XPDontExist(PatchErrorCode::kModuleDoesNotExist);
    }
    return *module;
}

void CPatchBackground::CheckPosition(uint8_t column, uint8_t row)
{
    if (column > kMaxGridPosition || row > kMaxGridPosition) {
        throw XPOutOfRange(PatchErrorCode::kInvalidModulePosition);
    }
}

CModuleInterface& CPatchBackground::AddModule(uint8_t typeId, uint8_t index, uint8_t column, uint8_t row)
{
    if (store_.GetModules().GetCount() >= kMaxModules) {
        throw XPToMany(PatchErrorCode::kTooManyModules);
    }
    if (store_.GetModules().Has(index)) {
        throw XPDoubleAssignment(PatchErrorCode::kModuleAlreadyExists);
    }
    CheckPosition(column, row);
    std::unique_ptr<CModuleInterface> created = RequireModuleServices().CreateModule(typeId);
    created->SetGridPosition(column, row);
    created->SetModuleIndex(index);
    created->SetAreaIndex(area_);
    CModuleInterface& module = *created;
    store_.GetModules().Append(std::move(created));
    try {
        AddChild(&module.GetView());
        InsertIntoDisplayList(module);
        document_.AddModuleLoad(module);
        LayoutAfterChange(&module);
    } catch (...) {
        RemoveFromDisplayList(module);
        RemoveChild(&module.GetView());
        store_.GetModules().Remove(index);
        throw;
    }
    if (document_.HasWindow()) {
        InvalidateModule(module);
    }
    return module;
}

void CPatchBackground::DeleteModule(uint8_t index)
{
    CModuleInterface& module = RequireModule(index);
    // The selection must not keep a module that is gone.
    document_.DeselectModule(module);
    InvalidateModule(module);
    labels_.RemoveAll();
    document_.RemoveModuleLoad(module);
    RemoveFromDisplayList(module);
    RemoveChild(&module.GetView());
    store_.GetModules().Remove(index);
    LayoutAfterChange();
    RebuildLabels();
}

void CPatchBackground::MoveModule(uint8_t index, uint8_t column, uint8_t row)
{
    CModuleInterface& module = RequireModule(index);
    CheckPosition(column, row);
    InvalidateModule(module);
    const CPoint before = module.GetView().GetFrame().TopLeft();
    module.SetGridPosition(column, row);
    LayoutAfterChange(&module);
    const CPoint after = module.GetView().GetFrame().TopLeft();
    labels_.MoveModuleLabels(area_, index, static_cast<int16_t>(after.x - before.x),
                             static_cast<int16_t>(after.y - before.y));
    InvalidateModule(module);
    RerouteModuleCables(index);
}

void CPatchBackground::SetParamValue(uint8_t index, uint8_t param, uint8_t value)
{
    CModuleInterface& module = RequireModule(index);
    module.SetParamValue(param, value);
    RefreshModule(index);
}

void CPatchBackground::SetCustomData(uint8_t index, std::span<const uint8_t> data)
{
    CModuleInterface& module = RequireModule(index);
    module.ReadCustomData(data);
    RefreshModule(index);
}

void CPatchBackground::SetModuleName(uint8_t index, const std::string& name)
{
    CModuleInterface& module = RequireModule(index);
    module.SetName(name);
    RefreshModule(index);
}

void CPatchBackground::CheckParamCount(uint8_t index, size_t count) const
{
    if (RequireModule(index).GetParamCount() != count) {
        throw XPIncompleteData(PatchErrorCode::kIncompleteParamData);
    }
}

void CPatchBackground::CheckCustomDataCount(uint8_t index, size_t count) const
{
    if (RequireModule(index).GetCustomValueCount() != count) {
        throw XPIncompleteData(PatchErrorCode::kIncompleteCustomData);
    }
}

bool CPatchBackground::HasParam(const ParamAddress& address) const
{
    const CModuleInterface* module = FindModule(address.module);
    return module != nullptr && address.param < module->GetParamCount();
}

CPoint CPatchBackground::JackPoint(const JackAddress& jack) const
{
    const CModuleInterface* module = FindModule(jack.module);
    return module == nullptr ? CPoint() : module->GetJackCenter(jack);
}

void CPatchBackground::ConnectCable(const CableEntry& cable)
{
    store_.Connect(cable);
    renderers_->AddCable(cable.from, cable.to, JackPoint(cable.from), JackPoint(cable.to), cable.colour);
    InvalidateCable(cable);
    document_.GetLoadTable().AddCable(area_);
    RefreshModule(cable.from.module);
    RefreshModule(cable.to.module);
}

void CPatchBackground::DeleteCable(const CableEntry& cable)
{
    store_.Disconnect(cable);
    InvalidateCable(cable);
    renderers_->RemoveCable(cable.from, cable.to);
    document_.GetLoadTable().RemoveCable(area_);
    RefreshModule(cable.from.module);
    RefreshModule(cable.to.module);
}

void CPatchBackground::RecolorCable(const CableEntry& cable)
{
    store_.Recolor(cable);
    renderers_->SetCableColour(cable.from, cable.to, cable.colour);
    InvalidateCable(cable);
}

void CPatchBackground::DeleteModuleCables(uint8_t index)
{
    // One at a time: deleting a cable can change which cables the module has
    // left (a node without cables goes).
    for (std::vector<CableEntry> cables = store_.GetModuleCables(index); !cables.empty();
         cables = store_.GetModuleCables(index)) {
        DeleteCable(cables.front());
    }
}

void CPatchBackground::RerouteModuleCables(uint8_t index)
{
    for (const CableEntry& cable : store_.GetModuleCables(index)) {
        InvalidateCable(cable);
        renderers_->MoveCable(cable.from, cable.to, JackPoint(cable.from), JackPoint(cable.to));
        InvalidateCable(cable);
    }
}

void CPatchBackground::RefreshModule(uint8_t index)
{
    if (refreshHolds_ > 0) {
        refreshesHeld_.set(index);
        return;
    }
    CModuleInterface* module = FindModule(index);
    if (module != nullptr && document_.HasWindow()) {
        module->Refresh();
    }
}

bool CPatchBackground::HoldInvalidation()
{
    // A region of hundreds of rectangles costs more to build and to paint
    // through than the area does.
    constexpr int kPlacesBeforeArea = 16;
    if (refreshHolds_ == 0) {
        return false;
    }
    areaInvalidHeld_ = areaInvalidHeld_ || ++invalidationsHeld_ > kPlacesBeforeArea;
    return areaInvalidHeld_;
}

void CPatchBackground::InvalidateModule(CModuleInterface& module)
{
    if (!HoldInvalidation()) {
        module.GetView().InvalidateFrame();
    }
}

void CPatchBackground::InvalidateCable(const CableEntry& cable)
{
    if (!HoldInvalidation()) {
        renderers_->InvalidateCable(cable.from, cable.to, *this);
    }
}

void CPatchBackground::ReleaseLayoutAndInvalidations()
{
    if (std::exchange(layoutHeld_, false)) {
        LayoutAfterChange();
    }
    invalidationsHeld_ = 0;
    if (std::exchange(areaInvalidHeld_, false)) {
        InvalidateFrame();
    }
}

void CPatchBackground::ReleaseRefreshes()
{
    if (refreshHolds_ == 0 || --refreshHolds_ > 0) {
        return;
    }
    try {
        ReleaseLayoutAndInvalidations();
    } catch (...) {
        platform::RecordDroppedException("laying out a voice area");
    }
    const std::bitset<256> held = refreshesHeld_;
    refreshesHeld_.reset();
    for (size_t index = 0; index < held.size(); ++index) {
        if (!held.test(index)) {
            continue;
        }
        try {
            RefreshModule(static_cast<uint8_t>(index));
        } catch (...) {
            // Released at the end of a dump, maybe while it unwinds: one
            // panel that fails must not stop the others.
            platform::RecordDroppedException("refreshing a module panel");
        }
    }
}

void CPatchBackground::InsertIntoDisplayList(CModuleInterface& module)
{
    const uint8_t kind = module.GetDisplayKind();
    if (kind == 0) {
        return;
    }
    std::vector<CModuleInterface*>& list = kind == 1 ? displayB_ : displayA_;
    list.insert(std::upper_bound(list.begin(), list.end(), &module, ByIndex), &module);
}

void CPatchBackground::RemoveFromDisplayList(const CModuleInterface& module)
{
    std::erase(displayA_, &module);
    std::erase(displayB_, &module);
}

bool CPatchBackground::SendRequest(std::unique_ptr<CMolecule> request)
{
    CMoleculePacket packet;
    packet.Append(std::move(request));
    document_.SendOnly(packet);
    return true;
}

bool CPatchBackground::RequestModules()
{
    return store_.AreModulesPending() && SendRequest(std::make_unique<CMModuleRequest>(area_));
}

bool CPatchBackground::RequestCables()
{
    return store_.AreCablesPending() && SendRequest(std::make_unique<CMCableRequest>(area_));
}

bool CPatchBackground::RequestModuleParams()
{
    const CModuleList& modules = store_.GetModules();
    const bool pending =
        std::any_of(modules.begin(), modules.end(), [](const CModuleInterface* m) { return m->IsParamsPending(); });
    return pending && SendRequest(std::make_unique<CMModuleParamRequest>(area_));
}

bool CPatchBackground::RequestModuleName()
{
    const CModuleList& modules = store_.GetModules();
    const bool pending =
        std::any_of(modules.begin(), modules.end(), [](const CModuleInterface* m) { return m->IsNamePending(); });
    return pending && SendRequest(std::make_unique<CMModuleNameRequest>(area_));
}

bool CPatchBackground::RequestCustomData()
{
    return store_.IsCustomDataPending() && SendRequest(std::make_unique<CMModuleCustomDataRequest>(area_));
}

bool CPatchBackground::HasPendingRequests() const
{
    const CModuleList& modules = store_.GetModules();
    return store_.AreModulesPending() || store_.AreCablesPending() || store_.IsCustomDataPending() ||
        std::any_of(modules.begin(), modules.end(),
                    [](const CModuleInterface* m) { return m->IsParamsPending() || m->IsNamePending(); });
}

void CPatchBackground::ClearPendingRequests()
{
    store_.ClearPendingFlags();
    ClearParamsPending();
    ClearNamesPending();
}

void CPatchBackground::ClearParamsPending()
{
    for (CModuleInterface* module : store_.GetModules()) {
        module->SetParamsPending(false);
    }
}

void CPatchBackground::ClearNamesPending()
{
    for (CModuleInterface* module : store_.GetModules()) {
        module->SetNamePending(false);
    }
}

void CPatchBackground::ApplyModuleValues(CParamValueBlock& block, size_t& stateIndex, size_t& valueIndex)
{
    const size_t states = std::min(displayB_.size(), kMaxShownValues);
    for (size_t i = 0; i < states; ++i) {
        const size_t entry = stateIndex + i;
        if (entry < CParamValueBlock::kEntryCount && block.IsStateChanged(entry)) {
            displayB_[i]->SetMeterValue(block.TakeState(entry));
        }
    }
    stateIndex += states;
    const size_t values = std::min(displayA_.size(), kMaxShownValues);
    for (size_t i = 0; i < values; ++i) {
        const size_t entry = valueIndex + i;
        if (entry < CParamValueBlock::kEntryCount && block.IsValueChanged(entry)) {
            displayA_[i]->SetMeterValue(block.TakeValue(entry));
        }
    }
    valueIndex += values;
}

void CPatchBackground::SetCableStyle(uint32_t style)
{
    if (renderers_->SetStyle(style)) {
        InvalidateFrame();
    }
}

void CPatchBackground::ReshapeCurvedCables()
{
    if (renderers_->IsCurved() && document_.HasWindow()) {
        renderers_->Reshape();
    }
}

void CPatchBackground::RedrawPendingCables()
{
    if (renderers_->TakePendingChange()) {
        InvalidateFrame();
    }
}

void CPatchBackground::ShowCableColour(uint8_t colour, bool shown)
{
    if (renderers_->IsColourShown(colour) == shown) {
        return;
    }
    if (shown) {
        renderers_->ShowColour(colour);
    } else {
        renderers_->HideColour(colour);
    }
    InvalidateFrame();
}

void CPatchBackground::RedrawConnectorCables(const JackAddress& jack)
{
    renderers_->InvalidateHighlighted(*this);
    renderers_->ClearHighlights();
    for (CTreeRange range = store_.GetBranchRange(JackNodeValue{jack}); !range.IsEmpty(); range.Next()) {
        const CableEntry cable = range.GetEdge();
        renderers_->HighlightCable(cable.from, cable.to);
    }
    renderers_->InvalidateHighlighted(*this);
}

void CPatchBackground::RedrawAllCables()
{
    renderers_->InvalidateHighlighted(*this);
    renderers_->ClearHighlights();
}
