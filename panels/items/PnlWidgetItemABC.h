#pragma once

#include "panels/items/PnlCustom.h"

#include <cstdint>

// The base of the special items: a custom item made of framework widgets
// (text views, steppers, push buttons) that sets several parameters with
// one gesture. Presses go on to the widget under the point; the widgets
// report through ReceiveNotifications, and the item then asks the module
// to send its changes (SendParamChanges), which pulls them one per list
// entry through NextParamValue.
//
// The item keeps a cursor over its list entries: NextParamValue answers
// only for the entry at the cursor (below the limit), then advances it, so
// one request yields one change per parameter, in list order. The cursor
// rests at the limit between requests.
class CPnlWidgetItemABC : public CPnlCustom {
public:
    CPnlWidgetItemABC(NSHarrowen::CGroupView* parent, int16_t x, int16_t y, int16_t width, int16_t height,
                      uint8_t params);

    bool OnMouseDown(int16_t x, int16_t y) override;
    bool OnDoubleClick(int16_t x, int16_t y) override;
    bool NextParamValue(uint8_t entry, uint8_t& value) override;

protected:
    // The value the running request wants for a list entry.
    virtual uint8_t ValueFor(uint8_t entry) = 0;
    // Sends a change of entries 0 .. limit - 1.
    void SendChanges(uint8_t limit);

private:
    uint8_t cursor_ = 0xFF;
    uint8_t limit_ = 0;
};

// One generator for every random step of the program, seeded once per run.
int PanelRandom();
constexpr int kPanelRandomMax = 32767;
