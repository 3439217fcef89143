#pragma once

#include "synth/molecules/Molecule.h"
#include "synth/molecules/SimpleMolecules.h"

#include <cstdint>
#include <map>
#include <string>
#include <vector>

// Molecules that create, move, rename and delete modules, and the dumps that
// carry a voice area's modules, parameter values, names and custom data.

class CMModuleNew : public CMModuleMoleculeABC {
public:
    static constexpr uint8_t kId = 0x30;

    CMModuleNew() = default;
    CMModuleNew(uint8_t area, uint8_t module, uint8_t moduleType, uint8_t column, uint8_t row, std::string moduleName);

    void Write(CMIDIOutStream& stream) const override;
    void Read(CMIDIInStream& stream) override;
    void ApplyToPatch(CPatchApplyInterface& patch) const override;

    uint8_t type = 0;
    uint8_t column = 0;
    uint8_t row = 0;
    std::string name;
};

class CMModuleDelete : public CMModuleMoleculeABC {
public:
    static constexpr uint8_t kId = 0x32;

    CMModuleDelete() = default;
    CMModuleDelete(uint8_t area, uint8_t module) : CMModuleMoleculeABC(area, module) { }

    void Write(CMIDIOutStream& stream) const override;
    void Read(CMIDIInStream& stream) override;
    void ApplyToPatch(CPatchApplyInterface& patch) const override;
};

class CMModuleName : public CMModuleMoleculeABC {
public:
    static constexpr uint8_t kId = 0x33;

    CMModuleName() = default;
    CMModuleName(uint8_t area, uint8_t module, std::string newName)
        : CMModuleMoleculeABC(area, module), name(std::move(newName))
    { }

    void Write(CMIDIOutStream& stream) const override;
    void Read(CMIDIInStream& stream) override;
    void ApplyToPatch(CPatchApplyInterface& patch) const override;

    std::string name;
};

class CMModuleMove : public CMModuleMoleculeABC {
public:
    static constexpr uint8_t kId = 0x34;

    CMModuleMove() = default;
    CMModuleMove(uint8_t area, uint8_t module, uint8_t newColumn, uint8_t newRow)
        : CMModuleMoleculeABC(area, module), column(newColumn), row(newRow)
    { }

    void Write(CMIDIOutStream& stream) const override;
    void Read(CMIDIInStream& stream) override;
    void ApplyToPatch(CPatchApplyInterface& patch) const override;
    void Offset(int32_t columns, int32_t rows);

    uint8_t column = 0;
    uint8_t row = 0;
};

class CMModuleRequest : public TMAreaRequest<0x4B> {
public:
    using TMAreaRequest::TMAreaRequest;
};
class CMModuleParamRequest : public TMAreaRequest<0x4C> {
public:
    using TMAreaRequest::TMAreaRequest;
};
class CMModuleNameRequest : public TMAreaRequest<0x4E> {
public:
    using TMAreaRequest::TMAreaRequest;
};
class CMModuleCustomDataRequest : public TMAreaRequest<0x4F> {
public:
    using TMAreaRequest::TMAreaRequest;
};

// A voice area holds at most 127 modules, which is all a 7-bit count can
// carry.
inline constexpr size_t kMaxDumpModules = 127;

struct CModuleDumpEntry {
    uint8_t index = 0;
    uint8_t type = 0;
    uint8_t column = 0;
    uint8_t row = 0;
    bool operator==(const CModuleDumpEntry&) const = default;
};

class CMModuleDump : public CMolecule {
public:
    static constexpr uint8_t kId = 0x4A;

    explicit CMModuleDump(uint8_t areaIndex = 1) : area_(areaIndex) { }

    void Write(CMIDIOutStream& stream) const override;
    void Read(CMIDIInStream& stream) override;
    void ApplyToPatch(CPatchApplyInterface& patch) const override;
    void WriteToPatchFile(CPatchFileWriterInterface& writer) const override;

    uint8_t GetArea() const { return area_; }
    // False (and nothing added) when the dump already holds 127 modules.
    bool AddModule(uint8_t index, uint8_t type, uint8_t column, uint8_t row);
    const std::vector<CModuleDumpEntry>& GetModules() const { return modules_; }

private:
    uint8_t area_;
    std::vector<CModuleDumpEntry> modules_;
};

// The parameter values of one module: its type and the value of each
// parameter index.
struct CModuleParamValues {
    uint8_t type = 0;
    std::map<uint8_t, uint8_t> values;
    bool operator==(const CModuleParamValues&) const = default;
};

// Values travel without indices, each in the width its parameter's highest
// value needs, so both sides must know every module type they name.
class CMModuleParamDump : public CMolecule {
public:
    static constexpr uint8_t kId = 0x4D;

    explicit CMModuleParamDump(uint8_t areaIndex = 1) : area_(areaIndex) { }

    // Throws XMUnknownModuleType for a module of a type the catalogue does
    // not hold.
    void Write(CMIDIOutStream& stream) const override;
    // Throws XMUnknownModuleType at the first module of an unknown type.
    void Read(CMIDIInStream& stream) override;
    void ApplyToPatch(CPatchApplyInterface& patch) const override;
    void WriteToPatchFile(CPatchFileWriterInterface& writer) const override;

    uint8_t GetArea() const { return area_; }
    // Lists the module (with no values yet); false when 127 modules are
    // listed already or the module is listed with another type.
    bool AddModule(uint8_t module, uint8_t type);
    // Lists the module when needed and sets one value.
    bool SetParameter(uint8_t module, uint8_t type, uint8_t param, uint8_t value);
    // Modules by ascending index.
    const std::map<uint8_t, CModuleParamValues>& GetModules() const { return modules_; }

private:
    uint8_t area_;
    std::map<uint8_t, CModuleParamValues> modules_;
};

struct CModuleNameEntry {
    uint8_t index = 0;
    std::string name;
    bool operator==(const CModuleNameEntry&) const = default;
};

class CMModuleNameDump : public CMolecule {
public:
    static constexpr uint8_t kId = 0x5A;

    explicit CMModuleNameDump(uint8_t areaIndex = 1) : area_(areaIndex) { }

    void Write(CMIDIOutStream& stream) const override;
    void Read(CMIDIInStream& stream) override;
    void ApplyToPatch(CPatchApplyInterface& patch) const override;
    void WriteToPatchFile(CPatchFileWriterInterface& writer) const override;

    uint8_t GetArea() const { return area_; }
    // False when 127 names are listed already.
    bool AddName(uint8_t module, std::string name);
    const std::vector<CModuleNameEntry>& GetNames() const { return names_; }

private:
    uint8_t area_;
    std::vector<CModuleNameEntry> names_;
};

class CMModuleCustomDataDump : public CMolecule {
public:
    static constexpr uint8_t kId = 0x5B;
    // The byte count travels in 8 bits.
    static constexpr size_t kMaxDataBytes = 255;

    explicit CMModuleCustomDataDump(uint8_t areaIndex = 1) : area_(areaIndex) { }

    void Write(CMIDIOutStream& stream) const override;
    void Read(CMIDIInStream& stream) override;
    void ApplyToPatch(CPatchApplyInterface& patch) const override;
    void WriteToPatchFile(CPatchFileWriterInterface& writer) const override;

    uint8_t GetArea() const { return area_; }
    // Replaces the module's data; false (nothing changed) for more than 255
    // bytes or a 128th module.
    bool SetData(uint8_t module, std::vector<uint8_t> data);
    // Modules by ascending index.
    const std::map<uint8_t, std::vector<uint8_t>>& GetData() const { return data_; }

private:
    uint8_t area_;
    std::map<uint8_t, std::vector<uint8_t>> data_;
};
