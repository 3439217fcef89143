#include "editor/toolbar/TBWindow.h"

#include "editor/clipboard/Clipboard.h"
#include "editor/controls/BitmapCheckButton.h"
#include "editor/controls/LoadMeter.h"
#include "editor/controls/TextCheckButton.h"
#include "editor/patches/PatchManager.h"
#include "editor/toolbar/FlashMeter.h"
#include "editor/toolbar/MorphContainer.h"
#include "editor/toolbar/TBBackView.h"
#include "editor/toolbar/TBPortRow.h"
#include "editor/toolbar/ToolbarLoads.h"
#include "editor/toolbar/tabs/TBTabsView.h"
#include "editor/toolbar/tabs/TabButton.h"
#include "editor/windows/PatchView.h"
#include "framework/drawing/Canvas.h"
#include "framework/drawing/FontSpec.h"
#include "panels/ModuleCatalogue.h"
#include "panels/items/PnlKnobs.h"
#include "panels/painters/PictureKeys.h"
#include "panels/widgets/IncDecButton.h"
#include "panels/widgets/TextPushButton.h"
#include "panels/widgets/TextView.h"
#include "patch/document/Patch.h"
#include "platform/windows/Window.h"
#include "synth/link/PortManager.h"

#include <algorithm>
#include <functional>
#include <string>

using NSHarrowen::CColor;
using NSHarrowen::CRect;

namespace {

CTBWindow* theToolbar = nullptr;

struct CableButtonSpec {
    uint8_t colour;
    uint16_t picture;
};
// In the order they are made: by picture number.
constexpr CableButtonSpec kCableButtons[CTBWindow::kCableButtonCount] = {
    {2, 245}, {0, 244}, {1, 240}, {3, 242}, {4, 243}, {5, 268}, {6, 269},
};

const CColor kDarkGrey(0x7777, 0x7777, 0x7777);
const CColor kBlack(0, 0, 0);
const CColor kWhite(0xFFFF, 0xFFFF, 0xFFFF);

struct Label {
    const char* text;
    int16_t x;
    int16_t baseline;
};
constexpr Label kLabels[] = {
    {"Patch:", 3, 16},  {"Voices:", 142, 16}, {"R", 185, 16},      {"C", 242, 16},
    {"Load:", 285, 16}, {"PVA", 318, 16},     {"Porta.", 621, 19}, {"Bend r.", 671, 19},
};
constexpr uint16_t kArrowPicture = 314;

CPatch* ActivePatch()
{
    const CPatchManager* patches = GetPatchManager();
    return patches ? patches->GetActivePatch() : nullptr;
}

// The stepper's event, handed back as its display state; 0 when none.
int32_t TakeStep(CIncDecButtonABC& button)
{
    int32_t code = 0;
    if (!button.TakeEvent(code))
        return 0;
    button.SetDisplayState(code);
    return code;
}

// One step of a header field within its limits: code 1 up, code 2 down.
// The header goes back to the patch for either code, changed or not.
void StepHeaderField(CPatch& patch, int32_t code, int low, int high, uint8_t (CPatchHeader::*get)() const,
                     const std::function<void(CPatchHeader&, int)>& set)
{
    if (code != 1 && code != 2)
        return;
    CPatchHeader header = patch.GetPatchHeader();
    const int value = (header.*get)();
    if (code == 1 && value < high)
        set(header, value + 1);
    else if (code == 2 && value > low)
        set(header, value - 1);
    patch.SetPatchHeader(header);
}

} // namespace

CTBWindow* GetToolbarWindow()
{
    return theToolbar;
}

void SetToolbarWindow(CTBWindow* toolbar)
{
    theToolbar = toolbar;
}

CTBWindow::CTBWindow(const CModuleCatalogue& catalogue) : CApplicationToolbar(kHeight)
{
    Build(catalogue);
}

CTBWindow::~CTBWindow()
{
    for (auto& row : rows_)
        row.reset();
    if (theToolbar == this)
        theToolbar = nullptr;
}

void CTBWindow::Build(const CModuleCatalogue& catalogue)
{
    back_ = std::make_unique<CTBBackView>(GetRootView());
    NSHarrowen::CGroupView* back = back_.get();
    tabs_ = std::make_unique<CTBTabsView>(back);
    morph_ = std::make_unique<CMorphContainer>(back);
    for (int i = 0; i < kCableButtonCount; ++i)
        cables_[kCableButtons[i].colour] =
            std::make_unique<CBitmapCheckButton>(back, kCableButtons[i].picture, "show/hide cables");
    shake_ = std::make_unique<CTextPushButton>(back, "S", CTextPushButton::Form::Window, "shake cables");
    voices_ = std::make_unique<CLeftRightButton>(back, CLeftRightButton::Form::Window);
    sumMeter_ = std::make_unique<CLoadMeter>(back, "Sum load");
    areaMeter_ = std::make_unique<CLoadMeter>(back, "Voice area load");
    portamento_ = std::make_unique<CUpDownButton>(back, CUpDownButton::Form::Window);
    auto_ = std::make_unique<CTextCheckButton>(back, "Auto");
    portamentoText_ = std::make_unique<CTextView>(back, "");
    bend_ = std::make_unique<CUpDownButton>(back, CUpDownButton::Form::Window);
    bendText_ = std::make_unique<CTextView>(back, "");
    requestedText_ = std::make_unique<CTextView>(back, "");
    currentText_ = std::make_unique<CTextView>(back, "");
    nameText_ = std::make_unique<CTextView>(back, "");
    // Made with new, the rows go with the toolbar (and with a failed build).
    for (uint8_t port = 0; port < kPortCount; ++port)
        rows_[port] = std::make_unique<CTBPortRow>(back, port);
    Layout();
    AddModuleTabs(catalogue);
    LayoutRootView();
}

void CTBWindow::AddModuleTabs(const CModuleCatalogue& catalogue)
{
    for (size_t tab = 0; tab < catalogue.GetTabCount(); ++tab) {
        tabs_->AddTab(catalogue.GetTabName(tab));
        for (uint8_t position = 0; position < catalogue.GetTabSize(tab); ++position) {
            uint16_t type = 0;
            uint16_t word = 0;
            std::string tooltip;
            if (catalogue.FindByTabPosition(tab, position, type, word, tooltip))
                tabs_->AddButton(type, tooltip, static_cast<uint8_t>(type));
            else
                tabs_->AddSeparator();
        }
    }
}

void CTBWindow::Layout()
{
    tabs_->MoveInParent(2, 24);
    morph_->MoveInParent(440, 24);
    for (int colour = 0; colour < kCableButtonCount; ++colour)
        cables_[colour]->SetFrameInParent(static_cast<int16_t>(460 + 15 * colour), 4, 15, 15);
    shake_->SetFrameInParent(570, 4, 15, 15);
    areaMeter_->MoveInParent(342, 4);
    sumMeter_->MoveInParent(402, 4);
    nameText_->SetFrameInParent(38, 4, 100, 15);
    requestedText_->SetFrameInParent(195, 4, 23, 15);
    voices_->SetFrameInParent(218, 6, 21, 11);
    currentText_->SetFrameInParent(252, 4, 23, 15);
    portamentoText_->SetFrameInParent(621, 25, 25, 15);
    portamento_->SetFrameInParent(647, 22, 11, 21);
    auto_->SetFrameInParent(621, 42, 25, 15);
    bendText_->SetFrameInParent(671, 25, 25, 15);
    bend_->SetFrameInParent(697, 22, 11, 21);
    for (const auto& row : rows_)
        row->Layout();
}

CPnlControl* CTBWindow::GetMorphEntry(uint8_t group) const
{
    return morph_->GetEntry(group);
}

void CTBWindow::LayoutRootView()
{
    if (back_)
        back_->SetFrame(GetClientRect());
    CApplicationToolbar::LayoutRootView();
}

void CTBWindow::GetSizeLimits(NSHarrowen::CPoint& minimum, NSHarrowen::CPoint& maximum) const
{
    CApplicationToolbar::GetSizeLimits(minimum, maximum);
    // The right frame lines (2 pixels) after the rightmost control.
    minimum = NSHarrowen::CPoint(CTBPortRow::kMeterLeft + CFlashMeter::kWidth + 2, kHeight);
}

void CTBWindow::HandleMouseEvent(const NSHarrowen::CEvent& event)
{
    CApplicationToolbar::HandleMouseEvent(event);
    NSHarrowen::UpdateAllWindows();
}

void CTBWindow::RedrawViews()
{
    CApplicationToolbar::RedrawViews();
    DrawFrame();
}

void CTBWindow::DrawFrame()
{
    NSHarrowen::CCanvas canvas(this);
    const CRect client = GetClientRect();
    const int32_t right = client.right;
    canvas.DrawHorizontalLine(0, client.left, right - 1, kDarkGrey);
    canvas.DrawHorizontalLine(1, client.left, right - 1, kBlack);
    canvas.DrawHorizontalLine(2, client.left, right - 1, kWhite);
    canvas.DrawHorizontalLine(64, client.left, right - 1, kDarkGrey);
    canvas.DrawHorizontalLine(65, client.left, right - 1, kBlack);
    canvas.DrawVerticalLine(0, 2, 73, kWhite);
    canvas.DrawVerticalLine(right - 2, 2, 73, kDarkGrey);
    canvas.DrawVerticalLine(right - 1, 2, 74, kBlack);
    for (const auto& [dark, light] : {std::pair{599, 600}, std::pair{725, 726}}) {
        canvas.DrawVerticalLine(dark, 4, 62, kDarkGrey);
        canvas.DrawVerticalLine(light, 4, 62, kWhite);
    }
    const NSHarrowen::CFontSpec font("Arial", 15);
    for (const Label& label : kLabels)
        canvas.DrawString(label.x, label.baseline, label.text, font, kBlack);
    canvas.DrawImage(393, 7, JpegPicture(kArrowPicture));
}

// The first update pass: what the user did with the controls.

void CTBWindow::ReceiveNotifications()
{
    CApplicationToolbar::ReceiveNotifications();
    TakeModuleButton();
    uint8_t group = 0;
    if (morph_->TakeGroupClick(group))
        selectedGroup_ = std::min<uint8_t>(group, kNoGroup);
    TakeSlotClicks();
    if (CPatch* patch = ActivePatch())
        TakePatchControls(*patch);
    else
        DropPatchControls();
}

void CTBWindow::TakeModuleButton()
{
    CTabButton* button = nullptr;
    if (!tabs_->TakeButtonClick(button) || button == nullptr)
        return;
    if (CClipboard* clipboard = GetModuleClipboard())
        clipboard->BeginDragFromToolbar(button, button->GetTypeId());
    else
        button->MouseUp();
}

void CTBWindow::TakeSlotClicks()
{
    if (CPortManager* ports = GetPortManager())
        for (const auto& row : rows_)
            row->TakeSlotClicks(*ports);
}

void CTBWindow::TakePatchControls(CPatch& patch)
{
    StepHeaderField(patch, TakeStep(*voices_), 1, 32, &CPatchHeader::GetVoices,
                    [](CPatchHeader& h, int v) { h.SetVoices(v); });
    for (uint32_t colour = 0; colour < kCableButtonCount; ++colour) {
        uint8_t shown = 0;
        if (cables_[colour]->TakeChange(shown)) {
            CPatchHeader header = patch.GetPatchHeader();
            header.SetCableVisible(colour, shown);
            patch.SetPatchHeader(header);
        }
    }
    if (shake_->WasPushed())
        patch.UpdateCableDisplay();
    StepHeaderField(patch, TakeStep(*portamento_), 0, 127, &CPatchHeader::GetPMTime,
                    [](CPatchHeader& h, int v) { h.SetPMTime(v); });
    StepHeaderField(patch, TakeStep(*bend_), 0, 24, &CPatchHeader::GetBendRange,
                    [](CPatchHeader& h, int v) { h.SetBendRange(v); });
    uint8_t on = 0;
    if (auto_->TakeChange(on)) {
        CPatchHeader header = patch.GetPatchHeader();
        header.SetPMMode(on != 0 ? CPatchHeader::kPortamentoAuto : CPatchHeader::kPortamentoNormal);
        patch.SetPatchHeader(header);
    }
    if (nameText_->TakeClick()) {
        if (auto* view = dynamic_cast<CPatchView*>(patch.GetWindow())) {
            const CRect frame = nameText_->GetFrame();
            const platform::Point at = platform::ClientToScreen(GetHandle(), {frame.left, frame.top});
            view->AskPatchName(NSHarrowen::CPoint(at.x, at.y));
        }
    }
}

void CTBWindow::DropPatchControls()
{
    // Without a patch nothing may stay latched for the next one to receive.
    for (CIncDecButtonABC* stepper :
         std::initializer_list<CIncDecButtonABC*>{voices_.get(), portamento_.get(), bend_.get()})
        TakeStep(*stepper);
    uint8_t value = 0;
    for (const auto& cable : cables_)
        cable->TakeChange(value);
    auto_->TakeChange(value);
    shake_->WasPushed();
    nameText_->TakeClick();
}

// The second update pass: every display from the active patch and the ports.

void CTBWindow::UpdateState()
{
    CApplicationToolbar::UpdateState();
    if (const CPatch* patch = ActivePatch())
        ShowPatch(*patch);
    else
        ShowNoPatch();
    const CPortManager* ports = GetPortManager();
    for (const auto& row : rows_)
        row->Show(ports);
    morph_->SetHighlightedGroup(selectedGroup_);
}

void CTBWindow::ShowPatch(const CPatch& patch)
{
    const CPatchHeader& header = patch.GetPatchHeader();
    nameText_->SetTextIfChanged(patch.GetName());
    requestedText_->SetTextIfChanged(std::to_string(header.GetVoices()));
    std::string current;
    if (patch.IsLinked()) {
        uint8_t voices = 0;
        current = patch.GetSlotVoiceCount(voices) ? std::to_string(voices) : "?";
    }
    currentText_->SetTextIfChanged(current);
    portamentoText_->SetTextIfChanged(std::to_string(header.GetPMTime()));
    auto_->SetOn(header.GetPMMode() != 0);
    bendText_->SetTextIfChanged(std::to_string(header.GetBendRange()));
    for (uint32_t colour = 0; colour < kCableButtonCount; ++colour)
        cables_[colour]->SetOn(header.GetCableVisible(colour) != 0);
    ShowLoads(patch);
}

void CTBWindow::ShowLoads(const CPatch& patch)
{
    const ToolbarLoads loads = ToolbarLoads::FromTable(patch.GetLoadTable());
    for (const auto& [meter, display] :
         {std::pair{sumMeter_.get(), &loads.sum}, std::pair{areaMeter_.get(), &loads.polyArea}}) {
        meter->SetLoad(display->value);
        meter->SetOverload(display->overload ? 1 : 0);
        meter->SetLabel(display->text);
    }
}

void CTBWindow::ShowNoPatch()
{
    for (CTextView* text :
         {nameText_.get(), currentText_.get(), requestedText_.get(), portamentoText_.get(), bendText_.get()})
        text->SetTextIfChanged("");
    for (CLoadMeter* meter : {sumMeter_.get(), areaMeter_.get()}) {
        meter->SetLoad(0);
        meter->SetLabel("");
    }
    for (const auto& cable : cables_)
        cable->SetOn(false);
    auto_->SetOn(false);
}
