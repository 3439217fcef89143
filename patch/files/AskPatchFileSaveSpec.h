#pragma once

#include <memory>
#include <string>

namespace NSHarrowen {
class CFileSpec;
class CView;
} // namespace NSHarrowen

// The save dialog of a patch: the prompt "Save file:", the patch's name as
// the proposed file name and patch files as the only type. True and the
// chosen file (with the ".pch" extension) when the user chose one.
bool AskPatchFileSaveSpec(NSHarrowen::CView* owner, const std::string& patchName,
                          std::unique_ptr<NSHarrowen::CFileSpec>& outSpec);
