#include "panels/BuildModule.h"

#include "panels/panel/LayoutModule.h"

#include "synth/protocol/TextFunctions.h"

#include <algorithm>

namespace {
constexpr uint8_t kMaxByte = 127;

uint8_t Clamp7(uint32_t value)
{
    return static_cast<uint8_t>(std::min<uint32_t>(value, kMaxByte));
}
} // namespace

std::array<uint8_t, 20> ModuleLoadRecord::ToBytes() const
{
    std::array<uint8_t, 20> bytes{};
    for (size_t i = 0; i < words.size(); ++i) {
        bytes[2 * i] = static_cast<uint8_t>(words[i] & 0xFF);
        bytes[2 * i + 1] = static_cast<uint8_t>(words[i] >> 8);
    }
    return bytes;
}

std::string CBuildModule::CParamTextRegisterSingel::Format(uint8_t value, const CParamValueSourceInterface&) const
{
    return function_(value);
}

std::string CBuildModule::CParamTextRegisterDual::Format(uint8_t value, const CParamValueSourceInterface& module) const
{
    return function_(value, module.GetParamValue(second_));
}

CBuildModule::CBuildModule(const ModuleTypeSpec& spec) : spec_(spec)
{
    defaults_.reserve(spec.params.size());
    for (const ParamSpec& param : spec.params)
        defaults_.push_back(Clamp7(param.defaultValue));
    for (size_t i = 0; i < spec.params.size(); ++i) {
        const ParamTextSpec& text = spec.params[i].text;
        if (text.single)
            RegisterParamTextSingel(static_cast<uint8_t>(i), text.single);
        else if (text.dual)
            RegisterParamTextDual(static_cast<uint8_t>(i), text.second, text.dual);
    }
    for (size_t i = 0; i < spec.params.size(); ++i)
        if (!spec.params[i].morphable)
            noMorph_.push_back(static_cast<uint8_t>(i));
}

CBuildModule::~CBuildModule() = default;

std::unique_ptr<CModule> CBuildModule::CreatePanel()
{
    return std::make_unique<CLayoutModule>(*this);
}

std::unique_ptr<CModule> CBuildModule::CreateModule()
{
    std::unique_ptr<CModule> module = CreatePanel();
    module->InitFromDefaults();
    return module;
}

void CBuildModule::RegisterParamTextSingel(uint8_t index, ParamTextFunction function)
{
    texts_[index] = std::make_unique<CParamTextRegisterSingel>(function);
}

void CBuildModule::RegisterParamTextDual(uint8_t index, uint8_t second, ParamTextDualFunction function, uint32_t mode)
{
    texts_[index] = std::make_unique<CParamTextRegisterDual>(second, function, mode);
}

void CBuildModule::AddParamPair(uint8_t a, uint8_t b)
{
    // Every new module of a paired type records its pair again; one copy
    // answers every lookup the same way.
    const auto pair = std::make_pair(a, b);
    if (std::find(pairs_.begin(), pairs_.end(), pair) == pairs_.end())
        pairs_.push_back(pair);
}

bool CBuildModule::FindParamPartner(uint8_t param, uint8_t& partner) const
{
    for (const auto& [first, second] : pairs_) {
        if (first == param) {
            partner = second;
            return true;
        }
        if (second == param) {
            partner = first;
            return true;
        }
    }
    return false;
}

bool CBuildModule::IsMorphAllowed(uint8_t param) const
{
    return std::find(noMorph_.begin(), noMorph_.end(), param) == noMorph_.end();
}

uint8_t CBuildModule::NextByOrderList(uint8_t param) const
{
    const auto order = spec_.order;
    if (order.empty())
        return param;
    const auto it = std::find(order.begin(), order.end(), param);
    if (it == order.end() || it + 1 == order.end())
        return order.front();
    return *(it + 1);
}

uint8_t CBuildModule::PreviousByOrderList(uint8_t param) const
{
    const auto order = spec_.order;
    if (order.empty())
        return param;
    const auto it = std::find(order.begin(), order.end(), param);
    if (it == order.end() || it == order.begin())
        return order.back();
    return *(it - 1);
}

std::string CBuildModule::GetParamName(uint8_t index) const
{
    return index < spec_.params.size() ? spec_.params[index].name : std::string();
}

std::string CBuildModule::FormatParamValue(uint8_t index, uint8_t value, const CParamValueSourceInterface& module) const
{
    const auto it = texts_.find(index);
    if (it != texts_.end())
        return it->second->Format(value, module);
    return IntToString(value);
}

std::string CBuildModule::FormatLoadText() const
{
    const double load = spec_.load.LoadPercent();
    const int decimals = load < 1.0 ? 2 : load < 10.0 ? 1 : 0;
    return std::string(spec_.longName) + " (" + FloatToString(load, decimals) + "%)";
}

uint32_t CBuildModule::GetHelpTopic() const
{
    return HelpTopicBase(spec_.typeId);
}

uint32_t CBuildModule::GetParamHelpTopic(uint8_t index) const
{
    return ParamHelpId(spec_.typeId, index);
}

uint8_t CBuildModule::GetParamCount() const
{
    return Clamp7(static_cast<uint32_t>(spec_.params.size()));
}

uint8_t CBuildModule::GetParamMax(uint8_t index) const
{
    return index < spec_.params.size() ? Clamp7(spec_.params[index].max) : 0;
}

uint8_t CBuildModule::GetDefault(uint8_t index) const
{
    return index < defaults_.size() ? defaults_[index] : 0;
}

uint8_t CBuildModule::GetJackCount(JackDirection direction) const
{
    return static_cast<uint8_t>(std::count_if(spec_.jacks.begin(), spec_.jacks.end(),
                                              [direction](const JackSpec& j) { return j.direction == direction; }));
}

bool CBuildModule::GetJackKind(JackDirection direction, uint8_t index, SignalKind& kind) const
{
    uint8_t seen = 0;
    for (const JackSpec& jack : spec_.jacks) {
        if (jack.direction != direction)
            continue;
        if (seen++ == index) {
            kind = jack.kind;
            return true;
        }
    }
    return false;
}
