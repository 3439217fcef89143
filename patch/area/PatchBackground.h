#pragma once

#include "patch/area/LabelCache.h"
#include "patch/area/ScrollViewEx.h"
#include "patch/area/CableTree.h"
#include "patch/module/CableDragInterface.h"
#include "patch/module/CableRenderListInterface.h"
#include "synth/protocol/ParamAddress.h"

#include <bitset>
#include <cstdint>
#include <memory>
#include <span>
#include <string>
#include <vector>

class CPatch;
class CMolecule;
class CParamValueBlock;

// One voice area of a patch: the model of its modules and cables, and the
// view that shows them. Area 1 is the poly voice area, area 0 the common
// one. Every change arrives through the validating operations below, which
// throw a patch error and change nothing when a check fails.
class CPatchBackground : public CScrollViewEx {
public:
    static constexpr size_t kMaxModules = 127;
    static constexpr uint8_t kMaxGridPosition = 127;
    // Module values the synthesizer reports per display list.
    static constexpr size_t kMaxShownValues = 40;
    // The background picture and its tile size.
    static constexpr uint16_t kBackgroundImage = 254;
    static constexpr int16_t kTileWidth = 256;
    static constexpr int16_t kTileHeight = 126;

    CPatchBackground(CPatch& document, uint8_t areaIndex);
    ~CPatchBackground() override;

    uint8_t GetAreaIndex() const { return area_; }
    CPatch& GetDocument() const { return document_; }
    CCableTree& GetStore() { return store_; }
    const CCableTree& GetStore() const { return store_; }
    const CModuleList& GetModules() const { return store_.GetModules(); }
    CModuleInterface* FindModule(uint8_t index) const { return store_.GetModules().Find(index); }
    CCableRenderListInterface& GetCableRenderers() { return *renderers_; }
    // Null where the panels give no cable gestures.
    CCableDragInterface* GetCableDrag() const { return cableDrag_.get(); }

    // Validating model operations.
    CModuleInterface& AddModule(uint8_t typeId, uint8_t index, uint8_t column, uint8_t row);
    void DeleteModule(uint8_t index);
    void MoveModule(uint8_t index, uint8_t column, uint8_t row);
    void SetParamValue(uint8_t index, uint8_t param, uint8_t value);
    void SetCustomData(uint8_t index, std::span<const uint8_t> data);
    void SetModuleName(uint8_t index, const std::string& name);
    void CheckParamCount(uint8_t index, size_t count) const;
    void CheckCustomDataCount(uint8_t index, size_t count) const;
    bool HasParam(const ParamAddress& address) const;
    void ConnectCable(const CableEntry& cable);
    void DeleteCable(const CableEntry& cable);
    void RecolorCable(const CableEntry& cable);
    // Deletes every cable with an end at the module.
    void DeleteModuleCables(uint8_t index);
    void RefreshModule(uint8_t index);
    // While held, refreshes wait and each module asked for is refreshed once
    // when the last hold ends (a dump changes a module many times); the
    // scroll container follows the modules' extent once, and past a few
    // changed places the whole area is drawn again once.
    void HoldRefreshes() { ++refreshHolds_; }
    void ReleaseRefreshes();

    // Requests for the parts a synthesizer slot still owes; false (nothing
    // sent) when the part has arrived.
    bool RequestModules();
    bool RequestCables();
    bool RequestModuleParams();
    bool RequestModuleName();
    bool RequestCustomData();
    bool HasPendingRequests() const;
    void ClearPendingRequests();
    // An answering dump clears the flags of every module of the area.
    void ClearParamsPending();
    void ClearNamesPending();

    // Passes the changed entries of the block to the modules of the two
    // display lists; the indices run on from area to area.
    void ApplyModuleValues(CParamValueBlock& block, size_t& stateIndex, size_t& valueIndex);
    const std::vector<CModuleInterface*>& GetDisplayListB() const { return displayB_; }

    // Cable display.
    void SetCableStyle(uint32_t style);
    // Curved cables take their shape again (a module moved or scrolled).
    // New shapes for the curved cables, drawn by RedrawPendingCables.
    void ReshapeCurvedCables();
    // Redraws the cables when their renderers report a pending change.
    void RedrawPendingCables();
    void ShowCableColour(uint8_t colour, bool shown);
    void RedrawConnectorCables(const JackAddress& jack);
    void RedrawAllCables();

    // The modules sorted by panel position (column, then row), for the
    // keyboard moves between modules.
    std::vector<CModuleInterface*> GetModulesByPosition() const;
    // The moves of the module cursor; the module itself when there is none.
    CModuleInterface* FindModuleAbove(const CModuleInterface& module) const;
    CModuleInterface* FindModuleBelow(const CModuleInterface& module) const;
    CModuleInterface* FindModuleLeft(const CModuleInterface& module) const;
    CModuleInterface* FindModuleRight(const CModuleInterface& module) const;

    // Ends a selection band and every control's tracking.
    void EndTracking();

    // Labels over the controls.
    CLabelCache& GetLabels() { return labels_; }
    void AddParamLabel(const ParamAddress& address, const std::string& text, NSHarrowen::CPoint centre, bool temporary);
    void SetParamLabelText(const ParamAddress& address, const std::string& text, NSHarrowen::CPoint centre,
                           uint32_t delayMs);
    void UpdateParamLabel(const ParamAddress& address, const std::string& text);
    const CLabelCache::Label* FindParamLabel(const ParamAddress& address) const;
    void RemoveParamLabel(const ParamAddress& address);
    // Fills the labels again from the document's maps.
    void RebuildLabels();
    // The function keys' labels: every control's value text, or its value
    // scaled to 0-127; only the morph groups, the knobs or the controllers.
    // Hiding them brings the usual assignment labels back.
    void ShowValueLabels();
    void ShowScaledValueLabels();
    void ShowMorphLabels();
    void ShowKnobLabels();
    void ShowCtrlLabels();
    void HideLabels();

    // View.
    void LayoutChildren() override;
    void DrawBackground() override;
    void Draw() override;
    void MouseDown(const NSHarrowen::CEvent& event) override;
    void MouseStillDown() override;
    // The mouse taken away mid-band (another program came to the front): the
    // band goes as Escape takes it, selecting nothing.
    void CaptureLost() override;
    void HandleBroadcast() override;
    void GetCursor() override;
    void ContextClick(NSHarrowen::CPoint where) override;
    void WillScroll() override;
    void DidScroll() override;

private:
    CModuleInterface& RequireModule(uint8_t index) const;
    static void CheckPosition(uint8_t column, uint8_t row);
    void InsertIntoDisplayList(CModuleInterface& module);
    void RemoveFromDisplayList(const CModuleInterface& module);
    void PlaceModule(CModuleInterface& module) const;
    // The module that changed, if one did, is laid out at once.
    void LayoutAfterChange(CModuleInterface* changed = nullptr);
    void InvalidateModule(CModuleInterface& module);
    void InvalidateCable(const CableEntry& cable);
    // True when a held dump takes the invalidation into one of the area.
    bool HoldInvalidation();
    void ReleaseLayoutAndInvalidations();
    void RerouteModuleCables(uint8_t index);
    NSHarrowen::CPoint JackPoint(const JackAddress& jack) const;
    bool SendRequest(std::unique_ptr<CMolecule> request);
    void DrawBand() const;
    NSHarrowen::CRect GetBandRect() const;
    void EndBand();
    bool IsOnModule(NSHarrowen::CPoint where) const;
    void ShowAssignmentLabels(uint32_t kinds);

    CPatch& document_;
    const uint8_t area_;
    CCableTree store_;
    std::vector<CModuleInterface*> displayA_;
    std::vector<CModuleInterface*> displayB_;
    std::unique_ptr<CCableRenderListInterface> renderers_;
    std::unique_ptr<CCableDragInterface> cableDrag_;
    CLabelCache labels_;
    NSHarrowen::CPoint lastContentOffset_;
    bool bandActive_ = false;
    int refreshHolds_ = 0;
    std::bitset<256> refreshesHeld_;
    bool layoutHeld_ = false;
    int invalidationsHeld_ = 0;
    bool areaInvalidHeld_ = false;
    NSHarrowen::CPoint bandAnchor_;
    NSHarrowen::CPoint bandCurrent_;
};
