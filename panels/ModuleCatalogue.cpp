#include "panels/ModuleCatalogue.h"

#include "panels/panel/Module.h"

#include "patch/PatchError.h"

CModuleCatalogue::~CModuleCatalogue()
{
    DeleteBuilders();
}

void CModuleCatalogue::StartTab(std::string name)
{
    tabNames_.push_back(std::move(name));
    tabSizes_.push_back(0);
}

void CModuleCatalogue::Add(std::unique_ptr<CBuildModule> builder)
{
    if (tabNames_.empty())
        StartTab({});
    builder->SetTabIndex(static_cast<uint8_t>(tabNames_.size() - 1));
    builder->SetTabPosition(tabSizes_.back()++);
    const uint8_t id = builder->GetTypeId();
    if (id < kTypeSlots)
        types_[id] = std::move(builder);
}

void CModuleCatalogue::AddSeparator()
{
    if (tabNames_.empty())
        StartTab({});
    ++tabSizes_.back();
}

const CBuildModule* CModuleCatalogue::FindBuilder(uint8_t typeId) const
{
    return typeId < kTypeSlots ? types_[typeId].get() : nullptr;
}

const CBuildModule& CModuleCatalogue::GetBuilder(uint8_t typeId) const
{
    const CBuildModule* builder = FindBuilder(typeId);
    if (!builder)
        throw XPOutOfRange(PatchErrorCode::kModuleTypeDoesNotExist);
    return *builder;
}

CBuildModule& CModuleCatalogue::GetBuilder(uint8_t typeId)
{
    return const_cast<CBuildModule&>(static_cast<const CModuleCatalogue&>(*this).GetBuilder(typeId));
}

std::string CModuleCatalogue::GetTabName(size_t tab) const
{
    return tab < tabNames_.size() ? tabNames_[tab] : std::string();
}

uint8_t CModuleCatalogue::GetTabSize(size_t tab) const
{
    return tab < tabSizes_.size() ? tabSizes_[tab] : 0;
}

bool CModuleCatalogue::FindByTabPosition(size_t tab, uint8_t position, uint16_t& typeId, uint16_t& word,
                                         std::string& text) const
{
    for (const auto& builder : types_) {
        if (builder && builder->GetTabIndex() == tab && builder->GetTabPosition() == position) {
            typeId = builder->GetTypeId();
            word = 0;
            text = builder->FormatLoadText();
            return true;
        }
    }
    return false;
}

std::vector<uint8_t> CModuleCatalogue::GetTabTypes(size_t tab) const
{
    std::vector<uint8_t> ids(GetTabSize(tab), 0);
    for (const auto& builder : types_)
        if (builder && builder->GetTabIndex() == tab && builder->GetTabPosition() < ids.size())
            ids[builder->GetTabPosition()] = builder->GetTypeId();
    return ids;
}

bool CModuleCatalogue::HasType(uint8_t typeId) const
{
    return FindBuilder(typeId) != nullptr;
}

uint8_t CModuleCatalogue::GetParamCount(uint8_t typeId) const
{
    const CBuildModule* builder = FindBuilder(typeId);
    return builder ? builder->GetParamCount() : 0;
}

uint8_t CModuleCatalogue::GetParamMax(uint8_t typeId, uint8_t paramIndex) const
{
    const CBuildModule* builder = FindBuilder(typeId);
    return builder ? builder->GetParamMax(paramIndex) : 0;
}

uint8_t CModuleCatalogue::GetParamDefault(uint8_t typeId, uint8_t paramIndex) const
{
    const CBuildModule* builder = FindBuilder(typeId);
    return builder ? builder->GetDefault(paramIndex) : 0;
}

namespace {
JackDirection DirectionOf(bool output)
{
    return output ? JackDirection::Output : JackDirection::Input;
}
} // namespace

uint8_t CModuleCatalogue::GetJackCount(uint8_t typeId, bool output) const
{
    const CBuildModule* builder = FindBuilder(typeId);
    return builder ? builder->GetJackCount(DirectionOf(output)) : 0;
}

bool CModuleCatalogue::GetJackKind(uint8_t typeId, bool output, uint8_t jackIndex, uint8_t& kind) const
{
    const CBuildModule* builder = FindBuilder(typeId);
    SignalKind signal{};
    if (!builder || !builder->GetJackKind(DirectionOf(output), jackIndex, signal))
        return false;
    kind = static_cast<uint8_t>(signal);
    return true;
}

uint8_t CModuleCatalogue::GetCustomValueCount(uint8_t typeId) const
{
    const CBuildModule* builder = FindBuilder(typeId);
    return builder ? builder->GetLoadRecord().CustomValueCount() : 0;
}

bool CModuleCatalogue::GetLoadWords(uint8_t typeId, std::array<uint16_t, 10>& words) const
{
    const CBuildModule* builder = FindBuilder(typeId);
    if (!builder)
        return false;
    words = builder->GetLoadRecord().words;
    return true;
}

void CModuleCatalogue::DeleteBuilders()
{
    for (auto& builder : types_)
        builder.reset();
}

std::unique_ptr<CModule> CModuleCatalogue::CreateModule(uint8_t typeId)
{
    return GetBuilder(typeId).CreateModule();
}
