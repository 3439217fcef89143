#pragma once

#include "framework/views/View.h"
#include "patch/module/ModuleServicesInterface.h"

#include <map>
#include <string>
#include <vector>

class CBuildModule;

namespace testsupport {

// A module panel for tests: a plain view that keeps what the patch model
// reads and writes, sized and shaped by the real module type tables
// (parameters, maxima, defaults, jacks, custom values, load, names).
class CModuleDouble final : public NSHarrowen::CView, public CModuleInterface {
public:
    explicit CModuleDouble(const CBuildModule& builder, uint8_t displayKind = 0);

    uint8_t GetTypeId() const override;
    uint8_t GetModuleIndex() const override { return index_; }
    void SetModuleIndex(uint8_t index) override { index_ = index; }
    uint8_t GetAreaIndex() const override { return area_; }
    void SetAreaIndex(uint8_t area) override { area_ = area; }
    uint8_t GetColumn() const override { return column_; }
    uint8_t GetRow() const override { return row_; }
    void SetGridPosition(uint8_t column, uint8_t row) override;
    uint8_t GetHeight() const override;
    uint8_t GetDisplayKind() const override { return displayKind_; }
    bool IsParamsPending() const override { return paramsPending_; }
    void SetParamsPending(bool pending) override { paramsPending_ = pending; }
    bool IsNamePending() const override { return namePending_; }
    void SetNamePending(bool pending) override { namePending_ = pending; }
    std::string GetName() const override { return name_; }
    void SetName(const std::string& name) override;
    uint8_t GetParamCount() const override;
    uint8_t GetParamValue(uint8_t param) const override;
    void SetParamValue(uint8_t param, uint8_t value) override;
    bool IsMorphable(uint8_t param) const override;
    uint8_t NextParam(uint8_t param) const override;
    uint8_t PreviousParam(uint8_t param) const override;
    uint8_t GetCustomValueCount() const override;
    void ReadCustomData(std::span<const uint8_t> data) override;
    std::vector<uint8_t> GetCustomData() const override { return custom_; }
    uint8_t GetJackCount(bool output) const override;
    uint8_t GetJackSignalKind(const JackAddress& jack) const override;
    NSHarrowen::CPoint GetJackCenter(const JackAddress& jack) const override;
    NSHarrowen::CPoint GetParamCenter(uint8_t param) const override;
    std::array<uint16_t, 10> GetLoadWords() const override;
    std::unique_ptr<CModuleInterface> Clone() const override;
    NSHarrowen::CView& GetView() override { return *this; }
    void SetMeterValue(uint16_t value) override { meterValues_.push_back(value); }
    void SetSelected(bool selected) override { selected_ = selected; }
    void EndAllTracking() override { ++trackingEnds_; }
    void Refresh() override { InvalidateFrame(); }
    std::string GetParamDisplayText(uint8_t param) const override;
    std::string FormatScaledValue(uint8_t param) const override;

    void Draw() override;

    // What the tests look at.
    bool IsSelected() const { return selected_; }
    const std::vector<uint16_t>& GetMeterValues() const { return meterValues_; }
    int GetTrackingEnds() const { return trackingEnds_; }

private:
    const CBuildModule& builder_;
    uint8_t displayKind_;
    uint8_t index_ = 0;
    uint8_t area_ = 0;
    uint8_t column_ = 0;
    uint8_t row_ = 0;
    bool paramsPending_ = true;
    bool namePending_ = true;
    bool selected_ = false;
    std::string name_;
    std::vector<uint8_t> values_;
    std::vector<uint8_t> custom_;
    std::vector<uint16_t> meterValues_;
    int trackingEnds_ = 0;
};

// The module services over the shared module catalogue, installed for the
// life of the object. Tests may give a type a display kind.
class CModuleServicesDouble final : public CModuleServicesInterface {
public:
    CModuleServicesDouble();
    ~CModuleServicesDouble() override;
    CModuleServicesDouble(const CModuleServicesDouble&) = delete;
    CModuleServicesDouble& operator=(const CModuleServicesDouble&) = delete;

    std::unique_ptr<CModuleInterface> CreateModule(uint8_t typeId) const override;
    size_t GetTabCount() const override;
    std::string GetTabName(size_t tab) const override;
    std::vector<uint8_t> GetTabTypes(size_t tab) const override;
    std::string GetTypeName(uint8_t typeId) const override;
    std::unique_ptr<CCableRenderListInterface> CreateCableRenderer() const override;

    void SetDisplayKind(uint8_t typeId, uint8_t kind) { displayKinds_[typeId] = kind; }

private:
    std::map<uint8_t, uint8_t> displayKinds_;
};

// A module's name as the double shows it: at most 16 characters.
inline constexpr size_t kMaxModuleName = 16;

} // namespace testsupport
