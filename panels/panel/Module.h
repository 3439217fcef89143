#pragma once

#include "panels/panel/Panel.h"
#include "patch/module/ModuleInterface.h"

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

class CCableDragDropManager;
class CCustomDataStream;
class CMolecule;
class CPnlControl;
class CPnlCustom;
class CPnlHole;
class CPnlLed;

// The base of every module panel. It keeps the module's lists of controls
// (a control's position is its parameter index), custom items and jacks
// (inputs and outputs numbered apart), and implements the container
// interfaces: a gesture on an item becomes parameter, morph or custom data
// molecules for the patch document, and the end of a gesture forms the
// undo entries. It is also the module as the patch document sees it.
//
// The items are members of the concrete panel class (or owned by it); the
// lists only refer to them. Items register themselves in their constructors,
// so a concrete panel builds them in parameter order.
class CModule : public CPanel, public CModuleInterface {
public:
    // Sizes of the value box shown while a control is turned.
    static constexpr int16_t kValueBoxWidth = 40;
    static constexpr int16_t kValueBoxHeight = 15;
    // The hover value box appears after this delay.
    static constexpr uint32_t kValueBoxDelayMs = 500;
    // The display-item counts an LED and a meter add.
    static constexpr uint8_t kLedDisplayWeight = 1;
    static constexpr uint8_t kMeterDisplayWeight = 2;

    explicit CModule(CBuildModule& builder);
    ~CModule() override;

    // Step counts from the type's maxima (at most 127) and the defaults.
    void InitFromDefaults();
    void CopyFrom(const CModule& source);
    void WriteCustomData(CCustomDataStream& stream) const;
    void ReadCustomData(CCustomDataStream& stream);

    CPnlControl* GetControl(uint8_t param) const;
    uint8_t GetControlCount() const { return static_cast<uint8_t>(controls_.size()); }
    const std::vector<CPnlControl*>& GetControls() const { return controls_; }
    uint8_t GetValue(uint8_t param) const;
    uint8_t GetMax(uint8_t param) const;
    const std::vector<CPnlHole*>& GetInputs() const { return inputs_; }
    const std::vector<CPnlHole*>& GetOutputs() const { return outputs_; }
    uint8_t GetJackIndex(const CPnlHole& hole) const;
    CPnlHole* GetJack(const JackAddress& jack) const;

    // Records the coarse and fine controls of a pitch as a pair: morph
    // assignments take both.
    void AddParamPair(const CPnlControl& a, const CPnlControl& b);
    // The partner's address, or module 0 when the parameter has none.
    ParamAddress GetPairedParamAddress(const CPnlControl& control) const;
    bool IsMorphable(const CPnlControl& control) const;

    void SetMeterItem(CPnlLed* led) { stateLed_ = led; }
    // LEDs and meters count themselves in as they are built.
    void AddDisplayItem(uint8_t weight) { displayItems_ = static_cast<uint8_t>(displayItems_ + weight); }

    std::string FormatParamValue(uint8_t param) const;
    // Where the value box of a control goes (its centre, area coordinates).
    NSHarrowen::CPoint PlaceValueBox(uint8_t param) const;
    void ShowLoadHint();
    // Ends every control's and item's gesture.
    void EndAllTracking() override;

    // CModuleInterface.
    uint8_t GetTypeId() const override;
    uint8_t GetModuleIndex() const override { return CPanel::GetModuleIndex(); }
    void SetModuleIndex(uint8_t index) override { CPanel::SetModuleIndex(index); }
    uint8_t GetAreaIndex() const override { return static_cast<uint8_t>(GetLocation()); }
    void SetAreaIndex(uint8_t area) override { SetLocation(area); }
    uint8_t GetColumn() const override { return CPanel::GetColumn(); }
    uint8_t GetRow() const override { return CPanel::GetRow(); }
    void SetGridPosition(uint8_t column, uint8_t row) override { CPanel::SetGridPosition(column, row); }
    uint8_t GetHeight() const override { return GetHeightUnits(); }
    uint8_t GetDisplayKind() const override { return displayItems_; }
    bool IsParamsPending() const override { return paramsPending_; }
    void SetParamsPending(bool pending) override { paramsPending_ = pending; }
    bool IsNamePending() const override { return namePending_; }
    void SetNamePending(bool pending) override { namePending_ = pending; }
    std::string GetName() const override { return CPanel::GetName(); }
    void SetName(const std::string& name) override { CPanel::SetName(name); }
    uint8_t GetParamCount() const override { return GetControlCount(); }
    uint8_t GetParamValue(uint8_t param) const override { return GetValue(param); }
    void SetParamValue(uint8_t param, uint8_t value) override;
    bool IsMorphable(uint8_t param) const override;
    uint8_t NextParam(uint8_t param) const override;
    uint8_t PreviousParam(uint8_t param) const override;
    uint8_t GetCustomValueCount() const override;
    void ReadCustomData(std::span<const uint8_t> data) override;
    std::vector<uint8_t> GetCustomData() const override;
    uint8_t GetJackCount(bool output) const override;
    uint8_t GetJackSignalKind(const JackAddress& jack) const override;
    NSHarrowen::CPoint GetJackCenter(const JackAddress& jack) const override;
    NSHarrowen::CPoint GetParamCenter(uint8_t param) const override;
    std::array<uint16_t, 10> GetLoadWords() const override;
    std::unique_ptr<CModuleInterface> Clone() const override;
    NSHarrowen::CView& GetView() override { return *this; }
    void SetMeterValue(uint16_t value) override;
    void SetSelected(bool selected) override { CPanel::SetSelected(selected); }
    void Refresh() override;
    std::string GetParamDisplayText(uint8_t param) const override;
    std::string FormatScaledValue(uint8_t param) const override;

    // CControlContainerInterface.
    void AddControl(CPnlControl& control) override;
    void ChangeValue(CPnlControl& control, uint8_t value) override;
    void ChangeMorph(CPnlControl& control, int8_t amount) override;
    void BeginEdit(CPnlControl& control) override;
    void TouchControl(CPnlControl& control) override { BeginEdit(control); }
    void EndEdit(CPnlControl& control) override;
    void ShowContextMenu(CPnlControl& control, NSHarrowen::CPoint where) override;
    bool AssignToToolbarMorphGroup(CPnlControl& control, int8_t amount) override;
    void ShowValueBox(CPnlControl& control) override;
    void HideValueBox(CPnlControl& control) override;
    void RefreshControl(CPnlControl& control) override;
    int8_t GetMorphAmount(const CPnlControl& control) const override;
    uint8_t GetMorphGroup(const CPnlControl& control) const override;
    bool HasParamFocus(const CPnlControl& control) const override;
    ParamAddress GetParamAddress(const CPnlControl& control) const override;
    std::string GetModuleName(const CPnlControl& control) const override;
    std::string GetParamName(const CPnlControl& control) const override;
    uint8_t GetDefaultValue(const CPnlControl& control) const override;

    // CCustomContainerInterface.
    void AddCustomItem(CPnlCustom& item) override;
    void SendCustomData(CPnlCustom& item) override;
    void SendParamChanges(CPnlCustom& item) override;
    uint8_t GetControlIndex(const CPnlControl& control) const override;
    std::string GetParamText(uint8_t param) const override { return FormatParamValue(param); }

    // CHoleContainerInterface: the module keeps the jacks and answers their
    // addresses; the cable gestures belong to the area's cable manager.
    void AddInHole(CPnlHole& hole) override;
    void AddOutHole(CPnlHole& hole) override;
    void StartCableMove(CPnlHole& hole, NSHarrowen::CPoint where) override;
    void StartCableDrag(CPnlHole& hole, NSHarrowen::CPoint where) override;
    void ShowJackMenu(CPnlHole& hole, NSHarrowen::CPoint where) override;
    void HighlightNet(CPnlHole& hole) override;
    void ClearHighlight() override;
    JackAddress GetJackAddress(const CPnlHole& hole) const override;
    JackAddress GetNetRoot(const CPnlHole& hole) const override;
    bool IsJackConnected(const CPnlHole& hole) const override;
    bool IsJackLeaf(const CPnlHole& hole) const override;

    void OnDoubleClick(NSHarrowen::CPoint where) override;
    // Pending flags of a module the user created: nothing is to come.
    void ClearPending();

protected:
    // Ends a gesture on one of the items and forgets them: a panel that owns
    // its items calls it before they are destroyed.
    void ReleaseItems();

private:
    ParamAddress AddressOf(uint8_t param) const;
    uint8_t IndexOf(const CPnlControl& control) const;
    void SendLive(std::unique_ptr<CMolecule> molecule);
    void MarkItemsOf(uint8_t param);

    // The area's cable gestures, where the area has them.
    CCableDragDropManager* GetCableManager() const;

    std::vector<CPnlHole*> inputs_;
    std::vector<CPnlHole*> outputs_;
    std::vector<CPnlControl*> controls_;
    std::vector<CPnlCustom*> customs_;
    bool paramsPending_;
    bool namePending_ = true;
    CPnlLed* stateLed_ = nullptr;
    uint8_t displayItems_ = 0;
    // The type's custom values as last read; items take theirs from the front.
    std::vector<uint8_t> customValues_;
};
