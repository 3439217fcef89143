#include "framework/windows/DialogTemplate.h"
#include "framework/base/Exceptions.h"
#include "tests/support/DialogTemplateBuilder.h"

#include <gtest/gtest.h>

using namespace NSHarrowen;
using testsupport::DialogTemplateBuilder;

namespace {

DialogTemplateBuilder::Item MakeItem(uint16_t id, uint16_t atom, uint32_t style, std::u16string text = u"")
{
    DialogTemplateBuilder::Item item;
    item.id = id;
    item.classAtom = atom;
    item.style = style;
    item.text = std::move(text);
    item.x = 4;
    item.y = 8;
    item.cx = 40;
    item.cy = 12;
    return item;
}

std::vector<uint8_t> SampleTemplate()
{
    DialogTemplateBuilder b;
    b.Frame(10, 20, 160, 80).Title(u"Synth Settings").Font(8, u"MS Sans Serif").MenuOrdinal(7);
    b.Add(MakeItem(1, 0x80, 0x00000001, u"OK"));
    auto disabled = MakeItem(2, 0x81, 0x08000000, u"name");
    disabled.creationData = {1, 2, 3};
    b.Add(disabled);
    auto named = MakeItem(3, 0, 0);
    named.className = u"msctls_trackbar32";
    named.textOrdinal = 12;
    b.Add(named);
    return b.Build();
}

} // namespace

TEST(DialogTemplateTest, ReadsHeaderAndItemsInPixels)
{
    const std::vector<uint8_t> bytes = SampleTemplate();
    const auto t = CDialogTemplate::Parse(bytes);
    EXPECT_EQ(t->GetTitle(), "Synth Settings");
    EXPECT_EQ(t->GetPointSize(), 8);
    EXPECT_EQ(t->GetFontName(), "MS Sans Serif");
    // Dialog units: x * 8 / 4 and y * 16 / 8.
    EXPECT_EQ(t->GetFrame(), CRect(20, 40, 340, 200));
    ASSERT_EQ(t->GetItems().size(), 3u);

    const CDialogItem* ok = t->FindItem(1);
    ASSERT_NE(ok, nullptr);
    EXPECT_EQ(ok->rect, CRect(8, 16, 88, 40));
    EXPECT_EQ(ok->kind, kItemPushButton);
    EXPECT_EQ(ok->text, "OK");
    EXPECT_TRUE(ok->enabled);

    const CDialogItem* edit = t->FindItem(2);
    EXPECT_EQ(edit->kind, kItemEditField);
    EXPECT_FALSE(edit->enabled);
    // Creation data is skipped and the next item is found after the padding.
    const CDialogItem* slider = t->FindItem(3);
    EXPECT_EQ(slider->kind, kItemSlider);
    EXPECT_EQ(slider->text, "");
    EXPECT_EQ(t->FindItem(99), nullptr);
}

TEST(DialogTemplateTest, TextsKeepTheLowByteOfEachUnit)
{
    DialogTemplateBuilder b;
    b.Title(u"Caf\u00E9 \u0141");
    const auto t = CDialogTemplate::Parse(b.Build());
    EXPECT_EQ(t->GetTitle(), std::string("Caf\xE9 A", 6));
}

TEST(DialogTemplateTest, EveryCutShortTemplateIsRejected)
{
    const std::vector<uint8_t> bytes = SampleTemplate();
    for (size_t length = 0; length < bytes.size(); ++length) {
        const std::span<const uint8_t> cut(bytes.data(), length);
        EXPECT_THROW(CDialogTemplate::Parse(cut), XBadFormat) << "length " << length;
    }
    EXPECT_NO_THROW(CDialogTemplate::Parse(bytes));
}

TEST(DialogTemplateTest, LengthsThatReachPastTheEndAreRejected)
{
    // An item count larger than the items present.
    std::vector<uint8_t> bytes = DialogTemplateBuilder().Title(u"x").Build();
    bytes[8] = 5;
    EXPECT_THROW(CDialogTemplate::Parse(bytes), XBadFormat);

    // Creation data longer than what follows.
    DialogTemplateBuilder b;
    auto item = MakeItem(1, 0x82, 0, u"t");
    item.creationData = {9, 9};
    b.Add(item);
    bytes = b.Build();
    bytes[bytes.size() - 4] = 200;
    EXPECT_THROW(CDialogTemplate::Parse(bytes), XBadFormat);

    // A negative size.
    EXPECT_THROW(CDialogTemplate::Parse(DialogTemplateBuilder().Frame(0, 0, -5, 10).Build()), XBadFormat);
}

TEST(DialogTemplateTest, ItemKindFollowsClassAndStyle)
{
    struct Case {
        uint16_t atom;
        std::u16string name;
        uint32_t style;
        int kind;
    };
    const Case cases[] = {
        {0x80, u"", 2, kItemCheckBox},
        {0x80, u"", 4, kItemRadioButton},
        {0x80, u"", 5, kItemNone},
        {0x80, u"", 7, kItemGroupBox},
        {0x80, u"", 0x10001, kItemPushButton}, // only the low four bits count
        {0x81, u"", 0, kItemEditField},
        {0x82, u"", 3, kItemIcon},
        {0x82, u"", 7, kItemFrame},
        {0x82, u"", 0, kItemStaticText},
        {0x83, u"", 0, kItemNone},
        {0x84, u"", 0, kItemScrollBar},
        {0x85, u"", 0, kItemPopup},
        {0x86, u"", 0, kItemNone},
        {0, u"button", 4, kItemRadioButton},
        {0, u"msctls_trackbar32", 0, kItemSlider},
        {0, u"msctls_progress32", 0, kItemCustom},
        {0, u"msctls_updown32", 0, kItemCustom},
        {0, u"", 0, kItemCustom},
        {0, u"Custom1", 0, kItemNone},
    };
    for (const Case& c : cases)
        EXPECT_EQ(DialogItemKind(c.atom, c.name, c.style), c.kind)
            << "atom " << c.atom << " style " << c.style << " name length " << c.name.size();
}

TEST(DialogTemplateTest, ReadsTheCompiledAlertLayout)
{
    // The framework's alert box layout, written in the resource compiler's
    // dialog text and compiled into the program.
    const auto t = CDialogTemplate::Load(10005);
    ASSERT_EQ(t->GetItems().size(), 5u);
    EXPECT_EQ(t->GetFrame(), CRect(0, 0, 380, 160));
    EXPECT_EQ(t->FindItem(1)->kind, kItemPushButton);
    EXPECT_EQ(t->FindItem(1)->rect, CRect(20, 120, 128, 148));
    EXPECT_EQ(t->FindItem(4)->kind, kItemStaticText);
    EXPECT_EQ(t->FindItem(5)->kind, kItemIcon);
    EXPECT_EQ(t->GetFontName(), "MS Sans Serif");
}
