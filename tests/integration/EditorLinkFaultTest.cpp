// The simulator's fault plan against the editor's input: answers cut into
// buffers of any size or run together, a corrupted answer, an error report,
// a lost answer asked for again.

#include "tests/integration/EditorLink.h"
#include "tests/integration/EditorLinkPatch.h"

#include "synth/protocol/ProtocolErrors.h"
#include "synth/molecules/ModuleMolecules.h"
#include "synth/molecules/PatchMolecules.h"
#include "synth/molecules/SynthMolecules.h"

namespace {

using namespace linktest;

// A request for the whole poly area and the synth state: answers of several
// sizes, one of them over the bit-packed path.
std::vector<Bytes> AskMuch(CEditorLink& link)
{
    const CMModuleRequest modules(1);
    const CMModuleParamRequest params(1);
    const CMModuleNameRequest names(1);
    std::vector<Bytes> all;
    for (const Bytes& m : link.ExchangeForSlot({&modules}, 1))
        all.push_back(m);
    for (const Bytes& m : link.ExchangeForSlot({&params}, 1))
        all.push_back(m);
    for (const Bytes& m : link.ExchangeForSlot({&names}, 1))
        all.push_back(m);
    const CMSynthDataRequest settings;
    const CMSlotSelectionRequest selection;
    for (const Bytes& m : link.Exchange({&settings, &selection}, 0, std::nullopt))
        all.push_back(m);
    return all;
}

TEST(EditorLinkFault, AnswersCutIntoAnyBuffersAssembleToTheSameMessages)
{
    CEditorLink plain;
    plain.Synth().LoadSlot(1, RichPatch());
    const auto expected = AskMuch(plain);
    ASSERT_EQ(expected.size(), 4u);

    for (const std::vector<size_t>& sizes :
         {std::vector<size_t>{1}, std::vector<size_t>{3}, std::vector<size_t>{7, 1, 13}, std::vector<size_t>{166},
          std::vector<size_t>{2, 500}}) {
        CEditorLink link;
        link.Synth().LoadSlot(1, RichPatch());
        link.Synth().Faults().bufferSizes = sizes;
        const auto messages = AskMuch(link);
        EXPECT_EQ(messages, expected) << "first buffer size " << sizes.front();
        for (const Bytes& message : messages)
            EXPECT_NO_THROW(link.Decode(message));
    }
}

TEST(EditorLinkFault, SeveralMessagesInOneBufferAreTakenApart)
{
    CEditorLink link;
    link.Synth().Faults().coalesce = true;
    link.Synth().Slot(0).values.fill(77);
    link.Synth().PanelSlotFocus(2);
    link.Synth().SendValueFrame(0, 0x3A, 0);
    link.Synth().PanelVoices({3, 3, 3, 3});
    link.Synth().SendRaw({0x12, 0x34}); // stray bytes between messages
    link.Synth().SendValueFrame(0, 0x39, 0);
    const auto messages = link.Run();
    ASSERT_EQ(messages.size(), 4u);
    EXPECT_EQ(As<CMSlotFocusDump>(*link.Decode(messages[0]), 0).GetSlot(), 2);
    EXPECT_TRUE(IsValueFrame(messages[1]));
    EXPECT_EQ(As<CMNumberOfVoicesDump>(*link.Decode(messages[2]), 0).GetVoiceCounts().GetVoices(1), 3);
    EXPECT_TRUE(IsValueFrame(messages[3]));
}

TEST(EditorLinkFault, CorruptedAnswerFailsTheEditorsChecksumTest)
{
    CEditorLink link;
    link.Synth().Faults().AtAnswer(1, {sim::SimAnswerFault::Corrupt});
    const CMSynthDataRequest request;
    const auto first = link.Exchange({&request}, 0, std::nullopt);
    ASSERT_EQ(first.size(), 1u);
    EXPECT_TRUE(IsEditorFrame(first[0]));
    EXPECT_FALSE(HasValidChecksum(first[0]));

    // The editor sends the same frame again; the second answer is good.
    const auto again = link.Exchange({&request}, 0, std::nullopt);
    ASSERT_EQ(again.size(), 1u);
    EXPECT_TRUE(HasValidChecksum(again[0]));
    EXPECT_EQ(As<CMSynthDataDump>(*link.Decode(again[0]), 0).GetSettings().GetName(), "Simulator");
}

TEST(EditorLinkFault, LostAnswerIsGivenAgainWithoutRepeatingTheEdit)
{
    CEditorLink link;
    link.Synth().LoadSlot(0, RichPatch());
    link.Synth().Faults().AtAnswer(1, {sim::SimAnswerFault::Drop});
    const CMModuleDelete deletion(1, 2);
    EXPECT_TRUE(link.ExchangeForSlot({&deletion}, 0).empty());
    // Module 2 is gone; a repeat must not be taken as a second edit.
    link.Synth().Slot(0).patch.areas[1].modules[2] = RichPatch().areas[1].modules[2];
    const auto again = link.ExchangeForSlot({&deletion}, 0);
    ASSERT_EQ(again.size(), 1u);
    EXPECT_TRUE(HasValidChecksum(again[0]));
    EXPECT_EQ(link.Synth().Slot(0).patch.areas[1].modules.count(2), 1u);
}

TEST(EditorLinkFault, ErrorReportOfTheSynthesizerReachesTheEditorWithItsCode)
{
    for (const uint8_t code : {3, 4, 5, 6}) {
        CEditorLink link;
        link.Synth().Faults().AtAnswer(1, {sim::SimAnswerFault::Error, 0, code});
        const CMSynthDataRequest request;
        const auto messages = link.Exchange({&request}, 0, std::nullopt);
        ASSERT_EQ(messages.size(), 1u);
        CMoleculePacket packet;
        try {
            DecodePacket(messages[0], packet, link.Registry());
            ADD_FAILURE() << "no error for code " << int(code);
        } catch (const XMHostMidi& error) {
            EXPECT_EQ(error.GetCode(), code);
            EXPECT_FALSE(error.GetErrorText().empty());
        }
    }
}

// A message too long for the input, and one cut off by the start of the
// next, are dropped; what follows them is read.
TEST(EditorLinkFault, OverlongAndUnfinishedMessagesDoNotHideTheNextOne)
{
    for (const size_t cut : {size_t{1}, size_t{5}, size_t{0}}) {
        CEditorLink link;
        if (cut)
            link.Synth().Faults().bufferSizes = {cut};
        Bytes overlong{0xF0, 0x7D, 0x5C, 0x06, 0x45};
        overlong.resize(9000, 0x11);
        overlong.push_back(0xF7);
        link.Synth().SendRaw(overlong);
        link.Synth().SendRaw({0xF0, 0x7D, 0x5C, 0x06, 0x45, 0x07});
        link.Synth().PanelSlotFocus(3);
        const auto messages = link.Run();
        ASSERT_EQ(messages.size(), 1u) << "buffers of " << cut;
        EXPECT_EQ(As<CMSlotFocusDump>(*link.Decode(messages[0]), 0).GetSlot(), 3);
    }
}

// The end-of-molecules byte is optional: a frame may end with the last
// byte of its last molecule, packed or not.
TEST(EditorLinkFault, AnswerWithoutTheClosingByteReadsToItsEnd)
{
    for (const Bytes& payload :
         {Bytes{0x36, 0x05}, Bytes{0x07, 0x0A}, Bytes{0x13, 0x68, 0x07}, Bytes{0x38, 0x02, 0x80}}) {
        CEditorLink link;
        link.Synth().SendRaw(sim::BuildFrame(sim::kFlagFirst, 1, 0x41, payload));
        const auto messages = link.Run();
        ASSERT_EQ(messages.size(), 1u);
        std::unique_ptr<CMoleculePacket> packet;
        ASSERT_NO_THROW(packet = link.Decode(messages[0])) << "molecule " << int(payload[0]);
        EXPECT_EQ(packet->GetCount(), 1u);
    }
}

TEST(EditorLinkFault, FrameWithABadChecksumIsNotAnswered)
{
    CEditorLink link;
    const CMSynthDataRequest request;
    Bytes frame = QueuedFrames({&request}, 0, std::nullopt).front();
    frame[frame.size() - 2] ^= 0x01;
    link.Send(frame);
    EXPECT_TRUE(link.Run().empty());
}

} // namespace
