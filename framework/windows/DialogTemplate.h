#pragma once

#include "framework/windows/DialogItem.h"

#include <cstddef>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

namespace NSHarrowen {

// A dialog layout as the resource compiler stores it ("DLOG" resources). All
// numbers are little-endian; strings are NUL-terminated UTF-16:
//   style (32), extended style (32), item count (16), x, y, cx, cy (16 each,
//   dialog units); menu and class (each 0x0000, or 0xFFFF and an ordinal, or a
//   string); title (string); with style bit 0x40 a point size (16) and a face
//   name (string). Then each item, aligned to 4 bytes from the start: style
//   (32), extended style (32), x, y, cx, cy (16 each), id (16); class (0xFFFF
//   and an atom, or a string); text (0xFFFF and an ordinal, or a string);
//   creation data (a 16-bit size and that many bytes).
// Dialog units become pixels with the dialog base units (x * 8 / 4, y * 16 / 8).
class CDialogTemplate {
public:
    static constexpr uint32_t kSetFont = 0x40;
    static constexpr uint32_t kDisabled = 0x08000000;

    // Throws XBadFormat when the bytes do not hold a whole template.
    static std::unique_ptr<CDialogTemplate> Parse(std::span<const uint8_t> bytes);
    // From the program's resources; a missing resource throws XBase.
    static std::unique_ptr<CDialogTemplate> Load(int32_t id);

    uint32_t GetStyle() const { return style_; }
    // The content rectangle in pixels.
    const CRect& GetFrame() const { return frame_; }
    const std::string& GetTitle() const { return title_; }
    uint16_t GetPointSize() const { return pointSize_; }
    const std::string& GetFontName() const { return fontName_; }
    const std::vector<CDialogItem>& GetItems() const { return items_; }
    const CDialogItem* FindItem(uint16_t id) const;

private:
    uint32_t style_ = 0;
    uint32_t exStyle_ = 0;
    CRect frame_;
    std::string title_;
    uint16_t pointSize_ = 0;
    std::string fontName_;
    std::vector<CDialogItem> items_;
};

} // namespace NSHarrowen
