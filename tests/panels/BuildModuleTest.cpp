#include "modules/ModuleCatalogueContent.h"
#include "panels/BuildModule.h"
#include "panels/ParamTextFunctions.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

class Values final : public CParamValueSourceInterface {
public:
    explicit Values(std::vector<uint8_t> values) : values_(std::move(values)) { }
    uint8_t GetParamValue(uint8_t index) const override { return values_.at(index); }
    std::vector<uint8_t> values_;
};

constexpr ParamSpec kParams[] = {
    {"Rate", 127, 64, {ParamTextLfoRate, 1}},
    {"Range", 2, 1, ParamTextLfoRange, false},
    {"Plain", 200, 250},
    {"Mute", 1, 0, ParamTextOnOff},
};
constexpr uint8_t kOrder[] = {2, 0, 3, 1};
constexpr JackSpec kJacks[] = {
    {JackDirection::Input, SignalKind::Control, 1, 1},
    {JackDirection::Output, SignalKind::Slave, 2, 2},
    {JackDirection::Input, SignalKind::Logic, 3, 3},
};

ModuleTypeSpec Spec(uint16_t cycles, uint16_t quarterCycles)
{
    return {42,      "Test", "Test type", 400, 3, {{cycles, quarterCycles, 1, 0, 0, 0, 0, 0, 0, 0}},
            kParams, kOrder, kJacks,      {}};
}

} // namespace

TEST(BuildModule, TablesAreReadThroughTheBuilder)
{
    const ModuleTypeSpec spec = Spec(0, 0);
    const CBuildModule builder(spec);
    EXPECT_EQ(builder.GetParamCount(), 4);
    EXPECT_EQ(builder.GetParamMax(2), 127) << "a maximum above 127 counts as 127";
    EXPECT_EQ(builder.GetDefault(2), 127) << "so does a default";
    EXPECT_EQ(builder.GetParamMax(9), 0) << "past the last parameter";
    EXPECT_EQ(builder.GetParamName(1), "Range");
    EXPECT_EQ(builder.GetHelpTopic(), 5200u);
    EXPECT_EQ(builder.GetParamHelpTopic(0), 5201u);
    EXPECT_EQ(builder.GetJackCount(JackDirection::Input), 2);
    EXPECT_EQ(builder.GetJackCount(JackDirection::Output), 1);
    SignalKind kind{};
    ASSERT_TRUE(builder.GetJackKind(JackDirection::Input, 1, kind));
    EXPECT_EQ(kind, SignalKind::Logic);
    EXPECT_FALSE(builder.GetJackKind(JackDirection::Output, 1, kind));
    EXPECT_FALSE(builder.IsMorphAllowed(1));
    EXPECT_TRUE(builder.IsMorphAllowed(0));
}

TEST(BuildModule, ValueTextsAndTheirFallback)
{
    const ModuleTypeSpec spec = Spec(0, 0);
    CBuildModule builder(spec);
    Values values({64, 1, 64, 0});
    EXPECT_EQ(builder.FormatParamValue(2, 64, values), "64") << "no registration: a plain number";
    EXPECT_EQ(builder.FormatParamValue(0, 0, values), "62.9s");
    values.values_[1] = 0;
    EXPECT_EQ(builder.FormatParamValue(0, 0, values), "699s") << "the second parameter changed, the first did not";

    builder.RegisterParamTextSingel(2, ParamTextBipolar);
    EXPECT_EQ(builder.FormatParamValue(2, 64, values), "0");
    builder.RegisterParamTextSingel(2, ParamTextPercent);
    EXPECT_EQ(builder.FormatParamValue(2, 64, values), "50%") << "a later registration replaces the earlier";
}

TEST(BuildModule, OrderListWrapsBothWays)
{
    const ModuleTypeSpec spec = Spec(0, 0);
    const CBuildModule builder(spec);
    EXPECT_EQ(builder.NextByOrderList(2), 0);
    EXPECT_EQ(builder.NextByOrderList(1), 2) << "the last entry wraps to the first";
    EXPECT_EQ(builder.PreviousByOrderList(2), 1) << "the first entry wraps to the last";
    EXPECT_EQ(builder.PreviousByOrderList(3), 0);
    EXPECT_EQ(builder.PreviousByOrderList(77), 1) << "an absent entry goes to the last";
}

TEST(BuildModule, ParamPairsAnswerTheFirstMatch)
{
    const ModuleTypeSpec spec = Spec(0, 0);
    CBuildModule builder(spec);
    uint8_t partner = 0;
    EXPECT_FALSE(builder.FindParamPartner(0, partner));
    builder.AddParamPair(0, 1);
    builder.AddParamPair(3, 0);
    builder.AddParamPair(0, 1); // every new module records its pairs again
    ASSERT_TRUE(builder.FindParamPartner(1, partner));
    EXPECT_EQ(partner, 0);
    ASSERT_TRUE(builder.FindParamPartner(0, partner));
    EXPECT_EQ(partner, 1);
    ASSERT_TRUE(builder.FindParamPartner(3, partner));
    EXPECT_EQ(partner, 0);
}

TEST(BuildModule, LoadTextsTakeDecimalsByTheirSize)
{
    struct Case {
        uint16_t cycles, quarters;
        const char* text;
    };
    const Case cases[] = {
        {0, 0, "Test type (0.00%)"}, {4, 0, "Test type (0.51%)"}, // 0.508
        {20, 0, "Test type (2.5%)"},                              // 2.5413
        {85, 0, "Test type (11%)"},                               // 10.8
        {94, 17, "Test type (12%)"},                              // 12.48
        {0, 4, "Test type (0.13%)"},                              // a quarter cycle counts a quarter
    };
    for (const Case& c : cases) {
        const ModuleTypeSpec spec = Spec(c.cycles, c.quarters);
        EXPECT_EQ(CBuildModule(spec).FormatLoadText(), c.text);
    }
    EXPECT_EQ(GetSharedModuleCatalogue().GetBuilder(7).FormatLoadText(), "OSC A (11%)");
}

TEST(BuildModule, LoadRecordIsStoredLittleEndian)
{
    const ModuleLoadRecord& load = GetSharedModuleCatalogue().GetBuilder(7).GetLoadRecord();
    EXPECT_EQ(load.OutputListCapacity(), 2);
    EXPECT_EQ(load.CustomValueCount(), 1);
    const auto bytes = load.ToBytes();
    EXPECT_EQ(bytes[0], 85);
    EXPECT_EQ(bytes[4], 2);
    EXPECT_EQ(bytes[5], 1);
    EXPECT_EQ(bytes[10], 240);
    EXPECT_EQ(bytes[18], 59);
}

TEST(BuildModule, NewModulesStartFromTheTypesDefaults)
{
    const CModuleCatalogue& catalogue = GetSharedModuleCatalogue();
    EXPECT_EQ(catalogue.GetBuilder(7).GetDefaults(), (std::vector<uint8_t>{64, 64, 64, 64, 0, 0, 0, 0, 0, 0}));
    EXPECT_EQ(catalogue.GetBuilder(58).GetDefaults(),
              (std::vector<uint8_t>{0, 0, 25, 25, 25, 25, 25, 25, 25, 25, 0, 25, 25, 25, 25, 0}));
    EXPECT_EQ(catalogue.GetBuilder(106).GetDefault(18), 0) << "OscSineBank: only the first partial sounds";
    EXPECT_EQ(catalogue.GetBuilder(106).GetDefault(23), 1);
    EXPECT_EQ(catalogue.GetBuilder(108).GetDefault(15), 16) << "vocoder band n starts at n";
    EXPECT_EQ(catalogue.GetBuilder(54).GetDefault(0), 12);
    EXPECT_EQ(catalogue.GetBuilder(57).GetDefault(0), 2);
}
