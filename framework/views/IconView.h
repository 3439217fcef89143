#pragma once

#include "framework/views/View.h"

namespace NSHarrowen {

enum EIconKind : int32_t {
    kIconStop = 10,
    kIconNote = 11,
    kIconCaution = 12,
    kIconNone = 13,
};

// One of the desktop's message icons, 32 x 32 at the view's top-left corner:
// the stop hand, the note, the caution sign, or nothing.
class CIconView : public CView {
public:
    CIconView(CGroupView* parent, const CRect& frame, int32_t kind);

    void Draw() override;
    int32_t GetKind() const { return kind_; }

private:
    int32_t kind_;
};

} // namespace NSHarrowen
