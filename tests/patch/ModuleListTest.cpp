// The module list finds modules by number as they come, go and are
// renumbered in place (a clip renumbers its modules before a paste).
#include "patch/area/ModuleList.h"
#include "tests/patch/FakeModule.h"

#include <gtest/gtest.h>

namespace {

CFakeModule* Add(CModuleList& list, uint8_t index)
{
    auto module = std::make_unique<CFakeModule>(index, 1, std::vector<uint8_t>{1});
    CFakeModule* added = module.get();
    list.Append(std::move(module));
    return added;
}

TEST(ModuleListTest, ModulesAreFoundByTheNumberTheyHaveNow)
{
    CModuleList list;
    CFakeModule* one = Add(list, 1);
    CFakeModule* five = Add(list, 5);
    CFakeModule* nine = Add(list, 9);
    EXPECT_EQ(list.Find(5), five);
    EXPECT_EQ(list.Find(2), nullptr);

    // Renumbered in place: 1 becomes 2, 5 becomes 1 (the number 1 left).
    one->SetModuleIndex(2);
    five->SetModuleIndex(1);
    EXPECT_EQ(list.Find(2), one);
    EXPECT_EQ(list.Find(1), five);
    EXPECT_EQ(list.Find(5), nullptr);
    EXPECT_EQ(list.NextFreeModuleIndex(1), 3);

    // Taken by its new number; the others stay where they are.
    std::unique_ptr<CModuleInterface> taken = list.Take(2);
    EXPECT_EQ(taken.get(), one);
    EXPECT_EQ(list.Find(2), nullptr);
    EXPECT_EQ(list.Find(9), nine);
    list.Remove(9);
    EXPECT_EQ(list.Find(9), nullptr);
    EXPECT_EQ(list.GetCount(), 1u);
    EXPECT_EQ(list.Find(1), five);
}

TEST(ModuleListTest, OfTwoModulesWithOneNumberTheFirstIsFoundUntilItGoes)
{
    CModuleList list;
    CFakeModule* first = Add(list, 3);
    CFakeModule* second = Add(list, 4);
    second->SetModuleIndex(3); // for a moment while a clip renumbers
    EXPECT_EQ(list.Find(3), first);
    list.Remove(3);
    EXPECT_EQ(list.Find(3), second);
    EXPECT_EQ(list.Find(4), nullptr);
}

} // namespace
