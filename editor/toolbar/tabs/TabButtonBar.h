#pragma once

#include "framework/views/ToolbarView.h"

#include <cstdint>
#include <string>

namespace NSHarrowen {
class CABCCanvas;
}
class CTabButton;
class CTabScrollView;

// One tab's row of module buttons (400 x 22, toolbar grey), from 5 pixels
// right of its left edge, each centred vertically; gaps are separators.
class CTabButtonBar final : public NSHarrowen::CToolbarView {
public:
    static constexpr int16_t kWidth = 400;
    static constexpr int16_t kHeight = 22;
    // The tab sheet: 16 x 15 cells, ten per row.
    static constexpr uint16_t kSheet = 264;
    static constexpr int16_t kCellWidth = 16;
    static constexpr int16_t kCellHeight = 15;

    explicit CTabButtonBar(CTabScrollView& owner);

    void AddButton(uint16_t picture, const std::string& tooltip, uint8_t typeId);
    void AddSeparator();
    CTabScrollView& GetOwner() const { return owner_; }
    // Draws picture `index` of the sheet at a window point.
    static void DrawPicture(NSHarrowen::CABCCanvas& canvas, int32_t x, int32_t y, uint16_t index);

private:
    CTabScrollView& owner_;
};
