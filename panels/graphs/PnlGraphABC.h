#pragma once

#include "framework/drawing/Color.h"
#include "panels/items/PnlCustom.h"
#include "panels/painters/GraphGUI.h"

#include <cstdint>

namespace NSHarrowen {
class CBitmap32;
class CCanvas;
} // namespace NSHarrowen

struct GraphPoint {
    int16_t x;
    int16_t y;
};

// The base of the pictures on a module panel that show what the knobs set.
// A graph keeps its own copy of the values it shows: the update pass reads
// them when a bound parameter changed and marks the graph for redrawing;
// Draw paints from that copy alone on the shared graph surface and copies
// the result into the sunken frame.
class CPnlGraphABC : public CPnlCustom {
public:
    CPnlGraphABC(NSHarrowen::CGroupView* parent, int16_t x, int16_t y, uint8_t params);

    void Draw() override;
    void UpdateDisplay() override;

    // Drawing on the graph surface, in surface pixels.
    void MoveTo(int16_t x, int16_t y);
    void LineTo(int16_t x, int16_t y, const NSHarrowen::CColor& colour);
    void LineToCurve(int16_t x, int16_t y);
    void LineToOutline(int16_t x, int16_t y);
    void LineToGrid(int16_t x, int16_t y);
    void DrawBezierSegment(const GraphPoint* points, const NSHarrowen::CColor& colour);
    // 3k points for k segments, the first starting at the pen.
    void DrawBezierPathFromPen(const GraphPoint* points, int count, const NSHarrowen::CColor& colour);
    // 3k + 1 points for k segments joined end to end.
    void DrawBezierPath(const GraphPoint* points, int count, const NSHarrowen::CColor& colour);
    void DrawCurveBezierFromPen(const GraphPoint* points, int count);
    void DrawOutlineBezierFromPen(const GraphPoint* points, int count);
    void DrawOutlineBezierPath(const GraphPoint* points, int count);
    // An elliptic arc in the curve colour, inscribed in the box from left to
    // right and between the two y, from the end point's angle to the start
    // point's, closed to the "to" point.
    void DrawArc(double left, double firstY, double right, double secondY, double startX, double startY, double endX,
                 double endY, double toX, double toY);
    // Below the first outline or boundary pixel of each column, every pixel
    // of another colour takes the fill colour.
    void FillBelowOutline(int width, int height);

    GraphPoint GetPen() const { return {penX_, penY_}; }

protected:
    // The bound parameter of list entry i; 0 for an entry not bound.
    uint8_t Value(uint8_t entry) const;
    // Copies the bound values into the graph's own fields.
    virtual void ReadValues() = 0;
    // Paints on the surface; W and H are the full frame's size.
    virtual void DrawGraph(float width, float height) = 0;
    // The envelope graphs paint one pixel more each way and show the
    // surface from (1, 1).
    virtual int SurfaceInset() const { return 0; }

    const CGraphGUI& FramePainter() const { return frame_; }
    NSHarrowen::CBitmap32& Surface() const;

private:
    CGraphGUI frame_;
    int16_t penX_ = 0;
    int16_t penY_ = 0;
};

// Truncation toward zero of a computed coordinate.
inline int16_t Trunc(double v)
{
    return static_cast<int16_t>(static_cast<int>(v));
}
// RoundToInt as a coordinate.
int16_t Round(float v);
