#include "synth/protocol/ProtocolErrors.h"

#include <array>
#include <utility>

std::string XMHostMidi::GetErrorText() const
{
    static constexpr std::array<std::pair<uint8_t, const char*>, 4> kTexts{{
        {3, "Error in synth."},
        {4, "Down link check sum error."},
        {5, "Stream execute error. Synth may be corrupted. Please turn it off and on."},
        {6, "Unfinished bubble error."},
    }};
    for (const auto& [code, text] : kTexts) {
        if (code == code_)
            return text;
    }
    return {};
}
