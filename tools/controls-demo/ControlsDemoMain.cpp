// Shows the framework's controls: an alert box and a dialog with a control
// of every kind.
//
//   torvan-controls-demo                  on the desktop (SDL2): the alert, then the dialog
//   torvan-controls-demo --headless DIR   draws both in memory, writes DIR/*-headless.png
//   torvan-controls-demo --screenshot DIR shows both, takes the real screen's pictures
//                                         (X11) into DIR and checks them against the drawing
#include "DemoSupport.h"

#include "framework/alerts/AlertBox.h"
#include "framework/application/Application.h"
#include "framework/lists/ListBoxView.h"
#include "framework/menus/Menu.h"
#include "framework/controls/PopupButtonView.h"
#include "framework/controls/PushButtonView.h"
#include "framework/controls/CheckBoxView.h"
#include "framework/controls/RadioButtonView.h"
#include "framework/controls/RadioButtonGroupView.h"
#include "framework/lists/TerminalView.h"
#include "framework/controls/TextEditView.h"
#include "framework/controls/NumberEditView.h"
#include "framework/controls/UpDownButtonView.h"
#include "framework/controls/ProgressBarView.h"
#include "platform/host/DesktopHost.h"
#include "platform/host/HostScope.h"
#include "platform/host/headless/HeadlessHost.h"
#include "platform/host/Host.h"
#include "platform/graphics/PngWriter.h"
#include "platform/windows/Window.h"
#include "platform/windows/WindowPaint.h"
#include "resources/ControlsDemoResources.h"

#include <cstdio>
#include <cstring>
#include <exception>
#include <memory>
#include <string>

namespace {

using namespace NSHarrowen;

constexpr int32_t kControlsDialogId = 20001;

class CControlsDialog : public CModalDialog {
public:
    CControlsDialog() : CModalDialog(kControlsDialogId), data_(2, 12), ring_(40, 60)
    {
        CGroupView* root = GetRootView();
        check_ = new CCheckBoxView(root, *GetDialogItem(1));
        group_ = new CRadioButtonGroupView(root);
        for (uint16_t id : {2, 3, 4})
            new CRadioButtonView(group_, *GetDialogItem(id));
        group_->FitToButtons();
        popup_ = new CPopupButtonView(root, *GetDialogItem(5));
        for (const char* label : {"MIDI port 1", "MIDI port 2", "MIDI port 3"})
            menu_.AppendItem(label);
        popup_->SetItems(&menu_);
        popup_->SetSelection(0);
        number_ = new CSingleLineNumberEditView(root, *GetDialogItem(6), 4, kReturnCommits);
        number_->SetText("120");
        arrows_ = new CUpDownButtonView(root, *GetDialogItem(7));
        progress_ = new CProgressBarView(root, *GetDialogItem(8));
        progress_->SetValue(400);
        data_.SetColumnTitle(0, "Controller");
        data_.SetColumnTitle(1, "Parameter");
        for (int32_t r = 0; r < data_.GetRowCount(); ++r) {
            data_.SetCellText(0, r, "CC " + std::to_string(r + 1));
            data_.SetCellText(1, r, "Knob " + std::to_string(r + 1));
        }
        list_ = new CListBoxView(root, *GetDialogItem(9), &data_);
        terminal_ = new CTerminalView(root, &ring_);
        terminal_->SetFrame(GetDialogItem(10)->rect);
        for (const char* line : {"Synth found", "Patch loaded", "Slot A linked"})
            ring_.AddLine(line);
        ok_ = new CPushButtonView(root, *GetDialogItem(11));
        SetDefaultButton(ok_);
        SetCancelButton(ok_);
        for (CView* v : std::initializer_list<CView*>{check_, group_, popup_, number_, list_, ok_})
            AddToFocusChain(v);
    }

    void ReceiveNotifications() override
    {
        CModalDialog::ReceiveNotifications();
        if (check_->TakeClick())
            check_->SetChecked(!check_->IsChecked());
        int16_t pick = 0;
        if (group_->TakeSelection(pick))
            group_->SetSelection(pick);
        if (popup_->TakeSelection(pick) && pick >= 0)
            popup_->SetSelection(static_cast<uint16_t>(pick));
        if (number_->TakeCommit())
            ring_.AddLine(("Tempo " + number_->GetText()).c_str());
        int16_t step = 0;
        if (arrows_->TakeStep(step)) {
            const int value = std::atoi(number_->GetText().c_str()) + step;
            number_->SetText(std::to_string(value));
        }
        CListBoxRequest request;
        if (list_->TakeRequest(request))
            list_->ApplyRequest(request);
        if (ok_->TakeClick())
            Close();
    }

private:
    CListBoxData data_;
    CLineRing ring_;
    CMenu menu_;
    CCheckBoxView* check_;
    CRadioButtonGroupView* group_;
    CPopupButtonView* popup_;
    CSingleLineNumberEditView* number_;
    CUpDownButtonView* arrows_;
    CProgressBarView* progress_;
    CListBoxView* list_;
    CTerminalView* terminal_;
    CPushButtonView* ok_;
};

// The program's frame, which owns the dialogs.
void MakeFrame(CApplication& app)
{
    const platform::WindowHandle frame = app.CreateFrameWindow();
    platform::MoveWindow(frame, {0, 0, 1000, 700}, true);
    platform::ShowWindow(frame, platform::ShowCommand::Show);
}

// Both windows side by side; the alert is not run modally so that both show.
struct Scene {
    explicit Scene(CApplication& app)
    {
        ControlsDemoResources();
        MakeFrame(app);
        dialog = new CControlsDialog();
        dialog->Open(dialog->GetWindowRectInFrame());
        alert = OpenAlertBox("[WARN]Save changes to \"^0\"?[Yes][No][Cancel]", {"Bass [lead]"}, &result);
        CRect d = dialog->GetWindowRectInFrame();
        d.MoveTo(CPoint(20, 40));
        dialog->SetWindowRect(d);
        CRect a = alert->GetWindowRectInFrame();
        a.MoveTo(CPoint(static_cast<int16_t>(d.right + 20), 40));
        alert->SetWindowRect(a);
        app.PumpWaiting(100000);
    }
    CControlsDialog* dialog = nullptr;
    CAlertBox* alert = nullptr;
    int result = 0;
};

int RunHeadless(const std::string& dir)
{
    {
        const platform::CHostScope desktop(std::make_unique<platform::HeadlessHost>(1024, 768));
        CApplication app("Torvan Controls");
        Scene scene(app);
        platform::FlushScreen();
        platform::WritePng(dir + "/alert-headless.png", platform::CaptureWindow(scene.alert->GetHandle()));
        platform::WritePng(dir + "/dialog-headless.png", platform::CaptureWindow(scene.dialog->GetHandle()));
        while (CountWindows() > 0)
            delete GetWindowAt(0);
    }
    std::printf("Wrote %s/alert-headless.png and %s/dialog-headless.png\n", dir.c_str(), dir.c_str());
    return 0;
}

int RunOnDesktop(const char* screenshotDir)
{
    std::unique_ptr<platform::IHost> desktop = platform::CreateDesktopHost();
    if (!desktop) {
        std::fprintf(stderr, "No desktop to show the controls on.\n");
        return 1;
    }
    int result = 0;
    {
        const platform::CHostScope scope(std::move(desktop));
        CApplication app("Torvan Controls");
        if (screenshotDir) {
            Scene scene(app);
            demo::PumpFor(app, 1500);
            const long alert =
                demo::CompareWithScreen(scene.alert->GetHandle(), std::string(screenshotDir) + "/alert-screen.png");
            const long dialog =
                demo::CompareWithScreen(scene.dialog->GetHandle(), std::string(screenshotDir) + "/dialog-screen.png");
            result = alert == 0 && dialog == 0 ? 0 : 2;
            while (CountWindows() > 0)
                delete GetWindowAt(0);
        } else {
            ControlsDemoResources();
            MakeFrame(app);
            const int answer = RunAlertTextWithArgs("[NOTE]The controls of ^0.[Show them][Quit]", {app.GetName()});
            if (answer == kAlertButton2)
                RunModal(new CControlsDialog());
        }
    }
    return result;
}

} // namespace

int main(int argc, char** argv)
{
    try {
        if (argc == 3 && std::strcmp(argv[1], "--headless") == 0)
            return RunHeadless(argv[2]);
        if (argc == 3 && std::strcmp(argv[1], "--screenshot") == 0)
            return RunOnDesktop(argv[2]);
        if (argc == 1)
            return RunOnDesktop(nullptr);
        std::fprintf(stderr, "usage: %s [--headless DIR | --screenshot DIR]\n", argv[0]);
        return 64;
    } catch (const std::exception& e) {
        std::fprintf(stderr, "torvan-controls-demo: %s\n", e.what());
        return 1;
    }
}
