#include "panels/cables/CableDragDropManager.h"

#include "framework/drawing/Canvas.h"
#include "framework/drawing/RegionHandle.h"
#include "framework/input/Keyboard.h"
#include "panels/jacks/PnlHole.h"
#include "panels/panel/Module.h"
#include "patch/area/DspLoadTable.h"
#include "patch/area/PatchBackground.h"
#include "patch/document/Patch.h"

#include <array>
#include <optional>

using NSHarrowen::CPoint;

namespace {

struct OutcomeCursor {
    CableDropOutcome outcome;
    uint32_t cursor;
    platform::CursorShape shape;
};

constexpr std::array<OutcomeCursor, 5> kCursors = {{
    {CableDropOutcome::CableDropMove, 267, platform::CursorShape::SizeAll},
    {CableDropOutcome::CableDropNone, 159, platform::CursorShape::Arrow},
    {CableDropOutcome::CableDropDisconnect, 159, platform::CursorShape::Arrow},
    {CableDropOutcome::CableDropConnect, 157, platform::CursorShape::Cross},
    {CableDropOutcome::CableDropRefused, 167, platform::CursorShape::No},
}};

void RegisterCursors()
{
    for (const OutcomeCursor& entry : kCursors) {
        NSHarrowen::RegisterCursorResource(entry.cursor, entry.shape);
    }
    NSHarrowen::RegisterCursorResource(CCableDragDropManager::kDefaultCursor, platform::CursorShape::Hand);
}

} // namespace

CCableDragDropManager::CCableDragDropManager(CPatchBackground& area) : CDragDrop(&area, kDefaultCursor), area_(area)
{
    RegisterCursors();
}

CCableDragDropManager::~CCableDragDropManager()
{
    if (IsDragging()) {
        Cancel();
    }
}

uint32_t CCableDragDropManager::CursorOf(CableDropOutcome outcome)
{
    for (const OutcomeCursor& entry : kCursors) {
        if (entry.outcome == outcome) {
            return entry.cursor;
        }
    }
    return kDefaultCursor;
}

void CCableDragDropManager::CollectTargets()
{
    Targets().clear();
    for (CModuleInterface* module : area_.GetModules()) {
        if (const auto* panel = dynamic_cast<const CModule*>(module)) {
            Targets().insert(Targets().end(), panel->GetInputs().begin(), panel->GetInputs().end());
            Targets().insert(Targets().end(), panel->GetOutputs().begin(), panel->GetOutputs().end());
        }
    }
}

void CCableDragDropManager::Begin(CPnlHole& jack, bool moveMode)
{
    area_.BeginAutoScroll(0, 0);
    SetArmed(1);
    SetSource(&jack);
    SetQuietSource(0);
    CollectTargets();
    NSHarrowen::CABCWindow* window = area_.GetWindow();
    if (!StartDragging(window)) {
        // No drag runs: nothing may keep scrolling, and the net's highlight goes.
        area_.EndAutoScroll();
        jack.MouseUp();
        SetSource(nullptr);
        return;
    }
    moveMode_ = moveMode;
    bandStart_ = SourceCentre();
    bandEnd_ = bandStart_;
    DrawDragLine();
}

CPoint CCableDragDropManager::SourceCentre() const
{
    const CPnlHole* source = GetSource();
    if (source == nullptr) {
        return bandStart_;
    }
    const NSHarrowen::CRect frame = source->GetFrame();
    return CPoint(frame.left + frame.Width() / 2, frame.top + frame.Height() / 2);
}

void CCableDragDropManager::DrawDragLine() const
{
    NSHarrowen::CABCWindow* window = area_.GetWindow();
    if (!IsDragging() || !IsArmed() || window == nullptr) {
        return;
    }
    // The band shows inside the area only.
    const platform::Region* previous = window->GetClipRegion();
    const std::optional<platform::Region> saved = previous ? std::optional(*previous) : std::nullopt;
    const NSHarrowen::CRegion clip(area_.GetFrame());
    window->SetClipRegion(&clip.GetRegion());
    {
        NSHarrowen::CCanvas canvas(window);
        canvas.InvertLine(bandStart_.x, bandStart_.y, bandEnd_.x, bandEnd_.y, NSHarrowen::kBlack);
    }
    window->SetClipRegion(saved ? &*saved : nullptr);
}

void CCableDragDropManager::TrackFeedback()
{
    const CPoint start = SourceCentre();
    const CPoint end = area_.GetMousePosition();
    if (start == bandStart_ && end == bandEnd_) {
        return;
    }
    DrawDragLine();
    bandStart_ = start;
    bandEnd_ = end;
    DrawDragLine();
}

bool CCableDragDropManager::IsMoveMode() const
{
    return NSHarrowen::GetModifierKeys().IsControlOrCommandDown() || moveMode_;
}

CableDropOutcome CCableDragDropManager::ClassifyDrop() const
{
    const CPnlHole* source = GetSource();
    const CPnlHole* target = GetTarget();
    if (source == nullptr) {
        return CableDropOutcome::CableDropNone;
    }
    const bool sameNet = target != nullptr && source->GetNetRoot() == target->GetNetRoot();
    if (!IsMoveMode()) {
        if (target == nullptr || sameNet || (source->IsNetDriven() && target->IsNetDriven())) {
            return CableDropOutcome::CableDropRefused;
        }
        return CableDropOutcome::CableDropConnect;
    }
    if (target == nullptr) {
        return source->IsConnected() ? CableDropOutcome::CableDropDisconnect : CableDropOutcome::CableDropNone;
    }
    if (sameNet || !source->IsConnected()) {
        return CableDropOutcome::CableDropNone;
    }
    if (source->IsOutput() || !source->IsNetDriven()) {
        return CableDropOutcome::CableDropMove;
    }
    return target->IsNetDriven() ? CableDropOutcome::CableDropNone : CableDropOutcome::CableDropMove;
}

void CCableDragDropManager::Drop(CPnlHole* target)
{
    area_.EndAutoScroll();
    DrawDragLine();
    const CPnlHole* source = GetSource();
    if (source == nullptr) {
        return;
    }
    CPatch& patch = area_.GetDocument();
    const uint8_t area = area_.GetAreaIndex();
    switch (ClassifyDrop()) {
    case CableDropOutcome::CableDropMove:
        patch.MoveCableEnd(area, source->GetJackAddress(), target->GetJackAddress());
        break;
    case CableDropOutcome::CableDropDisconnect:
        patch.DisconnectConnector(area, source->GetJackAddress());
        break;
    case CableDropOutcome::CableDropConnect:
        // Without room for one more cable the drop does nothing.
        if (patch.GetLoadTable().GetFreeMemory() >= kConnectMemory) {
            patch.ConnectCable(area, source->GetJackAddress(), target->GetJackAddress());
        }
        break;
    case CableDropOutcome::CableDropNone:
    case CableDropOutcome::CableDropRefused:
        break;
    }
}

void CCableDragDropManager::GetDropCursor()
{
    NSHarrowen::SetCursorFromResource(CursorOf(ClassifyDrop()));
}

void CCableDragDropManager::Cancel()
{
    area_.EndAutoScroll();
    DrawDragLine();
    if (IsDragging()) {
        StopDragging();
    }
}
