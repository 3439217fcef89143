#pragma once

#include "panels/dragdrop/DragDrop.h"
#include "patch/module/CableDragInterface.h"

#include <cstdint>

class CPatchBackground;
class CPnlHole;

// What releasing a cable drag would do.
enum class CableDropOutcome : uint8_t {
    CableDropMove = 0,
    CableDropNone = 1,
    CableDropDisconnect = 2,
    CableDropConnect = 3,
    CableDropRefused = 4,
};

// The cable gestures of one voice area: a drag from a jack draws a
// rubber band to the mouse, shows by its cursor what a release would do,
// and turns the release into one patch edit (connect, move the jack's cable
// ends, or pull its cables off). Control held, or a drag begun by a double
// click, moves instead of connecting.
class CCableDragDropManager final : public CDragDrop<CPnlHole*, CPnlHole*, CPatchBackground*>,
                                    public CCableDragInterface {
public:
    static constexpr uint32_t kDefaultCursor = 158;
    // Free memory units a new cable needs.
    static constexpr uint16_t kConnectMemory = 3;

    explicit CCableDragDropManager(CPatchBackground& area);
    ~CCableDragDropManager() override;

    void BeginCableDrag(CPnlHole& jack) { Begin(jack, false); }
    void BeginCableMove(CPnlHole& jack) { Begin(jack, true); }

    CableDropOutcome ClassifyDrop() const;
    bool IsMoveMode() const;
    static uint32_t CursorOf(CableDropOutcome outcome);

    void Cancel() override;
    void TrackFeedback() override;
    void Drop(CPnlHole* target) override;
    void GetDropCursor() override;

private:
    void Begin(CPnlHole& jack, bool moveMode);
    void CollectTargets();
    NSHarrowen::CPoint SourceCentre() const;
    // Inverts the band's pixels: drawn twice, it is gone.
    void DrawDragLine() const;

    CPatchBackground& area_;
    NSHarrowen::CPoint bandStart_;
    NSHarrowen::CPoint bandEnd_;
    bool moveMode_ = false;
};
