#pragma once

#include "patch/maps/OneToOneMap.h"

class CMCtrlMapDump;

// Parameters assigned to MIDI controllers; 121 is no controller.
class CCtrlMap final : public COneToOneMap {
public:
    static constexpr uint8_t kNone = 121;

    CCtrlMap() : COneToOneMap(kNone) { }

    bool FindParamOfCtrl(uint8_t controller, ParamAddress& key) const { return FindParamOf(controller, key); }
    bool FindByCtrl(uint8_t controller) const { return FindByValue(controller); }

    // The dump's entries become the map's; the map counts as received.
    void ReplaceFrom(const CMCtrlMapDump& dump);
    // Corrects the map after a dump: a controller shared by several
    // parameters keeps the first, parameters the document lacks go, and
    // controllers that cannot be assigned go. One XPMapError "Ctrl
    // assignment problem" when anything was removed.
    void Validate(const CMapHostInterface& host);
    // XPMapError when the dump refuses an entry.
    std::unique_ptr<CMCtrlMapDump> MakeDump() const;

private:
    bool IsAssignable(uint8_t value) const override;
    std::unique_ptr<CMolecule> MakeAssign(const ParamAddress& key, uint8_t value) const override;
    std::unique_ptr<CMolecule> MakeDeassign(uint8_t value) const override;
    std::unique_ptr<CMolecule> MakeRequest() const override;
};
