#pragma once

#include "synth/flash/TransferPatchInterface.h"

#include <memory>

class CPatch;

// A patch document made for a bank transfer: never shown, never linked.
class CTransferPatch final : public CTransferPatchInterface {
public:
    explicit CTransferPatch(std::unique_ptr<CPatch> patch);
    ~CTransferPatch() override;

    std::string GetName() const override;
    bool IsEmpty() const override;
    void BuildPatchDump(CMoleculePacket& packet) const override;
    void SaveToFile(const NSHarrowen::CFileSpec& file) override;

    CPatch& GetPatch() const { return *patch_; }

private:
    std::unique_ptr<CPatch> patch_;
};
