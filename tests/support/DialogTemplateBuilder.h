#pragma once

#include <cstdint>
#include <string>
#include <vector>

namespace testsupport {

// Writes dialog templates in the layout the resource compiler produces, for
// tests of the template reader and of dialogs built from templates.
class DialogTemplateBuilder {
public:
    struct Item {
        uint32_t style = 0;
        int16_t x = 0, y = 0, cx = 0, cy = 0;
        uint16_t id = 0;
        uint16_t classAtom = 0;   // used when className is empty and this is not 0
        std::u16string className; // used when classAtom is 0
        std::u16string text;
        uint16_t textOrdinal = 0; // written as 0xFFFF + ordinal when not 0
        std::vector<uint8_t> creationData;
    };

    DialogTemplateBuilder& Frame(int16_t x, int16_t y, int16_t cx, int16_t cy);
    DialogTemplateBuilder& Style(uint32_t style);
    DialogTemplateBuilder& Title(const std::u16string& title);
    DialogTemplateBuilder& Font(uint16_t points, const std::u16string& face);
    DialogTemplateBuilder& MenuOrdinal(uint16_t ordinal);
    DialogTemplateBuilder& Add(const Item& item);

    std::vector<uint8_t> Build() const;

private:
    uint32_t style_ = 0;
    int16_t x_ = 0, y_ = 0, cx_ = 100, cy_ = 50;
    std::u16string title_;
    uint16_t points_ = 0;
    std::u16string face_;
    bool font_ = false;
    uint16_t menu_ = 0;
    std::vector<Item> items_;
};

} // namespace testsupport
