#pragma once

#include "framework/base/Rect.h"
#include "framework/images/Bitmap.h"

#include <cstdint>
#include <memory>

namespace NSHarrowen {
class CView;
}

// Where the parts of one knob size lie: the body strip, the scratch bitmap
// the knob is composed in, the window of the 29 x 29 pointer frames, the
// columns of the morph sector's scan and the marker strip under the knob.
struct KnobGeometry {
    uint16_t bodyStrip; // "CBMP": mask, plain body, four group bodies
    int16_t size;       // the body's frames are size x size
    int16_t bodyX;      // the body's column in the scratch bitmap
    int16_t scratchWidth;
    int16_t scratchHeight;
    int16_t pointerOffset;  // the body's window into a 29 x 29 pointer frame
    int16_t leftColumns;    // kinds 0 and 1 scan columns below this
    int16_t rightColumns;   // kinds 2 and 3 scan columns above this
    int16_t splitColumn;    // kinds 4 and 5 change lines here
    bool sideLines;         // grey first and last scratch columns
    uint16_t markerPicture; // "JPEG"
    int16_t markerY;
    int16_t markerWidth;
    int16_t markerHeight;
    int16_t markerStep; // source x of part n is n x step
    int16_t plainWidth; // copied without a marker
    int16_t plainHeight;
};

// The painter of a round knob: it composes the body, the pointer line of the
// position and, in a morph group, the tinted sector between the morph start
// and end, pixel by pixel from the bitmap strips, then copies the result to
// the owner's window. The owner hands it positions 0-63 and the flags
// before each draw.
class CABCKnobGUI {
public:
    static constexpr uint16_t kPointerStrip = 200;
    static constexpr int32_t kPositions = 64;
    static constexpr uint8_t kNoGroup = 4;

    explicit CABCKnobGUI(const NSHarrowen::CView& owner);
    virtual ~CABCKnobGUI() = default;
    CABCKnobGUI(const CABCKnobGUI&) = delete;
    CABCKnobGUI& operator=(const CABCKnobGUI&) = delete;

    // Draws with its top-left corner at the frame's (window coordinates).
    virtual void Draw(const NSHarrowen::CRect& frame) = 0;

    void SetPosition(int32_t position);
    void SetMorphStart(int32_t position);
    void SetMorphEnd(int32_t position);
    void SetMorphGroup(uint8_t group) { group_ = group; }
    void SetStateByte(bool focusedParam) { focusedParam_ = focusedParam; }
    void SetFocused(bool focused) { focused_ = focused; }
    void SetAuxValue(int32_t markerKind) { markerKind_ = markerKind; }

    int32_t GetPosition() const { return position_; }
    int32_t GetMorphStart() const { return morphStart_; }
    int32_t GetMorphEnd() const { return morphEnd_; }
    uint8_t GetMorphGroup() const { return group_; }
    uint8_t GetArcKind() const { return arcKind_; }
    bool GetStateByte() const { return focusedParam_; }
    bool IsFocused() const { return focused_; }
    int32_t GetAuxValue() const { return markerKind_; }

protected:
    const NSHarrowen::CView& GetOwner() const { return owner_; }

private:
    void UpdateArcKind();

    const NSHarrowen::CView& owner_;
    int32_t position_ = 0;
    int32_t morphStart_ = 0;
    int32_t morphEnd_ = 0;
    uint8_t group_ = kNoGroup;
    uint8_t arcKind_ = 0;
    int32_t markerKind_ = 0;
    bool focusedParam_ = false;
    bool focused_ = false;
};

// The round knob painters of the three sizes.
class CRoundKnobGUI : public CABCKnobGUI {
public:
    CRoundKnobGUI(const NSHarrowen::CView& owner, const KnobGeometry& geometry);
    void Draw(const NSHarrowen::CRect& frame) override;

private:
    // What the composed picture shows; it is composed again only when this
    // changes.
    struct Face {
        int32_t position = -1;
        int32_t morphStart = 0;
        int32_t morphEnd = 0;
        uint8_t group = 0;
        uint8_t arcKind = 0;
        int32_t markerKind = 0;
        bool focusedParam = false;
        bool focused = false;
        bool operator==(const Face&) const = default;
    };
    Face CurrentFace() const;
    void Compose();
    void DrawMarker();

    const KnobGeometry& geometry_;
    // The composed picture, as the last Draw left it; made at the first.
    std::unique_ptr<NSHarrowen::CBitmap32> scratch_;
    Face composed_;
};
