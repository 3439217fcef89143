#pragma once

#include "framework/files/FileSpec.h"
#include "framework/files/FileTypes.h"

#include <memory>
#include <string>

namespace NSBootwren {

// The open-file dialog over the main window, starting in `lastFolder` (the
// current folder while it is empty), which then becomes the chosen file's
// folder; a file of none of the types counts as cancelled (none).
std::unique_ptr<NSHarrowen::CFileSpec>
ChooseFileToOpen(const std::string& title, const NSHarrowen::CFileTypeList& types, std::string& lastFolder);

} // namespace NSBootwren
