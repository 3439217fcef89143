#pragma once

#include "framework/midi/MIDIInputParser.h"
#include "framework/midi/PortRegistry.h"
#include "platform/midi/virtual/VirtualMidi.h"

#include <gtest/gtest.h>

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <mutex>
#include <string>
#include <thread>
#include <vector>

namespace miditest {

// A receiver that keeps every delivered buffer and the thread it came on.
class RecordingReceiver : public NSHarrowen::CMIDIInputParser {
public:
    RecordingReceiver() { SetAcceptsLongData(true); }

    void OnLongData(NSHarrowen::CMIDIInput* input, uint32_t reserved, const uint8_t* bytes, uint32_t count) override
    {
        std::lock_guard<std::mutex> guard(mutex_);
        EXPECT_EQ(input, GetInput());
        EXPECT_EQ(reserved, 0u);
        bytes_.insert(bytes_.end(), bytes, bytes + count);
        counts_.push_back(count);
        threads_.push_back(std::this_thread::get_id());
        changed_.notify_all();
    }

    // Waits up to two seconds until `count` bytes have arrived.
    bool WaitForBytes(size_t count)
    {
        std::unique_lock<std::mutex> guard(mutex_);
        return changed_.wait_for(guard, std::chrono::seconds(2), [&] { return bytes_.size() >= count; });
    }

    std::vector<uint8_t> Bytes()
    {
        std::lock_guard<std::mutex> guard(mutex_);
        return bytes_;
    }
    std::vector<uint32_t> Counts()
    {
        std::lock_guard<std::mutex> guard(mutex_);
        return counts_;
    }
    std::vector<std::thread::id> Threads()
    {
        std::lock_guard<std::mutex> guard(mutex_);
        return threads_;
    }

private:
    std::mutex mutex_;
    std::condition_variable changed_;
    std::vector<uint8_t> bytes_;
    std::vector<uint32_t> counts_;
    std::vector<std::thread::id> threads_;
};

// What a virtual device was sent.
class RecordingHandler : public platform::VirtualMidiHandler {
public:
    void OnShortMessage(uint32_t message) override
    {
        std::lock_guard<std::mutex> guard(mutex_);
        shortMessages.push_back(message);
    }
    void OnLongMessage(const uint8_t* bytes, size_t count) override
    {
        std::lock_guard<std::mutex> guard(mutex_);
        chunks.emplace_back(bytes, bytes + count);
    }

    std::vector<uint32_t> shortMessages;
    std::vector<std::vector<uint8_t>> chunks;

private:
    std::mutex mutex_;
};

// A System Exclusive message of `size` bytes with a counting body.
inline std::vector<uint8_t> Sysex(size_t size)
{
    std::vector<uint8_t> message(size);
    for (size_t i = 0; i < size; ++i)
        message[i] = static_cast<uint8_t>(i % 0x7F);
    message.front() = 0xF0;
    message.back() = 0xF7;
    return message;
}

// The machine's devices as the program lists them.
struct Registries {
    Registries() { NSHarrowen::RegisterMMEPorts(inputs, outputs); }

    const NSHarrowen::CRegisteredMIDIInput& Input(const std::string& name) const
    {
        uint16_t index = 0;
        if (!inputs.FindByName(name, index))
            throw std::runtime_error("no input " + name);
        return *inputs.GetAt(index);
    }
    const NSHarrowen::CRegisteredMIDIOutput& Output(const std::string& name) const
    {
        uint16_t index = 0;
        if (!outputs.FindByName(name, index))
            throw std::runtime_error("no output " + name);
        return *outputs.GetAt(index);
    }

    NSHarrowen::CInputPortRegistry inputs;
    NSHarrowen::COutputPortRegistry outputs;
};

// Sets the MIDI wait slack for the life of the object.
class ScopedWaitSlack {
public:
    explicit ScopedWaitSlack(uint32_t ms);
    ~ScopedWaitSlack();

private:
    uint32_t previous_;
};

} // namespace miditest
