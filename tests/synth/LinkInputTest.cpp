// The port's input while its MIDI input stays open: a queue that overflowed
// recovers once read, and dropping the queue on a disconnect is safe while
// messages keep arriving.
#include "LinkRig.h"

#include "synth/molecules/ParamMolecules.h"

#include <atomic>
#include <thread>

using namespace linkrig;

namespace {

// A connected synthesizer with its documents loaded and nothing under way.
void Connect(CLinkRig& rig)
{
    rig.patches.loadFromSynth = false;
    rig.OpenPort(0, 0);
    ASSERT_TRUE(rig.Settle());
    ASSERT_TRUE(rig.StepUntil([&] { return !rig.SynthObject().GetFlashMemory().IsScanning(); }));
    ASSERT_TRUE(rig.Settle());
}

// Panel changes of slot A with its number, end to end.
Bytes PanelChanges(CLinkRig& rig, int count)
{
    const Bytes one = SynthMessage(CMParamChange(1, 1, 0, 9), 0, rig.SynthObject().GetSlotNumber(0));
    Bytes all;
    for (int i = 0; i < count; ++i)
        all.insert(all.end(), one.begin(), one.end());
    return all;
}

} // namespace

TEST(LinkInput, AnOverflowedQueueRecoversOnceRead)
{
    CLinkRig rig;
    Connect(rig);
    const Bytes chunk = PanelChanges(rig, 1000);
    const size_t perMessage = chunk.size() / 1000;
    int sent = 0;
    while (sent * perMessage < 70000) { // more than the queue's 65,536 bytes
        rig.Inject(chunk);
        sent += 1000;
    }
    CRecordingPatch& document = *rig.patches.Find(0, 0);
    const size_t before = document.applied.size();
    rig.Step();
    const size_t taken = document.applied.size() - before;
    EXPECT_GT(taken, 0u);
    EXPECT_LT(taken, static_cast<size_t>(sent)) << "what did not fit was lost";
    EXPECT_LE(taken * perMessage, 65536u);

    rig.Inject(PanelChanges(rig, 1));
    rig.Step();
    EXPECT_EQ(document.applied.size() - before, taken + 1) << "the port hears again";
    EXPECT_EQ(rig.Port().GetStatus(), CSynthPort::kConnected);
}

// Messages arrive on the worker while the main thread loses and finds the
// synthesizer again, dropping its queue each time (ThreadSanitizer run).
TEST(LinkInput, DisconnectsWhileMessagesArrive)
{
    CLinkRig rig;
    Connect(rig);
    const Bytes chunk = PanelChanges(rig, 50);
    std::atomic<bool> stop{false};
    std::thread cable([&] {
        while (!stop.load()) {
            rig.SimPort().Device().Send(chunk, 64);
            std::this_thread::yield();
        }
    });
    for (int round = 0; round < 5; ++round) {
        rig.Port().Fail(CSynthPort::kNewFound, {});
        rig.Manager().ClosePort(0);
        rig.application.alerts.clear();
        rig.OpenPort(0, 0);
        for (int i = 0; i < 4; ++i) {
            rig.Port().Idle();
            rig.Clock().Advance(CLinkRig::kStepMs);
        }
    }
    stop = true;
    cable.join();
    // The worker may still be taking in the flood; the virtual clock must not
    // run out before the synthesizer's answers can reach the port.
    rig.WaitForWorker();
    // The flood may have filled the input queue: the port drains it first,
    // then finds the synthesizer again; it must never stay deaf.
    ASSERT_TRUE(rig.StepUntil([&] { return rig.Manager().HasSynth(0); }));
    EXPECT_EQ(rig.Port().GetStatus(), CSynthPort::kConnected);
}
