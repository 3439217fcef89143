#pragma once

#include <string_view>

// The section names of a version 3.0 patch file, shared by its reader and
// writer.
inline constexpr std::string_view kSectionHeader = "Header";
inline constexpr std::string_view kSectionModules = "ModuleDump";
inline constexpr std::string_view kSectionCurrentNotes = "CurrentNoteDump";
inline constexpr std::string_view kSectionCables = "CableDump";
inline constexpr std::string_view kSectionParameters = "ParameterDump";
inline constexpr std::string_view kSectionMorphs = "MorphMapDump";
inline constexpr std::string_view kSectionKeyboard = "KeyboardAssignment";
inline constexpr std::string_view kSectionKnobs = "KnobMapDump";
inline constexpr std::string_view kSectionControllers = "CtrlMapDump";
inline constexpr std::string_view kSectionCustom = "CustomDump";
inline constexpr std::string_view kSectionNames = "NameDump";
inline constexpr std::string_view kSectionNotes = "Notes";
