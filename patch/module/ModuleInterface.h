#pragma once

#include "framework/base/Point.h"
#include "framework/base/Rect.h"
#include "synth/protocol/JackAddress.h"

#include <array>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace NSHarrowen {
class CView;
}

// What the patch model needs of one module panel. The module panels
// implement it; the voice area owns its modules through this interface and
// never sees the panel classes.
class CModuleInterface {
public:
    // A grid column is 256 pixels wide and a grid row 15 pixels high.
    static constexpr int16_t kColumnWidth = 256;
    static constexpr int16_t kRowHeight = 15;

    virtual ~CModuleInterface() = default;

    virtual uint8_t GetTypeId() const = 0;
    virtual uint8_t GetModuleIndex() const = 0;
    virtual void SetModuleIndex(uint8_t index) = 0;
    virtual uint8_t GetAreaIndex() const = 0;
    virtual void SetAreaIndex(uint8_t area) = 0;

    // Grid position and height in grid rows.
    virtual uint8_t GetColumn() const = 0;
    virtual uint8_t GetRow() const = 0;
    virtual void SetGridPosition(uint8_t column, uint8_t row) = 0;
    virtual uint8_t GetHeight() const = 0;
    // 0 none, 1 a state (LED), 2 or more a value (meter).
    virtual uint8_t GetDisplayKind() const = 0;

    // Set when the module is created; cleared as the synthesizer's answers
    // arrive.
    virtual bool IsParamsPending() const = 0;
    virtual void SetParamsPending(bool pending) = 0;
    virtual bool IsNamePending() const = 0;
    virtual void SetNamePending(bool pending) = 0;

    virtual std::string GetName() const = 0;
    // XPOutOfRange "Invalid module name" for a name the panel refuses.
    virtual void SetName(const std::string& name) = 0;

    virtual uint8_t GetParamCount() const = 0;
    virtual uint8_t GetParamValue(uint8_t param) const = 0;
    // XPDontExist "Parameter doesn't exist" past the last parameter,
    // XPOutOfRange "Parameter value out of range" above its maximum.
    virtual void SetParamValue(uint8_t param, uint8_t value) = 0;
    virtual bool IsMorphable(uint8_t param) const = 0;
    // The next or previous parameter in the type's focus order (wrapping).
    virtual uint8_t NextParam(uint8_t param) const = 0;
    virtual uint8_t PreviousParam(uint8_t param) const = 0;

    virtual uint8_t GetCustomValueCount() const = 0;
    // Takes GetCustomValueCount values from the front of the data; fewer
    // bytes than that is XPIncompleteData "Incomplete custom data" and
    // changes nothing.
    virtual void ReadCustomData(std::span<const uint8_t> data) = 0;
    virtual std::vector<uint8_t> GetCustomData() const = 0;

    virtual uint8_t GetJackCount(bool output) const = 0;
    // Logic 0, audio 1, control 2, slave 3; 0 for a jack the module lacks.
    virtual uint8_t GetJackSignalKind(const JackAddress& jack) const = 0;
    // A jack's centre in area coordinates (a cable's end point).
    virtual NSHarrowen::CPoint GetJackCenter(const JackAddress& jack) const = 0;
    // A control's centre in area coordinates (where its labels sit).
    virtual NSHarrowen::CPoint GetParamCenter(uint8_t param) const = 0;

    // The type's DSP load record: ten counters in stored order.
    virtual std::array<uint16_t, 10> GetLoadWords() const = 0;

    // Same type, index, position, name, values and custom data.
    virtual std::unique_ptr<CModuleInterface> Clone() const = 0;

    // The panel as a child view of its voice area.
    virtual NSHarrowen::CView& GetView() = 0;
    virtual void SetMeterValue(uint16_t value) = 0;
    virtual void SetSelected(bool selected) = 0;
    virtual void EndAllTracking() = 0;
    virtual void Refresh() = 0;
    virtual std::string GetParamDisplayText(uint8_t param) const = 0;
    virtual std::string FormatScaledValue(uint8_t param) const = 0;

    // The module's rectangle in grid units (one column wide).
    NSHarrowen::CRect GetGridRect() const
    {
        return NSHarrowen::CRect(GetColumn(), GetRow(), GetColumn() + 1, GetRow() + GetHeight());
    }
    int16_t GetPixelX() const { return static_cast<int16_t>(GetColumn() * kColumnWidth); }
    int16_t GetPixelY() const { return static_cast<int16_t>(GetRow() * kRowHeight); }
};
