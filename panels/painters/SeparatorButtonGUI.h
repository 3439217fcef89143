#pragma once

#include "framework/base/Rect.h"
#include "framework/images/ImageCache.h"

namespace NSHarrowen {
class CView;
}

// The painter of a patch window's splitter buttons: a one-pixel bevel,
// raised or pressed, around a picture (or a grey plate without one) that
// moves one pixel down and right when pressed.
class CSeparatorButtonGUI {
public:
    CSeparatorButtonGUI(const NSHarrowen::CView& owner, const NSHarrowen::CImageID& picture);
    virtual ~CSeparatorButtonGUI() = default;
    CSeparatorButtonGUI(const CSeparatorButtonGUI&) = delete;
    CSeparatorButtonGUI& operator=(const CSeparatorButtonGUI&) = delete;

    virtual void Raise() { raised_ = true; }
    virtual void Press() { raised_ = false; }
    void Draw(const NSHarrowen::CRect& frame) const;
    bool IsRaised() const { return raised_; }

private:
    const NSHarrowen::CView& owner_;
    NSHarrowen::CImageID picture_;
    bool raised_ = true;
};
