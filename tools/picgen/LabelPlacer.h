#pragma once

#include "tools/picgen/BitmapFont.h"
#include "tools/picgen/FaceRect.h"

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

namespace picgen {

// Where a label may go relative to what it names.
enum class LabelSide { Above, Below, Left, Right };

// The size of a label's text, which may hold a line break.
FaceRect LabelSize(const std::string& text, FontSize size);
// The text broken in two lines at the blank that makes them most even, or
// empty where it has no blank that leaves two letters at least on each line.
std::string InTwoLines(const std::string& text);
// Whether one label stands right over or under another, overlapping it
// across: the two read as one name of two lines.
bool StackedOn(const FaceRect& box, const FaceRect& other);
// Draws a label in its box, each line centred.
void DrawLabel(CRaster& raster, const FaceRect& box, const std::string& text, uint32_t colour, FontSize size);

// How far apart two labels one over the other stand: a clear gap, a pixel
// more than a label's own lines, or as close as those.
enum class StackGap { Clear, Close, Lines };

// Places short texts on a face so that none covers an item, the title strip
// or another label: each request tries the texts it is given (the whole name
// first) at the places around its target, nearest first; labels one over the
// other as far apart as told.
class CLabelPlacer {
public:
    CLabelPlacer(int width, int height, std::vector<FaceRect> obstacles, StackGap stackGap = StackGap::Clear);

    struct Placement {
        FaceRect box;
        std::string text; // a line break where it takes two lines
        FontSize size;
    };
    // Whether a label may stand in a box, beyond being free.
    using Accept = std::function<bool(const FaceRect&)>;
    // The first free spot for one of the texts around the target, trying the
    // sides in the order given: each text on one line, then on two lines, in
    // the normal font and then, unless the label is optional, in the tiny
    // one (in the one font allowed, where one alone is), before the next
    // (shorter) text is tried; last, for a label that must be had, the
    // nearest free spot anywhere. The spot is then taken.
    enum class Need { Required, Beside, Optional };
    std::optional<Placement> Place(const FaceRect& target, const std::vector<std::string>& texts,
                                   const std::vector<LabelSide>& sides, Need need = Need::Required,
                                   const Accept& accept = {});

    // One text in one font, on one line or on two, beside the target on the
    // sides given; else, for a label that must be had, at the nearest free
    // spot anywhere. The spot is then taken.
    std::optional<Placement> PlaceAs(const FaceRect& target, const std::string& text, FontSize size,
                                     const std::vector<LabelSide>& sides, Need need, const Accept& accept);

    // A legend: the entries' texts side by side in their order, in lines as
    // even as they come, in the free block nearest to the target, its lines
    // a clear gap apart where the face has room for that, else as close as a
    // label's own; for each entry the first form that lets every entry fit,
    // in the normal font before the tiny one. Every entry's spot is taken,
    // or none; each where the label may stand; in as many lines at least as
    // asked.
    std::optional<std::vector<Placement>> PlaceLegend(const FaceRect& target,
                                                      const std::vector<std::vector<std::string>>& entries,
                                                      const Accept& accept = {}, int fewestLines = 1);

    // The font labels placed from now on may take: either, or the one given
    // alone, so that names of one kind read alike across a face.
    void UseFont(std::optional<FontSize> only) { only_ = only; }
    std::optional<FontSize> Font() const { return only_; }
    bool Allows(FontSize size) const { return !only_ || *only_ == size; }

    // No label placed from now on may stand right over or under the box, nor
    // a line off its corner by less than a blank.
    void KeepApart(const FaceRect& box) { apart_.push_back(box); }

    // Takes every one of the boxes, or none when one is not free.
    bool TakeAll(const std::vector<FaceRect>& boxes);
    // Takes a label's box that may touch one item, the control it names,
    // where the face leaves it no room a pixel off: it covers that item no
    // more than any other, and keeps its clearance from everything else.
    bool TakeTouching(const FaceRect& box, const FaceRect& own);

    const std::vector<FaceRect>& Taken() const { return taken_; }

private:
    // Free of the items, a pixel off each but the one it may touch.
    bool IsFree(const FaceRect& box, const std::optional<FaceRect>& touchable = std::nullopt) const;
    // The free spot for a w x h box nearest to the target's centre that fits.
    std::optional<FaceRect> NearestFreeSpot(const FaceRect& target, int w, int h, const Accept& fits) const;
    struct LegendLines {
        FontSize size;
        int gap; // empty rows between two lines
        int fewestLines;
    };
    std::optional<std::vector<Placement>> PlaceLegendLines(const FaceRect& target,
                                                           const std::vector<std::string>& texts, LegendLines style,
                                                           const Accept& accept);
    std::optional<Placement> PlaceNearby(const FaceRect& target, const std::string& text, FontSize size,
                                         const Accept& accept);
    std::optional<Placement> PlaceText(FontSize size, const FaceRect& target, const std::string& text,
                                       const std::vector<LabelSide>& sides, const Accept& accept);

    int width_;
    int height_;
    int stackedGap_;
    std::vector<FaceRect> obstacles_;
    std::vector<FaceRect> taken_;
    std::vector<FaceRect> apart_;
    std::optional<FontSize> only_;
};

} // namespace picgen
