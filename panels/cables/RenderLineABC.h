#pragma once

#include "panels/cables/CableKey.h"
#include "panels/cables/RenderABC.h"

// A renderer that joins two points; it keeps the cable's key.
class CRenderLineABC : public CRenderABC {
public:
    const CableKey& GetKey() const { return key_; }
    void Move(int32_t dx, int32_t dy) override;

protected:
    CRenderLineABC(const CableKey& key, uint32_t colour) : CRenderABC(colour), key_(key) { }

private:
    CableKey key_;
};
