#include "framework/drawing/FontSpec.h"

#include "framework/base/Utf8.h"

namespace NSHarrowen {

CFontSpec::CFontSpec(const std::string& faceName, uint8_t pointSize, uint8_t isBold, uint8_t isItalic,
                     uint8_t isUnderline)
    : face(faceName.substr(0, Utf8CutLength(faceName, kFaceCapacity - 1))), size(pointSize), bold(isBold),
      italic(isItalic), underline(isUnderline)
{ }

const CFontSpec& GetStandardFont()
{
    static const CFontSpec spec("MS Sans Serif", 8);
    return spec;
}

} // namespace NSHarrowen
