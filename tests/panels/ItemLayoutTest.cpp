// The face layouts of the module types: what every panel will build its
// items from, so counts, arguments, bindings and places must hold for all 109.
#include "modules/ModuleCatalogueContent.h"
#include "panels/BuildModule.h"
#include "panels/ModuleCatalogue.h"
#include "panels/layout/ItemFrames.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

std::vector<const CBuildModule*> AllTypes()
{
    const CModuleCatalogue& catalogue = GetSharedModuleCatalogue();
    std::vector<const CBuildModule*> types;
    for (int id = 1; id < 128; ++id)
        if (const CBuildModule* b = catalogue.FindBuilder(static_cast<uint8_t>(id)))
            types.push_back(b);
    return types;
}

std::vector<ItemSpec> Controls(const CBuildModule& type)
{
    std::vector<ItemSpec> controls;
    for (const ItemSpec& item : type.GetItems())
        if (IsControl(item.itemClass))
            controls.push_back(item);
    return controls;
}

bool IsRadio(ItemClass c)
{
    return c == ItemClass::VerticalRadioButton || c == ItemClass::VerticalBitmapRadioButton ||
        c == ItemClass::HorizontalRadioButton || c == ItemClass::HorizontalBitmapRadioButton;
}

TEST(ItemLayout, EveryParameterHasOneControlWhoseKindFitsItsRange)
{
    const auto types = AllTypes();
    ASSERT_EQ(types.size(), 109u);
    for (const CBuildModule* type : types) {
        SCOPED_TRACE(type->GetShortName());
        const auto controls = Controls(*type);
        ASSERT_EQ(controls.size(), type->GetParamCount());
        for (size_t i = 0; i < controls.size(); ++i) {
            const ItemSpec& c = controls[i];
            const uint8_t max = type->GetParamMax(static_cast<uint8_t>(i));
            if (IsRadio(c.itemClass)) {
                EXPECT_EQ(c.count, max + 1) << "radio row of parameter " << i;
            }
            // "MasterOsc" gives its KBT check button the range 0-127, as its
            // table stands; every other check button is on or off.
            const bool wideCheck = type->GetTypeId() == 97 && i == 2;
            if (c.itemClass == ItemClass::CheckButton || c.itemClass == ItemClass::CheckBitmapButton) {
                EXPECT_EQ(max, wideCheck ? 127 : 1) << "check button of parameter " << i;
                EXPECT_GT(c.size, 0) << "width of parameter " << i;
            }
            const bool bitmap = c.itemClass == ItemClass::CheckBitmapButton ||
                c.itemClass == ItemClass::VerticalBitmapRadioButton ||
                c.itemClass == ItemClass::HorizontalBitmapRadioButton;
            EXPECT_EQ(bitmap, c.picture >= 301 && c.picture <= 313) << "symbols of parameter " << i;
            EXPECT_EQ(c.params.size(), 0u) << "a control's parameter is its place";
        }
    }
}

TEST(ItemLayout, CustomItemsAreBoundToParametersOfTheirType)
{
    for (const CBuildModule* type : AllTypes()) {
        SCOPED_TRACE(type->GetShortName());
        // A module has one state LED at most: the one its reported values reach.
        const auto items = type->GetItems();
        EXPECT_LE(
            std::count_if(items.begin(), items.end(), [](const ItemSpec& i) { return i.role == ItemRole::StateLed; }),
            1);
        for (const ItemSpec& item : type->GetItems()) {
            if (IsInfoText(item.itemClass) || IsGraph(item.itemClass)) {
                EXPECT_FALSE(item.params.empty());
            }
            for (uint8_t p : item.params) {
                EXPECT_LT(p, type->GetParamCount());
            }
            if (IsInfoText(item.itemClass)) {
                EXPECT_GT(item.size, 0);
            }
        }
    }
}

// Items may reach past the 250-pixel face (inside the 3-pixel border) by at
// most two pixels.
TEST(ItemLayout, EveryItemAndJackLiesOnItsFace)
{
    for (const CBuildModule* type : AllTypes()) {
        SCOPED_TRACE(type->GetShortName());
        const int faceHeight = 15 * type->GetHeight() - 6;
        const auto onFace = [faceHeight](int x, int y, ItemFrameSize size) {
            const int left = x - 3;
            const int top = y - 3;
            return left >= -2 && top >= -2 && left + size.width <= 250 + 2 && top + size.height <= faceHeight + 2;
        };
        for (const ItemSpec& item : type->GetItems()) {
            EXPECT_TRUE(onFace(item.x, item.y, ItemFrame(item)))
                << static_cast<int>(item.itemClass) << " at " << item.x << "," << item.y;
        }
        for (const JackSpec& jack : type->GetJacks()) {
            EXPECT_TRUE(onFace(jack.x, jack.y, kJackFrame)) << "jack at " << jack.x << "," << jack.y;
        }
    }
}

struct KnownItem {
    uint8_t typeId;
    size_t index; // in the type's item list
    ItemClass itemClass;
    int16_t x;
    int16_t y;
    std::vector<uint8_t> params;
};

// A sample across the tabs and table forms, read off the type descriptions.
TEST(ItemLayout, SampledItemsStandWhereTheirTypesPlaceThem)
{
    const std::vector<KnownItem> known = {
        {5, 1, ItemClass::HorizontalRadioButton, 33, 21, {}},               // "1 output" Dest
        {7, 4, ItemClass::VerticalBitmapRadioButton, 228, 8, {}},           // OscA waveform
        {24, 10, ItemClass::LFOAGraph, 200, 5, {6, 2}},                     // LFOA graph
        {20, 10, ItemClass::ADSRGraph, 182, 2, {1, 2, 3, 4, 0, 5}},         // ADSR graph
        {51, 11, ItemClass::DefaultText, 165, 15, {6}},                     // FilterE resonance text
        {51, 12, ItemClass::NormalFilterGraph, 195, 3, {3, 6, 0, 1, 7, 9}}, // FilterE graph
        {17, 19, ItemClass::CheckButton, 207, 43, {}},                      // EventSeq step A16
        {17, 20, ItemClass::CheckButton, 27, 57, {}},                       // EventSeq step B1
        {17, 47, ItemClass::GreenLed, 161, 35, {}},                         // EventSeq step LED 12
        {91, 15, ItemClass::VerticalSlider, 205, 40, {}},                   // CtrlSeq level 16
        {90,
         39,
         ItemClass::NoteSeqGraph,
         27,
         38,
         {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15}}, // NoteSeqB graph
        {32, 15, ItemClass::FltBankPreset, 106, 87, {}},          // Filter Bank presets
    };
    const CModuleCatalogue& catalogue = GetSharedModuleCatalogue();
    for (const KnownItem& k : known) {
        const CBuildModule& type = catalogue.GetBuilder(k.typeId);
        SCOPED_TRACE(type.GetShortName());
        const auto items = type.GetItems();
        ASSERT_LT(k.index, items.size());
        const ItemSpec& item = items[k.index];
        EXPECT_EQ(item.itemClass, k.itemClass);
        EXPECT_EQ(item.x, k.x);
        EXPECT_EQ(item.y, k.y);
        if (!k.params.empty()) {
            EXPECT_EQ(std::vector<uint8_t>(item.params.begin(), item.params.end()), k.params);
        }
    }
}

TEST(ItemLayout, SequencerRowsAndBindings)
{
    const CModuleCatalogue& catalogue = GetSharedModuleCatalogue();
    const auto items = catalogue.GetBuilder(91).GetItems(); // CtrlSeq
    for (int k = 0; k < 16; ++k) {
        EXPECT_EQ(items[static_cast<size_t>(k)].x, 25 + 12 * k);
        EXPECT_EQ(items[static_cast<size_t>(19 + k)].itemClass, ItemClass::GreenLed);
        EXPECT_EQ(items[static_cast<size_t>(19 + k)].x, 28 + 12 * k);
        EXPECT_EQ(items[static_cast<size_t>(19 + k)].role, ItemRole::StepLed);
    }
    const ItemSpec& clearRandom = items.back();
    ASSERT_EQ(clearRandom.itemClass, ItemClass::SeqClrRnd);
    std::vector<uint8_t> expected;
    for (uint8_t p = 0; p < 16; ++p)
        expected.push_back(p);
    expected.push_back(17);
    EXPECT_EQ(std::vector<uint8_t>(clearRandom.params.begin(), clearRandom.params.end()), expected);

    const auto jacks = catalogue.GetBuilder(15).GetJacks(); // NoteSeqA
    ASSERT_EQ(jacks.size(), 6u);
    EXPECT_STREQ(jacks[0].faceLabel, "Clk");
    EXPECT_STREQ(jacks[5].faceLabel, "Gclk");
}

TEST(ItemLayout, TypesThatShareALayoutShareItsItems)
{
    const CModuleCatalogue& catalogue = GetSharedModuleCatalogue();
    const auto slaveB = catalogue.GetBuilder(27).GetItems();
    for (uint8_t id : {28, 29, 30}) {
        EXPECT_EQ(catalogue.GetBuilder(id).GetItems().data(), slaveB.data());
    }
    EXPECT_EQ(catalogue.GetBuilder(87).GetItems().data(), catalogue.GetBuilder(86).GetItems().data());
}

} // namespace
