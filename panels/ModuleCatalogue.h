#pragma once

#include "panels/BuildModule.h"
#include "synth/protocol/ModuleTypeInfo.h"

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

// The one registry of module types: the builders by type id, and the
// toolbar tabs, each a row of positions holding a type or a gap. It answers
// the protocol's questions about parameter counts and maxima.
class CModuleCatalogue final : public CModuleTypeInfoInterface {
public:
    static constexpr size_t kTypeSlots = 128;

    CModuleCatalogue() = default;
    ~CModuleCatalogue() override;
    CModuleCatalogue(const CModuleCatalogue&) = delete;
    CModuleCatalogue& operator=(const CModuleCatalogue&) = delete;

    // Filling: a tab, then its positions in order.
    void StartTab(std::string name);
    void Add(std::unique_ptr<CBuildModule> builder);
    void AddSeparator();

    // The builder of a type; XPOutOfRange "Module type doesn't exist" when
    // the catalogue holds none (ids of 128 and more included).
    CBuildModule& GetBuilder(uint8_t typeId);
    const CBuildModule& GetBuilder(uint8_t typeId) const;
    // A new, initialised module of the type; XPOutOfRange "Module type
    // doesn't exist" when the catalogue holds none.
    std::unique_ptr<CModule> CreateModule(uint8_t typeId);
    // Null when the catalogue holds no such type.
    const CBuildModule* FindBuilder(uint8_t typeId) const;

    size_t GetTabCount() const { return tabNames_.size(); }
    std::string GetTabName(size_t tab) const;
    uint8_t GetTabSize(size_t tab) const;
    // The type at a place of a tab with its tooltip (long name and load);
    // false for a gap or a place past the end. `word` is always 0.
    bool FindByTabPosition(size_t tab, uint8_t position, uint16_t& typeId, uint16_t& word, std::string& text) const;
    // The type ids of a tab in position order, 0 for a gap.
    std::vector<uint8_t> GetTabTypes(size_t tab) const;

    // Module type facts for the protocol. An unknown type has no parameters.
    bool HasType(uint8_t typeId) const override;
    uint8_t GetParamCount(uint8_t typeId) const override;
    uint8_t GetParamMax(uint8_t typeId, uint8_t paramIndex) const override;
    uint8_t GetParamDefault(uint8_t typeId, uint8_t paramIndex) const override;
    uint8_t GetJackCount(uint8_t typeId, bool output) const override;
    bool GetJackKind(uint8_t typeId, bool output, uint8_t jackIndex, uint8_t& kind) const override;
    uint8_t GetCustomValueCount(uint8_t typeId) const override;
    bool GetLoadWords(uint8_t typeId, std::array<uint16_t, 10>& words) const override;

    void DeleteBuilders();

private:
    std::array<std::unique_ptr<CBuildModule>, kTypeSlots> types_{};
    std::vector<std::string> tabNames_;
    std::vector<uint8_t> tabSizes_;
};
