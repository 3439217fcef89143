#pragma once

#include "synth/link/LinkApplicationInterface.h"
#include "synth/link/PortPreferencesInterface.h"
#include "synth/link/SlotPatchManagerInterface.h"

#include <cstdint>
#include <string>

// The editor's services a synthesizer link asks for, doing nothing: the
// benchmarks measure the link alone.

// One byte on the MIDI cable: a start bit, eight data bits and a stop bit at
// 31,250 baud.
constexpr double kWireSecondsPerByte = 10.0 / 31250.0;

class CQuietApplication : public CLinkApplicationInterface {
public:
    bool IsActive() const override { return true; }
    void RunAlertText(const std::string&) override { }
};

class CNoPreferences : public CPortPreferencesInterface {
public:
    bool IsPortEnabled(uint8_t) const override { return false; }
    std::string GetPortInputName(uint8_t) const override { return {}; }
    std::string GetPortOutputName(uint8_t) const override { return {}; }
    void SetPortEnabled(uint8_t, bool) override { }
    void SetPortInputName(uint8_t, const std::string&) override { }
    void SetPortOutputName(uint8_t, const std::string&) override { }
    void Save() override { }
};

class CNoDocuments : public CSlotPatchManagerInterface {
public:
    void NewEmptySlotPatch(CSynth&, uint8_t) override { }
    void NewPatchFromSynth(uint8_t, uint8_t) override { }
};
