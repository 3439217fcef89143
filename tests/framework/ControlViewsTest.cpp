#include "WindowTestFixture.h"

#include "framework/lists/ListBoxView.h"
#include "framework/menus/Menu.h"
#include "framework/windows/ModalDialog.h"
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
#include "framework/controls/ScrollBarView.h"
#include "platform/host/HostClipboard.h"
#include "platform/controls/Controls.h"
#include "platform/input/Keys.h"
#include "platform/windows/MessageQueue.h"
#include "resources/ControlsTestResources.h"

#include <string>
#include <vector>

using namespace NSHarrowen;

namespace {

// A dialog from a template with one control of each kind; its owner part
// takes every event and accepts what the test lets it.
class CControlsDialog : public CModalDialog {
public:
    CControlsDialog() : CModalDialog(20001), data(2, 30), ring(50, 40)
    {
        CGroupView* root = GetRootView();
        check = new CCheckBoxView(root, *GetDialogItem(1));
        group = new CRadioButtonGroupView(root);
        for (uint16_t id : {2, 3, 4})
            new CRadioButtonView(group, *GetDialogItem(id));
        group->FitToButtons();
        popup = new CPopupButtonView(root, *GetDialogItem(5));
        for (const char* label : {"Port 1", "Port 2", "Port 3"})
            menu.AppendItem(label);
        popup->SetItems(&menu);
        popup->SetSelection(1);
        number = new CSingleLineNumberEditView(root, *GetDialogItem(6), 5, kReturnCommits);
        arrows = new CUpDownButtonView(root, *GetDialogItem(7));
        progress = new CProgressBarView(root, *GetDialogItem(8));
        for (int32_t r = 0; r < data.GetRowCount(); ++r)
            data.SetCellText(0, r, "Row " + std::to_string(r));
        data.SetColumnTitle(0, "Name");
        list = new CListBoxView(root, *GetDialogItem(9), &data);
        terminal = new CTerminalView(root, &ring);
        terminal->SetFrame(GetDialogItem(10)->rect);
        ok = new CPushButtonView(root, *GetDialogItem(11));
        SetDefaultButton(ok);
        for (CView* v : std::initializer_list<CView*>{check, group, popup, number, list, ok})
            AddToFocusChain(v);
    }

    void ReceiveNotifications() override
    {
        CModalDialog::ReceiveNotifications();
        if (check->TakeClick()) {
            ++checkClicks;
            if (acceptCheck)
                check->SetChecked(!check->IsChecked());
        }
        int16_t pick = 0;
        if (group->TakeSelection(pick))
            group->SetSelection(pick);
        if (popup->TakeSelection(pick)) {
            picks.push_back(pick);
            if (acceptPopup)
                popup->SetSelection(static_cast<uint16_t>(pick));
        }
        if (number->TakeCommit())
            commits.push_back(number->GetText());
        int16_t step = 0;
        if (arrows->TakeStep(step))
            steps.push_back(step);
        CListBoxRequest request;
        if (list->TakeRequest(request))
            list->ApplyRequest(request);
        if (ok->TakeClick())
            Close();
    }

    CListBoxData data;
    CLineRing ring;
    CMenu menu;
    CCheckBoxView* check;
    CRadioButtonGroupView* group;
    CPopupButtonView* popup;
    CSingleLineNumberEditView* number;
    CUpDownButtonView* arrows;
    CProgressBarView* progress;
    CListBoxView* list;
    CTerminalView* terminal;
    CPushButtonView* ok;

    bool acceptCheck = false;
    bool acceptPopup = false;
    int checkClicks = 0;
    std::vector<int16_t> picks;
    std::vector<std::string> commits;
    std::vector<int16_t> steps;
};

class ControlViewsTest : public testsupport::WindowTest {
protected:
    void SetUp() override
    {
        WindowTest::SetUp();
        ControlsTestResources();
        dialog = new CControlsDialog();
        dialog->Open(dialog->GetWindowRectInFrame());
        Pump();
    }

    void ClickNative(CNativeControlView* view, int x, int y)
    {
        desktop.Host().Click(platform::ClientToScreen(view->GetHandle(), {x, y}));
        Pump();
    }

    void Key(uint32_t key)
    {
        desktop.Host().PressKey(key);
        desktop.Host().ReleaseKey(key);
        Pump();
    }

    void Type(char c)
    {
        desktop.Host().TypeCharacter(static_cast<char32_t>(c));
        Pump();
    }

    // A click on a row of the list with modifier keys held.
    void ClickRow(int row, uint32_t modifier = 0)
    {
        const CListBoxGridView* grid = dialog->list->GetGrid();
        const CRect r = grid->RowRect(row);
        if (modifier)
            desktop.Host().PressKey(modifier);
        desktop.Host().Click(ScreenPoint(dialog, r.left + 5, r.top + 2));
        Pump();
        if (modifier)
            desktop.Host().ReleaseKey(modifier);
        Pump();
    }

    std::vector<int> SelectedRows()
    {
        std::vector<int> rows;
        for (int r = 0; r < dialog->data.GetRowCount(); ++r)
            if (dialog->data.IsRowSelected(r))
                rows.push_back(r);
        return rows;
    }

    CControlsDialog* dialog = nullptr;
};

TEST_F(ControlViewsTest, CheckBoxChangesOnlyWhenTheOwnerSetsIt)
{
    const auto shown = [&] {
        return platform::SendMessage(dialog->check->GetHandle(), platform::ctlmsg::ButtonGetCheck, 0, 0);
    };
    ClickNative(dialog->check, 4, 8);
    EXPECT_EQ(dialog->checkClicks, 1);
    EXPECT_FALSE(dialog->check->IsChecked());
    EXPECT_EQ(shown(), 0);
    dialog->acceptCheck = true;
    ClickNative(dialog->check, 4, 8);
    EXPECT_TRUE(dialog->check->IsChecked());
    EXPECT_EQ(shown(), 1);
}

TEST_F(ControlViewsTest, RadioArrowsWrapAroundTheGroup)
{
    CRadioButtonView* first = dialog->group->GetButton(0);
    ClickNative(first, 4, 8);
    EXPECT_EQ(dialog->GetFocusView(), dialog->group);
    EXPECT_EQ(dialog->group->GetSelection(), 0);
    Key(platform::kVKLeft);
    EXPECT_EQ(dialog->group->GetSelection(), 2);
    EXPECT_EQ(platform::SendMessage(dialog->group->GetButton(2)->GetHandle(), platform::ctlmsg::ButtonGetCheck, 0, 0),
              1);
    EXPECT_EQ(platform::SendMessage(first->GetHandle(), platform::ctlmsg::ButtonGetCheck, 0, 0), 0);
    Key(platform::kVKRight);
    EXPECT_EQ(dialog->group->GetSelection(), 0);
    // A click on the selected button is no pick.
    int16_t pick = 0;
    ClickNative(first, 4, 8);
    EXPECT_FALSE(dialog->group->TakeSelection(pick));
}

TEST_F(ControlViewsTest, PopupReportsOnlyNewPicksAndUndoesRefusedOnes)
{
    CPopupButtonView* popup = dialog->popup;
    const auto pickItem = [&](int index) {
        ClickNative(popup, 30, 10);
        ASSERT_TRUE(popup->IsDroppedDown());
        const platform::Point p =
            platform::ClientToScreen(popup->GetHandle(), {30, platform::kComboFieldHeight + 1 + index * 16 + 8});
        desktop.Host().MoveMouse(p);
        desktop.Host().Click(p);
        Pump();
    };
    EXPECT_EQ(platform::SendMessage(popup->GetHandle(), platform::ctlmsg::ComboGetCurSel, 0, 0), 1);
    pickItem(1);
    EXPECT_TRUE(dialog->picks.empty());
    EXPECT_FALSE(popup->IsDroppedDown());
    pickItem(2);
    EXPECT_EQ(dialog->picks, (std::vector<int16_t>{2}));
    // The owner did not take it: the list shows the selection again.
    EXPECT_EQ(platform::SendMessage(popup->GetHandle(), platform::ctlmsg::ComboGetCurSel, 0, 0), 1);
    dialog->acceptPopup = true;
    pickItem(0);
    EXPECT_EQ(popup->GetSelection(), 0);
    EXPECT_EQ(platform::SendMessage(popup->GetHandle(), platform::ctlmsg::ComboGetCurSel, 0, 0), 0);
    EXPECT_EQ(popup->GetBusyCount(), 0);
}

TEST_F(ControlViewsTest, NumberEditRefusesLettersAndCommitsOnFocusLoss)
{
    ClickNative(dialog->number, 5, 5);
    EXPECT_EQ(dialog->GetFocusView(), dialog->number);
    const int beeps = desktop.Host().Beeps();
    Type('a');
    EXPECT_EQ(desktop.Host().Beeps(), beeps + 1);
    EXPECT_EQ(dialog->number->GetNativeText(), "");
    for (char c : std::string("-12"))
        Type(c);
    EXPECT_EQ(dialog->number->GetText(), "-12");
    EXPECT_TRUE(dialog->commits.empty());
    Key(platform::kVKTab);
    EXPECT_EQ(dialog->commits, (std::vector<std::string>{"-12"}));
    EXPECT_NE(dialog->GetFocusView(), dialog->number);
    // Text set by the owner shows once the edit is not being edited.
    dialog->number->SetText("123456789");
    RunUpdatePasses();
    EXPECT_EQ(dialog->number->GetNativeText(), "12345");
}

TEST_F(ControlViewsTest, UpDownStepsPlusAndMinusOne)
{
    const platform::Rect r = platform::GetClientRect(dialog->arrows->GetHandle());
    ClickNative(dialog->arrows, r.Width() / 2, 2);
    ClickNative(dialog->arrows, r.Width() / 2, r.Height() - 2);
    EXPECT_EQ(dialog->steps, (std::vector<int16_t>{1, -1}));
    int16_t step = 0;
    EXPECT_FALSE(dialog->arrows->TakeStep(step));
}

TEST_F(ControlViewsTest, ProgressValueSixtySixSixtySixIsDrawnEmpty)
{
    const auto position = [&] {
        RunUpdatePasses();
        return platform::SendMessage(dialog->progress->GetHandle(), platform::ctlmsg::ProgressGetPos, 0, 0);
    };
    dialog->progress->SetValue(1000);
    EXPECT_EQ(position(), 1000);
    dialog->progress->SetValue(kProgressEmpty);
    EXPECT_EQ(position(), 0);
    dialog->progress->SetValue(500);
    EXPECT_EQ(position(), 500);
}

TEST_F(ControlViewsTest, ListSelectsWithShiftAndControlAndScrollsByKeys)
{
    ClickRow(2);
    EXPECT_EQ(SelectedRows(), (std::vector<int>{2}));
    EXPECT_TRUE(dialog->list->HasListFocus());
    ClickRow(5, platform::kVKShift);
    EXPECT_EQ(SelectedRows(), (std::vector<int>{2, 3, 4, 5}));
    ClickRow(3, platform::kVKControl);
    EXPECT_EQ(SelectedRows(), (std::vector<int>{2, 4, 5}));
    ClickRow(1);
    Key(platform::kVKDown);
    EXPECT_EQ(SelectedRows(), (std::vector<int>{2}));
    desktop.Host().PressKey(platform::kVKShift);
    Key(platform::kVKDown);
    desktop.Host().ReleaseKey(platform::kVKShift);
    Pump();
    EXPECT_EQ(SelectedRows(), (std::vector<int>{2, 3}));
    // Page Down scrolls the rows by a page, End to the last page.
    // (Row 5, partly visible at the bottom, was scrolled into view.)
    const int32_t first = dialog->list->GetGrid()->GetFirstRow();
    Key(platform::kVKPageDown);
    const int32_t visible = dialog->list->GetGrid()->VisibleRows();
    EXPECT_EQ(dialog->list->GetGrid()->GetFirstRow(), first + visible);
    Key(platform::kVKEnd);
    EXPECT_EQ(dialog->list->GetGrid()->GetFirstRow(), dialog->list->GreatestFirstRow());
    EXPECT_EQ(dialog->list->GetScrollBar()->GetValue(), 999);
}

TEST_F(ControlViewsTest, TerminalShowsTheNewestLinesAtTheBottom)
{
    CTerminalView* terminal = dialog->terminal;
    EXPECT_EQ(terminal->GetLineCount(), 0);
    for (int i = 0; i < 30; ++i)
        dialog->ring.AddLine(("line " + std::to_string(i)).c_str());
    terminal->HandleBroadcast(); // the ring grew: the passes run
    const int32_t visible = terminal->GetVisibleLineCount();
    EXPECT_GT(visible, 0);
    EXPECT_EQ(terminal->GetLineCount(), 30);
    EXPECT_EQ(terminal->GetTopLine(), 30 - visible);
    terminal->SetScrollOffset(terminal->GetTopLine());
    RunUpdatePasses();
    Pump();
    // A frame that shows more lines limits the offset to the new top line.
    CRect taller = terminal->GetFrame();
    taller.bottom = static_cast<int16_t>(taller.bottom + 200);
    terminal->SetFrame(taller);
    EXPECT_LE(terminal->GetScrollOffset(), terminal->GetTopLine());
}

TEST_F(ControlViewsTest, TextsAreComparedWholeAndCopiedWithinTheirBuffers)
{
    // Titles that differ only after their 64th character still replace each other.
    const std::string first = std::string(70, 'a') + "first";
    const std::string second = std::string(70, 'a') + "second";
    dialog->ok->SetTitle(first);
    dialog->ok->SetTitle(second);
    EXPECT_EQ(dialog->ok->GetNativeText(), second);

    dialog->number->SetText("12345");
    RunUpdatePasses();
    char buffer[4] = {'x', 'x', 'x', 'x'};
    dialog->number->CopyText(buffer, sizeof buffer);
    EXPECT_STREQ(buffer, "123");
    char big[16];
    dialog->number->CopyText(big, sizeof big);
    EXPECT_STREQ(big, "12345");
}

TEST_F(ControlViewsTest, EditMenuCommandsCutCopyAndPasteOneLine)
{
    CStandardCommands commands;
    commands.cut = 901;
    commands.copy = 902;
    commands.paste = 903;
    commands.clear = 904;
    app->SetStandardCommands(commands);
    CSingleLineNumberEditView* edit = dialog->number;
    ClickNative(edit, 5, 5);
    platform::ClipboardSetText("45\r\n6");
    edit->DoMenuCommand(commands.paste, 0);
    EXPECT_EQ(edit->GetText(), "45");
    edit->SelectAll();
    edit->DoMenuCommand(commands.cut, 0);
    EXPECT_EQ(platform::ClipboardGetText().value_or(""), "45");
    EXPECT_EQ(edit->GetText(), "");
    // A paste that would pass the maximum length (5) is refused whole.
    platform::ClipboardSetText("123456");
    const int beeps = desktop.Host().Beeps();
    edit->DoMenuCommand(commands.paste, 0);
    EXPECT_EQ(edit->GetText(), "");
    EXPECT_EQ(desktop.Host().Beeps(), beeps + 1);
}

TEST_F(ControlViewsTest, ReturnPressesTheDefaultButton)
{
    ClickNative(dialog->check, 4, 8);
    Key(platform::kVKReturn);
    EXPECT_TRUE(GetWindowListIndex(dialog) < 0 || dialog->IsMarkedForDeletion());
}

} // namespace
