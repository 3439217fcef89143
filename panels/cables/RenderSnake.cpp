#include "panels/cables/RenderSnake.h"

#include "panels/cables/SnakeShape.h"

CRenderSnake::CRenderSnake(const CableKey& key, uint32_t colour, uint8_t shape, bool threeD)
    : CRenderSegmentLineABC(key, colour, threeD)
{
    const CSnakeShape snake(key, shape);
    const auto& points = snake.GetPoints();
    if (points.size() > 1) {
        ReservePieces(points.size() - 1);
    }
    uint8_t direction = 0;
    for (size_t i = 1; i < points.size(); ++i) {
        CableKey piece;
        piece.x1 = points[i - 1].x;
        piece.y1 = points[i - 1].y;
        piece.x2 = points[i].x;
        piece.y2 = points[i].y;
        direction = AddPiece(piece, direction);
    }
    UniteRects();
}
