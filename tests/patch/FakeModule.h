#pragma once

#include "patch/module/ModuleInterface.h"

#include <array>
#include <memory>
#include <string>
#include <vector>

// A module of the patch model with just what the cable, load and label
// tests look at: its jacks, their signal kinds, its load record, its grid
// place and its controls' centres. Outputs carry the kinds given.
class CFakeModule final : public CModuleInterface {
public:
    CFakeModule(uint8_t index, uint8_t inputs, std::vector<uint8_t> outputKinds, uint8_t area = 1)
        : index_(index), area_(area), inputs_(inputs), outputKinds_(std::move(outputKinds))
    { }

    std::array<uint16_t, 10> load{};
    uint8_t params = 4;

    uint8_t GetTypeId() const override { return 1; }
    uint8_t GetModuleIndex() const override { return index_; }
    void SetModuleIndex(uint8_t index) override { index_ = index; }
    uint8_t GetAreaIndex() const override { return area_; }
    void SetAreaIndex(uint8_t area) override { area_ = area; }
    uint8_t GetColumn() const override { return column_; }
    uint8_t GetRow() const override { return row_; }
    void SetGridPosition(uint8_t column, uint8_t row) override
    {
        column_ = column;
        row_ = row;
    }
    uint8_t GetHeight() const override { return 4; }
    uint8_t GetDisplayKind() const override { return 0; }
    bool IsParamsPending() const override { return false; }
    void SetParamsPending(bool) override { }
    bool IsNamePending() const override { return false; }
    void SetNamePending(bool) override { }
    std::string GetName() const override { return name_; }
    void SetName(const std::string& name) override { name_ = name; }
    uint8_t GetParamCount() const override { return params; }
    uint8_t GetParamValue(uint8_t) const override { return 0; }
    void SetParamValue(uint8_t, uint8_t) override { }
    bool IsMorphable(uint8_t) const override { return true; }
    uint8_t NextParam(uint8_t param) const override { return param; }
    uint8_t PreviousParam(uint8_t param) const override { return param; }
    uint8_t GetCustomValueCount() const override { return 0; }
    void ReadCustomData(std::span<const uint8_t>) override { }
    std::vector<uint8_t> GetCustomData() const override { return {}; }
    uint8_t GetJackCount(bool output) const override
    {
        return output ? static_cast<uint8_t>(outputKinds_.size()) : inputs_;
    }
    uint8_t GetJackSignalKind(const JackAddress& jack) const override
    {
        return jack.IsOutput() && jack.jack < outputKinds_.size() ? outputKinds_[jack.jack] : 0;
    }
    NSHarrowen::CPoint GetJackCenter(const JackAddress& jack) const override
    {
        return NSHarrowen::CPoint(static_cast<int16_t>(GetPixelX() + 20 * jack.jack), GetPixelY());
    }
    // Controls stand 30 pixels apart down the panel.
    NSHarrowen::CPoint GetParamCenter(uint8_t param) const override
    {
        return NSHarrowen::CPoint(static_cast<int16_t>(GetPixelX() + 40),
                                  static_cast<int16_t>(GetPixelY() + 20 + 30 * param));
    }
    std::array<uint16_t, 10> GetLoadWords() const override { return load; }
    std::unique_ptr<CModuleInterface> Clone() const override { return std::make_unique<CFakeModule>(*this); }
    NSHarrowen::CView& GetView() override { std::abort(); }
    void SetMeterValue(uint16_t) override { }
    void SetSelected(bool) override { }
    void EndAllTracking() override { }
    void Refresh() override { }
    std::string GetParamDisplayText(uint8_t param) const override { return "v" + std::to_string(param); }
    std::string FormatScaledValue(uint8_t param) const override { return std::to_string(param * 10); }

private:
    uint8_t index_;
    uint8_t area_;
    uint8_t inputs_;
    std::vector<uint8_t> outputKinds_;
    uint8_t column_ = 0;
    uint8_t row_ = 0;
    std::string name_;
};
