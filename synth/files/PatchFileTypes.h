#pragma once

#include "framework/files/FileTypes.h"

#include <string_view>

// The editor's own file types, offered by its open and save dialogs, and the
// creator code written beside them.
inline constexpr std::string_view kEditorCreatorCode = "VESK";

// "Patch": type "PCH ", ".pch".
extern const NSHarrowen::CFileTypeInfo kFileTypePatch;
// "Patch list": type "PCHL", ".pchList".
extern const NSHarrowen::CFileTypeInfo kFileTypePatchList;

// What the File Open dialog offers: patch files only.
NSHarrowen::CFileTypeList MakePatchOpenTypes();
