#pragma once

#include "framework/images/ImageCache.h"
#include "panels/items/PanelItem.h"
#include "panels/items/ParentCast.h"
#include "synth/protocol/JackAddress.h"

#include <cstdint>

class CHoleContainerInterface;

// A jack on a module panel: where a cable is plugged. It keeps no cable
// data; whether and how it is connected is asked of its module, which
// answers from the voice area's cable tree. Its picture holds both looks
// side by side: unconnected on the left half, connected on the right.
class CPnlHole : public CPanelItem {
public:
    static constexpr int16_t kSize = 13;

    ~CPnlHole() override;

    virtual bool IsOutput() const = 0;
    // Logic 0, audio 1, control 2, slave 3.
    virtual uint8_t GetSignalKind() const = 0;

    JackAddress GetJackAddress() const;
    JackAddress GetNetRoot() const;
    // The jack's net holds an output (an unconnected output drives itself).
    bool IsNetDriven() const;
    bool IsConnected() const;
    // No cable of the jack's net hangs below it.
    bool IsLeaf() const;
    // The connected state drawn now.
    bool IsShownConnected() const { return connected_; }

    void Draw() override;
    void UpdateDisplay() override;
    void ContextClick(NSHarrowen::CPoint where) override;
    bool OnMouseDown(int16_t x, int16_t y) override;
    bool OnDoubleClick(int16_t x, int16_t y) override;
    void MouseUp() override;
    void ParentChanged() override { container_.Reset(); }

protected:
    CPnlHole(NSHarrowen::CGroupView* parent, int16_t x, int16_t y, NSHarrowen::CImageID picture);
    // Registers the jack with its module, inputs and outputs apart.
    void Register(bool output);

private:
    CHoleContainerInterface* GetContainer() const;

    CParentCast<CHoleContainerInterface> container_;
    NSHarrowen::CImageID picture_;
    bool connected_ = false;
};
