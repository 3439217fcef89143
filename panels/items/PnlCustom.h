#pragma once

#include "panels/items/PanelItem.h"

#include <cstdint>
#include <string>
#include <vector>

class CCustomContainerInterface;
class CPnlControl;
class CCustomDataStream;

// The base of the items that show or set several parameters: graphs, info
// texts, meters and the special items. The item keeps the indices of the
// parameters it depends on (its own numbering: entry 0, 1, ...), talks to
// its module through CCustomContainerInterface (the parent view), and may
// keep custom data that travels with the patch.
//
// Registration: the constructor adds the item to the container; the panel
// then calls AddParam once per parameter the item shows, in the item's
// order. The module marks the item dirty when one of them changes.
class CPnlCustom : public CPanelItem {
public:
    CPnlCustom(NSHarrowen::CGroupView* parent, int16_t x, int16_t y, uint8_t expectedParams);

    // A plain custom item does not consume presses.
    bool OnMouseDown(int16_t x, int16_t y) override;

    // Custom data: appends the item's new data when it changed (true), its
    // current data always, or takes its state from the stream.
    virtual bool WriteChangedData(CCustomDataStream& stream);
    virtual void ReadData(CCustomDataStream& stream);
    virtual void WriteData(CCustomDataStream& stream);
    // The parameter change the item wants for its list entry i, if any.
    virtual bool NextParamValue(uint8_t entry, uint8_t& value);

    // Adds the parameter of one of the module's controls.
    void AddParam(const CPnlControl& control);
    bool HasParam(uint8_t param) const;
    // Marks the item dirty when it shows the parameter.
    bool NotifyParamChanged(uint8_t param);
    uint8_t GetParamValue(uint8_t entry) const;
    std::string GetParamText(uint8_t entry) const;
    // The first change of any entry (the entry's parameter index), false
    // when the item wants none.
    bool NextParamChange(uint8_t& param, uint8_t& value);

    const std::vector<uint8_t>& GetParams() const { return params_; }
    bool IsDirty() const { return dirty_; }
    void SetDirty(bool dirty) { dirty_ = dirty; }
    int32_t GetY() const { return y_; }

protected:
    CCustomContainerInterface* GetCustomContainer() const;

private:
    bool dirty_ = true;
    int32_t y_;
    std::vector<uint8_t> params_;
};
