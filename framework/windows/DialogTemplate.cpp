#include "framework/windows/DialogTemplate.h"

#include "framework/base/Exceptions.h"
#include "framework/resources/ResourceModule.h"
#include "platform/host/SystemMetrics.h"

namespace NSHarrowen {

namespace {

// Reads the template's fields without ever leaving its bytes.
class Reader {
public:
    explicit Reader(std::span<const uint8_t> bytes) : bytes_(bytes) { }

    uint16_t Word()
    {
        Need(2);
        const uint16_t v = static_cast<uint16_t>(bytes_[pos_] | (bytes_[pos_ + 1] << 8));
        pos_ += 2;
        return v;
    }
    int16_t Short() { return static_cast<int16_t>(Word()); }
    uint32_t Long()
    {
        const uint32_t low = Word();
        return low | (static_cast<uint32_t>(Word()) << 16);
    }
    std::u16string String()
    {
        std::u16string s;
        for (uint16_t c = Word(); c != 0; c = Word())
            s.push_back(static_cast<char16_t>(c));
        return s;
    }
    // 0x0000, 0xFFFF and an ordinal, or a string.
    void OrdinalOrString(uint16_t& ordinal, std::u16string& name)
    {
        ordinal = 0;
        name.clear();
        const uint16_t first = Word();
        if (first == 0)
            return;
        if (first == 0xFFFF) {
            ordinal = Word();
            return;
        }
        name.push_back(static_cast<char16_t>(first));
        for (uint16_t c = Word(); c != 0; c = Word())
            name.push_back(static_cast<char16_t>(c));
    }
    void Skip(size_t count)
    {
        Need(count);
        pos_ += count;
    }
    void AlignTo4()
    {
        const size_t aligned = (pos_ + 3) & ~static_cast<size_t>(3);
        Skip(aligned - pos_);
    }

private:
    void Need(size_t count) const
    {
        if (count > bytes_.size() || pos_ > bytes_.size() - count)
            throw XBadFormat();
    }

    std::span<const uint8_t> bytes_;
    size_t pos_ = 0;
};

// Texts are kept as 8-bit text: the low byte of each unit.
std::string Narrow(const std::u16string& s)
{
    std::string out;
    out.reserve(s.size());
    for (char16_t c : s)
        out.push_back(static_cast<char>(c & 0xFF));
    return out;
}

CRect ToPixels(int16_t x, int16_t y, int16_t cx, int16_t cy)
{
    const uint32_t units = platform::GetDialogBaseUnits();
    const int bx = static_cast<int>(units & 0xFFFF);
    const int by = static_cast<int>(units >> 16);
    const int left = x * bx / 4;
    const int top = y * by / 8;
    return CRect(left, top, left + cx * bx / 4, top + cy * by / 8);
}

bool SameName(const std::u16string& a, const char* b)
{
    size_t i = 0;
    for (; b[i]; ++i) {
        if (i >= a.size())
            return false;
        char16_t c = a[i];
        if (c >= u'A' && c <= u'Z')
            c = static_cast<char16_t>(c - u'A' + u'a');
        char d = b[i];
        if (d >= 'A' && d <= 'Z')
            d = static_cast<char>(d - 'A' + 'a');
        if (c != static_cast<char16_t>(d))
            return false;
    }
    return i == a.size();
}

} // namespace

int DialogItemKind(uint16_t atom, const std::u16string& className, uint32_t style)
{
    // Predefined classes may also be named.
    if (atom == 0) {
        static const struct {
            const char* name;
            uint16_t atom;
        } named[] = {{"Button", 0x80},  {"Edit", 0x81},      {"Static", 0x82},
                     {"ListBox", 0x83}, {"ScrollBar", 0x84}, {"ComboBox", 0x85}};
        for (const auto& n : named)
            if (SameName(className, n.name))
                atom = n.atom;
    }
    const uint32_t low = style & 0xF;
    switch (atom) {
    case 0x80:
        return low == 2 ? kItemCheckBox
            : low == 4  ? kItemRadioButton
            : low == 5  ? kItemNone
            : low == 7  ? kItemGroupBox
                        : kItemPushButton;
    case 0x81:
        return kItemEditField;
    case 0x82:
        return low == 3 ? kItemIcon : low == 7 ? kItemFrame : kItemStaticText;
    case 0x83:
        return kItemNone;
    case 0x84:
        return kItemScrollBar;
    case 0x85:
        return kItemPopup;
    default:
        break;
    }
    if (atom != 0)
        return kItemNone;
    if (SameName(className, "msctls_trackbar32"))
        return kItemSlider;
    if (className.empty() || SameName(className, "msctls_progress32") || SameName(className, "msctls_updown32"))
        return kItemCustom;
    return kItemNone;
}

std::unique_ptr<CDialogTemplate> CDialogTemplate::Parse(std::span<const uint8_t> bytes)
{
    auto t = std::make_unique<CDialogTemplate>();
    Reader in(bytes);
    t->style_ = in.Long();
    t->exStyle_ = in.Long();
    const uint16_t count = in.Word();
    const int16_t x = in.Short(), y = in.Short(), cx = in.Short(), cy = in.Short();
    if (cx < 0 || cy < 0)
        throw XBadFormat();
    t->frame_ = ToPixels(x, y, cx, cy);
    uint16_t ordinal = 0;
    std::u16string name;
    in.OrdinalOrString(ordinal, name); // menu
    in.OrdinalOrString(ordinal, name); // class
    t->title_ = Narrow(in.String());
    if (t->style_ & kSetFont) {
        t->pointSize_ = in.Word();
        t->fontName_ = Narrow(in.String());
    }
    t->items_.reserve(count);
    for (uint16_t i = 0; i < count; ++i) {
        in.AlignTo4();
        CDialogItem item;
        const uint32_t style = in.Long();
        in.Long(); // extended style
        const int16_t ix = in.Short(), iy = in.Short(), icx = in.Short(), icy = in.Short();
        if (icx < 0 || icy < 0)
            throw XBadFormat();
        item.rect = ToPixels(ix, iy, icx, icy);
        item.id = in.Word();
        uint16_t atom = 0;
        std::u16string className;
        in.OrdinalOrString(atom, className);
        uint16_t textOrdinal = 0;
        std::u16string text;
        in.OrdinalOrString(textOrdinal, text);
        item.text = Narrow(text);
        in.Skip(in.Word()); // creation data
        item.kind = DialogItemKind(atom, className, style);
        item.enabled = (style & kDisabled) == 0;
        t->items_.push_back(std::move(item));
    }
    return t;
}

std::unique_ptr<CDialogTemplate> CDialogTemplate::Load(int32_t id)
{
    return Parse(LoadResource("DLOG", id));
}

const CDialogItem* CDialogTemplate::FindItem(uint16_t id) const
{
    for (const CDialogItem& item : items_)
        if (item.id == id)
            return &item;
    return nullptr;
}

} // namespace NSHarrowen
