#include "synth/molecules/ModuleMolecules.h"

#include "synth/protocol/MIDIStream.h"
#include "synth/protocol/ModuleTypeInfo.h"
#include "synth/molecules/MoleculeFields.h"
#include "synth/molecules/PatchApplyInterface.h"
#include "synth/molecules/PatchFileWriterInterface.h"

#include <algorithm>

namespace {

void WriteAreaAndCount(CMIDIOutStream& stream, uint8_t area, size_t count)
{
    stream.WriteBit(area == 1);
    stream.WriteBits(7, static_cast<uint32_t>(count));
}

// The area bit and the 7-bit entry count of a dump; returns the count.
uint8_t ReadAreaAndCount(CMIDIInStream& stream, uint8_t& area)
{
    area = stream.ReadBit() ? 1 : 0;
    return stream.ReadBits(7);
}

uint8_t ClampedByte(int32_t value)
{
    return static_cast<uint8_t>(std::clamp(value, 0, 255));
}

} // namespace

CMModuleNew::CMModuleNew(uint8_t area, uint8_t module, uint8_t moduleType, uint8_t newColumn, uint8_t newRow,
                         std::string moduleName)
    : CMModuleMoleculeABC(area, module), type(moduleType), column(newColumn), row(newRow), name(std::move(moduleName))
{ }

void CMModuleNew::Write(CMIDIOutStream& stream) const
{
    stream.WriteMoleculeHeader(kId, CMIDIOutStream::kKindPlain, 1);
    stream.WriteAlignedByte(type);
    stream.WriteAlignedByte(area);
    stream.WriteAlignedByte(module);
    stream.WriteAlignedByte(column);
    stream.WriteAlignedByte(row);
    stream.WriteString(name, kText16);
}

void CMModuleNew::ApplyToPatch(CPatchApplyInterface& patch) const
{
    patch.ApplyModuleNew(*this);
}

void CMModuleDelete::Write(CMIDIOutStream& stream) const
{
    stream.WriteMoleculeHeader(kId, CMIDIOutStream::kKindPlain, 1);
    stream.WriteAlignedByte(area);
    stream.WriteAlignedByte(module);
}

void CMModuleDelete::ApplyToPatch(CPatchApplyInterface& patch) const
{
    patch.ApplyModuleDelete(*this);
}

void CMModuleName::Write(CMIDIOutStream& stream) const
{
    stream.WriteMoleculeHeader(kId, CMIDIOutStream::kKindPlain, 1);
    stream.WriteAlignedByte(area);
    stream.WriteAlignedByte(module);
    stream.WriteString(name, kText16);
}

void CMModuleName::ApplyToPatch(CPatchApplyInterface& patch) const
{
    patch.ApplyModuleName(*this);
}

void CMModuleMove::Write(CMIDIOutStream& stream) const
{
    stream.WriteMoleculeHeader(kId, CMIDIOutStream::kKindPlain, 1);
    stream.WriteAlignedByte(area);
    stream.WriteAlignedByte(module);
    stream.WriteAlignedByte(column);
    stream.WriteAlignedByte(row);
}

void CMModuleMove::ApplyToPatch(CPatchApplyInterface& patch) const
{
    patch.ApplyModuleMove(*this);
}

void CMModuleMove::Offset(int32_t columns, int32_t rows)
{
    column = ClampedByte(column + columns);
    row = ClampedByte(row + rows);
}

// --- module dump

bool CMModuleDump::AddModule(uint8_t index, uint8_t type, uint8_t column, uint8_t row)
{
    if (modules_.size() >= kMaxDumpModules)
        return false;
    modules_.push_back({index, type, column, row});
    return true;
}

void CMModuleDump::Write(CMIDIOutStream& stream) const
{
    stream.WriteMoleculeHeader(kId, CMIDIOutStream::kKindPlain, 1);
    WriteAreaAndCount(stream, area_, modules_.size());
    for (const CModuleDumpEntry& entry : modules_) {
        stream.WriteBits(7, entry.type);
        stream.WriteBits(7, entry.index);
        stream.WriteBits(7, entry.column);
        stream.WriteBits(7, entry.row);
    }
}

void CMModuleDump::Read(CMIDIInStream& stream)
{
    stream.ReadMoleculeId();
    const uint8_t count = ReadAreaAndCount(stream, area_);
    for (uint8_t i = 0; i < count; ++i) {
        CModuleDumpEntry entry;
        entry.type = stream.ReadBits(7);
        entry.index = stream.ReadBits(7);
        entry.column = stream.ReadBits(7);
        entry.row = stream.ReadBits(7);
        modules_.push_back(entry);
    }
}

void CMModuleDump::ApplyToPatch(CPatchApplyInterface& patch) const
{
    patch.ApplyModuleDump(*this);
}

void CMModuleDump::WriteToPatchFile(CPatchFileWriterInterface& writer) const
{
    writer.WriteModuleDumpSection(*this);
}

// --- parameter dump

bool CMModuleParamDump::AddModule(uint8_t module, uint8_t type)
{
    const auto found = modules_.find(module);
    if (found != modules_.end())
        return found->second.type == type;
    if (modules_.size() >= kMaxDumpModules)
        return false;
    modules_[module].type = type;
    return true;
}

bool CMModuleParamDump::SetParameter(uint8_t module, uint8_t type, uint8_t param, uint8_t value)
{
    if (!AddModule(module, type))
        return false;
    modules_[module].values[param] = value;
    return true;
}

void CMModuleParamDump::Write(CMIDIOutStream& stream) const
{
    stream.WriteMoleculeHeader(kId, CMIDIOutStream::kKindPlain, 0);
    WriteAreaAndCount(stream, area_, modules_.size());
    for (const auto& [index, module] : modules_) {
        const CModuleTypeInfoInterface& info = RequireModuleType(module.type);
        stream.WriteBits(7, index);
        stream.WriteBits(7, module.type);
        const uint8_t count = info.GetParamCount(module.type);
        for (uint8_t param = 0; param < count; ++param) {
            const uint8_t max = info.GetParamMax(module.type, param);
            const auto value = module.values.find(param);
            // A value above the highest would not fit its field: send the
            // highest rather than a cut-off value.
            const uint8_t v = value == module.values.end() ? 0 : std::min(value->second, max);
            stream.WriteBits(ParamValueWidth(max), v);
        }
    }
}

void CMModuleParamDump::Read(CMIDIInStream& stream)
{
    stream.ReadMoleculeId();
    const uint8_t count = ReadAreaAndCount(stream, area_);
    for (uint8_t i = 0; i < count; ++i) {
        const uint8_t index = stream.ReadBits(7);
        const uint8_t type = stream.ReadBits(7);
        const CModuleTypeInfoInterface& info = RequireModuleType(type);
        CModuleParamValues module;
        module.type = type;
        const uint8_t params = info.GetParamCount(type);
        for (uint8_t param = 0; param < params; ++param)
            module.values[param] = stream.ReadBits(ParamValueWidth(info.GetParamMax(type, param)));
        modules_[index] = std::move(module);
    }
}

void CMModuleParamDump::ApplyToPatch(CPatchApplyInterface& patch) const
{
    patch.ApplyModuleParamDump(*this);
}

void CMModuleParamDump::WriteToPatchFile(CPatchFileWriterInterface& writer) const
{
    writer.WriteParameterDumpSection(*this);
}

// --- name dump

bool CMModuleNameDump::AddName(uint8_t module, std::string name)
{
    if (names_.size() >= kMaxDumpModules)
        return false;
    names_.push_back({module, std::move(name)});
    return true;
}

void CMModuleNameDump::Write(CMIDIOutStream& stream) const
{
    stream.WriteMoleculeHeader(kId, CMIDIOutStream::kKindPlain, 0);
    WriteAreaAndCount(stream, area_, names_.size());
    for (const CModuleNameEntry& entry : names_) {
        stream.WriteAlignedByte(entry.index);
        stream.WriteString(entry.name, kText16);
    }
}

void CMModuleNameDump::Read(CMIDIInStream& stream)
{
    stream.ReadMoleculeId();
    const uint8_t count = ReadAreaAndCount(stream, area_);
    for (uint8_t i = 0; i < count; ++i) {
        CModuleNameEntry entry;
        entry.index = stream.ReadAlignedByte();
        entry.name = stream.ReadString(kText16);
        names_.push_back(std::move(entry));
    }
}

void CMModuleNameDump::ApplyToPatch(CPatchApplyInterface& patch) const
{
    patch.ApplyModuleNameDump(*this);
}

void CMModuleNameDump::WriteToPatchFile(CPatchFileWriterInterface& writer) const
{
    writer.WriteNameDumpSection(*this);
}

// --- custom data dump

bool CMModuleCustomDataDump::SetData(uint8_t module, std::vector<uint8_t> data)
{
    if (data.size() > kMaxDataBytes)
        return false;
    if (!data_.contains(module) && data_.size() >= kMaxDumpModules)
        return false;
    data_[module] = std::move(data);
    return true;
}

void CMModuleCustomDataDump::Write(CMIDIOutStream& stream) const
{
    stream.WriteMoleculeHeader(kId, CMIDIOutStream::kKindPlain, 0);
    WriteAreaAndCount(stream, area_, data_.size());
    for (const auto& [index, data] : data_) {
        stream.WriteBits(7, index);
        stream.WriteBits(8, static_cast<uint32_t>(data.size()));
        for (const uint8_t byte : data)
            stream.WriteBits(8, byte);
    }
}

void CMModuleCustomDataDump::Read(CMIDIInStream& stream)
{
    stream.ReadMoleculeId();
    const uint8_t count = ReadAreaAndCount(stream, area_);
    for (uint8_t i = 0; i < count; ++i) {
        const uint8_t index = stream.ReadBits(7);
        std::vector<uint8_t> data(stream.ReadBits(8));
        for (uint8_t& byte : data)
            byte = stream.ReadBits(8);
        data_[index] = std::move(data);
    }
}

void CMModuleCustomDataDump::ApplyToPatch(CPatchApplyInterface& patch) const
{
    patch.ApplyModuleCustomDataDump(*this);
}

void CMModuleCustomDataDump::WriteToPatchFile(CPatchFileWriterInterface& writer) const
{
    writer.WriteCustomDumpSection(*this);
}

// --- readers of the commands (the editor only sends them; a simulated
// synthesizer reads them)

void CMModuleNew::Read(CMIDIInStream& stream)
{
    stream.ReadMoleculeId();
    type = stream.ReadAlignedByte();
    area = ReadAreaByte(stream);
    module = stream.ReadAlignedByte();
    column = stream.ReadAlignedByte();
    row = stream.ReadAlignedByte();
    name = stream.ReadString(kText16);
}

void CMModuleDelete::Read(CMIDIInStream& stream)
{
    stream.ReadMoleculeId();
    area = ReadAreaByte(stream);
    module = stream.ReadAlignedByte();
}

void CMModuleName::Read(CMIDIInStream& stream)
{
    stream.ReadMoleculeId();
    area = ReadAreaByte(stream);
    module = stream.ReadAlignedByte();
    name = stream.ReadString(kText16);
}

void CMModuleMove::Read(CMIDIInStream& stream)
{
    stream.ReadMoleculeId();
    area = ReadAreaByte(stream);
    module = stream.ReadAlignedByte();
    column = stream.ReadAlignedByte();
    row = stream.ReadAlignedByte();
}
