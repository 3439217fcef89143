#pragma once

#include <cstdint>
#include <initializer_list>

namespace NSHarrowen {
class CABCWindow;
class CCheckBoxView;
struct CDialogItem;
class CGroupBoxView;
class CGroupView;
class CPushButtonView;
class CRadioButtonGroupView;
class CStaticTextView;
} // namespace NSHarrowen

// Builds the views of a dialog from the items of its template, each bound to
// its item by id. A missing item is a fault of the template and throws.
class CDialogViews {
public:
    explicit CDialogViews(NSHarrowen::CABCWindow& window);

    const NSHarrowen::CDialogItem& Item(uint16_t id) const;
    NSHarrowen::CStaticTextView* Text(uint16_t id, NSHarrowen::CGroupView* parent = nullptr) const;
    NSHarrowen::CPushButtonView* Button(uint16_t id) const;
    NSHarrowen::CCheckBoxView* CheckBox(uint16_t id, NSHarrowen::CGroupView* parent = nullptr) const;
    NSHarrowen::CGroupBoxView* GroupBox(uint16_t id) const;
    // The buttons in the order given (index 0 first), the group fitted to them.
    NSHarrowen::CRadioButtonGroupView* Radios(NSHarrowen::CGroupView* parent,
                                              std::initializer_list<uint16_t> ids) const;

private:
    NSHarrowen::CGroupView* Root() const;

    NSHarrowen::CABCWindow& window_;
};
