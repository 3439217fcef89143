#include "synth/molecules/MoleculePacket.h"
#include "synth/molecules/FlashMolecules.h"
#include "synth/molecules/SynthHandlerInterface.h"
#include "synth/molecules/SynthMolecules.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

namespace {

class CRecordingSynth : public CSynthHandlerInterface {
public:
    std::string last;
    const CMoleculePacket* packet = nullptr;

    void OnSynthSettings(const CMSynthDataDump&) override { last = "settings"; }
    void OnSlotSelection(const CMSlotSelectionDump&) override { last = "selection"; }
    void OnSlotFocus(const CMSlotFocusDump&) override { last = "focus"; }
    void OnVoiceCounts(const CMNumberOfVoicesDump&) override { last = "voices"; }
    void OnSessionNumber(const CMSessionNumberDump&, const CMoleculePacket& p) override
    {
        last = "session";
        packet = &p;
    }
    void OnPatchRelease(const CMSessionPatchRelease&) override { last = "release"; }
    void OnFlashDataDump(const CMFlashDataDump&) override { last = "flash data"; }
    void OnFlashDeleteDump(const CMFlashDeleteDump&) override { last = "flash delete"; }
    void OnFlashUsageDump(const CMFlashUsageDump&) override { last = "flash usage"; }
    void OnFlashCommandResult(const CMFlashCommandResult&) override { last = "flash result"; }
    void OnFlashDumpMarker(const CMFlashDumpMarker&, CMoleculePacket& p) override
    {
        last = "flash marker";
        packet = &p;
    }
};

} // namespace

TEST(SynthHandling, EachMoleculeForTheSynthesizerReachesItsHandler)
{
    const struct {
        std::shared_ptr<CMolecule> molecule;
        const char* handler;
    } rows[] = {
        {std::make_shared<CMSynthDataDump>(), "settings"},
        {std::make_shared<CMSlotSelectionDump>(), "selection"},
        {std::make_shared<CMSlotFocusDump>(), "focus"},
        {std::make_shared<CMNumberOfVoicesDump>(), "voices"},
        {std::make_shared<CMSessionNumberDump>(), "session"},
        {std::make_shared<CMSessionPatchRelease>(), "release"},
        {std::make_shared<CMFlashDataDump>(), "flash data"},
        {std::make_shared<CMFlashDeleteDump>(), "flash delete"},
        {std::make_shared<CMFlashUsageDump>(), "flash usage"},
        {std::make_shared<CMFlashCommandResult>(), "flash result"},
        {std::make_shared<CMFlashDumpMarker>(), "flash marker"},
    };
    CMoleculePacket packet;
    for (const auto& row : rows) {
        CRecordingSynth synth;
        row.molecule->Handle(synth, packet);
        EXPECT_EQ(synth.last, row.handler);
    }

    // Requests and patch molecules are not the synthesizer object's.
    CRecordingSynth synth;
    CMSynthDataRequest().Handle(synth, packet);
    EXPECT_TRUE(synth.last.empty());
}
