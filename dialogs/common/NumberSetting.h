#pragma once

#include <cstdint>

namespace NSHarrowen {
class CABCWindow;
class CGroupView;
class CSingleLineNumberEditView;
class CUpDownButtonView;
} // namespace NSHarrowen

// A number of a settings dialog: a digits-only field with its up-down arrows,
// and the range every value it gives is pinned to.
class CNumberSetting {
public:
    static constexpr int32_t kFieldLength = 4;

    CNumberSetting(NSHarrowen::CABCWindow& window, NSHarrowen::CGroupView* parent, uint16_t fieldId, uint16_t arrowsId,
                   int32_t minimum, int32_t maximum);

    // An arrow step adds the step to the value, a finished entry replaces it,
    // both pinned to the range; true when either happened. With endTyping the
    // window's focus view is told that it lost the focus before a step, so
    // that an entry in progress is taken first.
    bool Take(int32_t& value, bool endTyping) const;
    void Show(int32_t value) const;
    void SetEnabled(bool enabled) const;
    int32_t Pin(int32_t value) const;

    NSHarrowen::CSingleLineNumberEditView* GetField() const { return field_; }
    NSHarrowen::CUpDownButtonView* GetArrows() const { return arrows_; }

private:
    NSHarrowen::CABCWindow& window_;
    NSHarrowen::CSingleLineNumberEditView* field_;
    NSHarrowen::CUpDownButtonView* arrows_;
    int32_t minimum_;
    int32_t maximum_;
};
