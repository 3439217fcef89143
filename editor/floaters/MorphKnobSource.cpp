#include "editor/floaters/MorphKnobSource.h"

namespace {

CMorphKnobSource* theSource = nullptr;

} // namespace

CMorphKnobSource* GetMorphKnobSource()
{
    return theSource;
}

void SetMorphKnobSource(CMorphKnobSource* source)
{
    theSource = source;
}
