#pragma once

#include "tools/picgen/BitmapFont.h"
#include "tools/picgen/FaceRect.h"

#include <optional>
#include <string>
#include <vector>

namespace picgen {

// Where a label may go relative to what it names.
enum class LabelSide { Above, Below, Left, Right };

// Places short texts on a face so that none covers an item, the title strip
// or another label: each request tries the texts it is given (longest first)
// at the places around its target, nearest first.
class CLabelPlacer {
public:
    CLabelPlacer(int width, int height, std::vector<FaceRect> obstacles);

    struct Placement {
        FaceRect box;
        std::string text;
        FontSize size;
    };
    // The first free spot for one of the texts around the target, trying the
    // sides in the order given, in the normal font and then, where nothing
    // fits and the label must be had, in the tiny one and anywhere on the
    // face; the spot is then taken.
    enum class Need { Required, Optional };
    std::optional<Placement> Place(const FaceRect& target, const std::vector<std::string>& texts,
                                   const std::vector<LabelSide>& sides, Need need = Need::Required);

    // Takes every one of the boxes, or none when one is not free.
    bool TakeAll(const std::vector<FaceRect>& boxes);

    const std::vector<FaceRect>& Taken() const { return taken_; }

private:
    bool IsFree(const FaceRect& box) const;
    std::optional<Placement> PlaceNearby(const FaceRect& target, const std::vector<std::string>& texts);
    std::optional<Placement> PlaceIn(FontSize size, const FaceRect& target, const std::vector<std::string>& texts,
                                     const std::vector<LabelSide>& sides);

    int width_;
    int height_;
    std::vector<FaceRect> obstacles_;
    std::vector<FaceRect> taken_;
};

// The ways a name may be shortened to fit, longest first: the name, without
// blanks, its words cut to a few letters, then cut from the end.
std::vector<std::string> ShortenedNames(const std::string& name);

} // namespace picgen
