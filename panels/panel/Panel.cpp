#include "panels/panel/Panel.h"

#include "framework/drawing/Canvas.h"
#include "framework/drawing/FontSpec.h"
#include "framework/images/ImageCache.h"
#include "framework/input/Keyboard.h"
#include "framework/windows/ABCWindow.h"
#include "panels/BuildModule.h"
#include "panels/items/PanelItem.h"
#include "panels/menu/ContextMenu.h"
#include "panels/panel/PanelServicesInterface.h"
#include "patch/PatchError.h"
#include "patch/area/PatchBackground.h"
#include "patch/document/Patch.h"
#include "patch/module/ModuleInterface.h"
#include "synth/molecules/ModuleMolecules.h"
#include "synth/molecules/MoleculePacket.h"

using NSHarrowen::CColor;
using NSHarrowen::CPoint;
using NSHarrowen::CRect;

namespace {

const CColor kFaceGrey(0xBF00, 0xBF00, 0xBF00);
const CColor kTitleSelected(0xEEEE, 0xEEEE, 0xEEEE);

// Set when a press selected the module, so that the release of that same
// press does not toggle it off again.
bool addedByThisClick = false;

bool IsNameCharacter(char c)
{
    return c >= ' ' && c <= '}';
}

} // namespace

CPanel::CPanel(NSHarrowen::CGroupView* parent, CBuildModule& builder, uint8_t column, uint8_t row)
    : CGroupView(parent), builder_(builder), column_(column), row_(row)
{
    SetFrame(CRect(-1, -1, kWidth - 1, 2 * kRowHeight - 1));
    SetOpaqueMode(NSHarrowen::kOpaqueFrame);
}

CPanel::~CPanel()
{
    if (NSHarrowen::CGroupView* parent = GetParent()) {
        parent->RemoveChild(this);
    }
}

CPatchBackground* CPanel::GetPatchBackground() const
{
    return area_.Get(GetParent());
}

CPatch* CPanel::GetPatch() const
{
    CPatchBackground* area = GetPatchBackground();
    return area ? &area->GetDocument() : nullptr;
}

void CPanel::SetGridPosition(uint8_t column, uint8_t row)
{
    column_ = column;
    row_ = row;
}

void CPanel::SetHeight(uint8_t units)
{
    height_ = units;
    SetSize(kWidth, static_cast<int16_t>(units * kRowHeight));
}

CPoint CPanel::ToAreaPoint(CPoint point) const
{
    return CPoint(static_cast<int16_t>(point.x + GetPixelX() - GetFrame().left),
                  static_cast<int16_t>(point.y + GetPixelY() - GetFrame().top));
}

void CPanel::SetName(const std::string& name)
{
    if (name == name_) {
        return;
    }
    std::string cleaned;
    bool refused = false;
    for (const char c : name) {
        if (IsNameCharacter(c)) {
            cleaned.push_back(c);
        } else {
            refused = true;
        }
    }
    if (cleaned.size() > kMaxNameLength) {
        cleaned.resize(kMaxNameLength);
        refused = true;
    }
    name_ = cleaned;
    nameChanged_ = true;
    if (refused) {
        throw XPOutOfRange(PatchErrorCode::kInvalidModuleName);
    }
}

void CPanel::SetSelected(bool selected)
{
    if (selected == selected_) {
        return;
    }
    selected_ = selected;
    drawnSelection_ = selected;
    InvalidateRect(GetTitleRect());
}

CRect CPanel::GetTitleRect() const
{
    const CRect& frame = GetFrame();
    return CRect(frame.left, frame.top, frame.left + kTitleWidth, frame.top + kTitleHeight);
}

void CPanel::Rename()
{
    CPanelServicesInterface* services = GetPanelServices();
    CPatch* patch = GetPatch();
    // The box opens on the current name, edited in place.
    const std::string shown = GetName();
    std::string name = shown;
    if (services == nullptr || patch == nullptr || !services->AskPanelName(*this, name)) {
        return;
    }
    const auto location = static_cast<uint8_t>(location_);
    CMoleculePacket packet;
    packet.Append(std::make_unique<CMModuleName>(location, moduleIndex_, name));
    auto inverse = std::make_unique<CMoleculePacket>();
    inverse->Append(std::make_unique<CMModuleName>(location, moduleIndex_, shown));
    patch->SendAndApplyMolecules(packet, std::move(inverse));
}

bool CPanel::DispatchToItems(CPoint where, bool doubleClick)
{
    for (int i = 0; i < CountChildren(); ++i) {
        auto* item = dynamic_cast<CPanelItem*>(GetChild(i));
        if (item == nullptr || !item->ContainsPoint(where)) {
            continue;
        }
        const bool handled = doubleClick ? item->OnDoubleClick(where.x, where.y) : item->OnMouseDown(where.x, where.y);
        if (handled) {
            return true;
        }
    }
    return false;
}

void CPanel::MouseDown(const NSHarrowen::CEvent& event)
{
    const CPoint where = event.GetPoint();
    if (event.IsMouseDown()) {
        if (!DispatchToItems(where, false)) {
            OnMouseDown(where);
        }
    } else if (event.IsDoubleClick()) {
        if (GetTitleRect().Contains(where)) {
            OnTitleClick();
        } else if (!DispatchToItems(where, true)) {
            OnDoubleClick(where);
        }
    }
}

void CPanel::OnMouseDown(CPoint where)
{
    addedByThisClick = false;
    CPatch* patch = GetPatch();
    auto* module = dynamic_cast<CModuleInterface*>(this);
    if (patch == nullptr || module == nullptr) {
        return;
    }
    if (!selected_) {
        if (!NSHarrowen::GetModifierKeys().IsControlOrCommandDown()) {
            patch->ClearSelection();
        }
        patch->SelectModule(*module);
        addedByThisClick = true;
        NSHarrowen::UpdateAllWindows();
    }
    patch->DragSelection();
    // Without a module drag the panel itself waits for the release.
    if (NSHarrowen::GetMouseCaptureView() == nullptr) {
        CaptureMouse();
    }
}

void CPanel::OnDoubleClick(CPoint) { }

void CPanel::OnTitleClick()
{
    Rename();
}

void CPanel::MouseStillDown()
{
    if (!HasMouseCapture()) {
        return;
    }
    ReleaseMouse();
    MouseUp();
}

void CPanel::MouseUp()
{
    CPatch* patch = GetPatch();
    auto* module = dynamic_cast<CModuleInterface*>(this);
    if (patch == nullptr || module == nullptr || !IsMouseInside() || !selected_) {
        return;
    }
    if (NSHarrowen::GetModifierKeys().IsControlOrCommandDown() && !addedByThisClick) {
        patch->DeselectModule(*module);
    }
    NSHarrowen::UpdateAllWindows();
}

void CPanel::ContextClick(CPoint where)
{
    if (NSHarrowen::GetHoverView() != this) {
        CGroupView::ContextClick(where);
        return;
    }
    CPatch* patch = GetPatch();
    auto* module = dynamic_cast<CModuleInterface*>(this);
    if (patch != nullptr && module != nullptr && !selected_) {
        patch->ClearSelection();
        patch->SelectModule(*module);
        NSHarrowen::UpdateAllWindows();
    }
    ShowPanelMenu(where);
}

void CPanel::ShowPanelMenu(CPoint where)
{
    CContextMenu menu("Module", {{"Rename", kCommandRename}, {"Help", kCommandHelp}, {"Delete", kCommandDelete}});
    for (const uint32_t command : {kCommandRename, kCommandHelp, kCommandDelete}) {
        menu.EnableCommand(command, true);
    }
    uint32_t command = 0;
    if (!TrackPopupMenu(&menu, where, command)) {
        return;
    }
    if (command == kCommandRename) {
        Rename();
    } else if (command == kCommandHelp) {
        if (CPanelServicesInterface* services = GetPanelServices()) {
            services->ShowHelpTopic(builder_.GetHelpTopic());
        }
    } else if (command == kCommandDelete) {
        if (CPatch* patch = GetPatch()) {
            patch->DeleteSelection();
        }
    }
}

void CPanel::FrameChanged(const CRect& oldFrame, const CRect& newFrame)
{
    MoveChildrenWithFrame(*this, oldFrame, newFrame);
}

void CPanel::Draw()
{
    // The face goes under the items whole, once: the items draw over it.
    DrawBackground();
    DrawChildren();
}

void CPanel::DrawBackground()
{
    NSHarrowen::CABCWindow* window = GetWindow();
    if (window == nullptr) {
        return;
    }
    NSHarrowen::CCanvas canvas(window);
    const CRect& frame = GetFrame();
    const int32_t sideHeight = frame.Height() - 2 * kBorder;
    canvas.DrawImagePart(frame.left, frame.top, NSHarrowen::CImageID(kBorderTop), 0, 0, kWidth, kBorder);
    canvas.DrawImagePart(frame.left, frame.bottom - kBorder, NSHarrowen::CImageID(kBorderBottom), 0, 0, kWidth,
                         kBorder);
    canvas.DrawImagePart(frame.left, frame.top + kBorder, NSHarrowen::CImageID(kBorderLeft), 0, 0, kBorder, sideHeight);
    canvas.DrawImagePart(frame.right - kBorder, frame.top + kBorder, NSHarrowen::CImageID(kBorderRight), 0, 0, kBorder,
                         sideHeight);

    const CRect inner(frame.left + kBorder, frame.top + kBorder, frame.right - kBorder, frame.bottom - kBorder);
    if (builder_.GetFaceJpeg() == 0) {
        canvas.FillRect(inner, kFaceGrey);
    } else {
        canvas.DrawImage(inner.left, inner.top, NSHarrowen::CImageID(builder_.GetFaceJpeg()));
    }

    const CRect titleFill(frame.left + 1, frame.top + 1, frame.left + 1 + kTitleWidth - 1,
                          frame.top + 1 + kTitleHeight - 1);
    if (drawnSelection_) {
        canvas.FillRect(titleFill, kTitleSelected);
    }
    const CRect nameRect(frame.left, frame.top, frame.left + kTitleWidth - 1, frame.top + kTitleHeight - 1);
    canvas.DrawStringInRect(nameRect, name_.c_str(), NSHarrowen::CFontSpec("Arial", 14, 1, 0, 0), NSHarrowen::kBlack);
}

void CPanel::UpdateDisplay()
{
    if (needsFullRedraw_) {
        needsFullRedraw_ = false;
        nameChanged_ = false;
        drawnSelection_ = selected_;
        InvalidateFrame();
    } else if (drawnSelection_ != selected_ || nameChanged_) {
        nameChanged_ = false;
        drawnSelection_ = selected_;
        InvalidateRect(GetTitleRect());
    }
    CGroupView::UpdateDisplay();
}
