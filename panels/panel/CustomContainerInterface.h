#pragma once

#include <cstdint>
#include <string>

class CPnlControl;
class CPnlCustom;

// What an item that shows or sets several parameters (graph, info text,
// meter, special item) asks of the panel that holds it.
class CCustomContainerInterface {
public:
    virtual ~CCustomContainerInterface() = default;

    // Called by the item's constructor; items are numbered in this order
    // and write and read their custom data in it.
    virtual void AddCustomItem(CPnlCustom& item) = 0;
    // One undoable edit carrying the new custom data of every item
    // (WriteChangedData), undone by their current data (WriteData).
    virtual void SendCustomData(CPnlCustom& item) = 0;
    // One live undoable edit of every change the items' NextParamChange
    // yields.
    virtual void SendParamChanges(CPnlCustom& item) = 0;
    virtual uint8_t GetParamValue(uint8_t param) const = 0;
    // The parameter index of a control: its position among the controls,
    // the control count when it is none of them.
    virtual uint8_t GetControlIndex(const CPnlControl& control) const = 0;
    virtual std::string GetParamText(uint8_t param) const = 0;
};
