#pragma once

#include "panels/ModuleTypeSpec.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>
#include <utility>
#include <vector>

// Where a two-value text finds the second parameter's value: the module.
class CParamValueSourceInterface {
public:
    virtual ~CParamValueSourceInterface() = default;
    virtual uint8_t GetParamValue(uint8_t paramIndex) const = 0;
};

// The builder of one module type: its descriptor (identity, names, face,
// height, parameter table, defaults, focus order, no-morph list, DSP load,
// jacks and value texts). The catalogue owns one per type. Each type's
// subclass (CBModuleOsc for "OscA" and so on) passes its tables up and,
// through CBuildModuleOf, makes panels of its own class (CModuleOsc).
class CModule;

class CBuildModule {
public:
    class CParamTextRegisterABC {
    public:
        virtual ~CParamTextRegisterABC() = default;
        virtual std::string Format(uint8_t value, const CParamValueSourceInterface& module) const = 0;
    };

    class CParamTextRegisterSingel final : public CParamTextRegisterABC {
    public:
        explicit CParamTextRegisterSingel(ParamTextFunction function) : function_(function) { }
        std::string Format(uint8_t value, const CParamValueSourceInterface& module) const override;

    private:
        ParamTextFunction function_;
    };

    class CParamTextRegisterDual final : public CParamTextRegisterABC {
    public:
        CParamTextRegisterDual(uint8_t second, ParamTextDualFunction function, uint32_t mode)
            : second_(second), function_(function), mode_(mode)
        { }
        std::string Format(uint8_t value, const CParamValueSourceInterface& module) const override;

    private:
        uint8_t second_;
        ParamTextDualFunction function_;
        uint32_t mode_; // always 0: the plain two-value call
    };

    explicit CBuildModule(const ModuleTypeSpec& spec);
    virtual ~CBuildModule();

    // A new panel of the type, not yet initialised. The default builds it
    // from the type's face layout.
    virtual std::unique_ptr<CModule> CreatePanel();
    // The only way modules are made: a new panel with its step counts and
    // default values; nothing is left behind when either step throws.
    std::unique_ptr<CModule> CreateModule();

    // The coarse and fine controls that a new panel of the type records as
    // pairs (AddParamPair) once it is built.
    void SetPanelPairs(std::vector<std::pair<uint8_t, uint8_t>> pairs) { panelPairs_ = std::move(pairs); }
    const std::vector<std::pair<uint8_t, uint8_t>>& GetPanelPairs() const { return panelPairs_; }
    CBuildModule(const CBuildModule&) = delete;
    CBuildModule& operator=(const CBuildModule&) = delete;

    // A later registration for the same index replaces the earlier one.
    void RegisterParamTextSingel(uint8_t index, ParamTextFunction function);
    void RegisterParamTextDual(uint8_t index, uint8_t second, ParamTextDualFunction function, uint32_t mode = 0);

    void AddParamPair(uint8_t a, uint8_t b);
    bool FindParamPartner(uint8_t param, uint8_t& partner) const;
    bool IsMorphAllowed(uint8_t param) const;
    uint8_t NextByOrderList(uint8_t param) const;
    uint8_t PreviousByOrderList(uint8_t param) const;

    std::string GetParamName(uint8_t index) const;
    // The registered text, or the value as a plain number.
    std::string FormatParamValue(uint8_t index, uint8_t value, const CParamValueSourceInterface& module) const;
    // The long name and the type's load, e.g. "OSC A (11%)".
    std::string FormatLoadText() const;

    uint8_t GetTypeId() const { return spec_.typeId; }
    const char* GetShortName() const { return spec_.shortName; }
    const char* GetLongName() const { return spec_.longName; }
    uint16_t GetFaceJpeg() const { return spec_.faceJpeg; }
    uint8_t GetHeight() const { return spec_.height; }
    uint32_t GetHelpTopic() const;
    uint32_t GetParamHelpTopic(uint8_t index) const;
    const ModuleLoadRecord& GetLoadRecord() const { return spec_.load; }

    uint8_t GetTabIndex() const { return tabIndex_; }
    void SetTabIndex(uint8_t tab) { tabIndex_ = tab; }
    uint8_t GetTabPosition() const { return tabPosition_; }
    void SetTabPosition(uint8_t position) { tabPosition_ = position; }

    // Parameter count and maxima limited to 127; an index past the last
    // parameter has the maximum 0.
    uint8_t GetParamCount() const;
    uint8_t GetParamMax(uint8_t index) const;
    // Each default limited to 127; 0 for an index past the last parameter.
    uint8_t GetDefault(uint8_t index) const;
    const std::vector<uint8_t>& GetDefaults() const { return defaults_; }
    std::span<const ParamSpec> GetParams() const { return spec_.params; }
    std::span<const uint8_t> GetOrderList() const { return spec_.order; }
    const std::vector<uint8_t>& GetNoMorphList() const { return noMorph_; }

    std::span<const JackSpec> GetJacks() const { return spec_.jacks; }
    // The face's items, controls first.
    std::span<const ItemSpec> GetItems() const { return spec_.items; }
    uint8_t GetJackCount(JackDirection direction) const;
    // The kind of the index-th jack of a direction; false when there is none.
    bool GetJackKind(JackDirection direction, uint8_t index, SignalKind& kind) const;

private:
    const ModuleTypeSpec& spec_;
    std::vector<uint8_t> defaults_;
    uint8_t tabPosition_ = 0xFF;
    uint8_t tabIndex_ = 0xFF;
    std::map<uint8_t, std::unique_ptr<CParamTextRegisterABC>> texts_;
    std::vector<std::pair<uint8_t, uint8_t>> pairs_;
    std::vector<std::pair<uint8_t, uint8_t>> panelPairs_;
    std::vector<uint8_t> noMorph_;
};
