#pragma once

#include "synth/protocol/ProtocolErrors.h"

#include <cstdint>
#include <string>

// The errors gathered while a packet was applied: the first one's text and
// how many there were. The parts that applied stay in the document.
class XPatchApplyError : public XTorvanBase {
public:
    XPatchApplyError(std::string text, uint32_t count) : XTorvanBase(std::move(text)), count_(count) { }
    uint32_t GetErrorCount() const { return count_; }

private:
    uint32_t count_;
};
