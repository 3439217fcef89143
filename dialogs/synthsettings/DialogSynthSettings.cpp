#include "dialogs/synthsettings/DialogSynthSettings.h"

#include "dialogs/common/DialogViews.h"
#include "dialogs/common/HelpButton.h"
#include "dialogs/name/NameDialog.h"
#include "framework/controls/CheckBoxView.h"
#include "framework/controls/NumberEditView.h"
#include "framework/controls/PushButtonView.h"
#include "framework/controls/RadioButtonGroupView.h"
#include "framework/controls/TextEditView.h"
#include "framework/controls/UpDownButtonView.h"
#include "framework/resources/ResourceText.h"
#include "framework/views/GroupBoxView.h"
#include "framework/views/StaticTextView.h"
#include "platform/base/DroppedExceptions.h"
#include "platform/system/Clock.h"
#include "synth/link/PortManager.h"

#include <cmath>
#include <cstdio>
#include <map>

using namespace NSHarrowen;

namespace {

using D = CDialogSynthSettings;

enum EGroup : uint16_t {
    kChannelGroup = 1177,
    kKeyboardGroup = 1127,
    kClockGroup = 1107,
    kTuneGroup = 1099,
    kVelocityGroup = 1109,
    kKnobGroup = 1118,
    kPedalGroup = 1124,
    kProgramGroup = 1115,
    kNoGroup = 0, // straight on the dialog
};

enum EItem : uint16_t {
    kName = 1037,
    kFrequency = 1101,
    kHelp = 1004,
    kOk = 1131,
    kCancel = 1132,
};

constexpr int32_t kNameLength = static_cast<int32_t>(CSynthSettings::kNameLength);

struct CNumberRow {
    D::ENumber number;
    uint16_t group;
    uint16_t field;
    uint16_t arrows;
    int32_t minimum;
    int32_t maximum;
    // A step first ends the typing in the focused field (all but "Max").
    bool endTyping;
};

constexpr CNumberRow kNumberRows[] = {
    {D::kVelMax, kVelocityGroup, 1035, 1078, 0, 127, false},
    {D::kVelMin, kVelocityGroup, 1036, 1079, 0, 127, true},
    {D::kTune, kTuneGroup, 1032, 1075, -100, 100, true},
    {D::kRate, kClockGroup, 1033, 1076, 31, 239, true},
    {D::kSync, kClockGroup, 1034, 1077, 1, 32, true},
    {static_cast<D::ENumber>(D::kChannelA + 0), kChannelGroup, 1122, 1123, 1, 16, true},
    {static_cast<D::ENumber>(D::kChannelA + 1), kChannelGroup, 1142, 1143, 1, 16, true},
    {static_cast<D::ENumber>(D::kChannelA + 2), kChannelGroup, 1145, 1146, 1, 16, true},
    {static_cast<D::ENumber>(D::kChannelA + 3), kChannelGroup, 1148, 1149, 1, 16, true},
};

struct CChoiceRow {
    D::EChoice choice;
    uint16_t group;
    uint16_t first;
    uint16_t second;
};

constexpr CChoiceRow kChoiceRows[] = {
    {D::kPedalPolarity, kPedalGroup, 1125, 1126},
    {D::kKnobMode, kKnobGroup, 1119, 1120},
    {D::kKeyboardMode, kKeyboardGroup, 1128, 1129},
    {D::kClockSource, kClockGroup, 1113, 1114},
};

struct CItemRow {
    uint16_t item;
    uint16_t group;
};

constexpr CItemRow kFlagRows[] = {{1116, kProgramGroup}, {1117, kProgramGroup}, {1135, kNoGroup}, {1136, kNoGroup}};
constexpr uint16_t kActiveItems[] = {1013, 1014, 1015, 1016};
constexpr uint16_t kSlotLabels[] = {1121, 1144, 1147, 1150};
constexpr CItemRow kLabels[] = {{1137, kNoGroup},   {1108, kClockGroup},    {1112, kClockGroup},   {1134, kClockGroup},
                                {1100, kTuneGroup}, {1110, kVelocityGroup}, {1111, kVelocityGroup}};

constexpr D::ENumber Channel(int slot)
{
    return static_cast<D::ENumber>(D::kChannelA + slot);
}

} // namespace

std::string TuneFrequencyText(int32_t cents)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.2fHz", 440.0 * std::pow(2.0, cents / 1200.0));
    return text;
}

bool IsSynthNameCharacter(char32_t character)
{
    return IsNameCharacter(character) && character != '\\';
}

CDialogSynthSettings::CDialogSynthSettings(CPortManager& ports, uint8_t port)
    : CModalDialog(kTemplate), ports_(ports), port_(port), opening_(ports.GetSynthSettings(port)), lastKnown_(opening_),
      settingsTime_(ports.GetSynthSettingsTime(port)), slotCount_(ports.GetSlotCount(port))
{
    BuildViews();
    SetTitle(GetResourceString(kTitleString) + std::to_string(port + 1));
    DisableWhatTheModelLacks();
    SetNumber(kTune, 0);
    LoadWorkingValues(opening_);
    BuildFocusChain();
    SetDefaultButton(ok_);
    SetCancelButton(cancel_);
}

CDialogSynthSettings::~CDialogSynthSettings() = default;

void CDialogSynthSettings::BuildViews()
{
    const CDialogViews views(*this);
    std::map<uint16_t, CGroupView*> groups{{kNoGroup, GetRootView()}};
    for (uint16_t id : {kChannelGroup, kKeyboardGroup, kClockGroup, kTuneGroup, kVelocityGroup, kKnobGroup, kPedalGroup,
                        kProgramGroup})
        groups[id] = views.GroupBox(id);
    for (const CItemRow& label : kLabels)
        views.Text(label.item, groups[label.group]);
    name_ = new CSingleLineTextEditView(GetRootView(), views.Item(kName), kNameLength, kReturnToParent);
    for (const CNumberRow& row : kNumberRows)
        numbers_[row.number] =
            std::make_unique<CNumberSetting>(*this, groups[row.group], row.field, row.arrows, row.minimum, row.maximum);
    for (const CChoiceRow& row : kChoiceRows)
        choices_[row.choice] = views.Radios(groups[row.group], {row.first, row.second});
    for (int flag = 0; flag < kFlagCount; ++flag)
        flagBoxes_[flag] = views.CheckBox(kFlagRows[flag].item, groups[kFlagRows[flag].group]);
    for (int slot = 0; slot < kSlots; ++slot) {
        slotLabels_[slot] = views.Text(kSlotLabels[slot], groups[kChannelGroup]);
        activeBoxes_[slot] = views.CheckBox(kActiveItems[slot], groups[kChannelGroup]);
    }
    frequencyView_ = views.Text(kFrequency, groups[kTuneGroup]);
    help_ = views.Button(kHelp);
    ok_ = views.Button(kOk);
    cancel_ = views.Button(kCancel);
}

void CDialogSynthSettings::BuildFocusChain()
{
    const auto number = [this](ENumber n) {
        AddToFocusChain(numbers_[n]->GetField());
        AddToFocusChain(numbers_[n]->GetArrows());
    };
    AddToFocusChain(ok_);
    AddToFocusChain(name_);
    AddToFocusChain(choices_[kClockSource]);
    number(kRate);
    number(kSync);
    number(kTune);
    AddToFocusChain(choices_[kKeyboardMode]);
    AddToFocusChain(flagBoxes_[kLocalOff]);
    AddToFocusChain(flagBoxes_[kLeds]);
    AddToFocusChain(choices_[kKnobMode]);
    AddToFocusChain(choices_[kPedalPolarity]);
    AddToFocusChain(flagBoxes_[kReceive]);
    AddToFocusChain(flagBoxes_[kSend]);
    number(kVelMax);
    number(kVelMin);
    for (int slot = 0; slot < kSlots; ++slot) {
        number(Channel(slot));
        AddToFocusChain(activeBoxes_[slot]);
    }
    AddToFocusChain(cancel_);
    AddToFocusChain(help_);
}

void CDialogSynthSettings::DisableWhatTheModelLacks()
{
    if (slotCount_ != 1)
        return;
    for (int slot = 1; slot < kSlots; ++slot) {
        numbers_[Channel(slot)]->SetEnabled(false);
        slotLabels_[slot]->SetEnabled(false);
        activeBoxes_[slot]->SetEnabled(false);
    }
    flagBoxes_[kLocalOff]->SetEnabled(false);
    choices_[kKeyboardMode]->SetEnabled(false);
    choices_[kPedalPolarity]->SetEnabled(false);
}

void CDialogSynthSettings::SetNumber(ENumber number, int32_t value)
{
    working_.numbers[number] = numbers_[number]->Pin(value);
    if (number == kTune)
        frequency_ = TuneFrequencyText(working_.numbers[kTune]);
}

void CDialogSynthSettings::LoadWorkingValues(const CSynthSettings& settings)
{
    working_.choices[kPedalPolarity] = settings.GetPedalPolarity() == 1 ? 1 : 0;
    working_.choices[kKnobMode] = settings.GetKnobMode() == 1 ? 1 : 0;
    working_.choices[kKeyboardMode] = settings.GetKeyboardMode() == 1 ? 1 : 0;
    working_.choices[kClockSource] = settings.GetInternalClock() != 0 ? 0 : 1;
    SetNumber(kVelMax, settings.GetVelocityMax());
    SetNumber(kVelMin, settings.GetVelocityMin());
    SetNumber(kTune, settings.GetMasterTune());
    SetNumber(kRate, settings.GetClockRate());
    SetNumber(kSync, settings.GetGlobalSync());
    working_.flags[kReceive] = settings.GetProgramChangeReceive() != 0;
    working_.flags[kSend] = settings.GetProgramChangeSend() != 0;
    working_.flags[kLeds] = settings.GetLedsActive() != 0;
    working_.flags[kLocalOff] = settings.GetLocalOn() == 0;
    working_.name = settings.GetName();
    for (int slot = 0; slot < kSlots; ++slot) {
        working_.active[slot] = settings.GetSlotActive(slot) != 0;
        // An inactive slot keeps the channel it showed.
        if (working_.active[slot])
            SetNumber(Channel(slot), settings.GetSlotChannel(slot) + 1);
    }
}

CSynthSettings CDialogSynthSettings::BuildSettings() const
{
    CSynthSettings settings = lastKnown_;
    settings.SetPedalPolarity(static_cast<uint32_t>(working_.choices[kPedalPolarity]));
    settings.SetKnobMode(static_cast<uint32_t>(working_.choices[kKnobMode]));
    settings.SetKeyboardMode(static_cast<uint32_t>(working_.choices[kKeyboardMode]));
    settings.SetInternalClock(working_.choices[kClockSource] == 0 ? 1 : 0);
    settings.SetVelocityMax(working_.numbers[kVelMax]);
    settings.SetVelocityMin(working_.numbers[kVelMin]);
    settings.SetMasterTune(working_.numbers[kTune]);
    settings.SetClockRate(working_.numbers[kRate]);
    settings.SetGlobalSync(working_.numbers[kSync]);
    settings.SetProgramChangeReceive(working_.flags[kReceive] ? 1 : 0);
    settings.SetProgramChangeSend(working_.flags[kSend] ? 1 : 0);
    settings.SetLocalOn(working_.flags[kLocalOff] ? 0 : 1);
    settings.SetLedsActive(working_.flags[kLeds] ? 1 : 0);
    settings.SetName(working_.name);
    for (int slot = 0; slot < kSlots; ++slot) {
        settings.SetSlotActive(slot, working_.active[slot] ? 1 : 0);
        if (working_.active[slot])
            settings.SetSlotChannel(slot, working_.numbers[Channel(slot)] - 1);
    }
    return settings;
}

void CDialogSynthSettings::TakeName()
{
    CEditNotification record;
    while (name_->TakeNotification(record)) {
        if (record.kind == kEditInsertChar && !IsSynthNameCharacter(record.character))
            continue;
        if (record.kind == kEditCommit)
            working_.name = name_->GetText();
        else
            name_->ProcessNotification(record);
    }
}

void CDialogSynthSettings::TakeUserActions()
{
    TakeName();
    int16_t pick = 0;
    for (EChoice choice : {kPedalPolarity, kKnobMode, kKeyboardMode})
        if (choices_[choice]->TakeSelection(pick))
            working_.choices[choice] = pick;
    const auto takeNumber = [this](const CNumberRow& row) {
        int32_t value = working_.numbers[row.number];
        if (numbers_[row.number]->Take(value, row.endTyping))
            SetNumber(row.number, value);
    };
    for (const CNumberRow& row : kNumberRows) {
        if (row.number >= kChannelA)
            break;
        takeNumber(row);
        if (row.number == kTune && choices_[kClockSource]->TakeSelection(pick))
            working_.choices[kClockSource] = pick;
    }
    for (int flag = 0; flag < kFlagCount; ++flag)
        if (flagBoxes_[flag]->TakeClick())
            working_.flags[flag] = !flagBoxes_[flag]->IsChecked();
    for (int slot = 0; slot < kSlots; ++slot) {
        takeNumber(kNumberRows[Channel(slot)]);
        if (activeBoxes_[slot]->TakeClick())
            working_.active[slot] = !working_.active[slot];
    }
}

void CDialogSynthSettings::ReceiveNotifications()
{
    TakeUserActions();
    if (help_->TakeClick())
        OpenHelpTopic(kHelpContext);
    if (ok_->TakeClick()) {
        SendFocusLost();
        closeRequested_ = true;
    }
    if (cancel_->TakeClick()) {
        // The typing in progress ends first, so it cannot overwrite what
        // Cancel puts back.
        SendFocusLost();
        LoadWorkingValues(opening_);
        closeRequested_ = true;
    }
    changed_ = true;
    CModalDialog::ReceiveNotifications();
}

bool CDialogSynthSettings::HasSynth() const
{
    return ports_.HasSynth(port_);
}

void CDialogSynthSettings::ShowWorkingValues()
{
    for (int choice = 0; choice < kChoiceCount; ++choice)
        choices_[choice]->SetSelection(static_cast<int16_t>(working_.choices[choice]));
    for (const CNumberRow& row : kNumberRows)
        numbers_[row.number]->Show(working_.numbers[row.number]);
    frequencyView_->SetText(frequency_);
    for (int flag = 0; flag < kFlagCount; ++flag)
        flagBoxes_[flag]->SetChecked(working_.flags[flag]);
    for (int slot = 0; slot < kSlots; ++slot)
        activeBoxes_[slot]->SetChecked(working_.active[slot]);
    name_->SetText(working_.name);
}

void CDialogSynthSettings::UpdateState()
{
    if (HasSynth())
        ShowWorkingValues();
    else if (!IsMarkedForDeletion())
        Close();
    CModalDialog::UpdateState();
}

bool CDialogSynthSettings::SendIfChanged()
{
    try {
        const CSynthSettings settings = BuildSettings();
        if (settings == lastKnown_)
            return true;
        if (!HasSynth() || !ports_.SendSynthSettings(port_, settings))
            return false;
        settingsTime_ = static_cast<uint32_t>(platform::NowMilliseconds());
        lastKnown_ = settings;
        return true;
    } catch (...) {
        platform::RecordDroppedException("the synth settings dialog, which closes");
        Close();
        return false;
    }
}

void CDialogSynthSettings::Idle()
{
    if (IsMarkedForDeletion()) {
        CModalDialog::Idle();
        return;
    }
    if (!HasSynth()) {
        Close();
    } else if (closeRequested_) {
        if (SendIfChanged()) {
            closeRequested_ = false;
            Close();
        }
    } else if (ports_.GetSynthSettingsTime(port_) > settingsTime_) {
        settingsTime_ = ports_.GetSynthSettingsTime(port_);
        SendFocusLost();
        lastKnown_ = ports_.GetSynthSettings(port_);
        LoadWorkingValues(lastKnown_);
        ShowWorkingValues();
        UpdateAllWindows();
        changed_ = false;
    } else if (changed_ && SendIfChanged()) {
        changed_ = false;
    }
    CModalDialog::Idle();
}
