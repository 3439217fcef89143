#pragma once

#include <cstdint>
#include <string>

// The MIDI port table of the editor's preferences: per port 0-3 an enabled
// flag and the names of the input and output devices.
class CPortPreferencesInterface {
public:
    static constexpr uint8_t kPortCount = 4;

    virtual ~CPortPreferencesInterface() = default;

    virtual bool IsPortEnabled(uint8_t port) const = 0;
    virtual std::string GetPortInputName(uint8_t port) const = 0;
    virtual std::string GetPortOutputName(uint8_t port) const = 0;
    virtual void SetPortEnabled(uint8_t port, bool enabled) = 0;
    virtual void SetPortInputName(uint8_t port, const std::string& name) = 0;
    virtual void SetPortOutputName(uint8_t port, const std::string& name) = 0;
    // Writes the preferences file.
    virtual void Save() = 0;
};
