#pragma once

#include "framework/base/Point.h"
#include "framework/base/Rect.h"
#include "synth/protocol/ParamAddress.h"

#include <cstdint>
#include <functional>
#include <map>
#include <optional>
#include <string>

namespace NSHarrowen {
class CABCCanvas;
class CView;
} // namespace NSHarrowen
class CCtrlMap;
class CKnobMap;
class CModuleList;
class CMorphMap;

// The small labels a voice area shows over its modules' controls: which
// morph group, knob and MIDI controller a parameter is assigned to, and
// short-lived value texts while a control is turned. Labels are kept by
// parameter address; one address has one label.
class CLabelCache {
public:
    // A temporary label goes this long after it was last touched.
    static constexpr uint64_t kLifetimeMs = 50;

    struct Label {
        std::string text;
        NSHarrowen::CRect rect;
        uint64_t timestamp = 0; // 0: permanent
    };

    // Invalidates its labels in the area view (not owned).
    explicit CLabelCache(NSHarrowen::CView& area);
    ~CLabelCache();
    CLabelCache(const CLabelCache&) = delete;
    CLabelCache& operator=(const CLabelCache&) = delete;

    // Adds or replaces the address's label, centred on the point; a
    // temporary one lives until kLifetimeMs after it was last touched.
    void AddParamLabel(const ParamAddress& address, const std::string& text, NSHarrowen::CPoint centre, bool temporary);
    // The value box: a label that appears once the delay has passed.
    void SetParamLabelText(const ParamAddress& address, const std::string& text, NSHarrowen::CPoint centre,
                           uint32_t delayMs);
    // A new text for an existing label, which keeps its centre.
    void UpdateParamLabel(const ParamAddress& address, const std::string& text);
    const Label* FindParamLabel(const ParamAddress& address) const;
    void RemoveParamLabel(const ParamAddress& address);
    void RemoveAll();

    // Labels follow their module's panel, and all of them the scrolling.
    void MoveModuleLabels(int32_t location, uint8_t module, int16_t dx, int16_t dy);
    void MoveAll(int16_t dx, int16_t dy);

    // The area's periodic work: a due value box becomes a label, and
    // temporary labels that were not touched for kLifetimeMs go.
    void DoPeriodicWork();
    void DrawAll(NSHarrowen::CABCCanvas& canvas) const;

    // The kinds of assignment labels.
    static constexpr uint32_t kMorphLabels = 1;
    static constexpr uint32_t kKnobLabels = 2;
    static constexpr uint32_t kCtrlLabels = 4;
    static constexpr uint32_t kAllLabels = kMorphLabels | kKnobLabels | kCtrlLabels;

    // Fills the cache from the maps for one area: "Grp n", the knob texts
    // and "Ctrl n" (those of the kinds asked for), each on its control's
    // centre.
    void Rebuild(int32_t location, const CModuleList& modules, const CMorphMap& morphs, const CKnobMap& knobs,
                 const CCtrlMap& ctrls, uint32_t kinds = kAllLabels);
    // A label with every parameter's value text (or its value scaled to
    // 0-127) on each module of the area.
    void AddValueLabels(int32_t location, const CModuleList& modules, bool scaled);

    size_t GetCount() const { return labels_.size(); }
    size_t GetLiveCount() const { return liveCount_; }

    // "Knob1" to "Knob18", "Pedal", "Aft tch", "On/Off"; any other code
    // "Knob" and the code plus 1.
    static std::string KnobText(uint8_t knob);

private:
    struct ValueBox {
        ParamAddress address;
        std::string text;
        NSHarrowen::CPoint centre;
        uint64_t due = 0;
    };

    NSHarrowen::CRect LayOut(const ParamAddress& address, const std::string& text, NSHarrowen::CPoint centre) const;
    void Erase(std::map<ParamAddress, Label>::iterator it);
    void Invalidate(const NSHarrowen::CRect& rect) const;
    void AddAtParam(const CModuleList& modules, const ParamAddress& address, const std::string& text);

    NSHarrowen::CView& area_;
    std::optional<ValueBox> valueBox_;
    std::map<ParamAddress, Label> labels_;
    size_t liveCount_ = 0;
};
