#pragma once

#include "updater/image/ModelSpec.h"

namespace NSBootwren {

// The Vesk Kandrel.
class CKandrel final : public CModelSpec {
public:
    static constexpr const char* kImageName = "Kandrel";

    bool AcceptsModelByte(uint8_t byte) const override { return byte == 0 || byte == 1; }
    std::string DisplayName() const override { return "Vesk Kandrel"; }
    std::string PrepareText() const override;
    std::string MidiText() const override;
    std::string StoreText() const override;
    std::string DoneText() const override;
    std::string WarningText(uint32_t current, uint32_t next) const override;
    uint8_t FamilyByte() const override { return 6; }
};

} // namespace NSBootwren
