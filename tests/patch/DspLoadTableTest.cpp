#include "tests/patch/FakeModule.h"
#include "tests/support/patch/PatchTestFixture.h"

#include "patch/area/DspLoadTable.h"
#include "synth/molecules/CableMolecules.h"

#include <gtest/gtest.h>

namespace {

constexpr double kZeroPageUnit = 0.8695652173913043;

CFakeModule Module(uint8_t area, std::array<uint16_t, 10> words)
{
    CFakeModule module(1, 0, {}, area);
    module.load = words;
    return module;
}

} // namespace

TEST(DspLoadTable, AnEmptyAreaIsDominatedByItsZeroPage)
{
    const CDspLoadTable table;
    for (int kind : {0, 1, 2, 3, 5})
        EXPECT_EQ(table.KindLoad(kind, 0), 0.0) << kind;
    EXPECT_DOUBLE_EQ(table.Load4(0), kZeroPageUnit);
    EXPECT_EQ(table.DominantKind(0), 4);
    EXPECT_EQ(table.Load4Percent(0), 1);
    // The cached loads wait for the first module change.
    EXPECT_EQ(table.GetLoad(0), 0.0f);
    EXPECT_EQ(table.GetLoad(1), 0.0f);
    EXPECT_EQ(table.GetFreeMemory(), 8192);
}

TEST(DspLoadTable, EqualLoadsKeepTheLowerKindAndCountersWrapInTheirWidth)
{
    CDspLoadTable table;
    const CFakeModule memory = Module(1, {0, 0, 0, 100, 100, 0, 0, 0, 0, 0});
    table.AddModule(memory);
    EXPECT_DOUBLE_EQ(table.Load1(1), table.Load2(1));
    EXPECT_EQ(table.DominantKind(1), 1);
    EXPECT_FLOAT_EQ(table.GetLoad(1), static_cast<float>(100 * 0.06793478260869565));
    // Every module change recomputes both areas' cached loads.
    EXPECT_FLOAT_EQ(table.GetLoad(0), static_cast<float>(kZeroPageUnit));

    // The zero page is a byte: 255 and 1 more make 0 (then 1 unit of load).
    const CFakeModule page = Module(0, {0, 0, 255, 0, 0, 0, 0, 0, 0, 0});
    const CFakeModule one = Module(0, {0, 0, 1, 0, 0, 0, 0, 0, 0, 0});
    table.AddModule(page);
    table.AddModule(one);
    EXPECT_DOUBLE_EQ(table.Load4(0), kZeroPageUnit);
    table.RemoveModule(one);
    EXPECT_DOUBLE_EQ(table.Load4(0), 256 * kZeroPageUnit);
    EXPECT_EQ(table.Load4Percent(0), 223); // 222.6 rounded up
    EXPECT_EQ(table.GetModuleCount(), 2);
}

TEST(DspLoadTable, AnOverfullPatchHasNoMemoryFree)
{
    // Loads above 100 per cent are shown, never refused; the free memory
    // stops at 0 instead of wrapping to nearly 64K words.
    CDspLoadTable table;
    const CFakeModule big = Module(1, {0, 0, 0, 0, 0, 0, 0, 0, 0, 5000});
    const CFakeModule more = Module(0, {0, 0, 0, 0, 0, 0, 0, 0, 0, 4000});
    table.AddModule(big);
    EXPECT_EQ(table.GetFreeMemory(), 8192 - 5000);
    table.AddModule(more);
    EXPECT_EQ(table.GetFreeMemory(), 0);
    EXPECT_GT(table.Load5(1) + table.Load5(0), 100.0);
    table.RemoveModule(more);
    EXPECT_EQ(table.GetFreeMemory(), 8192 - 5000);
}

class DspLoadOfAPatch : public testsupport::PatchTestFixture { };

TEST_F(DspLoadOfAPatch, ModulesAndCablesOfTheDocumentAreCounted)
{
    // Clip (61): 12 cycles, zero page 1, X 1, Y 2, program 13, dynamic 30.
    AddModules(1, {{1, 61}, {2, 61}});
    const CDspLoadTable& table = patch.GetLoadTable();
    EXPECT_DOUBLE_EQ(table.Load0(1), 24 * 0.12706480304955528);
    EXPECT_DOUBLE_EQ(table.Load3(1), 26 * 0.02726281352235551);
    EXPECT_DOUBLE_EQ(table.Load4(1), 3 * kZeroPageUnit);
    EXPECT_DOUBLE_EQ(table.Load5(1), 60 * 0.01220703125);
    EXPECT_EQ(table.DominantKind(1), 0);
    EXPECT_FLOAT_EQ(table.GetLoad(1), static_cast<float>(24 * 0.12706480304955528));
    EXPECT_EQ(table.Load0Percent(1), 4);
    EXPECT_EQ(table.GetFreeMemory(), 8192 - 60);

    // A cable takes 3 words at once; the cached load waits for a module.
    const float cached = table.GetLoad(1);
    Apply(std::make_unique<CMCableConnect>(1, JackAddress{1, 0, 1}, JackAddress{2, 0, 0}, 0, 0));
    EXPECT_EQ(table.GetFreeMemory(), 8192 - 63);
    EXPECT_EQ(table.GetCableCount(), 1);
    EXPECT_EQ(table.GetLoad(1), cached);
    EXPECT_DOUBLE_EQ(table.Load5(1), 63 * 0.01220703125);

    AddModules(0, {{1, 61}});
    EXPECT_FLOAT_EQ(table.GetLoad(0), static_cast<float>(2 * kZeroPageUnit)); // one module: the zero page leads
    EXPECT_EQ(table.GetFreeMemory(), 8192 - 93);
    EXPECT_EQ(table.GetModuleCount(), 3);
}
