#pragma once

#include "synth/protocol/MIDIStream.h"
#include "synth/protocol/ModuleTypeInfo.h"
#include "synth/molecules/Molecule.h"

#include <cstdint>
#include <map>
#include <vector>

namespace moltest {

using Bytes = std::vector<uint8_t>;

struct Written {
    Bytes bytes;
    uint32_t kind = 0;
    uint32_t flag = 0;
};

inline Written WriteMolecule(const CMolecule& molecule)
{
    Bytes buffer(1024, 0);
    CMIDIOutStream stream(static_cast<uint32_t>(buffer.size()), buffer.data());
    molecule.Write(stream);
    buffer.resize(stream.GetByteLength());
    return {buffer, stream.GetHeaderKind(), stream.GetHeaderFlag()};
}

inline Bytes WriteBytes(const CMolecule& molecule)
{
    return WriteMolecule(molecule).bytes;
}

// Reads the molecule from bytes followed by one end-of-molecules byte, as a
// decoded frame lays them out, and returns how many bytes it took.
inline uint32_t ReadMolecule(CMolecule& molecule, Bytes bytes)
{
    bytes.push_back(0x7F);
    CMIDIInStream stream(static_cast<uint32_t>(bytes.size()), bytes.data());
    molecule.Read(stream);
    return stream.GetByteLength();
}

template <class T> T ReadAs(const Bytes& bytes)
{
    T molecule;
    ReadMolecule(molecule, bytes);
    return molecule;
}

// Module types with chosen parameter maxima.
class CFakeModuleTypes : public CModuleTypeInfoInterface {
public:
    std::map<uint8_t, std::vector<uint8_t>> maxima;

    bool HasType(uint8_t typeId) const override { return maxima.contains(typeId); }
    uint8_t GetParamCount(uint8_t typeId) const override { return static_cast<uint8_t>(maxima.at(typeId).size()); }
    uint8_t GetParamMax(uint8_t typeId, uint8_t paramIndex) const override { return maxima.at(typeId).at(paramIndex); }
};

// Installs module type facts for the life of the object.
class CScopedModuleTypes {
public:
    explicit CScopedModuleTypes(const CModuleTypeInfoInterface* info) : previous_(GetModuleTypeInfo())
    {
        SetModuleTypeInfo(info);
    }
    ~CScopedModuleTypes() { SetModuleTypeInfo(previous_); }
    CScopedModuleTypes(const CScopedModuleTypes&) = delete;
    CScopedModuleTypes& operator=(const CScopedModuleTypes&) = delete;

private:
    const CModuleTypeInfoInterface* previous_;
};

// Type 7 has four parameters of maxima 1, 3, 5 and 127 (1, 2, 3, 7 bits);
// type 20 has one of maximum 15 (4 bits).
inline CFakeModuleTypes MakeTestModuleTypes()
{
    CFakeModuleTypes types;
    types.maxima[7] = {1, 3, 5, 127};
    types.maxima[20] = {15};
    return types;
}

} // namespace moltest
