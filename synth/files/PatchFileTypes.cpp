#include "synth/files/PatchFileTypes.h"

const NSHarrowen::CFileTypeInfo kFileTypePatch{"Patch", ".pch", "PCH "};
const NSHarrowen::CFileTypeInfo kFileTypePatchList{"Patch list", ".pchList", "PCHL"};

const NSHarrowen::CFileCreator& GetEditorFileCreator()
{
    static const NSHarrowen::CFileCreator creator{std::string(kEditorCreatorCode)};
    return creator;
}

NSHarrowen::CFileTypeList MakePatchOpenTypes()
{
    return {kFileTypePatch};
}

NSHarrowen::CFileTypeList MakePatchListOpenTypes()
{
    return {kFileTypePatchList};
}
