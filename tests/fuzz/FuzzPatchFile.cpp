// Patch files (version 3.0 and 2.10) opened into a patch document over the
// real module panels: read, converted where old, and applied.

#include "framework/base/Exceptions.h"
#include "framework/files/FileSpec.h"
#include "modules/ModuleCatalogueContent.h"
#include "panels/ModuleCatalogue.h"
#include "panels/panel/PanelModuleServices.h"
#include "patch/document/Patch.h"
#include "synth/protocol/ProtocolErrors.h"
#include "tests/fuzz/FuzzFile.h"

#include <memory>

namespace {

struct CEditorSide {
    CEditorSide() { InstallSharedModuleTypeInfo(); }
    std::unique_ptr<CModuleCatalogue> catalogue = MakeModuleCatalogue();
    CPanelModuleServices services{*catalogue};
};

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t* data, size_t size)
{
    static CEditorSide editor;
    const std::string path = fuzzinput::WriteInputFile("Fuzzed.pch", {data, size});
    CPatch document;
    try {
        document.Open(NSHarrowen::CFileSpec(path));
    } catch (const XTorvanBase&) {
        // Refused or partly applied: the editor shows the file's error.
    } catch (const NSHarrowen::XBase&) { }
    return 0;
}
