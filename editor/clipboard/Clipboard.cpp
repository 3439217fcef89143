#include "editor/clipboard/Clipboard.h"

#include "editor/patches/PatchManager.h"
#include "framework/drawing/Canvas.h"
#include "framework/input/Keyboard.h"
#include "framework/input/MouseState.h"
#include "patch/PatchError.h"
#include "patch/area/CableTree.h"
#include "patch/area/DspLoadTable.h"
#include "patch/area/PatchBackground.h"
#include "patch/clip/ModuleClip.h"
#include "patch/clip/ModuleSelection.h"
#include "patch/document/EditorServicesInterface.h"
#include "patch/document/Patch.h"
#include "patch/edit/EditPair.h"
#include "patch/module/ModuleServicesInterface.h"

#include <algorithm>
#include <new>

using NSHarrowen::CPoint;
using NSHarrowen::CRect;

namespace {

CClipboard* gClipboard = nullptr;

// The inner outline's grey.
const NSHarrowen::CColor kOutlineGrey(0xD000, 0xD000, 0xD000);

CRect PixelRect(const CModuleInterface& module)
{
    const CRect grid = module.GetGridRect();
    return CRect(grid.left * CModuleInterface::kColumnWidth, grid.top * CModuleInterface::kRowHeight,
                 grid.right * CModuleInterface::kColumnWidth, grid.bottom * CModuleInterface::kRowHeight);
}

CPoint PixelExtent(const CModuleClip& clip)
{
    const CPoint extent = clip.GetTree().GetModules().GetModuleExtent();
    return CPoint(extent.x * CModuleInterface::kColumnWidth, extent.y * CModuleInterface::kRowHeight);
}

NSHarrowen::CABCWindow* ActivePatchWindow()
{
    const CPatchManager* patches = GetPatchManager();
    const CPatch* patch = patches ? patches->GetActivePatch() : nullptr;
    return patch ? dynamic_cast<NSHarrowen::CABCWindow*>(patch->GetWindow()) : nullptr;
}

} // namespace

CClipboard* GetModuleClipboard()
{
    return gClipboard;
}

void SetModuleClipboard(CClipboard* clipboard)
{
    gClipboard = clipboard;
}

CClipboard::CClipboard() : CDragDrop(nullptr, kNoDropCursor)
{
    NSHarrowen::RegisterCursorResource(kCopyCursor, platform::CursorShape::Cross);
    NSHarrowen::RegisterCursorResource(kNoDropCursor, platform::CursorShape::No);
}

CClipboard::~CClipboard()
{
    Cancel();
}

// The stored copy.

void CClipboard::StoreCopy(const CPatch& patch)
{
    const CModuleSelection& selection = patch.GetSelection();
    const CPatchBackground* area = patch.GetArea(selection.GetAreaIndex());
    if (selection.IsEmpty() || area == nullptr) {
        return;
    }
    stored_ = CModuleClip::FromSelection(selection, area->GetStore());
}

bool CClipboard::IsEmpty() const
{
    return !stored_ || stored_->IsEmpty();
}

// Starting a drag.

void CClipboard::BeginPaste(NSHarrowen::CView* source)
{
    if (IsEmpty()) {
        return;
    }
    dragClip_.reset();
    const CPoint extent = PixelExtent(*stored_);
    grab_ = CPoint(extent.x / 2, extent.y / 2);
    Begin(source, kPaste, true, false);
}

void CClipboard::BeginDragFromPanel(NSHarrowen::CView* source, CPatch& patch)
{
    const CModuleSelection& selection = patch.GetSelection();
    CPatchBackground* area = patch.GetArea(selection.GetAreaIndex());
    dragClip_.reset();
    if (selection.IsEmpty() || area == nullptr) {
        return;
    }
    dragClip_ = CModuleClip::FromSelection(selection, area->GetStore());
    origin_ = area;
    const CPoint mouse = area->GetMousePosition();
    const CPoint content = area->GetContentOffset();
    const CPoint clipOrigin = ClipOrigin();
    grab_ = CPoint(mouse.x - content.x - clipOrigin.x, mouse.y - content.y - clipOrigin.y);
    Begin(source, kSelection, false, true);
}

void CClipboard::BeginDragFromToolbar(NSHarrowen::CView* source, uint8_t typeId)
{
    BeginNew(source, typeId, false);
}

void CClipboard::BeginDragNewModule(NSHarrowen::CView* source, uint8_t typeId)
{
    BeginNew(source, typeId, true);
}

void CClipboard::BeginNew(NSHarrowen::CView* source, uint8_t typeId, bool armed)
{
    dragClip_.reset();
    const CModuleServicesInterface* services = GetModuleServices();
    if (services == nullptr) {
        return;
    }
    try {
        auto tree = std::make_unique<CCableTree>(true, 0);
        std::unique_ptr<CModuleInterface> module = services->CreateModule(typeId);
        module->SetModuleIndex(1);
        tree->GetModules().Append(std::move(module));
        dragClip_ = std::make_unique<CModuleClip>(std::move(tree));
    } catch (const XPatchError&) {
        // Not a module type: nothing to place.
        return;
    }
    const CPoint extent = PixelExtent(*dragClip_);
    grab_ = CPoint(extent.x / 2, extent.y / 2);
    Begin(source, kNewModule, armed, true);
}

void CClipboard::Begin(NSHarrowen::CView* source, EKind kind, bool armed, bool tellSource)
{
    if (IsDragging()) {
        Cancel();
    }
    kind_ = kind;
    SetSource(source);
    SetQuietSource(tellSource ? 0 : 1);
    SetArmed(armed ? 1 : 0);
    controlDown_ = NSHarrowen::GetModifierKeys().IsControlOrCommandDown();
    if (!StartDragging(ActivePatchWindow())) {
        if (tellSource && source != nullptr) {
            source->MouseUp();
        }
        SetSource(nullptr);
        Finish();
    }
}

// Targets.

void CClipboard::AddTarget(CPatchBackground& area)
{
    if (std::find(Targets().begin(), Targets().end(), &area) == Targets().end()) {
        Targets().push_back(&area);
    }
}

void CClipboard::RemoveTarget(CPatchBackground& area)
{
    if (IsDragging() && (GetTarget() == &area || origin_ == &area || GetWindow() == area.GetWindow())) {
        Cancel();
    }
    std::erase(Targets(), &area);
}

bool CClipboard::IsActive() const
{
    return GetWindow() != nullptr && GetWindow() == ActivePatchWindow();
}

// Following the mouse.

bool CClipboard::IsMoveMode() const
{
    return kind_ == kSelection && GetTarget() != nullptr && GetTarget() == origin_ && !controlDown_;
}

const CModuleClip* CClipboard::SourceClip() const
{
    return kind_ == kPaste ? stored_.get() : dragClip_.get();
}

CPoint CClipboard::ClipOrigin() const
{
    const CModuleClip* clip = SourceClip();
    if (clip == nullptr || clip->IsEmpty()) {
        return CPoint();
    }
    const CRect bounds = clip->GetTree().GetModules().GetModuleBounds();
    return CPoint(bounds.left * CModuleInterface::kColumnWidth, bounds.top * CModuleInterface::kRowHeight);
}

void CClipboard::PrepareWorkingClip(CPatchBackground& target)
{
    working_.reset();
    fitted_ = false;
    const CModuleClip* source = SourceClip();
    if (source == nullptr) {
        return;
    }
    working_ = std::make_unique<CModuleClip>(source->GetTree().CopyForModules());
    if (IsMoveMode()) {
        return;
    }
    working_->FitTo(target.GetStore(), target.GetDocument().GetLoadTable().GetFreeMemory());
    fitted_ = true;
}

void CClipboard::PlaceBlock(CPatchBackground& target, CPoint where)
{
    const CPoint content = target.GetContentOffset();
    block_ = CPoint(where.x - content.x - grab_.x, where.y - content.y - grab_.y);
}

void CClipboard::DragEnter(CPatchBackground* target, CPoint where)
{
    PrepareWorkingClip(*target);
    const CPoint extent = working_ ? PixelExtent(*working_) : CPoint();
    target->BeginAutoScroll(static_cast<uint16_t>(extent.x), static_cast<uint16_t>(extent.y));
    PlaceBlock(*target, where);
    DrawOutlines(*target);
}

void CClipboard::DragLeave(CPatchBackground* target)
{
    target->EndAutoScroll();
    EraseOutlines();
}

void CClipboard::DragOver(CPatchBackground* target, CPoint where)
{
    EraseOutlines();
    PlaceBlock(*target, where);
    DrawOutlines(*target);
}

void CClipboard::TrackFeedback()
{
    if (NSHarrowen::GetModifierKeys().IsControlOrCommandDown() != controlDown_) {
        Reprepare();
    }
}

void CClipboard::ForwardKey(const NSHarrowen::CKeyEvent& event)
{
    if (event.message.virtualKey == platform::kVKControl) {
        Reprepare();
        return;
    }
    // Escape and the rest reach the window (which cancels the drag on Escape).
    CDragDrop::ForwardKey(event);
}

// Copy or move follows Control: the clip is prepared again and shown anew.
void CClipboard::Reprepare()
{
    controlDown_ = NSHarrowen::GetModifierKeys().IsControlOrCommandDown();
    CPatchBackground* target = GetTarget();
    if (kind_ != kSelection || target == nullptr) {
        return;
    }
    EraseOutlines();
    PrepareWorkingClip(*target);
    DrawOutlines(*target);
}

// Outlines.

void CClipboard::DrawOutlines(const CPatchBackground& target)
{
    NSHarrowen::CABCWindow* window = target.GetWindow();
    if (dropping_ || !working_ || window == nullptr || !outlines_.empty()) {
        return;
    }
    const CPoint content = target.GetContentOffset();
    const CPoint origin = ClipOrigin();
    const CPoint shift(content.x + block_.x - origin.x, content.y + block_.y - origin.y);
    for (const CModuleInterface* module : working_->GetTree().GetModules()) {
        CRect rect = PixelRect(*module);
        rect.Offset(shift.x, shift.y);
        if (rect.Intersect(target.GetFrame())) {
            outlines_.push_back(rect);
        }
    }
    outlineArea_ = &target;
    RedrawOutlines(target);
}

void CClipboard::RedrawOutlines(const CPatchBackground& area)
{
    NSHarrowen::CABCWindow* window = area.GetWindow();
    if (&area != outlineArea_ || window == nullptr || outlines_.empty()) {
        return;
    }
    NSHarrowen::CCanvas canvas(window);
    for (CRect rect : outlines_) {
        canvas.InvertFrameRect(rect, NSHarrowen::kBlack);
        if (rect.Width() > 2 && rect.Height() > 2) {
            rect.Deflate(1);
            canvas.InvertFrameRect(rect, kOutlineGrey);
        }
    }
}

void CClipboard::AreaWillScroll(const CPatchBackground& area)
{
    if (&area == outlineArea_) {
        EraseOutlines();
    }
}

void CClipboard::AreaDidScroll(CPatchBackground& area)
{
    if (IsDragging() && GetTarget() == &area) {
        // The strip the scroll uncovered is painted first, or it would
        // paint over part of the inverted outlines.
        if (NSHarrowen::CABCWindow* window = area.GetWindow()) {
            window->UpdateNow();
        }
        PlaceBlock(area, GetMousePosition());
        DrawOutlines(area);
    }
}

void CClipboard::EraseOutlines()
{
    if (outlineArea_ != nullptr) {
        RedrawOutlines(*outlineArea_);
    }
    outlines_.clear();
    outlineArea_ = nullptr;
}

// Cursor.

void CClipboard::GetDropCursor()
{
    if (!working_ || working_->IsEmpty()) {
        NSHarrowen::SetCursorFromResource(kNoDropCursor);
    } else if (IsMoveMode()) {
        NSHarrowen::SetArrowCursor();
    } else {
        NSHarrowen::SetCursorFromResource(kCopyCursor);
    }
}

void CClipboard::GetCursor()
{
    if (GetTarget() != nullptr || (GetSource() != nullptr && GetSource()->IsMouseInside())) {
        GetDropCursor();
    } else if (IsArmed()) {
        NSHarrowen::SetCursorFromResource(kNoDropCursor);
    }
}

// Dropping.

void CClipboard::Drop(CPatchBackground* target)
{
    EraseOutlines();
    if (target == nullptr) {
        Finish();
        return;
    }
    target->EndAutoScroll();
    dropping_ = true;
    try {
        if (working_ && !working_->IsEmpty()) {
            ExecuteDrop(*target);
        }
    } catch (const std::bad_alloc&) {
        if (CEditorServicesInterface* editor = GetEditorServices()) {
            editor->PostDeferredAlert(kAlertNotEnoughMemory);
        }
    } catch (const XPatchError&) {
        // The area cannot take the clip's cables: nothing was sent.
    }
    dropping_ = false;
    target->AutoScrollStep();
    Finish();
}

void CClipboard::ExecuteDrop(CPatchBackground& target)
{
    CPatch& patch = target.GetDocument();
    const CCableTree& tree = target.GetStore();
    const CPoint origin = ClipOrigin();
    const CPoint offset(block_.x - origin.x, block_.y - origin.y);
    auto pair = std::make_unique<CEditPair>();
    if (IsMoveMode()) {
        const CModuleList& modules = working_->GetTree().GetModules();
        const CModuleInterface& first = *modules.At(0);
        const int32_t column = first.GetColumn();
        const int32_t row = first.GetRow();
        if (!working_->PrepareDrop(offset)) {
            return;
        }
        const int32_t columns = first.GetColumn() - column;
        const int32_t rows = first.GetRow() - row;
        if (columns == 0 && rows == 0) {
            return;
        }
        std::vector<uint8_t> moving;
        for (const CModuleInterface* module : modules) {
            moving.push_back(module->GetModuleIndex());
        }
        if (!working_->MakeRoomMolecules(tree, *pair, moving)) {
            return;
        }
        MakeMoveMolecules(tree.GetAreaIndex(), std::vector<CModuleInterface*>(modules.begin(), modules.end()), columns,
                          rows, *pair);
    } else {
        if (kind_ == kNewModule) {
            working_->MakeNamesUnique(tree);
        }
        if (!working_->PrepareDrop(offset) || !working_->MakeRoomMolecules(tree, *pair)) {
            return;
        }
        working_->MakePasteMolecules(tree, *pair);
        patch.ClearSelection();
    }
    patch.ExecuteEdit(std::move(pair));
}

// Ending.

void CClipboard::Cancel()
{
    if (!IsDragging()) {
        return;
    }
    EraseOutlines();
    if (CPatchBackground* target = GetTarget()) {
        target->EndAutoScroll();
    }
    StopDragging();
    Finish();
}

void CClipboard::Finish()
{
    working_.reset();
    dragClip_.reset();
    origin_ = nullptr;
    fitted_ = false;
}
