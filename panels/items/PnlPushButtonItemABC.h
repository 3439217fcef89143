#pragma once

#include "panels/items/PnlWidgetItemABC.h"

#include <initializer_list>
#include <memory>
#include <vector>

class CTextPushButton;

// A special item made of text push buttons side by side; a push of one
// sets the item's parameters by the button's rule.
class CPnlPushButtonItemABC : public CPnlWidgetItemABC {
public:
    CPnlPushButtonItemABC(NSHarrowen::CGroupView* parent, int16_t x, int16_t y, int16_t width, int16_t height,
                          uint8_t params);
    ~CPnlPushButtonItemABC() override;

    void ReceiveNotifications() override;
    void UpdateDisplay() override;

protected:
    // Buttons placed from the item's top-left corner, each width x height,
    // `step` pixels apart, stacked when `vertical`.
    void AddButtons(std::initializer_list<const char*> labels, int16_t width, int16_t height, int16_t step,
                    bool vertical);
    // A push of button `index`.
    virtual void OnPush(size_t index) = 0;
    uint8_t ParamCount() const { return static_cast<uint8_t>(GetParams().size()); }

private:
    std::vector<std::unique_ptr<CTextPushButton>> buttons_;
};

// "Clr" and "Rnd" of a 16-step sequencer with a polarity: cleared steps
// are 0 for a bipolar sequence and 64 otherwise; random steps 0 to 127.
class CPnlSeqClrRnd final : public CPnlPushButtonItemABC {
public:
    CPnlSeqClrRnd(NSHarrowen::CGroupView* parent, int16_t x, int16_t y);
    void UpdateDisplay() override;

protected:
    void OnPush(size_t index) override;
    uint8_t ValueFor(uint8_t entry) override;

private:
    bool random_ = false;
    uint8_t polarity_ = 0;
    std::vector<uint8_t> values_;
};

// What a note sequencer shows of the keyboard, for random notes.
class CNoteRangeSourceInterface {
public:
    virtual ~CNoteRangeSourceInterface() = default;
    virtual void GetVisibleNoteRange(uint8_t& lowest, uint8_t& highest) const = 0;
};

// "Clr" and "Rnd" of a note sequencer: cleared steps are 64, random ones
// lie within the notes the panel's note graph shows.
class CPnlSeqRangeClrRnd final : public CPnlPushButtonItemABC {
public:
    CPnlSeqRangeClrRnd(NSHarrowen::CGroupView* parent, int16_t x, int16_t y);

protected:
    void OnPush(size_t index) override;
    uint8_t ValueFor(uint8_t entry) override;

private:
    std::vector<uint8_t> values_;
};

// "Clr": the first n entries to one value.
class CPnlSeqClrABC : public CPnlPushButtonItemABC {
public:
    CPnlSeqClrABC(NSHarrowen::CGroupView* parent, int16_t x, int16_t y, uint8_t count, uint8_t value);

protected:
    void OnPush(size_t index) override;
    uint8_t ValueFor(uint8_t) override { return value_; }

private:
    uint8_t count_;
    uint8_t value_;
};

class CPnlSeqClr final : public CPnlSeqClrABC {
public:
    CPnlSeqClr(NSHarrowen::CGroupView* parent, int16_t x, int16_t y) : CPnlSeqClrABC(parent, x, y, 16, 64) { }
};

class CPnlEventSeqClr final : public CPnlSeqClrABC {
public:
    CPnlEventSeqClr(NSHarrowen::CGroupView* parent, int16_t x, int16_t y) : CPnlSeqClrABC(parent, x, y, 32, 0) { }
};

// "Min" and "Max" of the filter bank's 14 bands.
class CPnlFltBankPreset final : public CPnlPushButtonItemABC {
public:
    CPnlFltBankPreset(NSHarrowen::CGroupView* parent, int16_t x, int16_t y);

protected:
    void OnPush(size_t index) override;
    uint8_t ValueFor(uint8_t) override { return value_; }

private:
    uint8_t value_ = 0;
};

// The vocoder's band routing presets: shifted by -2 to +2, inverted, random.
class CPnlVocoderPreset final : public CPnlPushButtonItemABC {
public:
    CPnlVocoderPreset(NSHarrowen::CGroupView* parent, int16_t x, int16_t y);

    // The routing of band i for button b ("-2" 0 .. "Rnd" 6).
    static uint8_t RoutingFor(size_t button, uint8_t band);

protected:
    void OnPush(size_t index) override;
    uint8_t ValueFor(uint8_t entry) override;

private:
    size_t button_ = 0;
};
