#include "tests/support/DialogTemplateBuilder.h"

namespace testsupport {

namespace {

void Word(std::vector<uint8_t>& out, uint16_t v)
{
    out.push_back(static_cast<uint8_t>(v & 0xFF));
    out.push_back(static_cast<uint8_t>(v >> 8));
}

void Long(std::vector<uint8_t>& out, uint32_t v)
{
    Word(out, static_cast<uint16_t>(v & 0xFFFF));
    Word(out, static_cast<uint16_t>(v >> 16));
}

void String(std::vector<uint8_t>& out, const std::u16string& s)
{
    for (char16_t c : s)
        Word(out, static_cast<uint16_t>(c));
    Word(out, 0);
}

} // namespace

DialogTemplateBuilder& DialogTemplateBuilder::Frame(int16_t x, int16_t y, int16_t cx, int16_t cy)
{
    x_ = x;
    y_ = y;
    cx_ = cx;
    cy_ = cy;
    return *this;
}

DialogTemplateBuilder& DialogTemplateBuilder::Style(uint32_t style)
{
    style_ = style;
    return *this;
}

DialogTemplateBuilder& DialogTemplateBuilder::Title(const std::u16string& title)
{
    title_ = title;
    return *this;
}

DialogTemplateBuilder& DialogTemplateBuilder::Font(uint16_t points, const std::u16string& face)
{
    font_ = true;
    points_ = points;
    face_ = face;
    return *this;
}

DialogTemplateBuilder& DialogTemplateBuilder::MenuOrdinal(uint16_t ordinal)
{
    menu_ = ordinal;
    return *this;
}

DialogTemplateBuilder& DialogTemplateBuilder::Add(const Item& item)
{
    items_.push_back(item);
    return *this;
}

std::vector<uint8_t> DialogTemplateBuilder::Build() const
{
    std::vector<uint8_t> out;
    Long(out, style_ | (font_ ? 0x40u : 0u));
    Long(out, 0);
    Word(out, static_cast<uint16_t>(items_.size()));
    for (int16_t v : {x_, y_, cx_, cy_})
        Word(out, static_cast<uint16_t>(v));
    if (menu_) {
        Word(out, 0xFFFF);
        Word(out, menu_);
    } else {
        Word(out, 0);
    }
    Word(out, 0); // class
    String(out, title_);
    if (font_) {
        Word(out, points_);
        String(out, face_);
    }
    for (const Item& item : items_) {
        while (out.size() % 4)
            out.push_back(0);
        Long(out, item.style);
        Long(out, 0);
        for (int16_t v : {item.x, item.y, item.cx, item.cy})
            Word(out, static_cast<uint16_t>(v));
        Word(out, item.id);
        if (item.classAtom) {
            Word(out, 0xFFFF);
            Word(out, item.classAtom);
        } else {
            String(out, item.className);
        }
        if (item.textOrdinal) {
            Word(out, 0xFFFF);
            Word(out, item.textOrdinal);
        } else {
            String(out, item.text);
        }
        Word(out, static_cast<uint16_t>(item.creationData.size()));
        out.insert(out.end(), item.creationData.begin(), item.creationData.end());
    }
    return out;
}

} // namespace testsupport
