#pragma once

#include "framework/base/Rect.h"
#include "framework/images/ImageCache.h"
#include "panels/painters/ButtonFace.h"

#include <cstdint>

namespace NSHarrowen {
class CView;
}

// The painters of push and check buttons. The owner sets the state fields
// (raised or pressed, highlight, morph group, dull or bright) and asks for a
// draw into its frame; an empty frame draws nothing.
class CABCButtonGUI {
public:
    explicit CABCButtonGUI(const NSHarrowen::CView& owner) : owner_(owner) { }
    virtual ~CABCButtonGUI() = default;
    CABCButtonGUI(const CABCButtonGUI&) = delete;
    CABCButtonGUI& operator=(const CABCButtonGUI&) = delete;

    void Draw(const NSHarrowen::CRect& frame) const;

    bool raised = true;
    bool highlight = false;
    uint8_t group = ButtonLook::kNoGroup;
    bool dull = true;

protected:
    ButtonLook Look() const { return ButtonLook{group, dull, !raised, highlight}; }
    // The face under the content: the small face by default.
    virtual void DrawFace(NSHarrowen::CABCCanvas& canvas, const NSHarrowen::CRect& frame) const;
    // What the button shows on its face.
    virtual void DrawContent(NSHarrowen::CABCCanvas& canvas, const NSHarrowen::CRect& frame) const = 0;

private:
    const NSHarrowen::CView& owner_;
};

// A face with a caption (Arial 12, black, centred). The caption is static
// text (a literal or a module type's table), kept as a pointer: a full patch
// has thousands of captioned buttons.
class CTextButtonGUI final : public CABCButtonGUI {
public:
    CTextButtonGUI(const NSHarrowen::CView& owner, const char* label) : CABCButtonGUI(owner), label_(label) { }

protected:
    void DrawContent(NSHarrowen::CABCCanvas& canvas, const NSHarrowen::CRect& frame) const override;

private:
    const char* label_;
};

// A face with a symbol picture ("SMTB" bitmap) centred at its top.
class CBitmapButtonGUI final : public CABCButtonGUI {
public:
    CBitmapButtonGUI(const NSHarrowen::CView& owner, uint16_t picture);

protected:
    void DrawContent(NSHarrowen::CABCCanvas& canvas, const NSHarrowen::CRect& frame) const override;

private:
    NSHarrowen::CImageID picture_;
};

// The grey face's edges without a fill, and a JPEG picture filling its
// interior (the cable colour swatches of the toolbar).
class CJpegButtonGUI final : public CABCButtonGUI {
public:
    CJpegButtonGUI(const NSHarrowen::CView& owner, uint16_t picture);

protected:
    void DrawFace(NSHarrowen::CABCCanvas& canvas, const NSHarrowen::CRect& frame) const override;
    void DrawContent(NSHarrowen::CABCCanvas& canvas, const NSHarrowen::CRect& frame) const override;

private:
    NSHarrowen::CImageID picture_;
};
