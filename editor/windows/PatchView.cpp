#include "editor/windows/PatchView.h"

#include "editor/app/EditorCommands.h"
#include "editor/app/EditorDialogsInterface.h"
#include "editor/clipboard/Clipboard.h"
#include "editor/patches/PatchManager.h"
#include "editor/prefs/Preferences.h"
#include "editor/slots/DownloadToSlot.h"
#include "editor/windows/PatchKeyTable.h"
#include "editor/windows/SaveQuestion.h"
#include "editor/windows/SplitterView.h"
#include "framework/application/Application.h"
#include "framework/menus/MenuBar.h"
#include "framework/views/GroupView.h"
#include "framework/input/Keyboard.h"
#include "patch/area/PatchBackground.h"
#include "patch/area/ScrollViewContainer.h"
#include "patch/document/Patch.h"
#include "platform/base/DroppedExceptions.h"
#include "platform/windows/Window.h"
#include "synth/link/PortManager.h"

#include <algorithm>

using namespace NSHarrowen;

namespace {

// Sizable, with minimise and maximise boxes.
constexpr int kFrameStyle = 2;
// Far more than a hand gives while a synthesizer answers; a bound against
// one that never does.
constexpr size_t kMostHeldInput = 256;

bool IsPatchCommand(uint32_t command)
{
    using namespace editorcommands;
    static constexpr uint32_t kCommands[] = {kSave,          kSaveAs,      kUndo,           kRedo,
                                             kCut,           kCopy,        kPaste,          kClear,
                                             kPatchSettings, kSaveInSynth, kDownloadToSlot, kSendControllerSnapshot};
    return std::find(std::begin(kCommands), std::end(kCommands), command) != std::end(kCommands);
}

bool ShouldOpenMaximized()
{
    bool maximized = false;
    if (const CPatchManager* patches = GetPatchManager(); patches && patches->IsFirstWindowMaximized(maximized))
        return maximized;
    const CPreferences* preferences = GetPreferences();
    return preferences && preferences->maximisedWindows;
}

} // namespace

CPatchView::CPatchView(CPatch& patch, const std::optional<CRect>& place)
    : CDocumentWindow(kFrameStyle, "Patch"), patch_(patch), lower_(new CScrollViewContainer(GetRootView())),
      upper_(new CScrollViewContainer(GetRootView())), splitter_(new CSplitterView(GetRootView()))
{
    const bool maximize = ShouldOpenMaximized();
    GetRootView()->RemoveSizeBox();
    for (int32_t area : {1, 0}) {
        GetContainer(area).LendScrollView(patch_.GetArea(area));
        if (CClipboard* clipboard = GetModuleClipboard())
            clipboard->AddTarget(*patch_.GetArea(area));
    }
    Open(place ? *place : GetRectForContentSize(kDefaultWidth, kDefaultHeight));
    if (maximize)
        platform::ShowWindow(GetHandle(), platform::ShowCommand::Maximize);
}

CPatchView::~CPatchView()
{
    for (int32_t area : {1, 0}) {
        if (CClipboard* clipboard = GetModuleClipboard())
            clipboard->RemoveTarget(*patch_.GetArea(area));
        GetContainer(area).LendScrollView(nullptr);
    }
    patch_.OnWindowClosed();
}

void CPatchView::BringToFront()
{
    CDocumentWindow::BringToFront();
}

void CPatchView::Close()
{
    CDocumentWindow::Close();
}

void CPatchView::Refresh()
{
    UpdateState();
    UpdateDisplay();
}

uint32_t CPatchView::GetHelpContext() const
{
    return patch_.GetFocusHelpId();
}

void CPatchView::UpdateState()
{
    const bool active = patch_.IsActivePatch();
    if (active != active_) {
        if (active)
            patch_.ResendFlushBlink();
        else
            patch_.ClearModuleValues();
        active_ = active;
    }
    if (patch_.GetTitle() != title_) {
        title_ = patch_.GetTitle();
        SetTitle(title_);
    }
    CDocumentWindow::UpdateState();
}

void CPatchView::UpdateMenus(CMenuBar* bar)
{
    // The application's table first: it disables what only a patch window
    // may enable.
    CDocumentWindow::UpdateMenus(bar);
    // Enabled while the slot is busy as well: a command chosen while the
    // slot's patch loads is held until it is whole.
    if (!bar)
        return;
    using namespace editorcommands;
    bar->SetCommandEnabled(kSave, true);
    bar->SetCommandEnabled(kSaveAs, true);
    bar->SetCommandEnabled(kUndo, patch_.CanUndo());
    bar->SetCommandEnabled(kRedo, patch_.CanRedo());
    const bool selected = !patch_.IsSelectionEmpty();
    for (const uint32_t command : {kCut, kCopy, kClear})
        bar->SetCommandEnabled(command, selected);
    const CClipboard* clipboard = GetModuleClipboard();
    bar->SetCommandEnabled(kPaste, clipboard && !clipboard->IsEmpty());
    bar->SetCommandEnabled(kSendControllerSnapshot, patch_.IsLinked() && patch_.IsSlotActive());
    bar->SetCommandEnabled(kPatchSettings, GetEditorDialogs() != nullptr);
    const CPortManager* ports = GetPortManager();
    bar->SetCommandEnabled(kDownloadToSlot, GetEditorDialogs() != nullptr && ports && ports->CountSynths() > 0);
    bar->SetCommandEnabled(kSaveInSynth, GetEditorDialogs() != nullptr && SaveInSynthPort().has_value());
}

void CPatchView::HandleMenuSelect(CMenu* menu, uint32_t command)
{
    if (!IsPatchCommand(command)) {
        CDocumentWindow::HandleMenuSelect(menu, command);
        return;
    }
    if (!HoldWhileLoading([this, menu, command] { DoPatchCommand(menu, command); }))
        DoPatchCommand(menu, command);
}

void CPatchView::DoPatchCommand(CMenu* menu, uint32_t command)
{
    using namespace editorcommands;
    switch (command) {
    case kSave:
        patch_.Save();
        break;
    case kSaveAs:
        patch_.SaveAs();
        break;
    case kUndo:
        patch_.CancelModes();
        patch_.Undo();
        break;
    case kRedo:
        patch_.CancelModes();
        patch_.Redo();
        break;
    case kCut:
    case kCopy:
        patch_.CancelModes();
        if (CClipboard* clipboard = GetModuleClipboard())
            clipboard->StoreCopy(patch_);
        if (command == kCut)
            patch_.DeleteSelection();
        break;
    case kPaste:
        patch_.CancelModes();
        if (CClipboard* clipboard = GetModuleClipboard())
            clipboard->BeginPaste(GetRootView());
        break;
    case kClear:
        patch_.CancelModes();
        patch_.DeleteSelection();
        break;
    case kPatchSettings:
        RunPatchSettings();
        break;
    case kSaveInSynth:
        RunSaveInSynth();
        break;
    case kDownloadToSlot:
        DownloadPatchToSlot(patch_);
        break;
    case kSendControllerSnapshot:
        try {
            if (patch_.IsLinked() && patch_.IsSlotActive())
                patch_.SendCtrlSnapshot();
        } catch (...) {
            // The window stays usable; the link reports its own failures.
        }
        break;
    default:
        CDocumentWindow::HandleMenuSelect(menu, command);
        return;
    }
    UpdateAllWindows();
}

bool CPatchView::CanClose()
{
    if (CPreferences* preferences = GetPreferences())
        preferences->maximisedWindows = IsMaximized();
    if (nameDialogOpen_ || settingsDialogOpen_)
        return false;
    if (!patch_.IsDirtyWithoutChanges())
        return true;
    switch (AskSaveChanges(patch_.GetName(), false)) {
    case kSaveYes:
        return patch_.Save();
    case kSaveNo:
        patch_.ClearDirty();
        return true;
    case kSaveNoAll:
        return true;
    default:
        return false;
    }
}

void CPatchView::OnActivate()
{
    if (CPatchManager* patches = GetPatchManager())
        patches->ActivateWindow(*this);
    CDocumentWindow::OnActivate();
    if (layoutWaits_) {
        LayoutRootView();
        InvalidateAll();
    }
    UpdateAllWindows();
}

void CPatchView::OnDeactivate()
{
    patch_.CancelModes();
    CDocumentWindow::OnDeactivate();
    UpdateAllWindows();
}

void CPatchView::LayoutRootView()
{
    if (const CApplication* app = GetApplication(); app && platform::IsMinimized(app->GetFrameHandle()))
        return;
    // A maximised window in front hides this one: its layout waits.
    const auto* front = dynamic_cast<const CDocumentWindow*>(GetActiveDocumentWindow());
    if (front && front != this && front->IsMaximized()) {
        layoutWaits_ = true;
        return;
    }
    layoutWaits_ = false;
    const CRect client = GetClientRect();
    const int32_t split =
        std::min<int32_t>(patch_.GetPatchHeader().GetSplitPosition(), client.bottom - kSplitterHeight);
    const int32_t bar = client.top + split;
    upper_->SetFrame(CRect(client.left, client.top, client.right, bar));
    splitter_->SetFrame(CRect(client.left, bar, client.right, bar + kSplitterHeight));
    lower_->SetFrame(CRect(client.left, bar + kSplitterHeight, client.right, client.bottom));
    CDocumentWindow::LayoutRootView();
    // The window in front restored (its button, Tile, Cascade) uncovers the
    // windows whose layout waited behind it.
    if (front == this && !IsMaximized())
        LayOutWaitingWindows();
}

void CPatchView::LayOutWaitingWindows()
{
    for (int i = 0; i < CountWindows(); ++i) {
        auto* view = dynamic_cast<CPatchView*>(GetWindowAt(i));
        if (view && view != this && view->layoutWaits_) {
            view->LayoutRootView();
            view->InvalidateAll();
        }
    }
}

void CPatchView::NotifySplitter()
{
    splitter_->EndDrag();
}

void CPatchView::ReceiveNotifications()
{
    CDocumentWindow::ReceiveNotifications();
    int16_t position = 0;
    if (!splitter_->TakeSplitRequest(patch_.GetPatchHeader().GetSplitPosition(), position))
        return;
    const int32_t lowest = GetClientRect().bottom - kSplitterHeight;
    CPatchHeader header = patch_.GetPatchHeader();
    header.SetSplitPosition(std::clamp<int32_t>(position, 0, std::max(lowest, 0)));
    patch_.SetPatchHeader(header);
    LayoutRootView();
}

void CPatchView::UpdateDisplay()
{
    if (const int16_t split = patch_.GetPatchHeader().GetSplitPosition(); split != split_) {
        split_ = split;
        splitter_->InvalidateFrame();
    }
    CDocumentWindow::UpdateDisplay();
}

void CPatchView::HandleMouseEvent(const CEvent& event)
{
    if (!HoldWhileLoading([this, event] { CDocumentWindow::HandleMouseEvent(event); }))
        CDocumentWindow::HandleMouseEvent(event);
}

void CPatchView::HandleKeyEvent(const CKeyEvent& event)
{
    if (!HoldWhileLoading([this, event] { CDocumentWindow::HandleKeyEvent(event); }))
        CDocumentWindow::HandleKeyEvent(event);
}

bool CPatchView::HoldWhileLoading(std::function<void()> input)
{
    if (held_.empty() && !patch_.IsSlotLoading())
        return false;
    if (held_.size() < kMostHeldInput)
        held_.push_back(std::move(input));
    return true;
}

void CPatchView::HandleHeldInput()
{
    // Each may start a load again: the next waits for it.
    while (!held_.empty() && !patch_.IsSlotLoading()) {
        const std::function<void()> input = std::move(held_.front());
        held_.pop_front();
        try {
            input();
        } catch (...) {
            platform::RecordDroppedException("held input of a patch window");
        }
    }
}

void CPatchView::DoCommand(const CKeyEvent& event)
{
    // Escape cancels a drag or a paste whatever else goes on.
    if (event.code == kKeyEscape && event.kind == kEventKeyDown) {
        patch_.CancelModes();
        return;
    }
    const auto command = [this, event] {
        if (const PatchKeyTable::Handler handler = PatchKeyTable::Get().Find(CKeyCommand::Of(event)))
            handler(*this);
        else
            CDocumentWindow::DoCommand(event);
    };
    if (!HoldWhileLoading(command))
        command();
}

void CPatchView::Idle()
{
    HandleHeldInput();
    if (!patch_.IsSlotBusy())
        patch_.ShowModuleValues();
    CDocumentWindow::Idle();
}

bool CPatchView::RunNameDialog(const std::string& caption, std::string& name, uint8_t maxLength, CPoint position)
{
    CEditorDialogsInterface* dialogs = GetEditorDialogs();
    if (nameDialogOpen_ || !dialogs)
        return false;
    nameDialogOpen_ = true;
    bool confirmed = false;
    try {
        confirmed = dialogs->RunNameDialog(this, caption, name, maxLength, position);
    } catch (...) {
        confirmed = false;
    }
    nameDialogOpen_ = false;
    return confirmed;
}

void CPatchView::RunPatchSettings()
{
    CEditorDialogsInterface* dialogs = GetEditorDialogs();
    if (settingsDialogOpen_ || !dialogs)
        return;
    settingsDialogOpen_ = true;
    try {
        dialogs->RunPatchSettings(this, patch_);
    } catch (...) {
        // The window stays usable.
        platform::RecordDroppedException("the patch settings dialog");
    }
    settingsDialogOpen_ = false;
}

std::optional<uint8_t> CPatchView::SaveInSynthPort() const
{
    uint8_t port = 0;
    const CPortManager* ports = GetPortManager();
    if (!patch_.GetPortIndex(port) || !ports || !ports->HasSynth(port))
        return std::nullopt;
    return port;
}

void CPatchView::RunSaveInSynth()
{
    CEditorDialogsInterface* dialogs = GetEditorDialogs();
    const std::optional<uint8_t> port = SaveInSynthPort();
    if (!dialogs || !port)
        return;
    try {
        dialogs->RunSaveInSynth(patch_.GetName(), *port, std::min<uint8_t>(patch_.GetSlot(), 3));
    } catch (...) {
        platform::RecordDroppedException("the save in synth dialog");
    }
}

void CPatchView::AskPatchName(CPoint position)
{
    std::string name = patch_.GetName();
    if (RunNameDialog("Patch name", name, kNameLength, position) && name != patch_.GetName())
        patch_.SendPatchName(name);
}
