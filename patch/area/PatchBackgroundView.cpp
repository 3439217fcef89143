#include "patch/area/PatchBackground.h"

#include "framework/drawing/Canvas.h"
#include "framework/images/ImageCache.h"
#include "framework/input/MouseState.h"
#include "framework/windows/ABCWindow.h"
#include "patch/area/AreaMenu.h"
#include "patch/document/EditorServicesInterface.h"
#include "patch/document/Patch.h"
#include "patch/maps/CtrlMap.h"
#include "patch/maps/KnobMap.h"
#include "patch/maps/MorphMap.h"

#include <algorithm>
#include <optional>

// The voice area as a view: placing the panels, drawing, the selection band,
// the context menu and the labels.

using NSHarrowen::CPoint;
using NSHarrowen::CRect;

namespace {

// The band's grey inner outline.
constexpr NSHarrowen::CColor kBandGrey(0x2800, 0x2800, 0x2800);

} // namespace

void CPatchBackground::PlaceModule(CModuleInterface& module) const
{
    const CPoint origin = GetContentOffset();
    module.GetView().MoveTo(CPoint(origin.x + module.GetPixelX(), origin.y + module.GetPixelY()));
}

void CPatchBackground::LayoutAfterChange(CModuleInterface* changed)
{
    if (refreshHolds_ > 0) {
        // Within a dump a changed module takes its place at once (cables
        // are drawn from its jacks); the rest follows once at the end.
        if (changed != nullptr) {
            PlaceModule(*changed);
            changed->GetView().Relayout();
        }
        layoutHeld_ = true;
        return;
    }
    // The container's scroll bars follow the content's extent.
    if (NSHarrowen::CGroupView* container = GetParent()) {
        container->Relayout();
    } else {
        LayoutChildren();
    }
}

void CPatchBackground::LayoutChildren()
{
    for (CModuleInterface* module : store_.GetModules()) {
        PlaceModule(*module);
    }
    // Cables and labels follow the content by the distance it moved.
    const CPoint origin = GetContentOffset();
    const CPoint delta(origin.x - lastContentOffset_.x, origin.y - lastContentOffset_.y);
    if (delta.x != 0 || delta.y != 0) {
        renderers_->MoveAll(delta);
        labels_.MoveAll(delta.x, delta.y);
    }
    lastContentOffset_ = origin;
}

void CPatchBackground::DrawBackground()
{
    NSHarrowen::CABCWindow* window = GetWindow();
    if (window == nullptr) {
        return;
    }
    NSHarrowen::CCanvas canvas(window);
    const CRect frame = GetFrame();
    const NSHarrowen::CImageID background(kBackgroundImage);
    const bool hasImage = NSHarrowen::GetImage(background) != nullptr;
    // Tiles start at the content's top left, which may lie above and left
    // of the view.
    const int startX = frame.left - (GetShownX() % kTileWidth);
    const int startY = frame.top - (GetShownY() % kTileHeight);
    for (int y = startY; y < frame.bottom; y += kTileHeight) {
        for (int x = startX; x < frame.right; x += kTileWidth) {
            CRect tile(x, y, x + kTileWidth, y + kTileHeight);
            if (!tile.Intersect(frame)) {
                continue;
            }
            if (hasImage) {
                canvas.DrawImagePart(tile.left, tile.top, background, tile.left - x, tile.top - y, tile.Width(),
                                     tile.Height());
            } else {
                canvas.FillRect(tile, NSHarrowen::CColor(0x5000, 0x5800, 0x6000));
            }
        }
    }
}

// Straight into the window's own buffer: what a paint draws reaches the
// screen only when the paint ends, so no tile is needed to show it whole.
void CPatchBackground::Draw()
{
    CScrollViewEx::Draw();
    NSHarrowen::CABCWindow* window = GetWindow();
    if (window == nullptr) {
        return;
    }
    // Cables and labels lie over the panels, inside the area.
    const platform::Region* previous = window->GetClipRegion();
    const std::optional<platform::Region> saved = previous ? std::optional(*previous) : std::nullopt;
    NSHarrowen::CRegion clip(GetFrame());
    if (saved) {
        clip.Intersect(NSHarrowen::CRegion(*saved));
    }
    window->SetClipRegion(&clip.GetRegion());
    {
        NSHarrowen::CCanvas canvas(window);
        renderers_->DrawAll(canvas);
        labels_.DrawAll(canvas);
    }
    window->SetClipRegion(saved ? &*saved : nullptr);
    if (bandActive_) {
        DrawBand();
    }
}

CRect CPatchBackground::GetBandRect() const
{
    CRect band(bandAnchor_.x, bandAnchor_.y, bandCurrent_.x, bandCurrent_.y);
    band.Normalize();
    band.Intersect(GetFrame());
    return band;
}

void CPatchBackground::DrawBand() const
{
    NSHarrowen::CABCWindow* window = GetWindow();
    if (window == nullptr) {
        return;
    }
    NSHarrowen::CCanvas canvas(window);
    CRect band = GetBandRect();
    canvas.InvertFrameRect(band, NSHarrowen::kBlack);
    band.Deflate(1);
    canvas.InvertFrameRect(band, kBandGrey);
}

bool CPatchBackground::IsOnModule(CPoint where) const
{
    return std::any_of(store_.GetModules().begin(), store_.GetModules().end(),
                       [&](CModuleInterface* m) { return m->GetView().ContainsPoint(where); });
}

void CPatchBackground::MouseDown(const NSHarrowen::CEvent& event)
{
    const CPoint where = event.GetPoint();
    if (IsOnModule(where) && !event.GetModifiers().IsShiftDown()) {
        CScrollViewEx::MouseDown(event);
        return;
    }
    CaptureMouse();
    StartMouseTracking();
    bandActive_ = true;
    bandAnchor_ = where;
    bandCurrent_ = where;
    document_.ClearSelection();
    DrawBand();
}

void CPatchBackground::HandleBroadcast()
{
    if (bandActive_) {
        const CPoint mouse = GetMousePosition();
        if (!(mouse == bandCurrent_)) {
            DrawBand();
            bandCurrent_ = mouse;
            DrawBand();
        }
    }
    labels_.DoPeriodicWork();
    CScrollViewEx::HandleBroadcast();
}

void CPatchBackground::ContextClick(CPoint where)
{
    if (!GetFrame().Contains(where)) {
        return;
    }
    if (IsOnModule(where)) {
        CScrollViewEx::ContextClick(where);
        return;
    }
    std::unique_ptr<CAreaMenu> menu = CAreaMenu::ForDocument(document_);
    uint32_t command = 0;
    if (menu != nullptr && TrackPopupMenu(&menu->GetMenu(), where, command)) {
        CAreaMenu::Choose(command, *this);
    }
}

// The band is drawn inverting: drawn once before a scroll and once after,
// it is erased and shown again where the content moved it.
void CPatchBackground::WillScroll()
{
    if (bandActive_) {
        DrawBand();
    }
    if (CEditorServicesInterface* editor = GetEditorServices()) {
        editor->AreaWillScroll(*this);
    }
}

void CPatchBackground::DidScroll()
{
    if (bandActive_) {
        DrawBand();
    }
    if (CEditorServicesInterface* editor = GetEditorServices()) {
        editor->AreaDidScroll(*this);
    }
}

void CPatchBackground::MouseStillDown()
{
    if (!bandActive_) {
        return;
    }
    CRect band(bandAnchor_.x, bandAnchor_.y, bandCurrent_.x, bandCurrent_.y);
    band.Normalize();
    EndBand();
    for (CModuleInterface* module : store_.GetModules()) {
        if (module->GetView().GetFrame().Intersects(band)) {
            document_.SelectModule(*module);
        }
    }
}

void CPatchBackground::CaptureLost()
{
    if (bandActive_) {
        EndBand();
    }
}

void CPatchBackground::EndBand()
{
    DrawBand();
    bandActive_ = false;
    ReleaseMouse();
    // Left tracking, the area would keep every later drag from starting.
    if (NSHarrowen::GetMouseTrackingView() == this) {
        NSHarrowen::StopMouseTracking();
    }
}

void CPatchBackground::EndTracking()
{
    if (bandActive_) {
        EndBand();
    }
    if (cableDrag_ != nullptr) {
        cableDrag_->Cancel();
    }
    for (CModuleInterface* module : store_.GetModules()) {
        module->EndAllTracking();
    }
}

void CPatchBackground::GetCursor()
{
    if (document_.IsSlotBusy()) {
        NSHarrowen::SetWaitCursor();
    } else {
        CScrollViewEx::GetCursor();
    }
}

void CPatchBackground::AddParamLabel(const ParamAddress& address, const std::string& text, CPoint centre,
                                     bool temporary)
{
    labels_.AddParamLabel(address, text, centre, temporary);
}

void CPatchBackground::SetParamLabelText(const ParamAddress& address, const std::string& text, CPoint centre,
                                         uint32_t delayMs)
{
    labels_.SetParamLabelText(address, text, centre, delayMs);
}

void CPatchBackground::UpdateParamLabel(const ParamAddress& address, const std::string& text)
{
    labels_.UpdateParamLabel(address, text);
}

const CLabelCache::Label* CPatchBackground::FindParamLabel(const ParamAddress& address) const
{
    return labels_.FindParamLabel(address);
}

void CPatchBackground::RemoveParamLabel(const ParamAddress& address)
{
    labels_.RemoveParamLabel(address);
}

void CPatchBackground::RebuildLabels()
{
    ShowAssignmentLabels(CLabelCache::kAllLabels);
}

void CPatchBackground::ShowAssignmentLabels(uint32_t kinds)
{
    labels_.RemoveAll();
    labels_.Rebuild(area_, store_.GetModules(), document_.GetMorphMap(), document_.GetKnobMap(), document_.GetCtrlMap(),
                    kinds);
}

void CPatchBackground::ShowValueLabels()
{
    labels_.RemoveAll();
    labels_.AddValueLabels(area_, store_.GetModules(), false);
}

void CPatchBackground::ShowScaledValueLabels()
{
    labels_.RemoveAll();
    labels_.AddValueLabels(area_, store_.GetModules(), true);
}

void CPatchBackground::ShowMorphLabels()
{
    ShowAssignmentLabels(CLabelCache::kMorphLabels);
}

void CPatchBackground::ShowKnobLabels()
{
    ShowAssignmentLabels(CLabelCache::kKnobLabels);
}

void CPatchBackground::ShowCtrlLabels()
{
    ShowAssignmentLabels(CLabelCache::kCtrlLabels);
}

void CPatchBackground::HideLabels()
{
    RebuildLabels();
}
