#pragma once

#include "framework/drawing/Color.h"
#include "framework/drawing/DrawingPort.h"
#include "framework/drawing/FontSpec.h"
#include "framework/drawing/GdiState.h"
#include "framework/base/Point.h"
#include "framework/base/Rect.h"

#include <cstdint>
#include "framework/drawing/ABCCanvas.h"

namespace NSHarrowen {

class CABCBitmap;
class CImageID;

// A canvas on a window's drawing port, for the length of one drawing
// operation: made on the port, given back when released or destroyed.
class CCanvas : public CABCCanvas {
public:
    explicit CCanvas(CDrawingPort* port);
    ~CCanvas() override;

    CABCCanvas* GetOffscreenCanvas() override;
    int GetDepth() const override;
    void Release() override;

    CRect MapRectToScreen(const CRect& rect) const;
    CPoint ClientToScreen(CPoint point) const;

private:
    CDrawingPort* port_;
};

CRect GetScreenRect();
int GetScreenColorDepth();

} // namespace NSHarrowen
