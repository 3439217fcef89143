#pragma once

// The editor's link on a simulated synthesizer that sends at the MIDI wire
// rate (31,250 baud), run in virtual time by the program's own loop: the
// platform's message queue hands out the application's 50 ms idle timer and
// the wake-ups of arriving MIDI messages, and each goes where the
// application sends it (the port manager's idle step, its arrival step).
// While no message waits, the time runs on to the timer's next tick or the
// synthesizer's next output, whichever comes first; the real time the
// editor's steps take passes too.

#include "bench/support/QuietLinkServices.h"
#include "framework/midi/MMEMIDIInput.h"
#include "framework/midi/PortRegistry.h"
#include "platform/host/HostScope.h"
#include "platform/host/headless/HeadlessHost.h"
#include "platform/midi/MidiArrival.h"
#include "platform/windows/MessageQueue.h"
#include "simulator/SimCatalogueTypes.h"
#include "simulator/SimVirtualPort.h"
#include "simulator/Simulator.h"
#include "synth/link/PortManager.h"
#include "synth/link/Synth.h"
#include "synth/link/SynthPort.h"
#include "synth/molecules/MoleculeRegistry.h"

#include <algorithm>
#include <chrono>
#include <functional>
#include <memory>
#include <stdexcept>
#include <string>
#include <thread>

class CTransferDocumentsInterface;

class CSimLinkBench {
public:
    // The application's idle interval.
    static constexpr uint64_t kIdleMs = 50;

    CSimLinkBench(const std::string& device, CSlotPatchManagerInterface& documents,
                  CTransferDocumentsInterface* transfers)
        : host_(std::make_unique<platform::HeadlessHost>()), device_(device), sim_(Config(), sim::CatalogueTypes()),
          port_(sim_, device_)
    {
        RegisterReceivedMolecules(registry_);
        SetMoleculeRegistry(&registry_);
        Headless().Advance(kClockStart - Headless().Now());
        port_.RecordReceived(true);
        // Arrivals of an earlier run are not this one's.
        platform::TakeMidiArrival();
        manager_ =
            std::make_unique<CPortManager>(CPortManagerServices{application_, preferences_, documents, transfers});
        timer_ = platform::SetTimer(0, 0, kIdleMs);
        nextTickMs_ = Headless().Now() + kIdleMs;
    }
    ~CSimLinkBench()
    {
        manager_.reset();
        platform::KillTimer(0, timer_);
        SetMoleculeRegistry(nullptr);
    }
    CSimLinkBench(const CSimLinkBench&) = delete;
    CSimLinkBench& operator=(const CSimLinkBench&) = delete;

    sim::CSimulator& Sim() { return sim_; }
    CPortManager& Manager() { return *manager_; }
    CSynthPort& Port() { return *manager_->GetPort(0); }
    CSynth& Synth() { return *manager_->GetSynth(0); }

    void Open()
    {
        uint16_t input = 0;
        uint16_t output = 0;
        if (!manager_->GetInputRegistry().FindByName(device_, input) ||
            !manager_->GetOutputRegistry().FindByName(device_, output))
            throw std::runtime_error("no bench device");
        manager_->OpenPort(0, input, output);
    }

    // Nothing awaited and nothing sent or received for `ms` of the clock.
    bool IsQuietFor(uint64_t ms)
    {
        const CSynthPort* port = manager_->GetPort(0);
        return port != nullptr && !port->IsAwaitingAnswer() && sim_.NowUs() >= lastActivityUs_ + ms * 1000;
    }

    // Runs `start` and then the loop until `done`; the simulated seconds
    // from the start to the end (with `toLastByte`, to the last byte
    // exchanged: `done` waits for a quiet spell), and the bytes exchanged
    // both ways. The synthesizer takes what the editor sends at once; on a
    // cable each request's bytes come before its answer, so their wire time
    // is added.
    void Measure(const std::function<void()>& start, const std::function<bool()>& done, bool toLastByte,
                 double& seconds, size_t& bytes)
    {
        TakeSent();
        bytesIn_ = 0;
        bytesOut_ = 0;
        const uint64_t begin = sim_.NowUs();
        lastActivityUs_ = begin;
        start();
        TakeSent();
        if (!RunUntil(done))
            throw std::runtime_error("the exchange did not end");
        bytes = bytesOut_ + bytesIn_;
        const uint64_t end = toLastByte ? lastActivityUs_ : sim_.NowUs();
        seconds = (static_cast<double>(end - begin) / 1e6) + static_cast<double>(bytesOut_) * kWireSecondsPerByte;
    }

    bool RunUntil(const std::function<bool()>& done)
    {
        for (int steps = 0; steps < 10000000; ++steps) {
            if (done())
                return true;
            platform::Message message;
            if (platform::PeekMessage(message))
                Dispatch(message);
            else
                Wait();
        }
        return false;
    }

    // Real time the editor's steps took.
    uint64_t busyUs = 0;

private:
    static constexpr uint64_t kClockStart = 10000;

    static sim::SimConfig Config()
    {
        sim::SimConfig config;
        config.paceAtWireRate = true;
        return config;
    }

    platform::HeadlessHost& Headless() { return static_cast<platform::HeadlessHost&>(host_.Get()); }

    // As the application's loop dispatches them.
    void Dispatch(const platform::Message& message)
    {
        const auto before = std::chrono::steady_clock::now();
        if (message.message == platform::msg::Timer && message.window == 0 && message.wParam == timer_) {
            nextTickMs_ = Headless().Now() + kIdleMs;
            manager_->Idle();
        } else if (message.message == platform::msg::MidiArrival && message.window == 0) {
            manager_->OnMidiArrival();
        }
        const auto us = static_cast<uint64_t>(
            std::chrono::duration_cast<std::chrono::microseconds>(std::chrono::steady_clock::now() - before).count());
        busyUs += us;
        Advance(us);
        TakeSent();
    }

    void TakeSent()
    {
        size_t sent = 0;
        for (const auto& message : port_.TakeReceived())
            sent += message.size();
        if (sent == 0)
            return;
        bytesOut_ += sent;
        lastActivityUs_ = sim_.NowUs();
    }

    // Nothing waits: on to the next tick or the synthesizer's next output.
    void Wait()
    {
        const uint64_t tickUs = (nextTickMs_ - kClockStart) * 1000;
        uint64_t until = std::max(tickUs, sim_.NowUs());
        if (const auto due = sim_.NextDueUs(); due && *due < until)
            until = std::max(*due, sim_.NowUs());
        // A tick due this very moment is handed out at the next look.
        Advance(until > sim_.NowUs() ? until - sim_.NowUs() : 1000);
    }

    // The editor's clock counts whole milliseconds of the synthesizer's.
    void Advance(uint64_t us)
    {
        const size_t delivered = port_.AdvanceUs(us);
        Headless().Advance(sim_.NowUs() / 1000 + kClockStart - Headless().Now());
        bytesIn_ += delivered;
        if (delivered == 0)
            return;
        lastActivityUs_ = sim_.NowUs();
        // Until the input worker has taken every buffer (and signalled).
        platform::VirtualMidiDevice& device = port_.Device();
        while (device.IsInputOpen() && device.InputBuffersQueued() < NSHarrowen::CMMEMIDIInput::kBufferCount)
            std::this_thread::yield();
    }

    platform::CHostScope host_;
    CQuietApplication application_;
    CNoPreferences preferences_;
    CMoleculeRegistry registry_;
    std::string device_;
    sim::CSimulator sim_;
    sim::CSimVirtualPort port_;
    std::unique_ptr<CPortManager> manager_;
    uintptr_t timer_ = 0;
    uint64_t nextTickMs_ = 0;
    size_t bytesIn_ = 0;
    size_t bytesOut_ = 0;
    uint64_t lastActivityUs_ = 0;
};
