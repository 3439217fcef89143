#include "tools/picgen/PictureSet.h"

#include "modules/ModuleCatalogueContent.h"
#include "panels/BuildModule.h"
#include "panels/ModuleCatalogue.h"
#include "tools/picgen/FixedPictures.h"

namespace picgen {

std::vector<FacePicture> MakeFaces()
{
    const CModuleCatalogue& catalogue = GetSharedModuleCatalogue();
    std::vector<FacePicture> faces;
    for (size_t tab = 0; tab < catalogue.GetTabCount(); ++tab)
        for (uint8_t id : catalogue.GetTabTypes(tab)) {
            if (id == 0) // a separator
                continue;
            const CBuildModule& type = catalogue.GetBuilder(id);
            faces.push_back({id, type.GetFaceJpeg(), PaintFace(type, tab)});
        }
    return faces;
}

std::vector<CPicture> MakeAllPictures()
{
    std::vector<CPicture> pictures;
    for (FacePicture& face : MakeFaces())
        pictures.push_back(MakeJpeg(face.jpegId, std::move(face.layout.picture)));
    AddPanelPictures(pictures);
    AddButtonPictures(pictures);
    AddKnobPictures(pictures);
    AddEditorPictures(pictures);
    AddCursors(pictures);
    return pictures;
}

} // namespace picgen
