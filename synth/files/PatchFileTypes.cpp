#include "synth/files/PatchFileTypes.h"

const NSHarrowen::CFileTypeInfo kFileTypePatch{"Patch", ".pch", "PCH "};
const NSHarrowen::CFileTypeInfo kFileTypePatchList{"Patch list", ".pchList", "PCHL"};

NSHarrowen::CFileTypeList MakePatchOpenTypes()
{
    return {kFileTypePatch};
}
