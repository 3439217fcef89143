#include "dialogs/patchsettings/DialogPatchSettings.h"

#include "dialogs/common/DialogViews.h"
#include "dialogs/common/HelpButton.h"
#include "framework/controls/CheckBoxView.h"
#include "framework/controls/NumberEditView.h"
#include "framework/controls/PushButtonView.h"
#include "framework/controls/RadioButtonGroupView.h"
#include "framework/controls/UpDownButtonView.h"
#include "framework/views/GroupBoxView.h"
#include "framework/views/StaticTextView.h"
#include "patch/area/DspLoadTable.h"
#include "patch/document/Patch.h"
#include "platform/system/Clock.h"

#include <map>
#include <string>

using namespace NSHarrowen;

namespace {

using EItem = CDialogPatchSettings::EItem;
using ENumber = CDialogPatchSettings::ENumber;

// The group boxes that hold controls.
enum EGroup : uint16_t {
    kVoicesGroup = 1025,
    kVelocityGroup = 1019,
    kKeyboardGroup = 1020,
    kPedalGroup = 1030,
    kBendGroup = 1081,
    kPortamentoGroup = 1082,
    kOctaveGroup = 1084,
    kRetrigGroup = 1160,
    kResourcesGroup = 1085,
};

struct CNumberRow {
    ENumber number;
    uint16_t group;
    uint16_t field;
    uint16_t arrows;
    int32_t minimum;
    int32_t maximum;
};

// In the order the dialog takes them.
constexpr CNumberRow kNumberRows[] = {
    {CDialogPatchSettings::kVelMax, kVelocityGroup, EItem::kVelMaxField, EItem::kVelMaxArrows, 0, 127},
    {CDialogPatchSettings::kVelMin, kVelocityGroup, EItem::kVelMinField, EItem::kVelMinArrows, 0, 127},
    {CDialogPatchSettings::kKbMax, kKeyboardGroup, EItem::kKbMaxField, EItem::kKbMaxArrows, 0, 127},
    {CDialogPatchSettings::kKbMin, kKeyboardGroup, EItem::kKbMinField, EItem::kKbMinArrows, 0, 127},
    {CDialogPatchSettings::kVoices, kVoicesGroup, EItem::kVoicesField, EItem::kVoicesArrows, 1, 32},
    {CDialogPatchSettings::kPmTime, kPortamentoGroup, EItem::kPmTimeField, EItem::kPmTimeArrows, 0, 127},
    {CDialogPatchSettings::kBend, kBendGroup, EItem::kBendField, EItem::kBendArrows, 0, 24},
};

// The resource figures: label and item by resource kind 0-5.
struct CResourceRow {
    const char* label;
    uint16_t item;
};
constexpr CResourceRow kResourceRows[] = {
    {"Cycles: ", 1086},   {"X mem: ", 1088},     {"Y mem: ", 1089},
    {"Prog mem: ", 1087}, {"Zero page: ", 1090}, {"Dyn mem: ", 1096},
};

constexpr uint16_t kPedalOnOff = 1080;
constexpr uint16_t kPedalSustain = 1079;
constexpr uint16_t kPortamentoNormal = 1093;
constexpr uint16_t kPortamentoAuto = 1094;
// The fixed texts and the group boxes they stand in.
struct CLabelRow {
    uint16_t item;
    uint16_t group;
};
constexpr CLabelRow kLabels[] = {{1028, kVoicesGroup},    {1023, kVelocityGroup}, {1024, kVelocityGroup},
                                 {1032, kKeyboardGroup},  {1033, kKeyboardGroup}, {1095, kBendGroup},
                                 {1039, kPortamentoGroup}};

bool TakeRadioPick(CRadioButtonGroupView* group, int32_t& value)
{
    int16_t pick = 0;
    if (!group->TakeSelection(pick))
        return false;
    value = pick;
    return true;
}

} // namespace

CDialogPatchSettings::CDialogPatchSettings(CABCWindow* owner, CPatch& patch)
    : CModalDialog(owner, kTemplate), patch_(patch), opening_(patch.GetPatchHeader()),
      stamp_(patch.GetHeaderChangeTime())
{
    BuildViews();
    ShowResources();
    SetDefaultButton(ok_);
    SetCancelButton(cancel_);
    BuildFocusChain();
    SetFocusView(ok_);
    LoadEditState(opening_);
    CenterOnFrame();
}

CDialogPatchSettings::~CDialogPatchSettings() = default;

void CDialogPatchSettings::BuildViews()
{
    const CDialogViews views(*this);
    std::map<uint16_t, CGroupBoxView*> groups;
    for (uint16_t id : {kVoicesGroup, kVelocityGroup, kKeyboardGroup, kPedalGroup, kBendGroup, kPortamentoGroup,
                        kOctaveGroup, kRetrigGroup, kResourcesGroup})
        groups[id] = views.GroupBox(id);
    for (const CLabelRow& label : kLabels)
        views.Text(label.item, groups[label.group]);
    current_ = views.Text(kCurrent, groups[kVoicesGroup]);
    current_->SetText("");
    for (const CNumberRow& row : kNumberRows)
        numbers_[row.number] =
            std::make_unique<CNumberSetting>(*this, groups[row.group], row.field, row.arrows, row.minimum, row.maximum);
    getNotes_ = new CPushButtonView(groups[kVoicesGroup], views.Item(kGetNotes));
    pedal_ = views.Radios(groups[kPedalGroup], {kPedalOnOff, kPedalSustain});
    portamento_ = views.Radios(groups[kPortamentoGroup], {kPortamentoNormal, kPortamentoAuto});
    octave_ = views.Radios(groups[kOctaveGroup], {1073, 1074, 1075, 1076, 1077});
    poly_ = views.CheckBox(kPoly, groups[kRetrigGroup]);
    common_ = views.CheckBox(kCommon, groups[kRetrigGroup]);
    for (size_t kind = 0; kind < std::size(kResourceRows); ++kind)
        resources_[kind] = views.Text(kResourceRows[kind].item, groups[kResourcesGroup]);
    help_ = views.Button(kHelp);
    ok_ = views.Button(kOk);
    cancel_ = views.Button(kCancel);
}

void CDialogPatchSettings::BuildFocusChain()
{
    const auto number = [this](ENumber n) {
        AddToFocusChain(numbers_[n]->GetField());
        AddToFocusChain(numbers_[n]->GetArrows());
    };
    AddToFocusChain(ok_);
    number(kVoices);
    AddToFocusChain(getNotes_);
    for (ENumber n : {kVelMax, kVelMin, kKbMax, kKbMin})
        number(n);
    AddToFocusChain(pedal_);
    number(kBend);
    AddToFocusChain(portamento_);
    number(kPmTime);
    AddToFocusChain(octave_);
    AddToFocusChain(poly_);
    AddToFocusChain(common_);
    AddToFocusChain(cancel_);
    AddToFocusChain(help_);
}

void CDialogPatchSettings::LoadEditState(const CPatchHeader& header)
{
    state_.octave = header.GetOctShift() + 2;
    state_.pedal = header.GetPedalMode() == CPatchHeader::kPedalSustain ? 1 : 0;
    state_.portamento = header.GetPMMode() == CPatchHeader::kPortamentoAuto ? 1 : 0;
    state_.numbers[kVelMax] = header.GetVelRangeMax();
    state_.numbers[kVelMin] = header.GetVelRangeMin();
    state_.numbers[kKbMax] = header.GetKbRangeMax();
    state_.numbers[kKbMin] = header.GetKbRangeMin();
    state_.numbers[kVoices] = header.GetVoices();
    state_.numbers[kPmTime] = header.GetPMTime();
    state_.numbers[kBend] = header.GetBendRange();
    state_.commonRetrig = header.GetCommonRetrig() != 0;
    state_.polyRetrig = header.GetRetrig() != 0;
}

void CDialogPatchSettings::StoreEditState(CPatchHeader& header) const
{
    header.SetOctShift(state_.octave - 2);
    header.SetPedalMode(state_.pedal == 0);
    header.SetPMMode(state_.portamento == 1 ? CPatchHeader::kPortamentoAuto : CPatchHeader::kPortamentoNormal);
    header.SetVelRangeMax(state_.numbers[kVelMax]);
    header.SetVelRangeMin(state_.numbers[kVelMin]);
    header.SetKbRangeMax(state_.numbers[kKbMax]);
    header.SetKbRangeMin(state_.numbers[kKbMin]);
    header.SetVoices(state_.numbers[kVoices]);
    header.SetPMTime(state_.numbers[kPmTime]);
    header.SetBendRange(state_.numbers[kBend]);
    header.SetCommonRetrig(state_.commonRetrig ? 1 : 0);
    header.SetRetrig(state_.polyRetrig ? 1 : 0);
}

bool CDialogPatchSettings::TakeUserEdits()
{
    bool changed = false;
    changed |= TakeRadioPick(octave_, state_.octave);
    changed |= TakeRadioPick(pedal_, state_.pedal);
    changed |= TakeRadioPick(portamento_, state_.portamento);
    for (const CNumberRow& row : kNumberRows)
        changed |= numbers_[row.number]->Take(state_.numbers[row.number], true);
    if (common_->TakeClick()) {
        state_.commonRetrig = !common_->IsChecked();
        changed = true;
    }
    if (poly_->TakeClick()) {
        state_.polyRetrig = !poly_->IsChecked();
        changed = true;
    }
    return changed;
}

void CDialogPatchSettings::ReceiveNotifications()
{
    const bool changed = TakeUserEdits();
    if (getNotes_->TakeClick())
        patch_.RequestCurrentNotes();
    if (help_->TakeClick())
        OpenHelpTopic(kHelpContext);
    if (ok_->TakeClick()) {
        ApplyAndClose();
    } else if (cancel_->TakeClick()) {
        LoadEditState(opening_);
        ApplyAndClose();
    } else if (changed) {
        ApplyToPatch();
        stamp_ = platform::NowMilliseconds();
    }
    CModalDialog::ReceiveNotifications();
}

void CDialogPatchSettings::ApplyToPatch()
{
    CPatchHeader header = patch_.GetPatchHeader();
    StoreEditState(header);
    patch_.SetPatchHeader(header);
}

void CDialogPatchSettings::ApplyAndClose()
{
    ApplyToPatch();
    Close();
}

void CDialogPatchSettings::UpdateState()
{
    uint8_t voices = 0;
    current_->SetText(patch_.GetSlotVoiceCount(voices) ? "Current: " + std::to_string(voices) : std::string());
    if (patch_.GetHeaderChangeTime() > stamp_) {
        LoadEditState(patch_.GetPatchHeader());
        stamp_ = platform::NowMilliseconds();
    }
    getNotes_->SetEnabled(patch_.IsLinked());
    octave_->SetSelection(static_cast<int16_t>(state_.octave));
    pedal_->SetSelection(static_cast<int16_t>(state_.pedal));
    portamento_->SetSelection(static_cast<int16_t>(state_.portamento));
    common_->SetChecked(state_.commonRetrig);
    poly_->SetChecked(state_.polyRetrig);
    for (const CNumberRow& row : kNumberRows)
        numbers_[row.number]->Show(state_.numbers[row.number]);
    CModalDialog::UpdateState();
}

void CDialogPatchSettings::ShowResources()
{
    const CDspLoadTable& table = patch_.GetLoadTable();
    for (size_t kind = 0; kind < std::size(kResourceRows); ++kind) {
        const int k = static_cast<int>(kind);
        resources_[kind]->SetText(std::string(kResourceRows[kind].label) + std::to_string(table.KindLoadPercent(k, 1)) +
                                  "/" + std::to_string(table.KindLoadPercent(k, 0)));
    }
}
