#pragma once

#include "framework/images/ImageCache.h"
#include "panels/items/PanelItem.h"

#include <cstdint>

// A 7 x 7 lamp that shows a state the synthesizer reports (signal, clip,
// sequencer step). It takes no input; the module passes the state on.
class CPnlLed : public CPanelItem {
public:
    static constexpr uint16_t kLit = 212;
    static constexpr uint16_t kDark = 217;

    CPnlLed(NSHarrowen::CGroupView* parent, int16_t x, int16_t y);

    // The base shows nothing; true when the lamp is lit.
    virtual bool SetState(uint16_t state);
    bool IsLit() const { return lit_; }
    void Draw() override;

protected:
    void SetLit(bool lit) { lit_ = lit; }
    void SetLitPicture(uint16_t picture) { litPicture_ = picture; }

private:
    // Picture numbers rather than picture ids: a large patch has thousands
    // of lamps, and the dark picture is the same for all.
    uint16_t litPicture_ = kLit;
    bool lit_ = false;
};

// Lit for any state but 0.
class CPnlGreenLed final : public CPnlLed {
public:
    using CPnlLed::CPnlLed;
    bool SetState(uint16_t state) override;
};

// Lit for any state but 0, in the colour of the state: 1 green, 2 yellow,
// 3 red (other states keep the last colour).
class CPnlClipLed final : public CPnlLed {
public:
    static constexpr uint16_t kYellow = 272;
    static constexpr uint16_t kRed = 214;

    using CPnlLed::CPnlLed;
    bool SetState(uint16_t state) override;
};
