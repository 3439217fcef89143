// A bank upload and download over real MIDI: the editor's port, bank
// transfer and patch documents against two simsynthd processes on the
// tests' JACK server, each keeping its flash as patch files in a folder and
// sending at the MIDI wire rate.
#include <RtMidi.h>
#include <gtest/gtest.h>

#include <unistd.h>

#include <chrono>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <iostream>
#include <atomic>
#include <memory>
#include <string>
#include <thread>

#include "framework/files/FileSpec.h"
#include "framework/lists/LineRing.h"
#include "framework/midi/MIDIInput.h"
#include "framework/midi/MIDIInputParser.h"
#include "platform/midi/MidiSystem.h"
#include "platform/windows/MessageQueue.h"
#include "modules/ModuleCatalogueContent.h"
#include "patch/files/TransferDocuments.h"
#include "simulator/SimPatchFile.h"
#include "tests/support/HeadlessDesktop.h"
#include "tests/support/ScopedProcess.h"
#include "tests/support/TempDir.h"
#include "tests/support/patch/ModuleDouble.h"
#include "tests/synth/LinkRig.h"
#include "tests/synth/flash/FlashRig.h"
#include "tests/support/RequiredTools.h"

using namespace linkrig;
namespace fs = std::filesystem;

namespace {

std::vector<std::string> Lines(const NSHarrowen::CLineRing& report)
{
    std::vector<std::string> lines;
    for (int32_t k = report.GetUsedLines() - 1; k >= 0; --k)
        lines.emplace_back(report.GetLineFromEnd(k));
    return lines;
}

// Counts the bytes an input hears.
class CByteTap : public NSHarrowen::CMIDIInputParser {
public:
    CByteTap() { SetAcceptsLongData(true); }
    void OnLongData(NSHarrowen::CMIDIInput*, uint32_t, const uint8_t*, uint32_t count) override { bytes += count; }
    std::atomic<size_t> bytes{0};
    std::atomic<size_t> messages{0};
};

// Counts, as a JACK client of the test's own, the messages and bytes it hears.
void CountBytes(double, std::vector<unsigned char>* message, void* tap)
{
    auto& counts = *static_cast<CByteTap*>(tap);
    counts.bytes += message->size();
    ++counts.messages;
}

// simsynthd processes on the tests' JACK server, each keeping its flash in
// a folder and sending at the wire's pace, and the editor's ports on them,
// run by the program's loop.
class FlashJack : public ::testing::Test {
protected:
    void SetUp() override
    {
        if (testsupport::Unavailable({.jackServer = true}))
            return;
        setenv("TORVAN_MIDI_API", "jack", 1);
        patches.loadFromSynth = false;
        InstallSharedModuleTypeInfo();
        RegisterReceivedMolecules(registry);
        SetMoleculeRegistry(&registry);
    }

    void TearDown() override
    {
        manager.reset();
        SetMoleculeRegistry(nullptr);
    }

    // A simsynthd for the next port. The name is short: device names keep
    // 31 characters, JACK's client prefix included.
    void StartSimsynthd(const std::string& name, const fs::path& flash)
    {
        daemons.push_back(std::make_unique<testsupport::ScopedProcess>(std::vector<std::string>{
            SIMSYNTHD_PATH, "--api", "jack", "--name", name, "--model", "pebix", "--pace", "--flash", flash.string()}));
        ASSERT_TRUE(daemons.back()->Started());
        names.push_back(name);
    }

    // Opens a port on each simsynthd, in the order they started, and runs
    // until each synthesizer's settings and flash map are in.
    void Connect()
    {
        std::vector<uint16_t> devices;
        manager = ManagerSeeing(CPortManagerServices{application, preferences, patches, &documents}, names, devices);
        ASSERT_NE(manager, nullptr) << "simsynthd's ports did not appear";
        for (uint8_t port = 0; port < names.size(); ++port)
            manager->OpenPort(port, devices[2 * port], devices[2 * port + 1]);
        const auto ready = [&](uint8_t port) {
            return manager->HasSynth(port) && manager->GetSynth(port)->HasSettings() &&
                !manager->GetSynth(port)->GetFlashMemory().IsScanning() && !manager->GetPort(port)->IsAwaitingAnswer();
        };
        ASSERT_TRUE(LoopUntil(
            [&] {
                for (uint8_t port = 0; port < names.size(); ++port)
                    if (!ready(port))
                        return false;
                return true;
            },
            60))
            << FirstAlert();
    }

    // Runs a bank job of the port once, to its end; true when it finished.
    // `busy` adds the time the program's steps took.
    bool RunJob(uint8_t port, const std::function<bool(CBankTransfer&)>& start, double* busy = nullptr)
    {
        CBankTransfer& transfer = manager->GetSynth(port)->GetBankTransfer();
        return start(transfer) &&
            LoopUntil([&] { return !manager->HasSynth(port) || !transfer.IsRunning(); }, 120, busy) &&
            manager->HasSynth(port) && transfer.GetResult() == CBankTransfer::kResultFinished;
    }

    // The program's loop in real time: the application's 50 ms idle timer
    // and the wake-ups of arriving messages, from the platform's message
    // queue, each where the application sends it; false at the deadline.
    bool LoopUntil(const std::function<bool()>& done, int seconds, double* busy = nullptr)
    {
        const auto start = std::chrono::steady_clock::now();
        const uintptr_t timer = platform::SetTimer(0, 0, 50);
        bool finished = false;
        while (!(finished = done()) && std::chrono::steady_clock::now() < start + std::chrono::seconds(seconds)) {
            FollowTheClock();
            platform::Message message;
            if (!platform::PeekMessage(message)) {
                std::this_thread::sleep_for(std::chrono::microseconds(100));
                continue;
            }
            const auto before = std::chrono::steady_clock::now();
            if (message.message == platform::msg::Timer && message.window == 0 && message.wParam == timer)
                manager->Idle();
            else if (message.message == platform::msg::MidiArrival && message.window == 0)
                manager->OnMidiArrival();
            if (busy != nullptr)
                *busy += std::chrono::duration<double>(std::chrono::steady_clock::now() - before).count();
        }
        platform::KillTimer(0, timer);
        return finished;
    }

    // The program's clock keeps to the real one over the whole test, as the
    // program's does: a clock that started again would make the link take
    // what it heard last for the future, and wait until it is past.
    void FollowTheClock()
    {
        const auto passed =
            std::chrono::duration_cast<std::chrono::milliseconds>(std::chrono::steady_clock::now() - clockStart_)
                .count();
        desktop_.Host().Advance(clockOrigin_ + static_cast<uint64_t>(passed) - desktop_.Host().Now());
    }

    std::string FirstAlert() const { return application.alerts.empty() ? "" : application.alerts[0]; }

    testsupport::HeadlessDesktop desktop_;
    const uint64_t clockOrigin_ = desktop_.Host().Now();
    const std::chrono::steady_clock::time_point clockStart_ = std::chrono::steady_clock::now();
    testsupport::CModuleServicesDouble services;
    CFakeApplication application;
    CFakePreferences preferences;
    CRecordingPatchManager patches;
    CTransferDocuments documents;
    CMoleculeRegistry registry;
    std::vector<std::unique_ptr<testsupport::ScopedProcess>> daemons;
    std::vector<std::string> names;
    std::unique_ptr<CPortManager> manager;
};

} // namespace

TEST_F(FlashJack, ABankGoesFromOneSimsynthdIntoFilesAndFromTheFilesIntoAnother)
{
    testsupport::TempDir from;
    testsupport::TempDir to;
    testsupport::TempDir files;
    const std::vector<std::pair<int, sim::SimPatch>> bank{{1, flashrig::MakePatch("Warm Pad", 1)},
                                                          {2, flashrig::MakePatch("Bass", 2)},
                                                          {40, flashrig::MakePatch("Bass", 3)},
                                                          {99, flashrig::MakePatch("Keys", 4)}};
    for (const auto& [position, patch] : bank)
        sim::WritePatchFile(from.Path() / (std::to_string(100 + position) + " " + patch.name + ".pch"), patch);
    // What the second synthesizer held: replaced, or emptied by the list.
    sim::WritePatchFile(to.Path() / "102 Old.pch", flashrig::MakePatch("Old", 7));
    sim::WritePatchFile(to.Path() / "103 Gone.pch", flashrig::MakePatch("Gone", 8));

    const std::string name = "fl" + std::to_string(getpid());
    ASSERT_NO_FATAL_FAILURE(StartSimsynthd(name + "a", from.Path()));
    ASSERT_NO_FATAL_FAILURE(StartSimsynthd(name + "b", to.Path()));
    ASSERT_NO_FATAL_FAILURE(Connect());

    // Each job runs once, to its end: nothing is lost on the way.
    NSHarrowen::CLineRing report(100, 256);
    const NSHarrowen::CFileSpec list(files.File("Bank.pchList"));
    ASSERT_TRUE(RunJob(0, [&](CBankTransfer& t) { return t.StartUpload(list, 0, &report); }))
        << FirstAlert() << testing::PrintToString(Lines(report));
    EXPECT_EQ(Lines(report),
              (std::vector<std::string>{"140 : Bass : Name changed to Bass1.pch", "Saved: 101-102, 140, 199"}));
    EXPECT_TRUE(fs::exists(files.Path() / "Warm Pad.pch"));
    EXPECT_TRUE(fs::exists(files.Path() / "Bass1.pch"));

    ASSERT_TRUE(RunJob(1, [&](CBankTransfer& t) { return t.DownloadFromListFile(list, 0, &report); }))
        << FirstAlert() << testing::PrintToString(Lines(report));
    EXPECT_EQ(Lines(report), (std::vector<std::string>{"Written: 101-102, 140, 199", "Emptied: 103-139, 141-198"}));

    // The second synthesizer's folder: the same positions, the patches under
    // the names the files gave them.
    std::vector<std::string> stored;
    for (const auto& entry : fs::directory_iterator(to.Path()))
        stored.push_back(entry.path().filename().string());
    std::sort(stored.begin(), stored.end());
    EXPECT_EQ(stored, (std::vector<std::string>{"101 Warm Pad.pch", "102 Bass.pch", "140 Bass1.pch", "199 Keys.pch"}));
    const sim::SimPatch copy = sim::ReadPatchFile(to.Path() / "140 Bass1.pch");
    EXPECT_EQ(copy.areas[1].modules, bank[2].second.areas[1].modules);
    EXPECT_EQ(copy.knobs, bank[2].second.knobs);
}

// A bank of 99 patches goes whole into files; the time it took is told
// beside the wire time of the bytes that went both ways.
TEST_F(FlashJack, ABankOf99UploadsWholeInTheProgramsLoop)
{
    testsupport::TempDir flash;
    testsupport::TempDir files;
    for (int position = 1; position <= 99; ++position)
        sim::WritePatchFile(flash.Path() /
                                (std::to_string(100 + position) + " Patch " + std::to_string(position) + ".pch"),
                            flashrig::MakePatch("Patch " + std::to_string(position), position));
    ASSERT_NO_FATAL_FAILURE(StartSimsynthd("fw" + std::to_string(getpid()), flash.Path()));
    ASSERT_NO_FATAL_FAILURE(Connect());

    // Taps on both directions: the synthesizer's output, and the editor's.
    CByteTap heard;
    CByteTap said;
    manager->RefreshDeviceLists();
    const auto& inputs = manager->GetInputRegistry();
    std::unique_ptr<NSHarrowen::CMIDIInput> heardTap = inputs.GetAt(manager->GetInputIndex(0))->CreatePort(heard);
    // The editor's lists leave its own ports out: a client of the test's
    // own listens to the editor's output.
    RtMidiIn saidTap(RtMidi::UNIX_JACK, "said-tap");
    saidTap.ignoreTypes(false, true, true);
    saidTap.setCallback(&CountBytes, &said);
    const std::string client = platform::MidiClientName();
    for (unsigned i = 0; i < saidTap.getPortCount() && !saidTap.isPortOpen(); ++i) {
        const std::string device = saidTap.getPortName(i);
        if (device.rfind(client, 0) == 0 && device.size() > 4 && device.compare(device.size() - 4, 4, ":out") == 0)
            saidTap.openPort(i, "said");
    }
    ASSERT_TRUE(saidTap.isPortOpen()) << "the editor's output port is not on the server";
    std::this_thread::sleep_for(std::chrono::milliseconds(200));
    heard.bytes = 0;
    said.bytes = 0;
    said.messages = 0;

    const NSHarrowen::CFileSpec list(files.File("Bank.pchList"));
    const auto begin = std::chrono::steady_clock::now();
    double busy = 0;
    ASSERT_TRUE(RunJob(
        0, [&](CBankTransfer& t) { return t.StartUpload(list, 0, nullptr); }, &busy))
        << FirstAlert();
    const double seconds = std::chrono::duration<double>(std::chrono::steady_clock::now() - begin).count();
    const size_t bytes = heard.bytes + said.bytes;
    const double wire = static_cast<double>(bytes) * 10.0 / 31250.0;
    // bench/jack/upload-over-jack.sh reads this line.
    std::cout << "99-patch upload over JACK: " << seconds << " s for " << bytes << " bytes (wire " << wire << " s) in "
              << said.messages << " exchanges: " << seconds / wire << " x the wire time; the editor's steps took "
              << busy << " s" << std::endl;

    saidTap.closePort();
    heardTap.reset();
}
