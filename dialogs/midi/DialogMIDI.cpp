#include "dialogs/midi/DialogMIDI.h"

#include "framework/alerts/AlertBox.h"
#include "framework/base/Exceptions.h"
#include "framework/controls/CheckBoxView.h"
#include "framework/controls/PopupButtonView.h"
#include "framework/controls/PushButtonView.h"
#include "framework/input/MouseState.h"
#include "framework/menus/Menu.h"
#include "framework/views/GroupBoxView.h"
#include "framework/views/StaticTextView.h"
#include "synth/link/PortManager.h"

#include <exception>
#include <string>
#include <utility>

using namespace NSHarrowen;

namespace {

constexpr int16_t kRowPitch = 80;
constexpr int16_t kWidth = 440;
constexpr int16_t kContentHeight = 356;
constexpr int16_t kButtonTop = 330;

// A row's pop-up: the listed devices, then the port's own device by name
// when it is not listed.
template <class Registry>
std::unique_ptr<CMenu> DeviceMenu(const Registry& registry, uint16_t index, const std::string& name)
{
    auto menu = std::make_unique<CMenu>();
    for (uint16_t i = 0; i < registry.GetCount(); ++i)
        menu->AppendItem(registry.GetAt(i)->GetName());
    if (index == CPortManager::kNotListed)
        menu->AppendItem(name + CDialogMIDI::kNotConnected);
    return menu;
}

// The pop-up index of a device index: past the listed ones when not listed.
uint16_t PopupIndex(uint16_t device, uint16_t listed)
{
    return device == CPortManager::kNotListed ? listed : device;
}

// The listed device at a pop-up index; empty past the listed ones.
template <class Registry> std::string ListedName(const Registry& registry, uint16_t index)
{
    const auto* entry = registry.GetAt(index);
    return entry != nullptr ? entry->GetName() : std::string();
}

// A pop-up index follows its device's name into new lists; it stays as it is
// when the device is no longer listed.
template <class Registry> void Follow(const Registry& registry, const std::string& name, uint16_t& index)
{
    uint16_t found = 0;
    if (!name.empty() && registry.FindByName(name, found))
        index = found;
}

CRect Place(int16_t left, int16_t top, int16_t width, int16_t height)
{
    return CRect(left, top, static_cast<int16_t>(left + width), static_cast<int16_t>(top + height));
}

template <class View, class... Args> View* MakeAt(CGroupView* parent, const CRect& frame, Args&&... args)
{
    auto* view = new View(parent, std::forward<Args>(args)...);
    view->SetFrame(frame);
    return view;
}

} // namespace

CDialogMIDI::CDialogMIDI(CPortManager& ports) : CModalDialog("MIDI Setup"), ports_(ports)
{
    // A device plugged in since the last time is listed.
    ports_.RefreshDeviceLists();
    for (uint8_t port = 0; port < kPorts; ++port)
        BuildPort(port);
    CGroupView* root = GetRootView();
    ok_ = MakeAt<CPushButtonView>(root, Place(125, kButtonTop, 50, 26), "OK");
    cancel_ = MakeAt<CPushButtonView>(root, Place(185, kButtonTop, 50, 26), "Cancel");
    apply_ = MakeAt<CPushButtonView>(root, Place(245, kButtonTop, 50, 26), "Apply");
    SetDefaultButton(ok_);
    SetCancelButton(cancel_);
    for (const CPortRow& row : rows_) {
        AddToFocusChain(row.enabled);
        AddToFocusChain(row.input);
        AddToFocusChain(row.output);
    }
    AddToFocusChain(ok_);
    AddToFocusChain(cancel_);
    AddToFocusChain(apply_);
    SetFocusView(rows_[0].enabled);

    const CRect outer = GetWindowRectInFrame();
    const int16_t overhead = static_cast<int16_t>(outer.Height() - GetClientRect().Height());
    SetWindowRect(Place(outer.left, outer.top, kWidth, static_cast<int16_t>(overhead + kContentHeight + 5)));
}

CDialogMIDI::~CDialogMIDI()
{
    // The pop-ups go before the menus they show.
    GetRootView()->DeleteChildren();
}

void CDialogMIDI::BuildPort(uint8_t port)
{
    CPortRow& row = rows_[port];
    const auto top = static_cast<int16_t>(kRowPitch * port);
    row.box = new CGroupBoxView(GetRootView(), CRect(5, top + 5, 430, top + 82), "Port " + std::to_string(port + 1));
    MakeAt<CStaticTextView>(row.box, Place(12, top + 33, 20, 16), "In");
    row.input = MakeAt<CPopupButtonView>(row.box, Place(30, top + 29, 180, 21));
    MakeAt<CStaticTextView>(row.box, Place(216, top + 33, 24, 16), "Out");
    row.output = MakeAt<CPopupButtonView>(row.box, Place(240, top + 29, 180, 21));
    row.enabled = MakeAt<CCheckBoxView>(row.box, Place(30, top + 59, 70, 16), "Enabled");
    MakeAt<CStaticTextView>(row.box, Place(128, top + 60, 50, 16), "Status:");
    row.status = MakeAt<CStaticTextView>(row.box, Place(168, top + 60, 248, 16), "");
    ListPortDevices(port);
    row.enabledFlag = ports_.GetPort(port) != nullptr;
}

// A row's pop-ups on the lists as last read, showing the port's own devices.
void CDialogMIDI::ListPortDevices(uint8_t port)
{
    CPortRow& row = rows_[port];
    row.inputMenu = DeviceMenu(ports_.GetInputRegistry(), ports_.GetInputIndex(port), ports_.GetInputName(port));
    row.outputMenu = DeviceMenu(ports_.GetOutputRegistry(), ports_.GetOutputIndex(port), ports_.GetOutputName(port));
    row.input->SetItems(row.inputMenu.get());
    row.output->SetItems(row.outputMenu.get());
    row.inputIndex = PopupIndex(ports_.GetInputIndex(port), ports_.GetInputDeviceCount());
    row.outputIndex = PopupIndex(ports_.GetOutputIndex(port), ports_.GetOutputDeviceCount());
}

// Devices come and go while the dialog is open (a synthesizer switched on):
// each opening of a list reads them afresh. A device chosen in a row follows
// its name into the new lists; one gone since gives way to the port's own.
void CDialogMIDI::RelistDevices()
{
    std::array<std::pair<std::string, std::string>, kPorts> chosen;
    for (uint8_t port = 0; port < kPorts; ++port)
        chosen[port] = {ListedName(ports_.GetInputRegistry(), rows_[port].inputIndex),
                        ListedName(ports_.GetOutputRegistry(), rows_[port].outputIndex)};
    ports_.RefreshDeviceLists();
    for (uint8_t port = 0; port < kPorts; ++port) {
        CPortRow& row = rows_[port];
        ListPortDevices(port);
        Follow(ports_.GetInputRegistry(), chosen[port].first, row.inputIndex);
        Follow(ports_.GetOutputRegistry(), chosen[port].second, row.outputIndex);
        row.input->SetSelection(row.inputIndex);
        row.output->SetSelection(row.outputIndex);
    }
}

uint16_t CDialogMIDI::InputDevice(const CPortRow& row) const
{
    return row.inputIndex < ports_.GetInputDeviceCount() ? row.inputIndex : CPortManager::kNotListed;
}

uint16_t CDialogMIDI::OutputDevice(const CPortRow& row) const
{
    return row.outputIndex < ports_.GetOutputDeviceCount() ? row.outputIndex : CPortManager::kNotListed;
}

void CDialogMIDI::ReceiveNotifications()
{
    bool opening = false;
    for (CPortRow& row : rows_) {
        opening = row.input->TakeOpening() || opening;
        opening = row.output->TakeOpening() || opening;
    }
    if (opening)
        RelistDevices();
    for (CPortRow& row : rows_) {
        if (row.enabled->TakeClick())
            row.enabledFlag = !row.enabled->IsChecked();
        int16_t picked = 0;
        if (row.input->TakeSelection(picked) && picked >= 0)
            row.inputIndex = static_cast<uint16_t>(picked);
        if (row.output->TakeSelection(picked) && picked >= 0)
            row.outputIndex = static_cast<uint16_t>(picked);
    }
    if (ok_->TakeClick()) {
        if (Apply())
            RequestClose();
    } else if (cancel_->TakeClick()) {
        RequestClose();
    } else if (apply_->TakeClick()) {
        Apply();
    }
    CModalDialog::ReceiveNotifications();
}

void CDialogMIDI::UpdateState()
{
    for (uint8_t port = 0; port < kPorts; ++port) {
        const CPortRow& row = rows_[port];
        row.input->SetSelection(row.inputIndex);
        row.input->SetEnabled(row.enabledFlag);
        row.output->SetSelection(row.outputIndex);
        row.output->SetEnabled(row.enabledFlag);
        row.enabled->SetChecked(row.enabledFlag);
        row.status->SetText(ports_.GetDisplayName(port));
    }
    apply_->SetEnabled(HasChanges());
    CModalDialog::UpdateState();
}

bool CDialogMIDI::PortChanged(uint8_t port) const
{
    const CPortRow& row = rows_[port];
    return row.enabledFlag != (ports_.GetPort(port) != nullptr) || InputDevice(row) != ports_.GetInputIndex(port) ||
        OutputDevice(row) != ports_.GetOutputIndex(port);
}

bool CDialogMIDI::HasChanges() const
{
    for (uint8_t port = 0; port < kPorts; ++port)
        if (PortChanged(port))
            return true;
    return false;
}

bool CDialogMIDI::DevicesAreDistinct() const
{
    for (uint8_t a = 0; a < kPorts; ++a) {
        for (uint8_t b = static_cast<uint8_t>(a + 1); b < kPorts; ++b) {
            const CPortRow& first = rows_[a];
            const CPortRow& second = rows_[b];
            // Devices that are not listed are told apart by their names.
            if (first.enabledFlag && second.enabledFlag &&
                (first.inputMenu->GetItem(first.inputIndex).label ==
                     second.inputMenu->GetItem(second.inputIndex).label ||
                 first.outputMenu->GetItem(first.outputIndex).label ==
                     second.outputMenu->GetItem(second.outputIndex).label))
                return false;
        }
    }
    return true;
}

bool CDialogMIDI::Apply()
{
    if (!DevicesAreDistinct()) {
        RunAlert(kAlertUniqueDevice);
        return false;
    }
    for (uint8_t port = 0; port < kPorts; ++port)
        if (PortChanged(port))
            ApplyPort(port);
    ports_.StorePortsInPreferences();
    return true;
}

void CDialogMIDI::ApplyPort(uint8_t port)
{
    CPortRow& row = rows_[port];
    ports_.ClosePort(port);
    // The chosen devices are kept also for a port that stays closed, so
    // that the preferences remember them.
    if (!row.enabledFlag || !OpenPort(port))
        ports_.SetPortDevices(port, InputDevice(row), OutputDevice(row));
    row.enabledFlag = ports_.GetPort(port) != nullptr;
}

std::optional<std::string> CDialogMIDI::UnlistedDevice(const CPortRow& row) const
{
    // Only a device shown by its name as not connected: a direction with no
    // device at all is another failure.
    const auto name = [](const NSHarrowen::CMenu& menu, uint16_t index) -> std::optional<std::string> {
        if (index >= menu.GetItemCount())
            return std::nullopt;
        const std::string label = menu.GetItem(index).label;
        const std::string mark = kNotConnected;
        if (!label.ends_with(mark))
            return std::nullopt;
        return label.substr(0, label.size() - mark.size());
    };
    if (InputDevice(row) == CPortManager::kNotListed)
        if (std::optional<std::string> input = name(*row.inputMenu, row.inputIndex))
            return input;
    if (OutputDevice(row) == CPortManager::kNotListed)
        return name(*row.outputMenu, row.outputIndex);
    return std::nullopt;
}

bool CDialogMIDI::OpenPort(uint8_t port)
{
    const CPortRow& row = rows_[port];
    if (const std::optional<std::string> unlisted = UnlistedDevice(row)) {
        RunAlertWithArgs(kAlertNotConnected, *unlisted);
        return false;
    }
    SetWaitCursor();
    try {
        ports_.OpenPort(port, InputDevice(row), OutputDevice(row));
        SetArrowCursor();
        return true;
    } catch (const XFailedOpeningMIDIPort& failure) {
        SetArrowCursor();
        if (failure.GetText().empty())
            RunAlert(kAlertCouldNotOpen);
        else
            RunAlertTextWithArgs(kAlertMidiProblem, {failure.GetText()});
    } catch (const std::exception&) {
        SetArrowCursor();
        RunAlert(kAlertOutOfMemory);
    }
    return false;
}
