#include "panels/panel/Module.h"

#include "framework/windows/ABCWindow.h"
#include "panels/BuildModule.h"
#include "panels/items/CustomDataStream.h"
#include "panels/items/PnlControl.h"
#include "panels/items/PnlCustom.h"
#include "panels/items/PnlLed.h"
#include "panels/cables/CableDragDropManager.h"
#include "panels/jacks/JackMenu.h"
#include "panels/jacks/PnlHole.h"
#include "panels/menu/KnobAssignmentMenu.h"
#include "panels/panel/PanelServicesInterface.h"
#include "patch/PatchError.h"
#include "patch/area/PatchBackground.h"
#include "patch/document/EditorServicesInterface.h"
#include "patch/document/Patch.h"
#include "patch/edit/EditPair.h"
#include "patch/maps/MorphMap.h"
#include "synth/molecules/ParamMolecules.h"

#include <algorithm>
#include <new>

using NSHarrowen::CPoint;
using NSHarrowen::CRect;

namespace {

// The one edit gesture of the program: the control that began it and what
// its value and morph amount were then.
struct EditGesture {
    CPnlControl* control = nullptr;
    uint8_t startValue = 0;
    int8_t startMorph = 0;
};

EditGesture& Gesture()
{
    static EditGesture gesture;
    return gesture;
}

// The module's values, for the two-value texts.
class CModuleValues final : public CParamValueSourceInterface {
public:
    explicit CModuleValues(const CModule& module) : module_(module) { }
    uint8_t GetParamValue(uint8_t paramIndex) const override { return module_.GetValue(paramIndex); }

private:
    const CModule& module_;
};

bool BelongsTo(const CPnlControl* control, const std::vector<CPnlControl*>& controls)
{
    return std::find(controls.begin(), controls.end(), control) != controls.end();
}

} // namespace

CModule::CModule(CBuildModule& builder)
    : CPanel(nullptr, builder, 0, 0), paramsPending_(builder.GetParamCount() > 0),
      customValues_(builder.GetLoadRecord().CustomValueCount(), 0)
{
    inputs_.reserve(4);
    outputs_.reserve(builder.GetLoadRecord().OutputListCapacity());
    controls_.reserve(builder.GetParamCount());
    customs_.reserve(1);
    CPanel::SetName(builder.GetShortName());
    SetHeight(builder.GetHeight());
}

CModule::~CModule()
{
    ReleaseItems();
}

void CModule::ReleaseItems()
{
    // A module deleted during a gesture takes the gesture with it.
    const auto captured = [](const auto* item) { return item->HasMouseCapture(); };
    if (BelongsTo(Gesture().control, controls_) || std::any_of(controls_.begin(), controls_.end(), captured) ||
        std::any_of(customs_.begin(), customs_.end(), captured)) {
        EndAllTracking();
    }
    controls_.clear();
    customs_.clear();
    inputs_.clear();
    outputs_.clear();
    stateLed_ = nullptr;
}

// Construction and copying.

void CModule::InitFromDefaults()
{
    const CBuildModule& builder = GetBuilder();
    for (size_t i = 0; i < controls_.size(); ++i) {
        const auto param = static_cast<uint8_t>(i);
        controls_[i]->SetStepCount(builder.GetParamMax(param));
        controls_[i]->SetValue(std::min(builder.GetDefault(param), controls_[i]->GetStepCount()));
    }
}

void CModule::CopyFrom(const CModule& source)
{
    SetModuleIndex(source.GetModuleIndex());
    SetGridPosition(source.GetColumn(), source.GetRow());
    SetLocation(source.GetLocation());
    CPanel::SetName(source.GetName());
    for (size_t i = 0; i < controls_.size() && i < source.controls_.size(); ++i) {
        SetParamValue(static_cast<uint8_t>(i), source.controls_[i]->GetValue());
    }
    ReadCustomData(std::span<const uint8_t>(source.GetCustomData()));
}

std::unique_ptr<CModuleInterface> CModule::Clone() const
{
    std::unique_ptr<CModule> copy = const_cast<CBuildModule&>(GetBuilder()).CreateModule();
    copy->CopyFrom(*this);
    copy->paramsPending_ = paramsPending_;
    copy->namePending_ = namePending_;
    return copy;
}

void CModule::ClearPending()
{
    paramsPending_ = false;
    namePending_ = false;
}

// Custom data.

void CModule::WriteCustomData(CCustomDataStream& stream) const
{
    stream.Rewind();
    for (CPnlCustom* item : customs_) {
        item->WriteData(stream);
    }
}

void CModule::ReadCustomData(CCustomDataStream& stream)
{
    stream.Rewind();
    for (CPnlCustom* item : customs_) {
        item->ReadData(stream);
    }
}

uint8_t CModule::GetCustomValueCount() const
{
    return static_cast<uint8_t>(customValues_.size());
}

void CModule::ReadCustomData(std::span<const uint8_t> data)
{
    if (data.size() < customValues_.size()) {
        throw XPIncompleteData(PatchErrorCode::kIncompleteCustomData);
    }
    const std::vector<uint8_t> before = GetCustomData();
    CCustomDataStream stream(data.first(customValues_.size()));
    try {
        ReadCustomData(stream);
    } catch (...) {
        // Short data leaves every item as it was.
        CCustomDataStream restore{std::span<const uint8_t>(before)};
        ReadCustomData(restore);
        throw;
    }
    std::copy_n(data.begin(), customValues_.size(), customValues_.begin());
    InvalidateFrame();
}

std::vector<uint8_t> CModule::GetCustomData() const
{
    CCustomDataStream stream;
    WriteCustomData(stream);
    std::vector<uint8_t> bytes = stream.GetBytes();
    // Values no item claims are carried as they came.
    for (size_t i = bytes.size(); i < customValues_.size(); ++i) {
        bytes.push_back(customValues_[i]);
    }
    bytes.resize(customValues_.size());
    return bytes;
}

// Parameters.

CPnlControl* CModule::GetControl(uint8_t param) const
{
    return param < controls_.size() ? controls_[param] : nullptr;
}

uint8_t CModule::GetValue(uint8_t param) const
{
    return param < controls_.size() ? controls_[param]->GetValue() : 0;
}

uint8_t CModule::GetMax(uint8_t param) const
{
    return param < controls_.size() ? controls_[param]->GetStepCount() : 0;
}

void CModule::SetParamValue(uint8_t param, uint8_t value)
{
    if (param >= controls_.size()) {
        throw XPDontExist(PatchErrorCode::kParameterDoesNotExist);
    }
    if (value > controls_[param]->GetStepCount()) {
        throw XPOutOfRange(PatchErrorCode::kParamValueOutOfRange);
    }
    controls_[param]->SetValue(value);
    MarkItemsOf(param);
    if (Gesture().control == controls_[param]) {
        if (CPatchBackground* area = GetPatchBackground()) {
            area->UpdateParamLabel(AddressOf(param), GetParamDisplayText(param));
        }
    }
}

void CModule::MarkItemsOf(uint8_t param)
{
    for (CPnlCustom* item : customs_) {
        item->NotifyParamChanged(param);
    }
}

bool CModule::IsMorphable(uint8_t param) const
{
    return GetBuilder().IsMorphAllowed(param);
}

bool CModule::IsMorphable(const CPnlControl& control) const
{
    return IsMorphable(IndexOf(control));
}

uint8_t CModule::NextParam(uint8_t param) const
{
    return GetBuilder().NextByOrderList(param);
}

uint8_t CModule::PreviousParam(uint8_t param) const
{
    return GetBuilder().PreviousByOrderList(param);
}

uint8_t CModule::GetTypeId() const
{
    return GetBuilder().GetTypeId();
}

std::array<uint16_t, 10> CModule::GetLoadWords() const
{
    return GetBuilder().GetLoadRecord().words;
}

void CModule::AddParamPair(const CPnlControl& a, const CPnlControl& b)
{
    GetBuilder().AddParamPair(IndexOf(a), IndexOf(b));
}

ParamAddress CModule::GetPairedParamAddress(const CPnlControl& control) const
{
    uint8_t partner = 0;
    if (!GetBuilder().FindParamPartner(IndexOf(control), partner)) {
        return ParamAddress{1, 0, 0};
    }
    return AddressOf(partner);
}

std::string CModule::FormatParamValue(uint8_t param) const
{
    return GetBuilder().FormatParamValue(param, GetValue(param), CModuleValues(*this));
}

std::string CModule::GetParamDisplayText(uint8_t param) const
{
    std::string text = FormatParamValue(param);
    CPatch* patch = GetPatch();
    uint8_t group = 4;
    int32_t range = 0;
    if (patch == nullptr || !patch->GetMorphMap().FindByParam(AddressOf(param), group, range)) {
        return text;
    }
    const int steps = GetMax(param);
    const int end = std::min(std::clamp(GetValue(param) + range, 0, steps), 127);
    return text + " -- " + GetBuilder().FormatParamValue(param, static_cast<uint8_t>(end), CModuleValues(*this));
}

std::string CModule::FormatScaledValue(uint8_t param) const
{
    return std::to_string(GetValue(param) * 128 / (GetMax(param) + 1));
}

// Jacks and positions.

uint8_t CModule::GetJackCount(bool output) const
{
    return GetBuilder().GetJackCount(output ? JackDirection::Output : JackDirection::Input);
}

uint8_t CModule::GetJackSignalKind(const JackAddress& jack) const
{
    SignalKind kind = SignalKind::Logic;
    const JackDirection direction = jack.IsOutput() ? JackDirection::Output : JackDirection::Input;
    return GetBuilder().GetJackKind(direction, jack.jack, kind) ? static_cast<uint8_t>(kind) : 0;
}

CPoint CModule::GetJackCenter(const JackAddress& jack) const
{
    const JackDirection direction = jack.IsOutput() ? JackDirection::Output : JackDirection::Input;
    const CRect& frame = GetFrame();
    uint8_t seen = 0;
    for (const JackSpec& spec : GetBuilder().GetJacks()) {
        if (spec.direction == direction && seen++ == jack.jack) {
            // A jack's frame is 13 pixels square.
            return CPoint(static_cast<int16_t>(frame.left + spec.x + 6), static_cast<int16_t>(frame.top + spec.y + 6));
        }
    }
    return frame.TopLeft();
}

CPoint CModule::GetParamCenter(uint8_t param) const
{
    const CPnlControl* control = GetControl(param);
    return control ? control->GetCenter() : GetFrame().TopLeft();
}

uint8_t CModule::GetJackIndex(const CPnlHole& hole) const
{
    auto in = std::find(inputs_.begin(), inputs_.end(), &hole);
    if (in != inputs_.end()) {
        return static_cast<uint8_t>(in - inputs_.begin());
    }
    return static_cast<uint8_t>(std::find(outputs_.begin(), outputs_.end(), &hole) - outputs_.begin());
}

CPnlHole* CModule::GetJack(const JackAddress& jack) const
{
    const std::vector<CPnlHole*>& list = jack.IsOutput() ? outputs_ : inputs_;
    return jack.jack < list.size() ? list[jack.jack] : nullptr;
}

void CModule::AddInHole(CPnlHole& hole)
{
    inputs_.push_back(&hole);
}

void CModule::AddOutHole(CPnlHole& hole)
{
    outputs_.push_back(&hole);
}

JackAddress CModule::GetJackAddress(const CPnlHole& hole) const
{
    const bool input = std::find(inputs_.begin(), inputs_.end(), &hole) != inputs_.end();
    return JackAddress{GetModuleIndex(), GetJackIndex(hole), static_cast<uint8_t>(input ? 0 : 1)};
}

JackAddress CModule::GetNetRoot(const CPnlHole& hole) const
{
    const CPatchBackground* area = GetPatchBackground();
    const JackAddress jack = GetJackAddress(hole);
    return area ? area->GetStore().FindJack(jack) : jack;
}

bool CModule::IsJackConnected(const CPnlHole& hole) const
{
    const CPatchBackground* area = GetPatchBackground();
    return area != nullptr && area->GetStore().IsConnected(GetJackAddress(hole));
}

bool CModule::IsJackLeaf(const CPnlHole& hole) const
{
    const CPatchBackground* area = GetPatchBackground();
    return area == nullptr || area->GetStore().HasNoChildCables(GetJackAddress(hole));
}

// The cable gestures arrive with the jacks' cable manager.
void CModule::StartCableMove(CPnlHole& hole, CPoint)
{
    if (CCableDragDropManager* manager = GetCableManager()) {
        manager->BeginCableMove(hole);
    }
}

void CModule::StartCableDrag(CPnlHole& hole, CPoint)
{
    if (CCableDragDropManager* manager = GetCableManager()) {
        manager->BeginCableDrag(hole);
    }
}

CCableDragDropManager* CModule::GetCableManager() const
{
    const CPatchBackground* area = GetPatchBackground();
    return area ? dynamic_cast<CCableDragDropManager*>(area->GetCableDrag()) : nullptr;
}

void CModule::ShowJackMenu(CPnlHole& hole, CPoint where)
{
    CPatch* patch = GetPatch();
    if (patch == nullptr) {
        return;
    }
    CJackMenu menu;
    menu.TrackAndExecute(hole, *patch, GetAreaIndex(), *this, where);
}

void CModule::HighlightNet(CPnlHole& hole)
{
    CPatchBackground* area = GetPatchBackground();
    if (area != nullptr && IsJackConnected(hole)) {
        area->RedrawConnectorCables(GetJackAddress(hole));
    }
}

void CModule::ClearHighlight()
{
    if (CPatchBackground* area = GetPatchBackground()) {
        area->RedrawAllCables();
    }
}

// Values the synthesizer reports.

void CModule::SetMeterValue(uint16_t value)
{
    if (stateLed_ != nullptr) {
        stateLed_->SetState(value);
        stateLed_->InvalidateFrame();
    }
}

void CModule::Refresh()
{
    if (GetWindow() != nullptr) {
        UpdateDisplay();
    }
}

void CModule::EndAllTracking()
{
    Gesture().control = nullptr;
    for (CPnlControl* control : controls_) {
        control->EndMouseTracking();
    }
    for (CPnlCustom* item : customs_) {
        item->EndMouseTracking();
    }
}

void CModule::OnDoubleClick(CPoint)
{
    ShowLoadHint();
}

void CModule::ShowLoadHint()
{
    CPatchBackground* area = GetPatchBackground();
    if (area == nullptr) {
        return;
    }
    const CRect& frame = GetFrame();
    area->AddParamLabel(ParamAddress{GetLocation(), GetModuleIndex(), 0xFF}, GetBuilder().FormatLoadText(),
                        CPoint(static_cast<int16_t>(frame.left + 42), static_cast<int16_t>(frame.top + 6)), true);
}

// Addresses.

uint8_t CModule::IndexOf(const CPnlControl& control) const
{
    return static_cast<uint8_t>(std::find(controls_.begin(), controls_.end(), &control) - controls_.begin());
}

ParamAddress CModule::AddressOf(uint8_t param) const
{
    return ParamAddress{GetLocation(), GetModuleIndex(), param};
}

uint8_t CModule::GetControlIndex(const CPnlControl& control) const
{
    return IndexOf(control);
}

ParamAddress CModule::GetParamAddress(const CPnlControl& control) const
{
    return AddressOf(IndexOf(control));
}

std::string CModule::GetModuleName(const CPnlControl&) const
{
    return GetName();
}

std::string CModule::GetParamName(const CPnlControl& control) const
{
    return GetBuilder().GetParamName(IndexOf(control));
}

uint8_t CModule::GetDefaultValue(const CPnlControl& control) const
{
    return GetBuilder().GetDefault(IndexOf(control));
}

// Control container.

void CModule::AddControl(CPnlControl& control)
{
    controls_.push_back(&control);
}

void CModule::AddCustomItem(CPnlCustom& item)
{
    customs_.push_back(&item);
}

void CModule::SendLive(std::unique_ptr<CMolecule> molecule)
{
    CPatch* patch = GetPatch();
    if (patch == nullptr) {
        return;
    }
    CMoleculePacket packet;
    packet.Append(std::move(molecule));
    patch->SendAndApplyMoleculesLive(packet);
}

void CModule::ChangeValue(CPnlControl& control, uint8_t value)
{
    SendLive(std::make_unique<CMParamChange>(static_cast<uint8_t>(GetLocation()), GetModuleIndex(), IndexOf(control),
                                             std::min<uint8_t>(value, 127)));
}

void CModule::ChangeMorph(CPnlControl& control, int8_t amount)
{
    SendLive(std::make_unique<CMMorphChange>(static_cast<uint8_t>(GetLocation()), GetModuleIndex(), IndexOf(control),
                                             amount));
}

void CModule::BeginEdit(CPnlControl& control)
{
    const uint8_t param = IndexOf(control);
    if (CPatchBackground* area = GetPatchBackground()) {
        area->AddParamLabel(AddressOf(param), GetParamDisplayText(param), PlaceValueBox(param), true);
    }
    if (CPatch* patch = GetPatch()) {
        patch->SetParamFocus(AddressOf(param));
    }
    EditGesture& gesture = Gesture();
    gesture.control = &control;
    gesture.startMorph = GetMorphAmount(control);
    gesture.startValue = control.GetValue();
}

void CModule::EndEdit(CPnlControl& control)
{
    CPatchBackground* area = GetPatchBackground();
    if (area != nullptr) {
        // The value box goes; the assignment labels come back.
        area->RebuildLabels();
    }
    EditGesture& gesture = Gesture();
    if (gesture.control != &control) {
        gesture.control = nullptr;
        return;
    }
    gesture.control = nullptr;
    CPatch* patch = GetPatch();
    if (patch == nullptr) {
        return;
    }
    const uint8_t param = IndexOf(control);
    const auto location = static_cast<uint8_t>(GetLocation());
    try {
        const int8_t morph = GetMorphAmount(control);
        if (morph != gesture.startMorph) {
            auto pair = std::make_unique<CEditPair>(true);
            pair->Add(std::make_unique<CMMorphChange>(location, GetModuleIndex(), param, morph),
                      std::make_unique<CMMorphChange>(location, GetModuleIndex(), param, gesture.startMorph));
            patch->PushUndoEntry(std::move(pair));
        }
        if (control.GetValue() != gesture.startValue) {
            auto pair = std::make_unique<CEditPair>(true);
            pair->Add(std::make_unique<CMParamChange>(location, GetModuleIndex(), param, control.GetValue()),
                      std::make_unique<CMParamChange>(location, GetModuleIndex(), param, gesture.startValue));
            patch->PushUndoEntry(std::move(pair));
        }
    } catch (const std::bad_alloc&) {
        if (CEditorServicesInterface* editor = GetEditorServices()) {
            editor->PostDeferredAlert(CPatch::kAlertNotEnoughMemory);
        }
    }
}

void CModule::ShowContextMenu(CPnlControl& control, CPoint where)
{
    CPatch* patch = GetPatch();
    if (patch == nullptr) {
        return;
    }
    CKnobAssignmentMenu menu(*patch, GetParamAddress(control));
    menu.RemoveKeyboardEntry();
    menu.TrackAndExecute(*this, where);
}

bool CModule::AssignToToolbarMorphGroup(CPnlControl& control, int8_t amount)
{
    CPatch* patch = GetPatch();
    if (patch == nullptr) {
        return false;
    }
    const uint8_t param = IndexOf(control);
    const ParamAddress address = AddressOf(param);
    uint8_t group = 4;
    int32_t range = 0;
    if (patch->GetMorphMap().FindByParam(address, group, range)) {
        return true;
    }
    // A parameter the type keeps unmorphed, or no group chosen in the
    // toolbar: nothing to assign, and no morph edit.
    const CPanelServicesInterface* services = GetPanelServices();
    const uint8_t toolbarGroup = services ? services->GetToolbarMorphGroup() : CPanelServicesInterface::kNoMorphGroup;
    if (!IsMorphable(param) || toolbarGroup >= CPanelServicesInterface::kNoMorphGroup) {
        return false;
    }
    const ParamAddress partner = GetPairedParamAddress(control);
    const bool room = partner.module != 0 ? patch->GetMorphMap().HasRoomForTwo() : patch->GetMorphMap().HasRoom();
    if (!room) {
        return false;
    }
    auto pair = std::make_unique<CEditPair>(false);
    patch->GetMorphMap().MakeAssignMolecules(*pair, address, toolbarGroup, amount, partner);
    patch->ExecuteEdit(std::move(pair));
    return true;
}

CPoint CModule::PlaceValueBox(uint8_t param) const
{
    const CPnlControl* control = GetControl(param);
    if (control == nullptr) {
        return GetFrame().TopLeft();
    }
    const CRect& frame = control->GetFrame();
    const int w = frame.Width() + kValueBoxWidth;
    const int h = (frame.Height() + kValueBoxHeight) / 2 + 3;
    const CPoint centre = control->GetCenter();
    const CPatchBackground* area = GetPatchBackground();
    const CRect bounds = area ? area->GetFrame() : CRect(-32000, -32000, 32000, 32000);
    auto fits = [&](int x, int y) {
        const CRect box(x - kValueBoxWidth / 2, y - kValueBoxHeight / 2, x - kValueBoxWidth / 2 + kValueBoxWidth,
                        y - kValueBoxHeight / 2 + kValueBoxHeight);
        return box.left >= bounds.left && box.top >= bounds.top && box.right <= bounds.right &&
            box.bottom <= bounds.bottom;
    };
    const int x = centre.x;
    const int y = centre.y - h;
    for (const int dx : {0, w / 2 + 3, -(w / 2 + 3)}) {
        if (fits(x + dx, y)) {
            return CPoint(static_cast<int16_t>(x + dx), static_cast<int16_t>(y));
        }
    }
    return CPoint(static_cast<int16_t>(x), static_cast<int16_t>(centre.y + h));
}

void CModule::ShowValueBox(CPnlControl& control)
{
    CPatchBackground* area = GetPatchBackground();
    if (area == nullptr) {
        return;
    }
    const uint8_t param = IndexOf(control);
    area->SetParamLabelText(AddressOf(param), GetParamDisplayText(param), PlaceValueBox(param), kValueBoxDelayMs);
}

void CModule::HideValueBox(CPnlControl&)
{
    if (CPatchBackground* area = GetPatchBackground()) {
        area->RebuildLabels();
    }
}

void CModule::RefreshControl(CPnlControl& control)
{
    CPatch* patch = GetPatch();
    if (patch != nullptr && patch->HasWindow()) {
        control.UpdateDisplay();
    } else if (GetWindow() != nullptr) {
        control.UpdateDisplay();
    }
}

int8_t CModule::GetMorphAmount(const CPnlControl& control) const
{
    CPatch* patch = GetPatch();
    uint8_t group = 4;
    int32_t range = 0;
    if (patch == nullptr || !patch->GetMorphMap().FindByParam(GetParamAddress(control), group, range)) {
        return 0;
    }
    return static_cast<int8_t>(range);
}

uint8_t CModule::GetMorphGroup(const CPnlControl& control) const
{
    CPatch* patch = GetPatch();
    uint8_t group = 4;
    int32_t range = 0;
    if (patch == nullptr || !patch->GetMorphMap().FindByParam(GetParamAddress(control), group, range)) {
        return 4;
    }
    return group;
}

bool CModule::HasParamFocus(const CPnlControl& control) const
{
    CPatch* patch = GetPatch();
    return patch != nullptr && patch->GetParamFocus() == GetParamAddress(control);
}

// Custom container.

void CModule::SendCustomData(CPnlCustom&)
{
    CPatch* patch = GetPatch();
    if (patch == nullptr) {
        return;
    }
    CCustomDataStream changed;
    for (CPnlCustom* item : customs_) {
        item->WriteChangedData(changed);
    }
    const auto location = static_cast<uint8_t>(GetLocation());
    std::vector<uint8_t> next = changed.GetBytes();
    const std::vector<uint8_t> now = GetCustomData();
    for (size_t i = next.size(); i < now.size(); ++i) {
        next.push_back(now[i]);
    }
    auto pair = std::make_unique<CEditPair>(false);
    pair->Add(std::make_unique<CMCustomData>(location, GetModuleIndex(), next),
              std::make_unique<CMCustomData>(location, GetModuleIndex(), now));
    patch->ExecuteEdit(std::move(pair));
}

void CModule::SendParamChanges(CPnlCustom&)
{
    CPatch* patch = GetPatch();
    if (patch == nullptr) {
        return;
    }
    const auto location = static_cast<uint8_t>(GetLocation());
    auto pair = std::make_unique<CEditPair>(true);
    for (CPnlCustom* item : customs_) {
        uint8_t param = 0;
        uint8_t value = 0;
        while (item->NextParamChange(param, value)) {
            pair->Add(std::make_unique<CMParamChange>(location, GetModuleIndex(), param, std::min<uint8_t>(value, 127)),
                      std::make_unique<CMParamChange>(location, GetModuleIndex(), param, GetValue(param)));
        }
    }
    patch->ExecuteEditLive(std::move(pair));
}
