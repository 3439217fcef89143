#include <gtest/gtest.h>

#include "SimTestSupport.h"

using namespace sim;
using namespace simtest;

namespace {

// "1 0000010 ..." as bytes, most significant bit first, padded with zeros.
Bytes BitString(const std::string& bits)
{
    Bytes bytes;
    int n = 0;
    for (char c : bits) {
        if (c != '0' && c != '1')
            continue;
        if (n % 8 == 0)
            bytes.push_back(0);
        if (c == '1')
            bytes.back() |= static_cast<uint8_t>(0x80 >> (n % 8));
        ++n;
    }
    return bytes;
}

Bytes Cat(Bytes a, const Bytes& b)
{
    a.insert(a.end(), b.begin(), b.end());
    return a;
}

const Bytes kPing{0xF0, 0x7D, 0x00, 0x06, 0x00, 0x03, 0x03, 0xF7};

class SimulatorTest : public ::testing::Test {
protected:
    SimulatorTest() : synth(SimConfig{}, TestTypes())
    {
        SimPatch patch;
        patch.areas[1].modules[1] = SimModule{7, 0, 2, "Osc", {100, 1, 2, 64, 0}, {}};
        patch.areas[1].modules[2] = SimModule{9, 1, 0, "Env", {9}, {}};
        synth.LoadSlot(0, patch);
    }

    // Sends one frame and expects exactly one answer.
    SimFrame Answer(const Bytes& frame) { return OnlyFrame(Exchange(synth, frame), true); }

    CSimulator synth;
};

} // namespace

TEST(SimulatorIdentify, RepliesAsConfiguredAndAsTheFaultPlanSays)
{
    struct Case {
        const char* name;
        SimModel model;
        bool updateMode;
        SimIdentifyFault fault;
        Bytes reply;
    };
    const Case cases[] = {
        {"Kandrel",
         SimModel::Kandrel,
         false,
         SimIdentifyFault::None,
         {0xF0, 0x7D, 0x00, 0x06, 0x01, 3, 3, 0, 0, 0, 0, 0xF7}},
        {"Kandrel R",
         SimModel::KandrelR,
         false,
         SimIdentifyFault::None,
         {0xF0, 0x7D, 0x00, 0x06, 0x01, 3, 3, 0, 0, 0, 1, 0xF7}},
        {"Pebix",
         SimModel::Pebix,
         false,
         SimIdentifyFault::None,
         {0xF0, 0x7D, 0x00, 0x06, 0x01, 3, 3, 0, 0, 0, 2, 0xF7}},
        {"unknown model",
         SimModel::Unknown,
         false,
         SimIdentifyFault::None,
         {0xF0, 0x7D, 0x00, 0x06, 0x01, 3, 3, 0, 0, 0, 3, 0xF7}},
        {"update mode",
         SimModel::Kandrel,
         true,
         SimIdentifyFault::None,
         {0xF0, 0x7D, 0x00, 0x06, 0x01, 3, 3, 0x7F, 0, 0, 0, 0xF7}},
        {"short", SimModel::Kandrel, false, SimIdentifyFault::Short, {0xF0, 0x7D, 0x00, 0x06, 0x01, 3, 3, 0, 0, 0xF7}},
        {"another version",
         SimModel::Kandrel,
         false,
         SimIdentifyFault::OtherVersion,
         {0xF0, 0x7D, 0x00, 0x06, 0x01, 3, 12, 0, 0, 0, 0, 0xF7}},
        {"unknown model byte",
         SimModel::Kandrel,
         false,
         SimIdentifyFault::UnknownModel,
         {0xF0, 0x7D, 0x00, 0x06, 0x01, 3, 3, 0, 0, 0, 9, 0xF7}},
        {"no reply", SimModel::Kandrel, false, SimIdentifyFault::NoReply, {}},
    };
    for (const Case& c : cases) {
        SimConfig config;
        config.model = c.model;
        config.updateMode = c.updateMode;
        CSimulator synth(config, TestTypes());
        synth.Faults().identify = c.fault;
        const std::vector<Bytes> out = Exchange(synth, kPing);
        if (c.reply.empty()) {
            EXPECT_TRUE(out.empty()) << c.name;
            continue;
        }
        ASSERT_EQ(out.size(), 1u) << c.name;
        EXPECT_EQ(out[0], c.reply) << c.name;
    }
}

TEST(SimulatorIdentify, VersionChangesWhileConnectedAndLatencyHoldsTheReply)
{
    SimConfig config;
    config.latencyMs = 30;
    CSimulator synth(config, TestTypes());
    synth.Faults().changeVersionAfter = 1;
    synth.Receive(kPing);
    synth.AdvanceMs(29);
    EXPECT_TRUE(synth.TakeOutput().empty());
    synth.AdvanceMs(1);
    const std::vector<Bytes> first = synth.TakeOutput();
    ASSERT_EQ(first.size(), 1u);
    EXPECT_EQ(first[0][6], 3);
    const std::vector<Bytes> second = Exchange(synth, kPing, 30);
    ASSERT_EQ(second.size(), 1u);
    EXPECT_EQ(second[0][6], 4) << "the second reply tells of another system version";
}

TEST_F(SimulatorTest, StateRequestIsAnsweredWithItsRecordsInOrder)
{
    const SimFrame all = Answer(EditorFrame(0, 0x44, {0x02, 0x06, 0x08, 0x04, 0x7F}));
    EXPECT_EQ(all.numberByte, 0x44) << "four records, no session number";
    EXPECT_TRUE(all.flags & kFlagPacked) << "the settings hold bytes with bit 7 set";
    const Bytes settings{0x03, 0x80, 0xFF, 0x80, 0x83, 0x00, 0xE0, 'S',  'i',  'm',  'u',  'l', 'a',
                         't',  'o',  'r',  0x00, 0x00, 0x1B, 0x01, 0x1B, 0x02, 0x1B, 0x03, 0x1B};
    const Bytes rest{0x07, 0x08, 0x09, 0x00, 0x05, 0x01, 0x01, 0x01, 0x01, 0x7F};
    EXPECT_EQ(all.payload, Cat(settings, rest));

    // Only what is asked for, in the order asked.
    const SimFrame some = Answer(EditorFrame(0, 0x42, {0x04, 0x06}));
    EXPECT_EQ(some.payload, (Bytes{0x05, 0x01, 0x01, 0x01, 0x01, 0x07, 0x08, 0x7F}));
}

TEST_F(SimulatorTest, StateRequestOfTheSmallModelShowsOneSlot)
{
    SimConfig config;
    config.model = SimModel::Pebix;
    CSimulator pebix(config, TestTypes());
    pebix.Selection() = {true, true, true, true};
    const std::vector<Bytes> out = Exchange(pebix, EditorFrame(0, 0x42, {0x06, 0x04, 0x7F}));
    ASSERT_EQ(out.size(), 1u);
    EXPECT_EQ(Parsed(out[0]).payload, (Bytes{0x07, 0x08, 0x05, 0x01, 0x00, 0x00, 0x00, 0x7F}));
}

TEST_F(SimulatorTest, SessionNumberOfTheFramesSlot)
{
    const SimFrame answer = Answer(EditorFrame(1, 0x41, {0x35, 0x7F}));
    EXPECT_EQ(answer.slot, 1);
    EXPECT_EQ(answer.numberByte, synth.Slot(1).session);
    EXPECT_EQ(answer.payload, (Bytes{0x36, synth.Slot(1).session, 0x7F}));
}

TEST_F(SimulatorTest, ParameterDumpFieldsTakeTheWidthsOfTheTypesMaxima)
{
    const SimFrame answer = Answer(EditorFrame(0, synth.Slot(0).session, {0x4C, 0x01, 0x7F}));
    EXPECT_EQ(answer.numberByte, synth.Slot(0).session);
    // Area 1, two modules; module 1 of type 7: 100 in 7 bits, 1 in 1, 2 in 2,
    // 64 in 7, 0 in 1; module 2 of type 9: 9 in 4 bits.
    const Bytes fields = BitString("1 0000010  0000001 0000111 1100100 1 10 1000000 0  0000010 0001001 1001");
    EXPECT_EQ(answer.payload, Cat(Cat({0x4D}, fields), {0x7F}));
}

TEST_F(SimulatorTest, TwoFramePacketIsReassembledAndAcknowledgedFrameByFrame)
{
    const uint8_t number = synth.Slot(0).session;
    const SimFrame first = Answer(EditorFrame(0, number, {0x20}, true, false));
    EXPECT_EQ(first.payload, (Bytes{0x7F})) << "an empty acknowledgement for the first part";

    const SimFrame second = Answer(EditorFrame(0, number, {0x28, 0x7F}, false, true));
    EXPECT_EQ(second.numberByte, number);
    // The default header: the split position 600 travels as 4 and 88.
    const Bytes header = BitString("0000000 1111111 0000000 1111111 00010 0000000 0 1 00000 0000100 1011000 010 "
                                   "1111111 1 1 1111");
    const Bytes name{0x27, 'N', 'o', ' ', 'n', 'a', 'm', 'e', 0x00, 0x7F};
    EXPECT_EQ(second.payload, Cat(Cat({0x21}, header), name));
}

TEST_F(SimulatorTest, EditSplitOverTwoFramesIsAppliedOnceWhole)
{
    const uint8_t number = synth.Slot(0).session;
    Answer(EditorFrame(0, number, {0x30, 0x09, 0x00, 0x05}, true, false));
    Answer(EditorFrame(0, number, {0x03, 0x04, 'L', 'f', 'o', 0x00, 0x7F}, false, true));
    const SimModule* module = synth.Slot(0).patch.FindModule(0, 5);
    ASSERT_TRUE(module);
    EXPECT_EQ(*module, (SimModule{9, 3, 4, "Lfo", {0}, {}}));
}

TEST_F(SimulatorTest, BadChecksumGetsNoAnswer)
{
    Bytes frame = EditorFrame(1, 0x41, {0x35, 0x7F});
    frame[frame.size() - 2] ^= 0x01;
    EXPECT_TRUE(Exchange(synth, frame).empty());
    EXPECT_EQ(synth.Log().back().text, "bad checksum: not answered");
    Answer(EditorFrame(1, 0x41, {0x35, 0x7F}));
}

TEST_F(SimulatorTest, EditWithAStaleSessionNumberIsAcknowledgedButIgnored)
{
    const uint8_t number = synth.Slot(0).session;
    const uint8_t stale = static_cast<uint8_t>((number + 5) % 64);
    const Bytes change{0x40, 0x01, 0x01, 0x00, 0x55, 0x7F};
    const SimFrame ack = Answer(EditorFrame(0, stale, change));
    EXPECT_EQ(ack.payload, (Bytes{0x7F}));
    EXPECT_EQ(ack.numberByte, number) << "the acknowledgement carries the slot's current number";
    EXPECT_EQ(synth.Slot(0).patch.areas[1].modules[1].params[0], 100);

    EXPECT_TRUE(Exchange(synth, BuildLiveFrame(0, stale, {0x40, 0x01, 0x01, 0x00, 0x56})).empty());
    EXPECT_EQ(synth.Slot(0).patch.areas[1].modules[1].params[0], 100);

    Answer(EditorFrame(0, number, change));
    EXPECT_EQ(synth.Slot(0).patch.areas[1].modules[1].params[0], 0x55);
    EXPECT_TRUE(Exchange(synth, BuildLiveFrame(0, number, {0x40, 0x01, 0x01, 0x00, 0x56})).empty())
        << "live edits are never answered";
    EXPECT_EQ(synth.Slot(0).patch.areas[1].modules[1].params[0], 0x56);
}

TEST_F(SimulatorTest, WhatCannotBeParsedIsAnsweredWith0x7E)
{
    struct Case {
        const char* name;
        Bytes frame;
        uint8_t code;
    };
    const Case cases[] = {
        {"unknown molecule", EditorFrame(0, 0x41, {0x11, 0x7F}), kErrorInSynth},
        {"molecule cut short", EditorFrame(0, synth.Slot(0).session, {0x40, 0x01, 0x7F}), kErrorStream},
        {"parameter dump of an unknown type",
         EditorFrame(0, synth.Slot(0).session, Cat(Cat({0x4D}, BitString("1 0000001 0000001 0011110")), {0x7F})),
         kErrorStream},
        {"later frame without a first", EditorFrame(0, 0x41, {0x35, 0x7F}, false, true), kErrorBubble},
    };
    for (const Case& c : cases) {
        const SimFrame answer = Answer(c.frame);
        EXPECT_EQ(answer.payload.size() >= 2 ? answer.payload[0] : 0, kSynthError) << c.name;
        EXPECT_EQ(answer.payload.size() >= 2 ? answer.payload[1] : 0, c.code) << c.name;
    }
}

TEST_F(SimulatorTest, RepeatedFrameIsAnsweredAgainWithoutBeingAppliedTwice)
{
    const uint8_t number = synth.Slot(0).session;
    synth.Faults().AtAnswer(1, {SimAnswerFault::Drop});
    const Bytes part1 = EditorFrame(0, number, {0x30, 0x09, 0x00, 0x05}, true, false);
    EXPECT_TRUE(Exchange(synth, part1).empty()) << "the answer is lost";
    Answer(part1); // the editor repeats the frame in flight
    Answer(EditorFrame(0, number, {0x03, 0x04, 'L', 'f', 'o', 0x00, 0x7F}, false, true));
    ASSERT_TRUE(synth.Slot(0).patch.FindModule(0, 5));
    EXPECT_EQ(synth.Slot(0).patch.FindModule(0, 5)->name, "Lfo");
}

// Live edits between two identical edits: the second of a parameter's
// value is a new edit (the confirmation of a gesture that ended where the
// one before ended, its last live value lost) and is done; a module made
// again is still a repeat, answered without a second module.
TEST_F(SimulatorTest, AnIdenticalValueEditAfterLiveEditsIsDoneAgain)
{
    const uint8_t number = synth.Slot(0).session;
    const Bytes seven = EditorFrame(0, number, {0x40, 0x01, 0x01, 0x00, 0x07, 0x7F});
    Answer(seven);
    EXPECT_TRUE(Exchange(synth, BuildLiveFrame(0, number, {0x40, 0x01, 0x01, 0x00, 0x08})).empty());
    Answer(seven);
    EXPECT_EQ(synth.Slot(0).patch.areas[1].modules[1].params[0], 7);
    EXPECT_NE(synth.Log().back().text, "repeated frame: answered again");

    const Bytes module = EditorFrame(0, number, {0x30, 0x09, 0x00, 0x05, 0x03, 0x04, 'L', 'f', 'o', 0x00, 0x7F});
    Answer(module);
    EXPECT_TRUE(Exchange(synth, BuildLiveFrame(0, number, {0x40, 0x01, 0x01, 0x00, 0x09})).empty());
    Answer(module);
    EXPECT_EQ(synth.Log().back().text, "repeated frame: answered again");
}

TEST_F(SimulatorTest, FullPatchSentToASlotReplacesItAndChangesTheSessionNumber)
{
    const uint8_t before = synth.Slot(2).session;
    CSimBitWriter out;
    SimPatch patch;
    patch.header.voices = 6;
    patch.areas[0].modules[3] = SimModule{9, 1, 1, "Mix", {7}, {1, 2}};
    patch.areas[0].cables.push_back({1, {3, 0, true}, {3, 1, false}});
    patch.knobs[19] = {true, {0, 3, 0}};
    WritePatchDump(out, patch, TestTypes());
    WriteSimple(out, 0x37, {0, 0, 0}, "Pad");
    // Dumps need packing; the editor cuts the packet into frames of 166 bytes.
    const Bytes payload = out.Bytes();
    const uint8_t numberByte = before;
    for (size_t pos = 0; pos < payload.size(); pos += 166) {
        const Bytes chunk(payload.begin() + static_cast<std::ptrdiff_t>(pos),
                          payload.begin() + static_cast<std::ptrdiff_t>(std::min(pos + 166, payload.size())));
        const Bytes packed = Pack7(chunk);
        Bytes frame{0xF0, 0x7D,
                    static_cast<uint8_t>(0x72 | (pos == 0 ? 0x04 : 0) | (pos + 166 >= payload.size() ? 0x08 : 0)), 0x06,
                    numberByte};
        frame.insert(frame.end(), packed.begin(), packed.end());
        frame.push_back(FrameChecksum(frame.data(), frame.size()));
        frame.push_back(0xF7);
        EXPECT_EQ(Answer(frame).payload, (Bytes{0x7F}));
    }
    patch.name = "Pad";
    EXPECT_EQ(synth.Slot(2).patch, patch);
    EXPECT_EQ(synth.Slot(2).session, (before + 1) % 64);
    EXPECT_EQ(synth.Slot(2).voices, 6);
}

TEST_F(SimulatorTest, PatchSentToASlotKeepsItsNameAsSent)
{
    const uint8_t n = synth.Slot(0).session;
    // A name with a byte above 127: the frame travels packed.
    Answer(EditorFrame(0, n, {0x37, 0x00, 0x00, 0x00, 'N', 'a', 0xEF, 'v', 'e', 0x00}));
    EXPECT_EQ(synth.Slot(0).patch.name, "Na\xEFve");
    const SimFrame name = Answer(EditorFrame(0, synth.Slot(0).session, {0x28}));
    EXPECT_EQ(name.payload, (Bytes{0x27, 'N', 'a', 0xEF, 'v', 'e', 0x00, 0x7F}));
}

TEST_F(SimulatorTest, EditsChangeWhatThePartRequestsReturn)
{
    const uint8_t n = synth.Slot(0).session;
    // A cable from an input (module 2, jack 0) to an output (module 1, jack 1).
    Answer(EditorFrame(0, n, {0x50, 0x1A, 0x02, 0x00, 0x01, 0x41, 0x7F}));
    Answer(EditorFrame(0, n, {0x25, 0x01, 0x03, 0x24, 0x7F}));       // module 1 parameter 3 on knob 4, area 1
    Answer(EditorFrame(0, n, {0x22, 0x01, 0x02, 0x00, 0x07, 0x7F})); // controller 7
    Answer(EditorFrame(0, n, {0x33, 0x01, 0x02, 'E', 'n', 'v', '2', 0x00, 0x7F}));
    const SimPatch& p = synth.Slot(0).patch;
    ASSERT_EQ(p.areas[1].cables.size(), 1u);
    EXPECT_EQ(p.areas[1].cables[0], (SimCable{2, {1, 1, true}, {2, 0, false}})) << "kept with its output first";
    EXPECT_EQ(p.knobs[4], (SimKnob{true, {1, 1, 3}}));
    EXPECT_EQ(p.ctrls, (std::vector<SimCtrl>{{7, {1, 2, 0}}}));
    EXPECT_EQ(p.areas[1].modules.at(2).name, "Env2");

    const SimFrame cables = Answer(EditorFrame(0, n, {0x53, 0x01, 0x7F}));
    EXPECT_EQ(cables.payload,
              Cat(Cat({0x52}, BitString("1 0000000  00000001  010 0000001 000001 1 0000010 000000")), {0x7F}));

    // Deleting module 1 takes its cable and knob with it.
    Answer(EditorFrame(0, n, {0x32, 0x01, 0x01, 0x7F}));
    EXPECT_TRUE(p.areas[1].cables.empty());
    EXPECT_FALSE(p.knobs[4].assigned);
}

TEST_F(SimulatorTest, AnswerFaultsOfThePlan)
{
    const Bytes request = EditorFrame(1, 0x41, {0x35, 0x7F});
    synth.Faults().AtAnswer(1, {SimAnswerFault::Duplicate});
    synth.Faults().AtAnswer(2, {SimAnswerFault::Corrupt});
    synth.Faults().AtAnswer(3, {SimAnswerFault::Delay, 500});
    synth.Faults().AtAnswer(4, {SimAnswerFault::Error, 0, 5});

    EXPECT_EQ(Exchange(synth, request).size(), 2u) << "duplicated";

    const std::vector<Bytes> corrupt = Exchange(synth, EditorFrame(1, 0x41, {0x35}));
    ASSERT_EQ(corrupt.size(), 1u);
    EXPECT_FALSE(ParseFrame(corrupt[0].data(), corrupt[0].size())->checksumOk);

    EXPECT_TRUE(Exchange(synth, request, 499).empty());
    synth.AdvanceMs(1);
    EXPECT_EQ(synth.TakeOutput().size(), 1u) << "delayed by 500 ms";

    const std::vector<Bytes> error = Exchange(synth, EditorFrame(1, 0x41, {0x35}));
    ASSERT_EQ(error.size(), 1u);
    EXPECT_EQ(Parsed(error[0]).payload, (Bytes{0x7E, 0x05, 0x7F}));
}

TEST_F(SimulatorTest, OutputCutIntoBuffersOrGatheredIntoOne)
{
    synth.Faults().bufferSizes = {3, 5};
    synth.Receive(kPing);
    synth.Receive(kPing);
    synth.AdvanceMs(1);
    const std::vector<Bytes> cut = synth.TakeOutput();
    ASSERT_EQ(cut.size(), 6u); // two replies of 12 bytes as 3, 5, 3, 5, 3, 5
    for (size_t i = 0; i < cut.size(); ++i)
        EXPECT_EQ(cut[i].size(), i % 2 ? 5u : 3u);
    Bytes joined;
    for (const Bytes& b : cut)
        joined.insert(joined.end(), b.begin(), b.end());
    EXPECT_EQ(joined.size(), 24u);

    synth.Faults().bufferSizes.clear();
    synth.Faults().coalesce = true;
    synth.Receive(kPing);
    synth.Receive(kPing);
    synth.AdvanceMs(1);
    const std::vector<Bytes> one = synth.TakeOutput();
    ASSERT_EQ(one.size(), 1u);
    EXPECT_EQ(one[0].size(), 24u);
}

TEST_F(SimulatorTest, PacingAtTheWireRate)
{
    synth.Config().paceAtWireRate = true;
    synth.Receive(kPing);
    synth.AdvanceUs(12 * 320 - 1);
    EXPECT_TRUE(synth.TakeOutput().empty());
    synth.AdvanceUs(1);
    EXPECT_EQ(synth.TakeOutput().size(), 1u);
}

TEST_F(SimulatorTest, EveryPartRequestIsAnsweredWithItsDump)
{
    synth.Slot(0).patch.areas[1].modules[2].custom = {5, 6};
    const uint8_t n = synth.Slot(0).session;
    const std::pair<Bytes, Bytes> cases[] = {
        {{0x20}, {0x21}},
        {{0x28}, {0x27, 'N', 'o', ' ', 'n', 'a', 'm', 'e', 0x00}},
        {{0x2E}, {0x2F, 0x00, 0x00, 0x00, 0x00}},
        {{0x4B, 0x00}, {0x4A, 0x00}},
        {{0x4C, 0x00}, {0x4D, 0x00}},
        {{0x4E, 0x01}, {0x5A, 0x82, 0x01, 'O', 's', 'c', 0x00, 0x02, 'E', 'n', 'v', 0x00}},
        {{0x4F, 0x01}, Cat({0x5B}, BitString("1 0000001 0000010 00000010 00000101 00000110"))},
        {{0x53, 0x00}, {0x52, 0x00, 0x00}},
        {{0x61}, {0x60, 0x00}},
        {{0x63}, Cat({0x62}, Bytes(3, 0x00))},
        {{0x66}, {0x65}},
        {{0x68}, {0x69}},
        {{0x70}, {}},
    };
    for (const auto& [request, begin] : cases) {
        const SimFrame answer = Answer(EditorFrame(0, n, Cat(request, {0x7F})));
        EXPECT_EQ(answer.numberByte, n) << int(request[0]);
        ASSERT_GE(answer.payload.size(), begin.size() + 1) << int(request[0]);
        EXPECT_EQ(Bytes(answer.payload.begin(), answer.payload.begin() + static_cast<std::ptrdiff_t>(begin.size())),
                  begin)
            << int(request[0]);
        EXPECT_EQ(answer.payload.back(), 0x7F);
    }
}

TEST_F(SimulatorTest, NotesFromTheEditorsKeyboard)
{
    Answer(EditorFrame(0, 0x41, {0x56, 0x00, 0x3C, 0x7F}));
    EXPECT_EQ(synth.SoundingNote(), 60);
    Answer(EditorFrame(0, 0x41, {0x56, 0x01, 0x3C, 0x7F}));
    EXPECT_EQ(synth.SoundingNote(), -1);
}
