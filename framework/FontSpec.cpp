#include "framework/FontSpec.h"

namespace NSHarrowen {

namespace {
// Cuts a face name to the record's capacity without splitting a character.
std::string FitFace(const std::string& face)
{
    size_t n = face.size();
    if (n < CFontSpec::kFaceCapacity)
        return face;
    n = CFontSpec::kFaceCapacity - 1;
    while (n > 0 && (static_cast<unsigned char>(face[n]) & 0xC0) == 0x80)
        --n;
    return face.substr(0, n);
}
} // namespace

CFontSpec::CFontSpec(const std::string& faceName, uint8_t pointSize, uint8_t isBold, uint8_t isItalic,
                     uint8_t isUnderline)
    : face(FitFace(faceName)), size(pointSize), bold(isBold), italic(isItalic), underline(isUnderline)
{
}

const CFontSpec& GetStandardFont()
{
    static const CFontSpec spec("MS Sans Serif", 8);
    return spec;
}

const CFontSpec& GetStandardDialogFont()
{
    static const CFontSpec spec("MS Sans Serif", 8);
    return spec;
}

const CFontSpec& GetStandardSmallFont()
{
    static const CFontSpec spec("MS Sans Serif", 8);
    return spec;
}

} // namespace NSHarrowen
