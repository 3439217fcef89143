#include "synth/protocol/MidiCtrlNames.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

TEST(MidiCtrlNames, AssignableNumbers)
{
    const std::vector<std::pair<uint8_t, bool>> cases{{0, true},    {1, true},   {31, true},  {32, false},
                                                      {33, true},   {64, false}, {120, true}, {121, false},
                                                      {127, false}, {255, false}};
    for (const auto& [number, assignable] : cases)
        EXPECT_EQ(IsAssignableMidiCtrl(number), assignable) << int(number);
}

TEST(MidiCtrlNames, NamesFromTheTableOrTheNumber)
{
    struct Case {
        uint8_t number;
        bool named;
        const char* name;
        const char* shortName;
    };
    const std::vector<Case> cases{
        {0, false, "Ctrl 0", "Ct 0"},       {1, true, "Mod. wheel", "Wheel"}, {3, false, "Ctrl 3", "Ct 3"},
        {5, true, "Port. time", "P.Time"},  {12, false, "Ctrl 12", "Ct 12"},  {69, true, "Hold 2", "Hld 2"},
        {97, true, "Data dec", "D dec"},    {98, false, "Ctrl 98", "Ct 98"},  {121, true, "None", "None"},
        {127, false, "Ctrl 127", "Ct 127"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(HasMidiCtrlName(c.number), c.named) << int(c.number);
        EXPECT_EQ(GetMidiCtrlName(c.number), c.name);
        EXPECT_EQ(GetMidiCtrlShortName(c.number), c.shortName);
    }
    EXPECT_EQ(FormatCtrlNumber(7), "Ctrl 7");
}

} // namespace
