#pragma once

#include "framework/base/Rect.h"
#include "framework/images/ImageCache.h"
#include "panels/painters/ButtonFace.h"

#include <cstdint>
#include <string>
#include <vector>

namespace NSHarrowen {
class CABCCanvas;
class CView;
} // namespace NSHarrowen

// The painter of a row or column of radio buttons, one segment per value:
// the selected segment pressed, the segments within the morph range lit in
// the group's colour. Horizontal rows run from the left (value 0 first),
// vertical ones from the bottom. Segments show a label (from a list
// separated by commas) or a symbol cut from a picture column.
class CABCRadioButtonGUI {
public:
    static constexpr int16_t kRowHeight = 14;
    static constexpr int16_t kSymbolHeight = 9;

    CABCRadioButtonGUI(const NSHarrowen::CView& owner, uint8_t count, int16_t segmentWidth, bool vertical);
    virtual ~CABCRadioButtonGUI() = default;
    CABCRadioButtonGUI(const CABCRadioButtonGUI&) = delete;
    CABCRadioButtonGUI& operator=(const CABCRadioButtonGUI&) = delete;

    void Draw(const NSHarrowen::CRect& frame) const;
    int16_t GetWidth() const;
    int16_t GetHeight() const;
    uint8_t GetCount() const { return count_; }
    int16_t GetSegmentWidth() const { return segmentWidth_; }
    uint8_t GetHighestIndex() const { return static_cast<uint8_t>(count_ - 1); }
    // The rectangle of segment i within the frame.
    NSHarrowen::CRect SegmentRect(const NSHarrowen::CRect& frame, uint8_t segment) const;

    uint8_t selected = 0;
    uint8_t rangeFrom = 0;
    uint8_t rangeTo = 0;
    uint8_t group = ButtonLook::kNoGroup;
    bool highlight = false;

protected:
    virtual void DrawSegmentContent(NSHarrowen::CABCCanvas& canvas, const NSHarrowen::CRect& segment, uint8_t index,
                                    bool pressed, bool fullFace) const = 0;

private:
    const NSHarrowen::CView& owner_;
    uint8_t count_;
    int16_t segmentWidth_;
    bool vertical_;
};

class CTextRadioButtonGUI : public CABCRadioButtonGUI {
public:
    CTextRadioButtonGUI(const NSHarrowen::CView& owner, uint8_t count, int16_t segmentWidth, bool vertical,
                        const std::string& labels);
    const std::vector<std::string>& GetLabels() const { return labels_; }

protected:
    void DrawSegmentContent(NSHarrowen::CABCCanvas& canvas, const NSHarrowen::CRect& segment, uint8_t index,
                            bool pressed, bool fullFace) const override;

private:
    std::vector<std::string> labels_;
};

class CBmpRadioButtonGUI : public CABCRadioButtonGUI {
public:
    CBmpRadioButtonGUI(const NSHarrowen::CView& owner, uint8_t count, int16_t segmentWidth, bool vertical,
                       uint16_t picture);

protected:
    void DrawSegmentContent(NSHarrowen::CABCCanvas& canvas, const NSHarrowen::CRect& segment, uint8_t index,
                            bool pressed, bool fullFace) const override;

private:
    NSHarrowen::CImageID picture_;
};

class CHorizontalTextRadioButtonGUI final : public CTextRadioButtonGUI {
public:
    CHorizontalTextRadioButtonGUI(const NSHarrowen::CView& owner, uint8_t count, int16_t width,
                                  const std::string& labels)
        : CTextRadioButtonGUI(owner, count, width, false, labels)
    { }
};

class CVerticalTextRadioButtonGUI final : public CTextRadioButtonGUI {
public:
    CVerticalTextRadioButtonGUI(const NSHarrowen::CView& owner, uint8_t count, int16_t width, const std::string& labels)
        : CTextRadioButtonGUI(owner, count, width, true, labels)
    { }
};

class CHorizontalBmpRadioButtonGUI final : public CBmpRadioButtonGUI {
public:
    CHorizontalBmpRadioButtonGUI(const NSHarrowen::CView& owner, uint8_t count, int16_t width, uint16_t picture)
        : CBmpRadioButtonGUI(owner, count, width, false, picture)
    { }
};

class CVerticalBmpRadioButtonGUI final : public CBmpRadioButtonGUI {
public:
    CVerticalBmpRadioButtonGUI(const NSHarrowen::CView& owner, uint8_t count, int16_t width, uint16_t picture)
        : CBmpRadioButtonGUI(owner, count, width, true, picture)
    { }
};
