#include "synth/molecules/MoleculePacket.h"
#include "synth/molecules/MoleculeRegistry.h"

#include <gtest/gtest.h>

namespace {

int g_alive = 0;

class CMTestCounted : public CMolecule {
public:
    CMTestCounted() { ++g_alive; }
    ~CMTestCounted() override { --g_alive; }
    int tag = 0;
};

class CMBTestCounted : public TMoleculeBuilder<CMTestCounted, 0x40> {
public:
    explicit CMBTestCounted(uint32_t target = kTargetPatch) : TMoleculeBuilder(target) { }
};

TEST(MoleculeRegistry, CreatesByIdAndReportsTargets)
{
    CMoleculeRegistry registry;
    EXPECT_EQ(registry.Create(0x40), nullptr);
    EXPECT_EQ(registry.GetFlag(0x40), 0u);

    registry.Register(std::make_unique<CMBTestCounted>());
    EXPECT_NE(dynamic_cast<CMTestCounted*>(registry.Create(0x40).get()), nullptr);
    EXPECT_EQ(registry.GetFlag(0x40), 2u);
    EXPECT_EQ(registry.GetFlag(0x41), 0u);
    EXPECT_EQ(registry.Create(0xFF), nullptr);

    registry.Register(std::make_unique<CMBTestCounted>(CMoleculeBuilder::kTargetSynth));
    EXPECT_EQ(registry.GetFlag(0x40), 1u); // a later builder replaces the earlier one

    registry.Clear();
    EXPECT_FALSE(registry.IsRegistered(0x40));
}

TEST(MoleculeRegistry, ReceivedTableHas29DistinctIds)
{
    std::array<bool, 128> seen{};
    for (const CReceivedMolecule& entry : kReceivedMolecules) {
        ASSERT_LT(entry.id, 128);
        EXPECT_FALSE(seen[entry.id]) << int(entry.id);
        seen[entry.id] = true;
        EXPECT_TRUE(entry.target == 1 || entry.target == 2);
    }
    EXPECT_EQ(kReceivedMolecules.size(), 29u);
}

TEST(MoleculePacket, OwnsItsMoleculesUnlessToldOtherwise)
{
    {
        CMoleculePacket packet;
        EXPECT_EQ(packet.GetSlot(), 4);
        EXPECT_TRUE(packet.HasNoNumber());
        EXPECT_EQ(packet.GetTarget(), 0u);
        auto first = std::make_unique<CMTestCounted>();
        first->tag = 1;
        auto second = std::make_unique<CMTestCounted>();
        second->tag = 2;
        packet.Append(std::move(first));
        packet.Prepend(std::move(second));
        ASSERT_EQ(packet.GetCount(), 2u);
        EXPECT_EQ(static_cast<CMTestCounted&>(packet.At(0)).tag, 2);
        EXPECT_EQ(g_alive, 2);
        packet.Clear();
        EXPECT_EQ(g_alive, 0);
        packet.Append(std::make_unique<CMTestCounted>());
    }
    EXPECT_EQ(g_alive, 0);

    CMTestCounted kept;
    {
        CMoleculePacket view;
        view.SetOwns(false);
        view.AppendBorrowed(kept);
    }
    EXPECT_EQ(g_alive, 1);
}

// Ownership goes with each molecule: what a borrowing packet is given is
// freed with it, and what an owning packet borrows is left alone.
TEST(MoleculePacket, EachMoleculeIsOwnedAsItWasAppended)
{
    g_alive = 0;
    CMTestCounted kept;
    {
        CMoleculePacket view;
        view.SetOwns(false);
        view.AppendBorrowed(kept);
        view.Append(std::make_unique<CMTestCounted>());
        view.Prepend(std::make_unique<CMTestCounted>());
        EXPECT_EQ(view.GetCount(), 3u);
        EXPECT_EQ(&view.At(1), &kept);
        EXPECT_EQ(g_alive, 3);
    }
    EXPECT_EQ(g_alive, 1) << "the appended molecules of a borrowing packet are freed";
    {
        CMoleculePacket owner;
        owner.Append(std::make_unique<CMTestCounted>());
        owner.AppendBorrowed(kept);
        owner.Clear();
        EXPECT_TRUE(owner.IsEmpty());
        EXPECT_EQ(g_alive, 1);
    }
    EXPECT_EQ(g_alive, 1) << "the borrowed molecule outlives the owning packet";
}

TEST(MoleculePacket, SlotAndSessionNumber)
{
    CMoleculePacket packet;
    packet.SetSlot(9);
    EXPECT_EQ(packet.GetSlot(), 4);
    EXPECT_EQ(packet.GetFrameSlot(), 3);
    packet.SetSlot(2);
    EXPECT_EQ(packet.GetFrameSlot(), 2);
    packet.SetSessionNumber(5);
    EXPECT_FALSE(packet.HasNoNumber());
    EXPECT_EQ(packet.GetSessionNumber(), 5);
}

} // namespace
